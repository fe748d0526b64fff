// Costs of the syllable games' heaviest steps at full-HD size: one column
// of the band wipe and one frame of the face, beside a plain memcpy of one
// whole frame measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BenchAppDir.h"
#include "exercises/Programs.h"
#include "exercises/syllables/Syllables.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/graph/Graph.h"
#include "shell/MainWindow.h"

namespace qs {
namespace {

struct SyllableMachine {
    HeadlessPlatform platform;
    Dos dos;
    TForm_dos form;
    Trainer trainer;
    silbenmonitor game;
    SyllableMachine()
        : platform(Options()),
          dos(platform),
          form(dos, [](Dos&) {}),
          trainer(dos, AllPrograms()),
          game(trainer) {
        form.Create();
        platform.OpenWindow(WindowOptions{});
        form.Show();
        game.Prepare();
    }
    static HeadlessOptions Options() {
        HeadlessOptions o;
        o.size = {1920, 1080};
        o.programPath = BenchAppDir() + "quendelstrand";
        return o;
    }
};

void BM_SyllableFrameMemcpy1080p(benchmark::State& state) {
    SyllableMachine m;
    const Bitmap& canvas = m.dos.Canvas();
    const size_t bytes = size_t(canvas.Width()) * size_t(canvas.Height()) * sizeof(uint32_t);
    std::vector<uint32_t> copy(bytes / sizeof(uint32_t));
    for (auto _ : state) {
        std::memcpy(copy.data(), canvas.Row(0), bytes);
        benchmark::ClobberMemory();
    }
}
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
