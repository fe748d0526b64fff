#include "exercises/race/Notation.h"

#include <algorithm>
#include <string_view>

namespace qs {

namespace {

constexpr size_t kMaxParts = 10;
constexpr size_t kMaxAnswersAllowed = 7;
constexpr size_t kMaxFirstLineParts = 16;
constexpr size_t kMaxLetters = 30;
constexpr size_t kMaxTeethStem = 50;
constexpr size_t kMaxTeethEndings = 10;
constexpr size_t kMaxTeethEnding = 30;

constexpr unsigned char kLowerUe = 0x81, kLowerAe = 0x84, kUpperAe = 0x8E, kLowerOe = 0x94,
                        kUpperOe = 0x99, kUpperUe = 0x9A, kSharpS = 0xE1;

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// The article ends at the first blank met before any "-".
size_t ArticleLength(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '-') return 0;
        if (line[i] == ' ') return i + 1;
    }
    return 0;
}

std::vector<std::string> SplitAt(std::string_view s, char separator) {
    std::vector<std::string> parts(1);
    for (char c : s) {
        if (c == separator) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

std::string FirstLongest(const std::vector<std::string>& parts) {
    std::string longest;
    for (const std::string& p : parts)
        if (p.size() > longest.size()) longest = p;
    return longest;
}

// The stem's syllables (split at "-") and, from the rest after the last
// "-", the endings: each "_" stores the text before it unless that is
// empty, when it counts the syllable as already given; the text after the
// last "_" is the last part. So "Frei-_heit" is the stem Frei with heit.
void SplitEndings(RaceWord& w, const std::string& line) {
    std::vector<std::string> dashed = SplitAt(line, '-');
    const std::string rest = dashed.back();
    dashed.pop_back();
    std::vector<std::string> parts = dashed;
    const size_t stemCount = dashed.size() + 1;
    size_t empties = 0;
    std::string collected;
    for (char c : rest) {
        if (c != '_') {
            collected += c;
            continue;
        }
        if (collected.empty()) ++empties;
        else parts.push_back(collected);
        collected.clear();
    }
    parts.push_back(collected);
    const size_t syllables = std::min(parts.size(), stemCount - std::min(empties, stemCount));
    std::vector<std::string> stem(parts.begin(), parts.begin() + static_cast<long>(syllables));
    std::vector<std::string> endings(parts.begin() + static_cast<long>(syllables), parts.end());
    while (!endings.empty() && endings.back().empty()) endings.pop_back();
    w.parts = static_cast<int>(parts.size());
    for (size_t i = 0; i < stem.size(); ++i) {
        if (i > 0) w.stem += '_';
        w.stem += stem[i];
        w.stemLetters += stem[i];
    }
    if (empties > 0) w.stem += '_';
    w.longest = FirstLongest(endings);
    w.answers = std::move(endings);
}

void SplitPrefixes(RaceWord& w, const std::string& line) {
    std::vector<std::string> parts = SplitAt(line, '-');
    w.stem = parts.back();
    parts.pop_back();
    w.parts = static_cast<int>(parts.size());
    for (std::string& p : parts)
        if (!p.empty()) w.answers.push_back(std::move(p));
    w.longest = FirstLongest(w.answers);
    w.blankBeforeDash = w.answers.empty();
}

bool Typeable(unsigned char c, bool capitalUmlauts) {
    if (c >= 65 && c <= 122) return true;
    if (c == kLowerUe || c == kLowerAe || c == kLowerOe || c == kSharpS) return true;
    return capitalUmlauts && (c == kUpperAe || c == kUpperOe || c == kUpperUe);
}

// ---- The checkers ------------------------------------------------------------

struct KindTexts {
    char separator;  // between the parts of line 1
    const char* parts;
    const char* part;
    const char* wrongSeparator;
};

const KindTexts kPrefixTexts{'-', "Vorsilben", "Vorsilbe", "Vorsilben mit Bindestrich trennen"};
const KindTexts kEndingTexts{'_', "Endungen", "Endung", "Endungen mit Unterstrich trennen"};

class Checker {
public:
    explicit Checker(NotationProblems& problems) : problems_(problems) {}
    void Report(int line, const std::string& message) {
        problems_.push_back({line, false, message});
    }
    // Blanks and keys the game does not take, in one answer; true when the
    // answer had such a problem.
    bool CheckAnswer(int line, const std::string& answer, const KindTexts& k, bool capitals) {
        if (answer.find(' ') != std::string::npos) {
            Report(line, std::string("Leerzeichen in der ") + k.part);
            return true;
        }
        const bool typeable = std::all_of(answer.begin(), answer.end(), [&](char c) {
            return Typeable(static_cast<unsigned char>(c), capitals);
        });
        if (!typeable) Report(line, std::string("Zeichen in der ") + k.part + " nicht eingebbar");
        return !typeable;
    }
    // The first answer with a problem is reported, once for the line.
    void CheckAnswers(int line, const std::vector<std::string>& answers, const KindTexts& k,
                      bool capitals) {
        for (const std::string& a : answers)
            if (!a.empty() && CheckAnswer(line, a, k, capitals)) return;
    }
    void CheckLetters(int line, const std::string& text) {
        const auto letters = std::count_if(text.begin(), text.end(),
                                           [](char c) { return c != '-' && c != '_' && c != ' '; });
        if (static_cast<size_t>(letters) > kMaxLetters) Report(line, "mehr als 30 Buchstaben");
    }
    void CheckFirstLine(const std::string& line, const KindTexts& k, bool capitals) {
        if (Trimmed(line).empty()) {
            Report(1, std::string(k.parts) + " fehlen");
            return;
        }
        const char other = k.separator == '-' ? '_' : '-';
        if (line.find(other) != std::string::npos) Report(1, k.wrongSeparator);
        const std::vector<std::string> parts = FirstLineParts(line);
        if (parts.size() > kMaxFirstLineParts) Report(1, std::string("mehr als 16 ") + k.parts);
        if (std::any_of(parts.begin(), parts.end(), [](const std::string& p) { return p.empty(); }))
            Report(1, std::string("leere ") + k.part);
        CheckAnswers(1, parts, k, capitals);
    }

private:
    NotationProblems& problems_;
};

void CheckPrefixLine(Checker& c, int n, const std::string& line) {
    if (Trimmed(line).empty()) return c.Report(n, "leere Zeile");
    if (line.find('-') == std::string::npos) return c.Report(n, "Bindestrich vergessen");
    const RaceWord w = ParseRaceLine(RaceKind::Prefixes, line, true, false);
    if (w.blankBeforeDash) return c.Report(n, "Leertaste vor Bindestrich");
    const std::string body = line.substr(ArticleLength(line));
    std::vector<std::string> prefixes = SplitAt(body, '-');
    prefixes.pop_back();
    if (std::any_of(prefixes.begin(), prefixes.end(),
                    [](const std::string& p) { return p.empty(); }))
        c.Report(n, "leere Vorsilbe");
    if (prefixes.size() > kMaxParts) c.Report(n, "mehr als 10 Vorsilben");
    else if (w.answers.size() > kMaxAnswersAllowed) c.Report(n, "mehr als 7 Vorsilben");
    const bool underscore = std::any_of(w.answers.begin(), w.answers.end(), [](const auto& p) {
        return p.find('_') != std::string::npos;
    });
    if (underscore) c.Report(n, "Unterstrich in der Vorsilbe");
    else c.CheckAnswers(n, w.answers, kPrefixTexts, true);
    const std::string stem = Trimmed(w.stem);
    if (stem.empty() || stem.find_first_not_of('_') == std::string::npos)
        c.Report(n, "Wortstamm fehlt");
    if (line.find("__") != std::string::npos) c.Report(n, "Unterstrich doppelt");
    c.CheckLetters(n, line);
}

void CheckEndingLine(Checker& c, int n, const std::string& line) {
    if (Trimmed(line).empty()) return c.Report(n, "leere Zeile");
    const size_t first = line.find('_');
    if (first == std::string::npos) return c.Report(n, "Unterstrich vergessen");
    if (line.find('-', first) != std::string::npos) c.Report(n, "Bindestrich in der Endung");
    if (line.find("__") != std::string::npos) c.Report(n, "Unterstrich doppelt");
    if (line.back() == '_') c.Report(n, "leere Endung");
    const std::string stemText = line.substr(0, first);
    if (stemText.find("--") != std::string::npos) c.Report(n, "Bindestrich doppelt");
    if (stemText.size() > kMaxTeethStem) c.Report(n, "Wortstamm zu lang");
    const RaceWord w = ParseRaceLine(RaceKind::Endings, line, false, false);
    if (Trimmed(w.stemLetters).empty()) c.Report(n, "Wortstamm fehlt");
    if (static_cast<size_t>(w.parts) > kMaxParts) c.Report(n, "mehr als 10 Teile");
    else if (w.answers.size() > kMaxAnswersAllowed) c.Report(n, "mehr als 7 Endungen");
    c.CheckAnswers(n, SplitAt(line.substr(first + 1), '_'), kEndingTexts, false);
    c.CheckLetters(n, line);
}

NotationProblems CheckList(std::span<const std::string> lines, RaceKind kind) {
    NotationProblems problems;
    Checker c(problems);
    const bool prefixes = kind == RaceKind::Prefixes;
    const std::string firstLine = lines.empty() ? std::string() : lines[0];
    c.CheckFirstLine(firstLine, prefixes ? kPrefixTexts : kEndingTexts, prefixes);
    if (lines.size() < 2) {
        c.Report(1, "keine W\x94rter nach der ersten Zeile");
        return problems;
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        if (prefixes) CheckPrefixLine(c, n, lines[i]);
        else CheckEndingLine(c, n, lines[i]);
    }
    return problems;
}

}  // namespace

RaceWord ParseRaceLine(RaceKind kind, const std::string& line, bool keepArticle, bool trimStem) {
    RaceWord w;
    w.doubledUnderscore = line.find("__") != std::string::npos;
    const size_t articleLength = ArticleLength(line);
    const std::string body = line.substr(articleLength);
    if (kind == RaceKind::Prefixes || keepArticle) w.article = line.substr(0, articleLength);
    if (kind == RaceKind::Prefixes) SplitPrefixes(w, body);
    else SplitEndings(w, body);
    w.stemStartsWithBlank = !w.stem.empty() && w.stem[0] == ' ';
    if (trimStem) w.stem = Trimmed(w.stem);
    return w;
}

LineUse RaceLineUse(RaceKind kind, const RaceWord& word) {
    if (static_cast<size_t>(word.parts) > kMaxParts) return LineUse::Skip;
    if (kind == RaceKind::Prefixes) return word.blankBeforeDash ? LineUse::Message : LineUse::Play;
    if (word.doubledUnderscore || word.answers.empty()) return LineUse::Skip;
    return LineUse::Play;
}

TeethWord ParseTeethLine(const std::string& line) {
    TeethWord w;
    const size_t first = line.find('_');
    w.stem = line.substr(0, std::min(first, kMaxTeethStem));
    const size_t blank = w.stem.find(' ');
    if (blank != std::string::npos) w.articleLength = blank + 1;
    const size_t dash = w.stem.rfind('-');
    if (dash != std::string::npos) w.lastSyllable = w.stem.substr(dash + 1);
    if (first == std::string::npos) return w;
    for (std::string& ending : SplitAt(std::string_view(line).substr(first + 1), '_')) {
        if (w.endings.size() == kMaxTeethEndings) break;
        if (ending.size() > kMaxTeethEnding) ending.resize(kMaxTeethEnding);
        w.endings.push_back(std::move(ending));
    }
    w.longest = FirstLongest(w.endings);
    return w;
}

bool TeethLinePlayable(const TeethWord& word) {
    return std::any_of(word.endings.begin(), word.endings.end(), [](const std::string& e) {
        return !e.empty() && std::all_of(e.begin(), e.end(), [](char c) {
            return Typeable(static_cast<unsigned char>(c), false);
        });
    });
}

std::vector<std::string> FirstLineParts(const std::string& line) {
    std::vector<std::string> parts(1);
    for (char c : line) {
        if (c == '-' || c == '_') parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

bool RaceTypeable(unsigned char c) { return Typeable(c, true); }
bool TeethTypeable(unsigned char c) { return Typeable(c, false); }

std::string TryOtherCase(const std::string& text) {
    if (text.empty()) return text;
    std::string s = text;
    const auto c = static_cast<unsigned char>(s[0]);
    static constexpr unsigned char kPairs[][2] = {
        {kLowerAe, kUpperAe}, {kLowerOe, kUpperOe}, {kLowerUe, kUpperUe}};
    unsigned char other = c;
    if (c >= 'a' && c <= 'z') other = static_cast<unsigned char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z') other = static_cast<unsigned char>(c - 'A' + 'a');
    for (const auto& pair : kPairs) {
        if (c == pair[0]) other = pair[1];
        if (c == pair[1]) other = pair[0];
    }
    s[0] = static_cast<char>(other);
    return s;
}

NotationProblems CheckPrefixList(std::span<const std::string> lines) {
    return CheckList(lines, RaceKind::Prefixes);
}

NotationProblems CheckEndingList(std::span<const std::string> lines) {
    return CheckList(lines, RaceKind::Endings);
}

}  // namespace qs
