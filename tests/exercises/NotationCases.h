// Shared pieces of the word-list checker tests: a row of a table of broken
// lists, and the expectations on what a checker reports for it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trainer/Notation.h"

namespace qs::test {

using Lines = std::vector<std::string>;

// A list with one fault, and the one problem the checker must report.
struct BrokenList {
    const char* what;
    Lines lines;
    int line;             // the line the problem names
    const char* message;  // code page 437
    bool block = false;
};

// Every problem on one line each, to read in a failure message.
inline std::string Listed(const NotationProblems& problems) {
    std::string text;
    for (const NotationProblem& p : problems) text += "\n  " + ProblemText(p);
    return text.empty() ? "\n  (none)" : text;
}

// The checker reports exactly the row's problem: it finds the fault and
// nothing else in a list that is otherwise good.
inline void ExpectOnlyProblem(NotationCheck check, const BrokenList& row) {
    const NotationProblems got = check(row.lines);
    ASSERT_EQ(got.size(), 1u) << row.what << Listed(got);
    EXPECT_EQ(got[0].line, row.line) << row.what << Listed(got);
    EXPECT_EQ(got[0].block, row.block) << row.what << Listed(got);
    EXPECT_EQ(got[0].message, row.message) << row.what << Listed(got);
}

inline void ExpectClean(NotationCheck check, const Lines& lines, const std::string& what) {
    const NotationProblems got = check(lines);
    EXPECT_TRUE(got.empty()) << what << Listed(got);
}

// The shipped word lists of one extension (upper case), each as its lines.
struct ShippedList {
    std::string name;
    Lines lines;
};
std::vector<ShippedList> ShippedListsOf(const std::string& extension);

}  // namespace qs::test
