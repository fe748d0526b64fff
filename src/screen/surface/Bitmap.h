// A 32-bit pixel bitmap (0x00RRGGBB), either owning its pixels or wrapping
// memory that belongs to someone else (the window's framebuffer).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/Geometry.h"
#include "platform/Platform.h"

namespace qs {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int w, int h, Rgb fill = 0) { Allocate(w, h, fill); }

    // A bitmap over foreign pixels; it never frees them.
    static Bitmap Wrap(const PixelView& v) {
        Bitmap b;
        b.view_ = v;
        return b;
    }

    Bitmap(const Bitmap& o) { *this = o; }
    Bitmap& operator=(const Bitmap& o) {
        if (this == &o) return *this;
        Allocate(o.Width(), o.Height(), 0);
        for (int y = 0; y < o.Height(); ++y) std::copy(o.Row(y), o.Row(y) + o.Width(), Row(y));
        return *this;
    }
    Bitmap(Bitmap&& o) noexcept { *this = std::move(o); }
    Bitmap& operator=(Bitmap&& o) noexcept {
        own_ = std::move(o.own_);
        view_ = o.view_;
        if (!own_.empty()) view_.pixels = own_.data();
        o.view_ = PixelView{};
        return *this;
    }

    void Allocate(int w, int h, Rgb fill = 0) {
        if (w < 0) w = 0;
        if (h < 0) h = 0;
        own_.assign(static_cast<size_t>(w) * static_cast<size_t>(h), fill);
        view_ = PixelView{own_.empty() ? nullptr : own_.data(), w, h, w};
    }

    int Width() const { return view_.width; }
    int Height() const { return view_.height; }
    int Pitch() const { return view_.pitch; }
    bool Empty() const { return view_.pixels == nullptr || view_.width <= 0 || view_.height <= 0; }
    Rect Bounds() const { return Rect{0, 0, view_.width, view_.height}; }
    uint32_t* Row(int y) { return view_.Row(y); }
    const uint32_t* Row(int y) const { return view_.Row(y); }
    uint32_t Pixel(int x, int y) const { return Row(y)[x] & 0xFFFFFFu; }
    void SetPixel(int x, int y, Rgb c) { Row(y)[x] = c; }
    PixelView View() const { return view_; }

private:
    std::vector<uint32_t> own_;
    PixelView view_;
};

}  // namespace qs
