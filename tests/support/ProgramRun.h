// Runs the whole program in-process on the headless platform, driven by a
// script, in a private app folder; for end-to-end tests of the trainer.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "base/Geometry.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shell/Script.h"

namespace qs::test {

// A fresh app folder for one test: the program's shipped data (copied from
// the build's app folder; the large picture and sound folders are linked),
// under the test's temporary folder. Ends in '/'.
std::string MakeTestAppDir(const std::string& name);

// The script's window actions on the headless platform.
class HeadlessScriptBackend : public ScriptBackend {
public:
    explicit HeadlessScriptBackend(HeadlessPlatform& p) : p_(p) {}
    void Resize(int w, int h) override { p_.ResizeWindow(w, h); }
    void Focus(bool in) override { p_.SetActive(in); }

private:
    HeadlessPlatform& p_;
};

struct ProgramRun {
    int exitCode = 0;
    std::string lastError;
    // Text of each dump, by name.
    std::map<std::string, std::string> dumps;
    std::string outDir;  // where the dump files are
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

// Row (1-based) of a dump's character grid, without the trailing newline.
std::string DumpRow(const std::string& dump, int row);

}  // namespace qs::test
