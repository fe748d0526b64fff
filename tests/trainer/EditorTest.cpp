// The word-list editor as a teacher drives it through the real main window:
// the program chooser, editing keys and their limits, saving with the name
// prompt and the overwrite question, the unsaved-changes warning, printing,
// a list too long to be saved again, and checking a list with F7.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "exercises/Programs.h"
#include "support/WindowRun.h"
#include "trainer/Editor.h"
#include "trainer/EditorPrograms.h"

namespace qs::test {
namespace {

namespace fs = std::filesystem;

constexpr char kEsc = 27;

using Files = std::vector<std::pair<std::string, std::string>>;

// An app folder whose LS1DAT holds exactly the given files.
std::string AppWith(const std::string& name, const Files& files) {
    const std::string app = MakeTestAppDir(name);
    fs::remove_all(app + "LS1DAT");
    fs::create_directories(app + "LS1DAT");
    for (const auto& [file, content] : files) WriteAppFile(app, "LS1DAT/" + file, content);
    return app;
}

// The editor for one kind of list (1..9), as the chooser starts it.
RunResult Edit(const std::string& app, const std::string& script, int editorProgram,
               const std::function<void(Trainer&)>& more = {}) {
    RunOptions o;
    o.appDir = app;
    o.script = script;
    o.setup = [editorProgram, more](Trainer& tr) {
        tr.t.ProgramNo = No(FileProgram::Editor);
        tr.t.EditorProgram = editorProgram;
        if (more) more(tr);
    };
    return RunTrainerProc(o, WordListEditor);
}

std::string ListFile(const std::string& app, const std::string& name) {
    return FileText(app + "LS1DAT/" + name);
}

// Row of the right panel from its column 2 (screen column 41), blanks cut.
std::string PanelRow(const std::string& dump, int row) {
    std::string text = Cells(dump, row, 41, 80);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// --- The chooser ---------------------------------------------------------------

TEST(EditorTest, MenuKeyTOpensTheChooserWithItsNinePrograms) {
    const std::string app = AppWith("chooser-menu", {{"Obst.VWT", "Apfel\r\n"}});
    RunOptions o;
    o.appDir = app;
    o.script = "type t\nuntil Editor\ndump chooser\nkey DOWN\ndump second\nkey ESC\ndump menu\n";
    const RunResult run = RunTrainer(o);
    ASSERT_EQ(run.dumps.count("menu"), 1u) << run.error;
    const std::string& c = run.dumps.at("chooser");
    EXPECT_EQ(Cells(c, 3, 41, 77), " \u250c" + Times("\u2500", 8) + " Editor f\u00fcr Progamm " +
                                       Times("\u2500", 5) + "\u2510 ");
    EXPECT_EQ(Cells(c, 5, 45, 72), " 1. Wortvergleich           ");
    EXPECT_EQ(Cells(c, 17, 45, 72), " 9. Reparieren              ");
    EXPECT_EQ(CellBackground(run, "chooser", 46, 5), CellBackground(run, "second", 46, 7));
    EXPECT_NE(CellBackground(run, "chooser", 46, 7), CellBackground(run, "second", 46, 7));
    // ESC clears the right half again.
    EXPECT_EQ(run.dumps.at("menu").find("Editor f\u00fcr"), std::string::npos);
}

TEST(EditorTest, ChooserPicksByArrowsDigitOrClickAndOpensTheSelectionOnTheLeft) {
    const std::string app =
        AppWith("chooser", {{"Obst.VWT", "Apfel\r\n"}, {"Tiere.KWT", "Hund-h\x81tte\r\n"}});
    const struct {
        const char* keys;
        int program;
        const char* file;
    } cases[] = {
        {"key DOWN\nkey RET\n", 2, "Obst.VWT"},
        {"type 7\n", 7, "Tiere.KWT"},
        {"click 50 11\nkey RET\n", 5, ""},  // Baustelle: no list of that kind
    };
    for (const auto& c : cases) {
        RunOptions o;
        o.appDir = app;
        o.script = std::string(c.keys) + "dump selection\nkey ESC\n";
        o.setup = [](Trainer& tr) { tr.t.ProgramNo = No(FileProgram::Editor); };
        const RunResult run = RunTrainerProc(o, EditorChooser);
        ASSERT_TRUE(run.returned) << c.keys << run.error;
        EXPECT_EQ(run.state.EditorProgram, c.program) << c.keys;
        EXPECT_EQ(run.state.LastKey, kEsc) << c.keys;
        EXPECT_EQ(run.state.ProgramNo, No(FileProgram::Editor)) << c.keys;
        const std::string& sel = run.dumps.at("selection");
        if (*c.file) EXPECT_NE(Cells(sel, 4, 2, 39).find(c.file), std::string::npos) << sel;
        else EXPECT_NE(sel.find("Keine Datei gefunden!"), std::string::npos) << sel;
    }
}

// --- Editing and saving ----------------------------------------------------------

struct SaveCase {
    const char* name;
    int program;
    Files files;
    const char* script;  // ends with the list saved; the editor is left afterwards
    const char* savedAs;
    const char* saved;  // the file's bytes; nullptr: the file is not there
};

class EditorSaves : public ::testing::TestWithParam<SaveCase> {};

TEST_P(EditorSaves, WritesTheFileAsTheTeacherLeftIt) {
    const SaveCase& c = GetParam();
    const std::string app = AppWith(std::string("save-") + c.name, c.files);
    const RunResult run = Edit(app, std::string(c.script) + "key ESC\nkey ESC\n", c.program);
    ASSERT_TRUE(run.returned) << run.error;
    if (c.saved) EXPECT_EQ(ListFile(app, c.savedAs), c.saved);
    else EXPECT_FALSE(fs::exists(app + "LS1DAT/" + c.savedAs));
}

const SaveCase kSaveCases[] = {
    {"EmptyLineDroppedOnSave",
     2,
     {},
     "wait 10\nkey RET\nuntil Eingabevorschrift\ntype A\nkey RET\ntype X\nkey RET\ntype B\nkey "
     "RET\ntype C\nkey UP\nkey UP\n"
     "key BS\nkey F5\ntype Liste\nkey RET\n",
     "Liste.VWT",
     "A\r\nB\r\nC\r\n"},
    {"KontaktClosedWithDash",
     7,
     {},
     "wait 10\nkey RET\nuntil Eingabevorschrift\ntype Auto-bahn\nkey RET\ntype "
     "Hund-h\u00fctte\nkey F5\ntype Tiere\nkey RET\n",
     "Tiere.KWT",
     "Auto-bahn\r\nHund-h\x81tte\r\n-\r\n"},
    {"F5KeepsTheNameOfTheLoadedList",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}},
     "key RET\nkey DOWN\nkey END\ntype sine\nkey F5\n",
     "Obst.VWT",
     "be-ver\r\nApfelsine\r\n"},
    {"F6AsksForANewName",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}},
     "key RET\nkey F6\ntype Tiere\nkey RET\n",
     "Tiere.VWT",
     "be-ver\r\nApfel\r\n"},
    {"NameRefusesUmlautDotUnderscoreAndLeadingDash",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}},
     "key RET\nkey F6\ntype -\u00e4._Ti-er 2\nkey RET\n",
     "Ti-er 2.VWT",
     "be-ver\r\nApfel\r\n"},
    {"NameStopsAt25Characters",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}},
     "key RET\nkey F6\ntype abcdefghijklmnopqrstuvwxyz0\nkey RET\n",
     "abcdefghijklmnopqrstuvwxy.VWT",
     "be-ver\r\nApfel\r\n"},
    {"EmptyNameIsRefusedThenAName",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}},
     "key RET\nkey F6\nkey RET\nuntil Kein g\u00fcltiger Name!\ntype Neu\nkey RET\n",
     "Neu.VWT",
     "be-ver\r\nApfel\r\n"},
    {"EscInTheNamePromptSavesNothing",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}},
     "key RET\nkey F6\ntype Neu\nkey ESC\n",
     "Neu.VWT",
     nullptr},
    {"OverwriteAcceptedWithJ",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}, {"Tiere.VWT", "alt\r\n"}},
     "key RET\nkey F6\ntype Tiere\nkey RET\nuntil berschreiben (j/n)\ntype j\n",
     "Tiere.VWT",
     "be-ver\r\nApfel\r\n"},
    {"OverwriteRefusedAsksAgain",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}, {"Tiere.VWT", "alt\r\n"}},
     "key RET\nkey F6\ntype Tiere\nkey RET\nuntil berschreiben (j/n)\ntype n\n"
     "until Anderen Namen eingeben\ntype Neu\nkey RET\n",
     "Tiere.VWT",
     "alt\r\n"},
    // Names that differ only in letter case name the same list.
    {"OverwriteAskedForANameInOtherCase",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}, {"TIERE.VWT", "alt\r\n"}},
     "key RET\nkey F6\ntype tiere\nkey RET\nuntil berschreiben (j/n)\ntype n\nkey ESC\n",
     "TIERE.VWT",
     "alt\r\n"},
    // A list saved earlier in this visit is not in the selection's list,
    // but saving another list under its name still asks.
    {"OverwriteAskedForAListSavedInThisVisit",
     2,
     {{"Obst.VWT", "be-ver\r\nApfel\r\n"}},
     "key RET\nkey F6\ntype Neu\nkey RET\ntype x\nkey F6\ntype Neu\nkey RET\n"
     "until berschreiben (j/n)\ntype n\nkey ESC\n",
     "Neu.VWT",
     "be-ver\r\nApfel\r\n"},
    {"OneLineListIsNotSaved",
     2,
     {},
     "wait 10\nkey RET\nuntil Eingabevorschrift\ntype Apfel\nkey F5\nkey ESC\n",
     "Apfel.VWT",
     nullptr},
};

// The long-line row needs a computed file text.
SaveCase LongLineCase() {
    static const std::string script =
        "wait 10\nkey RET\nuntil Eingabevorschrift\ntype " + std::string(80, 'a') +
        "\nkey HOME\ntype X\nkey RET\ntype b\nkey F5\ntype L\nkey RET\n";
    static const std::string saved = "X" + std::string(74, 'a') + "\r\nb\r\n";
    return {"TypingStopsBeforeColumn75HomeInsertsAtTheStart",
            1,
            {},
            script.c_str(),
            "L.WWT",
            saved.c_str()};
}

std::vector<SaveCase> AllSaveCases() {
    std::vector<SaveCase> cases(std::begin(kSaveCases), std::end(kSaveCases));
    cases.push_back(LongLineCase());
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorSaves, ::testing::ValuesIn(AllSaveCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Keys that change the list in memory --------------------------------------------

std::vector<std::string> Lines(const TrainerState& t) {
    return {t.WordList.begin() + 1, t.WordList.begin() + 1 + t.WordCount};
}

TEST(EditorTest, KeysChangeTheListInMemory) {
    const std::string app = AppWith("keys", {{"L.OWT", "Kaf-fee\r\nTas-se\r\nKan-ne\r\n"}});
    const struct {
        const char* name;
        std::string keys;
        std::vector<std::string> lines;
        int current;
    } cases[] = {
        // The view starts on the last line shown.
        {"DelAtTheEndOfALineChangesNothing", "key DEL\n", {"Kaf-fee", "Tas-se", "Kan-ne"}, 3},
        {"DelInsideALine", "key HOME\nkey DEL\n", {"Kaf-fee", "Tas-se", "an-ne"}, 3},
        {"DelOnAnEmptyLinePullsTheNextUp",
         "key UP\nkey UP\nkey END\n" + std::string("key BS\n") +
             "key BS\nkey BS\nkey BS\nkey BS\n"
             "key BS\nkey BS\nkey DEL\n",
         {"Tas-se", "Kan-ne"},
         1},
        {"ReturnInsideInsertsAnEmptyLineBelow",
         "key UP\nkey UP\nkey RET\n",
         {"Kaf-fee", "", "Tas-se", "Kan-ne"},
         2},
        {"ReturnOnTheLastLineOpensANewOne",
         "key RET\ntype Bro-te\n",
         {"Kaf-fee", "Tas-se", "Kan-ne", "Bro-te"},
         4},
        {"LeftRightAndTypingInsertAtTheCursor",
         "key LEFT\nkey LEFT\ntype X\nkey RIGHT\ntype Y\n",
         {"Kaf-fee", "Tas-se", "Kan-XnYe"},
         3},
        {"ClickOnARowMovesThere", "click 10 1\ntype !\n", {"Kaf-fee!", "Tas-se", "Kan-ne"}, 1},
        {"ClickBelowTheListStopsOnTheLastLine",
         "key UP\nkey UP\nclick 10 20\ntype !\n",
         {"Kaf-fee", "Tas-se", "Kan-ne!"},
         3},
        {"SignsOutsideTheNotationAreNotTyped",
         "type #$%&*+.\n",
         {"Kaf-fee", "Tas-se", "Kan-ne."},
         3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The script ends inside the editor.
        const RunResult run = Edit(app, "key RET\n" + c.keys, 4);
        TrainerState t = run.state;
        if (t.CurrentLine >= 1) t.WordList[static_cast<size_t>(t.CurrentLine)] = t.EditBuffer;
        EXPECT_EQ(Lines(t), c.lines);
        EXPECT_EQ(t.CurrentLine, c.current);
    }
}

TEST(EditorTest, ReturnStoresNothingOnceTheListHas300Lines) {
    std::string text;
    for (int i = 1; i <= 299; ++i) text += "W" + std::to_string(i) + "\r\n";
    const std::string app = AppWith("full", {{"Voll.WWT", text}});
    const RunResult run =
        Edit(app,
             "key RET\nkey PGDN\nkey PGDN\nkey PGDN\nkey PGDN\nkey PGDN\nkey PGDN\n"
             "key PGDN\nkey PGDN\nkey PGDN\nkey PGDN\nkey PGDN\nkey PGDN\n"
             "key END\nkey RET\ntype Neu\nkey RET\ntype Mehr\nkey RET\ndump full\n",
             1);
    EXPECT_EQ(run.state.WordCount, 300);
    EXPECT_EQ(run.state.EditBuffer, "NeuMehr");
    EXPECT_TRUE(PanelRow(run.dumps.at("full"), 19).starts_with("Begrenzung = 300 W\u00f6rter"));
}

// --- The right panel ---------------------------------------------------------------

TEST(EditorTest, PanelShowsTheRulesAndKeysOfTheProgram) {
    const std::string app = AppWith("panel", {{"L.RWT", "-a\r\n-x\r\nHaus\r\n"}});
    const RunResult run = Edit(app, "key RET\ndump panel\n", 9);
    const std::string& p = run.dumps.at("panel");
    EXPECT_EQ(PanelRow(p, 1), " Datei:  L.RWT          W\u00f6rter:  3");
    EXPECT_EQ(PanelRow(p, 2), "Programm: Reparieren");
    EXPECT_EQ(PanelRow(p, 3), "Eingabevorschrift:");
    EXPECT_EQ(PanelRow(p, 19), "Begrenzung = 300 W\u00f6rter   F7 = Pr\u00fcfen");
    EXPECT_EQ(PanelRow(p, 24), "F9 = Datei drucken.");
    EXPECT_EQ(PanelRow(p, 25), "Hinweise in der Anleitung beachten.");
    EXPECT_EQ(Cells(p, 3, 1, 10), "  3 Haus  ");
}

TEST(EditorTest, EscWarnsAboutUnsavedChanges) {
    const struct {
        const char* name;
        std::string keys;
        bool left;
        const char* saved;
    } cases[] = {
        {"SecondEscLeavesWithoutSaving", "type x\nkey ESC\ndump warn\nkey ESC\n", true,
         "be-ver\r\nstehen\r\n"},
        {"ReturnStaysInTheEditor", "type x\nkey ESC\ndump warn\nkey RET\ndump back\n", false,
         "be-ver\r\nstehen\r\n"},
        {"F5InTheWarningSaves", "type x\nkey ESC\ndump warn\nkey F5\nkey ESC\n", true,
         "be-ver\r\nstehenx\r\n"},
        {"UnchangedListLeavesAtOnce", "key ESC\n", true, "be-ver\r\nstehen\r\n"},
        // Deleting a line is a change too.
        {"DelOfALineWarns",
         "key UP\nkey END\n" + std::string("key BS\nkey BS\nkey BS\nkey BS\n") +
             "key BS\nkey BS\nkey DEL\nkey ESC\ndump warn\nkey ESC\n",
         true, "be-ver\r\nstehen\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string app =
            AppWith(std::string("warn-") + c.name, {{"L.VWT", "be-ver\r\nstehen\r\n"}});
        const RunResult run = Edit(app, "key RET\n" + c.keys, 2);
        EXPECT_EQ(run.returned, c.left) << run.error;
        EXPECT_EQ(ListFile(app, "L.VWT"), c.saved);
        if (run.dumps.count("warn")) {
            EXPECT_EQ(PanelRow(run.dumps.at("warn"), 14), "  Der ge\u00e4nderte Text wurde");
            EXPECT_EQ(Cells(run.dumps.at("warn"), 15, 41, 70), "  noch nicht gespeichert!!    ");
            EXPECT_EQ(PanelRow(run.dumps.at("warn"), 20), "ESC = ENDE      /  Taste = weiter");
        }
        if (run.dumps.count("back")) {
            EXPECT_EQ(PanelRow(run.dumps.at("back"), 14), "");
            EXPECT_EQ(PanelRow(run.dumps.at("back"), 20), "Abbruch = ESC   /  F8 = Neue Datei");
        }
    }
}

TEST(EditorTest, F8StartsANewListAfterASecondF8InTheWarning) {
    const std::string app = AppWith("new", {{"L.VWT", "be-ver\r\nstehen\r\n"}});
    const RunResult run = Edit(app, "key RET\ntype x\nkey F8\nkey F8\ndump new\n", 2);
    EXPECT_EQ(run.state.WordCount, 1);
    EXPECT_EQ(run.state.WordFileName, "");
    EXPECT_FALSE(run.state.ListChanged);
    EXPECT_EQ(Cells(run.dumps.at("new"), 1, 1, 10), "  1       ");
    EXPECT_EQ(Cells(run.dumps.at("new"), 2, 1, 10), "          ");
}

// --- Printing ------------------------------------------------------------------------

TEST(EditorTest, F9PrintsTheNumberedListOrSaysThereIsOnlyOneWord) {
    const std::string app = AppWith("print", {{"Obst.VWT", "be-ver\r\nApfel\r\n"}});
    const RunResult run = Edit(app, "key RET\nkey F9\ndump printed\n", 2);
    const std::vector<std::string> lines = CrLfLines(run.PrinterFile());
    const std::vector<std::string> expected = {
        "",
        "\x1b"
        "E\x1bW\x01",
        "",
        "",
        "         Dateiname: Obst.VWT\x1bW" + std::string(1, '\0'),
        std::string(80, '-'),
        "",
        "           1 be-ver",
        "           2 Apfel",
        "\x0c",
    };
    EXPECT_EQ(lines, expected);
    ASSERT_EQ(run.printer->documents.size(), 1u);
    EXPECT_EQ(PanelRow(run.dumps.at("printed"), 1).substr(0, 21), " Datei:  Obst.VWT    ");

    const std::string one = AppWith("print-one", {});
    const RunResult single =
        Edit(one, "wait 10\nkey RET\nuntil Eingabevorschrift\ntype Apfel\nkey F9\ndump one\n", 2);
    EXPECT_EQ(Cells(single.dumps.at("one"), 1, 49, 76), "  Nur 1 Wort im Speicher!   ");
    EXPECT_EQ(single.printer->documents.size(), 0u);
}

// --- A list longer than the editor holds ------------------------------------------------

std::string LongList() {
    std::string text;
    for (int i = 1; i <= 305; ++i) text += "W" + std::to_string(i) + "\r\n";
    return text;
}

// A list the editor would cut (more lines than it holds, or a line longer
// than its line) opens read-only: the file on the disk is never saved over.
TEST(EditorTest, ListCutOnLoadingIsNeverSavedOverTheLongerFile) {
    struct Case {
        const char* name;
        std::string text;
        const char* row14;
        const char* row15;
    };
    const std::vector<Case> cases = {
        {"305 lines", LongList(), "Liste hat mehr als 300 Zeilen: nur", "lesen"},
        {"a line of 90 letters", "Haus-t\201r\r\n" + std::string(90, 'a') + "\r\nGarten-zaun\r\n",
         "Zeile l\u00e4nger als 78 Zeichen: nur", "lesen"},
    };
    for (const Case& c : cases) {
        const std::string app = AppWith(std::string("long-") + c.name, {{"Lang.WWT", c.text}});
        const RunResult run = Edit(app,
                                   "key RET\ndump opened\ntype x\nkey F5\n"
                                   "dump refused\nkey F6\ntype Kurz\nkey RET\n",
                                   1);
        for (const char* dump : {"opened", "refused"}) {
            EXPECT_EQ(PanelRow(run.dumps.at(dump), 14), c.row14) << c.name << ", " << dump;
            EXPECT_EQ(PanelRow(run.dumps.at(dump), 15), c.row15) << c.name << ", " << dump;
        }
        EXPECT_EQ(ListFile(app, "Lang.WWT"), c.text) << c.name;
        EXPECT_FALSE(ListFile(app, "Kurz.WWT").empty()) << c.name << ": saved under a new name";
    }
}

// Under a new name the list that was loaded is saved, as far as it was loaded.
TEST(EditorTest, ListCutOnLoadingSavesUnderANewName) {
    const std::string app = AppWith("long-new-name", {{"Lang.WWT", LongList()}});
    const RunResult run = Edit(app, "key RET\ntype x\nkey F5\nkey F6\ntype Kurz\nkey RET\n", 1);
    EXPECT_TRUE(run.state.WordListCut);
    const std::vector<std::string> saved = CrLfLines(ListFile(app, "Kurz.WWT"));
    ASSERT_EQ(saved.size(), 301u);
    EXPECT_EQ(saved[24], "W25x");
    EXPECT_EQ(saved[300], "W301");
}

// --- Checking with F7 ------------------------------------------------------------------

NotationProblems FlagsLinesWithoutDash(std::span<const std::string> lines) {
    NotationProblems problems;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find('-') == std::string::npos)
            problems.push_back({static_cast<int>(i) + 1, false, "Bindestrich vergessen"});
    return problems;
}

// The program table with a checker for Wortvergleich lists only.
ProgramTable WithDashChecker() {
    static std::array<Program, 12> table = [] {
        std::array<Program, 12> t{};
        std::copy(AllPrograms().begin(), AllPrograms().end(), t.begin());
        for (Program& p : t) {
            if (p.editorProgram == 1) p.check = FlagsLinesWithoutDash;
            if (p.editorProgram == 2) p.check = nullptr;
        }
        return t;
    }();
    return table;
}

TEST(EditorTest, F7ShowsTheFirstProblemAndMovesToItsLine) {
    std::string text;
    for (int i = 1; i <= 40; ++i)
        text += (i == 33 || i == 35 ? "Kaffee" : "A-b") + std::string("\r\n");
    const std::string app = AppWith("check", {{"L.WWT", text}, {"L.VWT", "be\r\nstehen\r\n"}});
    const auto table = [](Trainer& tr) { tr.programs = WithDashChecker(); };
    const struct {
        int program;
        const char* keys;
        const char* row14;
        int line;
    } cases[] = {
        {1, "key F7\n", "Zeile 33: Bindestrich vergessen", 33},
        // The line being typed counts as it stands.
        {1, "key PGUP\nkey PGUP\nkey END\nkey BS\nkey BS\nkey F7\n",
         "Zeile 1: Bindestrich vergessen", 1},
        {2, "key F7\n", "Keine Fehler gefunden.", 2},  // no checker: no problems
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        const RunResult run =
            Edit(app, std::string("key RET\n") + c.keys + "dump checked\n", c.program, table);
        EXPECT_EQ(PanelRow(run.dumps.at("checked"), 14), c.row14);
        EXPECT_EQ(run.state.CurrentLine, c.line);
    }
}

// --- A save that fails ------------------------------------------------------------------

// LS1DAT on a tmpfs of two pages: the list and a filler fill it, so the
// new copy of the list finds no room. Needs root; the test skips without it.
class FullListFolder {
public:
    explicit FullListFolder(const std::string& app) : path_(app + "LS1DAT") {
        if (::geteuid() == 0)
            mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=8k,mode=0755") == 0;
    }
    ~FullListFolder() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    FullListFolder(const FullListFolder&) = delete;
    FullListFolder& operator=(const FullListFolder&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string path_;
    bool mounted_ = false;
};

TEST(EditorTest, FailedSaveSaysSoAndLeavesTheOldFileByteForByte) {
    const std::string app = AppWith("full-disk", {});
    FullListFolder disk(app);
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const std::string old = "be-ver\r\nApfel\r\n";
    WriteAppFile(app, "LS1DAT/Obst.VWT", old);
    WriteAppFile(app, "LS1DAT/filler.txt", std::string(4096, 'x'));
    const RunResult run = Edit(app,
                               "key RET\ntype sine\nkey F5\nuntil Dateiverlust\ndump failed\n"
                               "key RET\ndump after\n",
                               2);
    const std::string& failed = run.dumps.at("failed");
    EXPECT_EQ(Cells(failed, 14, 41, 70), "  Fehler beim Speichern !!    ");
    EXPECT_EQ(Cells(failed, 15, 41, 70), "  Eventuell Dateiverlust !    ");
    EXPECT_EQ(Cells(failed, 16, 41, 70), "  RETURN                      ");
    EXPECT_EQ(PanelRow(run.dumps.at("after"), 14), "");
    EXPECT_TRUE(run.state.ListChanged);
    EXPECT_EQ(ListFile(app, "Obst.VWT"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(app + "LS1DAT"), fs::directory_iterator()), 2)
        << "a temporary file was left behind";
}

// --- Pure rules ---------------------------------------------------------------------------

TEST(EditorTest, TypedCharactersAreThoseOfTheNotations) {
    const struct {
        char c;
        bool typed;
    } cases[] = {
        {'A', true},    {'z', true},    {'_', true},     {'-', true},     {',', true},
        {'9', true},    {' ', true},    {'!', true},     {'?', true},     {'\x81', true},
        {'\x84', true}, {'\x8e', true}, {'\x94', true},  {'\x99', true},  {'\x9a', true},
        {'\xe1', true}, {'+', false},   {'#', false},    {'{', false},    {'\x82', false},
        {'\t', false},  {'\r', false},  {'\x1b', false}, {'\xff', false}, {':', false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypedIntoLine(c.c), c.typed) << static_cast<int>(static_cast<uint8_t>(c.c));
}

TEST(EditorTest, PanelRowsBreakAtABlankAndStopAtTheLastRow) {
    const struct {
        const char* text;
        std::vector<std::string> rows;
    } cases[] = {
        {"Keine Fehler gefunden.", {"Keine Fehler gefunden."}},
        {"Zeile 12: Block ohne abschlie\xe1"
         "ende Zeile mit -",
         {"Zeile 12: Block ohne",
          "abschlie\xe1"
          "ende Zeile mit -"}},
        {"", {}},
        {"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz0123456789",
         {"abcdefghijklmnopqrstuvwxy", "zabcdefghijklmnopqrstuvwx"}},  // no blank: cut hard
    };
    for (const auto& c : cases) EXPECT_EQ(PanelRows(c.text, 25, 2), c.rows) << c.text;
}

}  // namespace
}  // namespace qs::test
