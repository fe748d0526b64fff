#include "exercises/syllables/Notation.h"

#include <algorithm>

namespace qs {

namespace {

// A blank up to this character position ends the article while no
// syllable is complete.
constexpr size_t kArticleEnd = 6;
constexpr size_t kMaxLetters = 30;
constexpr size_t kMinLines = 3;

bool Blank(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

bool HasControlByte(const std::string& line) {
    return std::any_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 32; });
}

size_t LettersAfterArticle(const std::string& line, size_t articleLength) {
    const std::string_view word = std::string_view(line).substr(articleLength);
    return static_cast<size_t>(
        std::count_if(word.begin(), word.end(), [](char c) { return c != '-'; }));
}

// Counts the syllables as written, empty ones included, so that the
// checker can tell a doubled hyphen from one at an end.
size_t HyphenCount(std::string_view word) {
    return static_cast<size_t>(std::count(word.begin(), word.end(), '-'));
}

void CheckLine(const std::string& line, int lineNo, NotationProblems& out) {
    auto report = [&](const char* message) { out.push_back({lineNo, false, message}); };
    if (HasControlByte(line)) report("Steuerzeichen in der Zeile");
    const SyllableLine s = SplitSyllableLine(line);
    const std::string_view word = std::string_view(line).substr(s.article.size());
    const size_t hyphens = HyphenCount(word);
    if (hyphens == 0) {
        report("Bindestrich vergessen");
        return;
    }
    if (word.find("--") != std::string_view::npos) report("doppelter Bindestrich");
    if (word.front() == '-') report("Bindestrich am Anfang");
    if (word.back() == '-') report("Bindestrich am Ende");
    if (!PlayableSyllableLine(s)) report("weniger als 2 Silben");
    if (hyphens + 1 > kMaxSyllables) report("mehr als 16 Silben");
    if (LettersAfterArticle(line, s.article.size()) > kMaxLetters)
        report("Wort l\x84nger als 30 Buchstaben");
    else if (!s.article.empty() && word.size() > kSplitTargetAfterArticle)
        report("nach dem Artikel h\224chstens 27 Zeichen");
}

}  // namespace

SyllableLine SplitSyllableLine(const std::string& line) {
    SyllableLine s;
    std::string current;
    bool syllableDone = false;
    auto finish = [&] {
        if (!current.empty() && s.syllables.size() < kMaxSyllables) s.syllables.push_back(current);
        current.clear();
    };
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '-') {
            finish();
            syllableDone = true;
        } else if (c == ' ' && !syllableDone && i + 1 <= kArticleEnd) {
            s.article = line.substr(0, i + 1);
            current.clear();
        } else {
            current += c;
        }
    }
    finish();
    return s;
}

bool PlayableSyllableLine(const SyllableLine& s) { return s.syllables.size() >= 2; }

std::string JoinedSyllables(const SyllableLine& s) {
    std::string joined;
    for (const std::string& syllable : s.syllables) joined += syllable;
    return joined;
}

std::string SplitTarget(const SyllableLine& s) {
    std::string target;
    for (const std::string& syllable : s.syllables) {
        if (!target.empty()) target += '-';
        target += syllable;
    }
    if (!s.article.empty() && target.size() > kSplitTargetAfterArticle)
        target.resize(kSplitTargetAfterArticle);
    return target;
}

NotationProblems CheckSyllableList(std::span<const std::string> lines) {
    NotationProblems problems;
    int lineNo = 0;
    size_t words = 0;
    for (const std::string& line : lines) {
        ++lineNo;
        if (Blank(line)) continue;
        ++words;
        CheckLine(line, lineNo, problems);
    }
    if (words < kMinLines) problems.push_back({1, false, "mindestens 3 W\x94rter n\x94tig"});
    return problems;
}

}  // namespace qs
