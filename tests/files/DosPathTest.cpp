#include <gtest/gtest.h>

#include "platform/host/PosixFileSystem.h"
#include "screen/DosPath.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

struct NameCase {
    const char* row;
    const char* a;
    const char* b;
    bool same;
};

TEST(DosPath, SameFileNameIgnoresCaseInEveryCharacterSet) {
    const NameCase cases[] = {
        {"ascii", "LEHRER.TXT", "lehrer.txt", true},
        {"different letter", "abc", "abd", false},
        {"trailing blank counts", "a.txt", "a.txt ", false},
        {"utf-8 umlaut", "Übung", "übung", true},
        {"cp437 capital vs utf-8 small", "\232bung", "übung", true},
        {"cp437 small vs utf-8 capital", "\201bung", "Übung", true},
        {"windows-1252 capital vs utf-8 small", "\334bung", "übung", true},
        {"windows-1252 vs cp437", "\374bung", "\201bung", true},
        {"windows-1252 s caron pair", "\x8A", "\x9A", true},
        {"different umlauts", "ä", "ö", false},
        {"sharp s is not ss", "Straße", "STRASSE", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameFileName(c.a, c.b), c.same) << c.row;
        EXPECT_EQ(SameFileName(c.b, c.a), c.same) << c.row << " (swapped)";
    }
}

struct WildCase {
    const char* pattern;
    const char* name;
    bool match;
};

TEST(DosPath, WildcardsMatchAsADosSearchDoes) {
    const WildCase cases[] = {
        {"*.VWT", "tiere.vwt", true},
        {"*.VWT", "Kaffee.VWT", true},
        {"*.VWT", "tiere.vwtx", false},
        {"*.VWT", "vwt", false},
        {"*.VWT", "a.b.vwt", true},
        {"*.vwt", "a.vwt.bak", false},
        {"*.emf", "196.EMF", true},
        {"*.*", "LEHRER", true},
        {"*.*", "a.b.c", true},
        {"*", "x", true},
        {"*.", "README", true},
        {"*.", "a.txt", false},
        {"LEHRER.*", "LEHRER", true},
        {"LEHRER.*", "lehrer.txt", true},
        {"LEHRER.*", "LEHRERX.txt", false},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "a.txt", true},
        {"a?.txt", "abc.txt", false},
        {"???.emf", "196.emf", true},
        {"???.emf", "1966.emf", false},
        {"a*b", "axxb", true},
        {"a*b", "axxbc", false},
        {"tiere.vwt", "TIERE.VWT", true},
        {"\x9A*", "übung.vwt", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " ~ " << c.name;
}

struct ResolveCase {
    const char* given;
    const char* expected;
};

TEST(DosPath, ResolvePathFindsEachNameWithoutRegardToCase) {
    TempDir dir;
    dir.Put("Bitplane/filme/steuer.txt", "x");
    dir.Put("LS1DAT/Tiere.VWT", "x");
    dir.Put("bgi7/qxdos.ttf", "x");
    dir.Put("twins/a.txt", "x");
    dir.Put("twins/A.txt", "x");
    dir.Put("Übungen/x.txt", "x");
    PosixFileSystem files(dir / "quendelstrand");
    const std::string root = dir.Path();

    const ResolveCase cases[] = {
        {"bitplane\\FILME\\", "Bitplane/filme/"},
        {"BITPLANE\\filme\\STEUER.TXT", "Bitplane/filme/steuer.txt"},
        {"ls1dat\\tiere.vwt", "LS1DAT/Tiere.VWT"},
        {"ls1dat/tiere.vwt", "LS1DAT/Tiere.VWT"},
        {"LS1DAT\\LEHRER.TXT", "LS1DAT/LEHRER.TXT"},
        {"ls1dat\\Neu\\x.TXT", "LS1DAT/Neu/x.TXT"},
        {"ls1dat\\*.vwt", "LS1DAT/*.vwt"},
        {"bgi7\\.\\QXDOS.TTF", "bgi7/./qxdos.ttf"},
        {"bgi7\\..\\ls1dat", "bgi7/../LS1DAT"},
        {"LS1DAT\\\\Tiere.vwt", "LS1DAT/Tiere.VWT"},
        {"twins\\a.txt", "twins/a.txt"},
        {"twins\\A.txt", "twins/A.txt"},
        {"twins\\A.TXT", "twins/A.txt"},
        {"\232BUNGEN\\X.TXT", "Übungen/x.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePath(files, root + c.given), root + c.expected) << c.given;
}

TEST(DosPath, ResolvePathLeavesDriveLettersAlone) {
    TempDir dir;
    PosixFileSystem files(dir / "quendelstrand");
    EXPECT_EQ(ResolvePath(files, "C:\\quendel\\LS1DAT"), "C:\\quendel\\LS1DAT");
}

}  // namespace
}  // namespace qs::test
