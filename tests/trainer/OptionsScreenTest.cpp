// The options screen: its box, the changes by key and by click, the keys
// that leave it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/CodePage.h"
#include "screen/TextScreen.h"
#include "support/TestFiles.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

int Field(const Options& o, const std::string& name) {
    if (name == "Maus") return o.OptMaus;
    if (name == "Trennung") return o.OptTrennung;
    if (name == "Wortwahl") return o.OptWortwahl;
    if (name == "Artikel") return o.OptArtikel;
    if (name == "Ton") return o.OptTon;
    if (name == "Endungen") return o.OptEndungen;
    if (name == "Wortvergl") return o.OptWortvergl;
    if (name == "Sauri") return o.OptSauri;
    if (name == "Zerlegen") return o.OptZerlegen;
    if (name == "ZerlegenArt") return o.OptZerlegenArt;
    if (name == "Baustelle") return o.OptBaustelle;
    if (name == "Bausteine") return o.OptBausteine;
    if (name == "Greifen") return o.OptGreifen;
    if (name == "Greifteile") return o.OptGreifteile;
    if (name == "Wiederhole") return o.OptWiederhole;
    ADD_FAILURE() << "no option " << name;
    return -99;
}

struct ChangeCase {
    const char* name;
    const char* script;  // after "key o"
    const char* option;
    int value;
};

// Each case opens the options screen, runs its lines, leaves and quits.
void CheckChanges(const std::string& app, const std::vector<ChangeCase>& cases) {
    for (const ChangeCase& c : cases) {
        Options options;
        RunOptions o;
        o.appDir = test::MakeTestAppDir(app);
        o.script = std::string("key o\n") + c.script + "key ESC\nkey ESC\nkey RET\n";
        o.inspect = [&](Trainer& tr) { options = tr.t.opt; };
        RunResult run = RunTrainer(o);
        EXPECT_TRUE(run.returned) << c.name << ": " << run.error;
        EXPECT_EQ(Field(options, c.option), c.value) << c.name;
    }
}

// Without an options file: mouse on, Wortvergl. "Wie bitte?", everything
// else 0.
TEST(OptionsScreenTest, ScreenShowsEveryRow) {
    RunOptions o;
    o.appDir = test::MakeTestAppDir("options-screen");
    o.script = "key o\ndump options\nkey ESC\nkey ESC\nkey RET\n";
    RunResult run = RunTrainer(o);
    ASSERT_EQ(run.dumps.count("options"), 1u) << run.error;
    const std::string& dump = run.dumps["options"];
    const std::string shade = "\u2593";
    std::vector<std::string> want(26);
    want[2] = "\u250c" + Times("\u2500", 10) + "\u252c" + Times("\u2500", 6) + "Optionen" +
              Times("\u2500", 10) + "\u2510" + shade;
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"Maus", " aus    ein "},
        {"Trennung", " nein  ja  Linie  Block "},
        {"Wortwahl", " Zufall   Reihenfolge "},
        {"Artikel", " mit    ohne "},
        {"Ton", " ein    Tippton    aus "},
        {"", ""},
        {"Endungen", " Gebiss   Wettrennen "},
        {"Wortvergl.", " verbrennen  Wie bitte? "},
        {"Wortvergl.", "Sauri: langsam  schnell "},
        {"Zerlegen", " abschreiben  erinnern "},
        {"Zerlegen", " Silben + Zahl  andere "},
        {"Baustelle", " 1   3   5   W\u00f6rter"},
        {"Bausteine", " kleine  gro\u00dfe Steine"},
        {"Greifen", " Alles  Vorgabe  2.Teil "},
        {"Greifteile", " zusammen  getrennt "},
        {"", ""},
        {"wiederhole", " nicht  bei Fehler "},
        {"", ""},
        {"", ""},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string label = rows[i].first;
        const std::string values = rows[i].second;
        std::string line = "\u2502" + label + std::string(10 - label.size(), ' ') + "\u2502";
        const std::string cells = values;
        int length = 0;
        for (size_t pos = 0; pos < cells.size(); ++length) DecodeUtf8(cells, pos);
        line += cells + std::string(static_cast<size_t>(24 - length), ' ') + "\u2502\u2591";
        want[i + 3] = line;
    }
    want[21] = "\u2502  Geschwindigkeit anpassen mit F10 \u2502\u2591";
    want[22] = "\u2514" + Times("\u2500", 10) + "\u2534" + Times("\u2500", 24) + "\u2518\u2591";
    want[23] = Times(shade, 33) + Times("\u2591", 5);
    want[24] = Times(shade, 38);
    for (int r = 2; r <= 24; ++r)
        EXPECT_EQ(Cells(test::DumpRow(dump, r), 41, 78), want[static_cast<size_t>(r)])
            << "row " << r;
    EXPECT_EQ(test::HighlightedEntry(run, "options"), 1) << "the menu stays";
}

TEST(OptionsScreenTest, KeysChangeEachRow) {
    CheckChanges(
        "options-keys",
        {
            {"Maus left", "key LEFT\n", "Maus", 1},
            {"Maus left right", "key LEFT\nkey RIGHT\n", "Maus", 2},
            {"Trennung up to 3", "key DOWN\nkey RIGHT\nkey RIGHT\nkey RIGHT\nkey RIGHT\n",
             "Trennung", 3},
            {"Trennung back", "key DOWN\nkey RIGHT\nkey RIGHT\nkey LEFT\n", "Trennung", 1},
            {"Trennung not below 0", "key DOWN\nkey LEFT\n", "Trennung", 0},
            {"Wortwahl right", "key DOWN\nkey DOWN\nkey RIGHT\n", "Wortwahl", 1},
            {"Wortwahl back", "key DOWN\nkey DOWN\nkey RIGHT\nkey LEFT\n", "Wortwahl", 0},
            {"Artikel left is mit", "key DOWN\nkey DOWN\nkey DOWN\nkey LEFT\n", "Artikel", 1},
            {"Artikel right is ohne", "key DOWN\nkey DOWN\nkey DOWN\nkey LEFT\nkey RIGHT\n",
             "Artikel", 0},
            {"Ton up to 2",
             "key PGUP\nkey DOWN\nkey DOWN\nkey DOWN\nkey DOWN\n"
             "key RIGHT\nkey RIGHT\nkey RIGHT\n",
             "Ton", 2},
            {"Endungen", "key HOME\nkey DOWN\nkey DOWN\nkey DOWN\nkey DOWN\nkey DOWN\nkey RIGHT\n",
             "Endungen", 1},
            {"Wortvergl",
             "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\n"
             "key UP\nkey LEFT\n",
             "Wortvergl", 0},
            {"Sauri",
             "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey RIGHT\n",
             "Sauri", 1},
            {"Zerlegen", "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey RIGHT\n",
             "Zerlegen", 1},
            {"Zerlegen kind up to 2",
             "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey UP\nkey RIGHT\nkey RIGHT\nkey RIGHT\n",
             "ZerlegenArt", 2},
            {"Baustelle 0 right is 3", "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey RIGHT\n",
             "Baustelle", 3},
            {"Baustelle up to 5",
             "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey RIGHT\nkey RIGHT\nkey RIGHT\n",
             "Baustelle", 5},
            {"Baustelle down to 1",
             "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey RIGHT\nkey LEFT\nkey LEFT\n",
             "Baustelle", 1},
            {"Baustelle 0 left stays", "key END\nkey UP\nkey UP\nkey UP\nkey UP\nkey LEFT\n",
             "Baustelle", 0},
            {"Bausteine", "key END\nkey UP\nkey UP\nkey UP\nkey RIGHT\n", "Bausteine", 1},
            {"Bausteine back", "key END\nkey UP\nkey UP\nkey UP\nkey RIGHT\nkey LEFT\n",
             "Bausteine", 0},
            {"Greifen up to 2", "key END\nkey UP\nkey UP\nkey RIGHT\nkey RIGHT\nkey RIGHT\n",
             "Greifen", 2},
            {"Greifteile", "key PGDN\nkey UP\nkey RIGHT\n", "Greifteile", 1},
            {"up from the first row is the last", "key UP\nkey RIGHT\n", "Wiederhole", 1},
            {"down from the last row is the first", "key END\nkey DOWN\nkey LEFT\n", "Maus", 1},
            {"return goes down", "key RET\nkey RIGHT\n", "Trennung", 1},
            {"typed letters change nothing", "key DOWN\ntype M\n", "Trennung", 0},
            {"the row is kept between visits", "key DOWN\nkey ESC\nkey o\nkey RIGHT\n", "Trennung",
             1},
        });
}

// Screen cells of the value texts: the options window starts at (41, 2).
TEST(OptionsScreenTest, ClicksSelectThenChange) {
    CheckChanges(
        "options-clicks",
        {
            {"Maus aus", "click 55 3\nclick 55 3\n", "Maus", 1},
            {"Trennung Block", "click 72 4\nclick 72 4\n", "Trennung", 3},
            {"Trennung ja after Block", "click 72 4\nclick 72 4\nclick 60 4\n", "Trennung", 1},
            {"Wortwahl Reihenfolge", "click 66 5\nclick 66 5\n", "Wortwahl", 1},
            {"Artikel mit", "click 55 6\nclick 55 6\n", "Artikel", 1},
            {"Ton aus", "click 73 7\nclick 73 7\n", "Ton", 2},
            {"Ton Tippton", "click 64 7\nclick 64 7\n", "Ton", 1},
            {"Endungen Wettrennen", "click 66 9\nclick 66 9\n", "Endungen", 1},
            {"Wortvergl verbrennen", "click 58 10\nclick 58 10\n", "Wortvergl", 0},
            {"Sauri schnell", "click 72 11\nclick 72 11\n", "Sauri", 1},
            {"Zerlegen erinnern", "click 70 12\nclick 70 12\n", "Zerlegen", 1},
            {"Zerlegen kind andere", "click 72 13\nclick 72 13\n", "ZerlegenArt", 2},
            {"Zerlegen kind Zahl", "click 64 13\nclick 64 13\n", "ZerlegenArt", 1},
            {"Baustelle 5", "click 62 14\nclick 62 14\n", "Baustelle", 5},
            {"Baustelle 3", "click 58 14\nclick 58 14\n", "Baustelle", 3},
            {"Bausteine gross", "click 64 15\nclick 64 15\n", "Bausteine", 1},
            {"Greifen 2.Teil", "click 72 16\nclick 72 16\n", "Greifen", 2},
            {"Greifteile getrennt", "click 67 17\nclick 67 17\n", "Greifteile", 1},
            {"wiederhole bei Fehler", "click 65 19\nclick 65 19\n", "Wiederhole", 1},
            {"one click only selects", "click 72 4\n", "Trennung", 0},
            {"a click selects for the keys", "click 72 4\nkey RIGHT\n", "Trennung", 1},
            {"a label click selects", "click 45 12\nkey RIGHT\n", "Zerlegen", 1},
            {"after keys the first click selects",
             "click 72 4\nkey DOWN\nkey DOWN\nkey DOWN\nkey DOWN\nclick 58 13\n", "ZerlegenArt", 0},
            {"the menu beside is blocked", "key DOWN\nclick 10 10\nclick 10 10\nkey RIGHT\n",
             "Trennung", 1},
        });
}

// Whether the menu entry started shows in EditorProgram, which every start
// sets to 1.
TEST(OptionsScreenTest, LeavingKeys) {
    struct Case {
        const char* name;
        const char* keys;
        int highlighted;
        bool started;
    };
    const Case cases[] = {
        {"escape", "key ESC\n", 1, false},
        {"F1", "key F1\n", 1, false},
        // The started entry's word-list selection is left with ESC.
        {"a menu hotkey starts its entry", "key DOWN\nkey k\nkey ESC\n", 8, true},
        {"the hotkey after a change", "key DOWN\nkey RIGHT\nkey g\nkey ESC\n", 9, true},
    };
    for (const Case& c : cases) {
        int editorProgram = 0;
        bool changed = false;
        RunOptions o;
        o.appDir = test::MakeTestAppDir("options-leave");
        o.script = std::string("key o\n") + c.keys +
                   "wait 100\ndump menu\nkey ESC\nkey n\n"
                   "wait 100\ndump again\nkey ESC\nkey RET\n";
        o.setup = [](Trainer& tr) { tr.t.EditorProgram = 5; };
        o.inspect = [&](Trainer& tr) {
            editorProgram = tr.t.EditorProgram;
            changed = tr.t.OptionsChanged;
        };
        RunResult run = RunTrainer(o);
        EXPECT_TRUE(run.returned) << c.name << ": " << run.error;
        EXPECT_EQ(test::HighlightedEntry(run, "menu"), c.highlighted) << c.name;
        EXPECT_EQ(editorProgram == 1, c.started) << c.name;
        EXPECT_TRUE(changed) << c.name;
        EXPECT_EQ(Cells(test::DumpRow(run.dumps["menu"], 3), 41, 80), Times("\u2593", 40))
            << c.name << ": the right half is cleared";
    }
}

TEST(OptionsScreenTest, WortwahlLabel) {
    RunOptions o;
    o.appDir = test::MakeTestAppDir("options-label");
    o.script =
        "key o\nkey DOWN\nkey DOWN\ndump selected\nkey DOWN\ndump after\nkey ESC\n"
        "key o\ndump again\nkey ESC\nkey ESC\nkey RET\n";
    RunResult run = RunTrainer(o);
    ASSERT_EQ(run.dumps.count("again"), 1u) << run.error;
    EXPECT_EQ(Cells(test::DumpRow(run.dumps["selected"], 5), 42, 51), "Wortfolge ");
    EXPECT_EQ(Cells(test::DumpRow(run.dumps["after"], 5), 42, 51), "Wortfolge ");
    EXPECT_EQ(Cells(test::DumpRow(run.dumps["again"], 5), 42, 51), "Wortwahl  ");
}

// Highlighted values show on background 2.
TEST(OptionsScreenTest, HighlightOfReadValues) {
    const std::string app = test::MakeTestAppDir("options-values");
    // Trennung 7, Baustelle 0, ZerlegenArt 1.
    const std::string file =
        "0\r\n0\r\n0\r\n0\r\n7\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "0\r\n0\r\n0\r\n0\r\n1\r\n";
    test::WriteFileBytes(app + "lsp1.opt", {file.begin(), file.end()});
    RunOptions o;
    o.appDir = app;
    o.script = "key o\ndump values\nkey ESC\nkey ESC\nkey RET\n";
    RunResult run = RunTrainer(o);
    ASSERT_EQ(run.dumps.count("values"), 1u) << run.error;
    const Rgb highlight = PaletteColour(*run.dos, 2);
    auto lit = [&](int col, int row) {
        return test::CellBackground(run, "values", col, row) == highlight;
    };
    // Trennung: " nein " 53, " ja " 59, " Linie " 63, " Block " 70.
    EXPECT_FALSE(lit(53, 4));
    EXPECT_TRUE(lit(63, 4)) << "7 is shown as Linie";
    EXPECT_FALSE(lit(70, 4));
    // Zerlegen kind 1: " Silben " and "+ Zahl ", not " andere ".
    EXPECT_TRUE(lit(53, 13));
    EXPECT_TRUE(lit(61, 13));
    EXPECT_FALSE(lit(68, 13));
    for (int col = 53; col <= 63; ++col)
        EXPECT_FALSE(lit(col, 14)) << "Baustelle 0, column " << col;
    const std::string written = test::FileText(app + "lsp1.opt");
    EXPECT_EQ(written.substr(0, 15), "0\r\n1\r\n0\r\n0\r\n2\r\n") << "saved as 2";
}

}  // namespace
}  // namespace qs::test
