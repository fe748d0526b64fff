#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <unistd.h>

#include "app/Application.h"
#include "screen/script/Script.h"
#include "shell/MainWindow.h"
#include "support/ReferenceImage.h"

namespace qs::test {

namespace fs = std::filesystem;

namespace {

// App folders made by this test process, removed when it ends.
struct MadeFolders {
    std::vector<fs::path> dirs;
    ~MadeFolders() {
        std::error_code ec;
        for (const fs::path& d : dirs) fs::remove_all(d, ec);
    }
};

MadeFolders& Made() {
    static MadeFolders made;
    return made;
}

}  // namespace

std::string MakeTestAppDir(const std::string& name) {
    const fs::path app(QS_APP_DIR);
    // ctest runs tests in parallel processes: the folder names the process
    // and a count, so no two runs share one. Kept short: messages show it.
    static int made = 0;
    const std::string unique =
        name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++made);
    const fs::path dir = fs::path(::testing::TempDir()) / ("qs-app-" + unique);
    fs::remove_all(dir);
    fs::create_directories(dir);
    Made().dirs.push_back(dir);
    for (const char* linked : {"bitplane", "wavs"})
        fs::create_directory_symlink(app / linked, dir / linked);
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
    run.dumps = ReadDumps(run.outDir);
    return run;
}

std::string RunInMainWindow(HeadlessPlatform& platform, Dos& dos, const std::string& script,
                            const std::string& outDir, std::function<void(Dos&)> proc) {
    TForm_dos form(dos, std::move(proc));
    HeadlessScriptBackend backend(platform);
    ScriptRunner runner(dos, ParseScript(script), backend, outDir);
    runner.Install();
    form.Create();
    if (!platform.OpenWindow(WindowOptions{})) return "the window could not be opened";
    form.Show();
    try {
        form.Run();
    } catch (const ScriptFinished&) {}
    form.Destroy();
    return form.LastError();
}

std::map<std::string, std::string> ReadDumps(const std::string& outDir) {
    std::map<std::string, std::string> dumps;
    if (!fs::is_directory(outDir)) return dumps;
    for (const auto& entry : fs::directory_iterator(outDir)) {
        if (entry.path().extension() != ".txt") continue;
        const auto bytes = ReadFileBytes(entry.path().string());
        dumps[entry.path().stem().string()] = std::string(bytes.begin(), bytes.end());
    }
    return dumps;
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
