// Launchers of the games not written yet: each checks the word list and
// returns to the menu. A game's own folder replaces its placeholder.
#pragma once

#include "trainer/TrainerState.h"

namespace qs {

void RunGrabbing(Trainer& tr);  // Greifen

}  // namespace qs
