// The notation of the Baustelle lists (BWT): one or more words a line, at
// most 30 characters, with exactly one part to be worked on between two
// "-": "der -kalte- Winter", "-Denkmal-schutz". The part becomes a brick
// above the wall and its place a gap in the line.
//
// The game is not written yet. It is to read its lines with
// ParseBuildingSiteLine, which the checker judges, so that the game and the
// checker share their rules.
#pragma once

#include <span>
#include <string>

#include "trainer/Notation.h"

namespace qs {

constexpr size_t kBuildingSiteLineMax = 30;
// The game runs only on a list of more lines than this.
constexpr size_t kBuildingSiteMinEntries = 3;

struct BuildingSiteLine {
    std::string before;   // the text left of the gap
    std::string brick;    // the part between the two "-": what the child puts in
    std::string after;    // the text right of the gap (further "-" included)
    bool opened = false;  // a "-" opens a gap
    bool closed = false;  // and a second one closes it
    int hyphens = 0;
};

// Splits at the first two "-". A line with an opening "-" and no closing
// one keeps the rest of the line as its brick (the game then says
// "Fehler in Textdatei: - vergessen!").
BuildingSiteLine ParseBuildingSiteLine(const std::string& line);
// The line as the wall shows it: the text without the two "-".
std::string WallText(const BuildingSiteLine& line);
// The characters the child can type into a gap.
bool IsBuildingSiteKey(unsigned char c);

NotationProblems CheckBuildingSiteList(std::span<const std::string> lines);

}  // namespace qs
