// Reading the printer file "LPTB.TXT": the bytes the trainer wrote as if to an
// Epson-style printer (code page 437, CR LF lines, escape sequences for fonts)
// become a list of pieces of text, each with the font valid for it and the
// marks that tell the page layout what to do with it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

// The three faces the escape sequences choose. On paper they come out in
// free look-alikes of the Windows faces (see PrintFonts).
enum class PrintFace : uint8_t {
    Base,      // "Courier New"
    Narrow,    // "Arial Narrow"
    Fraction,  // "QXBRUCH", digits shown as fractions
};

// The Windows face name a face stands for.
const char* PrintFaceName(PrintFace face);

struct PrintFont {
    PrintFace face = PrintFace::Base;
    int size = 10;  // points
    bool bold = false;
    bool operator==(const PrintFont&) const = default;
};

struct PrintPiece {
    enum class Kind : uint8_t {
        Text,      // text to print (possibly empty: an empty line)
        FormFeed,  // a line starting with byte 12
        Nothing,   // a line starting with another control byte: prints nothing
    };
    Kind kind = Kind::Text;
    // Bytes to print: Windows-1252 after the printing conversion (or the
    // file's own bytes without it); control bytes already turned to blanks.
    std::string text;
    PrintFont font;
    // The text ended at a control byte; the next piece continues on the same
    // printed line.
    bool continues = false;
    // An ESC 201 n came before this piece (n, 0..255), else -1.
    int tab = -1;
    // In tab mode and starting with 31 dashes: drawn as a horizontal rule.
    bool rule = false;
    // The line ended in byte 251: a check mark is printed after the text.
    bool check = false;
};

// The printing conversion of one byte from code page 437 to Windows-1252.
uint8_t PrintConvert(uint8_t oem);

// Reads a whole printer file. noConversion leaves the bytes as they are.
std::vector<PrintPiece> ParsePrinterFile(const std::vector<uint8_t>& bytes, bool noConversion);

// Windows-1252 bytes as UTF-8. Bytes that Windows-1252 leaves unassigned come
// out as blanks.
std::string Windows1252ToUtf8(std::string_view bytes);

}  // namespace qs
