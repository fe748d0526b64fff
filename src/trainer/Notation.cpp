#include "trainer/Notation.h"

#include <algorithm>

namespace qs {

std::string ProblemText(const NotationProblem& problem) {
    std::string text = problem.block ? "Block ab Zeile " : "Zeile ";
    text += std::to_string(problem.line);
    text += ": ";
    text += problem.message;
    return text;
}

namespace {

bool IsBlank(const std::string& line) { return line.find_first_not_of(' ') == std::string::npos; }

bool HasControlCharacter(const std::string& line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 32 || b == 127;
    });
}

}  // namespace

void AddProblem(NotationProblems& out, int line, std::string message, bool block) {
    out.push_back(NotationProblem{line, block, std::move(message)});
}

void SortByLine(NotationProblems& problems) {
    std::stable_sort(
        problems.begin(), problems.end(),
        [](const NotationProblem& a, const NotationProblem& b) { return a.line < b.line; });
}

std::vector<NotationEntry> NotationEntries(std::span<const std::string> lines,
                                           NotationProblems& out) {
    std::vector<NotationEntry> entries;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& text = lines[i];
        if (IsBlank(text)) continue;
        const int no = static_cast<int>(i) + 1;
        if (HasControlCharacter(text)) AddProblem(out, no, "Steuerzeichen in der Zeile");
        if (text.size() > kNotationLineMax) AddProblem(out, no, "Zeile l\x84nger als 78 Zeichen");
        if (entries.size() == kNotationMaxEntries)
            AddProblem(out, no, "Liste hat mehr als 300 Zeilen");
        entries.push_back(NotationEntry{no, &text});
    }
    return entries;
}

}  // namespace qs
