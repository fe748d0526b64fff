// The order in which the games take their words: in order or at random,
// with the repeat list and the position the ordered sequence goes on from.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "exercises/Programs.h"
#include "exercises/common/Players.h"
#include "exercises/common/WordChoice.h"
#include "platform/headless/HeadlessPlatform.h"

namespace qs::test {
namespace {

// Hands out the given draws (0-based) and fails the test on one more, so a
// choice that would draw for ever stops.
RandomSource Draws(std::vector<int> draws) {
    auto next = std::make_shared<size_t>(0);
    return [draws = std::move(draws), next](int n) {
        if (*next >= draws.size()) throw std::runtime_error("drew more often than expected");
        const int v = draws[(*next)++];
        EXPECT_LT(v, n);
        return v;
    };
}

struct Step {
    int line;              // the word NextWord gives
    int current;           // CurrentWordNo afterwards
    bool mistake = false;  // a mistake on it (RememberMistake)
};

struct SequenceCase {
    const char* what;
    WordSequence start;
    int wordCount;
    int currentWordNo;  // before the first word
    std::vector<int> draws;
    std::vector<Step> steps;
};

TEST(WordChoiceTest, SequencesWithRepeatedWords) {
    const SequenceCase cases[] = {
        {"in order a mistake comes back after the next word, then the order goes on",
         {.first = 2, .ordered = true, .position = 1},
         5,
         1,
         {},
         {{2, 2, true}, {3, 3}, {2, 3}, {4, 4}, {5, 5}, {2, 2}}},
        {"in order the newest mistake comes first, every second word",
         {.first = 1, .ordered = true, .position = 0},
         6,
         0,
         {},
         {{1, 1, true}, {2, 2, true}, {2, 2}, {3, 3}, {1, 3}, {4, 4}, {5, 5}}},
        {"at random the current word is drawn again",
         {.first = 2, .ordered = false, .position = 1},
         5,
         1,
         {0, 0, 1, 2},
         {{2, 2}, {3, 3}, {4, 4}}},
        {"at random the word before is avoided too",
         {.first = 2, .ordered = false, .avoidWordBefore = true, .position = 1},
         5,
         1,
         {0, 1, 0, 1, 2},
         {{2, 2}, {3, 3}, {4, 4}}},
        {"at random a repeated word keeps the current one, and the next is drawn",
         {.first = 1, .ordered = false, .position = 0},
         4,
         0,
         {2, 0, 3},
         {{3, 3, true}, {1, 1}, {3, 1}, {4, 4}}},
        {"at random a one-line list gives its line every time",
         {.first = 1, .ordered = false, .position = 0},
         1,
         1,
         {0, 0},
         {{1, 1}, {1, 1}}},
        {"at random with both lines blocked the draw is taken",
         {.first = 2, .ordered = false, .avoidWordBefore = true, .position = 2, .wordBefore = 3},
         3,
         2,
         {0},
         {{2, 2}}},
    };
    for (const SequenceCase& c : cases) {
        HeadlessPlatform platform{HeadlessOptions{}};
        Dos d(platform);
        Trainer tr(d, AllPrograms());
        tr.t.opt.OptWiederhole = 1;
        PlayersState& p = tr.players;
        p.CurrentWordNo = c.currentWordNo;
        WordSequence s = c.start;
        const RandomSource draw = Draws(c.draws);
        int n = 0;
        for (const Step& step : c.steps) {
            const std::string where = std::string(c.what) + ", word " + std::to_string(++n);
            int line = 0;
            ASSERT_NO_THROW(line = NextWord(p, s, c.wordCount, draw)) << where;
            EXPECT_EQ(line, step.line) << where;
            EXPECT_EQ(s.position, step.line) << where;
            EXPECT_EQ(p.CurrentWordNo, step.current) << where;
            EXPECT_FALSE(p.MistakeNoted) << where;
            if (step.mistake) RememberMistake(tr);
        }
    }
}

TEST(WordChoiceTest, StartFollowsTheChosenStartLineOnlyInOrder) {
    const struct {
        int wortwahl;
        int currentLine;
        int first;
        int position;
    } cases[] = {
        {1, 5, 2, 4}, {1, 1, 2, 1}, {1, 1, 3, 2}, {1, 6, 3, 5},
        {1, 1, 1, 0}, {0, 5, 2, 1}, {0, 5, 1, 0},
    };
    for (const auto& c : cases) {
        HeadlessPlatform platform{HeadlessOptions{}};
        Dos d(platform);
        Trainer tr(d, AllPrograms());
        tr.t.opt.OptWortwahl = c.wortwahl;
        tr.t.CurrentLine = c.currentLine;
        const WordSequence s = StartWordSequence(tr, c.first);
        const std::string name = "Wortwahl " + std::to_string(c.wortwahl) + " line " +
                                 std::to_string(c.currentLine) + " first " +
                                 std::to_string(c.first);
        EXPECT_EQ(s.position, c.position) << name;
        EXPECT_EQ(s.ordered, c.wortwahl == 1) << name;
    }
}

}  // namespace
}  // namespace qs::test
