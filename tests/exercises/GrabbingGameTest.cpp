// Whole games of "Greifen" on the headless screen: the frames follow the
// virtual clock, so the script of a child knows where each part flies and
// grabs and drops it there with move, down and up lines. The frames, the
// board the game leaves, the sounds and the screen texts are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "exercises/grabbing/Grabbing.h"
#include "screen/Keyboard.h"
#include "screen/graph/Graph.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

struct Game {
    std::vector<std::string> lines{};
    int greifen = kGreifenAlles;
    int greifteile = kGreifteileZusammen;
    std::string firstArgument{};
    int wortwahl = 1;
    int currentLine = 1;
    std::vector<Clap> claps{};  // whose waits are measured before the game
};

// What every frame showed of the parts.
struct FrameRecord {
    std::array<PartObject, kGrabParts + 1> parts;
    bool exclusive = false;
    uint64_t atMicros = 0;
};

struct Outcome {
    RunResult run;
    std::map<int, int> delays;        // what the screen's Delay of each clap time waits
    std::vector<FrameRecord> frames;  // of every group, one after another
    std::vector<GrabBoard> boards;    // each group's board as its last frame left it
    std::vector<int> groupFrames;     // frames of each group
    bool hookLeft = true;
};

Outcome PlayGrabbing(const Game& game, const std::string& script, Size size = {1280, 960}) {
    Outcome out;
    RunOptions o;
    o.appDir = MakeTestAppDir("grabbing");
    o.script = script;
    o.size = size;
    o.seed = 3;
    out.run = RunExercise(o, [&](Trainer& tr) {
        tr.t.ProgramNo = No(FileProgram::KontaktGreifen);
        tr.t.WordFileName = "test.KWT";
        tr.t.WordFilePath = "LS1DAT\\test.KWT";
        int n = 0;
        for (const std::string& line : game.lines) tr.t.WordList[static_cast<size_t>(++n)] = line;
        tr.t.WordCount = n;
        tr.t.CurrentLine = game.currentLine;
        tr.t.FirstArgument = game.firstArgument;
        tr.t.opt.OptGreifen = game.greifen;
        tr.t.opt.OptGreifteile = game.greifteile;
        tr.t.opt.OptWortwahl = game.wortwahl;
        tr.t.opt.OptTon = 0;
        for (const Clap& c : game.claps) {
            for (int ms : {c.openMs, c.closedMs}) {
                const uint64_t from = tr.d.platform.NowMicros();
                Delay(tr.d, ms);
                out.delays[ms] = static_cast<int>((tr.d.platform.NowMicros() - from) / 1000);
            }
        }
        out.frames.clear();
        out.boards.clear();
        out.groupFrames.clear();
        RunGrabbing(tr, [&](GrabbingGame& g) {
            g.afterFrame = [&](const GrabbingGame& gg) {
                if (gg.Frames == 1) {
                    out.boards.emplace_back();
                    out.groupFrames.push_back(0);
                }
                out.boards.back() = gg.board;
                out.groupFrames.back() = gg.Frames;
                out.frames.push_back({gg.board.parts, tr.d.exclusive, tr.d.platform.NowMicros()});
            };
        });
        out.hookLeft = static_cast<bool>(tr.d.mouse.MouseMoveHook);
    });
    return out;
}

// Where part i flies freely at frame f of the first group.
Point FreeFlight(int i, int frame) {
    const Point start = StartPosition(i);
    Mover m{start.x, start.y, 1, 1, StartRect(i)};
    for (int k = 0; k < frame; ++k) MoveOneStep(m);
    return Point{m.x, m.y};
}

// The script of a child that grabs parts where they fly and drops them
// into slots. It counts the program time its waits take from the first
// frame on, which tells where a part is at that time.
class Child {
public:
    explicit Child(const std::string& firstText) { script_ = "until \"" + firstText + "\"\n"; }
    std::string Script() const { return script_; }
    int Frame() const { return ms_ * 60 / 1000 + lines_ / 8; }
    void Wait(int ms) {
        Line("wait " + std::to_string(ms));
        ms_ += ms;
    }
    void Line(const std::string& line) {
        script_ += line + "\n";
        ++lines_;
    }
    // Grabs the part at `at` a little below its left edge and lets it go
    // where the part's corner comes to `to`. Returns where it was let go.
    Point Carry(Point at, Point to, int holdMs = 100) {
        const Point hand{at.x + 25, std::max(at.y - 10, 0)};
        Mouse("move", hand);
        Mouse("down", hand);
        Wait(holdMs);
        const Point drop{to.x + hand.x - at.x, to.y + hand.y - at.y};
        Mouse("move", drop);
        Wait(holdMs);
        Mouse("up", drop);
        Wait(holdMs / 2);
        return to;
    }
    // Part i, flying freely since the first frame, into slot n.
    void Slot(int i, int n) { Carry(FreeFlight(i, Frame()), SlotCorner(n)); }
    static Point SlotCorner(int n) { return Point{250, 50 * n + 6}; }

private:
    void Mouse(const char* what, Point p) {
        Line(std::string(what) + " " + std::to_string(p.x) + " " + std::to_string(p.y));
    }
    std::string script_;
    int ms_ = 0;
    int lines_ = 0;
};

const std::string kAfterApplause =
    "until Taste\ndump end\nkey SPACE\nwait 200\ndump next\nkey ESC\n";

int CountSounds(const HeadlessPlatform& p, const std::string& file) {
    const auto& log = p.SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PlayedSound& s) {
        return s.path.size() >= file.size() &&
               s.path.compare(s.path.size() - file.size(), file.size(), file) == 0;
    }));
}

std::vector<uint64_t> SoundTimes(const HeadlessPlatform& p, const std::string& file) {
    std::vector<uint64_t> at;
    for (const PlayedSound& s : p.SoundLog())
        if (s.path.size() >= file.size() &&
            s.path.compare(s.path.size() - file.size(), file.size(), file) == 0)
            at.push_back(s.atMicros);
    return at;
}

bool AllJoined(const GrabBoard& b, int words) {
    for (int i = 1; i <= 2 * words; ++i)
        if (!b.Part(i).joined) return false;
    return true;
}

// Until its first grab, every part stood where the flight rules put it.
void ExpectFreeFlight(const Outcome& o, int parts) {
    for (int i = 1; i <= parts; ++i) {
        for (size_t f = 0; f < o.frames.size(); ++f) {
            const PartObject& p = o.frames[f].parts[static_cast<size_t>(i)];
            if (p.held || p.placed) break;
            const Point want = FreeFlight(i, static_cast<int>(f) + 1);
            ASSERT_EQ(Point(p.x, p.y), want) << "part " << i << " frame " << f + 1;
        }
    }
}

const std::vector<std::string> kTwoWords = {"Auto-bahn", "Haus-t\201r", "-"};

// ---- Whole groups ---------------------------------------------------------------

// The replay of one group: all four parts grabbed where they fly and put
// together, then the applause, "Taste" and the next group.
TEST(GrabbingGameTest, AGroupIsPutTogetherAndApplauded) {
    Child child("t\xc3\xbcr");
    child.Slot(1, 1);
    child.Slot(2, 1);
    child.Slot(3, 2);
    child.Slot(4, 2);
    child.Line("dump joined");
    Outcome o = PlayGrabbing({kTwoWords}, child.Script() + kAfterApplause);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    ASSERT_EQ(o.boards.size(), 2u) << "the group, then the next one until ESC";
    const GrabBoard& b = o.boards[0];
    EXPECT_TRUE(AllJoined(b, 2));
    EXPECT_EQ(b.GrabMistakes, 0);
    EXPECT_TRUE(b.Finishing);
    EXPECT_TRUE(b.occupied[1] && b.occupied[2]);
    EXPECT_EQ(b.Part(1).slot, 1);
    EXPECT_EQ(b.Part(3).slot, 2);
    ExpectFreeFlight(o, 4);
    // The joined parts have come to rest side by side.
    EXPECT_EQ(Point(b.Part(1).x, b.Part(1).y), Point(189, 56));
    EXPECT_EQ(b.Part(2).y, 56);
    EXPECT_EQ(b.Part(2).x, b.Part(2).r.minX);
    EXPECT_GT(b.Part(2).x, 189 + 30);
    // The last part in place, then 260 frames more.
    int placedAt = 0;
    for (size_t f = 0; f < o.frames.size() && placedAt == 0; ++f)
        if (o.frames[f].parts[4].joined) placedAt = static_cast<int>(f) + 1;
    EXPECT_EQ(o.groupFrames[0], placedAt + kFinishingFrames);
    EXPECT_EQ(CountSounds(*o.run.platform, "klatsch.wav"), 13) << "no mistake: 13 claps";
    EXPECT_EQ(TextAt(o.run.dumps["end"], 20, 440), "Taste");
    EXPECT_EQ(TextAt(o.run.dumps["joined"], 191, 59), "Auto bahn") << "the word in its slot";
    EXPECT_EQ(TextAt(o.run.dumps["joined"], 191, 109), "Haus t\xc3\xbcr");
    EXPECT_EQ(o.run.players.CurrentWordNo, 1);
    EXPECT_EQ(o.run.state.LastKey, 27);
    EXPECT_FALSE(o.hookLeft);
    EXPECT_FALSE(o.run.platform->Exclusive());
    EXPECT_FALSE(o.run.dos->exclusive);
    EXPECT_FALSE(o.run.dos->screen.GraphMode);
    EXPECT_TRUE(o.frames.front().exclusive) << "the frames go through the exclusive surface";
}

// A part of another word pushes out the one in the slot (red, one
// mistake); it is grabbed again and finds its partner.
TEST(GrabbingGameTest, AWrongPartnerIsPushedOut) {
    Child child("t\xc3\xbcr");
    child.Slot(1, 1);
    child.Slot(2, 2);
    child.Slot(3, 1);  // pushes part 1 out where it slid in slot 1
    child.Wait(100);
    Outcome probe = PlayGrabbing({kTwoWords}, child.Script() + "dump pushed\nkey ESC\n");
    ASSERT_TRUE(probe.run.returned) << probe.run.error;
    ASSERT_FALSE(probe.frames.empty());
    const PartObject& pushed = probe.frames.back().parts[1];
    EXPECT_FALSE(pushed.placed);
    EXPECT_EQ(pushed.r, ScreenRect());
    EXPECT_EQ(probe.boards[0].GrabMistakes, 1);
    EXPECT_TRUE(probe.boards[0].Part(3).placed);

    // Once more, grabbing part 1 where the probe saw it, into slot 2 beside part 2.
    child.Carry(Point(pushed.x, pushed.y), Child::SlotCorner(2));
    child.Slot(4, 1);
    Outcome o = PlayGrabbing({kTwoWords}, child.Script() + kAfterApplause);
    ASSERT_TRUE(o.run.returned) << o.run.error;
    const GrabBoard& b = o.boards[0];
    EXPECT_TRUE(AllJoined(b, 2));
    EXPECT_EQ(b.GrabMistakes, 1);
    EXPECT_EQ(b.Part(1).slot, 2);
    EXPECT_EQ(b.Part(4).slot, 1);
    EXPECT_EQ(CountSounds(*o.run.platform, "klatsch.wav"), 12);
}

// Each setting of OptGreifen and OptGreifteile, and the "/" of line 1.
TEST(GrabbingGameTest, TheOptionsOfTheGame) {
    struct Row {
        const char* what;
        Game game;
        bool secondOnly;                 // only the second parts fly
        std::vector<std::string> texts;  // at the end of the group
        int restX;                       // where part 2 comes to rest
    };
    const Row rows[] = {
        {"Vorgabe prints the words",
         {kTwoWords, kGreifenVorgabe},
         false,
         {"text 190 59 1 \"Auto bahn\"", "text 190 109 1 \"Haus t\xc3\xbcr\""},
         0},
        {"Vorgabe getrennt prints the parts apart",
         {kTwoWords, kGreifenVorgabe, kGreifteileGetrennt},
         false,
         {"text 190 59 1 \"Auto\"", "text 317 59 1 \"bahn\""},
         189 + 126},
        {"2.Teil lets the second parts fly", {kTwoWords, kGreifenZweiterTeil}, true, {}, 0},
        {"getrennt sets the parts apart",
         {kTwoWords, kGreifenAlles, kGreifteileGetrennt},
         false,
         {},
         189 + 126},
        {"a slash on line 1 sets them apart for this list",
         {{"/Auto-bahn", "Haus-t\201r", "-"}},
         false,
         {},
         189 + 126},
    };
    for (const Row& row : rows) {
        Child child("t\xc3\xbcr");
        if (!row.secondOnly) child.Slot(1, 1);
        child.Slot(2, 1);
        if (!row.secondOnly) child.Slot(3, 2);
        child.Slot(4, 2);
        child.Line("dump joined");
        Outcome o = PlayGrabbing(row.game, child.Script() + kAfterApplause);
        ASSERT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        ASSERT_FALSE(o.boards.empty()) << row.what;
        const GrabBoard& b = o.boards[0];
        EXPECT_TRUE(AllJoined(b, 2)) << row.what;
        EXPECT_EQ(b.GrabMistakes, 0) << row.what;
        if (row.secondOnly) {
            for (const FrameRecord& f : o.frames)
                ASSERT_TRUE(f.parts[1].placed && f.parts[1].x == 189) << row.what;
        }
        const auto texts = DumpTexts(o.run.dumps["joined"]);
        for (const std::string& t : row.texts)
            EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end())
                << row.what << ": " << t;
        if (row.restX != 0) {
            EXPECT_EQ(b.Part(2).r.minX, row.restX) << row.what;
        }
        EXPECT_EQ(o.run.state.opt.OptGreifteile, row.game.greifteile) << row.what << ": restored";
        EXPECT_EQ(o.run.state.WordList[1], "Auto-bahn") << row.what;
    }
}

// The applause on the virtual clock: open hands, the clap's sound, closed
// hands; fewer mistakes give more and quicker claps. The mistakes are
// drops into the wrong slot with " Vorgabe ".
TEST(GrabbingGameTest, TheApplauseFollowsTheMistakes) {
    for (int mistakes : {0, 3}) {
        Child child("t\xc3\xbcr");
        Point part1 = FreeFlight(1, child.Frame());
        for (int k = 0; k < mistakes; ++k) part1 = child.Carry(part1, Child::SlotCorner(2), 40);
        child.Carry(part1, Child::SlotCorner(1));
        child.Slot(2, 1);
        child.Slot(3, 2);
        child.Slot(4, 2);
        Game game{kTwoWords, kGreifenVorgabe};
        game.claps = ApplauseClaps(mistakes);
        Outcome o = PlayGrabbing(game, child.Script() + kAfterApplause);
        ASSERT_TRUE(o.run.returned) << mistakes << ": " << o.run.error;
        ASSERT_FALSE(o.boards.empty());
        EXPECT_EQ(o.boards[0].GrabMistakes, mistakes);
        const std::vector<Clap> claps = ApplauseClaps(mistakes);
        const std::vector<uint64_t> at = SoundTimes(*o.run.platform, "klatsch.wav");
        ASSERT_EQ(at.size(), claps.size()) << mistakes;
        for (size_t k = 1; k < at.size(); ++k) {
            const int gap = static_cast<int>((at[k] - at[k - 1]) / 1000);
            const int want = o.delays[claps[k - 1].closedMs] + o.delays[claps[k].openMs];
            EXPECT_NEAR(gap, want, 1) << mistakes << " mistakes, clap " << k;
        }
        // The first clap sounds once the open hands have stood.
        const uint64_t last = o.frames[static_cast<size_t>(o.groupFrames[0] - 1)].atMicros;
        EXPECT_NEAR(static_cast<int>((at[0] - last) / 1000), o.delays[claps[0].openMs], 1)
            << mistakes;
    }
}

// ---- Leaving ------------------------------------------------------------------

// ESC, a resize and a close request in the middle of a group: the window
// has its own surface again and the mouse hook is gone.
TEST(GrabbingGameTest, LeavingAlwaysRestoresTheWindow) {
    struct Row {
        const char* what;
        std::string script;
        std::string firstArgument;
        bool exclusiveFrames;
    };
    const Row rows[] = {
        {"ESC", "until Auto\nwait 500\nkey ESC\n", "", true},
        {"a resize", "until Auto\nwait 500\nresize 1024 768\nwait 300\nkey ESC\n", "", true},
        {"a close request", "until Auto\nwait 500\nclose\n", "", true},
        {"nodx keeps the window", "until Auto\nwait 500\nkey ESC\n", "nodx", false},
    };
    for (const Row& row : rows) {
        Outcome o = PlayGrabbing({kTwoWords, kGreifenAlles, kGreifteileZusammen, row.firstArgument},
                                 row.script);
        ASSERT_FALSE(o.frames.empty()) << row.what;
        EXPECT_EQ(o.frames.front().exclusive, row.exclusiveFrames) << row.what;
        EXPECT_FALSE(o.run.platform->Exclusive()) << row.what;
        EXPECT_FALSE(o.run.dos->exclusive) << row.what;
        EXPECT_FALSE(o.run.dos->mouse.MouseMoveHook) << row.what;
        EXPECT_TRUE(o.run.platform->PointerVisible()) << row.what;
        EXPECT_EQ(CountSounds(*o.run.platform, "klatsch.wav"), 0) << row.what << ": no applause";
    }
}

// ---- Lists --------------------------------------------------------------------

TEST(GrabbingGameTest, GroupsFollowTheList) {
    const std::vector<std::string> lines = {"a-1", "b-2", "c-3", "d-4", "-",
                                            "e-5", "f-6", "g-7", "h-8", "-"};
    struct Row {
        const char* what;
        int wortwahl;
        int currentLine;
        int firstLine;
    };
    const Row rows[] = {
        {"in order from the start line's group", 1, 7, 6},
        {"in order from line 1", 1, 1, 1},
        {"at random from line 1", 0, 7, 1},
    };
    for (const Row& row : rows) {
        Outcome o = PlayGrabbing(
            {lines, kGreifenAlles, kGreifteileZusammen, "", row.wortwahl, row.currentLine},
            "wait 500\nkey ESC\n");
        ASSERT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        EXPECT_EQ(o.run.players.CurrentWordNo, row.firstLine) << row.what;
    }
}

TEST(GrabbingGameTest, BadListsPlayOrEndWithAMessage) {
    std::vector<std::string> many(300, "Auto-bahn");
    for (size_t i = 4; i < many.size(); i += 5) many[i] = "-";
    struct Row {
        const char* what;
        std::vector<std::string> lines;
        bool plays;
    };
    const Row rows[] = {
        {"an empty list", {""}, false},
        {"one line", {"Auto-bahn"}, true},
        {"no separators", {"Autobahn", "Haustuer", "-"}, false},
        {"a word of 200 letters", {"Auto-" + std::string(200, 'a'), "-"}, true},
        {"blanks and control bytes", {"   ", "\x01\x02-\x03", "  -  ", "\t-\t", "-"}, false},
        {"300 lines", many, true},
        {"separators doubled or at the ends",
         {"-Auto--bahn-", "--Haus-", "Tisch--bein", "-"},
         true},
        {"umlauts and sharp s everywhere",
         {"\204\224-\201\341", "\216\341-\232\204\341", "-"},
         true},
        {"more than eight words", std::vector<std::string>(12, "Auto-bahn"), true},
    };
    const std::string mix =
        "wait 300\ndump first\nmove 125 110\ndown 125 110\nwait 100\nmove 275 46\nwait 100\nup 275 "
        "46\n"
        "wait 200\ngclick 300 300\nwait 100\nkey x\nwait 100\nkey ESC\nwait 300\nkey ESC\n";
    for (const Row& row : rows) {
        Outcome o = PlayGrabbing({row.lines}, mix);
        EXPECT_TRUE(o.run.returned) << row.what << ": " << o.run.error;
        EXPECT_EQ(!o.frames.empty(), row.plays) << row.what;
        if (!row.plays) {
            EXPECT_EQ(TextAt(o.run.dumps["first"], 40, 100), "Kein Wort zum Greifen in der Liste.")
                << row.what;
        }
        EXPECT_FALSE(o.run.platform->Exclusive()) << row.what;
    }
}

// From the menu and back: nothing of the game is left on the screen.
TEST(GrabbingGameTest, BackInTheMenuNothingOfTheGameIsLeft) {
    RunOptions o;
    o.appDir = MakeTestAppDir("grabbing-menu");
    o.script =
        "until Text-Editor\nkey g\nuntil Anzahl der Dateien\nkey RET\nwait 3000\ndump game\n"
        "key ESC\nuntil Text-Editor\ndump back\nkey ESC\nkey RET\n";
    RunResult run = RunProgram(o);
    ASSERT_EQ(run.exitCode, 0) << run.error;
    EXPECT_EQ(run.dumps["game"].substr(0, 14), "mode: graphics");
    EXPECT_EQ(run.dumps["back"].substr(0, 10), "mode: text");
    EXPECT_NE(run.dumps["back"].find("Greifen"), std::string::npos);
}

}  // namespace
}  // namespace qs::test
