// Pictures: making, loading from files, masks, and copying to and from the
// window.
#include <gtest/gtest.h>

#include "graph/GraphTestSupport.h"
#include "metafile/MetafileBuilder.h"
#include "screen/GraphMapping.h"
#include "screen/image/PngEncode.h"
#include "screen/surface/Raster.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kGrey = 0x808080;
constexpr Rgb kWhite = 0xFFFFFF;

std::string AsString(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

// A 32-bit BMP with an alpha channel: pixel (x, y) = colour(x, y) with alpha(x, y).
template <typename Colour, typename Alpha>
std::string AlphaBmp(int w, int h, Colour colour, Alpha alpha) {
    std::vector<uint8_t> b;
    auto put16 = [&](uint32_t v) { test::Put16(b, static_cast<uint16_t>(v)); };
    auto put32 = [&](uint32_t v) { test::Put32(b, v); };
    const uint32_t offset = 14 + 40 + 16, size = offset + 4u * w * h;
    b.push_back('B');
    b.push_back('M');
    put32(size);
    put32(0);
    put32(offset);
    put32(40);
    put32(static_cast<uint32_t>(w));
    put32(static_cast<uint32_t>(h));
    put16(1);
    put16(32);
    put32(6);  // bit fields with alpha
    put32(4u * w * h);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) put32(mask);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x)
            put32(colour(x, y) | (static_cast<uint32_t>(alpha(x, y)) << 24));
    return std::string(b.begin(), b.end());
}

// Left half transparent blue, right half opaque red.
std::string HalfTransparent(int w, int h) {
    return AlphaBmp(
        w, h, [w](int x, int) { return x < w / 2 ? 0x0000FFu : kRed; },
        [w](int x, int) { return x < w / 2 ? 0 : 255; });
}

struct PictureFiles : ::testing::Test {
    TempDir dir;
    GraphScreen s{{800, 600}, dir / "quendelstrand"};  // 1.25 pixels per point
    Dos& d = s.d;
    void SetUp() override {
        dir.Put("bitplane/Rot.png", AsString(EncodePng(Bitmap(200, 100, kRed))));  // 2:1
        dir.Put("bitplane/halb.bmp", HalfTransparent(40, 40));
        dir.Put("bitplane/kaputt.png", "\x89PNG\r\n\x1a\n kaputt");
        test::EmfBuilder emf;
        emf.Brush(1, 0x0000FF).Select(1).NullPen().Rect(25, 25, 75, 75);  // red square in 100 x 100
        dir.Put("bitplane/quadrat.emf", AsString(emf.WithEof()));
    }
};

TEST_F(PictureFiles, LoadPictureSizesFillsAndFits) {
    struct Row {
        const char* name;
        std::string file;
        int w, h;
        bool stretch;
        Size size;
        Rect red;  // where the picture lands; the rest keeps the colour
    };
    const Row rows[] = {
        {"missing file keeps the colour", "bitplane\\fehlt.png", 40, 20, false, {50, 25}, {}},
        {"damaged file keeps the colour", "bitplane\\kaputt.png", 40, 20, false, {50, 25}, {}},
        {"w 0 takes the width from the aspect",
         "BITPLANE\\rot.png",
         0,
         40,
         false,
         {100, 50},
         {0, 0, 100, 50}},
        {"fitted into a square", "bitplane\\Rot.png", 80, 80, false, {100, 100}, {0, 24, 100, 76}},
        {"stretched over a square",
         "bitplane\\Rot.png",
         80,
         80,
         true,
         {100, 100},
         {0, 0, 100, 100}},
        {"metafile leaves its background",
         "bitplane\\quadrat.emf",
         80,
         80,
         true,
         {100, 100},
         {24, 24, 76, 76}},
    };
    for (const Row& r : rows) {
        Picture pic;
        LoadPicture(d, pic, kGrey, r.w, r.stretch, r.file, r.h);
        ASSERT_TRUE(pic) << r.name;
        EXPECT_EQ((Size{pic->Width(), pic->Height()}), r.size) << r.name;
        EXPECT_EQ(GraphScreen::Count(*pic, r.red, kRed), r.red.Width() * r.red.Height()) << r.name;
        EXPECT_EQ(GraphScreen::Count(*pic, pic->Bounds(), kRed), r.red.Width() * r.red.Height())
            << r.name;
    }
}

TEST_F(PictureFiles, LoadPictureBlendsAlphaOverTheColour) {
    Picture pic;
    LoadPicture(d, pic, kGrey, 32, true, "bitplane\\halb.bmp", 32);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Pixel(2, 20), kGrey) << "transparent half";
    EXPECT_EQ(pic->Pixel(37, 20), kRed) << "covered half";
}

TEST_F(PictureFiles, LoadMaskedPictureMakesAComplementaryMask) {
    Picture pic, mask;
    NewPicture(d, pic, 32, 32);  // 40 x 40
    FillPicture(pic, kGrey);
    LoadMaskedPicture(d, pic, &mask, "bitplane\\halb.bmp");
    ASSERT_TRUE(mask);
    ASSERT_EQ(mask->Width(), 40);
    ASSERT_EQ(mask->Height(), 40);
    // The picture is stretched 2 pixels past each edge: its half lands at x 20.
    for (int x = 0; x < 40; ++x) {
        const bool covered = x >= 20;
        EXPECT_EQ(pic->Pixel(x, 10), covered ? kRed : 0u) << x;
        EXPECT_EQ(mask->Pixel(x, 10), covered ? 0u : kWhite) << x;
    }

    LoadMaskedPicture(d, pic, &mask, "bitplane\\fehlt.png");
    EXPECT_EQ(GraphScreen::Extent(*pic, 0), Rect{}) << "black";
    EXPECT_EQ(GraphScreen::Extent(*mask, kWhite), Rect{}) << "white";

    Picture alone;
    NewPicture(d, alone, 32, 32);
    LoadMaskedPicture(d, alone, nullptr, "bitplane\\halb.bmp");
    EXPECT_EQ(alone->Pixel(30, 10), kRed);
}

// A picture decodes to at most sixteen times the pixels it is drawn at (1 Mpx
// at least), and the pictures of one screen to 64 Mpx together; one over
// either shows as missing: the picture keeps its fill colour.
TEST_F(PictureFiles, PicturesOverTheirPixelBudgetCountAsMissing) {
    dir.Put("bitplane/gross.png", AsString(EncodePng(Bitmap(2048, 2048, kRed))));  // 4 Mpx
    auto drawnRed = [&](int w, int h) {
        Picture pic;
        LoadPicture(d, pic, kGrey, w, true, "bitplane\\gross.png", h);
        return pic->Pixel(pic->Width() / 2, pic->Height() / 2) == kRed;
    };
    EXPECT_FALSE(drawnRed(160, 160)) << "drawn at 200 x 200 pixels: 40 kpx";
    EXPECT_TRUE(drawnRed(640, 480)) << "drawn at 800 x 600 pixels: 480 kpx";
    for (int i = 2; i <= 16; ++i) EXPECT_TRUE(drawnRed(640, 480)) << "picture " << i;
    EXPECT_FALSE(drawnRed(640, 480)) << "the 17th passes 64 Mpx";
    SetFillStyle(d, 1, 0);
    Bar(d, 0, 0, 639, 479);
    EXPECT_TRUE(drawnRed(640, 480)) << "a cleared screen starts afresh";
}

TEST(GraphPictures, NewFreeAndFill) {
    GraphScreen s({800, 600});
    Picture pic;
    NewPicture(s.d, pic, 40, 20);
    ASSERT_TRUE(pic);
    EXPECT_EQ((Size{pic->Width(), pic->Height()}), (Size{50, 25}));
    EXPECT_EQ(NewPictureForRect(s.d, 30, 10, 10, 50, pic), 800);
    EXPECT_EQ((Size{pic->Width(), pic->Height()}), (Size{25, 50}));
    FillPicture(pic, kRed);
    EXPECT_EQ(GraphScreen::Count(*pic, pic->Bounds(), kRed), 25 * 50);
    FreePicture(pic);
    EXPECT_FALSE(pic);
    FillPicture(pic, kRed);  // nothing to fill
}

TEST(GraphPictures, PutImageIsClippedAtTheAreasRightAndBottomOnly) {
    struct Row {
        const char* name;
        Size window;
        int x, y;
        Rect want;  // expected extent; -1 entries are filled from the mapping
    };
    const Row rows[] = {
        {"right edge of the area", {1920, 1080}, 630, 100, {-1, -1, 1680, -1}},
        {"bottom edge of the area", {800, 700}, 100, 470, {-1, -1, -1, 650}},
        {"left margin is drawn", {1920, 1080}, -10, 100, {-1, -1, -1, -1}},
    };
    for (const Row& r : rows) {
        GraphScreen s(r.window);
        InitGraph(s.d, 0);
        Picture pic = std::make_unique<Bitmap>(40, 40, kRed);
        PutImage(s.d, r.x, r.y, pic);
        int px = r.x, py = r.y;
        ToWindow(s.d.screen.Area, px, py);
        const Rect want{r.want.left < 0 ? px : r.want.left, r.want.top < 0 ? py : r.want.top,
                        r.want.right < 0 ? px + 40 : r.want.right,
                        r.want.bottom < 0 ? py + 40 : r.want.bottom};
        EXPECT_EQ(GraphScreen::Extent(s.d.Canvas(), 0), want) << r.name;
    }
}

TEST(GraphPictures, PutImageInXorModeCombines) {
    GraphScreen s({640, 480});
    InitGraph(s.d, 0);
    SetFillStyle(s.d, 1, 9);
    Bar(s.d, 0, 0, 100, 100);
    const Bitmap before = s.d.Canvas();
    Picture pic = std::make_unique<Bitmap>(40, 40, kRed);
    SetWriteMode(s.d, 1);
    PutImage(s.d, 80, 80, pic);
    EXPECT_EQ(s.At(90, 90), kRed ^ s.d.screen.Palette[9]);
    PutImage(s.d, 80, 80, pic);
    EXPECT_TRUE(GraphScreen::Same(s.d.Canvas(), before));
}

TEST(GraphPictures, GetImageTakesTheInclusiveCorners) {
    GraphScreen s({640, 480});
    InitGraph(s.d, 0);
    s.d.Canvas().SetPixel(10, 10, kRed);
    s.d.Canvas().SetPixel(19, 14, kWhite);
    Picture pic;
    GetImage(s.d, 10, 10, 19, 14, pic);
    ASSERT_TRUE(pic);
    EXPECT_EQ((Size{pic->Width(), pic->Height()}), (Size{10, 5}));
    EXPECT_EQ(pic->Pixel(0, 0), kRed);
    EXPECT_EQ(pic->Pixel(9, 4), kWhite);

    GetImage(s.d, 630, 470, 649, 489, pic);  // reaches past the window
    EXPECT_EQ((Size{pic->Width(), pic->Height()}), (Size{20, 20}));
}

}  // namespace
}  // namespace qs::test
