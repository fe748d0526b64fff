// The rules of "Aus 2 mach 1" apart from the screen: which lines a task
// reads, what its cells show, how an answer is judged and what the child
// may type.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "exercises/twointoone/TwoIntoOne.h"

namespace qs::test {
namespace {

TEST(TwoIntoOneRulesTest, TasksReadFourLinesAndWrapToTheStart) {
    struct Row {
        int p, count;
        int next;
        std::array<int, 4> lines;
    };
    const Row rows[] = {
        {0, 6, 1, {0, 1, 2, 3}},  // before the first step
        {1, 6, 2, {1, 2, 3, 4}}, {3, 6, 4, {3, 4, 5, 6}},       {5, 6, 6, {5, 6, 1, 2}},
        {6, 6, 1, {6, 1, 2, 3}}, {300, 300, 1, {300, 1, 2, 3}},
    };
    for (const Row& r : rows) {
        const std::string name = "p " + std::to_string(r.p) + " of " + std::to_string(r.count);
        EXPECT_EQ(NextTaskPosition(r.p, r.count), r.next) << name;
        if (r.p > 0) {
            EXPECT_EQ(TaskLineNumbers(r.p, r.count), r.lines) << name;
        }
    }
}

// Every line of a list is one of the two words of some task, the first
// and the last one too.
TEST(TwoIntoOneRulesTest, EveryLineIsAskedSomewhere) {
    for (const int count : {6, 7, 22, 300}) {
        std::set<int> asked;
        int p = 0;
        for (int step = 0; step < count; ++step) {
            p = NextTaskPosition(p, count);
            const std::array<int, 4> lines = TaskLineNumbers(p, count);
            for (const int l : lines) ASSERT_TRUE(l >= 1 && l <= count) << count;
            asked.insert(lines[1]);
            asked.insert(lines[2]);
        }
        EXPECT_EQ(static_cast<int>(asked.size()), count) << count << " lines";
    }
}

TEST(TwoIntoOneRulesTest, ReadsTheTaskFromBothLineForms) {
    struct Row {
        const char* what;
        std::array<std::string, 4> lines;
        CompoundTask task;
    };
    const Row rows[] = {
        {"joined parts",
         {"Haus-t\x81r", "Apfel-baum", "Schnee-mann", "Bett-decke"},
         {"-t\x81r", "Apfel", "-baum", "Apfelbaum", "Schnee", "-mann", "Schneemann", "Bett",
          false}},
        {"written compounds",
         {"Sonnenschein_Sonne-Schein", "Kaffeetasse_Tasse-Kaffee", "Hundeh\x81tte_Hund-H\x81tte",
          "Mausefalle_Maus-Falle"},
         {"Schein", "Tasse", "Kaffee", "Kaffeetasse", "Hund", "H\x81tte", "Hundeh\x81tte", "Maus",
          true}},
        // The first line's part follows the form of the last line; a written
        // second word is enough to take the mouse away.
        {"mixed forms",
         {"Haus-t\x81r", "Apfel-baum", "Kaffeetasse_Tasse-Kaffee", "Mausefalle_Maus-Falle"},
         {"t\x81r", "Apfel", "-baum", "Apfelbaum", "Tasse", "Kaffee", "Kaffeetasse", "Maus", true}},
        {"lines without a hyphen",
         {"Haus", "Apfel", "", "Bett"},
         {"-", "Apfel", "-", "Apfel", "", "-", "", "Bett", false}},
    };
    for (const Row& r : rows) {
        const CompoundTask t = ReadTask(r.lines);
        const CompoundTask& e = r.task;
        EXPECT_EQ(t.X1, e.X1) << r.what;
        EXPECT_EQ(t.T1, e.T1) << r.what;
        EXPECT_EQ(t.S1, e.S1) << r.what;
        EXPECT_EQ(t.W1, e.W1) << r.what;
        EXPECT_EQ(t.T2, e.T2) << r.what;
        EXPECT_EQ(t.S2, e.S2) << r.what;
        EXPECT_EQ(t.W2, e.W2) << r.what;
        EXPECT_EQ(t.X4, e.X4) << r.what;
        EXPECT_EQ(t.written, e.written) << r.what;
    }
}

// Each arrangement puts the first parts left and the second parts right,
// and never shows a word's two parts side by side in one row.
TEST(TwoIntoOneRulesTest, ArrangementsHideTheWords) {
    CompoundTask t;
    t.X1 = "x1";
    t.T1 = "t1";
    t.S1 = "s1";
    t.T2 = "t2";
    t.S2 = "s2";
    t.X4 = "x4";
    std::set<std::array<std::string, 6>> seen;
    for (int r = 1; r <= 5; ++r) {
        const std::array<std::string, 6> cells = ArrangedCells(t, r);
        seen.insert(cells);
        std::set<std::string> left, right;
        for (size_t row = 0; row < 3; ++row) {
            left.insert(cells[row * 2]);
            right.insert(cells[row * 2 + 1]);
            const std::string pair = cells[row * 2] + cells[row * 2 + 1];
            EXPECT_NE(pair, "t1s1") << "arrangement " << r << " row " << row + 1;
            EXPECT_NE(pair, "t2s2") << "arrangement " << r << " row " << row + 1;
        }
        EXPECT_EQ(left, (std::set<std::string>{"t1", "t2", "x4"})) << "arrangement " << r;
        EXPECT_EQ(right, (std::set<std::string>{"s1", "s2", "x1"})) << "arrangement " << r;
    }
    EXPECT_EQ(seen.size(), 5u) << "five different arrangements";
}

TEST(TwoIntoOneRulesTest, JudgesAnAnswer) {
    CompoundTask t;
    t.W1 = "Kaffeetasse";
    t.W2 = "Hundeh\x81tte";
    t.T1 = "Tasse";
    t.S1 = "Kaffee";
    struct Row {
        const char* what;
        std::string answer;
        std::string accepted;
        AnswerVerdict verdict;
        bool line2;
        std::string missing;  // what help or the solution gives on this line
    };
    const Row rows[] = {
        {"empty", "", "", AnswerVerdict::Empty, false, "Kaffeetasse"},
        {"the first word on line 1", "Kaffeetasse", "", AnswerVerdict::Right, false, "Kaffeetasse"},
        {"the second word on line 1", "Hundeh\x81tte", "", AnswerVerdict::Right, false,
         "Kaffeetasse"},
        {"the other word on line 2", "Hundeh\x81tte", "Kaffeetasse", AnswerVerdict::Right, true,
         "Hundeh\x81tte"},
        {"the first word after the second", "Kaffeetasse", "Hundeh\x81tte", AnswerVerdict::Right,
         true, "Kaffeetasse"},
        {"the word of line 1 again", "Kaffeetasse", "Kaffeetasse", AnswerVerdict::Repeat, true,
         "Hundeh\x81tte"},
        {"a wrong word", "Kaffeekanne", "", AnswerVerdict::Wrong, false, "Kaffeetasse"},
        {"case counts", "kaffeetasse", "", AnswerVerdict::Wrong, false, "Kaffeetasse"},
        {"the written parts joined are not the word", "TasseKaffee", "", AnswerVerdict::Wrong,
         false, "Kaffeetasse"},
        {"a trailing blank", "Kaffeetasse ", "", AnswerVerdict::Wrong, false, "Kaffeetasse"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(JudgeAnswer(r.answer, t, r.accepted), r.verdict) << r.what;
        EXPECT_EQ(MissingCompound(t, r.line2, r.accepted), r.missing) << r.what;
    }
}

TEST(TwoIntoOneRulesTest, KeysTypedIntoAnAnswer) {
    struct Row {
        unsigned char key;
        bool answerEmpty;
        bool typed;
    };
    const Row rows[] = {
        {'A', true, true},   {'z', true, true},  {'5', true, true},    {'-', false, true},
        {'?', false, true},  {0x84, true, true}, {0xe1, false, true},  {0x9a, true, true},
        {' ', true, false},  {' ', false, true}, {0x82, false, false}, {'#', false, false},
        {'+', false, false}, {13, false, false}, {8, false, false},    {0xff, false, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TypedIntoAnswer(r.key, r.answerEmpty), r.typed)
            << "key " << int(r.key) << (r.answerEmpty ? " first" : " later");
}

TEST(TwoIntoOneRulesTest, PicksNeverTheSameTwiceInARow) {
    // A generator that first gives the last pick again, then another one.
    std::vector<int> draws = {4, 4, 4, 7};
    size_t next = 0;
    const auto random = [&](int) { return draws[next++]; };
    EXPECT_EQ(PickDifferent(random, 12, 5), 8);
    EXPECT_EQ(next, 4u) << "drawn again while it was the last one";
    next = 0;
    draws = {0};
    EXPECT_EQ(PickDifferent(random, 1, 1), 1) << "a single choice does not loop for ever";
}

}  // namespace
}  // namespace qs::test
