// The rules of "Silben ordnen" and "Zerlegen" apart from the screen: how a
// line splits into article and syllables, the scrambled orders, how RETURN
// judges a typed answer, which gap the pointer points at, which keys are
// typed or refused, the protocol line, and the checker of the lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>

#include "exercises/syllables/Notation.h"
#include "exercises/syllables/Syllables.h"
#include "platform/host/PosixFileSystem.h"
#include "screen/TextFile.h"

namespace qs::test {
namespace {

using Strings = std::vector<std::string>;

TEST(SyllablesRulesTest, LinesSplitIntoArticleAndSyllables) {
    struct Row {
        const char* name;
        std::string line;
        std::string article;
        Strings syllables;
        std::string splitTarget;
    };
    const Row rows[] = {
        {"article", "der Gar-ten", "der ", {"Gar", "ten"}, "Gar-ten"},
        {"no article", "Blu-men-topf", "", {"Blu", "men", "topf"}, "Blu-men-topf"},
        {"no hyphen", "Hund", "", {"Hund"}, "Hund"},
        {"blank at 7 stays", "abcdef g-h", "", {"abcdef g", "h"}, "abcdef g-h"},
        {"blank at 6 ends the article", "abcde f-g", "abcde ", {"f", "g"}, "f-g"},
        {"two blanks early", "ab c d-e", "ab c ", {"d", "e"}, "d-e"},
        {"blank after a hyphen stays", "a-b c", "", {"a", "b c"}, "a-b c"},
        {"doubled hyphen", "Gar--ten", "", {"Gar", "ten"}, "Gar-ten"},
        {"hyphens at the ends", "-Gar-ten-", "", {"Gar", "ten"}, "Gar-ten"},
        {"umlauts",
         "die Sch\x81-ler-\x84\x94\xe1",
         "die ",
         {"Sch\x81", "ler", "\x84\x94\xe1"},
         "Sch\x81-ler-\x84\x94\xe1"},
        {"only blanks", "      ", "      ", {}, ""},
        {"long word after an article is cut",
         "der " + std::string(20, 'a') + "-" + std::string(20, 'b'),
         "der ",
         {std::string(20, 'a'), std::string(20, 'b')},
         std::string(20, 'a') + "-" + std::string(6, 'b')},
    };
    for (const Row& row : rows) {
        const SyllableLine s = SplitSyllableLine(row.line);
        EXPECT_EQ(s.article, row.article) << row.name;
        EXPECT_EQ(s.syllables, row.syllables) << row.name;
        EXPECT_EQ(SplitTarget(s), row.splitTarget) << row.name;
        EXPECT_EQ(PlayableSyllableLine(s), row.syllables.size() >= 2) << row.name;
    }
}

TEST(SyllablesRulesTest, AtMostSixteenSyllablesAreTaken) {
    std::string line = "a";
    for (char c = 'b'; c <= 'r'; ++c) line += std::string("-") + c;  // 18 syllables
    const SyllableLine s = SplitSyllableLine(line);
    ASSERT_EQ(s.syllables.size(), 16u);
    EXPECT_EQ(s.syllables.back(), "p");
    EXPECT_EQ(JoinedSyllables(s), "abcdefghijklmnop");
}

TEST(SyllablesRulesTest, EveryScrambledOrderIsAPermutationThatMixesTheWord) {
    for (int count = 2; count <= 16; ++count) {
        std::vector<int> plain(static_cast<size_t>(count));
        std::iota(plain.begin(), plain.end(), 1);
        for (int r = 1; r <= count; ++r) {
            std::vector<int> order = ScrambleOrder(count, r);
            ASSERT_EQ(order.size(), plain.size()) << count << " syllables, r " << r;
            EXPECT_NE(order, plain) << count << " syllables, r " << r << " stands solved";
            std::sort(order.begin(), order.end());
            EXPECT_EQ(order, plain) << count << " syllables, r " << r;
        }
    }
}

TEST(SyllablesRulesTest, ScrambledOrdersFollowTheTable) {
    struct Row {
        int count;
        int r;
        std::vector<int> order;
    };
    const Row rows[] = {
        {2, 1, {2, 1}},
        {2, 2, {2, 1}},
        {3, 2, {3, 1, 2}},
        {5, 5, {3, 2, 1, 5, 4}},
        {6, 6, {2, 1, 5, 4, 6, 3}},
        {7, 4, {2, 4, 1, 7, 3, 6, 5}},
        {7, 5, {6, 4, 5, 7, 3, 2, 1}},
        {12, 12, {10, 9, 8, 12, 5, 4, 1, 3, 7, 11, 6, 2}},
        {16, 1, {10, 4, 1, 14, 9, 2, 6, 11, 3, 5, 8, 7, 12, 15, 13, 16}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ScrambleOrder(row.count, row.r), row.order) << row.count << "/" << row.r;
}

TEST(SyllablesRulesTest, ReturnJudgesTheTypedAnswer) {
    struct Row {
        const char* answer;
        const char* target;
        ReturnVerdict verdict;
        size_t matching;
    };
    const Row rows[] = {
        {"Garten", "Garten", ReturnVerdict::Done, 6},
        {"Gar", "Garten", ReturnVerdict::TypeNext, 3},
        {"Hus", "Garten", ReturnVerdict::Restart, 0},
        {"Gaxten", "Garten", ReturnVerdict::Wrong, 2},
        {"Gartenx", "Garten", ReturnVerdict::Wrong, 6},
        {"Gar-ten", "Gar-ten", ReturnVerdict::Done, 7},
    };
    for (const Row& row : rows) {
        const ReturnJudgement j = JudgeReturn(row.answer, row.target);
        EXPECT_EQ(j.verdict, row.verdict) << row.answer;
        EXPECT_EQ(j.matching, row.matching) << row.answer;
    }
}

TEST(SyllablesRulesTest, ThePointerPicksTheGapInReach) {
    // Gaps after characters 1..4 of a four-letter word.
    const std::vector<int> gaps{0, 40, 60, 80, 100};
    struct Row {
        const char* name;
        int lastSplit;
        int x;
        int candidate;
        int expected;
    };
    const Row rows[] = {
        {"on a gap", 0, 41, 0, 1},
        {"between two gaps the right one wins", 0, 55, 0, 2},
        {"nothing in reach keeps the candidate", 0, 10, 3, 3},
        {"right of the word end", 0, 290, 0, 4},
        {"too far right", 0, 300, 2, 2},
        {"left of the last split is ignored", 2, 41, 3, 3},
        {"the last split itself is ignored", 2, 61, 3, 3},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GapCandidate(gaps, row.lastSplit, row.x, row.candidate), row.expected)
            << row.name;
}

TEST(SyllablesRulesTest, KeysAreTypedOrRefused) {
    for (char c : std::string("aZ\x84\x94\x81\x8e\x99\x9a\xe1 09,-./!?"))
        EXPECT_TRUE(TypableKey(c)) << c;
    for (char c : std::string("\x01\x1b+*#\xff")) EXPECT_FALSE(TypableKey(c)) << int{c};
    struct Row {
        size_t pos;
        char key;
        bool refused;
    };
    const std::string target = "Gar-ten";
    const Row rows[] = {{3, '-', false},   {2, '-', true},  {3, 'x', true},
                        {3, '\x84', true}, {4, 't', false}, {7, '-', true}};
    for (const Row& row : rows)
        EXPECT_EQ(SplitKeyRefused(target, row.pos, row.key), row.refused)
            << row.pos << " " << row.key;
}

TEST(SyllablesRulesTest, ProtocolLineAndWinner) {
    EXPECT_EQ(SyllableProtocolLine("der Gar-ten", "Gar-ten", "Gar-ten"), "der Gar-ten=");
    EXPECT_EQ(SyllableProtocolLine("der Gar-ten", "(G)>", "Gar-ten"), "der Gar-ten/(G)>");
    PlayersState p;
    p.PlayerName1 = "Anna";
    p.PlayerName2 = "Ben";
    EXPECT_EQ(SyllableWinnerText(p, 3, 2), "Anna hat gewonnen!");
    EXPECT_EQ(SyllableWinnerText(p, 1, 2), "Ben hat gewonnen!");
    EXPECT_EQ(SyllableWinnerText(p, 2, 2), "Beide Spieler haben gewonnen!");
}

// ---- The checker --------------------------------------------------------------------------

Strings Messages(const NotationProblems& problems) {
    Strings out;
    for (const NotationProblem& p : problems) out.push_back(ProblemText(p));
    return out;
}

TEST(SyllablesRulesTest, TheCheckerFindsEachBrokenLine) {
    struct Row {
        std::string line;
        Strings messages;  // for a list of the line and two good ones
    };
    const Row rows[] = {
        {"Hund", {"Zeile 1: Bindestrich vergessen"}},
        {"der Hund", {"Zeile 1: Bindestrich vergessen"}},
        {"Gar--ten", {"Zeile 1: doppelter Bindestrich"}},
        {"-Gar-ten", {"Zeile 1: Bindestrich am Anfang"}},
        {"Gar-ten-", {"Zeile 1: Bindestrich am Ende"}},
        {"Gar-", {"Zeile 1: Bindestrich am Ende", "Zeile 1: weniger als 2 Silben"}},
        {"Gar\tten-x", {"Zeile 1: Steuerzeichen in der Zeile"}},
        {"a-b-c-d-e-f-g-h-i-j-k-l-m-n-o-p-q", {"Zeile 1: mehr als 16 Silben"}},
        {std::string(20, 'a') + "-" + std::string(11, 'b'),
         {"Zeile 1: Wort l\x84nger als 30 Buchstaben"}},
        {"der " + std::string(14, 'a') + "-" + std::string(14, 'b'),
         {"Zeile 1: nach dem Artikel h\224chstens 27 Zeichen"}},
    };
    for (const Row& row : rows) {
        const Strings lines{row.line, "Gar-ten", "die Bir-ne"};
        EXPECT_EQ(Messages(CheckSyllableList(lines)), row.messages) << row.line;
    }
}

TEST(SyllablesRulesTest, TheCheckerWantsThreeWords) {
    EXPECT_EQ(Messages(CheckSyllableList(Strings{})),
              Strings{"Zeile 1: mindestens 3 W\x94rter n\x94tig"});
    EXPECT_EQ(Messages(CheckSyllableList(Strings{"Gar-ten", "", "   ", "Ap-fel"})),
              Strings{"Zeile 1: mindestens 3 W\x94rter n\x94tig"})
        << "blank lines are no words";
    EXPECT_TRUE(CheckSyllableList(Strings{"Gar-ten", "", "Ap-fel", "Bir-ne"}).empty());
}

// Every shipped list passes the checker, and every line the checker lets
// pass is one the game plays as written.
TEST(SyllablesRulesTest, ShippedListsPassAndPlayAsWritten) {
    const std::string dir = std::string(QS_SOURCE_DIR) + "/data/LS1DAT/";
    PosixFileSystem files(dir + "quendelstrand");
    int lists = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".OWT") continue;
        ++lists;
        Strings lines;
        TextFile f(files);
        f.Assign(entry.path().string());
        f.Reset();
        while (!f.Eof()) {
            std::string line;
            ReadLnFromFile(f, line);
            lines.push_back(line);
        }
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(Messages(CheckSyllableList(lines)), Strings{}) << name;
        lines.insert(lines.end(), {"der Gar-ten", "Ma-ma", "a-b-c-d-e-f-g-h-i-j-k-l-m-n-o-p",
                                   "abcdef g-h", "die Sch\x81-ler-\x84\x94\xe1"});
        for (const std::string& line : lines) {
            if (line.empty() || !CheckSyllableList(Strings{line, "a-b", "c-d"}).empty()) continue;
            const SyllableLine s = SplitSyllableLine(line);
            EXPECT_TRUE(PlayableSyllableLine(s)) << name << ": " << line;
            EXPECT_EQ(s.article + SplitTarget(s), line) << name << ": " << line;
        }
    }
    EXPECT_GE(lists, 1);
}

}  // namespace
}  // namespace qs::test
