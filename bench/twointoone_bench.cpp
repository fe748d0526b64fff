// Cost of one spin step of "Aus 2 mach 1" at full-HD size: the six cells
// filled and written again (without the waits between the rows), beside a
// plain memcpy of one full frame in the same run, which is what the step is
// measured against.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/twointoone/TwoIntoOne.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

struct SpinMachine : GameMachine<TwoIntoOneGame> {
    SpinMachine() {
        InitGraph(dos, 0);
        SetFillStyle(dos, fillstyle::Solid, colour::Grey);
        Bar(dos, 62, 178, 298, 326);
        Bar(dos, 342, 178, 578, 326);
    }
};

void BM_TwoIntoOneSpinStep1080p(benchmark::State& state) {
    SpinMachine m;
    CompoundTask task = ReadTask({"Sonnen-schein", "Geburts-tag", "Schnee-mann", "Zahn-b\x81rste"});
    int r = 1;
    for (auto _ : state) {
        m.game.DrawCells(ArrangedCells(task, r), 0);
        r = r % 5 + 1;
    }
}
BENCHMARK(BM_TwoIntoOneSpinStep1080p);

void BM_TwoIntoOneFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_TwoIntoOneFrameMemcpy1080p);

}  // namespace
}  // namespace qs
