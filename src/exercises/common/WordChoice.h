// The order in which a game takes the words of its list, with the repeat
// list of the players' state: while it holds words, every second word is a
// repeated one; in the ordered sequence the game then goes on where it
// left off (ResumeWordPos).
//
// The rule is the same for the race, the teeth game, the syllables and the
// converting games; they differ in the first line they play (the lines
// above it are the list's rules) and in whether a random choice also
// avoids the word before the current one.
#pragma once

#include <functional>

#include "trainer/TrainerState.h"

namespace qs {

// A number 0..n-1.
using RandomSource = std::function<int(int n)>;

struct WordSequence {
    int first = 1;                 // the first line the game plays
    bool ordered = false;          // "Reihenfolge"; otherwise "Zufall"
    bool avoidWordBefore = false;  // at random, not the word before the current one either
    int position = 0;              // the line played now
    int wordBefore = 0;            // the word played before CurrentWordNo
};

// A sequence as the game starts it: ordered with OptWortwahl
// "Reihenfolge", and then just before the start line chosen in the file
// selection (CurrentLine), so that the first word is that line; otherwise
// just before first.
WordSequence StartWordSequence(const Trainer& tr, int first, bool avoidWordBefore = false);

// The next word's line, which is also s.position afterwards:
//  - a position kept in ResumeWordPos is taken back first;
//  - a due repeated word comes off the repeat list, and the position it
//    interrupts is kept in ResumeWordPos (CurrentWordNo stays);
//  - otherwise the next line in order (back to first after the last), or a
//    random line first..wordCount other than CurrentWordNo (and the word
//    before); it becomes CurrentWordNo, and a repeated word is due next
//    when the list holds one.
// MistakeNoted is cleared: the new word has no mistake yet. A random
// choice that has nothing else to choose from takes what it drew.
int NextWord(PlayersState& p, WordSequence& s, int wordCount, const RandomSource& draw);

// The same with the trainer's word list and random numbers.
int NextWord(Trainer& tr, WordSequence& s);

}  // namespace qs
