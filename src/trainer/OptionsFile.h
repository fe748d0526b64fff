// The options file: 35 lines, the 19 option numbers and then the 16 file
// names chosen last, one per line, in code page 437 with CR LF.
#pragma once

#include <string>

#include "trainer/TrainerState.h"

namespace qs {

// The window caption without the name of an options file.
constexpr const char* kCaption = "Quendelstrand";

// The options file in use: the program's first argument when there is one,
// otherwise "lsp1.opt" in the program folder.
std::string OptionsFilePath(const Trainer& tr);

// Reads the options file when it exists, then applies the corrections every
// start applies (OptWortvergl on, values out of range reset) and clears
// OptionsChanged. A line that is not a number leaves its option at the
// default and the rest of the file is still read. A file that exists but
// cannot be read is reported on the screen and waited on with a key.
void ReadOptionsFile(Trainer& tr);

// Writes the options file anew; false when that failed (the old file is
// then unchanged).
bool WriteOptionsFile(Trainer& tr);

}  // namespace qs
