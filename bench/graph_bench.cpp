// Costs of the graphics screen at full-HD window size: saving and showing
// pages beside a plain memcpy of the same bytes, stretching a picture at
// load time, sprite-sized copies, fat text and loading a picture file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/image/PngEncode.h"
#include "screen/surface/Raster.h"

namespace qs {
namespace {

Bitmap Pattern(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, MakeRgb(x * 3, y * 5, (x ^ y) & 255));
    return b;
}

// A full-HD screen in graphics mode, optionally with its program folder.
struct Screen {
    explicit Screen(const std::string& programPath = "")
        : platform([&] {
              HeadlessOptions o;
              o.size = Size{1920, 1080};
              o.programPath = programPath;
              return o;
          }()),
          d(platform) {
        const std::string fonts = std::string(QS_APP_DIR) + "/bgi7/";
        d.fonts.LoadConfig(fonts + "fonts.conf");
        InitScreen(d);
        InitGraph(d, 0);
        const Bitmap p = Pattern(1920, 1080);
        Blit(d.Canvas(), 0, 0, p, p.Bounds());
    }
    HeadlessPlatform platform;
    Dos d;
};

constexpr int64_t kPageBytes = int64_t(1920) * 1080 * 4;

void BM_GraphSavePage(benchmark::State& state) {
    Screen s;
    for (auto _ : state) {
        SavePage(s.d, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kPageBytes);
}
BENCHMARK(BM_GraphSavePage);

void BM_GraphShowPage(benchmark::State& state) {
    Screen s;
    SavePage(s.d, 0);
    for (auto _ : state) {
        ShowPage(s.d, 0, false);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kPageBytes);
}
BENCHMARK(BM_GraphShowPage);

void BM_GraphPageMemcpy(benchmark::State& state) {
    Screen s;
    std::vector<uint32_t> page(size_t(1920) * 1080);
    for (auto _ : state) {
        std::memcpy(page.data(), s.d.Canvas().Row(0), size_t(kPageBytes));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kPageBytes);
}
BENCHMARK(BM_GraphPageMemcpy);

void BM_GraphStretchNearest(benchmark::State& state) {
    const Bitmap pic = Pattern(640, 480);
    Bitmap out(1440, 1080);
    for (auto _ : state) {
        StretchBlit(out, out.Bounds(), pic, pic.Bounds());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GraphStretchNearest)->Unit(benchmark::kMillisecond);

void BM_GraphStretchBilinear(benchmark::State& state) {
    const Bitmap pic = Pattern(640, 480);
    for (auto _ : state) benchmark::DoNotOptimize(StretchBilinear(pic, pic.Bounds(), 1440, 1080));
}
BENCHMARK(BM_GraphStretchBilinear)->Unit(benchmark::kMillisecond);

// A sprite of 96 x 90 points (216 x 203 pixels) taken from and put back on
// the window.
void BM_GraphSpriteGetPut(benchmark::State& state) {
    Screen s;
    Picture pic;
    for (auto _ : state) {
        GetImage(s.d, 200, 200, 295, 289, pic);
        PutImage(s.d, 208, 200, pic);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GraphSpriteGetPut);

void BM_GraphFatText(benchmark::State& state) {
    Screen s;
    SetTextStyle(s.d, 0, 0, 8);
    for (auto _ : state) {
        OutTextXY(s.d, 10, 100, "Donaudampfschiffahrt", true);
        s.d.screen.GraphTexts.clear();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GraphFatText)->Unit(benchmark::kMicrosecond);

// For comparison: the same fat text as 25 plain copies.
void BM_GraphFatTextByCopies(benchmark::State& state) {
    Screen s;
    SetTextStyle(s.d, 0, 0, 8);
    Font& font = s.d.fonts.Get(s.d.screen.WindowFont);
    for (auto _ : state) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                font.Draw(s.d.Canvas(), 250 + dx, 100 + dy, "Donaudampfschiffahrt", 0xFFFFFF);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GraphFatTextByCopies)->Unit(benchmark::kMicrosecond);

void BM_GraphLoadPicture(benchmark::State& state) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "qs-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string dir = tmpl + "/";
    Screen s(dir + "quendelstrand");
    s.platform.Files().MakeDirectories(dir + "bitplane");
    s.platform.Files().WriteFileAtomic(dir + "bitplane/bild.png", EncodePng(Pattern(640, 480)));
    Picture pic;
    for (auto _ : state) {
        LoadPicture(s.d, pic, 0, 640, false, "bitplane\\bild.png", 480);
        benchmark::DoNotOptimize(pic.get());
    }
    std::filesystem::remove_all(tmpl);
}
BENCHMARK(BM_GraphLoadPicture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qs
