// The word-list modes of the command line: --check, --import and --export
// on small files in a private folder, and once through the program itself.
#include "app/WordListTool.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <string>

#include "exercises/NotationCases.h"
#include "exercises/Programs.h"
#include "platform/host/PosixFileSystem.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

class WordListToolTest : public ::testing::Test {
protected:
    TempDir dir;
    PosixFileSystem files{dir / "quendelstrand"};
    std::string lists = dir / "LS1DAT/";

    ToolResult Check(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& n : names) paths.push_back(dir / n);
        return CheckWordLists(files, AllPrograms(), paths);
    }
    ToolResult Import(const std::string& name, const std::string& as, bool force = false,
                      const std::string& listName = "") {
        return ImportWordList(files, AllPrograms(), {dir / name, as, listName, force}, lists);
    }
};

TEST_F(WordListToolTest, CheckPrintsEveryProblemAsFileLineMessage) {
    struct Row {
        const char* what;
        const char* name;
        std::string bytes;
        int status;
        std::string out;  // after the folder; "@" stands for it on further lines
    };
    const Row rows[] = {
        {"a good list", "a.WWT", "Hase-Hose\r\nMaus-Haus\r\n", 0, ""},
        {"case of the extension", "b.wwt", "Hund\r\n", 1, "b.wwt:1: Bindestrich vergessen\n"},
        {"messages in UTF-8", "c.WWT", "Hund-Hund\n", 1,
         "c.WWT:1: beide W\xC3\xB6rter sind gleich\n"},
        {"every problem, lines as the loader counts them", "d.WWT", "-Maus\r\n\r\nHund\rx-y\n", 1,
         "d.WWT:1: erstes Wort fehlt\n@d.WWT:3: Bindestrich vergessen\n"},
        {"a block", "e.KWT", "a-b\r\nc-d\r\n-\r\n", 1,
         "e.KWT:1: Block ab hier: weniger als 4 W\xC3\xB6rter\n"},
        {"Ctrl-Z ends the text", "f.WWT", "Hase-Hose\r\n\x1aHund\r\n", 0, ""},
    };
    for (const Row& r : rows) {
        dir.Put(r.name, r.bytes);
        const ToolResult got = Check({r.name});
        EXPECT_EQ(got.status, r.status) << r.what;
        std::string want = r.out.empty() ? "" : dir.Path() + r.out;
        for (size_t at; (at = want.find('@')) != std::string::npos;)
            want.replace(at, 1, dir.Path());
        EXPECT_EQ(got.out, want) << r.what;
        EXPECT_EQ(got.err, "") << r.what;
    }
}

TEST_F(WordListToolTest, CheckSaysWhyAFileCannotBeRead) {
    dir.MakeDir("folder.WWT");
    dir.Put("list.txt", "Hase-Hose\n");
    dir.Put("big.WWT", std::string((10 << 20) + 1, 'a'));
    struct Row {
        const char* name;
        const char* says;
    };
    for (const Row& r : {Row{"missing.WWT", "nicht gefunden"}, Row{"folder.WWT", "ist ein Ordner"},
                         Row{"list.txt", "keine Wortliste"}, Row{"big.WWT", "10 MB"}}) {
        const ToolResult got = Check({r.name});
        EXPECT_EQ(got.status, 2) << r.name;
        EXPECT_NE(got.err.find(dir / r.name + ": "), std::string::npos) << got.err;
        EXPECT_NE(got.err.find(r.says), std::string::npos) << got.err;
    }
    dir.Put("bad.WWT", "Hund\n");
    const ToolResult both = Check({"bad.WWT", "missing.WWT"});
    EXPECT_EQ(both.status, 2) << "a file that cannot be read outweighs problems";
    EXPECT_EQ(both.out, dir / "bad.WWT:1: Bindestrich vergessen\n");
}

TEST_F(WordListToolTest, CheckSurvivesAnyBytes) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 7 % 256);
    dir.Put("binary.KWT", binary);
    dir.Put("nul.BWT", std::string(100, '\0'));
    dir.Put("long.AWT", std::string(1 << 20, 'x') + "\r\n");
    for (const char* name : {"binary.KWT", "nul.BWT", "long.AWT"}) {
        const ToolResult got = Check({name});
        EXPECT_EQ(got.status, 1) << name;
        EXPECT_FALSE(got.out.empty()) << name;
    }
    EXPECT_NE(Check({"long.AWT"}).out.find("gr\303\266\303\237er als 1 MB"), std::string::npos)
        << "the trainer does not load a list over 1 MB";
}

TEST_F(WordListToolTest, AKindWithoutCheckerIsOnlyRead) {
    const Program rows[] = {{.entry = MenuEntry::Vorsilben,
                             .hotkey = 'v',
                             .menuText = "",
                             .menuRow = 5,
                             .file = FileProgram::Vorsilben,
                             .extension = "VWT",
                             .fileListName = ""}};
    dir.Put("a.VWT", "anything at all\n");
    const ToolResult read = CheckWordLists(files, rows, {dir / "a.VWT"});
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.out + read.err, "");
    const ToolResult missing = CheckWordLists(files, rows, {dir / "b.VWT"});
    EXPECT_EQ(missing.status, 2);
}

TEST_F(WordListToolTest, ImportWritesACodePage437List) {
    struct Row {
        const char* what;
        std::string text;
    };
    const Row rows[] = {
        {"CR LF with a byte-order mark",
         "\xEF\xBB\xBFHase-Hose\r\nF\xC3\xBCller-F\xC3\xBChler\r\n"},
        {"LF", "Hase-Hose\nF\xC3\xBCller-F\xC3\xBChler\n"},
        {"no line end at the end", "Hase-Hose\nF\xC3\xBCller-F\xC3\xBChler"},
    };
    for (const Row& r : rows) {
        dir.Put("Tiere.txt", r.text);
        const ToolResult got = Import("Tiere.txt", "wwt", true);
        EXPECT_EQ(got.status, 0) << r.what << got.err;
        EXPECT_EQ(got.out, lists + "Tiere.WWT: gespeichert\n") << r.what;
        EXPECT_EQ(dir.Get("LS1DAT/Tiere.WWT"), "Hase-Hose\r\nF\x81ller-F\x81hler\r\n") << r.what;
    }
}

TEST_F(WordListToolTest, ImportPrintsTheFindingsAndStoresTheList) {
    dir.Put("neu.txt", "Hund\n");
    const ToolResult got = Import("neu.txt", "WWT", false, "Meine Liste");
    EXPECT_EQ(got.status, 1);
    EXPECT_EQ(got.out, dir / "neu.txt:1: Bindestrich vergessen\n" + lists +
                           "Meine Liste.WWT: gespeichert\n");
    EXPECT_EQ(dir.Get("LS1DAT/Meine Liste.WWT"), "Hund\r\n");
}

TEST_F(WordListToolTest, ImportRefusesWhatNoListCanBe) {
    dir.MakeDir("LS1DAT");
    dir.MakeDir("Ordner.txt");
    dir.Put("euro.txt", "Hase-Hose\nGeld-\xE2\x82\xAC\n");
    dir.Put("binary.txt", std::string("\x89PNG\r\n\x1a\n\xff\xfe", 10));
    dir.Put("nul.txt", std::string("Hase\0Hose\n", 10));
    dir.Put("tab.txt", "Hase\tHose\n");
    dir.Put("big.txt", std::string((10 << 20) + 1, 'a'));
    dir.Put("ok.txt", "Hase-Hose\n");
    struct Row {
        const char* what;
        const char* file;
        const char* as;
        const char* name;
        const char* says;
    };
    const Row rows[] = {
        {"a character code page 437 lacks", "euro.txt", "WWT", "",
         "Zeile 2, Zeichen 6: \"\xE2\x82\xAC\" (U+20AC) gibt es in Codepage 437 nicht"},
        {"a binary file", "binary.txt", "WWT", "", "kein UTF-8 (Byte 0x89)"},
        {"a NUL byte", "nul.txt", "WWT", "", "Zeile 1, Zeichen 5: Steuerzeichen U+0000"},
        {"a tab", "tab.txt", "WWT", "", "Steuerzeichen U+0009"},
        {"over 10 MB", "big.txt", "WWT", "", "10 MB"},
        {"a folder", "Ordner.txt", "WWT", "", "ist ein Ordner"},
        {"a missing file", "fehlt.txt", "WWT", "", "nicht gefunden"},
        {"an unknown kind", "ok.txt", "TXT", "", "keine Art von Wortliste"},
        {"a name out of the folder", "ok.txt", "WWT", "../Tiere", "darf nur Buchstaben"},
        {"a name longer than the editor's", "ok.txt", "WWT", "abcdefghijklmnopqrstuvwxyz",
         "25 Zeichen"},
    };
    for (const Row& r : rows) {
        const ToolResult got =
            ImportWordList(files, AllPrograms(), {dir / r.file, r.as, r.name, false}, lists);
        EXPECT_EQ(got.status, 2) << r.what;
        EXPECT_NE(got.err.find(r.says), std::string::npos) << r.what << ": " << got.err;
        EXPECT_EQ(dir.List("LS1DAT"), std::vector<std::string>{}) << r.what;
    }
}

TEST_F(WordListToolTest, ImportReplacesAListOnlyWhenForced) {
    dir.Put("LS1DAT/tiere.wwt", "Alt-Neu\r\n");
    dir.Put("Tiere.txt", "Hase-Hose\n");
    const ToolResult refused = Import("Tiere.txt", "WWT");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("tiere.wwt gibt es schon"), std::string::npos) << refused.err;
    EXPECT_EQ(dir.List("LS1DAT"), std::vector<std::string>{"tiere.wwt"});
    EXPECT_EQ(dir.Get("LS1DAT/tiere.wwt"), "Alt-Neu\r\n");

    const ToolResult forced = Import("Tiere.txt", "WWT", true);
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(dir.List("LS1DAT"), std::vector<std::string>{"Tiere.WWT"})
        << "no second list that differs only in case";
    EXPECT_EQ(dir.Get("LS1DAT/Tiere.WWT"), "Hase-Hose\r\n");
}

TEST_F(WordListToolTest, ExportAndImportGiveEveryShippedListBack) {
    for (const char* ext : {"WWT", "VWT", "EWT", "OWT", "BWT", "AWT", "KWT", "UWT", "RWT"}) {
        for (const ShippedList& l : ShippedListsOf(ext)) {
            const std::string source = std::string(QS_SOURCE_DIR) + "/data/LS1DAT/" + l.name;
            const ToolResult exported = ExportWordList(files, source);
            ASSERT_EQ(exported.status, 0) << l.name;
            dir.Put("export.txt", exported.out);
            const std::string stem = l.name.substr(0, l.name.rfind('.'));
            const ToolResult imported = Import("export.txt", ext, true, stem);
            EXPECT_EQ(imported.status, 0) << l.name << imported.out << imported.err;
            EXPECT_EQ(dir.Get("LS1DAT/" + l.name), FileText(source)) << l.name;
        }
    }
    dir.Put("a.WWT", "F\x81ller-F\x81hler\r\n\r\nStra\341e\r\n");
    EXPECT_EQ(ExportWordList(files, dir / "a.WWT").out,
              "F\xC3\xBCller-F\xC3\xBChler\n\nStra\303\237e\n");
    EXPECT_EQ(ExportWordList(files, dir / "none.WWT").status, 2);
}

// The modes through the program: the exit status and the streams.
struct ProgramRun {
    int status;
    std::string out;
};

ProgramRun RunProgram(const std::string& args) {
    const std::string command = std::string(QS_APP_DIR) + "/quendelstrand " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ProgramRun r{-1, ""};
    if (!pipe) return r;
    char buf[4096];
    while (size_t n = std::fread(buf, 1, sizeof buf, pipe)) r.out.append(buf, n);
    const int wait = ::pclose(pipe);
    r.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    return r;
}

TEST_F(WordListToolTest, TheProgramRunsTheModesWithoutAWindow) {
    dir.Put("Tiere.txt", "Hase-Hose\nHund\n");
    const ProgramRun imported =
        RunProgram("--app-dir " + dir.Path() + " --import " + dir / "Tiere.txt" + " --as wwt");
    EXPECT_EQ(imported.status, 1) << imported.out;
    EXPECT_EQ(dir.Get("LS1DAT/Tiere.WWT"), "Hase-Hose\r\nHund\r\n");

    const ProgramRun checked = RunProgram("--check " + dir / "LS1DAT/Tiere.WWT");
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.out, dir / "LS1DAT/Tiere.WWT:2: Bindestrich vergessen\n");

    const ProgramRun exported = RunProgram("--export " + dir / "LS1DAT/Tiere.WWT");
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.out, "Hase-Hose\nHund\n");

    EXPECT_EQ(RunProgram("--check " + dir / "missing.WWT").status, 2);
}

}  // namespace
}  // namespace qs::test
