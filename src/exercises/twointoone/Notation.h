// The notation of the Aus 2 mach 1 lists (AWT): the two parts of a
// compound word joined by "-" ("Kaffee-tasse"), or the compound as it is
// written, "_", and the parts ("Kaffeetasse_Tasse-Kaffee"), each part of at
// most 12 letters. One list uses one of the two forms throughout.
//
// The game (exercises/twointoone/TwoIntoOne.h) reads its lines with
// ParseCompoundLine, which the checker judges, so that the game and the
// checker share their rules. A task plays four lines in a row: the second
// part of the first, both parts of the next two (the two words to find) and
// the first part of the fourth; after the last line the list goes on with
// its first.
#pragma once

#include <span>
#include <string>

#include "trainer/Notation.h"

namespace qs {

constexpr size_t kCompoundPartMax = 12;
// The game runs only on a list of more lines than this.
constexpr size_t kTwoIntoOneMinEntries = 6;

struct CompoundLine {
    std::string compound;  // the word the child types: before "_", or both parts joined
    std::string first;     // the part before the last "-"
    std::string second;    // the part after it
    bool written = false;  // the compound is written out before a "_"
    bool hasHyphen = false;
    int hyphens = 0;      // in the parts
    int underscores = 0;  // in the whole line
};

// The parts are split at the last "-" (after the first "_" when there is one).
CompoundLine ParseCompoundLine(const std::string& line);
// The second part as its cell shows it: with its "-" in a list of joined
// parts, without it in a list of written compounds.
std::string ShownSecondPart(const CompoundLine& line, bool writtenList);
// The characters the child can type into an answer line (a blank only
// after the first letter).
bool IsTwoIntoOneKey(unsigned char c);

NotationProblems CheckTwoIntoOneList(std::span<const std::string> lines);

}  // namespace qs
