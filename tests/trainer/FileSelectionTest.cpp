// The word-file selection as the user drives it: listing, choosing with keys,
// letters and the mouse, loading, the start-word choice, printing the list,
// and the extension check of the exercises.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "base/CodePage.h"
#include "screen/script/Dump.h"
#include "support/WindowRun.h"
#include "trainer/FileSelection.h"

namespace qs::test {
namespace {

namespace fs = std::filesystem;

constexpr char kEsc = 27;
constexpr char kReturn = 13;

struct Given {
    int programNo = 2;
    int sort = 0;
    int wortwahl = 0;
    int editorProgram = 1;
    std::string remembered;
};

// An app folder whose LS1DAT holds the given files (name, content).
std::string AppWith(const std::string& name,
                    const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string app = test::MakeTestAppDir(name);
    fs::remove_all(app + "LS1DAT");  // without the shipped lists
    fs::create_directories(app + "LS1DAT");
    for (const auto& [file, content] : files) test::WriteAppFile(app, "LS1DAT/" + file, content);
    return app;
}

std::vector<std::pair<std::string, std::string>> NumberedFiles(int n, const std::string& ext) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 1; i <= n; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "liste%02d.%s", i, ext.c_str());
        files.push_back({name, "Wort" + std::to_string(i) + "\r\n"});
    }
    return files;
}

RunResult Select(const std::string& app, const std::string& script, const Given& s = {}) {
    RunOptions o;
    o.appDir = app;
    o.script = script;
    o.setup = [s](Trainer& tr) {
        tr.t.ProgramNo = s.programNo;
        tr.t.opt.OptSortFiles = s.sort;
        tr.t.opt.OptWortwahl = s.wortwahl;
        tr.t.EditorProgram = s.editorProgram;
        tr.t.LastFiles[static_cast<size_t>(s.programNo == 11 ? 2 : s.programNo)] = s.remembered;
        tr.t.ResultCount = 5;
        tr.players.TaskCount = 7;
    };
    return RunTrainerProc(o, SelectWordFile);
}

// A file row of the box as shown: number, blanks, name in 29 cells.
std::string FileRow(int number, const std::string& name) {
    std::string row = std::to_string(number) + (number < 10 ? "  " : " ") + name;
    const auto cells =
        std::count_if(row.begin(), row.end(), [](char c) { return (c & 0xC0) != 0x80; });
    return row + std::string(static_cast<size_t>(std::max<long>(0, 32 - cells)), ' ');
}

std::string ChosenName(const RunResult& run) {
    return run.state.LastKey == kReturn ? run.state.WordFileName : "(none)";
}

// --- Listing -----------------------------------------------------------------

TEST(FileSelectionTest, ListsOnlyOrdinaryFilesOfTheExtensionInFolderOrSortedOrder) {
    const std::string app = AppWith("list", {{"Obst.VWT", "a\r\n"},
                                             {"kuchen.VWT", "a\r\n"},
                                             {"Kaffee.VWT", "a\r\n"},
                                             {"Tiere.EWT", "a\r\n"},
                                             {".versteckt.VWT", "a\r\n"}});
    fs::create_directories(app + "LS1DAT/Ordner.VWT");
    const struct {
        int sort;
        std::vector<std::string> names;
    } cases[] = {
        {0, {"Kaffee.VWT", "kuchen.VWT", "Obst.VWT"}},  // the folder's order
        {1, {"Kaffee.VWT", "Obst.VWT", "kuchen.VWT"}},  // byte-wise
    };
    for (const auto& c : cases) {
        Given s;
        s.sort = c.sort;
        RunResult run = Select(app, "key ESC\n", s);
        ASSERT_TRUE(run.returned) << run.error;
        EXPECT_EQ(run.state.FileList, c.names) << "sort " << c.sort;
        EXPECT_EQ(run.state.FileCount, 3) << "sort " << c.sort;
        EXPECT_EQ(run.state.LastKey, kEsc);
        EXPECT_EQ(run.state.WordCount, 0);
        EXPECT_EQ(run.state.WordFileExt, "VWT");
        EXPECT_EQ(run.state.ResultCount, 0);
        EXPECT_EQ(run.players.TaskCount, 0);
        EXPECT_FALSE(run.state.OptionsChanged);
    }
}

TEST(FileSelectionTest, BoxOnTheRightShowsCountAndRowsCellForCell) {
    const std::string app =
        AppWith("box", {{"Kaffee.VWT", "a\r\n"}, {"kuchen.VWT", "a\r\n"}, {"Obst.VWT", "a\r\n"}});
    RunResult run = Select(app, "dump box\nkey ESC\n");
    ASSERT_EQ(run.dumps.count("box"), 1u) << run.error;
    const std::string& dump = run.dumps["box"];
    EXPECT_EQ(Cells(dump, 3, 41, 78), " \u250c" + Times("\u2500", 4) + "> Anzahl der Dateien: 3 <" +
                                          Times("\u2500", 4) + "\u2510 \u2593");
    const std::vector<std::string> names = {"Kaffee.VWT", "kuchen.VWT", "Obst.VWT"};
    for (int r = 0; r < 16; ++r) {
        const std::string text = r < 3 ? FileRow(r + 1, names[r]) : std::string(32, ' ');
        EXPECT_EQ(Cells(dump, 4 + r, 41, 78), " \u2502 " + text + "\u2502 \u2591")
            << "row " << 4 + r;
    }
    EXPECT_EQ(Cells(dump, 20, 41, 78), " \u2514" + Times("\u2500", 33) + "\u2518 \u2591");
    EXPECT_EQ(Cells(dump, 21, 41, 78), "\u2593" + Times("\u2591", 37));
    EXPECT_EQ(Cells(dump, 4, 1, 40), std::string(40, ' ')) << "the left half stays";
}

TEST(FileSelectionTest, BottomLineTellsAboutMoreFilesOrTheExercisesKeys) {
    const std::string kShadow = "\u2593" + Times("\u2591", 36);
    const struct {
        const char* name;
        int files;
        int programNo;
        std::string bottom;  // columns 43 to 75
        std::string below;   // columns 41 to 77
    } cases[] = {
        {"16 files", 16, 2, Times("\u2500", 33), kShadow},
        {"17 files", 17, 2, " F\u00fcr weitere Dateien klicke hier ", kShadow},
        {"Wortvergleich", 17, 1, " Taste +/- = Zeit l\u00e4nger/k\u00fcrzer \u2500", kShadow},
        {"Umwandeln", 17, 9, " Wahl mit F5  (auch im Programm) ",
         "      von 1    von 2     beides      "},
    };
    for (const auto& c : cases) {
        Given s;
        s.programNo = c.programNo;
        const std::string ext = c.programNo == 1 ? "WWT" : c.programNo == 9 ? "UWT" : "VWT";
        RunResult run =
            Select(AppWith("hint", NumberedFiles(c.files, ext)), "dump s\nkey ESC\n", s);
        ASSERT_EQ(run.dumps.count("s"), 1u) << c.name << ": " << run.error;
        const std::string& dump = run.dumps["s"];
        EXPECT_EQ(Cells(dump, 20, 41, 78), " \u2514" + c.bottom + "\u2518 \u2591") << c.name;
        EXPECT_EQ(Cells(dump, 21, 41, 78), c.below + "\u2591") << c.name;
    }
}

TEST(FileSelectionTest, AtMostEightyNamesAreListed) {
    RunResult run = Select(AppWith("eighty", NumberedFiles(85, "VWT")), "key END\nkey RET\n");
    EXPECT_EQ(run.state.FileCount, 80);
    ASSERT_EQ(run.state.FileList.size(), 80u);
    EXPECT_EQ(run.state.FileList.back(), "liste80.VWT");
    EXPECT_EQ(ChosenName(run), "liste80.VWT");
}

TEST(FileSelectionTest, EditorModeListsTheProgramsFilesOnTheLeft) {
    // Editor program 5 is Baustelle, file program 6; 4 is Silben ordnen.
    const std::string app = AppWith("editor", {{"Mauer.BWT", "a\r\n"}, {"Silben.OWT", "a\r\n"}});
    const struct {
        int editorProgram;
        const char* ext;
        const char* name;
    } cases[] = {{5, "BWT", "Mauer.BWT"}, {4, "OWT", "Silben.OWT"}};
    for (const auto& c : cases) {
        Given s;
        s.programNo = 11;
        s.editorProgram = c.editorProgram;
        s.wortwahl = 1;  // the editor never offers the start word
        RunResult run = Select(app, "dump e\nkey RET\n", s);
        ASSERT_TRUE(run.returned) << run.error;
        EXPECT_EQ(run.state.WordFileExt, c.ext);
        EXPECT_EQ(ChosenName(run), c.name);
        EXPECT_EQ(run.state.ProgramNo, c.editorProgram) << "back to the editor's numbering";
        const std::string& dump = run.dumps["e"];
        EXPECT_EQ(Cells(dump, 4, 2, 39), " \u2502 " + FileRow(1, c.name) + "\u2502 \u2591");
        EXPECT_EQ(Cells(dump, 4, 41, 78), std::string(38, ' '));
    }
}

// --- Choosing ------------------------------------------------------------------

TEST(FileSelectionTest, KeysMoveTheSelection) {
    const std::string app = AppWith("keys", NumberedFiles(40, "VWT"));
    const struct {
        const char* keys;
        int chosen;  // file number
    } cases[] = {
        {"", 1},
        {"key DOWN\nkey DOWN\n", 3},
        {"key UP\n", 1},
        {"key END\n", 40},
        {"key END\nkey DOWN\n", 40},
        {"key END\nkey HOME\n", 1},
        {"key PGDN\n", 16},
        {"key PGDN\nkey PGDN\n", 31},
        {"key PGDN\nkey PGDN\nkey PGDN\n", 40},
        {"key END\nkey PGUP\n", 25},
        {"key PGDN\nkey PGUP\n", 1},
        {"key END\nkey PGUP\nkey PGUP\n", 16},
        {"key END\nkey PGUP\nkey PGUP\nkey PGUP\n", 1},
    };
    for (const auto& c : cases) {
        RunResult run = Select(app, std::string(c.keys) + "key RET\n");
        char name[32];
        std::snprintf(name, sizeof name, "liste%02d.VWT", c.chosen);
        EXPECT_EQ(ChosenName(run), name) << c.keys;
    }
}

TEST(FileSelectionTest, ScrolledListKeepsTheSelectionOnTheBottomRow) {
    RunResult run = Select(AppWith("scroll", NumberedFiles(17, "VWT")),
                           "key PGDN\nkey DOWN\ndump s\nkey ESC\n");
    const std::string& dump = run.dumps["s"];
    EXPECT_EQ(Cells(dump, 4, 44, 75), FileRow(2, "liste02.VWT"));
    EXPECT_EQ(Cells(dump, 19, 44, 75), FileRow(17, "liste17.VWT"));
}

TEST(FileSelectionTest, RememberedFileIsPreselectedAndTheChoiceRemembered) {
    const std::string app = AppWith("remember", NumberedFiles(20, "VWT"));
    const struct {
        const char* remembered;
        const char* chosen;
    } cases[] = {
        {"liste18.VWT", "liste18.VWT"},
        {"LISTE18.VWT", "liste01.VWT"},  // names compare byte for byte
        {"weg.VWT", "liste01.VWT"},
    };
    for (const auto& c : cases) {
        Given s;
        s.remembered = c.remembered;
        RunResult run = Select(app, "dump s\nkey RET\n", s);
        EXPECT_EQ(ChosenName(run), c.chosen) << c.remembered;
        EXPECT_EQ(run.state.LastFiles[2], c.chosen) << c.remembered;
        EXPECT_TRUE(run.state.OptionsChanged) << c.remembered;
        EXPECT_EQ(run.state.WordFilePath, run.state.ProgramDir + "ls1dat\\" + c.chosen);
    }
    Given s;
    s.remembered = "liste18.VWT";
    RunResult run = Select(app, "dump s\nkey ESC\n", s);
    const std::string& dump = run.dumps["s"];
    EXPECT_EQ(Cells(dump, 19, 44, 75), FileRow(18, "liste18.VWT")) << "on the bottom row";
}

TEST(FileSelectionTest, TypedLetterSelectsTheNextNameWithIt) {
    const std::string app =
        AppWith("letter", {{"Kaffee.VWT", "a\r\n"},
                           {"kuchen.VWT", "a\r\n"},
                           {"Obst.VWT", "a\r\n"},
                           {"\xc3\x84pfel.VWT", "a\r\n"}});  // "Äpfel" as stored on disk
    const struct {
        const char* keys;
        const char* chosen;
        bool tone;
    } cases[] = {
        {"key k\n", "kuchen.VWT", false},
        {"key k\nkey k\n", "Kaffee.VWT", false},
        {"key K\n", "kuchen.VWT", false},
        {"key o\n", "Obst.VWT", false},
        {"type \u00e4\n", "\xc3\x84pfel.VWT", false},
        {"key x\n", "Kaffee.VWT", true},  // nothing with x: the selection stays
        {"key DOWN\nkey x\n", "kuchen.VWT", true},
    };
    for (const auto& c : cases) {
        RunResult run = Select(app, std::string(c.keys) + "key RET\n");
        EXPECT_EQ(ChosenName(run), c.chosen) << c.keys;
        bool toned = false;
        for (const PlayedSound& p : run.platform->SoundLog())
            toned = toned || p.path.ends_with("/3000.wav");
        EXPECT_EQ(toned, c.tone) << c.keys;
    }
}

TEST(FileSelectionTest, NamesOnDiskAreShownInTheTrainersLetters) {
    const std::string app = AppWith("umlaut", {{"\xc3\x84pfel.VWT", "a\r\n"}});
    RunResult run = Select(app, "dump s\nkey ESC\n");
    const std::string& dump = run.dumps["s"];
    EXPECT_EQ(Cells(dump, 4, 44, 75), FileRow(1, "\u00c4pfel.VWT"));
    EXPECT_EQ(ShownFileName("\xc3\x84pfel.VWT", false), "\x8epfel.VWT");
    EXPECT_EQ(ShownFileName("\xc4pfel.VWT", false), "\x8epfel.VWT") << "Windows letters";
}

TEST(FileSelectionTest, ClicksChooseRowsAndPageOn) {
    const std::string app = AppWith("click", NumberedFiles(40, "VWT"));
    const struct {
        const char* script;
        int programNo;
        const char* chosen;
    } cases[] = {
        {"click 50 6\n", 2, "liste03.VWT"},
        {"click 44 19\n", 2, "liste16.VWT"},
        {"click 75 4\n", 2, "liste01.VWT"},
        {"click 60 20\n", 2, "liste16.VWT"},               // the hint
        {"click 60 20\nclick 60 20\n", 2, "liste31.VWT"},  // paging on twice
        {"key END\nclick 50 4\n", 2, "liste25.VWT"},       // the top row of the scrolled list
        {"click 20 6\n", 11, "liste03.VWT"},               // the editor's box on the left
        {"click 50 6\n", 11, "liste01.VWT"},               // nothing on the right then
    };
    for (const auto& c : cases) {
        Given s;
        s.programNo = c.programNo;
        s.editorProgram = 2;
        RunResult run = Select(app, std::string(c.script) + "key RET\n", s);
        EXPECT_EQ(ChosenName(run), c.chosen) << c.script << " program " << c.programNo;
    }
    // A click beside a short list selects nothing.
    RunResult run =
        Select(AppWith("click-short", NumberedFiles(3, "VWT")), "key DOWN\nclick 50 10\nkey RET\n");
    EXPECT_EQ(ChosenName(run), "liste02.VWT");
}

TEST(FileSelectionTest, EscapeAndF1Cancel) {
    const std::string app = AppWith("cancel", NumberedFiles(3, "VWT"));
    for (const char* key : {"ESC", "F1"}) {
        Given s;
        s.remembered = "liste02.VWT";
        RunResult run = Select(app, std::string("key DOWN\nkey ") + key + "\n", s);
        ASSERT_TRUE(run.returned) << key << ": " << run.error;
        EXPECT_EQ(run.state.LastKey, kEsc) << key;
        EXPECT_EQ(run.state.WordCount, 0) << key;
        EXPECT_EQ(run.state.LastFiles[2], "liste02.VWT") << key;
        EXPECT_FALSE(run.state.OptionsChanged) << key;
    }
}

TEST(FileSelectionTest, F5ChangesTheDirectionOfUmwandelnOnly) {
    const std::string app = AppWith("f5", {{"Regel.UWT", "a\r\n"}, {"Regel.VWT", "a\r\n"}});
    const struct {
        int programNo;
        const char* script;
        int direction;
    } cases[] = {
        {9, "key F5\n", 2},      {9, "key F5\nkey F5\n", 3}, {9, "key F5\nkey F5\nkey F5\n", 1},
        {9, "click 48 21\n", 2},                       // a click on the choices
        {2, "key F5\n", 1},      {11, "key F5\n", 1},  // editor program 8 is Umwandeln, but not
                                                       // here
    };
    for (const auto& c : cases) {
        Given s;
        s.programNo = c.programNo;
        s.editorProgram = 8;
        RunResult run = Select(app, std::string(c.script) + "dump s\nkey ESC\n", s);
        EXPECT_EQ(run.state.UmwandelnDirection, c.direction) << c.script << c.programNo;
    }
}

// --- Loading -------------------------------------------------------------------

TEST(FileSelectionTest, ReturnLoadsTheNonBlankLines) {
    std::string many;
    for (int i = 1; i <= 305; ++i) many += "w" + std::to_string(i) + "\r\n";
    const struct {
        const char* name;
        std::string content;
        std::vector<std::string> first;  // the first lines loaded
        int count;
    } cases[] = {
        {"blank lines", "Haus\r\n\r\n   \r\n\r\nMaus\r\n", {"Haus", "Maus"}, 2},
        {"blanks kept", "  be-ent \r\n\tTab\r\n", {"  be-ent ", "\tTab"}, 2},
        {"LF and no end", "eins\nzwei", {"eins", "zwei"}, 2},
        {"CR only", "eins\rzwei\r\r", {"eins", "zwei"}, 2},
        {"empty", "", {}, 0},
        {"only blanks", std::string(" \r\n\t\r\n\x00\x00\r\n", 9), {}, 0},
        {"more than the table", many, {"w1", "w2"}, 301},
        {"binary",
         std::string("\x00\x01\xff\xfe", 4) + "Wort\x1a rest",
         {std::string("\x00\x01\xff\xfeWort", 8)},
         1},
    };
    for (const auto& c : cases) {
        RunResult run = Select(AppWith("load", {{"Liste.VWT", c.content}}), "key RET\n");
        ASSERT_TRUE(run.returned) << c.name << ": " << run.error;
        EXPECT_EQ(run.state.LastKey, kReturn) << c.name;
        EXPECT_EQ(run.state.WordCount, c.count) << c.name;
        for (size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(run.state.WordList[i + 1], c.first[i]) << c.name << " line " << i + 1;
        if (c.count < kWordListSize) {
            EXPECT_EQ(run.state.WordList[static_cast<size_t>(c.count) + 1], "") << c.name;
        }
        EXPECT_EQ(run.state.CurrentLine, 1) << c.name;
    }
    RunResult run = Select(AppWith("load", {{"Liste.VWT", many}}), "key RET\n");
    EXPECT_EQ(run.state.WordList[301], "w301");
}

TEST(FileSelectionTest, OverlongLineIsCut) {
    const std::string longLine(100000, 'a');
    RunResult run =
        Select(AppWith("long", {{"Liste.VWT", longLine + "\r\nkurz\r\n"}}), "key RET\n");
    ASSERT_EQ(run.state.WordCount, 2);
    EXPECT_EQ(run.state.WordList[1], std::string(kWordLineMax, 'a'));
    EXPECT_EQ(run.state.WordList[2], "kurz");
}

TEST(FileSelectionTest, FileThatCannotBeReadShowsTheMessageUntilReturn) {
    // What stands under the list's name; none of it may hang the program or
    // eat its memory.
    const struct {
        const char* row;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"a dangling link", [](const std::string& p) { fs::create_symlink("fehlt", p); }},
        {"a named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
        {"a link to an endless device",
         [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
        {"a list far larger than any real one",
         [](const std::string& p) {
             ASSERT_TRUE(test::WriteFileBytes(p, {}));
             fs::resize_file(p, uintmax_t{1} << 30);
         }},
    };
    for (const auto& c : cases) {
        const std::string app = AppWith("unreadable", {{"gut.VWT", "a\r\n"}});
        c.make(app + "LS1DAT/Weg.VWT");
        Given s;
        s.remembered = "Weg.VWT";
        s.wortwahl = 1;
        RunResult run = Select(app, "key RET\ndump error\nkey x\nkey RET\n", s);
        ASSERT_TRUE(run.returned) << c.row << ": " << run.error;
        EXPECT_EQ(run.state.LastKey, kEsc) << c.row;
        EXPECT_EQ(run.state.WordCount, 0) << c.row;
        EXPECT_EQ(Cells(run.dumps["error"], 4, 42, 73), "Fehler beim laden ! Dr\u00fccke Enter")
            << c.row;
    }
}

TEST(FileSelectionTest, NoFileShowsTheMessageAndReturnsTheKey) {
    const struct {
        const char* key;
        char lastKey;
    } cases[] = {{"ESC", kEsc}, {"x", 'x'}, {"RET", kReturn}};
    for (const auto& c : cases) {
        RunResult run = Select(AppWith("none", {{"Andere.EWT", "a\r\n"}}),
                               std::string("dump none\nwait 10\nkey ") + c.key + "\n");
        ASSERT_TRUE(run.returned) << c.key << ": " << run.error;
        EXPECT_EQ(run.state.LastKey, c.lastKey) << c.key;
        EXPECT_EQ(run.state.WordCount, 1) << c.key;
        EXPECT_EQ(run.state.WordList[1], "") << c.key;
        EXPECT_EQ(run.state.FileCount, 0) << c.key;
        EXPECT_EQ(Cells(run.dumps["none"], 3, 47, 69), " Keine Datei gefunden! ") << c.key;
    }
}

// --- The start word ------------------------------------------------------------

TEST(FileSelectionTest, StartWordChoiceOnlyForItsExercises) {
    const std::string words = "eins\r\nzwei\r\ndrei\r\nvier\r\n";
    const struct {
        int programNo;
        const char* ext;
        int wortwahl;
        const char* keys;  // after RETURN in the file list
        char lastKey;
        int currentLine;
    } cases[] = {
        {2, "VWT", 1, "key DOWN\nkey DOWN\nkey RET\n", kReturn, 3},
        {2, "VWT", 1, "key RET\n", kReturn, 1},
        {2, "VWT", 1, "key DOWN\nkey ESC\n", 37, 2},
        {2, "VWT", 1, "key PGDN\nkey RET\n", kReturn, 4},
        {2, "VWT", 1, "key PGDN\nkey UP\nkey RET\n", kReturn, 3},
        {2, "VWT", 1, "click 10 3\nkey RET\n", kReturn, 3},
        {2, "VWT", 1, "click 10 20\nkey RET\n", kReturn, 4},  // below the list: its last line
        {2, "VWT", 1, "key DOWN\nclick 10 1\nkey RET\n", kReturn, 1},
        {10, "RWT", 1, "key DOWN\nkey RET\n", kReturn, 2},
        {2, "VWT", 0, "", kReturn, 1},  // Zufall: no choice
        {7, "AWT", 1, "", kReturn, 1},  // Aus 2 mach 1
        {1, "WWT", 1, "", kReturn, 1},  // Wortvergleich
    };
    for (const auto& c : cases) {
        Given s;
        s.programNo = c.programNo;
        s.wortwahl = c.wortwahl;
        RunResult run = Select(AppWith("start", {{std::string("Zahl.") + c.ext, words}}),
                               std::string("key RET\n") + c.keys, s);
        ASSERT_TRUE(run.returned) << c.programNo << " " << c.keys << ": " << run.error;
        EXPECT_EQ(run.state.LastKey, c.lastKey) << c.programNo << " " << c.keys;
        EXPECT_EQ(run.state.CurrentLine, c.currentLine) << c.programNo << " " << c.keys;
        EXPECT_EQ(run.state.WordCount, 4);
    }
}

TEST(FileSelectionTest, StartWordScreenShowsTheFileAndTheList) {
    Given s;
    s.wortwahl = 1;
    RunResult run = Select(AppWith("startscreen", {{"Zahl.VWT", "eins\r\n\r\nzwei\r\n"}}),
                           "key RET\ndump start\nkey RET\n", s);
    const std::string& dump = run.dumps["start"];
    EXPECT_EQ(Cells(dump, 1, 40, 80),
              "  Datei:  Zahl.VWT" + std::string(7, ' ') + "W\u00f6rter:  2" + std::string(6, ' '));
    EXPECT_EQ(Cells(dump, 4, 42, 65), "Wortwahl  =  Reihenfolge");
    EXPECT_EQ(Cells(dump, 6, 42, 68), "Bitte Startwort einstellen.");
    EXPECT_EQ(Cells(dump, 1, 1, 39), "  1 eins" + std::string(31, ' '));
    EXPECT_EQ(Cells(dump, 2, 1, 39), "  2 zwei" + std::string(31, ' '));
    EXPECT_EQ(Cells(dump, 3, 1, 39), std::string(39, ' '));
}

// --- Printing ------------------------------------------------------------------

TEST(FileSelectionTest, F9PrintsTheListThroughThePrinterFile) {
    const std::string app =
        AppWith("print", {{"Obst.KWT", "a\r\n"}, {"\xc3\x84pfel.KWT", "a\r\n"}});
    Given s;
    s.programNo = 8;
    RunResult run = Select(app, "key F9\nkey ESC\n", s);
    ASSERT_TRUE(run.returned) << run.error;
    ASSERT_EQ(run.printer->documents.size(), 1u);
    const std::vector<uint8_t>& pdf = run.printer->documents[0];
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + std::min<size_t>(4, pdf.size())), "%PDF");
    auto bytes = run.platform->Files().ReadFile(app + "LPTB.TXT");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()),
              "\r\n"
              "          Quendelstrand    Programm 8 von 10       Dateiliste: Kontakt / Greifen\r\n"
              "\r\n"
              "          Obst.KWT\r\n"
              "          \x8epfel.KWT\r\n"
              "\r\n");
}

TEST(FileSelectionTest, F9DoesNothingWhenThePrinterFileCannotBeMade) {
    const std::string app = AppWith("noprint", {{"Obst.VWT", "a\r\n"}});
    fs::create_directories(app + "LPTB.TXT");  // a folder in its place
    RunResult run = Select(app, "key F9\nkey RET\n");
    ASSERT_TRUE(run.returned) << run.error;
    EXPECT_TRUE(run.printer->documents.empty());
    EXPECT_EQ(ChosenName(run), "Obst.VWT");
}

// --- The extension check -------------------------------------------------------

TEST(CheckWordFileTest, ExtensionMustMatchTheProgramByteForByte) {
    const struct {
        int programNo;
        const char* path;
        const char* message;  // "" when the extension fits
    } cases[] = {
        {2, "LS1DAT\\tiere.VWT", ""},
        {2, "LS1DAT\\tiere.vwt", "Falsche Endung vwt f\u00fcr dieses Programm"},
        {3, "LS1DAT\\tiere.VWT", "Falsche Endung VWT f\u00fcr dieses Programm"},
        {4, "x.OWT", ""},
        {5, "x.OWT", ""},
        {10, "x.RWT", ""},
        {9, "x.RWT", "Falsche Endung RWT f\u00fcr dieses Programm"},
        {11, "x.abc", ""},
        {0, "x.abc", ""},
        {2, "WT", "Falsche Endung WT f\u00fcr dieses Programm"},
    };
    for (const auto& c : cases) {
        std::string screen;
        RunOptions o;
        o.appDir = test::MakeTestAppDir("check");
        o.setup = [&](Trainer& tr) {
            tr.t.ProgramNo = c.programNo;
            tr.t.WordFilePath = c.path;
        };
        RunResult run = RunTrainerProc(o, [&](Trainer& tr) {
            CheckWordFile(tr);
            screen = DumpText(tr.d);
        });
        ASSERT_TRUE(run.returned) << c.path << ": " << run.error;
        EXPECT_EQ(run.state.WrongExtension, *c.message != 0) << c.programNo << " " << c.path;
        std::string row = test::DumpRow(screen, 1);
        row.erase(row.find_last_not_of(' ') + 1);
        EXPECT_EQ(row, c.message) << c.programNo << " " << c.path;
    }
}

}  // namespace
}  // namespace qs::test
