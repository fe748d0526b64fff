// Page layout of the printer file: where each piece of text, each rule and
// each check mark lands, on which page. Pure computation over a measuring
// interface, so that positions can be checked without drawing anything.
//
// Units are device dots of a 600 dpi page; y is the top of a text line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "screen/print/PrinterFile.h"

namespace qs {

constexpr int kPrintDpi = 600;

struct PageSize {
    int width = 4961;   // A4: 210 mm
    int height = 7016;  // 297 mm
};

// Text measurement in device dots for the fonts of the printer file.
class PrintMeasure {
public:
    virtual ~PrintMeasure() = default;
    // Advance width of Windows-1252 text.
    virtual double TextWidth(const PrintFont& font, std::string_view text) = 0;
    // Height of one line of the font (ascent plus descent, as for "Test").
    virtual double LineHeight(const PrintFont& font) = 0;
};

struct PlacedItem {
    enum class Kind : uint8_t { Text, Rule, Check };
    Kind kind = Kind::Text;
    size_t piece = 0;  // index of the piece it came from
    int page = 0;      // 0-based
    double x = 0;      // left edge
    double y = 0;      // text and check: top of the line; rule: its top edge
    double width = 0;  // text: advance width; rule: length
    PrintFont font;
    std::string text;  // Windows-1252
};

struct PrintLayout {
    int pages = 0;
    std::vector<PlacedItem> items;
    // The frame the layout used.
    double left = 0;
    double top = 0;
    double bottom = 0;     // last usable line position
    double charWidth = 0;  // width of "A" in the base font, the unit of tab columns
};

// Thickness of a rule line in device dots, and its distance below the line top.
constexpr double kRuleThickness = 2;
constexpr double kRuleDrop = 10;

// Lays out the pieces on pages of the given size. No pieces: no pages.
PrintLayout LayOutPrinterFile(const std::vector<PrintPiece>& pieces, PrintMeasure& measure,
                              PageSize page = {});

}  // namespace qs
