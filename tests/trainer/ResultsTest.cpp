// The teacher protocol in memory (its heading and exercise lines, the word
// lines the exercises append), the words of results entries, and the printed
// teacher protocol.
#include "exercises/Programs.h"
#include "trainer/Results.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "support/WindowRun.h"
#include "trainer/Menu.h"
#include "trainer/TitleScreen.h"

namespace qs::test {
namespace {

HeadlessOptions WithToday(LocalDate today) {
    HeadlessOptions o;
    o.today = today;
    return o;
}

class ProtocolTest : public ::testing::Test {
protected:
    ProtocolTest() : platform(WithToday({2026, 3, 7, 6})), d(platform), tr(d, AllPrograms()) {
        tr.t.WordList[1] = "be-ent-ver";
        tr.t.WordList[2] = "V";
        tr.t.WordFilePath = "/opt/qs/LS1DAT\\TEST.VWT";
    }

    HeadlessPlatform platform;
    Dos d;
    Trainer tr;
};

TEST_F(ProtocolTest, FirstStartWritesTheHeadingWithTodayWithoutLeadingZeros) {
    tr.t.ProgramNo = 4;
    StartProtocolLine(tr);
    EXPECT_EQ(tr.t.ProtocolCount, 2);
    EXPECT_EQ(tr.t.ProtocolLines[1], "Quendelstrand   7.3.2026   Name:.....................");

    // A later exercise start adds its own line only.
    tr.t.ProtocolLines[3] = "w\x94rter";
    tr.t.ProtocolCount = 3;
    tr.t.ProgramNo = 7;
    StartProtocolLine(tr);
    EXPECT_EQ(tr.t.ProtocolCount, 4);
    EXPECT_EQ(tr.t.ProtocolLines[1], "Quendelstrand   7.3.2026   Name:.....................");
    EXPECT_EQ(tr.t.ProtocolLines[3], "w\x94rter");
    EXPECT_EQ(tr.t.ProtocolLines[4], "-Aus 2 mach 1->/opt/qs/LS1DAT\\TEST.VWT");
}

TEST_F(ProtocolTest, ExerciseLineNamesTheExerciseItsRuleLinesAndTheFile) {
    const struct {
        int programNo;
        const char* line;
    } cases[] = {
        {2, "-Vorsilben-: be-ent-ver>/opt/qs/LS1DAT\\TEST.VWT"},
        {3, "-Endungen-: be-ent-ver>/opt/qs/LS1DAT\\TEST.VWT"},
        {4, "-Wortteile zusammensetzen->/opt/qs/LS1DAT\\TEST.VWT"},
        {5, "-W\x94rter in Silben zerlegen->/opt/qs/LS1DAT\\TEST.VWT"},
        {7, "-Aus 2 mach 1->/opt/qs/LS1DAT\\TEST.VWT"},
        {9, "-Umwandeln-: be-ent-ver V>/opt/qs/LS1DAT\\TEST.VWT"},
        {10, "-W\x94rter reparieren-: be-ent-ver V>/opt/qs/LS1DAT\\TEST.VWT"},
    };
    for (const auto& c : cases) {
        tr.t.ProtocolCount = 0;
        tr.t.ProgramNo = c.programNo;
        StartProtocolLine(tr);
        EXPECT_EQ(tr.t.ProtocolCount, 2) << "program " << c.programNo;
        EXPECT_EQ(tr.t.ProtocolLines[2], c.line) << "program " << c.programNo;
    }
}

TEST_F(ProtocolTest, FullProtocolTakesNoFurtherExerciseLine) {
    tr.t.ProgramNo = 2;
    tr.t.ProtocolCount = 99;
    StartProtocolLine(tr);
    EXPECT_EQ(tr.t.ProtocolCount, 100);
    EXPECT_EQ(tr.t.ProtocolLines[100], "-Vorsilben-: be-ent-ver>/opt/qs/LS1DAT\\TEST.VWT");

    StartProtocolLine(tr);
    EXPECT_EQ(tr.t.ProtocolCount, 100);
    EXPECT_EQ(tr.t.ProtocolLines[101], "");
}

TEST_F(ProtocolTest, AppendGoesToTheOpenLineOfASinglePlayerOnly) {
    const struct {
        const char* name;
        int players;
        int count;
        const char* expected;  // the open line afterwards
    } cases[] = {
        {"single player", 1, 5, "be: bx b"},
        {"two players", 2, 5, ""},
        {"last line of a nearly full protocol", 1, 99, "be: bx b"},
        {"full protocol", 1, 100, ""},
    };
    for (const auto& c : cases) {
        tr.t.ProtocolLines = {};
        tr.players.PlayerCount = c.players;
        tr.t.ProtocolCount = c.count;
        AppendProtocol(tr, "be: ");
        AppendProtocol(tr, "bx");
        AppendProtocol(tr, " b");
        EXPECT_EQ(tr.t.ProtocolLines[c.count + 1], c.expected) << c.name;
        EXPECT_EQ(tr.t.ProtocolLines[c.count], "") << c.name << ": a closed line changed";
    }
}

TEST(FormatResultWord, EndingsJoinStemAndEachEndingOthersDropTheGaps) {
    const std::string longLine = std::string(78, 'a') + "_b_c";  // cut to 80: ends at "_b"
    constexpr ResultWord kEndings = ResultWord::StemWithEndings;
    constexpr ResultWord kOthers = ResultWord::WithoutGaps;
    const struct {
        const char* line;
        ResultWord rule;
        std::string word;
    } cases[] = {
        {"ab-bei_\341en_zen", kEndings, "ab-bei\341en, ab-beizen"},
        {"lauf_en_t", kEndings, "laufen, lauft"},
        {"laufen", kEndings, ""},
        {"_en", kEndings, "en"},
        {"ver_lauf_en", kOthers, "verlaufen"},
        {"Ba-cke_n", kOthers, "Ba-cken"},
        {"Haus_t\x81r", kOthers, "Haust\x81r"},
        {"", kOthers, ""},
        {longLine.c_str(), kOthers, std::string(78, 'a') + "b"},
        {longLine.c_str(), kEndings, std::string(78, 'a') + "b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatResultWord(c.line, c.rule), c.word)
            << "'" << c.line << "' as " << (c.rule == kEndings ? "endings" : "other words");
    }
    // Joined endings grow the word; it is still cut to the printed width.
    const std::string manyEndings = std::string(30, 's') + "_en_er_ern_es_e";
    EXPECT_EQ(FormatResultWord(manyEndings, kEndings).size(), 80u);
}

// A run on the 7th of March 2026.
RunOptions OnTheDay() {
    RunOptions o;
    o.today = {2026, 3, 7, 6};
    return o;
}

std::vector<std::string> Imprinted(std::vector<std::string> lines) {
    std::string imprint = ImprintLine();
    while (imprint.back() == ' ') imprint.pop_back();
    lines.push_back(imprint);
    lines.push_back("\x0c");
    return lines;
}

TEST(TeacherProtocolPrint, PrintsTheClosedAndTheOpenLineWithGaps) {
    const RunResult run = RunTrainerProc(OnTheDay(), [](Trainer& tr) {
        tr.t.ProtocolLines[1] = "Quendelstrand   7.3.2026   Name:.....................";
        tr.t.ProtocolLines[2] = "-Vorsilben-: be-ver>X.VWT";
        tr.t.ProtocolLines[3] = "be: kommen";
        tr.t.ProtocolLines[4] = "ver: lxaufen";
        tr.t.ProtocolCount = 3;
        PrintTeacherProtocol(tr);
    });
    ASSERT_TRUE(run.returned);
    EXPECT_EQ(CrLfLines(run.PrinterFile()),
              Imprinted({"", "", "Quendelstrand   7.3.2026   Name:.....................", "",
                         "-Vorsilben-: be-ver>X.VWT", "be: kommen", "", "ver: lxaufen", ""}));
    EXPECT_EQ(run.printer->documents.size(), 1u);
}

TEST(TeacherProtocolPrint, FullProtocolBreaksThePageAfterLine59AndCutsLongLines) {
    const RunResult run = RunTrainerProc(OnTheDay(), [](Trainer& tr) {
        for (int i = 1; i <= 101; ++i) tr.t.ProtocolLines[i] = "Zeile " + std::to_string(i);
        tr.t.ProtocolLines[70] += std::string(100, '.');
        tr.t.ProtocolCount = 100;
        PrintTeacherProtocol(tr);
    });
    ASSERT_TRUE(run.returned);
    std::vector<std::string> expected{"", ""};
    for (int i = 1; i <= 100; ++i) {
        std::string line = "Zeile " + std::to_string(i);
        if (i == 70) line = (line + std::string(100, '.')).substr(0, 80);
        expected.push_back(line);
        if (i == 1 || i == 3) expected.push_back("");
        if (i == 59) {
            expected.push_back("\x0c");
            expected.push_back("");
        }
    }
    expected.push_back("");
    EXPECT_EQ(CrLfLines(run.PrinterFile()), Imprinted(expected));
}

// F9 in the quit question prints the protocol at any length: with two
// lines (no LEHRER.TXT is written then) and with none, when the printout
// holds only its fixed lines.
TEST(TeacherProtocolPrint, QuitQuestionPrintsAShortProtocolOnF9) {
    const std::string head = "Quendelstrand   7.3.2026   Name:.....................";
    struct Case {
        const char* name;
        int count;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"empty protocol", 0, {"", "", "", "", ""}},
        {"two lines", 2, {"", "", head, "", "-Vorsilben-: be-ver>X.VWT", "", "", ""}},
    };
    for (const Case& c : cases) {
        RunOptions o = OnTheDay();
        o.script = "key F9\nkey RET\n";
        const RunResult run = RunTrainerProc(o, [&](Trainer& tr) {
            if (c.count > 0) {
                tr.t.ProtocolLines[1] = head;
                tr.t.ProtocolLines[2] = "-Vorsilben-: be-ver>X.VWT";
            }
            tr.t.ProtocolCount = c.count;
            QuitQuestion(tr);
        });
        ASSERT_TRUE(run.returned) << c.name << ": " << run.error;
        EXPECT_EQ(CrLfLines(run.PrinterFile()), Imprinted(c.lines)) << c.name;
        EXPECT_EQ(run.printer->documents.size(), 1u) << c.name;
        EXPECT_FALSE(std::filesystem::exists(run.appDir + "LS1DAT/LEHRER.TXT")) << c.name;
    }
}

TEST(TeacherProtocolPrint, PrinterFileThatCannotBeMadeAsksToSwitchThePrinterOn) {
    const RunResult run = RunTrainerProc(OnTheDay(), [](Trainer& tr) {
        tr.t.ProgramDir += "fehlt/";
        tr.t.ProtocolLines[1] = "Quendelstrand   7.3.2026   Name:.....................";
        tr.t.ProtocolCount = 2;
        PrintTeacherProtocol(tr);
    });
    ASSERT_TRUE(run.returned);
    EXPECT_TRUE(ShowsAt(run.screen, 4, 3, "Drucker einschalten!")) << run.screen;
    EXPECT_TRUE(run.printer->documents.empty());
}

}  // namespace
}  // namespace qs::test
