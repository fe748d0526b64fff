// Key codes, the key buffer and the reading and polling of keys.
#include <gtest/gtest.h>

#include "keyboard/KeyboardRig.h"

namespace qs::test {
namespace {

TEST(KeyTables, ExtendedCodesInAndOutOfExclusiveMode) {
    struct Row {
        const char* name;
        Key key;
        int windowed;   // byte appended on the normal window (0: none)
        int exclusive;  // byte appended on the exclusive surface
    };
    const Row rows[] = {
        {"PageUp", Key::PageUp, 73, 73}, {"PageDown", Key::PageDown, 81, 81},
        {"End", Key::End, 79, 79},       {"Home", Key::Home, 71, 71},
        {"Left", Key::Left, 75, 75},     {"Up", Key::Up, 72, 72},
        {"Right", Key::Right, 77, 77},   {"Down", Key::Down, 80, 80},
        {"Insert", Key::Insert, 82, 82}, {"Delete", Key::Delete, 83, 83},
        {"F1", Key::F1, 59, 59},         {"F2", Key::F2, 60, 60},
        {"F3", Key::F3, 61, 61},         {"F4", Key::F4, 62, 62},
        {"F5", Key::F5, 63, 63},         {"F6", Key::F6, 64, 64},
        {"F7", Key::F7, 65, 65},         {"F8", Key::F8, 66, 66},
        {"F9", Key::F9, 67, 67},         {"F10", Key::F10, 0, 93},
        {"F11", Key::F11, 133, 133},     {"F12", Key::F12, 134, 134},
        {"Shift", Key::Shift, 0, 0},     {"Control", Key::Control, 0, 0},
        {"Return", Key::Return, 0, 0},   {"Escape", Key::Escape, 0, 0},
        {"Other", Key::Other, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(ExtendedCodeOf(r.key, false), r.windowed);
        EXPECT_EQ(ExtendedCodeOf(r.key, true), r.exclusive);
        for (bool exclusive : {false, true}) {
            KeyboardRig rig;
            rig.dos.exclusive = exclusive;
            rig.dos.keys.ExtendedKey = true;
            const int code = exclusive ? r.exclusive : r.windowed;
            EXPECT_EQ(KeyDownToBuffer(rig.dos, r.key), code != 0);
            EXPECT_EQ(rig.dos.keys.ExtendedKey, code != 0);
            EXPECT_EQ(rig.dos.keys.KeyBuffer, code ? std::string(1, static_cast<char>(code)) : "");
        }
    }
}

TEST(KeyTables, ExclusiveModeAddsCursorKeysOnlyToAnEmptyBuffer) {
    struct Row {
        const char* what;
        bool exclusive;
        Key key;
        std::string after;
    };
    const Row rows[] = {
        {"cursor key, exclusive", true, Key::Down, "xP"},  // nothing added: "x" was there
        {"function key, exclusive", true, Key::F2, "x<"},
        {"cursor key, window", false, Key::Down, "xP"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        KeyboardRig rig;
        rig.dos.exclusive = r.exclusive;
        rig.dos.keys.KeyBuffer = "x";
        const bool added = KeyDownToBuffer(rig.dos, r.key);
        const bool expectAdded = !(r.exclusive && r.key == Key::Down);
        EXPECT_EQ(added, expectAdded);
        EXPECT_EQ(rig.dos.keys.ExtendedKey, expectAdded);
        EXPECT_EQ(rig.dos.keys.KeyBuffer, expectAdded ? r.after : "x");
    }
}

TEST(KeyTables, TypedWindowsLettersBecomeCodePage437) {
    const std::pair<int, int> pairs[] = {
        {196, 142}, {197, 143}, {198, 146}, {201, 144}, {209, 165}, {214, 153}, {220, 154},
        {223, 225}, {140, 168}, {182, 174}, {183, 249}, {192, 208}, {193, 240}, {194, 215},
        {200, 245}, {224, 133}, {225, 160}, {226, 131}, {228, 132}, {229, 134}, {230, 145},
        {231, 135}, {232, 138}, {233, 130}, {234, 136}, {236, 141}, {202, 211}, {205, 184},
        {207, 158}, {218, 244}, {237, 161}, {238, 140}, {239, 139}, {241, 164}, {242, 149},
        {243, 162}, {244, 147}, {246, 148}, {249, 151}, {250, 163}, {251, 150}, {252, 129},
        {210, 213}, {217, 212},
    };
    std::array<int, 256> expected{};
    for (int i = 0; i < 256; ++i) expected[i] = i;
    for (auto [typed, oem] : pairs) expected[typed] = oem;
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(KeyToOem(static_cast<uint8_t>(b)), expected[b]) << "typed " << b;
        EXPECT_EQ(KeyToOem(static_cast<uint8_t>(b), true), b) << "typed " << b;
    }
}

TEST(KeyBuffer, ReadKeyTakesTheMostRecentByteFirstAndSkipsZeros) {
    KeyboardRig rig;
    rig.dos.keys.KeyBuffer = std::string("a\0bc\0", 5);
    std::string got;
    for (int i = 0; i < 3; ++i) got += static_cast<char>(ReadKey(rig.dos));
    EXPECT_EQ(got, "cba");
    EXPECT_EQ(rig.platform.Summary(), "5x1");  // one millisecond per look, zeros included
    EXPECT_TRUE(rig.dos.keys.KeyBuffer.empty());
    EXPECT_THROW(ReadKey(rig.dos), ScriptFinished);
}

TEST(KeyBuffer, ExtendedKeysAndTypedCharacters) {
    struct Row {
        const char* what;
        std::vector<Event> events;
        int code;
        bool extended;
    };
    const Row rows[] = {
        {"Left arrow", {test::KeyDown(Key::Left)}, 75, true},
        {"typed K", {test::KeyDown(Key::Other), test::Typed("K")}, 75, false},
        {"typed K after an arrow",
         {test::KeyDown(Key::Up), test::KeyDown(Key::Other), test::Typed("K")},
         75,
         false},
        {"F1", {test::KeyDown(Key::F1)}, 59, true},
        {"typed ä", {test::KeyDown(Key::Other), test::Typed("ä")}, 132, false},
        {"typed ß", {test::KeyDown(Key::Other), test::Typed("ß")}, 225, false},
        {"typed Ü", {test::KeyDown(Key::Other), test::Typed("Ü")}, 154, false},
        {"Return", {test::KeyDown(Key::Return), test::Typed("\r")}, 13, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        KeyboardRig rig;
        for (const Event& e : r.events) rig.platform.PostEvent(e);
        uint8_t last = 0;
        // Every event is pumped before the buffer is read from the end.
        while (!rig.dos.keys.KeyBuffer.empty() || rig.platform.HasPendingKeyboardEvent())
            last = ReadKey(rig.dos);
        EXPECT_EQ(last, r.code);
        EXPECT_EQ(rig.dos.keys.ExtendedKey, r.extended);
    }
}

TEST(KeyBuffer, ShiftAloneNeverMakesKeyPressedTrue) {
    KeyboardRig rig;
    for (int i = 0; i < 3; ++i) rig.Press(Key::Shift);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(KeyPressed(rig.dos)) << "poll " << i;
    rig.Press(Key::Shift);
    rig.Press(Key::Right);
    EXPECT_TRUE(KeyPressed(rig.dos));
    EXPECT_EQ(ReadKey(rig.dos), 77);
    EXPECT_TRUE(rig.dos.keys.ExtendedKey);
}

TEST(KeyBuffer, KeyPressedSleepsOnEveryTwoHundredAndFirstEmptyPoll) {
    KeyboardRig rig;
    for (int i = 1; i <= 200; ++i) ASSERT_FALSE(KeyPressed(rig.dos));
    EXPECT_EQ(rig.platform.NowMillis(), 0);
    EXPECT_FALSE(KeyPressed(rig.dos));
    EXPECT_EQ(rig.platform.Summary(), "1x1");
    EXPECT_EQ(rig.dos.keys.IdlePolls, 0);
    // A key in between starts the count again.
    for (int i = 1; i <= 150; ++i) KeyPressed(rig.dos);
    rig.dos.keys.KeyBuffer = "k";
    EXPECT_TRUE(KeyPressed(rig.dos));
    EXPECT_EQ(rig.dos.keys.IdlePolls, 0);
    rig.dos.keys.KeyBuffer.clear();
    for (int i = 1; i <= 200; ++i) KeyPressed(rig.dos);
    EXPECT_EQ(rig.platform.Summary(), "1x1");
    KeyPressed(rig.dos);
    EXPECT_EQ(rig.platform.Summary(), "2x1");
}

TEST(KeyBuffer, RestartUnwindsReadKeyAndKeyPressedReportsIt) {
    KeyboardRig rig;
    rig.dos.keys.RestartRequested = true;
    EXPECT_TRUE(KeyPressed(rig.dos));
    rig.dos.keys.KeyBuffer = "x";
    EXPECT_THROW(ReadKey(rig.dos), RestartUnwind);
    // A restart asked for by the window while ReadKey waits.
    KeyboardRig waiting;
    int pumps = 0;
    waiting.dos.beforePump = [&] {
        if (++pumps == 3) waiting.dos.keys.RestartRequested = true;
    };
    waiting.dos.waitingForInput = nullptr;
    EXPECT_THROW(ReadKey(waiting.dos), RestartUnwind);
    EXPECT_EQ(pumps, 3);
}

TEST(KeyBuffer, FlushKeyMessagesLeavesTheBufferAndOtherEvents) {
    KeyboardRig rig;
    rig.dos.keys.KeyBuffer = "q";
    rig.Type("a");
    Event up;
    up.type = Event::Type::KeyUp;
    rig.platform.PostEvent(up);
    Event move;
    move.type = Event::Type::MouseMove;
    rig.platform.PostEvent(move);
    rig.Press(Key::Left);
    FlushKeyMessages(rig.dos);
    EXPECT_EQ(rig.dos.keys.KeyBuffer, "q");
    EXPECT_FALSE(rig.platform.HasPendingKeyboardEvent());
    Event e;
    ASSERT_TRUE(rig.platform.PollEvent(e));
    EXPECT_EQ(e.type, Event::Type::MouseMove);
    EXPECT_FALSE(rig.platform.PollEvent(e));
}

TEST(KeyBuffer, ArrowToEditKey) {
    struct Row {
        bool extended;
        int in, out;
    };
    const Row rows[] = {{true, 75, 8},   {true, 77, 0},   {true, 72, 72},
                        {false, 75, 75}, {false, 77, 77}, {true, 8, 8}};
    for (const Row& r : rows) {
        KeyboardRig rig;
        rig.dos.keys.ExtendedKey = r.extended;
        uint8_t ch = static_cast<uint8_t>(r.in);
        ArrowToEditKey(rig.dos, ch);
        EXPECT_EQ(ch, r.out) << r.in << (r.extended ? " extended" : "");
    }
}

TEST(KeyBuffer, WaitForEnterStopsAtReturnOrLineFeed) {
    for (char end : {'\r', '\n'}) {
        KeyboardRig rig;
        rig.dos.keys.KeyBuffer = std::string("x") + end + "yz";
        WaitForEnter(rig.dos);
        EXPECT_EQ(rig.dos.keys.KeyBuffer, "x") << static_cast<int>(end);
    }
}

TEST(MessagePump, ForcedPumpTakesOneEventOfAnyKind) {
    KeyboardRig rig;
    rig.Type("a");
    PumpMessages(rig.dos, false);  // a keyboard event waits: left for the window
    EXPECT_TRUE(rig.window.handled.empty());
    PumpMessages(rig.dos, true);
    EXPECT_EQ(rig.window.handled.size(), 1u);
    Event move;
    move.type = Event::Type::MouseMove;
    KeyboardRig mouse;
    mouse.platform.PostEvent(move);
    PumpMessages(mouse.dos, false);
    EXPECT_EQ(mouse.window.handled.size(), 1u);
}

TEST(MessagePump, FocusLossBeepsAndTheBackgroundDrainsTheQueue) {
    KeyboardRig rig;
    rig.platform.SetActive(false);
    rig.Type("a");
    rig.Type("b");
    PumpMessages(rig.dos, false);
    EXPECT_EQ(rig.platform.Beeps(), 1);
    EXPECT_EQ(rig.window.handled.size(), 5u);
    EXPECT_EQ(rig.dos.keys.KeyBuffer, "ab");
    EXPECT_EQ(rig.platform.Summary(), "1x1");
}

TEST(MessagePump, RunsRequestsOfWorkerThreads) {
    KeyboardRig rig;
    int ran = 0;
    rig.platform.RequestOnMainThread([&] { ++ran; });
    PumpMessages(rig.dos, false);
    EXPECT_EQ(ran, 1);
}

}  // namespace
}  // namespace qs::test
