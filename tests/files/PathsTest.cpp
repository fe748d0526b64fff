#include <gtest/gtest.h>

#include "platform/host/PosixFileSystem.h"
#include "screen/Paths.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

struct ExpandCase {
    const char* programPath;
    const char* given;
    const char* expected;
};

TEST(Paths, ExpandAppPathTakesShortPathsRelativeToTheProgramFolder) {
    const ExpandCase cases[] = {
        {"/opt/qs/quendelstrand", "Bgi7", "/opt/qs/Bgi7"},
        {"/opt/qs/quendelstrand", "", "/opt/qs/"},
        {"/opt/qs/quendelstrand", "\\Bgi7", "/opt/qs/Bgi7"},
        {"/opt/qs/quendelstrand", "bgi7\\filelist.txt", "/opt/qs/bgi7\\filelist.txt"},
        {"/opt/qs/quendelstrand", "..\\daten", "/opt/daten"},
        {"/opt/qs/quendelstrand", "../daten", "/opt/daten"},
        {"/opt/qs/quendelstrand", "..\\..\\daten", "/daten"},
        {"/opt/qs/quendelstrand", "\\..\\daten", "/opt/daten"},
        {"/opt/qs/quendelstrand", "..\\..\\..\\daten", "..\\..\\..\\daten"},
        {"/quendelstrand", "..\\daten", "..\\daten"},
        {"/opt/qs/quendelstrand", "C:\\quendel\\bgi7", "C:\\quendel\\bgi7"},
        {"/opt/qs/quendelstrand", "\\\\server\\share", "\\\\server\\share"},
        {"/opt/qs/quendelstrand", "/etc/quendel", "/etc/quendel"},
    };
    for (const auto& c : cases) {
        PosixFileSystem files(c.programPath);
        EXPECT_EQ(ExpandAppPath(files, c.given), c.expected) << c.programPath << " + " << c.given;
    }
}

TEST(Paths, AppDirEndsInASlashAndProgramFileNameHasNoFolder) {
    PosixFileSystem files("/opt/qs/quendelstrand");
    EXPECT_EQ(AppDir(files), "/opt/qs/");
    EXPECT_EQ(ProgramFileName(files), "quendelstrand");
}

TEST(Paths, BareFileNameDropsFolderAndExtensionAndSwapsTwoWords) {
    struct Case {
        const char* path;
        const char* bare;
    };
    const Case cases[] = {
        {"C:\\quendel\\emfs\\196.emf", "196"},
        {"/opt/qs/emfs/196.emf", "196"},
        {"Mann alt.emf", "alt Mann"},
        {"a b c.emf", "a b c"},
        {"emfs\\ 196.emf", "196 "},
        {"ohne", "ohne"},
        {"archiv.tar.gz", "archiv.tar"},
    };
    for (const auto& c : cases) EXPECT_EQ(BareFileName(c.path), c.bare) << c.path;
}

TEST(Paths, UpCaseCharUsesWindows1252) {
    struct Case {
        const char* row;
        unsigned char in, out;
    };
    const Case cases[] = {
        {"a", 'a', 'A'},   {"z", 'z', 'Z'},         {"A stays", 'A', 'A'},   {"digit", '1', '1'},
        {"ä", 0xE4, 0xC4}, {"ö", 0xF6, 0xD6},       {"ü", 0xFC, 0xDC},       {"à", 0xE0, 0xC0},
        {"þ", 0xFE, 0xDE}, {"ß stays", 0xDF, 0xDF}, {"÷ stays", 0xF7, 0xF7}, {"ÿ", 0xFF, 0x9F},
        {"š", 0x9A, 0x8A}, {"œ", 0x9C, 0x8C},       {"µ stays", 0xB5, 0xB5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<unsigned char>(UpCaseChar(static_cast<char>(c.in))), c.out) << c.row;
}

TEST(Paths, FileFoundOnlyForAnExistingFile) {
    TempDir dir;
    dir.Put("emfs/196.emf", "x");
    dir.MakeDir("bgi7");
    PosixFileSystem files(dir / "quendelstrand");
    struct Case {
        const char* rel;
        bool found;
    };
    const Case cases[] = {
        {"EMFS\\196.EMF", true}, {"emfs\\197.emf", false}, {"bgi7", false},
        {"emfs\\*.emf", false},  {"nofolder\\x", false},   {"emfs\\", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FileFound(files, dir.Path() + c.rel), c.found) << c.rel;
    EXPECT_FALSE(FileFound(files, ""));
}

}  // namespace
}  // namespace qs::test
