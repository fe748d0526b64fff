// The race's word-list lines: how a line splits into article, answers and
// stem, which lines the race plays, and the checkers of both kinds of list,
// which must agree with what the race and the jaws game can play.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exercises/race/Notation.h"
#include "exercises/race/Race.h"
#include "support/DumpReading.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

using Parts = std::vector<std::string>;

struct ParseRow {
    const char* what;
    RaceKind kind;
    std::string line;
    bool keepArticle;
    bool trim;
    std::string article;
    Parts answers;
    std::string longest;
    std::string stem;
    LineUse use;
};

TEST(RaceNotationTest, LinesSplitIntoArticleAnswersAndStem) {
    const auto P = RaceKind::Prefixes;
    const auto E = RaceKind::Endings;
    const ParseRow rows[] = {
        {"one prefix", P, "ver-kaufen", true, false, "", {"ver"}, "ver", "kaufen", LineUse::Play},
        {"the first longest prefix",
         P,
         "ab-an-auf-stehen",
         true,
         false,
         "",
         {"ab", "an", "auf"},
         "auf",
         "stehen",
         LineUse::Play},
        {"stem syllables",
         P,
         "ver-ste_hen",
         true,
         false,
         "",
         {"ver"},
         "ver",
         "ste_hen",
         LineUse::Play},
        {"article with a prefix",
         P,
         "die Ab-fahrt",
         false,
         false,
         "die ",
         {"Ab"},
         "Ab",
         "fahrt",
         LineUse::Play},
        {"blank before the dash",
         P,
         "ver -kaufen",
         true,
         false,
         "ver ",
         {},
         "",
         "kaufen",
         LineUse::Message},
        {"no dash", P, "kaufen", true, false, "", {}, "", "kaufen", LineUse::Message},
        {"empty prefix left out",
         P,
         "ab--stehen",
         true,
         false,
         "",
         {"ab"},
         "ab",
         "stehen",
         LineUse::Play},
        {"stem trimmed when syllables are marked",
         P,
         "ver- kaufen ",
         true,
         true,
         "",
         {"ver"},
         "ver",
         "kaufen",
         LineUse::Play},
        {"eleven prefixes",
         P,
         "a-b-c-d-e-f-g-h-i-j-k-wort",
         true,
         false,
         "",
         {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"},
         "a",
         "wort",
         LineUse::Skip},
        {"stem syllables and two endings",
         E,
         "ab-bei_\341en_zen",
         false,
         false,
         "",
         {"\341en", "zen"},
         "\341en",
         "ab_bei",
         LineUse::Play},
        {"syllable given before the dash",
         E,
         "die Frei-_heit",
         false,
         false,
         "",
         {"heit"},
         "heit",
         "Frei_",
         LineUse::Play},
        {"article kept with articles shown",
         E,
         "die Ge-mein-_heit_schaft",
         true,
         false,
         "die ",
         {"heit", "schaft"},
         "schaft",
         "Ge_mein_",
         LineUse::Play},
        {"no dash at all",
         E,
         "Haus_t\201r",
         false,
         false,
         "",
         {"t\201r"},
         "t\201r",
         "Haus",
         LineUse::Play},
        {"empty last ending dropped",
         E,
         "ab-bei_\341en_",
         false,
         false,
         "",
         {"\341en"},
         "\341en",
         "ab_bei",
         LineUse::Play},
        {"no underscore: no ending",
         E,
         "ab-bei",
         false,
         false,
         "",
         {},
         "",
         "ab_bei",
         LineUse::Skip},
        {"only an empty ending", E, "Haus_", false, false, "", {}, "", "Haus", LineUse::Skip},
        {"doubled underscore",
         E,
         "Haus__t\201r",
         false,
         false,
         "",
         {"Haus", "t\201r"},
         "Haus",
         "_",
         LineUse::Skip},
        {"dash after the first underscore",
         E,
         "ab_bei-\341en",
         false,
         false,
         "",
         {},
         "",
         "ab_bei_\341en",
         LineUse::Skip},
        {"eleven parts",
         E,
         "a-b-c-d-e-f-g-h-i-j_k",
         false,
         false,
         "",
         {"k"},
         "k",
         "a_b_c_d_e_f_g_h_i_j",
         LineUse::Skip},
    };
    for (const ParseRow& row : rows) {
        const RaceWord w = ParseRaceLine(row.kind, row.line, row.keepArticle, row.trim);
        EXPECT_EQ(w.article, row.article) << row.what;
        EXPECT_EQ(w.answers, row.answers) << row.what;
        EXPECT_EQ(w.longest, row.longest) << row.what;
        EXPECT_EQ(w.stem, row.stem) << row.what;
        EXPECT_EQ(RaceLineUse(row.kind, w), row.use) << row.what;
    }
}

TEST(RaceNotationTest, HelpAndTheOtherCase) {
    struct HelpRow {
        const char* what;
        Parts answers;
        std::string input;
        char letter;
    };
    const HelpRow help[] = {
        {"nothing typed: the first answer's first letter", {"ver", "be"}, "", 'v'},
        {"the next letter", {"ver"}, "ve", 'r'},
        {"the last answer that begins so", {"ab", "an", "auf"}, "a", 'u'},
        {"no answer begins so", {"ver"}, "x", 0},
        {"no answers", {}, "", 0},
    };
    for (const HelpRow& row : help)
        EXPECT_EQ(HelpLetter(row.answers, row.input), row.letter) << row.what;

    const std::pair<std::string, std::string> cases[] = {
        {"Ver", "ver"},         {"ver", "Ver"},     {"\204b", "\216b"}, {"\231l", "\224l"},
        {"\201ber", "\232ber"}, {"\341x", "\341x"}, {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(TryOtherCase(in), out) << in;
}

struct CheckRow {
    const char* what;
    RaceKind kind;
    std::vector<std::string> lines;
    int line;
    const char* message;
};

NotationProblems Check(RaceKind kind, const std::vector<std::string>& lines) {
    return kind == RaceKind::Prefixes ? CheckPrefixList(lines) : CheckEndingList(lines);
}

TEST(RaceNotationTest, CheckersFindEachBrokenLine) {
    const auto P = RaceKind::Prefixes;
    const auto E = RaceKind::Endings;
    const CheckRow rows[] = {
        {"prefixes: empty first line", P, {"", "ver-kaufen"}, 1, "Vorsilben fehlen"},
        {"prefixes: underscore in line 1",
         P,
         {"be_ver", "ver-kaufen"},
         1,
         "Vorsilben mit Bindestrich trennen"},
        {"prefixes: doubled dash in line 1", P, {"be--ver", "ver-kaufen"}, 1, "leere Vorsilbe"},
        {"prefixes: 17 parts in line 1",
         P,
         {"a-b-c-d-e-f-g-h-i-j-k-l-m-n-o-p-q", "a-b"},
         1,
         "mehr als 16 Vorsilben"},
        {"prefixes: blank in line 1",
         P,
         {"be - ver", "ver-kaufen"},
         1,
         "Leerzeichen in der Vorsilbe"},
        {"prefixes: only line 1", P, {"be-ver"}, 1, "keine W\x94rter nach der ersten Zeile"},
        {"prefixes: empty line", P, {"be-ver", "   "}, 2, "leere Zeile"},
        {"prefixes: no dash", P, {"be-ver", "verkaufen"}, 2, "Bindestrich vergessen"},
        {"prefixes: blank before the dash",
         P,
         {"be-ver", "ver -kaufen"},
         2,
         "Leertaste vor Bindestrich"},
        {"prefixes: doubled dash", P, {"be-ver", "be--kaufen"}, 2, "leere Vorsilbe"},
        {"prefixes: no stem", P, {"be-ver", "ver-"}, 2, "Wortstamm fehlt"},
        {"prefixes: eight", P, {"a-b", "a-b-c-d-e-f-g-h-wort"}, 2, "mehr als 7 Vorsilben"},
        {"prefixes: eleven", P, {"a-b", "a-b-c-d-e-f-g-h-i-j-k-wort"}, 2, "mehr als 10 Vorsilben"},
        {"prefixes: underscore in a prefix",
         P,
         {"be-ver", "v_er-kaufen"},
         2,
         "Unterstrich in der Vorsilbe"},
        {"prefixes: digit in a prefix",
         P,
         {"be-ver", "ve2-kaufen"},
         2,
         "Zeichen in der Vorsilbe nicht eingebbar"},
        {"prefixes: doubled underscore", P, {"be-ver", "ver-ste__hen"}, 2, "Unterstrich doppelt"},
        {"prefixes: 31 letters",
         P,
         {"be-ver", "ver-" + std::string(28, 'a')},
         2,
         "mehr als 30 Buchstaben"},
        {"endings: dash in line 1",
         E,
         {"ung-heit", "Frei-_heit"},
         1,
         "Endungen mit Unterstrich trennen"},
        {"endings: empty ending in line 1", E, {"ung_heit_", "Frei-_heit"}, 1, "leere Endung"},
        {"endings: no underscore", E, {"ung_heit", "Frei-heit"}, 2, "Unterstrich vergessen"},
        {"endings: dash in an ending",
         E,
         {"ung_heit", "ab_bei-\341en"},
         2,
         "Bindestrich in der Endung"},
        {"endings: doubled underscore", E, {"ung_heit", "Haus__t\201r"}, 2, "Unterstrich doppelt"},
        {"endings: underscore at the end", E, {"ung_heit", "Haus_t\201r_"}, 2, "leere Endung"},
        {"endings: doubled dash", E, {"ung_heit", "ab--bei_\341en"}, 2, "Bindestrich doppelt"},
        {"endings: no stem", E, {"ung_heit", "_heit"}, 2, "Wortstamm fehlt"},
        {"endings: eight endings", E, {"a_b", "x_a_b_c_d_e_f_g_h"}, 2, "mehr als 7 Endungen"},
        {"endings: eleven parts", E, {"a_b", "a-b-c-d-e-f-g-h-i_j_k"}, 2, "mehr als 10 Teile"},
        {"endings: blank in an ending",
         E,
         {"ung_heit", "Frei_he it"},
         2,
         "Leerzeichen in der Endung"},
        {"endings: capital umlaut the jaws cannot type",
         E,
         {"ung_heit", "Haus_\216r"},
         2,
         "Zeichen in der Endung nicht eingebbar"},
        {"endings: stem too long for the jaws",
         E,
         {"ung_heit", "a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a_b"},
         2,
         "Wortstamm zu lang"},
    };
    for (const CheckRow& row : rows) {
        const NotationProblems problems = Check(row.kind, row.lines);
        bool found = false;
        for (const NotationProblem& p : problems)
            found |= p.line == row.line && p.message == row.message && !p.block;
        EXPECT_TRUE(found) << row.what << ": "
                           << (problems.empty() ? "no problem" : ProblemText(problems.front()));
    }
}

std::vector<std::string> ListLines(const std::string& path) {
    std::vector<std::string> lines = CrLfLines(FileText(path));
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// What the checkers accept, the race plays: every shipped list, and lines
// at the edges of the rules.
TEST(RaceNotationTest, AcceptedListsArePlayedWholly) {
    struct ListRow {
        std::string what;
        RaceKind kind;
        std::vector<std::string> lines;
    };
    std::vector<ListRow> lists = {
        {"prefixes at the edges",
         RaceKind::Prefixes,
         {"be-ver", "ver-kaufen", "die Ab-fahrt", "ab-an-be-ent-ge-ver-vor-stehen", "ver-ste_hen",
          "\232ber-\204r_gern", "ver-" + std::string(27, '\341')}},
        {"endings at the edges",
         RaceKind::Endings,
         {"heit_keit", "ab-bei_\341en_zen", "die Frei-_heit", "Haus_t\201r", "a_b_c_d_e_f_g_h",
          "die Ge-mein-_heit_schaft"}},
    };
    for (const auto& entry : std::filesystem::directory_iterator(QS_SOURCE_DIR "/data/LS1DAT")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".VWT" && ext != ".EWT") continue;
        lists.push_back({entry.path().filename().string(),
                         ext == ".VWT" ? RaceKind::Prefixes : RaceKind::Endings,
                         ListLines(entry.path().string())});
    }
    int shipped = 0;
    for (const ListRow& list : lists) {
        shipped += list.what.find('.') != std::string::npos;
        const NotationProblems problems = Check(list.kind, list.lines);
        EXPECT_TRUE(problems.empty()) << list.what << ": " << ProblemText(problems.front());
        for (size_t i = 1; i < list.lines.size(); ++i) {
            const RaceWord w = ParseRaceLine(list.kind, list.lines[i], true, false);
            EXPECT_EQ(RaceLineUse(list.kind, w), LineUse::Play)
                << list.what << " " << list.lines[i];
            EXPECT_FALSE(w.answers.empty()) << list.what << " " << list.lines[i];
        }
    }
    EXPECT_EQ(shipped, 4) << "the shipped prefix and ending lists";
}

// A line the race passes over or plays with its message is one the checker
// reports.
TEST(RaceNotationTest, LinesTheRaceCannotPlayAreReported) {
    const std::pair<RaceKind, std::string> lines[] = {
        {RaceKind::Prefixes, "kaufen"},
        {RaceKind::Prefixes, "ver -kaufen"},
        {RaceKind::Prefixes, "a-b-c-d-e-f-g-h-i-j-k-x"},
        {RaceKind::Endings, "ab-bei"},
        {RaceKind::Endings, "Haus_"},
        {RaceKind::Endings, "Haus__t\201r"},
        {RaceKind::Endings, "ab_bei-\341en"},
        {RaceKind::Endings, "a-b-c-d-e-f-g-h-i-j_k"},
    };
    for (const auto& [kind, line] : lines) {
        ASSERT_NE(RaceLineUse(kind, ParseRaceLine(kind, line, true, false)), LineUse::Play) << line;
        const NotationProblems problems = Check(kind, {"a-b_c", line});
        bool reported = false;
        for (const NotationProblem& p : problems) reported |= p.line == 2;
        EXPECT_TRUE(reported) << line;
    }
}

}  // namespace
}  // namespace qs::test
