#include "screen/graph/Graph.h"

#include <algorithm>
#include <cmath>

#include "screen/GraphMapping.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/graph/GraphInternal.h"
#include "screen/surface/Raster.h"

namespace qs {

namespace graph_detail {

bool DrawsOnWindow(Dos& d) { return &ActiveBitmap(d) == &d.Canvas(); }

void Drawn(Dos& d) {
    if (DrawsOnWindow(d)) d.MarkDirty();
}

void Drawn(Dos& d, const Rect& area) {
    if (DrawsOnWindow(d)) d.MarkDirty(area.Inflated(2 * std::max(1, d.graph.PenWidth) + 2));
}

// The pixels a line between two points can touch.
Rect LineBox(int x1, int y1, int x2, int y2) {
    return Rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
}

Canvas GraphCanvas(Dos& d) {
    const GraphState& g = d.graph;
    Canvas c(ActiveBitmap(d));
    c.SetPen(Pen{g.LineStyle, g.PenWidth, g.PenColour});
    c.SetBrush(g.FillBrush);
    c.SetMode(g.WriteMode == 1 ? Rop::Xor : Rop::Copy);
    return c;
}

Rect MapRect(const Dos& d, int x1, int y1, int x2, int y2) {
    int l = std::min(x1, x2), t = std::min(y1, y2);
    int r = std::max(x1, x2), b = std::max(y1, y2);
    ToWindow(d.screen.Area, l, t);
    ToWindow(d.screen.Area, r, b);
    return Rect{l, t, r, b};
}

}  // namespace graph_detail

using namespace graph_detail;

namespace {

constexpr const char* kAvantGarde = "AvantGarde Bk BT";

int RoundedScale(int v, int num, int den) {
    return static_cast<int>(std::lround(static_cast<double>(v) * num / std::max(1, den)));
}

// The colour of ExtPalette[k], black outside the table.
Rgb ExtColour(const Dos& d, int k) {
    return k >= 0 && k < 256 ? d.screen.ExtPalette[static_cast<size_t>(k)] : 0;
}

std::string FaceOf(const std::string& installed) {
    return installed.substr(0, installed.find('='));
}

int TableSize(const GraphState& g, int size) {
    return g.SizeTable[static_cast<size_t>(std::clamp(size, 0, 12))];
}

void SelectFace(Dos& d, int font) {
    const auto& table = d.graph.FontTable;
    if (font < 0 || font >= static_cast<int>(table.size())) return;
    if (d.screen.WindowFont.face != table[static_cast<size_t>(font)])
        d.screen.WindowFont.face = table[static_cast<size_t>(font)];
}

void ApplyTextStyle(Dos& d, int font, int direction, int sizePt, bool bold) {
    d.graph.FontNo = font;
    d.graph.Direction = direction;
    d.screen.WindowFont.sizePt = std::max(1, sizePt);
    d.screen.WindowFont.bold = bold;
}

// Bar's rectangle in window pixels: bars over nearly the whole screen also
// cover the margins beside and above or below the drawing area.
Rect BarRect(Dos& d, int x1, int y1, int x2, int y2) {
    ++x2;
    ++y2;
    const int l = std::min(x1, x2), r = std::max(x1, x2);
    const int t = std::min(y1, y2), b = std::max(y1, y2);
    Rect px = MapRect(d, l, t, r, b);
    const Bitmap& target = ActiveBitmap(d);
    const int w = r - l, h = b - t;
    const bool wide = w > 600;
    const bool large = h > 400 || wide;
    if (t <= 1 && wide) px.top = 0;
    if (b >= kGraphHeight - 1 && wide) px.bottom = target.Height();
    if (l <= 1 && large) px.left = 0;
    if (r >= kGraphWidth - 1 && large) px.right = target.Width();
    return px;
}

void ThickLine(Dos& d, int x1, int y1, int x2, int y2) {
    const int width = std::max(1, RoundedScale(d.screen.Area.Width(), 1, 600));
    Canvas c = GraphCanvas(d);
    c.SetPen(Pen{PenStyle::Solid, width, d.graph.PenColour});
    c.Line(x1, y1, x2, y2);
    if (width > 1) c.Line(x1 - 1, y1 - 1, x2 - 1, y2 - 1);
    Drawn(d, LineBox(x1, y1, x2, y2).Inflated(width + 1));
}

}  // namespace

// ---- Tables -----------------------------------------------------------------

void BuildFontTable(Dos& d) {
    auto& table = d.graph.FontTable;
    const auto& installed = d.InstalledFonts;
    table = {"Arial", installed.empty() ? "Arial" : FaceOf(installed.front()), "Courier New"};
    if (installed.empty()) table.push_back("Arial");
    for (const std::string& f : installed) table.push_back(FaceOf(f));
    table.insert(table.begin() + std::min<ptrdiff_t>(4, static_cast<ptrdiff_t>(table.size())),
                 kAvantGarde);
}

void BuildSizeTable(Dos& d) {
    const int f = d.screen.TextFontSize;
    d.graph.SizeTable = {10,         f - 2,     f,          f + 6,     2 * f + 4,
                         2 * f + 10, 3 * f + 6, 3 * f + 12, 4 * f + 8, 6 * f + 8,
                         7 * f + 8,  8 * f + 8, 9 * f + 8};
}

// ---- Modes ------------------------------------------------------------------

void InitGraph(Dos& d, int mode) {
    ScreenState& s = d.screen;
    GraphState& g = d.graph;
    s.GraphMode = true;
    s.WindowFont = FontRequest{"Arial", 6, false, false, false};
    SetBkColor(d, 0);
    SetFillStyle(d, 1, mode);
    SetColor(d, 15);
    Window(d, 1, 1, 80, 30);
    g.TextTransparent = true;
    s.GraphTextOpaque = mode == 1;
    FillRect(d.Canvas(), d.Canvas().Bounds(), PaletteColour(d, mode));
    std::fill(s.Grid.begin(), s.Grid.end(), U' ');
    s.GraphTexts.clear();
    ++s.GraphTextsCleared;
    g.GlyphCells.clear();  // the glyph pictures may have changed since the last time
    g.ThickText = true;
    d.platform.ConfinePointer(nullptr);
    d.mouse.RegionBase = d.mouse.RegionCount;
    g.SpriteClip = s.Area;
    SetTextJustify(d, 0, 2);
    d.MarkDirty();
}

void InitGraph(Dos& d, int, int, const std::string&) { InitGraph(d, 0); }

// The strips of the window right of and below the 80 x 25 cells belong to
// no text window, so nothing of the character screen ever paints them; the
// pictures of the graphics screen must not stay there.
namespace {
void ClearOutsideCells(Dos& d) {
    const ScreenState& s = d.screen;
    Bitmap& c = d.Canvas();
    const int right = 80 * s.CellWidth;
    const int bottom = 25 * s.CellHeight;
    FillRect(c, Rect{right, 0, c.Width(), c.Height()}, 0);
    FillRect(c, Rect{0, bottom, c.Width(), c.Height()}, 0);
    d.MarkDirty();
}
}  // namespace

void CloseGraph(Dos& d) {
    ScreenState& s = d.screen;
    if (d.graph.stopFilm) d.graph.stopFilm();
    Delay(d, 100);
    SetWriteMode(d, 0);
    s.GraphMode = false;
    s.WindowFont = FontRequest{"Courier New", s.WindowFont.sizePt, true, false, false};
    Window(d, 1, 1, 80, 25);
    ClearOutsideCells(d);
    FitTextFontSize(d);
    BuildSizeTable(d);
    s.ClearPending = true;
    d.platform.ConfinePointer(nullptr);
    d.mouse.RegionBase = 0;
    d.graph.SpriteClip.reset();
    SetLineStyle(d, 0, 0, 1);
    TextColor(d, 15);
}

void ResetGraphScreen(Dos& d, int hJust, int vJust, int colour, int fillColour) {
    d.platform.ConfinePointer(nullptr);
    SetTextJustify(d, hJust, vJust);
    if (d.screen.GraphMode) SetTextStyle(d, 1, 0, 2);
    SetFillStyle(d, 1, fillColour);
    SetColor(d, colour);
    if (d.screen.GraphMode) Bar(d, 0, 0, kGraphWidth, kGraphHeight);
}

// ---- Colours and styles ----------------------------------------------------

void SetColor(Dos& d, int k) {
    const Rgb c = PaletteColour(d, k);
    d.graph.ColorIndex = k;
    d.graph.PenColour = c;
    d.screen.FontColour = c;
    d.screen.TextAttr = k;
    if (!d.screen.GraphMode) TextColor(d, k);
}

void SetColorAndFill(Dos& d, int k, bool alsoFill) {
    const Rgb c = PaletteColour(d, k);
    d.graph.ColorIndex = k;
    d.graph.PenColour = c;
    d.screen.FontColour = c;
    if (alsoFill) SetFillStyle(d, 1, k);
    d.screen.TextAttr = k;
    if (!d.screen.GraphMode) TextColor(d, k);
}

int GetColor(const Dos& d) { return d.graph.ColorIndex; }

void SetBkColor(Dos& d, int k) {
    ScreenState& s = d.screen;
    s.Palette[16] = k >= 0 && k <= 16 ? s.DefaultPalette[static_cast<size_t>(k)] : ExtColour(d, k);
    d.graph.BkColorIndex = k;
    if (k == 0) {
        FillRect(d.Canvas(), d.Canvas().Bounds(), s.Palette[16]);
        d.MarkDirty();
    }
}

void SetFillStyle(Dos& d, int pattern, int k) {
    GraphState& g = d.graph;
    g.FillPattern = pattern;
    g.FillIndex = k;
    Brush b{BrushStyle::Solid, PaletteColour(d, k)};
    if (pattern == 0) {
        b.color = d.screen.Palette[16];
    } else if (pattern == 3) {
        b.color = ExtColour(d, k);
    } else if (pattern == 100) {
        b.style = BrushStyle::Null;
    } else if (pattern >= 5 && pattern <= 20) {
        b.color = ExtColour(d, k);
        b.style = pattern <= 6    ? BrushStyle::ForwardDiagonal
                  : pattern <= 8  ? BrushStyle::Cross
                  : pattern <= 10 ? BrushStyle::BackwardDiagonal
                                  : BrushStyle::DiagonalCross;
    }
    g.FillBrush = b;
}

int GetFillColor(const Dos& d) { return d.graph.FillIndex; }

void GetFillSettings(const Dos& d, FillSettingsType& fs) {
    fs.pattern = 0;
    fs.color = d.graph.BkColorIndex;
}

void SetLineStyle(Dos& d, int style, int, int thickness) {
    GraphState& g = d.graph;
    g.LineStyle = style == 3 ? PenStyle::Dash : PenStyle::Solid;
    if (style == 3) thickness = 1;
    const int width =
        thickness < 2 ? thickness : RoundedScale(thickness, d.screen.Area.Width(), 600);
    g.PenWidth = std::max(1, width);
}

void SetWriteMode(Dos& d, int m) {
    if (m != 0 && m != 1) return;
    d.graph.WriteMode = m;
    d.screen.XorWrites = m == 1;
}

void SetTextJustify(Dos& d, int h, int v) {
    d.graph.HJust = h;
    d.graph.VJust = v;
}

void SetTextStyle(Dos& d, int font, int direction, int size) {
    SelectFace(d, font);
    const GraphState& g = d.graph;
    const int pt = size > 12 ? 2 * g.SizeTable[10] + 4 * size : TableSize(g, size) - (font == 3);
    ApplyTextStyle(d, font, direction, pt, pt < 10);
}

void SetTextStyleBold(Dos& d, int font, int direction, int size, bool bold) {
    SelectFace(d, font);
    const GraphState& g = d.graph;
    const int pt = size > 12 ? 2 * g.SizeTable[8] + 4 * size : TableSize(g, size) - (font == 3);
    ApplyTextStyle(d, font, direction, pt, bold);
}

void SetTextStyleReal(Dos& d, int font, int direction, double size) {
    SelectFace(d, font);
    const GraphState& g = d.graph;
    const int n = std::max(0, static_cast<int>(size));
    int pt;
    if (n >= 12) {
        pt = 2 * g.SizeTable[10] + 4 * n;
    } else {
        const double fraction = std::max(0.0, size - n);
        const int step = TableSize(g, n + 1) - TableSize(g, n);
        pt = TableSize(g, n) + static_cast<int>(std::lround(fraction * step));
    }
    if (font == 3) --pt;
    ApplyTextStyle(d, font, direction, pt, pt < 10);
}

void SetPalette(Dos& d, int index, int colour) {
    if (index < 0 || index > 16 || colour < 0 || colour > 16) return;
    d.screen.Palette[static_cast<size_t>(index)] =
        d.screen.DefaultPalette[static_cast<size_t>(colour)];
}

void GetPalette(const Dos& d, std::array<Rgb, 17>& table) { table = d.screen.Palette; }

// ---- Primitives ------------------------------------------------------------

void Bar(Dos& d, int x1, int y1, int x2, int y2) {
    const Rect r = BarRect(d, x1, y1, x2, y2);
    GraphCanvas(d).FillRect(r);
    const Bitmap& target = ActiveBitmap(d);
    if (DrawsOnWindow(d) && d.graph.FillBrush.style != BrushStyle::Null &&
        r.Intersect(target.Bounds()) == target.Bounds()) {
        d.screen.GraphTexts.clear();
        ++d.screen.GraphTextsCleared;
    }
    Drawn(d, r);
}

void Rectangle(Dos& d, int x1, int y1, int x2, int y2) {
    const Rect r =
        MapRect(d, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
    Canvas c = GraphCanvas(d);
    c.SetBrush(Brush{BrushStyle::Null, 0});
    c.Rectangle(r.left, r.top, r.right, r.bottom);
    Drawn(d, r);
}

void Line(Dos& d, int x1, int y1, int x2, int y2) {
    ToWindow(d.screen.Area, x1, y1);
    ToWindow(d.screen.Area, x2, y2);
    GraphCanvas(d).Line(x1, y1, x2, y2);
    Drawn(d, LineBox(x1, y1, x2, y2));
}

void LineThick(Dos& d, int x1, int y1, int x2, int y2, bool thick) {
    if (!thick) {
        Line(d, x1, y1, x2, y2);
        return;
    }
    ToWindow(d.screen.Area, x1, y1);
    ToWindow(d.screen.Area, x2, y2);
    ThickLine(d, x1, y1, x2, y2);
}

void HorizontalRule(Dos& d, int y, bool thick) {
    int x = 0;
    ToWindow(d.screen.Area, x, y);
    const int right = ActiveBitmap(d).Width();
    if (thick) {
        ThickLine(d, 0, y, right, y);
        return;
    }
    GraphCanvas(d).Line(0, y, right, y);
    Drawn(d, LineBox(0, y, right, y));
}

void FillEllipse(Dos& d, int x, int y, int xRadius, int yRadius) {
    const Rect r = MapRect(d, x - xRadius, y - yRadius, x + xRadius, y + yRadius);
    GraphCanvas(d).Ellipse(r.left, r.top, r.right, r.bottom);
    Drawn(d, r);
}

void Ellipse(Dos& d, int x, int y, int startAngle, int endAngle, int xRadius, int yRadius) {
    if (startAngle == endAngle) return;
    const Rect r = MapRect(d, x - xRadius, y - yRadius, x + xRadius, y + yRadius);
    GraphCanvas(d).Arc(r.left, r.top, r.right, r.bottom, startAngle, endAngle);
    Drawn(d, r);
}

void Arc(Dos& d, int x, int y, int startAngle, int endAngle, int radius) {
    Ellipse(d, x, y, startAngle, endAngle, radius, radius);
}

}  // namespace qs
