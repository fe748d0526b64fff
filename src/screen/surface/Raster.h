// Bitwise raster operations on bitmaps, with the semantics of the Windows
// bit-block calls the trainer was written against.
#pragma once

#include "screen/surface/Bitmap.h"

namespace qs {

enum class Rop : uint8_t {
    Copy,    // dst = src
    And,     // dst = dst & src
    Or,      // dst = dst | src
    Xor,     // dst = dst ^ src
    Invert,  // dst = ~dst (src ignored)
};

// Fills r (clipped to the bitmap) with colour c combined by rop.
void FillRect(Bitmap& dst, const Rect& r, Rgb c, Rop rop = Rop::Copy);

// Copies the part src of from to (dx, dy) of dst, clipped on both sides.
void Blit(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop = Rop::Copy);

}  // namespace qs
