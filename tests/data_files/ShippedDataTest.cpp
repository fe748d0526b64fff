// The pictures, sounds and glyphs the program ships load through the
// program's own loaders, at the aspect the exercises draw them with.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/host/WavInfo.h"
#include "screen/image/ImageDecode.h"
#include "screen/metafile/Metafile.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

const std::string kData = std::string(QS_SOURCE_DIR) + "/data/";

struct PictureCase {
    const char* prefix;
    int first, last;
    int w, h;  // the size the exercises create the picture at
};

TEST(ShippedData, PicturesDecodeAtTheirAspect) {
    const PictureCase cases[] = {
        {"Dino", 0, 10, 136, 136}, {"Feuer", 0, 4, 136, 136},    {"girl", 1, 8, 48, 100},
        {"schildk", 1, 6, 86, 48}, {"stecker", 1, 6, 48, 48},    {"micky", 1, 6, 96, 90},
        {"kuss", 1, 6, 96, 96},    {"maushand", -1, -1, 40, 48}, {"mausfaust", -1, -1, 40, 48},
    };
    for (const auto& c : cases) {
        for (int i = c.first; i <= c.last; ++i) {
            std::string name = std::string(c.prefix) + (i >= 0 ? std::to_string(i) : "") + ".png";
            auto image = DecodeImage(test::ReadFileBytes(kData + "bitplane/" + name));
            ASSERT_TRUE(image) << name;
            double want = static_cast<double>(c.w) / c.h;
            double got = static_cast<double>(image->rgb.Width()) / image->rgb.Height();
            EXPECT_NEAR(got, want, 0.02) << name;
        }
    }
}

TEST(ShippedData, MetafilesParse) {
    std::vector<std::string> files = {kData + "bitplane/klatschauf.emf",
                                      kData + "bitplane/klatschzu.emf"};
    for (const auto& e : std::filesystem::directory_iterator(kData + "emfs"))
        if (e.path().extension() == ".emf") files.push_back(e.path().string());
    ASSERT_GT(files.size(), 40u);
    for (const auto& f : files) {
        auto mf = Metafile::Parse(test::ReadFileBytes(f));
        ASSERT_TRUE(mf) << f;
        EXPECT_GT(mf->NaturalSize().w, 0) << f;
    }
}

TEST(ShippedData, SoundsArePcmAtAStandardRate) {
    const char* names[] = {"Fehlerton",
                           "vergleichfuellen",
                           "klatsch",
                           "brennen",
                           "wie bitte",
                           "bumm",
                           "bravo",
                           "tippton",
                           "schritt",
                           "schritt2",
                           "wegmachen",
                           "gebiss",
                           "zaehnefallen",
                           "wegbeissen",
                           "schildkroeteschritt",
                           "schildkroetelauf",
                           "kontaktrichtig1",
                           "kontaktrichtig2",
                           "kontaktfalsch",
                           "beep1000",
                           "kontaktende",
                           "zerlegen",
                           "gefunden",
                           "baustelleok",
                           "schwellen"};
    for (const char* n : names) {
        auto info = ParseWavHeader(test::ReadFileBytes(kData + "wavs/" + n + ".wav"));
        ASSERT_TRUE(info) << n;
        EXPECT_TRUE(info->sampleRate == 22050 || info->sampleRate == 44100) << n;
        EXPECT_EQ(info->bitsPerSample, 16) << n;
        EXPECT_GT(info->DurationMs(), 20) << n;
    }
}

}  // namespace
}  // namespace qs::test
