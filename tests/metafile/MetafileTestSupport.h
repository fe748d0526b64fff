// Helpers of the metafile tests: file bytes, comparing with reference PNGs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screen/surface/Bitmap.h"

namespace qs::test {

std::vector<uint8_t> ReadBytes(const std::string& path);

// Compares bitmap with tests/data/metafile/ref/<name>.png. With
// QS_UPDATE_REFERENCES=1 in the environment the reference is rewritten
// instead. On a mismatch the rendered picture is written beside the build
// for a look and its path is in the message.
::testing::AssertionResult MatchesReference(const Bitmap& bitmap, const std::string& name);

}  // namespace qs::test
