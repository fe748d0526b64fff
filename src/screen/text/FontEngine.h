// TrueType text through FreeType, with faces found by name through fontconfig.
// Sizes are Windows points at 96 dpi; glyph coverage is rasterized once per
// face, size and character and blended in the text colour onto a bitmap with a
// transparent background.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/Geometry.h"
#include "screen/surface/Bitmap.h"

namespace qs {

struct FontRequest {
    std::string face = "Arial";
    int sizePt = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // When above 0, the face is stretched or squeezed sideways so that "A"
    // advances exactly this many pixels (for a monospaced face: every
    // character), its height staying that of sizePt. The character screen
    // uses it to make each character fill its cell on windows wider than 4:3.
    int advancePx = 0;
    friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

struct GlyphImage {
    int width = 0;
    int height = 0;
    int left = 0;     // from the pen position to the first column
    int top = 0;      // from the baseline up to the first row
    int advance = 0;  // pixels to the next character
    std::vector<uint8_t> coverage;
};

class FontEngine;

// One face at one size. Created by FontEngine::Get.
class Font {
public:
    ~Font();
    const FontRequest& Request() const { return request_; }
    const std::string& ResolvedFamily() const { return family_; }
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    int Height() const { return ascent_ + descent_; }
    // Tells this font apart from every other font the engine made, even one
    // made later at the same address (a cache of drawn characters keys on it).
    uint64_t Serial() const { return serial_; }
    // The glyph of a Unicode character (cached).
    const GlyphImage& Glyph(char32_t cp);
    // Advance width of a Windows-1252 string.
    int TextWidth(const std::string& cp1252);
    int CharWidth(uint8_t cp1252);
    // The pixels DrawChar of cp at (0, 0) can touch, its underline included.
    Rect InkBounds(char32_t cp);

    // Draws a Windows-1252 string with its top-left cell corner at (x, y),
    // blended in colour, clipped to clip (or the bitmap). Returns the x after
    // the last character.
    int Draw(Bitmap& dst, int x, int y, const std::string& cp1252, Rgb colour,
             const Rect* clip = nullptr);
    // Draws one Unicode character; returns its advance.
    int DrawChar(Bitmap& dst, int x, int y, char32_t cp, Rgb colour, const Rect* clip = nullptr);

private:
    friend class FontEngine;
    Font() = default;
    void DrawUnderline(Bitmap& dst, int x, int y, int width, Rgb colour, const Rect* clip);

    FontRequest request_;
    uint64_t serial_ = 0;
    std::string family_;
    void* face_ = nullptr;  // FT_Face, owned
    bool emboldenSynthetic_ = false;
    bool obliqueSynthetic_ = false;
    int ascent_ = 0;
    int descent_ = 0;
    int underlinePos_ = 0;
    int underlineThickness_ = 1;
    std::unordered_map<char32_t, GlyphImage> cache_;
};

class FontEngine {
public:
    FontEngine();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // Makes a font file usable under its face names for the lifetime of the
    // engine. Returns the family names it brings (empty on failure).
    std::vector<std::string> AddFontFile(const std::string& path);
    // Loads a fontconfig configuration fragment (aliases for the program's
    // historical face names).
    bool LoadConfig(const std::string& path);
    // Removes every font added with AddFontFile.
    void RemoveAddedFonts();

    // The font for request, cached. Never null: an unknown face falls back to
    // whatever fontconfig offers.
    Font& Get(const FontRequest& request);
    // The family fontconfig picks for a face name (for checks and logs).
    std::string ResolveFamily(const std::string& face, bool bold = false);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qs
