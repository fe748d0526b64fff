// The end scene of the building site: the barrow's picture sequence,
// played where the barrow stands.
#pragma once

#include "screen/Dos.h"

namespace qs {

// Plays the barrow's picture sequence where the barrow stands: the screen
// is first kept in page 0, then the frames of "Bitplane\filme\" run at the
// window position of graph point (barrowX - 1, 419), 60 x 60 graph units,
// on the barrow pictures' key colour, from entry 20, once, 200 ms a frame.
// Returns at once; the sequence plays on while the game waits, and
// CloseGraph stops it.
void PlayBarrowFilm(Dos& d, int barrowX);

}  // namespace qs
