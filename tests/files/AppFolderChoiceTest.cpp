// Where the program works: its own folder for a portable copy, a per-user
// folder for an installed one (seeded with the shipped word lists), and the
// path layer taking shipped data from the installed folder.
#include <gtest/gtest.h>

#include "platform/host/AppFolderChoice.h"
#include "platform/host/PosixFileSystem.h"
#include "screen/DosPath.h"
#include "screen/Paths.h"
#include "support/RowName.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

enum class Layout { Portable, Installed };

struct ChoiceRow {
    const char* what;
    Layout layout;
    const char* xdg;   // relative to the temporary folder, "" for unset, "=..." as is
    const char* home;  // relative to the temporary folder
    const char* app;   // expected, relative to the temporary folder
    const char* shipped;
    bool problem;
};

class ChoiceTest : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(ChoiceTest, PicksTheFolders) {
    const ChoiceRow& row = GetParam();
    TempDir dir;
    dir.Put("not-a-folder", "x");
    if (row.layout == Layout::Portable) dir.MakeDir("bin/bgi7");
    else dir.MakeDir("share/quendelstrand/bgi7");
    dir.MakeDir("bin");
    PosixFileSystem files(dir / "bin/quendelstrand");
    FolderEnvironment env;
    const std::string xdg = row.xdg;
    env.xdgDataHome = xdg.empty() ? "" : xdg[0] == '=' ? xdg.substr(1) : dir / xdg;
    env.home = dir / row.home;
    FolderChoice choice = ChooseAppFolders(files, dir / "bin/", env);
    EXPECT_EQ(choice.folders.app, dir / row.app);
    EXPECT_EQ(choice.folders.shipped, dir / row.shipped);
    EXPECT_EQ(!choice.problem.empty(), row.problem) << choice.problem;
    if (!row.problem && row.layout == Layout::Installed) {
        EXPECT_TRUE(files.IsDirectory(choice.folders.app));
        EXPECT_TRUE(files.Exists(choice.folders.app + kSeededMark));
    }
}

const ChoiceRow kChoiceRows[] = {
    {"portable copy works beside itself", Layout::Portable, "xdg", "home", "bin/", "bin/", false},
    {"installed copy works in XDG_DATA_HOME", Layout::Installed, "xdg", "home",
     "xdg/quendelstrand/", "share/quendelstrand/", false},
    {"installed copy without XDG_DATA_HOME", Layout::Installed, "", "home",
     "home/.local/share/quendelstrand/", "share/quendelstrand/", false},
    {"relative XDG_DATA_HOME is ignored", Layout::Installed, "=rel/data", "home",
     "home/.local/share/quendelstrand/", "share/quendelstrand/", false},
    {"per-user folder that cannot be made runs read-only", Layout::Installed, "",
     "not-a-folder/home", "share/quendelstrand/", "share/quendelstrand/", true},
};
INSTANTIATE_TEST_SUITE_P(AppFolderChoice, ChoiceTest, ::testing::ValuesIn(kChoiceRows), RowName());

class SeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.Put("shipped/LS1DAT/Tiere.VWT", "Hund-Mund");
        dir_.Put("shipped/LS1DAT/Obst.WWT", "Apfel");
        dir_.MakeDir("user");
    }
    bool Seed() { return SeedWordLists(files_, folders_); }

    TempDir dir_;
    PosixFileSystem files_{dir_ / "shipped/quendelstrand"};
    AppFolders folders_{dir_ / "user/", dir_ / "shipped/"};
};

TEST_F(SeedTest, CopiesTheListsOnceAndKeepsTheTeachersEdits) {
    dir_.Put("user/LS1DAT/Tiere.VWT", "edited by the teacher");
    ASSERT_TRUE(Seed());
    EXPECT_EQ(dir_.Get("user/LS1DAT/Tiere.VWT"), "edited by the teacher");
    EXPECT_EQ(dir_.Get("user/LS1DAT/Obst.WWT"), "Apfel");
    EXPECT_EQ(dir_.List("user/LS1DAT"), (std::vector<std::string>{"Obst.WWT", "Tiere.VWT"}))
        << "no temporary files left";
    // A list the teacher deleted after the first start does not come back.
    ASSERT_TRUE(files_.RemoveFile(dir_ / "user/LS1DAT/Obst.WWT"));
    dir_.Put("shipped/LS1DAT/Tiere.VWT", "a newer shipped list");
    ASSERT_TRUE(Seed());
    EXPECT_FALSE(dir_.Has("user/LS1DAT/Obst.WWT"));
    EXPECT_EQ(dir_.Get("user/LS1DAT/Tiere.VWT"), "edited by the teacher");
}

TEST_F(SeedTest, SeedCutShortIsFinishedOnTheNextStart) {
    // The first start copied one list and was killed: no mark yet.
    dir_.Put("user/LS1DAT/Tiere.VWT", "Hund-Mund");
    ASSERT_TRUE(Seed());
    EXPECT_EQ(dir_.Get("user/LS1DAT/Obst.WWT"), "Apfel");
    EXPECT_TRUE(dir_.Has(std::string("user/") + kSeededMark));
}

TEST_F(SeedTest, FailedCopyLeavesNoMark) {
    dir_.Put("user/LS1DAT", "a file where the folder should be");
    EXPECT_FALSE(Seed());
    EXPECT_FALSE(dir_.Has(std::string("user/") + kSeededMark));
}

// The trainer's paths start from the app folder; shipped data comes from the
// shipped folder, what the program writes stays in the app folder.
struct ResolveRow {
    const char* what;
    const char* path;      // appended to the app folder
    const char* expected;  // relative to the temporary folder
};

class ShippedResolveTest : public ::testing::TestWithParam<ResolveRow> {};

TEST_P(ShippedResolveTest, ResolvesAgainstTheRightFolder) {
    TempDir dir;
    dir.Put("shipped/bitplane/Dino0.png", "p");
    dir.Put("shipped/bgi7/fonts.conf", "c");
    dir.Put("shipped/wavs/ja.wav", "w");
    dir.Put("shipped/LS1DAT/Tiere.VWT", "shipped");
    dir.Put("user/LS1DAT/Tiere.VWT", "user");
    dir.Put("user/wavs/eigen.wav", "mine");
    PosixFileSystem files(dir / "shipped/quendelstrand");
    files.SetFolders(AppFolders{dir / "user/", dir / "shipped/"});
    EXPECT_EQ(AppDir(files), dir / "user/");
    EXPECT_EQ(ShippedDir(files), dir / "shipped/");
    EXPECT_EQ(ResolvePath(files, AppDir(files) + GetParam().path), dir / GetParam().expected);
}

const ResolveRow kResolveRows[] = {
    {"picture from the shipped folder", "Bitplane\\DINO0.PNG", "shipped/bitplane/Dino0.png"},
    {"font rules from the shipped folder", "bgi7\\fonts.conf", "shipped/bgi7/fonts.conf"},
    {"shipped folder itself", "Wavs\\", "shipped/wavs/"},
    {"search pattern in a shipped folder", "bitplane\\*.png", "shipped/bitplane/*.png"},
    {"own file beside the shipped data", "Bgi7\\filelist.txt", "user/Bgi7/filelist.txt"},
    {"own file in a shipped folder that exists in both", "wavs\\eigen.wav", "user/wavs/eigen.wav"},
    {"word list from the app folder", "LS1DAT\\Tiere.VWT", "user/LS1DAT/Tiere.VWT"},
    {"options file in the app folder", "lsp1.opt", "user/lsp1.opt"},
    {"name that only starts like a shipped folder", "wavsalt\\x", "user/wavsalt/x"},
};
INSTANTIATE_TEST_SUITE_P(AppFolderChoice, ShippedResolveTest, ::testing::ValuesIn(kResolveRows),
                         RowName());

}  // namespace
}  // namespace qs::test
