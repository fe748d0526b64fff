#include "screen/print/PrintFonts.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <memory>

#include <strings.h>
#include <algorithm>
#include <initializer_list>

// The one function of cairo-ft.h used here. That header pulls in FreeType's
// configuration headers, which name the C library's file and random
// functions that the core keeps out, so the declaration stands alone.
extern "C" cairo_font_face_t* cairo_ft_font_face_create_for_pattern(FcPattern* pattern);

namespace qs {

namespace {

constexpr FcChar32 kCheckMark = 0x2713;  // ✓

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The best installed match for the families in order of preference.
Pattern Match(std::initializer_list<const char*> families, bool bold, FcChar32 mustHave = 0) {
    Pattern want(FcPatternCreate());
    for (const char* family : families) {
        FcPatternAddString(want.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    }
    FcPatternAddInteger(want.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(want.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(want.get(), FC_SCALABLE, FcTrue);
    if (mustHave != 0) {
        FcCharSet* set = FcCharSetCreate();
        FcCharSetAddChar(set, mustHave);
        FcPatternAddCharSet(want.get(), FC_CHARSET, set);
        FcCharSetDestroy(set);
    }
    FcConfigSubstitute(nullptr, want.get(), FcMatchPattern);
    FcDefaultSubstitute(want.get());
    FcResult result = FcResultNoMatch;
    Pattern found(FcFontMatch(nullptr, want.get(), &result));
    if (!found || result != FcResultMatch) return nullptr;
    if (mustHave != 0) {
        FcCharSet* have = nullptr;
        if (FcPatternGetCharSet(found.get(), FC_CHARSET, 0, &have) != FcResultMatch ||
            !FcCharSetHasChar(have, mustHave)) {
            return nullptr;
        }
    }
    return found;
}

std::string FamilyOf(FcPattern* pattern) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(family);
}

Pattern MatchRole(int role, bool bold) {
    switch (role) {
        case 0:
            return Match(
                {"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono", "monospace"},
                bold);
        case 1:
            return Match({"Arial Narrow", "Liberation Sans Narrow", "Nimbus Sans Narrow",
                          "Liberation Sans", "Arial", "sans-serif"},
                         bold);
        case 2: {
            Pattern found = Match({"QXBRUCH"}, bold);
            if (found && strcasecmp(FamilyOf(found.get()).c_str(), "QXBRUCH") == 0) return found;
            return nullptr;
        }
        default:
            return Match(
                {"DejaVu Sans", "Symbola", "Noto Sans Symbols2", "FreeSerif", "sans-serif"}, bold,
                kCheckMark);
    }
}

}  // namespace

PrintFonts::PrintFonts() = default;

PrintFonts::~PrintFonts() {
    for (auto& [key, font] : scaled_) cairo_scaled_font_destroy(font);
    for (auto& [key, face] : faces_) {
        if (face) cairo_font_face_destroy(face);
    }
}

PrintFonts::Role PrintFonts::RoleOf(PrintFace face) {
    switch (face) {
        case PrintFace::Narrow: return Role::Narrow;
        case PrintFace::Fraction: return Role::Fraction;
        case PrintFace::Base: break;
    }
    return Role::Base;
}

cairo_font_face_t* PrintFonts::Face(Role role, bool bold) {
    auto key = std::make_pair(role, bold);
    auto it = faces_.find(key);
    if (it != faces_.end()) return it->second;
    cairo_font_face_t* face = nullptr;
    std::string family;
    if (Pattern found = MatchRole(static_cast<int>(role), bold)) {
        face = cairo_ft_font_face_create_for_pattern(found.get());
        family = FamilyOf(found.get());
        if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(face);
            face = nullptr;
        }
    }
    if (!face && role == Role::Fraction) {
        // Without the fraction face its digits print in the base face.
        face = Face(Role::Base, bold);
        family = families_[{Role::Base, bold}];
        if (face) cairo_font_face_reference(face);
    }
    if (!face && role != Role::Check) {
        // No font configuration at all: cairo's own default face.
        face = cairo_toy_font_face_create("monospace", CAIRO_FONT_SLANT_NORMAL,
                                          bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        family = "monospace";
    }
    faces_[key] = face;
    families_[key] = family;
    return face;
}

cairo_scaled_font_t* PrintFonts::Scaled(Role role, int size, bool bold) {
    size = std::clamp(size, 1, 255);
    Key key{role, size, bold};
    auto it = scaled_.find(key);
    if (it != scaled_.end()) return it->second;
    cairo_font_face_t* face = Face(role, bold);
    if (!face) return nullptr;
    cairo_matrix_t fontMatrix;
    cairo_matrix_init_scale(&fontMatrix, size * kPrintDpi / 72.0, size * kPrintDpi / 72.0);
    cairo_matrix_t ctm;
    cairo_matrix_init_scale(&ctm, 72.0 / kPrintDpi, 72.0 / kPrintDpi);
    cairo_font_options_t* options = cairo_font_options_create();
    // Unhinted metrics: widths scale with the size and match between
    // measuring and drawing.
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_scaled_font_t* font = cairo_scaled_font_create(face, &fontMatrix, &ctm, options);
    cairo_font_options_destroy(options);
    scaled_[key] = font;
    return font;
}

cairo_scaled_font_t* PrintFonts::Text(const PrintFont& font) {
    return Scaled(RoleOf(font.face), font.size, font.bold);
}

cairo_scaled_font_t* PrintFonts::Check(const PrintFont& font) {
    return Scaled(Role::Check, font.size, font.bold);
}

double PrintFonts::TextWidth(const PrintFont& font, std::string_view text) {
    if (text.empty()) return 0;
    cairo_text_extents_t extents;
    std::string utf8 = Windows1252ToUtf8(text);
    cairo_scaled_font_text_extents(Text(font), utf8.c_str(), &extents);
    return extents.x_advance;
}

double PrintFonts::LineHeight(const PrintFont& font) {
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(Text(font), &extents);
    return extents.ascent + extents.descent;
}

double PrintFonts::Ascent(const PrintFont& font) {
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(Text(font), &extents);
    return extents.ascent;
}

std::string PrintFonts::Family(PrintFace face, bool bold) {
    Role role = RoleOf(face);
    Face(role, bold);
    return families_[{role, bold}];
}

}  // namespace qs
