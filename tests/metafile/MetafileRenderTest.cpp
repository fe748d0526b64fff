// Pictures written by other programs (Inkscape, LibreOffice Draw) from the
// drawings in tests/data/metafile/src, played and compared with reference
// renderings that were checked by eye against the SVG drawings. (LibreOffice
// imports the drawings a little enlarged and cuts them at their frame, and
// draws their outlines as hairlines; its own renderings show the same.)
#include <gtest/gtest.h>

#include <string>

#include "screen/metafile/Metafile.h"
#include "support/ReferenceImage.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

std::optional<Metafile> LoadFixture(const std::string& file) {
    return Metafile::Parse(
        test::ReadFileBytes(std::string(QS_TEST_DATA_DIR) + "/metafile/" + file));
}

struct Fixture {
    const char* file;
    Metafile::Kind kind;
    Size svgSize;  // the drawing's own size in pixels
};

const Fixture kFixtures[] = {
    {"inkscape-shapes.emf", Metafile::Kind::Emf, {160, 120}},
    {"inkscape-star.emf", Metafile::Kind::Emf, {120, 120}},
    {"inkscape-house.emf", Metafile::Kind::Emf, {100, 100}},
    {"inkscape-shapes.wmf", Metafile::Kind::Wmf, {160, 120}},
    {"inkscape-star.wmf", Metafile::Kind::Wmf, {120, 120}},
    {"inkscape-house.wmf", Metafile::Kind::Wmf, {100, 100}},
    {"libreoffice-shapes.emf", Metafile::Kind::Emf, {160, 120}},
    {"libreoffice-star.emf", Metafile::Kind::Emf, {120, 120}},
    {"libreoffice-house.emf", Metafile::Kind::Emf, {100, 100}},
    {"libreoffice-shapes.wmf", Metafile::Kind::Wmf, {160, 120}},
    {"libreoffice-star.wmf", Metafile::Kind::Wmf, {120, 120}},
    {"libreoffice-house.wmf", Metafile::Kind::Wmf, {100, 100}},
};

TEST(MetafileRender, NaturalSizeIsTheDrawingsSize) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(f.file);
        std::optional<Metafile> m = LoadFixture(f.file);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Format(), f.kind);
        // The writers round the frame differently (LibreOffice by some 8 %).
        EXPECT_NEAR(m->NaturalSize().w, f.svgSize.w, f.svgSize.w / 10.0 + 1);
        EXPECT_NEAR(m->NaturalSize().h, f.svgSize.h, f.svgSize.h / 10.0 + 1);
    }
}

// Each picture at twice the drawing's size, hard-edged and smoothed, on grey
// so that what the picture leaves unpainted shows.
TEST(MetafileRender, PicturesMatchTheirReferences) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(f.file);
        std::optional<Metafile> m = LoadFixture(f.file);
        ASSERT_TRUE(m);
        for (bool antialias : {false, true}) {
            Size s{f.svgSize.w * 2, f.svgSize.h * 2};
            Bitmap b(s.w + 8, s.h + 8, 0x808080);
            m->Draw(b, Rect{4, 4, 4 + s.w, 4 + s.h}, antialias);
            std::string name = std::string(f.file) + (antialias ? "-smooth" : "");
            EXPECT_TRUE(test::MatchesReference(b, "metafile/ref/" + name, kMetafileTolerance));
        }
    }
}

// Drawing a picture partly outside the bitmap paints only the bitmap, and
// only inside dest.
TEST(MetafileRender, DrawIsClippedToDestAndBitmap) {
    std::optional<Metafile> m = LoadFixture("inkscape-house.emf");
    ASSERT_TRUE(m);
    const Rect dests[] = {{-50, -50, 50, 50}, {30, 30, 130, 130}, {-1000, 10, 1000, 20}};
    for (const Rect& d : dests) {
        SCOPED_TRACE(std::to_string(d.left) + "," + std::to_string(d.top));
        Bitmap b(80, 80, 0x010203);
        m->Draw(b, d);
        Rect inside = d.Intersect(b.Bounds());
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x)
                if (!inside.Contains(x, y)) {
                    ASSERT_EQ(b.Pixel(x, y), 0x010203u) << x << "," << y;
                }
    }
}

}  // namespace
}  // namespace qs::test
