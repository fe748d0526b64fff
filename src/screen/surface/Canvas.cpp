#include "screen/surface/Canvas.h"

#include <algorithm>
#include <cmath>

namespace qs {

// Which pixels of an area a shape covers: 0 none, 1 foreground, 2 background (dash gaps).
class CoverMask {
public:
    explicit CoverMask(const Rect& area)
        : area_(area), bits_(static_cast<size_t>(area.Width()) * area.Height(), 0) {}

    const Rect& Area() const { return area_; }
    bool Empty() const { return area_.Empty(); }

    void Set(long long x, long long y, uint8_t v = 1) {
        if (x < area_.left || x >= area_.right || y < area_.top || y >= area_.bottom) return;
        uint8_t& b = At(static_cast<int>(x), static_cast<int>(y));
        if (b != 1) b = v;  // foreground wins over a gap drawn before it
    }

    // Sets x0..x1 inclusive of row y, clipped.
    void Span(long long y, long long x0, long long x1) {
        if (y < area_.top || y >= area_.bottom) return;
        x0 = std::max<long long>(x0, area_.left);
        x1 = std::min<long long>(x1, area_.right - 1);
        if (x1 < x0) return;
        uint8_t* row = &At(static_cast<int>(x0), static_cast<int>(y));
        std::fill(row, row + (x1 - x0 + 1), uint8_t{1});
    }

    uint8_t Get(int x, int y) const { return bits_[Index(x, y)]; }
    uint8_t& At(int x, int y) { return bits_[Index(x, y)]; }

    // Removes from this mask every pixel the other covers.
    void Subtract(const CoverMask& o) {
        Rect r = area_.Intersect(o.area_);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (o.Get(x, y)) At(x, y) = 0;
    }

private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y - area_.top) * static_cast<size_t>(area_.Width()) +
               static_cast<size_t>(x - area_.left);
    }

    Rect area_;
    std::vector<uint8_t> bits_;
};

namespace {

constexpr int kDashOn = 18;
constexpr int kDashPeriod = 24;

// A rectangle in 64-bit coordinates, so that growing far-away boxes cannot overflow.
struct Box {
    long long l, t, r, b;
};

Box Ordered(long long l, long long t, long long r, long long b) {
    return Box{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

Rect AreaOf(const Box& box, const Rect& clip) {
    long long l = std::max<long long>(box.l, clip.left);
    long long t = std::max<long long>(box.t, clip.top);
    long long r = std::min<long long>(box.r, clip.right);
    long long b = std::min<long long>(box.b, clip.bottom);
    if (r <= l || b <= t) return Rect{};
    return Rect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b)};
}

// 128-bit, since coordinate products of lines across the whole int range exceed 64 bits.
long long FloorDiv(__int128 a, __int128 b) {
    __int128 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<long long>(q);
}

// Width-1 line from (x0, y0) towards (x1, y1), leaving out the end point, in the
// manner of Bresenham: the minor coordinate is the exact one rounded half up.
// Pixels outside the mask are skipped without being walked, so far-away ends are cheap.
// phase counts pixels along the line for the dash pattern and is advanced by its length.
void ThinLine(CoverMask& m, long long x0, long long y0, long long x1, long long y1, bool dashed,
              bool gaps, int& phase) {
    long long dx = x1 - x0, dy = y1 - y0;
    bool xMajor = std::llabs(dx) >= std::llabs(dy);
    long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (n == 0) return;
    long long major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
    long long step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    long long dMinor = xMajor ? dy : dx;
    const Rect& a = m.Area();
    long long lo = xMajor ? a.left : a.top, hi = (xMajor ? a.right : a.bottom) - 1;
    long long iFirst, iLast;
    if (step > 0) {
        iFirst = lo - major0;
        iLast = hi - major0;
    } else {
        iFirst = major0 - hi;
        iLast = major0 - lo;
    }
    iFirst = std::max<long long>(iFirst, 0);
    iLast = std::min<long long>(iLast, n - 1);
    for (long long i = iFirst; i <= iLast; ++i) {
        long long major = major0 + i * step;
        long long minor = minor0 + FloorDiv(__int128{2} * i * dMinor + n, __int128{2} * n);
        uint8_t v = 1;
        if (dashed && (phase + i) % kDashPeriod >= kDashOn) {
            if (!gaps) continue;
            v = 2;
        }
        if (xMajor) m.Set(major, minor, v);
        else m.Set(minor, major, v);
    }
    phase = static_cast<int>((phase + n) % kDashPeriod);
}

struct Interval {
    double lo = 1, hi = 0;
    bool Empty() const { return hi < lo; }
    void Unite(const Interval& o) {
        if (o.Empty()) return;
        if (Empty()) {
            *this = o;
            return;
        }
        lo = std::min(lo, o.lo);
        hi = std::max(hi, o.hi);
    }
    void Meet(const Interval& o) {
        lo = std::max(lo, o.lo);
        hi = std::min(hi, o.hi);
    }
};

// X with lo <= c * X + k <= hi.
Interval Linear(double c, double k, double lo, double hi) {
    if (c == 0) return (k >= lo && k <= hi) ? Interval{-1e300, 1e300} : Interval{};
    double a = (lo - k) / c, b = (hi - k) / c;
    return Interval{std::min(a, b), std::max(a, b)};
}

Interval DiskRow(double cx, double cy, double r, double y) {
    double d = y - cy;
    if (std::fabs(d) > r) return Interval{};
    double h = std::sqrt(r * r - d * d);
    return Interval{cx - h, cx + h};
}

// A pen of width w > 1 along a segment: every pixel whose sample point lies within w/2
// of the segment (round ends). Even widths sample half a pixel down and right, so that
// a width-w horizontal line covers exactly w rows.
void WideLine(CoverMask& m, long long ax, long long ay, long long bx, long long by, int w) {
    const double r = w / 2.0;
    const double off = (w % 2 == 0) ? 0.5 : 0.0;
    const Rect& a = m.Area();
    long long yTop =
        std::max<long long>(a.top, static_cast<long long>(std::floor(std::min(ay, by) - r - off)));
    long long yEnd =
        std::min<long long>(a.bottom - 1, static_cast<long long>(std::ceil(std::max(ay, by) + r)));
    const double dx = static_cast<double>(bx - ax), dy = static_cast<double>(by - ay);
    const double len2 = dx * dx + dy * dy, len = std::sqrt(len2);
    for (long long y = yTop; y <= yEnd; ++y) {
        double sy = y + off;
        Interval row = DiskRow(ax, ay, r, sy);
        row.Unite(DiskRow(bx, by, r, sy));
        if (len2 > 0) {
            double ry = sy - ay;
            // 0 <= (P - A).d <= |d|^2 and |(P - A) x d| <= r |d|, linear in X.
            Interval band = Linear(dx, ry * dy - ax * dx, 0, len2);
            band.Meet(Linear(dy, -ax * dy - ry * dx, -r * len, r * len));
            row.Unite(band);
        }
        if (row.Empty()) continue;
        m.Span(y, static_cast<long long>(std::ceil(row.lo - off - 1e-9)),
               static_cast<long long>(std::floor(row.hi - off + 1e-9)));
    }
}

// The ellipse inscribed in a box, sampled at pixel centres.
struct EllipseShape {
    double cx, cy, rx, ry;
    explicit EllipseShape(const Box& b)
        : cx((b.l + b.r) / 2.0),
          cy((b.t + b.b) / 2.0),
          rx((b.r - b.l) / 2.0),
          ry((b.b - b.t) / 2.0) {}

    // Columns x0..x1 of row y, or false when the row misses the ellipse.
    bool Row(long long y, long long& x0, long long& x1) const {
        if (rx <= 0 || ry <= 0) return false;
        double d = (y + 0.5 - cy) / ry;
        if (d <= -1 || d >= 1) return false;
        double h = rx * std::sqrt(1 - d * d);
        // The row through the middle reaches the box's sides even when the ellipse is
        // so flat that no pixel centre there lies inside it.
        if (std::fabs(y + 0.5 - cy) <= 0.5) h = std::max(h, rx - 0.5);
        x0 = static_cast<long long>(std::ceil(cx - h - 0.5 - 1e-9));
        x1 = static_cast<long long>(std::floor(cx + h - 0.5 + 1e-9));
        if (x0 > x1) {
            // Likewise every row of the box keeps its middle pixel(s), so that tall
            // narrow ellipses reach their top and bottom.
            x0 = static_cast<long long>(std::floor(cx - 0.5));
            x1 = static_cast<long long>(std::ceil(cx - 0.5));
        }
        return true;
    }
};

void FillEllipseMask(CoverMask& m, const EllipseShape& e) {
    for (int y = m.Area().top; y < m.Area().bottom; ++y) {
        long long x0, x1;
        if (e.Row(y, x0, x1)) m.Span(y, x0, x1);
    }
}

// Pixels of the filled ellipse with a 4-neighbour outside it: a closed one-pixel outline.
void EllipseOutline(CoverMask& m, const EllipseShape& e) {
    for (int y = m.Area().top; y < m.Area().bottom; ++y) {
        long long x0, x1;
        if (!e.Row(y, x0, x1)) continue;
        long long i0 = x0 + 1, i1 = x1 - 1, a0, a1, b0, b1;
        if (e.Row(y - 1, a0, a1) && e.Row(y + 1, b0, b1)) {
            i0 = std::max({i0, a0, b0});
            i1 = std::min({i1, a1, b1});
        } else {
            i0 = 1;
            i1 = 0;
        }
        if (i0 > i1) {
            m.Span(y, x0, x1);
        } else {
            m.Span(y, x0, i0 - 1);
            m.Span(y, i1 + 1, x1);
        }
    }
}

// Boxes of a pen of width w drawn along the edges of box: outside and hole.
Box GrowForPen(const Box& b, int w) {
    return Box{b.l - w / 2, b.t - w / 2, b.r + (w - 1) / 2, b.b + (w - 1) / 2};
}
Box ShrinkForPen(const Box& b, int w) {
    return Box{b.l + (w - 1) / 2 + 1, b.t + (w - 1) / 2 + 1, b.r - w / 2 - 1, b.b - w / 2 - 1};
}

// Ring between the ellipses of the two boxes; the outline of a wide pen.
void EllipseRing(CoverMask& m, const Box& outer, const Box& inner) {
    EllipseShape eo(outer), ei(inner);
    for (int y = m.Area().top; y < m.Area().bottom; ++y) {
        long long x0, x1, h0, h1;
        if (!eo.Row(y, x0, x1)) continue;
        if (ei.Row(y, h0, h1) && h0 <= h1) {
            m.Span(y, x0, h0 - 1);
            m.Span(y, h1 + 1, x1);
        } else {
            m.Span(y, x0, x1);
        }
    }
}

}  // namespace

bool HatchCovers(BrushStyle style, int x, int y) {
    int px = x & 7, py = y & 7;
    switch (style) {
        case BrushStyle::Solid: return true;
        case BrushStyle::Null: return false;
        case BrushStyle::ForwardDiagonal: return px == py;
        case BrushStyle::BackwardDiagonal: return px + py == 7;
        case BrushStyle::Cross: return px == 4 || py == 3;
        case BrushStyle::DiagonalCross: return px == py || px + py == 7;
    }
    return false;
}

namespace {

// Paints the mask's pixels: value 1 in fg, value 2 in the background colour.
void ApplyPen(Bitmap& bm, const CoverMask& m, Rgb fg, Rgb bg, Rop mode) {
    const Rect& a = m.Area();
    for (int y = a.top; y < a.bottom; ++y) {
        uint32_t* row = bm.Row(y);
        for (int x = a.left; x < a.right; ++x) {
            uint8_t v = m.Get(x, y);
            if (v) row[x] = Combine(row[x], v == 1 ? fg : bg, mode);
        }
    }
}

void ApplyBrush(Bitmap& bm, const CoverMask& m, const Brush& brush, bool opaque, Rgb bg, Rop mode) {
    if (brush.style == BrushStyle::Null) return;
    const Rect& a = m.Area();
    for (int y = a.top; y < a.bottom; ++y) {
        uint32_t* row = bm.Row(y);
        for (int x = a.left; x < a.right; ++x) {
            if (!m.Get(x, y)) continue;
            if (HatchCovers(brush.style, x, y)) row[x] = Combine(row[x], brush.color, mode);
            else if (opaque) row[x] = Combine(row[x], bg, mode);
        }
    }
}

}  // namespace

void Canvas::SetPixel(int x, int y, Rgb c) {
    if (clip_.Contains(x, y)) target_->SetPixel(x, y, c & 0xFFFFFFu);
}

void Canvas::FillRect(const Rect& r) {
    if (brush_.style == BrushStyle::Null) return;
    if (brush_.style == BrushStyle::Solid) {
        qs::FillRect(*target_, r, brush_.color, Rop::Copy, clip_);
        return;
    }
    CoverMask m(r.Intersect(clip_));
    if (m.Empty()) return;
    for (int y = m.Area().top; y < m.Area().bottom; ++y)
        m.Span(y, m.Area().left, m.Area().right - 1);
    ApplyBrush(*target_, m, brush_, opaqueBackground_, background_, Rop::Copy);
}

void Canvas::Rectangle(int l, int t, int r, int b) {
    Box box = Ordered(l, t, r, b);
    if (box.r <= box.l || box.b <= box.t) return;
    bool hasPen = pen_.style != PenStyle::Null;
    int w = std::max(pen_.width, 1);
    Box outer = hasPen ? GrowForPen(box, w) : box;
    CoverMask fill(AreaOf(box, clip_));
    Box hole = hasPen ? ShrinkForPen(Box{box.l, box.t, box.r - 1, box.b - 1}, w) : box;
    if (hasPen) {
        hole.r += 1;
        hole.b += 1;
    }
    Rect holeArea = AreaOf(hole, clip_);
    for (int y = holeArea.top; y < holeArea.bottom; ++y)
        fill.Span(y, holeArea.left, holeArea.right - 1);
    ApplyBrush(*target_, fill, brush_, opaqueBackground_, background_, mode_);
    if (!hasPen) return;
    if (pen_.style == PenStyle::Dash && w == 1) {
        const long long corners[4][2] = {
            {box.l, box.t}, {box.r - 1, box.t}, {box.r - 1, box.b - 1}, {box.l, box.b - 1}};
        CoverMask m(AreaOf(box, clip_));
        int phase = 0;
        for (int i = 0; i < 4; ++i) {
            const auto& p = corners[i];
            const auto& q = corners[(i + 1) % 4];
            ThinLine(m, p[0], p[1], q[0], q[1], true, opaqueBackground_, phase);
        }
        // A one-pixel-high or -wide rectangle has no closing edges to walk.
        if (box.r - box.l == 1 || box.b - box.t == 1) {
            for (int y = m.Area().top; y < m.Area().bottom; ++y) m.Span(y, box.l, box.r - 1);
        }
        ApplyPen(*target_, m, pen_.color, background_, mode_);
        return;
    }
    CoverMask m(AreaOf(outer, clip_));
    Rect inner = AreaOf(
        Box{box.l + (w - 1) / 2 + 1, box.t + (w - 1) / 2 + 1, box.r - 1 - w / 2, box.b - 1 - w / 2},
        m.Area());
    for (int y = m.Area().top; y < m.Area().bottom; ++y) {
        if (y >= inner.top && y < inner.bottom) {
            m.Span(y, m.Area().left, inner.left - 1);
            m.Span(y, inner.right, m.Area().right - 1);
        } else {
            m.Span(y, m.Area().left, m.Area().right - 1);
        }
    }
    ApplyPen(*target_, m, pen_.color, background_, mode_);
}

void Canvas::LineTo(int x, int y) {
    Point p[] = {pos_, Point{x, y}};
    Stroke(p, false, dashPhase_);
    pos_ = Point{x, y};
}

void Canvas::Polyline(std::span<const Point> pts) {
    int phase = 0;
    Stroke(pts, false, phase);
}

namespace {

// Bounds of a point list grown by a pen width, in 64-bit coordinates.
Box PointBounds(std::span<const Point> pts, int penWidth) {
    Box b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const Point& p : pts) {
        b.l = std::min<long long>(b.l, p.x);
        b.t = std::min<long long>(b.t, p.y);
        b.r = std::max<long long>(b.r, p.x);
        b.b = std::max<long long>(b.b, p.y);
    }
    long long g = penWidth / 2 + 2;
    return Box{b.l - g, b.t - g, b.r + g + 1, b.b + g + 1};
}

}  // namespace

void Canvas::StrokeInto(CoverMask& m, std::span<const Point> pts, bool closed, int& phase) const {
    int w = std::max(pen_.width, 1);
    size_t n = closed ? pts.size() : pts.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        const Point& a = pts[i];
        const Point& b = pts[(i + 1) % pts.size()];
        if (w == 1)
            ThinLine(m, a.x, a.y, b.x, b.y, pen_.style == PenStyle::Dash, opaqueBackground_, phase);
        else WideLine(m, a.x, a.y, b.x, b.y, w);
    }
}

void Canvas::Stroke(std::span<const Point> pts, bool closed, int& phase) {
    if (pen_.style == PenStyle::Null || pts.size() < 2) return;
    CoverMask m(AreaOf(PointBounds(pts, std::max(pen_.width, 1)), clip_));
    if (m.Empty()) {
        // Still advance the dash pattern so that later segments keep their places.
        CoverMask none(Rect{});
        StrokeInto(none, pts, closed, phase);
        return;
    }
    StrokeInto(m, pts, closed, phase);
    ApplyPen(*target_, m, pen_.color, background_, mode_);
}

void Canvas::Polygon(std::span<const Point> pts, FillRule rule) {
    if (pts.size() < 2 || clip_.Empty()) return;
    long long minY = pts[0].y, maxY = pts[0].y;
    for (const Point& p : pts) {
        minY = std::min<long long>(minY, p.y);
        maxY = std::max<long long>(maxY, p.y);
    }
    bool hasPen = pen_.style != PenStyle::Null;
    CoverMask pen(hasPen ? AreaOf(PointBounds(pts, std::max(pen_.width, 1)), clip_) : Rect{});
    if (hasPen) {
        int phase = 0;
        StrokeInto(pen, pts, true, phase);
    }
    if (brush_.style != BrushStyle::Null) {
        CoverMask fill(AreaOf(Box{clip_.left, minY, clip_.right, maxY + 1}, clip_));
        struct Crossing {
            double x;
            int dir;
        };
        std::vector<Crossing> xs;
        for (int y = fill.Area().top; y < fill.Area().bottom; ++y) {
            double sy = y + 0.5;
            xs.clear();
            for (size_t i = 0; i < pts.size(); ++i) {
                const Point& a = pts[i];
                const Point& b = pts[(i + 1) % pts.size()];
                if (a.y == b.y) continue;
                double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
                if (sy < y0 || sy >= y1) continue;
                double x = a.x + (sy - a.y) * (static_cast<double>(b.x) - a.x) /
                                     (static_cast<double>(b.y) - a.y);
                xs.push_back(Crossing{x, b.y > a.y ? 1 : -1});
            }
            std::sort(xs.begin(), xs.end(),
                      [](const Crossing& p, const Crossing& q) { return p.x < q.x; });
            int winding = 0;
            for (size_t i = 0; i + 1 < xs.size(); ++i) {
                winding += xs[i].dir;
                bool inside = rule == FillRule::Alternate ? (i % 2 == 0) : winding != 0;
                if (!inside) continue;
                // Pixels whose centre lies in [x_i, x_i+1).
                double lo = std::max(xs[i].x - 0.5, -4e9), hi = std::min(xs[i + 1].x - 0.5, 4e9);
                fill.Span(y, static_cast<long long>(std::ceil(lo)),
                          static_cast<long long>(std::ceil(hi)) - 1);
            }
        }
        fill.Subtract(pen);
        ApplyBrush(*target_, fill, brush_, opaqueBackground_, background_, mode_);
    }
    if (hasPen) ApplyPen(*target_, pen, pen_.color, background_, mode_);
}

void Canvas::Ellipse(int l, int t, int r, int b) {
    Box box = Ordered(l, t, r, b);
    if (box.r <= box.l || box.b <= box.t) return;
    bool hasPen = pen_.style != PenStyle::Null;
    int w = std::max(pen_.width, 1);
    Box outer = hasPen ? GrowForPen(box, w) : box;
    CoverMask pen(AreaOf(outer, clip_));
    if (pen.Empty()) return;
    if (hasPen) {
        if (w == 1) EllipseOutline(pen, EllipseShape(box));
        else EllipseRing(pen, outer, ShrinkForPen(box, w));
    }
    if (brush_.style != BrushStyle::Null) {
        CoverMask fill(AreaOf(box, clip_));
        FillEllipseMask(fill, EllipseShape(box));
        fill.Subtract(pen);
        ApplyBrush(*target_, fill, brush_, opaqueBackground_, background_, mode_);
    }
    if (hasPen) ApplyPen(*target_, pen, pen_.color, background_, mode_);
}

void Canvas::Arc(int l, int t, int r, int b, double startDeg, double endDeg) {
    if (pen_.style == PenStyle::Null || startDeg == endDeg) return;
    if (!std::isfinite(startDeg) || !std::isfinite(endDeg)) return;
    Box box = Ordered(l, t, r, b);
    if (box.r <= box.l || box.b <= box.t) return;
    double sweep = endDeg - startDeg;
    bool full = std::fabs(sweep) >= 360;
    sweep = std::fmod(sweep, 360.0);
    if (sweep < 0) sweep += 360;
    double start = std::fmod(startDeg, 360.0);
    if (start < 0) start += 360;

    int w = std::max(pen_.width, 1);
    Box outer = GrowForPen(box, w);
    CoverMask ring(AreaOf(outer, clip_));
    if (ring.Empty()) return;
    if (w == 1) EllipseOutline(ring, EllipseShape(box));
    else EllipseRing(ring, outer, ShrinkForPen(box, w));
    if (!full) {
        // Keep the pixels whose angle on the ellipse lies in the sweep; the angle is measured
        // on the circle the ellipse is stretched from, so the ends sit where
        // (cx + rx cos a, cy - ry sin a) lies.
        EllipseShape e(box);
        double rx = std::max(e.rx, 0.5), ry = std::max(e.ry, 0.5);
        const Rect& a = ring.Area();
        for (int y = a.top; y < a.bottom; ++y) {
            for (int x = a.left; x < a.right; ++x) {
                uint8_t& v = ring.At(x, y);
                if (!v) continue;
                double ang =
                    std::atan2((e.cy - (y + 0.5)) / ry, (x + 0.5 - e.cx) / rx) * 180.0 / M_PI;
                double rel = std::fmod(ang - start + 720.0, 360.0);
                if (rel > sweep + 1e-9) v = 0;
            }
        }
    }
    ApplyPen(*target_, ring, pen_.color, background_, mode_);
}

void Canvas::Blit(int dx, int dy, const Bitmap& from, const Rect& src, Rop rop) {
    qs::Blit(*target_, dx, dy, from, src, rop, clip_);
}

void Canvas::BlitTransparent(int dx, int dy, const Bitmap& from, const Rect& src, Rgb key) {
    qs::BlitTransparent(*target_, dx, dy, from, src, key, clip_);
}

void Canvas::BlitMirrored(int dx, int dy, const Bitmap& from, const Rect& src, Rop rop) {
    qs::BlitMirrored(*target_, dx, dy, from, src, rop, clip_);
}

void Canvas::BlitMirroredTransparent(int dx, int dy, const Bitmap& from, const Rect& src, Rgb key) {
    qs::BlitMirroredTransparent(*target_, dx, dy, from, src, key, clip_);
}

void Canvas::StretchBlit(const Rect& to, const Bitmap& from, const Rect& src, Rop rop) {
    qs::StretchBlit(*target_, to, from, src, rop, clip_);
}

}  // namespace qs
