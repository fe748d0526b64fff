// The trainer's title screen.
#include <gtest/gtest.h>

#include "base/CodePage.h"
#include "graph/GraphTestSupport.h"
#include "screen/script/Dump.h"
#include "support/DumpReading.h"
#include "trainer/TitleScreen.h"

namespace qs::test {
namespace {

// Without glyph pictures the shade byte shows as the display letter it is
// drawn with.
TEST(TitleScreenTest, ShowsExactlyTheTitleRows) {
    test::GraphScreen screen({1280, 960});
    ShowTitleScreen(screen.d);
    const std::string dump = DumpText(screen.d);
    EXPECT_EQ(dump.substr(0, dump.find('\n')), "mode: text");
    EXPECT_EQ(test::DumpRow(dump, 1),
              "  Programm:  Quendelstrand" + VersionField() + "O = Optionen  ESC = Ende ");
    const std::string shade = test::ShownUtf8(std::string(80, '\xb2'));
    for (int row = 2; row <= 24; ++row) EXPECT_EQ(test::DumpRow(dump, row), shade) << "row " << row;
    EXPECT_EQ(test::DumpRow(dump, 25), test::ShownUtf8(ImprintLine()));
}

}  // namespace
}  // namespace qs::test
