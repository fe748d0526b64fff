// Costs of the heaviest steps of Umwandeln and Reparieren at full-HD size:
// one face changing its mood, and the answer band drawn afresh after a
// letter was taken back; beside a plain copy of one window frame, measured
// in the same run, to give the ratios.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/convert/Convert.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

struct ConvertMachine : GameMachine<umwandmonitor> {
    ConvertMachine() {
        trainer.t.ProgramDir = BenchAppDir();
        trainer.t.opt.GraphFont = 1;
        game.Prepare();
        game.TaskTextSize = 9;
        trainer.players.AnswerText = "die B\x84ume";
    }
};

void BM_ConvertFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_ConvertFrameMemcpy1080p);

void BM_ConvertFaceChange1080p(benchmark::State& state) {
    ConvertMachine m;
    bool sad = false;
    for (auto _ : state) {
        m.game.ShowFace(sad ? Mood::Sad : Mood::Neutral, true);
        sad = !sad;
    }
}
BENCHMARK(BM_ConvertFaceChange1080p);

void BM_ConvertAnswerRedraw1080p(benchmark::State& state) {
    ConvertMachine m;
    for (auto _ : state) m.game.RedrawAnswer();
}
BENCHMARK(BM_ConvertAnswerRedraw1080p);

}  // namespace
}  // namespace qs
