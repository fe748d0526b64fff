// What a drawing on the graphics screen presents: a rectangle that holds
// every pixel it changed, not the whole window.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "graph/GraphTestSupport.h"

namespace qs::test {
namespace {

std::vector<uint32_t> Pixels(const Bitmap& b) {
    std::vector<uint32_t> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(b.Pixel(x, y));
    return out;
}

// The changed pixels that lie outside presented.
int ChangedOutside(const Bitmap& b, const std::vector<uint32_t>& before, const Rect& presented) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) != before[static_cast<size_t>(y) * b.Width() + x] &&
                 !presented.Contains(x, y);
    return n;
}

TEST(GraphPresent, ADrawingPresentsARectangleHoldingWhatItChanged) {
    struct Row {
        const char* name;
        std::function<void(Dos&)> draw;
    };
    const Row rows[] = {
        {"text", [](Dos& d) { OutTextXY(d, 210, 335, "J"); }},
        {"large thick text",
         [](Dos& d) {
             SetTextStyle(d, 0, 0, 6);
             OutTextXY(d, 300, 200, "Wolke", true);
         }},
        {"highlighted text",
         [](Dos& d) {
             Rect r;
             OutTextXYHighlight(d, 20, 440, "Jetzt schon beenden?  ", r, 4, "/n", "j");
         }},
        {"bar", [](Dos& d) { Bar(d, 100, 100, 140, 120); }},
        {"wide line",
         [](Dos& d) {
             SetLineStyle(d, 0, 0, 3);
             Line(d, 400, 50, 300, 90);
         }},
        {"thick line", [](Dos& d) { LineThick(d, 10, 300, 200, 320, true); }},
        {"filled ellipse", [](Dos& d) { FillEllipse(d, 320, 240, 30, 20); }},
        {"arc", [](Dos& d) { Ellipse(d, 500, 400, 0, 180, 40, 25); }},
        {"rectangle at the edge", [](Dos& d) { Rectangle(d, 600, 440, 639, 479); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GraphScreen s({1280, 960});
        Dos& d = s.d;
        InitGraph(d, 0);
        SetColor(d, 14);
        SetFillStyle(d, 1, 4);
        d.PresentIfDirty();
        const std::vector<uint32_t> before = Pixels(d.Canvas());
        r.draw(d);
        const int presents = s.platform.Presents();
        d.PresentIfDirty();
        ASSERT_EQ(s.platform.Presents(), presents + 1);
        const Rect shown = s.platform.LastPresented();
        EXPECT_EQ(ChangedOutside(d.Canvas(), before, shown), 0)
            << "presented " << shown.left << "," << shown.top << " - " << shown.right << ","
            << shown.bottom;
        EXPECT_LT(shown.Width() * shown.Height(), 1280 * 960 / 4) << "not the whole window";
    }
}

TEST(GraphPresent, DrawingsBetweenPresentsArePresentedTogether) {
    GraphScreen s({1280, 960});
    Dos& d = s.d;
    InitGraph(d, 0);
    SetColor(d, 14);
    d.PresentIfDirty();
    const std::vector<uint32_t> before = Pixels(d.Canvas());
    OutTextXY(d, 10, 10, "J");
    OutTextXY(d, 600, 450, "N");
    d.PresentIfDirty();
    EXPECT_EQ(ChangedOutside(d.Canvas(), before, s.platform.LastPresented()), 0);
    const int presents = s.platform.Presents();
    d.PresentIfDirty();
    EXPECT_EQ(s.platform.Presents(), presents) << "nothing new to show";
}

}  // namespace
}  // namespace qs::test
