// Printer files the trainer never writes: cut-off sequences, binary garbage,
// endless lines, thousands of lines. They must print without a crash, and
// with a page count that follows from their lines.
#include <gtest/gtest.h>

#include "print/PrintTestSupport.h"
#include "screen/print/PdfRenderer.h"
#include "screen/print/PrintFonts.h"
#include "screen/print/PrintLayout.h"
#include "screen/print/PrinterFile.h"
#include "screen/print/Printing.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

std::vector<uint8_t> Garbage(size_t size, uint32_t seed) {
    std::vector<uint8_t> out(size);
    for (auto& b : out) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(seed >> 24);
    }
    return out;
}

std::vector<uint8_t> Repeat(const std::string& line, int times) {
    std::vector<uint8_t> out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), line.begin(), line.end());
    return out;
}

size_t LineEnds(const std::vector<uint8_t>& bytes) {
    size_t n = 0;
    for (uint8_t b : bytes) n += (b == '\r' || b == '\n');
    return n;
}

TEST(PrintBadInput, StrangeFilesPrintWithSanePageCounts) {
    REQUIRE_POPPLER();
    const std::string esc = "\x1b";
    // A plain 10 point line is 94.4 dots high; 5966 usable dots hold 64.
    const struct {
        const char* name;
        std::vector<uint8_t> file;
        int minPages, maxPages;
    } cases[] = {
        {"cut-off sequences at line ends",
         Repeat("a" + esc + "\r\nb" + esc + "W\r\n" + esc + "\xc8\r\n" + esc + "\xc9\r\n" + esc +
                    "w\n",
                50),
         3, 5},
        {"binary garbage", Garbage(64 * 1024, 7), 1, 64 * 1024},
        {"garbage without line ends",
         [] {
             auto g = Garbage(16 * 1024, 11);
             for (auto& b : g) b = (b == '\r' || b == '\n') ? 'x' : b;
             return g;
         }(),
         1, 1},
        {"one very long line", Repeat("Wortbausteine ", 20000), 1, 1},
        {"twenty thousand lines", Repeat("           1 verstehen \xfb\r\n", 20000), 313, 313},
        {"large fraction face all along", Repeat(esc + "\xc8\377123\r\n", 100), 30, 40},
        {"tiny fraction face all along", Repeat(esc + "\xc8\001123\r\n", 3000), 4, 6},
        {"form feeds only", Repeat("\x0c\r\n", 1000), 1, 1},
        {"tab mode switching", Repeat(esc + "\xc9\xff\r\n" + esc + "\xc9\120x\r\n", 500), 15, 17},
    };
    for (const auto& c : cases) {
        auto pieces = ParsePrinterFile(c.file, false);
        PrintFonts fonts;
        PrintLayout layout = LayOutPrinterFile(pieces, fonts);
        EXPECT_GE(layout.pages, c.minPages) << c.name;
        EXPECT_LE(layout.pages, c.maxPages) << c.name;
        EXPECT_LE(static_cast<size_t>(layout.pages), LineEnds(c.file) + 1) << c.name;
        auto pdf = RenderPdf(layout, fonts);
        ASSERT_TRUE(pdf) << c.name;
        TempDir folder;
        EXPECT_EQ(test::PdfPages(folder.Write("out.pdf", *pdf)), layout.pages) << c.name;
    }
}

TEST(PrintBadInput, EveryByteAfterEveryCommandIsSafe) {
    PrintFonts fonts;
    for (int command = 0; command < 256; ++command) {
        for (int value : {0, 1, 12, 13, 27, 200, 201, 251, 255}) {
            std::vector<uint8_t> file = {
                27, static_cast<uint8_t>(command), static_cast<uint8_t>(value), 'x',
                27, static_cast<uint8_t>(command)};
            PrintLayout layout = LayOutPrinterFile(ParsePrinterFile(file, false), fonts);
            EXPECT_EQ(layout.pages, 1) << command << " " << value;
            EXPECT_TRUE(RenderPdf(layout, fonts)) << command << " " << value;
        }
    }
}

}  // namespace
}  // namespace qs::test
