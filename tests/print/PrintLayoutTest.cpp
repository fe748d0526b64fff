#include "screen/print/PrintLayout.h"

#include <gtest/gtest.h>

#include "print/PrintTestSupport.h"

namespace qs::test {
namespace {

// Round numbers: every character is as wide as the font size, a line is ten
// times the size high. On the 1000 x 2000 page the left margin is 100, the
// top margin 100, the last usable line position 1800, a tab column 10 wide.
class FixedMeasure : public PrintMeasure {
public:
    double TextWidth(const PrintFont& font, std::string_view text) override {
        return static_cast<double>(text.size()) * font.size;
    }
    double LineHeight(const PrintFont& font) override { return font.size * 10.0; }
};

constexpr PageSize kPage{1000, 2000};

PrintLayout LayOut(const std::string& file) {
    FixedMeasure measure;
    return LayOutPrinterFile(ParsePrinterFile(Bytes(file), false), measure, kPage);
}

std::vector<std::string> Items(const PrintLayout& layout) {
    std::vector<std::string> out;
    for (const auto& item : layout.items) out.push_back(Describe(item));
    return out;
}

std::string Lines(int n, const std::string& text = "x") {
    std::string out;
    for (int i = 0; i < n; ++i) out += text + "\r\n";
    return out;
}

struct LayoutCase {
    const char* name;
    std::string file;
    int pages;
    std::vector<std::string> items;
};

void ExpectLayouts(const std::vector<LayoutCase>& cases) {
    for (const auto& c : cases) {
        PrintLayout layout = LayOut(c.file);
        EXPECT_EQ(layout.pages, c.pages) << c.name;
        EXPECT_EQ(Items(layout), c.items) << c.name;
    }
}

const std::string kEsc = "\x1b";
const std::string kTab40 = kEsc + "\xc9\x28";
const std::string kTabOff = kEsc + "\xc9\xff";

TEST(PrintLayout, FrameFollowsThePageSize) {
    PrintLayout layout = LayOut("x");
    EXPECT_EQ(layout.left, 100);
    EXPECT_EQ(layout.top, 100);
    EXPECT_EQ(layout.bottom, 1800);
    EXPECT_EQ(layout.charWidth, 10);
    FixedMeasure measure;
    PrintLayout a4 = LayOutPrinterFile(ParsePrinterFile(Bytes("x"), false), measure);
    EXPECT_EQ(a4.left, 496);
    EXPECT_EQ(a4.top, 350);
    EXPECT_EQ(a4.bottom, 7016 - 700);
}

TEST(PrintLayout, LinesGoDownByTheHeightOfTheirFont) {
    ExpectLayouts({
        {"plain lines", "ab\r\ncd", 1, {"0:100,100 C10 \"ab\"", "0:100,200 C10 \"cd\""}},
        {"empty lines take room",
         "a\r\n\r\n\r\nb",
         1,
         {"0:100,100 C10 \"a\"", "0:100,400 C10 \"b\""}},
        {"large line is higher",
         kEsc + "W\003big\r\n" + kEsc + "W x",
         1,
         {"0:100,100 C16 \"big\"", "0:100,260 C10 \"x\""}},
        {"font change alone is an empty line in the new font",
         kEsc + "W\x01\r\nx",
         1,
         {"0:100,220 C12b \"x\""}},
        {"the last piece's font sets the step",
         "Lena" + kEsc + "W\x03\r\nx",
         1,
         {"0:100,100 C10 \"Lena\"", "0:100,260 C16 \"x\""}},
        {"only blanks draws nothing", "   \r\nx", 1, {"0:100,200 C10 \"x\""}},
    });
}

TEST(PrintLayout, PiecesOfOneLineSitSideBySide) {
    ExpectLayouts({
        {"bold name and plain rest",
         kEsc + "EName" + kEsc + "F: 12\r\nnext",
         1,
         {"0:100,100 C10b \"Name\"", "0:140,100 C10 \": 12\"", "0:100,200 C10 \"next\""}},
        {"sizes differ on one line",
         "ab" + kEsc + "W\003cd",
         1,
         {"0:100,100 C10 \"ab\"", "0:120,100 C16 \"cd\""}},
        {"text before a line that prints nothing ends its own line",
         "abc\001def\r\nx",
         1,
         {"0:100,100 C10 \"abc\"", "0:100,200 C10 \"x\""}},
        {"lines that print nothing take no room",
         "a\r\n\x01\r\n\x02zz\r\nb",
         1,
         {"0:100,100 C10 \"a\"", "0:100,200 C10 \"b\""}},
    });
}

TEST(PrintLayout, CheckMarkFollowsTheText) {
    ExpectLayouts({
        {"after the text", "Wort \xfb", 1, {"0:100,100 C10 \"Wort \"", "0:150,100 check"}},
        {"after continued pieces",
         "a" + kEsc + "Eb\xfb",
         1,
         {"0:100,100 C10 \"a\"", "0:110,100 C10b \"b\"", "0:120,100 check"}},
        {"in tab mode after the column",
         kTab40 + "\r\n12\xfb",
         1,
         {"0:480,200 C10 \"12\"", "0:500,200 check"}},
    });
}

TEST(PrintLayout, TabModeRightAlignsAtTheColumn) {
    ExpectLayouts({
        {"column 40 until ended",
         kTab40 + "\r\n12\r\n345\r\n" + kTabOff + "\r\nz",
         1,
         {"0:480,200 C10 \"12\"", "0:470,300 C10 \"345\"", "0:100,500 C10 \"z\""}},
        {"text on the tab line itself", kTab40 + "99", 1, {"0:480,100 C10 \"99\""}},
        {"column counts in base font widths, text in its own",
         kTab40 + "\r\n" + kEsc + "W\003ab",
         1,
         {"0:468,200 C16 \"ab\""}},
        {"continued pieces keep their place",
         kTab40 + "\r\nab" + kEsc + "Ecd",
         1,
         {"0:100,200 C10 \"ab\"", "0:480,200 C10b \"cd\""}},
        {"rule from the column leftwards",
         kTab40 + "\r\n" + std::string(31, '-') + "\r\nx",
         1,
         {"0:190,210 rule 310", "0:490,300 C10 \"x\""}},
        {"dashes outside tab mode are text",
         std::string(31, '-'),
         1,
         {"0:100,100 C10 \"" + std::string(31, '-') + "\""}},
    });
}

TEST(PrintLayout, PagesBreakAtTheBottomAndAtFormFeeds) {
    struct Case {
        const char* name;
        std::string file;
        int pages;
    } cases[] = {
        {"eighteen lines fill a page", Lines(17) + "last", 1},
        {"the nineteenth starts the next page", Lines(18) + "next", 2},
        {"form feed on a page more than a fifth full", Lines(4) + "\x0c\r\nb", 2},
        {"form feed on a page less than a fifth full", Lines(3) + "\x0c\r\nb", 1},
        {"form feed first on the first page", "\x0c\r\nb", 1},
        {"form feed at the end", Lines(10) + "\x0c\r\n", 1},
        {"two form feeds make one break", Lines(10) + "\x0c\r\n\x0c\r\nb", 2},
        {"form feed right after a full page", Lines(18) + "\x0c\r\nb", 2},
        {"empty lines after the last form feed", Lines(10) + "\x0c\r\n\r\n\r\n", 1},
        {"tab end takes a line", Lines(17) + kTabOff + "\r\nb", 2},
    };
    for (const auto& c : cases) {
        PrintLayout layout = LayOut(c.file);
        EXPECT_EQ(layout.pages, c.pages) << c.name;
        ASSERT_FALSE(layout.items.empty()) << c.name;
        EXPECT_EQ(layout.items.back().page, c.pages - 1) << c.name;
        // The line after a break is the first on its page.
        if (c.pages == 2) {
            EXPECT_EQ(layout.items.back().y, 100) << c.name;
        }
    }
}

TEST(PrintLayout, NewPageStartsAtTheTopWithItsEmptyLines) {
    PrintLayout layout = LayOut(Lines(10, "a") + "\x0c\r\n\r\n\r\nb");
    ASSERT_FALSE(layout.items.empty());
    EXPECT_EQ(Describe(layout.items.back()), "1:100,300 C10 \"b\"");
    EXPECT_EQ(layout.pages, 2);
}

TEST(PrintLayout, NothingToLayOutHasNoPages) {
    EXPECT_EQ(LayOut("").pages, 0);
    EXPECT_EQ(LayOut("\r\n").pages, 1);
}

}  // namespace
}  // namespace qs::test
