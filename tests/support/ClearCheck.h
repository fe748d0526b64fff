// Draw, clear, compare: whether what a screen clears takes away everything it
// drew. A game's clear is right when the window after drawing and clearing is,
// pixel for pixel, the window before; these helpers say where it is not.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "screen/Dos.h"

namespace qs::test {

// The pixels of within where two pictures differ, and their extent.
struct Leftover {
    int pixels = 0;
    Rect extent;
};
Leftover Difference(const Bitmap& a, const Bitmap& b, const Rect& within);

// "W x H at X,Y".
std::string Describe(const Rect& r);

// Runs draw, then clear, on d's window. Succeeds when draw changed the window
// (a drawing that leaves nothing proves nothing) and clear brought every pixel
// back; otherwise the message tells what was left and where.
::testing::AssertionResult ClearsWhatWasDrawn(Dos& d, const std::function<void()>& draw,
                                              const std::function<void()>& clear);

}  // namespace qs::test
