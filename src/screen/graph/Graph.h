// The BGI-style graphics screen of the exercises: a virtual 640 x 480 space
// fitted into the window (screen/GraphMapping.h), BGI primitives drawn with
// the pixel rules of the Windows drawing calls, text styles mapped to
// TrueType faces, six window-sized pages to save and restore screens, and
// pictures loaded from files.
//
// Coordinates are graph points unless said otherwise. Colours given as an
// int are palette indexes (0..16 Palette, 17..255 ExtPalette); colours given
// as Rgb are plain colour values.
//
// Lines, bars, rectangles, ellipses and graphics text draw on the active
// canvas (the window, or the page chosen by SetActivePage); PutImage,
// GetImage and SetBkColor always use the window.
//
// Pictures are std::unique_ptr<Bitmap> (Picture): null until made by
// NewPicture, LoadPicture or GetImage, null again after FreePicture. Pixels
// are plain 0x00RRGGBB; a picture carries no transparency of its own. What a
// picture file brings as transparency (a PNG's or GIF's alpha, the untouched
// background of a metafile) is resolved when it is loaded, against the fill
// colour (LoadPicture) or black and a white mask (LoadMaskedPicture). Sprites
// that stand on a key colour (black, navy, grey) are stored opaque and keyed
// when they are drawn.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "screen/Dos.h"

namespace qs {

using Picture = std::unique_ptr<Bitmap>;

// The 16 palette colours, named after what they show in this program's
// palette (index 2 is a dark red, not the green of a PC's), and entry 16,
// the graphics background that SetBkColor sets.
namespace colour {
inline constexpr int Black = 0;
inline constexpr int Navy = 1;
inline constexpr int Maroon = 2;
inline constexpr int Teal = 3;
inline constexpr int Red = 4;
inline constexpr int Purple = 5;
inline constexpr int Yellow = 6;
inline constexpr int Grey = 7;
inline constexpr int DarkGrey = 8;
inline constexpr int Blue = 9;
inline constexpr int Green = 10;
inline constexpr int Cyan = 11;
inline constexpr int Orange = 12;
inline constexpr int Pink = 13;
inline constexpr int LightYellow = 14;
inline constexpr int White = 15;
inline constexpr int Background = 16;
// Extended palette: the dark blue of the word comparison's screen.
inline constexpr int NightBlue = 18;
}  // namespace colour

// The fill patterns of SetFillStyle.
namespace fillstyle {
inline constexpr int BackgroundFill = 0;  // solid in the graphics background
inline constexpr int Solid = 1;           // solid in the colour given
inline constexpr int SolidExtended = 3;   // solid in the extended palette's colour
inline constexpr int Nothing = 100;       // bars draw nothing
}  // namespace fillstyle

// ---- Tables built by InitScreen ---------------------------------------------
// BGI font numbers to faces, from InstalledFonts ("Face=path").
void BuildFontTable(Dos& d);
// The 13 font sizes of the BGI character sizes, from TextFontSize.
void BuildSizeTable(Dos& d);

// ---- Modes and state ----------------------------------------------------------
void InitGraph(Dos& d, int mode);
void InitGraph(Dos& d, int driver, int mode, const std::string& path);
void CloseGraph(Dos& d);
void ResetGraphScreen(Dos& d, int hJust, int vJust, int colour, int fillColour);

inline int GetMaxX(const Dos&) { return 639; }
inline int GetMaxY(const Dos&) { return 479; }
inline int GetGraphMode(const Dos&) { return 0; }

void SetColor(Dos& d, int k);
void SetColorAndFill(Dos& d, int k, bool alsoFill);
int GetColor(const Dos& d);
void SetBkColor(Dos& d, int k);
void SetFillStyle(Dos& d, int pattern, int k);
int GetFillColor(const Dos& d);

struct FillSettingsType {
    int pattern = 0;
    int color = 0;
};
// Gives pattern 0 and the index last given to SetBkColor.
void GetFillSettings(const Dos& d, FillSettingsType& fs);

void SetLineStyle(Dos& d, int style, int pattern, int thickness);
void SetWriteMode(Dos& d, int m);
void SetTextJustify(Dos& d, int h, int v);
void SetTextStyle(Dos& d, int font, int direction, int size);
void SetTextStyleReal(Dos& d, int font, int direction, double size);
void SetTextStyleBold(Dos& d, int font, int direction, int size, bool bold);
void SetPalette(Dos& d, int index, int colour);
void GetPalette(const Dos& d, std::array<Rgb, 17>& table);

// ---- Drawing ------------------------------------------------------------------
void Bar(Dos& d, int x1, int y1, int x2, int y2);
void Rectangle(Dos& d, int x1, int y1, int x2, int y2);
void Line(Dos& d, int x1, int y1, int x2, int y2);
void LineThick(Dos& d, int x1, int y1, int x2, int y2, bool thick);
void HorizontalRule(Dos& d, int y, bool thick);
void FillEllipse(Dos& d, int x, int y, int xRadius, int yRadius);
void Ellipse(Dos& d, int x, int y, int startAngle, int endAngle, int xRadius, int yRadius);
void Arc(Dos& d, int x, int y, int startAngle, int endAngle, int radius);

// s is code page 437.
void OutTextXY(Dos& d, int x, int y, std::string_view s, bool thick = false);
// Every pixel OutTextXY(d, x, y, s, thick) would change in the current text
// style, as a rectangle of graph points (half-open) rounded outwards: the
// inked glyphs (which can reach above and below the font's line and past
// their advance), the cells of special glyphs, an opaque background, the
// growth of fat text. Bar over it (right and bottom less one) removes the
// text at every window and font size.
Rect TextInkRect(Dos& d, int x, int y, std::string_view s, bool thick = false);
// rect: the drawn text in graph points (half-open).
void OutTextXYRect(Dos& d, int x, int y, std::string_view s, Rect& rect);
// Draws lead, then highlight in colour, then tail, on a cleared line; rect:
// the tail in graph points.
void OutTextXYHighlight(Dos& d, int x, int y, std::string_view lead, Rect& rect, int colour,
                        std::string_view tail, std::string_view highlight);

// ---- Pages --------------------------------------------------------------------
void SavePage(Dos& d, int p);
void ShowPage(Dos& d, int p, bool release);
// rect in graph points (half-open); the part is copied to the same place.
void ShowPageRect(Dos& d, int p, bool release, const Rect& rect);
void CopyPage(Dos& d, int dst, int src);
void SetActivePage(Dos& d, int p);
// The bitmap that lines, bars and graphics text draw on now.
Bitmap& ActiveBitmap(Dos& d);

// ---- Pictures -----------------------------------------------------------------
void NewPicture(Dos& d, Picture& pic, int w, int h);
int NewPictureForRect(Dos& d, int x1, int y1, int x2, int y2, Picture& pic);
void FreePicture(Picture& pic);
void FillPicture(Picture& pic, Rgb colour);
// fileName: relative to the program folder, DOS style ("bitplane\hund.png").
void LoadPicture(Dos& d, Picture& pic, Rgb colour, int w, bool stretch, const std::string& fileName,
                 int h);
// pic must exist; mask may be null (no mask wanted).
void LoadMaskedPicture(Dos& d, Picture& pic, Picture* mask, const std::string& fileName);
void PutImage(Dos& d, int x, int y, const Picture& pic);
void GetImage(Dos& d, int x1, int y1, int x2, int y2, Picture& pic);

// ---- Exclusive full-screen surface -------------------------------------------
void EnterExclusiveScreen(Dos& d);
void LeaveExclusiveScreen(Dos& d);
// Copies page p onto the surface; present: show it at once rather than at
// the next message step.
void ShowPageExclusive(Dos& d, int p, bool release, bool present);

}  // namespace qs
