// Cost of one step of the race's runner at full-HD size: the runner's
// sprite drawn over the saved track page, beside a plain memcpy of one
// full frame in the same run, which is what the step is measured against.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BenchAppDir.h"
#include "exercises/Programs.h"
#include "exercises/race/Race.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/graph/Graph.h"
#include "shell/MainWindow.h"

namespace qs {
namespace {

constexpr size_t kFrameBytes = size_t(1920) * 1080 * 4;

struct RaceMachine {
    HeadlessPlatform platform;
    Dos dos;
    TForm_dos form;
    Trainer trainer;
    staebchen game;
    RaceMachine()
        : platform(Options()),
          dos(platform),
          form(dos, [](Dos&) {}),
          trainer(dos, AllPrograms()),
          game(trainer) {
        form.Create();
        platform.OpenWindow(WindowOptions{});
        form.Show();
        InitGraph(dos, 0);
        game.Prepare();
        SetFillStyle(dos, fillstyle::Solid, colour::DarkGrey);
        Bar(dos, 0, 230, 639, 479);
        SavePage(dos, 0);
    }
    static HeadlessOptions Options() {
        HeadlessOptions o;
        o.size = {1920, 1080};
        o.programPath = BenchAppDir() + "quendelstrand";
        return o;
    }
};

// One step as a word without mistakes makes it: ten graph points on, the
// next of the four frames, margins that wipe the last place.
void BM_RaceRunnerStep1080p(benchmark::State& state) {
    RaceMachine m;
    int x = kRunnerStartX;
    int frame = 0;
    for (auto _ : state) {
        m.game.DrawSpriteMargins(m.game.Pictures[static_cast<size_t>(kRunner1Slot + frame)], 0, x,
                                 364, 24, 8, 24, 8);
        frame = (frame + 1) % 4;
        x = x >= kFinishX ? kRunnerStartX : x + 10;
    }
}
BENCHMARK(BM_RaceRunnerStep1080p);

void BM_RaceFrameMemcpy1080p(benchmark::State& state) {
    std::vector<uint8_t> from(kFrameBytes, 1);
    std::vector<uint8_t> to(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_RaceFrameMemcpy1080p);

}  // namespace
}  // namespace qs
