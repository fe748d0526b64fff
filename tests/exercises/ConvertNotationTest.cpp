// The word lists of Umwandeln (.UWT) and Reparieren (.RWT): how the games
// read a line, what the checkers report, and that the two agree.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "exercises/convert/Notation.h"
#include "support/DumpReading.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

const std::string kListDir = std::string(QS_SOURCE_DIR) + "/data/LS1DAT/";

std::vector<std::string> ShippedList(const std::string& name) {
    return CrLfLines(FileText(kListDir + name));
}

std::vector<std::string> ShippedLists(const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kListDir))
        if (entry.path().extension() == "." + extension)
            names.push_back(entry.path().filename().string());
    return names;
}

TEST(ConvertNotationTest, ConvertLineSplitsIntoArticlesAndWords) {
    struct Case {
        const char* line;
        const char* article1;
        const char* word1;
        const char* article2;
        const char* word2;
    };
    for (const Case& c : {
             Case{"der B\x84"
                  "cker-backen",
                  "der ",
                  "B\x84"
                  "cker",
                  "", "backen"},
             Case{"die Maus-die M\x84use", "die ", "Maus", "die ", "M\x84use"},
             Case{"laufen-der L\x84ufer", "", "laufen", "der ", "L\x84ufer"},
             Case{"der kleine Hund-die kleinen Hunde", "der ", "kleine Hund", "die ",
                  "kleinen Hunde"},
             Case{"Nord-S\x81"
                  "d-Bahn",
                  "", "Nord", "",
                  "S\x81"
                  "dBahn"},
         }) {
        const std::optional<ConvertLine> p = SplitConvertLine(c.line);
        ASSERT_TRUE(p) << c.line;
        EXPECT_EQ(p->Article1, c.article1) << c.line;
        EXPECT_EQ(p->Word1, c.word1) << c.line;
        EXPECT_EQ(p->Article2, c.article2) << c.line;
        EXPECT_EQ(p->Word2, c.word2) << c.line;
    }
    for (const char* unplayable : {"Hund", "-backen", "der -backen",
                                   "B\x84"
                                   "cker-",
                                   "der Hund-die "})
        EXPECT_FALSE(SplitConvertLine(unplayable)) << unplayable;
}

TEST(ConvertNotationTest, GroupRuleReadsPairsAlsoAtTheEndOfTheLine) {
    struct Case {
        const char* line1;
        std::vector<std::string> groups;
    };
    for (const Case& c : {
             Case{"Aus -a -e -ie", {"a", "e", "ie"}},
             Case{"Aus -ie -ei -i", {"ie", "ei", "i"}},
             Case{"Aus -a -e -i -o -u", {"a", "e", "i", "o", "u"}},
             Case{"Aus - a -e", {"e"}},
             Case{"ohne Gruppen", {}},
             Case{"-a -b -c -d -e -f -g -h -i -j -k -l -m -n -o -p -q",
                  {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o"}},
         }) {
        EXPECT_EQ(LetterGroups(c.line1), c.groups) << c.line1;
    }
    // The dash of a group is not shown; the groups are drawn as letters.
    const std::vector<RulePiece> pieces = ReadGroupRule("Aus -a -ie");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].text, "Aus ");
    EXPECT_TRUE(pieces[1].group);
    EXPECT_EQ(pieces[2].text, " ");
    EXPECT_EQ(pieces[3].text, "ie");
}

TEST(ConvertNotationTest, PlaceholderRule) {
    struct Case {
        const char* line2;
        bool found;
        char placeholder;
        bool bothWays;
        const char* shown;
    };
    for (const Case& c : {
             Case{"wird -x", true, 'x', false, "wird x"},
             Case{"wird -?", true, '?', false, "wird ?"},
             Case{"wird -.", true, '.', false, "wird ."},
             Case{"wird _x", true, 'x', true, "wird x."},
             Case{"wird -x oder -y", true, 'x', false, "wird x oder -y"},
             Case{"wird - x", false, '?', false, "wird - x"},
             Case{"", false, '?', false, ""},
         }) {
        const PlaceholderRule r = ReadPlaceholder(c.line2);
        EXPECT_EQ(r.found, c.found) << c.line2;
        EXPECT_EQ(r.Placeholder, c.placeholder) << c.line2;
        EXPECT_EQ(r.BothWays, c.bothWays) << c.line2;
        EXPECT_EQ(r.shown, c.shown) << c.line2;
    }
}

// Each broken list is a valid list with one line changed; the checker names
// that line.
TEST(ConvertNotationTest, CheckersFindEachBrokenLine) {
    const std::vector<std::string> convert = {"Bilde das Verb.",
                                              "der B\x84"
                                              "cker - backen",
                                              "der B\x84"
                                              "cker-backen",
                                              "der Maler-malen", "der Koch-kochen"};
    const std::vector<std::string> repair = {"Aus -a -e -ie", "wird -x", "die Liebe", "der Regen",
                                             "die Katze"};
    ASSERT_TRUE(CheckConvertList(convert).empty());
    ASSERT_TRUE(CheckRepairList(repair).empty());
    struct Case {
        const char* what;
        bool repairList;
        int line;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"dash forgotten", false, 4, "der Maler malen", "Bindestrich vergessen"},
        {"two dashes", false, 4, "der Maler-malen-mal", "nur ein Bindestrich"},
        {"nothing before the dash", false, 4, "-malen", "Wort vor dem Bindestrich fehlt"},
        {"only an article before", false, 4, "der -malen", "Leerzeichen"},
        {"nothing after the dash", false, 4, "der Maler-", "Wort nach dem Bindestrich fehlt"},
        {"blank before the dash", false, 4, "der Maler -malen", "Leerzeichen"},
        {"untypeable answer", false, 4, "der Maler-mal#en", "tippen"},
        {"no rule", false, 1, "!", "Regel fehlt"},
        {"no groups", true, 1, "Aus a e ie", "keine Buchstaben"},
        {"dash without letter", true, 1, "Aus -a -e - ie", "Buchstabe nach dem Bindestrich fehlt"},
        {"three letters", true, 1, "Aus -a -e -iea", "2 Buchstaben"},
        {"pair after its first letter", true, 1, "Aus -a -i -ie -e", "-ie vor -i"},
        {"no placeholder", true, 2, "wird x", "Platzhalter fehlt"},
        {"placeholder in a word", true, 4, "das Taxi", "Platzhalter x"},
        {"nothing to repair", true, 4, "der Ruhm", "nichts zu reparieren"},
        {"two blanks", true, 4, "der  Hund", "Leerzeichen"},
        {"word too long", true, 4, "das " + std::string(31, 'a'), "30 Buchstaben"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = c.repairList ? repair : convert;
        lines[static_cast<size_t>(c.line - 1)] = c.text;
        const NotationProblems problems =
            c.repairList ? CheckRepairList(lines) : CheckConvertList(lines);
        ASSERT_EQ(problems.size(), 1u) << c.what;
        EXPECT_EQ(problems[0].line, c.line) << c.what;
        EXPECT_NE(problems[0].message.find(c.message), std::string::npos)
            << c.what << ": " << problems[0].message;
    }
    const std::vector<std::string> rulesOnly(convert.begin(), convert.begin() + 2);
    const NotationProblems tooShort = CheckConvertList(rulesOnly);
    ASSERT_EQ(tooShort.size(), 1u);
    EXPECT_EQ(ProblemText(tooShort[0]),
              "Zeile 2: mindestens 3 W\x94rter unter den 2 Regelzeilen (jetzt 0)");
    EXPECT_FALSE(CheckRepairList({}).empty());
}

TEST(ConvertNotationTest, ShippedListsPass) {
    struct Kind {
        const char* extension;
        NotationCheck check;
    };
    for (const auto& [extension, check] :
         {Kind{"UWT", CheckConvertList}, Kind{"RWT", CheckRepairList}}) {
        const std::vector<std::string> names = ShippedLists(extension);
        EXPECT_GE(names.size(), 2u) << extension;
        for (const std::string& name : names) {
            const std::vector<std::string> lines = ShippedList(name);
            ASSERT_GE(lines.size(), 5u) << name;
            for (const NotationProblem& p : check(lines))
                ADD_FAILURE() << name << ": " << ProblemText(p);
        }
    }
}

// Every word line the checker lets pass is one the game can play: it parses,
// and its answer is not empty.
TEST(ConvertNotationTest, GameReadsEveryLineTheCheckerAccepts) {
    const std::vector<std::string> lines = {
        "Bilde das Verb.",
        "-",
        "der B\x84"
        "cker-backen",
        "Hund",
        "-malen",
        "der -malen",
        "der Maler-",
        "a-b",
        "der Hund-die Hunde",
        "die  Maus-die M\x84use",
        "x-y-z",
        "ein Ei-Eier",
    };
    const NotationProblems problems = CheckConvertList(lines);
    for (size_t i = kFirstTaskLine - 1; i < lines.size(); ++i) {
        const bool refused = std::any_of(
            problems.begin(), problems.end(),
            [&](const NotationProblem& p) { return p.line == static_cast<int>(i) + 1; });
        if (!refused) {
            EXPECT_TRUE(SplitConvertLine(lines[i])) << lines[i];
        }
    }
    const std::vector<std::string> repair = {"Aus -a -ie", "wird _x", "die Liebe", "Taxi",
                                             "die ",       "x",       "Ast"};
    const NotationProblems repairProblems = CheckRepairList(repair);
    const std::vector<std::string> groups = LetterGroups(repair[0]);
    for (size_t i = kFirstTaskLine - 1; i < repair.size(); ++i) {
        const bool refused = std::any_of(
            repairProblems.begin(), repairProblems.end(),
            [&](const NotationProblem& p) { return p.line == static_cast<int>(i) + 1; });
        if (refused) continue;
        const TaskText t =
            RepairTask(repair[i], groups, ReadPlaceholder(repair[1]), [](int) { return 0; });
        EXPECT_FALSE(t.word.empty()) << repair[i];
        EXPECT_NE(t.task, t.word) << repair[i];
    }
}

}  // namespace
}  // namespace qs::test
