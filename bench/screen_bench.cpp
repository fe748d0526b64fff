// Costs of the character screen and the message pump at full-HD size: the
// whole title screen drawn (80 x 25 cells, all of them shade glyphs or
// text), and one pump step with nothing pending.
#include <benchmark/benchmark.h>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/Keyboard.h"
#include "shell/MainWindow.h"
#include "trainer/TitleScreen.h"

namespace qs {
namespace {

struct Machine {
    HeadlessPlatform platform;
    Dos dos;
    TForm_dos form;
    explicit Machine(Size size)
        : platform(Options(size)), dos(platform), form(dos, [](Dos&) {}) {
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
    while (m.platform.PollEvent(e)) {
    }
    for (auto _ : state) PumpMessages(m.dos, true);
}
BENCHMARK(BM_PumpMessagesIdle);

}  // namespace
}  // namespace qs
