// The notation of the Kontakt and Greifen lists (KWT): two parts of a
// compound word joined by "-", each of at most 8 letters
// ("Autobahn-auffahrt"); after 4, 6 or 8 words a line beginning with "-"
// closes the block of words that share one board. A block line "-3" asks
// for only 3 connections. A "/" before the first line shows the typed
// answers with their parts apart.
//
// The two games are not written yet. They are to read their lines with
// these functions, which the checker judges, so that the games and the
// checker share their rules.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "trainer/Notation.h"

namespace qs {

constexpr size_t kContactPartMax = 8;
// A board holds this many words; further lines of a block are not played.
constexpr size_t kContactBlockMax = 8;

// A line beginning with "-" closes a block.
bool IsBlockEnd(const std::string& line);
// The "/" before the first line of a list.
bool HasSeparatedMark(const std::string& firstLine);
std::string WithoutSeparatedMark(const std::string& firstLine);

struct ContactPair {
    std::string first;   // before the first "-"
    std::string second;  // after it
    int hyphens = 0;
};
ContactPair SplitContactLine(const std::string& line);

// The connections that finish a block of `size` words: the digit of a
// block line of two characters, or all of them when there is none or it is
// below 2 or above the size.
int NeededConnections(const std::string& blockEnd, int size);

// A block: its word lines [begin, begin + size) and the block line after
// them, when there is one (end of the list otherwise). Block lines
// directly after one another make no block.
struct ContactBlock {
    size_t begin = 0;
    size_t size = 0;
    bool closed = false;
    size_t Played() const { return size < kContactBlockMax ? size : kContactBlockMax; }
};
std::vector<ContactBlock> ContactBlocks(std::span<const std::string> lines);

// The characters the child can type in Kontakt.
bool IsContactKey(unsigned char c);

NotationProblems CheckContactList(std::span<const std::string> lines);

}  // namespace qs
