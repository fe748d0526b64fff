#include <gtest/gtest.h>

#include "platform/host/PosixFileSystem.h"
#include "screen/DosFiles.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

class DosFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.Put("ls1dat/obst.VWT", "x");
        dir_.Put("ls1dat/Kaffee.VWT", "x");
        dir_.Put("ls1dat/kuchen.vwt", "x");
        dir_.Put("ls1dat/tiere.wwt", "x");
        dir_.Put("ls1dat/.versteckt.vwt", "x");
        dir_.Put("ls1dat/LEHRER", "x");
        dir_.MakeDir("ls1dat/alt.vwt");
    }

    // Every name a search returns, in order; checks DosError on the way.
    std::vector<std::string> Search(const std::string& pattern, int attributes) {
        std::vector<std::string> names;
        SearchRec s;
        int r = dos_.FindFirstFile(dir_.Path() + pattern, attributes, s);
        EXPECT_EQ(dos_.DosError, r);
        while (r == 0) {
            names.push_back(s.Name);
            r = dos_.FindNextFile(s);
            EXPECT_EQ(dos_.DosError, r);
        }
        return names;
    }

    TempDir dir_;
    PosixFileSystem files_{dir_ / "quendelstrand"};
    DosFiles dos_{files_};
};

struct SearchCase {
    const char* pattern;
    int attributes;
    std::vector<std::string> names;
};

TEST_F(DosFilesTest, FindsMatchingNamesAsStoredInNameOrder) {
    const SearchCase cases[] = {
        {"LS1DAT\\*.VWT", 0, {"Kaffee.VWT", "kuchen.vwt", "obst.VWT"}},
        {"LS1DAT\\*.VWT", FileAttr::Directory, {"alt.vwt", "Kaffee.VWT", "kuchen.vwt", "obst.VWT"}},
        {"LS1DAT\\*.VWT",
         FileAttr::Hidden,
         {".versteckt.vwt", "Kaffee.VWT", "kuchen.vwt", "obst.VWT"}},
        {"LS1DAT\\*.VWT",
         FileAttr::AnyFile,
         {".versteckt.vwt", "alt.vwt", "Kaffee.VWT", "kuchen.vwt", "obst.VWT"}},
        {"ls1dat\\k*.*", 0, {"Kaffee.VWT", "kuchen.vwt"}},
        {"ls1dat\\*.*", 0, {"Kaffee.VWT", "kuchen.vwt", "LEHRER", "obst.VWT", "tiere.wwt"}},
        {"ls1dat\\tiere.WWT", 0, {"tiere.wwt"}},
        {"ls1dat\\*.owt", 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Search(c.pattern, c.attributes), c.names)
            << c.pattern << " attr " << c.attributes;
}

TEST_F(DosFilesTest, ReportsFailuresInDosErrorWithoutRaising) {
    struct Case {
        const char* pattern;
        int error;
    };
    const Case cases[] = {
        {"ls1dat\\*.owt", DosSearchError::FileNotFound},
        {"nofolder\\*.vwt", DosSearchError::PathNotFound},
        {"ls1dat\\obst.vwt\\*.*", DosSearchError::PathNotFound},
        {"ls1dat\\", DosSearchError::FileNotFound},
    };
    for (const auto& c : cases) {
        SearchRec s;
        EXPECT_EQ(dos_.FindFirstFile(dir_.Path() + c.pattern, FileAttr::AnyFile, s), c.error)
            << c.pattern;
        EXPECT_EQ(dos_.DosError, c.error) << c.pattern;
        EXPECT_EQ(dos_.FindNextFile(s), DosSearchError::NoMoreFiles) << c.pattern;
    }
}

TEST_F(DosFilesTest, FindNextAfterTheLastMatchFailsAndClosesTheSearch) {
    SearchRec s;
    ASSERT_EQ(dos_.FindFirstFile(dir_.Path() + "ls1dat\\tiere.wwt", 0, s), 0);
    EXPECT_EQ(s.Name, "tiere.wwt");
    EXPECT_EQ(s.Size, 1u);
    EXPECT_EQ(s.Attr & FileAttr::Directory, 0);
    EXPECT_EQ(dos_.FindNextFile(s), DosSearchError::NoMoreFiles);
    EXPECT_EQ(dos_.DosError, DosSearchError::NoMoreFiles);
    EXPECT_TRUE(s.Pending.empty());
    EXPECT_EQ(dos_.FindNextFile(s), DosSearchError::NoMoreFiles);
}

}  // namespace
}  // namespace qs::test
