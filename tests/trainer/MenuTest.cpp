// The program menu: its screen, its keys and clicks, the dispatch of an
// entry and the quit question.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "exercises/Programs.h"
#include "graph/GraphTestSupport.h"
#include "screen/script/Dump.h"
#include "support/TestFiles.h"
#include "support/WindowRun.h"
#include "trainer/Menu.h"
#include "trainer/TitleScreen.h"
#include "trainer/TrainerMain.h"

namespace qs::test {
namespace {

const std::string kShade = "\u2593";
const std::string kLight = "\u2591";

// Columns from..to (1-based, inclusive) of a dump row.

// The menu screen as the child sees it: the menu box on the left half of
// the shaded title screen, the shadow right of and below it.
std::vector<std::string> ExpectedMenuRows() {
    std::vector<std::string> rows(26);
    rows[1] = "  Programm:  Quendelstrand" + VersionField() + "O = Optionen  ESC = Ende ";
    for (int r = 2; r <= 24; ++r) rows[r] = Times(kShade, 80);
    const std::string right = Times(kShade, 41);
    rows[3] = kShade + " \u250c" + Times("\u2500", 7) + "  Programm-Auswahl " + Times("\u2500", 7) +
              "\u2510 " + kShade + right;
    for (int w = 2; w <= 17; ++w) {
        std::string inner(33, ' ');
        for (const Program& p : AllPrograms())
            if (p.menuRow == w) inner.replace(3, std::string(p.menuText).size(), p.menuText);
        rows[static_cast<size_t>(w + 2)] = kShade + " \u2502" + inner + "\u2502 " + kLight + right;
    }
    rows[20] = kShade + " \u2514" + Times("\u2500", 33) + "\u2518 " + kLight + right;
    rows[21] = kShade + kShade + Times(kLight, 37) + right;
    rows[25] = test::ShownUtf8(ImprintLine());
    return rows;
}

RunResult RunMenu(const std::string& name, const std::string& script,
                  std::function<void(Trainer&)> inspect = nullptr) {
    RunOptions o;
    o.appDir = test::MakeTestAppDir(name);
    o.script = script;
    o.inspect = std::move(inspect);
    return RunTrainer(o);
}

TEST(MenuTest, ScreenShowsEveryEntry) {
    RunResult run = RunMenu("menu-screen", "dump menu\nkey ESC\nkey RET\n");
    ASSERT_EQ(run.dumps.count("menu"), 1u) << run.error;
    const std::vector<std::string> want = ExpectedMenuRows();
    EXPECT_EQ(run.dumps["menu"].substr(0, 11), "mode: text\n");
    for (int r = 1; r <= 25; ++r)
        EXPECT_EQ(test::DumpRow(run.dumps["menu"], r), want[static_cast<size_t>(r)]) << "row " << r;
    EXPECT_EQ(test::HighlightedEntry(run, "menu"), 1);
    EXPECT_TRUE(run.returned);
}

// Whether an entry was started shows in EditorProgram, which every start
// sets to 1; the started entry's word-list selection is left with ESC.
struct KeyCase {
    const char* name;
    const char* script;  // before the dump
    int highlighted;
    bool started;
};

void CheckMenuCases(const std::string& name, const std::vector<KeyCase>& cases) {
    for (const KeyCase& c : cases) {
        int editorProgram = 0;
        RunOptions o;
        o.appDir = test::MakeTestAppDir(name);
        o.script = std::string(c.script) + "dump menu\nkey ESC\nkey RET\n";
        o.setup = [](Trainer& tr) { tr.t.EditorProgram = 5; };
        o.inspect = [&](Trainer& tr) { editorProgram = tr.t.EditorProgram; };
        RunResult run = RunTrainer(o);
        EXPECT_TRUE(run.returned) << c.name << ": " << run.error;
        EXPECT_EQ(test::HighlightedEntry(run, "menu"), c.highlighted) << c.name;
        EXPECT_EQ(editorProgram == 1, c.started) << c.name;
    }
}

TEST(MenuTest, KeysMoveAndStart) {
    CheckMenuCases(
        "menu-keys",
        {
            {"nothing", "", 1, false},
            {"down", "key DOWN\n", 2, false},
            {"down twice", "key DOWN\nkey DOWN\n", 3, false},
            {"up on the first stays", "key UP\n", 1, false},
            {"end", "key END\n", 12, false},
            {"down on the last stays", "key END\nkey DOWN\n", 12, false},
            {"up from the last", "key END\nkey UP\n", 11, false},
            {"page down", "key PGDN\n", 12, false},
            {"home", "key END\nkey HOME\n", 1, false},
            {"page up", "key END\nkey PGUP\n", 1, false},
            {"return starts the highlighted entry", "key DOWN\nkey RET\nkey ESC\n", 2, true},
            {"w starts Wortvergleich", "key END\nkey w\nkey ESC\n", 1, true},
            {"g starts Greifen and keeps it highlighted", "key g\nkey ESC\n", 9, true},
            {"u starts Umwandeln", "key u\nkey ESC\n", 10, true},
            {"r starts Reparieren", "key r\nkey ESC\n", 11, true},
            {"t starts the editor", "key t\nkey ESC\n", 12, true},
            {"upper case does nothing", "key END\ntype W\n", 12, false},
            {"a typed G is not Home", "key END\ntype G\n", 12, false},
            {"F1 does nothing", "key END\nkey F1\n", 12, false},
            {"other letters do nothing", "key x\n", 1, false},
        });
}

// Entry 5 "Zerlegen" is written in screen row 10 from column 7.
TEST(MenuTest, ClicksSelectThenStart) {
    CheckMenuCases(
        "menu-clicks",
        {
            {"a click selects", "click 10 10\n", 5, false},
            {"a second click starts", "click 10 10\nclick 10 10\nkey ESC\n", 5, true},
            {"a click elsewhere selects another", "click 10 10\nclick 10 19\n", 12, false},
            {"beside the entries nothing", "click 36 10\n", 1, false},
            {"the box border nothing", "click 3 10\n", 1, false},
        });
}

TEST(MenuTest, TitleRowClicks) {
    RunResult run = RunMenu("menu-title",
                            "click 60 1\ndump options\nkey ESC\nclick 72 1\n"
                            "dump quit\nkey RET\n");
    ASSERT_EQ(run.dumps.count("quit"), 1u) << run.error;
    EXPECT_NE(test::DumpRow(run.dumps["options"], 2).find("Optionen"), std::string::npos);
    EXPECT_NE(test::DumpRow(run.dumps["quit"], 11).find("Programm wirklich beenden ?"),
              std::string::npos);
    EXPECT_TRUE(run.returned);
}

TEST(MenuTest, QuitQuestionScreen) {
    RunResult run = RunMenu("menu-quit", "key ESC\ndump quit\nkey RET\n");
    ASSERT_EQ(run.dumps.count("quit"), 1u) << run.error;
    const std::string& dump = run.dumps["quit"];
    auto cells = [&](int row) { return Cells(test::DumpRow(dump, row), 21, 59); };
    EXPECT_EQ(cells(10), " \u250c" + Times("\u2550", 35) + "\u2510 ");
    EXPECT_EQ(cells(11), " \u2502 Programm wirklich beenden ?       \u2502 ");
    EXPECT_EQ(cells(12), " \u2502 Sind Sie sicher?      Ja    Nein  \u2502 ");
    EXPECT_EQ(cells(13), " \u2514" + Times("\u2550", 35) + "\u2518 ");
    EXPECT_EQ(test::DumpRow(dump, 9), ExpectedMenuRows()[9]) << "the menu above stays";
}

// "Ja" is in screen row 12 at columns 46-47, "Nein" at 52-55.
TEST(MenuTest, QuitQuestionAnswers) {
    struct Case {
        const char* name;
        const char* answer;
        bool quits;
    };
    const Case cases[] = {
        {"return takes the preselected Ja", "key RET\n", true},
        {"j", "key j\n", true},
        {"n", "key n\n", false},
        {"escape", "key ESC\n", false},
        {"right selects Nein", "key RIGHT\nkey RET\n", false},
        {"left selects Ja again", "key RIGHT\nkey LEFT\nkey RET\n", true},
        {"other keys are ignored", "key x\nkey DOWN\nkey RET\n", true},
        {"click on Ja", "click 46 12\n", true},
        {"click on Nein", "click 54 12\n", false},
    };
    for (const Case& c : cases) {
        const std::string script =
            std::string("key END\nkey ESC\n") + c.answer + "dump after\nkey ESC\nkey RET\n";
        RunResult run = RunMenu("menu-answers", script);
        EXPECT_TRUE(run.returned) << c.name << ": " << run.error;
        EXPECT_EQ(run.dumps.count("after") == 0, c.quits) << c.name;
        if (!c.quits) {
            EXPECT_EQ(test::HighlightedEntry(run, "after"), 1) << c.name;
        }
    }
}

// A click on the menu behind the question does not select an entry later.
TEST(MenuTest, QuitQuestionBlocksTheMenu) {
    RunResult run = RunMenu("menu-block",
                            "key ESC\nclick 10 13\nclick 10 13\nkey n\nkey DOWN\ndump menu\n"
                            "key ESC\nkey RET\n");
    EXPECT_TRUE(run.returned) << run.error;
    EXPECT_EQ(test::HighlightedEntry(run, "menu"), 2);
}

// --- The quit question on its own, with protocol lines ------------------------

struct QuitFixture {
    TempDir dir;
    test::GraphScreen screen{{1280, 960}};
    Trainer tr{screen.d, AllPrograms()};
    explicit QuitFixture(int protocolLines, bool withFolder = true) {
        if (withFolder) dir.MakeDir("LS1DAT");
        tr.t.ProgramDir = dir.Path();
        for (int i = 1; i <= protocolLines; ++i)
            tr.t.ProtocolLines[static_cast<size_t>(i)] = "Zeile " + std::to_string(i) + " \x84";
        tr.t.ProtocolCount = protocolLines;
        tr.t.ProgramNo = 7;
        ShowMainMenu(tr);
        screen.d.keys.KeyBuffer = "\r";
        QuitQuestion(tr);
    }
    std::string Row(int row) { return test::DumpRow(DumpText(screen.d), row); }
};

// The screen of a Dos without glyph pictures shows box bytes as the
// display letters they are drawn with.
TEST(MenuTest, QuitWritesTheTeacherProtocol) {
    for (int lines : {0, 2}) {
        QuitFixture f(lines);
        EXPECT_FALSE(std::filesystem::exists(f.dir / "LS1DAT/LEHRER.TXT")) << lines;
        EXPECT_EQ(f.Row(16).find("Lehrerprotokoll"), std::string::npos) << lines;
        EXPECT_EQ(f.tr.t.MenuKey, 27) << lines;
        EXPECT_EQ(f.tr.t.ProgramNo, 1) << lines;
    }
    QuitFixture f(3);
    EXPECT_EQ(test::FileText(f.dir / "LS1DAT/LEHRER.TXT"),
              "Zeile 1 \x84\r\nZeile 2 \x84\r\nZeile 3 \x84\r\n");
    const std::string edge(27, '\xcd');
    const char* want[] = {
        "",
        " \xb3 Lehrerprotokoll jetzt mit \xb3 ",
        " \xb3 F9 ausdruckbar.           \xb3 ",
        " \xb3 LEHRER.TXT gespeichert in \xb3 ",
        " \xb3 ls1dat\\                   \xb3 ",
    };
    EXPECT_EQ(Cells(f.Row(15), 42, 72), test::ShownUtf8(" \xda" + edge + "\xbf "));
    for (int row = 16; row <= 19; ++row)
        EXPECT_EQ(Cells(f.Row(row), 42, 72), test::ShownUtf8(want[row - 15])) << "row " << row;
    EXPECT_EQ(Cells(f.Row(20), 42, 72), test::ShownUtf8(" \xc0" + edge + "\xd9 "));
    EXPECT_EQ(f.tr.t.MenuKey, 27) << "the question follows the box";

    QuitFixture failed(3, false);
    EXPECT_EQ(Cells(failed.Row(19), 45, 66), "Fehler beim speichern!");
    EXPECT_EQ(failed.tr.t.MenuKey, 27);
}

// --- Dispatch of one entry -------------------------------------------------------

std::vector<std::string>* gLog = nullptr;

void Note(Trainer& tr, const char* what) {
    gLog->push_back(std::string(what) + " " + std::to_string(tr.t.ProgramNo));
}

template <const char* kName>
void Recorder(Trainer& tr) {
    Note(tr, kName);
}

constexpr char kComparison[] = "comparison";
constexpr char kRace[] = "race";
constexpr char kEndings[] = "endings";
constexpr char kSyllables[] = "syllables";
constexpr char kBuilding[] = "building";
constexpr char kTwo[] = "two";
constexpr char kContact[] = "contact";
constexpr char kGrabbing[] = "grabbing";
constexpr char kConvert[] = "convert";

// The program table with the games' launchers replaced by recorders; the
// editor keeps its own.
std::vector<Program> RecordingPrograms() {
    std::vector<Program> programs(AllPrograms().begin(), AllPrograms().end());
    const Launcher recorders[] = {Recorder<kComparison>, Recorder<kRace>,      Recorder<kEndings>,
                                  Recorder<kSyllables>,  Recorder<kSyllables>, Recorder<kBuilding>,
                                  Recorder<kTwo>,        Recorder<kContact>,   Recorder<kGrabbing>,
                                  Recorder<kConvert>,    Recorder<kConvert>};
    for (size_t i = 0; i < std::size(recorders); ++i) programs[i].launcher = recorders[i];
    return programs;
}

char gSelectionResult = 13;
void FakeSelection(Trainer& tr) {
    Note(tr, "select");
    tr.t.LastKey = gSelectionResult;
}

TEST(MenuTest, DispatchSetsTheFileProgramNumber) {
    struct Case {
        int entry;
        char selection;   // LastKey the selection leaves
        const char* log;  // what ran, with ProgramNo at the time
    };
    const Case cases[] = {
        {1, 13, "select 1|comparison 1|"},
        {1, 27, "select 1|"},
        {2, 13, "select 2|race 2|"},
        {2, 37, "select 2|"},
        {3, 13, "select 3|endings 3|"},
        {4, 13, "select 4|syllables 4|"},
        {5, 13, "select 5|syllables 5|"},
        {6, 13, "select 6|building 6|"},
        {7, 13, "select 7|two 7|"},
        {8, 13, "select 8|contact 8|"},
        {9, 13, "select 8|grabbing 8|"},
        {9, 27, "select 8|"},
        {9, 37, "select 8|"},
        {10, 13, "select 9|convert 9|"},
        {10, 27, "select 9|"},
        {11, 13, "select 10|convert 10|"},
        {11, 37, "select 10|"},
        {12, 13, ""},
    };
    const std::vector<Program> programs = RecordingPrograms();
    for (const Case& c : cases) {
        std::vector<std::string> log;
        gLog = &log;
        gSelectionResult = c.selection;
        test::GraphScreen screen({1280, 960});
        Trainer tr(screen.d, programs);
        tr.t.ProgramNo = c.entry;
        tr.t.EditorProgram = 4;
        tr.t.UmwandelnDirection = 3;
        tr.t.UmwandelnReversible = true;
        tr.t.ResultCount = 3;
        // The certificate question that follows some exercises is answered ESC.
        screen.d.keys.KeyBuffer = std::string(1, '\x1b');
        DispatchEntry(tr, FakeSelection);
        std::string got;
        for (const std::string& l : log) got += l + "|";
        const std::string name =
            "entry " + std::to_string(c.entry) + " selection " + std::to_string(c.selection);
        EXPECT_EQ(got, c.log) << name;
        EXPECT_EQ(tr.t.ProgramNo, c.entry) << name;
        EXPECT_EQ(tr.t.EditorProgram, 1) << name;
        EXPECT_EQ(tr.t.UmwandelnDirection, c.entry == 10 || c.entry == 11 ? 1 : 3) << name;
        EXPECT_EQ(tr.t.UmwandelnReversible, c.entry != 10) << name;
    }
    gLog = nullptr;
}

// A missing exercise is nothing to run.
TEST(MenuTest, DispatchWithoutExercise) {
    std::vector<std::string> log;
    gLog = &log;
    gSelectionResult = 13;
    std::vector<Program> programs(AllPrograms().begin(), AllPrograms().end());
    for (Program& p : programs) p.launcher = nullptr;
    test::GraphScreen screen({1280, 960});
    Trainer tr(screen.d, programs);
    tr.t.ProgramNo = 3;
    DispatchEntry(tr, FakeSelection);
    EXPECT_EQ(log, std::vector<std::string>{"select 3"});
    EXPECT_EQ(tr.t.ProgramNo, 3);
    gLog = nullptr;
}

}  // namespace
}  // namespace qs::test
