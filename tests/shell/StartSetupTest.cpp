// The speed dialog: the slider's mapping to the speed factor, its keys and
// mouse handling, how it ends, and what it looks like.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/surface/Raster.h"
#include "shell/StartSetup.h"
#include "support/ReferenceImage.h"

namespace qs::test {
namespace {

TEST(StartSetupMapping, PositionsAndFactorsAtTheBandEdges) {
    struct Row {
        int position;
        double value;
    };
    const Row rows[] = {{0, 0.0},   {1, 0.1},   {10, 1.0},  {20, 2.0},  {21, 3.0},
                        {28, 10.0}, {29, 20.0}, {30, 40.0}, {50, 440.0}};
    for (const Row& r : rows) {
        SCOPED_TRACE("position " + std::to_string(r.position));
        EXPECT_DOUBLE_EQ(SliderToValue(r.position), r.value);
        EXPECT_EQ(ValueToSlider(r.value), r.position);
    }
}

TEST(StartSetupMapping, EveryPositionSurvivesTheRoundTrip) {
    for (int p = 0; p <= kSpeedSliderMax; ++p)
        EXPECT_EQ(ValueToSlider(SliderToValue(p)), p) << "position " << p;
}

TEST(StartSetupMapping, FactorsBetweenPositionsRoundWithinTheirBand) {
    struct Row {
        const char* name;
        double value;
        int position;
    };
    const Row rows[] = {
        {"tenths round down", 1.04, 10},
        {"tenths round up", 1.06, 11},
        {"just above 2 falls into the whole steps", 2.4, 20},
        {"whole steps round up", 2.6, 21},
        {"just above 10 falls into the twenties", 10.5, 29},
        {"twenties round", 35.0, 30},
        {"beyond 440 stays at the end", 1000.0, 50},
        {"infinity stays at the end", std::numeric_limits<double>::infinity(), 50},
        {"negative stays at the start", -1.0, 0},
        {"not a number shows normal speed", std::nan(""), 10},
    };
    for (const Row& r : rows) EXPECT_EQ(ValueToSlider(r.value), r.position) << r.name;
}

TEST(StartSetupMapping, PositionsOutsideTheSliderCountAsItsEnds) {
    EXPECT_DOUBLE_EQ(SliderToValue(-3), 0.0);
    EXPECT_DOUBLE_EQ(SliderToValue(51), 440.0);
}

TEST(StartSetupMapping, FormatsWithTwoDecimalsAndTheGivenSeparator) {
    struct Row {
        double value;
        char sep;
        const char* text;
    };
    const Row rows[] = {{SliderToValue(10), ',', "1,00"},
                        {0.1, ',', "0,10"},
                        {440.0, '.', "440.00"},
                        {2.5, ',', "2,50"},
                        {0.0, ',', "0,00"},
                        {1.235, ',', "1,24"}};
    for (const Row& r : rows) EXPECT_EQ(FormatSpeed(r.value, r.sep), r.text) << r.text;
}

TEST(StartSetupLayoutTest, NearestPositionRoundsAndClamps) {
    const StartSetupLayout l = LayoutStartSetup({1280, 960}, 10);
    struct Row {
        const char* name;
        int x;
        int position;
    };
    const Row rows[] = {
        {"centre of 0", l.ThumbCentre(0), 0},
        {"just short of half a step", l.ThumbCentre(7) + (l.step - 1) / 2, 7},
        {"half a step", l.ThumbCentre(7) + l.step / 2, 8},
        {"left of the track", l.ThumbCentre(0) - 3 * l.step, 0},
        {"right of the track", l.ThumbCentre(50) + 3 * l.step, 50},
    };
    for (const Row& r : rows) EXPECT_EQ(l.NearestPosition(r.x), r.position) << r.name;
}

TEST(StartSetupLayoutTest, PartsLieInsideTheCentredDialog) {
    const StartSetupLayout l = LayoutStartSetup({1280, 960}, 50);
    EXPECT_EQ(l.dialog.left + l.dialog.right, 1280);
    EXPECT_LE(std::abs(l.dialog.top + l.dialog.bottom - 960), 1);
    for (const Rect& r : {l.titleBar, l.closeBox, l.slider, l.thumb, l.label, l.ok, l.cancel}) {
        EXPECT_FALSE(r.Empty());
        EXPECT_EQ(r.Intersect(l.dialog), r);
    }
    EXPECT_EQ(l.thumb.Intersect(l.slider), l.thumb) << "thumb at the right end";
    EXPECT_LE(l.ok.right, l.cancel.left);
}

class StartSetupDialog : public ::testing::Test {
public:
    static void SetUpTestSuite() { fonts_ = new FontEngine(); }
    static void TearDownTestSuite() {
        delete fonts_;
        fonts_ = nullptr;
    }

    StartSetupDialog() { Reset(); }

    // A fresh window and dialog, for each row of a table.
    void Reset(double value = 1.0, Size size = {1280, 960}) {
        HeadlessOptions o;
        o.size = size;
        platform_ = std::make_unique<HeadlessPlatform>(std::move(o));
        dialog_ = TF_startsetup{};
        dialog_.Value = value;
    }

    void PostKey(Key key) {
        Event e;
        e.type = Event::Type::KeyDown;
        e.key = key;
        platform_->PostEvent(e);
        e.type = Event::Type::KeyUp;
        platform_->PostEvent(e);
    }
    void PostMouse(Event::Type type, int x, int y) {
        Event e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.button = MouseButton::Left;
        platform_->PostEvent(e);
    }
    void PostClick(const Rect& r) {
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        PostMouse(Event::Type::MouseDown, x, y);
        PostMouse(Event::Type::MouseUp, x, y);
    }
    void PostType(Event::Type type) {
        Event e;
        e.type = type;
        platform_->PostEvent(e);
    }

    Bitmap Window() { return Bitmap::Wrap(platform_->Framebuffer()); }

    // Runs the dialog on what is queued. A Close behind it keeps a dialog
    // that ignores the events from waiting for ever; it is left over when
    // the dialog ended earlier.
    DialogResult Run() {
        PostType(Event::Type::Close);
        Bitmap window = Window();
        return dialog_.ShowModal(*platform_, window, *fonts_);
    }

    StartSetupLayout Layout(int position = kSpeedSliderNormal) {
        return LayoutStartSetup(platform_->ClientSize(), position);
    }

    static inline FontEngine* fonts_ = nullptr;
    std::unique_ptr<HeadlessPlatform> platform_;
    TF_startsetup dialog_;
};

TEST_F(StartSetupDialog, KeysMoveTheSliderAndReturnTakesItsFactor) {
    struct Row {
        const char* name;
        double start;
        std::vector<Key> keys;
        int position;
        double value;
    };
    const Row rows[] = {
        {"right", 1.0, {Key::Right}, 11, 1.1},
        {"up", 1.0, {Key::Up}, 11, 1.1},
        {"left", 1.0, {Key::Left}, 9, 0.9},
        {"down", 1.0, {Key::Down}, 9, 0.9},
        {"page up", 1.0, {Key::PageUp}, 15, 1.5},
        {"page down", 1.0, {Key::PageDown}, 5, 0.5},
        {"home", 1.0, {Key::Home}, 0, 0.0},
        {"end", 1.0, {Key::End}, 50, 440.0},
        {"left stops at 0", 1.0, {Key::Home, Key::Left}, 0, 0.0},
        {"page down stops at 0", 0.2, {Key::PageDown}, 0, 0.0},
        {"right stops at 50", 1.0, {Key::End, Key::Right}, 50, 440.0},
        {"across the bands", 2.0, {Key::Right, Key::Right}, 22, 4.0},
        {"from a factor shown between positions", 1.04, {Key::Right}, 11, 1.1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Reset(r.start);
        for (Key k : r.keys) PostKey(k);
        PostKey(Key::Return);
        EXPECT_EQ(Run(), DialogResult::Ok);
        EXPECT_EQ(dialog_.Position(), r.position);
        EXPECT_DOUBLE_EQ(dialog_.Value, r.value);
    }
}

TEST_F(StartSetupDialog, HowTheDialogEnds) {
    struct Row {
        const char* name;
        std::vector<Key> keys;  // after Right, which moves the slider to 11
        Event::Type extra;      // posted after the keys (None: nothing)
        DialogResult result;
    };
    const Row rows[] = {
        {"return", {Key::Return}, Event::Type::None, DialogResult::Ok},
        {"escape", {Key::Escape}, Event::Type::None, DialogResult::Cancel},
        {"close", {}, Event::Type::Close, DialogResult::Cancel},
        {"return on Abrechen",
         {Key::Tab, Key::Tab, Key::Return},
         Event::Type::None,
         DialogResult::Cancel},
        {"return on OK", {Key::Tab, Key::Return}, Event::Type::None, DialogResult::Ok},
        {"tab comes round to the slider",
         {Key::Tab, Key::Tab, Key::Tab, Key::Return},
         Event::Type::None,
         DialogResult::Ok},
        {"shift tab goes back to Abrechen",
         {Key::Shift, Key::Tab, Key::Return},
         Event::Type::None,
         DialogResult::Cancel},
        {"space on OK", {Key::Tab, Key::Space}, Event::Type::None, DialogResult::Ok},
        {"space on Abrechen",
         {Key::Tab, Key::Tab, Key::Space},
         Event::Type::None,
         DialogResult::Cancel},
        {"space on the slider does nothing",
         {Key::Space, Key::Escape},
         Event::Type::None,
         DialogResult::Cancel},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Reset();
        PostKey(Key::Right);
        for (Key k : r.keys) {
            Event e;
            e.type = Event::Type::KeyDown;
            e.key = k;
            platform_->PostEvent(e);  // Shift stays held: no key-up
        }
        if (r.extra != Event::Type::None) PostType(r.extra);
        EXPECT_EQ(Run(), r.result);
        EXPECT_DOUBLE_EQ(dialog_.Value, r.result == DialogResult::Ok ? 1.1 : 1.0);
    }
}

TEST_F(StartSetupDialog, OkWithoutMovingKeepsAFactorBetweenPositions) {
    dialog_.Value = 1.04;
    PostKey(Key::Return);
    EXPECT_EQ(Run(), DialogResult::Ok);
    EXPECT_DOUBLE_EQ(dialog_.Value, 1.04);
    EXPECT_EQ(dialog_.Position(), 10);
}

TEST_F(StartSetupDialog, ResizeCancelsAndIsPassedOnToTheWindow) {
    PostKey(Key::Right);
    platform_->ResizeWindow(800, 600);
    Bitmap window = Window();
    const int presentsBefore = platform_->Presents();
    platform_->PostEvent(Event{});  // placeholder so the resize is not last
    EXPECT_EQ(dialog_.ShowModal(*platform_, window, *fonts_), DialogResult::Cancel);
    EXPECT_DOUBLE_EQ(dialog_.Value, 1.0);
    Event e;
    ASSERT_TRUE(platform_->PollEvent(e));
    EXPECT_EQ(e.type, Event::Type::None);
    ASSERT_TRUE(platform_->PollEvent(e));
    EXPECT_EQ(e.type, Event::Type::Resize);
    EXPECT_EQ(e.w, 800);
    EXPECT_GT(platform_->Presents(), presentsBefore);
}

TEST_F(StartSetupDialog, ClicksOnTheButtons) {
    struct Row {
        const char* name;
        Rect StartSetupLayout::*part;
        DialogResult result;
    };
    const Row rows[] = {
        {"OK", &StartSetupLayout::ok, DialogResult::Ok},
        {"Abrechen", &StartSetupLayout::cancel, DialogResult::Cancel},
        {"close box", &StartSetupLayout::closeBox, DialogResult::Cancel},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Reset();
        PostKey(Key::End);
        PostClick(Layout().*r.part);
        PostKey(Key::Escape);  // reached only if the click did nothing
        EXPECT_EQ(Run(), r.result);
        EXPECT_DOUBLE_EQ(dialog_.Value, r.result == DialogResult::Ok ? 440.0 : 1.0);
    }
}

TEST_F(StartSetupDialog, APressDraggedOffTheButtonDoesNotClickIt) {
    const StartSetupLayout l = Layout();
    PostMouse(Event::Type::MouseDown, l.ok.left + 5, l.ok.top + 5);
    PostMouse(Event::Type::MouseMove, l.ok.left - 20, l.ok.top + 5);
    PostMouse(Event::Type::MouseUp, l.ok.left - 20, l.ok.top + 5);
    PostMouse(Event::Type::MouseUp, (l.ok.left + l.ok.right) / 2, l.ok.top + 5);
    PostKey(Key::Escape);
    EXPECT_EQ(Run(), DialogResult::Cancel);
}

TEST_F(StartSetupDialog, TheMouseMovesTheSlider) {
    const StartSetupLayout l = Layout();
    const int y = (l.thumb.top + l.thumb.bottom) / 2;
    struct Move {
        Event::Type type;
        int x;
    };
    struct Row {
        const char* name;
        std::vector<Move> moves;
        int position;
    };
    const int grab = l.ThumbCentre(10) + 3;  // right of the thumb's centre
    const Row rows[] = {
        {"drag the thumb",
         {{Event::Type::MouseDown, l.ThumbCentre(10)},
          {Event::Type::MouseMove, l.ThumbCentre(20)},
          {Event::Type::MouseMove, l.ThumbCentre(30)},
          {Event::Type::MouseUp, l.ThumbCentre(30)}},
         30},
        {"the grab point keeps its offset",
         {{Event::Type::MouseDown, grab},
          {Event::Type::MouseMove, grab + 10 * l.step},
          {Event::Type::MouseUp, grab + 10 * l.step}},
         20},
        {"drag beyond the end",
         {{Event::Type::MouseDown, l.ThumbCentre(10)},
          {Event::Type::MouseMove, l.dialog.right + 100},
          {Event::Type::MouseUp, l.dialog.right + 100}},
         50},
        {"click on the track",
         {{Event::Type::MouseDown, l.ThumbCentre(40)}, {Event::Type::MouseUp, l.ThumbCentre(40)}},
         40},
        {"moves after the release do nothing",
         {{Event::Type::MouseDown, l.ThumbCentre(10)},
          {Event::Type::MouseUp, l.ThumbCentre(10)},
          {Event::Type::MouseMove, l.ThumbCentre(30)}},
         10},
        {"a press outside the dialog does nothing",
         {{Event::Type::MouseDown, l.dialog.left - 10},
          {Event::Type::MouseMove, l.ThumbCentre(30)},
          {Event::Type::MouseUp, l.ThumbCentre(30)}},
         10},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Reset();
        for (const Move& m : r.moves) PostMouse(m.type, m.x, y);
        PostKey(Key::Return);
        EXPECT_EQ(Run(), DialogResult::Ok);
        EXPECT_EQ(dialog_.Position(), r.position);
    }
}

TEST_F(StartSetupDialog, DrawsOnlyInsideItsPanel) {
    Bitmap window = Window();
    FillRect(window, window.Bounds(), MakeRgb(0, 0, 170));
    PostKey(Key::Escape);
    Run();
    const Rect panel = Layout().dialog;
    int changedOutside = 0;
    int changedInside = 0;
    for (int y = 0; y < window.Height(); ++y) {
        for (int x = 0; x < window.Width(); ++x) {
            const bool changed = window.Pixel(x, y) != MakeRgb(0, 0, 170);
            (panel.Contains(x, y) ? changedInside : changedOutside) += changed ? 1 : 0;
        }
    }
    EXPECT_EQ(changedOutside, 0);
    EXPECT_EQ(changedInside, panel.Width() * panel.Height());
}

TEST_F(StartSetupDialog, FitsNoWindowTooSmallToFail) {
    Reset(1.0, {200, 100});
    PostKey(Key::Right);
    PostKey(Key::Return);
    EXPECT_EQ(Run(), DialogResult::Ok);
    EXPECT_DOUBLE_EQ(dialog_.Value, 1.1);
}

TEST_F(StartSetupDialog, TheValueShownFollowsTheSlider) {
    PostKey(Key::PageUp);
    PostKey(Key::Escape);
    Run();
    const Bitmap first = Window();
    const Bitmap moved = first;  // a copy: the window goes with the next Reset

    Reset(1.5);
    PostKey(Key::Escape);
    Run();
    const Bitmap opened = Window();

    bool same = true;
    for (int y = 0; y < moved.Height() && same; ++y)
        same = std::equal(moved.Row(y), moved.Row(y) + moved.Width(), opened.Row(y));
    EXPECT_TRUE(same) << "moving from 1 to 1,5 must look like opening at 1,5";
}

TEST_F(StartSetupDialog, LooksLikeASmallSettingsDialog) {
    Bitmap window = Window();
    FillRect(window, window.Bounds(), MakeRgb(0, 0, 170));
    PostKey(Key::Escape);
    Run();
    EXPECT_TRUE(test::MatchesReference(window, "ref/startsetup_1280x960"));
}

}  // namespace
}  // namespace qs::test
