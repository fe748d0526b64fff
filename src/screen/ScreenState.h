// The state of the emulated character screen: cell geometry, the text
// window, the cursor, colours and the special glyphs. One instance lives in
// the Dos object; the field names are the screen's historical ones.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/Geometry.h"
#include "screen/surface/Bitmap.h"
#include "screen/text/FontEngine.h"

namespace qs {

// A special glyph prepared for one cell size: the picture stretched into a
// cell (white on black) and its inverse, drawn when the glyph is first shown
// at that size (drawn).
struct GlyphCell {
    std::string name;
    Bitmap mask;
    Bitmap inverse;
    bool drawn = false;
};

// One graphics text drawn since the last InitGraph or whole-screen Bar; the
// headless dump lists them.
struct GraphText {
    int x = 0;  // graph points, as given to OutTextXY
    int y = 0;
    int colour = 0;
    std::string text;  // code page 437, as given
};

struct ScreenState {
    int CellWidth = 8;
    int CellHeight = 16;
    int WinLeft = 0;
    int WinTop = 0;
    int WinRight = 0;
    int WinBottom = 0;
    int CursorX = 0;
    int CursorY = 0;
    bool CursorShown = false;
    Rgb CursorColour = 0;  // the colour the shown XOR cursor was drawn in
    int TextAttr = 7;
    std::array<Rgb, 17> Palette{};
    std::array<Rgb, 17> DefaultPalette{};
    std::array<Rgb, 256> ExtPalette{};
    bool ClearPending = false;
    int TextFontSize = 10;
    // Prepared special glyphs in the order of the glyph pictures, and their
    // index by name.
    std::vector<GlyphCell> Glyphs;
    std::unordered_map<std::string, int> GlyphIndex;
    Size GlyphCellSize;  // the cell size the glyphs were prepared for
    bool NoConversion = false;

    // The window's font and colours as the text operations left them.
    FontRequest WindowFont{"Courier New", 10, true, false, false};
    Rgb FontColour = 0xA0A0A0;
    Rgb BackColour = 0;

    // Graphics mode (switched by InitGraph / CloseGraph): the 640 x 480 drawing
    // area in window pixels, and whether text writes fill their background.
    bool GraphMode = false;
    Rect Area;
    bool GraphTextOpaque = false;
    bool XorWrites = false;  // write mode XOR (glyphs are XOR-combined)

    // What the text screen last wrote in each cell (Unicode, space when
    // blank), 80 columns by 25 or 30 rows: read by the headless dump.
    int GridRows = 25;
    std::vector<char32_t> Grid = std::vector<char32_t>(80 * 30, U' ');
    std::vector<GraphText> GraphTexts;
    // Counts the clearings of GraphTexts, so that a reader that has seen its
    // first entries can tell a new list from a grown one.
    uint32_t GraphTextsCleared = 0;
};

}  // namespace qs
