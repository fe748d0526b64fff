// The trainer's main procedure: called by the main window on its first idle
// moment; returns when the user quits.
#pragma once

#include "trainer/FileSelection.h"
#include "trainer/TrainerState.h"

namespace qs {

void TrainerMain(Trainer& tr);

// Runs the menu entry ProgramNo names, as RETURN in the menu does: the
// word-list selection (selectWordFile), the exercise and, after some, the
// work certificate; ProgramNo is the entry again afterwards.
using WordFileSelection = void (*)(Trainer&);
void DispatchEntry(Trainer& tr, WordFileSelection selectWordFile = SelectWordFile);

}  // namespace qs
