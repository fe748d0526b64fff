#include "screen/image/ImageDecode.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace qs {

namespace {

bool StartsWith(const std::vector<uint8_t>& b, const char* magic, size_t n) {
    return b.size() >= n && std::memcmp(b.data(), magic, n) == 0;
}

uint32_t Be16(const std::vector<uint8_t>& b, size_t at) { return uint32_t{b[at]} << 8 | b[at + 1]; }
uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return uint32_t{b[at + 1]} << 8 | b[at]; }
uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
    return Be16(b, at) << 16 | Be16(b, at + 2);
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return Le16(b, at + 2) << 16 | Le16(b, at);
}

// The first frame marker (SOFn) holds height and width.
std::optional<Size> ProbeJpeg(const std::vector<uint8_t>& b) {
    size_t at = 2;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF) return std::nullopt;
        const uint8_t marker = b[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const size_t length = Be16(b, at + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > b.size()) return std::nullopt;
            return Size{static_cast<int>(Be16(b, at + 7)), static_cast<int>(Be16(b, at + 5))};
        }
        if (length < 2) return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

// The logical screen, grown to the first image as the decoder grows it.
std::optional<Size> ProbeGif(const std::vector<uint8_t>& b) {
    if (b.size() < 13) return std::nullopt;
    long long w = Le16(b, 6), h = Le16(b, 8);
    size_t at = 13;
    if (b[10] & 0x80) at += 3u << ((b[10] & 7) + 1);
    while (at < b.size()) {
        if (b[at] == 0x2C) {
            if (at + 9 > b.size()) return std::nullopt;
            w = std::max<long long>(w, Le16(b, at + 1) + Le16(b, at + 5));
            h = std::max<long long>(h, Le16(b, at + 3) + Le16(b, at + 7));
            return Size{static_cast<int>(w), static_cast<int>(h)};
        }
        if (b[at] != 0x21 || at + 2 > b.size()) return std::nullopt;
        at += 2;  // introducer and label, then sub-blocks up to an empty one
        while (at < b.size() && b[at] != 0) at += 1 + size_t{b[at]};
        ++at;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Size> ProbeImageSize(const std::vector<uint8_t>& b) {
    if (StartsWith(b, "\x89PNG\r\n\x1a\n", 8)) {
        if (b.size() < 24) return std::nullopt;
        const uint32_t w = Be32(b, 16), h = Be32(b, 20);
        if (w > INT32_MAX || h > INT32_MAX) return std::nullopt;
        return Size{static_cast<int>(w), static_cast<int>(h)};
    }
    if (StartsWith(b, "\xFF\xD8\xFF", 3)) return ProbeJpeg(b);
    if (StartsWith(b, "GIF87a", 6) || StartsWith(b, "GIF89a", 6)) return ProbeGif(b);
    if (StartsWith(b, "BM", 2)) {
        if (b.size() < 26) return std::nullopt;
        if (Le32(b, 14) == 12)  // the OS/2 header has 16-bit sizes
            return Size{static_cast<int>(Le16(b, 18)), static_cast<int>(Le16(b, 20))};
        const auto w = static_cast<int32_t>(Le32(b, 18));
        const auto h = static_cast<int32_t>(Le32(b, 22));
        if (w <= 0 || h == INT32_MIN) return std::nullopt;
        return Size{w, h < 0 ? -h : h};
    }
    return std::nullopt;
}

void DropOpaqueAlpha(DecodedImage& image) {
    if (std::all_of(image.alpha.begin(), image.alpha.end(), [](uint8_t a) { return a == 255; }))
        image.alpha.clear();
}

std::optional<DecodedImage> DecodeImage(const std::vector<uint8_t>& bytes, uint64_t maxPixels) {
    if (maxPixels != UINT64_MAX) {
        const std::optional<Size> size = ProbeImageSize(bytes);
        if (!size || uint64_t(size->w) * uint64_t(size->h) > maxPixels) return std::nullopt;
    }
    const uint8_t* d = bytes.data();
    size_t n = bytes.size();
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return DecodePng(d, n);
    if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) return DecodeJpeg(d, n);
    if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6)) return DecodeGif(d, n);
    if (StartsWith(bytes, "BM", 2)) return DecodeBmp(d, n);
    return std::nullopt;
}

}  // namespace qs
