#include "SdlTestSupport.h"

namespace qs::test {
namespace {

void Fill(const PixelView& fb, const Rect& r, uint32_t colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) fb.Row(y)[x] = colour;
}

using SdlWindow = SdlWindowTest;

TEST_F(SdlWindow, OpensWithTheRequestedClientSizeAndFramebuffer) {
    struct Row {
        const char* name;
        int w, h;
    };
    for (const Row& row : {Row{"small", 320, 240}, Row{"odd sizes", 201, 157}}) {
        SCOPED_TRACE(row.name);
        Open(row.w, row.h);
        EXPECT_EQ(platform_->ClientSize(), (Size{row.w, row.h}));
        PixelView fb = platform_->Framebuffer();
        EXPECT_EQ(fb.width, row.w);
        EXPECT_EQ(fb.height, row.h);
        EXPECT_GE(fb.pitch, row.w);
    }
}

TEST_F(SdlWindow, FullScreenCoversTheMonitor) {
    WindowOptions options;
    options.fullscreen = true;
    ASSERT_TRUE(platform_->OpenWindow(options));
    Size desktop = platform_->DesktopSize();
    EXPECT_GT(desktop.w, 0);
    EXPECT_EQ(platform_->ClientSize(), desktop);
    PixelView fb = platform_->Framebuffer();
    EXPECT_EQ((Size{fb.width, fb.height}), desktop);
    EXPECT_FALSE(SDL_GetWindowFlags(SdlWindowOf(*platform_)) & SDL_WINDOW_FULLSCREEN)
        << "a borderless window, not a video mode";
}

// Eight-pixel squares in the seven bright colours (exact at every colour
// depth), so that a part shown at the wrong place does not match.
uint32_t Pattern(int x, int y) {
    int n = (x / 8 + 3 * (y / 8)) % 7 + 1;
    return (n & 4 ? 0xFF0000u : 0) | (n & 2 ? 0x00FF00u : 0) | (n & 1 ? 0x0000FFu : 0);
}

TEST_F(SdlWindow, PresentShowsTheFramebufferOnTheScreen) {
    constexpr uint32_t kOld = 0x00000000;
    struct Row {
        const char* name;
        bool whole;
        Rect dirty;
        Rect shown;  // where the new frame must appear; elsewhere old or new
    };
    const Rect all{0, 0, kWidth, kHeight};
    const Row rows[] = {
        {"whole frame", true, {}, all},
        {"dirty part", false, {10, 20, 110, 70}, {10, 20, 110, 70}},
        {"dirty part reaching outside", false, {250, 200, 900, 900}, {250, 200, kWidth, kHeight}},
        {"empty dirty part", false, {50, 50, 50, 90}, {}},
    };
    Open();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PixelView fb = platform_->Framebuffer();
        Fill(fb, all, kOld);
        platform_->Present(nullptr);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) fb.Row(y)[x] = Pattern(x, y);
        platform_->Present(row.whole ? nullptr : &row.dirty);
        std::vector<uint32_t> screen = x_->Pixels(xwindow_, kWidth, kHeight);
        ASSERT_EQ(screen.size(), static_cast<size_t>(kWidth) * kHeight);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                uint32_t got = screen[static_cast<size_t>(y) * kWidth + x];
                // Outside the dirty part the screen may show either frame.
                bool ok = got == Pattern(x, y) || (!row.shown.Contains(x, y) && got == kOld);
                if (!ok && wrong++ < 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << got
                                  << " not " << Pattern(x, y);
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(SdlWindow, UncoveredWindowShowsItsFramebufferAgain) {
    Open();
    constexpr uint32_t kBlue = 0x000000FF;
    PixelView fb = platform_->Framebuffer();
    Fill(fb, {0, 0, kWidth, kHeight}, kBlue);
    platform_->Present(nullptr);
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(SdlWindowOf(*platform_), &x, &y);
    unsigned long cover = x_->CreateWindow(x, y, kWidth, kHeight);
    ASSERT_EQ(x_->ScreenPixels(x, y, kWidth, kHeight).back(), 0x00FFFFFFu) << "not covered";
    Drain();
    x_->DestroyWindow(cover);
    std::vector<Event> got =
        CollectUntil([](const Event& e) { return e.type == Event::Type::Expose; });
    ASSERT_FALSE(got.empty()) << "no Expose event";
    std::vector<uint32_t> screen = x_->ScreenPixels(x, y, kWidth, kHeight);
    ASSERT_FALSE(screen.empty());
    EXPECT_EQ(screen.front(), kBlue);
    EXPECT_EQ(screen.back(), kBlue);
}

TEST_F(SdlWindow, ResizeDeliversTheNewSizeWithAFramebufferToMatch) {
    Open();
    PixelView before = platform_->Framebuffer();
    ASSERT_TRUE(RunCommand("xdotool windowsize " + WindowId() + " 400 300"));
    Event next;
    ASSERT_TRUE(WaitUntil([&] {
        return platform_->PeekEvent(next) && next.type == Event::Type::Resize;
    })) << "no Resize event";
    // Until the Resize event is taken, the framebuffer the trainer holds
    // stays valid: drawing into it and presenting must not crash.
    Fill(before, {0, 0, before.width, before.height}, 0x0000FF00);
    platform_->Present(nullptr);
    Event resize;
    ASSERT_TRUE(platform_->PollEvent(resize));
    ASSERT_EQ(resize.type, Event::Type::Resize);
    EXPECT_EQ((Size{resize.w, resize.h}), (Size{400, 300}));
    PixelView fb = platform_->Framebuffer();
    ASSERT_EQ((Size{fb.width, fb.height}), (Size{400, 300}));
    Fill(fb, {0, 0, 400, 300}, 0x00FF0000);
    platform_->Present(nullptr);
    std::vector<uint32_t> screen = x_->Pixels(xwindow_, 400, 300);
    ASSERT_FALSE(screen.empty());
    EXPECT_EQ(screen.back(), 0x00FF0000u) << "the bottom right corner of the larger window";
}

TEST_F(SdlWindow, CloseRequestArrivesOnceAndLeavesTheWindowOpen) {
    Open();
    x_->SendCloseRequest(xwindow_);
    std::vector<Event> got =
        CollectUntil([](const Event& e) { return e.type == Event::Type::Close; });
    ASSERT_FALSE(got.empty()) << "no Close event";
    for (const Event& e : Drain()) EXPECT_NE(e.type, Event::Type::Close) << "a second Close event";
    EXPECT_NE(SdlWindowOf(*platform_), nullptr);
    EXPECT_TRUE(x_->WindowExists(xwindow_)) << "the window is gone";
}

TEST_F(SdlWindow, FocusMovesAwayAndBack) {
    Open();
    unsigned long other = x_->CreateWindow();
    ASSERT_TRUE(RunCommand("xdotool windowfocus --sync " + std::to_string(other)));
    auto lost = CollectUntil([](const Event& e) { return e.type == Event::Type::FocusLost; });
    EXPECT_FALSE(lost.empty()) << "no FocusLost event";
    EXPECT_FALSE(platform_->IsActive());
    ASSERT_TRUE(RunCommand("xdotool windowfocus --sync " + WindowId()));
    auto gained = CollectUntil([](const Event& e) { return e.type == Event::Type::FocusGained; });
    EXPECT_FALSE(gained.empty()) << "no FocusGained event";
    EXPECT_TRUE(platform_->IsActive());
    x_->DestroyWindow(other);
}

TEST_F(SdlWindow, ExclusiveFullScreenTakesTheDesktopSizeWithoutAResize) {
    Open();
    Size desktop = platform_->DesktopSize();
    ASSERT_TRUE(platform_->SetExclusiveFullscreen(true));
    PixelView fb = platform_->Framebuffer();
    EXPECT_EQ((Size{fb.width, fb.height}), desktop);
    Fill(fb, {0, 0, fb.width, fb.height}, 0x00112233);
    platform_->Present(nullptr);
    for (const Event& e : Drain()) EXPECT_NE(e.type, Event::Type::Resize) << "entering";

    ASSERT_TRUE(platform_->SetExclusiveFullscreen(false));
    fb = platform_->Framebuffer();
    EXPECT_EQ((Size{fb.width, fb.height}), (Size{kWidth, kHeight}));
    Fill(fb, {0, 0, fb.width, fb.height}, 0x00112233);
    platform_->Present(nullptr);
    for (const Event& e : Drain()) EXPECT_NE(e.type, Event::Type::Resize) << "leaving";
}

TEST_F(SdlWindow, PointerWarpsToWindowPixels) {
    Open();
    platform_->WarpPointer(37, 91);
    x_->Sync();
    EXPECT_EQ(platform_->PointerPosition(), (Point{37, 91}));
}

}  // namespace
}  // namespace qs::test
