// The printing faces, found through fontconfig and drawn with cairo: the
// Windows faces of the printer file when the system has them, otherwise
// their free metric look-alikes ("Courier New" -> Liberation Mono,
// "Arial Narrow" -> Liberation Sans Narrow), and a face with a check mark.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "screen/print/PrintLayout.h"

typedef struct _cairo_font_face cairo_font_face_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace qs {

class PrintFonts : public PrintMeasure {
public:
    PrintFonts();
    ~PrintFonts() override;
    PrintFonts(const PrintFonts&) = delete;
    PrintFonts& operator=(const PrintFonts&) = delete;

    double TextWidth(const PrintFont& font, std::string_view text) override;
    double LineHeight(const PrintFont& font) override;
    double Ascent(const PrintFont& font);

    // The font for the text of a piece, in device dots of kPrintDpi, for a
    // cairo context scaled by 72 / kPrintDpi. Owned by this object.
    cairo_scaled_font_t* Text(const PrintFont& font);
    // The font for the check mark at the size of font; nullptr when no face
    // on the system has one.
    cairo_scaled_font_t* Check(const PrintFont& font);

    // The family that a face comes out in (for tests and diagnostics).
    std::string Family(PrintFace face, bool bold);

private:
    enum class Role : uint8_t { Base, Narrow, Fraction, Check };
    using Key = std::tuple<Role, int, bool>;

    static Role RoleOf(PrintFace face);
    cairo_font_face_t* Face(Role role, bool bold);
    cairo_scaled_font_t* Scaled(Role role, int size, bool bold);

    std::map<std::pair<Role, bool>, cairo_font_face_t*> faces_;
    std::map<std::pair<Role, bool>, std::string> families_;
    std::map<Key, cairo_scaled_font_t*> scaled_;
    int checkState_ = -1;  // -1 unknown, 0 none, 1 available
};

}  // namespace qs
