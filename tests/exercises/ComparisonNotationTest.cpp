// The Wortvergleich checker on broken lists, the problems every kind of list
// shares, the shipped lists, and its agreement with the game's own split.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "exercises/NotationCases.h"
#include "exercises/comparison/Notation.h"

namespace qs::test {
namespace {

TEST(ComparisonNotationTest, FindsEachFaultOfABrokenLine) {
    const BrokenList rows[] = {
        {"no hyphen", {"Hase-Hose", "Hund"}, 2, "Bindestrich vergessen"},
        {"the game drops further hyphens", {"See-Schnee-Klee"}, 1, "mehr als ein Bindestrich"},
        {"no first word", {"-Maus"}, 1, "erstes Wort fehlt"},
        {"no second word", {"Haus-"}, 1, "zweites Wort fehlt"},
        {"16 letters", {"Donaudampfschiff-Dampfschiff"}, 1, "Wort l\x84nger als 15 Buchstaben"},
        {"equal words make j wrong", {"Hund-Hund"}, 1, "beide W\x94rter sind gleich"},
        {"line numbers count blank lines",
         {"Hase-Hose", "", "   ", "Hund"},
         4,
         "Bindestrich vergessen"},
        {"a control character", {"Hund-M\x01und"}, 1, "Steuerzeichen in der Zeile"},
        {"nothing but blank lines", {"", "  "}, 1, "Liste ohne W\x94rter"},
    };
    for (const BrokenList& row : rows) ExpectOnlyProblem(CheckComparisonList, row);
}

TEST(ComparisonNotationTest, AcceptsGoodLines) {
    for (const char* line : {"Kaffeekanne-Kaffeetasse", "Donaudampfschif-Dampfschiff",
                             "der Hund-die Hunde", "F\x81ller-F\x81hler"})
        ExpectClean(CheckComparisonList, {line}, line);
}

TEST(ComparisonNotationTest, ListBoundsHoldForEveryKind) {
    Lines full(300, "Hase-Hose");
    ExpectClean(CheckComparisonList, full, "300 lines");
    full.push_back("Maus-Haus");
    ExpectOnlyProblem(CheckComparisonList,
                      {"301 lines", full, 301, "Liste hat mehr als 300 Zeilen"});

    const std::string longLine = std::string(40, 'a') + "-" + std::string(40, 'b');
    const NotationProblems got = CheckComparisonList(Lines{longLine});
    ASSERT_EQ(got.size(), 2u) << Listed(got);
    EXPECT_EQ(got[0].message, "Zeile l\x84nger als 78 Zeichen");
    EXPECT_EQ(got[1].message, "Wort l\x84nger als 15 Buchstaben");
}

TEST(ComparisonNotationTest, SurvivesAnyBytes) {
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    const Lines lists[] = {{std::string(1 << 20, 'x')}, {binary}, {std::string(5, '\0')}};
    for (const Lines& l : lists) EXPECT_FALSE(CheckComparisonList(l).empty());
}

TEST(ComparisonNotationTest, ShippedListsPass) {
    const auto lists = ShippedListsOf("WWT");
    ASSERT_FALSE(lists.empty());
    for (const ShippedList& l : lists) ExpectClean(CheckComparisonList, l.lines, l.name);
}

// A line the checker lets through is one the game plays as written: two
// different words, nothing of the line dropped.
TEST(ComparisonNotationTest, TheGameSplitsEveryAcceptedLineIntoItsTwoWords) {
    Lines candidates = {"Hund",       "See-Schnee-Klee", "-Maus", "Haus-",
                        "Hund-Hund",  "Hund--Mund",      "a-b",   "der Hund-die Hunde",
                        "Haus -Maus", "Hund-Mund-",      "--"};
    for (const ShippedList& l : ShippedListsOf("WWT"))
        candidates.insert(candidates.end(), l.lines.begin(), l.lines.end());
    for (const std::string& line : candidates) {
        if (!CheckComparisonList(Lines{line}).empty()) continue;
        const WordPair w = SplitWordPair(line);
        EXPECT_EQ(w.a + "-" + w.b, line) << line;
        EXPECT_FALSE(w.a.empty() || w.b.empty()) << line;
        EXPECT_NE(w.a, w.b) << line;
        EXPECT_LE(std::max(w.a.size(), w.b.size()), kComparisonWordMax) << line;
    }
}

}  // namespace
}  // namespace qs::test
