// One frame of the building site's end animation drawn on a full-HD window,
// against one plain copy of a whole frame.
#include <benchmark/benchmark.h>

#include "BenchAppDir.h"
#include "GameBench.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/GraphMapping.h"
#include "screen/Paths.h"

namespace qs {
namespace {

struct FilmMachine {
    HeadlessPlatform platform;
    Dos dos;
    static HeadlessOptions Options() {
        HeadlessOptions o;
        o.size = {1920, 1080};
        o.programPath = BenchAppDir() + "quendelstrand";
        return o;
    }
    explicit FilmMachine(bool transparent) : platform(Options()), dos(platform) {
        int w = 60, h = 60;
        ScaleSize(DrawingArea(dos.ClientSize()), w, h);
        Tfilm& f = dos.film;
        f.transparent = transparent;
        f.SetHintergrundfarbe(0x404040);
        f.SetWidth(w);
        f.SetHeight(h);
        f.SetVerzeichnis(AppDir(platform.Files()) + "Bitplane\\filme\\");
        int x = 300, y = 419;
        ToWindow(DrawingArea(dos.ClientSize()), x, y);
        // Rounds without end, so that every step draws a frame.
        f.Play(x, y, dos.Canvas(), 0, 1'000'000'000, 200);
    }
};

void FilmFrame(benchmark::State& state, bool transparent) {
    FilmMachine m(transparent);
    if (m.dos.film.Entries().empty()) state.SkipWithError("no frames in Bitplane\\filme");
    for (auto _ : state) {
        m.dos.film.RunDue();
        m.platform.AdvanceMillis(200);
        benchmark::ClobberMemory();
    }
}

void BM_FilmFrame1080p(benchmark::State& state) { FilmFrame(state, false); }
BENCHMARK(BM_FilmFrame1080p);

void BM_FilmFrameTransparent1080p(benchmark::State& state) { FilmFrame(state, true); }
BENCHMARK(BM_FilmFrameTransparent1080p);

void BM_FilmFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_FilmFrameMemcpy1080p);

}  // namespace
}  // namespace qs
