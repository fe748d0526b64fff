#include "screen/script/Dump.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "support/PngFile.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

class DumpTest : public ::testing::Test {
protected:
    DumpTest() : platform_(Options()) {}

    static HeadlessOptions Options() {
        HeadlessOptions o;
        o.size = {64, 48};
        return o;
    }
    void Put(int col, int row, std::u32string_view text) {
        for (char32_t c : text) d_.screen.Grid[static_cast<size_t>(row) * 80 + col++] = c;
    }
    static std::string Blank() { return std::string(80, ' ') + "\n"; }
    static std::string Rows(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += Blank();
        return s;
    }

    HeadlessPlatform platform_;
    Dos d_{platform_};
};

TEST_F(DumpTest, TextModeShowsTheGridRowByRow) {
    // A frame of glyph pictures, a code page 437 "ä", a Windows-1252 "ü", a
    // character in the last column and a stray control code.
    Put(0, 0, U"┌─┐ ä Für ▓");
    Put(79, 1, U"│");
    Put(3, 2, U"\x01");
    const std::string want =
        "mode: text\n"
        "┌─┐ ä Für ▓" +
        std::string(69, ' ') + "\n" + std::string(79, ' ') + "│\n" + Rows(23);
    EXPECT_EQ(DumpText(d_), want);
}

TEST_F(DumpTest, GraphicsModeAddsTheGraphicsTextsAsTheyAppear) {
    d_.screen.GraphMode = true;
    d_.screen.GridRows = 30;
    Put(0, 29, U"x");
    d_.screen.GraphTexts = {
        {10, 20, 15, "Gr\201n"},  // code page 437 ü
        {0, 479, 4, "say \"a\\b\""},
        {-5, 0, 0, ""},
    };
    const std::string want = "mode: graphics\n" + Rows(29) + "x" + std::string(79, ' ') +
                             "\n"
                             "text 10 20 15 \"Grün\"\n"
                             "text 0 479 4 \"say \\\"a\\\\b\\\"\"\n"
                             "text -5 0 0 \"\"\n";
    EXPECT_EQ(DumpText(d_), want);
}

TEST_F(DumpTest, TextModeLeavesOutGraphicsTexts) {
    d_.screen.GraphTexts = {{1, 2, 3, "left over"}};
    EXPECT_EQ(DumpText(d_), "mode: text\n" + Rows(25));
}

TEST_F(DumpTest, WritesThePictureAndTheTextIntoANewFolder) {
    TempDir dir;
    d_.Canvas().SetPixel(5, 5, 0x123456);
    Put(0, 0, U"Ä");
    const std::string out = dir / "a/b";
    WriteDump(d_, out, "screen1");
    EXPECT_EQ(dir.Get("a/b/screen1.txt"), DumpText(d_));
    const std::optional<Bitmap> png = test::ReadPng(out + "/screen1.png");
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->Width(), 64);
    EXPECT_EQ(png->Height(), 48);
    EXPECT_EQ(png->Pixel(5, 5), 0x123456u);
}

TEST_F(DumpTest, FailsLoudlyWhenTheFolderCannotBeMade) {
    TempDir dir;
    dir.Put("file", "x");
    EXPECT_THROW(WriteDump(d_, dir / "file/sub", "s"), std::runtime_error);
}

}  // namespace
}  // namespace qs::test
