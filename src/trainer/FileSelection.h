// Word-list files: the file selection of each exercise, the extension check
// every exercise starts with, and the line list view that the start-word
// choice and the word-list editor share.
#pragma once

#include "trainer/TrainerState.h"

namespace qs {

// Result in LastKey: 27 cancelled, 13 chosen and loaded, 37 loaded but the
// start-word choice was cancelled.
void SelectWordFile(Trainer& tr);
// Sets WrongExtension when the loaded file does not fit the exercise.
void CheckWordFile(Trainer& tr);

void ShowListHeader(Trainer& tr);
void ListFirstPage(Trainer& tr);
void ListLineUp(Trainer& tr);
void ListLineDown(Trainer& tr);
void ListPageUp(Trainer& tr);
void ListPageDown(Trainer& tr);

}  // namespace qs
