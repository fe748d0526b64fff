// Costs of the character screen and the message pump at full-HD size: the
// whole title screen drawn (80 x 25 cells, all of them shade glyphs or
// text), one pump step with nothing pending, and the memory with all six
// pages in use.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/Keyboard.h"
#include "screen/graph/Graph.h"
#include "shell/MainWindow.h"
#include "trainer/TitleScreen.h"

namespace qs {
namespace {

struct Machine {
    HeadlessPlatform platform;
    Dos dos;
    TForm_dos form;
    explicit Machine(Size size) : platform(Options(size)), dos(platform), form(dos, [](Dos&) {}) {
        form.Create();
        platform.OpenWindow(WindowOptions{});
        form.Show();
    }
    static HeadlessOptions Options(Size size) {
        HeadlessOptions o;
        o.size = size;
        o.programPath = std::string(QS_APP_DIR) + "/quendelstrand";
        return o;
    }
};

void BM_TitleScreen1080p(benchmark::State& state) {
    Machine m({1920, 1080});
    for (auto _ : state) {
        ShowTitleScreen(m.dos);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TitleScreen1080p)->Unit(benchmark::kMillisecond);

void BM_PumpMessagesIdle(benchmark::State& state) {
    Machine m({1920, 1080});
    Event e;
    while (m.platform.PollEvent(e)) {}
    for (auto _ : state) PumpMessages(m.dos, true);
}
BENCHMARK(BM_PumpMessagesIdle);

}  // namespace
}  // namespace qs

namespace qs {
namespace {

long ResidentKiB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

// Memory of the machine at full-HD with all six pages in use, reported as
// counters (the process also holds the benchmark library).
void BM_ResidentWithSixPages(benchmark::State& state) {
    const long base = ResidentKiB();
    Machine m({1920, 1080});
    ShowTitleScreen(m.dos);
    for (int p = 0; p < 6; ++p) SavePage(m.dos, p);
    for (auto _ : state) benchmark::DoNotOptimize(m.dos.Pages[5].get());
    state.counters["process_MiB"] = static_cast<double>(ResidentKiB()) / 1024;
    state.counters["machine_MiB"] = static_cast<double>(ResidentKiB() - base) / 1024;
}
BENCHMARK(BM_ResidentWithSixPages)->Iterations(1);

}  // namespace
}  // namespace qs
