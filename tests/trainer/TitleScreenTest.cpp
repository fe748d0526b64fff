// The trainer's title screen as the whole program draws it.
#include <gtest/gtest.h>

#include "shell/CodePage.h"
#include "support/ProgramRun.h"
#include "trainer/TitleScreen.h"

namespace qs {
namespace {

std::string Utf8(const std::string& cp437) {
    std::string s;
    for (unsigned char c : cp437) s += EncodeUtf8(Cp1252ToUnicode(OemToDisplayByte(c)));
    return s;
}

TEST(TitleScreenTest, DumpShowsExactlyTheTitleRows) {
    test::ProgramRunOptions o;
    o.appDir = test::MakeTestAppDir("title");
    o.script = "dump title\nkey ESC\n";
    test::ProgramRun run = test::RunProgram(o);
    ASSERT_EQ(run.exitCode, 0) << run.lastError;
    ASSERT_EQ(run.dumps.count("title"), 1u);
    const std::string& dump = run.dumps["title"];
    EXPECT_EQ(dump.substr(0, dump.find('\n')), "mode: text");
    EXPECT_EQ(test::DumpRow(dump, 1),
              "  Programm:  Quendelstrand" + VersionField() + "O = Optionen  ESC = Ende ");
    std::string shade;
    for (int i = 0; i < 80; ++i) shade += "\u2593";
    for (int row = 2; row <= 24; ++row) EXPECT_EQ(test::DumpRow(dump, row), shade) << "row " << row;
    EXPECT_EQ(test::DumpRow(dump, 25), Utf8(ImprintLine()));
}

}  // namespace
}  // namespace qs
