// A drawing context over a bitmap, with the pixel rules of the Windows drawing
// calls (no antialiasing): a clip rectangle, a pen, a brush, a background mode
// and a write mode that every shape is combined with.
//
// Each shape is first rasterised into a coverage mask and then combined once, so a
// shape drawn in XOR mode toggles each of its pixels exactly once (the fill leaves out
// the outline's pixels) and drawing it twice restores the bitmap. Coordinates may lie
// far outside the bitmap; only the part inside the clip is walked.
#pragma once

#include <span>

#include "screen/surface/Raster.h"

namespace qs {

enum class PenStyle : uint8_t {
    Solid,
    Dash,  // 18 pixels on, 6 off, continued from segment to segment; width-1 pens only
    Null,  // draws nothing
};

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;  // values below 1 count as 1
    Rgb color = 0;
};

enum class BrushStyle : uint8_t {
    Solid,
    Null,              // fills nothing
    ForwardDiagonal,   // lines falling left to right, 8x8 pattern
    BackwardDiagonal,  // lines rising left to right
    Cross,             // horizontal and vertical lines
    DiagonalCross,     // both diagonals
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Rgb color = 0;
};

class CoverMask;

enum class FillRule : uint8_t { Alternate, Winding };

// True where a hatch pattern puts the brush colour; the patterns are aligned to the
// bitmap's origin, so neighbouring fills join seamlessly.
bool HatchCovers(BrushStyle style, int x, int y);

class Canvas {
public:
    explicit Canvas(Bitmap& target) : target_(&target), clip_(target.Bounds()) {}

    Bitmap& Target() const { return *target_; }

    // The clip is always kept inside the bitmap; an empty clip draws nothing.
    void SetClip(const Rect& r) { clip_ = r.Intersect(target_->Bounds()); }
    void ResetClip() { clip_ = target_->Bounds(); }
    const Rect& Clip() const { return clip_; }

    void SetPen(const Pen& p) { pen_ = p; }
    const Pen& GetPen() const { return pen_; }
    void SetBrush(const Brush& b) { brush_ = b; }
    const Brush& GetBrush() const { return brush_; }
    // How shapes combine with the bitmap: Copy (R2_COPYPEN), Xor (R2_XORPEN), or another Rop.
    void SetMode(Rop mode) { mode_ = mode; }
    Rop Mode() const { return mode_; }
    // Transparent (the default) leaves hatch gaps and dash gaps alone; opaque paints them
    // in the background colour.
    void SetBackground(bool opaque, Rgb color) {
        opaqueBackground_ = opaque;
        background_ = color;
    }
    bool OpaqueBackground() const { return opaqueBackground_; }
    Rgb Background() const { return background_; }

    // Sets one pixel inside the clip; like the Windows SetPixel call it ignores the write mode.
    void SetPixel(int x, int y, Rgb c);

    // Fills the half-open rectangle with the brush, always by copy (the write mode is not
    // used, as with the Windows FillRect call).
    void FillRect(const Rect& r);
    // Outline with the pen on the edge pixels of [l, r) x [t, b), inside filled with the brush.
    void Rectangle(int l, int t, int r, int b);

    // Lines from the current position; a width-1 line leaves out its last pixel.
    // Moving restarts the dash pattern; LineTo continues it.
    void MoveTo(int x, int y) {
        pos_ = Point{x, y};
        dashPhase_ = 0;
    }
    void LineTo(int x, int y);
    Point Position() const { return pos_; }
    void Line(int x1, int y1, int x2, int y2) {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }
    void Polyline(std::span<const Point> points);
    // Filled with the brush by the rule, outlined by the pen as a closed polyline.
    void Polygon(std::span<const Point> points, FillRule rule = FillRule::Alternate);

    // Ellipse inscribed in the half-open box [l, r) x [t, b): filled with the brush,
    // outlined with the pen.
    void Ellipse(int l, int t, int r, int b);
    // The part of that ellipse's outline from startDeg to endDeg, counter-clockwise
    // from the positive x axis (screen up is positive y). Equal angles draw nothing;
    // a start above the end wraps through 360.
    void Arc(int l, int t, int r, int b, double startDeg, double endDeg);

    // Block copies clipped to the canvas clip; the rop is given, not the write mode.
    void Blit(int dx, int dy, const Bitmap& from, const Rect& src, Rop rop = Rop::Copy);
    void BlitTransparent(int dx, int dy, const Bitmap& from, const Rect& src, Rgb key);
    void BlitMirrored(int dx, int dy, const Bitmap& from, const Rect& src, Rop rop = Rop::Copy);
    void BlitMirroredTransparent(int dx, int dy, const Bitmap& from, const Rect& src, Rgb key);
    void StretchBlit(const Rect& to, const Bitmap& from, const Rect& src, Rop rop = Rop::Copy);

private:
    void Stroke(std::span<const Point> pts, bool closed, int& phase);
    void StrokeInto(CoverMask& mask, std::span<const Point> pts, bool closed, int& phase) const;

    Bitmap* target_;
    Rect clip_;
    Pen pen_;
    Brush brush_;
    Rop mode_ = Rop::Copy;
    bool opaqueBackground_ = false;
    Rgb background_ = 0xFFFFFF;
    Point pos_;
    int dashPhase_ = 0;
};

}  // namespace qs
