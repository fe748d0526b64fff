#include "screen/TextScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "base/CodePage.h"
#include "screen/GraphMapping.h"
#include "screen/graph/Graph.h"
#include "screen/surface/Raster.h"
#include "screen/text/TextCells.h"

namespace qs {

namespace {

constexpr int kColumns = 80;
constexpr int kTextRows = 25;
constexpr int kGraphRows = 30;

int RoundedDiv(int num, int den) {
    return static_cast<int>(std::lround(static_cast<double>(num) / den));
}

// The size of one of count cells across span pixels: the nearest whole
// size of (span - margin) / count, but never so large that the last cell
// passes the edge (80 cells of 13 pixels would cut "Ende" off a window
// 1000 pixels wide).
int CellSpan(int span, int count, int margin = 0) {
    return std::max(1, std::min(RoundedDiv(span - margin, count), span / count));
}

constexpr std::array<Rgb, 17> kPalette = {
    MakeRgb(0, 0, 0),     MakeRgb(0, 0, 128),   MakeRgb(128, 0, 0),    MakeRgb(0, 192, 160),
    MakeRgb(255, 0, 0),   MakeRgb(128, 0, 240), MakeRgb(255, 255, 0),  MakeRgb(160, 160, 160),
    MakeRgb(64, 64, 64),  MakeRgb(0, 0, 255),   MakeRgb(0, 224, 0),    MakeRgb(0, 255, 255),
    MakeRgb(255, 160, 0), MakeRgb(255, 0, 128), MakeRgb(255, 255, 64), MakeRgb(255, 255, 255),
    MakeRgb(0, 0, 0),
};

void SetPalettes(ScreenState& s) {
    s.Palette = kPalette;
    s.DefaultPalette = kPalette;
    s.ExtPalette.fill(0);
    std::copy(kPalette.begin(), kPalette.end(), s.ExtPalette.begin());
    s.ExtPalette[18] = MakeRgb(0, 32, 64);
    s.ExtPalette[19] = MakeRgb(128, 64, 255);
    s.ExtPalette[20] = MakeRgb(48, 48, 96);
    s.ExtPalette[21] = MakeRgb(48, 96, 144);
    s.ExtPalette[22] = MakeRgb(144, 144, 128);
    s.ExtPalette[64] = MakeRgb(128, 64, 0);
}

// Top-left pixel of the cell grid: the window in text mode, the drawing
// area in graphics mode.
Point GridOrigin(const ScreenState& s) {
    return s.GraphMode ? Point{s.Area.left, s.Area.top} : Point{0, 0};
}

char32_t* GridCell(ScreenState& s, int px, int py) {
    const Point o = GridOrigin(s);
    if (s.CellWidth <= 0 || s.CellHeight <= 0 || px < o.x || py < o.y) return nullptr;
    const int col = (px - o.x) / s.CellWidth;
    const int row = (py - o.y) / s.CellHeight;
    if (col >= kColumns || row >= s.GridRows) return nullptr;
    return &s.Grid[static_cast<size_t>(row) * kColumns + col];
}

// GridCell for positions that mostly step one cell right at a time, as
// writes and row loops do: such a step needs no division.
class GridCursor {
public:
    char32_t* At(ScreenState& s, int px, int py) {
        const bool nextInRow = cell_ && py == y_ && px == x_ + s.CellWidth &&
                               (cell_ - s.Grid.data()) % kColumns + 1 < kColumns;
        cell_ = nextInRow ? cell_ + 1 : GridCell(s, px, py);
        x_ = px;
        y_ = py;
        return cell_;
    }

private:
    int x_ = 0;
    int y_ = 0;
    char32_t* cell_ = nullptr;
};

// Blanks the grid cells inside the pixel rectangle r.
void ClearGrid(ScreenState& s, const Rect& r) {
    GridCursor grid;
    for (int y = r.top; y < r.bottom; y += s.CellHeight)
        for (int x = r.left; x < r.right; x += s.CellWidth)
            if (char32_t* c = grid.At(s, x, y)) *c = U' ';
}

Font& WriteFont(Dos& d) {
    FontRequest req = d.screen.WindowFont;
    if (d.screen.GraphMode) req.sizePt = d.screen.TextFontSize;
    return d.fonts.Get(req);
}

// The held-cell grid of the character screen, fitted to the current cells;
// null where the text screen draws at once (graphics mode, holding off).
TextCells* HeldCells(Dos& d) {
    const ScreenState& s = d.screen;
    TextCells& cells = d.cells;
    if (s.GraphMode || !cells.enabled) {
        if (cells.AnyHeld()) cells.Draw(d.CanvasAsIs());
        return nullptr;
    }
    if (!cells.Fits(s.CellWidth, s.CellHeight))
        cells.Fit(d.CanvasAsIs(), s.CellWidth, s.CellHeight, kColumns, kTextRows);
    return &cells;
}

// The window's pixels with the held cells under r drawn, for drawing there
// at once.
Bitmap& CanvasFor(Dos& d, const Rect& r) {
    Bitmap& canvas = d.CanvasAsIs();
    d.cells.DrawTouching(canvas, r);
    return canvas;
}

Rect CellAt(const ScreenState& s, int x, int y) {
    return Rect{x, y, x + s.CellWidth, y + s.CellHeight};
}

// The colour of a held cell that shows nothing but its background.
std::optional<Rgb> HeldPaper(const TextCells& cells, const Rect& at) {
    const int picture = cells.Held(at.left, at.top);
    if (picture == TextCells::kNone) return std::nullopt;
    const TextCells::Key& key = cells.KeyOf(picture);
    if (key.content != TextCells::Content::Blank) return std::nullopt;
    return key.paper;
}

// The cached picture for key, made by draw onto a cell of plain paper when
// there is none yet.
template <class DrawFn>
int CellPicture(Dos& d, TextCells& cells, const TextCells::Key& key, DrawFn draw) {
    if (const int found = cells.Find(key); found != TextCells::kNone) return found;
    Bitmap picture(cells.CellWidth(), cells.CellHeight(), key.paper);
    draw(picture);
    return cells.Add(d.CanvasAsIs(), key, std::move(picture));
}

int BlankPicture(Dos& d, TextCells& cells, Rgb paper) {
    TextCells::Key key;
    key.paper = paper;
    return CellPicture(d, cells, key, [](Bitmap&) {});
}

// The text cursor: a horizontal XOR line near the bottom of its cell.
void XorCursor(Dos& d, Rgb colour) {
    ScreenState& s = d.screen;
    const int y = s.CursorY + s.CellHeight - 2;
    const Rect line{s.CursorX, y, s.CursorX + s.CellWidth, y + 1};
    FillRect(CanvasFor(d, line), line, colour, Rop::Xor);
    d.MarkDirty(line);
}

void HideCursorLine(Dos& d) {
    if (d.screen.CursorShown) XorCursor(d, d.screen.CursorColour);
}

void ShowCursorLine(Dos& d) {
    if (!d.screen.CursorShown) return;
    d.screen.CursorColour = d.screen.FontColour;
    XorCursor(d, d.screen.CursorColour);
}

// Whole cells become held blanks; anything else is filled at once.
void FillBackground(Dos& d, const Rect& r) {
    const Rgb paper = d.screen.BackColour;
    d.MarkDirty(r);
    if (TextCells* cells = HeldCells(d)) {
        if (const std::optional<Rect> block = cells->CellsOf(r)) {
            const int blank = BlankPicture(d, *cells, paper);
            for (int row = block->top; row < block->bottom; ++row)
                for (int column = block->left; column < block->right; ++column)
                    cells->Hold(column, row, blank);
            return;
        }
    }
    FillRect(CanvasFor(d, r), r, paper);
}

// Moves the window's held cells up one row by their records; a cell whose
// pixels are drawn moves by its pixels.
void ScrollHeldCells(Dos& d, TextCells& cells, const Rect& block) {
    Bitmap& canvas = d.CanvasAsIs();
    for (int row = block.top; row + 1 < block.bottom; ++row)
        for (int column = block.left; column < block.right; ++column) {
            const int below = cells.Held(column, row + 1);
            if (below != TextCells::kNone) {
                cells.Hold(column, row, below);
            } else {
                cells.Release(column, row);
                const Rect from = cells.PixelsOf(column, row + 1);
                Blit(canvas, from.left, from.top - cells.CellHeight(), canvas, from);
            }
        }
}

void ScrollPixels(Dos& d) {
    const ScreenState& s = d.screen;
    Bitmap& c = d.Canvas();
    const int right = s.WinRight + s.CellWidth;
    int height = s.WinBottom - s.WinTop;
    height = std::min(height, c.Height() - (s.WinTop + s.CellHeight));
    if (height > 0)
        Blit(c, s.WinLeft, s.WinTop, c,
             Rect{s.WinLeft, s.WinTop + s.CellHeight, right, s.WinTop + s.CellHeight + height});
}

void Scroll(Dos& d) {
    ScreenState& s = d.screen;
    const int right = s.WinRight + s.CellWidth;
    const Rect window{s.WinLeft, s.WinTop, right, s.WinBottom + s.CellHeight};
    TextCells* cells = HeldCells(d);
    const std::optional<Rect> block = cells ? cells->CellsOf(window) : std::nullopt;
    if (block) ScrollHeldCells(d, *cells, *block);
    else ScrollPixels(d);
    d.MarkDirty(window);
    const int height =
        std::min(s.WinBottom - s.WinTop, d.CanvasAsIs().Height() - (s.WinTop + s.CellHeight));
    GridCursor toGrid, fromGrid;
    for (int y = s.WinTop; y < s.WinTop + height; y += s.CellHeight)
        for (int x = s.WinLeft; x < right; x += s.CellWidth) {
            char32_t* to = toGrid.At(s, x, y);
            char32_t* from = fromGrid.At(s, x, y + s.CellHeight);
            if (to && from) *to = *from;
        }
    const Rect last{s.WinLeft, s.WinBottom, right, s.WinBottom + s.CellHeight};
    FillBackground(d, last);
    ClearGrid(s, last);
    s.CursorY = s.WinBottom;
}

std::string FormatReal(Dos& d, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string out = buf;
    std::replace(out.begin(), out.end(), '.', d.platform.DecimalSeparator());
    return out;
}

std::string ValueText(Dos& d, const DosValue& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* i = std::get_if<long long>(&v)) return std::to_string(*i);
    if (const auto* r = std::get_if<double>(&v)) return FormatReal(d, *r);
    return std::string(1, std::get<char>(v));
}

struct RunEnd {
    Point cursor;
    Point drawingPoint;
};

// Moves the cursor one cell on, wrapping to the window's left edge.
void AdvanceCursor(ScreenState& s) {
    s.CursorX += s.CellWidth;
    if (s.CursorX > s.WinRight) {
        s.CursorX = s.WinLeft;
        s.CursorY += s.CellHeight;
    }
}

// Draws a font character with its cell corner at pen, and returns its
// advance. A character whose ink stays inside the held blank cell at pen is
// held as that cell's picture instead.
int DrawCharacter(Dos& d, TextCells* cells, Font& font, Point pen, char32_t cp) {
    const ScreenState& s = d.screen;
    const Rect ink = font.InkBounds(cp);
    const Rect at{pen.x + ink.left, pen.y + ink.top, pen.x + ink.right, pen.y + ink.bottom};
    const Rect cell = CellAt(s, pen.x, pen.y);
    const std::optional<Rect> block = cells ? cells->CellsOf(cell) : std::nullopt;
    if (block && (ink.Empty() || cell.Intersect(at) == at)) {
        if (const std::optional<Rgb> paper = HeldPaper(*cells, *block)) {
            TextCells::Key key{TextCells::Content::Character, font.Serial(), cp, s.FontColour,
                               *paper};
            const int picture = CellPicture(
                d, *cells, key, [&](Bitmap& p) { font.DrawChar(p, 0, 0, cp, s.FontColour); });
            cells->Hold(block->left, block->top, picture);
            d.MarkDirty(cell);
            return font.Glyph(cp).advance;
        }
    }
    d.MarkDirty(at);
    return font.DrawChar(CanvasFor(d, at), pen.x, pen.y, cp, s.FontColour);
}

// Draws special glyph number glyph in the cursor's cell. The same glyph as
// in the cell before is copied from there.
void DrawGlyphCell(Dos& d, TextCells* cells, int glyph, bool sameAsBefore, Point before) {
    const ScreenState& s = d.screen;
    const Rect cell = CellAt(s, s.CursorX, s.CursorY);
    const Rect previous = CellAt(s, before.x, before.y);
    d.MarkDirty(cell);
    if (const std::optional<Rect> block = cells ? cells->CellsOf(cell) : std::nullopt) {
        const std::optional<Rect> from = sameAsBefore ? cells->CellsOf(previous) : std::nullopt;
        if (from && cells->Held(from->left, from->top) != TextCells::kNone) {
            cells->Hold(block->left, block->top, cells->Held(from->left, from->top));
            return;
        }
        const std::optional<Rgb> paper = HeldPaper(*cells, *block);
        if (!sameAsBefore && paper) {
            TextCells::Key key{TextCells::Content::Glyph, static_cast<uint64_t>(glyph), 0,
                               s.FontColour, *paper};
            const int picture = CellPicture(d, *cells, key, [&](Bitmap& p) {
                DrawGlyph(d, p, PreparedGlyph(d, glyph), 0, 0, s.FontColour);
            });
            cells->Hold(block->left, block->top, picture);
            return;
        }
    }
    Bitmap& canvas = CanvasFor(d, cell);
    if (sameAsBefore) {
        d.cells.DrawTouching(canvas, previous);
        Blit(canvas, s.CursorX, s.CursorY, canvas, previous);
    } else {
        DrawGlyph(d, canvas, PreparedGlyph(d, glyph), s.CursorX, s.CursorY, s.FontColour,
                  s.GraphMode && s.XorWrites);
    }
}

// Draws one value at the cursor: font characters at the drawing point, special
// glyphs in the cursor's cell.
RunEnd TextRun(Dos& d, const std::string& text) {
    ScreenState& s = d.screen;
    Font& font = WriteFont(d);
    TextCells* cells = HeldCells(d);
    const bool courier = s.WindowFont.face == "Courier New";
    const std::string shown = OemToDisplayCopy(text, s.NoConversion);
    Point dp{s.CursorX, s.CursorY};
    int lookedUpFor = -1;
    int glyph = -1;
    int previousGlyph = -1;
    Point previousCell;
    GridCursor grid;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto orig = static_cast<uint8_t>(text[i]);
        const auto drawn = static_cast<uint8_t>(shown[i]);
        if (static_cast<int>(orig) != lookedUpFor) {
            glyph = drawn == orig ? FindGlyph(d, orig) : -1;
            lookedUpFor = orig;
        }
        char32_t* cell = grid.At(s, s.CursorX, s.CursorY);
        if (glyph < 0) {
            if (drawn == ' ') {
                dp.x += s.CellWidth;
            } else {
                const uint8_t b = courier && drawn == 150 ? 151 : drawn;
                dp.x += DrawCharacter(d, cells, font, dp, Cp1252ToUnicode(b));
            }
            if (cell) *cell = GridCharFor(drawn, false, orig);
            previousGlyph = -1;
        } else {
            // Cells of a window can differ from those the glyphs were made
            // for (graphics mode, rounding); a glyph must fill its cell.
            if (s.GlyphCellSize != Size{s.CellWidth, s.CellHeight}) PrepareGlyphs(d);
            DrawGlyphCell(d, cells, glyph, glyph == previousGlyph, previousCell);
            if (cell) *cell = GridCharFor(drawn, true, orig);
            previousGlyph = glyph;
            previousCell = Point{s.CursorX, s.CursorY};
        }
        const int rowBefore = s.CursorY;
        AdvanceCursor(s);
        // After a glyph, and on a new row, font characters continue at the cursor.
        if (glyph >= 0 || s.CursorY != rowBefore) dp = Point{s.CursorX, s.CursorY};
    }
    return RunEnd{Point{s.CursorX, s.CursorY}, dp};
}

// Fills the background of a run of len cells from the cursor, row by row as
// the run wraps: a run that wraps continues in the window's next row, so its
// background covers the cells it will take there and never the screen right
// of the window (a box's shadow row would otherwise black out the shades
// beside it, or keep them under its own glyphs). A cursor placed beyond the
// window still fills its cell.
void FillRunBackground(Dos& d, int len) {
    const ScreenState& s = d.screen;
    int x = s.CursorX;
    int y = s.CursorY;
    while (len > 0) {
        const int fits = (std::max(s.WinRight, x) - x) / s.CellWidth + 1;
        const int cells = std::min(len, std::max(1, fits));
        FillBackground(d, Rect{x, y, x + cells * s.CellWidth, y + s.CellHeight});
        len -= cells;
        x = s.WinLeft;
        y += s.CellHeight;
    }
}

void WriteTexts(Dos& d, const std::vector<std::string>& texts,
                const std::vector<int>* widths = nullptr) {
    ScreenState& s = d.screen;
    const bool cursorWasShown = s.CursorShown;
    HideCursorLine(d);
    s.CursorShown = false;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::string text = texts[i];
        if (text == "\x07") {
            d.platform.Beep();
            continue;
        }
        if (text == "\x08") {
            s.CursorX -= s.CellWidth;
            continue;
        }
        if (s.CursorY > s.WinBottom) Scroll(d);
        const int width = widths && i < widths->size() ? (*widths)[i] : 0;
        if (width > 0 && static_cast<int>(text.size()) < width) {
            FillBackground(d, Rect{s.CursorX, s.CursorY, s.CursorX + width * s.CellWidth,
                                   s.CursorY + s.CellHeight});
            text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
        }
        if (!s.GraphMode || s.GraphTextOpaque) FillRunBackground(d, static_cast<int>(text.size()));
        const RunEnd end = TextRun(d, text);
        const Point next = i + 1 == texts.size() ? end.cursor : end.drawingPoint;
        s.CursorX = next.x;
        s.CursorY = next.y;
    }
    s.CursorShown = cursorWasShown;
    ShowCursorLine(d);
}

void MoveCursor(Dos& d, int x, int y) {
    HideCursorLine(d);
    d.screen.CursorX = x;
    d.screen.CursorY = y;
    ShowCursorLine(d);
}

}  // namespace

Rgb PaletteColour(const Dos& d, int k) {
    if (k >= 0 && k <= 16) return d.screen.Palette[static_cast<size_t>(k)];
    if (k > 16 && k < 256) return d.screen.ExtPalette[static_cast<size_t>(k)];
    return 0;
}

int FitTextFontSize(Dos& d) {
    ScreenState& s = d.screen;
    const int target = s.Area.Width() / kColumns;
    FontRequest req{"Courier New", 6, true, false, false};
    // The loop ends at a sane size even when no font can be found.
    while (req.sizePt < 400 && d.fonts.Get(req).CharWidth('A') < target) ++req.sizePt;
    // The character screen is stretched to the whole window, as a DOS
    // screen on a wide monitor: each character fills its cell, so text
    // written in pieces shows no gaps and row 80 ends at the window's edge.
    if (!s.GraphMode) req.advancePx = s.CellWidth;
    s.WindowFont = req;
    s.TextFontSize = req.sizePt - 1;
    return req.sizePt;
}

void InitScreen(Dos& d) {
    d.RefreshCanvas();
    ScreenState& s = d.screen;
    const Size client = d.ClientSize();
    s.CellWidth = CellSpan(client.w, kColumns, 2);
    s.CellHeight = CellSpan(client.h, kTextRows, 2);
    s.WinLeft = s.WinTop = 0;
    s.WinRight = (kColumns - 1) * s.CellWidth;
    s.WinBottom = (kTextRows - 1) * s.CellHeight;
    s.CursorX = s.CursorY = 0;
    s.CursorShown = false;
    s.Area = DrawingArea(client);
    FitTextFontSize(d);
    BuildSizeTable(d);
    BuildFontTable(d);
    SetPalettes(s);
    s.FontColour = s.Palette[7];
    s.BackColour = s.Palette[0];
    s.GridRows = s.GraphMode ? kGraphRows : kTextRows;
    std::fill(s.Grid.begin(), s.Grid.end(), U' ');

    PrepareGlyphs(d);
}

namespace {

// Few cell sizes come up in a run (text and graphics mode, a resize or
// two); past this many the oldest drawings are dropped together.
constexpr size_t kPreparedGlyphSizesKept = 8;

// The glyphs by name, each drawn on its first use: a screen shows few of
// them, and the start-up need not wait for the rest.
std::vector<GlyphCell> UndrawnGlyphCells(const std::vector<NamedPicture>& pictures) {
    std::vector<GlyphCell> glyphs(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) glyphs[i].name = pictures[i].name;
    return glyphs;
}

void DrawGlyphPicture(GlyphCell& g, const Metafile* picture, Size cell) {
    g.mask.Allocate(cell.w, cell.h + 2, 0);
    if (picture) picture->Draw(g.mask, g.mask.Bounds());
    g.inverse = g.mask;
    FillRect(g.inverse, g.inverse.Bounds(), 0, Rop::Invert);
    g.drawn = true;
}

}  // namespace

void PrepareGlyphs(Dos& d) {
    ScreenState& s = d.screen;
    d.cells.DropPictures(d.CanvasAsIs());
    s.GlyphCellSize = Size{s.CellWidth, s.CellHeight};
    const std::pair<int, int> key{s.CellWidth, s.CellHeight};
    auto it = d.PreparedGlyphs.find(key);
    const bool stale = it != d.PreparedGlyphs.end() && it->second.size() != d.GlyphPictures.size();
    if (it == d.PreparedGlyphs.end() || stale) {
        if (d.PreparedGlyphs.size() >= kPreparedGlyphSizesKept) d.PreparedGlyphs.clear();
        it = d.PreparedGlyphs.insert_or_assign(key, UndrawnGlyphCells(d.GlyphPictures)).first;
    }
    s.Glyphs = it->second;
    s.GlyphIndex.clear();
    for (size_t i = 0; i < s.Glyphs.size(); ++i)
        s.GlyphIndex.emplace(s.Glyphs[i].name, static_cast<int>(i));
}

const GlyphCell& PreparedGlyph(Dos& d, int index) {
    ScreenState& s = d.screen;
    GlyphCell& g = s.Glyphs[static_cast<size_t>(index)];
    if (g.drawn) return g;
    const auto i = static_cast<size_t>(index);
    const bool same = i < d.GlyphPictures.size() && d.GlyphPictures[i].name == g.name;
    DrawGlyphPicture(g, same ? &d.GlyphPictures[i].picture : nullptr, s.GlyphCellSize);
    // Kept for the next screen of this cell size.
    const auto kept = d.PreparedGlyphs.find({s.GlyphCellSize.w, s.GlyphCellSize.h});
    if (kept != d.PreparedGlyphs.end() && i < kept->second.size() && kept->second[i].name == g.name)
        kept->second[i] = g;
    return g;
}

void Window(Dos& d, int x1, int y1, int x2, int y2) {
    ScreenState& s = d.screen;
    int ox = 0, oy = 0;
    if (s.GraphMode) {
        s.CellWidth = CellSpan(s.Area.Width(), kColumns);
        s.CellHeight = CellSpan(s.Area.Height(), kGraphRows);
        ox = s.Area.left;
        oy = s.Area.top;
        s.GridRows = kGraphRows;
    } else {
        const Size client = d.ClientSize();
        s.CellWidth = CellSpan(client.w, kColumns);
        s.CellHeight = CellSpan(client.h, kTextRows);
        s.GridRows = kTextRows;
    }
    s.WinLeft = (x1 - 1) * s.CellWidth + ox;
    s.WinTop = (y1 - 1) * s.CellHeight + oy;
    s.WinRight = (x2 - 1) * s.CellWidth + ox;
    s.WinBottom = (y2 - 1) * s.CellHeight + oy;
    MoveCursor(d, s.WinLeft, s.WinTop);
    if (s.ClearPending) TextBackground(d, 0);
}

void GotoXY(Dos& d, int x, int y) {
    if (x <= 0 || y <= 0) return;
    ScreenState& s = d.screen;
    MoveCursor(d, s.WinLeft + (x - 1) * s.CellWidth, s.WinTop + (y - 1) * s.CellHeight);
}

int WhereX(Dos& d) {
    const ScreenState& s = d.screen;
    return (s.CursorX - s.WinLeft) / std::max(1, s.CellWidth) + 1;
}

int WhereY(Dos& d) {
    const ScreenState& s = d.screen;
    return (s.CursorY - s.WinTop) / std::max(1, s.CellHeight) + 1;
}

void TextColor(Dos& d, int colour) {
    ScreenState& s = d.screen;
    s.TextAttr = colour;
    const bool blink = colour > 15;
    s.FontColour = PaletteColour(d, blink ? colour % 16 : colour);
    s.WindowFont.italic = blink;
    s.WindowFont.underline = blink;
}

void TextBackground(Dos& d, int colour) {
    ScreenState& s = d.screen;
    s.BackColour = s.Palette[static_cast<size_t>(colour & 7)];
    if (s.ClearPending) {
        ClrScr(d);
        s.ClearPending = false;
    }
}

void ClrScr(Dos& d) {
    ScreenState& s = d.screen;
    const Rect r{s.WinLeft, s.WinTop, s.WinRight + s.CellWidth, s.WinBottom + s.CellHeight};
    const bool shown = s.CursorShown;
    HideCursorLine(d);
    FillBackground(d, r);
    ClearGrid(s, r);
    if (shown) ShowCursorLine(d);
}

void Write(Dos& d, std::string_view s) { WriteTexts(d, {std::string(s)}); }

void Write(Dos& d, std::string_view s1, std::string_view s2) {
    WriteTexts(d, {std::string(s1), std::string(s2)});
}

void WriteInt(Dos& d, long long i) { WriteTexts(d, {std::to_string(i)}); }

void WriteValues(Dos& d, const std::vector<DosValue>& values) {
    std::vector<std::string> texts;
    for (const DosValue& v : values) texts.push_back(ValueText(d, v));
    WriteTexts(d, texts);
}

void WriteLn(Dos& d, std::string_view s) {
    Write(d, s);
    WriteLn(d);
}

void WriteLn(Dos& d) {
    ScreenState& s = d.screen;
    const bool shown = s.CursorShown;
    HideCursorLine(d);
    s.CursorX = s.WinLeft;
    s.CursorY += s.CellHeight;
    if (s.CursorY > s.WinBottom) Scroll(d);
    if (shown) ShowCursorLine(d);
}

void WriteFields(Dos& d, const std::vector<DosValue>& values, const std::vector<int>& widths) {
    std::vector<std::string> texts;
    for (const DosValue& v : values) texts.push_back(ValueText(d, v));
    WriteTexts(d, texts, &widths);
}

void CursorOn(Dos& d) {
    if (d.screen.CursorShown) return;
    d.screen.CursorShown = true;
    ShowCursorLine(d);
}

void CursorOff(Dos& d) {
    HideCursorLine(d);
    d.screen.CursorShown = false;
}

void ShadowCells(Dos& d, int x1, int y1, int x2, int y2, int attr) {
    ScreenState& s = d.screen;
    const Rgb grey = attr == 7 ? MakeRgb(64, 64, 64) : MakeRgb(119, 119, 119);
    TextCells* cells = HeldCells(d);
    for (int row = y1; row <= y2; ++row)
        for (int col = x1; col <= x2; ++col) {
            const Rect r{(col - 1) * s.CellWidth, (row - 1) * s.CellHeight, col * s.CellWidth,
                         row * s.CellHeight};
            d.MarkDirty(r);
            const std::optional<Rect> at = cells ? cells->CellsOf(r) : std::nullopt;
            const int held = at ? cells->Held(at->left, at->top) : TextCells::kNone;
            if (held != TextCells::kNone)
                cells->Hold(at->left, at->top, cells->Anded(d.CanvasAsIs(), held, grey));
            else FillRect(CanvasFor(d, r), r, grey, Rop::And);
        }
}

int TextWidth640(Dos& d, std::string_view s) {
    const std::string text(s);
    const std::string shown = OemToDisplayCopy(text, d.screen.NoConversion);
    Font& font = d.fonts.Get(d.screen.WindowFont);
    if (text.size() == 1 && shown[0] == text[0] && FindGlyph(d, static_cast<uint8_t>(text[0])) >= 0)
        return font.CharWidth('A');
    const int ref = std::max(1, d.screen.Area.Width());
    int total = 0;
    for (char c : shown)
        total += RoundedDiv(font.CharWidth(static_cast<uint8_t>(c)) * kGraphWidth, ref);
    return total;
}

int FindGlyph(const Dos& d, uint8_t ch) {
    const auto& index = d.screen.GlyphIndex;
    if (index.empty()) return -1;
    auto it = index.find(std::to_string(ch));
    if (it == index.end()) it = index.find(std::string(1, static_cast<char>(ch)));
    return it == index.end() ? -1 : it->second;
}

void DrawGlyph(Dos& d, Bitmap& target, const GlyphCell& glyph, int x, int y, Rgb colour,
               bool xorMode) {
    CombineGlyph(target, glyph.mask, glyph.inverse,
                 Rect{x, y, x + d.screen.CellWidth, y + d.screen.CellHeight}, colour, xorMode);
}

void CombineGlyph(Bitmap& target, const Bitmap& mask, const Bitmap& inverse, const Rect& cell,
                  Rgb colour, bool xorMode) {
    const int x = cell.left, y = cell.top;
    const Rect vis = cell.Intersect(target.Bounds());
    const int w = std::min(vis.Width(), mask.Width() - (vis.left - x));
    const int h = std::min(vis.Height(), mask.Height() - (vis.top - y));
    for (int row = 0; row < h; ++row) {
        uint32_t* dst = target.Row(vis.top + row) + vis.left;
        const uint32_t* m = mask.Row(vis.top - y + row) + (vis.left - x);
        const uint32_t* inv = inverse.Row(vis.top - y + row) + (vis.left - x);
        for (int col = 0; col < w; ++col) {
            const uint32_t painted = m[col] & colour & 0xFFFFFFu;
            dst[col] = xorMode ? (dst[col] ^ painted) & 0xFFFFFFu
                               : ((dst[col] & inv[col]) | painted) & 0xFFFFFFu;
        }
    }
}

char32_t GridCharFor(uint8_t drawnByte, bool glyph, uint8_t originalByte) {
    if (glyph) return Cp437ToUnicode(originalByte);
    if (drawnByte == ' ' || drawnByte == 0) return U' ';
    return Cp1252ToUnicode(drawnByte);
}

}  // namespace qs
