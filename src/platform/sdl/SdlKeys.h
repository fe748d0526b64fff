// Translation of SDL key symbols into the keys the trainer distinguishes.
#pragma once

#include <SDL2/SDL_keyboard.h>

#include "platform/Platform.h"

namespace qs {

// The key for an SDL key symbol with the modifier state of its event. The
// keypad's cursor block counts as the cursor keys while Num Lock is off, as
// it does on the desktop.
Key MapSdlKey(SDL_Keycode sym, Uint16 mod);

}  // namespace qs
