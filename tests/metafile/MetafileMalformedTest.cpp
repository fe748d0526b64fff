// Broken pictures: parsing refuses what has no sane header, and drawing
// stops at the first record that does not fit; nothing crashes, nothing
// reads outside the bytes, nothing allocates by an unchecked count.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "metafile/MetafileBuilder.h"
#include "screen/metafile/Metafile.h"

namespace qs::test {
namespace {

constexpr Rgb kBack = 0x808080, kRed = 0xFF0000;

// A red square at 10..30 that every broken picture below draws first; the
// broken record follows it and a green square at 60..80 after that.
EmfBuilder EmfStart() {
    return std::move(EmfBuilder().Brush(1, 0x0000FF).Select(1).NullPen().Rect(10, 10, 30, 30));
}
std::vector<uint8_t> EmfAfter(EmfBuilder e) {
    return e.Brush(2, 0x00FF00).Select(2).Rect(60, 60, 80, 80).WithEof();
}
WmfBuilder WmfStart() {
    return std::move(
        WmfBuilder().NullPen().Brush(0x0000FF).Select(0).Select(1).Rect(10, 10, 30, 30));
}
std::vector<uint8_t> WmfAfter(WmfBuilder w) {
    return w.Brush(0x00FF00).Select(2).Rect(60, 60, 80, 80).WithEof();
}

std::vector<uint8_t> Truncated(std::vector<uint8_t> b, size_t n) {
    b.resize(std::min(n, b.size()));
    return b;
}

std::vector<uint8_t> Patched32(std::vector<uint8_t> b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    return b;
}

// Survives: the rest of the picture may or may not be drawn.
enum class Expect { Refused, StopsAfterFirst, DrawsAll, Survives };

struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    Expect expect;
};

std::vector<Case> Cases() {
    std::vector<uint8_t> good = EmfAfter(EmfStart());
    std::vector<uint8_t> goodWmf = WmfAfter(WmfStart());
    std::vector<Case> c = {
        {"empty", {}, Expect::Refused},
        {"four bytes", {1, 0, 0, 0}, Expect::Refused},
        {"EMF header cut short", Truncated(good, 60), Expect::Refused},
        {"EMF header size 0", Patched32(good, 4, 0), Expect::Refused},
        {"EMF header size past the end", Patched32(good, 4, 1u << 30), Expect::Refused},
        {"EMF without signature", Patched32(good, 40, 0x12345678), Expect::Refused},
        {"EMF frame and bounds inverted",
         Patched32(Patched32(Patched32(Patched32(good, 32, uint32_t(-5)), 36, uint32_t(-5)), 16,
                             uint32_t(-9)),
                   20, uint32_t(-9)),
         Expect::Refused},
        {"EMF record size 0", EmfAfter(std::move(EmfStart().RawRecord(43, 0, {1, 2, 3, 4}))),
         Expect::StopsAfterFirst},
        {"EMF record size past the end",
         EmfAfter(std::move(EmfStart().RawRecord(43, 1u << 31, {1}))), Expect::StopsAfterFirst},
        {"EMF record size not a multiple of 4",
         EmfAfter(std::move(EmfStart().RawRecord(43, 13, {1, 2}))), Expect::StopsAfterFirst},
        {"EMF record cut by the end of the file", Truncated(good, good.size() - 30),
         Expect::StopsAfterFirst},
        {"polygon with a huge count",
         EmfAfter(std::move(EmfStart().Record(3, {0, 0, 9, 9, INT_MAX, 1, 2}))),
         Expect::StopsAfterFirst},
        {"16-bit polyline with a huge count",
         EmfAfter(std::move(EmfStart().Record(87, {0, 0, 9, 9, -1, 1}))), Expect::StopsAfterFirst},
        {"poly-polygon with a huge polygon count",
         EmfAfter(
             std::move(EmfStart().Record(8, {0, 0, 9, 9, 0x40000000, 3, 3, 0, 0, 1, 1, 2, 2}))),
         Expect::StopsAfterFirst},
        {"poly-polygon whose counts exceed its points",
         EmfAfter(std::move(EmfStart().Record(91, {0, 0, 9, 9, 2, 3, -1, -1, 1, 2, 3}))),
         Expect::DrawsAll},
        {"clip region with a huge rectangle count",
         EmfAfter(std::move(
             EmfStart().Record(75, {48, 5, 32, 1, 0x10000000, 0, 0, 0, 9, 9, 1, 1, 5, 5}))),
         Expect::StopsAfterFirst},
        {"record too short for its fields", EmfAfter(std::move(EmfStart().Record(43, {1}))),
         Expect::StopsAfterFirst},
        {"zero and extreme extents",
         EmfAfter(std::move(EmfStart()
                                .Record(17, {8})
                                .Record(9, {0, 0})
                                .Record(11, {INT_MIN, INT_MAX})
                                .Record(9, {INT_MIN, 1})
                                .Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)
                                .Record(17, {1}))),
         Expect::DrawsAll},
        {"world transform of NaN and infinities",
         EmfAfter(std::move(EmfStart()
                                .Float(35, {__builtin_nanf(""), 0, 0, 1, 0, 0})
                                .Float(36, {__builtin_inff(), 1e38f, -1e38f, 1e38f, 1e38f, 0}, {2})
                                .Record(42, {0, 0, 50, 50})
                                .Record(36, {0, 0, 0, 0, 0, 0, 1}))),
         Expect::DrawsAll},
        {"restore far beyond what was saved",
         EmfAfter(
             std::move(EmfStart().Record(34, {INT_MIN}).Record(34, {INT_MAX}).Record(34, {-1}))),
         Expect::DrawsAll},
        {"objects at absurd indexes",
         EmfAfter(std::move(EmfStart()
                                .Brush(0xFFFFFFFFu, 0)
                                .Select(0x7FFFFFFFu)
                                .Record(40, {-1})
                                .Select(0x80001234u))),
         Expect::DrawsAll},
        {"arcs and round rectangles of no size",
         EmfAfter(std::move(EmfStart()
                                .Record(45, {5, 5, 5, 5, 5, 5, 5, 5})
                                .Record(44, {0, 0, 0, 0, INT_MIN, INT_MAX})
                                .Record(41, {5, 5, -1, 0x7F800000, 0x7FC00000}))),
         Expect::DrawsAll},
        {"path operations out of order",
         EmfAfter(std::move(EmfStart()
                                .Record(62, {0, 0, 1, 1})
                                .Record(61, {})
                                .Record(60, {})
                                .Record(88, {0, 0, 1, 1, 3, 1, 2, 3})
                                .Record(59, {})
                                .Record(67, {1})
                                .Record(60, {}))),
         Expect::DrawsAll},
        {"poly-draw with a count past its types",
         EmfAfter(std::move(EmfStart().Record(56, {0, 0, 1, 1, 3, 1, 1, 2, 2, 3, 3}))),
         Expect::StopsAfterFirst},
        {"WMF header only", Truncated(goodWmf, 22 + 18), Expect::DrawsAll},
        {"WMF cut inside the header", Truncated(goodWmf, 30), Expect::Refused},
        {"WMF placeable box of no width", WmfAfter(WmfBuilder(true, 0, 100)), Expect::Refused},
        {"WMF bad header size", Patched32(goodWmf, 22, 0x00050001), Expect::Refused},
        {"WMF record size 0", WmfAfter(std::move(WmfStart().RawRecord(0, 0x041B, {1, 2, 3, 4}))),
         Expect::StopsAfterFirst},
        {"WMF record size past the end",
         WmfAfter(std::move(WmfStart().RawRecord(0x7FFFFFFF, 0x041B, {1, 2, 3, 4}))),
         Expect::StopsAfterFirst},
        {"WMF polygon with more points than data",
         WmfAfter(std::move(WmfStart().Record(0x0324, {30000, 1, 2, 3, 4}))),
         Expect::StopsAfterFirst},
        {"WMF poly-polygon with counts past the data",
         WmfAfter(std::move(WmfStart().Record(0x0538, {3, 65535, 65535, 65535, 1, 2}))),
         Expect::StopsAfterFirst},
        {"WMF rectangle without parameters", WmfAfter(std::move(WmfStart().Record(0x041B, {}))),
         Expect::StopsAfterFirst},
        {"WMF window extent of zero",
         WmfAfter(std::move(WmfStart().Record(0x020C, {0, 0}).Record(0x0410, {0, 5, 0, 5}))),
         Expect::DrawsAll},
    };
    // Many more objects than the table holds, each taking a slot.
    WmfBuilder many = WmfStart();
    for (int i = 0; i < 70000; ++i) many.Record(0x02FB, {});
    c.push_back({"WMF fills its object table", WmfAfter(many), Expect::Survives});
    EmfBuilder saves = EmfStart();
    for (int i = 0; i < 20000; ++i) saves.Record(33, {});
    c.push_back({"EMF saves without end", EmfAfter(saves), Expect::DrawsAll});
    return c;
}

TEST(MetafileMalformed, NeverCrashesAndStopsAtTheBrokenRecord) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::optional<Metafile> m = Metafile::Parse(c.bytes);
        if (c.expect == Expect::Refused) {
            EXPECT_FALSE(m);
            continue;
        }
        ASSERT_TRUE(m);
        for (Rect dest : {Rect{0, 0, 100, 100}, Rect{-5, -5, 1, 1}, Rect{0, 0, 1, 100000}}) {
            Bitmap b(100, 100, kBack);
            m->Draw(b, dest);
            if (dest.right != 100) continue;
            bool header = c.bytes.size() <= 22 + 18;
            if (!header) {
                EXPECT_EQ(b.Pixel(20, 20), kRed) << "first square";
            }
            if (c.expect == Expect::StopsAfterFirst) {
                EXPECT_EQ(b.Pixel(70, 70), kBack) << "second square";
            } else if (c.expect == Expect::DrawsAll && !header) {
                EXPECT_EQ(b.Pixel(70, 70), 0x00FF00u) << "second square";
            }
        }
    }
}

}  // namespace
}  // namespace qs::test
