// Reading what a run showed: the dumps it wrote (NAME.txt: a mode line, the
// character grid in UTF-8, in graphics mode the graphics texts) and the
// files it printed.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace qs::test {

// The text of each dump (NAME.txt) in a dump folder, by name.
std::map<std::string, std::string> ReadDumps(const std::string& outDir);

// Row (1-based) of a dump's character grid, without the trailing newline.
std::string DumpRow(const std::string& dump, int row);
// The same row, one character per cell.
std::u32string DumpCells(const std::string& dump, int row);
// The row shows the (ASCII) text from column col on.
bool ShowsAt(const std::string& dump, int col, int row, const std::string& text);

// Columns from..to (1-based, inclusive) of a dump row, counted in
// characters; of row `row` of a dump.
std::string Cells(const std::string& row, int from, int to);
std::string Cells(const std::string& dump, int row, int from, int to);
// s n times.
std::string Times(const std::string& s, int n);
// A code page 437 string as the dump shows it where no glyph picture draws
// a byte: each byte as the display letter it is drawn with.
std::string ShownUtf8(const std::string& cp437);

// The graphics texts of a dump ("text X Y COLOUR "TEXT"" lines), in order.
std::vector<std::string> DumpTexts(const std::string& dump);
// The last dumped graphics text at (x, y), or "" when there is none.
std::string TextAt(const std::string& dump, int x, int y);

// A file's lines split at CR LF (a final CR LF ends the last line).
std::vector<std::string> CrLfLines(const std::string& bytes);

}  // namespace qs::test
