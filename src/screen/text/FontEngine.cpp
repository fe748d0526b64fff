#include "screen/text/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/CodePage.h"

namespace qs {

namespace {

int PointsToPixels(int pt) { return std::max(1, (pt * 96 + 36) / 72); }

std::string KeyOf(const FontRequest& s) {
    return s.face + "|" + std::to_string(s.sizePt) + "|" + (s.bold ? "b" : "") +
           (s.italic ? "i" : "") + (s.underline ? "u" : "") + "|" + std::to_string(s.advancePx);
}

// The hinted advance of "A" at the face's current size, in pixels.
int AdvanceOfA(FT_Face face) {
    if (FT_Load_Char(face, 'A', FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) return 0;
    return static_cast<int>((face->glyph->advance.x + 32) >> 6);
}

// Scales the face sideways so that "A" advances advancePx pixels at a
// height of px pixels. The width is found from the unscaled advance and
// then nudged in 1/64 pixel steps, since hinting rounds the advance.
void StretchToAdvance(FT_Face face, int px, int advancePx) {
    if (!FT_IS_SCALABLE(face) || FT_Load_Char(face, 'A', FT_LOAD_NO_SCALE) != 0) return;
    const FT_Pos units = face->glyph->advance.x;
    if (units <= 0) return;
    FT_F26Dot6 width = static_cast<FT_F26Dot6>(
        (static_cast<int64_t>(advancePx) * 64 * face->units_per_EM + units / 2) / units);
    for (int step = 0; step < 64 && width > 64; ++step) {
        FT_Set_Char_Size(face, width, static_cast<FT_F26Dot6>(px) * 64, 72, 72);
        const int got = AdvanceOfA(face);
        if (got == advancePx || got == 0) return;
        width += got < advancePx ? 8 : -8;
    }
}

inline uint32_t Blend(uint32_t dst, Rgb colour, unsigned a) {
    if (a >= 255) return colour;
    unsigned inv = 255 - a;
    unsigned r = (((colour >> 16) & 255) * a + ((dst >> 16) & 255) * inv + 127) / 255;
    unsigned g = (((colour >> 8) & 255) * a + ((dst >> 8) & 255) * inv + 127) / 255;
    unsigned b = ((colour & 255) * a + (dst & 255) * inv + 127) / 255;
    return (r << 16) | (g << 8) | b;
}

}  // namespace

// What fontconfig picked for a face name, weight and slant. The pick does not
// depend on the size, so the sizes of one face share it.
struct FontMatch {
    bool found = false;
    std::string file;
    int index = 0;
    std::string family;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
};

struct FontEngine::Impl {
    FT_Library ft = nullptr;
    FcConfig* config = nullptr;
    std::unordered_map<std::string, std::unique_ptr<Font>> fonts;
    std::unordered_map<std::string, FontMatch> matches;
    uint64_t fontsMade = 0;
    // Fonts and picks made before a change of the configuration are stale.
    void ConfigChanged() {
        fonts.clear();
        matches.clear();
    }
    const FontMatch& Match(const FontRequest& request);
};

FontEngine::FontEngine() : impl_(std::make_unique<Impl>()) {
    FT_Init_FreeType(&impl_->ft);
    FcInit();
    impl_->config = FcConfigGetCurrent();
    FcConfigReference(impl_->config);
}

// The faces, the added fonts and the reference to the configuration go
// here. What FcInit itself keeps only FcFini frees, and FcFini aborts while
// any pattern is still held elsewhere (the print fonts' cairo faces), so it
// is never called; scripts/lsan.supp tells the leak checker so.
FontEngine::~FontEngine() {
    impl_->fonts.clear();
    RemoveAddedFonts();
    if (impl_->config) FcConfigDestroy(impl_->config);
    if (impl_->ft) FT_Done_FreeType(impl_->ft);
}

std::vector<std::string> FontEngine::AddFontFile(const std::string& path) {
    std::vector<std::string> families;
    const auto* file = reinterpret_cast<const FcChar8*>(path.c_str());
    int count = 0;
    FcPattern* pat = FcFreeTypeQuery(file, 0, nullptr, &count);
    if (!pat) return families;
    FcChar8* fam = nullptr;
    for (int i = 0; FcPatternGetString(pat, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
        families.emplace_back(reinterpret_cast<const char*>(fam));
    FcPatternDestroy(pat);
    if (families.empty() || !FcConfigAppFontAddFile(impl_->config, file)) return {};
    impl_->ConfigChanged();  // a new face may change what a name resolves to
    return families;
}

bool FontEngine::LoadConfig(const std::string& path) {
    bool ok = FcConfigParseAndLoad(impl_->config, reinterpret_cast<const FcChar8*>(path.c_str()),
                                   FcFalse);
    impl_->ConfigChanged();
    return ok;
}

void FontEngine::RemoveAddedFonts() {
    if (impl_->config) FcConfigAppFontClear(impl_->config);
    impl_->matches.clear();
}

static FcPattern* MatchPattern(FcConfig* config, const std::string& face, bool bold, bool italic) {
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pat, &result);
    FcPatternDestroy(pat);
    return match;
}

std::string FontEngine::ResolveFamily(const std::string& face, bool bold) {
    FcPattern* match = MatchPattern(impl_->config, face, bold, false);
    if (!match) return {};
    FcChar8* fam = nullptr;
    std::string out;
    if (FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch)
        out = reinterpret_cast<const char*>(fam);
    FcPatternDestroy(match);
    return out;
}

const FontMatch& FontEngine::Impl::Match(const FontRequest& request) {
    const std::string key =
        request.face + "|" + (request.bold ? "b" : "") + (request.italic ? "i" : "");
    if (const auto it = matches.find(key); it != matches.end()) return it->second;
    FontMatch m;
    if (FcPattern* match = MatchPattern(config, request.face, request.bold, request.italic)) {
        m.found = true;
        FcChar8* file = nullptr;
        FcChar8* fam = nullptr;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &m.weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &m.slant);
        if (FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch)
            m.family = reinterpret_cast<const char*>(fam);
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            m.file = reinterpret_cast<const char*>(file);
            FcPatternGetInteger(match, FC_INDEX, 0, &m.index);
        }
        FcPatternDestroy(match);
    }
    return matches.emplace(key, std::move(m)).first->second;
}

Font& FontEngine::Get(const FontRequest& request) {
    std::string key = KeyOf(request);
    auto it = impl_->fonts.find(key);
    if (it != impl_->fonts.end()) return *it->second;

    auto font = std::unique_ptr<Font>(new Font());
    font->request_ = request;
    font->serial_ = ++impl_->fontsMade;
    const FontMatch& match = impl_->Match(request);
    if (match.found) {
        font->family_ = match.family;
        FT_Face face = nullptr;
        if (!match.file.empty() &&
            FT_New_Face(impl_->ft, match.file.c_str(), match.index, &face) == 0) {
            font->face_ = face;
            font->emboldenSynthetic_ = request.bold && match.weight < FC_WEIGHT_DEMIBOLD;
            font->obliqueSynthetic_ = request.italic && match.slant == FC_SLANT_ROMAN;
        }
    }
    if (auto* face = static_cast<FT_Face>(font->face_)) {
        int px = PointsToPixels(request.sizePt);
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(px));
        if (request.advancePx > 0 && AdvanceOfA(face) != request.advancePx)
            StretchToAdvance(face, px, request.advancePx);
        // Windows cell metrics: the OS/2 win ascent/descent scaled to the em.
        const FT_Size_Metrics& m = face->size->metrics;
        font->ascent_ = static_cast<int>((m.ascender + 63) >> 6);
        font->descent_ = static_cast<int>((-m.descender + 63) >> 6);
        if (FT_IS_SCALABLE(face)) {
            double scale = static_cast<double>(px) / face->units_per_EM;
            font->underlinePos_ = static_cast<int>(-face->underline_position * scale + 0.5);
            font->underlineThickness_ =
                std::max(1, static_cast<int>(face->underline_thickness * scale + 0.5));
        }
    } else {
        font->ascent_ = PointsToPixels(request.sizePt);
        font->descent_ = font->ascent_ / 4;
    }
    Font& ref = *font;
    impl_->fonts.emplace(key, std::move(font));
    return ref;
}

Font::~Font() {
    if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
}

const GlyphImage& Font::Glyph(char32_t cp) {
    auto it = cache_.find(cp);
    if (it != cache_.end()) return it->second;
    GlyphImage g;
    auto* face = static_cast<FT_Face>(face_);
    if (face) {
        FT_UInt index = FT_Get_Char_Index(face, cp);
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) == 0) {
            FT_GlyphSlot slot = face->glyph;
            if (obliqueSynthetic_) FT_GlyphSlot_Oblique(slot);
            if (emboldenSynthetic_) FT_GlyphSlot_Embolden(slot);
            if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
                const FT_Bitmap& bm = slot->bitmap;
                g.width = static_cast<int>(bm.width);
                g.height = static_cast<int>(bm.rows);
                g.left = slot->bitmap_left;
                g.top = slot->bitmap_top;
                g.coverage.resize(static_cast<size_t>(g.width) * g.height);
                for (int y = 0; y < g.height; ++y)
                    std::memcpy(&g.coverage[static_cast<size_t>(y) * g.width],
                                bm.buffer + y * bm.pitch, static_cast<size_t>(g.width));
            }
            g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        }
    }
    return cache_.emplace(cp, std::move(g)).first->second;
}

int Font::CharWidth(uint8_t ch) { return Glyph(Cp1252ToUnicode(ch)).advance; }

Rect Font::InkBounds(char32_t cp) {
    const GlyphImage& g = Glyph(cp);
    const int gy = ascent_ - g.top;
    Rect ink =
        g.width > 0 && g.height > 0 ? Rect{g.left, gy, g.left + g.width, gy + g.height} : Rect{};
    if (request_.underline) {
        const int top = ascent_ + underlinePos_ - underlineThickness_ / 2;
        ink = ink.Union(Rect{0, top, g.advance, top + underlineThickness_});
    }
    return ink;
}

int Font::TextWidth(const std::string& s) {
    int w = 0;
    for (char c : s) w += CharWidth(static_cast<uint8_t>(c));
    return w;
}

int Font::DrawChar(Bitmap& dst, int x, int y, char32_t cp, Rgb colour, const Rect* clip) {
    const GlyphImage& g = Glyph(cp);
    Rect bounds = clip ? clip->Intersect(dst.Bounds()) : dst.Bounds();
    int gx = x + g.left;
    int gy = y + ascent_ - g.top;
    Rect area = Rect{gx, gy, gx + g.width, gy + g.height}.Intersect(bounds);
    for (int py = area.top; py < area.bottom; ++py) {
        const uint8_t* cov = &g.coverage[static_cast<size_t>(py - gy) * g.width];
        uint32_t* row = dst.Row(py);
        for (int px = area.left; px < area.right; ++px) {
            unsigned a = cov[px - gx];
            if (a) row[px] = Blend(row[px], colour, a);
        }
    }
    if (request_.underline) DrawUnderline(dst, x, y, g.advance, colour, clip);
    return g.advance;
}

void Font::DrawUnderline(Bitmap& dst, int x, int y, int width, Rgb colour, const Rect* clip) {
    Rect bounds = clip ? clip->Intersect(dst.Bounds()) : dst.Bounds();
    int top = y + ascent_ + underlinePos_ - underlineThickness_ / 2;
    Rect r = Rect{x, top, x + width, top + underlineThickness_}.Intersect(bounds);
    for (int py = r.top; py < r.bottom; ++py)
        std::fill(dst.Row(py) + r.left, dst.Row(py) + r.right, colour);
}

int Font::Draw(Bitmap& dst, int x, int y, const std::string& s, Rgb colour, const Rect* clip) {
    for (char c : s)
        x += DrawChar(dst, x, y, Cp1252ToUnicode(static_cast<uint8_t>(c)), colour, clip);
    return x;
}

}  // namespace qs
