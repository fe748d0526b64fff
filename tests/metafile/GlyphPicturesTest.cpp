// The special glyph pictures of data/emfs drawn into cells of several sizes:
// lines must run to the cell edges at the same pixels as the straight lines,
// so that frames join without gaps at any window size.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "screen/metafile/Metafile.h"
#include "support/ReferenceImage.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;

// Cells as the character screen makes them: CellWidth x (CellHeight + 2).
const Size kCells[] = {{8, 18}, {9, 18}, {10, 22}, {13, 29}, {16, 34}, {24, 40}, {31, 61}};

std::optional<Metafile> LoadGlyph(int code) {
    return Metafile::Parse(test::ReadFileBytes(std::string(QS_SOURCE_DIR) + "/data/emfs/" +
                                               std::to_string(code) + ".emf"));
}

Bitmap DrawCell(const Metafile& m, Size cell) {
    Bitmap b(cell.w, cell.h, 0x123456);  // not black: the picture must paint its background
    m.Draw(b, Rect{0, 0, cell.w, cell.h});
    return b;
}

enum Edge { Top, Bottom, Left, Right };

std::vector<bool> EdgeProfile(const Bitmap& b, Edge e) {
    std::vector<bool> lit;
    int n = (e == Top || e == Bottom) ? b.Width() : b.Height();
    for (int i = 0; i < n; ++i) {
        int x = e == Left ? 0 : e == Right ? b.Width() - 1 : i;
        int y = e == Top ? 0 : e == Bottom ? b.Height() - 1 : i;
        lit.push_back(b.Pixel(x, y) == kWhite);
    }
    return lit;
}

int Runs(const std::vector<bool>& v) {
    int runs = 0;
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] && (i == 0 || !v[i - 1])) ++runs;
    return runs;
}

std::string Show(const std::vector<bool>& v) {
    std::string s;
    for (bool b : v) s += b ? '#' : '.';
    return s;
}

// Arms up, down, left, right: 0 none, 1 single, 2 double.
const std::map<int, std::string> kBoxArms = {
    {179, "1100"}, {180, "1110"}, {181, "1120"}, {182, "2210"}, {183, "0210"}, {184, "0120"},
    {185, "2220"}, {186, "2200"}, {187, "0220"}, {188, "2020"}, {189, "2010"}, {190, "1020"},
    {191, "0110"}, {192, "1001"}, {193, "1011"}, {194, "0111"}, {195, "1101"}, {196, "0011"},
    {197, "1111"}, {198, "1102"}, {199, "2201"}, {200, "2002"}, {201, "0202"}, {202, "2022"},
    {203, "0222"}, {204, "2202"}, {205, "0022"}, {206, "2222"}, {207, "1022"}, {208, "2011"},
    {209, "0122"}, {210, "0211"}, {211, "2001"}, {212, "1002"}, {213, "0102"}, {214, "0201"},
    {215, "2211"}, {216, "1122"}, {217, "1010"}, {218, "0101"},
};

TEST(GlyphPictures, StraightLinesAreCentredAndRunEdgeToEdge) {
    struct Row {
        int code;
        Edge from, to;  // the two edges the line joins
        int runs;       // lines across the edge
    };
    const Row rows[] = {
        {179, Top, Bottom, 1}, {186, Top, Bottom, 2}, {196, Left, Right, 1}, {205, Left, Right, 2}};
    for (const Row& row : rows) {
        std::optional<Metafile> m = LoadGlyph(row.code);
        ASSERT_TRUE(m) << row.code;
        for (Size cell : kCells) {
            SCOPED_TRACE("glyph " + std::to_string(row.code) + " in " + std::to_string(cell.w) +
                         "x" + std::to_string(cell.h));
            Bitmap b = DrawCell(*m, cell);
            std::vector<bool> a = EdgeProfile(b, row.from), z = EdgeProfile(b, row.to);
            EXPECT_EQ(Show(a), Show(z));
            EXPECT_EQ(Runs(a), row.runs) << Show(a);
            // Centred: as many unlit pixels before the lines as after them.
            int first = 0, last = static_cast<int>(a.size()) - 1;
            while (first < last && !a[first]) ++first;
            while (last > first && !a[last]) --last;
            EXPECT_LE(std::abs(first - (static_cast<int>(a.size()) - 1 - last)), 1) << Show(a);
            // Lines are unbroken from edge to edge.
            bool vertical = row.from == Top;
            for (int i = 0; i < static_cast<int>(a.size()); ++i) {
                if (!a[i]) continue;
                int n = vertical ? b.Height() : b.Width();
                for (int j = 0; j < n; ++j) {
                    Rgb p = vertical ? b.Pixel(i, j) : b.Pixel(j, i);
                    ASSERT_EQ(p, kWhite) << "gap at " << i << "/" << j;
                }
            }
        }
    }
}

TEST(GlyphPictures, EveryArmMeetsItsNeighbourAtTheSamePixels) {
    for (Size cell : kCells) {
        std::map<int, Bitmap> straight;
        for (int code : {179, 186, 196, 205}) straight[code] = DrawCell(*LoadGlyph(code), cell);
        for (const auto& [code, arms] : kBoxArms) {
            std::optional<Metafile> m = LoadGlyph(code);
            ASSERT_TRUE(m) << code;
            Bitmap b = DrawCell(*m, cell);
            const Edge edges[] = {Top, Bottom, Left, Right};
            const char* names[] = {"top", "bottom", "left", "right"};
            for (int i = 0; i < 4; ++i) {
                SCOPED_TRACE("glyph " + std::to_string(code) + " " + names[i] + " edge in " +
                             std::to_string(cell.w) + "x" + std::to_string(cell.h));
                int weight = arms[i] - '0';
                std::vector<bool> expected;
                if (weight == 0) {
                    expected = std::vector<bool>(i < 2 ? cell.w : cell.h, false);
                } else {
                    int ref = i < 2 ? (weight == 1 ? 179 : 186) : (weight == 1 ? 196 : 205);
                    expected = EdgeProfile(straight[ref], edges[i]);
                }
                EXPECT_EQ(Show(EdgeProfile(b, edges[i])), Show(expected));
            }
        }
    }
}

TEST(GlyphPictures, BlocksAndShadesFillTheirShareOfTheCell) {
    struct Row {
        int code;
        Rect lit;  // in 1/2 of the cell: the part that must be white (blocks)
        double minShare, maxShare;
    };
    const Row rows[] = {
        {219, {0, 0, 2, 2}, 1.0, 1.0}, {220, {0, 1, 2, 2}, 0.5, 0.5}, {221, {0, 0, 1, 2}, 0.5, 0.5},
        {222, {1, 0, 2, 2}, 0.5, 0.5}, {223, {0, 0, 2, 1}, 0.5, 0.5}, {176, {}, 0.18, 0.32},
        {177, {}, 0.42, 0.58},         {178, {}, 0.68, 0.82},
    };
    for (const Row& row : rows) {
        std::optional<Metafile> m = LoadGlyph(row.code);
        ASSERT_TRUE(m) << row.code;
        for (Size cell : kCells) {
            SCOPED_TRACE("glyph " + std::to_string(row.code) + " in " + std::to_string(cell.w) +
                         "x" + std::to_string(cell.h));
            Bitmap b = DrawCell(*m, cell);
            int lit = 0;
            for (int y = 0; y < cell.h; ++y)
                for (int x = 0; x < cell.w; ++x) {
                    bool white = b.Pixel(x, y) == kWhite;
                    ASSERT_TRUE(white || b.Pixel(x, y) == 0) << "neither white nor black";
                    lit += white;
                    if (!row.lit.Empty()) {
                        // Halves split at the middle pixel (within one pixel).
                        bool inX = 2 * x + 1 >= row.lit.left * cell.w &&
                                   2 * x + 1 <= row.lit.right * cell.w;
                        bool inY = 2 * y + 1 >= row.lit.top * cell.h &&
                                   2 * y + 1 <= row.lit.bottom * cell.h;
                        bool nearSplit =
                            std::abs(2 * x + 1 - cell.w) <= 2 || std::abs(2 * y + 1 - cell.h) <= 2;
                        if (!nearSplit) {
                            ASSERT_EQ(white, inX && inY) << x << "," << y;
                        }
                    }
                }
            double share = double(lit) / (cell.w * cell.h);
            // Shades may vary a little with the rounding of their dots; a half
            // block by at most its middle row or column.
            double slack = row.lit.Empty() ? 0.07 : 1.0 / std::min(cell.w, cell.h);
            if (row.minShare == 1.0) slack = 0;
            EXPECT_GE(share, row.minShare - slack);
            EXPECT_LE(share, row.maxShare + slack);
        }
    }
}

// The shades are regular: stacked and side by side, a cell of 8 x 16 pixels
// repeats the same two rows of dots all over without a seam.
TEST(GlyphPictures, ShadesTileWithoutSeams) {
    for (int code : {176, 177, 178}) {
        SCOPED_TRACE("glyph " + std::to_string(code));
        std::optional<Metafile> m = LoadGlyph(code);
        ASSERT_TRUE(m);
        Bitmap sheet(16, 32, 0);
        for (int cy = 0; cy < 2; ++cy)
            for (int cx = 0; cx < 2; ++cx)
                m->Draw(sheet, Rect{cx * 8, cy * 16, cx * 8 + 8, cy * 16 + 16});
        for (int y = 2; y < 32; ++y)
            for (int x = 0; x < 16; ++x) {
                ASSERT_EQ(sheet.Pixel(x, y), sheet.Pixel(x, y - 2)) << x << "," << y;
                ASSERT_EQ(sheet.Pixel(x, y), sheet.Pixel(x >= 4 ? x - 4 : x + 4, y))
                    << x << "," << y;
            }
    }
}

TEST(GlyphPictures, SheetOfAllGlyphsMatchesTheReference) {
    std::vector<int> codes;
    for (int c = 176; c <= 223; ++c) codes.push_back(c);
    codes.push_back(251);
    // A sample frame made of glyphs shows the joins in context.
    const std::vector<std::vector<int>> frame = {
        {201, 205, 203, 205, 187, 32, 218, 196, 194, 196, 191, 32, 213, 205, 209, 205, 184},
        {186, 176, 186, 177, 186, 32, 179, 178, 179, 219, 179, 32, 179, 32, 179, 32, 179},
        {204, 205, 206, 205, 185, 32, 195, 196, 197, 196, 180, 32, 198, 205, 216, 205, 181},
        {186, 32, 186, 32, 186, 32, 179, 32, 179, 32, 179, 32, 179, 32, 179, 32, 179},
        {200, 205, 202, 205, 188, 32, 192, 196, 193, 196, 217, 32, 212, 205, 207, 205, 190},
        {214, 196, 210, 196, 183, 32, 220, 223, 221, 222, 251, 32, 201, 205, 205, 205, 187},
        {211, 196, 208, 196, 189, 32, 199, 196, 182, 215, 32, 32, 200, 205, 205, 205, 188},
    };
    const Size sizes[] = {{8, 18}, {24, 40}};
    int width = 0, height = 0;
    for (Size s : sizes) {
        width = std::max(width, s.w * 2 * 25);
        height += s.h * 2 * 2 + s.h * (static_cast<int>(frame.size()) + 1);
    }
    Bitmap sheet(width, height, 0x404040);
    int top = 0;
    for (Size s : sizes) {
        for (size_t i = 0; i < codes.size(); ++i) {
            int x = static_cast<int>(i % 25) * s.w * 2,
                y = top + static_cast<int>(i / 25) * s.h * 2;
            LoadGlyph(codes[i])->Draw(sheet, Rect{x, y, x + s.w, y + s.h});
        }
        top += s.h * 4;
        for (size_t r = 0; r < frame.size(); ++r)
            for (size_t c = 0; c < frame[r].size(); ++c) {
                int x = static_cast<int>(c) * s.w, y = top + static_cast<int>(r) * s.h;
                if (frame[r][c] == 32) continue;
                LoadGlyph(frame[r][c])->Draw(sheet, Rect{x, y, x + s.w, y + s.h});
            }
        top += s.h * (static_cast<int>(frame.size()) + 1);
    }
    EXPECT_TRUE(test::MatchesReference(sheet, "metafile/ref/glyph-sheet", kMetafileTolerance));
}

}  // namespace
}  // namespace qs::test
