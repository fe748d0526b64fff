// Whole games of Kontakt on the headless screen: a fixed seed, the virtual
// clock and a script of keys and clicks, with the boards, the scores, the
// turns and the sounds checked. The board's order is random; a mouse game
// is first run up to its board to read where the words stand, then played
// again with the same seed, clicking their sockets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "exercises/contact/Contact.h"
#include "screen/graph/Graph.h"
#include "support/PngFile.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

struct Game {
    std::vector<std::string> lines;
    bool mouse = false;
    int greifteile = 0;  // " zusammen "
    int wortwahl = 1;    // " Reihenfolge "
    int currentLine = 1;
    Size size{1280, 960};
};

struct Outcome {
    RunResult run;
    int second = -1;  // Schlechte, or player 2's points
    int boards = -1;
};

Outcome Play(const Game& game, const std::string& script) {
    Outcome out;
    RunOptions o;
    o.appDir = MakeTestAppDir("contact");
    o.script = script;
    o.seed = 7;
    o.size = game.size;
    out.run = RunExercise(o, [&](Trainer& tr) {
        tr.t.ProgramNo = No(FileProgram::KontaktGreifen);
        tr.t.WordFileName = "test.KWT";
        int n = 0;
        for (const std::string& line : game.lines) tr.t.WordList[static_cast<size_t>(++n)] = line;
        tr.t.WordCount = n;
        tr.t.CurrentLine = game.currentLine;
        tr.t.opt.OptMaus = game.mouse ? 2 : 1;
        tr.t.opt.OptGreifteile = game.greifteile;
        tr.t.opt.OptWortwahl = game.wortwahl;
        tr.t.opt.OptTon = 0;
        {
            elektro e(tr);
            e.Prepare();
            e.Run();
            e.Release();
            out.second = e.secondScore;
            out.boards = e.boardsPlayed;
        }
        CloseGraph(tr.d);
    });
    return out;
}

int CountSounds(const HeadlessPlatform& p, const std::string& file) {
    const auto& log = p.SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PlayedSound& s) {
        return s.path.size() >= file.size() &&
               s.path.compare(s.path.size() - file.size(), file.size(), file) == 0;
    }));
}

// Where each word of a board of `rows` rows stands: its column (1..4) and
// row. A dump lists every text since the screen was cleared, so the last
// word drawn at a place is the one there.
struct Place {
    int column = 0;
    int row = 0;
};
std::map<std::string, Place> BoardOf(const std::string& dump, int rows = 4) {
    std::map<std::pair<int, int>, std::string> at;
    const int xs[] = {40, 180, 334, 474};
    for (const std::string& t : DumpTexts(dump)) {
        int x = 0, y = 0, c = 0;
        if (std::sscanf(t.c_str(), "text %d %d %d", &x, &y, &c) != 3) continue;
        const auto column = std::find(std::begin(xs), std::end(xs), x) - std::begin(xs) + 1;
        if (column > 4 || (y + 20) % 80 != 0 || y < 60 || y > 80 * rows - 20) continue;
        const size_t quote = t.find('"');
        at[{static_cast<int>(column), (y + 20) / 80}] = t.substr(quote + 1, t.size() - quote - 2);
    }
    std::map<std::string, Place> board;
    for (const auto& [place, word] : at) board[word] = {place.first, place.second};
    return board;
}

// A click on the socket of a word.
std::string Click(const std::map<std::string, Place>& board, const std::string& word) {
    const auto at = board.find(word);
    if (at == board.end()) return "# no " + word + " on the board\n";
    const Place& p = at->second;
    return "gclick " + std::to_string(ContactColumnAt(p.column).socketX) + " " +
           std::to_string(SocketY(p.row)) + "\n";
}

const std::string kOnePlayer = "key 1\nwait 300\n";
const std::string kTwoPlayers = "key 2\ntype anna\nkey RET\ntype ben\nkey RET\nwait 300\n";
// After a right connection the lamp blinks for about five seconds.
const std::string kLamp = "wait 6000\n";
const std::string kPlug = "wait 1000\n";
// The finished board waits for a key, then the plugs go back.
const std::string kNextBoard = "wait 2000\nkey SPACE\nwait 1500\n";
const std::string kQuit =
    "key ESC\nuntil Jetzt schon beenden?\nkey j\nwait 300\ndump stop\nkey SPACE\n";

// Typed letter by letter (word in UTF-8, as a script types).
std::string Typed(const std::string& word) {
    std::string s;
    for (size_t i = 0; i < word.size();) {
        size_t len = 1;
        while (i + len < word.size() && (static_cast<unsigned char>(word[i + len]) & 0xC0) == 0x80)
            ++len;
        s += "type " + word.substr(i, len) + "\nwait 100\n";
        i += len;
    }
    return s;
}

int CountTextsWith(const std::string& dump, const std::string& head) {
    const auto texts = DumpTexts(dump);
    return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const std::string& t) {
        return t.compare(0, head.size(), head) == 0;
    }));
}

const std::vector<std::string> kFour = {"Tisch-decke", "Fenster-bank", "Bade-wanne",
                                        "Kopf-h\x94rer", "-"};
const std::vector<std::string> kSix = {"Haus-t\x81r", "Auto-bahn",   "Zahn-b\x81rste",
                                       "Hand-schuh",  "Blumen-topf", "Regen-schirm",
                                       "-3"};

// ---- Keyboard -----------------------------------------------------------------------

TEST(ContactGameTest, OnePlayerTypesTwoBoards) {
    std::vector<std::string> lines = kFour;
    lines.insert(lines.end(), kSix.begin(), kSix.end());
    const std::string script =
        kOnePlayer + "dump four\n" + Typed("Tischdecke") + kLamp + Typed("Badewanne") + kLamp +
        Typed("Fensterbank") + kLamp + Typed("Kopfh\xc3\xb6rer") + kLamp + "dump done\n" +
        kNextBoard + "dump six\n" + Typed("Autobahn") + kLamp + Typed("Hausx") +
        "key RET\nwait 500\n" + "key BS\nwait 100\n" + Typed("t\xc3\xbcr") + kLamp +
        Typed("Handschuh") + kLamp + "dump three\n" + kNextBoard + "dump again\n" + kQuit;
    Outcome o = Play({lines}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const auto four = BoardOf(o.run.dumps.at("four"));
    EXPECT_EQ(four.size(), 8u) << "first and second parts of the block of 4";
    EXPECT_EQ(four.at("Tisch").column <= 2, true);
    EXPECT_EQ(four.at("decke").column >= 3, true);
    EXPECT_EQ(TextAt(o.run.dumps.at("done"), 40, 20), "Gute: 4");
    EXPECT_EQ(TextAt(o.run.dumps.at("done"), 324, 20), "Schlechte: 0");
    const auto six = BoardOf(o.run.dumps.at("six"));
    EXPECT_EQ(six.size(), 12u) << "3 rows of 4 sockets";
    // "-3": three right compounds finish the block of 6; the wrong RETURN
    // made Haust\x81r a Schlechte.
    EXPECT_EQ(TextAt(o.run.dumps.at("three"), 40, 20), "Gute: 6");
    EXPECT_EQ(TextAt(o.run.dumps.at("three"), 324, 20), "Schlechte: 1");
    const auto again = BoardOf(o.run.dumps.at("again"), 2);
    EXPECT_EQ(again.size(), 8u);
    EXPECT_EQ(again.count("Tisch"), 1u) << "the first block comes again";
    EXPECT_EQ(o.run.players.TaskCount, 6);
    EXPECT_EQ(o.second, 1);
    EXPECT_EQ(o.boards, 3);
    EXPECT_EQ(CountSounds(*o.run.platform, "kontaktrichtig2.wav"), 7);
    EXPECT_EQ(CountSounds(*o.run.platform, "kontaktende.wav"), 2);
    EXPECT_EQ(CountSounds(*o.run.platform, "Fehlerton.wav"), 1);
    EXPECT_GE(CountSounds(*o.run.platform, "tippton.wav"), 50);
}

// ---- The edge cases -------------------------------------------------------------------

struct EdgeRow {
    const char* what;
    Game game;
    std::string script;
    std::function<void(const Outcome&)> check;
};

TEST(ContactGameTest, EdgeCases) {
    const std::vector<std::string> nine = {"a-r", "b-s", "c-t", "d-u", "e-v",
                                           "f-w", "g-x", "h-y", "i-z", "-"};
    const EdgeRow rows[] = {
        {"a block of 6 builds 3 rows; the panels end at y 290",
         {kSix},
         kOnePlayer + "dump six\n" + kQuit,
         [](const Outcome& o) {
             const auto board = BoardOf(o.run.dumps.at("six"));
             EXPECT_EQ(board.size(), 12u);
             for (const auto& [word, place] : board) EXPECT_LE(place.row, 3) << word;
             auto png = ReadPng(o.run.outDir + "/six.png");
             ASSERT_TRUE(png);
             EXPECT_EQ(png->Pixel(100 * 2, 280 * 2), png->Pixel(100 * 2, 200 * 2)) << "panel";
             EXPECT_NE(png->Pixel(100 * 2, 300 * 2), png->Pixel(100 * 2, 200 * 2)) << "below";
         }},
        {"a block of 8 builds 4 rows",
         {{"a-r", "b-s", "c-t", "d-u", "e-v", "f-w", "g-x", "h-y", "-"}},
         kOnePlayer + "dump eight\n" + kQuit,
         [](const Outcome& o) { EXPECT_EQ(BoardOf(o.run.dumps.at("eight")).size(), 16u); }},
        {"a block of 9 plays its first 8",
         {nine},
         kOnePlayer + "dump nine\n" + kQuit,
         [](const Outcome& o) {
             const auto board = BoardOf(o.run.dumps.at("nine"));
             EXPECT_EQ(board.size(), 16u);
             EXPECT_EQ(board.count("i"), 0u);
         }},
        {"an odd block says so on the screen and plays the 4 with a place",
         {{"Tisch-decke", "Fenster-bank", "Bade-wanne", "Kopf-h\x94rer", "Auto-bahn", "-"}},
         kOnePlayer + "dump odd\n" + Typed("Tischdecke") + kLamp + Typed("Fensterbank") + kLamp +
             Typed("Badewanne") + kLamp + Typed("Kopfh\xc3\xb6rer") + kLamp + "dump done\n" + kQuit,
         [](const Outcome& o) {
             const std::string& odd = o.run.dumps.at("odd");
             EXPECT_EQ(TextAt(odd, 20, 434), "Fehler in der Textdatei!!");
             EXPECT_EQ(BoardOf(odd).count("Auto"), 0u);
             EXPECT_EQ(TextAt(o.run.dumps.at("done"), 40, 20), "Gute: 4");
         }},
        {"a list whose last block has no closing line: it ends at the list's end",
         {{"Tisch-decke", "Fenster-bank", "-", "Bade-wanne", "Kopf-h\x94rer"}},
         kOnePlayer + Typed("Tischdecke") + kLamp + Typed("Fensterbank") + kLamp + kNextBoard +
             "dump last\n" + Typed("Badewanne") + kLamp + Typed("Kopfh\xc3\xb6rer") + kLamp +
             kNextBoard + "dump first\n" + kQuit,
         [](const Outcome& o) {
             EXPECT_EQ(BoardOf(o.run.dumps.at("last")).count("Bade"), 1u);
             EXPECT_EQ(BoardOf(o.run.dumps.at("first")).count("Tisch"), 1u);
             EXPECT_EQ(o.run.players.TaskCount, 4);
         }},
        {"getrennt: the first part shows \" - \" at once, Backspace takes it with its letter",
         {kFour, false, 1},
         kOnePlayer + Typed("Tisch") + "dump dash\nkey BS\nwait 300\ndump back\n" +
             Typed("hdecke") + kLamp + "dump right\n" + kQuit,
         [](const Outcome& o) {
             EXPECT_EQ(TextAt(o.run.dumps.at("dash"), 240, 395), "Tisch - ");
             EXPECT_EQ(TextAt(o.run.dumps.at("back"), 240, 395), "Tisc");
             EXPECT_EQ(o.run.players.TaskCount, 1);
         }},
        {"a \"/\" before the first line separates the parts as getrennt does",
         {{"/Tisch-decke", "Fenster-bank", "-"}},
         kOnePlayer + Typed("Fenster") + "dump dash\n" + kQuit,
         [](const Outcome& o) {
             EXPECT_EQ(TextAt(o.run.dumps.at("dash"), 240, 395), "Fenster - ");
             EXPECT_EQ(BoardOf(o.run.dumps.at("dash")).count("Tisch"), 1u) << "no / shown";
         }},
        {"extended keys and signs are not typed; 16 letters at most",
         {kFour},
         kOnePlayer + "key LEFT\nwait 100\ntype 1\nwait 100\n" + Typed("abcdefghijklmnopq") +
             "dump typed\n" + kQuit,
         [](const Outcome& o) {
             EXPECT_EQ(TextAt(o.run.dumps.at("typed"), 240, 395), "abcdefghijklmnop");
         }},
        {"RETURN with nothing typed is a mistake",
         {kFour},
         kOnePlayer + "key RET\nwait 500\n" + kQuit,
         [](const Outcome& o) {
             EXPECT_EQ(CountSounds(*o.run.platform, "Fehlerton.wav"), 1);
             EXPECT_EQ(o.run.players.TaskCount, 0);
         }},
        {"ESC answered n plays on",
         {kFour},
         kOnePlayer + Typed("Tisch") + "key ESC\nuntil Jetzt schon beenden?\nkey n\nwait 300\n" +
             Typed("decke") + kLamp + kQuit,
         [](const Outcome& o) { EXPECT_EQ(o.run.players.TaskCount, 1); }},
    };
    for (const EdgeRow& row : rows) {
        SCOPED_TRACE(row.what);
        Outcome o = Play(row.game, row.script);
        ASSERT_TRUE(o.run.returned) << o.run.error;
        EXPECT_FALSE(o.run.dos->screen.GraphMode) << "back on the character screen";
        row.check(o);
    }
}

TEST(ContactGameTest, TwoPlayersTypingPassTheTurnAfterEachCompound) {
    const std::string script = kTwoPlayers + "dump anna\n" + Typed("Tischdecke") + kLamp +
                               "dump ben\n" + Typed("Badewannx") + "key RET\nwait 500\n" +
                               "key BS\nwait 100\n" + Typed("e") + kLamp + Typed("Fensterbank") +
                               kLamp + "dump end\n" + kQuit;
    Outcome o = Play({kFour}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    // The player whose turn it is stands in orange.
    EXPECT_EQ(TextAt(o.run.dumps.at("anna"), 40, 20), "Anna");
    EXPECT_EQ(CountTextsWith(o.run.dumps.at("anna"), "text 40 20 12 "), 1);
    EXPECT_EQ(CountTextsWith(o.run.dumps.at("ben"), "text 324 20 12 "), 1);
    EXPECT_EQ(o.run.players.TaskCount, 2) << "Anna: Tischdecke and Fensterbank";
    EXPECT_EQ(o.second, 0) << "Ben's Badewanne came after a wrong RETURN";
    EXPECT_EQ(TextAt(o.run.dumps.at("stop"), 40, 390), "Anna hat gewonnen.");
}

// ---- Mouse ----------------------------------------------------------------------------

// Runs the game up to its first board and reads it.
std::map<std::string, Place> FirstBoard(const Game& game, const std::string& players) {
    Outcome o = Play(game, players + "wait 500\ndump board\n");
    return BoardOf(o.run.dumps["board"]);
}

TEST(ContactGameTest, OnePlayerWithTheMouseAWrongPlugThenTheRightOne) {
    const Game game{kFour, true};
    const auto b = FirstBoard(game, kOnePlayer);
    ASSERT_EQ(b.size(), 8u);
    const std::string script =
        kOnePlayer + "wait 500\n" + Click(b, "Tisch") + kPlug + "dump chosen\n" +
        Click(b, "wanne") + kPlug + "dump wrong\n" + Click(b, "Tisch") + kPlug + Click(b, "decke") +
        kLamp + "dump right\n" + Click(b, "decke") + kPlug + Click(b, "Bade") + kPlug +
        Click(b, "wanne") + kLamp + Click(b, "Kopf") + kPlug + Click(b, "h\xc3\xb6rer") + kLamp +
        Click(b, "Fenster") + kPlug + Click(b, "bank") + kLamp + "dump done\n" + kQuit;
    Outcome o = Play(game, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const Place tisch = b.at("Tisch");
    const Place decke = b.at("decke");
    const int tischX = ContactColumnAt(tisch.column).wordX;
    EXPECT_EQ(CountTextsWith(o.run.dumps.at("chosen"), "text " + std::to_string(tischX) + " " +
                                                           std::to_string(WordY(tisch.row)) +
                                                           " 4 \"Tisch\""),
              1)
        << "the chosen first part in red";
    EXPECT_EQ(CountSounds(*o.run.platform, "kontaktfalsch.wav"), 1);
    EXPECT_EQ(CountTextsWith(o.run.dumps.at("right"),
                             "text " + std::to_string(ContactColumnAt(decke.column).wordX) + " " +
                                 std::to_string(WordY(decke.row)) + " 10 \"decke\""),
              1)
        << "both parts of a right connection in green";
    EXPECT_EQ(TextAt(o.run.dumps.at("done"), 40, 20), "Gute: 3");
    EXPECT_EQ(TextAt(o.run.dumps.at("done"), 324, 20), "Schlechte: 1");
    EXPECT_EQ(o.run.players.TaskCount, 3);
    EXPECT_EQ(o.second, 1) << "Tischdecke came after a wrong plug; the click on a used socket "
                              "and on a first part while a second is due do nothing";
}

TEST(ContactGameTest, TwoPlayersWithTheMouseOneChoosesTheOtherAnswers) {
    const Game game{kFour, true};
    const auto b = FirstBoard(game, kTwoPlayers);
    ASSERT_EQ(b.size(), 8u);
    const std::string script = kTwoPlayers + "wait 500\n" + Click(b, "Tisch") + kPlug +
                               "dump answer\n" + Click(b, "decke") + kLamp + Click(b, "Bade") +
                               kPlug + Click(b, "wanne") + kLamp + "dump two\n" + kQuit;
    Outcome o = Play(game, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(CountTextsWith(o.run.dumps.at("answer"), "text 324 20 12 \"Ben\""), 1)
        << "Ben answers Anna's first part";
    EXPECT_EQ(o.second, 1) << "Ben: Tischdecke";
    EXPECT_EQ(o.run.players.TaskCount, 1) << "Anna answered Ben's Bade";
    EXPECT_EQ(TextAt(o.run.dumps.at("stop"), 40, 390), "Beide Spieler haben gewonnen!");
}

// ---- Bad lists --------------------------------------------------------------------------

TEST(ContactGameTest, BadListsPlayOrEndWithAMessage) {
    std::vector<std::string> many(300, "Haus-t\x81r");
    for (size_t i = 4; i < many.size(); i += 5) many[i] = "-";
    struct Row {
        const char* what;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"an empty list", {""}},
        {"one line", {"Tisch-decke"}},
        {"lines without hyphens", {"Tischdecke", "Fensterbank", "Badewanne"}},
        {"a word of 200 letters", {"Tisch-" + std::string(200, 'a'), "b-c", "-"}},
        {"blanks and control bytes", {"   ", "\x01\x02-\x03", "  -  ", "\t-\t", "-"}},
        {"300 lines", many},
        {"hyphens doubled or at the ends", {"-Tisch--decke-", "--bank-", "Bade--", "-a-b", "a-"}},
        {"umlauts and sharp s everywhere",
         {"\204\224-\201\341", "\232\204-\341\224", "\341-\341", "\216-\231", "-"}},
    };
    const std::string mix =
        "key 1\nwait 300\ntype T\nwait 100\nkey RET\nwait 300\ngclick 150 108\nwait 800\n"
        "gclick 444 108\nwait 6000\ntype a\nkey BS\nwait 100\nkey ESC\nwait 300\n"
        "key n\nwait 300\nkey ESC\nwait 300\nkey j\nwait 300\nkey SPACE\nwait 300\nkey SPACE\n";
    for (const Row& row : rows) {
        for (bool mouse : {false, true}) {
            Outcome o = Play({row.lines, mouse}, mix);
            EXPECT_TRUE(o.run.returned)
                << row.what << (mouse ? " mouse" : " keys") << ": " << o.run.error;
        }
    }
}

TEST(ContactGameTest, AListWithoutABoardSaysSo) {
    Outcome o = Play({{"Tisch-decke", "-", "Bade-wanne", "-"}}, "dump said\nkey x\n");
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(TextAt(o.run.dumps["said"], 40, 100),
              "Kein Block mit zwei W\xc3\xb6rtern in der Liste.");
    EXPECT_EQ(o.run.state.LastKey, 27);
}

// From the menu and back: nothing of the game is left on the screen.
TEST(ContactGameTest, BackInTheMenuNothingOfTheGameIsLeft) {
    RunOptions o;
    o.appDir = MakeTestAppDir("contact-menu");
    o.script =
        "until Text-Editor\nkey k\nuntil Anzahl der Dateien\nkey RET\nuntil Anzahl der Spieler\n"
        "key 1\nwait 1000\ndump game\nkey ESC\nuntil Jetzt schon beenden?\nkey j\n"
        "until Text-Editor\ndump back\nkey ESC\nkey RET\n";
    RunResult run = RunProgram(o);
    ASSERT_EQ(run.exitCode, 0) << run.error;
    EXPECT_EQ(run.dumps["game"].substr(0, 14), "mode: graphics");
    EXPECT_EQ(run.dumps["back"].substr(0, 10), "mode: text");
}

}  // namespace
}  // namespace qs::test
