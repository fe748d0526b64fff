// The jaws game's pure rules: how a word line splits into stem, last
// syllable, article and endings, which lines can be asked, when an answer
// is right, the help letter, the brushing and the end of the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exercises/teeth/Teeth.h"

namespace qs::test {
namespace {

using Parts = std::vector<std::string>;

struct ParseRow {
    const char* what;
    std::string line;
    std::string stem;
    size_t articleLength;
    std::string lastSyllable;
    Parts endings;
    std::string longest;
    bool playable;
};

TEST(TeethRulesTest, LinesSplitIntoStemLastSyllableAndEndings) {
    const ParseRow rows[] = {
        {"one ending", "Haus_t\x81r", "Haus", 0, "", {"t\x81r"}, "t\x81r", true},
        {"syllables and two endings",
         "ab-bei_\341en_zen",
         "ab-bei",
         0,
         "bei",
         {"\341en", "zen"},
         "\341en",
         true},
        {"the first of the longest",
         "Frei_heit_tum_ung",
         "Frei",
         0,
         "",
         {"heit", "tum", "ung"},
         "heit",
         true},
        {"an article ends at its blank",
         "die Ab-fahrt_en",
         "die Ab-fahrt",
         4,
         "fahrt",
         {"en"},
         "en",
         true},
        {"a hyphen behind the first _ belongs to the ending",
         "Wasch_ma-schine",
         "Wasch",
         0,
         "",
         {"ma-schine"},
         "ma-schine",
         false},
        {"no _: no endings", "Haus", "Haus", 0, "", {}, "", false},
        {"a trailing _ gives an empty last ending",
         "Haus_t\x81r_",
         "Haus",
         0,
         "",
         {"t\x81r", ""},
         "t\x81r",
         true},
        {"doubled _ gives an empty ending",
         "Haus__t\x81r",
         "Haus",
         0,
         "",
         {"", "t\x81r"},
         "t\x81r",
         true},
        {"only empty endings", "Haus__", "Haus", 0, "", {"", ""}, "", false},
        {"a capital umlaut cannot be typed",
         "Haus_\232ber",
         "Haus",
         0,
         "",
         {"\232ber"},
         "\232ber",
         false},
        {"a dash at the stem's end leaves no last syllable",
         "Frei-_heit",
         "Frei-",
         0,
         "",
         {"heit"},
         "heit",
         true},
        {"no stem", "_heit", "", 0, "", {"heit"}, "heit", true},
        {"the stem keeps 50 characters",
         std::string(60, 'a') + "_en",
         std::string(50, 'a'),
         0,
         "",
         {"en"},
         "en",
         true},
        {"an ending keeps 30 characters",
         "Haus_" + std::string(40, 'e'),
         "Haus",
         0,
         "",
         {std::string(30, 'e')},
         std::string(30, 'e'),
         true},
        {"ten endings at most",
         "a_1_2_3_4_5_6_7_8_9_10_11_12",
         "a",
         0,
         "",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         "10",
         false},
    };
    for (const ParseRow& row : rows) {
        const TeethWord w = ParseTeethLine(row.line);
        EXPECT_EQ(w.stem, row.stem) << row.what;
        EXPECT_EQ(w.articleLength, row.articleLength) << row.what;
        EXPECT_EQ(w.lastSyllable, row.lastSyllable) << row.what;
        EXPECT_EQ(w.endings, row.endings) << row.what;
        EXPECT_EQ(w.longest, row.longest) << row.what;
        EXPECT_EQ(TeethLinePlayable(w), row.playable) << row.what;
    }
}

TEST(TeethRulesTest, AnswersAndHelp) {
    const Parts endings = {"\341en", "zen"};
    EXPECT_TRUE(IsRightEnding(endings, "zen"));
    EXPECT_TRUE(IsRightEnding(endings, "\341en"));
    EXPECT_FALSE(IsRightEnding(endings, "ze")) << "a beginning is not enough";
    EXPECT_FALSE(IsRightEnding(endings, "Zen")) << "the case counts";
    EXPECT_FALSE(IsRightEnding({"", "en"}, "")) << "an empty ending is never answered";
    EXPECT_EQ(TeethHelpLetter(endings), '\341');
    EXPECT_EQ(TeethHelpLetter({}), 0);
    EXPECT_EQ(TeethHelpLetter({"", "en"}), 0);
}

TEST(TeethRulesTest, BrushingAfterEveryFifthWord) {
    const int due[] = {5, 10, 15, 20};
    const int notDue[] = {0, 1, 4, 6, 9, 11};
    for (int n : due) EXPECT_TRUE(BrushingDue(n)) << n;
    for (int n : notDue) EXPECT_FALSE(BrushingDue(n)) << n;
}

TEST(TeethRulesTest, TheEndOfTheGame) {
    struct Row {
        const char* what;
        bool esc;
        int taskCount;
        int players;
        int turtleX;
        bool player1Turn;
        bool over;
    };
    const Row rows[] = {
        {"ESC after three words", true, 3, 1, 84, true, true},
        {"ESC after two words ends silently", true, 2, 1, 56, true, false},
        {"one player, turtle at 580", false, 20, 1, 580, true, false},
        {"one player, turtle past 580", false, 21, 1, 588, true, true},
        {"two players past 560, player 2 still to play", false, 11, 2, 588, false, false},
        {"two players past 560, round complete", false, 11, 2, 592, true, true},
        {"two players at 560", false, 10, 2, 560, true, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TeethGameOver(r.esc, r.taskCount, r.players, r.turtleX, r.player1Turn), r.over)
            << r.what;
}

TEST(TeethRulesTest, EndMessages) {
    PlayersState p;
    p.PlayerCount = 1;
    EXPECT_EQ(TeethEndMessage(p, 0, true), "Okay, das reicht dir.");
    EXPECT_EQ(TeethEndMessage(p, 0, false), "Weiter kann ich nicht.");
    p.PlayerCount = 2;
    p.PlayerName1 = "Anna";
    p.PlayerName2 = "Ben";
    p.TaskCount = 9;
    EXPECT_EQ(TeethEndMessage(p, 8, false), "Anna hat das Spiel gewonnen.");
    EXPECT_EQ(TeethEndMessage(p, 10, true), "Ben hat das Spiel gewonnen.");
    EXPECT_EQ(TeethEndMessage(p, 9, false), "Beide Spieler haben gewonnen.");
}

}  // namespace
}  // namespace qs::test
