#include <gtest/gtest.h>

#include "screen/surface/Raster.h"

namespace qs {
namespace {

struct RopCase {
    const char* name;
    Rop rop;
    uint32_t dst, src, expected;
};

TEST(Raster, BlitCombinesBitwise) {
    const RopCase cases[] = {
        {"copy", Rop::Copy, 0x123456, 0xABCDEF, 0xABCDEF},
        {"and", Rop::And, 0xFF00FF, 0x0F0F0F, 0x0F000F},
        {"or", Rop::Or, 0xF00000, 0x000F00, 0xF00F00},
        {"xor", Rop::Xor, 0xFFFFFF, 0x0F0F0F, 0xF0F0F0},
        {"invert", Rop::Invert, 0x00FF00, 0x123456, 0xFF00FF},
    };
    for (const auto& c : cases) {
        Bitmap dst(2, 2, c.dst), src(2, 2, c.src);
        Blit(dst, 0, 0, src, src.Bounds(), c.rop);
        EXPECT_EQ(dst.Pixel(1, 1), c.expected) << c.name;
    }
}

TEST(Raster, BlitClipsAtEveryEdge) {
    Bitmap dst(4, 4, 0), src(3, 3, 0xFFFFFF);
    Blit(dst, -1, -1, src, src.Bounds());
    Blit(dst, 3, 3, src, src.Bounds());
    EXPECT_EQ(dst.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(dst.Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(dst.Pixel(2, 2), 0u);
    EXPECT_EQ(dst.Pixel(3, 3), 0xFFFFFFu);
}

}  // namespace
}  // namespace qs
