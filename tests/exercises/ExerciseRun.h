// Runs one trainer operation on the headless main window, driven by a
// script (the same commands as the program's --script), in a private app
// folder with the program's data. For tests of the exercises before the
// menu leads to them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "trainer/TrainerState.h"

namespace qs::test {

struct ExerciseRun {
    bool finished = false;  // the body returned (rather than waiting for more input)
    std::string lastError;
    std::map<std::string, std::string> dumps;  // text of each dump, by name
    std::string outDir;                        // NAME.png and NAME.txt
    std::unique_ptr<HeadlessPlatform> platform;
};

struct ExerciseRunOptions {
    std::string name;    // names the app folder
    std::string script;  // the script's text
    Size size{1280, 960};
    uint32_t seed = 1;
};

// body gets a fresh Trainer with the options of a new installation (sound
// on, mouse on) and GraphFont 1, as the menu leaves them.
ExerciseRun RunExercise(const ExerciseRunOptions& o, const std::function<void(Trainer&)>& body);

// The graphics texts of a dump ("text X Y COLOUR "TEXT"" lines), in order.
std::vector<std::string> DumpTexts(const std::string& dump);
// The last dumped graphics text at (x, y), or "" when there is none.
std::string TextAt(const std::string& dump, int x, int y);

}  // namespace qs::test
