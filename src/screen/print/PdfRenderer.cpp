#include "screen/print/PdfRenderer.h"

#include <cairo-pdf.h>
#include <cairo.h>

namespace qs {

namespace {

constexpr const char* kCheckMarkUtf8 = "\u2713";

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void DrawText(cairo_t* cr, cairo_scaled_font_t* font, double x, double baseline,
              const std::string& utf8) {
    cairo_set_scaled_font(cr, font);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, utf8.c_str());
}

// A check mark drawn as two strokes, for a system without a face that has one.
void DrawCheckStrokes(cairo_t* cr, double x, double top, double height) {
    const double h = height * 0.6;
    const double y = top + height * 0.25;
    cairo_save(cr);
    cairo_set_line_width(cr, h * 0.12);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, x + h * 0.15, y + h * 0.55);
    cairo_line_to(cr, x + h * 0.4, y + h * 0.85);
    cairo_line_to(cr, x + h * 0.9, y + h * 0.1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawItem(cairo_t* cr, const PlacedItem& item, PrintFonts& fonts) {
    switch (item.kind) {
        case PlacedItem::Kind::Text:
            DrawText(cr, fonts.Text(item.font), item.x, item.y + fonts.Ascent(item.font),
                     Windows1252ToUtf8(item.text));
            return;
        case PlacedItem::Kind::Rule:
            cairo_rectangle(cr, item.x, item.y, item.width, kRuleThickness);
            cairo_fill(cr);
            return;
        case PlacedItem::Kind::Check:
            if (cairo_scaled_font_t* check = fonts.Check(item.font)) {
                DrawText(cr, check, item.x, item.y + fonts.Ascent(item.font), kCheckMarkUtf8);
            } else {
                DrawCheckStrokes(cr, item.x, item.y, fonts.LineHeight(item.font));
            }
            return;
    }
}

}  // namespace

std::optional<std::vector<uint8_t>> RenderPdf(const PrintLayout& layout, PrintFonts& fonts,
                                              PageSize page) {
    if (layout.pages <= 0) return std::nullopt;
    std::vector<uint8_t> pdf;
    const double scale = 72.0 / kPrintDpi;
    cairo_surface_t* surface =
        cairo_pdf_surface_create_for_stream(Append, &pdf, page.width * scale, page.height * scale);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, "Quendelstrand");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Quendelstrand");
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    cairo_set_source_rgb(cr, 0, 0, 0);
    size_t next = 0;
    for (int p = 0; p < layout.pages; ++p) {
        while (next < layout.items.size() && layout.items[next].page == p) {
            DrawItem(cr, layout.items[next], fonts);
            ++next;
        }
        cairo_show_page(cr);
    }
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) return std::nullopt;
    return pdf;
}

}  // namespace qs
