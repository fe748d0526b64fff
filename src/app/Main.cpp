// Program entry: reads the command line, picks the backend, builds the
// emulated DOS machine and the main window, hooks in a script when one is
// given, and runs the window's message loop until it closes.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/host/FileSettingsStore.h"
#include "platform/sdl/SdlPlatform.h"
#include "screen/Dos.h"
#include "shell/CommandLine.h"
#include "shell/Application.h"
#include "shell/Script.h"

namespace {

using qs::CommandLine;

class HeadlessScriptBackend : public qs::ScriptBackend {
public:
    explicit HeadlessScriptBackend(qs::HeadlessPlatform& p) : p_(p) {}
    void Resize(int w, int h) override { p_.ResizeWindow(w, h); }
    void Focus(bool in) override { p_.SetActive(in); }

private:
    qs::HeadlessPlatform& p_;
};

// In a real window the script asks the window system for the new size and
// tells the program about focus changes as the system would.
class SdlScriptBackend : public qs::ScriptBackend {
public:
    explicit SdlScriptBackend(qs::Platform& p) : p_(p) {}
    void Resize(int w, int h) override {
        if (SDL_Window* win = qs::SdlWindowOf(p_)) SDL_SetWindowSize(win, w, h);
    }
    void Focus(bool in) override {
        qs::Event e;
        e.type = in ? qs::Event::Type::FocusGained : qs::Event::Type::FocusLost;
        p_.PostEvent(e);
    }

private:
    qs::Platform& p_;
};

std::string ProgramPathFor(const CommandLine& cl) {
    if (cl.appDir.empty()) return "";
    std::string dir = cl.appDir;
    if (dir.back() != '/') dir += '/';
    return dir + "quendelstrand";
}

std::unique_ptr<qs::Platform> MakePlatform(const CommandLine& cl) {
    if (cl.headless) {
        qs::HeadlessOptions o;
        o.size = cl.size;
        o.programPath = ProgramPathFor(cl);
        if (cl.seed) o.seed = *cl.seed;
        return std::make_unique<qs::HeadlessPlatform>(std::move(o));
    }
    qs::SdlOptions o;
    o.programPath = ProgramPathFor(cl);
    o.seed = cl.seed;
    o.settings = std::make_unique<qs::FileSettingsStore>(qs::DefaultSettingsPath());
    return qs::MakeSdlPlatform(std::move(o));
}

std::unique_ptr<qs::ScriptBackend> MakeScriptBackend(const CommandLine& cl, qs::Platform& p) {
    if (cl.headless)
        return std::make_unique<HeadlessScriptBackend>(static_cast<qs::HeadlessPlatform&>(p));
    return std::make_unique<SdlScriptBackend>(p);
}

std::vector<qs::ScriptCommand> LoadScript(qs::Platform& p, const std::string& path) {
    auto bytes = p.Files().ReadFile(path);
    if (!bytes) throw std::runtime_error("cannot read the script " + path);
    return qs::ParseScript(std::string(bytes->begin(), bytes->end()));
}

int Run(const CommandLine& cl) {
    std::unique_ptr<qs::Platform> platform = MakePlatform(cl);
    if (!platform) {
        std::fprintf(stderr, "quendelstrand: no display (try --headless)\n");
        return 1;
    }
    qs::Application app(*platform, cl.firstArgument);
    std::unique_ptr<qs::ScriptBackend> backend;
    if (!cl.script.empty()) {
        backend = MakeScriptBackend(cl, *platform);
        app.UseScript(LoadScript(*platform, cl.script), *backend, cl.outDir);
    }
    qs::WindowOptions w;
    w.fullscreen = !cl.window && !cl.headless;
    w.size = cl.size;
    return app.Run(w);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(qs::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quendelstrand: %s\n", e.what());
        return 1;
    }
}
