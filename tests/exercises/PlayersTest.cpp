// Players, turns and the repeat list shared by the exercises.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "exercises/Programs.h"
#include "exercises/common/Players.h"
#include "graph/GraphTestSupport.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "support/ClearCheck.h"
#include "support/PngFile.h"
#include "support/RowName.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

// ---- Name entry ---------------------------------------------------------------

struct NameCase {
    const char* what;
    const char* typed;  // script lines
    const char* name;   // code page 437
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.what; }

class NameEntryTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameEntryTest, TypedKeysGiveTheName) {
    const NameCase& c = GetParam();
    RunOptions o;
    o.appDir = MakeTestAppDir("names");
    o.script = c.typed;
    std::string name = "?";
    RunResult run = RunExercise(o, [&](Trainer& tr) {
        InitGraph(tr.d, 0);
        SetFillStyle(tr.d, 1, 7);
        tr.players.PlayerName1.clear();
        EnterPlayerName(tr, tr.players.PlayerName1, "Name Spieler 1:", 8);
        name = tr.players.PlayerName1;
    });
    ASSERT_TRUE(run.returned) << c.what;
    EXPECT_EQ(name, c.name) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameEntryTest,
    ::testing::Values(
        NameCase{"first letter capitalised", "type anna\nkey RET\n", "Anna"},
        NameCase{"eleven letters keep ten", "type abcdefghijk\nkey RET\n", "Abcdefghij"},
        NameCase{"capitalised again after backspacing to empty",
                 "type ab\nkey BS\nkey BS\ntype cd\nkey RET\n", "Cd"},
        NameCase{"umlauts and sharp s are letters, digits are not",
                 "type \xc3\xb6l1\xc3\x9f\nkey RET\n", "\x94l\xe1"},
        NameCase{"arrow keys are not letters", "type e\nkey LEFT\nkey UP\nkey RET\n", "E"},
        NameCase{"backspace on an empty name does nothing", "key BS\ntype x\nkey RET\n", "X"}),
    RowName());

// Letters typed and taken back with backspace leave nothing behind: not the
// smoothed edge of a letter, not a piece of one reaching under the next.
TEST(NameEntryScreenTest, BackspacedLettersLeaveNoTrace) {
    for (Size window : {Size{1920, 1080}, Size{1280, 1024}, Size{1000, 750}}) {
        RunOptions o;
        o.appDir = MakeTestAppDir("names-bs");
        o.size = window;
        o.script = "dump before\ntype jfyW\nkey BS\nkey BS\nkey BS\nkey BS\ndump after\nkey RET\n";
        RunResult run = RunExercise(o, [&](Trainer& tr) {
            InitGraph(tr.d, 0);
            SetFillStyle(tr.d, 1, 7);
            Bar(tr.d, 0, 0, tr.t.MaxX, 40);
            tr.players.PlayerName1.clear();
            EnterPlayerName(tr, tr.players.PlayerName1, "Name Spieler 1:", 8);
        });
        ASSERT_TRUE(run.returned) << run.error;
        const std::optional<Bitmap> before = ReadPng(run.outDir + "/before.png");
        const std::optional<Bitmap> after = ReadPng(run.outDir + "/after.png");
        ASSERT_TRUE(before && after);
        const Leftover left = Difference(*before, *after, before->Bounds());
        EXPECT_EQ(left.pixels, 0) << window.w << "x" << window.h << ": left over "
                                  << Describe(left.extent);
    }
}

TEST(PlayerNamesTest, ReturnAtOnceGivesTheDefaultsWhichAreClearedAtTheEnd) {
    RunOptions o;
    o.appDir = MakeTestAppDir("defaults");
    o.script = "key RET\nkey RET\n";
    RunResult run = RunExercise(o, [](Trainer& tr) {
        InitGraph(tr.d, 0);
        tr.t.LastKey = '2';
        AskPlayerNames(tr);
        EXPECT_EQ(tr.players.PlayerCount, 2);
        EXPECT_EQ(tr.players.PlayerName1, "Spieler 1");
        EXPECT_EQ(tr.players.PlayerName2, "Spieler 2");
        EXPECT_EQ(tr.t.LastKey, 13);
        ClearDefaultNames(tr);
        EXPECT_EQ(tr.players.PlayerName1, "");
        EXPECT_EQ(tr.players.PlayerName2, "");
    });
    EXPECT_TRUE(run.returned) << run.error;
}

TEST(PlayerNamesTest, EscForPlayerOneSkipsPlayerTwoAndKeepsTypedNames) {
    RunOptions o;
    o.appDir = MakeTestAppDir("esc");
    o.script = "type x\nkey ESC\n";
    RunResult run = RunExercise(o, [](Trainer& tr) {
        InitGraph(tr.d, 0);
        tr.players.PlayerName1 = "Eva";
        tr.players.PlayerName2 = "Tom";
        tr.t.LastKey = '2';
        AskPlayerNames(tr);
        EXPECT_EQ(tr.t.LastKey, 27);
        EXPECT_EQ(tr.players.PlayerCount, 2);
        EXPECT_EQ(tr.players.PlayerName1, "Evax") << "the entry starts with the previous name";
        EXPECT_EQ(tr.players.PlayerName2, "Tom");
        ClearDefaultNames(tr);
        EXPECT_EQ(tr.players.PlayerName1, "Evax");
    });
    EXPECT_TRUE(run.returned) << run.error;
}

TEST(PlayerNamesTest, OnePlayerOnlyGetsAName) {
    test::GraphScreen screen(Size{640, 480});
    Trainer tr(screen.d, AllPrograms());
    InitGraph(screen.d, 0);
    tr.t.LastKey = 13;
    AskPlayerNames(tr);
    EXPECT_EQ(tr.players.PlayerName1, "Spieler 1");
    EXPECT_EQ(tr.players.PlayerCount, 1);
    EXPECT_EQ(tr.t.LastKey, 13);
}

// ---- Repeat list --------------------------------------------------------------

struct RepeatCase {
    const char* what;
    int players;
    int wiederhole;             // OptWiederhole
    std::vector<int> before;    // RepeatList[1..RepeatCount] before
    std::vector<int> mistakes;  // CurrentWordNo of each mistake in one task
    std::vector<int> after;
};

void PrintTo(const RepeatCase& c, std::ostream* os) { *os << c.what; }

class RepeatListTest : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatListTest, MistakesGoOntoTheList) {
    const RepeatCase& c = GetParam();
    HeadlessPlatform platform{HeadlessOptions{}};
    Dos d(platform);
    Trainer tr(d, AllPrograms());
    tr.t.opt.OptWiederhole = c.wiederhole;
    PlayersState& p = tr.players;
    p.PlayerCount = c.players;
    for (int w : c.before) p.RepeatList[static_cast<size_t>(++p.RepeatCount)] = w;
    p.MistakeNoted = false;
    for (int w : c.mistakes) {
        p.CurrentWordNo = w;
        RememberMistake(tr);
    }
    std::vector<int> after(p.RepeatList.begin() + 1, p.RepeatList.begin() + 1 + p.RepeatCount);
    EXPECT_EQ(after, c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RepeatListTest,
    ::testing::Values(
        RepeatCase{"one player, repeating on", 1, 1, {}, {7}, {7}},
        RepeatCase{"two mistakes in one task count once", 1, 1, {4}, {7, 7}, {4, 7}},
        RepeatCase{
            "a full list replaces its fifth entry", 1, 1, {1, 2, 3, 4, 5}, {9}, {1, 2, 3, 4, 9}},
        RepeatCase{"two players never", 2, 1, {}, {7}, {}},
        RepeatCase{"repeating off", 1, 0, {}, {7}, {}}),
    RowName());

TEST(RepeatListUseTest, EverySecondTaskRepeatsTheNewestMistake) {
    PlayersState p;
    p.RepeatList[1] = 4;
    p.RepeatList[2] = 7;
    p.RepeatCount = 2;
    int word = 0;
    std::vector<int> repeated;
    for (int task = 0; task < 6; ++task) {
        if (TakeRepeatedWord(p, word)) repeated.push_back(word);
        else {
            NewWordChosen(p);
            repeated.push_back(0);
        }
    }
    EXPECT_EQ(repeated, (std::vector<int>{0, 7, 0, 4, 0, 0}));
}

TEST(MistakeSoundTest, PlaysUnlessSoundIsOffAndAlwaysRemembers) {
    for (int ton : {0, 1, 2}) {
        HeadlessOptions o;
        o.programPath = std::string(QS_APP_DIR) + "/quendelstrand";
        HeadlessPlatform platform(std::move(o));
        Dos d(platform);
        Trainer tr(d, AllPrograms());
        tr.t.opt.OptTon = ton;
        tr.t.opt.OptWiederhole = 1;
        tr.players.CurrentWordNo = 5;
        MistakeSound(tr);
        EXPECT_EQ(platform.SoundLog().size(), ton < 2 ? 1u : 0u) << "OptTon " << ton;
        EXPECT_EQ(tr.players.RepeatCount, 1) << "OptTon " << ton;
    }
}

// ---- The first line as pieces -------------------------------------------------

TEST(ShowWordPartsTest, PiecesOfTheFirstLineLieSideBySideCentred) {
    test::GraphScreen screen(Size{640, 480});
    Trainer tr(screen.d, AllPrograms());
    InitGraph(screen.d, 0);
    tr.t.opt.GraphFont = 1;
    tr.t.WordList[1] = "be-ent-ver-vor";
    tr.players.TaskCount = 3;
    tr.players.Player1Turn = false;
    ShowWordParts(tr);
    const PlayersState& p = tr.players;
    EXPECT_EQ(p.PartsText, "be/ ent/ ver/ vor");
    ASSERT_EQ(p.PieceSlot, 4);
    EXPECT_EQ(p.TaskCount, 0);
    EXPECT_TRUE(p.Player1Turn);
    const int slash = TextWidth640(screen.d, "/ ");
    const int full = TextWidth640(screen.d, p.PartsText);
    EXPECT_EQ(p.PieceLeft[1], 320 - full / 2);
    const char* parts[] = {"be", "ent", "ver", "vor"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(p.PieceText[i], parts[i - 1]) << "piece " << i;
        if (i < 4) {
            EXPECT_EQ(p.PieceRight[i], p.PieceLeft[i] + TextWidth640(screen.d, parts[i - 1]))
                << "piece " << i;
            EXPECT_EQ(p.PieceLeft[i + 1], p.PieceRight[i] + slash) << "piece " << i;
        }
    }
    EXPECT_EQ(p.PieceRight[4], p.PieceLeft[1] + full);
    EXPECT_EQ(p.PieceLeft[5], 700) << "no piece";
}

}  // namespace
}  // namespace qs::test
