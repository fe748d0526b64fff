// What the exercises share for one or two children taking turns: the
// question for the number of players, the entry of their names, the error
// sound, the list of words asked again after a mistake, the first line of a
// word list shown as pieces the mouse can pick, and two text helpers. The
// state is tr.players; the scoring is each exercise's own.
#pragma once

#include <string>

#include "trainer/TrainerState.h"

namespace qs {

inline constexpr const char* kDefaultName1 = "Spieler 1";
inline constexpr const char* kDefaultName2 = "Spieler 2";
constexpr size_t kNameLength = 10;

// LastKey: '1', '2', RETURN (one player) or ESC.
void AskPlayerCount(Trainer& tr);
// With LastKey '2' both players type their names (PlayerCount := 2);
// otherwise player 1 only gets a name when he has none. LastKey ends as
// RETURN or ESC, or unchanged with one player.
void AskPlayerNames(Trainer& tr);
// Types one name at the top of the screen behind label; LastKey ends as
// RETURN or ESC.
void EnterPlayerName(Trainer& tr, std::string& name, const std::string& label, int labelColour);
// A name still equal to its default becomes empty again.
void ClearDefaultNames(Trainer& tr);

// Puts CurrentWordNo on the repeat list: once per task, only for a single
// player and only when repeating is switched on.
void RememberMistake(Trainer& tr);
// RememberMistake for the word of list line `line`: a repeated word is
// played while CurrentWordNo still names the word before it.
void RememberMistakeOf(Trainer& tr, int line);
// The error sound (unless sound is off), then RememberMistake.
void MistakeSound(Trainer& tr);

// Start of a task's word choice. When a repeated word is due it is taken
// off the list into wordNo and true is returned; otherwise the exercise
// chooses a new word and calls NewWordChosen.
bool TakeRepeatedWord(PlayersState& p, int& wordNo);
// After a new word: while the list holds words, every second task repeats one.
void NewWordChosen(PlayersState& p);

// Shows WordList[1] centred at the top, its parts joined by "/ ", and
// fills the piece table with each part's x range. Also starts a new round:
// TaskCount, TaskMistakes and the turn are reset.
void ShowWordParts(Trainer& tr);

// WorkText at (x, y), plain; WriteWorkRect also gives its rectangle.
void WriteWork(Trainer& tr, int x, int y);
Rect WriteWorkRect(Trainer& tr, int x, int y);

}  // namespace qs
