// What single records do, on small hand-made pictures drawn into 100 x 100
// pixels: mapping, transforms, objects, fill modes, paths and clipping.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "metafile/MetafileBuilder.h"
#include "screen/metafile/Metafile.h"

namespace qs::test {
namespace {

constexpr Rgb kBack = 0x808080;
constexpr uint32_t kRedRef = 0x0000FF;  // COLORREF
constexpr uint32_t kGreenRef = 0x00FF00;
constexpr uint32_t kBlueRef = 0xFF0000;
constexpr Rgb kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

struct Probe {
    int x, y;
    Rgb color;
};

struct Case {
    const char* name;
    std::function<std::vector<uint8_t>()> make;
    std::vector<Probe> probes;
};

// Records used below: 9 SetWindowExtEx, 10 SetWindowOrgEx, 11 SetViewportExtEx,
// 17 SetMapMode, 19 SetPolyFillMode, 27 MoveToEx, 54 LineTo, 33 SaveDC,
// 34 RestoreDC, 35 SetWorldTransform, 36 ModifyWorldTransform, 40 DeleteObject,
// 42 Ellipse, 30 IntersectClipRect, 59..64 paths, 70 comment, 86 Polygon16,
// 91 PolyPolygon16, 95 ExtCreatePen.
EmfBuilder RedFill() { return std::move(EmfBuilder().Brush(1, kRedRef).Select(1).NullPen()); }

std::vector<uint8_t> Pentagram(int fillMode) {
    EmfBuilder e = RedFill();
    e.Record(19, {fillMode});
    e.Record(86, {0, 0, 100, 100, 5, (50) | (5 << 16), (80) | (95 << 16), (5) | (35 << 16),
                  (95) | (35 << 16), (20) | (95 << 16)});
    return e.WithEof();
}

const Case kEmfCases[] = {
    {"rectangle fills its box",
     [] { return RedFill().Rect(10, 10, 50, 50).WithEof(); },
     {{11, 11, kRed}, {48, 48, kRed}, {60, 30, kBack}, {5, 5, kBack}}},
    {"anisotropic window 200 onto viewport 100",
     [] {
         return RedFill()
             .Record(17, {8})
             .Record(9, {200, 200})
             .Record(11, {100, 100})
             .Rect(20, 20, 100, 100)
             .WithEof();
     },
     {{12, 12, kRed}, {48, 48, kRed}, {55, 55, kBack}, {8, 8, kBack}}},
    {"isotropic keeps the smaller scale on both axes",
     [] {
         return RedFill()
             .Record(17, {7})
             .Record(9, {100, 200})
             .Record(11, {100, 100})
             .Rect(0, 0, 100, 100)
             .WithEof();
     },
     {{45, 45, kRed}, {55, 30, kBack}, {30, 55, kBack}}},
    {"window extent is ignored in MM_TEXT",
     [] {
         return RedFill()
             .Record(9, {200, 200})
             .Record(11, {100, 100})
             .Rect(60, 60, 90, 90)
             .WithEof();
     },
     {{75, 75, kRed}, {40, 40, kBack}}},
    {"window origin shifts the picture",
     [] {
         return RedFill().Record(10, {-50, -50}).Rect(0, 0, 10, 10).WithEof();
     },
     {{55, 55, kRed}, {5, 5, kBack}}},
    {"world transform scales",
     [] {
         return RedFill().Float(35, {2, 0, 0, 2, 0, 0}).Rect(10, 10, 20, 20).WithEof();
     },
     {{25, 25, kRed}, {38, 38, kRed}, {15, 15, kBack}, {45, 45, kBack}}},
    {"left multiply applies the new transform first",
     [] {
         return RedFill()
             .Float(35, {2, 0, 0, 2, 0, 0})
             .Float(36, {1, 0, 0, 1, 10, 0}, {2})
             .Rect(0, 0, 10, 10)
             .WithEof();
     },
     {{25, 5, kRed}, {15, 5, kBack}}},
    {"right multiply applies it last",
     [] {
         return RedFill()
             .Float(35, {2, 0, 0, 2, 0, 0})
             .Float(36, {1, 0, 0, 1, 10, 0}, {3})
             .Rect(0, 0, 10, 10)
             .WithEof();
     },
     {{15, 5, kRed}, {35, 5, kBack}}},
    {"restore brings back the saved brush",
     [] {
         return RedFill()
             .Record(33, {})
             .Brush(2, kGreenRef)
             .Select(2)
             .Record(34, {-1})
             .Rect(10, 10, 30, 30)
             .WithEof();
     },
     {{20, 20, kRed}}},
    {"alternate fill leaves the star's middle empty",
     [] { return Pentagram(1); },
     {{50, 50, kBack}, {50, 15, kRed}}},
    {"winding fill fills the middle",
     [] { return Pentagram(2); },
     {{50, 50, kRed}, {50, 15, kRed}}},
    {"poly-polygon with a hole",
     [] {
         return RedFill()
             .Record(91,
                     {0, 0, 100, 100, 2, 8, 4, 4, 10 | 10 << 16, 90 | 10 << 16, 90 | 90 << 16,
                      10 | 90 << 16, 30 | 30 << 16, 70 | 30 << 16, 70 | 70 << 16, 30 | 70 << 16})
             .WithEof();
     },
     {{20, 20, kRed}, {50, 50, kBack}, {80, 80, kRed}}},
    {"stock black brush and null brush",
     [] {
         return RedFill()
             .Select(0x80000004u)
             .Rect(0, 0, 50, 50)
             .Select(0x80000005u)
             .Rect(50, 50, 100, 100)
             .WithEof();
     },
     {{25, 25, 0x000000}, {75, 75, kBack}}},
    {"a deleted brush cannot be selected again",
     [] {
         return RedFill()
             .Brush(2, kGreenRef)
             .Record(40, {2})
             .Select(2)
             .Rect(10, 10, 30, 30)
             .WithEof();
     },
     {{20, 20, kRed}}},
    {"ellipse fills its middle, not its corners",
     [] {
         return RedFill().Record(42, {10, 10, 90, 90}).WithEof();
     },
     {{50, 50, kRed}, {14, 14, kBack}, {50, 12, kRed}}},
    {"a path of lines and a curve fills as one figure",
     [] {
         return RedFill()
             .Record(59, {})
             .Record(27, {10, 10})
             .Record(54, {90, 10})
             .Record(88, {0, 0, 100, 100, 3, 90 | 50 << 16, 90 | 90 << 16, 50 | 90 << 16})
             .Record(54, {10, 90})
             .Record(61, {})
             .Record(60, {})
             .Record(62, {0, 0, 100, 100})
             .WithEof();
     },
     {{50, 50, kRed}, {20, 80, kRed}, {85, 85, kBack}}},
    {"a thick pen strokes a wide line",
     [] {
         return EmfBuilder()
             .Record(95, {1, 0, 0, 0, 0, 0x00010000 | 0x200, 10, 0, int32_t(kBlueRef), 0, 0})
             .Select(1)
             .Record(27, {10, 50})
             .Record(54, {90, 50})
             .WithEof();
     },
     {{50, 46, kBlue}, {50, 53, kBlue}, {50, 40, kBack}, {5, 50, kBack}}},
    {"null pen and null brush draw nothing",
     [] { return EmfBuilder().NullPen().Select(0x80000005u).Rect(10, 10, 90, 90).WithEof(); },
     {{10, 10, kBack}, {50, 50, kBack}}},
    {"the default pen outlines a rectangle",
     [] { return EmfBuilder().Select(0x80000005u).Rect(10, 10, 90, 90).WithEof(); },
     {{10, 50, 0x000000}, {50, 10, 0x000000}, {50, 50, kBack}}},
    {"clip rectangle limits drawing",
     [] {
         return RedFill().Record(30, {0, 0, 50, 100}).Rect(10, 10, 90, 90).WithEof();
     },
     {{40, 50, kRed}, {60, 50, kBack}}},
    {"comments and unknown records are skipped",
     [] {
         return RedFill()
             .Record(70, {8, 0x2B464D45, 0x7FFFFFFF})
             .Record(999, {1, 2, 3})
             .Rect(10, 10, 30, 30)
             .WithEof();
     },
     {{20, 20, kRed}}},
    {"nothing after the end record is drawn",
     [] {
         EmfBuilder e = RedFill();
         e.Record(14, {0, 16, 20}).Rect(10, 10, 30, 30);
         return e.Bytes();
     },
     {{20, 20, kBack}}},
};

TEST(MetafileRecords, Emf) {
    for (const Case& c : kEmfCases) {
        SCOPED_TRACE(c.name);
        std::optional<Metafile> m = Metafile::Parse(c.make());
        ASSERT_TRUE(m);
        Bitmap b(100, 100, kBack);
        m->Draw(b, Rect{0, 0, 100, 100});
        for (const Probe& p : c.probes)
            EXPECT_EQ(b.Pixel(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
    }
}

// WMF objects go into the lowest free slot of the object table.
const Case kWmfCases[] = {
    {"placeable box maps onto dest",
     [] {
         return WmfBuilder(true, 200, 200)
             .NullPen()
             .Brush(kRedRef)
             .Select(0)
             .Select(1)
             .Rect(20, 20, 100, 100)
             .WithEof();
     },
     {{12, 12, kRed}, {48, 48, kRed}, {55, 55, kBack}}},
    {"parameters come in reverse order",
     [] {
         return WmfBuilder()
             .NullPen()
             .Brush(kRedRef)
             .Select(0)
             .Select(1)
             .Rect(10, 60, 30, 90)
             .WithEof();
     },
     {{20, 75, kRed}, {75, 20, kBack}}},
    {"the file's window overrides the box",
     [] {
         return WmfBuilder()
             .Record(0x020B, {0, 0})
             .Record(0x020C, {50, 50})
             .NullPen()
             .Brush(kRedRef)
             .Select(0)
             .Select(1)
             .Rect(0, 0, 25, 25)
             .WithEof();
     },
     {{40, 40, kRed}, {60, 60, kBack}}},
    {"a plain WMF spans its window",
     [] {
         return WmfBuilder(false)
             .Record(0x020B, {0, 0})
             .Record(0x020C, {200, 200})
             .NullPen()
             .Brush(kRedRef)
             .Select(0)
             .Select(1)
             .Rect(100, 100, 200, 200)
             .WithEof();
     },
     {{75, 75, kRed}, {25, 25, kBack}}},
    {"a freed slot is reused by the next object",
     [] {
         return WmfBuilder()
             .NullPen()
             .Brush(kRedRef)
             .Brush(kGreenRef)
             .Delete(1)
             .Brush(kBlueRef)
             .Select(0)
             .Select(1)
             .Rect(10, 10, 30, 30)
             .WithEof();
     },
     {{20, 20, kBlue}}},
    {"polygon and poly-polygon",
     [] {
         return WmfBuilder()
             .NullPen()
             .Brush(kRedRef)
             .Select(0)
             .Select(1)
             .Record(0x0324, {3, 0, 0, 40, 0, 0, 40})
             .Record(0x0538,
                     {2, 4, 4, 50, 50, 100, 50, 100, 100, 50, 100, 60, 60, 90, 60, 90, 90, 60, 90})
             .WithEof();
     },
     {{10, 10, kRed}, {35, 35, kBack}, {55, 55, kRed}, {75, 75, kBack}}},
    {"winding fill mode",
     [] {
         return WmfBuilder()
             .NullPen()
             .Brush(kRedRef)
             .Select(0)
             .Select(1)
             .Record(0x0106, {2})
             .Record(0x0324, {5, 50, 5, 80, 95, 5, 35, 95, 35, 20, 95})
             .WithEof();
     },
     {{50, 50, kRed}}},
};

TEST(MetafileRecords, Wmf) {
    for (const Case& c : kWmfCases) {
        SCOPED_TRACE(c.name);
        std::optional<Metafile> m = Metafile::Parse(c.make());
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Format(), Metafile::Kind::Wmf);
        Bitmap b(100, 100, kBack);
        m->Draw(b, Rect{0, 0, 100, 100});
        for (const Probe& p : c.probes)
            EXPECT_EQ(b.Pixel(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
    }
}

TEST(MetafileRecords, NaturalSize) {
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        Size size;
    };
    const Row rows[] = {
        {"EMF frame of 10 mm", EmfBuilder().WithEof(), {38, 38}},
        {"placeable WMF at 96 units per inch", WmfBuilder(true, 150, 60).WithEof(), {150, 60}},
        {"plain WMF by its window", WmfBuilder(false).Record(0x020C, {40, 70}).WithEof(), {70, 40}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::optional<Metafile> m = Metafile::Parse(r.bytes);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->NaturalSize(), r.size);
    }
}

TEST(MetafileRecords, HardEdgesUnlessSmoothingIsAsked) {
    std::vector<uint8_t> bytes = RedFill().Record(42, {10, 10, 90, 90}).WithEof();
    for (bool antialias : {false, true}) {
        SCOPED_TRACE(antialias ? "smooth" : "hard");
        Bitmap b(100, 100, 0);
        Metafile::Parse(bytes)->Draw(b, Rect{0, 0, 100, 100}, antialias);
        bool mixed = false;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (b.Pixel(x, y) != 0 && b.Pixel(x, y) != kRed) mixed = true;
        EXPECT_EQ(mixed, antialias);
    }
}

}  // namespace
}  // namespace qs::test
