#include "screen/print/PrinterFile.h"

#include <array>

namespace qs {

namespace {

constexpr uint8_t kEsc = 27;
constexpr uint8_t kFormFeed = 12;
constexpr uint8_t kCheck = 251;  // "√" in code page 437
constexpr uint8_t kFractionFace = 200;
constexpr uint8_t kTab = 201;
constexpr int kTabOff = 200;  // an ESC 201 n with n above this ends the tab mode
constexpr std::string_view kRule = "-------------------------------";

// Code page 437 128..175 to Windows-1252; 0 marks the two positions that
// keep their byte (158 "Pts" and 169, which Windows-1252 lacks).
constexpr std::array<uint8_t, 48> kOem128To175 = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7,  // 128 Ç ü é â ä à å ç
    0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,  // 136 ê ë è ï î ì Ä Å
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9,  // 144 É æ Æ ô ö ò û ù
    0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, 0x00, 0x83,  // 152 ÿ Ö Ü ¢ £ ¥ (Pts) ƒ
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA,  // 160 á í ó ú ñ Ñ ª º
    0xBF, 0x00, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,  // 168 ¿ (⌐) ¬ ½ ¼ ¡ « »
};

// Windows-1252 0x80..0x9F as Unicode; 0 for the five unassigned positions.
constexpr std::array<char16_t, 32> kWin80To9F = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Turns the lines of one printer file into pieces. Structure (escape
// sequences, control bytes, the check mark) is read from the bytes as the
// trainer wrote them; only the text of a piece goes through the printing
// conversion, so that a parameter byte or a letter converted to 251 (û)
// keeps its meaning.
class Reader {
public:
    explicit Reader(bool noConversion) : noConversion_(noConversion) {}

    void Line(std::string_view line) {
        const bool endsInCheck = !line.empty() && static_cast<uint8_t>(line.back()) == kCheck;
        size_t pos = 0;
        const size_t n = line.size();
        for (;;) {
            if (pos < n && static_cast<uint8_t>(line[pos]) == kEsc) {
                pos = Escape(line, pos);
                continue;
            }
            uint8_t first = pos < n ? static_cast<uint8_t>(line[pos]) : 0x20;
            if (first == kFormFeed) {
                Emit(PrintPiece::Kind::FormFeed, {}, false);
                return;
            }
            if (first < 31) {
                Emit(PrintPiece::Kind::Nothing, {}, false);
                return;
            }
            // A line starting with byte 31 is not split: it prints whole.
            size_t end = first == 31 ? n : FirstControl(line, pos);
            if (end == n) {
                // The 251 may have been the parameter of an escape sequence.
                const bool check = endsInCheck && pos < n;
                std::string_view text = line.substr(pos);
                if (check) text.remove_suffix(1);
                Emit(PrintPiece::Kind::Text, text, false);
                if (check) pieces_.back().check = true;
                return;
            }
            Emit(PrintPiece::Kind::Text, line.substr(pos, end - pos), true);
            pos = end;
        }
    }

    std::vector<PrintPiece> Take() { return std::move(pieces_); }

private:
    static size_t FirstControl(std::string_view line, size_t from) {
        for (size_t i = from; i < line.size(); ++i) {
            if (static_cast<uint8_t>(line[i]) < 32) return i;
        }
        return line.size();
    }

    // Applies the escape sequence at pos; returns the position after it. A
    // sequence cut off by the line end changes nothing.
    size_t Escape(std::string_view line, size_t pos) {
        if (pos + 1 >= line.size()) return line.size();
        uint8_t command = static_cast<uint8_t>(line[pos + 1]);
        switch (command) {
            case 'E': font_.bold = true; return pos + 2;
            case 'F': font_.bold = false; return pos + 2;
            case 'M':
                font_.face = PrintFace::Narrow;
                font_.size = 8;
                return pos + 2;
            case 'P':
                font_.face = PrintFace::Base;
                font_.size = 10;
                return pos + 2;
            case 'W':
            case 'w':
            case kFractionFace:
            case kTab: break;
            default: return pos + 2;
        }
        if (pos + 2 >= line.size()) return line.size();
        int value = static_cast<uint8_t>(line[pos + 2]);
        switch (command) {
            case kFractionFace: font_ = PrintFont{PrintFace::Fraction, value, false}; break;
            case kTab:
                tab_ = value;
                tabMode_ = value <= kTabOff;
                break;
            default: Size(value); break;
        }
        return pos + 3;
    }

    void Size(int n) {
        switch (n) {
            case 3:
                font_.size = 16;
                font_.bold = false;
                break;
            case 2:
                font_.size = 14;
                font_.bold = false;
                break;
            case 1:
                font_.size = 12;
                font_.bold = true;
                break;
            case 0:
            case ' ':
                font_.size = 10;
                font_.bold = false;
                break;
            default: break;
        }
    }

    void Emit(PrintPiece::Kind kind, std::string_view raw, bool continues) {
        PrintPiece piece;
        piece.kind = kind;
        piece.font = font_;
        piece.continues = continues;
        piece.tab = tab_;
        tab_ = -1;
        piece.text.reserve(raw.size());
        for (char c : raw) {
            uint8_t b = static_cast<uint8_t>(c);
            if (b < 32) b = ' ';
            else if (!noConversion_) b = PrintConvert(b);
            piece.text += static_cast<char>(b);
        }
        piece.rule = kind == PrintPiece::Kind::Text && !continues && tabMode_ &&
                     raw.substr(0, kRule.size()) == kRule;
        pieces_.push_back(std::move(piece));
    }

    bool noConversion_;
    PrintFont font_;
    int tab_ = -1;
    bool tabMode_ = false;
    std::vector<PrintPiece> pieces_;
};

}  // namespace

const char* PrintFaceName(PrintFace face) {
    switch (face) {
        case PrintFace::Narrow: return "Arial Narrow";
        case PrintFace::Fraction: return "QXBRUCH";
        case PrintFace::Base: break;
    }
    return "Courier New";
}

uint8_t PrintConvert(uint8_t oem) {
    if (oem >= 128 && oem <= 175) {
        uint8_t win = kOem128To175[oem - 128];
        return win != 0 ? win : oem;
    }
    switch (oem) {
        case 196: return 151;  // ─ as a long dash
        case 225: return 223;  // ß
        case 249: return 183;  // · (middle dot)
        default: return oem;
    }
}

std::vector<PrintPiece> ParsePrinterFile(const std::vector<uint8_t>& bytes, bool noConversion) {
    Reader reader(noConversion);
    std::string line;
    size_t i = 0;
    while (i < bytes.size()) {
        uint8_t b = bytes[i++];
        if (b == '\r' || b == '\n') {
            if (b == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
            reader.Line(line);
            line.clear();
            continue;
        }
        line += static_cast<char>(b == 0 ? ' ' : b);
    }
    if (!line.empty()) reader.Line(line);
    return reader.Take();
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        uint8_t b = static_cast<uint8_t>(c);
        char32_t u = b;
        if (b >= 0x80 && b <= 0x9F) u = kWin80To9F[b - 0x80] ? kWin80To9F[b - 0x80] : U' ';
        else if (b < 0x20 || b == 0x7F) u = U' ';
        AppendUtf8(out, u);
    }
    return out;
}

}  // namespace qs
