// The band wipe of the syllable games in a real window: 639 columns, each
// drawn and followed by a wait of 0.3 ms, which Delay turns into one 1 ms
// sleep every seventh call. The whole wipe should take what these sleeps add
// up to; drawing and showing a column must not add time of its own. Three
// figures, each timed with the platform's clock: the waits alone, the whole
// wipe, and the columns drawn and shown one by one without the waits. Run
// under an X server of at least 1920x1080, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/sdl/qs_sdl_game_bench
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include "BenchAppDir.h"
#include "exercises/Programs.h"
#include "exercises/syllables/Syllables.h"
#include "platform/sdl/SdlPlatform.h"
#include "screen/Keyboard.h"
#include "screen/graph/Graph.h"
#include "shell/MainWindow.h"
#include "trainer/TrainerState.h"

namespace qs {
namespace {

constexpr int kColumns = 639;
constexpr double kColumnDelay = 0.3;

// The game in a full-HD window, made once: SDL allows one platform at a time.
struct WindowMachine {
    std::unique_ptr<Platform> platform;
    std::unique_ptr<Dos> dos;
    std::unique_ptr<TForm_dos> form;
    std::unique_ptr<Trainer> trainer;
    std::unique_ptr<silbenmonitor> game;
    const char* error = nullptr;
};

WindowMachine& Machine() {
    static WindowMachine m = [] {
        WindowMachine w;
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        SdlOptions options;
        options.programPath = BenchAppDir() + "quendelstrand";
        options.seed = 1;
        w.platform = MakeSdlPlatform(std::move(options));
        if (!w.platform) {
            w.error = "no display";
            return w;
        }
        w.dos = std::make_unique<Dos>(*w.platform);
        w.form = std::make_unique<TForm_dos>(*w.dos, [](Dos&) {});
        w.trainer = std::make_unique<Trainer>(*w.dos, AllPrograms());
        w.game = std::make_unique<silbenmonitor>(*w.trainer);
        w.form->Create();
        WindowOptions window;
        window.fullscreen = false;
        window.size = {1920, 1080};
        if (!w.platform->OpenWindow(window)) {
            w.error = "no window";
            return w;
        }
        w.form->Show();
        w.dos->keys.ScaleDelays = true;
        w.dos->keys.SpeedFactor = 1;
        w.game->Prepare();
        return w;
    }();
    return m;
}

// The time the waits of one wipe are meant to take: one 1 ms sleep on each
// call that finds the sub-millisecond counter at 0, starting from 0.
double NominalWipeMs() {
    const long period = std::lround(2 / kColumnDelay);
    return static_cast<double>((kColumns + period - 1) / period);
}

enum class Wipe { DelaysOnly, Whole, ColumnsOnly };

void BandWipe(benchmark::State& state) {
    const auto kind = static_cast<Wipe>(state.range(0));
    WindowMachine& m = Machine();
    if (m.error) {
        state.SkipWithError(m.error);
        return;
    }
    Dos& d = *m.dos;
    Platform& p = *m.platform;
    double totalMs = 0;
    int colour = 0;
    for (auto _ : state) {
        d.keys.SubMsCounter = 0;
        colour = colour == colour::Navy ? colour::DarkGrey : colour::Navy;
        const uint64_t start = p.NowMicros();
        for (int x = 0; x < kColumns; ++x) {
            if (kind != Wipe::DelaysOnly) m.game->DrawWipeColumn(x, colour, colour::Grey);
            if (kind == Wipe::ColumnsOnly) d.PresentIfDirty();
            else Delay(d, kColumnDelay);
        }
        const double ms = static_cast<double>(p.NowMicros() - start) / 1000.0;
        totalMs += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["nominal_ms"] = NominalWipeMs();
    state.counters["vs_nominal"] = totalMs / iterations / NominalWipeMs();
    const char* labels[] = {"the waits alone", "the wipe", "the columns without the waits"};
    state.SetLabel(labels[state.range(0)]);
}

BENCHMARK(BandWipe)
    ->ArgName("kind")
    ->DenseRange(0, 2)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

}  // namespace
}  // namespace qs
