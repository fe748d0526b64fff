// Encodes a bitmap as an 8-bit RGB PNG in memory (screenshots, reference images).
#pragma once

#include <cstdint>
#include <vector>

#include "screen/surface/Bitmap.h"

namespace qs {

// Returns the PNG file bytes; empty when the bitmap is empty or libpng fails.
std::vector<uint8_t> EncodePng(const Bitmap& bitmap);

}  // namespace qs
