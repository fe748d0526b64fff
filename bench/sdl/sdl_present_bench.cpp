// Cost of showing a frame through the SDL window surface, with SDL's
// framebuffer acceleration off (the default) and on. Run under an X server
// at least 1920x1080 in size, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/sdl/qs_sdl_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/sdl/SdlPlatform.h"

namespace {

// One window for all runs of one acceleration setting: making a window for
// each repetition again can fail on a busy display, and a repetition that
// fails has no iterations, which the statistics over the repetitions do not
// allow.
struct Window {
    bool accelerated = false;
    std::unique_ptr<qs::Platform> platform;
    std::string error;
};

Window& WindowFor(bool accelerated) {
    static Window w;
    if (w.platform && w.accelerated == accelerated) return w;
    w.platform.reset();
    w.accelerated = accelerated;
    w.error.clear();
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The option decides, not a setting left in the environment.
    unsetenv("QS_FRAMEBUFFER_ACCELERATION");
    qs::SdlOptions options;
    options.framebufferAcceleration = accelerated;
    w.platform = qs::MakeSdlPlatform(std::move(options));
    if (!w.platform) {
        w.error = "no display";
        return w;
    }
    qs::WindowOptions window;
    window.fullscreen = false;
    window.size = {1920, 1080};
    if (!w.platform->OpenWindow(window)) {
        w.error = "no window";
        w.platform.reset();
    }
    return w;
}

void PresentFrame(benchmark::State& state) {
    bool accelerated = state.range(0) != 0;
    int dirtyW = static_cast<int>(state.range(1));
    int dirtyH = static_cast<int>(state.range(2));
    Window& w = WindowFor(accelerated);
    if (!w.platform) {
        state.SkipWithError(w.error.c_str());
        return;
    }
    qs::Platform* platform = w.platform.get();
    qs::PixelView fb = platform->Framebuffer();
    if (fb.width < dirtyW || fb.height < dirtyH) {
        state.SkipWithError("the screen is smaller than 1920x1080");
        return;
    }
    qs::Rect dirty{0, 0, dirtyW, dirtyH};
    uint32_t shade = 0;
    for (auto _ : state) {
        // A changed frame each time, as the trainer draws one.
        ++shade;
        for (int y = 0; y < dirtyH; y += 8) {
            uint32_t* row = fb.Row(y);
            for (int x = 0; x < dirtyW; ++x)
                row[x] = (shade * 0x010203u + static_cast<uint32_t>(x)) & 0xFFFFFF;
        }
        platform->Present(dirtyW == fb.width && dirtyH == fb.height ? nullptr : &dirty);
        qs::Event e;
        while (platform->PollEvent(e)) {}
    }
    state.SetLabel(accelerated ? "acceleration on" : "acceleration off");
}

BENCHMARK(PresentFrame)
    ->ArgNames({"accel", "w", "h"})
    ->Args({0, 1920, 1080})
    ->Args({0, 640, 480})
    ->Args({1, 1920, 1080})
    ->Args({1, 640, 480})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
