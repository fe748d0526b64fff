// Cost of the jaws game's animation steps at full-HD size: one frame of the
// jaws sliding in (upper and lower jaw over the page with the typed ending)
// and one frame of the turtle's walk, beside a plain memcpy of one full
// frame in the same run, which is what the steps are measured against.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/teeth/Teeth.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

constexpr size_t kTurtleSlot = 0;
constexpr size_t kUpperJawSlot = 6;
constexpr size_t kLowerJawSlot = 7;

struct TeethMachine : GameMachine<nachsilben> {
    TeethMachine() {
        InitGraph(dos, 0);
        game.Prepare();
        SetFillStyle(dos, fillstyle::Solid, colour::LightYellow);
        Bar(dos, 0, 2, 639, 38);
        for (int page = 0; page <= 2; ++page) SavePage(dos, page);
    }
};

// One step of the jaws coming in: both jaws one graph point on.
void BM_TeethJawFrame1080p(benchmark::State& state) {
    TeethMachine m;
    int x = 1;
    for (auto _ : state) {
        m.game.DrawSprite(m.game.Pictures[kUpperJawSlot], 0, x, 200);
        m.game.DrawSprite(m.game.Pictures[kLowerJawSlot], 0, x, 342);
        x = x >= 480 ? 1 : x + 1;
    }
}
BENCHMARK(BM_TeethJawFrame1080p);

// One frame of the turtle's walk: the next of its four frames, one point on.
void BM_TeethTurtleStep1080p(benchmark::State& state) {
    TeethMachine m;
    int x = kTurtleStartX;
    size_t frame = 0;
    for (auto _ : state) {
        m.game.DrawSprite(m.game.Pictures[kTurtleSlot + frame], 2, x, 430);
        frame = (frame + 1) % 4;
        x = x >= kTurtleStopX ? kTurtleStartX : x + 1;
    }
}
BENCHMARK(BM_TeethTurtleStep1080p);

void BM_TeethFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_TeethFrameMemcpy1080p);

}  // namespace
}  // namespace qs
