// Decoding of picture files (PNG, JPEG, GIF, BMP) held in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "screen/surface/Bitmap.h"

namespace qs {

// Pictures wider or taller than this are refused before any pixel memory is taken.
inline constexpr int kMaxImageSide = 8192;

struct DecodedImage {
    Bitmap rgb;                  // 0x00RRGGBB, not premultiplied
    std::vector<uint8_t> alpha;  // one byte per pixel, row by row; empty when opaque
};

// Detects the format by content. nullopt for unknown, corrupt, empty or oversized pictures,
// and for pictures of more than maxPixels pixels (told by the header, before decoding).
std::optional<DecodedImage> DecodeImage(const std::vector<uint8_t>& bytes,
                                        uint64_t maxPixels = UINT64_MAX);

// The size a picture will decode to, read from its header alone; nullopt when
// the header cannot tell (unknown format, too short).
std::optional<Size> ProbeImageSize(const std::vector<uint8_t>& bytes);

// The single decoders, for callers that already know the format.
std::optional<DecodedImage> DecodePng(const uint8_t* data, size_t size);
std::optional<DecodedImage> DecodeJpeg(const uint8_t* data, size_t size);
std::optional<DecodedImage> DecodeGif(const uint8_t* data, size_t size);
std::optional<DecodedImage> DecodeBmp(const uint8_t* data, size_t size);

// True when w x h is a size the decoders accept.
inline bool AcceptableImageSize(long long w, long long h) {
    return w > 0 && h > 0 && w <= kMaxImageSide && h <= kMaxImageSide;
}

// Drops the alpha plane when every pixel is fully opaque.
void DropOpaqueAlpha(DecodedImage& image);

}  // namespace qs
