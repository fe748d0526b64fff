// Costs of the exercise screen's sprite steps at full-HD size: one step of
// the Wortvergleich dinosaur walking over a saved page, and one step of the
// bar uncovering both words.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/comparison/Comparison.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

struct ExerciseMachine : GameMachine<urmonitor> {
    ExerciseMachine() {
        InitGraph(dos, 0);
        game.Prepare();
        SavePage(dos, 0);
        SavePage(dos, 1);
    }
};

void BM_DinosaurStep1080p(benchmark::State& state) {
    ExerciseMachine m;
    int x = 560;
    for (auto _ : state) {
        m.game.DrawSprite(m.game.Pictures[kDinoSlot + (x / 8) % 4], 1, x, 340);
        x = x <= 0 ? 560 : x - 8;
    }
}
BENCHMARK(BM_DinosaurStep1080p);

void BM_UncoverStep1080p(benchmark::State& state) {
    ExerciseMachine m;
    int y = 81;
    for (auto _ : state) {
        m.game.PaintSpriteMargins(m.game.Pictures[kBarSlot], 0, 1, 24, y, 16, 16, 0, 0);
        m.game.PaintSpriteMargins(m.game.Pictures[kBarSlot], 1, 1, 360, y, 16, 16, 0, 0);
        y = y >= 220 ? 81 : y + 1;
    }
}
BENCHMARK(BM_UncoverStep1080p);

}  // namespace
}  // namespace qs
