#include "screen/script/Script.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessScriptBackend.h"
#include "screen/GraphMapping.h"
#include "screen/Keyboard.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

using Kind = ScriptCommand::Kind;

// --- Parsing ------------------------------------------------------------------------

struct GoodCommand {
    const char* line;
    ScriptCommand want;
};

ScriptCommand Cmd(Kind kind, auto&& edit) {
    ScriptCommand c;
    c.kind = kind;
    edit(c);
    return c;
}
ScriptCommand Cmd(Kind kind) {
    return Cmd(kind, [](ScriptCommand&) {});
}
ScriptCommand Until(const char* text, int ms) {
    return Cmd(Kind::Until, [&](ScriptCommand& c) {
        c.text = text;
        c.ms = ms;
    });
}

TEST(ScriptParseTest, ReadsEveryCommand) {
    const GoodCommand cases[] = {
        {"key a", Cmd(Kind::Key,
                      [](auto& c) {
                          c.key = Key::Other;
                          c.text = "a";
                      })},
        {"key ä", Cmd(Kind::Key,
                      [](auto& c) {
                          c.key = Key::Other;
                          c.text = "ä";
                      })},
        {"key #", Cmd(Kind::Key,
                      [](auto& c) {
                          c.key = Key::Other;
                          c.text = "#";
                      })},
        {"key RET # confirm", Cmd(Kind::Key, [](auto& c) { c.key = Key::Return; })},
        {"key SPACE", Cmd(Kind::Key,
                          [](auto& c) {
                              c.key = Key::Space;
                              c.text = " ";
                          })},
        {"key alt+x", Cmd(Kind::Key,
                          [](auto& c) {
                              c.key = Key::Other;
                              c.text = "x";
                              c.alt = true;
                          })},
        {"key alt++", Cmd(Kind::Key,
                          [](auto& c) {
                              c.key = Key::Other;
                              c.text = "+";
                              c.alt = true;
                          })},
        {"key shift+TAB", Cmd(Kind::Key,
                              [](auto& c) {
                                  c.key = Key::Tab;
                                  c.shift = true;
                              })},
        {"key alt+shift+F4", Cmd(Kind::Key,
                                 [](auto& c) {
                                     c.key = Key::F4;
                                     c.alt = c.shift = true;
                                 })},
        {"type Hallo Welt ", Cmd(Kind::Type, [](auto& c) { c.text = "Hallo Welt "; })},
        {"type  # zwei", Cmd(Kind::Type, [](auto& c) { c.text = " # zwei"; })},
        {"click 80 60", Cmd(Kind::Click,
                            [](auto& c) {
                                c.x = 80;
                                c.y = 60;
                            })},
        {"gclick 10 -20", Cmd(Kind::GClick,
                              [](auto& c) {
                                  c.x = 10;
                                  c.y = -20;
                              })},
        {"gclick 639 479 right", Cmd(Kind::GClick,
                                     [](auto& c) {
                                         c.x = 639;
                                         c.y = 479;
                                         c.right = true;
                                     })},
        {"move 1 2", Cmd(Kind::Move,
                         [](auto& c) {
                             c.x = 1;
                             c.y = 2;
                         })},
        {"down 3 4", Cmd(Kind::Down,
                         [](auto& c) {
                             c.x = 3;
                             c.y = 4;
                         })},
        {"up 5 6", Cmd(Kind::Up,
                       [](auto& c) {
                           c.x = 5;
                           c.y = 6;
                       })},
        {"wait 250  # the tune", Cmd(Kind::Wait, [](auto& c) { c.ms = 250; })},
        {"wait 0", Cmd(Kind::Wait)},
        {"resize 800 600", Cmd(Kind::Resize,
                               [](auto& c) {
                                   c.x = 800;
                                   c.y = 600;
                               })},
        {"focus out", Cmd(Kind::FocusOut)},
        {"focus in", Cmd(Kind::FocusIn)},
        {"close", Cmd(Kind::Close)},
        {"  dump menu-1\r", Cmd(Kind::Dump, [](auto& c) { c.text = "menu-1"; })},
        {"until Hallo Welt", Until("Hallo Welt", kUntilDefaultMs)},
        {"until  Wie bitte?  ", Until("Wie bitte?", kUntilDefaultMs)},
        {"until Zeit = 5 3000", Until("Zeit = 5", 3000)},
        {"until 42", Until("42", kUntilDefaultMs)},
        {"until 42 0", Until("42", 0)},
        {"until Tor -2", Until("Tor -2", kUntilDefaultMs)},
        {"until Nr. # 7", Until("Nr. #", 7)},
        {"until \"Zeit = 5\"", Until("Zeit = 5", kUntilDefaultMs)},
        {"until \" Tor 2 \" 500  # the goal", Until(" Tor 2 ", 500)},
        {"until \"sag \\\"hi\\\" \\\\\"", Until("sag \"hi\" \\", kUntilDefaultMs)},
        {"until \u00dcbung", Until("\u00dcbung", kUntilDefaultMs)},
    };
    for (const GoodCommand& t : cases) {
        SCOPED_TRACE(t.line);
        const std::vector<ScriptCommand> got = ParseScript(t.line);
        ASSERT_EQ(got.size(), 1u);
        const ScriptCommand& c = got[0];
        EXPECT_EQ(c.kind, t.want.kind);
        EXPECT_EQ(c.key, t.want.key);
        EXPECT_EQ(c.alt, t.want.alt);
        EXPECT_EQ(c.shift, t.want.shift);
        EXPECT_EQ(c.right, t.want.right);
        EXPECT_EQ(c.text, t.want.text);
        EXPECT_EQ(c.x, t.want.x);
        EXPECT_EQ(c.y, t.want.y);
        EXPECT_EQ(c.ms, t.want.ms);
    }
}

TEST(ScriptParseTest, KnowsEveryKeyName) {
    const std::pair<const char*, Key> names[] = {
        {"RET", Key::Return},    {"ESC", Key::Escape},  {"BS", Key::Backspace},
        {"TAB", Key::Tab},       {"SPACE", Key::Space}, {"UP", Key::Up},
        {"DOWN", Key::Down},     {"LEFT", Key::Left},   {"RIGHT", Key::Right},
        {"HOME", Key::Home},     {"END", Key::End},     {"PGUP", Key::PageUp},
        {"PGDN", Key::PageDown}, {"INS", Key::Insert},  {"DEL", Key::Delete},
        {"F1", Key::F1},         {"F2", Key::F2},       {"F3", Key::F3},
        {"F4", Key::F4},         {"F5", Key::F5},       {"F6", Key::F6},
        {"F7", Key::F7},         {"F8", Key::F8},       {"F9", Key::F9},
        {"F10", Key::F10},       {"F11", Key::F11},     {"F12", Key::F12},
    };
    for (const auto& [name, key] : names) {
        SCOPED_TRACE(name);
        const std::vector<ScriptCommand> got = ParseScript(std::string("key ") + name);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].key, key);
    }
}

TEST(ScriptParseTest, SkipsCommentsAndBlankLinesAndNumbersLinesFromOne) {
    const auto got = ParseScript("# start\n\n   \n  # indented\nkey a\r\n\nclose");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].line, 5);
    EXPECT_EQ(got[1].line, 7);
}

struct BadScript {
    const char* text;
    const char* message;
};

TEST(ScriptParseTest, RejectsBadLinesNamingTheLine) {
    const BadScript cases[] = {
        {"press a", "script line 1: unknown command 'press'"},
        {"KEY a", "script line 1: unknown command 'KEY'"},
        {"key a\n\nkey ret", "script line 3: unknown key 'ret'"},
        {"key ab", "script line 1: unknown key 'ab'"},
        {"key alt+", "script line 1: unknown key 'alt+'"},
        {"key F13", "script line 1: unknown key 'F13'"},
        {"key", "script line 1: expected 'key X'"},
        {"key a b", "script line 1: expected 'key X'"},
        {"key \xC3", "script line 1: unknown key"},
        {"type", "script line 1: expected 'type TEXT'"},
        {"type ", "script line 1: expected 'type TEXT'"},
        {"type Gr\xFCn", "script line 1: the text is not valid UTF-8"},
        {"click 1", "script line 1: expected 'click COL ROW'"},
        {"click 0 1", "script line 1: COL must be a whole number from 1 to 80, got '0'"},
        {"click 81 1", "COL must be"},
        {"click 1 61", "ROW must be"},
        {"click 1 x", "ROW must be"},
        {"gclick 1 2 left", "script line 1: expected 'right', got 'left'"},
        {"gclick 1.5 2", "X must be"},
        {"move 1", "expected 'move|down|up X Y'"},
        {"up 1 2 3", "expected 'move|down|up X Y'"},
        {"wait -5", "MS must be"},
        {"wait", "expected 'wait MS'"},
        {"resize 0 600", "W must be"},
        {"focus sideways", "expected 'focus out' or 'focus in'"},
        {"close now", "expected 'close'"},
        {"dump", "expected 'dump NAME'"},
        {"dump a/b", "must not contain a folder"},
        {"dump a b", "expected 'dump NAME'"},
        {"until", "script line 1: expected 'until TEXT [MS]'"},
        {"until   ", "expected 'until TEXT [MS]'"},
        {"until \"\"", "expected 'until TEXT [MS]'"},
        {"until \"offen", "script line 1: the quoted text has no closing '\"'"},
        {"until \"a\" 1 2", "expected 'until TEXT [MS]'"},
        {"until \"a\" bald", "MS must be a whole number"},
        {"until a 86400001", "MS must be a whole number from 0 to 86400000"},
        {"until Gr\xFCn", "script line 1: the text is not valid UTF-8"},
    };
    for (const BadScript& t : cases) {
        SCOPED_TRACE(t.text);
        try {
            ParseScript(t.text);
            ADD_FAILURE() << "accepted";
        } catch (const ScriptError& e) {
            EXPECT_NE(std::string(e.what()).find(t.message), std::string::npos) << e.what();
        }
    }
}

// --- Running ------------------------------------------------------------------------

HeadlessOptions WithSize(Size size) {
    HeadlessOptions o;
    o.size = size;
    return o;
}

std::string Describe(const Event& e) {
    using T = Event::Type;
    auto key = [](Key k) {
        switch (k) {
            case Key::Other: return "Other";
            case Key::Space: return "Space";
            case Key::Return: return "Return";
            case Key::Tab: return "Tab";
            case Key::F4: return "F4";
            case Key::F12: return "F12";
            case Key::Alt: return "Alt";
            case Key::Shift: return "Shift";
            default: return "?";
        }
    };
    auto button = [](MouseButton b) {
        return b == MouseButton::Left ? "L" : b == MouseButton::Right ? "R" : "-";
    };
    auto at = [&](const char* what) {
        return std::string(what) + "(" + std::to_string(e.x) + "," + std::to_string(e.y) + "," +
               button(e.button) + ")";
    };
    switch (e.type) {
        case T::KeyDown: return std::string("Down(") + key(e.key) + ")";
        case T::KeyUp: return std::string("Up(") + key(e.key) + ")";
        case T::Text: return "Text(" + e.text + ")";
        case T::MouseMove: return at("Move");
        case T::MouseDown: return at("Press");
        case T::MouseUp: return at("Release");
        case T::Resize: return "Resize(" + std::to_string(e.w) + "x" + std::to_string(e.h) + ")";
        case T::FocusLost: return "FocusLost";
        case T::FocusGained: return "FocusGained";
        case T::Close: return "Close";
        default: return "other";
    }
}

class ScriptRunnerTest : public ::testing::Test {
protected:
    explicit ScriptRunnerTest(Size size = {1280, 960}) : platform_(WithSize(size)) {}

    void Start(const std::string& script, const std::string& outDir = ".",
               uint64_t maxMs = kScriptDefaultMaxMs) {
        runner_ = std::make_unique<ScriptRunner>(d_, ParseScript(script), backend_, outDir, maxMs);
        runner_->Install();
    }
    void Step() { d_.beforePump(); }
    // Takes every pending event, as the program's pump would.
    std::string Drain() {
        std::string out;
        Event e;
        while (platform_.PollEvent(e)) out += (out.empty() ? "" : " ") + Describe(e);
        return out;
    }
    std::string StepAndDrain() {
        Step();
        return Drain();
    }

    HeadlessPlatform platform_;
    Dos d_{platform_};
    HeadlessScriptBackend backend_{platform_};
    std::unique_ptr<ScriptRunner> runner_;
};

struct PostedLine {
    const char* line;
    const char* events;
};

TEST_F(ScriptRunnerTest, PostsTheEventsOfEachLineAsAWindowWould) {
    d_.screen.CellWidth = 16;
    d_.screen.CellHeight = 38;
    const PostedLine cases[] = {
        {"key a", "Down(Other) Text(a) Up(Other)"},
        {"key ü", "Down(Other) Text(ü) Up(Other)"},
        {"key SPACE", "Down(Space) Text( ) Up(Space)"},
        {"key RET", "Down(Return) Up(Return)"},
        {"key F12", "Down(F12) Up(F12)"},
        {"key alt+x", "Down(Alt) Down(Other) Text(x) Up(Other) Up(Alt)"},
        {"key shift+TAB", "Down(Shift) Down(Tab) Up(Tab) Up(Shift)"},
        {"key alt+F4", "Down(Alt) Down(F4) Close Up(F4) Up(Alt)"},
        {"type ß", "Down(Other) Text(ß) Up(Other)"},
        {"type \t", "Down(Tab) Up(Tab)"},
        {"click 1 1", "Move(8,19,-) Press(8,19,L) Release(8,19,L)"},
        {"click 80 25", "Move(1272,931,-) Press(1272,931,L) Release(1272,931,L)"},
        {"gclick 320 240 right", "Move(640,480,-) Press(640,480,R) Release(640,480,R)"},
        {"move 10 20", "Move(20,40,-)"},
        {"down 10 20", "Press(20,40,L)"},
        {"up 10 20", "Release(20,40,L)"},
        {"close", "Close"},
        {"focus out", "FocusLost"},
        {"focus in", "FocusGained"},
        {"resize 800 600", "Resize(800x600)"},
    };
    for (const PostedLine& t : cases) {
        SCOPED_TRACE(t.line);
        Start(t.line);
        EXPECT_EQ(StepAndDrain(), t.events);
        EXPECT_TRUE(runner_->Finished());
    }
    EXPECT_EQ(platform_.ClientSize(), (Size{800, 600}));
}

TEST_F(ScriptRunnerTest, MouseLinesMoveThePointer) {
    Start("gclick 100 50\nmove 7 9");
    Step();
    EXPECT_EQ(platform_.PointerPosition(), (Point{200, 100}));
    Drain();
    Step();
    EXPECT_EQ(platform_.PointerPosition(), (Point{14, 18}));
}

TEST_F(ScriptRunnerTest, TakesOneKeyAtATimeWhileTheProgramHasNotTakenTheLast) {
    Start("type a b\nkey RET");
    EXPECT_EQ(StepAndDrain(), "Down(Other) Text(a) Up(Other)");

    d_.keys.KeyBuffer = "a";  // the program has not read it yet
    EXPECT_EQ(StepAndDrain(), "");
    d_.keys.KeyBuffer.clear();

    Step();
    Step();  // its events are still queued: nothing more
    EXPECT_EQ(Drain(), "Down(Space) Text( ) Up(Space)");
    EXPECT_EQ(StepAndDrain(), "Down(Other) Text(b) Up(Other)");
    EXPECT_EQ(StepAndDrain(), "Down(Return) Up(Return)");
    EXPECT_TRUE(runner_->Finished());
}

TEST_F(ScriptRunnerTest, WaitHoldsTheFollowingLinesFromWhenItIsReached) {
    Start("key a\nwait 500\nkey b\nwait 0\nkey c");
    Step();
    platform_.AdvanceMillis(2000);  // time passes before the program takes the key
    Drain();
    EXPECT_EQ(StepAndDrain(), "");
    platform_.AdvanceMillis(499);
    EXPECT_EQ(StepAndDrain(), "");
    platform_.AdvanceMillis(1);
    EXPECT_EQ(StepAndDrain(), "Down(Other) Text(b) Up(Other)");
    EXPECT_EQ(StepAndDrain(), "Down(Other) Text(c) Up(Other)");
}

TEST_F(ScriptRunnerTest, DumpIsWrittenOnceTheKeysBeforeItAreTaken) {
    TempDir dir;
    const std::string out = dir / "dumps";
    Start("dump first\nkey x\ndump second", out);
    Step();
    EXPECT_TRUE(std::filesystem::exists(out + "/first.txt"));
    EXPECT_TRUE(std::filesystem::exists(out + "/first.png"));
    Step();
    EXPECT_FALSE(std::filesystem::exists(out + "/second.txt"));
    Drain();
    Step();
    EXPECT_TRUE(std::filesystem::exists(out + "/second.txt"));
}

TEST_F(ScriptRunnerTest, FinishesWhenUsedUpAndNothingIsLeftToTake) {
    Start("key a\nwait 100");
    EXPECT_NO_THROW(d_.waitingForInput());  // the key is still to come
    Step();
    EXPECT_NO_THROW(d_.waitingForInput());  // its events are queued
    Drain();
    d_.keys.KeyBuffer = "a";
    Step();
    d_.keys.KeyBuffer.clear();
    Step();
    EXPECT_NO_THROW(d_.waitingForInput());  // the wait is in progress
    platform_.AdvanceMillis(100);
    Step();
    EXPECT_THROW(d_.waitingForInput(), ScriptFinished);
}

TEST_F(ScriptRunnerTest, FinishesAProgramThatPollsForTenMinutesAfterTheScript) {
    Start("key a");
    Step();
    Drain();
    Step();
    platform_.AdvanceMillis(10 * 60 * 1000 - 1);
    EXPECT_NO_THROW(Step());
    platform_.AdvanceMillis(1);
    EXPECT_THROW(Step(), ScriptFinished);
}

TEST_F(ScriptRunnerTest, FailsOnceTheRunHasTakenItsLimitOfProgramTime) {
    Start("wait 5000\nkey a", ".", 1000);
    platform_.AdvanceMillis(999);
    EXPECT_NO_THROW(Step());
    platform_.AdvanceMillis(1);
    try {
        Step();
        ADD_FAILURE() << "went on";
    } catch (const ScriptTimeout& e) {
        EXPECT_STREQ(e.what(), "the scripted run did not end within 1000 ms of the program's time");
    }
}

TEST_F(ScriptRunnerTest, FailsWhenTheProgramLeavesTheInputUntakenForTenMinutes) {
    Start("key a\n\nkey b");
    Step();
    Step();
    platform_.AdvanceMillis(10 * 60 * 1000 - 1);
    EXPECT_NO_THROW(Step());
    platform_.AdvanceMillis(1);
    try {
        Step();
        ADD_FAILURE() << "went on";
    } catch (const ScriptError& e) {
        EXPECT_STREQ(e.what(),
                     "script line 3: the program has left the input before this line "
                     "untaken for ten minutes of its time");
    }
}

// What the screen comes to show in the cases of `until`.
void GridText(Dos& d, int row, const std::u32string& text) {
    std::copy(text.begin(), text.end(), d.screen.Grid.begin() + (row - 1) * 80 + 10);
}
void GraphicsText(Dos& d, const std::string& cp437) {
    d.screen.GraphTexts.push_back(GraphText{10, 20, 14, cp437});
}

TEST_F(ScriptRunnerTest, UntilHoldsTheFollowingLinesUntilItsTextShows) {
    auto at = [](int when, std::function<void(Dos&)> draw) {
        return [=](Dos& d, int ms) {
            if (ms == when) draw(d);
        };
    };
    auto graphics = [](Dos& d) { d.screen.GraphMode = true; };
    const struct {
        const char* name;
        const char* script;                // ends in "key a"
        std::function<void(Dos&)> before;  // the screen before the script
        std::function<void(Dos&, int ms)> draw;
        int postedAt;  // ms when "a" is posted; -1: the until line fails at 1000 ms
    } cases[] = {
        {"a row of the character grid", "until Hallo Welt 1000\nkey a", nullptr,
         at(300, [](Dos& d) { GridText(d, 25, U"Hallo Welt"); }), 300},
        {"a row that shows it already", "until Hallo 1000\nkey a",
         [](Dos& d) { GridText(d, 1, U"Hallo"); }, nullptr, 0},
        {"not a text split over two rows", "until Hallo Welt 1000\nkey a", nullptr,
         at(300,
            [](Dos& d) {
                // "Hallo" ends row 1, " Welt" begins row 2.
                std::copy_n(U"Hallo Welt", 10, d.screen.Grid.begin() + 75);
            }),
         -1},
        {"a graphics text, in display letters", "until Zeit = 5 \u00e4 1000\nkey a", graphics,
         at(300, [](Dos& d) { GraphicsText(d, "Zeit = 5 \x84"); }), 300},
        {"part of a graphics text", "until \"5 \" 1000\nkey a", graphics,
         at(300, [](Dos& d) { GraphicsText(d, "Zeit = 5 s"); }), 300},
        {"a graphics text drawn before the line", "until Hallo 1000\nkey a", graphics,
         at(0, [](Dos& d) { GraphicsText(d, "Hallo"); }), 0},
        {"a graphics text drawn before the last input counts once drawn again",
         "key b\nuntil Hallo 1000\nkey a", graphics,
         [](Dos& d, int ms) {
             if (ms == 0 || ms == 300) GraphicsText(d, "Hallo");
         },
         300},
        {"the graphics texts of a cleared screen", "until neu 1000\nkey a",
         [](Dos& d) {
             d.screen.GraphMode = true;
             for (const char* t : {"alt", "alt", "alt"}) GraphicsText(d, t);
         },
         at(300,
            [](Dos& d) {
                d.screen.GraphTexts.clear();
                ++d.screen.GraphTextsCleared;
                for (const char* t : {"neu", "x", "x", "x"}) GraphicsText(d, t);
            }),
         300},
        {"not graphics texts in text mode", "until Hallo 1000\nkey a", nullptr,
         at(300, [](Dos& d) { GraphicsText(d, "Hallo"); }), -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessPlatform platform(WithSize({1280, 960}));
        Dos d(platform);
        HeadlessScriptBackend backend(platform);
        if (c.before) c.before(d);
        ScriptRunner runner(d, ParseScript(c.script), backend, ".");
        int postedAt = -1;
        std::string error;
        for (int ms = 0; ms <= 1000 && postedAt < 0 && error.empty(); ++ms) {
            if (c.draw) c.draw(d, ms);
            try {
                runner.Step();
            } catch (const ScriptError& e) {
                error = e.what();
            }
            Event e;
            while (platform.PollEvent(e))
                if (e.text == "a") postedAt = ms;
            platform.AdvanceMillis(1);
        }
        EXPECT_EQ(postedAt, c.postedAt) << error;
        if (c.postedAt < 0) {
            const std::vector<ScriptCommand> lines = ParseScript(c.script);
            const ScriptCommand& until = lines[lines.size() - 2];
            EXPECT_EQ(error, "script line " + std::to_string(until.line) + ": '" + until.text +
                                 "' did not show on the screen within 1000 ms of the "
                                 "program's time");
        }
    }
}

TEST_F(ScriptRunnerTest, UntilWaitsForTheInputBeforeItToBeTaken) {
    Start("key a\nuntil Hallo\nkey b");
    GridText(d_, 2, U"Hallo");
    EXPECT_EQ(StepAndDrain(), "Down(Other) Text(a) Up(Other)");
    d_.keys.KeyBuffer = "a";  // the program has not read it yet
    EXPECT_EQ(StepAndDrain(), "");
    d_.keys.KeyBuffer.clear();
    EXPECT_EQ(StepAndDrain(), "Down(Other) Text(b) Up(Other)");
}

// A window handler of the simplest kind: typed characters and the return
// key go into the key buffer.
class TypingWindow : public WindowEvents {
public:
    explicit TypingWindow(Dos& d) : d_(d) {}
    void HandleEvent(const Event& e) override {
        if (e.type == Event::Type::KeyDown && e.key == Key::Return) d_.keys.KeyBuffer += '\r';
        if (e.type == Event::Type::Text) d_.keys.KeyBuffer += e.text;
    }

private:
    Dos& d_;
};

TEST_F(ScriptRunnerTest, DrivesReadKeyUntilTheScriptIsUsedUp) {
    TypingWindow window(d_);
    d_.window = &window;
    Start("type hi\nwait 50\nkey RET");
    std::string read;
    const uint64_t start = platform_.NowMicros();
    auto readAll = [&] {
        for (;;) read += static_cast<char>(ReadKey(d_));
    };
    EXPECT_THROW(readAll(), ScriptFinished);
    EXPECT_EQ(read, "hi\r");
    EXPECT_GE(platform_.NowMicros() - start, 50'000u);
}

// ReadKey rests until the script's next line is due instead of pumping
// every millisecond, and takes each key at the same time of the program's
// clock as a pump every millisecond would.
TEST_F(ScriptRunnerTest, ReadKeyRestsUntilTheNextLineIsDue) {
    struct Row {
        const char* script;
        int mostPumps;  // of the resting run
    };
    const Row rows[] = {
        {"wait 500\nkey a\nwait 1234\nkey b", 12},
        {"key a\nwait 0\nkey b\nwait 1\nkey c", 12},
        {"type ab\nwait 70000\nkey c", 200},
        // An inactive window's pump sleeps a millisecond of its own.
        {"focus out\nwait 301\nkey a\nwait 200\nfocus in\nwait 5\nkey b", 30},
    };
    struct Run {
        std::string keys;
        std::vector<uint64_t> at;
        int pumps = 0;
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.script);
        auto run = [&](bool resting) {
            HeadlessPlatform platform{HeadlessOptions{}};
            Dos d(platform);
            TypingWindow window(d);
            d.window = &window;
            HeadlessScriptBackend backend(platform);
            ScriptRunner runner(d, ParseScript(r.script), backend, ".");
            runner.Install();
            if (!resting) d.pumpDue = nullptr;
            Run out;
            d.beforePump = [&runner, &out] {
                ++out.pumps;
                runner.Step();
            };
            try {
                for (;;) {
                    out.keys += static_cast<char>(ReadKey(d));
                    out.at.push_back(platform.NowMicros());
                }
            } catch (const ScriptFinished&) {
                out.at.push_back(platform.NowMicros());  // when the run ended
            }
            return out;
        };
        const Run stepping = run(false);
        const Run resting = run(true);
        EXPECT_EQ(resting.keys, stepping.keys);
        EXPECT_EQ(resting.at, stepping.at);
        EXPECT_LE(resting.pumps, r.mostPumps) << "against " << stepping.pumps << " pumps";
    }
}

struct ClickCell {
    const char* name;
    Size window;
    int col;
    int row;
    Point want;
};

TEST(ScriptClickTest, GraphicsClicksHitTheMiddleOfAnEightPointCell) {
    const ClickCell cases[] = {
        {"whole window, first cell", {1280, 960}, 1, 1, {8, 8}},
        {"whole window, last cell", {1280, 960}, 80, 60, {1272, 952}},
        {"wide window, first cell", {1920, 1080}, 1, 1, {249, 9}},
        {"wide window, last cell", {1920, 1080}, 80, 60, {1671, 1071}},
        {"wide window, middle", {1920, 1080}, 41, 31, {969, 549}},
    };
    for (const ClickCell& t : cases) {
        SCOPED_TRACE(t.name);
        HeadlessPlatform platform(WithSize(t.window));
        Dos d(platform);
        d.screen.GraphMode = true;
        d.screen.Area = DrawingArea(t.window);
        HeadlessScriptBackend backend(platform);
        ScriptRunner runner(
            d, ParseScript("click " + std::to_string(t.col) + " " + std::to_string(t.row)), backend,
            ".");
        runner.Step();
        Event e;
        ASSERT_TRUE(platform.PollEvent(e));
        EXPECT_EQ(e.type, Event::Type::MouseMove);
        EXPECT_EQ((Point{e.x, e.y}), t.want);
    }
}

}  // namespace
}  // namespace qs::test
