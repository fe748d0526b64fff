// Graphics text: placement and justification, the " VA" marks, the special
// glyphs, fat text, highlighted lines and the list of drawn texts. A 640 x 480
// window maps graph points one to one onto pixels.
#include <gtest/gtest.h>

#include <algorithm>

#include "graph/GraphTestSupport.h"
#include "screen/metafile/Metafile.h"
#include "support/ReferenceImage.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;

int FontNumberOf(const Dos& d, const std::string& face) {
    const auto& t = d.graph.FontTable;
    const auto it = std::find(t.begin(), t.end(), face);
    return it == t.end() ? -1 : static_cast<int>(it - t.begin());
}

struct TextScreenFixture : ::testing::Test {
    GraphScreen s{{640, 480}};
    Dos& d = s.d;
    void SetUp() override {
        InitGraph(d, 0);
        SetTextStyle(d, 0, 0, 4);
        SetColor(d, 15);
    }
    Rect Drawn(int x, int y, const std::string& text) {
        Rect r;
        OutTextXYRect(d, x, y, text, r);
        return r;
    }
};

using GraphTextOut = TextScreenFixture;

TEST_F(GraphTextOut, JustificationMovesTheTextByItsSize) {
    const Rect base = Drawn(300, 200, "Wortbau");
    ASSERT_EQ(base.left, 300);
    ASSERT_EQ(base.top, 200);
    const int w = base.Width(), h = base.Height();
    ASSERT_GT(w, 0);
    struct Row {
        const char* name;
        int h, v;
        int dx, dy;
    };
    const Row rows[] = {
        {"left top", 0, 2, 0, 0},
        {"centre top", 1, 2, -w / 2, 0},
        {"right top", 2, 2, -w, 0},
        {"left centre", 0, 1, 0, -h / 2},
        {"left bottom", 0, 0, 0, -h},
        {"right bottom", 2, 0, -w, -h},
        {"centre centre", 1, 1, -w / 2, -h / 2},
    };
    for (const Row& r : rows) {
        SetTextJustify(d, r.h, r.v);
        const Rect got = Drawn(300, 200, "Wortbau");
        EXPECT_EQ((Point{got.left, got.top}), (Point{300 + r.dx, 200 + r.dy})) << r.name;
        EXPECT_EQ(got.Width(), w) << r.name;
    }
}

TEST_F(GraphTextOut, StartPointRules) {
    struct Row {
        const char* name;
        int v;
        int x, y;
        Point at;  // where the text's top-left lands, before vertical justification
    };
    const Row rows[] = {
        {"y 3 counts as 0 at top", 2, 50, 3, {50, 0}},
        {"y 4 stays", 2, 50, 4, {50, 4}},
        {"y 3 kept when not top", 0, 50, 3, {50, 3}},
        {"negative x and y become 0", 2, -20, -7, {0, 0}},
    };
    for (const Row& r : rows) {
        SetTextJustify(d, 0, r.v);
        const Rect got = Drawn(r.x, r.y, "Ab");
        const int lift = r.v == 0 ? got.Height() : 0;
        EXPECT_EQ((Point{got.left, got.top + lift}), r.at) << r.name;
    }
}

TEST_F(GraphTextOut, EveryCallIsListedAsGivenAndEmptyTextsDrawNothing) {
    const Bitmap before = d.Canvas();
    OutTextXY(d, 10, 10, "");
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), before));
    SetColor(d, 4);
    OutTextXY(d, -5, 3, "B\x84r");  // "Bär" in code page 437
    OutTextXY(d, 100, 200, "Haus", true);
    ASSERT_EQ(d.screen.GraphTexts.size(), 2u);
    const ::qs::GraphText& t = d.screen.GraphTexts[0];
    EXPECT_EQ(t.x, -5);
    EXPECT_EQ(t.y, 3);
    EXPECT_EQ(t.colour, 4);
    EXPECT_EQ(t.text, "B\x84r");
    EXPECT_EQ(d.screen.GraphTexts[1].text, "Haus");
    InitGraph(d, 0);
    EXPECT_TRUE(d.screen.GraphTexts.empty());
}

TEST_F(GraphTextOut, VaMarksAreLeftOutOnlyInTheirFace) {
    const int va = FontNumberOf(d, "QX DOS VA");
    ASSERT_GE(va, 0) << "the program's fonts are installed";
    SetTextStyle(d, va, 0, 4);
    const Rect marked = Drawn(20, 100, "Haus VAtier");
    const Bitmap withMarks = d.Canvas();
    SetBkColor(d, 0);
    const Rect plain = Drawn(20, 100, "Haustier");
    EXPECT_EQ(marked, plain);
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), withMarks));
    EXPECT_EQ(d.screen.GraphTexts[0].text, "Haus VAtier") << "listed as given";

    SetTextStyle(d, 0, 0, 4);
    EXPECT_GT(Drawn(20, 100, "Haus VAtier").Width(), Drawn(20, 200, "Haustier").Width());
}

// Fat text is the text drawn plainly at every offset -2..2 sideways and at
// the same offsets up and down, or fewer up and down where two would close
// the gap between the dot of an "i" and its stem.
TEST_F(GraphTextOut, FatTextIsTheTextWidenedByTwoPixels) {
    SetTextStyle(d, 0, 0, 5);
    OutTextXY(d, 100, 100, "Quendel", true);
    Font& font = d.fonts.Get(d.screen.WindowFont);
    int best = -1;
    for (int rise = 2; rise >= 0 && best < 0; --rise) {
        Bitmap expected(640, 480);
        for (int dy = -rise; dy <= rise; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                font.Draw(expected, 100 + dx, 100 + dy, "Quendel", kWhite);
        int differ = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                differ += (expected.Pixel(x, y) != 0) != (d.Canvas().Pixel(x, y) != 0);
        if (differ == 0) best = rise;
    }
    EXPECT_GE(best, 0) << "no union of offset copies gives the fat text";
}

// At every text size the games use, the dot of a fat "i" stays apart from
// its stem: the column through the dot meets ink, then background, then ink.
TEST_F(GraphTextOut, FatTextKeepsTheDotOfAnIApart) {
    for (int size = 2; size <= 10; ++size) {
        SCOPED_TRACE(::testing::Message() << "text size " << size);
        SetBkColor(d, 0);
        SetTextStyle(d, 0, 0, size);
        const Rect r = Drawn(100, 100, "i");
        SetBkColor(d, 0);
        OutTextXY(d, 100, 100, "i", true);
        int inkRuns = 0;
        bool inInk = false;
        const int x = (r.left + r.right) / 2;
        for (int y = 0; y < 480; ++y) {
            const bool ink = d.Canvas().Pixel(x, y) == kWhite;
            if (ink && !inInk) ++inkRuns;
            inInk = ink;
        }
        EXPECT_EQ(inkRuns, 2);
    }
}

TEST_F(GraphTextOut, FatTextNeedsTheGraphicsScreen) {
    CloseGraph(d);
    Rect plain;
    OutTextXYRect(d, 100, 100, "Quendel", plain);
    const Bitmap once = d.Canvas();
    ClrScr(d);
    OutTextXY(d, 100, 100, "Quendel", true);
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), once));
}

TEST_F(GraphTextOut, HighlightClearsTheLineAndReportsTheTail) {
    SetFillStyle(d, 1, 12);
    SetColor(d, 1);
    Rect tail;
    OutTextXYHighlight(d, 110, 237, "Jetzt schon beenden?  ", tail, 6, "/n", "j");
    Font& font = d.fonts.Get(d.screen.WindowFont);
    const int leadW = font.TextWidth("Jetzt schon beenden?  ");
    const int jW = font.TextWidth("j");
    const int lineW = font.TextWidth("Jetzt schon beenden?  j/n ");
    EXPECT_EQ(tail, (Rect{110 + leadW + jW, 237, 110 + leadW + jW + font.TextWidth("/n"),
                          237 + font.Height()}));
    const Rect line{110, 237, 110 + lineW, 237 + font.Height()};
    const Rect high{110 + leadW, 237, 110 + leadW + jW, line.bottom};
    EXPECT_EQ(GraphScreen::Extent(d.Canvas(), 0), line) << "the cleared line";
    EXPECT_GT(GraphScreen::Count(d.Canvas(), high, d.screen.Palette[6]), 0);
    EXPECT_EQ(GraphScreen::Count(d.Canvas(), tail, d.screen.Palette[6]), 0);
    EXPECT_GT(GraphScreen::Count(d.Canvas(), tail, d.screen.Palette[1]), 0);
    EXPECT_EQ(d.screen.FontColour, d.screen.Palette[1]) << "the colour comes back";
    EXPECT_EQ(GetColor(d), 1);
}

// A text with special glyphs, with the glyph pictures of the program.
struct GraphGlyphText : TextScreenFixture {
    static Metafile Picture(const std::string& name) {
        auto bytes =
            test::ReadFileBytes(std::string(QS_SOURCE_DIR) + "/data/emfs/" + name + ".emf");
        return *Metafile::Parse(bytes);
    }
    // 219 (full block) after `before` other pictures.
    void UseGlyphs(int before) {
        d.GlyphPictures.clear();
        for (int i = 0; i < before; ++i)
            d.GlyphPictures.push_back(NamedPicture{"x" + std::to_string(i), Picture("196")});
        d.GlyphPictures.push_back(NamedPicture{"219", Picture("219")});
        InitScreen(d);
        InitGraph(d, 0);
        SetTextStyle(d, 0, 0, 4);
        SetColor(d, 14);
    }
    int BlockPixels(const Rect& r) {
        return GraphScreen::Count(d.Canvas(), r, d.screen.Palette[14]);
    }
};

TEST_F(GraphGlyphText, GlyphFillsACellOfTheWidthOfA) {
    UseGlyphs(0);
    const Rect r = Drawn(100, 100, "\xDB\xDB");
    Font& font = d.fonts.Get(d.screen.WindowFont);
    const int cellW = font.CharWidth('A');
    EXPECT_EQ(r, (Rect{100, 100, 100 + 2 * cellW, 100 + font.Height()}));
    EXPECT_EQ(BlockPixels(r), r.Width() * r.Height()) << "two full blocks";
}

TEST_F(GraphGlyphText, OnlyTheFirst33GlyphsAndNotInTheVaFace) {
    UseGlyphs(33);
    Rect r = Drawn(100, 100, "\xDB");
    EXPECT_LT(BlockPixels(r), r.Width() * r.Height()) << "glyph 33 is drawn with the font";

    UseGlyphs(32);
    r = Drawn(100, 100, "\xDB");
    EXPECT_EQ(BlockPixels(r), r.Width() * r.Height()) << "glyph 32 is a glyph";

    SetBkColor(d, 0);
    SetTextStyle(d, FontNumberOf(d, "QX DOS VA"), 0, 4);
    r = Drawn(100, 100, "\xDB");
    EXPECT_LT(BlockPixels(r), r.Width() * r.Height());
}

TEST_F(GraphGlyphText, XorModeCombinesTheGlyph) {
    UseGlyphs(0);
    SetFillStyle(d, 1, 9);
    Bar(d, 0, 0, 300, 300);
    const Bitmap before = d.Canvas();
    SetWriteMode(d, 1);
    OutTextXY(d, 100, 100, "\xDB");
    EXPECT_EQ(s.At(101, 101), d.screen.Palette[9] ^ d.screen.Palette[14]);
    OutTextXY(d, 100, 100, "\xDB");
    EXPECT_TRUE(GraphScreen::Same(d.Canvas(), before));
}

TEST_F(GraphGlyphText, ReferencePlainFatAndGlyphText) {
    UseGlyphs(0);
    SetBkColor(d, 0);
    SetFillStyle(d, 1, 7);
    Bar(d, 0, 0, 639, 239);
    SetColor(d, 1);
    SetTextStyle(d, 1, 0, 4);
    OutTextXY(d, 10, 10, "Wortbau \xDB\xDB W\x94rter");
    SetTextStyle(d, 0, 0, 5);
    OutTextXY(d, 10, 80, "Quendelstrand", true);
    SetColor(d, 14);
    OutTextXY(d, 10, 300, "Quendelstrand", true);
    SetTextJustify(d, 1, 1);
    SetColor(d, 10);
    OutTextXY(d, 320, 420, "Mitte");
    EXPECT_TRUE(test::MatchesReference(d.Canvas(), "ref/graph-text"));
}

}  // namespace
}  // namespace qs::test
