#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "shell/Application.h"
#include "shell/Script.h"
#include "support/ReferenceImage.h"

namespace qs::test {

namespace fs = std::filesystem;

std::string MakeTestAppDir(const std::string& name) {
    const fs::path app(QS_APP_DIR);
    const fs::path dir = fs::path(::testing::TempDir()) / ("qs-app-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* linked : {"bitplane", "wavs"}) fs::create_directory_symlink(app / linked, dir / linked);
    for (const char* copied : {"LS1DAT", "bgi7", "emfs", "maustxt"})
        fs::copy(app / copied, dir / copied, fs::copy_options::recursive);
    return dir.string() + "/";
}

ProgramRun RunProgram(const ProgramRunOptions& o) {
    ProgramRun run;
    HeadlessOptions ho;
    ho.size = o.size;
    ho.seed = o.seed;
    ho.programPath = o.appDir + "quendelstrand";
    run.platform = std::make_unique<HeadlessPlatform>(std::move(ho));
    run.outDir = o.appDir + "dumps";
    HeadlessScriptBackend backend(*run.platform);
    {
        Application app(*run.platform, o.firstArgument);
        app.UseScript(ParseScript(o.script), backend, run.outDir);
        run.exitCode = app.Run(WindowOptions{});
        run.lastError = app.form.LastError();
    }
    if (fs::is_directory(run.outDir)) {
        for (const auto& entry : fs::directory_iterator(run.outDir)) {
            if (entry.path().extension() != ".txt") continue;
            const auto bytes = ReadFileBytes(entry.path().string());
            run.dumps[entry.path().stem().string()] = std::string(bytes.begin(), bytes.end());
        }
    }
    return run;
}

std::string DumpRow(const std::string& dump, int row) {
    std::istringstream in(dump);
    std::string line;
    std::getline(in, line);  // mode line
    for (int i = 1; i <= row && std::getline(in, line); ++i) {
        if (i == row) return line;
    }
    return "";
}

}  // namespace qs::test
