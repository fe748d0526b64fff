// Drawing a laid-out printer file into a PDF document in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "screen/print/PrintFonts.h"
#include "screen/print/PrintLayout.h"

namespace qs {

// A PDF with layout.pages pages of the given size; nullopt when cairo fails
// (out of memory) or the layout has no pages.
std::optional<std::vector<uint8_t>> RenderPdf(const PrintLayout& layout, PrintFonts& fonts,
                                              PageSize page = {});

}  // namespace qs
