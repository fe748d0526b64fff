// The trainer's title screen.
#include <gtest/gtest.h>

#include "graph/GraphTestSupport.h"
#include "shell/CodePage.h"
#include "shell/Dump.h"
#include "support/ProgramRun.h"
#include "trainer/TitleScreen.h"

namespace qs {
namespace {

std::string Utf8(const std::string& cp437) {
    std::string s;
    for (unsigned char c : cp437) s += EncodeUtf8(Cp1252ToUnicode(OemToDisplayByte(c)));
    return s;
}

// Without glyph pictures the shade byte shows as the display letter it is
// drawn with.
TEST(TitleScreenTest, ShowsExactlyTheTitleRows) {
    test::GraphScreen screen({1280, 960});
    ShowTitleScreen(screen.d);
    const std::string dump = DumpText(screen.d);
    EXPECT_EQ(dump.substr(0, dump.find('\n')), "mode: text");
    EXPECT_EQ(test::DumpRow(dump, 1),
              "  Programm:  Quendelstrand" + VersionField() + "O = Optionen  ESC = Ende ");
    const std::string shade = Utf8(std::string(80, '\xb2'));
    for (int row = 2; row <= 24; ++row) EXPECT_EQ(test::DumpRow(dump, row), shade) << "row " << row;
    EXPECT_EQ(test::DumpRow(dump, 25), Utf8(ImprintLine()));
}

}  // namespace
}  // namespace qs
