// Compares a drawn bitmap with a stored reference picture in tests/data/ref.
#pragma once

#include <string>

#include "screen/surface/Bitmap.h"

namespace qs::test {

// Expects bitmap to equal tests/data/ref/NAME.png pixel for pixel. With the environment
// variable QS_UPDATE_REFERENCES=1 the reference is rewritten instead. On a mismatch the
// drawn picture is written to ref-actual/NAME.png in the build folder for inspection.
void ExpectMatchesReference(const Bitmap& bitmap, const std::string& name);

// Reads a whole file; empty when it is missing.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace qs::test
