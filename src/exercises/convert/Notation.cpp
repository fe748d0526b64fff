#include "exercises/convert/Notation.h"

#include <algorithm>

namespace qs {

namespace {

constexpr char kDash = '-';
constexpr char kBothWaysMark = '_';

bool IsGermanLetter(unsigned char c) {
    switch (c) {
        case 0x81:  // u umlaut
        case 0x84:  // a umlaut
        case 0x8E:  // A umlaut
        case 0x94:  // o umlaut
        case 0x99:  // O umlaut
        case 0x9A:  // U umlaut
        case 0xE1:  // sharp s
            return true;
        default: return false;
    }
}

// Line numbers of the list are 1-based.
NotationProblem At(size_t index, std::string message) {
    return {static_cast<int>(index) + 1, false, std::move(message)};
}

// The first character of text the child could not type, as a problem.
std::optional<std::string> UntypeableIn(std::string_view text) {
    for (char c : text)
        if (!IsAnswerLetter(c))
            return "Zeichen \"" + std::string(1, c) + "\" kann man nicht tippen";
    return std::nullopt;
}

void CheckLength(std::span<const std::string> lines, NotationProblems& problems) {
    const int words = static_cast<int>(lines.size()) - (kFirstTaskLine - 1);
    if (words >= kMinTaskLines) return;
    const int line = std::max(1, static_cast<int>(lines.size()));
    problems.push_back({line, false,
                        "mindestens 3 W\x94rter unter den 2 Regelzeilen (jetzt " +
                            std::to_string(std::max(0, words)) + ")"});
}

bool HasBlankAtEnd(std::string_view s) {
    return !s.empty() && (s.front() == ' ' || s.back() == ' ');
}

// A blank at either end or two in a row would have to be typed as well.
bool BlanksAmiss(std::string_view s) {
    return HasBlankAtEnd(s) || s.find("  ") != std::string_view::npos;
}
constexpr const char* kBlanksMessage = "Leerzeichen am Anfang, am Ende oder doppelt";

// ---- Umwandeln ------------------------------------------------------------------

ConvertLine SplitPieces(std::string_view line, size_t dash) {
    ConvertLine pieces;
    const std::string_view first = line.substr(0, dash);
    const size_t blank1 = first.find(' ');
    if (blank1 != std::string_view::npos) pieces.Article1 = first.substr(0, blank1 + 1);
    pieces.Word1 = first.substr(pieces.Article1.size());
    std::string second;
    for (char c : line.substr(dash + 1))
        if (c != kDash) second += c;
    const size_t blank2 = second.find(' ');
    if (blank2 != std::string::npos) pieces.Article2 = second.substr(0, blank2 + 1);
    pieces.Word2 = second.substr(pieces.Article2.size());
    return pieces;
}

void CheckConvertRule(std::span<const std::string> lines, NotationProblems& problems) {
    if (lines.empty() || ShownRule(lines[0]).size() <= 1)
        problems.push_back({1, false, "Regel fehlt: Zeile 1 sagt, was umgewandelt wird"});
}

void CheckConvertWordLine(size_t index, std::string_view line, bool reversible,
                          NotationProblems& problems) {
    const size_t dash = line.find(kDash);
    if (dash == std::string_view::npos) {
        problems.push_back(At(index, "Bindestrich vergessen"));
        return;
    }
    if (line.find(kDash, dash + 1) != std::string_view::npos) {
        problems.push_back(At(index, "nur ein Bindestrich zwischen den beiden W\x94rtern"));
        return;
    }
    const std::string_view first = line.substr(0, dash);
    const std::string_view second = line.substr(dash + 1);
    if (HasBlankAtEnd(first) || HasBlankAtEnd(second)) {
        problems.push_back(At(index, "kein Leerzeichen neben dem Bindestrich"));
        return;
    }
    if (BlanksAmiss(line)) {
        problems.push_back(At(index, kBlanksMessage));
        return;
    }
    const ConvertLine pieces = SplitPieces(line, dash);
    if (pieces.Word1.empty()) {
        problems.push_back(At(index, "Wort vor dem Bindestrich fehlt"));
        return;
    }
    if (pieces.Word2.empty()) {
        problems.push_back(At(index, "Wort nach dem Bindestrich fehlt"));
        return;
    }
    std::optional<std::string> untypeable = UntypeableIn(second);
    if (!untypeable && reversible) untypeable = UntypeableIn(first);
    if (untypeable) problems.push_back(At(index, *untypeable));
}

// ---- Reparieren -----------------------------------------------------------------

void CheckGroupRule(std::string_view line1, NotationProblems& problems) {
    const std::vector<std::string> groups = LetterGroups(line1);
    if (groups.empty()) {
        problems.push_back({1, false, "keine Buchstaben zum Ersetzen (Beispiel: Aus -a -e -ie)"});
        return;
    }
    int count = 0;
    for (size_t i = 0; i < line1.size(); ++i) {
        if (line1[i] != kDash) continue;
        const bool letter = i + 1 < line1.size() && line1[i + 1] != ' ';
        if (!letter) {
            problems.push_back({1, false, "Buchstabe nach dem Bindestrich fehlt"});
            return;
        }
        ++count;
        const bool pair = i + 2 < line1.size() && line1[i + 2] != ' ';
        if (pair && i + 3 < line1.size() && line1[i + 3] != ' ') {
            problems.push_back({1, false, "h\224chstens 2 Buchstaben nach einem Bindestrich"});
            return;
        }
    }
    if (count > kMaxGroups) {
        problems.push_back({1, false, "h\224chstens 15 Buchstabengruppen"});
        return;
    }
    // The game takes the first group that fits, so a pair after a single
    // letter it begins with never comes into play.
    for (size_t i = 0; i < groups.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (groups[j].size() == 1 && groups[i].size() == 2 && groups[i][0] == groups[j][0]) {
                problems.push_back({1, false,
                                    "-" + groups[i] + " vor -" + groups[j] +
                                        " schreiben, sonst wird es nie ersetzt"});
                return;
            }
        }
    }
}

void CheckRepairWordLine(size_t index, std::string_view line, std::span<const std::string> groups,
                         const PlaceholderRule& rule, NotationProblems& problems) {
    if (BlanksAmiss(line)) {
        problems.push_back(At(index, kBlanksMessage));
        return;
    }
    const TaskText task = RepairTask(line, groups, rule, [](int) { return 0; });
    const size_t blank = line.find(' ');
    const std::string_view word = blank == std::string_view::npos ? line : line.substr(blank + 1);
    if (word.size() > kMaxRepairAnswer) {
        problems.push_back(At(index, "h\224chstens 30 Buchstaben im Wort"));
        return;
    }
    if (std::optional<std::string> untypeable = UntypeableIn(line)) {
        problems.push_back(At(index, *untypeable));
        return;
    }
    if (!rule.BothWays && rule.found && word.find(rule.Placeholder) != std::string_view::npos) {
        problems.push_back(
            At(index, "der Platzhalter " + std::string(1, rule.Placeholder) + " steht im Wort"));
        return;
    }
    if (!groups.empty() && task.task == task.word)
        problems.push_back(At(index, "nichts zu reparieren: keiner der Buchstaben aus Zeile 1"));
}

}  // namespace

bool IsAnswerLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'z') || (u >= ',' && u <= '9') || u == ' ' || u == '!' || u == '?' ||
           IsGermanLetter(u);
}

std::optional<ConvertLine> SplitConvertLine(std::string_view line) {
    const size_t dash = line.find(kDash);
    if (dash == std::string_view::npos) return std::nullopt;
    ConvertLine pieces = SplitPieces(line, dash);
    if (pieces.Word1.empty() || pieces.Word2.empty()) return std::nullopt;
    return pieces;
}

bool ReversibleRule(std::string_view line1) { return !line1.empty() && line1.front() == '!'; }

std::string ShownRule(std::string_view line1) {
    return std::string(ReversibleRule(line1) ? line1.substr(1) : line1);
}

std::vector<RulePiece> ReadGroupRule(std::string_view line1) {
    std::vector<RulePiece> pieces;
    int groups = 0;
    auto plain = [&](char c) {
        if (pieces.empty() || pieces.back().group) pieces.push_back({});
        pieces.back().text += c;
    };
    for (size_t i = 0; i < line1.size(); ++i) {
        const bool opens =
            line1[i] == kDash && i + 1 < line1.size() && line1[i + 1] != ' ' && groups < kMaxGroups;
        if (!opens) {
            plain(line1[i]);
            continue;
        }
        RulePiece group{std::string(1, line1[i + 1]), true};
        ++i;
        if (i + 1 < line1.size() && line1[i + 1] != ' ') group.text += line1[++i];
        pieces.push_back(std::move(group));
        ++groups;
    }
    return pieces;
}

std::vector<std::string> LetterGroups(std::string_view line1) {
    std::vector<std::string> groups;
    for (const RulePiece& p : ReadGroupRule(line1))
        if (p.group) groups.push_back(p.text);
    return groups;
}

PlaceholderRule ReadPlaceholder(std::string_view line2) {
    PlaceholderRule rule;
    for (size_t i = 0; i < line2.size(); ++i) {
        const char c = line2[i];
        const bool marks = !rule.found && (c == kDash || c == kBothWaysMark) &&
                           i + 1 < line2.size() && line2[i + 1] != ' ';
        if (!marks) {
            rule.shown += c;
            continue;
        }
        rule.found = true;
        rule.BothWays = c == kBothWaysMark;
        rule.Placeholder = line2[i + 1];
    }
    if (rule.BothWays) rule.shown += '.';
    return rule;
}

TaskText ConvertTask(const ConvertLine& line, int direction) {
    if (direction == 2) return {line.Article2 + line.Word2, line.Article1, line.Word1};
    return {line.Article1 + line.Word1, line.Article2, line.Word2};
}

TaskText RepairTask(std::string_view line, std::span<const std::string> groups,
                    const PlaceholderRule& rule, const DrawNumber& draw) {
    auto hide = [&](bool withArticle) {
        TaskText t;
        size_t wordStart = 0;
        bool SkipNext = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (SkipNext) {
                SkipNext = false;
                continue;
            }
            const char c = line[i];
            if (c == ' ' && withArticle && wordStart == 0) {
                t.article = std::string(line.substr(0, i + 1));
                wordStart = i + 1;
                t.task.clear();
                continue;
            }
            if (rule.BothWays && c == rule.Placeholder && !groups.empty()) {
                t.task += groups[static_cast<size_t>(draw(static_cast<int>(groups.size())))];
                continue;
            }
            const auto fits = std::find_if(groups.begin(), groups.end(), [&](const std::string& g) {
                return !g.empty() && line.substr(i, g.size()) == g;
            });
            if (fits == groups.end()) {
                t.task += c;
                continue;
            }
            t.task += std::string(fits->size(), rule.Placeholder);
            SkipNext = fits->size() == 2;
        }
        t.word = std::string(line.substr(wordStart, kMaxRepairAnswer));
        return t;
    };
    TaskText t = hide(true);
    // A line that is only an article and its blank is played as a word.
    if (t.word.empty()) t = hide(false);
    return t;
}

NotationProblems CheckConvertList(std::span<const std::string> lines) {
    NotationProblems problems;
    CheckConvertRule(lines, problems);
    const bool reversible = !lines.empty() && ReversibleRule(lines[0]);
    for (size_t i = kFirstTaskLine - 1; i < lines.size(); ++i)
        CheckConvertWordLine(i, lines[i], reversible, problems);
    CheckLength(lines, problems);
    return problems;
}

NotationProblems CheckRepairList(std::span<const std::string> lines) {
    NotationProblems problems;
    const std::string_view line1 = lines.empty() ? std::string_view() : lines[0];
    const std::string_view line2 = lines.size() < 2 ? std::string_view() : lines[1];
    CheckGroupRule(line1, problems);
    const PlaceholderRule rule = ReadPlaceholder(line2);
    if (!rule.found)
        problems.push_back({2, false, "Platzhalter fehlt (Beispiel: wird -x oder wird _x)"});
    const std::vector<std::string> groups = LetterGroups(line1);
    for (size_t i = kFirstTaskLine - 1; i < lines.size(); ++i)
        CheckRepairWordLine(i, lines[i], groups, rule, problems);
    CheckLength(lines, problems);
    return problems;
}

}  // namespace qs
