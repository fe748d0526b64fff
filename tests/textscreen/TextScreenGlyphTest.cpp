// Special glyphs drawn from the glyph pictures, the text cursor, shadows and a
// reference picture of a small screen.
#include <gtest/gtest.h>

#include "screen/graph/Graph.h"
#include "screen/surface/Raster.h"
#include "support/ReferenceImage.h"
#include "textscreen/ScreenRig.h"

namespace qs::test {
namespace {

// What a prepared glyph leaves in a cell over a plain background.
Rgb GlyphPixel(const GlyphCell& g, int x, int y, Rgb back, Rgb colour) {
    return ((back & g.inverse.Pixel(x, y)) | (g.mask.Pixel(x, y) & colour)) & 0xFFFFFF;
}

const GlyphCell& GlyphNamed(Dos& d, const std::string& name) {
    return PreparedGlyph(d, d.screen.GlyphIndex.at(name));
}

TEST(TextScreenGlyphs, FrameTopLineFillsOneCellPerGlyph) {
    ScreenRig rig({642, 482}, {218, 196, 191});
    Dos& d = rig.dos;
    Window(d, 1, 1, 80, 25);
    TextBackground(d, 1);
    TextColor(d, 14);
    GotoXY(d, 3, 2);
    Write(d, "\xDA\xC4\xC4\xBF");
    EXPECT_EQ(rig.GridRow(2), "  ┌──┐");
    EXPECT_EQ(WhereX(d), 7);

    const Rgb back = d.screen.Palette[1];
    const Rgb colour = d.screen.Palette[14];
    const char* names[] = {"218", "196", "196", "191"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(names[i]);
        const GlyphCell& g = GlyphNamed(d, names[i]);
        const Rect cell = rig.CellRect(3 + i, 2);
        int lit = 0;
        for (int y = 0; y < cell.Height(); ++y)
            for (int x = 0; x < cell.Width(); ++x) {
                const Rgb got = rig.Canvas().Pixel(cell.left + x, cell.top + y);
                ASSERT_EQ(got, GlyphPixel(g, x, y, back, colour)) << x << "," << y;
                lit += got == colour;
            }
        EXPECT_GT(lit, 0);
    }
    // Nothing outside the four cells: the cells beside and below are untouched.
    for (const Rect& r :
         {rig.CellRect(2, 2), rig.CellRect(7, 2), rig.CellRect(3, 3), rig.CellRect(6, 3)})
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ASSERT_EQ(rig.Canvas().Pixel(x, y), 0u);
}

TEST(TextScreenGlyphs, RepeatedGlyphCopiesThePreviousCellAcrossTheWrap) {
    ScreenRig rig({642, 482}, {196});
    Dos& d = rig.dos;
    Window(d, 5, 3, 8, 6);
    TextColor(d, 10);
    Write(d, std::string(6, '\xC4'));
    EXPECT_EQ(rig.GridRow(3), "    ────");
    EXPECT_EQ(rig.GridRow(4), "    ──");
    const Bitmap first = rig.Crop(rig.CellRect(5, 3));
    const std::pair<int, int> cells[] = {{6, 3}, {7, 3}, {8, 3}, {5, 4}, {6, 4}};
    for (auto [col, row] : cells)
        EXPECT_TRUE(test::SamePixels(first, rig.Crop(rig.CellRect(col, row)), first.Bounds()))
            << col << "," << row;
    EXPECT_FALSE(test::SamePixels(first, rig.Crop(rig.CellRect(7, 4)), first.Bounds()));
}

// A run that wraps paints its own background in the rows it continues in,
// so over anything that stood there (the shades round a box) each cell of
// the run looks exactly like the glyph written alone.
TEST(TextScreenGlyphs, EveryCellOfAWrappedRunLooksLikeTheGlyphAlone) {
    ScreenRig rig({642, 482}, {176, 178});
    Dos& d = rig.dos;
    TextBackground(d, 7);
    ClrScr(d);
    TextColor(d, 7);
    TextBackground(d, 0);
    GotoXY(d, 20, 20);
    Write(d, "\xB0");
    const Bitmap alone = rig.Crop(rig.CellRect(20, 20));
    Window(d, 5, 3, 8, 6);
    // As under a box: the row it wraps into starts with another glyph.
    Write(d, "\xB0\xB0\xB0\xB0\xB2\xB0\xB0");
    const std::pair<int, int> cells[] = {{5, 3}, {6, 3}, {7, 3}, {8, 3}, {6, 4}, {7, 4}};
    for (auto [col, row] : cells)
        EXPECT_TRUE(test::SamePixels(alone, rig.Crop(rig.CellRect(col, row)), alone.Bounds()))
            << "cell " << col << "," << row;
    // The background stops where the run does and never leaves the window.
    const Bitmap untouched = rig.Crop(rig.CellRect(30, 10));
    for (auto [col, row] : {std::pair{8, 4}, std::pair{9, 3}, std::pair{9, 4}})
        EXPECT_TRUE(
            test::SamePixels(untouched, rig.Crop(rig.CellRect(col, row)), untouched.Bounds()))
            << "cell " << col << "," << row;
}

TEST(TextScreenGlyphs, GlyphOrFontAndWhatTheGridShows) {
    struct Row {
        const char* what;
        std::string text;
        const char* grid;
        bool glyph;  // the cell equals the glyph picture in white on black
    };
    const Row rows[] = {
        {"box line with picture", "\xC4", "─", true},
        {"full block with picture", "\xDB", "█", true},
        {"no picture: the Windows character of the byte", "\xB3", "³", false},
        {"converted letter ignores a picture of its byte", "\x84", "ä", false},
        {"picture named by the character", "#", "#", true},
        {"space", " ", "", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ScreenRig rig({642, 482}, {196, 219});
        rig.AddGlyph("132", 219);
        rig.AddGlyph("#", 219);
        Window(rig.dos, 1, 1, 80, 25);
        TextColor(rig.dos, 15);
        Write(rig.dos, r.text);
        EXPECT_EQ(rig.GridRow(1), r.grid);
        EXPECT_EQ(WhereX(rig.dos), 2);
        const Bitmap cell = rig.Crop(rig.CellRect(1, 1));
        const std::string name = r.text == "\xC4" ? "196" : "219";
        const GlyphCell& g = GlyphNamed(rig.dos, name);
        EXPECT_EQ(test::SamePixels(cell, g.mask, cell.Bounds()), r.glyph);
    }
}

TEST(TextScreenGlyphs, DecimalNameIsTriedBeforeTheCharacter) {
    ScreenRig rig({642, 482});
    rig.AddGlyph("#", 219);
    rig.AddGlyph("35", 196);
    EXPECT_EQ(FindGlyph(rig.dos, '#'), rig.dos.screen.GlyphIndex.at("35"));
    EXPECT_EQ(FindGlyph(rig.dos, '$'), -1);
}

TEST(TextScreenGlyphs, ShadowDarkensTheAbsoluteCells) {
    struct Row {
        int attr;
        Rgb shade;
    };
    for (const Row& r : {Row{7, MakeRgb(64, 64, 64)}, Row{0, MakeRgb(119, 119, 119)},
                         Row{8, MakeRgb(119, 119, 119)}}) {
        SCOPED_TRACE(::testing::Message() << "attr " << r.attr);
        ScreenRig rig;
        FillRect(rig.Canvas(), rig.Canvas().Bounds(), 0xFFFFFF);
        Window(rig.dos, 10, 10, 20, 20);  // absolute cells: the window does not count
        ShadowCells(rig.dos, 2, 3, 4, 3, r.attr);
        for (int col = 1; col <= 5; ++col)
            for (int row = 2; row <= 4; ++row) {
                const Rect c = rig.CellRect(col, row);
                const bool shaded = col >= 2 && col <= 4 && row == 3;
                for (int y = c.top; y < c.bottom; ++y)
                    for (int x = c.left; x < c.right; ++x)
                        ASSERT_EQ(rig.Canvas().Pixel(x, y), shaded ? r.shade : 0xFFFFFFu)
                            << col << "," << row;
            }
    }
}

// Runs the same screen work with and without a shown cursor.
void CursorWorkout(Dos& d) {
    Window(d, 1, 1, 80, 25);
    Write(d, "abc");
    GotoXY(d, 5, 5);
    TextColor(d, 4);
    GotoXY(d, 6, 6);
    Write(d, "x", "y");
    WriteLn(d, "zz");
    Write(d, "\x08");
    TextColor(d, 12);
    Window(d, 3, 10, 8, 11);
    TextBackground(d, 2);
    ClrScr(d);
    WriteLn(d, "eins");
    WriteLn(d, "zwei");
    WriteLn(d, "drei");  // scrolls
    Write(d, "vier");
}

TEST(TextScreenCursor, ShownCursorLeavesNoTraceWhenSwitchedOff) {
    ScreenRig plain;
    CursorWorkout(plain.dos);

    ScreenRig shown;
    CursorOn(shown.dos);
    CursorOn(shown.dos);  // a second call draws nothing
    CursorWorkout(shown.dos);
    const Bitmap withCursor = shown.Crop(shown.Canvas().Bounds());
    CursorOff(shown.dos);
    CursorOff(shown.dos);  // already off: draws nothing
    EXPECT_FALSE(test::SamePixels(withCursor, plain.Canvas(), plain.Canvas().Bounds()));
    EXPECT_TRUE(test::SamePixels(shown.Canvas(), plain.Canvas(), plain.Canvas().Bounds()));
}

TEST(TextScreenCursor, IsAnXorLineNearTheCellBottom) {
    ScreenRig rig;
    Dos& d = rig.dos;
    TextColor(d, 14);
    GotoXY(d, 4, 2);
    const Rgb back = MakeRgb(0, 0, 128);
    FillRect(rig.Canvas(), rig.CellRect(4, 2), back);
    CursorOn(d);
    const Rect cell = rig.CellRect(4, 2);
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left - 1; x <= cell.right; ++x) {
            const bool onLine = y == cell.bottom - 2 && x >= cell.left && x < cell.right;
            const bool inCell = cell.Contains(x, y);
            const Rgb want = onLine ? (back ^ d.screen.Palette[14]) : inCell ? back : 0;
            ASSERT_EQ(rig.Canvas().Pixel(x, y), want) << x << "," << y;
        }
}

TEST(TextScreenReference, FrameShadesAndGermanLetters) {
    ScreenRig rig({802, 602}, {176, 177, 178, 179, 191, 192, 196, 217, 218, 219});
    Dos& d = rig.dos;
    Window(d, 1, 1, 32, 12);
    TextBackground(d, 3);
    ClrScr(d);
    Window(d, 2, 2, 28, 9);
    TextBackground(d, 1);
    ClrScr(d);
    Window(d, 1, 1, 80, 25);
    TextColor(d, 15);
    GotoXY(d, 2, 2);
    Write(d, "\xDA" + std::string(25, '\xC4') + "\xBF");
    const std::string lines[] = {
        " W\x94rter: \x84pfel \x94l \201ber", " \216rger \231fen \232bung Fu\xE1", "", "", "", "",
    };
    for (int i = 0; i < 6; ++i) {
        GotoXY(d, 2, 3 + i);
        TextColor(d, 15);
        Write(d, "\xB3");
        TextColor(d, 14);
        Write(d, lines[i]);
        GotoXY(d, 28, 3 + i);
        TextColor(d, 15);
        Write(d, "\xB3");
    }
    GotoXY(d, 3, 5);
    TextColor(d, 10);
    Write(d, " \xB0\xB0\xB0\xB1\xB1\xB1\xB2\xB2\xB2\xDB\xDB\xDB");
    GotoXY(d, 4, 6);
    TextColor(d, 12 + 16);
    Write(d, "gro\xE1 und blinkend");
    GotoXY(d, 4, 7);
    for (int c = 1; c <= 15; ++c) {
        TextColor(d, c);
        Write(d, "\xDB");
    }
    GotoXY(d, 2, 9);
    TextColor(d, 15);
    Write(d, "\xC0" + std::string(25, '\xC4') + "\xD9");
    ShadowCells(d, 29, 3, 29, 10, 7);
    ShadowCells(d, 3, 10, 28, 10, 7);
    CursorOn(d);
    EXPECT_TRUE(test::MatchesReference(rig.Crop(Rect{0, 0, 320, 12 * 24}), "ref/textscreen-frame"));
}

// The glyph picture drawn straight into a cell of the given size, as the
// glyph preparation does.
Bitmap PictureInCell(int code, int w, int h) {
    Bitmap b(w, h + 2, 0);
    test::LoadGlyphPicture(code).Draw(b, b.Bounds());
    return b;
}

TEST(TextScreenGlyphs, GlyphsFitTheCellsOfTheCurrentWindow) {
    // Window cells can differ from those of InitScreen (graphics mode uses
    // the drawing area and 30 rows); a glyph still fills exactly its cell.
    struct Row {
        const char* what;
        Size client;
        bool graph;
        Size cell;
    };
    const Row rows[] = {
        {"text mode", {1240, 500}, false, {15, 20}},
        {"text mode, rows left over", {1236, 613}, false, {15, 24}},
        {"graphics mode", {1280, 960}, true, {16, 32}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ScreenRig rig(r.client, {196, 218});
        if (r.graph) InitGraph(rig.dos, 0);
        else Window(rig.dos, 1, 1, 80, 25);
        const ScreenState& s = rig.dos.screen;
        ASSERT_EQ(s.CellWidth, r.cell.w);
        ASSERT_EQ(s.CellHeight, r.cell.h);
        TextColor(rig.dos, 15);
        Write(rig.dos, "\xDA\xC4\xC4");
        for (int i = 0; i < 3; ++i) {
            const Bitmap want = PictureInCell(i == 0 ? 218 : 196, r.cell.w, r.cell.h);
            const int x0 = s.WinLeft + i * r.cell.w;
            for (int y = 0; y < r.cell.h; ++y)
                for (int x = 0; x < r.cell.w; ++x)
                    ASSERT_EQ(rig.Canvas().Pixel(x0 + x, s.WinTop + y), want.Pixel(x, y))
                        << "cell " << i << " at " << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace qs::test
