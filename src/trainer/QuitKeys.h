// The key reading of the exercises, the file selection and the editor: ESC
// (and F1) does not leave at once but asks "Jetzt schon beenden?  j/n".
#pragma once

#include "trainer/TrainerState.h"

namespace qs {

// LastKey := the next key; F1 counts as ESC, and ESC asks first. Callers
// test LastKey for ESC.
void ReadKeyOrQuit(Trainer& tr);

// The quit box over the graphics screen: LastKey := 27 when the player
// answers "j", 0 for "n" or ESC. The screen under the box, the fill and the
// text style are restored.
void AskQuitNow(Trainer& tr);

}  // namespace qs
