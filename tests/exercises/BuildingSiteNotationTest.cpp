// The Baustelle lines as the game will read them, and the checker on top.
#include <gtest/gtest.h>

#include <string>

#include "exercises/NotationCases.h"
#include "exercises/buildingsite/Notation.h"

namespace qs::test {
namespace {

TEST(BuildingSiteNotationTest, SplitsALineAtItsGap) {
    struct Row {
        const char* line;
        const char* before;
        const char* brick;
        const char* after;
        bool opened;
        bool closed;
    };
    const Row rows[] = {
        {"der -kalte- Winter", "der ", "kalte", " Winter", true, true},
        {"-Denkmal-schutz", "", "Denkmal", "schutz", true, true},
        {"Im Winter f\x84llt -Schnee-.", "Im Winter f\x84llt ", "Schnee", ".", true, true},
        {"der -kalte Winter", "der ", "kalte Winter", "", true, false},
        {"kein Teil", "kein Teil", "", "", false, false},
        {"a -b- c-d", "a ", "b", " c-d", true, true},
    };
    for (const Row& r : rows) {
        const BuildingSiteLine l = ParseBuildingSiteLine(r.line);
        EXPECT_EQ(l.before, r.before) << r.line;
        EXPECT_EQ(l.brick, r.brick) << r.line;
        EXPECT_EQ(l.after, r.after) << r.line;
        EXPECT_EQ(l.opened, r.opened) << r.line;
        EXPECT_EQ(l.closed, r.closed) << r.line;
    }
    EXPECT_EQ(WallText(ParseBuildingSiteLine("der -kalte- Winter")), "der kalte Winter");
}

const Lines kGood = {"der -kalte- Winter", "-Denkmal-schutz"};

Lines With(const std::string& line) {
    Lines l = kGood;
    l.push_back(line);
    return l;
}

TEST(BuildingSiteNotationTest, FindsEachFaultOfABrokenLine) {
    const BrokenList rows[] = {
        {"no gap", With("der kalte Winter"), 3, "Bindestriche vergessen: kein Teil zum Einsetzen"},
        {"gap not closed", With("der -kalte Winter"), 3, "schlie\341ender Bindestrich vergessen"},
        {"empty gap", With("der -- Winter"), 3, "kein Wortteil zwischen den Bindestrichen"},
        {"blank gap", With("der -  - Winter"), 3, "kein Wortteil zwischen den Bindestrichen"},
        {"two gaps", With("der -kalte- und -nasse- Winter"), 3,
         "mehr als zwei Bindestriche: nur ein Teil pro Zeile"},
        {"31 characters", With("Im Januar ist es sehr -kalt-..."), 3,
         "Zeile l\x84nger als 30 Zeichen"},
        {"a brick the keys cannot type", With("ein -Caf\x82- am Markt"), 3,
         "Zeichen \x82 kann nicht getippt werden"},
        {"too few lines",
         {"der -kalte- Winter", "", "-Eis-berg"},
         1,
         "zu wenige Zeilen: Baustelle braucht mindestens 3"},
    };
    for (const BrokenList& row : rows) ExpectOnlyProblem(CheckBuildingSiteList, row);
}

TEST(BuildingSiteNotationTest, AcceptsGoodLines) {
    ExpectClean(CheckBuildingSiteList, With("Im Januar ist es sehr -kalt-.."), "30 characters");
    ExpectClean(CheckBuildingSiteList, With("Wir -sind 2- Kinder!"), "digits and blanks");
    for (const ShippedList& l : ShippedListsOf("BWT"))
        ExpectClean(CheckBuildingSiteList, l.lines, l.name);
}

}  // namespace
}  // namespace qs::test
