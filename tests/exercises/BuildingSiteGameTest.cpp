// Whole games of "Baustelle" on the headless screen: a fixed seed, the
// virtual clock and a script of keys and clicks. The screen texts of the
// dumps, the barrow's place, the points, the sounds and the end are checked.
// Clicks are aimed where a dump showed the bricks and the words, as a child
// aims at what it sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>

#include "exercises/buildingsite/BuildingSite.h"
#include "screen/GraphMapping.h"
#include "screen/KeyCodes.h"
#include "screen/graph/Graph.h"
#include "support/ClearCheck.h"
#include "support/DumpReading.h"
#include "support/PngFile.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kAnimals = {
    "Die -Katze- schl\x84"
    "ft.",
    "Der -Hund- bellt.",
    "Die -Kuh- muht.",
    "Das -Pferd- frisst.",
    "Der -Vogel- singt.",
    "Die -Biene- summt."};

struct Site {
    Lines lines = kAnimals;
    int lines_ = 1;  // OptBaustelle
    int large = 0;   // OptBausteine
    bool mouse = false;
    int wortwahl = 1;  // " Reihenfolge "
    int ton = 0;       // " ein "
};

struct FilmFrame {
    int entry;
    uint64_t micros;
};

struct Outcome {
    RunResult run;
    int barrowX = -1;
    int tasks = -1;
    int points2 = -1;
    std::vector<FilmFrame> filmFrames;  // the end's picture sequence, as it was drawn
    int filmLeft = -1;
    int filmTop = -1;
    Rect area;  // the graphics area while the sequence played
    bool filmStoppedAfter = false;
};

Outcome PlaySite(const Site& s, const std::string& script, Size size = {1280, 960}) {
    Outcome out;
    RunOptions o;
    o.appDir = MakeTestAppDir("buildingsite");
    o.script = script;
    o.seed = 7;
    o.size = size;
    out.run = RunExercise(o, [&](Trainer& tr) {
        tr.t.ProgramNo = No(FileProgram::Baustelle);
        tr.t.WordFileName = "test.BWT";
        int n = 0;
        for (const std::string& line : s.lines) {
            if (n >= kWordListSize) break;
            tr.t.WordList[static_cast<size_t>(++n)] = line;
        }
        tr.t.WordCount = n;
        tr.t.CurrentLine = 1;
        tr.t.opt.OptBaustelle = s.lines_;
        tr.t.opt.OptBausteine = s.large;
        tr.t.opt.OptMaus = s.mouse ? 2 : 1;
        tr.t.opt.OptWortwahl = s.wortwahl;
        tr.t.opt.OptTon = s.ton;
        tr.d.film.OnFrame = [&](int entry) {
            out.filmFrames.push_back({entry, tr.d.platform.NowMicros()});
            out.filmLeft = tr.d.film.left;
            out.filmTop = tr.d.film.top;
            out.area = tr.d.screen.Area;
        };
        {
            BuildingSite game(tr);
            game.Prepare();
            game.Run();
            game.Release();
            out.barrowX = game.BarrowX;
            out.tasks = game.Tasks;
            out.points2 = game.Points2;
            out.filmStoppedAfter = tr.d.film.Stopped();
        }
        CloseGraph(tr.d);
    });
    return out;
}

const std::string kOnePlayer = "key 1\nwait 300\n";
const std::string kTwoPlayers = "key 2\ntype anna\nkey RET\ntype ben\nkey RET\nwait 300\n";
// After more than one task the end scene waits for a key.
const std::string kQuit = "key ESC\nuntil Jetzt schon beenden?\nkey j\nwait 500\nkey x\n";

// Letters typed one by one, a little apart.
std::string Type(const std::string& letters) {
    std::string script;
    for (char c : letters) script += std::string("type ") + c + "\nwait 150\n";
    return script;
}
// The barrow drives, then a key starts the next task.
const std::string kNext = "wait 2600\nkey SPACE\nwait 300\n";

int CountSounds(const HeadlessPlatform& p, const std::string& file) {
    const auto& log = p.SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PlayedSound& s) {
        return s.path.size() >= file.size() &&
               s.path.compare(s.path.size() - file.size(), file.size(), file) == 0;
    }));
}

// The last graphics text of a dump with this text: x, y and colour.
struct Shown {
    int x = 0;
    int y = 0;
    int colour = 0;
};
std::optional<Shown> Find(const std::string& dump, const std::string& cp437, int y = -1) {
    const std::string wanted = "\"" + ShownUtf8(cp437) + "\"";
    std::optional<Shown> found;
    for (const std::string& t : DumpTexts(dump)) {
        if (t.size() < wanted.size() || t.compare(t.size() - wanted.size(), wanted.size(), wanted))
            continue;
        Shown s;
        if (std::sscanf(t.c_str(), "text %d %d %d", &s.x, &s.y, &s.colour) == 3 &&
            (y < 0 || s.y == y))
            found = s;
    }
    return found;
}

// Where a child clicks on a brick of the row (its text starts 8 in).
std::string ClickBrick(const std::string& dump, const std::string& brick) {
    const std::optional<Shown> s = Find(dump, brick);
    if (!s) return "# no brick " + brick + "\n";
    return "gclick " + std::to_string(s->x + 2) + " 50\nwait 200\n";
}
// A click into the gap left of a word that follows it after a blank.
std::string ClickGapBefore(const std::string& dump, const std::string& word) {
    const std::optional<Shown> s = Find(dump, word);
    if (!s) return "# no word " + word + "\n";
    return "gclick " + std::to_string(s->x - 20) + " " + std::to_string(s->y + 20) + "\nwait 300\n";
}

// Pixels of colour c in the graph rectangle of a 1280 x 960 dump.
int CountColour(const RunResult& run, const std::string& dump, const Rect& graph, Rgb c) {
    auto png = ReadPng(run.outDir + "/" + dump + ".png");
    if (!png) return -1;
    int n = 0;
    for (int y = graph.top * 2; y < graph.bottom * 2; ++y)
        for (int x = graph.left * 2; x < graph.right * 2; ++x) n += png->Pixel(x, y) == c;
    return n;
}

constexpr Rgb kLightYellow = MakeRgb(255, 255, 64);

// ---- One player, keys --------------------------------------------------------------------

TEST(BuildingSiteGameTest, OneLineTypedIntoItsGap) {
    const std::string script = kOnePlayer + "dump start\n" + Type("Kat") + "key RET\nwait 300\n" +
                               "dump framed\n" + Type("ze") + "wait 2600\ndump driven\n" +
                               "key SPACE\nwait 300\ndump next\n" + kQuit;
    const Outcome o = PlaySite({}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const std::string& start = o.run.dumps.at("start");
    for (const char* brick : {"Katze", "Hund", "Kuh", "Pferd", "Vogel"})
        EXPECT_TRUE(Find(start, brick)) << "brick " << brick << " lies above the wall";
    ASSERT_TRUE(Find(start,
                     "schl\x84"
                     "ft."));
    EXPECT_EQ(Find(start, "Die")->y, 260) << "the line stands on course 3";
    EXPECT_EQ(Find(start, "Die")->x, 140);
    EXPECT_EQ(Find(start, "Die")->colour, colour::Cyan);
    EXPECT_FALSE(Find(start, "Biene")) << "only five bricks";
    EXPECT_TRUE(Find(start, "?")) << "the cursor blinks";
    EXPECT_GT(CountColour(o.run, "framed", Rect{0, 13, 640, 83}, kLightYellow), 100)
        << "RETURN frames the right brick";
    const std::string& driven = o.run.dumps.at("driven");
    ASSERT_TRUE(Find(driven, "Katze"));
    EXPECT_EQ(Find(driven, "Katze")->y, 260);
    EXPECT_EQ(Find(driven, "Katze")->colour, colour::Grey) << "the typed brick is rewritten";
    EXPECT_EQ(Find(driven, "1")->x, 310) << "the task count";
    ASSERT_TRUE(Find(o.run.dumps.at("next"), "Biene")) << "the next task reads on";
    EXPECT_EQ(o.run.players.TaskCount, 1);
    EXPECT_EQ(o.tasks, 1);
    EXPECT_EQ(o.barrowX, 32) << "four rounds of 8";
    const HeadlessPlatform& p = *o.run.platform;
    EXPECT_EQ(CountSounds(p, "tippton.wav"), 4);
    EXPECT_EQ(CountSounds(p, "Fehlerton.wav"), 0);
    EXPECT_GE(CountSounds(p, "baustelleok.wav"), 1);
    EXPECT_EQ(o.run.players.PlayerName1, "") << "the default name is cleared";
}

TEST(BuildingSiteGameTest, MistakesAndBackspaceRollTheBarrowBack) {
    struct Row {
        const char* what;
        int ton;
        std::string keys;  // after the first task
        int barrowX;
        int mistakes;  // Fehlerton played
        int taps;
    };
    const std::string first = Type("Katze") + kNext;
    const Row rows[] = {
        {"backspace rolls back 4", 0, Type("Bx") + "key BS\nwait 150\n" + Type("iene"), 60, 0, 10},
        {"a wrong brick is a mistake, its last letter goes", 0, Type("Bienx") + Type("e"), 64, 1,
         8},
        {"sound off: no tones at all", 2, Type("Bx") + "key BS\nwait 150\n" + Type("iene"), 60, 0,
         0},
        {"only taps: the finished brick taps too", 1, Type("Biene"), 64, 0, 10},
    };
    for (const Row& r : rows) {
        Site s;
        s.ton = r.ton;
        const Outcome o = PlaySite(s, kOnePlayer + first + r.keys + "wait 2600\n" + kQuit);
        ASSERT_TRUE(o.run.returned) << r.what << ": " << o.run.error;
        EXPECT_EQ(o.tasks, 2) << r.what;
        EXPECT_EQ(o.barrowX, r.barrowX) << r.what;
        EXPECT_EQ(CountSounds(*o.run.platform, "Fehlerton.wav"), r.mistakes) << r.what;
        EXPECT_EQ(CountSounds(*o.run.platform, "tippton.wav"), r.taps) << r.what;
    }
}

TEST(BuildingSiteGameTest, ThreeLinesAreTypedFromTheLowestUp) {
    Site s;
    s.lines_ = 3;
    const std::string script = kOnePlayer + "dump start\n" + Type("Katze") + "dump one\n" +
                               Type("Hund") + Type("Kuh") + "wait 2600\ndump done\n" + kQuit;
    const Outcome o = PlaySite(s, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const std::string& start = o.run.dumps.at("start");
    EXPECT_EQ(Find(start,
                   "schl\x84"
                   "ft.")
                  ->y,
              372)
        << "line 1 on course 1";
    EXPECT_EQ(Find(start, "bellt.")->y, 260) << "line 2 on course 3";
    EXPECT_EQ(Find(start, "muht.")->y, 148) << "line 3 on course 5";
    const std::string& done = o.run.dumps.at("done");
    EXPECT_EQ(Find(done, "Katze")->y, 372);
    EXPECT_EQ(Find(done, "Hund")->y, 260);
    EXPECT_EQ(Find(done, "Kuh")->y, 148);
    EXPECT_EQ(o.tasks, 1);
    EXPECT_EQ(o.barrowX, 40) << "five rounds of 8";
}

// ---- The mouse -------------------------------------------------------------------------

// The first run shows where everything lies; the second, with the same
// seed, clicks there.
TEST(BuildingSiteGameTest, ThreeLinesByMouseInAnyOrder) {
    Site s;
    s.lines_ = 3;
    s.mouse = true;
    const Outcome look = PlaySite(s, kOnePlayer + "dump start\n" + kQuit);
    ASSERT_TRUE(look.run.returned) << look.run.error;
    const std::string& start = look.run.dumps.at("start");
    const std::string script = kOnePlayer + ClickBrick(start, "Hund") +
                               ClickGapBefore(start,
                                              "schl\x84"
                                              "ft.") +
                               ClickBrick(start, "Kuh") + ClickGapBefore(start, "muht.") +
                               ClickBrick(start, "Katze") +
                               ClickGapBefore(start,
                                              "schl\x84"
                                              "ft.") +
                               ClickGapBefore(start, "muht.") + ClickBrick(start, "Hund") +
                               ClickGapBefore(start, "bellt.") + "wait 2600\ndump done\n" + kQuit;
    const Outcome o = PlaySite(s, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const std::string& done = o.run.dumps.at("done");
    for (const auto& [brick, y] : {std::pair{"Kuh", 148}, {"Katze", 372}, {"Hund", 260}}) {
        ASSERT_TRUE(Find(done, brick, y)) << brick << " fills its gap";
        EXPECT_EQ(Find(done, brick, y)->colour, colour::Green) << brick;
    }
    EXPECT_EQ(o.tasks, 1);
    EXPECT_EQ(CountSounds(*o.run.platform, "Fehlerton.wav"), 1) << "Hund on line 1";
    EXPECT_EQ(o.barrowX, 40) << "the mistake at the start left the barrow where it stood";
}

// Wrong bricks roll the barrow back 2 each, but never below 2.
TEST(BuildingSiteGameTest, OneLineByMouseNeverRollsBelowTwo) {
    Site s;
    s.mouse = true;
    const Outcome look = PlaySite(s, kOnePlayer + "dump start\n" + kQuit);
    const std::string& start = look.run.dumps.at("start");
    std::string script = kOnePlayer + ClickBrick(start, "Katze") +
                         ClickGapBefore(start,
                                        "schl\x84"
                                        "ft.") +
                         kNext + "dump second\n";
    const Outcome second = PlaySite(s, script + kQuit);
    const std::string& two = second.run.dumps.at("second");
    script += ClickBrick(two, "Hund");
    for (int i = 0; i < 20; ++i) script += ClickGapBefore(two, "summt.");
    script += "dump wrong\n" + ClickBrick(two, "Biene") + ClickGapBefore(two, "summt.") +
              "wait 2600\n" + kQuit;
    const Outcome o = PlaySite(s, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(CountSounds(*o.run.platform, "Fehlerton.wav"), 20);
    EXPECT_EQ(o.tasks, 2);
    EXPECT_EQ(o.barrowX, 2 + 32) << "from 32 back to 2, then a drive";
}

TEST(BuildingSiteGameTest, LargeBricksRewriteTheWholeLine) {
    struct Row {
        const char* what;
        bool mouse;
        int lines;
        int colour;
    };
    const Row rows[] = {{"keys", false, 1, colour::Grey},
                        {"mouse, one line", true, 1, colour::LightYellow},
                        {"mouse, three lines", true, 3, colour::Orange}};
    for (const Row& r : rows) {
        Site s;
        s.large = 1;
        s.mouse = r.mouse;
        s.lines_ = r.lines;
        std::string script = kOnePlayer;
        if (r.mouse) {
            const Outcome look = PlaySite(s, kOnePlayer + "dump start\n" + kQuit);
            const std::string& start = look.run.dumps.at("start");
            // With large bricks the rest of the line is part of the gap.
            const std::optional<Shown> word = Find(start,
                                                   "schl\x84"
                                                   "ft.");
            ASSERT_TRUE(word) << r.what;
            script += ClickBrick(start, "Katze") + "gclick " + std::to_string(word->x + 10) + " " +
                      std::to_string(word->y + 20) + "\nwait 300\n";
        } else {
            script += Type("Katze");
        }
        const Outcome o = PlaySite(s, script + "dump filled\n" + kQuit);
        ASSERT_TRUE(o.run.returned) << r.what << ": " << o.run.error;
        const std::optional<Shown> line = Find(o.run.dumps.at("filled"),
                                               "Die Katze schl\x84"
                                               "ft.");
        ASSERT_TRUE(line) << r.what;
        EXPECT_EQ(line->x, 144) << r.what << ": from the line's start + 4";
        EXPECT_EQ(line->colour, r.colour) << r.what;
        EXPECT_EQ(Find(o.run.dumps.at("filled"), "Die")->colour, colour::Navy) << r.what;
    }
}

// ---- Endings ---------------------------------------------------------------------------

const Lines kLetters = {"Ein -AB- hier", "Ein -AB- da", "Ein -AB- dort", "Ein -AB- oben",
                        "Ein -AB- unten"};

TEST(BuildingSiteGameTest, TheGameEndsWhenTheBarrowArrives) {
    Site s;
    s.lines = kLetters;
    std::string script = kOnePlayer;
    for (int i = 0; i < 19; ++i) script += Type("AB") + kNext;
    // A key during the end's first moment is dropped.
    script += "until Okay, das war es.\nwait 1000\ndump end\nkey x\n";
    const Outcome o = PlaySite(s, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.barrowX, 580);
    EXPECT_EQ(o.tasks, 19);
    EXPECT_EQ(o.run.state.LastKey, keycode::Esc);
    EXPECT_TRUE(Find(o.run.dumps.at("end"), "Viel Spa\341 noch heute!"));
    // The barrow's picture sequence plays where the barrow stands, from entry
    // 20 on, a frame every 200 ms, until the game's end stops it.
    ASSERT_GE(o.filmFrames.size(), 4u);
    int x = 580 - 1;
    int y = 419;
    ToWindow(o.area, x, y);
    EXPECT_EQ(o.filmLeft, x);
    EXPECT_EQ(o.filmTop, y);
    for (size_t i = 1; i < o.filmFrames.size(); ++i) {
        EXPECT_GT(o.filmFrames[i].entry, o.filmFrames[i - 1].entry) << "frame " << i;
        EXPECT_EQ(o.filmFrames[i].micros - o.filmFrames[i - 1].micros, 200000u) << "frame " << i;
    }
    EXPECT_TRUE(o.filmStoppedAfter);
}

TEST(BuildingSiteGameTest, TheGameEndsAfterTwentyTasks) {
    Site s;
    s.lines = kLetters;
    std::string script = kOnePlayer;
    for (int i = 0; i < 20; ++i) script += Type("A") + "key BS\nwait 150\n" + Type("AB") + kNext;
    script += "until Okay, das war es.\nwait 1000\nkey x\n";
    const Outcome o = PlaySite(s, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.tasks, 20);
    EXPECT_EQ(o.barrowX, 32 + 19 * 28);
}

TEST(BuildingSiteGameTest, TwoPlayersTakeTurns) {
    const std::string script = kTwoPlayers + "dump first\n" + Type("Katze") + kNext +
                               "dump second\n" + Type("Bienx") + Type("e") + kNext + Type("Vogel") +
                               kNext + "key ESC\nuntil Jetzt schon beenden?\nkey j\n" +
                               "until hat gewonnen!\nwait 1000\ndump end\nkey x\n";
    const Outcome o = PlaySite({}, script);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    EXPECT_EQ(o.tasks, 3);
    EXPECT_EQ(o.run.players.TaskCount, 2) << "player 1's points";
    EXPECT_EQ(o.points2, 0) << "player 2 made a mistake on his one line";
    const std::string& first = o.run.dumps.at("first");
    EXPECT_EQ(Find(first, "Anna")->colour, colour::LightYellow);
    EXPECT_EQ(Find(first, "Ben")->colour, colour::DarkGrey);
    EXPECT_EQ(Find(first, "Ben")->x, 460);
    const std::string& second = o.run.dumps.at("second");
    EXPECT_EQ(Find(second, "Ben")->colour, colour::LightYellow);
    EXPECT_EQ(Find(o.run.dumps.at("end"), "Anna hat gewonnen!")->x, 40);
    EXPECT_EQ(o.run.players.PlayerName1, "Anna") << "typed names stay";
}

TEST(BuildingSiteGameTest, AnUnclosedHyphenIsReportedAndTheTaskGoesOn) {
    Site s;
    s.lines = {
        "Die -Katze- schl\x84"
        "ft.",
        "Der -Hund- bellt.", "Die -Kuh muht.", "Das -Pferd- frisst."};
    s.lines_ = 5;
    const Outcome o = PlaySite(
        s, kOnePlayer + "dump start\n" + Type("Katze") + Type("Hund") + "wait 2600\n" + kQuit);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const std::optional<Shown> message =
        Find(o.run.dumps.at("start"), "Fehler in Textdatei: - vergessen!");
    ASSERT_TRUE(message);
    EXPECT_EQ(message->x, 40);
    EXPECT_EQ(message->y, 100);
    EXPECT_FALSE(Find(o.run.dumps.at("start"), "Pferd")) << "the reading ended";
    EXPECT_EQ(o.tasks, 1) << "two lines were enough";
}

// ---- Lists the game cannot use -----------------------------------------------------------

TEST(BuildingSiteGameTest, BadListsEndCleanly) {
    Lines many;
    for (int i = 0; i < 300; ++i) many.push_back("Zeile -" + std::to_string(i) + "- hier");
    struct Row {
        const char* name;
        Lines lines;
        const char* message;  // shown after the player question, or ""
    };
    const char* const tooFew = "Die Liste hat zu wenige Zeilen.";
    const char* const none = "Keine Zeile der Liste passt zur Baustelle.";
    const Row rows[] = {
        {"an empty list", {}, tooFew},
        {"one line", {"der -kalte- Winter"}, tooFew},
        {"no hyphens", {"Hund", "Katze", "Maus"}, none},
        {"a word of 200 letters", Lines(3, "-" + std::string(200, 'a') + "-"), none},
        {"blanks and control bytes", {"     ", "\x01\x02-\x1b-", "\t-\r-"}, none},
        {"300 lines", many, ""},
        {"hyphens doubled and at the ends", {"--a--", "-a-b-", "b--c", "-"}, ""},
        {"umlauts and \xe1 everywhere", Lines(3, "\x84\x94 -\x81\xe1\x84- \x8e\x99\x9a\xe1"), ""},
    };
    const std::string script =
        "key 1\nwait 1000\ndump after\ntype a\nkey RET\nkey BS\nwait 500\ngclick 50 50\n"
        "gclick 300 280\nwait 300\nkey ESC\nwait 300\nkey j\nwait 300\nkey x\nwait 300\nkey x\n";
    for (const bool mouse : {false, true}) {
        for (const Row& row : rows) {
            for (const int lines : {1, 5}) {
                Site s;
                s.lines = row.lines;
                s.mouse = mouse;
                s.lines_ = lines;
                s.wortwahl = lines == 5 ? 0 : 1;
                const Outcome o = PlaySite(s, script);
                const std::string name = std::string(row.name) + (mouse ? ", mouse" : "") + ", " +
                                         std::to_string(lines) + " lines";
                EXPECT_TRUE(o.run.returned) << name << ": " << o.run.error;
                EXPECT_FALSE(o.run.screen.rfind("mode: graphics", 0) == 0) << name;
                if (*row.message != '\0') {
                    EXPECT_TRUE(Find(o.run.dumps.at("after"), row.message)) << name;
                }
            }
        }
    }
}

// ---- From the menu and back ----------------------------------------------------------

TEST(BuildingSiteGameTest, QuitNoGoesOnAndBackInTheMenuNothingIsLeft) {
    RunOptions o;
    o.appDir = MakeTestAppDir("buildingsite-menu");
    o.script =
        "until Text-Editor\ndump menu\nkey b\nuntil Anzahl der Dateien\nkey RET\n"
        "until Anzahl der Spieler\nkey 1\nwait 1000\ndump game\nkey ESC\n"
        "until Jetzt schon beenden?\nkey n\nwait 500\ndump goes-on\nkey ESC\n"
        "until Jetzt schon beenden?\nkey j\nuntil Text-Editor\ndump back\nkey ESC\nkey RET\n";
    RunResult run = RunProgram(o);
    ASSERT_EQ(run.exitCode, 0) << run.error;
    ASSERT_EQ(run.dumps.at("game").substr(0, 14), "mode: graphics");
    EXPECT_EQ(run.dumps.at("goes-on").substr(0, 14), "mode: graphics") << "n goes on";
    const std::string& back = run.dumps.at("back");
    ASSERT_EQ(back.substr(0, 10), "mode: text");
    // The menu as it was, but for the file list of the program last chosen.
    for (int row = 1; row <= 25; ++row)
        EXPECT_EQ(Cells(back, row, 1, 38), Cells(run.dumps.at("menu"), row, 1, 38))
            << "row " << row;
}

// ---- What the barrow leaves ----------------------------------------------------------------

// Driving right or rolling back, the barrow takes all of its old picture
// with it: what is left is what the barrow at its new place alone shows.
TEST(BuildingSiteGameTest, TheBarrowLeavesNoTrail) {
    for (const Size size : {Size{1280, 960}, Size{1920, 1080}, Size{1000, 750}}) {
        RunOptions o;
        o.appDir = MakeTestAppDir("buildingsite-trail");
        o.size = size;
        const RunResult run = RunExercise(o, [&](Trainer& tr) {
            tr.t.ProgramNo = No(FileProgram::Baustelle);
            BuildingSite game(tr);
            game.Prepare();
            game.DrawSite();
            for (const int step : {2, 8, -2, -4}) {
                game.DrawBarrow(1, 100);
                EXPECT_TRUE(ClearsWhatWasDrawn(
                    tr.d, [&] { game.DrawBarrow(2, 100 + step); },
                    [&] { game.DrawBarrow(1, 100); }))
                    << size.w << "x" << size.h << " step " << step;
            }
            game.Release();
            CloseGraph(tr.d);
        });
        EXPECT_TRUE(run.returned) << run.error;
    }
}

}  // namespace
}  // namespace qs::test
