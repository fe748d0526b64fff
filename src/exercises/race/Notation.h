// The notation of the race's word lists, for prefixes (".VWT") and endings
// (".EWT"), as pure functions: how one line splits into article, answers
// and stem, whether the race can play it, and the checkers the editor runs
// over a whole list.
//
// Line 1 names the parts in play: prefixes joined by "-" (be-ent-ver-vor),
// endings joined by "_" (ung_heit_keit). Every further line is one word:
//   prefixes: each prefix that fits, each followed by "-", then the stem,
//             its syllables split by "_"          (ab-an-be-ver-ste_hen)
//   endings:  the stem, its syllables split by "-", then each ending that
//             fits behind its own "_"             (ab-bei_\341en_zen)
// A blank before the first "-" ends the word's article (die Ab-fahrt).
//
// The endings lists are also played by the game with the biting jaws, which
// reads a line differently where a line breaks the rules: it takes a "-"
// after the first "_" into the ending, has no limit of ten parts but one of
// fifty characters for the stem, and cannot type the capital umlauts. The
// endings checker therefore accepts only lines that both games play alike.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "trainer/Notation.h"

namespace qs {

enum class RaceKind { Prefixes, Endings };

// One word line as the race plays it.
struct RaceWord {
    std::string article;               // with its blank; "" when none (or dropped)
    std::vector<std::string> answers;  // the prefixes or endings that are right
    std::string longest;               // the first of the longest answers
    std::string stem;                  // the stem, its syllables split by '_'
    std::string stemLetters;           // endings: the stem without separators
    bool blankBeforeDash = false;      // prefixes: no prefix before the "-"
    int parts = 0;                     // parts of the line: prefixes, or syllables and endings
    bool doubledUnderscore = false;    // "__" somewhere in the line
    bool stemStartsWithBlank = false;  // prefixes: "ver- kaufen" gets no hyphen before kaufen
};

// Splits a word line. keepArticle: endings drop the article unless the
// articles are shown (prefixes always keep it). trimStem: blanks around the
// stem go when the syllables are marked.
RaceWord ParseRaceLine(RaceKind kind, const std::string& line, bool keepArticle, bool trimStem);

// What the race does with a parsed line.
enum class LineUse {
    Play,     // the word is asked
    Message,  // prefixes without a prefix: the error message, then line 1's first part is right
    Skip,     // outside the notation: more than ten parts, no ending, "__" in an endings line
};
LineUse RaceLineUse(RaceKind kind, const RaceWord& word);

// One word line as the jaws game reads it: everything before the first "_"
// is the stem (article, syllables split by "-"), each further "_" starts an
// ending, and the text after the last "_" is the last one. A "-" behind the
// first "_" belongs to its ending.
struct TeethWord {
    std::string stem;                  // at most 50 characters
    size_t articleLength = 0;          // the article and its blank at the stem's start
    std::string lastSyllable;          // after the stem's last "-"; "" without a "-"
    std::vector<std::string> endings;  // at most 10, each at most 30 characters
    std::string longest;               // the first of the longest endings
};
TeethWord ParseTeethLine(const std::string& line);

// A line the jaws game can ask: one of its endings can be typed.
bool TeethLinePlayable(const TeethWord& word);

// The parts of line 1 (the click targets), split at "-" and "_".
std::vector<std::string> FirstLineParts(const std::string& line);

// Letters the race takes from the keyboard: codes 65..122 and the German
// umlauts and sharp s of code page 437. The jaws game takes no capital
// umlauts.
bool RaceTypeable(unsigned char c);
bool TeethTypeable(unsigned char c);

// The first letter in the other case: a..z and A..Z, \204/\216, \224/\231,
// \201/\232; other texts stay as they are.
std::string TryOtherCase(const std::string& text);

// The checkers of the two kinds of list.
NotationProblems CheckPrefixList(std::span<const std::string> lines);
NotationProblems CheckEndingList(std::span<const std::string> lines);

}  // namespace qs
