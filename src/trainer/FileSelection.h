// Word-list files: the file selection of each exercise, the extension check
// every exercise starts with, and the line list view that the start-word
// choice and the word-list editor share.
#pragma once

#include <string>

#include "trainer/TrainerState.h"

namespace qs {

// The longest line a loaded word list keeps; longer lines are cut.
constexpr size_t kWordLineMax = 255;
// The editor keeps at most this much of the current line.
constexpr size_t kEditBufferMax = 78;

// Result in LastKey: 27 cancelled, 13 chosen and loaded, 37 loaded but the
// start-word choice was cancelled.
void SelectWordFile(Trainer& tr);
// Sets WrongExtension when the loaded file does not fit the exercise.
void CheckWordFile(Trainer& tr);

// The word-list extension of the file program ProgramNo names ("VWT"), ""
// for a program without word lists.
std::string WordFileExtension(const Trainer& tr);
// A file name found on disk as the trainer shows it (code page 437).
std::string ShownFileName(const std::string& diskName, bool noConversion);

// The line list view in the window (1,1,39,25).
void ShowListHeader(Trainer& tr);
void ListFirstPage(Trainer& tr);
void ListLineUp(Trainer& tr);
void ListLineDown(Trainer& tr);
void ListPageUp(Trainer& tr);
void ListPageDown(Trainer& tr);
// Pieces of the view the editor uses as well: writes line n (its number and
// text) on its row; copies the current line into EditBuffer and rewrites it;
// writes EditBuffer back into the list.
void ListShowLine(Trainer& tr, int n);
void ListLoadLine(Trainer& tr);
void ListKeepLine(Trainer& tr);

}  // namespace qs
