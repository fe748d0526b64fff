// The notation of the Wortvergleich lists (WWT): one task a line, two
// words joined by "-", each of at most 15 letters ("Kaffeekanne-Kaffeetasse").
// The game splits its lines with SplitWordPair, and the checker judges the
// same split, so the two cannot disagree about a line.
#pragma once

#include <span>
#include <string>

#include "trainer/Notation.h"

namespace qs {

constexpr size_t kComparisonWordMax = 15;

// The two words of a word-list line: before the first "-", and every other
// character after it.
struct WordPair {
    std::string a;
    std::string b;
};

// What the split made of a line: the words and the hyphens it found.
struct WordPairSplit {
    WordPair words;
    int hyphens = 0;  // a line without one gives an empty second word; further ones are dropped
};

WordPairSplit ParseWordPair(const std::string& line);
WordPair SplitWordPair(const std::string& line);

NotationProblems CheckComparisonList(std::span<const std::string> lines);

}  // namespace qs
