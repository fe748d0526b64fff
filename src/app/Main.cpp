// Program entry: picks the backend, builds the emulated DOS machine and the
// main window, and runs the window's message loop until it closes.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/host/FileSettingsStore.h"
#include "platform/sdl/SdlPlatform.h"
#include "screen/Dos.h"
#include "shell/MainWindow.h"
#include "trainer/TrainerMain.h"

namespace {

struct Args {
    bool headless = false;
    bool window = false;
    qs::Size size{1280, 960};
    std::string appDir;
};

Args ParseArgs(const std::vector<std::string>& a) {
    Args args;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--headless") args.headless = true;
        else if (a[i] == "--window") args.window = true;
        else if (a[i] == "--app-dir" && i + 1 < a.size()) args.appDir = a[++i];
        else if (a[i] == "--size" && i + 1 < a.size()) {
            std::sscanf(a[++i].c_str(), "%dx%d", &args.size.w, &args.size.h);
        }
    }
    return args;
}

std::string ProgramPathFor(const Args& args) {
    if (args.appDir.empty()) return "";
    std::string dir = args.appDir;
    if (dir.back() != '/') dir += '/';
    return dir + "quendelstrand";
}

std::unique_ptr<qs::Platform> MakePlatform(const Args& args) {
    if (args.headless) {
        qs::HeadlessOptions o;
        o.size = args.size;
        o.programPath = ProgramPathFor(args);
        return std::make_unique<qs::HeadlessPlatform>(std::move(o));
    }
    qs::SdlOptions o;
    o.programPath = ProgramPathFor(args);
    o.settings = std::make_unique<qs::FileSettingsStore>(qs::DefaultSettingsPath());
    return qs::MakeSdlPlatform(std::move(o));
}

int Run(const Args& args) {
    std::unique_ptr<qs::Platform> platform = MakePlatform(args);
    if (!platform) {
        std::fprintf(stderr, "quendelstrand: no display (try --headless)\n");
        return 1;
    }
    qs::Dos dos(*platform);
    qs::TForm_dos form(dos, qs::TrainerMain);
    form.Create();
    qs::WindowOptions w;
    w.fullscreen = !args.window && !args.headless;
    w.size = args.size;
    if (!platform->OpenWindow(w)) {
        std::fprintf(stderr, "quendelstrand: the window could not be opened\n");
        return 1;
    }
    form.Show();
    try {
        form.Run();
    } catch (const qs::ScriptFinished&) {
    }
    form.Destroy();
    return form.LastError().empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(ParseArgs(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quendelstrand: %s\n", e.what());
        return 1;
    }
}
