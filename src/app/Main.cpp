// Program entry: reads the command line, picks the backend, builds the
// emulated DOS machine and the main window, hooks in a script when one is
// given, and runs the window's message loop until it closes.
#include <malloc.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/WordListTool.h"
#include "exercises/Programs.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessScriptBackend.h"
#include "platform/host/AppFolderChoice.h"
#include "platform/host/FileSettingsStore.h"
#include "platform/host/HostPrintSpooler.h"
#include "platform/host/PosixFileSystem.h"
#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlScriptBackend.h"
#include "screen/Dos.h"
#include "screen/DosPath.h"
#include "screen/script/Script.h"

namespace {

using qs::CommandLine;

std::string ProgramPathFor(const CommandLine& cl) {
    if (cl.appDir.empty()) return "";
    std::string dir = cl.appDir;
    if (dir.back() != '/') dir += '/';
    return dir + "quendelstrand";
}

// --app-dir names the one folder for everything; otherwise the folders
// follow from where the program is and whether it may write there.
qs::FolderChoice ChooseFolders(const CommandLine& cl) {
    if (!cl.appDir.empty()) {
        qs::PosixFileSystem files(ProgramPathFor(cl));
        const std::string dir = files.ProgramDir();
        return qs::FolderChoice{qs::AppFolders{dir, dir}, ""};
    }
    qs::PosixFileSystem files(qs::RunningProgramPath());
    return qs::ChooseAppFolders(files, files.ProgramDir(), qs::HostFolderEnvironment());
}

std::unique_ptr<qs::Platform> MakePlatform(const CommandLine& cl, const qs::AppFolders& folders) {
    std::unique_ptr<qs::Platform> platform;
    if (cl.headless) {
        qs::HeadlessOptions o;
        o.size = cl.size;
        o.programPath = ProgramPathFor(cl);
        if (cl.seed) o.seed = *cl.seed;
        o.printer = qs::MakeHostPrintSpooler(folders.app);
        platform = std::make_unique<qs::HeadlessPlatform>(std::move(o));
    } else {
        qs::SdlOptions o;
        o.programPath = ProgramPathFor(cl);
        o.seed = cl.seed;
        o.settings = std::make_unique<qs::FileSettingsStore>(qs::DefaultSettingsPath());
        o.printer = qs::MakeHostPrintSpooler(folders.app);
        platform = qs::MakeSdlPlatform(std::move(o));
    }
    if (platform) platform->Files().SetFolders(folders);
    return platform;
}

std::unique_ptr<qs::ScriptBackend> MakeScriptBackend(const CommandLine& cl, qs::Platform& p) {
    if (cl.headless)
        return std::make_unique<qs::HeadlessScriptBackend>(static_cast<qs::HeadlessPlatform&>(p));
    return std::make_unique<qs::SdlScriptBackend>(p);
}

std::vector<qs::ScriptCommand> LoadScript(qs::Platform& p, const std::string& path) {
    auto bytes = p.Files().ReadFile(path, qs::FileSystem::kTextLimit);
    if (!bytes) throw std::runtime_error("cannot read the script " + path);
    return qs::ParseScript(std::string(bytes->begin(), bytes->end()));
}

// The program file's path: the one --app-dir names, else the running one.
std::string ProgramFile(const CommandLine& cl) {
    const std::string path = ProgramPathFor(cl);
    return path.empty() ? qs::RunningProgramPath() : path;
}

int RunListMode(const CommandLine& cl) {
    qs::ToolResult r;
    if (cl.listMode == qs::ListMode::Import) {
        const qs::FolderChoice folders = ChooseFolders(cl);
        if (!folders.problem.empty())
            std::fprintf(stderr, "quendelstrand: %s\n", folders.problem.c_str());
        qs::PosixFileSystem files(ProgramFile(cl));
        files.SetFolders(folders.folders);
        std::string app = folders.folders.app.empty() ? files.ProgramDir() : folders.folders.app;
        const std::string listDir = qs::ResolvePath(files, app + "LS1DAT") + "/";
        r = qs::ImportWordList(files, qs::AllPrograms(),
                               {cl.listFiles.front(), cl.importAs, cl.importName, cl.force},
                               listDir);
    } else {
        qs::PosixFileSystem files(ProgramFile(cl));
        r = cl.listMode == qs::ListMode::Check
                ? qs::CheckWordLists(files, qs::AllPrograms(), cl.listFiles)
                : qs::ExportWordList(files, cl.listFiles.front());
    }
    std::fwrite(r.out.data(), 1, r.out.size(), stdout);
    std::fwrite(r.err.data(), 1, r.err.size(), stderr);
    return r.status;
}

int Run(const CommandLine& cl) {
    if (cl.listMode != qs::ListMode::None) return RunListMode(cl);
    const qs::FolderChoice folders = ChooseFolders(cl);
    if (!folders.problem.empty())
        std::fprintf(stderr, "quendelstrand: %s\n", folders.problem.c_str());
    std::unique_ptr<qs::Platform> platform = MakePlatform(cl, folders.folders);
    if (!platform) {
        std::fprintf(stderr, "quendelstrand: no display (try --headless)\n");
        return 1;
    }
    qs::Application app(*platform, cl.firstArgument);
    app.form.StartNotice = folders.problem;
    std::unique_ptr<qs::ScriptBackend> backend;
    if (!cl.script.empty()) {
        backend = MakeScriptBackend(cl, *platform);
        app.UseScript(LoadScript(*platform, cl.script), *backend, cl.outDir, cl.maxMs);
    }
    qs::WindowOptions w;
    w.fullscreen = !cl.window && !cl.headless;
    w.size = cl.size;
    return app.Run(w);
}

}  // namespace

int main(int argc, char** argv) {
    // Screen pages are megabytes each and come and go (a focus loss saves
    // two, the next activation frees one). Blocks that large get pages of
    // their own from the system, which a free hands back, instead of heap
    // that stays with the program once the allocator has raised its
    // threshold past them.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    try {
        return Run(qs::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quendelstrand: %s\n", e.what());
        return 1;
    }
}
