// Pictures made to cost: a metafile whose records or points run into the
// hundreds of thousands is drawn only as far as its work limit reaches, and
// the glyph pictures are drawn into the character cells once per cell size,
// not at every screen set-up.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "metafile/MetafileBuilder.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/TextScreen.h"
#include "screen/metafile/Metafile.h"

namespace qs::test {
namespace {

constexpr Rgb kBack = 0x808080, kRed = 0xFF0000, kGreen = 0x00FF00;

// A PolyBezier16 of n points zigzagging across the 100 x 100 frame.
std::vector<int32_t> ZigzagBezier16(uint32_t n) {
    std::vector<int32_t> fields = {0, 0, 99, 99, static_cast<int32_t>(n)};
    for (uint32_t i = 0; i < n; ++i) {
        const auto x = static_cast<uint16_t>(i % 100);
        const auto y = static_cast<uint16_t>(i % 2 ? 99 : 0);
        fields.push_back(static_cast<int32_t>(x | uint32_t{y} << 16));
    }
    return fields;
}

// A red square, the costly part, then a green square.
std::vector<uint8_t> RedCostlyGreen(const std::function<void(EmfBuilder&)>& costly) {
    EmfBuilder e;
    e.Brush(1, 0x0000FF).Select(1).NullPen().Rect(10, 10, 30, 30);
    costly(e);
    return e.Brush(2, 0x00FF00).Select(2).Rect(60, 60, 80, 80).WithEof();
}

TEST(HeavyMetafile, DrawingStopsWhereTheWorkLimitIsReached) {
    const struct {
        const char* name;
        std::function<void(EmfBuilder&)> costly;
        bool drawsAll;
    } cases[] = {
        {"a bezier of 300,001 points", [](EmfBuilder& e) { e.Record(85, ZigzagBezier16(300'001)); },
         false},
        {"beziers that together pass the limit",
         [](EmfBuilder& e) {
             for (int i = 0; i < 4; ++i) e.Record(85, ZigzagBezier16(30'001));
         },
         false},
        {"more records than the limit",
         [](EmfBuilder& e) {
             for (uint64_t i = 0; i < kMetafileMaxRecords; ++i) e.Record(37, {1});
         },
         false},
        {"a bezier just inside the limit",
         [](EmfBuilder& e) { e.Record(85, ZigzagBezier16(30'001)); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<Metafile> m = Metafile::Parse(RedCostlyGreen(c.costly));
        ASSERT_TRUE(m);
        Bitmap b(100, 100, kBack);
        m->Draw(b, Rect{0, 0, 100, 100});
        EXPECT_EQ(b.Pixel(20, 20), kRed) << "what comes before is drawn";
        EXPECT_EQ(b.Pixel(70, 70), c.drawsAll ? kGreen : kBack);
    }
}

class GlyphPreparation : public ::testing::Test {
protected:
    GlyphPreparation() {
        HeadlessOptions o;
        o.size = {640, 480};
        platform_ = std::make_unique<HeadlessPlatform>(std::move(o));
        d_ = std::make_unique<Dos>(*platform_);
        EmfBuilder heavy;
        heavy.Record(85, ZigzagBezier16(300'001));
        d_->GlyphPictures.push_back({"178", *Metafile::Parse(heavy.WithEof())});
        d_->GlyphPictures.push_back({"219", *Metafile::Parse(EmfBuilder()
                                                                 .Brush(1, 0xFFFFFF)
                                                                 .Select(1)
                                                                 .NullPen()
                                                                 .Rect(0, 0, 100, 100)
                                                                 .WithEof())});
    }
    std::unique_ptr<HeadlessPlatform> platform_;
    std::unique_ptr<Dos> d_;
};

// A glyph is drawn when it is first shown at a cell size, and a mark put
// into it survives the next set-up of a screen of the same size: it was not
// drawn again.
TEST_F(GlyphPreparation, EachCellSizeIsDrawnOnceOnFirstUse) {
    InitScreen(*d_);
    const std::pair<int, int> first{d_->screen.CellWidth, d_->screen.CellHeight};
    ASSERT_EQ(d_->PreparedGlyphs.size(), 1u);
    ASSERT_EQ(d_->screen.Glyphs.size(), 2u);
    EXPECT_EQ(d_->screen.GlyphIndex.at("219"), 1);
    EXPECT_FALSE(d_->screen.Glyphs[0].drawn) << "the heavy picture waits for its first use";
    EXPECT_NE(PreparedGlyph(*d_, 1).mask.Pixel(1, 1), 0u) << "the full block is drawn";
    PreparedGlyph(*d_, 0);
    d_->PreparedGlyphs[first][0].mask.SetPixel(0, 0, kGreen);

    InitScreen(*d_);
    EXPECT_EQ(PreparedGlyph(*d_, 0).mask.Pixel(0, 0), kGreen);

    platform_->ResizeWindow(1280, 960);
    InitScreen(*d_);
    EXPECT_EQ(d_->PreparedGlyphs.size(), 2u);
    EXPECT_NE(PreparedGlyph(*d_, 0).mask.Pixel(0, 0), kGreen) << "a new size is drawn afresh";

    platform_->ResizeWindow(640, 480);
    InitScreen(*d_);
    EXPECT_EQ(PreparedGlyph(*d_, 0).mask.Pixel(0, 0), kGreen) << "the first size is kept";
}

}  // namespace
}  // namespace qs::test
