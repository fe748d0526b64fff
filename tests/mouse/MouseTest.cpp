#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/GraphMapping.h"
#include "screen/mouse/Mouse.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

// Records every pointer warp, to follow a glide step by step.
class WarpRecorder : public HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;
    void WarpPointer(int x, int y) override {
        warps.push_back({x, y});
        HeadlessPlatform::WarpPointer(x, y);
    }
    std::vector<Point> warps;
};

// The main window's part: button flags from mouse events, typed letters into
// the key buffer.
class ButtonWindow : public WindowEvents {
public:
    explicit ButtonWindow(Dos& d) : d_(d) {}
    void HandleEvent(const Event& e) override {
        const bool left = e.button == MouseButton::Left;
        if (e.type == Event::Type::MouseDown) {
            (left ? d_.mouse.LeftHeld : d_.mouse.RightHeld) = true;
            d_.mouse.LastClick = left ? 1 : 2;
        } else if (e.type == Event::Type::MouseUp) {
            (left ? d_.mouse.LeftHeld : d_.mouse.RightHeld) = false;
        } else if (e.type == Event::Type::Text) {
            d_.keys.KeyBuffer.insert(0, e.text);
        }
    }

private:
    Dos& d_;
};

HeadlessOptions OptionsFor(const TempDir& dir, Size size) {
    HeadlessOptions o;
    o.programPath = dir / "quendelstrand";
    o.size = size;
    return o;
}

// A text screen of 16 x 32 pixel cells in a 1280 x 800 window; graphics mode
// maps the 640 x 480 space into a 4:3 area centred in it.
class MouseTest : public ::testing::Test {
protected:
    explicit MouseTest(Size size = {1280, 800})
        : platform(OptionsFor(dir, size)), d(platform), window(d) {
        d.screen.CellWidth = 16;
        d.screen.CellHeight = 32;
        d.screen.Area = DrawingArea(platform.ClientSize());
        d.window = &window;
        InitMouse(d);
    }

    void Load(const std::string& text, const std::string& name = "t.mtb") {
        dir.Put("maustxt/" + name, text);
        PushMouseTexts(d, "", name);
    }

    // The code of a click in the middle of a text cell.
    uint8_t ClickCell(int col, int row) {
        return MouseHitCode(d, (col - 1) * 16 + 8, (row - 1) * 32 + 16);
    }

    void Post(Event::Type type, MouseButton button = MouseButton::Left) {
        Event e;
        e.type = type;
        e.button = button;
        platform.PostEvent(e);
    }

    TempDir dir;
    WarpRecorder platform;
    Dos d;
    ButtonWindow window;
};

TEST(MouseTextLine, NumbersAreDigitRunsFollowedByANonDigit) {
    struct Case {
        const char* line;
        MouseRegion expected;
    };
    const Case cases[] = {
        {"1 10 3 3 27 ", {1, 10, 3, 3, 27}},
        {"1 10 3 3 27", {1, 10, 3, 3, '7'}},  // the last number ends the line: not counted
        {"30 40 12 12 j", {30, 40, 12, 12, 'j'}},
        {"30,40;12-12:199;", {30, 40, 12, 12, 199}},
        {"x30 y40 z5 w6 c13 rest 99 ", {30, 40, 5, 6, 13}},  // numbers after the fifth are ignored
        {"Ende", {0, 0, 0, 0, 'e'}},
        {"   ", {0, 0, 0, 0, ' '}},
        {"1 2 3 4 99999999999999999999 ", {1, 2, 3, 4, 0}},  // an overlong run does not crash
    };
    for (const auto& c : cases) {
        auto r = ParseMouseTextLine(c.line);
        ASSERT_TRUE(r.has_value()) << c.line;
        EXPECT_EQ(r->ColFrom, c.expected.ColFrom) << c.line;
        EXPECT_EQ(r->ColTo, c.expected.ColTo) << c.line;
        EXPECT_EQ(r->RowFrom, c.expected.RowFrom) << c.line;
        EXPECT_EQ(r->RowTo, c.expected.RowTo) << c.line;
        EXPECT_EQ(r->Code, c.expected.Code) << c.line;
    }
    EXPECT_FALSE(ParseMouseTextLine("").has_value());
}

TEST_F(MouseTest, StartTakesTheProgramNameAndItsOwnTable) {
    dir.Put("MausTxt/Quendelstrand.MTB", "1 80 25 25 13 \r\n");
    InitMouse(d);
    EXPECT_EQ(d.mouse.ProgramDir, dir.Path());
    EXPECT_EQ(d.mouse.ProgramName, "quendelstrand");
    EXPECT_EQ(d.mouse.Level, 1);
    EXPECT_EQ(d.mouse.LevelBase[1], 0);
    ASSERT_EQ(d.mouse.RegionCount, 1);
    EXPECT_EQ(d.mouse.Regions[0].Code, 13);
}

TEST_F(MouseTest, FilesSplitAtLineEndsSkipEmptyLinesAndResolveCase) {
    dir.Put("MAUSTXT/Frage.Mtb", "1 2 3 4 65 \r\n\r\n5 6 7 8 66 \n\n9 9 9 9 j");
    PushMouseTexts(d, "maustxt\\", "frage.mtb");
    ASSERT_EQ(d.mouse.RegionCount, 3);
    EXPECT_EQ(d.mouse.Regions[0].Code, 65);
    EXPECT_EQ(d.mouse.Regions[1].ColFrom, 5);
    EXPECT_EQ(d.mouse.Regions[2].Code, 'j');
}

TEST_F(MouseTest, LevelsStackAndPopBackToTheirBase) {
    Load("1 1 1 1 65 \n2 2 2 2 66 \n");
    Load("3 3 3 3 67 \n", "u.mtb");
    EXPECT_EQ(d.mouse.Level, 3);
    EXPECT_EQ(d.mouse.RegionCount, 3);
    PushMouseTexts(d, "", "fehlt.mtb");  // missing: a level without regions
    EXPECT_EQ(d.mouse.Level, 4);
    EXPECT_EQ(d.mouse.RegionCount, 3);
    PopMouseTexts(d);
    PopMouseTexts(d);
    EXPECT_EQ(d.mouse.Level, 2);
    EXPECT_EQ(d.mouse.RegionCount, 2);
    for (int i = 0; i < 5; ++i) PopMouseTexts(d);
    EXPECT_EQ(d.mouse.Level, 0);
    EXPECT_EQ(d.mouse.RegionCount, 0);
}

TEST_F(MouseTest, SeventeenthLevelOverwritesTheBaseOfTheTopLevel) {
    dir.Put("maustxt/one.mtb", "1 1 1 1 65 \n");
    for (int i = 0; i < 16; ++i) PushMouseTexts(d, "", "one.mtb");  // levels 2 .. 17
    EXPECT_EQ(d.mouse.Level, 15);
    EXPECT_EQ(d.mouse.RegionCount, 16);
    EXPECT_EQ(d.mouse.LevelBase[15], 15);
    PopMouseTexts(d);
    EXPECT_EQ(d.mouse.RegionCount, 15);
    EXPECT_EQ(d.mouse.Level, 14);
}

TEST_F(MouseTest, RegionsBeyondTheTableSizeAreIgnored) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "1 1 1 1 " + std::to_string(i % 100 + 1) + " \n";
    Load(text);
    EXPECT_EQ(d.mouse.RegionCount, 256);
    Load("2 2 2 2 66 \n", "u.mtb");
    EXPECT_EQ(d.mouse.RegionCount, 256);
    EXPECT_EQ(ClickCell(2, 2), 0);
}

TEST_F(MouseTest, EscapeRegionNeedsTheSpaceAfterItsCode) {
    Load("1 10 3 3 27 \n");
    EXPECT_EQ(ClickCell(1, 3), 27);
    EXPECT_TRUE(d.keys.ExtendedKey);
    EXPECT_EQ(ClickCell(10, 3), 27);
    EXPECT_EQ(ClickCell(11, 3), 0);
    EXPECT_FALSE(d.keys.ExtendedKey);
    EXPECT_EQ(ClickCell(5, 4), 0);
    PopMouseTexts(d);
    Load("1 10 3 3 27\n");
    EXPECT_EQ(ClickCell(5, 3), 55);
}

TEST_F(MouseTest, OverlappingRegionsTakeTurnsOnRepeatedClicks) {
    Load("1 20 1 5 65 \n5 10 2 3 66 \n");
    EXPECT_EQ(ClickCell(6, 2), 66);
    EXPECT_EQ(ClickCell(6, 2), 65);
    EXPECT_EQ(ClickCell(6, 2), 66);
    EXPECT_EQ(ClickCell(15, 4), 65);  // only the lower one there
    EXPECT_EQ(ClickCell(15, 4), 65);
}

TEST_F(MouseTest, TopRightCornerIsEscapeWhenNoRegionIsHit) {
    EXPECT_EQ(ClickCell(80, 1), 27);
    EXPECT_FALSE(d.keys.ExtendedKey);
    EXPECT_EQ(ClickCell(80, 2), 0);
    EXPECT_EQ(ClickCell(79, 1), 0);
    Load("80 80 1 1 j\n");
    EXPECT_EQ(ClickCell(80, 1), 'j');
}

TEST_F(MouseTest, RegionsBelowTheGraphicsBaseAreNotSearched) {
    Load("1 80 1 25 65 \n");
    d.mouse.RegionBase = d.mouse.RegionCount;
    Load("1 5 1 1 66 \n", "u.mtb");
    EXPECT_EQ(ClickCell(3, 1), 66);
    EXPECT_EQ(ClickCell(3, 1), 66);  // not the region below the base
    EXPECT_EQ(ClickCell(10, 10), 0);
}

// Codes that carry a value: what a click leaves and whether it moves LastRegion.
TEST_F(MouseTest, ValueCodesLeaveTheirValues) {
    struct Case {
        const char* name;
        const char* line;
        int col, row;
        int code, item, choice, line_;
        bool movesLastRegion;
    };
    const Case cases[] = {
        {"list row", "1 30 5 9 199 ", 3, 7, 199, 2, -1, -1, true},
        {"list first row", "1 30 5 9 199 ", 3, 5, 199, 0, -1, -1, true},
        {"item 0", "1 3 1 1 200 ", 2, 1, 200, 0, -1, -1, true},
        {"item 20", "1 3 1 1 220 ", 2, 1, 220, 20, -1, -1, true},
        {"code 221 is plain", "1 3 1 1 221 ", 2, 1, 221, -1, -1, -1, true},
        {"choice 0", "1 3 1 1 230 ", 2, 1, 230, -1, 0, -1, false},
        {"choice 11", "1 3 1 1 241 ", 2, 1, 241, -1, 11, -1, false},
        {"code 242 is plain", "1 3 1 1 242 ", 2, 1, 242, -1, -1, -1, true},
        {"line", "1 3 1 1 255 ", 2, 1, 255, -1, -1, 2, true},
        {"left", "1 3 1 1 75 ", 2, 1, 75, -1, -1, -1, false},
        {"right", "1 3 1 1 77 ", 2, 1, 77, -1, -1, -1, false},
        {"plain key", "1 3 1 1 13 ", 2, 1, 13, -1, -1, -1, true},
    };
    for (const auto& c : cases) {
        while (d.mouse.Level > 0) PopMouseTexts(d);
        // The tested region sits first of three, so its index (0) differs
        // from RegionCount - 1.
        Load(std::string(c.line) + "\n70 70 20 20 1 \n71 71 20 20 2 \n");
        d.mouse.LastRegion = 2;
        d.mouse.MouseItem = d.mouse.MouseChoice = d.mouse.MouseLine = 5;
        EXPECT_EQ(ClickCell(c.col, c.row), c.code) << c.name;
        EXPECT_TRUE(d.keys.ExtendedKey) << c.name;
        EXPECT_EQ(d.mouse.MouseItem, c.item) << c.name;
        EXPECT_EQ(d.mouse.MouseChoice, c.choice) << c.name;
        EXPECT_EQ(d.mouse.MouseLine, c.line_) << c.name;
        EXPECT_EQ(d.mouse.LastRegion, c.movesLastRegion ? 0 : 2) << c.name;
    }
}

TEST_F(MouseTest, ListRowChangeClosesTheSearchAtTheList) {
    Load("1 80 1 25 65 \n1 30 5 9 199 \n");
    EXPECT_EQ(ClickCell(3, 6), 199);
    EXPECT_EQ(d.mouse.MouseItem, 1);
    EXPECT_EQ(ClickCell(3, 8), 199);  // another row of the list: the list again
    EXPECT_EQ(d.mouse.MouseItem, 3);
    EXPECT_EQ(ClickCell(3, 8), 65);  // the same row again reaches the region below
}

TEST_F(MouseTest, TakeFunctionsHandTheValueOutOnce) {
    int v = 7;
    EXPECT_FALSE(TakeMouseItem(d, v, 1, 10));
    EXPECT_EQ(v, 7);
    d.mouse.MouseItem = 4;
    EXPECT_TRUE(TakeMouseItem(d, v, 1, 10));
    EXPECT_EQ(v, 5);
    EXPECT_FALSE(TakeMouseItem(d, v, 1, 10));
    d.mouse.MouseChoice = 9;
    EXPECT_TRUE(TakeMouseChoice(d, v, 0, 3));
    EXPECT_EQ(v, 3);
    EXPECT_EQ(d.mouse.MouseChoice, -1);
    v = 0;
    TakeMouseLine(d, v, 0, 24);
    EXPECT_EQ(v, 0);
    d.mouse.MouseLine = 30;
    TakeMouseLine(d, v, 0, 24);
    EXPECT_EQ(v, 24);
    EXPECT_EQ(d.mouse.MouseLine, -1);
    d.mouse.LastClick = 2;
    EXPECT_EQ(TakeClick(d), 2);
    EXPECT_EQ(TakeClick(d), 0);
}

TEST_F(MouseTest, PushForgetsALineClickNotYetTaken) {
    d.mouse.MouseLine = 3;
    Load("1 1 1 1 65 \n");
    EXPECT_EQ(d.mouse.MouseLine, -1);
}

TEST_F(MouseTest, ButtonsPreferTheRightOne) {
    struct Case {
        bool left, right;
        int buttons;
    };
    const Case cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}, {true, true, 2}};
    for (const auto& c : cases) {
        d.mouse.LeftHeld = c.left;
        d.mouse.RightHeld = c.right;
        EXPECT_EQ(MouseButtons(d), c.buttons) << c.left << c.right;
    }
}

TEST_F(MouseTest, WaitKeyOrClickWaitsOutAHeldButton) {
    Post(Event::Type::MouseMove);
    Post(Event::Type::MouseDown, MouseButton::Right);
    Post(Event::Type::MouseMove);
    Post(Event::Type::MouseUp, MouseButton::Right);
    EXPECT_EQ(WaitKeyOrClick(d), 2);
    EXPECT_FALSE(d.mouse.RightHeld);
    Event e;
    EXPECT_FALSE(platform.PeekEvent(e));

    Event key;
    key.type = Event::Type::Text;
    key.text = "a";
    platform.PostEvent(key);
    EXPECT_EQ(WaitKeyOrClick(d), 0);
    EXPECT_EQ(d.keys.KeyBuffer, "a");  // the key stays for ReadKey
}

TEST_F(MouseTest, WaitKeyOrClickLetsAScriptedRunEnd) {
    d.waitingForInput = [] { throw ScriptFinished{}; };
    EXPECT_THROW(WaitKeyOrClick(d), ScriptFinished);
}

TEST_F(MouseTest, PointerShapesFollowTheCursorIds) {
    struct Case {
        int id;
        PointerShape shape;
    };
    const Case cases[] = {
        {-11, PointerShape::Wait},  {-3, PointerShape::Cross}, {-4, PointerShape::IBeam},
        {-21, PointerShape::Hand},  {0, PointerShape::Arrow},  {-2, PointerShape::Arrow},
        {-12, PointerShape::Arrow},
    };
    for (const auto& c : cases) {
        SetPointerShape(d, -11 == c.id ? 0 : -11);
        SetPointerShape(d, c.id);
        EXPECT_EQ(platform.CurrentPointerShape(), c.shape) << c.id;
    }
}

TEST_F(MouseTest, PointerVisibilityAndTheDosDriverCalls) {
    HidePointer(d);
    EXPECT_FALSE(platform.PointerVisible());
    MouseShow(d, 1);
    ShowMouse(d);
    EXPECT_FALSE(platform.PointerVisible());  // the driver's own calls do nothing
    ShowPointer(d);
    EXPECT_TRUE(platform.PointerVisible());
    EXPECT_TRUE(MouseInstalled());
}

// A window wider than 4:3: the graphics area is 1200 x 900 starting at x 100,
// 1.875 pixels a graph point.
class MouseGraphTest : public MouseTest {
protected:
    MouseGraphTest() : MouseTest({1400, 900}) {
        d.screen.GraphMode = true;
        EXPECT_EQ(d.screen.Area, (Rect{100, 0, 1300, 900}));
    }
    Point Window(int x, int y) {
        ToWindow(d.screen.Area, x, y);
        return {x, y};
    }
};

TEST_F(MouseGraphTest, ClickCellsAreEightGraphPointsSquare) {
    Load("13 13 13 13 65 \n14 14 13 13 66 \n13 13 14 14 67 \n80 80 60 60 68 \n");
    struct Case {
        int gx, gy;
        int code;
    };
    const Case cases[] = {
        {100, 100, 65}, {96, 96, 65}, {103, 103, 65}, {104, 100, 66},
        {100, 104, 67}, {95, 100, 0}, {636, 476, 68},
    };
    for (const auto& c : cases) {
        const Point w = Window(c.gx, c.gy);
        d.mouse.LastRegion = -1;
        EXPECT_EQ(MouseHitCode(d, w.x, w.y), c.code) << c.gx << "," << c.gy;
    }
}

TEST_F(MouseGraphTest, PointerQueriesAnswerInGraphPoints) {
    const Point w = Window(320, 240);
    platform.WarpPointer(w.x, w.y);
    int x = 0;
    int y = 0;
    GetMousePos(d, x, y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    EXPECT_EQ(MouseX(d), 320);
    EXPECT_EQ(MouseY(d), 240);
    EXPECT_TRUE(MouseInRect(d, 320, 240, 320, 240));
    EXPECT_TRUE(MouseInRect(d, 400, 300, 320, 240));  // corners in any order
    EXPECT_FALSE(MouseInRect(d, 321, 0, 639, 479));

    const Point last = Window(100, 50);
    d.mouse.MouseDownX = last.x;
    d.mouse.MouseDownY = last.y;
    d.mouse.LeftHeld = true;
    EXPECT_EQ(GetMouseState(d, x, y), 1);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
}

TEST_F(MouseGraphTest, ConfinementMapsTheRectangleAndEmptyOnesRelease) {
    MouseWindow(d, 30, 50, 316, 480);
    const Point a = Window(30, 50);
    const Point b = Window(316, 480);
    ASSERT_TRUE(platform.PointerConfinement().has_value());
    EXPECT_EQ(*platform.PointerConfinement(), (Rect{a.x, a.y, b.x, b.y}));
    MouseWindow(d, 316, 50, 30, 480);
    EXPECT_FALSE(platform.PointerConfinement().has_value());
    MouseWindow(d, 30, 50, 316, 480);
    MouseWindow(d, 30, 50, 316, 50);
    EXPECT_FALSE(platform.PointerConfinement().has_value());
}

TEST_F(MouseGraphTest, MoveGlidesOnePixelPerStepAndEndsOnTheTarget) {
    platform.WarpPointer(200, 100);
    platform.warps.clear();
    const uint64_t before = platform.NowMicros();
    MoveMouseTo(d, 320, 240);
    const Point target = Window(320, 240);  // (700, 450): 500 steps in x, 350 in y
    ASSERT_EQ(platform.warps.size(), 500u / 24 + 3);
    EXPECT_EQ(platform.warps[0], (Point{224, 124}));
    EXPECT_EQ(platform.warps[19], (Point{680, 450}));  // y arrived first
    for (size_t i = platform.warps.size() - 3; i < platform.warps.size(); ++i)
        EXPECT_EQ(platform.warps[i], target) << i;
    EXPECT_EQ(platform.NowMicros() - before, (500u / 24 + 2) * 1000);
}

TEST_F(MouseGraphTest, MoveGivesUpGlidingAfter2001StepsButStillArrives) {
    platform.WarpPointer(-3000, 188);
    platform.warps.clear();
    MoveMouseTo(d, 0, 100);
    ASSERT_EQ(platform.warps.size(), 2001u / 24 + 3);
    EXPECT_EQ(platform.warps[2001 / 24 - 1].x, -3000 + 2001 / 24 * 24);
    EXPECT_EQ(platform.PointerPosition(), Window(0, 100));
}

TEST_F(MouseGraphTest, SetMouseXAndYKeepTheOtherCoordinate) {
    platform.WarpPointer(500, 333);
    SetMouseX(d, 0);
    EXPECT_EQ(platform.PointerPosition(), (Point{100, 333}));
    SetMouseY(d, 480);
    EXPECT_EQ(platform.PointerPosition(), (Point{100, 900}));
}

}  // namespace
}  // namespace qs::test
