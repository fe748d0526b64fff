// Whole games of "Aus 2 mach 1" on the headless screen: a fixed seed, the
// virtual clock and a script of keys and clicks. The spin stops by itself
// after 21 steps, so the tasks a script answers follow from the list alone:
// with six lines the first task asks lines 4 and 5, the second lines 1 and 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <utility>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/Kit.h"
#include "exercises/twointoone/TwoIntoOne.h"
#include "screen/graph/Graph.h"
#include "support/ClearCheck.h"
#include "support/DumpReading.h"
#include "support/WindowRun.h"
#include "trainer/Programs.h"

namespace qs::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kJoined = {"Haus-t\x81r", "Apfel-baum", "Schnee-mann",
                       "Geburts-tag", "Bett-decke", "Mond-licht"};
const Lines kWritten = {"Sonnenschein_Sonne-Schein", "Hundeh\x81tte_Hund-H\x81tte",
                        "Mausefalle_Maus-Falle",     "Kaffeetasse_Tasse-Kaffee",
                        "Blumentopf_Blume-Topf",     "Liebesbrief_Liebe-Brief"};

struct Game {
    Lines lines = kJoined;
    bool mouse = false;
    std::string script;
    uint32_t seed = 3;
    int sound = 0;  // " ein "
};

// What the game object held when it ended.
struct Outcome {
    RunResult run;
    std::vector<std::string> spelled;
    std::array<int, 2> points{-1, -1};
    int spinSteps = -1;
    bool stoppedByPlayer = false;
    bool mouseMode = false;
    int position = -1;
};

Outcome Play(const Game& g, const std::string& name) {
    Outcome out;
    RunOptions o;
    o.appDir = MakeTestAppDir("twointoone-" + name);
    o.script = g.script;
    o.seed = g.seed;
    out.run = RunExercise(o, [&](Trainer& tr) {
        tr.t.ProgramNo = No(FileProgram::Aus2Mach1);
        tr.t.WordFilePath = "LS1DAT\\test.AWT";
        tr.t.WordFileName = "test.AWT";
        int n = 0;
        for (const std::string& line : g.lines) {
            if (n >= kWordListSize) break;
            tr.t.WordList[static_cast<size_t>(++n)] = line;
        }
        tr.t.WordCount = n;
        tr.t.opt.OptMaus = g.mouse ? 2 : 1;
        tr.t.opt.OptTon = g.sound;
        if (!WordFileFits(tr)) return;
        {
            TwoIntoOneGame game(tr);
            // The state is copied out even when the script ends the run.
            struct Copy {
                Outcome& out;
                TwoIntoOneGame& game;
                ~Copy() {
                    out.spelled = game.Spelled;
                    out.points = game.Points;
                    out.spinSteps = game.SpinSteps;
                    out.stoppedByPlayer = game.StoppedByPlayer;
                    out.mouseMode = game.MouseMode;
                    out.position = game.Position;
                }
            } copy{out, game};
            game.Run();
        }
        CloseGraph(tr.d);
        EndGame(tr);
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

bool HasText(const std::string& dump, const std::string& text) {
    const auto texts = DumpTexts(dump);
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(text) != std::string::npos; });
}

// A graphics text of the dump that starts at x and lies between the rows
// from and to (the answer lines raise their texts to fit their bars).
bool TextIn(const std::string& dump, int x, int from, int to, const std::string& text) {
    for (const std::string& t : DumpTexts(dump)) {
        int tx = 0, ty = 0;
        if (std::sscanf(t.c_str(), "text %d %d", &tx, &ty) != 2) continue;
        if (tx == x && ty >= from && ty <= to && t.size() >= text.size() + 2 &&
            t.compare(t.size() - text.size() - 2, text.size() + 2, "\"" + text + "\"") == 0)
            return true;
    }
    return false;
}

bool IsPraise(const std::string& s) {
    return std::find(kPraise.begin(), kPraise.end(), s) != kPraise.end();
}
bool IsRejection(const std::string& s) {
    return std::find(kRejections.begin(), kRejections.end(), s) != kRejections.end();
}

// The spelled messages with every praise as "+" and every rejection as "-".
std::vector<std::string> Kinds(const std::vector<std::string>& spelled) {
    std::vector<std::string> out;
    for (const std::string& s : spelled)
        out.push_back(IsPraise(s) ? "+" : IsRejection(s) ? "-" : s);
    return out;
}

// The protocol lines after the exercise's own opening line.
std::vector<std::string> WordLines(const TrainerState& t) {
    std::vector<std::string> out;
    for (int i = 1; i <= t.ProtocolCount; ++i) {
        const std::string& line = t.ProtocolLines[static_cast<size_t>(i)];
        if (line.find("-Aus 2 mach 1-") == std::string::npos && i > 1) out.push_back(line);
    }
    return out;
}

std::string Typed(const std::string& word) { return "type " + word + "\nkey RET\nwait 800\n"; }
std::string Backspaces(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "key BS\n";
    return s;
}

const std::string kOnePlayer = "key 1\n";
const std::string kTwoPlayers = "key 2\ntype anna\nkey RET\ntype ben\nkey RET\n";
const std::string kStopped = "until Automatisch gestoppt.\n";
const std::string kAnnaFirst = "until Anna ist dran.\n";
const std::string kNextTask = "key SPACE\n";
const std::string kQuit = "wait 300\nkey ESC\nuntil Jetzt schon beenden?\nkey j\nwait 2000\n";

const std::string kSelbst = "Einen sch\x94nen Tag noch.";
const std::string kRepeat = "Willst du mich ver\x84ppeln ?";
const std::string kHurry = "Nicht so schnell aufgeben.";

// One player with the keyboard: both words in either order, the refused
// repeat, help by RETURN, two wrong tries and the solution of line 1.
TEST(TwoIntoOneGameTest, OnePlayerTypesBothWords) {
    Game g;
    g.script = kOnePlayer + kStopped + "dump task1\n" + Typed("Bettdecke") + Typed("Bettdecke") +
               Backspaces(9) + "key RET\nwait 800\ntype eburtstag\nkey RET\nwait 800\n" +
               kNextTask + kStopped + Typed("Apfelbam") + Backspaces(8) + Typed("Baum") +
               Typed("Haust\xc3\xbcr") + Backspaces(7) + Typed("Apfelbaum") + "dump task2\n" +
               kQuit + "dump end\nkey x\n";
    Outcome o = Play(g, "one");
    ASSERT_TRUE(o.run.returned) << o.run.error;

    const std::vector<std::string> expected = {
        "+", kRepeat, kHurry, "+", "-", "L\x94sung: Haust\x81r", kRepeat, "+", kSelbst};
    EXPECT_EQ(Kinds(o.spelled), expected);
    EXPECT_EQ(o.run.players.TaskCount, 2);
    EXPECT_EQ(WordLines(o.run.state),
              (std::vector<std::string>{
                  "Bettdecke=", "Geburtstag=",
                  "Haust\x81r-Apfelbaum/(Apfelbam)Haust\x81r-Apfelbaum/(Baum)", "Apfelbaum="}));
    EXPECT_TRUE(HasText(o.run.dumps["task1"], "Automatisch gestoppt.")) << o.run.dumps["task1"];
    EXPECT_EQ(o.spinSteps, 21);
    EXPECT_EQ(o.position, 6) << "the second task starts at the list's last line";
    const HeadlessPlatform& p = *o.run.platform;
    EXPECT_GT(CountSounds(p, "zerlegen.wav"), 100) << "a sound per spelled letter";
    EXPECT_GT(CountSounds(p, "tippton.wav"), 40);
    EXPECT_FALSE(o.run.screen.rfind("mode: graphics", 0) == 0) << "the game closed its screen";
}

// Two players: player 1 answers line 1, player 2 line 2; 10 points at the
// first try, 9 after help, 8 after one wrong try, none for a line given up.
TEST(TwoIntoOneGameTest, TwoPlayersEarnPointsPerLine) {
    Game g;
    g.script = kTwoPlayers + kAnnaFirst + Typed("Geburtstag") + kNextTask + "wait 800\n" +
               "key RET\nwait 800\ntype ettdecke\nkey RET\nwait 800\n" + kNextTask + kAnnaFirst +
               Typed("Haus") + Backspaces(4) + Typed("Apfelbaum") + kNextTask + "wait 800\n" +
               Typed("x") + "type y\nkey RET\nwait 1500\ndump solution\n" + kQuit +
               "dump end\nkey x\n";
    Outcome o = Play(g, "two");
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.points, (std::array<int, 2>{18, 9}));
    const std::vector<std::string> expected = {"+",
                                               "Ben ist dran.",
                                               kHurry,
                                               "+",
                                               "-",
                                               "+",
                                               "Ben ist dran.",
                                               "-",
                                               "War das etwa schwer ?",
                                               "Wer hat denn nun gewonnen ?"};
    EXPECT_EQ(Kinds(o.spelled), expected);
    EXPECT_TRUE(TextIn(o.run.dumps["solution"], 66, 400, 430, "Haust\xc3\xbcr"))
        << "the word player 2 missed";
    const std::string& end = o.run.dumps["end"];
    EXPECT_TRUE(TextIn(end, 66, 384, 384, "Anna = 18 Punkte")) << end;
    EXPECT_TRUE(TextIn(end, 66, 430, 430, "Ben = 9 Punkte")) << end;
    EXPECT_TRUE(WordLines(o.run.state).empty()) << "two players keep no protocol";
}

// Line 1 given up with two players: the solution stands on line 1 and
// player 2 still plays line 2 from a fresh start.
TEST(TwoIntoOneGameTest, TwoPlayersLineOneGivenUp) {
    Game g;
    g.script = kTwoPlayers + kAnnaFirst + Typed("a") + "type b\nkey RET\nwait 1500\ndump given\n" +
               Typed("Bettdecke") + kQuit + "key x\n";
    Outcome o = Play(g, "two-given");
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_TRUE(TextIn(o.run.dumps["given"], 66, 360, 384, "L\xc3\xb6sung: Geburtstag"))
        << o.run.dumps["given"];
    EXPECT_EQ(o.points, (std::array<int, 2>{0, 10}));
    EXPECT_EQ(Kinds(o.spelled),
              (std::vector<std::string>{"-", "Ben ist dran.", "+", "Wer hat denn nun gewonnen ?"}));
}

// Where each part stands after the first spin of a seed: the cells'
// texts of a dump, by text, as the point a click on that cell is made at.
std::map<std::string, std::string> CellClicks(const std::string& dump) {
    std::map<std::pair<int, int>, std::string> last;  // (x, cell top) -> text
    for (const std::string& t : DumpTexts(dump)) {
        int x = 0, y = 0;
        if (std::sscanf(t.c_str(), "text %d %d", &x, &y) != 2 || (x != 80 && x != 360)) continue;
        for (const int top : {190, 234, 278}) {
            if (y >= top - 12 && y <= top + 2) {
                const size_t quote = t.find('"');
                last[{x, top}] = t.substr(quote + 1, t.size() - quote - 2);
            }
        }
    }
    std::map<std::string, std::string> at;
    for (const auto& [place, text] : last) {
        at[text] = "gclick " + std::to_string(place.first + 20) + " " +
                   std::to_string(place.second + 18) + "\n";
    }
    return at;
}

// With the mouse each line takes two picks and is judged once: a right
// word, a wrong one (the line is given up), the repeat that ends the task.
TEST(TwoIntoOneGameTest, MousePicksTwoCellsPerLine) {
    Game g;
    g.mouse = true;
    g.script = kOnePlayer + kStopped + "dump cells\n";
    Outcome first = Play(g, "mouse-cells");
    auto cell = CellClicks(first.run.dumps["cells"]);
    ASSERT_EQ(cell.size(), 6u) << first.run.dumps["cells"];
    for (const char* part : {"Geburts", "-tag", "Bett", "-decke", "Mond", "-mann"})
        ASSERT_TRUE(cell.count(part)) << part << "\n" << first.run.dumps["cells"];

    struct Row {
        const char* what;
        std::vector<std::string> picks;
        std::vector<std::string> spelled;
        std::vector<std::string> protocol;
    };
    const Row rows[] = {
        {"both words",
         {"Geburts", "-tag", "Bett", "-decke"},
         {"+", "+"},
         {"Geburtstag=", "Bettdecke="}},
        {"a wrong word gives line 1 up",
         {"Geburts", "-decke", "Bett", "-decke"},
         {"-", "+"},
         {"Geburtstag-Bettdecke/(Geburtsdecke)", "Bettdecke="}},
        {"the same word twice ends the task",
         {"Geburts", "-tag", "Geburts", "-tag"},
         {"+", kRepeat},
         {"Geburtstag="}},
        {"a wrong word on line 2",
         {"Bett", "-decke", "Mond", "-mann"},
         {"+", "-"},
         {"Bettdecke=", "Geburtstag-Bettdecke/(Mondmann)"}},
    };
    for (const Row& r : rows) {
        Game play = g;
        play.script = kOnePlayer + kStopped + "wait 300\n";
        for (const std::string& part : r.picks) play.script += cell[part] + "wait 1500\n";
        play.script += "dump picked\n" + kQuit + "key x\n";
        Outcome o = Play(play, "mouse");
        ASSERT_TRUE(o.run.returned) << r.what << ": " << o.run.error;
        std::vector<std::string> spelled = r.spelled;
        spelled.push_back(kSelbst);
        EXPECT_EQ(Kinds(o.spelled), spelled) << r.what;
        EXPECT_EQ(WordLines(o.run.state), r.protocol) << r.what;
        EXPECT_TRUE(o.mouseMode) << r.what;
    }
}

// A list of written compounds is answered by typing: the mouse is off
// from the first spin step on, and a click neither stops the spin nor
// picks.
TEST(TwoIntoOneGameTest, WrittenCompoundsTurnTheMouseOff) {
    Game g;
    g.mouse = true;
    g.lines = kWritten;
    g.script = kOnePlayer + "wait 500\ngclick 100 200\nwait 500\n" + kStopped +
               "gclick 100 200\nwait 300\n" + Typed("Kaffeetasse") + Typed("Blumentopf") + kQuit +
               "key x\n";
    Outcome o = Play(g, "written");
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_FALSE(o.mouseMode);
    EXPECT_EQ(o.spinSteps, 21) << "the click did not stop the spin";
    EXPECT_EQ(Kinds(o.spelled), (std::vector<std::string>{"+", "+", kSelbst}));
    EXPECT_EQ(WordLines(o.run.state), (std::vector<std::string>{"Kaffeetasse=", "Blumentopf="}));
}

// The spin: 21 steps of three rows with Delay(60) after each (which the
// DOS timing halves), unless a key (or, with the mouse, a click) stops it
// after the step it came in.
TEST(TwoIntoOneGameTest, SpinStopsByItselfOrByAKeyOrClick) {
    struct Row {
        const char* what;
        bool mouse;
        std::string stop;  // the script from the first spin step on
        int steps;
        const char* shown;
    };
    const Row rows[] = {
        {"by itself", false, "wait 1500\ndump early\nuntil Automatisch gestoppt. 500\n", 21,
         "Automatisch gestoppt."},
        {"by a key after 1000 ms", false, "wait 1000\nkey x\nuntil \"Aufgabe: 1\" 200\n", 13,
         "Aufgabe: 1"},
        {"by a click after 500 ms", true, "wait 500\ngclick 300 450\nuntil \"Aufgabe: 1\" 200\n", 7,
         "Aufgabe: 1"},
    };
    for (const Row& r : rows) {
        Game g;
        g.mouse = r.mouse;
        g.script = kOnePlayer + r.stop + "dump stopped\n" + kQuit + "key x\n";
        Outcome o = Play(g, "spin");
        ASSERT_TRUE(o.run.returned) << r.what << ": " << o.run.error;
        EXPECT_EQ(o.spinSteps, r.steps) << r.what;
        EXPECT_EQ(o.stoppedByPlayer, r.steps < 21) << r.what;
        EXPECT_TRUE(HasText(o.run.dumps["stopped"], r.shown)) << r.what;
        if (o.run.dumps.count("early")) {
            EXPECT_FALSE(HasText(o.run.dumps["early"], r.shown)) << "not before 21 x 180 ms";
        }
    }
}

// ESC answered "n" goes on where the game was, "j" ends it with the end
// screen.
TEST(TwoIntoOneGameTest, EscapeAsksFirst) {
    Game g;
    g.script = kOnePlayer + kStopped +
               "type Bett\nwait 300\nkey ESC\nuntil Jetzt schon beenden?\n" +
               "key n\nwait 500\ntype decke\nkey RET\nwait 800\ndump after\n" + kQuit + "key x\n";
    Outcome o = Play(g, "esc");
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(Kinds(o.spelled), (std::vector<std::string>{"+", kSelbst}));
    EXPECT_EQ(WordLines(o.run.state), (std::vector<std::string>{"Bettdecke="}));
    EXPECT_EQ(o.run.players.TaskCount, 1);
}

// Lists the game cannot use, or only in part, play and end within bounded
// time: a list of five lines or fewer ends after the player question with a
// message, any other plays on whatever its lines hold.
TEST(TwoIntoOneGameTest, BadListsEndCleanly) {
    Lines many;
    for (int i = 0; i < 300; ++i) many.push_back("Wort-" + std::to_string(i));
    Lines mixed = kJoined;
    mixed[3] = "Kaffeetasse_Tasse-Kaffee";
    mixed[4] = "Hundeh\x81tte_Hund-H\x81tte";
    struct Row {
        const char* name;
        Lines lines;
        bool tooShort;
    };
    const Row rows[] = {
        {"an empty list", {}, true},
        {"one line", {"Haus-t\x81r"}, true},
        {"five lines", Lines(kJoined.begin(), kJoined.begin() + 5), true},
        {"no separators", Lines(6, "Hund"), false},
        {"a word of 200 letters", Lines(6, std::string(100, 'a') + "-" + std::string(100, 'b')),
         false},
        {"blanks and control bytes",
         {"     ", "\x01\x02-\x1b", "\t-\r", " - ", "\x7f", "-"},
         false},
        {"300 lines", many, false},
        {"separators doubled and at the ends",
         {"--Haus--t\x81r--", "-a-", "b--c", "_-_", "__", "-_-"},
         false},
        {"umlauts and \xe1 everywhere", Lines(6, "\x84\x94-\x81\xe1\x84_\x8e\x99-\x9a\xe1"), false},
        {"both forms mixed", mixed, false},
    };
    const std::string script =
        "key 1\nwait 1500\ndump after\ntype ab\nkey RET\nkey RET\nwait 2500\ngclick 100 200\n"
        "wait 300\ngclick 400 250\nwait 2000\nkey ESC\nwait 500\nkey j\nwait 1500\nkey x\n"
        "wait 300\nkey x\n";
    for (const bool mouse : {false, true}) {
        for (const Row& row : rows) {
            Game g;
            g.lines = row.lines;
            g.mouse = mouse;
            g.script = script;
            Outcome o = Play(g, "bad");
            const std::string name = std::string(row.name) + (mouse ? ", mouse" : "");
            EXPECT_TRUE(o.run.returned) << name << ": " << o.run.error;
            EXPECT_FALSE(o.run.screen.rfind("mode: graphics", 0) == 0) << name;
            EXPECT_EQ(HasText(o.run.dumps["after"], "Die Liste hat zu wenige W\xc3\xb6rter."),
                      row.tooShort)
                << name;
            EXPECT_EQ(o.run.players.TaskCount, row.tooShort ? 0 : 1) << name;
        }
    }
}

// A spin step leaves nothing of the step before: after a step of long
// parts with accents and descenders, a step of short plain parts gives the
// very pixels it gives on a fresh panel, at every window size.
TEST(TwoIntoOneGameTest, ASpinStepLeavesNothingOfTheLastOne) {
    const std::array<std::string, 6> inked = {"\x8e\x99gyp", "-jgq\x9a", "Pfeffer",
                                              "-gr\x81n",    "Geburts",  "-tag"};
    const std::array<std::string, 6> plain = {"Haus",   "-t\x81r", "Bett",
                                              "-decke", "Mond",    "-licht"};
    for (const Size size : {Size{1280, 960}, Size{1920, 1080}, Size{1024, 768}, Size{800, 600}}) {
        RunOptions o;
        o.appDir = MakeTestAppDir("twointoone-clears");
        o.size = size;
        const RunResult run = RunExercise(o, [&](Trainer& tr) {
            InitGraph(tr.d, 0);
            SetFillStyle(tr.d, fillstyle::Solid, colour::Grey);
            Bar(tr.d, 62, 178, 298, 326);
            Bar(tr.d, 342, 178, 578, 326);
            TwoIntoOneGame game(tr);
            game.DrawCells(plain, 0);
            EXPECT_TRUE(ClearsWhatWasDrawn(
                tr.d, [&] { game.DrawCells(inked, 0); }, [&] { game.DrawCells(plain, 0); }))
                << size.w << "x" << size.h;
            CloseGraph(tr.d);
        });
        EXPECT_TRUE(run.returned) << run.error;
    }
}

}  // namespace
}  // namespace qs::test
