// Switching the graphics screen on and off, colours, fill and line styles,
// text styles and the font and size tables.
#include <gtest/gtest.h>

#include "graph/GraphTestSupport.h"
#include "screen/GraphMapping.h"

namespace qs::test {
namespace {

TEST(GraphMode, InitGraphAndCloseGraphSwitchTheScreen) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    d.mouse.RegionCount = 7;
    const Rect confine{0, 0, 10, 10};
    s.platform.ConfinePointer(&confine);
    d.screen.GraphTexts.push_back(GraphText{1, 2, 3, "alt"});

    InitGraph(d, 1);
    EXPECT_TRUE(d.screen.GraphMode);
    EXPECT_EQ(d.screen.WindowFont, (FontRequest{"Arial", 6, false, false, false}));
    EXPECT_EQ(s.At(0, 0), d.screen.Palette[1]) << "the client area takes the fill colour";
    EXPECT_EQ(s.At(799, 599), d.screen.Palette[1]);
    EXPECT_EQ(GetColor(d), 15);
    EXPECT_TRUE(d.screen.GraphTextOpaque) << "mode 1 writes text with its background";
    EXPECT_TRUE(d.graph.TextTransparent);
    EXPECT_TRUE(d.graph.ThickText);
    EXPECT_FALSE(s.platform.PointerConfinement().has_value());
    EXPECT_EQ(d.mouse.RegionBase, 7);
    EXPECT_EQ(d.graph.SpriteClip, d.screen.Area);
    EXPECT_EQ(d.graph.HJust, 0);
    EXPECT_EQ(d.graph.VJust, 2);
    EXPECT_TRUE(d.screen.GraphTexts.empty());
    EXPECT_EQ(d.screen.GridRows, 30);

    SetWriteMode(d, 1);
    SetLineStyle(d, 3, 0, 1);
    s.platform.ConfinePointer(&confine);
    CloseGraph(d);
    EXPECT_FALSE(d.screen.GraphMode);
    EXPECT_EQ(d.screen.WindowFont.face, "Courier New");
    EXPECT_TRUE(d.screen.WindowFont.bold);
    EXPECT_EQ(d.graph.WriteMode, 0);
    EXPECT_FALSE(d.screen.XorWrites);
    EXPECT_EQ(d.graph.LineStyle, PenStyle::Solid);
    EXPECT_TRUE(d.screen.ClearPending);
    EXPECT_FALSE(s.platform.PointerConfinement().has_value());
    EXPECT_EQ(d.mouse.RegionBase, 0);
    EXPECT_FALSE(d.graph.SpriteClip.has_value());
    EXPECT_EQ(d.screen.TextAttr, 15);
    EXPECT_EQ(d.screen.GridRows, 25);

    InitGraph(d, 0);
    EXPECT_FALSE(d.screen.GraphTextOpaque);
    EXPECT_EQ(s.At(400, 300), 0u);
}

TEST(GraphMode, CloseGraphStopsAFilmAndRefitsTheTextFont) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    int stops = 0;
    d.graph.stopFilm = [&] { ++stops; };
    InitGraph(d, 0);
    SetTextStyle(d, 1, 0, 5);
    const uint64_t before = s.platform.NowMicros();
    CloseGraph(d);
    EXPECT_EQ(stops, 1);
    EXPECT_GT(s.platform.NowMicros(), before) << "CloseGraph waits";
    EXPECT_EQ(d.screen.WindowFont.sizePt, d.screen.TextFontSize + 1);
    EXPECT_EQ(d.graph.SizeTable[2], d.screen.TextFontSize);
}

TEST(GraphMode, ResetGraphScreenClearsWithTheFillColour) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    InitGraph(d, 0);
    ResetGraphScreen(d, 1, 0, 4, 9);
    EXPECT_EQ(s.At(0, 0), d.screen.Palette[9]);
    EXPECT_EQ(d.graph.PenColour, d.screen.Palette[4]);
    EXPECT_EQ(d.graph.HJust, 1);
    EXPECT_EQ(d.graph.VJust, 0);
    EXPECT_EQ(d.screen.WindowFont.sizePt, d.graph.SizeTable[2]);
}

TEST(GraphMapping, WideWindowCentresTheDrawingArea) {
    GraphScreen s({1920, 1080});
    const Rect area = s.d.screen.Area;
    EXPECT_EQ(area, (Rect{240, 0, 1680, 1080}));
    int x = 0, y = 0;
    ToWindow(area, x, y);
    EXPECT_EQ((Point{x, y}), (Point{240, 0}));
    x = 640;
    y = 480;
    ToWindow(area, x, y);
    EXPECT_EQ((Point{x, y}), (Point{1680, 1080}));
}

TEST(GraphColours, SetColorSetsPenFontAndAttribute) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    SetColor(d, 20);  // text mode: also the text colour (20 = blink bit + 4)
    EXPECT_EQ(d.graph.PenColour, d.screen.ExtPalette[20]);
    EXPECT_EQ(d.screen.TextAttr, 20);
    EXPECT_EQ(d.screen.FontColour, d.screen.Palette[4]) << "TextColor in text mode";
    EXPECT_TRUE(d.screen.WindowFont.italic);

    InitGraph(d, 0);
    SetColor(d, 20);
    EXPECT_EQ(d.screen.FontColour, d.screen.ExtPalette[20]) << "graphics mode keeps the colour";

    SetColorAndFill(d, 12, true);
    EXPECT_EQ(d.graph.PenColour, d.screen.Palette[12]);
    EXPECT_EQ(d.graph.FillBrush.color, d.screen.Palette[12]);
    EXPECT_EQ(GetFillColor(d), 12);
    SetColorAndFill(d, 2, false);
    EXPECT_EQ(d.graph.FillBrush.color, d.screen.Palette[12]);
}

TEST(GraphColours, BackgroundAndPalette) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    InitGraph(d, 3);
    SetBkColor(d, 4);
    EXPECT_EQ(d.screen.Palette[16], d.screen.DefaultPalette[4]);
    EXPECT_EQ(s.At(10, 10), d.screen.Palette[3]) << "only colour 0 clears the window";
    SetBkColor(d, 19);
    EXPECT_EQ(d.screen.Palette[16], d.screen.ExtPalette[19]);
    FillSettingsType fs;
    GetFillSettings(d, fs);
    EXPECT_EQ(fs.pattern, 0);
    EXPECT_EQ(fs.color, 19);
    SetBkColor(d, 0);
    EXPECT_EQ(s.At(10, 10), 0u);

    SetPalette(d, 1, 4);
    EXPECT_EQ(d.screen.Palette[1], d.screen.DefaultPalette[4]);
    SetPalette(d, 2, 4);
    SetPalette(d, 1, 2);
    EXPECT_EQ(d.screen.Palette[1], d.screen.DefaultPalette[2]) << "from the default, not Palette";
    const auto before = d.screen.Palette;
    SetPalette(d, 17, 1);
    SetPalette(d, 1, 17);
    SetPalette(d, -1, 1);
    EXPECT_EQ(d.screen.Palette, before);
    std::array<Rgb, 17> table{};
    GetPalette(d, table);
    EXPECT_EQ(table, d.screen.Palette);
}

TEST(GraphStyles, FillStylePatternsChooseBrushAndColourSource) {
    GraphScreen s({800, 600});
    Dos& d = s.d;
    InitGraph(d, 0);
    SetPalette(d, 5, 2);  // Palette[5] now differs from ExtPalette[5]
    SetBkColor(d, 4);
    const auto& pal = d.screen.Palette;
    const auto& ext = d.screen.ExtPalette;
    struct Row {
        const char* name;
        int pattern, k;
        BrushStyle style;
        Rgb colour;
    };
    const Row rows[] = {
        {"0 background", 0, 9, BrushStyle::Solid, pal[16]},
        {"1 palette", 1, 5, BrushStyle::Solid, pal[5]},
        {"1 extended", 1, 18, BrushStyle::Solid, ext[18]},
        {"2 other", 2, 5, BrushStyle::Solid, pal[5]},
        {"3 extended", 3, 5, BrushStyle::Solid, ext[5]},
        {"4 other", 4, 5, BrushStyle::Solid, pal[5]},
        {"5 forward", 5, 19, BrushStyle::ForwardDiagonal, ext[19]},
        {"6 forward", 6, 5, BrushStyle::ForwardDiagonal, ext[5]},
        {"7 cross", 7, 20, BrushStyle::Cross, ext[20]},
        {"8 cross", 8, 21, BrushStyle::Cross, ext[21]},
        {"9 backward", 9, 22, BrushStyle::BackwardDiagonal, ext[22]},
        {"10 backward", 10, 64, BrushStyle::BackwardDiagonal, ext[64]},
        {"11 diagonal cross", 11, 19, BrushStyle::DiagonalCross, ext[19]},
        {"20 diagonal cross", 20, 5, BrushStyle::DiagonalCross, ext[5]},
        {"21 other", 21, 5, BrushStyle::Solid, pal[5]},
        {"-1 other", -1, 5, BrushStyle::Solid, pal[5]},
    };
    for (const Row& r : rows) {
        SetFillStyle(d, r.pattern, r.k);
        EXPECT_EQ(d.graph.FillBrush.style, r.style) << r.name;
        EXPECT_EQ(d.graph.FillBrush.color, r.colour) << r.name;
    }
    SetFillStyle(d, 100, 4);
    EXPECT_EQ(d.graph.FillBrush.style, BrushStyle::Null);
}

TEST(GraphStyles, LineStyleWidthFollowsTheAreaWidth) {
    struct Row {
        const char* name;
        Size window;
        int style, thickness;
        PenStyle pen;
        int width;
    };
    const Row rows[] = {
        {"thin stays", {1920, 1080}, 0, 1, PenStyle::Solid, 1},
        {"zero is one", {1920, 1080}, 0, 0, PenStyle::Solid, 1},
        {"3 scaled by 1440/600", {1920, 1080}, 1, 3, PenStyle::Solid, 7},
        {"2 scaled by 800/600", {800, 600}, 2, 2, PenStyle::Solid, 3},
        {"2 scaled by 640/600", {640, 480}, 0, 2, PenStyle::Solid, 2},
        {"dashed forces thin", {1920, 1080}, 3, 3, PenStyle::Dash, 1},
        {"unknown style solid", {800, 600}, 4, 1, PenStyle::Solid, 1},
    };
    for (const Row& r : rows) {
        GraphScreen s(r.window);
        SetLineStyle(s.d, r.style, 0, r.thickness);
        EXPECT_EQ(s.d.graph.LineStyle, r.pen) << r.name;
        EXPECT_EQ(s.d.graph.PenWidth, r.width) << r.name;
    }
}

TEST(GraphStyles, WriteModeKeepsUnknownValues) {
    GraphScreen s({640, 480});
    SetWriteMode(s.d, 1);
    SetWriteMode(s.d, 2);
    EXPECT_EQ(s.d.graph.WriteMode, 1);
    EXPECT_TRUE(s.d.screen.XorWrites);
    SetWriteMode(s.d, 0);
    EXPECT_FALSE(s.d.screen.XorWrites);
}

TEST(GraphTables, SizeTableFromTheTextFontSize) {
    GraphScreen s({640, 480});
    s.d.screen.TextFontSize = 10;
    BuildSizeTable(s.d);
    const std::array<int, 13> want = {10, 8, 10, 16, 24, 30, 36, 42, 48, 68, 78, 88, 98};
    EXPECT_EQ(s.d.graph.SizeTable, want);
}

TEST(GraphTables, FontTableFromTheInstalledFonts) {
    struct Row {
        const char* name;
        std::vector<std::string> installed;
        std::vector<std::string> table;
    };
    const Row rows[] = {
        {"none", {}, {"Arial", "Arial", "Courier New", "Arial", "AvantGarde Bk BT"}},
        {"one", {"QX DOS=a.ttf"}, {"Arial", "QX DOS", "Courier New", "QX DOS", "AvantGarde Bk BT"}},
        {"three",
         {"QX DOS=a.ttf", "QX DOS VA=b.ttf", "Lueckentext=c.ttf"},
         {"Arial", "QX DOS", "Courier New", "QX DOS", "AvantGarde Bk BT", "QX DOS VA",
          "Lueckentext"}},
    };
    GraphScreen s({640, 480});
    for (const Row& r : rows) {
        s.d.InstalledFonts = r.installed;
        BuildFontTable(s.d);
        EXPECT_EQ(s.d.graph.FontTable, r.table) << r.name;
    }
}

TEST(GraphTables, InitScreenBuildsBothTables) {
    GraphScreen s({800, 600});
    ASSERT_GE(s.d.graph.FontTable.size(), 5u);
    EXPECT_EQ(s.d.graph.FontTable[4], "AvantGarde Bk BT");
    EXPECT_EQ(s.d.graph.SizeTable[2], s.d.screen.TextFontSize);
}

TEST(GraphTextStyle, SizeAndBoldRules) {
    GraphScreen s({640, 480});
    Dos& d = s.d;
    d.screen.TextFontSize = 10;  // table 10 8 10 16 24 30 36 42 48 68 78 88 98
    BuildSizeTable(d);
    d.graph.FontTable = {"Arial", "QX DOS", "Courier New", "QX DOS VA", "AvantGarde Bk BT"};
    enum Kind { Plain, Bold, Real };
    struct Row {
        const char* name;
        Kind kind;
        int font;
        double size;
        bool boldFlag;
        int pt;
        bool bold;
    };
    const Row rows[] = {
        {"size 2", Plain, 1, 2, false, 10, false},
        {"size 1 is small, bold", Plain, 1, 1, false, 8, true},
        {"font 3 one point less", Plain, 3, 2, false, 9, true},
        {"size 13 from entry 10", Plain, 1, 13, false, 2 * 78 + 52, false},
        {"negative size as 0", Plain, 1, -4, false, 10, false},
        {"bold flag wins", Bold, 1, 1, false, 8, false},
        {"bold flag on large", Bold, 1, 3, true, 16, true},
        {"bold size 13 from entry 8", Bold, 0, 13, false, 2 * 48 + 52, false},
        {"real 3.5 halfway", Real, 1, 3.5, false, 20, false},
        {"real 3.5 font 3", Real, 3, 3.5, false, 19, false},
        {"real 1.25 rounds", Real, 1, 1.25, false, 9, true},
        {"real whole", Real, 1, 4.0, false, 24, false},
        {"real 12.5 from entry 10", Real, 1, 12.5, false, 2 * 78 + 48, false},
    };
    for (const Row& r : rows) {
        if (r.kind == Plain) SetTextStyle(d, r.font, 0, static_cast<int>(r.size));
        if (r.kind == Bold) SetTextStyleBold(d, r.font, 0, static_cast<int>(r.size), r.boldFlag);
        if (r.kind == Real) SetTextStyleReal(d, r.font, 0, r.size);
        EXPECT_EQ(d.screen.WindowFont.sizePt, r.pt) << r.name;
        EXPECT_EQ(d.screen.WindowFont.bold, r.bold) << r.name;
    }
}

TEST(GraphTextStyle, FontNumberSelectsTheFaceWhenInTheTable) {
    GraphScreen s({640, 480});
    Dos& d = s.d;
    d.graph.FontTable = {"Arial", "QX DOS", "Courier New"};
    SetTextStyle(d, 1, 0, 2);
    EXPECT_EQ(d.screen.WindowFont.face, "QX DOS");
    SetTextStyle(d, 3, 0, 2);
    EXPECT_EQ(d.screen.WindowFont.face, "QX DOS") << "font 3 is not in this table";
    SetTextStyle(d, -1, 0, 2);
    EXPECT_EQ(d.screen.WindowFont.face, "QX DOS");
    SetTextStyleReal(d, 2, 0, 2.5);
    EXPECT_EQ(d.screen.WindowFont.face, "Courier New");
}

}  // namespace
}  // namespace qs::test
