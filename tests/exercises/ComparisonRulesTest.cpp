// The small rules of the word comparison: word pairs, exposure time, step
// waits, the header percentage and the end message.
#include <gtest/gtest.h>

#include "exercises/comparison/Comparison.h"

namespace qs::test {
namespace {

TEST(ComparisonRulesTest, LineSplitsIntoTwoWords) {
    struct Case {
        const char* line;
        const char* a;
        const char* b;
    };
    for (const Case& c : {Case{"Kaffeekanne-Kaffeetasse", "Kaffeekanne", "Kaffeetasse"},
                          Case{"See-Schnee-Klee", "See", "SchneeKlee"}, Case{"Haus", "Haus", ""},
                          Case{"-Maus", "", "Maus"}, Case{"", "", ""}}) {
        const WordPair w = SplitWordPair(c.line);
        EXPECT_EQ(w.a, c.a) << c.line;
        EXPECT_EQ(w.b, c.b) << c.line;
    }
}

TEST(ComparisonRulesTest, ExposureStaysWithinItsLimits) {
    struct Case {
        int exposure;
        char key;
        int result;
    };
    for (const Case& c : {Case{4, '+', 5}, Case{4, '-', 3}, Case{100, '+', 100}, Case{0, '-', 0},
                          Case{99, '+', 100}, Case{1, '-', 0}, Case{4, 'x', 4}}) {
        EXPECT_EQ(ChangedExposure(c.exposure, c.key), c.result) << c.exposure << " " << c.key;
    }
}

TEST(ComparisonRulesTest, StepWaitFollowsTheExposure) {
    struct Case {
        int exposure;
        double ms;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 0.4}, Case{2, 0.7}, Case{3, 0.9}, Case{4, 1},
                          Case{5, 1}, Case{6, 2}, Case{100, 33}}) {
        EXPECT_DOUBLE_EQ(StepDelayMs(c.exposure), c.ms) << c.exposure;
    }
}

TEST(ComparisonRulesTest, PercentOfRightAnswers) {
    EXPECT_EQ(RightPercent(4, 1), 75);
    EXPECT_EQ(RightPercent(3, 1), 66) << "rounded down";
    EXPECT_EQ(RightPercent(1, 1), 0);
    EXPECT_EQ(RightPercent(0, 0), 0);
}

TEST(ComparisonRulesTest, EndMessageNamesTheWinner) {
    struct Case {
        int players;
        int points1;
        int points2;
        const char* name1;
        const char* message;
    };
    for (const Case& c :
         {Case{1, 3, 1, "Spieler 1", "Wann sehen wir uns wieder?"},
          Case{2, 5, 5, "Anna", "Ihr habt beide gewonnen!"},
          Case{2, 9, 5, "Anna", "Anna hat gewonnen."}, Case{2, 4, 5, "Anna", "Ben hat gewonnen."},
          Case{2, 9, 0, "Maximilian", "Maximilian hat gewonnen."},
          Case{2, 9, 0, "Maximilians", "Maximilians hat gewonnen"}}) {
        PlayersState p;
        p.PlayerCount = c.players;
        p.PlayerName1 = c.name1;
        p.PlayerName2 = "Ben";
        EXPECT_EQ(EndMessage(p, c.points1, c.points2), c.message) << c.message;
    }
}

}  // namespace
}  // namespace qs::test
