#include "screen/image/ImageDraw.h"

#include "screen/surface/Raster.h"

namespace qs {

namespace {

uint32_t Blend(uint32_t over, uint32_t under, uint32_t a) {
    auto ch = [&](int s) {
        uint32_t v = ((over >> s) & 255) * a + ((under >> s) & 255) * (255 - a);
        return ((v + 127) / 255) << s;
    };
    return ch(16) | ch(8) | ch(0);
}

// Blends src (with its alpha plane, same size) onto dst with its top-left at (x, y).
void BlendAt(Bitmap& dst, int x, int y, const Bitmap& src, const std::vector<uint8_t>& alpha,
             const Rect& clip) {
    Rect vis =
        Rect{x, y, x + src.Width(), y + src.Height()}.Intersect(clip.Intersect(dst.Bounds()));
    for (int yy = vis.top; yy < vis.bottom; ++yy) {
        uint32_t* d = dst.Row(yy);
        const uint32_t* s = src.Row(yy - y);
        const uint8_t* a =
            alpha.data() + static_cast<size_t>(yy - y) * static_cast<size_t>(src.Width());
        for (int xx = vis.left; xx < vis.right; ++xx) {
            uint32_t av = a[xx - x];
            if (av == 255) d[xx] = s[xx - x] & 0xFFFFFFu;
            else if (av != 0) d[xx] = Blend(s[xx - x], d[xx], av);
        }
    }
}

}  // namespace

void DrawImage(Bitmap& dst, const Rect& to, const DecodedImage& image, ImageFilter filter,
               const Rect& clip) {
    const Bitmap& pic = image.rgb;
    if (pic.Empty() || to.Empty()) return;
    Rect vis = to.Intersect(clip.Intersect(dst.Bounds()));
    if (vis.Empty()) return;
    const bool opaque = image.alpha.empty();
    const long long tw = static_cast<long long>(to.right) - to.left;
    const long long th = static_cast<long long>(to.bottom) - to.top;
    if (filter == ImageFilter::Nearest || tw > 16384 || th > 16384) {
        if (opaque) {
            StretchBlit(dst, to, pic, pic.Bounds(), Rop::Copy, clip);
            return;
        }
        // Stretch colour and alpha alike through a picture of the visible part only.
        Bitmap part(vis.Width(), vis.Height());
        Bitmap alphaPic(pic.Width(), pic.Height());
        for (int y = 0; y < pic.Height(); ++y)
            for (int x = 0; x < pic.Width(); ++x)
                alphaPic.SetPixel(x, y, image.alpha[static_cast<size_t>(y) * pic.Width() + x]);
        Rect shifted{to.left - vis.left, to.top - vis.top, to.right - vis.left,
                     to.bottom - vis.top};
        Bitmap partAlpha(vis.Width(), vis.Height());
        StretchBlit(part, shifted, pic, pic.Bounds());
        StretchBlit(partAlpha, shifted, alphaPic, alphaPic.Bounds());
        std::vector<uint8_t> a(static_cast<size_t>(vis.Width()) * vis.Height());
        for (int y = 0; y < vis.Height(); ++y)
            for (int x = 0; x < vis.Width(); ++x)
                a[static_cast<size_t>(y) * vis.Width() + x] =
                    static_cast<uint8_t>(partAlpha.Pixel(x, y));
        BlendAt(dst, vis.left, vis.top, part, a, clip);
        return;
    }
    std::vector<uint8_t> alphaOut;
    Bitmap scaled = StretchBilinear(pic, image.alpha, pic.Bounds(), static_cast<int>(tw),
                                    static_cast<int>(th), alphaOut);
    if (opaque) Blit(dst, to.left, to.top, scaled, scaled.Bounds(), Rop::Copy, clip);
    else BlendAt(dst, to.left, to.top, scaled, alphaOut, clip);
}

}  // namespace qs
