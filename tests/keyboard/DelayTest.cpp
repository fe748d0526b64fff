// Delay over the virtual clock: scaling by the speed factor, the four ways
// of waiting, sub-millisecond delays, and keys that end a wait.
#include <gtest/gtest.h>

#include "keyboard/KeyboardRig.h"

namespace qs::test {
namespace {

TEST(Delay, ScalingAndWaiting) {
    struct Row {
        double ms;
        bool scale;
        double factor;
        const char* sleeps;
    };
    const Row rows[] = {
        // Long waits: doubled, then slept in 50 pieces of a hundredth.
        {2000, false, 1, "50x40"},
        {500, true, 440, "50x10"},
        // 100 .. 999 after doubling: eight pieces of a sixteenth.
        {499, false, 1, "8x62"},
        {100, true, 440, "8x12"},
        {50, true, 440, "8x31"},  // 50 x min(440, 10)
        {26, true, 20, "8x16"},   // 26 x 10
        {90, true, 20, "8x56"},   // 90 x 10
        // Between 10 and 100: four pieces of an eighth.
        {95, true, 440, "4x11"},  // above 90: not scaled
        {91, true, 20, "4x11"},
        {20, true, 2, "4x5"},   // 20 x 2
        {25, true, 3, "4x9"},   // 25 x 3
        {20, false, 2, "4x2"},  // scaling off
        {10.4, false, 1, "4x1"},
        // 1 .. 10: one-millisecond steps.
        {10, false, 1, "10x1"},
        {5, false, 1, "5x1"},
        {12, true, 0.5, "6x1"},
        {1, false, 1, "1x1"},
        // Below one millisecond: the first call sleeps once.
        {0, false, 1, "1x1"},
        {15, true, 0.01, "1x1"},
        {-5, true, 1, "1x1"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "Delay(" << r.ms << ") scale " << r.scale << " factor " << r.factor);
        KeyboardRig rig;
        // A hook that may post a key at any time makes every piece look.
        rig.dos.beforePump = [] {};
        rig.dos.keys.ScaleDelays = r.scale;
        rig.dos.keys.SpeedFactor = r.factor;
        Delay(rig.dos, r.ms);
        EXPECT_EQ(rig.platform.Summary(), r.sleeps);

        // With nothing that could come, the pieces pass in rests (one rest
        // and one look a second at most) that end when they would have.
        KeyboardRig quiet;
        quiet.dos.waitingForInput = nullptr;
        quiet.dos.keys.ScaleDelays = r.scale;
        quiet.dos.keys.SpeedFactor = r.factor;
        Delay(quiet.dos, r.ms);
        EXPECT_EQ(quiet.platform.NowMillis(), rig.platform.NowMillis());
        const auto seconds = static_cast<size_t>(quiet.platform.NowMillis() / 1000);
        EXPECT_LE(quiet.platform.sleeps.size(), 2 * (seconds + 1)) << quiet.platform.Summary();
    }
}

TEST(Delay, SubMillisecondDelaysSleepOnceEveryTwoOverMsCalls) {
    struct Row {
        double ms;
        int calls;
        std::vector<int> sleepingCalls;  // 1-based
    };
    const Row rows[] = {
        {0.5, 12, {1, 5, 9}},
        {0.7, 7, {1, 4, 7}},  // 2 / 0.7 rounds to 3
        {0.02, 201, {1, 101, 201}},
        {0.001, 120, {1, 101}},  // raised to 0.02
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "Delay(" << r.ms << ")");
        KeyboardRig rig;
        std::vector<int> slept;
        for (int i = 1; i <= r.calls; ++i) {
            const size_t before = rig.platform.sleeps.size();
            Delay(rig.dos, r.ms);
            if (rig.platform.sleeps.size() > before) slept.push_back(i);
        }
        EXPECT_EQ(slept, r.sleepingCalls);
    }
}

TEST(Delay, OneMillisecondAlsoCountsTowardsTheSubMillisecondCounter) {
    KeyboardRig rig;
    Delay(rig.dos, 1);
    EXPECT_EQ(rig.dos.keys.SubMsCounter, 1);
    Delay(rig.dos, 1);
    EXPECT_EQ(rig.dos.keys.SubMsCounter, 0);
    // A following short delay sleeps only when the counter is back at 0.
    Delay(rig.dos, 1);
    rig.platform.sleeps.clear();
    Delay(rig.dos, 0.5);
    EXPECT_TRUE(rig.platform.sleeps.empty());
}

// Posts a key once the virtual clock reaches atMs.
void KeyAt(KeyboardRig& rig, int atMs, Key key) {
    rig.dos.beforePump = [&rig, atMs, key, done = false]() mutable {
        if (!done && rig.platform.NowMillis() >= atMs) {
            done = true;
            rig.Press(key);
        }
    };
}

TEST(Delay, KeyEndsALongWaitAndStaysInTheBuffer) {
    KeyboardRig rig;
    KeyAt(rig, 500, Key::Left);
    Delay(rig.dos, 2000);
    EXPECT_EQ(rig.platform.NowMillis(), 520);  // the first 40 ms step past the key
    EXPECT_EQ(rig.dos.keys.KeyBuffer, "K");
    EXPECT_EQ(ReadKey(rig.dos), 75);
    EXPECT_TRUE(rig.dos.keys.ExtendedKey);
}

TEST(Delay, WaitsOfEachKindEndEarlyOnAKey) {
    struct Row {
        double ms;
        int keyAt;
        int endsAt;
    };
    const Row rows[] = {{2000, 0, 40}, {300, 100, 111}, {50, 20, 24}};
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "Delay(" << r.ms << ")");
        KeyboardRig rig;
        KeyAt(rig, r.keyAt, Key::F5);
        Delay(rig.dos, r.ms);
        EXPECT_EQ(rig.platform.NowMillis(), r.endsAt);
        EXPECT_EQ(rig.dos.keys.KeyBuffer, "?");
    }
}

TEST(Delay, WithoutAKeyTheLongWaitRunsToItsEnd) {
    KeyboardRig rig;
    Delay(rig.dos, 2000);
    EXPECT_EQ(rig.platform.NowMillis(), 2000);
}

TEST(Delay, ShortWaitsLeaveKeyboardEventsForTheWindow) {
    KeyboardRig rig;
    rig.Type("a");
    Delay(rig.dos, 5);
    EXPECT_TRUE(rig.dos.keys.KeyBuffer.empty());
    EXPECT_TRUE(rig.platform.HasPendingKeyboardEvent());
}

// Offstage the waits take the same time of the program's clock, but none
// of it is waited for, and nothing drawn is presented until the screen is
// back on stage.
TEST(Delay, OffstageWaitsPassWithoutWaitingAndShowNothing) {
    const double delays[] = {2000, 100, 20, 5, 0.5};
    for (const double ms : delays) {
        SCOPED_TRACE(::testing::Message() << "Delay(" << ms << ")");
        KeyboardRig onstage;
        onstage.dos.MarkDirty();
        Delay(onstage.dos, ms);

        KeyboardRig offstage;
        offstage.dos.offstage = true;
        offstage.dos.MarkDirty();
        Delay(offstage.dos, ms);
        EXPECT_EQ(offstage.platform.NowMillis(), onstage.platform.NowMillis());
        EXPECT_TRUE(offstage.platform.sleeps.empty()) << offstage.platform.Summary();
        EXPECT_EQ(offstage.platform.Presents(), 0);
        offstage.dos.offstage = false;
        offstage.dos.PresentIfDirty();
        EXPECT_EQ(offstage.platform.Presents(), 1) << "shown with the next present";
    }
}

}  // namespace
}  // namespace qs::test
