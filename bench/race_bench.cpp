// Cost of one step of the race's runner at full-HD size: the runner's
// sprite drawn over the saved track page, beside a plain memcpy of one
// full frame in the same run, which is what the step is measured against.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/race/Race.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

struct RaceMachine : GameMachine<staebchen> {
    RaceMachine() {
        InitGraph(dos, 0);
        game.Prepare();
        SetFillStyle(dos, fillstyle::Solid, colour::DarkGrey);
        Bar(dos, 0, 230, 639, 479);
        SavePage(dos, 0);
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

void BM_RaceFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_RaceFrameMemcpy1080p);

}  // namespace
}  // namespace qs
