// Silben ordnen and Zerlegen started from the menu: a word played by
// typing, ESC, and back in the menu nothing of the game is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

TEST(SyllablesMenuTest, AGameFromTheMenuLeavesACleanMenu) {
    struct Case {
        const char* name;
        const char* menuKey;
        const char* answer;
    };
    const std::vector<Case> cases = {
        {"Silben ordnen", "s", "Mama"},
        {"Zerlegen", "z", "Ma-ma"},
    };
    for (const Case& c : cases) {
        RunOptions o;
        o.appDir = MakeTestAppDir(std::string("syllables-menu-") + c.menuKey);
        std::filesystem::remove_all(o.appDir + "LS1DAT");
        std::filesystem::create_directories(o.appDir + "LS1DAT");
        WriteAppFile(o.appDir, "LS1DAT/Test.OWT", "Ma-ma\r\nMa-ma\r\nMa-ma\r\n");
        // The mouse is switched off on the options screen, so the word is typed.
        const std::string word =
            std::string("wait 3000\ntype ") + c.answer + "\nkey RET\nwait 12000\n";
        o.script =
            std::string("until Text-Editor\nkey o\nwait 300\nkey LEFT\nkey ESC\nwait 300\n") +
            "key " + c.menuKey + "\nuntil Anzahl der Dateien\nkey RET\n" +
            "until Anzahl der Spieler\nkey 1\n" + word +
            "key ESC\nuntil Jetzt schon beenden?\nkey j\n" +
            "until Text-Editor\nwait 500\ndump back\nkey ESC\nkey RET\n";
        RunResult run = RunProgram(o);
        ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.error;
        const std::string& back = run.dumps["back"];
        EXPECT_EQ(back.substr(0, 10), "mode: text") << c.name;
        EXPECT_NE(back.find("Programm-Auswahl"), std::string::npos) << c.name;
        EXPECT_EQ(back.find("Okay"), std::string::npos) << c.name << ": the game's texts are gone";
    }
}

}  // namespace
}  // namespace qs::test
