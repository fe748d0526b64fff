// Graphics text: OutTextXY and its variants, drawn character by character
// with the special glyphs, or as fat text.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "screen/GraphMapping.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/graph/GraphInternal.h"
#include "screen/surface/Raster.h"

namespace qs {

using namespace graph_detail;

namespace {

// The face whose texts carry " VA" markers that are not drawn; it has its
// own shapes for the characters the special glyphs stand for.
constexpr const char* kVaFace = "QX DOS VA";
// Graphics text uses only the first glyph pictures (the box and block
// characters); the others are the text screen's.
constexpr int kGraphGlyphs = 33;
// Fat text: the union of the text shifted by up to this many pixels.
constexpr int kFat = 2;

std::string WithoutVaMarks(std::string s) {
    for (size_t at = s.find(" VA"); at != std::string::npos; at = s.find(" VA", at)) s.erase(at, 3);
    return s;
}

// The top-left pixel of a text of width x height pixels written at graph
// point (x, y) under the current justification.
Point PlaceText(Dos& d, int x, int y, int width, int height) {
    const GraphState& g = d.graph;
    if (g.VJust == 2 && y == 3) y = 0;
    x = std::max(0, x);
    y = std::max(0, y);
    ToWindow(d.screen.Area, x, y);
    if (g.HJust == 1) x -= width / 2;
    if (g.HJust == 2) x -= width;
    if (g.VJust == 1) y -= height / 2;
    if (g.VJust == 0) y -= height;
    return Point{x, y};
}

Rect ToGraphRect(const Dos& d, const Rect& px) {
    Rect r = px;
    FromWindow(d.screen.Area, r.left, r.top);
    FromWindow(d.screen.Area, r.right, r.bottom);
    return r;
}

// The glyph picture index stretched into one text cell, made on first use.
const GraphGlyphCell* GlyphCellFor(Dos& d, int index, Size cell) {
    GraphState& g = d.graph;
    if (index < 0 || index >= static_cast<int>(d.GlyphPictures.size())) return nullptr;
    if (g.GlyphCellSize != cell) {
        g.GlyphCells.clear();
        g.GlyphCellSize = cell;
    }
    if (static_cast<int>(g.GlyphCells.size()) <= index)
        g.GlyphCells.resize(static_cast<size_t>(index) + 1);
    GraphGlyphCell& c = g.GlyphCells[static_cast<size_t>(index)];
    if (!c.ready) {
        c.mask.Allocate(cell.w, cell.h, 0);
        d.GlyphPictures[static_cast<size_t>(index)].picture.Draw(c.mask, c.mask.Bounds());
        c.inverse = c.mask;
        FillRect(c.inverse, c.inverse.Bounds(), 0, Rop::Invert);
        c.ready = true;
    }
    return &c;
}

// The advance of a font character: its width in graph units, mapped back to
// pixels, as TextWidth640 measures it.
int CharAdvance(Dos& d, Font& font, uint8_t drawn) {
    const int areaW = std::max(1, d.screen.Area.Width());
    int w = (font.CharWidth(drawn) * kGraphWidth * 2 + areaW) / (2 * areaW);
    int h = 0;
    ScaleSize(d.screen.Area, w, h);
    return w;
}

// Draws text (code page 437) character by character from (x, y); returns the
// x after the last character.
int DrawRun(Dos& d, Bitmap& target, Font& font, int x, int y, const std::string& text) {
    const ScreenState& s = d.screen;
    const GraphState& g = d.graph;
    const std::string shown = OemToDisplayCopy(text, s.NoConversion);
    const Size cell{font.CharWidth('A'), font.Height()};
    const bool glyphs = s.WindowFont.face != kVaFace;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto orig = static_cast<uint8_t>(text[i]);
        const auto drawn = static_cast<uint8_t>(shown[i]);
        const int index = glyphs && drawn == orig ? FindGlyph(d, orig) : -1;
        const GraphGlyphCell* glyph =
            index >= 0 && index < kGraphGlyphs ? GlyphCellFor(d, index, cell) : nullptr;
        if (glyph) {
            CombineGlyph(target, glyph->mask, glyph->inverse, Rect{x, y, x + cell.w, y + cell.h},
                         s.FontColour, g.WriteMode == 1);
            x += cell.w;
            continue;
        }
        const int advance = CharAdvance(d, font, drawn);
        if (!g.TextTransparent)
            FillRect(target, Rect{x, y, x + advance, y + cell.h}, g.FillBrush.color);
        font.DrawChar(target, x, y, Cp1252ToUnicode(drawn), s.FontColour);
        x += advance;
    }
    return x;
}

uint8_t Max5(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint8_t e) {
    return std::max(std::max(std::max(a, b), std::max(c, d)), e);
}

// One pass of the growth along a line of n values, step apart: out[i] is the
// largest of in[i - kFat .. i + kFat] that lie on the line.
void GrowLine(const uint8_t* __restrict in, uint8_t* __restrict out, int n, int step) {
    static_assert(kFat == 2, "the inner loop takes five values");
    auto edge = [&](int i) {
        uint8_t m = 0;
        for (int j = std::max(0, i - kFat); j <= std::min(n - 1, i + kFat); ++j)
            m = std::max(m, in[j * step]);
        out[i * step] = m;
    };
    for (int i = 0; i < std::min(n, kFat); ++i) edge(i);
    for (int i = kFat; i < n - kFat; ++i)
        out[i * step] = Max5(in[(i - 2) * step], in[(i - 1) * step], in[i * step],
                             in[(i + 1) * step], in[(i + 2) * step]);
    for (int i = std::max(kFat, n - kFat); i < n; ++i) edge(i);
}

// Grows coverage by kFat pixels sideways and by up pixels up and down (a
// rectangular maximum): rows first, then columns, the columns walked row by
// row so that the inner loop runs along memory.
void Dilate(std::vector<uint8_t>& cover, int w, int h, int up) {
    std::vector<uint8_t> rows(cover.size());
    for (int y = 0; y < h; ++y)
        GrowLine(&cover[static_cast<size_t>(y) * w], &rows[static_cast<size_t>(y) * w], w, 1);
    for (int y = 0; y < h; ++y) {
        uint8_t* __restrict out = &cover[static_cast<size_t>(y) * w];
        const int from = std::max(0, y - up), to = std::min(h - 1, y + up);
        if (up == kFat && to - from == 2 * kFat) {
            const uint8_t* r0 = &rows[static_cast<size_t>(from) * w];
            const uint8_t* r1 = r0 + w;
            const uint8_t* r2 = r1 + w;
            const uint8_t* r3 = r2 + w;
            const uint8_t* r4 = r3 + w;
            for (int x = 0; x < w; ++x) out[x] = Max5(r0[x], r1[x], r2[x], r3[x], r4[x]);
            continue;
        }
        std::fill_n(out, w, 0);
        for (int yy = from; yy <= to; ++yy) {
            const uint8_t* __restrict row = &rows[static_cast<size_t>(yy) * w];
            for (int x = 0; x < w; ++x) out[x] = std::max(out[x], row[x]);
        }
    }
}

uint32_t BlendOver(uint32_t colour, uint32_t under, uint32_t a) {
    auto ch = [&](int shift) {
        const uint32_t v = ((colour >> shift) & 255) * a + ((under >> shift) & 255) * (255 - a);
        return ((v + 127) / 255) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

// Fat text: the text's coverage is rendered once, grown by kFat pixels and
// blended in the text colour, which is the union of the text drawn at every
// offset -kFat..kFat in x and y.
// The longest run of blank rows inside the glyph of "i" (between its dot
// and its stem); 0 when it has none.
int DotGap(Font& font) {
    const GlyphImage& g = font.Glyph(U'i');
    int longest = 0, run = 0;
    bool inked = false;
    for (int row = 0; row < g.height; ++row) {
        const uint8_t* line = &g.coverage[static_cast<size_t>(row) * g.width];
        const bool blank = std::all_of(line, line + g.width, [](uint8_t c) { return c < 64; });
        if (!blank) {
            if (inked) longest = std::max(longest, run);
            inked = true;
            run = 0;
        } else if (inked) {
            ++run;
        }
    }
    return longest;
}

// How far fat text grows up and down: kFat, unless that would close the gap
// between the dot of an "i" (or of an umlaut) and its letter; at least one
// blank row stays, so children see "Richtig", not "RIchtIg".
int FatRise(Font& font) {
    const int gap = DotGap(font);
    return gap == 0 ? kFat : std::clamp((gap - 1) / 2, 0, kFat);
}

void DrawFat(Bitmap& target, Font& font, int x, int y, const std::string& shown, Rgb colour) {
    const int margin = kFat + font.Height() / 2;  // room for glyphs that overhang
    const int w = font.TextWidth(shown) + 2 * margin;
    const int h = font.Height() + 2 * kFat;
    std::vector<uint8_t> cover(static_cast<size_t>(w) * h, 0);
    int pen = margin;
    for (char c : shown) {
        const GlyphImage& gl = font.Glyph(Cp1252ToUnicode(static_cast<uint8_t>(c)));
        const int gx = pen + gl.left, gy = kFat + font.Ascent() - gl.top;
        for (int row = std::max(0, -gy); row < gl.height && gy + row < h; ++row)
            for (int col = std::max(0, -gx); col < gl.width && gx + col < w; ++col) {
                uint8_t& dst = cover[static_cast<size_t>(gy + row) * w + gx + col];
                dst = std::max(dst, gl.coverage[static_cast<size_t>(row) * gl.width + col]);
            }
        pen += gl.advance;
    }
    Dilate(cover, w, h, FatRise(font));
    const int left = x - margin, top = y - kFat;
    const Rect vis = Rect{left, top, left + w, top + h}.Intersect(target.Bounds());
    for (int py = vis.top; py < vis.bottom; ++py) {
        uint32_t* row = target.Row(py);
        const uint8_t* a = &cover[static_cast<size_t>(py - top) * w];
        for (int px = vis.left; px < vis.right; ++px) {
            const uint8_t cov = a[px - left];
            if (cov == 255) row[px] = colour & 0xFFFFFFu;
            else if (cov != 0) row[px] = BlendOver(colour, row[px], cov);
        }
    }
}

// The pixels DrawRun changes for text drawn from (x, y): each character's
// inked glyph, the cell of a special glyph, and the character's background
// when text is opaque.
Rect RunInk(Dos& d, Font& font, int x, int y, const std::string& text) {
    const ScreenState& s = d.screen;
    const std::string shown = OemToDisplayCopy(text, s.NoConversion);
    const Size cell{font.CharWidth('A'), font.Height()};
    const bool glyphs = s.WindowFont.face != kVaFace;
    Rect ink;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto orig = static_cast<uint8_t>(text[i]);
        const auto drawn = static_cast<uint8_t>(shown[i]);
        const int index = glyphs && drawn == orig ? FindGlyph(d, orig) : -1;
        if (index >= 0 && index < kGraphGlyphs &&
            index < static_cast<int>(d.GlyphPictures.size())) {
            ink = ink.Union(Rect{x, y, x + cell.w, y + cell.h});
            x += cell.w;
            continue;
        }
        const int advance = CharAdvance(d, font, drawn);
        if (!d.graph.TextTransparent) ink = ink.Union(Rect{x, y, x + advance, y + cell.h});
        const GlyphImage& g = font.Glyph(Cp1252ToUnicode(drawn));
        const int gx = x + g.left, gy = y + font.Ascent() - g.top;
        ink = ink.Union(Rect{gx, gy, gx + g.width, gy + g.height});
        x += advance;
    }
    return ink;
}

// The pixels DrawFat changes: the glyphs at their advances, grown as the
// fat text grows them.
Rect FatInk(Font& font, int x, int y, const std::string& shown) {
    Rect ink;
    int pen = x;
    for (char c : shown) {
        const GlyphImage& g = font.Glyph(Cp1252ToUnicode(static_cast<uint8_t>(c)));
        const int gx = pen + g.left, gy = y + font.Ascent() - g.top;
        ink = ink.Union(Rect{gx, gy, gx + g.width, gy + g.height});
        pen += g.advance;
    }
    if (ink.Empty()) return ink;
    const int rise = FatRise(font);
    return Rect{ink.left - kFat, ink.top - rise, ink.right + kFat, ink.bottom + rise};
}

// Window pixels to graph points, rounded outwards: the graph rectangle
// maps back onto at least every pixel of px.
Rect ToGraphRectOutward(const Dos& d, const Rect& px) {
    const Rect& a = d.screen.Area;
    if (px.Empty() || a.Width() <= 0 || a.Height() <= 0) return Rect{};
    auto down = [](int v, int from, int span, int range) {
        return static_cast<int>(std::floor(static_cast<double>(v - from) * range / span));
    };
    auto up = [](int v, int from, int span, int range) {
        return static_cast<int>(std::ceil(static_cast<double>(v - from) * range / span));
    };
    return Rect{down(px.left, a.left, a.Width(), kGraphWidth),
                down(px.top, a.top, a.Height(), kGraphHeight),
                up(px.right, a.left, a.Width(), kGraphWidth),
                up(px.bottom, a.top, a.Height(), kGraphHeight)};
}

// OutTextXY; returns the drawn text's rectangle in pixels.
Rect DrawText(Dos& d, int x, int y, std::string_view s, bool thick) {
    if (s.empty()) return Rect{};
    ScreenState& scr = d.screen;
    scr.GraphTexts.push_back(GraphText{x, y, d.graph.ColorIndex, std::string(s)});
    std::string text(s);
    if (scr.WindowFont.face == kVaFace) text = WithoutVaMarks(text);
    Font& font = d.fonts.Get(scr.WindowFont);
    const std::string shown = OemToDisplayCopy(text, scr.NoConversion);
    const int width = font.TextWidth(shown);
    const int height = font.Height();
    const Point at = PlaceText(d, x, y, width, height);
    Bitmap& target = ActiveBitmap(d);
    int right = at.x + width;
    if (thick && scr.GraphMode && d.graph.ThickText)
        DrawFat(target, font, at.x, at.y, shown, scr.FontColour);
    else right = DrawRun(d, target, font, at.x, at.y, text);
    const Rect drawn{at.x, at.y, std::max(right, at.x + width), at.y + height};
    // Glyphs may reach past their advance and the line: a font height
    // around the text holds them.
    if (!d.exclusive) Drawn(d, drawn.Inflated(height));
    return Rect{at.x, at.y, right, at.y + height};
}

// One piece of a highlighted line at pixel (x, y), listed with the texts
// drawn; returns its rectangle in pixels.
Rect DrawPiece(Dos& d, Font& font, int x, int y, std::string_view piece) {
    if (piece.empty()) return Rect{x, y, x, y + font.Height()};
    int gx = x, gy = y;
    FromWindow(d.screen.Area, gx, gy);
    d.screen.GraphTexts.push_back(GraphText{gx, gy, d.graph.ColorIndex, std::string(piece)});
    std::string text(piece);
    if (d.screen.WindowFont.face == kVaFace) text = WithoutVaMarks(text);
    const int right = DrawRun(d, ActiveBitmap(d), font, x, y, text);
    return Rect{x, y, right, y + font.Height()};
}

}  // namespace

void OutTextXY(Dos& d, int x, int y, std::string_view s, bool thick) {
    DrawText(d, x, y, s, thick);
}

Rect TextInkRect(Dos& d, int x, int y, std::string_view s, bool thick) {
    if (s.empty()) return Rect{};
    const ScreenState& scr = d.screen;
    std::string text(s);
    if (scr.WindowFont.face == kVaFace) text = WithoutVaMarks(text);
    Font& font = d.fonts.Get(scr.WindowFont);
    const std::string shown = OemToDisplayCopy(text, scr.NoConversion);
    const Point at = PlaceText(d, x, y, font.TextWidth(shown), font.Height());
    const bool fat = thick && scr.GraphMode && d.graph.ThickText;
    const Rect px = fat ? FatInk(font, at.x, at.y, shown) : RunInk(d, font, at.x, at.y, text);
    return ToGraphRectOutward(d, px);
}

void OutTextXYRect(Dos& d, int x, int y, std::string_view s, Rect& rect) {
    rect = ToGraphRect(d, DrawText(d, x, y, s, false));
}

void OutTextXYHighlight(Dos& d, int x, int y, std::string_view lead, Rect& rect, int colour,
                        std::string_view tail, std::string_view highlight) {
    ScreenState& s = d.screen;
    GraphState& g = d.graph;
    Font& font = d.fonts.Get(s.WindowFont);
    const std::string line = std::string(lead) + std::string(highlight) + std::string(tail) + " ";
    const int width = font.TextWidth(OemToDisplayCopy(line, s.NoConversion));
    const int height = font.Height();
    const Point at = PlaceText(d, x, y, width, height);
    GraphCanvas(d).FillRect(Rect{at.x, at.y, at.x + width, at.y + height});

    const Rect leadRect = DrawPiece(d, font, at.x, at.y, lead);
    const Rgb previous = s.FontColour;
    const int previousIndex = g.ColorIndex;
    s.FontColour = PaletteColour(d, colour);
    g.ColorIndex = colour;
    const Rect highRect = DrawPiece(d, font, leadRect.right, at.y, highlight);
    s.FontColour = previous;
    g.ColorIndex = previousIndex;
    const Rect tailRect = DrawPiece(d, font, highRect.right, at.y, tail);
    rect = ToGraphRect(d, tailRect);
    const Rect drawn{at.x, at.y, std::max(tailRect.right, at.x + width), at.y + height};
    if (!d.exclusive) Drawn(d, drawn.Inflated(height));
}

}  // namespace qs
