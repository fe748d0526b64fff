// Bitwise raster operations on bitmaps, with the semantics of the Windows
// bit-block calls the trainer was written against. Every operation clips to
// the destination bitmap and, where given, to a clip rectangle. Colours are
// 0x00RRGGBB: combined and filled pixels get a top byte of 0; plain copies move
// pixels unchanged (everything drawn here already has a zero top byte).
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

// Combines one pixel; the result has the top byte cleared.
inline uint32_t Combine(uint32_t dst, uint32_t src, Rop rop) {
    switch (rop) {
        case Rop::Copy: return src & 0xFFFFFFu;
        case Rop::And: return dst & src & 0xFFFFFFu;
        case Rop::Or: return (dst | src) & 0xFFFFFFu;
        case Rop::Xor: return (dst ^ src) & 0xFFFFFFu;
        case Rop::Invert: return ~dst & 0xFFFFFFu;
    }
    return dst;
}

// Fills r (clipped to the bitmap and to clip) with colour c combined by rop.
void FillRect(Bitmap& dst, const Rect& r, Rgb c, Rop rop = Rop::Copy);
void FillRect(Bitmap& dst, const Rect& r, Rgb c, Rop rop, const Rect& clip);

// Copies the part src of from to (dx, dy) of dst, clipped on both sides.
// from may be dst itself (or share its pixels); overlapping blocks are copied
// as if through a temporary, in every direction.
void Blit(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop = Rop::Copy);
void Blit(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop,
          const Rect& clip);

// Like Blit with Copy, but source pixels equal to key (top byte ignored) are skipped.
void BlitTransparent(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rgb key);
void BlitTransparent(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rgb key,
                     const Rect& clip);

// Copies src mirrored left to right: its rightmost column lands at dx.
// With transparent set, pixels equal to key are skipped. from must not share dst's pixels.
void BlitMirrored(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src,
                  Rop rop = Rop::Copy);
void BlitMirrored(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop,
                  const Rect& clip);
void BlitMirroredTransparent(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src,
                             Rgb key, const Rect& clip);

// A left-right mirrored copy, and mirroring in place.
Bitmap Mirrored(const Bitmap& from);
void MirrorInPlace(Bitmap& bitmap);

// Nearest-neighbour stretch of src of from onto the rectangle to of dst.
// Destination pixel i of a row samples source column src.left + floor((2i + 1) * sw / (2 dw)),
// the source pixel under its centre; rows likewise. Any size up or down; an empty
// rectangle on either side draws nothing. from must not share dst's pixels.
void StretchBlit(Bitmap& dst, const Rect& to, const Bitmap& from, const Rect& src,
                 Rop rop = Rop::Copy);
void StretchBlit(Bitmap& dst, const Rect& to, const Bitmap& from, const Rect& src, Rop rop,
                 const Rect& clip);

// Bilinear stretch of src of from into a new bitmap of w x h, with pixel centres
// aligned; meant for once at picture load, not per frame. alpha (one byte per pixel
// of from, or empty) is resampled alongside into alphaOut, weighting colours by alpha
// so that transparent pixels do not bleed their colour.
Bitmap StretchBilinear(const Bitmap& from, const Rect& src, int w, int h);
Bitmap StretchBilinear(const Bitmap& from, const std::vector<uint8_t>& alpha, const Rect& src,
                       int w, int h, std::vector<uint8_t>& alphaOut);

}  // namespace qs
