// Small hand-made metafiles for the tests: records are written field by
// field, so a test can also write records that are wrong on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace qs::test {

inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

// An EMF whose frame is 100 x 100 reference pixels (10 pixels per mm), so
// that in MM_TEXT one logical unit is one pixel when drawn into 100 x 100.
class EmfBuilder {
public:
    EmfBuilder() {
        Record(1, {0,          0,       99,   99,    // bounds
                   0,          0,       1000, 1000,  // frame, 0.01 mm
                   0x464D4520, 0x10000, 0,    0,     // signature, version, bytes, records (patched)
                   16,                               // handles (16-bit) and reserved
                   0,          0,       0,           // description, palette
                   1000,       1000,    100,  100,   // device pixels, millimetres
                   0,          0,       0,           // pixel format, OpenGL
                   100000,     100000});             // micrometres
    }
    EmfBuilder& Record(uint32_t type, std::initializer_list<int32_t> fields) {
        Put32(bytes_, type);
        Put32(bytes_, static_cast<uint32_t>(8 + 4 * fields.size()));
        for (int32_t f : fields) Put32(bytes_, static_cast<uint32_t>(f));
        return *this;
    }
    // A record too long to spell out field by field.
    EmfBuilder& Record(uint32_t type, const std::vector<int32_t>& fields) {
        Put32(bytes_, type);
        Put32(bytes_, static_cast<uint32_t>(8 + 4 * fields.size()));
        for (int32_t f : fields) Put32(bytes_, static_cast<uint32_t>(f));
        return *this;
    }
    // A record with a size field that need not match its contents.
    EmfBuilder& RawRecord(uint32_t type, uint32_t size, std::initializer_list<int32_t> fields) {
        Put32(bytes_, type);
        Put32(bytes_, size);
        for (int32_t f : fields) Put32(bytes_, static_cast<uint32_t>(f));
        return *this;
    }
    EmfBuilder& Float(uint32_t type, std::initializer_list<float> fields,
                      std::initializer_list<int32_t> tail = {}) {
        Put32(bytes_, type);
        Put32(bytes_, static_cast<uint32_t>(8 + 4 * (fields.size() + tail.size())));
        for (float f : fields) {
            uint32_t u;
            static_assert(sizeof u == sizeof f);
            __builtin_memcpy(&u, &f, 4);
            Put32(bytes_, u);
        }
        for (int32_t f : tail) Put32(bytes_, static_cast<uint32_t>(f));
        return *this;
    }
    // Common records.
    EmfBuilder& Brush(uint32_t index, uint32_t colorRef, uint32_t style = 0) {
        return Record(39, {int32_t(index), int32_t(style), int32_t(colorRef), 0});
    }
    EmfBuilder& Select(uint32_t index) { return Record(37, {int32_t(index)}); }
    EmfBuilder& NullPen() { return Select(0x80000008u); }
    EmfBuilder& Rect(int l, int t, int r, int b) { return Record(43, {l, t, r, b}); }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> b = bytes_;
        auto patch = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
        };
        patch(48, static_cast<uint32_t>(b.size()));
        return b;
    }
    std::vector<uint8_t> WithEof() const {
        EmfBuilder e = *this;
        e.Record(14, {0, 16, 20});
        return e.Bytes();
    }

private:
    std::vector<uint8_t> bytes_;
};

// A WMF, placeable with the bounding box 0..w x 0..h at 96 units per inch,
// or plain.
class WmfBuilder {
public:
    explicit WmfBuilder(bool placeable = true, int w = 100, int h = 100) {
        if (placeable) {
            Put32(bytes_, 0x9AC6CDD7u);
            Put16(bytes_, 0);
            for (int v : {0, 0, w, h}) Put16(bytes_, static_cast<uint16_t>(v));
            Put16(bytes_, 96);
            Put32(bytes_, 0);
            Put16(bytes_, 0);  // checksum, not checked
        }
        Put16(bytes_, 1);
        Put16(bytes_, 9);
        Put16(bytes_, 0x0300);
        Put32(bytes_, 0);
        Put16(bytes_, 8);  // objects
        Put32(bytes_, 0);
        Put16(bytes_, 0);
    }
    WmfBuilder& Record(uint16_t fn, std::initializer_list<int> params) {
        Put32(bytes_, static_cast<uint32_t>(3 + params.size()));
        Put16(bytes_, fn);
        for (int p : params) Put16(bytes_, static_cast<uint16_t>(p));
        return *this;
    }
    WmfBuilder& RawRecord(uint32_t sizeWords, uint16_t fn, std::initializer_list<int> params) {
        Put32(bytes_, sizeWords);
        Put16(bytes_, fn);
        for (int p : params) Put16(bytes_, static_cast<uint16_t>(p));
        return *this;
    }
    // CreateBrushIndirect: style, COLORREF (two words), hatch.
    WmfBuilder& Brush(uint32_t colorRef) {
        return Record(0x02FC, {0, int(colorRef & 0xFFFF), int(colorRef >> 16), 0});
    }
    WmfBuilder& NullPen() { return Record(0x02FA, {5, 0, 0, 0, 0}); }
    WmfBuilder& Select(int index) { return Record(0x012D, {index}); }
    WmfBuilder& Delete(int index) { return Record(0x01F0, {index}); }
    // Rectangle: the parameters come bottom, right, top, left.
    WmfBuilder& Rect(int l, int t, int r, int b) { return Record(0x041B, {b, r, t, l}); }
    std::vector<uint8_t> Bytes() const { return bytes_; }
    std::vector<uint8_t> WithEof() const {
        WmfBuilder w = *this;
        w.Record(0, {});
        return w.bytes_;
    }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace qs::test
