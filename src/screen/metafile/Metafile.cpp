#include "screen/metafile/Metafile.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "screen/metafile/ByteReader.h"
#include "screen/metafile/GdiCanvas.h"

namespace qs {

using meta::ByteReader;
using meta::GdiCanvas;
using meta::GdiObject;
using meta::Pt;

namespace {

constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kEmfHeaderMin = 88;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWmfHeaderSize = 18;

int RoundToInt(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, -1.0e9, 1.0e9)));
}

// --- EMF records -------------------------------------------------------------

enum EmfRecord : uint32_t {
    EmrHeader = 1,
    EmrPolyBezier,
    EmrPolygon,
    EmrPolyline,
    EmrPolyBezierTo,
    EmrPolylineTo,
    EmrPolyPolyline,
    EmrPolyPolygon,
    EmrSetWindowExtEx,
    EmrSetWindowOrgEx,
    EmrSetViewportExtEx,
    EmrSetViewportOrgEx,
    EmrSetBrushOrgEx,
    EmrEof,
    EmrSetPixelV,
    EmrSetMapperFlags,
    EmrSetMapMode,
    EmrSetBkMode,
    EmrSetPolyFillMode,
    EmrSetRop2,
    EmrSetStretchBltMode,
    EmrSetTextAlign,
    EmrSetColorAdjustment,
    EmrSetTextColor,
    EmrSetBkColor,
    EmrOffsetClipRgn,
    EmrMoveToEx,
    EmrSetMetaRgn,
    EmrExcludeClipRect,
    EmrIntersectClipRect,
    EmrScaleViewportExtEx,
    EmrScaleWindowExtEx,
    EmrSaveDc,
    EmrRestoreDc,
    EmrSetWorldTransform,
    EmrModifyWorldTransform,
    EmrSelectObject,
    EmrCreatePen,
    EmrCreateBrushIndirect,
    EmrDeleteObject,
    EmrAngleArc,
    EmrEllipse,
    EmrRectangle,
    EmrRoundRect,
    EmrArc,
    EmrChord,
    EmrPie,
    EmrLineTo = 54,
    EmrArcTo,
    EmrPolyDraw,
    EmrSetArcDirection,
    EmrSetMiterLimit,
    EmrBeginPath,
    EmrEndPath,
    EmrCloseFigure,
    EmrFillPath,
    EmrStrokeAndFillPath,
    EmrStrokePath,
    EmrFlattenPath,
    EmrWidenPath,
    EmrSelectClipPath,
    EmrAbortPath,
    EmrFillRgn = 71,
    EmrPaintRgn = 74,
    EmrExtSelectClipRgn = 75,
    EmrBitBlt = 76,
    EmrPolyBezier16 = 85,
    EmrPolygon16,
    EmrPolyline16,
    EmrPolyBezierTo16,
    EmrPolylineTo16,
    EmrPolyPolyline16,
    EmrPolyPolygon16,
    EmrPolyDraw16,
    EmrCreateMonoBrush,
    EmrCreateDibPatternBrushPt,
    EmrExtCreatePen,
};

constexpr uint32_t kPatCopy = 0x00F00021;
constexpr uint32_t kBlackness = 0x00000042;
constexpr uint32_t kWhiteness = 0x00FF0062;

// What one drawing of a picture may cost at most. A real picture stays far
// below; a file made to stall the program (hundreds of thousands of points)
// is drawn only as far as its budget reaches.
struct WorkBudget {
    uint64_t records = kMetafileMaxRecords;
    uint64_t points = kMetafileMaxPoints;

    bool TakeRecord() { return records > 0 && (--records, true); }
    bool TakePoints(uint64_t n) {
        if (n > points) {
            points = 0;
            return false;
        }
        points -= n;
        return true;
    }
};

bool ReadPoints(const ByteReader& r, size_t off, uint64_t count, bool wide, std::vector<Pt>& out,
                WorkBudget& budget) {
    size_t item = wide ? 8 : 4;
    if (!r.Fits(off, count, item) || !budget.TakePoints(count)) return false;
    out.resize(static_cast<size_t>(count));
    for (size_t i = 0; i < out.size(); ++i) {
        size_t o = off + i * item;
        out[i] = wide ? Pt{double(r.I32(o)), double(r.I32(o + 4))}
                      : Pt{double(r.I16(o)), double(r.I16(o + 2))};
    }
    return true;
}

// Rectangles of a region's data (RGNDATA): a 32-byte header, then RECTLs.
bool ReadRegion(const ByteReader& r, std::vector<Rect>& out) {
    if (!r.Has(0, 32)) return false;
    uint32_t headerSize = r.U32(0), count = r.U32(8);
    if (headerSize < 32 || !r.Fits(headerSize, count, 16)) return false;
    out.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        size_t o = headerSize + size_t{i} * 16;
        out[i] = Rect{r.I32(o), r.I32(o + 4), r.I32(o + 8), r.I32(o + 12)};
    }
    return true;
}

meta::Brush BrushFrom(uint32_t style, uint32_t color, uint32_t hatch) {
    meta::Brush b;
    b.color = meta::FromColorRef(color);
    if (style == 1) b.kind = meta::Brush::Null;
    else if (style == 2) b.kind = meta::Brush::Hatched, b.hatch = static_cast<int>(hatch % 6);
    return b;
}

// A pattern brush becomes a mid grey: close enough for the textures of clip art.
meta::Brush PatternBrush() {
    meta::Brush b;
    b.color = 0x808080;
    return b;
}

cairo_matrix_t ReadXform(const ByteReader& r, size_t o) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, r.F32(o), r.F32(o + 4), r.F32(o + 8), r.F32(o + 12), r.F32(o + 16),
                      r.F32(o + 20));
    return m;
}

// Plays one record; false ends the picture (end of file or a malformed record).
bool PlayEmfRecord(uint32_t type, const ByteReader& r, GdiCanvas& c, WorkBudget& budget) {
    auto need = [&](size_t n) { return r.size >= n; };
    meta::DcState& dc = c.Dc();
    std::vector<Pt> pts;
    switch (type) {
        case EmrEof: return false;
        case EmrPolyBezier:
        case EmrPolygon:
        case EmrPolyline:
        case EmrPolyBezierTo:
        case EmrPolylineTo:
        case EmrPolyBezier16:
        case EmrPolygon16:
        case EmrPolyline16:
        case EmrPolyBezierTo16:
        case EmrPolylineTo16: {
            bool wide = type < EmrPolyBezier16;
            uint32_t kind = wide ? type : type - (EmrPolyBezier16 - EmrPolyBezier);
            if (!need(28) || !ReadPoints(r, 28, r.U32(24), wide, pts, budget)) return false;
            switch (kind) {
                case EmrPolyBezier: c.PolyBezier(pts); break;
                case EmrPolygon: c.Polygon(pts); break;
                case EmrPolyline: c.Polyline(pts); break;
                case EmrPolyBezierTo: c.PolyBezierTo(pts); break;
                default: c.PolylineTo(pts); break;
            }
            return true;
        }
        case EmrPolyPolyline:
        case EmrPolyPolygon:
        case EmrPolyPolyline16:
        case EmrPolyPolygon16: {
            bool wide = type < EmrPolyBezier16;
            if (!need(32)) return false;
            uint32_t polys = r.U32(24), total = r.U32(28);
            if (!r.Fits(32, polys, 4)) return false;
            std::vector<uint32_t> counts(polys);
            for (uint32_t i = 0; i < polys; ++i) counts[i] = r.U32(32 + size_t{i} * 4);
            if (!ReadPoints(r, 32 + size_t{polys} * 4, total, wide, pts, budget)) return false;
            if (type == EmrPolyPolygon || type == EmrPolyPolygon16) c.PolyPolygon(pts, counts);
            else c.PolyPolyline(pts, counts);
            return true;
        }
        case EmrPolyDraw:
        case EmrPolyDraw16: {
            bool wide = type == EmrPolyDraw;
            if (!need(28)) return false;
            uint32_t n = r.U32(24);
            if (!ReadPoints(r, 28, n, wide, pts, budget)) return false;
            size_t typesAt = 28 + size_t{n} * (wide ? 8 : 4);
            if (!r.Fits(typesAt, n, 1)) return false;
            std::vector<uint8_t> types(r.data + typesAt, r.data + typesAt + n);
            c.PolyDraw(pts, types);
            return true;
        }
        case EmrSetWindowExtEx:
            if (need(16)) c.SetWindowExt(r.I32(8), r.I32(12));
            return true;
        case EmrSetWindowOrgEx:
            if (need(16)) c.SetWindowOrg(r.I32(8), r.I32(12));
            return true;
        case EmrSetViewportExtEx:
            if (need(16)) c.SetViewportExt(r.I32(8), r.I32(12));
            return true;
        case EmrSetViewportOrgEx:
            if (need(16)) c.SetViewportOrg(r.I32(8), r.I32(12));
            return true;
        case EmrScaleViewportExtEx:
        case EmrScaleWindowExtEx: {
            if (!need(24)) return true;
            int32_t xn = r.I32(8), xd = r.I32(12), yn = r.I32(16), yd = r.I32(20);
            if (xd == 0 || yd == 0) return true;
            if (type == EmrScaleWindowExtEx)
                c.SetWindowExt(dc.winExt.x * xn / xd, dc.winExt.y * yn / yd);
            else c.SetViewportExt(dc.vpExt.x * xn / xd, dc.vpExt.y * yn / yd);
            return true;
        }
        case EmrSetMapMode:
            if (need(12)) c.SetMapMode(r.I32(8));
            return true;
        case EmrSetBkMode:
            if (need(12)) dc.bkOpaque = r.U32(8) == 2;
            return true;
        case EmrSetBkColor:
            if (need(12)) dc.bkColor = meta::FromColorRef(r.U32(8));
            return true;
        case EmrSetPolyFillMode:
            if (need(12)) dc.winding = r.U32(8) == 2;
            return true;
        case EmrSetArcDirection:
            if (need(12)) dc.clockwise = r.U32(8) == 2;
            return true;
        case EmrSetMiterLimit:
            if (need(12)) {
                // Written as an integer by some programs and as a float by others.
                uint32_t raw = r.U32(8);
                dc.miterLimit = raw < 1000 ? double(raw) : double(r.F32(8));
                if (!std::isfinite(dc.miterLimit)) dc.miterLimit = 10;
            }
            return true;
        case EmrMoveToEx:
            if (need(16)) c.MoveTo({double(r.I32(8)), double(r.I32(12))});
            return true;
        case EmrLineTo:
            if (need(16)) c.LineTo({double(r.I32(8)), double(r.I32(12))});
            return true;
        case EmrSaveDc: c.SaveDc(); return true;
        case EmrRestoreDc:
            if (need(12)) c.RestoreDc(r.I32(8));
            return true;
        case EmrSetWorldTransform:
            if (need(32)) c.SetWorldTransform(ReadXform(r, 8));
            return true;
        case EmrModifyWorldTransform:
            if (need(36)) c.ModifyWorldTransform(ReadXform(r, 8), r.U32(32));
            return true;
        case EmrSelectObject:
            if (need(12)) c.SelectObject(r.U32(8));
            return true;
        case EmrDeleteObject:
            if (need(12)) c.DeleteObject(r.U32(8));
            return true;
        case EmrCreatePen: {
            if (!need(28)) return false;
            GdiObject o{GdiObject::PenObj, {}, {}};
            o.pen.style = r.U32(12);
            o.pen.width = std::abs(double(r.I32(16)));
            o.pen.cosmetic = o.pen.width == 0;
            o.pen.color = meta::FromColorRef(r.U32(24));
            o.pen.null = (o.pen.style & 0x0F) == 5;
            c.PutObject(r.U32(8), o);
            return true;
        }
        case EmrExtCreatePen: {
            if (!need(52)) return false;
            GdiObject o{GdiObject::PenObj, {}, {}};
            o.pen.style = r.U32(28);
            o.pen.width = r.U32(32);
            o.pen.cosmetic = (o.pen.style & 0x00010000) == 0;
            o.pen.color = meta::FromColorRef(r.U32(40));
            o.pen.null = (o.pen.style & 0x0F) == 5 || r.U32(36) == 1;
            uint32_t entries = r.U32(48);
            if ((o.pen.style & 0x0F) == 7 && r.Fits(52, entries, 4) && entries <= 64) {
                for (uint32_t i = 0; i < entries; ++i)
                    o.pen.userDashes.push_back(r.U32(52 + i * 4));
            }
            c.PutObject(r.U32(8), o);
            return true;
        }
        case EmrCreateBrushIndirect: {
            if (!need(24)) return false;
            GdiObject o{GdiObject::BrushObj, {}, BrushFrom(r.U32(12), r.U32(16), r.U32(20))};
            c.PutObject(r.U32(8), o);
            return true;
        }
        case EmrCreateMonoBrush:
        case EmrCreateDibPatternBrushPt: {
            if (!need(12)) return false;
            c.PutObject(r.U32(8), GdiObject{GdiObject::BrushObj, {}, PatternBrush()});
            return true;
        }
        case EmrEllipse:
        case EmrRectangle: {
            if (!need(24)) return false;
            double l = r.I32(8), t = r.I32(12), rr = r.I32(16), b = r.I32(20);
            if (type == EmrEllipse) c.Ellipse(l, t, rr, b);
            else c.Rectangle(l, t, rr, b);
            return true;
        }
        case EmrRoundRect:
            if (!need(32)) return false;
            c.RoundRect(r.I32(8), r.I32(12), r.I32(16), r.I32(20), r.I32(24), r.I32(28));
            return true;
        case EmrArc:
        case EmrChord:
        case EmrPie:
        case EmrArcTo: {
            if (!need(40)) return false;
            GdiCanvas::ArcKind k = type == EmrArc     ? GdiCanvas::ArcKind::Arc
                                   : type == EmrChord ? GdiCanvas::ArcKind::Chord
                                   : type == EmrPie   ? GdiCanvas::ArcKind::Pie
                                                      : GdiCanvas::ArcKind::ArcTo;
            c.Arc(k, r.I32(8), r.I32(12), r.I32(16), r.I32(20),
                  {double(r.I32(24)), double(r.I32(28))}, {double(r.I32(32)), double(r.I32(36))});
            return true;
        }
        case EmrAngleArc:
            if (!need(28)) return false;
            c.AngleArc({double(r.I32(8)), double(r.I32(12))}, r.U32(16), r.F32(20), r.F32(24));
            return true;
        case EmrSetPixelV:
            if (need(20))
                c.SetPixel({double(r.I32(8)), double(r.I32(12))}, meta::FromColorRef(r.U32(16)));
            return true;
        case EmrBeginPath: c.BeginPath(); return true;
        case EmrEndPath: c.EndPath(); return true;
        case EmrCloseFigure: c.CloseFigure(); return true;
        case EmrFillPath: c.FillPath(); return true;
        case EmrStrokeAndFillPath: c.StrokeAndFillPath(); return true;
        case EmrStrokePath: c.StrokePath(); return true;
        case EmrAbortPath: c.AbortPath(); return true;
        case EmrSelectClipPath:
            if (need(12)) c.SelectClipPath(r.U32(8));
            return true;
        case EmrIntersectClipRect:
        case EmrExcludeClipRect: {
            if (!need(24)) return false;
            double l = r.I32(8), t = r.I32(12), rr = r.I32(16), b = r.I32(20);
            if (type == EmrIntersectClipRect) c.IntersectClipRect(l, t, rr, b);
            else c.ExcludeClipRect(l, t, rr, b);
            return true;
        }
        case EmrExtSelectClipRgn: {
            if (!need(16)) return false;
            uint32_t cb = r.U32(8), mode = r.U32(12);
            std::vector<Rect> rects;
            if (cb > 0 && (!r.Has(16, cb) || !ReadRegion(r.Sub(16, cb), rects))) return false;
            c.SelectClipRects(rects, mode);
            return true;
        }
        case EmrFillRgn:
        case EmrPaintRgn: {
            size_t dataAt = type == EmrFillRgn ? 32 : 28;
            if (!need(dataAt)) return false;
            uint32_t cb = r.U32(24);
            std::vector<Rect> rects;
            if (!r.Has(dataAt, cb) || !ReadRegion(r.Sub(dataAt, cb), rects)) return false;
            meta::Brush brush = dc.brush;
            if (type == EmrFillRgn) {
                meta::DcState saved = dc;
                c.SelectObject(r.U32(28));
                brush = dc.brush;
                dc.brush = saved.brush;
                dc.pen = saved.pen;
            }
            c.FillRects(rects, brush);
            return true;
        }
        case EmrBitBlt: {
            if (!need(100)) return false;
            if (r.U32(88) != 0) return true;  // copies of bitmaps are not drawn
            uint32_t rop = r.U32(40);
            double x = r.I32(24), y = r.I32(28), w = r.I32(32), h = r.I32(36);
            meta::DcState saved = dc;
            dc.pen.null = true;
            if (rop == kBlackness || rop == kWhiteness) {
                dc.brush = meta::Brush{meta::Brush::Solid, rop == kBlackness ? 0u : 0xFFFFFFu, 0};
            } else if (rop != kPatCopy) {
                return true;
            }
            c.Rectangle(x, y, x + w, y + h);
            dc.pen = saved.pen;
            dc.brush = saved.brush;
            return true;
        }
        default: return true;  // comments (EMF+ included), text, palettes: skipped
    }
}

// --- WMF records -----------------------------------------------------------------

enum WmfRecord : uint16_t {
    MetaEof = 0x0000,
    MetaSetBkColor = 0x0201,
    MetaSetBkMode = 0x0102,
    MetaSetPolyFillMode = 0x0106,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaOffsetWindowOrg = 0x020F,
    MetaScaleWindowExt = 0x0410,
    MetaLineTo = 0x0213,
    MetaMoveTo = 0x0214,
    MetaExcludeClipRect = 0x0415,
    MetaIntersectClipRect = 0x0416,
    MetaArc = 0x0817,
    MetaEllipse = 0x0418,
    MetaPie = 0x081A,
    MetaRectangle = 0x041B,
    MetaRoundRect = 0x061C,
    MetaPatBlt = 0x061D,
    MetaSaveDc = 0x001E,
    MetaSetPixel = 0x041F,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaRestoreDc = 0x0127,
    MetaSelectObject = 0x012D,
    MetaChord = 0x0830,
    MetaPolyPolygon = 0x0538,
    MetaDibCreatePatternBrush = 0x0142,
    MetaDeleteObject = 0x01F0,
    MetaCreatePalette = 0x00F7,
    MetaCreatePatternBrush = 0x01F9,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateFontIndirect = 0x02FB,
    MetaCreateBrushIndirect = 0x02FC,
    MetaCreateRegion = 0x06FF,
};

void AddWmfObject(GdiCanvas& c, const GdiObject& o) {
    int slot = c.FirstFreeSlot();
    if (slot >= 0) c.PutObject(static_cast<uint32_t>(slot), o);
}

bool PlayWmfRecord(uint16_t fn, const ByteReader& r, GdiCanvas& c, WorkBudget& budget) {
    auto w = [&](size_t i) { return double(r.I16(i * 2)); };  // i-th 16-bit parameter
    auto need = [&](size_t words) { return r.size >= words * 2; };
    meta::DcState& dc = c.Dc();
    std::vector<Pt> pts;
    switch (fn) {
        case MetaEof: return false;
        case MetaSetWindowOrg:
            if (need(2)) c.SetWindowOrg(w(1), w(0));
            return true;
        case MetaSetWindowExt:
            if (need(2)) c.SetWindowExt(w(1), w(0));
            return true;
        case MetaOffsetWindowOrg:
            if (need(2)) c.SetWindowOrg(dc.winOrg.x + w(1), dc.winOrg.y + w(0));
            return true;
        case MetaScaleWindowExt:
            if (need(4) && w(0) != 0 && w(2) != 0)
                c.SetWindowExt(dc.winExt.x * w(3) / w(2), dc.winExt.y * w(1) / w(0));
            return true;
        case MetaSetBkMode:
            if (need(1)) dc.bkOpaque = r.U16(0) == 2;
            return true;
        case MetaSetBkColor:
            if (need(2)) dc.bkColor = meta::FromColorRef(r.U32(0));
            return true;
        case MetaSetPolyFillMode:
            if (need(1)) dc.winding = r.U16(0) == 2;
            return true;
        case MetaMoveTo:
            if (need(2)) c.MoveTo({w(1), w(0)});
            return true;
        case MetaLineTo:
            if (need(2)) c.LineTo({w(1), w(0)});
            return true;
        case MetaRectangle:
        case MetaEllipse:
            if (!need(4)) return false;
            if (fn == MetaRectangle) c.Rectangle(w(3), w(2), w(1), w(0));
            else c.Ellipse(w(3), w(2), w(1), w(0));
            return true;
        case MetaRoundRect:
            if (!need(6)) return false;
            c.RoundRect(w(5), w(4), w(3), w(2), w(1), w(0));
            return true;
        case MetaArc:
        case MetaPie:
        case MetaChord: {
            if (!need(8)) return false;
            GdiCanvas::ArcKind k = fn == MetaArc   ? GdiCanvas::ArcKind::Arc
                                   : fn == MetaPie ? GdiCanvas::ArcKind::Pie
                                                   : GdiCanvas::ArcKind::Chord;
            c.Arc(k, w(7), w(6), w(5), w(4), {w(3), w(2)}, {w(1), w(0)});
            return true;
        }
        case MetaPolygon:
        case MetaPolyline: {
            if (!need(1)) return false;
            if (!ReadPoints(r, 2, r.U16(0), false, pts, budget)) return false;
            if (fn == MetaPolygon) c.Polygon(pts);
            else c.Polyline(pts);
            return true;
        }
        case MetaPolyPolygon: {
            if (!need(1)) return false;
            uint16_t polys = r.U16(0);
            if (!r.Fits(2, polys, 2)) return false;
            std::vector<uint32_t> counts(polys);
            uint64_t total = 0;
            for (uint16_t i = 0; i < polys; ++i) total += counts[i] = r.U16(2 + size_t{i} * 2);
            if (!ReadPoints(r, 2 + size_t{polys} * 2, total, false, pts, budget)) return false;
            c.PolyPolygon(pts, counts);
            return true;
        }
        case MetaCreatePenIndirect: {
            if (!need(5)) return false;
            GdiObject o{GdiObject::PenObj, {}, {}};
            o.pen.style = r.U16(0);
            o.pen.width = std::abs(w(1));
            o.pen.cosmetic = o.pen.width == 0;
            o.pen.color = meta::FromColorRef(r.U32(6));
            o.pen.null = (o.pen.style & 0x0F) == 5;
            AddWmfObject(c, o);
            return true;
        }
        case MetaCreateBrushIndirect:
            if (!need(4)) return false;
            AddWmfObject(
                c, GdiObject{GdiObject::BrushObj, {}, BrushFrom(r.U16(0), r.U32(2), r.U16(6))});
            return true;
        case MetaCreatePatternBrush:
        case MetaDibCreatePatternBrush:
            AddWmfObject(c, GdiObject{GdiObject::BrushObj, {}, PatternBrush()});
            return true;
        case MetaCreatePalette:
        case MetaCreateFontIndirect:
        case MetaCreateRegion: AddWmfObject(c, GdiObject{GdiObject::Other, {}, {}}); return true;
        case MetaSelectObject:
            if (need(1)) c.SelectObject(r.U16(0));
            return true;
        case MetaDeleteObject:
            if (need(1)) c.DeleteObject(r.U16(0));
            return true;
        case MetaSaveDc: c.SaveDc(); return true;
        case MetaRestoreDc:
            if (need(1)) c.RestoreDc(r.I16(0));
            return true;
        case MetaIntersectClipRect:
        case MetaExcludeClipRect:
            if (!need(4)) return false;
            if (fn == MetaIntersectClipRect) c.IntersectClipRect(w(3), w(2), w(1), w(0));
            else c.ExcludeClipRect(w(3), w(2), w(1), w(0));
            return true;
        case MetaSetPixel:
            if (need(4)) c.SetPixel({w(3), w(2)}, meta::FromColorRef(r.U32(0)));
            return true;
        case MetaPatBlt: {
            if (!need(6)) return false;
            uint32_t rop = r.U32(0);
            meta::DcState saved = dc;
            dc.pen.null = true;
            if (rop == kBlackness || rop == kWhiteness)
                dc.brush = meta::Brush{meta::Brush::Solid, rop == kBlackness ? 0u : 0xFFFFFFu, 0};
            else if (rop != kPatCopy) return true;
            c.Rectangle(w(5), w(4), w(5) + w(3), w(4) + w(2));
            dc.pen = saved.pen;
            dc.brush = saved.brush;
            return true;
        }
        default: return true;
    }
}

bool ValidWmfHeader(const ByteReader& r, size_t at) {
    if (!r.Has(at, kWmfHeaderSize)) return false;
    uint16_t type = r.U16(at), headerWords = r.U16(at + 2), version = r.U16(at + 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

}  // namespace

// --- Parsing -------------------------------------------------------------------

std::optional<Metafile> Metafile::Parse(std::vector<uint8_t> bytes) {
    ByteReader r{bytes.data(), bytes.size()};
    if (r.Has(0, kEmfHeaderMin) && r.U32(0) == EmrHeader && r.U32(40) == kEmfSignature)
        return ParseEmf(std::move(bytes));
    return ParseWmf(std::move(bytes));
}

std::optional<Metafile> Metafile::ParseEmf(std::vector<uint8_t> bytes) {
    ByteReader r{bytes.data(), bytes.size()};
    uint32_t headerSize = r.U32(4);
    if (headerSize < kEmfHeaderMin || headerSize % 4 != 0 || headerSize > r.size) return {};
    Metafile m;
    m.kind_ = Kind::Emf;
    m.recordsStart_ = headerSize;
    m.handleCount_ = r.U16(56);
    int32_t devW = r.I32(72), devH = r.I32(76), mmW = r.I32(80), mmH = r.I32(84);
    if (devW > 0 && devH > 0 && mmW > 0 && mmH > 0) {
        m.pixelsPerMmX_ = double(devW) / mmW;
        m.pixelsPerMmY_ = double(devH) / mmH;
    }
    if (headerSize >= 108) {
        int32_t umW = r.I32(100), umH = r.I32(104);
        if (devW > 0 && devH > 0 && umW > 0 && umH > 0) {
            m.pixelsPerMmX_ = devW * 1000.0 / umW;
            m.pixelsPerMmY_ = devH * 1000.0 / umH;
        }
    }
    double fl = r.I32(24), ft = r.I32(28), fr = r.I32(32), fb = r.I32(36);
    if (fr > fl && fb > ft) {
        // The frame is in hundredths of a millimetre.
        m.box_ = {fl / 100 * m.pixelsPerMmX_, ft / 100 * m.pixelsPerMmY_,
                  fr / 100 * m.pixelsPerMmX_, fb / 100 * m.pixelsPerMmY_};
        m.natural_ = {RoundToInt((fr - fl) * 96 / 2540), RoundToInt((fb - ft) * 96 / 2540)};
    } else {
        double bl = r.I32(8), bt = r.I32(12), br = r.I32(16), bb = r.I32(20);
        if (br < bl || bb < bt) return {};
        m.box_ = {bl, bt, br + 1, bb + 1};  // the bounds include their last pixel
        m.natural_ = {RoundToInt((br + 1 - bl) * 96 / (25.4 * m.pixelsPerMmX_)),
                      RoundToInt((bb + 1 - bt) * 96 / (25.4 * m.pixelsPerMmY_))};
    }
    m.bytes_ = std::move(bytes);
    return m;
}

std::optional<Metafile> Metafile::ParseWmf(std::vector<uint8_t> bytes) {
    ByteReader r{bytes.data(), bytes.size()};
    Metafile m;
    m.kind_ = Kind::Wmf;
    size_t headerAt = 0;
    if (r.Has(0, 4) && r.U32(0) == kPlaceableKey) {
        headerAt = kPlaceableSize;
        if (!ValidWmfHeader(r, headerAt)) return {};
        double l = r.I16(6), t = r.I16(8), rr = r.I16(10), b = r.I16(12);
        uint16_t inch = r.U16(14);
        if (l == rr || t == b || inch == 0) return {};
        m.box_ = {l, t, rr, b};
        m.hasWindow_ = true;
        m.natural_ = {RoundToInt(std::fabs(rr - l) * 96 / inch),
                      RoundToInt(std::fabs(b - t) * 96 / inch)};
    } else if (!ValidWmfHeader(r, 0)) {
        return {};
    }
    m.handleCount_ = r.U16(headerAt + 10);
    m.recordsStart_ = headerAt + kWmfHeaderSize;
    if (!m.hasWindow_) {
        // A plain WMF has no size of its own: its window says what it covers.
        double ox = 0, oy = 0;
        size_t off = m.recordsStart_;
        while (r.Has(off, 6)) {
            uint64_t len = uint64_t{r.U32(off)} * 2;
            uint16_t fn = r.U16(off + 4);
            if (len < 6 || len > r.size - off || fn == MetaEof) break;
            if (fn == MetaSetWindowOrg && len >= 10) {
                oy = r.I16(off + 6);
                ox = r.I16(off + 8);
            } else if (fn == MetaSetWindowExt && len >= 10) {
                double ey = r.I16(off + 6), ex = r.I16(off + 8);
                if (ex != 0 && ey != 0) {
                    m.box_ = {ox, oy, ox + ex, oy + ey};
                    m.hasWindow_ = true;
                    m.natural_ = {RoundToInt(std::fabs(ex)), RoundToInt(std::fabs(ey))};
                }
                break;
            }
            off += static_cast<size_t>(len);
        }
    }
    m.bytes_ = std::move(bytes);
    return m;
}

// --- Drawing ---------------------------------------------------------------------

void Metafile::Draw(Bitmap& target, const Rect& dest, bool antialias) const {
    if (target.Empty() || dest.Empty()) return;
    Rect clip = dest.Intersect(target.Bounds());
    if (clip.Empty()) return;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(target.Row(0)), CAIRO_FORMAT_RGB24, target.Width(),
        target.Height(), target.Pitch() * 4);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return;
    }
    cairo_t* cr = cairo_create(surface);
    ByteReader r{bytes_.data(), bytes_.size()};

    if (kind_ == Kind::Emf) {
        double bw = box_.right - box_.left, bh = box_.bottom - box_.top;
        if (bw > 0 && bh > 0) {
            double sx = dest.Width() / bw, sy = dest.Height() / bh;
            cairo_matrix_t toTarget;
            cairo_matrix_init(&toTarget, sx, 0, 0, sy, dest.left - box_.left * sx,
                              dest.top - box_.top * sy);
            GdiCanvas canvas(cr, toTarget, clip, {pixelsPerMmX_, pixelsPerMmY_}, antialias,
                             handleCount_);
            size_t off = recordsStart_;
            WorkBudget budget;
            while (r.Has(off, 8) && budget.TakeRecord()) {
                uint32_t type = r.U32(off), size = r.U32(off + 4);
                if (size < 8 || size % 4 != 0 || size > r.size - off) break;
                if (!PlayEmfRecord(type, r.Sub(off, size), canvas, budget)) break;
                off += size;
            }
        }
    } else {
        cairo_matrix_t identity;
        cairo_matrix_init_identity(&identity);
        GdiCanvas canvas(cr, identity, clip, {96 / 25.4, 96 / 25.4}, antialias, handleCount_);
        canvas.SetMapMode(meta::MmAnisotropic);
        if (hasWindow_) {
            canvas.SetWindowOrg(box_.left, box_.top);
            canvas.SetWindowExt(box_.right - box_.left, box_.bottom - box_.top);
        } else {
            canvas.SetWindowExt(dest.Width(), dest.Height());
        }
        canvas.SetViewportOrg(dest.left, dest.top);
        canvas.SetViewportExt(dest.Width(), dest.Height());
        size_t off = recordsStart_;
        WorkBudget budget;
        while (r.Has(off, 6) && budget.TakeRecord()) {
            uint64_t len = uint64_t{r.U32(off)} * 2;
            if (len < 6 || len > r.size - off) break;
            if (!PlayWmfRecord(r.U16(off + 4), r.Sub(off + 6, static_cast<size_t>(len) - 6), canvas,
                               budget))
                break;
            off += static_cast<size_t>(len);
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}

}  // namespace qs
