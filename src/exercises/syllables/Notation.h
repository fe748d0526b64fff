// The notation of the syllable lists ("OWT"), shared by "Silben ordnen" and
// "Zerlegen": syllables separated by "-", an optional article in front,
// ended by a blank within the first six characters: "der Blu-men-topf".
#pragma once

#include <span>
#include <string>
#include <vector>

#include "trainer/Notation.h"

namespace qs {

constexpr size_t kMaxSyllables = 16;
// The split word of "Zerlegen" after an article is cut to this length.
constexpr size_t kSplitTargetAfterArticle = 27;

struct SyllableLine {
    std::string article;  // with its trailing blank, or ""
    std::vector<std::string> syllables;
};

// Splits a line into its article and at most 16 syllables. Empty syllables
// (hyphens doubled or at the ends) are dropped, so that every syllable can
// be picked or split off; text past the 16th syllable is dropped too.
SyllableLine SplitSyllableLine(const std::string& line);

// A line the games can play: two syllables at least.
bool PlayableSyllableLine(const SyllableLine& s);

// The syllables without separators ("Blumentopf").
std::string JoinedSyllables(const SyllableLine& s);
// What "Zerlegen" asks for: the syllables joined by "-", cut after an
// article ("Blu-men-topf").
std::string SplitTarget(const SyllableLine& s);

// The problems the games would have with a list: one message a line.
NotationProblems CheckSyllableList(std::span<const std::string> lines);

}  // namespace qs
