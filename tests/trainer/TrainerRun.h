// Runs the trainer's main procedure in the main window on the headless
// platform, driven by a script, like the whole program but with a hand on
// the trainer: a test may prepare the trainer before it starts and look at
// it when it ends, and it may see which menu entry is highlighted in a dump.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "trainer/TrainerState.h"

namespace qs::test {

struct TrainerRunOptions {
    std::string appDir;  // from MakeTestAppDir
    std::string script;
    std::string firstArgument;
    std::function<void(Trainer&)> setup;    // before TrainerMain
    std::function<void(Trainer&)> inspect;  // after TrainerMain, also when the script ran out
};

struct TrainerRun {
    bool returned = false;  // TrainerMain came back (the user quit)
    std::string lastError;
    std::map<std::string, std::string> dumps;  // text of each dump, by name
    std::string outDir;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Dos> dos;  // the screen as the run left it
};

TrainerRun RunTrainer(const TrainerRunOptions& options);

// The background colour of text cell (col, row) in the picture of a dump.
Rgb CellBackground(const TrainerRun& run, const std::string& dump, int col, int row);

// The menu entry 1..12 shown highlighted in a dump, 0 when none or several.
int HighlightedEntry(const TrainerRun& run, const std::string& dump);

// The file's bytes as a string; empty when it is missing.
std::string FileText(const std::string& path);

// Columns from..to (1-based, inclusive) of a dump row, counted in
// characters.
std::string Cells(const std::string& row, int from, int to);
// s n times.
std::string Times(const std::string& s, int n);
// A code page 437 string as the dump shows it where no glyph picture draws
// a byte: each byte as the display letter it is drawn with.
std::string ShownUtf8(const std::string& cp437);

}  // namespace qs::test
