// The options screen: fifteen options in a box on the right half of the
// menu screen, changed with the arrow keys or the mouse.
#pragma once

#include "trainer/TrainerState.h"

namespace qs {

constexpr int kOptionRows = 15;

// Shows the screen and works on the options until ESC, F1 or a menu hotkey
// ends it; that key is left in MenuKey. Marks the options as changed.
void OptionsScreen(Trainer& tr);

// The screen row (in the options window) of option row 1..15.
int OptionScreenRow(int optionRow);

// Row painters: each writes the value texts of its row from column 13, the
// current value highlighted, and leaves the colours at 0 on 7.
void DrawOptMaus(Trainer& tr);
void DrawOptTrennung(Trainer& tr);
void DrawOptWortwahl(Trainer& tr);
void DrawOptArtikel(Trainer& tr);
void DrawOptTon(Trainer& tr);
void DrawOptEndungen(Trainer& tr);
void DrawOptWortvergl(Trainer& tr);
void DrawOptSauri(Trainer& tr);
void DrawOptZerlegen(Trainer& tr);
void DrawOptZerlegenArt(Trainer& tr);
void DrawOptBaustelle(Trainer& tr);
void DrawOptBausteine(Trainer& tr);
void DrawOptGreifen(Trainer& tr);
void DrawOptGreifteile(Trainer& tr);
void DrawOptWiederhole(Trainer& tr);

}  // namespace qs
