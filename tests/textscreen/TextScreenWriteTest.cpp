// Writing on the character screen: what lands in which cell, wrapping at the
// window's right edge, scrolling at its bottom, the control characters,
// colours and clearing.
#include <gtest/gtest.h>

#include <cmath>

#include "screen/surface/Raster.h"
#include "textscreen/ScreenRig.h"

namespace qs::test {
namespace {

// Cells of the rig are 8 x 19 pixels, and the fitted font advances by one
// cell, so the grid and the pixels agree.
class TextScreenWrite : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(rig.dos.screen.CellWidth, 8);
        ASSERT_EQ(rig.dos.fonts.Get(rig.dos.screen.WindowFont).CharWidth('A'), 8);
    }
    Dos& d() { return rig.dos; }
    // Counts the pixels of colour c inside r.
    int Count(const Rect& r, Rgb c) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += rig.Canvas().Pixel(x, y) == c;
        return n;
    }
    bool AllOf(const Rect& r, Rgb c) { return Count(r, c) == r.Width() * r.Height(); }

    ScreenRig rig;
};

TEST_F(TextScreenWrite, TextLandsInTheGridAndAdvancesTheCursor) {
    GotoXY(d(), 3, 2);
    Write(d(), "Wort");
    Write(d(), " ", "da");
    WriteInt(d(), -42);
    EXPECT_EQ(rig.GridRow(2), "  Wort da-42");
    EXPECT_EQ(WhereX(d()), 13);
    EXPECT_EQ(WhereY(d()), 2);
    WriteLn(d(), "x");
    EXPECT_EQ(WhereX(d()), 1);
    EXPECT_EQ(WhereY(d()), 3);
}

TEST_F(TextScreenWrite, ConvertedLettersShowTheirWindowsCharacter) {
    // "Wörter" and the other German letters as stored in code page 437.
    Write(d(), "W\x94rter \x84\x81\xE1\x8E\x99\x9A");
    EXPECT_EQ(rig.GridRow(1), "Wörter äüßÄÖÜ");
    // Drawn: the ö cell is not empty and differs from an o.
    const Rect oe = rig.CellRect(2, 1);
    const Bitmap withUmlaut = rig.Crop(oe);
    GotoXY(d(), 2, 1);
    Write(d(), "o");
    EXPECT_FALSE(test::SamePixels(withUmlaut, rig.Crop(oe), Rect{0, 0, 8, 19}));
    EXPECT_GT(oe.Width() * oe.Height() - Count(oe, 0), 0);
}

TEST_F(TextScreenWrite, NoConversionDrawsTheBytesAsTheyAre) {
    d().screen.NoConversion = true;
    Write(d(), "\x94\xF6");
    EXPECT_EQ(rig.GridRow(1), "\u201D\u00F6");
    // Courier New draws the en dash as an em dash.
    const char* dashes[] = {"\x96", "\x97", "-"};
    for (int i = 0; i < 3; ++i) {
        GotoXY(d(), 2, 2 + 2 * i);
        Write(d(), dashes[i]);
    }
    const Rect row{0, 0, 3 * 8, 19};
    const Bitmap en = rig.Crop(Rect{0, 19, 24, 38});
    EXPECT_TRUE(test::SamePixels(en, rig.Crop(Rect{0, 57, 24, 76}), row));
    EXPECT_FALSE(test::SamePixels(en, rig.Crop(Rect{0, 95, 24, 114}), row));
}

TEST_F(TextScreenWrite, WrapsAtTheWindowsRightEdgeWithoutScrolling) {
    Window(d(), 10, 2, 14, 4);
    Write(d(), "abcdefg");
    EXPECT_EQ(rig.GridRow(2), "         abcde");
    EXPECT_EQ(rig.GridRow(3), "         fg");
    EXPECT_EQ(WhereX(d()), 3);
    EXPECT_EQ(WhereY(d()), 2);
    // A run that fills the last row leaves the cursor below the window; the
    // screen scrolls only with the next write.
    GotoXY(d(), 1, 3);
    Write(d(), "vwxyz");
    EXPECT_EQ(WhereY(d()), 4);
    EXPECT_EQ(rig.GridRow(2), "         abcde");
    Write(d(), "Q");
    EXPECT_EQ(rig.GridRow(2), "         fg");
    EXPECT_EQ(rig.GridRow(3), "         vwxyz");
    EXPECT_EQ(rig.GridRow(4), "         Q");
}

TEST_F(TextScreenWrite, WriteLnBelowTheLastRowScrollsTheWindowIncludingItsLastColumn) {
    // Marks left and right of the window and below it must stay.
    GotoXY(d(), 9, 2);
    Write(d(), "L11111R");
    GotoXY(d(), 9, 3);
    Write(d(), "L22222R");
    GotoXY(d(), 9, 4);
    Write(d(), "L33333R");
    GotoXY(d(), 9, 5);
    Write(d(), "LbelowR");
    const Bitmap before = rig.Crop(d().Canvas().Bounds());
    Window(d(), 10, 2, 14, 4);
    GotoXY(d(), 1, 3);
    WriteLn(d());
    EXPECT_EQ(rig.GridRow(2), "        L22222R");
    EXPECT_EQ(rig.GridRow(3), "        L33333R");
    EXPECT_EQ(rig.GridRow(4), "        L     R");
    EXPECT_EQ(rig.GridRow(5), "        LbelowR");
    EXPECT_EQ(WhereX(d()), 1);
    EXPECT_EQ(WhereY(d()), 3);
    // Pixels: rows moved up by one cell over the window's five columns.
    const Bitmap& now = d().Canvas();
    for (int y = 0; y < 2 * 19; ++y)
        for (int x = 72; x < 112; ++x)
            ASSERT_EQ(now.Pixel(x, 19 + y), before.Pixel(x, 38 + y)) << x << "," << y;
    EXPECT_TRUE(AllOf(Rect{72, 57, 112, 76}, 0));
    EXPECT_TRUE(test::SamePixels(now, before, Rect{64, 19, 72, 95}));    // left marks
    EXPECT_TRUE(test::SamePixels(now, before, Rect{112, 19, 120, 95}));  // right marks
    EXPECT_TRUE(test::SamePixels(now, before, Rect{64, 76, 120, 95}));   // row below
}

TEST_F(TextScreenWrite, BackspaceMovesLeftWithoutErasing) {
    Write(d(), "AB");
    Write(d(), "\x08");
    EXPECT_EQ(WhereX(d()), 2);
    EXPECT_EQ(rig.GridRow(1), "AB");
    EXPECT_GT(8 * 19 - Count(rig.CellRect(2, 1), 0), 0);
    Write(d(), "C");
    EXPECT_EQ(rig.GridRow(1), "AC");
    WriteValues(d(), {std::string("x"), '\x08', '\x08', std::string("y")});
    EXPECT_EQ(rig.GridRow(1), "Ayx");
}

TEST_F(TextScreenWrite, BellBeepsAndDrawsNothing) {
    Write(d(), "A");
    const Bitmap before = rig.Crop(d().Canvas().Bounds());
    Write(d(), "\x07");
    WriteValues(d(), {'\x07'});
    EXPECT_EQ(rig.platform.Beeps(), 2);
    EXPECT_EQ(WhereX(d()), 2);
    EXPECT_TRUE(test::SamePixels(d().Canvas(), before, d().Canvas().Bounds()));
}

TEST_F(TextScreenWrite, TextColourAndTheBlinkBit) {
    struct Row {
        int colour;
        Rgb drawn;
        bool styled;  // italic and underlined
    };
    const Row rows[] = {
        {0, 0, false},
        {7, MakeRgb(160, 160, 160), false},
        {15, 0xFFFFFF, false},
        {12, MakeRgb(255, 160, 0), false},
        {16, 0, true},
        {20, MakeRgb(255, 0, 0), true},
        {15 + 16, 0xFFFFFF, true},
        {255, 0xFFFFFF, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "TextColor(" << r.colour << ")");
        ScreenRig rig;
        Window(rig.dos, 1, 1, 80, 25);
        TextBackground(rig.dos, 1);
        TextColor(rig.dos, r.colour);
        EXPECT_EQ(rig.dos.screen.TextAttr, r.colour);
        EXPECT_EQ(rig.dos.screen.WindowFont.italic, r.styled);
        EXPECT_EQ(rig.dos.screen.WindowFont.underline, r.styled);
        Write(rig.dos, "H");
        // The cell holds the text colour; an underline is a row of it across
        // the whole cell.
        const Bitmap cell = rig.Crop(rig.CellRect(1, 1));
        int full = 0, lit = 0;
        for (int y = 0; y < cell.Height(); ++y) {
            int inRow = 0;
            for (int x = 0; x < cell.Width(); ++x) inRow += cell.Pixel(x, y) == r.drawn;
            lit += inRow;
            full += inRow == cell.Width();
        }
        EXPECT_GT(lit, 0);
        EXPECT_EQ(full > 0, r.styled);
    }
}

TEST_F(TextScreenWrite, BackgroundTakesTheLowThreeBits) {
    struct Row {
        int colour;
        int entry;
    };
    const Row rows[] = {{0, 0}, {3, 3}, {7, 7}, {8, 0}, {9, 1}, {15, 7}, {0x2C, 4}};
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "TextBackground(" << r.colour << ")");
        ScreenRig rig;
        Window(rig.dos, 2, 2, 4, 3);
        TextBackground(rig.dos, r.colour);
        ClrScr(rig.dos);
        EXPECT_EQ(rig.Canvas().Pixel(8, 19), rig.dos.screen.Palette[r.entry]);
    }
}

TEST_F(TextScreenWrite, ClrScrFillsTheWindowOnlyAndLeavesTheCursor) {
    Write(d(), "0123456789");
    Window(d(), 3, 1, 6, 2);
    GotoXY(d(), 2, 2);
    TextBackground(d(), 4);
    ClrScr(d());
    EXPECT_EQ(WhereX(d()), 2);
    EXPECT_EQ(WhereY(d()), 2);
    EXPECT_EQ(rig.GridRow(1), "01    6789");
    const Rgb red = MakeRgb(255, 0, 0);
    EXPECT_TRUE(AllOf(Rect{16, 0, 48, 38}, red));
    EXPECT_EQ(Count(Rect{0, 0, 16, 38}, red), 0);
    EXPECT_EQ(Count(Rect{48, 0, 80, 38}, red), 0);
    EXPECT_EQ(Count(Rect{16, 38, 48, 57}, red), 0);
}

TEST_F(TextScreenWrite, WritingFillsTheTextsCellsWithTheBackground) {
    TextBackground(d(), 2);
    GotoXY(d(), 2, 1);
    Write(d(), "a b");
    const Rgb back = d().screen.Palette[2];
    EXPECT_TRUE(AllOf(rig.CellRect(3, 1), back));  // the space
    EXPECT_EQ(Count(rig.CellRect(1, 1), back), 0);
    EXPECT_EQ(Count(rig.CellRect(5, 1), back), 0);
    EXPECT_GT(Count(rig.CellRect(2, 1), back), 0);
}

TEST_F(TextScreenWrite, PendingClearHappensAtTheNextWindowOrBackground) {
    Write(d(), "alt");
    d().screen.ClearPending = true;
    Window(d(), 1, 1, 80, 25);
    EXPECT_FALSE(d().screen.ClearPending);
    EXPECT_EQ(rig.GridRow(1), "");
    EXPECT_TRUE(AllOf(d().Canvas().Bounds().Intersect(Rect{0, 0, 640, 475}), 0));

    TextBackground(d(), 5);
    Write(d(), "neu");
    d().screen.ClearPending = true;
    TextBackground(d(), 3);
    EXPECT_FALSE(d().screen.ClearPending);
    EXPECT_EQ(rig.GridRow(1), "");
    EXPECT_TRUE(AllOf(Rect{0, 0, 640, 475}, d().screen.Palette[3]));
}

TEST_F(TextScreenWrite, FieldsAreRightAligned) {
    TextBackground(d(), 1);
    WriteFields(d(), {std::string("7"), 42LL, std::string("zu lang"), std::string("!")},
                {3, 5, 2, 0});
    EXPECT_EQ(rig.GridRow(1), "  7   42zu lang!");
    EXPECT_TRUE(AllOf(rig.CellRect(1, 1), d().screen.Palette[1]));
    EXPECT_EQ(WhereX(d()), 17);
}

TEST_F(TextScreenWrite, ValuesOfEachKind) {
    WriteValues(d(), {std::string("s"), 12LL, 1.5, 'c', -0.25});
    EXPECT_EQ(rig.GridRow(1), "s121,5c-0,25");
}

TEST(TextScreenWidth, WidthInGraphUnits) {
    // 1920 x 1080: the drawing area is 1440 wide, so a character 18 pixels
    // wide counts 8 units; a lone special glyph counts the window pixels of "A".
    ScreenRig rig({1920, 1080}, {196});
    rig.AddGlyph("132", 196);
    Dos& d = rig.dos;
    const int a = d.fonts.Get(d.screen.WindowFont).CharWidth('A');
    const int unit = static_cast<int>(std::lround(a * 640.0 / 1440));
    struct Row {
        const char* what;
        std::string text;
        int width;
    };
    const Row rows[] = {
        {"letters", "AB", 2 * unit},
        {"one letter", "A", unit},
        {"lone glyph", "\xC4", a},
        {"glyph in a longer text", "\xC4\xC4", 2 * unit},
        {"converted letter is no glyph", "\x84", unit},
        {"empty", "", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(TextWidth640(d, r.text), r.width) << r.what;
}

}  // namespace
}  // namespace qs::test
