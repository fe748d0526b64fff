// Runs the whole program in-process on the headless platform, driven by a
// script, in a private app folder; for end-to-end tests of the trainer.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "base/Geometry.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessScriptBackend.h"
#include "screen/Dos.h"
#include "screen/script/Script.h"

namespace qs::test {

// A fresh app folder for one test: the program's shipped data (copied from
// the build's app folder; the large picture and sound folders are linked),
// under the test's temporary folder. Ends in '/'.
std::string MakeTestAppDir(const std::string& name);

struct ProgramRun {
    int exitCode = 0;
    std::string lastError;
    // Text of each dump, by name.
    std::map<std::string, std::string> dumps;
    std::string outDir;                          // where the dump files are
    std::unique_ptr<HeadlessPlatform> platform;  // kept for sounds, files, settings
};

struct ProgramRunOptions {
    std::string appDir;  // from MakeTestAppDir
    std::string script;  // the script's text
    Size size{1280, 960};
    std::string firstArgument;
    uint32_t seed = 1;
};

ProgramRun RunProgram(const ProgramRunOptions& options);

// The text of each dump (NAME.txt) in a dump folder, by name.
std::map<std::string, std::string> ReadDumps(const std::string& outDir);

// Runs proc as the trainer's main procedure in the real main window on the
// headless platform, driven by script, dumps into outDir. Returns the error
// that ended the run ("" when none).
std::string RunInMainWindow(HeadlessPlatform& platform, Dos& dos, const std::string& script,
                            const std::string& outDir, std::function<void(Dos&)> proc);

// Row (1-based) of a dump's character grid, without the trailing newline.
std::string DumpRow(const std::string& dump, int row);

}  // namespace qs::test
