// Wortvergleich started from the menu: after the game nothing of it is left
// on the screen, and the menu box's shadow does not black out the shades
// beside it.
#include <gtest/gtest.h>

#include "support/PngFile.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

TEST(ComparisonMenuTest, BackInTheMenuNothingOfTheGameIsLeft) {
    RunOptions o;
    o.appDir = test::MakeTestAppDir("compare-menu");
    o.script =
        "until Text-Editor\nkey w\nuntil Anzahl der Dateien\nkey RET\nuntil Anzahl der Spieler\n"
        "key 1\nuntil Leertaste\ndump game\nkey ESC\nuntil Jetzt schon beenden?\nkey j\n"
        "until Text-Editor\ndump back\n"
        "key ESC\nkey RET\n";
    RunResult run = RunProgram(o);
    ASSERT_EQ(run.exitCode, 0) << run.error;
    ASSERT_EQ(run.dumps["game"].substr(0, 14), "mode: graphics");
    ASSERT_EQ(run.dumps["back"].substr(0, 10), "mode: text");
    auto png = test::ReadPng(run.outDir + "/back.png");
    ASSERT_TRUE(png);
    // 1280 x 960: cells of 16 x 38; the 10 rows below the cells belong to no cell.
    for (int y = 950; y < 960; ++y)
        for (int x = 0; x < 1280; x += 7) ASSERT_EQ(png->Pixel(x, y), 0u) << x << "," << y;
    // Row 20 right of the menu box (columns 41..78) shows the shades.
    int grey = 0;
    for (int x = 40 * 16; x < 78 * 16; ++x)
        grey += png->Pixel(x, 19 * 38 + 10) == MakeRgb(160, 160, 160);
    EXPECT_GT(grey, 100);
}

}  // namespace
}  // namespace qs::test
