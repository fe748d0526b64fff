// The character screen holds back the cells it writes and draws each once,
// before anyone sees the window. Each row runs the same writes on a screen
// that holds cells and on one that draws at once: every pixel, read through
// the window, a present or a saved page, must be the same.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "screen/graph/Graph.h"
#include "support/RowName.h"
#include "textscreen/ScreenRig.h"

namespace qs::test {
namespace {

struct HeldRow {
    std::string what;
    std::function<void(ScreenRig&)> writes;
};

void PrintTo(const HeldRow& row, std::ostream* os) { *os << row.what; }

void Shades(Dos& d, int rows) {
    const std::string shade(80, '\xb2');
    for (int row = 0; row < rows; ++row) Write(d, shade);
}

const std::vector<HeldRow>& HeldRows() {
    static const std::vector<HeldRow> rows = {
        {"title screen: shades past the bottom scroll, then text over them",
         [](ScreenRig& r) {
             Dos& d = r.dos;
             TextBackground(d, 0);
             TextColor(d, 7);
             ClrScr(d);
             Shades(d, 25);
             TextColor(d, 10);
             Write(d, "  W\x94rter bauen f\x81r Kinder der Grundschule");
             GotoXY(d, 1, 1);
             TextBackground(d, 3);
             TextColor(d, 15);
             Write(d, "Quendel\xb2\xb2strand");
         }},
        {"shadows over blanks, text and glyphs, written over afterwards",
         [](ScreenRig& r) {
             Dos& d = r.dos;
             TextBackground(d, 1);
             ClrScr(d);
             GotoXY(d, 10, 5);
             TextColor(d, 14);
             Write(d, "Kasten \xb2\xb2 mit Schatten");
             ShadowCells(d, 12, 5, 30, 7, 7);
             ShadowCells(d, 14, 5, 16, 6, 8);
             GotoXY(d, 13, 6);
             Write(d, "neu");
         }},
        {"cursor shown while writing, wrapping and scrolling a small window",
         [](ScreenRig& r) {
             Dos& d = r.dos;
             ClrScr(d);
             Shades(d, 3);
             Window(d, 5, 2, 20, 5);
             TextBackground(d, 2);
             CursorOn(d);
             for (int i = 0; i < 9; ++i)
                 WriteLn(d, "Zeile " + std::to_string(i) + " \xb2 lang genug");
             Write(d, "Ende");
         }},
        {"blinking colours draw underlined, slanted letters that leave their cells",
         [](ScreenRig& r) {
             Dos& d = r.dos;
             TextBackground(d, 7);
             ClrScr(d);
             GotoXY(d, 3, 3);
             TextColor(d, 16 + 4);
             Write(d, "WWfj\xb2jjWW");
             TextColor(d, 1);
             GotoXY(d, 4, 3);
             Write(d, "ab");
             Window(d, 1, 1, 80, 4);
             WriteLn(d);
             WriteLn(d);
         }},
        {"a cursor beyond the window's right edge draws outside the grid",
         [](ScreenRig& r) {
             Dos& d = r.dos;
             ClrScr(d);
             Window(d, 70, 1, 80, 3);
             GotoXY(d, 12, 1);
             Write(d, "\xb2\xb2\xb2x\xb2");
             GotoXY(d, 11, 3);
             Write(d, "xy\xb2\xb2z");
         }},
        {"more colours and letters than the picture cache keeps",
         [](ScreenRig& r) {
             Dos& d = r.dos;
             for (int i = 0; i < 1300; ++i) {
                 TextColor(d, i % 16);
                 TextBackground(d, (i / 16) % 8);
                 Write(d, std::string(1, static_cast<char>(33 + i % 90)));
                 if (i % 500 == 0) ShadowCells(d, 1, 1, 80, 2, 7);
             }
         }},
        {"writing in graphics mode between text screens",
         [](ScreenRig& r) {
             Dos& d = r.dos;
             ClrScr(d);
             Shades(d, 2);
             InitGraph(d, 0);
             Window(d, 1, 1, 80, 30);
             TextBackground(d, 1);
             Write(d, "Grafik \xb2 Text");
             CloseGraph(d);
             Window(d, 1, 1, 80, 25);
             GotoXY(d, 1, 3);
             Write(d, "wieder Text \xb2");
         }},
    };
    return rows;
}

class HeldCells : public ::testing::TestWithParam<HeldRow> {};

TEST_P(HeldCells, DrawTheSamePixelsAsDrawingAtOnce) {
    ScreenRig atOnce({642, 482}, {178});
    atOnce.dos.cells.enabled = false;
    ScreenRig held({642, 482}, {178});
    GetParam().writes(atOnce);
    GetParam().writes(held);
    // Presented first: the framebuffer itself must hold the cells then.
    held.dos.PresentIfDirty();
    const Bitmap presented = Bitmap::Wrap(held.platform.Framebuffer());
    const Rect all = atOnce.Canvas().Bounds();
    EXPECT_TRUE(SamePixels(atOnce.Canvas(), presented, all));
    for (int row = 1; row <= 25; ++row) EXPECT_EQ(held.GridRow(row), atOnce.GridRow(row)) << row;
}

INSTANTIATE_TEST_SUITE_P(TextScreen, HeldCells, ::testing::ValuesIn(HeldRows()), RowName{});

// What reads or copies the window's pixels sees the cells written so far.
TEST(HeldCellsRead, SavedPagesAndTheCanvasShowTheWrittenCells) {
    ScreenRig atOnce({642, 482}, {178});
    atOnce.dos.cells.enabled = false;
    ScreenRig held({642, 482}, {178});
    for (ScreenRig* r : {&atOnce, &held}) {
        TextBackground(r->dos, 4);
        ClrScr(r->dos);
        Write(r->dos, "gespeichert \xb2");
        SavePage(r->dos, 1);
        Write(r->dos, " danach");
    }
    const Rect all = atOnce.Canvas().Bounds();
    EXPECT_TRUE(SamePixels(*atOnce.dos.Pages[1], *held.dos.Pages[1], all));
    EXPECT_TRUE(SamePixels(atOnce.Canvas(), held.Canvas(), all));
}

// A word written on the text screen presents the cells it took, not the
// whole window.
TEST(HeldCellsPresent, AWordPresentsItsCellsOnly) {
    ScreenRig rig({642, 482}, {178});
    ClrScr(rig.dos);
    rig.dos.PresentIfDirty();
    GotoXY(rig.dos, 5, 3);
    Write(rig.dos, "Wort\xb2");
    rig.dos.PresentIfDirty();
    const Rect shown = rig.platform.LastPresented();
    EXPECT_TRUE(shown.Intersect(rig.CellRect(5, 3)) == rig.CellRect(5, 3));
    EXPECT_TRUE(shown.Intersect(rig.CellRect(9, 3)) == rig.CellRect(9, 3));
    EXPECT_LE(shown.Height(), 3 * rig.dos.screen.CellHeight);
    EXPECT_LE(shown.Width(), 8 * rig.dos.screen.CellWidth);
}

// Cells held for a framebuffer that the platform replaced (a resize) are
// dropped with it, and the screen rebuilt on the new one draws correctly.
TEST(HeldCellsResize, CellsOfAReplacedFramebufferAreDropped) {
    ScreenRig atOnce({642, 482}, {178});
    atOnce.dos.cells.enabled = false;
    ScreenRig held({642, 482}, {178});
    for (ScreenRig* r : {&atOnce, &held}) {
        Shades(r->dos, 25);
        r->platform.ResizeWindow(802, 602);
        InitScreen(r->dos);
        ClrScr(r->dos);
        Write(r->dos, "neu \xb2");
    }
    const Rect all = atOnce.Canvas().Bounds();
    ASSERT_EQ(all.Width(), 802);
    EXPECT_TRUE(SamePixels(atOnce.Canvas(), held.Canvas(), all));
}

}  // namespace
}  // namespace qs::test
