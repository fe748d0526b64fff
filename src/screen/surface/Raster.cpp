#include "screen/surface/Raster.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qs {

namespace {

constexpr uint32_t kRgbMask = 0xFFFFFFu;

// Blocks larger than this go past the caches; writing them with streaming stores
// saves reading every destination line first.
constexpr size_t kStreamingBytes = size_t{2} << 20;

#if defined(__SSE2__)
using Pixels4 = __m128i;
inline void Stream4(uint32_t* d, Pixels4 v) { _mm_stream_si128(reinterpret_cast<__m128i*>(d), v); }
inline Pixels4 Load4(const uint32_t* s) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
}
#endif

void StorePixels(uint32_t* d, const uint32_t* s, size_t n, bool streaming) {
#if defined(__SSE2__)
    if (streaming) {
        size_t i = 0;
        while (i < n && (reinterpret_cast<uintptr_t>(d + i) & 15)) {
            d[i] = s[i];
            ++i;
        }
        for (; i + 4 <= n; i += 4) {
            Stream4(d + i, Load4(s + i));
        }
        for (; i < n; ++i) d[i] = s[i];
        return;
    }
#endif
    (void)streaming;
    std::memcpy(d, s, n * sizeof(uint32_t));
}

void FillPixels(uint32_t* d, size_t n, uint32_t c, bool streaming) {
#if defined(__SSE2__)
    if (streaming) {
        size_t i = 0;
        while (i < n && (reinterpret_cast<uintptr_t>(d + i) & 15)) d[i++] = c;
        const uint32_t four[4] = {c, c, c, c};
        const Pixels4 v = Load4(four);
        for (; i + 4 <= n; i += 4) Stream4(d + i, v);
        for (; i < n; ++i) d[i] = c;
        return;
    }
#endif
    (void)streaming;
    std::fill(d, d + n, c);
}

void EndStreaming(bool streaming) {
#if defined(__SSE2__)
    if (streaming) __builtin_ia32_sfence();
#endif
    (void)streaming;
}

Rect Visible(const Bitmap& dst, const Rect& clip) { return clip.Intersect(dst.Bounds()); }

// Where a plain (unmirrored) block copy lands after clipping source and destination.
struct BlockMap {
    Rect to;     // visible destination rectangle
    int sx = 0;  // source pixel of to.left/to.top
    int sy = 0;
};

bool MapBlock(const Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src,
              const Rect& clip, BlockMap& m) {
    Rect s = src.Intersect(from.Bounds());
    if (s.Empty()) return false;
    // Shift the destination by what clipping took off the source; 64-bit so that far-away
    // positions cannot overflow.
    long long left = static_cast<long long>(dx) + (static_cast<long long>(s.left) - src.left);
    long long top = static_cast<long long>(dy) + (static_cast<long long>(s.top) - src.top);
    Rect vis = Visible(dst, clip);
    long long l = std::max<long long>(left, vis.left);
    long long t = std::max<long long>(top, vis.top);
    long long r = std::min<long long>(left + s.Width(), vis.right);
    long long b = std::min<long long>(top + s.Height(), vis.bottom);
    if (r <= l || b <= t) return false;
    m.to = Rect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b)};
    m.sx = static_cast<int>(s.left + (l - left));
    m.sy = static_cast<int>(s.top + (t - top));
    return true;
}

void CombineRow(uint32_t* d, const uint32_t* s, int n, Rop rop, bool backwards) {
    if (rop == Rop::Copy) {
        std::memmove(d, s, static_cast<size_t>(n) * sizeof(uint32_t));
        return;
    }
    if (backwards) {
        for (int i = n - 1; i >= 0; --i) d[i] = Combine(d[i], s[i], rop);
    } else {
        for (int i = 0; i < n; ++i) d[i] = Combine(d[i], s[i], rop);
    }
}

// True when the two pixel blocks share memory.
bool Overlaps(const Bitmap& dst, const Rect& d, const Bitmap& from, int sx, int sy) {
    auto first = [](const Bitmap& b, int x, int y) {
        return reinterpret_cast<uintptr_t>(b.Row(y) + x);
    };
    uintptr_t d0 = first(dst, d.left, d.top);
    uintptr_t d1 = first(dst, d.right - 1, d.bottom - 1) + sizeof(uint32_t);
    uintptr_t s0 = first(from, sx, sy);
    uintptr_t s1 = first(from, sx + d.Width() - 1, sy + d.Height() - 1) + sizeof(uint32_t);
    return d0 < s1 && s0 < d1;
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
    return a.Row(0) == b.Row(0) && a.Pitch() == b.Pitch();
}

// Source index sampled by destination pixel i of n, for a source run of m pixels
// (i >= 0, n and m > 0). 128-bit, since rectangles may span the whole int range.
int64_t NearestSample(int64_t i, int64_t n, int64_t m) {
    return static_cast<int64_t>((__int128{2} * i + 1) * m / (__int128{2} * n));
}

}  // namespace

void FillRect(Bitmap& dst, const Rect& r, Rgb c, Rop rop) {
    FillRect(dst, r, c, rop, dst.Bounds());
}

void FillRect(Bitmap& dst, const Rect& r, Rgb c, Rop rop, const Rect& clip) {
    Rect cr = r.Intersect(Visible(dst, clip));
    if (cr.Empty()) return;
    c &= kRgbMask;
    int n = cr.Width();
    const bool streaming =
        static_cast<size_t>(n) * cr.Height() * sizeof(uint32_t) > kStreamingBytes;
    for (int y = cr.top; y < cr.bottom; ++y) {
        uint32_t* d = dst.Row(y) + cr.left;
        switch (rop) {
            case Rop::Copy: FillPixels(d, static_cast<size_t>(n), c, streaming); break;
            case Rop::And:
                for (int i = 0; i < n; ++i) d[i] = d[i] & c;
                break;
            case Rop::Or:
                for (int i = 0; i < n; ++i) d[i] = (d[i] | c) & kRgbMask;
                break;
            case Rop::Xor:
                for (int i = 0; i < n; ++i) d[i] = (d[i] ^ c) & kRgbMask;
                break;
            case Rop::Invert:
                for (int i = 0; i < n; ++i) d[i] = ~d[i] & kRgbMask;
                break;
        }
    }
    EndStreaming(streaming);
}

void Blit(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop) {
    Blit(dst, dx, dy, from, src, rop, dst.Bounds());
}

void Blit(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop,
          const Rect& clip) {
    BlockMap m;
    if (!MapBlock(dst, dx, dy, from, src, clip, m)) return;
    const int w = m.to.Width(), h = m.to.Height();
    if (rop == Rop::Invert) {
        FillRect(dst, m.to, 0, Rop::Invert);
        return;
    }
    if (Overlaps(dst, m.to, from, m.sx, m.sy)) {
        if (!SamePixels(dst, from)) {
            // The same memory seen with another layout: go through a copy.
            Bitmap tmp(w, h);
            Blit(tmp, 0, 0, from, Rect{m.sx, m.sy, m.sx + w, m.sy + h});
            Blit(dst, m.to.left, m.to.top, tmp, tmp.Bounds(), rop);
            return;
        }
        // Within one bitmap: walk away from the side the block moves to.
        bool bottomUp = m.to.top > m.sy;
        bool backwards = m.to.left > m.sx;
        for (int k = 0; k < h; ++k) {
            int y = bottomUp ? h - 1 - k : k;
            CombineRow(dst.Row(m.to.top + y) + m.to.left, from.Row(m.sy + y) + m.sx, w, rop,
                       backwards);
        }
        return;
    }
    const bool streaming = static_cast<size_t>(w) * h * sizeof(uint32_t) > kStreamingBytes;
    if (rop == Rop::Copy && w == dst.Pitch() && w == from.Pitch()) {
        // Whole rows of both bitmaps: one copy, which memcpy streams past the caches itself.
        std::memcpy(dst.Row(m.to.top), from.Row(m.sy),
                    static_cast<size_t>(w) * static_cast<size_t>(h) * sizeof(uint32_t));
        return;
    }
    for (int y = 0; y < h; ++y) {
        uint32_t* d = dst.Row(m.to.top + y) + m.to.left;
        const uint32_t* s = from.Row(m.sy + y) + m.sx;
        if (rop == Rop::Copy) {
            StorePixels(d, s, static_cast<size_t>(w), streaming);
        } else {
            CombineRow(d, s, w, rop, false);
        }
    }
    EndStreaming(streaming);
}

void BlitTransparent(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rgb key) {
    BlitTransparent(dst, dx, dy, from, src, key, dst.Bounds());
}

void BlitTransparent(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rgb key,
                     const Rect& clip) {
    BlockMap m;
    if (!MapBlock(dst, dx, dy, from, src, clip, m)) return;
    if (Overlaps(dst, m.to, from, m.sx, m.sy)) {
        Bitmap tmp(m.to.Width(), m.to.Height());
        Blit(tmp, 0, 0, from, Rect{m.sx, m.sy, m.sx + m.to.Width(), m.sy + m.to.Height()});
        BlitTransparent(dst, m.to.left, m.to.top, tmp, tmp.Bounds(), key);
        return;
    }
    key &= kRgbMask;
    const int w = m.to.Width();
    for (int y = 0; y < m.to.Height(); ++y) {
        uint32_t* d = dst.Row(m.to.top + y) + m.to.left;
        const uint32_t* s = from.Row(m.sy + y) + m.sx;
        for (int i = 0; i < w; ++i) {
            uint32_t v = s[i] & kRgbMask;
            if (v != key) d[i] = v;
        }
    }
}

namespace {

// Mirrored block copy; when transparent, pixels equal to key are skipped.
void MirrorBlock(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop,
                 bool transparent, Rgb key, const Rect& clip) {
    Rect s = src.Intersect(from.Bounds());
    if (s.Empty()) return;
    // Source column c lands at dx + (src.right - 1 - c).
    long long left = static_cast<long long>(dx) + (static_cast<long long>(src.right) - s.right);
    long long top = static_cast<long long>(dy) + (static_cast<long long>(s.top) - src.top);
    Rect vis = Visible(dst, clip);
    long long l = std::max<long long>(left, vis.left);
    long long t = std::max<long long>(top, vis.top);
    long long r = std::min<long long>(left + s.Width(), vis.right);
    long long b = std::min<long long>(top + s.Height(), vis.bottom);
    if (r <= l || b <= t) return;
    Rect to{static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b)};
    // Column of the source under to.left, walking leftwards.
    int sxRight = static_cast<int>(s.right - 1 - (l - left));
    int sy = static_cast<int>(s.top + (t - top));
    if (Overlaps(dst, to, from, sxRight - to.Width() + 1, sy)) {
        Bitmap tmp(s.Width(), s.Height());
        Blit(tmp, 0, 0, from, s);
        MirrorBlock(dst, static_cast<int>(left), static_cast<int>(top), tmp, tmp.Bounds(), rop,
                    transparent, key, clip);
        return;
    }
    key &= kRgbMask;
    const int w = to.Width();
    for (int y = 0; y < to.Height(); ++y) {
        uint32_t* d = dst.Row(to.top + y) + to.left;
        const uint32_t* sp = from.Row(sy + y) + sxRight;
        for (int i = 0; i < w; ++i) {
            uint32_t v = sp[-i] & kRgbMask;
            if (transparent) {
                if (v != key) d[i] = v;
            } else {
                d[i] = Combine(d[i], v, rop);
            }
        }
    }
}

}  // namespace

void BlitMirrored(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop) {
    MirrorBlock(dst, dx, dy, from, src, rop, false, 0, dst.Bounds());
}

void BlitMirrored(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src, Rop rop,
                  const Rect& clip) {
    MirrorBlock(dst, dx, dy, from, src, rop, false, 0, clip);
}

void BlitMirroredTransparent(Bitmap& dst, int dx, int dy, const Bitmap& from, const Rect& src,
                             Rgb key, const Rect& clip) {
    MirrorBlock(dst, dx, dy, from, src, Rop::Copy, true, key, clip);
}

Bitmap Mirrored(const Bitmap& from) {
    Bitmap out(from.Width(), from.Height());
    BlitMirrored(out, 0, 0, from, from.Bounds());
    return out;
}

void MirrorInPlace(Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint32_t* row = bitmap.Row(y);
        std::reverse(row, row + bitmap.Width());
    }
}

void StretchBlit(Bitmap& dst, const Rect& to, const Bitmap& from, const Rect& src, Rop rop) {
    StretchBlit(dst, to, from, src, rop, dst.Bounds());
}

void StretchBlit(Bitmap& dst, const Rect& to, const Bitmap& from, const Rect& src, Rop rop,
                 const Rect& clip) {
    if (to.Empty() || src.Empty() || from.Empty()) return;
    Rect vis = to.Intersect(Visible(dst, clip));
    if (vis.Empty()) return;
    const int64_t dw = static_cast<int64_t>(to.right) - to.left;
    const int64_t dh = static_cast<int64_t>(to.bottom) - to.top;
    const int64_t sw = static_cast<int64_t>(src.right) - src.left;
    const int64_t sh = static_cast<int64_t>(src.bottom) - src.top;
    const Rect fb = from.Bounds();

    // Source column of every visible destination column; -1 where it falls off the source.
    std::vector<int> cols(static_cast<size_t>(vis.Width()));
    bool allInside = true;
    for (int x = vis.left; x < vis.right; ++x) {
        int64_t c = src.left + NearestSample(int64_t{x} - to.left, dw, sw);
        bool inside = c >= fb.left && c < fb.right;
        allInside = allInside && inside;
        cols[static_cast<size_t>(x - vis.left)] = inside ? static_cast<int>(c) : -1;
    }
    const int w = vis.Width();
    if (rop == Rop::Copy && allInside) {
        // Each source row is sampled once into a row buffer that stays in the cache and
        // stored to every destination row that shows it.
        const bool streaming =
            static_cast<size_t>(w) * vis.Height() * sizeof(uint32_t) > kStreamingBytes;
        std::vector<uint32_t> line(static_cast<size_t>(w));
        int64_t lineRow = -1;
        for (int y = vis.top; y < vis.bottom; ++y) {
            int64_t r = src.top + NearestSample(int64_t{y} - to.top, dh, sh);
            if (r < fb.top || r >= fb.bottom) continue;
            if (r != lineRow) {
                const uint32_t* s = from.Row(static_cast<int>(r));
                for (int i = 0; i < w; ++i)
                    line[static_cast<size_t>(i)] = s[cols[static_cast<size_t>(i)]] & kRgbMask;
                lineRow = r;
            }
            StorePixels(dst.Row(y) + vis.left, line.data(), static_cast<size_t>(w), streaming);
        }
        EndStreaming(streaming);
        return;
    }
    for (int y = vis.top; y < vis.bottom; ++y) {
        int64_t r = src.top + NearestSample(int64_t{y} - to.top, dh, sh);
        if (r < fb.top || r >= fb.bottom) continue;
        uint32_t* d = dst.Row(y) + vis.left;
        const uint32_t* s = from.Row(static_cast<int>(r));
        for (int i = 0; i < w; ++i) {
            int c = cols[static_cast<size_t>(i)];
            if (c >= 0) d[i] = Combine(d[i], s[c], rop);
        }
    }
}

namespace {

constexpr int kMaxStretchSide = 16384;

struct Tap {
    int i0, i1;  // the two source indices
    int w1;      // weight of i1, 0..256
};

std::vector<Tap> Taps(int from0, int fromN, int n) {
    std::vector<Tap> taps(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        double u = (i + 0.5) * fromN / n - 0.5;
        if (u < 0) u = 0;
        int i0 = static_cast<int>(u);
        if (i0 > fromN - 1) i0 = fromN - 1;
        int i1 = std::min(i0 + 1, fromN - 1);
        int w1 = static_cast<int>((u - i0) * 256 + 0.5);
        taps[static_cast<size_t>(i)] = Tap{from0 + i0, from0 + i1, std::min(w1, 256)};
    }
    return taps;
}

}  // namespace

Bitmap StretchBilinear(const Bitmap& from, const Rect& src, int w, int h) {
    std::vector<uint8_t> noAlpha, ignored;
    return StretchBilinear(from, noAlpha, src, w, h, ignored);
}

Bitmap StretchBilinear(const Bitmap& from, const std::vector<uint8_t>& alpha, const Rect& src,
                       int w, int h, std::vector<uint8_t>& alphaOut) {
    alphaOut.clear();
    if (w <= 0 || h <= 0 || w > kMaxStretchSide || h > kMaxStretchSide) return Bitmap();
    Bitmap out(w, h);
    Rect s = src.Intersect(from.Bounds());
    if (s.Empty()) return out;
    const bool hasAlpha =
        alpha.size() == static_cast<size_t>(from.Width()) * static_cast<size_t>(from.Height());
    if (hasAlpha) alphaOut.assign(static_cast<size_t>(w) * h, 0);
    std::vector<Tap> xs = Taps(s.left, s.Width(), w), ys = Taps(s.top, s.Height(), h);
    auto alphaAt = [&](int x, int y) -> uint32_t {
        return hasAlpha ? alpha[static_cast<size_t>(y) * from.Width() + x] : 255u;
    };
    for (int y = 0; y < h; ++y) {
        const Tap& ty = ys[static_cast<size_t>(y)];
        const uint32_t* r0 = from.Row(ty.i0);
        const uint32_t* r1 = from.Row(ty.i1);
        uint32_t* d = out.Row(y);
        for (int x = 0; x < w; ++x) {
            const Tap& tx = xs[static_cast<size_t>(x)];
            if (!hasAlpha) {
                // Opaque: fixed-point weights summing to 65536, no division.
                uint32_t wx1 = tx.w1, wx0 = 256 - wx1, wy1 = ty.w1, wy0 = 256 - wy1;
                uint32_t w00 = wx0 * wy0, w01 = wx1 * wy0, w10 = wx0 * wy1, w11 = wx1 * wy1;
                uint32_t a = r0[tx.i0], b = r0[tx.i1], c = r1[tx.i0], e = r1[tx.i1];
                auto mix = [&](int shift) {
                    uint32_t v = ((a >> shift) & 255) * w00 + ((b >> shift) & 255) * w01 +
                                 ((c >> shift) & 255) * w10 + ((e >> shift) & 255) * w11;
                    return (v + 32768) >> 16;
                };
                d[x] = (mix(16) << 16) | (mix(8) << 8) | mix(0);
                continue;
            }
            // Weights of the four neighbours, summing to 65536, scaled by their alpha.
            uint32_t wx1 = tx.w1, wx0 = 256 - wx1, wy1 = ty.w1, wy0 = 256 - wy1;
            uint64_t wt[4] = {wx0 * wy0 * alphaAt(tx.i0, ty.i0), wx1 * wy0 * alphaAt(tx.i1, ty.i0),
                              wx0 * wy1 * alphaAt(tx.i0, ty.i1), wx1 * wy1 * alphaAt(tx.i1, ty.i1)};
            uint32_t px[4] = {r0[tx.i0], r0[tx.i1], r1[tx.i0], r1[tx.i1]};
            uint64_t total = wt[0] + wt[1] + wt[2] + wt[3];
            if (hasAlpha)
                alphaOut[static_cast<size_t>(y) * w + x] =
                    static_cast<uint8_t>((total + 32768) >> 16);
            if (total == 0) {
                d[x] = 0;
                continue;
            }
            uint64_t ch[3] = {0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                ch[0] += wt[k] * ((px[k] >> 16) & 255);
                ch[1] += wt[k] * ((px[k] >> 8) & 255);
                ch[2] += wt[k] * (px[k] & 255);
            }
            d[x] = MakeRgb(static_cast<int>((ch[0] + total / 2) / total),
                           static_cast<int>((ch[1] + total / 2) / total),
                           static_cast<int>((ch[2] + total / 2) / total));
        }
    }
    return out;
}

}  // namespace qs
