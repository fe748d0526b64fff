#include <gtest/gtest.h>

#include "screen/surface/Raster.h"

namespace qs::test {
namespace {

struct RopCase {
    const char* name;
    Rop rop;
    uint32_t dst, src, expected;
};

TEST(Raster, BlitCombinesBitwise) {
    const RopCase cases[] = {
        {"copy", Rop::Copy, 0x123456, 0xABCDEF, 0xABCDEF},
        {"and", Rop::And, 0xFF00FF, 0x0F0F0F, 0x0F000F},
        {"or", Rop::Or, 0xF00000, 0x000F00, 0xF00F00},
        {"xor", Rop::Xor, 0xFFFFFF, 0x0F0F0F, 0xF0F0F0},
        {"invert", Rop::Invert, 0x00FF00, 0x123456, 0xFF00FF},
    };
    for (const auto& c : cases) {
        Bitmap dst(2, 2, c.dst), src(2, 2, c.src);
        Blit(dst, 0, 0, src, src.Bounds(), c.rop);
        EXPECT_EQ(dst.Pixel(1, 1), c.expected) << c.name;
    }
}

TEST(Raster, BlitClipsAtEveryEdge) {
    Bitmap dst(4, 4, 0), src(3, 3, 0xFFFFFF);
    Blit(dst, -1, -1, src, src.Bounds());
    Blit(dst, 3, 3, src, src.Bounds());
    EXPECT_EQ(dst.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(dst.Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(dst.Pixel(2, 2), 0u);
    EXPECT_EQ(dst.Pixel(3, 3), 0xFFFFFFu);
}

}  // namespace
}  // namespace qs::test

namespace qs::test {
namespace {

// A bitmap whose every pixel is distinct, so that misplaced copies show.
Bitmap Numbered(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, MakeRgb(x * 7, y * 11, x + 31 * y));
    return b;
}

bool SameBitmap(const Bitmap& a, const Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

TEST(Raster, BlitWithinOneBitmapMovesBlocksInEveryDirection) {
    const struct {
        const char* name;
        int dx, dy;
    } moves[] = {{"up", 0, -3},        {"down", 0, 3},       {"left", -3, 0},
                 {"right", 3, 0},      {"up-left", -2, -2},  {"down-right", 2, 2},
                 {"up-right", 2, -1},  {"down-left", -1, 2}, {"by one", 1, 0},
                 {"onto itself", 0, 0}};
    const Rect block{3, 3, 12, 10};
    for (Rop rop : {Rop::Copy, Rop::Xor}) {
        for (const auto& m : moves) {
            Bitmap expected = Numbered(16, 14);
            Bitmap source = expected;  // an independent copy of the block's pixels
            Blit(expected, block.left + m.dx, block.top + m.dy, source, block, rop);
            Bitmap same = Numbered(16, 14);
            Blit(same, block.left + m.dx, block.top + m.dy, same, block, rop);
            EXPECT_TRUE(SameBitmap(same, expected)) << m.name << " rop " << int(rop);
            // The same memory seen through a second bitmap object.
            Bitmap shared = Numbered(16, 14);
            Bitmap alias = Bitmap::Wrap(shared.View());
            Blit(shared, block.left + m.dx, block.top + m.dy, alias, block, rop);
            EXPECT_TRUE(SameBitmap(shared, expected))
                << m.name << " through a wrap, rop " << int(rop);
        }
    }
}

TEST(Raster, PageSizedCopiesAndFillsReachEveryPixel) {
    // Large enough to take the paths for blocks past the caches, at odd offsets.
    const struct {
        const char* name;
        int w, h, pitch;
        Rect block;
    } cases[] = {
        {"whole page", 1024, 768, 1024, Rect{0, 0, 1024, 768}},
        {"padded rows", 1024, 768, 1031, Rect{0, 0, 1024, 768}},
        {"odd block", 1024, 768, 1024, Rect{3, 1, 1021, 767}},
    };
    for (const auto& c : cases) {
        const Bitmap src = Numbered(c.w, c.h);
        std::vector<uint32_t> pixels(size_t(c.pitch) * c.h, 0x777777);
        Bitmap dst = Bitmap::Wrap(PixelView{pixels.data(), c.w, c.h, c.pitch});
        Blit(dst, c.block.left, c.block.top, src, c.block);
        bool copied = true;
        for (int y = 0; y < c.h && copied; ++y)
            for (int x = 0; x < c.w && copied; ++x)
                copied = dst.Pixel(x, y) == (c.block.Contains(x, y) ? src.Pixel(x, y) : 0x777777u);
        EXPECT_TRUE(copied) << c.name << " copy";
        FillRect(dst, c.block, 0x00ABCD);
        bool filled = true;
        for (int y = 0; y < c.h && filled; ++y)
            for (int x = 0; x < c.w && filled; ++x)
                filled = dst.Pixel(x, y) == (c.block.Contains(x, y) ? 0x00ABCDu : 0x777777u);
        EXPECT_TRUE(filled) << c.name << " fill";
    }
}

TEST(Raster, FillRectCombinesAndClips) {
    const struct {
        const char* name;
        Rop rop;
        uint32_t dst, colour, expected;
    } cases[] = {
        {"copy", Rop::Copy, 0x123456, 0xFFABCDEF, 0xABCDEF},
        {"and", Rop::And, 0xFF00FF, 0x0F0F0F, 0x0F000F},
        {"or", Rop::Or, 0xF00000, 0xFF000F00, 0xF00F00},
        {"xor", Rop::Xor, 0xFFFFFF, 0xFF0F0F0F, 0xF0F0F0},
        {"invert", Rop::Invert, 0x00FF00, 0, 0xFF00FF},
    };
    for (const auto& c : cases) {
        Bitmap b(6, 6, c.dst);
        FillRect(b, Rect{-5, 1, 100, 3}, c.colour, c.rop, Rect{2, 0, 4, 6});
        EXPECT_EQ(b.Row(1)[2], c.expected) << c.name;  // raw pixel: the top byte must be 0
        EXPECT_EQ(b.Row(2)[3], c.expected) << c.name;
        EXPECT_EQ(b.Pixel(1, 1), c.dst) << c.name << " left of the clip";
        EXPECT_EQ(b.Pixel(4, 1), c.dst) << c.name << " right of the clip";
        EXPECT_EQ(b.Pixel(2, 3), c.dst) << c.name << " below the rectangle";
    }
}

TEST(Raster, TransparentCopySkipsTheKeyColour) {
    Bitmap src(3, 1);
    src.Row(0)[0] = 0x000000;
    src.Row(0)[1] = 0xFF000000;  // the key with a stray top byte is still the key
    src.Row(0)[2] = 0x010203;
    Bitmap dst(5, 1, 0x777777);
    BlitTransparent(dst, 1, 0, src, src.Bounds(), 0x000000);
    EXPECT_EQ(dst.Pixel(1, 0), 0x777777u);
    EXPECT_EQ(dst.Pixel(2, 0), 0x777777u);
    EXPECT_EQ(dst.Pixel(3, 0), 0x010203u);
    BlitTransparent(dst, 0, 0, src, src.Bounds(), 0x010203, Rect{0, 0, 1, 1});
    EXPECT_EQ(dst.Pixel(0, 0), 0u);
    EXPECT_EQ(dst.Pixel(1, 0), 0x777777u) << "outside the clip";
}

TEST(Raster, MirroredCopyReversesRowsAndKeepsClippedPartsInPlace) {
    const Bitmap src = Numbered(7, 4);
    const Bitmap mirrored = Mirrored(src);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(mirrored.Pixel(x, y), src.Pixel(6 - x, y));
    Bitmap twice = mirrored;
    MirrorInPlace(twice);
    EXPECT_TRUE(SameBitmap(twice, src));

    const struct {
        const char* name;
        int dx, dy;
        Rect src;
        Rect clip;
    } cases[] = {
        {"inside", 2, 1, Rect{0, 0, 7, 4}, Rect{0, 0, 12, 8}},
        {"off the left edge", -3, 0, Rect{0, 0, 7, 4}, Rect{0, 0, 12, 8}},
        {"off the right and bottom", 8, 6, Rect{0, 0, 7, 4}, Rect{0, 0, 12, 8}},
        {"source beyond its bitmap", 1, 1, Rect{-2, -1, 9, 4}, Rect{0, 0, 12, 8}},
        {"clipped", 1, 1, Rect{1, 0, 6, 4}, Rect{3, 2, 5, 4}},
    };
    for (const auto& c : cases) {
        // Oracle: source column sx lands at dx + (src.right - 1 - sx), row sy at dy + sy - src.top.
        Bitmap expected(12, 8, 0x555555);
        for (int sy = std::max(c.src.top, 0); sy < std::min(c.src.bottom, 4); ++sy)
            for (int sx = std::max(c.src.left, 0); sx < std::min(c.src.right, 7); ++sx) {
                int x = c.dx + (c.src.right - 1 - sx), y = c.dy + sy - c.src.top;
                if (c.clip.Contains(x, y) && expected.Bounds().Contains(x, y))
                    expected.SetPixel(x, y, src.Pixel(sx, sy));
            }
        Bitmap got(12, 8, 0x555555);
        BlitMirrored(got, c.dx, c.dy, src, c.src, Rop::Copy, c.clip);
        EXPECT_TRUE(SameBitmap(got, expected)) << c.name;
    }
}

TEST(Raster, NearestStretchSamplesThePixelUnderEachCentre) {
    Bitmap row(4, 1);
    for (int x = 0; x < 4; ++x) row.SetPixel(x, 0, uint32_t(x + 1));
    const struct {
        const char* name;
        Rect src;
        int width;
        std::vector<uint32_t> expected;
    } cases[] = {
        {"same size", Rect{0, 0, 4, 1}, 4, {1, 2, 3, 4}},
        {"double", Rect{0, 0, 4, 1}, 8, {1, 1, 2, 2, 3, 3, 4, 4}},
        {"half", Rect{0, 0, 4, 1}, 2, {2, 4}},
        {"three to seven", Rect{0, 0, 3, 1}, 7, {1, 1, 2, 2, 2, 3, 3}},
        {"one pixel", Rect{2, 0, 3, 1}, 3, {3, 3, 3}},
        {"down to one", Rect{0, 0, 4, 1}, 1, {3}},
    };
    for (const auto& c : cases) {
        Bitmap dst(int(c.expected.size()), 1, 0xEEEEEE);
        StretchBlit(dst, dst.Bounds(), row, c.src);
        for (int x = 0; x < dst.Width(); ++x)
            EXPECT_EQ(dst.Pixel(x, 0), c.expected[size_t(x)]) << c.name << " x " << x;
    }
}

TEST(Raster, NearestStretchClipsWithoutShiftingTheSamples) {
    const Bitmap src = Numbered(64, 48);
    Bitmap whole(144, 108, 0x123123);
    StretchBlit(whole, Rect{-10, -7, 134, 101}, src, src.Bounds());
    const Rect clips[] = {Rect{0, 0, 144, 108}, Rect{3, 5, 50, 60}, Rect{100, 90, 200, 200},
                          Rect{}};
    for (const Rect& clip : clips) {
        Bitmap part(144, 108, 0x123123);
        StretchBlit(part, Rect{-10, -7, 134, 101}, src, src.Bounds(), Rop::Copy, clip);
        for (int y = 0; y < 108; ++y)
            for (int x = 0; x < 144; ++x) {
                uint32_t want = clip.Contains(x, y) ? whole.Pixel(x, y) : 0x123123u;
                ASSERT_EQ(part.Pixel(x, y), want)
                    << "clip " << clip.left << "," << clip.top << " at " << x << "," << y;
            }
    }
    // Parts of the source rectangle outside the source bitmap leave the target alone.
    Bitmap dst(8, 2, 0xABABAB);
    StretchBlit(dst, dst.Bounds(), src, Rect{-2, 0, 2, 1});
    EXPECT_EQ(dst.Pixel(0, 0), 0xABABABu);
    EXPECT_EQ(dst.Pixel(7, 1), src.Pixel(1, 0));
}

TEST(Raster, BilinearStretchKeepsFlatAreasAndDoesNotBleedTransparentColour) {
    Bitmap flat(3, 3, 0x406080);
    Bitmap big = StretchBilinear(flat, flat.Bounds(), 10, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(big.Pixel(x, y), 0x406080u);

    Bitmap ramp(2, 1);
    ramp.SetPixel(0, 0, 0x000000);
    ramp.SetPixel(1, 0, 0xFFFFFF);
    Bitmap wide = StretchBilinear(ramp, ramp.Bounds(), 8, 1);
    EXPECT_EQ(wide.Pixel(0, 0), 0u);
    EXPECT_EQ(wide.Pixel(7, 0), 0xFFFFFFu);
    for (int x = 1; x < 8; ++x) EXPECT_GE(wide.Pixel(x, 0) & 255, wide.Pixel(x - 1, 0) & 255) << x;

    Bitmap pair(2, 1);
    pair.SetPixel(0, 0, 0xFF0000);  // transparent red
    pair.SetPixel(1, 0, 0x0000FF);
    std::vector<uint8_t> alpha = {0, 255}, alphaOut;
    Bitmap blended = StretchBilinear(pair, alpha, pair.Bounds(), 8, 1, alphaOut);
    ASSERT_EQ(alphaOut.size(), 8u);
    EXPECT_EQ(alphaOut[0], 0);
    EXPECT_EQ(alphaOut[7], 255);
    for (int x = 0; x < 8; ++x) {
        if (alphaOut[size_t(x)]) {
            EXPECT_EQ(blended.Pixel(x, 0), 0x0000FFu) << x;
        }
    }
}

TEST(Raster, DegenerateArgumentsDrawNothingAndDoNotCrash) {
    const Bitmap src = Numbered(5, 5);
    Bitmap empty;
    Bitmap dst(10, 10, 0x111111);
    const Bitmap before = dst;
    Blit(dst, 1000000, -1000000, src, src.Bounds());
    Blit(dst, 0, 0, src, Rect{3, 3, 1, 1});
    Blit(dst, 0, 0, empty, Rect{0, 0, 5, 5});
    Blit(dst, 2147483000, 2147483000, src, Rect{-2147483000, -2147483000, 5, 5});
    Blit(empty, 0, 0, src, src.Bounds());
    Blit(dst, 2147483647, -2147483647 - 1, src,
         Rect{-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647});
    BlitMirrored(dst, -2147483647 - 1, 0, src, Rect{-2147483647 - 1, 0, 2147483647, 5});
    BlitTransparent(dst, -1000000, 0, src, src.Bounds(), 0);
    BlitMirrored(dst, 1000000, 0, src, src.Bounds());
    BlitMirrored(dst, 0, 0, src, Rect{-1000000, -1000000, -999990, -999990});
    StretchBlit(dst, Rect{0, 0, 0, 10}, src, src.Bounds());
    StretchBlit(dst, Rect{5, 5, 0, 0}, src, src.Bounds());
    StretchBlit(dst, dst.Bounds(), src, Rect{0, 0, -5, 5});
    StretchBlit(dst, dst.Bounds(), empty, Rect{0, 0, 5, 5});
    StretchBlit(dst, Rect{0, 0, 10, 10}, src, src.Bounds(), Rop::Copy, Rect{});
    FillRect(dst, Rect{-1000000, -1000000, -5, 1000000}, 0);
    EXPECT_TRUE(SameBitmap(dst, before));
    StretchBlit(dst, Rect{-1000000, -1000000, 1000000, 1000000}, src, src.Bounds());
    EXPECT_EQ(dst.Pixel(0, 0), src.Pixel(2, 2)) << "a huge stretch shows the source's middle";
    StretchBlit(dst, Rect{-2147483647, -2147483647, 2147483647, 2147483647}, src, src.Bounds());
    EXPECT_EQ(dst.Pixel(9, 9), src.Pixel(2, 2));
    EXPECT_TRUE(StretchBilinear(src, src.Bounds(), 0, 5).Empty());
    EXPECT_TRUE(StretchBilinear(src, src.Bounds(), -3, 5).Empty());
    EXPECT_TRUE(StretchBilinear(src, src.Bounds(), 1 << 30, 5).Empty());
}

}  // namespace
}  // namespace qs::test
