// Cell arithmetic, palettes, the text window and cursor positioning of the
// character screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "screen/GraphMapping.h"
#include "textscreen/ScreenRig.h"

namespace qs::test {
namespace {

TEST(TextScreenGeometry, CellSizesFollowTheWindowSize) {
    // InitScreen takes two pixels off the client size, Window does not; both
    // round to the nearest integer, so the two can differ by one, but never
    // up so far that 80 columns or 25 rows pass the window's edge.
    struct Row {
        Size client;
        Size initCell;
        Size windowCell;
    };
    const Row rows[] = {
        {{642, 482}, {8, 19}, {8, 19}},     {{1280, 960}, {16, 38}, {16, 38}},
        {{1920, 1080}, {24, 43}, {24, 43}}, {{800, 600}, {10, 24}, {10, 24}},
        {{1236, 613}, {15, 24}, {15, 24}},  {{1240, 500}, {15, 20}, {15, 20}},
        {{1000, 750}, {12, 30}, {12, 30}},  {{1024, 768}, {12, 30}, {12, 30}},
        {{50, 20}, {1, 1}, {1, 1}},         {{1, 1}, {1, 1}, {1, 1}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.client.w << "x" << r.client.h);
        ScreenRig rig(r.client);
        const ScreenState& s = rig.dos.screen;
        EXPECT_EQ(s.CellWidth, r.initCell.w);
        EXPECT_EQ(s.CellHeight, r.initCell.h);
        EXPECT_EQ(s.WinRight, 79 * r.initCell.w);
        EXPECT_EQ(s.WinBottom, 24 * r.initCell.h);
        Window(rig.dos, 1, 1, 80, 25);
        EXPECT_EQ(s.CellWidth, r.windowCell.w);
        EXPECT_EQ(s.CellHeight, r.windowCell.h);
        EXPECT_LE(80 * s.CellWidth, std::max(r.client.w, 80));
        EXPECT_LE(25 * s.CellHeight, std::max(r.client.h, 25));
    }
}

TEST(TextScreenGeometry, TextFontIsTheFirstSizeWhoseAReachesTheAreaColumn) {
    for (Size client : {Size{642, 482}, Size{1280, 960}, Size{1920, 1080}, Size{1024, 768},
                        Size{1000, 750}, Size{3840, 2160}, Size{1280, 1024}}) {
        SCOPED_TRACE(::testing::Message() << client.w << "x" << client.h);
        ScreenRig rig(client);
        const ScreenState& s = rig.dos.screen;
        const int target = DrawingArea(client).Width() / 80;
        FontRequest req = s.WindowFont;
        EXPECT_EQ(req.face, "Courier New");
        EXPECT_TRUE(req.bold);
        EXPECT_EQ(s.TextFontSize, req.sizePt - 1);
        // Stretched sideways, every character fills its cell.
        EXPECT_EQ(req.advancePx, s.CellWidth);
        for (uint8_t c : {'A', 'i', 'W', ' ', '1'})
            EXPECT_EQ(rig.dos.fonts.Get(req).CharWidth(c), s.CellWidth) << c;
        // The size is chosen from the face's own widths.
        req.advancePx = 0;
        EXPECT_GE(rig.dos.fonts.Get(req).CharWidth('A'), target);
        if (req.sizePt > 6) {
            req.sizePt -= 1;
            EXPECT_LT(rig.dos.fonts.Get(req).CharWidth('A'), target);
        }
    }
}

TEST(TextScreenGeometry, PalettesAfterInit) {
    ScreenRig rig;
    const ScreenState& s = rig.dos.screen;
    const Rgb expected[17] = {
        MakeRgb(0, 0, 0),     MakeRgb(0, 0, 128),   MakeRgb(128, 0, 0),    MakeRgb(0, 192, 160),
        MakeRgb(255, 0, 0),   MakeRgb(128, 0, 240), MakeRgb(255, 255, 0),  MakeRgb(160, 160, 160),
        MakeRgb(64, 64, 64),  MakeRgb(0, 0, 255),   MakeRgb(0, 224, 0),    MakeRgb(0, 255, 255),
        MakeRgb(255, 160, 0), MakeRgb(255, 0, 128), MakeRgb(255, 255, 64), MakeRgb(255, 255, 255),
        MakeRgb(0, 0, 0),
    };
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(s.Palette[i], expected[i]) << "index " << i;
        EXPECT_EQ(s.DefaultPalette[i], expected[i]) << "index " << i;
        EXPECT_EQ(s.ExtPalette[i], expected[i]) << "index " << i;
        EXPECT_EQ(PaletteColour(rig.dos, i), expected[i]) << "index " << i;
    }
    struct Ext {
        int index;
        Rgb colour;
    };
    const Ext ext[] = {{17, 0},
                       {18, MakeRgb(0, 32, 64)},
                       {19, MakeRgb(128, 64, 255)},
                       {20, MakeRgb(48, 48, 96)},
                       {21, MakeRgb(48, 96, 144)},
                       {22, MakeRgb(144, 144, 128)},
                       {23, 0},
                       {63, 0},
                       {64, MakeRgb(128, 64, 0)},
                       {65, 0},
                       {255, 0}};
    for (const Ext& e : ext) {
        EXPECT_EQ(s.ExtPalette[e.index], e.colour) << "index " << e.index;
        EXPECT_EQ(PaletteColour(rig.dos, e.index), e.colour) << "index " << e.index;
    }
    EXPECT_EQ(PaletteColour(rig.dos, -1), 0u);
    EXPECT_EQ(PaletteColour(rig.dos, 256), 0u);
}

TEST(TextScreenGeometry, PaletteEntrySixteenFollowsTheGraphicsBackground) {
    ScreenRig rig;
    rig.dos.screen.Palette[16] = MakeRgb(1, 2, 3);
    EXPECT_EQ(PaletteColour(rig.dos, 16), MakeRgb(1, 2, 3));
    EXPECT_EQ(PaletteColour(rig.dos, 17), 0u);
}

TEST(TextScreenGeometry, WindowAndCursorPositions) {
    // Cells are 8 x 19 pixels; the window is columns 11..30, rows 4..9.
    struct Row {
        const char* what;
        int x, y;    // GotoXY arguments
        int wx, wy;  // WhereX, WhereY afterwards
        int px, py;  // cursor pixel afterwards
    };
    const Row rows[] = {
        {"top-left cell", 1, 1, 1, 1, 80, 57},
        {"inside", 5, 3, 5, 3, 112, 95},
        {"last cell", 20, 6, 20, 6, 232, 152},
        {"beyond the window is not clipped", 25, 9, 25, 9, 272, 209},
        {"zero column ignored", 0, 3, 7, 2, 128, 76},
        {"zero row ignored", 4, 0, 7, 2, 128, 76},
        {"negative ignored", -3, -1, 7, 2, 128, 76},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ScreenRig rig;
        Window(rig.dos, 11, 4, 30, 9);
        const ScreenState& s = rig.dos.screen;
        EXPECT_EQ(s.WinLeft, 80);
        EXPECT_EQ(s.WinTop, 57);
        EXPECT_EQ(s.WinRight, 232);
        EXPECT_EQ(s.WinBottom, 152);
        EXPECT_EQ(WhereX(rig.dos), 1);
        EXPECT_EQ(WhereY(rig.dos), 1);
        GotoXY(rig.dos, 7, 2);
        GotoXY(rig.dos, r.x, r.y);
        EXPECT_EQ(WhereX(rig.dos), r.wx);
        EXPECT_EQ(WhereY(rig.dos), r.wy);
        EXPECT_EQ(s.CursorX, r.px);
        EXPECT_EQ(s.CursorY, r.py);
    }
}

TEST(TextScreenGeometry, GraphicsModeWindowUsesTheDrawingAreaAndThirtyRows) {
    ScreenRig rig({1920, 1080});
    ScreenState& s = rig.dos.screen;
    s.GraphMode = true;
    Window(rig.dos, 2, 3, 80, 30);
    EXPECT_EQ(s.Area, (Rect{240, 0, 1680, 1080}));
    EXPECT_EQ(s.CellWidth, 18);
    EXPECT_EQ(s.CellHeight, 36);
    EXPECT_EQ(s.WinLeft, 240 + 18);
    EXPECT_EQ(s.WinTop, 72);
    EXPECT_EQ(s.WinRight, 240 + 79 * 18);
    EXPECT_EQ(s.WinBottom, 29 * 36);
    EXPECT_EQ(s.CursorX, s.WinLeft);
    EXPECT_EQ(s.CursorY, s.WinTop);
    Write(rig.dos, "G");
    EXPECT_EQ(rig.GridRow(3), " G");
}

TEST(TextScreenGeometry, WindowsOutsideTheScreenDrawOnlyWhatIsVisible) {
    // Coordinates are taken as given: nothing is clipped to the screen, and
    // whatever falls outside the window's pixels is simply not drawn.
    struct Row {
        const char* what;
        int x1, y1, x2, y2;
    };
    const Row rows[] = {
        {"right of the screen", 78, 2, 90, 4},
        {"below the screen", 3, 24, 10, 40},
        {"above and left", -5, -3, 2, 1},
        {"inverted", 20, 10, 5, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ScreenRig rig({642, 482}, {196, 219});
        Dos& d = rig.dos;
        CursorOn(d);
        Window(d, r.x1, r.y1, r.x2, r.y2);
        TextBackground(d, 1);
        ClrScr(d);
        for (int i = 0; i < 4; ++i) WriteLn(d, "Zeile \xC4\xC4\xDB\xDB \x84");
        GotoXY(d, 30, 30);
        Write(d, "\xC4\xC4");
        ShadowCells(d, r.x1, r.y1, r.x2 + 5, r.y2 + 5, 7);
        CursorOff(d);
        // The part of the window on the screen shows the last line, moved up
        // by the write below the window.
        if (r.x1 == 78) {
            EXPECT_EQ(rig.GridRow(2), std::string(77, ' ') + "Zei");
            EXPECT_EQ(rig.GridRow(3), "");
        }
    }
}

}  // namespace
}  // namespace qs::test
