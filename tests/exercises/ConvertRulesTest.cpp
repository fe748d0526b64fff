// The rules of Umwandeln and Reparieren apart from drawing: the task of a
// line in each direction, the hidden letters, the help, the protocol, the
// text size and the choice of the next line.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "exercises/convert/Convert.h"

namespace qs::test {
namespace {

PlaceholderRule Rule(const char* line2) { return ReadPlaceholder(line2); }

TEST(ConvertRulesTest, ConvertTaskInBothDirections) {
    const ConvertLine baker = *SplitConvertLine(
        "der B\x84"
        "cker-backen");
    const TaskText forward = ConvertTask(baker, 1);
    EXPECT_EQ(forward.task,
              "der B\x84"
              "cker");
    EXPECT_EQ(forward.article, "");
    EXPECT_EQ(forward.word, "backen");
    const TaskText back = ConvertTask(baker, 2);
    EXPECT_EQ(back.task, "backen");
    EXPECT_EQ(back.article, "der ");
    EXPECT_EQ(back.word,
              "B\x84"
              "cker");
    EXPECT_EQ(ArticleMessage(back.article), "Bitte erst den Artikel eingeben!");
    EXPECT_EQ(ArticleMessage(forward.article), "");
    EXPECT_EQ(ArticleMessage("ein "), "Erst \" ein \" eingeben.");
}

TEST(ConvertRulesTest, RepairTaskHidesTheGroups) {
    struct Case {
        const char* line1;
        const char* line2;
        const char* line;
        const char* task;
        const char* article;
        const char* word;
    };
    for (const Case& c : {
             Case{"Aus -a -e -ie", "wird -x", "Liebe", "Lxxbx", "", "Liebe"},
             Case{"Aus -a -e -ie", "wird -x", "die Liebe", "Lxxbx", "die ", "Liebe"},
             Case{"Aus -ie -ei -i", "wird -?", "das Bein", "B??n", "das ", "Bein"},
             Case{"Aus -ie -ei -i", "wird -?", "der Brief", "Br??f", "der ", "Brief"},
             Case{"Aus -ie -ei -i", "wird -?", "das Kind", "K?nd", "das ", "Kind"},
             // A pair needs both its letters; at the end only one is left.
             Case{"Aus -ie", "wird -x", "Kiwi", "Kiwi", "", "Kiwi"},
             // The first group that fits wins.
             Case{"Aus -i -ie", "wird -x", "Biene", "Bxene", "", "Biene"},
             Case{"Aus -e", "wird -x", "die ", "dix ", "", "die "},
         }) {
        const TaskText t =
            RepairTask(c.line, LetterGroups(c.line1), Rule(c.line2), [](int) { return 0; });
        EXPECT_EQ(t.task, c.task) << c.line;
        EXPECT_EQ(t.article, c.article) << c.line;
        EXPECT_EQ(t.word, c.word) << c.line;
    }
    const TaskText longWord =
        RepairTask(std::string(40, 'b'), {}, Rule("wird -x"), [](int) { return 0; });
    EXPECT_EQ(longWord.word.size(), kMaxRepairAnswer);
}

// Both ways, each placeholder letter of the word shows the letters of a
// group drawn at random, and the groups are hidden as before.
TEST(ConvertRulesTest, BothWaysShowsRandomGroupsForThePlaceholder) {
    const std::vector<std::string> groups = LetterGroups("Aus -a -e -ie");
    std::vector<int> draws = {2, 0};
    size_t next = 0;
    std::vector<int> asked;
    const TaskText t = RepairTask("Taxi-Box", groups, Rule("wird _x"), [&](int n) {
        asked.push_back(n);
        return draws[next++ % draws.size()];
    });
    EXPECT_EQ(t.task, "Txiei-Boa");
    EXPECT_EQ(t.word, "Taxi-Box");
    EXPECT_EQ(asked, (std::vector<int>{3, 3})) << "one draw among all groups per placeholder";
    const TaskText noGroups = RepairTask("Taxi", {}, Rule("wird _x"), [](int) { return 0; });
    EXPECT_EQ(noGroups.task, "Taxi") << "without groups the letter stays";
}

TEST(ConvertRulesTest, DirectionCyclesAndNamesItself) {
    EXPECT_EQ(NextDirection(1), 2);
    EXPECT_EQ(NextDirection(2), 3);
    EXPECT_EQ(NextDirection(3), 1);
    EXPECT_STREQ(DirectionText(1), "Umwandeln laut Anweisung");
    EXPECT_STREQ(DirectionText(2), "Umgekehrt umwandeln");
    EXPECT_STREQ(DirectionText(3), "Umwandlung nach Zufall");
    EXPECT_TRUE(ReversibleRule("!Bilde die Mehrzahl."));
    EXPECT_FALSE(ReversibleRule("Bilde das Verb."));
    EXPECT_EQ(ShownRule("!Bilde die Mehrzahl."), "Bilde die Mehrzahl.");
}

TEST(ConvertRulesTest, HelpProtocolAndVerdict) {
    EXPECT_EQ(HintFor("backen", ""), "b");
    EXPECT_EQ(HintFor("backen", "bak"), "back");
    EXPECT_EQ(HintFor("backen", "backen"), "backen");
    EXPECT_EQ(ProtocolOfLetter("backen", 1, 'a'), "a");
    EXPECT_EQ(ProtocolOfLetter("backen", 1, 'e'), "(e)");
    EXPECT_EQ(ProtocolOfLetter("backen", 6, 'n'), "(n)");
    EXPECT_EQ(ProtocolResult("der B\x84"
                             "cker-backen",
                             "backen", "backen"),
              "der B\x84"
              "cker-backen=");
    EXPECT_EQ(ProtocolResult("der B\x84"
                             "cker-backen",
                             "ba(x)>cken", "backen"),
              "der B\x84"
              "cker-backen/ba(x)>cken");
    EXPECT_EQ(Verdict(5, 5), "Wacker! Wacker!");
    EXPECT_EQ(Verdict(4, 5), "So isses !");
}

TEST(ConvertRulesTest, TextSizeShrinksUntilTheWordFits) {
    EXPECT_EQ(FittingTextSize([](int size) { return 50 * size; }), 9);
    EXPECT_EQ(FittingTextSize([](int size) { return 70 * size; }), 8);
    EXPECT_EQ(FittingTextSize([](int) { return 5000; }), 1) << "never below 1";
    struct Case {
        int size, task, typing, cursor;
    };
    for (const Case& c : {Case{9, 76, 255, 320}, Case{8, 88, 268, 310}, Case{7, 96, 276, 310},
                          Case{6, 96, 276, 310}, Case{5, 102, 280, 310}, Case{1, 102, 280, 310}}) {
        EXPECT_EQ(TaskY(c.size), c.task) << c.size;
        EXPECT_EQ(TypingY(c.size), c.typing) << c.size;
        EXPECT_EQ(CursorY(c.size), c.cursor) << c.size;
    }
}

TEST(ConvertRulesTest, FacesOfThePlayers) {
    EXPECT_EQ(FaceNumber(true, Mood::Neutral), 1);
    EXPECT_EQ(FaceNumber(true, Mood::Pleased), 2);
    EXPECT_EQ(FaceNumber(false, Mood::Neutral), 3);
    EXPECT_EQ(FaceNumber(false, Mood::Pleased), 4);
    EXPECT_EQ(FaceNumber(false, Mood::Sad), 5);
    EXPECT_EQ(FaceNumber(true, Mood::Sad), 6);
}

// At random a line never comes twice in a row and the two rule lines never
// come; a line the game cannot play is passed over without breaking that.
TEST(ConvertRulesTest, RandomLinesNeverRepeatAndSkipTheRules) {
    struct Case {
        const char* what;
        int wordCount;
        std::set<int> unusable;
    };
    const Case cases[] = {
        {"three word lines", 5, {}},
        {"many lines", 30, {}},
        {"unusable lines among them", 8, {4, 6}},
    };
    for (const Case& c : cases) {
        PlayersState p;
        WordSequence s;
        s.first = kFirstTaskLine;
        s.position = kFirstTaskLine - 1;
        std::mt19937 random(11);
        auto draw = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        int last = 0;
        std::set<int> seen;
        for (int task = 0; task < 300; ++task) {
            const int line = ChooseTaskLine(p, s, c.wordCount, draw,
                                            [&](int l) { return c.unusable.count(l) == 0; });
            ASSERT_GE(line, kFirstTaskLine) << c.what;
            ASSERT_LE(line, c.wordCount) << c.what;
            ASSERT_NE(line, last) << c.what << ", task " << task;
            ASSERT_EQ(c.unusable.count(line), 0u) << c.what;
            seen.insert(line);
            last = line;
        }
        EXPECT_EQ(static_cast<int>(seen.size() + c.unusable.size()), c.wordCount - 2) << c.what;
    }
}

TEST(ConvertRulesTest, OrderedLinesPassOverUnusableOnesAndWrap) {
    PlayersState p;
    WordSequence s;
    s.first = kFirstTaskLine;
    s.ordered = true;
    s.position = 4;
    std::vector<int> lines;
    for (int i = 0; i < 5; ++i)
        lines.push_back(ChooseTaskLine(
            p, s, 7, [](int) { return 0; }, [](int l) { return l != 6; }));
    EXPECT_EQ(lines, (std::vector<int>{5, 7, 3, 4, 5}));
    PlayersState none;
    WordSequence empty;
    empty.first = kFirstTaskLine;
    EXPECT_EQ(ChooseTaskLine(
                  none, empty, 5, [](int) { return 0; }, [](int) { return false; }),
              0)
        << "no usable line: no endless search";
}

}  // namespace
}  // namespace qs::test
