// Small value types shared by every layer.
#pragma once

#include <algorithm>
#include <cstdint>

namespace qs {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int w = 0;
    int h = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Half-open rectangle: left/top inclusive, right/bottom exclusive, as the
// Windows drawing calls take them.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        if (r.Empty()) return Rect{};
        return r;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect Union(const Rect& o) const {
        if (Empty()) return o;
        if (o.Empty()) return *this;
        return Rect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                    std::max(bottom, o.bottom)};
    }
    Rect Inflated(int by) const { return Rect{left - by, top - by, right + by, bottom + by}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// 0x00RRGGBB; the top byte is ignored by every drawing operation.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r & 255) << 16) | (static_cast<uint32_t>(g & 255) << 8) |
           static_cast<uint32_t>(b & 255);
}

}  // namespace qs
