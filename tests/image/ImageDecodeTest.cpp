#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>

#include "screen/image/ImageDecode.h"
#include "screen/image/PngEncode.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

const std::string kFixtures = std::string(QS_TEST_DATA_DIR) + "/image/";
const std::string kPixbufImages = "/usr/libexec/installed-tests/gdk-pixbuf/";

// The 5 x 3 pattern and alpha ramp of tests/data/image/make_fixtures.py.
constexpr Rgb kPattern[3][5] = {
    {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000},
    {0xFFFF00, 0x00FFFF, 0xFF00FF, 0x808080, 0x0A141E},
    {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000},
};
constexpr uint8_t kAlpha[3][5] = {
    {0, 64, 128, 192, 255}, {255, 255, 255, 255, 255}, {255, 128, 0, 128, 255}};
// Palette of the indexed BMP fixtures; index = (x + y) mod n.
constexpr Rgb kPalette[16] = {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF, 0x040404, 0x050505,
                              0x060606, 0x070707, 0x080808, 0x090909, 0x0A0A0A, 0x0B0B0B,
                              0x0C0C0C, 0x0D0D0D, 0x0E0E0E, 0x0F0F0F};

int ChannelDistance(Rgb a, Rgb b) {
    int d = 0;
    for (int s = 0; s <= 16; s += 8)
        d = std::max(d, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
    return d;
}

std::optional<DecodedImage> Load(const std::string& file) {
    return DecodeImage(ReadFileBytes(kFixtures + file));
}

enum class AlphaKind { Opaque, Ramp, BlackTransparent };

struct FixtureCase {
    const char* file;
    std::function<Rgb(int, int)> colour;
    int tolerance;
    AlphaKind alpha;
};

Rgb Pattern(int x, int y) { return kPattern[y][x]; }
std::function<Rgb(int, int)> Indexed(int n) {
    return [n](int x, int y) { return kPalette[(x + y) % n]; };
}

TEST(ImageDecode, FixturesOfEveryFormatDecodeToTheirPixels) {
    const FixtureCase cases[] = {
        {"rgb.png", Pattern, 0, AlphaKind::Opaque},
        {"interlaced.png", Pattern, 0, AlphaKind::Opaque},
        {"rgba.png", Pattern, 0, AlphaKind::Ramp},
        {"rgb.jpg", Pattern, 40, AlphaKind::Opaque},
        {"progressive.jpg", Pattern, 40, AlphaKind::Opaque},
        {"rgb.gif", Pattern, 0, AlphaKind::Opaque},
        {"interlaced.gif", Pattern, 0, AlphaKind::Opaque},
        {"transparent.gif", Pattern, 0, AlphaKind::BlackTransparent},
        {"animated.gif", [](int, int) { return Rgb{0xFF0000}; }, 0, AlphaKind::Opaque},
        {"rgb24.bmp", Pattern, 0, AlphaKind::Opaque},
        {"rgb24-topdown.bmp", Pattern, 0, AlphaKind::Opaque},
        {"rgb32.bmp", Pattern, 0, AlphaKind::Opaque},
        {"argb32-v5.bmp", Pattern, 0, AlphaKind::Ramp},
        {"rgb565.bmp", Pattern, 8, AlphaKind::Opaque},
        {"pal1.bmp", Indexed(2), 0, AlphaKind::Opaque},
        {"pal4.bmp", Indexed(16), 0, AlphaKind::Opaque},
        {"pal8.bmp", Indexed(4), 0, AlphaKind::Opaque},
        {"os2-pal8.bmp", Indexed(4), 0, AlphaKind::Opaque},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto img = Load(c.file);
        ASSERT_TRUE(img.has_value());
        ASSERT_EQ(img->rgb.Width(), 5);
        ASSERT_EQ(img->rgb.Height(), 3);
        if (c.alpha == AlphaKind::Opaque) {
            EXPECT_TRUE(img->alpha.empty());
        } else {
            ASSERT_EQ(img->alpha.size(), 15u);
        }
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                Rgb want = c.colour(x, y);
                int a = 255;
                if (c.alpha == AlphaKind::Ramp) a = kAlpha[y][x];
                if (c.alpha == AlphaKind::BlackTransparent) a = want == 0 ? 0 : 255;
                if (c.alpha != AlphaKind::Opaque) {
                    EXPECT_EQ(img->alpha[size_t(y * 5 + x)], a) << x << "," << y;
                }
                if (a == 0) continue;  // no colour promised under full transparency
                EXPECT_LE(ChannelDistance(img->rgb.Pixel(x, y), want), c.tolerance)
                    << "pixel " << x << "," << y << " is " << std::hex << img->rgb.Pixel(x, y)
                    << ", want " << want;
            }
        }
    }
}

TEST(ImageDecode, GreyAndPalettePicturesComeOutAsRgb) {
    const struct {
        const char* file;
        int tolerance;
    } cases[] = {{"gray16.png", 0}, {"gray.jpg", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto img = Load(c.file);
        ASSERT_TRUE(img.has_value());
        EXPECT_TRUE(img->alpha.empty());
        EXPECT_LE(ChannelDistance(img->rgb.Pixel(3, 0), 0xFFFFFF), c.tolerance);
        EXPECT_LE(ChannelDistance(img->rgb.Pixel(4, 0), 0x000000), c.tolerance);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                Rgb p = img->rgb.Pixel(x, y);
                EXPECT_TRUE((p >> 16) == ((p >> 8) & 255) && (p & 255) == ((p >> 8) & 255))
                    << x << "," << y;
            }
    }
    auto pal = Load("palette-trns.png");
    ASSERT_TRUE(pal.has_value());
    ASSERT_EQ(pal->alpha.size(), 15u);
    EXPECT_EQ(pal->alpha[0], 0);
    EXPECT_EQ(pal->alpha[4], 255);
    EXPECT_EQ(pal->rgb.Pixel(4, 2), 0xFF0000u);
}

TEST(ImageDecode, UnknownAndEmptyInputIsRefused) {
    const std::vector<uint8_t> cases[] = {{},
                                          {'B'},
                                          {'B', 'M'},
                                          {'G', 'I', 'F', '8', '9', 'a'},
                                          {0xFF, 0xD8, 0xFF},
                                          {0x89, 'P', 'N', 'G'},
                                          {'h', 'e', 'l', 'l', 'o'}};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_FALSE(DecodeImage(cases[i]).has_value()) << "case " << i;
}

// Checks what a decoder may hand out for hostile input: nothing, or a consistent picture.
void ExpectSane(const std::optional<DecodedImage>& img, const std::string& what) {
    if (!img) return;
    EXPECT_TRUE(AcceptableImageSize(img->rgb.Width(), img->rgb.Height())) << what;
    EXPECT_TRUE(img->alpha.empty() ||
                img->alpha.size() == size_t(img->rgb.Width()) * size_t(img->rgb.Height()))
        << what;
}

TEST(ImageDecode, EveryTruncationOfEveryFixtureIsHandled) {
    for (const auto& entry : std::filesystem::directory_iterator(kFixtures)) {
        std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".py") continue;
        std::vector<uint8_t> bytes = ReadFileBytes(entry.path().string());
        for (size_t n = 0; n < bytes.size(); ++n) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
            ExpectSane(DecodeImage(cut), name + " cut to " + std::to_string(n));
        }
    }
}

uint32_t Crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void Put16Le(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void Put32Le(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16Le(b, at, v & 0xFFFF);
    Put16Le(b, at + 2, v >> 16);
}
void Put32Be(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (24 - 8 * i));
}

// Rewrites the stored picture size of a fixture, keeping the file otherwise valid.
using SizePatcher = std::function<void(std::vector<uint8_t>&, uint32_t w, uint32_t h)>;

void PatchPng(std::vector<uint8_t>& b, uint32_t w, uint32_t h) {
    Put32Be(b, 16, w);
    Put32Be(b, 20, h);
    Put32Be(b, 29, Crc32(b.data() + 12, 17));
}
void PatchBmp(std::vector<uint8_t>& b, uint32_t w, uint32_t h) {
    Put32Le(b, 18, w);
    Put32Le(b, 22, h);
}
void PatchGif(std::vector<uint8_t>& b, uint32_t w, uint32_t h) {
    Put16Le(b, 6, w);
    Put16Le(b, 8, h);
    for (size_t i = 13; i + 9 < b.size(); ++i)
        if (b[i] == 0x2C) {  // image descriptor
            Put16Le(b, i + 5, w);
            Put16Le(b, i + 7, h);
            break;
        }
}
void PatchJpeg(std::vector<uint8_t>& b, uint32_t w, uint32_t h) {
    for (size_t i = 2; i + 9 < b.size(); ++i)
        if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) {
            b[i + 5] = uint8_t(h >> 8);
            b[i + 6] = uint8_t(h);
            b[i + 7] = uint8_t(w >> 8);
            b[i + 8] = uint8_t(w);
            break;
        }
}

TEST(ImageDecode, PicturesOfZeroOrOversizedSideAreRefused) {
    const struct {
        const char* file;
        SizePatcher patch;
    } formats[] = {{"rgb.png", PatchPng},
                   {"rgb24.bmp", PatchBmp},
                   {"rgb.gif", PatchGif},
                   {"rgb.jpg", PatchJpeg}};
    const std::array<std::pair<uint32_t, uint32_t>, 5> sizes = {
        {{8193, 3}, {5, 8193}, {0, 3}, {5, 0}, {65535, 65535}}};
    for (const auto& f : formats) {
        std::vector<uint8_t> original = ReadFileBytes(kFixtures + f.file);
        ASSERT_TRUE(DecodeImage(original).has_value()) << f.file;
        for (auto [w, h] : sizes) {
            std::vector<uint8_t> b = original;
            f.patch(b, w, h);
            EXPECT_FALSE(DecodeImage(b).has_value()) << f.file << " claiming " << w << "x" << h;
        }
    }
}

TEST(ImageDecode, PngEncoderRoundTrips) {
    Bitmap bm(7, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) bm.SetPixel(x, y, MakeRgb(x * 37, y * 61, (x * y * 13) & 255));
    auto img = DecodeImage(EncodePng(bm));
    ASSERT_TRUE(img.has_value());
    ASSERT_EQ(img->rgb.Width(), 7);
    ASSERT_EQ(img->rgb.Height(), 4);
    EXPECT_TRUE(img->alpha.empty());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(img->rgb.Pixel(x, y), bm.Pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(EncodePng(Bitmap()).empty());
}

bool HavePixbufImages() { return std::filesystem::is_directory(kPixbufImages + "test-images"); }

bool OurFormat(const std::filesystem::path& p) {
    std::string e = p.extension().string();
    return e == ".png" || e == ".jpg" || e == ".jpeg" || e == ".gif" || e == ".bmp";
}

TEST(ImageDecodeHostile, BrokenPicturesOfThePixbufSuiteAreHandled) {
    if (!HavePixbufImages()) GTEST_SKIP() << "package gdk-pixbuf-tests is not installed";
    for (const char* dir :
         {"test-images/fail", "test-images/randomly-modified", "test-images/gif-test-suite"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kPixbufImages + dir)) {
            if (!OurFormat(entry.path())) continue;
            ExpectSane(DecodeImage(ReadFileBytes(entry.path().string())), entry.path().string());
        }
    }
}

TEST(ImageDecodeHostile, HugePicturesOfThePixbufSuiteAreRefused) {
    if (!HavePixbufImages()) GTEST_SKIP() << "package gdk-pixbuf-tests is not installed";
    for (const char* file : {"large.png", "large.jpg"}) {
        std::vector<uint8_t> bytes = ReadFileBytes(kPixbufImages + file);
        ASSERT_FALSE(bytes.empty()) << file;
        EXPECT_FALSE(DecodeImage(bytes).has_value()) << file;
    }
}

TEST(ImageDecodeHostile, RandomlyModifiedValidPicturesAreHandled) {
    if (!HavePixbufImages()) GTEST_SKIP() << "package gdk-pixbuf-tests is not installed";
    std::mt19937 rng(20261210);
    for (const auto& entry :
         std::filesystem::directory_iterator(kPixbufImages + "test-images/randomly-modified")) {
        std::string name = entry.path().filename().string();
        if (!OurFormat(entry.path()) || name.rfind("valid.", 0) != 0) continue;
        std::vector<uint8_t> original = ReadFileBytes(entry.path().string());
        ASSERT_TRUE(DecodeImage(original).has_value()) << name;
        for (int round = 0; round < 100; ++round) {
            std::vector<uint8_t> b = original;
            // Change about one byte in a hundred, as the suite's own test does.
            std::uniform_int_distribution<size_t> pos(0, b.size() - 1);
            for (size_t k = 0; k < b.size() / 100 + 1; ++k) b[pos(rng)] = uint8_t(rng());
            ExpectSane(DecodeImage(b), name + " round " + std::to_string(round));
        }
    }
}

// The header alone tells the size the decoder then gives, so that a budget
// can refuse a picture before it is decoded.
TEST(ImageDecode, TheProbedSizeIsTheDecodedSize) {
    for (const auto& entry : std::filesystem::directory_iterator(kFixtures)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".py") continue;
        const std::vector<uint8_t> bytes = ReadFileBytes(entry.path().string());
        const std::optional<DecodedImage> img = DecodeImage(bytes);
        const std::optional<Size> probed = ProbeImageSize(bytes);
        ASSERT_TRUE(img) << name;
        ASSERT_TRUE(probed) << name;
        EXPECT_EQ(*probed, (Size{img->rgb.Width(), img->rgb.Height()})) << name;
        const uint64_t pixels = uint64_t(probed->w) * uint64_t(probed->h);
        EXPECT_TRUE(DecodeImage(bytes, pixels)) << name << " at its size";
        EXPECT_FALSE(DecodeImage(bytes, pixels - 1)) << name << " one pixel over";
    }
}

}  // namespace
}  // namespace qs::test
