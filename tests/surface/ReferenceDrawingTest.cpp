#include <gtest/gtest.h>

#include <cmath>

#include "screen/surface/Canvas.h"
#include "support/ReferenceImage.h"

namespace qs::test {
namespace {

// Colours of the 16-colour screen the trainer draws with.
constexpr Rgb kBlack = 0x000000, kBlue = 0x0000AA, kGreen = 0x00AA00, kCyan = 0x00AAAA,
              kRed = 0xAA0000, kMagenta = 0xAA00AA, kBrown = 0xAA5500, kLightGray = 0xAAAAAA,
              kYellow = 0xFFFF55, kWhite = 0xFFFFFF, kLightRed = 0xFF5555, kLightBlue = 0x5555FF;

// A small figure for the block copies: a face on a black (transparent) ground.
Bitmap Figure() {
    Bitmap f(24, 24, kBlack);
    Canvas c(f);
    c.SetPen(Pen{PenStyle::Solid, 1, kWhite});
    c.SetBrush(Brush{BrushStyle::Solid, kYellow});
    c.Ellipse(2, 2, 22, 22);
    c.SetBrush(Brush{BrushStyle::Solid, kBlue});
    c.SetPen(Pen{PenStyle::Null, 1, 0});
    c.Rectangle(7, 7, 10, 11);
    c.SetPen(Pen{PenStyle::Solid, 2, kRed});
    c.Line(13, 16, 19, 14);  // a crooked smile, so that mirroring shows
    return f;
}

TEST(ReferenceDrawing, EveryPrimitiveOnOneScreen) {
    Bitmap screen(640, 480, kLightGray);
    Canvas c(screen);

    // Row 1: fills with every brush, transparent and opaque gaps.
    const BrushStyle brushes[] = {BrushStyle::Solid, BrushStyle::ForwardDiagonal,
                                  BrushStyle::BackwardDiagonal, BrushStyle::Cross,
                                  BrushStyle::DiagonalCross};
    c.SetPen(Pen{PenStyle::Solid, 1, kBlack});
    for (int i = 0; i < 5; ++i) {
        c.SetBrush(Brush{brushes[i], kBlue});
        c.SetBackground(false, kWhite);
        c.Rectangle(10 + i * 62, 10, 66 + i * 62, 60);
        c.SetBackground(true, kWhite);
        c.SetBrush(Brush{brushes[i], kRed});
        c.FillRect(Rect{10 + i * 62, 66, 66 + i * 62, 90});
    }
    c.SetBackground(false, kWhite);

    // Outlines: wide pens, dashed, null brush.
    c.SetBrush(Brush{BrushStyle::Null, 0});
    c.SetPen(Pen{PenStyle::Solid, 3, kGreen});
    c.Rectangle(330, 12, 400, 58);
    c.SetPen(Pen{PenStyle::Dash, 1, kMagenta});
    c.Rectangle(410, 12, 520, 58);
    c.SetPen(Pen{PenStyle::Solid, 1, kBlack});
    c.Rectangle(530, 12, 630, 58);
    c.Rectangle(533, 15, 534, 55);  // one pixel wide

    // Row 2: lines of width 1 and 3, a fan, dashed polyline, polygons.
    c.SetPen(Pen{PenStyle::Solid, 1, kBlack});
    for (int a = 0; a < 16; ++a) {
        double t = a * 3.14159265358979 / 8;
        c.Line(60, 160, 60 + int(std::lround(48 * std::cos(t))),
               160 - int(std::lround(48 * std::sin(t))));
    }
    c.SetPen(Pen{PenStyle::Solid, 3, kRed});
    c.Line(120, 115, 220, 205);
    c.Line(120, 205, 220, 115);
    c.SetPen(Pen{PenStyle::Solid, 8, kBrown});
    c.Line(130, 160, 210, 160);
    c.SetPen(Pen{PenStyle::Dash, 1, kBlue});
    const Point zig[] = {{230, 200}, {260, 110}, {290, 200}, {320, 110}, {350, 200}};
    c.Polyline(zig);
    c.SetPen(Pen{PenStyle::Solid, 1, kBlack});
    c.SetBrush(Brush{BrushStyle::Solid, kCyan});
    const Point star1[] = {{410, 110}, {440, 205}, {362, 145}, {458, 145}, {380, 205}};
    c.Polygon(star1, FillRule::Alternate);
    const Point star2[] = {{520, 110}, {550, 205}, {472, 145}, {568, 145}, {490, 205}};
    c.Polygon(star2, FillRule::Winding);
    c.SetBrush(Brush{BrushStyle::DiagonalCross, kMagenta});
    const Point tri[] = {{580, 205}, {632, 205}, {606, 112}};
    c.Polygon(tri);

    // Row 3: ellipses filled and outlined, wide, hatched; arcs of several angle pairs.
    c.SetPen(Pen{PenStyle::Solid, 1, kBlack});
    c.SetBrush(Brush{BrushStyle::Solid, kYellow});
    c.Ellipse(10, 220, 110, 290);
    c.SetBrush(Brush{BrushStyle::BackwardDiagonal, kGreen});
    c.Ellipse(120, 220, 170, 300);
    c.SetPen(Pen{PenStyle::Solid, 4, kBlue});
    c.SetBrush(Brush{BrushStyle::Null, 0});
    c.Ellipse(180, 225, 250, 295);
    c.SetPen(Pen{PenStyle::Null, 1, 0});
    c.SetBrush(Brush{BrushStyle::Solid, kRed});
    c.Ellipse(260, 240, 300, 250);  // flat, no outline
    c.Ellipse(310, 220, 314, 300);  // narrow
    const double arcs[][2] = {{0, 90}, {45, 315}, {270, 90}, {180, 0}, {350, 10}, {0, 360}};
    c.SetPen(Pen{PenStyle::Solid, 1, kBlack});
    for (int i = 0; i < 6; ++i) {
        int x = 330 + i * 50;
        c.Arc(x, 225, x + 44, 269, arcs[i][0], arcs[i][1]);
    }
    c.SetPen(Pen{PenStyle::Solid, 3, kMagenta});
    c.Arc(330, 272, 420, 302, 20, 160);
    c.Arc(430, 272, 520, 302, 200, 340);

    // Row 4: XOR over a coloured background.
    FillRect(screen, Rect{10, 310, 320, 470}, kBlue);
    FillRect(screen, Rect{165, 310, 320, 470}, kYellow);
    c.SetMode(Rop::Xor);
    c.SetPen(Pen{PenStyle::Solid, 1, kWhite});
    c.SetBrush(Brush{BrushStyle::Solid, kLightRed});
    c.Rectangle(30, 330, 200, 400);
    c.Ellipse(130, 360, 300, 460);
    c.SetPen(Pen{PenStyle::Solid, 3, kWhite});
    c.Line(20, 460, 310, 320);
    c.SetMode(Rop::Copy);

    // Block copies: plain, transparent, mirrored, stretched (nearest), clipped.
    const Bitmap fig = Figure();
    FillRect(screen, Rect{330, 310, 630, 470}, kGreen);
    c.Blit(340, 320, fig, fig.Bounds());
    c.BlitTransparent(380, 320, fig, fig.Bounds(), kBlack);
    c.BlitMirroredTransparent(420, 320, fig, fig.Bounds(), kBlack);
    c.BlitMirrored(460, 320, fig, fig.Bounds());
    c.StretchBlit(Rect{340, 360, 412, 432}, fig, fig.Bounds());
    c.StretchBlit(Rect{420, 360, 620, 400}, fig, Rect{0, 0, 24, 12});
    c.StretchBlit(Rect{420, 410, 436, 426}, fig, fig.Bounds());
    c.SetClip(Rect{500, 320, 520, 352});
    c.BlitTransparent(496, 316, fig, fig.Bounds(), kBlack);
    c.ResetClip();
    c.Blit(540, 330, fig, fig.Bounds(), Rop::Xor);
    c.Blit(560, 330, fig, fig.Bounds(), Rop::Invert);

    // Scrolling: a block of the screen copied up and left over itself; the figure moves
    // by (-3, -6) and its old bottom-right edge stays behind.
    c.Blit(450, 436, fig, fig.Bounds());
    Blit(screen, 487, 430, screen, Rect{450, 436, 480, 464});
    Blit(screen, 447, 430, screen, Rect{450, 436, 480, 464});

    EXPECT_TRUE(test::MatchesReference(screen, "ref/surface-primitives"));
}

}  // namespace
}  // namespace qs::test
