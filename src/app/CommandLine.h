// The program's command line:
//   quendelstrand [--headless] [--window] [--size WxH] [--script FILE] [--out DIR]
//                 [--seed N] [--app-dir DIR] [--max-ms N] [OPTIONSFILE|nodx]
//   quendelstrand --check FILE...
//   quendelstrand [--app-dir DIR] --import FILE --as EXT [--name NAME] [--force]
//   quendelstrand --export FILE
// The last three work on word lists and run without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Geometry.h"

namespace qs {

enum class ListMode { None, Check, Import, Export };

struct CommandLine {
    bool headless = false;  // the headless backend instead of a real window
    bool window = false;    // a normal window of `size` instead of full screen
    Size size{1280, 960};
    std::string script;  // the script file to run, empty for none
    std::string outDir = ".";
    std::string appDir;  // stands in for the program's folder when not empty
    std::optional<uint32_t> seed;
    uint64_t maxMs = 10ull * 60 * 1000;  // a scripted run fails after this much program time
    std::string firstArgument;           // the trainer's first command-line argument

    ListMode listMode = ListMode::None;
    std::vector<std::string> listFiles;  // --check: every file; --import, --export: the one
    std::string importAs;                // --as: the extension of the list made
    std::string importName;              // --name: its name, empty for the file's own
    bool force = false;                  // --force: an existing list may be replaced
};

// args without the program name. Throws std::invalid_argument naming the
// offending argument.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace qs
