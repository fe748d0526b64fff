// Costs of the character screen and the message pump at full-HD size: the
// whole title screen drawn (80 x 25 cells, all of them shade glyphs or
// text), one pump step with nothing pending, and the memory with all six
// pages in use.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <optional>

#include "BenchAppDir.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Keyboard.h"
#include "screen/graph/Graph.h"
#include "screen/surface/Raster.h"
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
        o.programPath = BenchAppDir() + "quendelstrand";
        return o;
    }
};

// The title screen written and drawn on the window, as its first frame is
// presented.
void BM_TitleScreen1080p(benchmark::State& state) {
    Machine m({1920, 1080});
    for (auto _ : state) {
        ShowTitleScreen(m.dos);
        m.dos.PresentIfDirty();
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

// The yardstick for drawing a whole screen: one pass that fills every pixel
// of the full-HD window once.
void BM_FullFrameFill1080p(benchmark::State& state) {
    Machine m({1920, 1080});
    Bitmap& canvas = m.dos.Canvas();
    uint32_t colour = 0;
    for (auto _ : state) {
        FillRect(canvas, canvas.Bounds(), ++colour & 0xFFFFFF);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullFrameFill1080p)->Unit(benchmark::kMillisecond);

// ReadKey with nothing pending for a second of the program's time, until a
// key comes: the wait rests instead of pumping every millisecond, so the
// pumps per second stay few and the time per wait small.
void BM_ReadKeyWaitingASecond(benchmark::State& state) {
    Machine m({1920, 1080});
    Event e;
    while (m.platform.PollEvent(e)) {}
    uint64_t due = 0;
    int64_t pumps = 0;
    m.dos.pumpDue = [&] { return std::optional<uint64_t>(due); };
    m.dos.beforePump = [&] {
        ++pumps;
        if (m.platform.NowMicros() < due) return;
        Event key;
        key.type = Event::Type::Text;
        key.text = "a";
        m.platform.PostEvent(key);
        due = UINT64_MAX;
    };
    for (auto _ : state) {
        due = m.platform.NowMicros() + 1000 * 1000;
        benchmark::DoNotOptimize(ReadKey(m.dos));
    }
    state.counters["pumps_per_wait"] =
        benchmark::Counter(static_cast<double>(pumps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReadKeyWaitingASecond);

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
