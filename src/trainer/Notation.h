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

}  // namespace qs
