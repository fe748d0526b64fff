// Compares a drawn bitmap with a stored reference picture.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "screen/surface/Bitmap.h"

namespace qs::test {

// How far a picture may stray from its reference.
struct Tolerance {
    // Pixels per thousand that may differ: 0 wants every pixel equal.
    int differingPerMille = 0;
};

// Renderings of metafile pictures: a few pixels on the edges of shapes may
// differ between cairo versions, up to one in 200.
inline constexpr Tolerance kMetafileTolerance{5};

// Succeeds when bitmap equals the reference tests/data/REFERENCE.png (for
// example "ref/graph-text") within the tolerance. With the environment
// variable QS_UPDATE_REFERENCES=1 the reference is rewritten instead. On a
// mismatch the drawn picture is written to ref-actual/REFERENCE.png in the
// build folder, and the message names it.
::testing::AssertionResult MatchesReference(const Bitmap& bitmap, const std::string& reference,
                                            Tolerance tolerance = {});

}  // namespace qs::test
