#include "exercises/comparison/Notation.h"

#include <algorithm>

namespace qs {

WordPairSplit ParseWordPair(const std::string& line) {
    WordPairSplit s;
    s.hyphens = static_cast<int>(std::count(line.begin(), line.end(), '-'));
    const size_t dash = line.find('-');
    s.words.a = line.substr(0, dash);
    if (dash == std::string::npos) return s;
    for (size_t i = dash + 1; i < line.size(); ++i)
        if (line[i] != '-') s.words.b += line[i];
    return s;
}

WordPair SplitWordPair(const std::string& line) { return ParseWordPair(line).words; }

namespace {

void CheckPair(int no, const std::string& line, NotationProblems& out) {
    const WordPairSplit s = ParseWordPair(line);
    if (s.hyphens == 0) {
        AddProblem(out, no, "Bindestrich vergessen");
        return;
    }
    // The game drops further hyphens and glues the rest into the second word.
    if (s.hyphens > 1) AddProblem(out, no, "mehr als ein Bindestrich");
    if (s.words.a.empty()) AddProblem(out, no, "erstes Wort fehlt");
    if (s.words.b.empty()) AddProblem(out, no, "zweites Wort fehlt");
    if (std::max(s.words.a.size(), s.words.b.size()) > kComparisonWordMax)
        AddProblem(out, no, "Wort l\x84nger als 15 Buchstaben");
    // A task that shows the first word beside the second counts them as
    // different, so "j" would be judged wrong for two equal words.
    if (!s.words.a.empty() && s.words.a == s.words.b)
        AddProblem(out, no, "beide W\x94rter sind gleich");
}

}  // namespace

NotationProblems CheckComparisonList(std::span<const std::string> lines) {
    NotationProblems out;
    const std::vector<NotationEntry> entries = NotationEntries(lines, out);
    if (entries.empty()) AddProblem(out, 1, "Liste ohne W\x94rter");
    for (const NotationEntry& e : entries) CheckPair(e.line, *e.text, out);
    SortByLine(out);
    return out;
}

}  // namespace qs
