// The trainer's main procedure: called by the main window on its first idle
// moment; returns when the user quits.
#pragma once

#include "screen/Dos.h"

namespace qs {

void TrainerMain(Dos& d);

}  // namespace qs
