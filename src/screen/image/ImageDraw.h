// Putting a decoded picture onto a bitmap, as pictures are placed when they are loaded.
#pragma once

#include "screen/image/ImageDecode.h"

namespace qs {

enum class ImageFilter : uint8_t { Nearest, Bilinear };

// Stretches the whole picture onto the rectangle to of dst (clipped to dst and clip) and
// blends it over what is there by its alpha; opaque pictures simply replace the pixels.
// Bilinear is for load time; it builds a resampled copy first.
void DrawImage(Bitmap& dst, const Rect& to, const DecodedImage& image, ImageFilter filter,
               const Rect& clip);
inline void DrawImage(Bitmap& dst, const Rect& to, const DecodedImage& image,
                      ImageFilter filter = ImageFilter::Bilinear) {
    DrawImage(dst, to, image, filter, dst.Bounds());
}

}  // namespace qs
