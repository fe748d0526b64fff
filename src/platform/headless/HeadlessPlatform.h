// The headless backend: no display, a virtual clock in which sleeping
// advances time at once, events posted by a script or a test, and a
// framebuffer that can be read back.
#pragma once

#include <deque>
#include <memory>

#include "platform/Platform.h"
#include "platform/host/MainThreadQueue.h"

namespace qs {

struct HeadlessOptions {
    Size size{1280, 960};
    uint32_t seed = 1;
    std::string programPath;  // the program file inside the app folder
    LocalDate today{2026, 12, 10, 4};
    std::unique_ptr<SettingsStore> settings;  // default: in memory
    std::unique_ptr<PrintSpooler> printer;    // default: the host's print system
};

struct PlayedSound {
    std::string path;
    int startMs = 0;
    int lengthMs = -1;
    uint64_t atMicros = 0;
};

class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(HeadlessOptions options);
    ~HeadlessPlatform() override;

    bool OpenWindow(const WindowOptions& options) override;
    void SetTitle(const std::string& title) override { title_ = title; }
    Size ClientSize() override { return size_; }
    Size DesktopSize() override { return size_; }
    PixelView Framebuffer() override;
    void Present(const Rect* dirty) override;
    bool SetExclusiveFullscreen(bool on) override;
    bool IsActive() override { return active_; }

    bool PeekEvent(Event& out) override;
    bool PollEvent(Event& out) override;
    bool WaitEvent(int timeoutMs) override;
    bool HasPendingKeyboardEvent() override;
    void FlushKeyboardEvents() override;
    void PostEvent(const Event& e) override;

    Point PointerPosition() override { return pointer_; }
    void WarpPointer(int x, int y) override { pointer_ = {x, y}; }
    void ShowPointer(bool visible) override { pointerVisible_ = visible; }
    void ConfinePointer(const Rect* area) override;
    void SetPointerShape(PointerShape shape) override { pointerShape_ = shape; }

    uint64_t NowMicros() override { return nowMicros_; }
    void SleepMillis(int ms) override;
    void SkipMillis(int ms) override { SleepMillis(ms); }
    uint32_t RandomSeed() override { return seed_; }
    LocalDate Today() override { return today_; }
    char DecimalSeparator() override { return ','; }

    int PlayWav(const std::string& path, int startMs, int lengthMs) override;
    std::vector<int> TakeFinishedSounds() override;
    void StopAllSounds() override;
    void Beep() override { ++beeps_; }

    FileSystem& Files() override { return *files_; }
    SettingsStore& Settings() override { return *settings_; }
    PrintSpooler& Printer() override { return *printer_; }

    void RequestOnMainThread(std::function<void()> fn) override { mainQueue_.Push(std::move(fn)); }
    void RunMainThreadRequests() override { mainQueue_.RunAll(); }

    // --- For tests and the script runner ------------------------------------
    // Resizes the framebuffer and queues a Resize event, as a window would.
    void ResizeWindow(int w, int h);
    void SetActive(bool active);
    void AdvanceMillis(int ms) { nowMicros_ += static_cast<uint64_t>(ms) * 1000; }
    const std::vector<PlayedSound>& SoundLog() const { return soundLog_; }
    int Beeps() const { return beeps_; }
    int Presents() const { return presents_; }
    // What the last Present showed, in window pixels (the whole window when
    // it named no rectangle).
    Rect LastPresented() const { return lastPresented_; }
    bool PointerVisible() const { return pointerVisible_; }
    PointerShape CurrentPointerShape() const { return pointerShape_; }
    std::optional<Rect> PointerConfinement() const { return confine_; }
    bool Exclusive() const { return exclusive_; }
    const std::string& Title() const { return title_; }

private:
    struct Playing {
        int handle;
        uint64_t endMicros;
    };

    Size size_;
    std::vector<uint32_t> pixels_;
    std::deque<Event> events_;
    uint64_t nowMicros_ = 0;
    uint32_t seed_;
    LocalDate today_;
    std::string title_;
    bool active_ = true;
    bool exclusive_ = false;
    bool pointerVisible_ = true;
    PointerShape pointerShape_ = PointerShape::Arrow;
    std::optional<Rect> confine_;
    Point pointer_{0, 0};
    int beeps_ = 0;
    int presents_ = 0;
    Rect lastPresented_;
    int nextSound_ = 1;
    std::vector<Playing> playing_;
    std::vector<PlayedSound> soundLog_;
    std::unique_ptr<FileSystem> files_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<PrintSpooler> printer_;
    MainThreadQueue mainQueue_;
};

}  // namespace qs
