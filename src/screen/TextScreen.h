// The emulated 80-column character screen drawn on the window: text window,
// cursor, colours, writing with scrolling, special glyphs and shadows.
// Coordinates are 1-based cells of the current text window unless said
// otherwise; strings are code page 437.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "screen/Dos.h"

namespace qs {

// (Re)initialises geometry, palettes, the text font and the special glyphs
// from the window's size and its glyph pictures.
void InitScreen(Dos& d);

void Window(Dos& d, int x1, int y1, int x2, int y2);
void GotoXY(Dos& d, int x, int y);
int WhereX(Dos& d);
int WhereY(Dos& d);
void TextColor(Dos& d, int colour);
void TextBackground(Dos& d, int colour);
void ClrScr(Dos& d);

// A value for WriteValues / WriteFields.
using DosValue = std::variant<std::string, long long, double, char>;

void Write(Dos& d, std::string_view s);
void Write(Dos& d, std::string_view s1, std::string_view s2);
void WriteInt(Dos& d, long long i);
void WriteValues(Dos& d, const std::vector<DosValue>& values);
void WriteLn(Dos& d, std::string_view s);
void WriteLn(Dos& d);
// Each value with a width (> 0) is right-aligned in a field of that many
// cells, the whole field filled with the background first.
void WriteFields(Dos& d, const std::vector<DosValue>& values, const std::vector<int>& widths);

void CursorOn(Dos& d);
void CursorOff(Dos& d);
void ShadowCells(Dos& d, int x1, int y1, int x2, int y2, int attr);
int TextWidth640(Dos& d, std::string_view s);

// Colour of a palette index 0..255 (0..16 Palette, above ExtPalette).
Rgb PaletteColour(const Dos& d, int k);

// The fitted text font in the window's face at TextFontSize + 1 (the size
// whose "A" reaches the target width).
int FitTextFontSize(Dos& d);

// Prepares the special glyphs from the glyph pictures for the current cell
// size (InitScreen does this; writing does it again when a window's cells
// have another size).
void PrepareGlyphs(Dos& d);
// Special glyph number index of the current cell size, drawn now if it has
// not been shown at this size yet.
const GlyphCell& PreparedGlyph(Dos& d, int index);

// The special glyph for byte ch of an unconverted string, or -1.
int FindGlyph(const Dos& d, uint8_t ch);

// Combines a cell-sized glyph at (x, y) of target: mask coloured with
// colour, pixels cleared through the inverse (AND) and painted (OR); in XOR
// mode the coloured mask is XOR-combined instead.
void DrawGlyph(Dos& d, Bitmap& target, const GlyphCell& glyph, int x, int y, Rgb colour,
               bool xorMode = false);
// The same for a glyph mask and inverse of any size, drawn into cell of
// target (cut to the mask's size).
void CombineGlyph(Bitmap& target, const Bitmap& mask, const Bitmap& inverse, const Rect& cell,
                  Rgb colour, bool xorMode);

// The Unicode character a byte of a written string stands for in the dump
// grid: a glyph byte as its code page 437 character, a drawn byte as its
// Windows-1252 character.
char32_t GridCharFor(uint8_t drawnByte, bool glyph, uint8_t originalByte);

}  // namespace qs
