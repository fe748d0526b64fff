// The app folder the benchmarks run on: a private copy of the build's, made
// once per run, so that what the program writes (its recent-files list)
// never lands in the build's own folder.
#pragma once

#include <string>

#include "support/TestFiles.h"

namespace qs {

inline const std::string& BenchAppDir() {
    static const std::string dir = test::MakeTestAppDir("bench");
    return dir;
}

}  // namespace qs
