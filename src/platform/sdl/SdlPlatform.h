// The SDL2 backend: a real window whose surface is the framebuffer, the
// keyboard and pointer of the desktop, the monotonic clock, and sound through
// SDL2_mixer.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/Platform.h"

struct SDL_Window;

namespace qs {

struct SdlOptions {
    std::string programPath;                  // empty: RunningProgramPath()
    std::optional<uint32_t> seed;             // fixed seed, else from the clock
    std::unique_ptr<SettingsStore> settings;  // default: MemorySettingsStore
    std::unique_ptr<PrintSpooler> printer;    // default: MakeHostPrintSpooler(program dir)
    // Lets SDL present the window surface through a GPU texture. Off by
    // default: the plain surface path is far cheaper under X servers without a
    // GPU. The environment variable QS_FRAMEBUFFER_ACCELERATION=1 also turns it on.
    bool framebufferAcceleration = false;
};

// nullptr when SDL cannot start its video subsystem (no display). Only one
// SDL platform may exist at a time.
std::unique_ptr<Platform> MakeSdlPlatform(SdlOptions options);

// The SDL window behind a platform made by MakeSdlPlatform (nullptr before
// OpenWindow, or for another kind of platform). For tests and tools that
// must talk to the window system directly.
SDL_Window* SdlWindowOf(Platform& platform);

}  // namespace qs
