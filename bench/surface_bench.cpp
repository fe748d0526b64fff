// Costs of the per-frame drawing operations at full-HD window size.
#include <benchmark/benchmark.h>

#include <cstring>

#include "screen/surface/Raster.h"

namespace qs {
namespace {

Bitmap Pattern(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, ((x / 7 + y / 5) % 3 == 0) ? 0 : MakeRgb(x, y, x ^ y));
    return b;
}

void BM_PageCopyBlit(benchmark::State& state) {
    const Bitmap src = Pattern(1920, 1080);
    Bitmap dst(1920, 1080);
    for (auto _ : state) {
        Blit(dst, 0, 0, src, src.Bounds());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 1920 * 1080 * 4);
}
BENCHMARK(BM_PageCopyBlit);

void BM_PageCopyMemcpy(benchmark::State& state) {
    const Bitmap src = Pattern(1920, 1080);
    Bitmap dst(1920, 1080);
    for (auto _ : state) {
        std::memcpy(dst.Row(0), src.Row(0), size_t(1920) * 1080 * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 1920 * 1080 * 4);
}
BENCHMARK(BM_PageCopyMemcpy);

// The same copy into a bitmap whose rows are longer than the page (a padded framebuffer).
void BM_PageCopyBlitPadded(benchmark::State& state) {
    const Bitmap src = Pattern(1920, 1080);
    std::vector<uint32_t> pixels(size_t(1920 + 64) * 1080);
    Bitmap dst = Bitmap::Wrap(PixelView{pixels.data(), 1920, 1080, 1920 + 64});
    for (auto _ : state) {
        Blit(dst, 0, 0, src, src.Bounds());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 1920 * 1080 * 4);
}
BENCHMARK(BM_PageCopyBlitPadded);

void BM_PageFillRect(benchmark::State& state) {
    Bitmap dst(1920, 1080);
    Rgb c = 0x123456;
    for (auto _ : state) {
        FillRect(dst, dst.Bounds(), c);
        c ^= 0x010101;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PageFillRect);

void BM_StretchPictureNearest(benchmark::State& state) {
    const Bitmap src = Pattern(640, 480);
    Bitmap dst(1920, 1080);
    for (auto _ : state) {
        StretchBlit(dst, Rect{240, 0, 1680, 1080}, src, src.Bounds());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StretchPictureNearest);

void BM_StretchPictureBilinear(benchmark::State& state) {
    const Bitmap src = Pattern(640, 480);
    for (auto _ : state) {
        Bitmap out = StretchBilinear(src, src.Bounds(), 1440, 1080);
        benchmark::DoNotOptimize(out.Row(0));
    }
}
BENCHMARK(BM_StretchPictureBilinear)->Unit(benchmark::kMillisecond);

// A 136 x 136 sprite scaled to 1080p, copied with black as the transparent colour.
void BM_SpriteTransparent(benchmark::State& state) {
    const Bitmap sprite = Pattern(306, 306);
    Bitmap dst(1920, 1080, 0xFFFFFF);
    for (auto _ : state) {
        BlitTransparent(dst, 700, 400, sprite, sprite.Bounds(), 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpriteTransparent);

void BM_SpriteMirroredTransparent(benchmark::State& state) {
    const Bitmap sprite = Pattern(306, 306);
    Bitmap dst(1920, 1080, 0xFFFFFF);
    for (auto _ : state) {
        BlitMirroredTransparent(dst, 700, 400, sprite, sprite.Bounds(), 0, dst.Bounds());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpriteMirroredTransparent);

void BM_SpriteMirrorInPlace(benchmark::State& state) {
    Bitmap scratch = Pattern(338, 338);
    for (auto _ : state) {
        MirrorInPlace(scratch);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpriteMirrorInPlace);

}  // namespace
}  // namespace qs
