// The options file: reading with its corrections, writing back in file
// order, and what happens when either fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "exercises/Programs.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/script/Dump.h"
#include "support/TestFiles.h"
#include "support/WindowRun.h"
#include "trainer/OptionsFile.h"

namespace qs::test {
namespace {

// Every write of a file fails, as on a full or broken disk.
class FailingWrites : public FileSystem {
public:
    explicit FailingWrites(FileSystem& real) : real_(real) {}
    std::optional<std::vector<uint8_t>> ReadFile(const std::string& p, uint64_t limit) override {
        return real_.ReadFile(p, limit);
    }
    bool WriteFileAtomic(const std::string&, const std::vector<uint8_t>&) override { return false; }
    bool AppendFile(const std::string&, const std::vector<uint8_t>&) override { return false; }
    bool Exists(const std::string& p) override { return real_.Exists(p); }
    bool IsDirectory(const std::string& p) override { return real_.IsDirectory(p); }
    std::optional<std::vector<DirEntry>> ListDirectory(const std::string& p) override {
        return real_.ListDirectory(p);
    }
    bool MakeDirectories(const std::string&) override { return false; }
    bool RemoveFile(const std::string&) override { return false; }
    bool Rename(const std::string&, const std::string&) override { return false; }
    std::string ProgramDir() override { return real_.ProgramDir(); }
    std::string ProgramPath() override { return real_.ProgramPath(); }

private:
    FileSystem& real_;
};

class BrokenDiskPlatform : public HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;
    FileSystem& Files() override { return failing_; }

private:
    FailingWrites failing_{HeadlessPlatform::Files()};
};

HeadlessOptions In(const TempDir& dir) {
    HeadlessOptions o;
    o.programPath = dir / "quendelstrand";
    return o;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

// 19 numbers (0 but OptReserve 1) and 16 empty names.
std::vector<std::string> DefaultLines() {
    std::vector<std::string> l(35, "");
    for (int i = 0; i < 19; ++i) l[static_cast<size_t>(i)] = "0";
    l[18] = "1";
    return l;
}

struct Fixture {
    TempDir dir;
    HeadlessPlatform platform{In(dir)};
    Dos d{platform};
    Trainer tr{d, AllPrograms()};
    Fixture() {
        tr.t.ProgramDir = dir.Path();
        tr.t.OptionsPath = OptionsFilePath(tr);
    }
};

// The option values as one line, so that a failing row shows them all.
std::string Values(const Options& o) {
    const int v[] = {o.OptArtikel,       o.GraphFont,      o.OptTon,       o.OptWortwahl,
                     o.OptTrennung,      o.OptBaustelle,   o.OptBausteine, o.OptMaus,
                     o.KontaktThickness, o.OptWortvergl,   o.OptZerlegen,  o.OptGreifen,
                     o.OptGreifteile,    o.OptSauri,       o.OptSortFiles, o.OptEndungen,
                     o.OptWiederhole,    o.OptZerlegenArt, o.OptReserve};
    std::string s;
    for (int x : v) s += std::to_string(x) + " ";
    return s;
}

TEST(OptionsFileTest, ReadingCorrectsEachLine) {
    struct Case {
        const char* name;
        const char* file;    // nullptr: no file
        const char* values;  // Values() after reading
    };
    // Order: Artikel GraphFont Ton Wortwahl Trennung Baustelle Bausteine Maus
    // KontaktThickness Wortvergl Zerlegen Greifen Greifteile Sauri SortFiles
    // Endungen Wiederhole ZerlegenArt Reserve.
    const Case cases[] = {
        {"no file", nullptr, "0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1 "},
        {"empty file", "", "0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1 "},
        {"article 100", "100\r\n", "1 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1 "},
        {"article 99", "99\r\n", "0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1 "},
        {"article 101", "101\r\n", "0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1 "},
        {"every value kept", "100\n3\n2\n1\n3\n5\n1\n1\n4\n0\n1\n2\n1\n1\n1\n1\n1\n2\n7\n",
         "1 3 2 1 3 5 1 1 4 1 1 2 1 1 1 1 1 2 7 "},
        {"bounds reset", "0\n0\n0\n0\n9\n0\n0\n0\n0\n0\n2\n7\n2\n5\n2\n2\n2\n3\n",
         "0 0 0 0 9 0 0 0 0 1 0 0 0 1 0 0 0 0 1 "},
        {"negative values stay but Zerlegen",
         "0\n-1\n-2\n0\n-3\n0\n0\n0\n0\n0\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-9\n",
         "0 -1 -2 0 -3 0 0 0 0 1 0 -1 -1 -1 -1 -1 -1 -1 -9 "},
        {"garbage lines take the default, the rest is read", "abc\n\n2\nx1\n 3 \n\x81\n1\n",
         "0 0 2 0 3 0 1 0 0 1 0 0 0 0 0 0 0 0 1 "},
        {"too large numbers take the default", "100\n99999999999\n2147483647\n-2147483649\n",
         "1 0 2147483647 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1 "},
        {"lone CR line ends", "100\r2\r1\r", "1 2 1 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1 "},
    };
    for (const Case& c : cases) {
        Fixture f;
        if (c.file) f.dir.Put("lsp1.opt", c.file);
        ReadOptionsFile(f.tr);
        EXPECT_EQ(Values(f.tr.t.opt), c.values) << c.name;
        EXPECT_FALSE(f.tr.t.OptionsChanged) << c.name;
    }
}

TEST(OptionsFileTest, FileNamesFollowTheNumbers) {
    Fixture f;
    std::vector<std::string> lines = DefaultLines();
    const std::string longName(300, 'L');
    lines[19] = "TIERE.WWT";
    lines[20] = "vor silben.vwt";
    lines[34] = longName;
    f.dir.Put("lsp1.opt", Lines(lines));
    ReadOptionsFile(f.tr);
    EXPECT_EQ(f.tr.t.LastFiles[0], "TIERE.WWT");
    EXPECT_EQ(f.tr.t.LastFiles[1], "vor silben.vwt");
    EXPECT_EQ(f.tr.t.LastFiles[15], longName);

    Fixture g;  // a file that ends after two names leaves the others empty
    g.tr.t.LastFiles[5] = "";
    g.dir.Put("lsp1.opt", Lines({"0", "0", "0", "0", "0", "0", "0", "0", "0",     "0",    "0",
                                 "0", "0", "0", "0", "0", "0", "0", "1", "A.WWT", "B.VWT"}));
    ReadOptionsFile(g.tr);
    EXPECT_EQ(g.tr.t.LastFiles[1], "B.VWT");
    EXPECT_EQ(g.tr.t.LastFiles[2], "");
}

TEST(OptionsFileTest, WritesAllLinesInFileOrder) {
    Fixture f;
    Options& o = f.tr.t.opt;
    o.OptArtikel = true;
    o.GraphFont = 1;
    o.OptTon = 2;
    o.OptWortwahl = 1;
    o.OptTrennung = 3;
    o.OptBaustelle = 5;
    o.OptBausteine = 1;
    o.OptMaus = 2;
    o.KontaktThickness = 4;
    o.OptWortvergl = 1;
    o.OptZerlegen = 1;
    o.OptGreifen = -1;
    o.OptGreifteile = 1;
    o.OptSauri = 1;
    o.OptSortFiles = 1;
    o.OptEndungen = 1;
    o.OptWiederhole = 1;
    o.OptZerlegenArt = 2;
    o.OptReserve = 7;
    f.tr.t.LastFiles[0] = "TIERE.WWT";
    f.tr.t.LastFiles[15] = std::string(200, 'x') + ".RWT";
    ASSERT_TRUE(WriteOptionsFile(f.tr));
    std::vector<std::string> want = {"100", "1",  "2", "1", "3", "5", "1", "2", "4", "1",
                                     "1",   "-1", "1", "1", "1", "1", "1", "2", "7", "TIERE.WWT"};
    for (int i = 1; i < 15; ++i) want.push_back("");
    want.push_back(std::string(200, 'x') + ".RWT");
    EXPECT_EQ(test::FileText(f.dir / "lsp1.opt"), Lines(want));

    o.OptArtikel = false;  // off is written as 0 and reads back as off
    ASSERT_TRUE(WriteOptionsFile(f.tr));
    Fixture g;
    g.dir.Put("lsp1.opt", test::FileText(f.dir / "lsp1.opt"));
    ReadOptionsFile(g.tr);
    EXPECT_EQ(Values(g.tr.t.opt), Values(o));
    EXPECT_EQ(g.tr.t.LastFiles, f.tr.t.LastFiles);
}

TEST(OptionsFileTest, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    const std::string old = "100\r\n0\r\n";
    dir.Put("lsp1.opt", old);
    BrokenDiskPlatform platform(In(dir));
    Dos d(platform);
    Trainer tr(d, AllPrograms());
    tr.t.ProgramDir = dir.Path();
    tr.t.opt.OptTon = 2;
    EXPECT_FALSE(WriteOptionsFile(tr));
    EXPECT_EQ(test::FileText(dir / "lsp1.opt"), old);

    Fixture f;  // into a folder that does not exist
    f.tr.t.FirstArgument = f.dir / "missing/quendel.opt";
    EXPECT_FALSE(WriteOptionsFile(f.tr));
    EXPECT_FALSE(std::filesystem::exists(f.dir / "missing"));
}

// The whole program: the file is written back only after a change, an
// unreadable file and a failed write are reported on the screen.
TEST(OptionsFileTest, ProgramReadsAndWritesTheFile) {
    const std::string app = test::MakeTestAppDir("optfile-unchanged");
    const std::string file = Lines({"100", "5", "1"});
    test::WriteFileBytes(app + "lsp1.opt", {file.begin(), file.end()});
    bool articles = false;
    int ton = -1;
    RunOptions o;
    o.appDir = app;
    o.script = "key ESC\nkey RET\n";
    o.inspect = [&](Trainer& tr) {
        articles = tr.t.opt.OptArtikel;
        ton = tr.t.opt.OptTon;
    };
    RunResult run = RunTrainer(o);
    EXPECT_TRUE(run.returned);
    EXPECT_TRUE(articles);
    EXPECT_EQ(ton, 1);
    EXPECT_EQ(test::FileText(app + "lsp1.opt"), file) << "written without a change";

    o.script = "key o\nkey ESC\nkey ESC\nkey RET\n";
    run = RunTrainer(o);
    const std::string written = test::FileText(app + "lsp1.opt");
    EXPECT_EQ(written.substr(0, 11), "100\r\n1\r\n1\r\n") << "GraphFont is 1 when the menu runs";
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 35);
}

TEST(OptionsFileTest, ProgramReportsFailures) {
    const std::string app = test::MakeTestAppDir("optfile-failures");
    std::filesystem::create_directories(app + "folder.opt");
    RunOptions o;
    o.appDir = app;
    o.firstArgument = app + "folder.opt";
    o.script = "dump unreadable\nkey SPACE\nuntil Text-Editor\ndump menu\nkey ESC\nkey RET\n";
    RunResult run = RunTrainer(o);
    ASSERT_EQ(run.dumps.count("unreadable"), 1u) << run.error;
    const std::string message = "Die Datei >" + app + "folder.opt< kann nicht geladen werden!";
    // A long path wraps onto the second row.
    const std::string shown =
        test::DumpRow(run.dumps["unreadable"], 1) + test::DumpRow(run.dumps["unreadable"], 2);
    EXPECT_EQ(shown.substr(0, message.size()), message);
    EXPECT_EQ(test::HighlightedEntry(run, "menu"), 1);
    EXPECT_EQ(run.platform->Title(), "Quendelstrandfolder.opt");

    o.firstArgument = app + "missing/quendel.opt";
    o.script = "key o\nkey ESC\nkey ESC\nkey RET\ndump failed\nkey SPACE\n";
    run = RunTrainer(o);
    EXPECT_TRUE(run.returned);
    ASSERT_EQ(run.dumps.count("failed"), 1u) << run.error;
    const std::string failed = "Die ge\u00e4nderten >Optionen< konnten nicht gespeichert werden!";
    EXPECT_EQ(test::DumpRow(run.dumps["failed"], 1).substr(0, failed.size()), failed);
}

// What stands at the options file's name: a link is followed and the file
// it leads to gets the options; a pipe or a device is neither read nor
// replaced, and the screen says so.
TEST(OptionsFileTest, ProgramSavesThroughLinksAndNeverOverDevices) {
    const std::string app = test::MakeTestAppDir("optfile-links");
    const std::string old = Lines({"0", "5", "1"});
    test::WriteFileBytes(app + "real/lsp1.opt", {old.begin(), old.end()});
    std::filesystem::create_symlink("real/lsp1.opt", app + "lsp1.opt");
    RunOptions o;
    o.appDir = app;
    o.script = "key o\nkey ESC\nkey ESC\nkey RET\n";
    RunResult run = RunTrainer(o);
    EXPECT_TRUE(run.returned) << run.error;
    EXPECT_TRUE(std::filesystem::is_symlink(app + "lsp1.opt"));
    const std::string written = test::FileText(app + "real/lsp1.opt");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 35) << written;

    const std::string failed = "Die ge\u00e4nderten >Optionen< konnten nicht gespeichert werden!";
    const std::string unreadable = "Die Datei >" + app + "null.opt< kann nicht geladen werden!";
    std::filesystem::create_symlink("/dev/null", app + "null.opt");
    o.firstArgument = app + "null.opt";
    o.script =
        "dump unreadable\nkey SPACE\nuntil Text-Editor\nkey o\nkey ESC\nkey ESC\nkey "
        "RET\ndump failed\nkey SPACE\n";
    run = RunTrainer(o);
    EXPECT_TRUE(run.returned) << run.error;
    ASSERT_EQ(run.dumps.count("failed"), 1u) << run.error;
    const std::string shown =
        test::DumpRow(run.dumps["unreadable"], 1) + test::DumpRow(run.dumps["unreadable"], 2);
    EXPECT_EQ(shown.substr(0, unreadable.size()), unreadable);
    EXPECT_EQ(test::DumpRow(run.dumps["failed"], 1).substr(0, failed.size()), failed);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_TRUE(std::filesystem::is_symlink(app + "null.opt"));
}

}  // namespace
}  // namespace qs::test
