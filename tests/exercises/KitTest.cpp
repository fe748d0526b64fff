// The results table and the protocol lines as the games fill them.
#include <gtest/gtest.h>

#include <string>

#include "exercises/Programs.h"
#include "exercises/common/Kit.h"
#include "platform/headless/HeadlessPlatform.h"

namespace qs::test {
namespace {

struct KitFixture {
    HeadlessPlatform platform{HeadlessOptions{}};
    Dos d{platform};
    Trainer tr{d, AllPrograms()};
};

TEST(KitTest, ResultsMarkMistakesAndStopAtSixty) {
    KitFixture f;
    TrainerState& t = f.tr.t;
    EnterResult(f.tr, 5, false);
    EnterResult(f.tr, 7, true);
    EXPECT_EQ(t.ResultCount, 2);
    EXPECT_EQ(t.Results[1], 5);
    EXPECT_EQ(t.Results[2], 1007);
    t.ResultCount = kResultsSize - 1;
    EnterResult(f.tr, 9, false);
    EnterResult(f.tr, 11, false);
    EXPECT_EQ(t.ResultCount, kResultsSize);
    EXPECT_EQ(t.Results[kResultsSize], 9);
}

TEST(KitTest, ProtocolLineIsClosedForOnePlayerWithRoomOnly) {
    const struct {
        const char* what;
        int players;
        int count;
        bool closed;
    } cases[] = {
        {"one player", 1, 3, true},
        {"two players", 2, 3, false},
        {"the last line", 1, kProtocolSize - 1, true},
        {"a full protocol", 1, kProtocolSize, false},
    };
    for (const auto& c : cases) {
        KitFixture f;
        TrainerState& t = f.tr.t;
        f.tr.players.PlayerCount = c.players;
        t.ProtocolCount = c.count;
        t.ProtocolLines[static_cast<size_t>(c.count + 1)] = "vor";
        EXPECT_EQ(CloseProtocolLine(f.tr, "ver-stehen="), c.closed) << c.what;
        EXPECT_EQ(t.ProtocolCount, c.count + (c.closed ? 1 : 0)) << c.what;
        EXPECT_EQ(t.ProtocolLines[static_cast<size_t>(c.count + 1)],
                  c.closed ? "ver-stehen=vor" : "vor")
            << c.what;
    }
}

// A game's waiting loop is a wait for the player: a scripted run that is
// used up ends in it instead of polling on for ten minutes.
TEST(KitTest, ATickWithoutInputCountsAsAWaitForInput) {
    const struct {
        const char* what;
        const char* keys;
        int click;
        bool clicked;
        bool waited;
    } cases[] = {
        {"nothing comes", "", 0, false, true},
        {"a key is waiting", "a", 0, false, false},
        {"a click came", "", 1, true, false},
    };
    for (const auto& c : cases) {
        KitFixture f;
        f.d.keys.KeyBuffer = c.keys;
        f.d.mouse.LastClick = c.click;
        bool waited = false;
        f.d.waitingForInput = [&] { waited = true; };
        EXPECT_EQ(Tick(f.tr), c.clicked) << c.what;
        EXPECT_EQ(waited, c.waited) << c.what;
    }
}

}  // namespace
}  // namespace qs::test
