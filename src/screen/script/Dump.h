// The screen dump of a scripted run: NAME.png (the window) and NAME.txt,
// the screen as text for tests and reviewers to compare:
//   mode: text|graphics
//   25 or 30 rows of 80 characters, what the text screen last wrote, in UTF-8
//   in graphics mode, one line per graphics text since InitGraph or a
//   whole-screen Bar:  text X Y COLOUR "TEXT"
#pragma once

#include <string>

#include "screen/Dos.h"

namespace qs {

std::string DumpText(const Dos& d);

// What the script's `until` looks at, as the dump shows it: whether one row
// of the character grid holds text, and a graphics text in UTF-8 (without
// the quotes and escapes of the dump).
bool GridShows(const Dos& d, const std::u32string& text);
std::string ShownGraphText(const Dos& d, const GraphText& t);

// Writes NAME.png and NAME.txt into outDir (made when missing). Throws
// std::runtime_error when a file cannot be written.
void WriteDump(Dos& d, const std::string& outDir, const std::string& name);

}  // namespace qs
