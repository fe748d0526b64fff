// Costs of the heaviest steps of Umwandeln and Reparieren at full-HD size:
// one face changing its mood, and the answer band drawn afresh after a
// letter was taken back; beside a plain copy of one window frame, measured
// in the same run, to give the ratios.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchAppDir.h"
#include "exercises/Programs.h"
#include "exercises/convert/Convert.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/graph/Graph.h"
#include "shell/MainWindow.h"

namespace qs {
namespace {

struct ConvertMachine {
    HeadlessPlatform platform;
    Dos dos;
    TForm_dos form;
    Trainer trainer;
    umwandmonitor game;
    ConvertMachine()
        : platform(Options()),
          dos(platform),
          form(dos, [](Dos&) {}),
          trainer(dos, AllPrograms()),
          game(trainer) {
        form.Create();
        platform.OpenWindow(WindowOptions{});
        form.Show();
        trainer.t.ProgramDir = BenchAppDir();
        trainer.t.opt.GraphFont = 1;
        game.Prepare();
        game.TaskTextSize = 9;
        trainer.players.AnswerText = "die B\x84ume";
    }
    static HeadlessOptions Options() {
        HeadlessOptions o;
        o.size = {1920, 1080};
        o.programPath = BenchAppDir() + "quendelstrand";
        return o;
    }
};

void BM_ConvertFrameMemcpy1080p(benchmark::State& state) {
    ConvertMachine m;
    const Bitmap& frame = m.dos.Canvas();
    const Bitmap src(frame.Width(), frame.Height());
    Bitmap dst(frame.Width(), frame.Height());
    const size_t bytes = size_t(frame.Width()) * frame.Height() * 4;
    for (auto _ : state) {
        std::memcpy(dst.Row(0), src.Row(0), bytes);
        benchmark::ClobberMemory();
    }
}
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
