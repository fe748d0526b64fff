#include <gtest/gtest.h>

#include "screen/image/ImageDraw.h"

namespace qs::test {
namespace {

DecodedImage TwoPixels(bool withAlpha) {
    DecodedImage img;
    img.rgb.Allocate(2, 1);
    img.rgb.SetPixel(0, 0, 0xFF0000);
    img.rgb.SetPixel(1, 0, 0x0000FF);
    if (withAlpha) img.alpha = {0, 255};
    return img;
}

TEST(ImageDraw, PicturesAreStretchedAndBlendedByAlpha) {
    const struct {
        const char* name;
        ImageFilter filter;
        bool alpha;
        Rgb left, right;  // pixels 0 and 7 of an 8 x 2 target filled grey
    } cases[] = {
        {"nearest opaque", ImageFilter::Nearest, false, 0xFF0000, 0x0000FF},
        {"nearest with alpha", ImageFilter::Nearest, true, 0x808080, 0x0000FF},
        {"bilinear opaque", ImageFilter::Bilinear, false, 0xFF0000, 0x0000FF},
        {"bilinear with alpha", ImageFilter::Bilinear, true, 0x808080, 0x0000FF},
    };
    for (const auto& c : cases) {
        Bitmap dst(10, 4, 0x808080);
        DrawImage(dst, Rect{1, 1, 9, 3}, TwoPixels(c.alpha), c.filter);
        EXPECT_EQ(dst.Pixel(1, 1), c.left) << c.name;
        EXPECT_EQ(dst.Pixel(8, 2), c.right) << c.name;
        EXPECT_EQ(dst.Pixel(0, 1), 0x808080u) << c.name << " outside";
        EXPECT_EQ(dst.Pixel(9, 1), 0x808080u) << c.name << " outside";
        // Half-covered pixels mix grey and blue, never red.
        for (int x = 1; x < 9; ++x)
            EXPECT_LE((dst.Pixel(x, 1) >> 16) & 255, c.alpha ? 0x80u : 0xFFu)
                << c.name << " x " << x;
    }
}

TEST(ImageDraw, ClipAndDegenerateTargetsAreRespected) {
    Bitmap dst(10, 4, 0x808080);
    DrawImage(dst, Rect{0, 0, 10, 4}, TwoPixels(true), ImageFilter::Nearest, Rect{6, 0, 10, 4});
    EXPECT_EQ(dst.Pixel(5, 0), 0x808080u);
    EXPECT_EQ(dst.Pixel(6, 0), 0x0000FFu);
    DrawImage(dst, Rect{5, 5, 0, 0}, TwoPixels(false));
    DrawImage(dst, Rect{-1000000, -1000000, 1000000, 1000000}, TwoPixels(true));
    DrawImage(dst, Rect{0, 0, 4, 4}, DecodedImage{});
    EXPECT_EQ(dst.Pixel(9, 3), 0x0000FFu) << "a huge picture shows its right half here";
}

}  // namespace
}  // namespace qs::test
