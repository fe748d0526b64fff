// The device context that metafile records act on: map mode and extents,
// world transform, the selected pen and brush, the object table, paths and
// clipping, drawn through cairo in the coordinates of the target bitmap.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "base/Geometry.h"

namespace qs::meta {

struct Pt {
    double x = 0;
    double y = 0;
};

struct PathOp {
    enum Kind : uint8_t { Move, Line, Curve, Close };
    Kind kind = Move;
    Pt p[3];
};
using Path = std::vector<PathOp>;

enum MapMode : int {
    MmText = 1,
    MmLoMetric,
    MmHiMetric,
    MmLoEnglish,
    MmHiEnglish,
    MmTwips,
    MmIsotropic,
    MmAnisotropic
};

struct Pen {
    bool null = false;
    bool cosmetic = true;
    double width = 0;  // logical units
    Rgb color = 0;
    uint32_t style = 0;
    std::vector<double> userDashes;  // logical units (or pixels for a cosmetic pen)
};

struct Brush {
    enum Kind : uint8_t { Null, Solid, Hatched };
    Kind kind = Solid;
    Rgb color = 0xFFFFFF;
    int hatch = 0;
};

struct GdiObject {
    enum Kind : uint8_t { Empty, PenObj, BrushObj, Other };
    Kind kind = Empty;
    Pen pen;
    Brush brush;
};

struct ClipPath {
    Path path;  // target coordinates
    bool evenOdd = false;
};

struct DcState {
    int mapMode = MmText;
    Pt winOrg{0, 0}, winExt{1, 1}, vpOrg{0, 0}, vpExt{1, 1};
    cairo_matrix_t world{1, 0, 0, 1, 0, 0};
    Pen pen;
    Brush brush;
    bool winding = false;
    bool clockwise = false;
    double miterLimit = 10;
    Pt cur{0, 0};  // current position, logical
    bool bkOpaque = true;
    Rgb bkColor = 0xFFFFFF;
    std::vector<ClipPath> clips;  // all of them apply (intersection)
};

// Converts a COLORREF (0x00BBGGRR) to 0x00RRGGBB.
inline Rgb FromColorRef(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class GdiCanvas {
public:
    // deviceToTarget maps reference-device pixels to target pixels; clip is
    // the part of the target the picture may touch. pixelsPerMm gives the
    // reference device's resolution for the metric map modes.
    GdiCanvas(cairo_t* cr, const cairo_matrix_t& deviceToTarget, const Rect& clip, Pt pixelsPerMm,
              bool antialias, uint32_t handleCount);

    DcState& Dc() { return dc_; }

    // --- State ---------------------------------------------------------------
    void SetMapMode(int mode);
    void SetWindowExt(double x, double y);
    void SetViewportExt(double x, double y);
    void SetWindowOrg(double x, double y) { dc_.winOrg = {x, y}; }
    void SetViewportOrg(double x, double y) { dc_.vpOrg = {x, y}; }
    void SetWorldTransform(const cairo_matrix_t& m);
    void ModifyWorldTransform(const cairo_matrix_t& m, uint32_t mode);
    void SaveDc();
    void RestoreDc(int relative);

    // --- Objects -------------------------------------------------------------
    bool PutObject(uint32_t index, const GdiObject& obj);  // false: index out of range
    int FirstFreeSlot();                                   // -1 when the table is full
    void SelectObject(uint32_t index);                     // EMF stock objects have the top bit
    void DeleteObject(uint32_t index);

    // --- Drawing, logical coordinates ------------------------------------------
    void MoveTo(Pt p);
    void LineTo(Pt p);
    void Polyline(const std::vector<Pt>& pts);
    void PolylineTo(const std::vector<Pt>& pts);
    void Polygon(const std::vector<Pt>& pts);
    void PolyPolygon(const std::vector<Pt>& pts, const std::vector<uint32_t>& counts);
    void PolyPolyline(const std::vector<Pt>& pts, const std::vector<uint32_t>& counts);
    void PolyBezier(const std::vector<Pt>& pts);
    void PolyBezierTo(const std::vector<Pt>& pts);
    void PolyDraw(const std::vector<Pt>& pts, const std::vector<uint8_t>& types);
    void Rectangle(double l, double t, double r, double b);
    void RoundRect(double l, double t, double r, double b, double cw, double ch);
    void Ellipse(double l, double t, double r, double b);
    enum class ArcKind : uint8_t { Arc, Chord, Pie, ArcTo };
    void Arc(ArcKind kind, double l, double t, double r, double b, Pt start, Pt end);
    void AngleArc(Pt center, double radius, double startDeg, double sweepDeg);
    void SetPixel(Pt p, Rgb color);

    // --- Paths and clipping ----------------------------------------------------
    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();
    void SelectClipPath(uint32_t mode);
    void IntersectClipRect(double l, double t, double r, double b);
    void ExcludeClipRect(double l, double t, double r, double b);
    // Rectangles in reference-device pixels; mode as in ExtSelectClipRgn.
    void SelectClipRects(const std::vector<Rect>& rects, uint32_t mode);
    void FillRects(const std::vector<Rect>& rects, const Brush& brush);  // device pixels

private:
    // Poly-polygons and poly-polylines: one shape of several figures.
    void PolyShape(const std::vector<Pt>& pts, const std::vector<uint32_t>& counts, bool closed);
    cairo_matrix_t LogicalToTarget() const;
    Pt Map(Pt p) const;
    double Scale() const;  // linear size of one logical unit in target pixels
    void AppendCurrentFigure(const Path& p, bool continuesFigure);
    Path Transformed(const std::vector<Pt>& pts, bool close) const;
    Path EllipsePath(double l, double t, double r, double b) const;
    void ArcSegments(Path& out, Pt c, double rx, double ry, double a0, double sweep,
                     bool startWithMove) const;
    // Draws path p (target coordinates) or appends it to the open path.
    void Shape(const Path& p, bool fill, bool stroke);
    void Open(const Path& p);
    void Paint(const Path& p, bool fill, bool stroke);
    void ApplyClip();
    bool TakePath(Path& out);
    void AddClip(ClipPath c);
    void Replay(const Path& p, double shift = 0);
    void SetSource(Rgb c);
    bool SetBrushSource(const Brush& b);

    cairo_t* cr_;
    cairo_matrix_t deviceToTarget_;
    Rect clip_;
    Pt pixelsPerMm_;
    bool antialias_;
    DcState dc_;
    std::vector<DcState> saved_;
    std::vector<GdiObject> objects_;
    size_t freeHint_ = 0;
    bool inPath_ = false;
    bool pathReady_ = false;
    Path path_;
    bool figureOpen_ = false;
};

}  // namespace qs::meta
