#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <queue>

#include "screen/surface/Canvas.h"

namespace qs::test {
namespace {

constexpr Rgb kBack = 0x202020;
constexpr Rgb kPen = 0xFF8000;
constexpr Rgb kFill = 0x00C0FF;

std::vector<Point> PixelsOf(const Bitmap& b, Rgb c) {
    std::vector<Point> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) out.push_back(Point{x, y});
    return out;
}

bool SameBitmap(const Bitmap& a, const Bitmap& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

Canvas MakeCanvas(Bitmap& b, PenStyle pen = PenStyle::Solid, int width = 1,
                  BrushStyle brush = BrushStyle::Solid) {
    Canvas c(b);
    c.SetPen(Pen{pen, width, kPen});
    c.SetBrush(Brush{brush, kFill});
    return c;
}

// Every shape the canvas draws, for the tests that hold for all of them.
struct ShapeCase {
    const char* name;
    std::function<void(Canvas&)> draw;
};

std::vector<ShapeCase> AllShapes() {
    static const Point star[] = {{20, 2}, {32, 36}, {3, 14}, {37, 14}, {8, 36}};
    static const Point zigzag[] = {{2, 2}, {30, 8}, {5, 20}, {35, 35}, {2, 38}};
    return {
        {"rectangle", [](Canvas& c) { c.Rectangle(3, 4, 30, 25); }},
        {"wide rectangle",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 4, kPen});
             c.Rectangle(3, 4, 30, 25);
         }},
        {"dashed rectangle",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Dash, 1, kPen});
             c.Rectangle(1, 1, 39, 39);
         }},
        {"hatched rectangle",
         [](Canvas& c) {
             c.SetBrush(Brush{BrushStyle::DiagonalCross, kFill});
             c.Rectangle(0, 0, 40, 40);
         }},
        {"line", [](Canvas& c) { c.Line(1, 2, 37, 29); }},
        {"steep line", [](Canvas& c) { c.Line(30, 38, 25, 1); }},
        {"wide line",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 5, kPen});
             c.Line(4, 30, 35, 6);
         }},
        {"polyline", [](Canvas& c) { c.Polyline(zigzag); }},
        {"wide polyline",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 3, kPen});
             c.Polyline(zigzag);
         }},
        {"dashed polyline",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Dash, 1, kPen});
             c.Polyline(zigzag);
         }},
        {"polygon alternate", [](Canvas& c) { c.Polygon(star, FillRule::Alternate); }},
        {"polygon winding", [](Canvas& c) { c.Polygon(star, FillRule::Winding); }},
        {"wide polygon",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 3, kPen});
             c.Polygon(star);
         }},
        {"ellipse", [](Canvas& c) { c.Ellipse(2, 5, 37, 33); }},
        {"wide ellipse",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 3, kPen});
             c.Ellipse(2, 5, 37, 33);
         }},
        {"hatched ellipse",
         [](Canvas& c) {
             c.SetBrush(Brush{BrushStyle::Cross, kFill});
             c.Ellipse(2, 5, 37, 33);
         }},
        {"arc", [](Canvas& c) { c.Arc(2, 2, 38, 38, 30, 250); }},
        {"wrapping arc", [](Canvas& c) { c.Arc(2, 2, 38, 38, 300, 45); }},
        {"wide arc",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 4, kPen});
             c.Arc(2, 2, 38, 38, 10, 200);
         }},
    };
}

TEST(Canvas, XorModeTouchesEveryPixelOfAShapeOnce) {
    for (const auto& s : AllShapes()) {
        Bitmap copied(40, 40, 0), xored(40, 40, 0), twice(40, 40, kBack);
        Canvas c1(copied), c2(xored), c3(twice);
        for (Canvas* c : {&c1, &c2, &c3}) {
            c->SetPen(Pen{PenStyle::Solid, 1, kPen});
            c->SetBrush(Brush{BrushStyle::Solid, kFill});
        }
        s.draw(c1);
        c2.SetMode(Rop::Xor);
        s.draw(c2);
        // On black, XOR gives the copied colours unless a pixel was combined twice.
        EXPECT_TRUE(SameBitmap(copied, xored)) << s.name;
        EXPECT_FALSE(PixelsOf(copied, kPen).empty()) << s.name << " draws nothing";
        c3.SetMode(Rop::Xor);
        s.draw(c3);
        s.draw(c3);
        EXPECT_EQ(PixelsOf(twice, kBack).size(), 1600u) << s.name << ": drawn twice in XOR";
    }
}

TEST(Canvas, EveryShapeHonoursTheClip) {
    const Rect clips[] = {Rect{5, 6, 22, 30}, Rect{0, 0, 40, 3}, Rect{39, 0, 40, 40}, Rect{}};
    for (const auto& s : AllShapes()) {
        Bitmap whole(40, 40, kBack);
        Canvas cw = MakeCanvas(whole);
        s.draw(cw);
        for (const Rect& clip : clips) {
            Bitmap part(40, 40, kBack);
            Canvas cp = MakeCanvas(part);
            cp.SetClip(clip);
            s.draw(cp);
            bool ok = true;
            for (int y = 0; y < 40 && ok; ++y)
                for (int x = 0; x < 40 && ok; ++x)
                    ok = part.Pixel(x, y) == (clip.Contains(x, y) ? whole.Pixel(x, y) : kBack);
            EXPECT_TRUE(ok) << s.name << " clipped to " << clip.left << "," << clip.top << "-"
                            << clip.right << "," << clip.bottom;
        }
    }
}

TEST(Canvas, RectangleOutlinesItsEdgePixelsAndFillsInside) {
    const struct {
        const char* name;
        PenStyle pen;
        BrushStyle brush;
        int l, t, r, b;
    } cases[] = {
        {"pen and brush", PenStyle::Solid, BrushStyle::Solid, 1, 1, 6, 5},
        {"swapped corners", PenStyle::Solid, BrushStyle::Solid, 6, 5, 1, 1},
        {"null pen", PenStyle::Null, BrushStyle::Solid, 1, 1, 6, 5},
        {"null brush", PenStyle::Solid, BrushStyle::Null, 1, 1, 6, 5},
    };
    for (const auto& c : cases) {
        Bitmap b(8, 7, kBack);
        Canvas cv = MakeCanvas(b, c.pen, 1, c.brush);
        cv.Rectangle(c.l, c.t, c.r, c.b);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 8; ++x) {
                bool inBox = x >= 1 && x <= 5 && y >= 1 && y <= 4;
                bool edge = inBox && (x == 1 || x == 5 || y == 1 || y == 4);
                Rgb want = kBack;
                if (edge && c.pen != PenStyle::Null) want = kPen;
                else if (inBox && c.brush != BrushStyle::Null) want = kFill;
                EXPECT_EQ(b.Pixel(x, y), want) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(Canvas, ThinLinesLeaveOutTheirLastPixel) {
    const struct {
        const char* name;
        Point from, to;
        size_t count;
    } cases[] = {
        {"right", {1, 1}, {9, 1}, 8},      {"left", {9, 1}, {1, 1}, 8},
        {"down", {2, 0}, {2, 7}, 7},       {"up", {2, 7}, {2, 0}, 7},
        {"diagonal", {0, 0}, {7, 7}, 7},   {"shallow", {0, 0}, {9, 3}, 9},
        {"steep back", {8, 8}, {6, 0}, 8}, {"a point", {4, 4}, {4, 4}, 0},
    };
    for (const auto& c : cases) {
        Bitmap b(10, 10, kBack);
        Canvas cv = MakeCanvas(b);
        cv.Line(c.from.x, c.from.y, c.to.x, c.to.y);
        auto px = PixelsOf(b, kPen);
        EXPECT_EQ(px.size(), c.count) << c.name;
        if (c.count) {
            EXPECT_EQ(b.Pixel(c.from.x, c.from.y), kPen) << c.name << " start";
        }
        EXPECT_EQ(b.Pixel(c.to.x, c.to.y), kBack) << c.name << " end";
        EXPECT_EQ(cv.Position(), c.to) << c.name;
    }
}

TEST(Canvas, LinesFarOutsideStillCrossTheBitmapExactly) {
    Bitmap b(20, 20, kBack);
    Canvas cv = MakeCanvas(b);
    cv.Line(-1000000, -1000000, 1000000, 1000000);
    cv.Line(-1000000, 10, 1000000, 10);
    cv.Line(-2147483647, -2147483647, 2147483647, 2147483647);  // the same diagonal again
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(b.Pixel(i, i), kPen) << i;
        EXPECT_EQ(b.Pixel(i, 10), kPen) << i;
    }
    EXPECT_EQ(PixelsOf(b, kPen).size(), 39u);
}

TEST(Canvas, DashedPenRepeatsEighteenOnSixOffAcrossSegments) {
    Bitmap b(80, 3, kBack);
    Canvas cv = MakeCanvas(b, PenStyle::Dash);
    cv.MoveTo(0, 1);
    cv.LineTo(30, 1);
    cv.LineTo(79, 1);  // continues the pattern from pixel 30
    for (int x = 0; x < 79; ++x) EXPECT_EQ(b.Pixel(x, 1) == kPen, x % 24 < 18) << x;
    // With an opaque background the gaps take the background colour.
    Bitmap o(30, 1, kBack);
    Canvas co = MakeCanvas(o, PenStyle::Dash);
    co.SetBackground(true, 0x0000FF);
    co.Line(0, 0, 30, 0);
    EXPECT_EQ(o.Pixel(17, 0), kPen);
    EXPECT_EQ(o.Pixel(18, 0), 0x0000FFu);
    EXPECT_EQ(o.Pixel(24, 0), kPen);
}

TEST(Canvas, WidePensCoverTheirWidth) {
    for (int w : {2, 3, 4, 5, 8}) {
        Bitmap h(40, 30, kBack), v(30, 40, kBack);
        Canvas ch = MakeCanvas(h, PenStyle::Solid, w), cv = MakeCanvas(v, PenStyle::Solid, w);
        ch.Line(10, 15, 30, 15);
        cv.Line(15, 10, 15, 30);
        int rows = 0, cols = 0;
        for (int y = 0; y < 30; ++y) rows += h.Pixel(20, y) == kPen;
        for (int x = 0; x < 30; ++x) cols += v.Pixel(x, 20) == kPen;
        EXPECT_EQ(rows, w) << "horizontal width " << w;
        EXPECT_EQ(cols, w) << "vertical width " << w;
        // Round ends reach past the end point (no pixel is left out for wide pens).
        EXPECT_EQ(h.Pixel(30, 15), kPen) << w;
    }
}

TEST(Canvas, HatchBrushesFollowTheirPatternsAlignedToTheOrigin) {
    const struct {
        const char* name;
        BrushStyle style;
        std::function<bool(int, int)> covers;
    } cases[] = {
        {"forward diagonal", BrushStyle::ForwardDiagonal,
         [](int x, int y) { return (x - y) % 8 == 0; }},
        {"backward diagonal", BrushStyle::BackwardDiagonal,
         [](int x, int y) { return (x + y) % 8 == 7; }},
        {"cross", BrushStyle::Cross, [](int x, int y) { return x % 8 == 4 || y % 8 == 3; }},
        {"diagonal cross", BrushStyle::DiagonalCross,
         [](int x, int y) { return (x - y) % 8 == 0 || (x + y) % 8 == 7; }},
    };
    for (const auto& c : cases) {
        for (bool opaque : {false, true}) {
            Bitmap b(24, 20, kBack);
            Canvas cv = MakeCanvas(b, PenStyle::Null, 1, c.style);
            cv.SetBackground(opaque, 0x0000FF);
            // Two neighbouring fills must join into one seamless pattern.
            cv.FillRect(Rect{0, 0, 11, 20});
            cv.FillRect(Rect{11, 0, 24, 20});
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 24; ++x) {
                    Rgb want = c.covers(x, y) ? kFill : opaque ? 0x0000FF : kBack;
                    ASSERT_EQ(b.Pixel(x, y), want)
                        << c.name << (opaque ? " opaque" : " transparent") << " at " << x << ","
                        << y;
                }
        }
    }
}

TEST(Canvas, PolygonFillRulesDifferOnlyWhereEdgesWindTwice) {
    const Point star[] = {{20, 2}, {32, 36}, {3, 14}, {37, 14}, {8, 36}};
    Bitmap alt(40, 40, kBack), wind(40, 40, kBack);
    Canvas ca = MakeCanvas(alt, PenStyle::Null), cw = MakeCanvas(wind, PenStyle::Null);
    ca.Polygon(star, FillRule::Alternate);
    cw.Polygon(star, FillRule::Winding);
    EXPECT_EQ(alt.Pixel(20, 20), kBack) << "the star's centre is outside by alternate";
    EXPECT_EQ(wind.Pixel(20, 20), kFill) << "and inside by winding";
    EXPECT_EQ(alt.Pixel(20, 6), kFill);
    EXPECT_EQ(wind.Pixel(20, 6), kFill);

    // A rectangle polygon fills exactly what FillRect fills.
    const Point box[] = {{3, 4}, {13, 4}, {13, 9}, {3, 9}};
    Bitmap p(20, 20, kBack), r(20, 20, kBack);
    Canvas cp = MakeCanvas(p, PenStyle::Null), cr = MakeCanvas(r);
    cp.Polygon(box);
    cr.FillRect(Rect{3, 4, 13, 9});
    EXPECT_TRUE(SameBitmap(p, r));
}

// Pixels reachable from (0, 0) through 4-neighbours that are not the pen colour.
std::vector<bool> OutsideOf(const Bitmap& b) {
    std::vector<bool> seen(size_t(b.Width() * b.Height()), false);
    std::queue<Point> q;
    q.push(Point{0, 0});
    seen[0] = true;
    while (!q.empty()) {
        Point p = q.front();
        q.pop();
        const Point next[] = {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}};
        for (Point n : next) {
            if (!b.Bounds().Contains(n.x, n.y)) continue;
            size_t i = size_t(n.y * b.Width() + n.x);
            if (seen[i] || b.Pixel(n.x, n.y) == kPen) continue;
            seen[i] = true;
            q.push(n);
        }
    }
    return seen;
}

TEST(Canvas, EllipsesTouchTheirBoxAreSymmetricAndClosed) {
    const Rect boxes[] = {Rect{2, 2, 30, 20}, Rect{4, 0, 6, 30},   Rect{0, 4, 32, 5},
                          Rect{5, 1, 6, 25},  Rect{1, 5, 31, 7},   Rect{3, 3, 6, 6},
                          Rect{0, 0, 32, 32}, Rect{10, 10, 11, 11}};
    for (const Rect& r : boxes) {
        Bitmap b(34, 34, kBack);
        Canvas cv = MakeCanvas(b, PenStyle::Solid, 1, BrushStyle::Null);
        cv.Ellipse(r.left, r.top, r.right, r.bottom);
        int minX = 99, maxX = -1, minY = 99, maxY = -1;
        for (Point p : PixelsOf(b, kPen)) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
            EXPECT_EQ(b.Pixel(r.left + r.right - 1 - p.x, p.y), kPen)
                << "left-right symmetry " << r.left << "," << r.top;
            EXPECT_EQ(b.Pixel(p.x, r.top + r.bottom - 1 - p.y), kPen)
                << "top-bottom symmetry " << r.left << "," << r.top;
        }
        EXPECT_EQ(minX, r.left);
        EXPECT_EQ(maxX, r.right - 1);
        EXPECT_EQ(minY, r.top);
        EXPECT_EQ(maxY, r.bottom - 1);
        if (r.Width() > 2 && r.Height() > 2) {
            auto outside = OutsideOf(b);
            int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
            EXPECT_FALSE(outside[size_t(cy * 34 + cx)])
                << "outline open for box " << r.left << "," << r.top;
        }
    }
}

TEST(Canvas, ArcsRunCounterClockwiseBetweenTheirAngles) {
    // Box 0..41 around centre (20.5, 20.5): rightmost pixel x 40, top y 0.
    const struct {
        const char* name;
        double start, end;
        bool right, top, left, bottom;
    } cases[] = {
        {"first quadrant", 0, 90, true, true, false, false},
        {"upper half", 0, 180, true, true, true, false},
        {"start above end wraps", 270, 90, true, true, false, true},
        {"across zero", 350, 10, true, false, false, false},
        {"three quarters", 90, 0, true, true, true, true},
        {"left side", 100, 350, false, false, true, true},
        {"full circle", 0, 360, true, true, true, true},
        {"negative angles", -90, -10, false, false, false, true},
        {"equal angles", 45, 45, false, false, false, false},
        {"equal full turns", 720, 720, false, false, false, false},
    };
    for (const auto& c : cases) {
        Bitmap b(41, 41, kBack);
        Canvas cv = MakeCanvas(b);
        cv.Arc(0, 0, 41, 41, c.start, c.end);
        EXPECT_EQ(b.Pixel(40, 20) == kPen, c.right) << c.name << " right";
        EXPECT_EQ(b.Pixel(20, 0) == kPen, c.top) << c.name << " top";
        EXPECT_EQ(b.Pixel(0, 20) == kPen, c.left) << c.name << " left";
        EXPECT_EQ(b.Pixel(20, 40) == kPen, c.bottom) << c.name << " bottom";
    }
    // An arc is part of the ellipse's outline.
    Bitmap arc(41, 41, kBack), full(41, 41, kBack);
    Canvas ca = MakeCanvas(arc), cf = MakeCanvas(full, PenStyle::Solid, 1, BrushStyle::Null);
    ca.Arc(0, 0, 41, 30, 15, 200);
    cf.Ellipse(0, 0, 41, 30);
    for (Point p : PixelsOf(arc, kPen)) EXPECT_EQ(full.Pixel(p.x, p.y), kPen) << p.x << "," << p.y;
}

TEST(Canvas, DegenerateShapesNeverCrash) {
    Bitmap b(50, 40, kBack);
    const Point one[] = {{3, 3}};
    const Point far[] = {{-1000000, -1000000}, {1000000, 5}, {3, 1000000}};
    const ShapeCase cases[] = {
        {"huge ellipse", [](Canvas& c) { c.Ellipse(-1000000, -1000000, 1000000, 1000000); }},
        {"huge wide ellipse",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 9, kPen});
             c.Ellipse(-1000000, -900000, 1000000, 1000000);
         }},
        {"huge arc", [](Canvas& c) { c.Arc(-1000000, -1000000, 1000000, 1000000, 10, 350); }},
        {"zero ellipse", [](Canvas& c) { c.Ellipse(5, 5, 5, 5); }},
        {"flat ellipse", [](Canvas& c) { c.Ellipse(5, 5, 40, 5); }},
        {"zero rectangle", [](Canvas& c) { c.Rectangle(5, 5, 5, 9); }},
        {"huge rectangle",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 1000, kPen});
             c.Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
         }},
        {"huge pen",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 1 << 30, kPen});
             c.Line(0, 0, 10, 10);
         }},
        {"negative pen",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, -5, kPen});
             c.Line(0, 0, 10, 10);
         }},
        {"far wide line",
         [](Canvas& c) {
             c.SetPen(Pen{PenStyle::Solid, 7, kPen});
             c.Line(-1000000, 3, 1000000, 30);
         }},
        {"far polygon", [far](Canvas& c) { c.Polygon(far, FillRule::Winding); }},
        {"one point polygon", [one](Canvas& c) { c.Polygon(one); }},
        {"empty polyline", [](Canvas& c) { c.Polyline({}); }},
        {"nan arc", [](Canvas& c) { c.Arc(0, 0, 20, 20, std::nan(""), 30); }},
        {"huge angles", [](Canvas& c) { c.Arc(0, 0, 20, 20, 1e300, -1e300); }},
        {"empty clip",
         [](Canvas& c) {
             c.SetClip(Rect{});
             c.Ellipse(0, 0, 40, 40);
             c.Line(0, 0, 40, 40);
         }},
    };
    for (const auto& s : cases) {
        Canvas cv = MakeCanvas(b);
        s.draw(cv);
        SUCCEED() << s.name;
    }
    Bitmap empty;
    Canvas none = MakeCanvas(empty);
    none.Ellipse(0, 0, 10, 10);
    none.Line(0, 0, 10, 10);
    none.FillRect(Rect{0, 0, 5, 5});
}

}  // namespace
}  // namespace qs::test
