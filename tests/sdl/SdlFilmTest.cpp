// The building site's end animation in a real window: the frames come in
// order, once each, with the pause between them, while the program waits
// in Delay and ReadKey as the game does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "SdlTestSupport.h"
#include "screen/Dos.h"
#include "screen/GraphMapping.h"
#include "screen/Keyboard.h"

namespace qs::test {
namespace {

using SdlFilm = SdlWindowTest;

TEST_F(SdlFilm, TheEndAnimationPlaysItsFramesOnTimeWhileTheProgramWaits) {
    Open(640, 480);
    Dos d(*platform_);
    const Rect area = DrawingArea(d.ClientSize());
    int w = 60, h = 60, x = 299, y = 419;
    ScaleSize(area, w, h);
    ToWindow(area, x, y);
    constexpr Rgb kKeyColour = 0x404040;
    FillRect(d.Canvas(), d.Canvas().Bounds(), kKeyColour);

    struct Frame {
        int entry;
        uint64_t at;
    };
    std::vector<Frame> frames;
    Tfilm& film = d.film;
    film.OnFrame = [&](int entry) { frames.push_back({entry, platform_->NowMicros()}); };
    uint64_t finishedAt = 0;
    film.OnFinish = [&] {
        finishedAt = platform_->NowMicros();
        d.keys.KeyBuffer.push_back(13);  // ends the wait for a key below
    };
    film.transparent = false;
    film.SetHintergrundfarbe(kKeyColour);
    film.SetWidth(w);
    film.SetHeight(h);
    film.SetVerzeichnis(std::string(QS_SOURCE_DIR) + "/data/bitplane/filme/");
    const int count = static_cast<int>(film.Entries().size());
    ASSERT_GT(count, 21) << "the shipped frames";

    film.Play(x, y, d.Canvas(), 20, 1, 200);
    Delay(d, 400);
    EXPECT_EQ(ReadKey(d), 13);

    ASSERT_EQ(static_cast<int>(frames.size()), count - 20) << "every frame from entry 20 once";
    // The pauses are measured, not required: how late a frame comes past its
    // time is up to the system's scheduler. A frame never comes early.
    double worst = 0, longest = 0, shortest = 1e9, sum = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].entry, 20 + static_cast<int>(i)) << "in order";
        if (i == 0) continue;
        const double pause = (frames[i].at - frames[i - 1].at) / 1000.0;
        longest = std::max(longest, pause);
        shortest = std::min(shortest, pause);
        worst = std::max(worst, std::abs(pause - 200));
        sum += pause;
        EXPECT_GE(pause, 199) << "before frame " << i;
    }
    const double last = (finishedAt - frames.back().at) / 1000.0;
    EXPECT_GE(last, 199) << "the pause after the last frame";
    std::printf(
        "film: %zu frames, pauses %.2f..%.2f ms (mean %.2f), worst off by %.2f ms, "
        "finish %.2f ms after the last frame\n",
        frames.size(), shortest, longest, sum / (frames.size() - 1), worst, last);
    RecordProperty("frames", static_cast<int>(frames.size()));
    RecordProperty("worst_pause_error_us", static_cast<int>(worst * 1000));

    // The last frame is on the screen.
    x_->Sync();
    const std::vector<uint32_t> window = x_->Pixels(xwindow_, 640, 480);
    ASSERT_EQ(window.size(), 640u * 480u);
    bool drawn = false;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col)
            drawn =
                drawn || (window[static_cast<size_t>(row) * 640 + col] & 0xFFFFFF) != kKeyColour;
    EXPECT_TRUE(drawn) << "the frame's place shows more than the background";
}

}  // namespace
}  // namespace qs::test
