#include "screen/image/ImageDecode.h"

#include <algorithm>
#include <cstring>

namespace qs {

namespace {

bool StartsWith(const std::vector<uint8_t>& b, const char* magic, size_t n) {
    return b.size() >= n && std::memcmp(b.data(), magic, n) == 0;
}

}  // namespace

void DropOpaqueAlpha(DecodedImage& image) {
    if (std::all_of(image.alpha.begin(), image.alpha.end(), [](uint8_t a) { return a == 255; }))
        image.alpha.clear();
}

std::optional<DecodedImage> DecodeImage(const std::vector<uint8_t>& bytes) {
    const uint8_t* d = bytes.data();
    size_t n = bytes.size();
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return DecodePng(d, n);
    if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) return DecodeJpeg(d, n);
    if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6)) return DecodeGif(d, n);
    if (StartsWith(bytes, "BM", 2)) return DecodeBmp(d, n);
    return std::nullopt;
}

}  // namespace qs
