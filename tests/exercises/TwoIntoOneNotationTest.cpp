// The Aus 2 mach 1 lines as the game reads them, and the checker on top.
#include <gtest/gtest.h>

#include <string>

#include "exercises/NotationCases.h"
#include "exercises/twointoone/Notation.h"

namespace qs::test {
namespace {

TEST(TwoIntoOneNotationTest, SplitsALineIntoCompoundAndParts) {
    struct Row {
        const char* line;
        const char* compound;
        const char* first;
        const char* second;
        bool written;
    };
    const Row rows[] = {
        {"Kaffee-tasse", "Kaffeetasse", "Kaffee", "tasse", false},
        {"Kaffeetasse_Tasse-Kaffee", "Kaffeetasse", "Tasse", "Kaffee", true},
        {"Hundeh\x81tte_Hund-H\x81tte", "Hundeh\x81tte", "Hund", "H\x81tte", true},
        // The split is at the last hyphen.
        {"Kaffee-tas-se", "Kaffee-tasse", "Kaffee-tas", "se", false},
        {"Haustuer", "Haustuer", "Haustuer", "", false},
    };
    for (const Row& r : rows) {
        const CompoundLine l = ParseCompoundLine(r.line);
        EXPECT_EQ(l.compound, r.compound) << r.line;
        EXPECT_EQ(l.first, r.first) << r.line;
        EXPECT_EQ(l.second, r.second) << r.line;
        EXPECT_EQ(l.written, r.written) << r.line;
    }
    EXPECT_EQ(ShownSecondPart(ParseCompoundLine("Kaffee-tasse"), false), "-tasse");
    EXPECT_EQ(ShownSecondPart(ParseCompoundLine("Kaffeetasse_Tasse-Kaffee"), true), "Kaffee");
}

const Lines kJoined = {"Haus-t\x81r", "Apfel-baum", "Schnee-mann", "Zahn-b\x81rste", "Mond-licht"};
const Lines kWritten = {"Sonnenschein_Sonne-Schein", "Hundeh\x81tte_Hund-H\x81tte",
                        "Mausefalle_Maus-Falle", "Liebesbrief_Liebe-Brief",
                        "Blumentopf_Blume-Topf"};

Lines With(const Lines& base, const std::string& line) {
    Lines l = base;
    l.push_back(line);
    return l;
}

TEST(TwoIntoOneNotationTest, FindsEachFaultOfABrokenLine) {
    const BrokenList rows[] = {
        {"no hyphen", With(kJoined, "Haustuer"), 6, "Bindestrich vergessen"},
        {"two hyphens", With(kJoined, "Kaffee-tas-se"), 6, "mehr als ein Bindestrich"},
        {"no first part", With(kJoined, "-tasse"), 6, "erster Wortteil fehlt"},
        {"no second part", With(kJoined, "Kaffee-"), 6, "zweiter Wortteil fehlt"},
        {"13 letters", With(kJoined, "Fensterscheibe-rahmen"), 6,
         "Wortteil l\x84nger als 12 Buchstaben"},
        {"no word before the bar", With(kWritten, "_Tasse-Kaffee"), 6, "Wort vor dem _ fehlt"},
        {"two bars", With(kWritten, "Kaffee_tasse_Tasse-Kaffee"), 6, "mehr als ein Unterstrich"},
        {"both forms", With(kJoined, "Kaffeetasse_Tasse-Kaffee"), 6,
         "andere Eingabeart (mit oder ohne _) als Zeile 1"},
        {"a key the child has not", With(kWritten, "Caf\x82haus_Caf\x82-Haus"), 6,
         "Zeichen \x82 kann nicht getippt werden"},
        {"a first blank cannot be typed", With(kWritten, " Rosenstrauch_Rose-Strauch"), 6,
         "Wort beginnt mit einem Leerzeichen"},
        {"neighbours are one task", With(kJoined, "Mond-licht"), 6, "gleiches Wort wie Zeile 5"},
        {"the last line and the first are one task", With(kJoined, "Haus-t\x81r"), 6,
         "gleiches Wort wie Zeile 1"},
        {"too few lines",
         {"Haus-t\x81r", "Apfel-baum", "", "Mond-licht"},
         1,
         "zu wenige Zeilen: Aus 2 mach 1 braucht mindestens 6"},
    };
    for (const BrokenList& row : rows) ExpectOnlyProblem(CheckTwoIntoOneList, row);
}

TEST(TwoIntoOneNotationTest, AcceptsGoodLists) {
    ExpectClean(CheckTwoIntoOneList, With(kJoined, "Fenster-scheibe"), "12 letters");
    ExpectClean(CheckTwoIntoOneList, With(kWritten, "Tageszeitung_Tag-Zeitung"), "written");
    for (const ShippedList& l : ShippedListsOf("AWT"))
        ExpectClean(CheckTwoIntoOneList, l.lines, l.name);
}

}  // namespace
}  // namespace qs::test
