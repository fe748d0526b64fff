// Saving and restoring the screen in pages, drawing on a page, and the
// exclusive full-screen surface.
#include <gtest/gtest.h>

#include "graph/GraphTestSupport.h"

namespace qs::test {
namespace {

struct Pages : ::testing::Test {
    GraphScreen s{{800, 600}};
    Dos& d = s.d;
    void SetUp() override { InitGraph(d, 0); }
    void Paint(int colour, int x1, int y1, int x2, int y2) {
        SetFillStyle(d, 1, colour);
        Bar(d, x1, y1, x2, y2);
    }
    Rgb Colour(int k) const { return d.screen.Palette[static_cast<size_t>(k)]; }
};

TEST_F(Pages, SaveAndShowRestoreTheScreen) {
    Paint(4, 0, 0, 100, 100);
    SavePage(d, 0);
    const Bitmap saved = d.Canvas();
    Paint(2, 0, 0, 639, 479);
    ShowPage(d, 0, false);
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), saved));
    ASSERT_TRUE(d.Pages[0]);
    EXPECT_EQ(d.Pages[0]->Width(), 800);

    Paint(2, 0, 0, 639, 479);
    ShowPage(d, 0, true);
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), saved));
    EXPECT_FALSE(d.Pages[0]) << "released";
}

TEST_F(Pages, MissingPagesAreLeftAlone) {
    Paint(4, 0, 0, 100, 100);
    const Bitmap screen = d.Canvas();
    ShowPage(d, 3, true);
    ShowPageRect(d, 3, false, Rect{0, 0, 100, 100});
    ShowPage(d, 9, false);
    SavePage(d, 6);
    SavePage(d, -1);
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), screen));

    SavePage(d, 1);
    CopyPage(d, 1, 2);  // no page 2
    CopyPage(d, 2, 1);
    EXPECT_FALSE(d.Pages[2]);
    EXPECT_TRUE(GraphScreen::Same(*d.Pages[1], screen));
}

TEST_F(Pages, ShowPageRectCopiesOnlyThePart) {
    Paint(4, 0, 0, 639, 479);
    SavePage(d, 1);
    Paint(2, 0, 0, 639, 479);
    ShowPageRect(d, 1, true, Rect{100, 100, 200, 180});  // 125..250 x 125..225 pixels
    EXPECT_EQ(GraphScreen::Count(d.Canvas(), d.Canvas().Bounds(), Colour(4)), 125 * 100);
    EXPECT_EQ(s.At(125, 125), Colour(4));
    EXPECT_EQ(s.At(249, 224), Colour(4));
    EXPECT_FALSE(d.Pages[1]);
}

TEST_F(Pages, CopyPageCopiesTheWholePage) {
    Paint(4, 0, 0, 639, 479);
    SavePage(d, 0);
    Paint(2, 0, 0, 639, 479);
    SavePage(d, 1);
    CopyPage(d, 1, 0);
    EXPECT_EQ(d.Pages[1]->Pixel(400, 300), Colour(4));
}

TEST_F(Pages, ActivePageStartsAsACopyOfTheScreenAndTakesTheDrawing) {
    Paint(4, 0, 0, 100, 100);
    const Bitmap screen = d.Canvas();
    SetActivePage(d, 2);
    ASSERT_TRUE(d.Pages[2]);
    EXPECT_TRUE(GraphScreen::Same(*d.Pages[2], screen)) << "a copy of the screen";
    SetColor(d, 14);
    Paint(2, 200, 200, 300, 300);
    Line(d, 0, 400, 600, 400);
    OutTextXY(d, 10, 300, "Seite");
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), screen)) << "the window is untouched";
    EXPECT_EQ(d.Pages[2]->Pixel(300, 300), Colour(2));
    EXPECT_EQ(d.Pages[2]->Pixel(300, 500), Colour(14));

    SetActivePage(d, 2);  // an existing page is not overwritten
    EXPECT_EQ(d.Pages[2]->Pixel(300, 300), Colour(2));
    SetActivePage(d, -1);
    Paint(9, 0, 0, 10, 10);
    EXPECT_EQ(s.At(5, 5), Colour(9));

    SetActivePage(d, 2);
    ShowPage(d, 2, true);
    EXPECT_EQ(s.At(300, 300), Colour(2));
    Paint(10, 0, 0, 10, 10);
    EXPECT_EQ(s.At(5, 5), Colour(10)) << "a released active page hands back to the window";
}

TEST_F(Pages, PutImageAndBackgroundAlwaysUseTheWindow) {
    SetActivePage(d, 0);
    Picture pic = std::make_unique<Bitmap>(10, 10, 0xFF0000);
    PutImage(d, 0, 0, pic);
    EXPECT_EQ(s.At(5, 5), 0xFF0000u);
    EXPECT_EQ(d.Pages[0]->Pixel(5, 5), 0u);
    SetBkColor(d, 0);
    EXPECT_EQ(s.At(5, 5), 0u);
}

TEST_F(Pages, ExclusiveSurfaceFreesTheTrainersPages) {
    for (int p = 0; p < 6; ++p) SavePage(d, p);
    s.platform.ShowPointer(true);
    EnterExclusiveScreen(d);
    EXPECT_TRUE(s.platform.Exclusive());
    EXPECT_TRUE(d.exclusive);
    for (int p = 0; p < 5; ++p) EXPECT_FALSE(d.Pages[static_cast<size_t>(p)]) << p;
    EXPECT_TRUE(d.Pages[5]) << "page 5 belongs to the main window";
    EXPECT_TRUE(s.platform.PointerVisible());
    ASSERT_TRUE(s.platform.PointerConfinement().has_value());
    EXPECT_EQ(*s.platform.PointerConfinement(), (Rect{0, 0, 800, 600}));

    Paint(4, 0, 0, 639, 479);
    SavePage(d, 1);
    Paint(2, 0, 0, 639, 479);
    const int presents = s.platform.Presents();
    ShowPageExclusive(d, 1, true, true);
    EXPECT_EQ(s.At(400, 300), Colour(4));
    EXPECT_FALSE(d.Pages[1]);
    EXPECT_EQ(s.platform.Presents(), presents + 1);

    SavePage(d, 0);
    const uint64_t before = s.platform.NowMicros();
    LeaveExclusiveScreen(d);
    EXPECT_FALSE(s.platform.Exclusive());
    EXPECT_FALSE(d.exclusive);
    EXPECT_FALSE(d.Pages[0]);
    EXPECT_GT(s.platform.NowMicros(), before) << "waits while messages run";
}

}  // namespace
}  // namespace qs::test
