// Whole games with the jaws on the headless screen: a fixed seed, the
// virtual clock and a script of keys and clicks, with the turtle's place,
// the scores, the screen texts, the results, the protocol lines and the
// sounds checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "exercises/teeth/Teeth.h"
#include "screen/graph/Graph.h"
#include "support/DumpReading.h"
#include "support/PngFile.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

struct Game {
    std::vector<std::string> lines;
    bool mouse = false;
    int trennung = 0;     // " nein "
    int wortwahl = 1;     // " Reihenfolge "
    int wiederhole = 0;   // " nicht "
    int currentLine = 1;  // the start line chosen in the file selection
    bool artikel = false;
};

struct Outcome {
    RunResult run;
    int turtleX = -1;
    int score2 = -1;
};

Outcome PlayTeeth(const Game& game, const std::string& script) {
    Outcome out;
    RunOptions o;
    o.appDir = MakeTestAppDir("teeth");
    o.script = script;
    o.seed = 5;
    out.run = RunExercise(o, [&](Trainer& tr) {
        tr.t.ProgramNo = No(FileProgram::Endungen);
        tr.t.WordFileName = "test.EWT";
        int n = 0;
        for (const std::string& line : game.lines) tr.t.WordList[static_cast<size_t>(++n)] = line;
        tr.t.WordCount = n;
        tr.t.CurrentLine = game.currentLine;
        tr.t.opt.OptMaus = game.mouse ? 2 : 1;
        tr.t.opt.OptTrennung = game.trennung;
        tr.t.opt.OptWortwahl = game.wortwahl;
        tr.t.opt.OptWiederhole = game.wiederhole;
        tr.t.opt.OptArtikel = game.artikel;
        tr.t.opt.OptTon = 0;
        {
            nachsilben teeth(tr);
            teeth.Prepare();
            teeth.Run();
            teeth.Release();
            out.turtleX = teeth.turtleX;
            out.score2 = teeth.score2;
        }
        CloseGraph(tr.d);
    });
    return out;
}

// Keys typed one by one at a child's pace: "t o r RET". A RETURN that
// answers waits for the bite: a wrong one ("RET!") for the jaws to open
// again, a right one ("RET") for the turtle's walk too.
std::string Keys(const std::string& keys) {
    std::string script;
    size_t pos = 0;
    while (pos < keys.size()) {
        size_t end = keys.find(' ', pos);
        if (end == std::string::npos) end = keys.size();
        const std::string key = keys.substr(pos, end - pos);
        pos = end + 1;
        if (key == "RET") script += "key RET\nwait 4000\n";
        else if (key == "RET!") script += "key RET\nwait 1500\n";
        else if (key == "HELP") script += "key RET\nwait 200\n";
        else if (key == "BS") script += "key BS\nwait 200\n";
        else script += "type " + key + "\nwait 200\n";
    }
    return script;
}

const std::string kOnePlayer = "key 1\nwait 300\n";
const std::string kTwoPlayers = "key 2\ntype anna\nkey RET\ntype ben\nkey RET\nwait 300\n";
const std::string kQuit = "key ESC\nuntil Jetzt schon beenden?\nkey j\n";

const std::vector<std::string> kHaus = {"t\x81r_tor", "Haus_t\x81r"};

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

// The last word's line; a word left with ESC before anything was answered
// leaves an empty one.
std::string LastProtocolLine(const TrainerState& t) {
    for (int i = t.ProtocolCount; i > 0; --i)
        if (!t.ProtocolLines[static_cast<size_t>(i)].empty())
            return t.ProtocolLines[static_cast<size_t>(i)];
    return "";
}

bool ProtocolHolds(const TrainerState& t, const std::string& text) {
    for (const std::string& line : t.ProtocolLines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

int CountTexts(const std::string& dump, const std::string& tail) {
    const auto texts = DumpTexts(dump);
    return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const std::string& t) {
        return t.size() >= tail.size() && t.compare(t.size() - tail.size(), tail.size(), tail) == 0;
    }));
}

// Pixels that are not black in a band of the dump (graph points, at the
// tests' 1280 x 960 window: two pixels a point).
int LitPixels(const RunResult& run, const std::string& dump, int x1, int y1, int x2, int y2) {
    auto png = ReadPng(run.outDir + "/" + dump + ".png");
    if (!png) return -1;
    int lit = 0;
    for (int y = y1 * 2; y < y2 * 2; ++y)
        for (int x = x1 * 2; x < x2 * 2; ++x) lit += png->Pixel(x, y) != MakeRgb(0, 0, 0);
    return lit;
}

// ---- The edge cases, one word or a few each -------------------------------------

struct EdgeRow {
    const char* what;
    Game game;
    std::string script;
    std::vector<int> results;
    std::string protocol;  // the last protocol line; "" not checked
    int taskCount;
    int turtleX;
    std::function<void(const Outcome&)> more;
};

TEST(TeethGameTest, EdgeCases) {
    std::vector<std::string> manyLines(300, "Haus_t\x81r");
    manyLines[0] = "t\x81r_en";
    manyLines[299] = "Frau_en";
    std::vector<std::string> fiveAndOne = {"en_t\x81r", "Frau_en", "Tor_en",     "Uhr_en",
                                           "Bahn_en",   "Tat_en",  "Haus_t\x81r"};
    const EdgeRow rows[] = {
        {"Haus-t\xc3\xbcr answered right at the first try",
         {kHaus},
         kOnePlayer + "dump start\n" + Keys("t ü r RET") + "dump after\n" + kQuit,
         {2},
         "Haus_t\x81r=t\x81r",
         1,
         28,
         [](const Outcome& o) {
             const std::string& start = o.run.dumps.at("start");
             EXPECT_EQ(CountTexts(start, " 14 \"H\""), 1) << "the stem stands";
             EXPECT_EQ(TextAt(o.run.dumps.at("after"), 10, 140),
                       " Bei\xc3\x9f"
                       "fest: 1");
             EXPECT_EQ(TextAt(o.run.dumps.at("after"), 380, 140), "");
             const HeadlessPlatform& p = *o.run.platform;
             EXPECT_EQ(CountSounds(p, "tippton.wav"), 3);
             EXPECT_EQ(CountSounds(p, "zaehnefallen.wav"), 1);
             EXPECT_EQ(CountSounds(p, "wegbeissen.wav"), 0);
             EXPECT_EQ(CountSounds(p, "schildkroeteschritt.wav"), kTurtleRounds);
         }},
        {"tor then t\xc3\xbcr: one bite",
         {kHaus, false, 0, 1, 1},
         kOnePlayer + Keys("t o r RET! t ü r RET") + "dump after\n" + kQuit,
         {1002},
         "Haus_t\x81r/(tor)t\x81r",
         0,
         28,
         [](const Outcome& o) {
             EXPECT_EQ(TextAt(o.run.dumps.at("after"), 380, 140), "Weggebissen: 1");
             EXPECT_EQ(TextAt(o.run.dumps.at("after"), 10, 140),
                       " Bei\xc3\x9f"
                       "fest: 0");
             EXPECT_EQ(o.score2, 1);
             EXPECT_EQ(o.run.players.RepeatCount, 1) << "the bitten word is asked again";
             EXPECT_EQ(o.run.players.RepeatList[1], 2);
             EXPECT_EQ(CountSounds(*o.run.platform, "wegbeissen.wav"), 1);
         }},
        {"the bitten ending is gone from the screen",
         {{"t\x81r_tor", "Haus_t\x81r"}},
         kOnePlayer + Keys("t o r RET!") + "dump bitten\n" + kQuit,
         {},
         "",
         0,
         0,
         [](const Outcome& o) {
             // Right of the stem, between the open jaws, nothing is left.
             EXPECT_EQ(LitPixels(o.run, "bitten", 160, 240, 600, 330), 0);
         }},
        {"RETURN on an empty input types the first letter",
         {kHaus},
         kOnePlayer + Keys("HELP ü r RET") + kQuit,
         {2},
         "Haus_t\x81r=t\x81r",
         1,
         28,
         [](const Outcome& o) { EXPECT_EQ(CountSounds(*o.run.platform, "tippton.wav"), 3); }},
        {"Backspace takes the last letter back",
         {kHaus},
         kOnePlayer + Keys("t o BS ü r RET") + kQuit,
         {2},
         "Haus_t\x81r=t\x81r",
         1,
         28,
         [](const Outcome& o) { EXPECT_EQ(CountSounds(*o.run.platform, "wegmachen.wav"), 1); }},
        {"capital umlauts are not typed, sharp s is",
         {{"\341e_\232be", "Stra_\341e"}},
         kOnePlayer + Keys("Ü ß e RET") + kQuit,
         {2},
         "Stra_\341e=\341e",
         1,
         28,
         [](const Outcome& o) { EXPECT_EQ(CountSounds(*o.run.platform, "tippton.wav"), 2); }},
        {"letters beyond the longest ending and two are not taken",
         {kHaus},
         kOnePlayer + Keys("i i i i i i i RET!") + kQuit,
         {},
         "Haus_t\x81r/(iiiii)",
         0,
         0,
         [](const Outcome& o) { EXPECT_EQ(CountSounds(*o.run.platform, "tippton.wav"), 5); }},
        {"the brush comes at the sixth word after five right ones",
         {fiveAndOne},
         kOnePlayer + Keys("e n RET e n RET e n RET e n RET e n RET") + "dump five\n" +
             Keys("t ü r RET") + kQuit + "until Okay, das reicht dir.\nkey x\n",
         {2, 3, 4, 5, 6, 7},
         "Haus_t\x81r=t\x81r",
         6,
         600,  // the farewell after ESC puts the turtle at the end
         [](const Outcome& o) {
             EXPECT_EQ(CountSounds(*o.run.platform, "gebiss.wav"), 4);
             EXPECT_EQ(TextAt(o.run.dumps.at("five"), 10, 140),
                       " Bei\xc3\x9f"
                       "fest: 5");
         }},
        {"a click on the ending answers at once",
         {{"t\x81r", "Haus_t\x81r"}, true},
         kOnePlayer + "gclick 320 20\nwait 4000\n" + kQuit,
         {2},
         "Haus_t\x81r=t\x81r",
         1,
         28,
         [](const Outcome& o) { EXPECT_EQ(CountSounds(*o.run.platform, "tippton.wav"), 3); }},
        {"a click on a wrong ending bites it away",
         {{"tor_tor_tor", "Haus_t\x81r"}, true},
         kOnePlayer + "gclick 320 20\nwait 1500\n" + kQuit,
         {},
         "Haus_t\x81r/(tor)",
         0,
         0,
         {}},
        {"an invisible article without articles",
         {{"t\x81r", "das Haus_t\x81r"}},
         kOnePlayer + "dump start\n" + kQuit,
         {},
         "",
         0,
         0,
         [](const Outcome& o) {
             EXPECT_EQ(CountTexts(o.run.dumps.at("start"), " 0 \"d\""), 1);
             EXPECT_EQ(CountTexts(o.run.dumps.at("start"), " 14 \"H\""), 1);
         }},
        {"the article in cyan with articles",
         {{"t\x81r", "das Haus_t\x81r"}, false, 0, 1, 0, 1, true},
         kOnePlayer + "dump start\n" + kQuit,
         {},
         "",
         0,
         0,
         [](const Outcome& o) { EXPECT_EQ(CountTexts(o.run.dumps.at("start"), " 11 \"d\""), 1); }},
        {"ja shows the hyphens in green",
         {{"\341en_zen", "ab-bei_zen"}, false, 1},
         kOnePlayer + "dump start\n" + Keys("z e n RET") + kQuit,
         {2},
         "ab-bei_zen=zen",
         1,
         28,
         [](const Outcome& o) { EXPECT_EQ(CountTexts(o.run.dumps.at("start"), " 10 \"-\""), 1); }},
        {"Block draws the stem dark on orange",
         {{"\341en_zen", "ab-bei_zen"}, false, 3},
         kOnePlayer + "dump start\n" + Keys("z e n RET") + kQuit,
         {2},
         "ab-bei_zen=zen",
         1,
         28,
         [](const Outcome& o) {
             EXPECT_EQ(CountTexts(o.run.dumps.at("start"), " 2 \"b\""), 2);
             EXPECT_EQ(CountTexts(o.run.dumps.at("start"), "\"-\""), 0);
         }},
        {"at random a single task line is asked again",
         {kHaus, false, 0, 0},
         kOnePlayer + Keys("t ü r RET t ü r RET") + kQuit,
         {2, 2},
         "Haus_t\x81r=t\x81r",
         2,
         56,
         {}},
        {"the start line of a 300-line list is played and the order wraps",
         {manyLines, false, 0, 1, 0, 300},
         kOnePlayer + Keys("e n RET t ü r RET") + kQuit,
         {300, 2},
         "Haus_t\x81r=t\x81r",
         2,
         56,
         {}},
        {"lines without an ending to type are passed over",
         {{"t\x81r", "Haus", "Haus__", "Tor_\232ber", "Haus_t\x81r"}},
         kOnePlayer + Keys("t ü r RET") + kQuit,
         {5},
         "Haus_t\x81r=t\x81r",
         1,
         28,
         {}},
    };
    for (const EdgeRow& row : rows) {
        Outcome o = PlayTeeth(row.game, row.script);
        ASSERT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        EXPECT_EQ(ResultsOf(o.run.state), row.results) << row.what;
        if (!row.protocol.empty()) {
            EXPECT_EQ(LastProtocolLine(o.run.state), row.protocol) << row.what;
        }
        EXPECT_EQ(o.run.players.TaskCount, row.taskCount) << row.what;
        EXPECT_EQ(o.turtleX, row.turtleX) << row.what;
        EXPECT_FALSE(o.run.dos->screen.GraphMode) << row.what;
        if (row.more) {
            SCOPED_TRACE(row.what);
            row.more(o);
        }
    }
}

// ---- Whole games ------------------------------------------------------------------------

std::string Words(int n, const std::string& keys) {
    std::string script;
    for (int i = 0; i < n; ++i) script += Keys(keys);
    return script;
}

TEST(TeethGameTest, OnePlayerWalksTheTurtleToTheEdge) {
    const std::string script = kOnePlayer + Words(20, "t ü r RET") + "dump twenty\n" +
                               Keys("t ü r") + "key RET\nuntil Weiter kann ich nicht.\n" +
                               "dump end\nkey x\n";
    Outcome o = PlayTeeth({kHaus}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.turtleX, 600);
    EXPECT_EQ(o.run.players.TaskCount, 21);
    EXPECT_EQ(o.run.state.ResultCount, 21);
    EXPECT_EQ(o.run.state.LastKey, 27);
    EXPECT_EQ(TextAt(o.run.dumps["twenty"], 10, 140),
              " Bei\xc3\x9f"
              "fest: 20");
    EXPECT_EQ(TextAt(o.run.dumps["end"], 40, 410), "Weiter kann ich nicht.");
    EXPECT_EQ(LastProtocolLine(o.run.state), "Haus_t\x81r=t\x81r");
    EXPECT_EQ(o.run.players.PlayerName1, "") << "the default name is cleared";
    const HeadlessPlatform& p = *o.run.platform;
    EXPECT_EQ(CountSounds(p, "kontaktende.wav"), 1);
    EXPECT_EQ(CountSounds(p, "gebiss.wav"), 4 * 4) << "brushed after words 5, 10, 15 and 20";
    EXPECT_EQ(CountSounds(p, "zaehnefallen.wav"), 21);
}

// The turtle passes 560 with the 21st word (player 1's); player 2 still
// plays the round. The player with more bite-proof words wins.
TEST(TeethGameTest, TwoPlayersFinishTheRound) {
    struct Row {
        const char* what;
        const char* lastKeys;  // player 2's 11th word
        std::string message;
        int score1;
        int score2;
    };
    const Row rows[] = {
        {"a tie", "t ü r RET", "Beide Spieler haben gewonnen.", 11, 11},
        {"player 2 bitten once", "t o r RET! t ü r RET", "Anna hat das Spiel gewonnen.", 11, 10},
    };
    for (const Row& row : rows) {
        const std::string script = kTwoPlayers + Words(21, "t ü r RET") + "dump anna11\n" +
                                   Keys(row.lastKeys) + "until gewonnen.\ndump end\nkey x\n";
        Outcome o = PlayTeeth({kHaus}, script);
        ASSERT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        EXPECT_EQ(o.run.players.TaskCount, row.score1) << row.what;
        EXPECT_EQ(o.score2, row.score2) << row.what;
        EXPECT_EQ(o.run.state.ResultCount, 22) << row.what;
        EXPECT_EQ(TextAt(o.run.dumps["end"], 40, 180), row.message) << row.what;
        EXPECT_EQ(CountTexts(o.run.dumps["anna11"], "gewonnen.\""), 0)
            << row.what << ": the turtle passed on player 1's word, player 2 still plays";
        EXPECT_EQ(TextAt(o.run.dumps["anna11"], 10, 140), "Anna: 11") << row.what;
        EXPECT_EQ(TextAt(o.run.dumps["anna11"], 400, 140), "Ben: 10") << row.what;
        EXPECT_EQ(o.run.players.PlayerName1, "Anna") << row.what;
    }
}

TEST(TeethGameTest, TheTurnShowsInTheScores) {
    const std::string script = kTwoPlayers + Keys("t ü r RET") + "dump ben\n" + kQuit;
    Outcome o = PlayTeeth({kHaus}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const auto ben = DumpTexts(o.run.dumps["ben"]);
    EXPECT_NE(std::find(ben.begin(), ben.end(), "text 10 140 8 \"Anna: 1\""), ben.end());
    EXPECT_NE(std::find(ben.begin(), ben.end(), "text 400 140 5 \"Ben: 0\""), ben.end());
    EXPECT_FALSE(o.run.players.Player1Turn);
    EXPECT_FALSE(ProtocolHolds(o.run.state, "Haus")) << "two players keep no word lines";
}

// ESC asks; "n" goes on with the word. "j" after three words says goodbye,
// after fewer the game ends silently; the word left unanswered counts for
// nobody.
TEST(TeethGameTest, EscIsConfirmed) {
    struct Row {
        const char* what;
        int words;
        bool farewell;
    };
    const Row rows[] = {{"after one word", 1, false}, {"after three words", 3, true}};
    for (const Row& row : rows) {
        std::string script = kOnePlayer + "key ESC\nuntil Jetzt schon beenden?\nkey n\nwait 300\n" +
                             Words(row.words, "t ü r RET") + kQuit;
        if (row.farewell) script += "until Okay, das reicht dir.\ndump bye\nkey x\n";
        Outcome o = PlayTeeth({kHaus}, script);
        ASSERT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        EXPECT_EQ(o.run.players.TaskCount, row.words) << row.what;
        EXPECT_EQ(o.run.state.ResultCount, row.words) << row.what;
        EXPECT_EQ(o.run.state.LastKey, 27) << row.what;
        if (row.farewell) {
            EXPECT_EQ(TextAt(o.run.dumps["bye"], 40, 410), "Okay, das reicht dir.") << row.what;
        }
        EXPECT_EQ(CountSounds(*o.run.platform, "kontaktende.wav"), row.farewell ? 1 : 0)
            << row.what;
        EXPECT_FALSE(o.run.dos->screen.GraphMode) << row.what;
    }
}

// ---- Bad lists -------------------------------------------------------------------------

TEST(TeethGameTest, BadListsPlayOrEndWithAMessage) {
    std::vector<std::string> many(300, "Haus_t\x81r");
    many[0] = "t\x81r";
    struct Row {
        const char* what;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"an empty list", {""}},
        {"one line", {"t\x81r"}},
        {"no separators", {"tuer", "Haus", "Tor"}},
        {"a word of 200 letters", {"en", std::string(200, 'a') + "_en"}},
        {"a stem of 200 letters with dashes",
         {"en", std::string(100, 'a') + "-" + std::string(99, 'b') + "_en"}},
        {"an ending of 200 letters", {"en", "Haus_" + std::string(200, 'e')}},
        {"blanks and control bytes", {"   ", "\x01\x02_\x03", "  _  ", "\t_\t", " _a"}},
        {"300 lines", many},
        {"separators doubled or at the ends", {"_en__", "__Haus_", "Haus__en_", "-_-_", "a-_b"}},
        {"umlauts and sharp s everywhere",
         {"\204\224_\201\341", "\232\204-\341\224_\201", "\341_\341", "\216\231\232_\204"}},
        {"many endings", {"a_b", "Haus_a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p"}},
    };
    const std::string mix =
        "key 1\nwait 300\ntype e\nwait 200\nkey RET\nwait 1500\ngclick 320 20\nwait 1500\n"
        "key RET\nwait 200\nkey RET\nwait 4000\ntype n\nwait 200\nkey BS\nwait 200\n"
        "key ESC\nwait 300\nkey j\nwait 300\nkey ESC\nwait 300\nkey j\nwait 300\nkey x\n";
    for (const Row& row : rows) {
        for (bool mouse : {false, true}) {
            for (int trennung : {0, 3}) {
                Outcome o = PlayTeeth({row.lines, mouse, trennung}, mix);
                EXPECT_TRUE(o.run.returned) << row.what << (mouse ? " mouse" : " keys") << " "
                                            << trennung << ": " << o.run.error;
            }
        }
    }
}

TEST(TeethGameTest, AListWithoutAnEndingToTypeSaysSo) {
    Outcome o = PlayTeeth({{"t\x81r", "Haus", "Haus__"}}, "dump said\nkey x\n");
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(TextAt(o.run.dumps["said"], 40, 100), "Kein Wort mit Endung in der Liste.");
    EXPECT_EQ(o.run.state.LastKey, 27);
}

// From the menu and back: nothing of the game is left on the screen.
TEST(TeethGameTest, BackInTheMenuNothingOfTheGameIsLeft) {
    RunOptions o;
    o.appDir = MakeTestAppDir("teeth-menu");
    o.script =
        "until Text-Editor\nkey e\nuntil Anzahl der Dateien\nkey RET\nuntil Anzahl der Spieler\n"
        "key 1\nwait 1000\ndump game\nkey ESC\nuntil Jetzt schon beenden?\nkey j\n"
        "until Text-Editor\ndump back\nkey ESC\nkey RET\n";
    RunResult run = RunProgram(o);
    ASSERT_EQ(run.exitCode, 0) << run.error;
    EXPECT_EQ(run.dumps["game"].substr(0, 14), "mode: graphics");
    EXPECT_EQ(run.dumps["back"].substr(0, 10), "mode: text");
}

}  // namespace
}  // namespace qs::test
