#include "screen/surface/Raster.h"

namespace qs {

namespace {

template <typename Op>
void ForRows(uint32_t* d, const uint32_t* s, int n, Op op) {
    for (int i = 0; i < n; ++i) d[i] = op(d[i], s ? s[i] : 0u) & 0xFFFFFFu;
}

void CombineRow(uint32_t* d, const uint32_t* s, int n, Rop rop) {
    switch (rop) {
        case Rop::Copy: ForRows(d, s, n, [](uint32_t, uint32_t b) { return b; }); break;
        case Rop::And: ForRows(d, s, n, [](uint32_t a, uint32_t b) { return a & b; }); break;
        case Rop::Or: ForRows(d, s, n, [](uint32_t a, uint32_t b) { return a | b; }); break;
        case Rop::Xor: ForRows(d, s, n, [](uint32_t a, uint32_t b) { return a ^ b; }); break;
        case Rop::Invert: ForRows(d, s, n, [](uint32_t a, uint32_t) { return ~a; }); break;
    }
}

}  // namespace

void FillRect(Bitmap& dst, const Rect& r, Rgb c, Rop rop) {
    Rect cr = r.Intersect(dst.Bounds());
    if (cr.Empty()) return;
    c &= 0xFFFFFFu;
    for (int y = cr.top; y < cr.bottom; ++y) {
        uint32_t* d = dst.Row(y) + cr.left;
        int n = cr.Width();
        if (rop == Rop::Copy) {
            std::fill(d, d + n, c);
        } else {
            for (int i = 0; i < n; ++i) {
                uint32_t v = d[i];
                switch (rop) {
                    case Rop::And: v &= c; break;
                    case Rop::Or: v |= c; break;
                    case Rop::Xor: v ^= c; break;
                    case Rop::Invert: v = ~v; break;
                    case Rop::Copy: break;
                }
                d[i] = v & 0xFFFFFFu;
            }
        }
    }
}

void Blit(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop) {
    Rect s = src.Intersect(from.Bounds());
    // Shift the destination by what clipping took off the source.
    dx += s.left - src.left;
    dy += s.top - src.top;
    Rect d{dx, dy, dx + s.Width(), dy + s.Height()};
    Rect cd = d.Intersect(dst.Bounds());
    if (cd.Empty()) return;
    int sx = s.left + (cd.left - d.left);
    int sy = s.top + (cd.top - d.top);
    for (int y = 0; y < cd.Height(); ++y) {
        uint32_t* drow = dst.Row(cd.top + y) + cd.left;
        const uint32_t* srow = from.Row(sy + y) + sx;
        if (rop == Rop::Copy && &dst != &from)
            std::copy(srow, srow + cd.Width(), drow);
        else
            CombineRow(drow, srow, cd.Width(), rop);
    }
}

}  // namespace qs
