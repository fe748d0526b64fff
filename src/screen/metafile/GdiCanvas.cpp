#include "screen/metafile/GdiCanvas.h"

#include <algorithm>
#include <cmath>

namespace qs::meta {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Cairo keeps coordinates in 24.8 fixed point; points beyond this are
// clamped so that a picture with absurd coordinates stays harmless.
constexpr double kCoordLimit = 4.0e6;
constexpr size_t kMaxSavedStates = 1024;
// Every drawing replays the clip list; a picture that keeps narrowing its
// clip stops at this many steps (clip art uses a handful).
constexpr size_t kMaxClips = 32;
constexpr size_t kMaxObjects = 65536;
constexpr size_t kMaxPathOps = 1u << 22;

double Clamp(double v) {
    if (!std::isfinite(v)) return 0;
    return std::clamp(v, -kCoordLimit, kCoordLimit);
}

bool Finite(const cairo_matrix_t& m) {
    return std::isfinite(m.xx) && std::isfinite(m.yx) && std::isfinite(m.xy) &&
           std::isfinite(m.yy) && std::isfinite(m.x0) && std::isfinite(m.y0);
}

cairo_matrix_t Multiply(const cairo_matrix_t& first, const cairo_matrix_t& then) {
    cairo_matrix_t r;
    cairo_matrix_multiply(&r, &first, &then);
    return r;
}

Path RectPath(Pt a, Pt b, Pt c, Pt d) {
    Path p;
    p.push_back({PathOp::Move, {a}});
    p.push_back({PathOp::Line, {b}});
    p.push_back({PathOp::Line, {c}});
    p.push_back({PathOp::Line, {d}});
    p.push_back({PathOp::Close, {}});
    return p;
}

}  // namespace

GdiCanvas::GdiCanvas(cairo_t* cr, const cairo_matrix_t& deviceToTarget, const Rect& clip,
                     Pt pixelsPerMm, bool antialias, uint32_t handleCount)
    : cr_(cr),
      deviceToTarget_(deviceToTarget),
      clip_(clip),
      pixelsPerMm_(pixelsPerMm),
      antialias_(antialias) {
    objects_.resize(std::min<size_t>(handleCount, kMaxObjects));
    cairo_set_antialias(cr_, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    cairo_identity_matrix(cr_);
}

// --- Mapping ----------------------------------------------------------------

void GdiCanvas::SetMapMode(int mode) {
    double unitMm = 0;  // millimetres per logical unit of the metric modes
    switch (mode) {
        case MmText:
            dc_.winExt = {1, 1};
            dc_.vpExt = {1, 1};
            break;
        case MmLoMetric: unitMm = 0.1; break;
        case MmHiMetric: unitMm = 0.01; break;
        case MmLoEnglish: unitMm = 0.254; break;
        case MmHiEnglish: unitMm = 0.0254; break;
        case MmTwips: unitMm = 25.4 / 1440; break;
        case MmIsotropic:
        case MmAnisotropic: break;
        default: return;
    }
    if (unitMm > 0) {
        // The metric modes count y upwards.
        dc_.winExt = {1, 1};
        dc_.vpExt = {pixelsPerMm_.x * unitMm, -pixelsPerMm_.y * unitMm};
    }
    dc_.mapMode = mode;
}

void GdiCanvas::SetWindowExt(double x, double y) {
    if (dc_.mapMode != MmIsotropic && dc_.mapMode != MmAnisotropic) return;
    if (x == 0 || y == 0 || !std::isfinite(x) || !std::isfinite(y)) return;
    dc_.winExt = {x, y};
}

void GdiCanvas::SetViewportExt(double x, double y) {
    if (dc_.mapMode != MmIsotropic && dc_.mapMode != MmAnisotropic) return;
    if (x == 0 || y == 0 || !std::isfinite(x) || !std::isfinite(y)) return;
    dc_.vpExt = {x, y};
}

void GdiCanvas::SetWorldTransform(const cairo_matrix_t& m) {
    if (!Finite(m)) return;
    dc_.world = m;
}

void GdiCanvas::ModifyWorldTransform(const cairo_matrix_t& m, uint32_t mode) {
    cairo_matrix_t r = dc_.world;
    switch (mode) {
        case 1: cairo_matrix_init_identity(&r); break;
        case 2: r = Multiply(m, dc_.world); break;  // the new transform acts first
        case 3: r = Multiply(dc_.world, m); break;
        case 4: r = m; break;
        default: return;
    }
    SetWorldTransform(r);
}

cairo_matrix_t GdiCanvas::LogicalToTarget() const {
    double sx = dc_.vpExt.x / dc_.winExt.x;
    double sy = dc_.vpExt.y / dc_.winExt.y;
    if (dc_.mapMode == MmIsotropic) {
        double m = std::min(std::fabs(sx), std::fabs(sy));
        sx = std::copysign(m, sx);
        sy = std::copysign(m, sy);
    }
    cairo_matrix_t page;
    cairo_matrix_init(&page, sx, 0, 0, sy, dc_.vpOrg.x - dc_.winOrg.x * sx,
                      dc_.vpOrg.y - dc_.winOrg.y * sy);
    return Multiply(Multiply(dc_.world, page), deviceToTarget_);
}

Pt GdiCanvas::Map(Pt p) const {
    cairo_matrix_t m = LogicalToTarget();
    double x = p.x, y = p.y;
    cairo_matrix_transform_point(&m, &x, &y);
    return {Clamp(x), Clamp(y)};
}

double GdiCanvas::Scale() const {
    cairo_matrix_t m = LogicalToTarget();
    double s = std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
    return std::isfinite(s) ? std::min(s, kCoordLimit) : 1.0;
}

void GdiCanvas::SaveDc() {
    if (saved_.size() < kMaxSavedStates) saved_.push_back(dc_);
}

void GdiCanvas::RestoreDc(int relative) {
    if (relative >= 0 || saved_.empty()) return;
    size_t back = static_cast<size_t>(-static_cast<int64_t>(relative));
    if (back > saved_.size()) return;
    dc_ = saved_[saved_.size() - back];
    saved_.resize(saved_.size() - back);
}

// --- Objects ------------------------------------------------------------------

bool GdiCanvas::PutObject(uint32_t index, const GdiObject& obj) {
    if (index >= kMaxObjects) return false;
    if (index >= objects_.size()) objects_.resize(index + 1);
    objects_[index] = obj;
    if (obj.kind == GdiObject::Empty) freeHint_ = std::min<size_t>(freeHint_, index);
    return true;
}

int GdiCanvas::FirstFreeSlot() {
    // Slots below freeHint_ are taken; a deleted object lowers the hint.
    for (size_t i = freeHint_; i < objects_.size(); ++i) {
        if (objects_[i].kind == GdiObject::Empty) {
            freeHint_ = i + 1;
            return static_cast<int>(i);
        }
    }
    freeHint_ = objects_.size();
    if (objects_.size() >= kMaxObjects) return -1;
    objects_.emplace_back();
    freeHint_ = objects_.size();
    return static_cast<int>(objects_.size() - 1);
}

void GdiCanvas::SelectObject(uint32_t index) {
    if (index & 0x80000000u) {
        Brush b;
        Pen p;
        switch (index & 0x7FFFFFFFu) {
            case 0:
                b.color = 0xFFFFFF;
                dc_.brush = b;
                break;
            case 1:
                b.color = 0xC0C0C0;
                dc_.brush = b;
                break;
            case 2:
                b.color = 0x808080;
                dc_.brush = b;
                break;
            case 3:
                b.color = 0x404040;
                dc_.brush = b;
                break;
            case 4:
                b.color = 0x000000;
                dc_.brush = b;
                break;
            case 5:
                b.kind = Brush::Null;
                dc_.brush = b;
                break;
            case 6:
                p.color = 0xFFFFFF;
                dc_.pen = p;
                break;
            case 7:
                p.color = 0x000000;
                dc_.pen = p;
                break;
            case 8:
                p.null = true;
                dc_.pen = p;
                break;
            case 18:
                b.color = 0xFFFFFF;
                dc_.brush = b;
                break;
            case 19:
                p.color = 0x000000;
                dc_.pen = p;
                break;
            default: break;  // fonts and palettes do not draw shapes
        }
        return;
    }
    if (index >= objects_.size()) return;
    const GdiObject& o = objects_[index];
    if (o.kind == GdiObject::PenObj) dc_.pen = o.pen;
    if (o.kind == GdiObject::BrushObj) dc_.brush = o.brush;
}

void GdiCanvas::DeleteObject(uint32_t index) {
    if (index >= objects_.size()) return;
    objects_[index] = GdiObject{};
    freeHint_ = std::min<size_t>(freeHint_, index);
}

// --- Path building --------------------------------------------------------------

Path GdiCanvas::Transformed(const std::vector<Pt>& pts, bool close) const {
    Path p;
    if (pts.empty()) return p;
    p.reserve(pts.size() + 1);
    p.push_back({PathOp::Move, {Map(pts[0])}});
    for (size_t i = 1; i < pts.size(); ++i) p.push_back({PathOp::Line, {Map(pts[i])}});
    if (close) p.push_back({PathOp::Close, {}});
    return p;
}

void GdiCanvas::ArcSegments(Path& out, Pt c, double rx, double ry, double a0, double sweep,
                            bool startWithMove) const {
    int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (kPi / 2) - 1e-9)));
    double d = sweep / n;
    double k = 4.0 / 3.0 * std::tan(d / 4);
    auto at = [&](double a) { return Pt{c.x + rx * std::cos(a), c.y + ry * std::sin(a)}; };
    Pt start = at(a0);
    out.push_back({startWithMove ? PathOp::Move : PathOp::Line, {Map(start)}});
    for (int i = 0; i < n; ++i) {
        double a = a0 + d * i, b = a + d;
        Pt p1{c.x + rx * (std::cos(a) - k * std::sin(a)),
              c.y + ry * (std::sin(a) + k * std::cos(a))};
        Pt p2{c.x + rx * (std::cos(b) + k * std::sin(b)),
              c.y + ry * (std::sin(b) - k * std::cos(b))};
        out.push_back({PathOp::Curve, {Map(p1), Map(p2), Map(at(b))}});
    }
}

Path GdiCanvas::EllipsePath(double l, double t, double r, double b) const {
    Path p;
    Pt c{(l + r) / 2, (t + b) / 2};
    ArcSegments(p, c, std::fabs(r - l) / 2, std::fabs(b - t) / 2, 0, 2 * kPi, true);
    p.push_back({PathOp::Close, {}});
    return p;
}

void GdiCanvas::Open(const Path& p) {
    if (path_.size() + p.size() > kMaxPathOps) return;
    path_.insert(path_.end(), p.begin(), p.end());
}

// Appends line or curve ops that continue from the current position.
void GdiCanvas::AppendCurrentFigure(const Path& p, bool continuesFigure) {
    Path full;
    full.reserve(p.size() + 1);
    if (!continuesFigure) full.push_back({PathOp::Move, {Map(dc_.cur)}});
    full.insert(full.end(), p.begin(), p.end());
    if (inPath_) {
        Open(full);
        figureOpen_ = true;
    } else {
        Paint(full, false, true);
    }
}

void GdiCanvas::Shape(const Path& p, bool fill, bool stroke) {
    if (inPath_) {
        Open(p);
        figureOpen_ = !p.empty() && p.back().kind != PathOp::Close;
    } else {
        Paint(p, fill, stroke);
    }
}

// --- Drawing ------------------------------------------------------------------------

void GdiCanvas::MoveTo(Pt p) {
    dc_.cur = p;
    if (inPath_) {
        Open({{PathOp::Move, {Map(p)}}});
        figureOpen_ = true;
    }
}

void GdiCanvas::LineTo(Pt p) { PolylineTo({p}); }

void GdiCanvas::PolylineTo(const std::vector<Pt>& pts) {
    if (pts.empty()) return;
    Path p;
    p.reserve(pts.size());
    for (const Pt& q : pts) p.push_back({PathOp::Line, {Map(q)}});
    AppendCurrentFigure(p, inPath_ && figureOpen_);
    dc_.cur = pts.back();
}

void GdiCanvas::Polyline(const std::vector<Pt>& pts) {
    if (pts.size() < 2) return;
    Shape(Transformed(pts, false), false, true);
}

void GdiCanvas::Polygon(const std::vector<Pt>& pts) {
    if (pts.size() < 2) return;
    Shape(Transformed(pts, true), true, true);
}

void GdiCanvas::PolyShape(const std::vector<Pt>& pts, const std::vector<uint32_t>& counts,
                          bool closed) {
    Path all;
    size_t at = 0;
    for (uint32_t n : counts) {
        if (n > pts.size() - at) break;
        std::vector<Pt> one(pts.begin() + at, pts.begin() + at + n);
        at += n;
        if (n < 2) continue;
        Path p = Transformed(one, closed);
        all.insert(all.end(), p.begin(), p.end());
    }
    Shape(all, closed, true);
}

void GdiCanvas::PolyPolygon(const std::vector<Pt>& pts, const std::vector<uint32_t>& counts) {
    PolyShape(pts, counts, true);
}

void GdiCanvas::PolyPolyline(const std::vector<Pt>& pts, const std::vector<uint32_t>& counts) {
    PolyShape(pts, counts, false);
}

void GdiCanvas::PolyBezier(const std::vector<Pt>& pts) {
    if (pts.size() < 4) return;
    Path p;
    p.push_back({PathOp::Move, {Map(pts[0])}});
    for (size_t i = 1; i + 2 < pts.size(); i += 3)
        p.push_back({PathOp::Curve, {Map(pts[i]), Map(pts[i + 1]), Map(pts[i + 2])}});
    Shape(p, false, true);
}

void GdiCanvas::PolyBezierTo(const std::vector<Pt>& pts) {
    if (pts.size() < 3) return;
    Path p;
    size_t i = 0;
    for (; i + 2 < pts.size(); i += 3)
        p.push_back({PathOp::Curve, {Map(pts[i]), Map(pts[i + 1]), Map(pts[i + 2])}});
    AppendCurrentFigure(p, inPath_ && figureOpen_);
    dc_.cur = pts[i - 1];
}

void GdiCanvas::PolyDraw(const std::vector<Pt>& pts, const std::vector<uint8_t>& types) {
    Path p;
    bool open = inPath_ && figureOpen_;
    if (!open) p.push_back({PathOp::Move, {Map(dc_.cur)}});
    size_t n = std::min(pts.size(), types.size());
    for (size_t i = 0; i < n; ++i) {
        uint8_t t = types[i] & ~1u;
        if (t == 6) {
            p.push_back({PathOp::Move, {Map(pts[i])}});
        } else if (t == 4 && i + 2 < n) {
            p.push_back({PathOp::Curve, {Map(pts[i]), Map(pts[i + 1]), Map(pts[i + 2])}});
            i += 2;
        } else {
            p.push_back({PathOp::Line, {Map(pts[i])}});
        }
        dc_.cur = pts[i];
        if (types[i] & 1) p.push_back({PathOp::Close, {}});
    }
    if (inPath_) {
        Open(p);
        figureOpen_ = p.empty() || p.back().kind != PathOp::Close;
    } else {
        Paint(p, false, true);
    }
}

void GdiCanvas::Rectangle(double l, double t, double r, double b) {
    Shape(RectPath(Map({l, t}), Map({r, t}), Map({r, b}), Map({l, b})), true, true);
}

void GdiCanvas::RoundRect(double l, double t, double r, double b, double cw, double ch) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    double rx = std::min(std::fabs(cw) / 2, (r - l) / 2);
    double ry = std::min(std::fabs(ch) / 2, (b - t) / 2);
    if (rx <= 0 || ry <= 0) {
        Rectangle(l, t, r, b);
        return;
    }
    Path p;
    ArcSegments(p, {r - rx, t + ry}, rx, ry, -kPi / 2, kPi / 2, true);
    ArcSegments(p, {r - rx, b - ry}, rx, ry, 0, kPi / 2, false);
    ArcSegments(p, {l + rx, b - ry}, rx, ry, kPi / 2, kPi / 2, false);
    ArcSegments(p, {l + rx, t + ry}, rx, ry, kPi, kPi / 2, false);
    p.push_back({PathOp::Close, {}});
    Shape(p, true, true);
}

void GdiCanvas::Ellipse(double l, double t, double r, double b) {
    if (l == r || t == b) return;
    Shape(EllipsePath(l, t, r, b), true, true);
}

void GdiCanvas::Arc(ArcKind kind, double l, double t, double r, double b, Pt start, Pt end) {
    Pt c{(l + r) / 2, (t + b) / 2};
    double rx = std::fabs(r - l) / 2, ry = std::fabs(b - t) / 2;
    if (rx <= 0 || ry <= 0) return;
    double a0 = std::atan2((start.y - c.y) / ry, (start.x - c.x) / rx);
    double a1 = std::atan2((end.y - c.y) / ry, (end.x - c.x) / rx);
    // Directions count as seen on the device: a mirroring transform turns them.
    cairo_matrix_t m = LogicalToTarget();
    bool clockwise = dc_.clockwise != (m.xx * m.yy - m.xy * m.yx < 0);
    double sweep = a1 - a0;
    if (clockwise) {
        while (sweep <= 1e-12) sweep += 2 * kPi;
    } else {
        while (sweep >= -1e-12) sweep -= 2 * kPi;
    }
    Path p;
    if (kind == ArcKind::Pie) {
        p.push_back({PathOp::Move, {Map(c)}});
        ArcSegments(p, c, rx, ry, a0, sweep, false);
    } else {
        ArcSegments(p, c, rx, ry, a0, sweep, kind != ArcKind::ArcTo);
    }
    if (kind == ArcKind::ArcTo) {
        AppendCurrentFigure(p, inPath_ && figureOpen_);
        dc_.cur = {c.x + rx * std::cos(a0 + sweep), c.y + ry * std::sin(a0 + sweep)};
        return;
    }
    bool closed = kind != ArcKind::Arc;
    if (closed) p.push_back({PathOp::Close, {}});
    Shape(p, closed, true);
}

void GdiCanvas::AngleArc(Pt center, double radius, double startDeg, double sweepDeg) {
    if (!std::isfinite(startDeg) || !std::isfinite(sweepDeg) || radius <= 0) return;
    sweepDeg = std::clamp(sweepDeg, -3600.0, 3600.0);
    double a0 = -startDeg * kPi / 180, sweep = -sweepDeg * kPi / 180;
    Path p;
    if (sweep != 0) ArcSegments(p, center, radius, radius, a0, sweep, false);
    AppendCurrentFigure(p, inPath_ && figureOpen_);
    dc_.cur = {center.x + radius * std::cos(a0 + sweep), center.y + radius * std::sin(a0 + sweep)};
}

void GdiCanvas::SetPixel(Pt p, Rgb color) {
    Pt q = Map(p);
    cairo_save(cr_);
    ApplyClip();
    SetSource(color);
    cairo_rectangle(cr_, std::floor(q.x), std::floor(q.y), 1, 1);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

// --- Paths and clipping ------------------------------------------------------------

void GdiCanvas::BeginPath() {
    inPath_ = true;
    pathReady_ = false;
    path_.clear();
    figureOpen_ = false;
}

void GdiCanvas::AbortPath() {
    inPath_ = false;
    pathReady_ = false;
    path_.clear();
}

void GdiCanvas::CloseFigure() {
    if (inPath_ && !path_.empty() && path_.back().kind != PathOp::Close) {
        path_.push_back({PathOp::Close, {}});
        figureOpen_ = false;
    }
}

void GdiCanvas::EndPath() {
    if (inPath_) pathReady_ = true;
    inPath_ = false;
}

// The path operations need a finished path (BeginPath ... EndPath); they
// consume it.
bool GdiCanvas::TakePath(Path& out) {
    if (!pathReady_) return false;
    pathReady_ = false;
    out = std::move(path_);
    path_.clear();
    return true;
}

void GdiCanvas::FillPath() {
    Path p;
    if (TakePath(p)) Paint(p, true, false);
}

void GdiCanvas::StrokePath() {
    Path p;
    if (TakePath(p)) Paint(p, false, true);
}

void GdiCanvas::StrokeAndFillPath() {
    Path p;
    if (TakePath(p)) Paint(p, true, true);
}

void GdiCanvas::SelectClipPath(uint32_t mode) {
    ClipPath c;
    if (!TakePath(c.path)) return;
    c.evenOdd = !dc_.winding;
    switch (mode) {
        case 5: dc_.clips.clear(); [[fallthrough]];
        case 1: AddClip(std::move(c)); break;
        default: break;  // union and difference leave the clip as it is
    }
}

void GdiCanvas::AddClip(ClipPath c) {
    if (dc_.clips.size() < kMaxClips) dc_.clips.push_back(std::move(c));
}

void GdiCanvas::IntersectClipRect(double l, double t, double r, double b) {
    AddClip({RectPath(Map({l, t}), Map({r, t}), Map({r, b}), Map({l, b})), false});
}

void GdiCanvas::ExcludeClipRect(double l, double t, double r, double b) {
    double big = kCoordLimit;
    Path p = RectPath({-big, -big}, {big, -big}, {big, big}, {-big, big});
    Path hole = RectPath(Map({l, t}), Map({r, t}), Map({r, b}), Map({l, b}));
    p.insert(p.end(), hole.begin(), hole.end());
    AddClip({std::move(p), true});
}

void GdiCanvas::SelectClipRects(const std::vector<Rect>& rects, uint32_t mode) {
    if (mode == 5 && rects.empty()) {
        dc_.clips.clear();
        return;
    }
    Path p;
    for (const Rect& r : rects) {
        auto dev = [&](double x, double y) {
            cairo_matrix_transform_point(&deviceToTarget_, &x, &y);
            return Pt{Clamp(x), Clamp(y)};
        };
        double l = std::min(r.left, r.right), rr = std::max(r.left, r.right);
        double t = std::min(r.top, r.bottom), b = std::max(r.top, r.bottom);
        Path q = RectPath(dev(l, t), dev(rr, t), dev(rr, b), dev(l, b));
        p.insert(p.end(), q.begin(), q.end());
    }
    if (mode == 5) dc_.clips.clear();
    if (mode == 5 || mode == 1) AddClip({std::move(p), false});
}

void GdiCanvas::FillRects(const std::vector<Rect>& rects, const Brush& brush) {
    Path p;
    for (const Rect& r : rects) {
        auto dev = [&](double x, double y) {
            cairo_matrix_transform_point(&deviceToTarget_, &x, &y);
            return Pt{Clamp(x), Clamp(y)};
        };
        Path q = RectPath(dev(r.left, r.top), dev(r.right, r.top), dev(r.right, r.bottom),
                          dev(r.left, r.bottom));
        p.insert(p.end(), q.begin(), q.end());
    }
    Brush saved = dc_.brush;
    Pen savedPen = dc_.pen;
    dc_.brush = brush;
    dc_.pen.null = true;
    Paint(p, true, false);
    dc_.brush = saved;
    dc_.pen = savedPen;
}

// --- Painting -------------------------------------------------------------------------

void GdiCanvas::Replay(const Path& p, double shift) {
    const double d = shift;
    for (const PathOp& op : p) {
        switch (op.kind) {
            case PathOp::Move: cairo_move_to(cr_, op.p[0].x + d, op.p[0].y + d); break;
            case PathOp::Line: cairo_line_to(cr_, op.p[0].x + d, op.p[0].y + d); break;
            case PathOp::Curve:
                cairo_curve_to(cr_, op.p[0].x + d, op.p[0].y + d, op.p[1].x + d, op.p[1].y + d,
                               op.p[2].x + d, op.p[2].y + d);
                break;
            case PathOp::Close: cairo_close_path(cr_); break;
        }
    }
}

void GdiCanvas::ApplyClip() {
    cairo_rectangle(cr_, clip_.left, clip_.top, clip_.Width(), clip_.Height());
    cairo_clip(cr_);
    for (const ClipPath& c : dc_.clips) {
        Replay(c.path);
        cairo_set_fill_rule(cr_, c.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr_);
    }
}

void GdiCanvas::SetSource(Rgb c) {
    cairo_set_source_rgb(cr_, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0,
                         (c & 255) / 255.0);
}

bool GdiCanvas::SetBrushSource(const Brush& b) {
    if (b.kind == Brush::Null) return false;
    if (b.kind == Brush::Solid) {
        SetSource(b.color);
        return true;
    }
    // Hatched: an 8 x 8 tile in target pixels, as the Windows hatch brushes.
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    unsigned char* data = cairo_image_surface_get_data(tile);
    int stride = cairo_image_surface_get_stride(tile);
    if (cairo_surface_status(tile) != CAIRO_STATUS_SUCCESS || data == nullptr) {
        cairo_surface_destroy(tile);
        SetSource(b.color);
        return true;
    }
    cairo_surface_flush(tile);
    for (int y = 0; y < 8; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < 8; ++x) {
            bool on = false;
            switch (b.hatch) {
                case 0: on = y == 7; break;
                case 1: on = x == 7; break;
                case 2: on = x == y; break;
                case 3: on = x == 7 - y; break;
                case 4: on = x == 7 || y == 7; break;
                default: on = x == y || x == 7 - y; break;
            }
            if (on) row[x] = 0xFF000000u | b.color;
            else row[x] = dc_.bkOpaque ? 0xFF000000u | dc_.bkColor : 0;
        }
    }
    cairo_surface_mark_dirty(tile);
    cairo_pattern_t* pat = cairo_pattern_create_for_surface(tile);
    cairo_pattern_set_extend(pat, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pat, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr_, pat);
    cairo_pattern_destroy(pat);
    cairo_surface_destroy(tile);
    return true;
}

void GdiCanvas::Paint(const Path& p, bool fill, bool stroke) {
    if (p.empty()) return;
    const Pen& pen = dc_.pen;
    bool doStroke = stroke && !pen.null && (pen.style & 0x0F) != 5;
    bool doFill = fill && dc_.brush.kind != Brush::Null;
    if (!doFill && !doStroke) return;
    cairo_save(cr_);
    ApplyClip();
    if (doFill) {
        Replay(p);
        cairo_set_fill_rule(cr_, dc_.winding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
        SetBrushSource(dc_.brush);
        cairo_fill(cr_);
    }
    if (doStroke) {
        // Hard-edged, a pen at coordinate x covers the pixel column x, as on
        // a Windows device: the stroke's centre lies in the middle of that pixel.
        Replay(p, antialias_ ? 0.0 : 0.5);
        double width = pen.cosmetic ? 1.0 : std::max(1.0, pen.width * Scale());
        cairo_set_line_width(cr_, width);
        if (pen.cosmetic) {
            cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
            cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
        } else {
            switch (pen.style & 0x0F00) {
                case 0x100: cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE); break;
                case 0x200: cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT); break;
                default: cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND); break;
            }
            switch (pen.style & 0xF000) {
                case 0x1000: cairo_set_line_join(cr_, CAIRO_LINE_JOIN_BEVEL); break;
                case 0x2000: cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER); break;
                default: cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND); break;
            }
        }
        cairo_set_miter_limit(cr_, std::clamp(dc_.miterLimit, 1.0, 100.0));
        std::vector<double> dashes;
        double unit = pen.cosmetic ? 1.0 : width;
        switch (pen.style & 0x0F) {
            case 1:
                dashes = pen.cosmetic ? std::vector<double>{18, 6} : std::vector<double>{3, 1};
                break;
            case 2:
                dashes = pen.cosmetic ? std::vector<double>{3, 3} : std::vector<double>{1, 1};
                break;
            case 3:
                dashes = pen.cosmetic ? std::vector<double>{9, 6, 3, 6}
                                      : std::vector<double>{3, 1, 1, 1};
                break;
            case 4:
                dashes = pen.cosmetic ? std::vector<double>{9, 3, 3, 3, 3, 3}
                                      : std::vector<double>{3, 1, 1, 1, 1, 1};
                break;
            case 7: dashes = pen.userDashes; break;
            case 8: dashes = {1, 1}; break;
            default: break;
        }
        if ((pen.style & 0x0F) == 7) unit = pen.cosmetic ? 1.0 : Scale();
        double total = 0;
        for (double& d : dashes) {
            d = std::clamp(d * unit, 0.0, kCoordLimit);
            total += d;
        }
        if (total > 0) cairo_set_dash(cr_, dashes.data(), static_cast<int>(dashes.size()), 0);
        SetSource(pen.color);
        cairo_stroke(cr_);
    }
    cairo_new_path(cr_);
    cairo_restore(cr_);
}

}  // namespace qs::meta
