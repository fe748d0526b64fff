// Runs the program's real main window on the headless platform, driven by a
// script (the commands of the program's --script: key, type, click, wait,
// until, dump ...), in a private app folder. What runs inside the window is
// chosen by a preset:
//   RunTrainerProc  one trainer procedure on a fresh Trainer; the state it
//                   leaves is kept
//   RunExercise     the same with the options of a new installation
//   RunTrainer      the trainer's main procedure with its menu
//   RunProgram      the whole program, as the program entry builds it
// Every run prints into a RecordingPrinter and ends when the script is used
// up and the program waits for input, or when the window closes.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/Application.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "support/DumpReading.h"
#include "support/RecordingPrinter.h"
#include "support/TestFiles.h"
#include "trainer/TrainerState.h"

namespace qs::test {

struct RunOptions {
    std::string appDir;  // from MakeTestAppDir; empty: a fresh one
    std::string script;  // the script's text
    Size size{1280, 960};
    uint32_t seed = 1;
    LocalDate today = HeadlessOptions{}.today;
    std::string firstArgument;  // the program's first argument (menu and program runs)
    // Called once the platform exists, before the window opens (settings).
    std::function<void(HeadlessPlatform&)> prepare;
    // The print system behind the recording printer; none: the printer
    // answers "printed" itself.
    std::function<std::unique_ptr<PrintSpooler>()> printSystem;
    // Trainer runs: prepares the Trainer before the body (ProgramDir is set
    // in procedure runs), and looks at it afterwards, also when the script
    // ended the body.
    std::function<void(Trainer&)> setup;
    std::function<void(Trainer&)> inspect;
};

struct RunResult {
    std::string error;      // the error that ended the run (trainer or script), "" when none
    bool returned = false;  // the body came back (rather than the script ending it)
    int exitCode = 0;       // whole-program runs: the program's exit status
    std::map<std::string, std::string> dumps;  // text of each dump, by name
    std::string appDir;
    std::string outDir;  // NAME.png and NAME.txt of the dumps
    std::string screen;  // the screen as the body left it (a dump's text)
    TrainerState state;  // trainer runs: the state the body left
    PlayersState players;
    std::unique_ptr<HeadlessPlatform> platform;  // sounds, files, settings
    RecordingPrinter* printer = nullptr;         // owned by platform
    std::unique_ptr<Dos> dos;                    // the screen as the run left it (not program runs)
    std::unique_ptr<Application> application;    // program runs

    // The printer file the trainer wrote into the app folder ("" when none).
    std::string PrinterFile() const { return FileText(appDir + "LPTB.TXT"); }
};

// The core of the presets: runs body as the trainer's main procedure.
RunResult RunInMainWindow(const RunOptions& options,
                          const std::function<void(Dos&, RunResult&)>& body);

RunResult RunTrainerProc(const RunOptions& options, const std::function<void(Trainer&)>& proc);
// proc gets a Trainer with the options of a new installation as the menu
// leaves them for an exercise: the mouse on, OptWortvergl 1, GraphFont 1.
RunResult RunExercise(const RunOptions& options, const std::function<void(Trainer&)>& proc);
// The trainer's main procedure; the script begins when the menu waits for
// its first key.
RunResult RunTrainer(const RunOptions& options);
RunResult RunProgram(const RunOptions& options);

// The background colour of text cell (col, row) in the picture of a dump.
Rgb CellBackground(const RunResult& run, const std::string& dump, int col, int row);
// The menu entry 1..12 shown highlighted in a dump, 0 when none or several.
int HighlightedEntry(const RunResult& run, const std::string& dump);

}  // namespace qs::test
