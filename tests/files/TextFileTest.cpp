#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "platform/host/PosixFileSystem.h"
#include "screen/TextFile.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

// The host's files, but storing can be made to fail as on a full disk.
class FlakyFileSystem : public PosixFileSystem {
public:
    using PosixFileSystem::PosixFileSystem;
    bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& data) override {
        return !failWrites && PosixFileSystem::WriteFileAtomic(path, data);
    }
    bool AppendFile(const std::string& path, const std::vector<uint8_t>& data) override {
        return !failWrites && PosixFileSystem::AppendFile(path, data);
    }
    bool failWrites = false;
};

class TextFileTest : public ::testing::Test {
protected:
    TextFile Named(const std::string& rel) {
        TextFile f(files_);
        f.Assign(dir_.Path() + rel);
        return f;
    }

    std::vector<std::string> ReadAllLines(const std::string& rel) {
        TextFile f = Named(rel);
        f.Reset();
        std::vector<std::string> lines;
        while (!f.Eof()) {
            std::string s;
            ReadLnFromFile(f, s);
            lines.push_back(s);
        }
        f.Close();
        return lines;
    }

    TempDir dir_;
    FlakyFileSystem files_{dir_ / "quendelstrand"};
};

struct WriteCase {
    const char* row;
    std::function<void(TextFile&)> write;
    std::string bytes;
};

TEST_F(TextFileTest, WritesBytesUnchangedAndEndsLinesWithCrLf) {
    const WriteCase cases[] = {
        {"Spaß in code page 437", [](TextFile& f) { WriteLnToFile(f, "Spa\xE1"); },
         std::string{83, 112, 97, static_cast<char>(225), 13, 10}},
        {"three strings, no line end", [](TextFile& f) { WriteToFile(f, "a", "b", "c"); }, "abc"},
        {"two strings and a line end", [](TextFile& f) { WriteLnToFile(f, "x", "y"); }, "xy\r\n"},
        {"line end alone", [](TextFile& f) { WriteLnToFile(f); }, "\r\n"},
        {"integer", [](TextFile& f) { WriteLnToFile(f, -42); }, "-42\r\n"},
        {"values", [](TextFile& f) { WriteLnValuesToFile(f, "a", 7, 'c', 1.5); }, "a7c1.5\r\n"},
        {"large real", [](TextFile& f) { WriteLnValuesToFile(f, 1e20); }, "1E20\r\n"},
        {"control and high bytes",
         [](TextFile& f) { WriteToFile(f, std::string("\0\x1B\xFF", 3)); },
         std::string("\0\x1B\xFF", 3)},
    };
    for (const auto& c : cases) {
        TextFile f = Named("out.txt");
        f.Rewrite();
        c.write(f);
        f.Close();
        EXPECT_EQ(dir_.Get("out.txt"), c.bytes) << c.row;
    }
}

struct ReadCase {
    const char* row;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST_F(TextFileTest, ReadsLinesEndedByCrLfLfOrCr) {
    const ReadCase cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR only", "a\rb\r", {"a", "b"}},
        {"mixed", "a\r\n\nb\rc", {"a", "", "b", "c"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"CR before CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"Ctrl-Z ends the file", "a\r\n\032b\r\n", {"a"}},
        {"code page 437 bytes", "Spa\xE1\r\n\x84pfel\r\n", {"Spa\xE1", "\x84pfel"}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        dir_.Put("in.txt", c.bytes);
        EXPECT_EQ(ReadAllLines("in.txt"), c.lines) << c.row;
    }
}

TEST_F(TextFileTest, VeryLongLinesSurviveAWriteAndARead) {
    std::string longLine(300000, 'x');
    longLine[1234] = '\xE1';
    TextFile f = Named("long.txt");
    f.Rewrite();
    WriteLnToFile(f, longLine);
    WriteLnToFile(f, "end");
    f.Close();
    EXPECT_EQ(ReadAllLines("long.txt"), (std::vector<std::string>{longLine, "end"}));
}

TEST_F(TextFileTest, ReadLnAtEndOfFileGivesAnEmptyString) {
    dir_.Put("in.txt", "a\r\n");
    TextFile f = Named("in.txt");
    f.Reset();
    std::string s;
    ReadLnFromFile(f, s);
    ASSERT_TRUE(f.Eof());
    ReadLnFromFile(f, s);
    EXPECT_EQ(s, "");
}

struct IntCase {
    const char* row;
    std::string bytes;
    bool raises;
    int32_t value;  // expected when it does not raise; the variable starts at 555
};

TEST_F(TextFileTest, ReadIntFromFileTakesOneDecimalIntegerPerLine) {
    const IntCase cases[] = {
        {"plain", "42\r\n", false, 42},
        {"negative", "-7\r\n", false, -7},
        {"plus sign", "+3", false, 3},
        {"blanks around", "  12 \t\r\n", false, 12},
        {"largest", "2147483647", false, 2147483647},
        {"smallest", "-2147483648", false, INT32_MIN},
        {"end of file leaves it unchanged", "", false, 555},
        {"too large", "2147483648", true, 0},
        {"far too large", "99999999999999999999", true, 0},
        {"empty line", "\r\n", true, 0},
        {"letters after digits", "12a", true, 0},
        {"two numbers", "1 2", true, 0},
        {"sign alone", "-", true, 0},
        {"hex", "0x10", true, 0},
    };
    for (const auto& c : cases) {
        dir_.Put("opt.txt", c.bytes);
        TextFile f = Named("opt.txt");
        f.Reset();
        int32_t v = 555;
        if (c.raises) {
            EXPECT_THROW(ReadIntFromFile(f, v), DosIoError) << c.row;
            EXPECT_EQ(v, 555) << c.row << ": changed although it raised";
        } else {
            EXPECT_NO_THROW(ReadIntFromFile(f, v)) << c.row;
            EXPECT_EQ(v, c.value) << c.row;
        }
    }
}

TEST_F(TextFileTest, ReadIntFromFileRaisesOnAnEmptyLastLineButNotAtTheEnd) {
    dir_.Put("trailing.txt", "5\r\n\r\n");
    TextFile f = Named("trailing.txt");
    f.Reset();
    int32_t v = 0;
    ReadIntFromFile(f, v);
    EXPECT_EQ(v, 5);
    EXPECT_THROW(ReadIntFromFile(f, v), DosIoError);

    dir_.Put("clean.txt", "5\r\n");
    TextFile g = Named("clean.txt");
    g.Reset();
    ReadIntFromFile(g, v);
    v = 9;
    ReadIntFromFile(g, v);
    EXPECT_EQ(v, 9);
}

struct MisuseCase {
    const char* row;
    std::function<void(TextFile&)> action;
    int code;
};

TEST_F(TextFileTest, MisuseAndMissingFilesRaiseWithTheirCode) {
    dir_.Put("exists.txt", "a\r\n");
    dir_.MakeDir("folder");
    auto in = [this](const char* rel) {
        return [this, rel](TextFile& f) { f.Assign(dir_.Path() + rel); };
    };
    auto then = [](std::function<void(TextFile&)> a, std::function<void(TextFile&)> b) {
        return [a, b](TextFile& f) { a(f), b(f); };
    };
    std::string line;
    const MisuseCase cases[] = {
        {"write to a closed file", [](TextFile& f) { WriteLnToFile(f, "x"); }, DosIo::FileNotOpen},
        {"close a closed file", [](TextFile& f) { f.Close(); }, DosIo::FileNotOpen},
        {"eof of a closed file", [](TextFile& f) { f.Eof(); }, DosIo::FileNotOpen},
        {"open without a name", [](TextFile& f) { f.Assign(""), f.Reset(); },
         DosIo::FileNotAssigned},
        {"read a missing file", then(in("missing.txt"), [](TextFile& f) { f.Reset(); }),
         DosIo::FileNotFound},
        {"read in a missing folder", then(in("nofolder/a.txt"), [](TextFile& f) { f.Reset(); }),
         DosIo::PathNotFound},
        {"read a folder", then(in("folder"), [](TextFile& f) { f.Reset(); }), DosIo::AccessDenied},
        {"rewrite in a missing folder",
         then(in("nofolder/a.txt"), [](TextFile& f) { f.Rewrite(); }), DosIo::PathNotFound},
        {"rewrite a folder", then(in("folder"), [](TextFile& f) { f.Rewrite(); }),
         DosIo::AccessDenied},
        {"append to a missing file", then(in("missing.txt"), [](TextFile& f) { f.Append(); }),
         DosIo::FileNotFound},
        {"read from a file being written",
         then(in("new.txt"), [&line](TextFile& f) { f.Rewrite(), ReadLnFromFile(f, line); }),
         DosIo::NotOpenForInput},
        {"write to a file being read",
         then(in("exists.txt"), [](TextFile& f) { f.Reset(), WriteToFile(f, "x"); }),
         DosIo::NotOpenForOutput},
    };
    for (const auto& c : cases) {
        TextFile f(files_);
        try {
            c.action(f);
            ADD_FAILURE() << c.row << ": did not raise";
        } catch (const DosIoError& e) {
            EXPECT_EQ(e.code(), c.code) << c.row << ": " << e.what();
        }
    }
    EXPECT_FALSE(dir_.Has("new.txt")) << "a failed write left a file";
}

TEST_F(TextFileTest, RewriteReplacesTheOldFileOnlyWhenClosed) {
    dir_.Put("list.vwt", "old\r\n");
    {
        TextFile f = Named("list.vwt");
        f.Rewrite();
        WriteToFile(f, "new");  // a flush must not touch the old file
        EXPECT_EQ(dir_.Get("list.vwt"), "old\r\n");
        WriteLnToFile(f);
        f.Close();
    }
    EXPECT_EQ(dir_.Get("list.vwt"), "new\r\n");
    {
        TextFile dropped = Named("list.vwt");
        dropped.Rewrite();
        WriteLnToFile(dropped, "never closed");
    }
    EXPECT_EQ(dir_.Get("list.vwt"), "new\r\n");
    EXPECT_EQ(dir_.List(), (std::vector<std::string>{"list.vwt"})) << "a temporary file was left";
}

TEST_F(TextFileTest, MovingAnOpenFileTakesItsTextAlong) {
    TextFile a = Named("moved.txt");
    a.Rewrite();
    WriteToFile(a, "x");
    TextFile b = std::move(a);
    EXPECT_FALSE(a.IsOpen());
    EXPECT_THROW(a.Close(), DosIoError);
    WriteLnToFile(b, "y");
    b.Close();
    EXPECT_EQ(dir_.Get("moved.txt"), "xy\r\n");
}

TEST_F(TextFileTest, AFailedStoreRaisesAtCloseAndKeepsTheOldFile) {
    dir_.Put("list.vwt", "Haus\r\nMaus\r\n");
    TextFile f = Named("list.vwt");
    f.Rewrite();
    WriteLnToFile(f, "Baum");
    files_.failWrites = true;
    EXPECT_THROW(f.Close(), DosIoError);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(dir_.Get("list.vwt"), "Haus\r\nMaus\r\n");
}

TEST_F(TextFileTest, AppendWritesAtEveryFlushAndAtClose) {
    dir_.Put("LPTB.TXT", "a\r\n");
    TextFile f = Named("lptb.txt");
    f.Append();
    WriteToFile(f, "b");
    EXPECT_EQ(dir_.Get("LPTB.TXT"), "a\r\nb");
    WriteLnToFile(f, "c");
    f.Close();
    EXPECT_EQ(dir_.Get("LPTB.TXT"), "a\r\nbc\r\n");

    f.Append();
    files_.failWrites = true;
    EXPECT_THROW(WriteToFile(f, "d"), DosIoError);
}

TEST_F(TextFileTest, NamesAreFoundWithoutRegardToCase) {
    dir_.Put("ls1dat/lehrer.txt", "old\r\n");
    TextFile f = Named("LS1DAT\\LEHRER.TXT");
    f.Rewrite();
    WriteLnToFile(f, "protocol");
    f.Close();
    TextFile g = Named("LS1DAT\\NEU.VWT");
    g.Rewrite();
    WriteLnToFile(g, "Wort");
    g.Close();

    EXPECT_EQ(dir_.List(), (std::vector<std::string>{"ls1dat"})) << "a second folder appeared";
    EXPECT_EQ(dir_.List("ls1dat"), (std::vector<std::string>{"NEU.VWT", "lehrer.txt"}));
    EXPECT_EQ(dir_.Get("ls1dat/lehrer.txt"), "protocol\r\n");
    EXPECT_EQ(dir_.Get("ls1dat/NEU.VWT"), "Wort\r\n");
}

// A real full disk: a tiny tmpfs holds a good small file; rewriting it with
// more than fits must fail loudly and leave the old file as it was.
class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
        mountPoint_ = dir_ / "tiny";
        dir_.MakeDir("tiny");
        if (::mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, "size=16k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2(mountPoint_.c_str(), MNT_DETACH);
    }

    TempDir dir_;
    std::string mountPoint_;
    bool mounted_ = false;
};

TEST_F(FullDiskTest, RewriteOfALargeFileOverASmallOneRaisesAndKeepsTheOld) {
    PosixFileSystem files(mountPoint_ + "/quendelstrand");
    std::string good = "Haus\r\nMaus\r\nSpa\xE1\r\n";
    TextFile f(files);
    f.Assign(mountPoint_ + "/LEHRER.TXT");
    f.Rewrite();
    WriteToFile(f, good);
    f.Close();

    f.Rewrite();
    std::string line(1000, 'x');
    for (int i = 0; i < 100; ++i) WriteLnToFile(f, line);
    EXPECT_THROW(f.Close(), DosIoError);

    EXPECT_EQ(dir_.Get("tiny/LEHRER.TXT"), good);
    EXPECT_EQ(dir_.List("tiny"), (std::vector<std::string>{"LEHRER.TXT"}));
}

}  // namespace
}  // namespace qs::test
