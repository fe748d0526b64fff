// Whole races on the headless screen: a fixed seed, the virtual clock and a
// script of keys and clicks, with the runners' places, the screen texts,
// the results, the protocol lines and the sounds checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "exercises/race/Race.h"
#include "screen/graph/Graph.h"
#include "support/PngFile.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

constexpr auto P = RaceKind::Prefixes;
constexpr auto E = RaceKind::Endings;

struct Race {
    RaceKind kind = P;
    std::vector<std::string> lines;
    bool mouse = false;
    int trennung = 0;     // " nein "
    int wortwahl = 1;     // " Reihenfolge "
    int wiederhole = 0;   // " nicht "
    int currentLine = 1;  // the start line chosen in the file selection
};

struct Outcome {
    RunResult run;
    std::array<int, 2> x{-1, -1};  // where the runners stood at the end
};

Outcome PlayRace(const Race& race, const std::string& script) {
    Outcome out;
    RunOptions o;
    o.appDir = MakeTestAppDir("race");
    o.script = script;
    o.seed = 5;
    out.run = RunExercise(o, [&](Trainer& tr) {
        tr.t.ProgramNo = No(race.kind == P ? FileProgram::Vorsilben : FileProgram::Endungen);
        tr.t.WordFileName = race.kind == P ? "test.VWT" : "test.EWT";
        int n = 0;
        for (const std::string& line : race.lines) tr.t.WordList[static_cast<size_t>(++n)] = line;
        tr.t.WordCount = n;
        tr.t.CurrentLine = race.currentLine;
        tr.t.opt.OptMaus = race.mouse ? 2 : 1;
        tr.t.opt.OptTrennung = race.trennung;
        tr.t.opt.OptWortwahl = race.wortwahl;
        tr.t.opt.OptWiederhole = race.wiederhole;
        tr.t.opt.OptTon = 0;
        {
            staebchen game(tr);
            game.Prepare();
            game.Run();
            game.Release();
            out.x = game.runnerX;
        }
        CloseGraph(tr.d);
    });
    return out;
}

// Keys typed one by one at a child's pace: "v e r", RET for help; a key
// with a trailing "!" is a mistake, after which the runner stumbles first.
std::string Keys(const std::string& keys) {
    std::string script;
    size_t pos = 0;
    while (pos < keys.size()) {
        size_t end = keys.find(' ', pos);
        if (end == std::string::npos) end = keys.size();
        std::string key = keys.substr(pos, end - pos);
        pos = end + 1;
        const bool wrong = !key.empty() && key.back() == '!';
        if (wrong) key.pop_back();
        script += (key == "RET" ? "key RET" : "type " + key) + "\nwait " +
                  (wrong ? "1000" : "200") + "\n";
    }
    return script;
}

// After a word: the runner walks, then a key ends the pause.
const std::string kNext = "wait 1500\nkey SPACE\nwait 300\n";
const std::string kOnePlayer = "key 1\nwait 300\n";
const std::string kTwoPlayers = "key 2\ntype anna\nkey RET\ntype ben\nkey RET\nwait 300\n";
const std::string kQuit = "key ESC\nuntil Jetzt schon beenden?\nkey j\n";

int CountSounds(const HeadlessPlatform& p, const std::string& file) {
    const auto& log = p.SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PlayedSound& s) {
        return s.path.size() >= file.size() &&
               s.path.compare(s.path.size() - file.size(), file.size(), file) == 0;
    }));
}

std::vector<int> ResultsOf(const TrainerState& t) {
    return {t.Results.begin() + 1, t.Results.begin() + 1 + t.ResultCount};
}

const std::string& LastProtocolLine(const TrainerState& t) {
    return t.ProtocolLines[static_cast<size_t>(t.ProtocolCount)];
}

int CountTexts(const std::string& dump, const std::string& tail) {
    const auto texts = DumpTexts(dump);
    return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const std::string& t) {
        return t.size() >= tail.size() && t.compare(t.size() - tail.size(), tail.size(), tail) == 0;
    }));
}

// Frame edges met along one row of the word area: the syllables' frames
// are light yellow, the answer place's teal.
int FrameEdges(const RunResult& run, const std::string& dump, int graphY) {
    auto png = ReadPng(run.outDir + "/" + dump + ".png");
    if (!png) return -1;
    int edges = 0;
    Rgb last = 0;
    for (int x = 0; x < 1280; ++x) {
        const Rgb c = png->Pixel(x, graphY * 2);
        const bool frame = c == MakeRgb(0, 192, 160) || c == MakeRgb(255, 255, 64);
        edges += frame && c != last;
        last = c;
    }
    return edges;
}

// ---- The edge cases, one word or a few each -------------------------------------

struct EdgeRow {
    const char* what;
    Race race;
    std::string script;
    std::vector<int> results;
    std::string protocol;  // the last protocol line; "" not checked
    int x1;                // runner 1 at the end
    std::function<void(const Outcome&)> more;
};

const std::vector<std::string> kVerbs = {"be-ver", "ver-kaufen", "ver-lieren", "be-zahlen",
                                         "be-ver-suchen"};

TEST(RaceGameTest, EdgeCases) {
    std::vector<std::string> manyLines(300, "ver-kaufen");
    manyLines[0] = "be-ver";
    manyLines[299] = "be-zahlen";
    const EdgeRow rows[] = {
        {"ver-kaufen typed right",
         {P, {"be-ver", "ver-kaufen"}},
         kOnePlayer + "dump start\n" + Keys("v e r") + kNext + kQuit,
         {2},
         "ver-kaufen=ver",
         44,
         [](const Outcome& o) {
             const std::string& start = o.run.dumps.at("start");
             EXPECT_EQ(CountTexts(start, " 12 \"k\""), 1) << "the stem stands";
             EXPECT_EQ(CountTexts(start, "\"v\""), 0) << "the answer place is empty";
             EXPECT_EQ(CountSounds(*o.run.platform, "tippton.wav"), 3);
             EXPECT_EQ(CountSounds(*o.run.platform, "schritt.wav"), 4);
         }},
        {"ab-an-auf-stehen solved with an",
         {P, {"ab-an-auf", "ab-an-auf-stehen"}},
         kOnePlayer + Keys("a n") + kNext + kQuit,
         {2},
         "ab-an-auf-stehen=an",
         44,
         {}},
        {"the v-r mistake stumbles 20 back and is remembered",
         {P, kVerbs, false, 0, 1, 1},
         kOnePlayer + Keys("v e r") + kNext + Keys("v r! e r") + kNext + kQuit,
         {2, 1003},
         "ver-lieren/v(vr)er",
         24,
         [](const Outcome& o) {
             EXPECT_EQ(o.run.players.RepeatCount, 1);
             EXPECT_EQ(o.run.players.RepeatList[1], 3);
         }},
        {"RETURN types the first letter and the word earns no steps",
         {P, {"be-ver", "ver-kaufen"}},
         kOnePlayer + Keys("RET e r") + kNext + kQuit,
         {1002},
         "ver-kaufen=ver",
         4,
         {}},
        {"a click on Ver is right for ver",
         {P, {"Ver", "ver-kaufen"}, true},
         kOnePlayer + "gclick 320 20\n" + kNext + kQuit,
         {2},
         "ver-kaufen=ver",
         44,
         {}},
        {"a click beside the top line does nothing",
         {P, {"Ver", "ver-kaufen"}, true},
         kOnePlayer + "gclick 320 200\nwait 500\ngclick 320 20\n" + kNext + kQuit,
         {2},
         "ver-kaufen=ver",
         44,
         {}},
        {"a wrong click stumbles and is written in parentheses",
         {P, {"be-ver", "ver-kaufen"}, true},
         kOnePlayer + "gclick 285 20\nwait 1500\ngclick 345 20\n" + kNext + kQuit,
         {1002},
         "ver-kaufen/(be)ver",
         4,
         {}},
        {"ja marks the syllables with green hyphens",
         {P, {"be-ver", "ver-ste_hen"}, false, 1},
         kOnePlayer + "dump start\n" + kQuit,
         {},
         "",
         4,
         [](const Outcome& o) { EXPECT_EQ(CountTexts(o.run.dumps.at("start"), " 10 \"-\""), 2); }},
        {"nein shows the stem as one word",
         {P, {"be-ver", "ver-ste_hen"}},
         kOnePlayer + "dump start\n" + kQuit,
         {},
         "",
         4,
         [](const Outcome& o) {
             EXPECT_EQ(CountTexts(o.run.dumps.at("start"), "\"-\""), 0);
             EXPECT_EQ(FrameEdges(o.run, "start", 135), 0);
         }},
        {"endings with Linie frame ab, and bei with the answer place",
         {E, {"\341en_zen", "ab-bei_\341en_zen"}, false, 2},
         kOnePlayer + "dump start\n" + Keys("z e n") + kNext + kQuit,
         {2},
         "ab-bei_\341en_zen=zen",
         44,
         [](const Outcome& o) { EXPECT_EQ(FrameEdges(o.run, "start", 135), 4); }},
        {"endings take the sharp s",
         {E, {"\341en_zen", "ab-bei_\341en_zen"}, false, 3},
         kOnePlayer + Keys("ß e n") + kNext + kQuit,
         {2},
         "ab-bei_\341en_zen=\341en",
         44,
         {}},
        {"at random a single task line is asked again",
         {P, {"be-ver", "ver-kaufen"}, false, 0, 0},
         kOnePlayer + Keys("v e r") + kNext + Keys("v e r") + kNext + kQuit,
         {2, 2},
         "ver-kaufen=ver",
         84,
         {}},
        {"a repeated word comes after the next one, then the order goes on",
         {P, kVerbs, false, 0, 1, 1},
         kOnePlayer + Keys("v r! e r") + kNext + Keys("v e r") + kNext + Keys("v e r") + kNext +
             Keys("b e") + kNext + kQuit,
         {1002, 3, 2, 4},
         "be-zahlen=be",
         124,
         {}},
        {"the start line of a 300-line list is played and the order wraps",
         {P, manyLines, false, 0, 1, 0, 300},
         kOnePlayer + Keys("b e") + kNext + Keys("v e r") + kNext + kQuit,
         {300, 2},
         "ver-kaufen=ver",
         84,
         {}},
        {"a prefix line without a prefix takes line 1's first part",
         {P, {"be-ver", "kaufen"}},
         kOnePlayer + "dump start\n" + Keys("b e") + kNext + kQuit,
         {2},
         "kaufen=be",
         44,
         [](const Outcome& o) {
             EXPECT_EQ(TextAt(o.run.dumps.at("start"), 10, 50),
                       "Fehler in Textdatei! Leertaste vor Bindestrich?");
             EXPECT_EQ(TextAt(o.run.dumps.at("start"), 360, 175), "weiter mit: \\\"be\\\"");
         }},
        {"endings lines without an ending are passed over",
         {E, {"heit", "Frei", "Frei-_heit"}},
         kOnePlayer + Keys("h e i t") + kNext + kQuit,
         {3},
         "Frei-_heit=heit",
         44,
         {}},
    };
    for (const EdgeRow& row : rows) {
        Outcome o = PlayRace(row.race, row.script);
        ASSERT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        EXPECT_EQ(ResultsOf(o.run.state), row.results) << row.what;
        if (!row.protocol.empty()) {
            EXPECT_EQ(LastProtocolLine(o.run.state), row.protocol) << row.what;
        }
        EXPECT_EQ(o.x[0], row.x1) << row.what;
        if (row.more) {
            SCOPED_TRACE(row.what);
            row.more(o);
        }
    }
}

// ---- Whole races -----------------------------------------------------------------------

std::string Words(int n, const std::string& keys) {
    std::string script;
    for (int i = 0; i < n; ++i) script += Keys(keys) + kNext;
    return script;
}

TEST(RaceGameTest, OnePlayerReachesTheFinishWithTheFifteenthWord) {
    Race race{P, {"be-ver-zer", "ver-kaufen", "be-zahlen", "zer-platzen"}};
    const std::string words = Keys("v e r") + kNext + Keys("b e") + kNext + Keys("z e r") + kNext;
    std::string script = kOnePlayer + words + words + words + words;
    script += Keys("v e r") + kNext + Keys("b e") + "dump fourteen\n" + kNext + Keys("z e r") +
              "wait 1500\nkey SPACE\nuntil Ziel erreicht!\ndump finish\nkey x\n";
    Outcome o = PlayRace(race, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.x[0], 594);
    EXPECT_EQ(o.run.players.TaskCount, 100);
    EXPECT_EQ(o.run.state.LastKey, 'x');
    EXPECT_EQ(o.run.state.ResultCount, 15);
    EXPECT_EQ(TextAt(o.run.dumps["finish"], 40, 100), "Ziel erreicht!");
    EXPECT_EQ(TextAt(o.run.dumps["finish"], 40, 160), "Hat es Spa\xc3\x9f gemacht ?");
    EXPECT_EQ(LastProtocolLine(o.run.state), "zer-platzen=zer");
    EXPECT_EQ(o.run.players.PlayerName1, "") << "the default name is cleared";
    const HeadlessPlatform& p = *o.run.platform;
    EXPECT_EQ(CountSounds(p, "schritt.wav"), 14 * 4 + 3);
    EXPECT_EQ(CountSounds(p, "schritt2.wav"), 0);
    EXPECT_EQ(CountSounds(p, "tippton.wav"), 5 * 8);
}

// Runner 1 passes the line on player 1's word; player 2 still runs the
// round. Both past: both names win; player 2 short of it: player 1 wins.
TEST(RaceGameTest, TwoPlayersFinishTheRound) {
    struct Row {
        const char* what;
        const char* lastKeys;  // player 2's fifteenth word
        std::vector<std::string> texts;
    };
    const Row rows[] = {
        {"both past the line",
         "v e r",
         {"text 10 90 6 \"Anna\"", "text 106 140 6 \"und Ben\"",
          "text 10 190 5 \"haben das Rennen gewonnen.\""}},
        {"only runner 1",
         "RET e r",
         {"text 40 100 6 \"Anna\"", "text 40 150 5 \"hat das Rennen gewonnen.\""}},
    };
    for (const Row& row : rows) {
        std::string script = kTwoPlayers + "dump names\n" + Words(14 * 2, "v e r");
        script += Keys("v e r") + "wait 1500\ndump anna15\nkey SPACE\nwait 300\n" +
                  Keys(row.lastKeys) + "wait 1500\nkey SPACE\nuntil gewonnen\ndump end\nkey x\n";
        Outcome o = PlayRace({P, {"ver", "ver-kaufen"}}, script);
        ASSERT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        EXPECT_EQ(o.x[0], 594) << row.what;
        EXPECT_EQ(o.x[1], row.lastKeys[0] == 'v' ? 594 : 564) << row.what;
        EXPECT_EQ(o.run.players.TaskCount, 100) << row.what;
        EXPECT_EQ(o.run.state.ResultCount, 30) << row.what;
        const auto texts = DumpTexts(o.run.dumps["end"]);
        for (const std::string& t : row.texts)
            EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end())
                << row.what << ": " << t;
        EXPECT_EQ(CountTexts(o.run.dumps["anna15"], "gewonnen.\""), 0)
            << row.what << ": runner 1 passed on player 1's word, player 2 still runs";
        const HeadlessPlatform& p = *o.run.platform;
        EXPECT_EQ(CountSounds(p, "schritt.wav"), 14 * 4 + 3) << row.what;
        EXPECT_GE(CountSounds(p, "schritt2.wav"), 14 * 4) << row.what;
        // Two players keep no word lines in the protocol.
        EXPECT_EQ(o.run.state.ProtocolLines[static_cast<size_t>(o.run.state.ProtocolCount)].find(
                      "ver-kaufen"),
                  std::string::npos)
            << row.what;
    }
}

TEST(RaceGameTest, TheTurnShowsInTheNames) {
    const std::string script =
        kTwoPlayers + "dump anna\n" + Keys("v e r") + kNext + "dump ben\n" + kQuit;
    Outcome o = PlayRace({P, {"ver", "ver-kaufen"}}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const auto anna = DumpTexts(o.run.dumps["anna"]);
    EXPECT_NE(std::find(anna.begin(), anna.end(), "text 260 334 0 \"Ben\""), anna.end());
    const auto ben = DumpTexts(o.run.dumps["ben"]);
    EXPECT_NE(std::find(ben.begin(), ben.end(), "text 260 334 14 \"Ben\""), ben.end());
    EXPECT_NE(std::find(ben.begin(), ben.end(), "text 260 463 0 \"Anna\""), ben.end());
    EXPECT_EQ(o.x[0], 44);
    EXPECT_EQ(o.x[1], 4);
    EXPECT_EQ(o.run.players.PlayerName1, "Anna");
    EXPECT_EQ(o.run.players.PlayerName2, "Ben");
}

// More than 60 words: the results table keeps its first 60 and the race
// goes on (words solved with help earn no steps).
TEST(RaceGameTest, TheResultsTableKeepsItsFirstSixtyWords) {
    const std::string script = kOnePlayer + Words(62, "RET RET RET") + kQuit;
    Outcome o = PlayRace({P, {"ver", "ver-kaufen"}}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.run.state.ResultCount, 60);
    EXPECT_EQ(o.run.state.Results[60], 1002);
    EXPECT_EQ(o.x[0], 4);
    EXPECT_GE(o.run.state.ProtocolCount, 62) << "the words after the 60th were still played";
}

// ESC answered "n" goes on with the word, "j" ends the race unscored.
TEST(RaceGameTest, EscIsConfirmed) {
    const std::string script =
        kOnePlayer + "key ESC\nuntil Jetzt schon beenden?\nkey n\nwait 300\n" + Keys("v e") + kQuit;
    Outcome o = PlayRace({P, {"ver", "ver-kaufen"}}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.run.state.ResultCount, 0) << "the word ended by ESC is not scored";
    EXPECT_EQ(o.run.state.LastKey, 27);
    EXPECT_FALSE(o.run.dos->screen.GraphMode);
}

// ---- Bad lists -------------------------------------------------------------------------

TEST(RaceGameTest, BadListsPlayOrEndWithAMessage) {
    std::vector<std::string> many(300, "ver-kaufen");
    many[0] = "ver";
    struct Row {
        const char* what;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"an empty list", {""}},
        {"one line", {"be-ver"}},
        {"no separators", {"bever", "kaufen", "lieren"}},
        {"a word of 200 letters", {"be-ver", "ver-" + std::string(200, 'a')}},
        {"blanks and control bytes", {"   ", "\x01\x02-\x03", "  -  ", "\t_\t"}},
        {"300 lines", many},
        {"separators doubled or at the ends", {"-be--ver-", "--kaufen-", "_ver__kaufen_", "-_-_"}},
        {"umlauts and sharp s everywhere",
         {"\204\224-\201\341", "\232\204-\341\224_\201", "\341_\341"}},
    };
    const std::string mix =
        "key 1\nwait 300\ntype v\nwait 200\nkey RET\nwait 200\ngclick 320 20\n"
        "wait 200\ntype e\nwait 1500\nkey SPACE\nwait 300\nkey ESC\nwait 300\n"
        "key j\nwait 300\nkey ESC\nwait 300\nkey j\n";
    for (const Row& row : rows) {
        for (RaceKind kind : {P, E}) {
            for (bool mouse : {false, true}) {
                Outcome o = PlayRace({kind, row.lines, mouse}, mix);
                EXPECT_TRUE(o.run.returned) << row.what << (kind == P ? " prefixes" : " endings")
                                            << (mouse ? " mouse" : " keys") << ": " << o.run.error;
            }
        }
    }
}

TEST(RaceGameTest, AListWithoutAWordToPlaySaysSo) {
    Outcome o = PlayRace({E, {"heit", "Frei", "Haus__t\201r"}}, "dump said\nkey x\n");
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(TextAt(o.run.dumps["said"], 40, 100),
              "Kein Wort f\xc3\xbcr das Rennen in der Liste.");
    EXPECT_EQ(o.run.state.LastKey, 27);
}

// From the menu and back: nothing of the race is left on the screen.
TEST(RaceGameTest, BackInTheMenuNothingOfTheRaceIsLeft) {
    RunOptions o;
    o.appDir = MakeTestAppDir("race-menu");
    o.script =
        "until Text-Editor\nkey v\nuntil Anzahl der Dateien\nkey RET\nuntil Anzahl der Spieler\n"
        "key 1\nuntil ZIEL\ndump game\nkey ESC\nuntil Jetzt schon beenden?\nkey j\n"
        "until Text-Editor\ndump back\nkey ESC\nkey RET\n";
    RunResult run = RunProgram(o);
    ASSERT_EQ(run.exitCode, 0) << run.error;
    EXPECT_EQ(run.dumps["game"].substr(0, 14), "mode: graphics");
    EXPECT_EQ(run.dumps["back"].substr(0, 10), "mode: text");
    EXPECT_EQ(run.dumps["back"].find("ZIEL"), std::string::npos);
}

}  // namespace
}  // namespace qs::test
