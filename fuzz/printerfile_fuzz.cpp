// libFuzzer target for the printer file: any bytes, read with and without the
// printing conversion and laid out on pages, must give pieces and placed
// items that point only at what exists, without crashing or reading out of
// bounds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "screen/print/PrintLayout.h"
#include "screen/print/PrinterFile.h"

namespace {

// Fixed-pitch measuring in proportion to the point size, so that a layout
// needs no fonts.
class PitchMeasure : public qs::PrintMeasure {
public:
    double TextWidth(const qs::PrintFont& font, std::string_view text) override {
        return font.size * 5.0 * static_cast<double>(text.size());
    }
    double LineHeight(const qs::PrintFont& font) override { return font.size * 9.0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    for (const bool noConversion : {false, true}) {
        const std::vector<qs::PrintPiece> pieces = qs::ParsePrinterFile(bytes, noConversion);
        for (const qs::PrintPiece& p : pieces) {
            if (p.tab < -1 || p.tab > 255) std::abort();
            (void)qs::Windows1252ToUtf8(p.text);
        }
        PitchMeasure measure;
        const qs::PrintLayout layout = qs::LayOutPrinterFile(pieces, measure);
        if (pieces.empty() != (layout.pages == 0)) std::abort();
        for (const qs::PlacedItem& item : layout.items) {
            if (item.piece >= pieces.size()) std::abort();
            if (item.page < 0 || item.page >= layout.pages) std::abort();
            if (!std::isfinite(item.x) || !std::isfinite(item.y) || !std::isfinite(item.width))
                std::abort();
        }
    }
    return 0;
}
