// PNG files for tests: reference pictures and pictures to look at.
#pragma once

#include <optional>
#include <string>

#include "screen/surface/Bitmap.h"

namespace qs::test {

// Writes an opaque RGB PNG; false on any error.
bool WritePng(const std::string& path, const Bitmap& bitmap);
// Reads an RGB or RGBA PNG (alpha dropped); nullopt on any error.
std::optional<Bitmap> ReadPng(const std::string& path);

}  // namespace qs::test
