// The trainer's title screen: the whole character screen shaded, the
// imprint on the bottom row and the program line on the top row.
#pragma once

#include <string>

#include "screen/Dos.h"

namespace qs {

// The version field of the top row (29 cells) and the imprint line of the
// bottom row (80 cells), code page 437.
std::string VersionField();
std::string ImprintLine();

void ShowTitleScreen(Dos& d);

}  // namespace qs
