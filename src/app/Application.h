// The whole program on one platform: the emulated DOS machine, the main
// window and the trainer it runs, optionally driven by a script. The entry
// point and the end-to-end tests build one of these.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "screen/Dos.h"
#include "screen/script/Script.h"
#include "shell/MainWindow.h"

namespace qs {

class Application {
public:
    // firstArgument: the program's first command-line argument (the options
    // file), or "".
    Application(Platform& platform, std::string firstArgument);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Drives the run by a script; dumps go to outDir. The run fails once it
    // has taken maxMs of the program's time.
    void UseScript(std::vector<ScriptCommand> script, ScriptBackend& backend,
                   const std::string& outDir, uint64_t maxMs = kScriptDefaultMaxMs);
    // Opens the window and runs until it closes or the script is used up.
    // Returns the exit status: 0, or 1 when the window could not be opened
    // or an error ended the trainer.
    int Run(const WindowOptions& window);

    Dos dos;
    TForm_dos form;

private:
    std::string firstArgument_;
    std::unique_ptr<ScriptRunner> runner_;
};

}  // namespace qs
