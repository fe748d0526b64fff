// Little-endian reads from a byte range that never step outside it: a read
// past the end gives 0, and Has() tells the caller beforehand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qs::meta {

struct ByteReader {
    const uint8_t* data = nullptr;
    size_t size = 0;

    bool Has(size_t offset, size_t length) const {
        return offset <= size && length <= size - offset;
    }
    // True when count items of itemSize bytes fit from offset on.
    bool Fits(size_t offset, uint64_t count, size_t itemSize) const {
        return offset <= size && count <= (size - offset) / itemSize;
    }
    uint16_t U16(size_t o) const {
        return Has(o, 2) ? static_cast<uint16_t>(data[o] | (data[o + 1] << 8)) : 0;
    }
    int16_t I16(size_t o) const { return static_cast<int16_t>(U16(o)); }
    uint32_t U32(size_t o) const {
        if (!Has(o, 4)) return 0;
        return static_cast<uint32_t>(data[o]) | (static_cast<uint32_t>(data[o + 1]) << 8) |
               (static_cast<uint32_t>(data[o + 2]) << 16) |
               (static_cast<uint32_t>(data[o + 3]) << 24);
    }
    int32_t I32(size_t o) const { return static_cast<int32_t>(U32(o)); }
    float F32(size_t o) const {
        uint32_t u = U32(o);
        float f;
        std::memcpy(&f, &u, sizeof f);
        return f;
    }
    ByteReader Sub(size_t offset, size_t length) const {
        if (!Has(offset, length)) return {};
        return {data + offset, length};
    }
};

}  // namespace qs::meta
