// What a word list's checker reports: the problems a list has for the
// exercise that plays it. Each kind of list has one checker, written beside
// the parsing its exercise uses (src/exercises/<game>/Notation.*) so that the
// two share their rules; the program table names it in the row's `check`.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace qs {

struct NotationProblem {
    int line = 0;         // 1-based line of the list
    bool block = false;   // the problem is one of the block that begins at `line`
    std::string message;  // code page 437, without the line: "Bindestrich vergessen"
};

using NotationProblems = std::vector<NotationProblem>;

// Lines as they stand in the file: code page 437, without line ends.
using NotationCheck = NotationProblems (*)(std::span<const std::string> lines);

// "Zeile 7: Bindestrich vergessen", or for a block
// "Block ab Zeile 5: ungerade Anzahl von W\x94rtern".
std::string ProblemText(const NotationProblem& problem);

// One line the word-list loader keeps (a line that is not blank), with its
// 1-based line number in the file.
struct NotationEntry {
    int line = 0;
    const std::string* text = nullptr;
};

// The most lines a list may hold: what the editor keeps.
constexpr size_t kNotationMaxEntries = 300;
constexpr size_t kNotationLineMax = 78;

// The lines an exercise gets, in order. Adds the problems every kind of
// list shares to `out`: a control character (a line of a binary file), a
// line longer than the editor keeps, and more lines than it holds.
std::vector<NotationEntry> NotationEntries(std::span<const std::string> lines,
                                           NotationProblems& out);

// Puts the problems in line order, keeping the order of those of one line.
void SortByLine(NotationProblems& problems);

// Appends a problem of line `line` (or of the block that begins there).
void AddProblem(NotationProblems& out, int line, std::string message, bool block = false);

}  // namespace qs
