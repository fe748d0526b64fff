#include "SdlTestSupport.h"

namespace qs::test {
namespace {

class SdlInput : public SdlWindowTest {
protected:
    void SetUp() override {
        SdlWindowTest::SetUp();
        if (IsSkipped()) return;
        if (!HaveTool("xdotool")) GTEST_SKIP() << "xdotool is not installed";
        if (!HaveTool("setxkbmap")) GTEST_SKIP() << "setxkbmap is not installed";
        // A German keyboard, so that umlauts are keys of their own. The
        // layout is the display's; it is put back afterwards.
        layoutSaved_ =
            RunCommand("setxkbmap -query | awk '/^layout/ {print $2}' > " + savedLayout_);
        ASSERT_TRUE(RunCommand("setxkbmap de"));
        Open();
        // Keys go to the window under the pointer when no window manager runs.
        ASSERT_TRUE(RunCommand("xdotool mousemove --sync --window " + WindowId() + " 5 5"));
        Drain();
    }

    void TearDown() override {
        if (layoutSaved_)
            RunCommand("setxkbmap \"$(cat " + savedLayout_ + ")\"; rm -f " + savedLayout_);
        SdlWindowTest::TearDown();
    }

    std::string savedLayout_ = ::testing::TempDir() + "qs_sdl_layout";
    bool layoutSaved_ = false;
};

struct KeyRow {
    const char* name;
    std::string xdotool;  // arguments
    Key key;              // pressed and released
    std::string text;     // all Text events together
};

TEST_F(SdlInput, KeysAndTypedCharactersArriveMapped) {
    const KeyRow rows[] = {
        {"left arrow", "key Left", Key::Left, ""},
        {"return", "key Return", Key::Return, ""},
        {"keypad enter", "key KP_Enter", Key::Return, ""},
        {"escape", "key Escape", Key::Escape, ""},
        {"backspace", "key BackSpace", Key::Backspace, ""},
        {"tab", "key Tab", Key::Tab, ""},
        {"F5", "key F5", Key::F5, ""},
        {"page down", "key Next", Key::PageDown, ""},
        {"delete", "key Delete", Key::Delete, ""},
        {"space", "key space", Key::Space, " "},
        {"letter", "type a", Key::Other, "a"},
        {"capital with shift", "key shift+k", Key::Other, "K"},
        {"letter with alt", "key alt+x", Key::Other, "x"},
        {"alt alone", "key alt", Key::Alt, ""},
        {"control alone", "key ctrl", Key::Control, ""},
        {"at sign with AltGr", "key ISO_Level3_Shift+q", Key::Other, "@"},
        {"keypad cursor key without num lock", "key KP_Left", Key::Left, ""},
        {"umlaut", "type \xC3\xA4", Key::Other, "\xC3\xA4"},
        {"sharp s", "type \xC3\x9F", Key::Other, "\xC3\x9F"},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(RunCommand("xdotool " + row.xdotool));
        std::vector<Event> got = CollectUntil(
            [&](const Event& e) { return e.type == Event::Type::KeyUp && e.key == row.key; });
        ASSERT_FALSE(got.empty()) << "no release of the expected key";
        bool pressed = false;
        std::string text;
        for (const Event& e : got) {
            if (e.type == Event::Type::KeyDown && e.key == row.key) {
                pressed = true;
                EXPECT_FALSE(e.repeat);
            }
            if (e.type == Event::Type::Text) text += e.text;
        }
        // A Text event may trail the release in the queue.
        for (const Event& e : Drain())
            if (e.type == Event::Type::Text) text += e.text;
        EXPECT_TRUE(pressed);
        EXPECT_EQ(text, row.text);
    }
}

TEST_F(SdlInput, AltF4IsACloseRequest) {
    ASSERT_TRUE(RunCommand("xdotool key alt+F4"));
    std::vector<Event> got =
        CollectUntil([](const Event& e) { return e.type == Event::Type::Close; });
    EXPECT_FALSE(got.empty()) << "no Close event";
    EXPECT_NE(SdlWindowOf(*platform_), nullptr);
}

TEST_F(SdlInput, ClicksArriveAtTheirWindowPixelWithTheirButton) {
    struct Row {
        const char* name;
        int xbutton;
        MouseButton button;
        int x, y;
    };
    const Row rows[] = {
        {"left", 1, MouseButton::Left, 30, 40},
        {"right", 3, MouseButton::Right, 200, 17},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(RunCommand("xdotool mousemove --sync --window " + WindowId() + " " +
                               std::to_string(row.x) + " " + std::to_string(row.y) + " click " +
                               std::to_string(row.xbutton)));
        std::vector<Event> got =
            CollectUntil([](const Event& e) { return e.type == Event::Type::MouseUp; });
        ASSERT_FALSE(got.empty()) << "no button release";
        const Event* down = nullptr;
        for (const Event& e : got)
            if (e.type == Event::Type::MouseDown) down = &e;
        ASSERT_NE(down, nullptr) << "no button press";
        EXPECT_EQ(down->button, row.button);
        EXPECT_EQ((Point{down->x, down->y}), (Point{row.x, row.y}));
        EXPECT_EQ(got.back().button, row.button);
        EXPECT_EQ((Point{got.back().x, got.back().y}), (Point{row.x, row.y}));
        EXPECT_EQ(platform_->PointerPosition(), (Point{row.x, row.y}));
    }
}

TEST_F(SdlInput, FlushDropsOnlyKeyboardEventsAndPeekKeepsTheEvent) {
    Event mine;
    mine.type = Event::Type::Expose;
    platform_->PostEvent(mine);
    ASSERT_TRUE(RunCommand("xdotool type xyz"));
    x_->Sync();
    ASSERT_TRUE(WaitUntil([&] { return platform_->HasPendingKeyboardEvent(); }));
    platform_->FlushKeyboardEvents();
    EXPECT_FALSE(platform_->HasPendingKeyboardEvent());
    Event peeked;
    ASSERT_TRUE(platform_->PeekEvent(peeked));
    EXPECT_EQ(peeked.type, Event::Type::Expose);
    Event polled;
    ASSERT_TRUE(platform_->PollEvent(polled));
    EXPECT_EQ(polled.type, Event::Type::Expose);
}

TEST_F(SdlInput, HeldKeyRepeatsAsRepeatedKeyDowns) {
    ASSERT_TRUE(RunCommand("xdotool keydown Right"));
    std::vector<Event> got =
        CollectUntil([](const Event& e) { return e.type == Event::Type::KeyDown && e.repeat; });
    RunCommand("xdotool keyup Right");
    ASSERT_FALSE(got.empty()) << "no repeated key";
    EXPECT_EQ(got.back().key, Key::Right);
    EXPECT_FALSE(got.front().repeat) << "the first press is no repeat";
    Drain();
}

TEST_F(SdlInput, ConfinedPointerStaysInItsRectangle) {
    const Rect area{20, 30, 120, 90};
    struct Row {
        const char* name;
        Point start;
        Point confined;  // where the pointer is once confined
    };
    const Row rows[] = {
        {"pointer inside", {60, 60}, {60, 60}},
        {"pointer above and left", {5, 5}, {20, 30}},
        {"pointer below and right", {300, 200}, {119, 89}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        platform_->WarpPointer(row.start.x, row.start.y);
        x_->Sync();
        platform_->ConfinePointer(&area);
        x_->Sync();
        EXPECT_EQ(platform_->PointerPosition(), row.confined);
        ASSERT_TRUE(RunCommand("xdotool mousemove_relative -- 400 300"));
        x_->Sync();
        Point p = platform_->PointerPosition();
        EXPECT_TRUE(area.Contains(p.x, p.y)) << "pointer at " << p.x << "," << p.y;
        platform_->ConfinePointer(nullptr);
        ASSERT_TRUE(RunCommand("xdotool mousemove_relative -- 100 100"));
        x_->Sync();
        p = platform_->PointerPosition();
        EXPECT_FALSE(area.Contains(p.x, p.y)) << "still confined at " << p.x << "," << p.y;
    }
}

}  // namespace
}  // namespace qs::test
