// The word lists of "Umwandeln" (.UWT) and "Reparieren" (.RWT): lines 1 and
// 2 hold the rule, every further line is one task.
//
// Umwandeln: line 1 is the instruction ("!" first: the direction may be
// turned round with F5), line 2 a second instruction; a word line holds two
// forms joined by "-", each with an optional leading word ended by a blank:
// "der B\x84cker-backen", "die Maus-die M\x84use".
//
// Reparieren: line 1 names the letter groups to hide, each "-" and one or
// two letters ("Aus -a -e -ie"); line 2 the placeholder after "-" or, to
// hide both ways, after "_" ("wird -x", "wird _x"); a word line is a word
// with an optional article ("die Liebe").
//
// The parsing here is what the game plays, and the checkers report the
// lines that the game would play wrongly or not at all.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "trainer/Notation.h"

namespace qs {

// The first word line; lines 1 and 2 are the rule.
constexpr int kFirstTaskLine = 3;
// Fewer word lines than this give no game.
constexpr int kMinTaskLines = 3;

// A character the child can type as part of an answer: "A".."z", ",".."9",
// the blank, "!", "?" and the German letters (code page 437).
bool IsAnswerLetter(char c);

// ---- Umwandeln ----------------------------------------------------------------

// The four pieces of a word line. Article1 is the text up to and including
// the first blank before the "-", Word1 the rest up to the "-"; Article2 the
// text after the "-" up to and including its first blank, Word2 the rest.
// No piece holds a "-".
struct ConvertLine {
    std::string Article1;
    std::string Word1;
    std::string Article2;
    std::string Word2;
};

// The pieces, or nothing when the line has no "-" or a side has no word
// (such a line cannot be played in either direction).
std::optional<ConvertLine> SplitConvertLine(std::string_view line);

// Line 1 starts with "!": F5 may turn the direction round.
bool ReversibleRule(std::string_view line1);
// Line 1 as it is shown: without its "!".
std::string ShownRule(std::string_view line1);

// ---- Reparieren ---------------------------------------------------------------

constexpr int kMaxGroups = 15;
// The answer of a repair task keeps at most this many characters.
constexpr size_t kMaxRepairAnswer = 30;

// One piece of line 1 as the game draws it: plain text, or a letter group
// (its "-" is not drawn; a "," stands in its place before every group but
// the first).
struct RulePiece {
    std::string text;
    bool group = false;
};

// Line 1 in pieces. A "-" followed by a letter opens a group; the group
// takes the next character as well when that is not a blank, also at the
// end of the line ("Aus -a -ie": "a" and "ie"). A "-" with a blank or
// nothing after it is plain text. Groups beyond the fifteenth stay plain
// text.
std::vector<RulePiece> ReadGroupRule(std::string_view line1);
// The letter groups of line 1, in order.
std::vector<std::string> LetterGroups(std::string_view line1);

// Line 2: the first "-" or "_" followed by a character other than a blank
// names the placeholder; "_" hides both ways.
struct PlaceholderRule {
    bool found = false;
    char Placeholder = '?';  // taken when line 2 names none
    bool BothWays = false;
    std::string shown;  // line 2 as drawn: without the "-" or "_", "." closing it both ways
};
PlaceholderRule ReadPlaceholder(std::string_view line2);

// ---- The tasks of both games ------------------------------------------------

// What one task shows and what the child must type: the answer's article
// (with its blank, or "") and the answer after it.
struct TaskText {
    std::string task;
    std::string article;
    std::string word;
};

// direction 1: the first form is shown and the second asked; 2 the reverse.
TaskText ConvertTask(const ConvertLine& line, int direction);

// A number 0..n-1.
using DrawNumber = std::function<int(int n)>;

// The repair task of a word line: going along the line, the first group
// that fits at a place (a pair needs both its letters) becomes the
// placeholder, twice for a pair; both ways, a placeholder letter of the word
// becomes the letters of a group drawn at random. The first blank ends the
// article: what stands before it (blank included) is the article, and the
// task starts afresh after it. The answer is the word after the article, at
// most 30 characters.
TaskText RepairTask(std::string_view line, std::span<const std::string> groups,
                    const PlaceholderRule& rule, const DrawNumber& draw);

// ---- The checkers -------------------------------------------------------------

NotationProblems CheckConvertList(std::span<const std::string> lines);
NotationProblems CheckRepairList(std::span<const std::string> lines);

}  // namespace qs
