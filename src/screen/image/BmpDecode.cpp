#include <algorithm>
#include <bit>
#include <cstring>

#include "screen/image/ImageDecode.h"

namespace qs {

namespace {

uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m = 0) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m);
    }
    // Masks with holes are not meaningful; the caller refuses them.
    bool Contiguous() const { return !mask || ((mask >> shift) & ((mask >> shift) + 1)) == 0; }
    uint8_t Extract(uint32_t v) const {
        if (!mask) return 0;
        uint32_t x = (v & mask) >> shift;
        if (bits >= 8) return static_cast<uint8_t>(x >> (bits - 8));
        uint32_t max = (1u << bits) - 1;
        return static_cast<uint8_t>((x * 255 + max / 2) / max);
    }
};

struct BmpHeader {
    long long width = 0;
    long long height = 0;
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = kBiRgb;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    size_t paletteOffset = 0;
    int paletteEntrySize = 4;
    size_t paletteCount = 0;
    size_t pixelOffset = 0;
};

std::optional<BmpHeader> ReadHeader(const uint8_t* d, size_t size) {
    if (size < 14 + 12) return std::nullopt;
    BmpHeader h;
    h.pixelOffset = Le32(d + 10);
    uint32_t infoSize = Le32(d + 14);
    if (infoSize < 12 || 14 + static_cast<size_t>(infoSize) > size) return std::nullopt;
    const uint8_t* info = d + 14;
    if (infoSize == 12) {  // OS/2 core header
        h.width = Le16(info + 4);
        h.height = Le16(info + 6);
        h.bpp = static_cast<int>(Le16(info + 10));
        h.paletteEntrySize = 3;
    } else {
        if (infoSize < 40) return std::nullopt;
        h.width = static_cast<int32_t>(Le32(info + 4));
        h.height = static_cast<int32_t>(Le32(info + 8));
        h.bpp = static_cast<int>(Le16(info + 14));
        h.compression = Le32(info + 16);
        h.paletteCount = Le32(info + 32);
        if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
            // The masks follow a 40-byte header, or lie inside a larger one.
            size_t count = h.compression == kBiAlphaBitfields ? 4 : 3;
            if (infoSize >= 56) count = 4;
            else if (infoSize >= 52) count = std::max<size_t>(count, 3);
            size_t at = 14 + 40;
            if (at + 4 * count > size) return std::nullopt;
            for (size_t i = 0; i < count; ++i) h.masks[i] = Le32(d + at + 4 * i);
            if (infoSize < 56 && h.compression != kBiAlphaBitfields) h.masks[3] = 0;
        }
    }
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    if (!AcceptableImageSize(h.width, h.height)) return std::nullopt;
    h.paletteOffset = 14 + infoSize;
    if (infoSize == 40 && h.compression == kBiBitfields) h.paletteOffset += 12;
    if (infoSize == 40 && h.compression == kBiAlphaBitfields) h.paletteOffset += 16;
    return h;
}

}  // namespace

std::optional<DecodedImage> DecodeBmp(const uint8_t* d, size_t size) {
    auto hdr = ReadHeader(d, size);
    if (!hdr) return std::nullopt;
    const BmpHeader& h = *hdr;
    bool bitfields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    if (h.compression != kBiRgb && !bitfields) return std::nullopt;  // RLE and embedded JPEG/PNG
    if (bitfields && h.bpp != 16 && h.bpp != 32) return std::nullopt;
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
        return std::nullopt;

    std::vector<uint32_t> palette;
    if (h.bpp <= 8) {
        size_t count = h.paletteCount ? h.paletteCount : (size_t{1} << h.bpp);
        if (count > 256) return std::nullopt;
        // Writers often store fewer entries than the depth allows; the pixels start after them.
        if (h.pixelOffset > h.paletteOffset)
            count = std::min(count, (h.pixelOffset - h.paletteOffset) / h.paletteEntrySize);
        size_t bytes = count * static_cast<size_t>(h.paletteEntrySize);
        if (h.paletteOffset > size || bytes > size - h.paletteOffset) return std::nullopt;
        const uint8_t* p = d + h.paletteOffset;
        for (size_t i = 0; i < count; ++i, p += h.paletteEntrySize)
            palette.push_back(MakeRgb(p[2], p[1], p[0]));
        palette.resize(256, 0);  // out-of-range indices draw black
    }

    Channel red, green, blue, alpha;
    if (bitfields) {
        red = Channel(h.masks[0]);
        green = Channel(h.masks[1]);
        blue = Channel(h.masks[2]);
        alpha = Channel(h.masks[3]);
        if (!red.Contiguous() || !green.Contiguous() || !blue.Contiguous() || !alpha.Contiguous())
            return std::nullopt;
    } else if (h.bpp == 16) {
        red = Channel(0x7C00);
        green = Channel(0x03E0);
        blue = Channel(0x001F);
    } else if (h.bpp == 32) {
        // BI_RGB leaves the fourth byte unused.
        red = Channel(0xFF0000);
        green = Channel(0x00FF00);
        blue = Channel(0x0000FF);
    }

    int w = static_cast<int>(h.width), ht = static_cast<int>(h.height);
    size_t stride = ((static_cast<size_t>(w) * h.bpp + 31) / 32) * 4;
    if (h.pixelOffset > size || stride * static_cast<size_t>(ht) > size - h.pixelOffset)
        return std::nullopt;

    DecodedImage img;
    img.rgb.Allocate(w, ht);
    if (alpha.mask) img.alpha.resize(static_cast<size_t>(w) * ht);
    for (int y = 0; y < ht; ++y) {
        const uint8_t* src = d + h.pixelOffset + stride * static_cast<size_t>(y);
        int row = h.topDown ? y : ht - 1 - y;
        uint32_t* out = img.rgb.Row(row);
        uint8_t* aout = alpha.mask ? img.alpha.data() + static_cast<size_t>(row) * w : nullptr;
        for (int x = 0; x < w; ++x) {
            switch (h.bpp) {
                case 1: out[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
                case 4: out[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
                case 8: out[x] = palette[src[x]]; break;
                case 24: out[x] = MakeRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
                case 16:
                case 32: {
                    uint32_t v = h.bpp == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
                    out[x] = MakeRgb(red.Extract(v), green.Extract(v), blue.Extract(v));
                    if (aout) aout[x] = alpha.Extract(v);
                    break;
                }
            }
        }
    }
    // Writers that declare an alpha mask but leave it zero mean an opaque picture.
    if (std::all_of(img.alpha.begin(), img.alpha.end(), [](uint8_t a) { return a == 0; }))
        img.alpha.clear();
    DropOpaqueAlpha(img);
    return img;
}

}  // namespace qs
