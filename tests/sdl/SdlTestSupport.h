// Shared fixture of the real-window tests: an SDL platform with a small
// window on the X display, a second connection to the same display for
// looking at what the window shows, and bounded waits for real events.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "XConnection.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlPlatform.h"

namespace qs::test {

// Runs a shell command; true when it exits with status 0.
inline bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

inline bool HaveTool(const std::string& name) {
    return RunCommand("command -v " + name + " >/dev/null 2>&1");
}

class SdlWindowTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    void SetUp() override {
        // Sound runs without a sound card; a setting from outside wins.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display (run under xvfb-run -a)";
        // A busy X server now and then refuses a connection; try again.
        for (int attempt = 0; attempt < 3 && !platform_; ++attempt) {
            if (attempt > 0) SDL_Delay(100);
            platform_ = MakeSdlPlatform(SdlOptions{});
        }
        if (!platform_) GTEST_SKIP() << "SDL cannot open the display: " << SDL_GetError();
        x_ = std::make_unique<XConnection>();
        if (!x_->Ok()) GTEST_SKIP() << "no second connection to the X display";
    }

    void TearDown() override {
        platform_.reset();
        x_.reset();
    }

    // Opens a normal window of the given size and waits until it is on the
    // screen with the input focus.
    void Open(int w = kWidth, int h = kHeight) {
        WindowOptions options;
        options.fullscreen = false;
        options.size = {w, h};
        options.title = "sdl backend test";
        ASSERT_TRUE(platform_->OpenWindow(options));
        xwindow_ = X11WindowOf(SdlWindowOf(*platform_));
        ASSERT_NE(xwindow_, 0u) << "not an X11 window: " << SDL_GetError();
        ASSERT_TRUE(WaitUntil([&] { return platform_->IsActive(); }))
            << "the window never got the focus";
        Drain();
    }

    // Gathers events until pred holds; false after the timeout.
    bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 5000) {
        uint64_t end = platform_->NowMicros() + static_cast<uint64_t>(timeoutMs) * 1000;
        while (!pred()) {
            if (platform_->NowMicros() > end) return false;
            platform_->SleepMillis(2);
        }
        return true;
    }

    // Collects events until one satisfies done (included); empty after the timeout.
    std::vector<Event> CollectUntil(const std::function<bool(const Event&)>& done,
                                    int timeoutMs = 5000) {
        std::vector<Event> got;
        bool found = WaitUntil(
            [&] {
                Event e;
                while (platform_->PollEvent(e)) {
                    got.push_back(e);
                    if (done(e)) return true;
                }
                return false;
            },
            timeoutMs);
        if (!found) {
            std::string seen;
            for (const Event& e : got) seen += " " + std::to_string(static_cast<int>(e.type));
            ADD_FAILURE() << "timed out; event types seen:" << (seen.empty() ? " none" : seen);
            got.clear();
        }
        return got;
    }

    // Takes what has arrived so far, after the X server has handled all
    // requests sent up to now.
    std::vector<Event> Drain() {
        x_->Sync();
        std::vector<Event> got;
        Event e;
        while (platform_->PollEvent(e)) got.push_back(e);
        return got;
    }

    std::string WindowId() const { return std::to_string(xwindow_); }

    std::unique_ptr<Platform> platform_;
    std::unique_ptr<XConnection> x_;
    unsigned long xwindow_ = 0;
};

}  // namespace qs::test
