#include "base/CodePage.h"

#include <array>

namespace qs {

namespace {

// The 45 pairs of the display conversion (code page 437 -> Windows-1252).
constexpr std::array<std::pair<uint8_t, uint8_t>, 45> kDisplayPairs{{
    {128, 199}, {129, 252}, {130, 233}, {131, 226}, {132, 228}, {133, 224}, {134, 229}, {135, 231},
    {136, 234}, {138, 232}, {139, 239}, {140, 238}, {141, 236}, {142, 196}, {143, 197}, {144, 201},
    {145, 230}, {146, 198}, {147, 244}, {148, 246}, {149, 242}, {150, 251}, {151, 249}, {153, 214},
    {154, 220}, {158, 207}, {160, 225}, {161, 237}, {162, 243}, {163, 250}, {164, 241}, {165, 209},
    {168, 140}, {174, 182}, {184, 205}, {208, 192}, {211, 202}, {212, 217}, {213, 210}, {215, 194},
    {225, 223}, {240, 193}, {244, 218}, {245, 200}, {249, 183},
}};

struct Tables {
    std::array<uint8_t, 256> toDisplay{};
    std::array<uint8_t, 256> toOem{};
    Tables() {
        for (int i = 0; i < 256; ++i) toDisplay[i] = toOem[i] = static_cast<uint8_t>(i);
        for (auto [oem, win] : kDisplayPairs) toDisplay[oem] = win;
        // Typing is the inverse, except that a typed Ç (199) stays 199.
        for (auto [oem, win] : kDisplayPairs)
            if (oem != 128) toOem[win] = oem;
    }
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 128> kCp437High{
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

// Code page 437 puts pictures on the control positions.
constexpr std::array<char16_t, 32> kCp437Low{
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};

}  // namespace

uint8_t KeyToOem(uint8_t ch, bool noConversion) { return noConversion ? ch : T().toOem[ch]; }

uint8_t OemToDisplayByte(uint8_t ch) { return T().toDisplay[ch]; }

int OemToDisplay(std::string& s, bool noConversion) {
    if (noConversion) return 0;
    int changed = 0;
    for (char& c : s) {
        uint8_t b = static_cast<uint8_t>(c);
        uint8_t d = T().toDisplay[b];
        if (d != b) {
            c = static_cast<char>(d);
            ++changed;
        }
    }
    return changed;
}

std::string OemToDisplayCopy(const std::string& s, bool noConversion) {
    std::string out = s;
    OemToDisplay(out, noConversion);
    return out;
}

void DisplayToOem(std::string& s, bool noConversion) {
    if (noConversion) return;
    for (char& c : s) c = static_cast<char>(KeyToOem(static_cast<uint8_t>(c)));
}

std::string DisplayToOemCopy(const std::string& s, bool noConversion) {
    std::string out = s;
    DisplayToOem(out, noConversion);
    return out;
}

char32_t Cp1252ToUnicode(uint8_t ch) {
    if (ch >= 0x80 && ch < 0xA0) return kCp1252High[ch - 0x80];
    return ch;
}

char32_t Cp437ToUnicode(uint8_t ch) {
    if (ch < 32) return kCp437Low[ch];
    if (ch == 127) return 0x2302;
    if (ch >= 128) return kCp437High[ch - 128];
    return ch;
}

uint8_t UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<uint8_t>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp) return static_cast<uint8_t>(0x80 + i);
    return 0;
}

std::string EncodeUtf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

char32_t DecodeUtf8(const std::string& s, size_t& pos) {
    auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    uint8_t b0 = byte(pos);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (extra < 0 || pos + extra >= s.size() + (extra == 0 ? 1 : 0)) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? b0 : (b0 & (0x3F >> extra));
    for (int i = 1; i <= extra; ++i) {
        uint8_t b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

bool IsGermanLetter(uint8_t ch) {
    if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) return true;
    switch (ch) {
        case 0x84:
        case 0x94:
        case 0x81:
        case 0x8e:
        case 0x99:
        case 0x9a:
        case 0xe1: return true;
        default: return false;
    }
}

}  // namespace qs
