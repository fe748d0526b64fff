// The program table of the menu: one row per menu entry with its launcher.
// A new game adds its row here and its folder beside comparison/.
#pragma once

#include "trainer/Programs.h"

namespace qs {

// The twelve rows in menu order, for whoever builds a Trainer.
ProgramTable AllPrograms();

// Endungen is played as the race (OptEndungen " Wettrennen ") or with the
// bite.
void RunEndings(Trainer& tr);

}  // namespace qs
