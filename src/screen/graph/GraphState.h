// Drawing state of the BGI-style graphics screen: pen, brush, write mode,
// text justification and style, the font and size tables, the active page
// and the sprite clip. The field names follow the graphics operations that
// set them (SetColor, SetFillStyle, SetLineStyle, SetTextJustify, ...).
//
// The graphics text font itself (face, size, bold) is the window's font,
// d.screen.WindowFont: Write in graphics mode and TextWidth640 measure with
// it, so SetTextStyle changes that one font rather than keeping a copy here.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "screen/surface/Canvas.h"

namespace qs {

// A special glyph stretched into the character cell of the current graphics
// font (the width of "A" by the height of "Äg"), white on black, and its
// inverse; made on first use for one cell size.
struct GraphGlyphCell {
    Bitmap mask;
    Bitmap inverse;
    bool ready = false;
};

// Budgets of decoded picture pixels (see LoadPicture): per screen, per
// picture relative to the pixels it is drawn at, and the least a picture may
// always have.
inline constexpr uint64_t kScreenPicturePixels = 64ull << 20;
inline constexpr uint64_t kPictureOverDraw = 16;
inline constexpr uint64_t kPicturePixelFloor = 1ull << 20;

struct GraphState {
    // Decoded picture pixels of the current screen, and the screen
    // (ScreenState::GraphTextsCleared) they were counted for.
    uint64_t PicturePixels = 0;
    uint32_t PicturePixelsScreen = 0;
    // Pen (SetColor, SetLineStyle): colour, width in pixels, solid or dashed.
    Rgb PenColour = 0xFFFFFF;
    int PenWidth = 1;
    PenStyle LineStyle = PenStyle::Solid;
    int ColorIndex = 15;  // the index last given to SetColor / SetColorAndFill

    // Brush (SetFillStyle): pattern and index as given, and the resulting brush
    // (BrushStyle::Null for pattern 100, "no fill").
    int FillPattern = 1;
    int FillIndex = 0;
    Brush FillBrush{BrushStyle::Solid, 0};

    int WriteMode = 0;  // 0 copy, 1 XOR

    // SetTextJustify: horizontal 0 left, 1 centre, 2 right; vertical 0 bottom,
    // 1 centre, 2 top.
    int HJust = 0;
    int VJust = 2;

    // Font numbers of SetTextStyle to faces, and the 13 sizes of the BGI
    // character sizes 0..12 (BuildFontTable, BuildSizeTable).
    std::vector<std::string> FontTable;
    std::array<int, 13> SizeTable{};
    int FontNo = 0;     // the last font number given to a SetTextStyle call
    int Direction = 0;  // recorded only

    bool TextTransparent = true;  // graphics text leaves the background alone
    bool ThickText = false;       // OutTextXY may draw fat text
    int ActivePage = -1;          // -1: drawing goes to the window
    int BkColorIndex = 0;         // the index last given to SetBkColor
    // The drawing area while the graphics screen is on: sprites are clipped
    // to it.
    std::optional<Rect> SpriteClip;

    // Stops a running picture sequence; CloseGraph calls it when set.
    std::function<void()> stopFilm;

    // Glyph cells for graphics text, by glyph index, for the cell size below.
    std::vector<GraphGlyphCell> GlyphCells;
    Size GlyphCellSize;
};

}  // namespace qs
