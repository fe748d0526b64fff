// Costs of the syllable games' heaviest steps at full-HD size: one column
// of the band wipe and one frame of the face, beside a plain memcpy of one
// whole frame measured in the same run.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/syllables/Syllables.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

struct SyllableMachine : GameMachine<silbenmonitor> {
    SyllableMachine() { game.Prepare(); }
};

void BM_SyllableFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_SyllableFrameMemcpy1080p);

void BM_SyllableWipeColumn1080p(benchmark::State& state) {
    SyllableMachine m;
    int x = 0;
    for (auto _ : state) {
        m.game.DrawWipeColumn(x, colour::Navy, colour::DarkGrey);
        x = x >= 638 ? 0 : x + 1;
    }
}
BENCHMARK(BM_SyllableWipeColumn1080p);

void BM_SyllableFaceFrame1080p(benchmark::State& state) {
    SyllableMachine m;
    int frame = 2;
    for (auto _ : state) {
        m.game.ShowFace(frame, true);
        frame = frame >= 6 ? 2 : frame + 1;
    }
}
BENCHMARK(BM_SyllableFaceFrame1080p);

}  // namespace
}  // namespace qs
