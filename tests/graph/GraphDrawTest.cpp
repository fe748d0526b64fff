// Bars, rectangles, lines, ellipses and arcs on the graphics screen.
#include <gtest/gtest.h>

#include "graph/GraphTestSupport.h"
#include "screen/surface/Raster.h"
#include "support/ReferenceImage.h"

namespace qs::test {
namespace {

constexpr Rgb kRed = 0xFF0000;

TEST(GraphBar, MarginsAreCoveredOnlyByNearlyFullBars) {
    // 1920 x 1080: the area is 1440 x 1080 at x 240, 2.25 pixels per point.
    struct Row {
        const char* name;
        int x1, y1, x2, y2;
        Rect want;
    };
    const Row rows[] = {
        {"whole screen", 0, 0, 639, 479, {0, 0, 1920, 1080}},
        {"wide band reaches both sides", 0, 100, 639, 199, {0, 225, 1920, 450}},
        {"tall strip reaches the left", 0, 0, 99, 479, {0, 0, 465, 1080}},
        {"tall strip reaches the right", 540, 0, 639, 479, {1455, 0, 1920, 1080}},
        {"wide top band from x 8", 8, 0, 631, 99, {258, 0, 1662, 225}},
        {"small bar stays inside", 100, 100, 199, 199, {465, 225, 690, 450}},
        {"corners inclusive, then ordered", 199, 199, 100, 100, {467, 227, 688, 448}},
        {"near the edge but narrow", 0, 0, 400, 300, {240, 0, 1142, 677}},
    };
    for (const Row& r : rows) {
        GraphScreen s({1920, 1080});
        InitGraph(s.d, 0);
        SetFillStyle(s.d, 1, 4);
        Bar(s.d, r.x1, r.y1, r.x2, r.y2);
        EXPECT_EQ(GraphScreen::Extent(s.d.Canvas(), 0), r.want) << r.name;
        EXPECT_EQ(GraphScreen::Count(s.d.Canvas(), r.want, kRed), r.want.Width() * r.want.Height())
            << r.name;
    }
}

TEST(GraphBar, NoFillDrawsNothingAndOnlyAFullBarForgetsTheTexts) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    InitGraph(d, 0);
    OutTextXY(d, 10, 10, "Haus");
    SetFillStyle(d, 1, 4);
    Bar(d, 0, 0, 300, 300);
    EXPECT_EQ(d.screen.GraphTexts.size(), 1u);
    const Bitmap before = d.Canvas();
    SetFillStyle(d, 100, 2);
    Bar(d, 0, 0, 639, 479);
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), before));
    EXPECT_EQ(d.screen.GraphTexts.size(), 1u) << "nothing was covered";
    SetFillStyle(d, 1, 2);
    Bar(d, 0, 0, 639, 479);
    EXPECT_TRUE(d.screen.GraphTexts.empty());
}

TEST(GraphShapes, RectangleLineAndThickLines) {
    GraphScreen s({640, 480});
    Dos& d = s.d;
    InitGraph(d, 0);
    SetColor(d, 4);
    Rectangle(d, 10, 10, 19, 14);
    EXPECT_EQ(GraphScreen::Extent(d.Canvas(), 0), (Rect{10, 10, 20, 15})) << "corners inclusive";
    EXPECT_EQ(s.At(15, 12), 0u) << "no fill";

    SetBkColor(d, 0);
    Line(d, 100, 50, 200, 50);
    EXPECT_EQ(GraphScreen::Extent(d.Canvas(), 0), (Rect{100, 50, 200, 51}));

    SetBkColor(d, 0);
    HorizontalRule(d, 40, false);
    EXPECT_EQ(GraphScreen::Extent(d.Canvas(), 0), (Rect{0, 40, 640, 41})) << "whole width";
}

TEST(GraphShapes, ThickLineHasASecondLineUpAndLeftOnWideAreas) {
    GraphScreen s({1920, 1080});  // pen width 1440 / 600 = 2
    Dos& d = s.d;
    InitGraph(d, 0);
    SetColor(d, 4);
    LineThick(d, 100, 100, 200, 100, true);
    const Rect thick = GraphScreen::Extent(d.Canvas(), 0);
    Bitmap wide(1920, 1080);
    Canvas c(wide);
    c.SetPen(Pen{PenStyle::Solid, 2, kRed});
    c.Line(465, 225, 690, 225);  // the same line with a 2-pixel pen alone
    const Rect alone = GraphScreen::Extent(wide, 0);
    EXPECT_EQ(thick, (Rect{alone.left - 1, alone.top - 1, alone.right, alone.bottom}));
    EXPECT_EQ(d.graph.PenWidth, 1) << "the pen is kept";
    SetBkColor(d, 0);
    LineThick(d, 100, 100, 200, 100, false);
    EXPECT_EQ(GraphScreen::Extent(d.Canvas(), 0).Height(), 1);
}

TEST(GraphShapes, XorModeDrawnTwiceRestoresTheScreen) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    InitGraph(d, 0);
    SetFillStyle(d, 1, 9);
    Bar(d, 50, 50, 300, 300);
    const Bitmap before = d.Canvas();
    SetWriteMode(d, 1);
    SetColor(d, 14);
    for (int pass = 0; pass < 2; ++pass) {
        Line(d, 0, 0, 400, 400);
        Rectangle(d, 20, 20, 320, 200);
        Arc(d, 200, 200, 30, 300, 90);
    }
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), before));
    Line(d, 0, 0, 400, 400);
    EXPECT_EQ(s.At(100, 100) ^ before.Pixel(100, 100), d.screen.Palette[14])
        << "on the blue bar the line is blue XOR yellow";
}

TEST(GraphShapes, EqualAnglesDrawNothing) {
    GraphScreen s({640, 480});
    InitGraph(s.d, 0);
    Ellipse(s.d, 100, 100, 45, 45, 50, 30);
    EXPECT_EQ(GraphScreen::Extent(s.d.Canvas(), 0), Rect{});
}

// Pictures to look at: the four hatches beside solid fills, and ellipses and
// arcs, at the area's scale of a 800 x 600 window.
TEST(GraphReference, HatchesAndArcs) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    InitGraph(d, 0);
    SetFillStyle(d, 1, 7);
    Bar(d, 0, 0, 639, 479);
    const int patterns[] = {1, 5, 7, 9, 11, 100};
    for (int i = 0; i < 6; ++i) {
        SetFillStyle(d, patterns[i], 1);
        SetColor(d, 4);
        Bar(d, 10 + i * 100, 10, 90 + i * 100, 110);
        Rectangle(d, 10 + i * 100, 10, 90 + i * 100, 110);
    }
    SetFillStyle(d, 1, 14);
    SetColor(d, 2);
    FillEllipse(d, 100, 250, 80, 50);
    SetFillStyle(d, 11, 64);
    FillEllipse(d, 300, 250, 50, 80);
    SetColor(d, 1);
    Ellipse(d, 480, 250, 0, 270, 80, 60);
    Arc(d, 480, 250, 300, 60, 30);
    SetLineStyle(d, 0, 0, 3);
    Arc(d, 150, 400, 0, 180, 60);
    SetLineStyle(d, 3, 0, 1);
    Line(d, 300, 350, 620, 470);
    EXPECT_TRUE(test::MatchesReference(d.Canvas(), "ref/graph-hatches-arcs"));
}

}  // namespace
}  // namespace qs::test
