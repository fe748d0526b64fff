// The trainer's main procedure: called by the main window on its first idle
// moment; returns when the user quits.
#pragma once

#include "trainer/TrainerState.h"

namespace qs {

void TrainerMain(Trainer& tr);

}  // namespace qs
