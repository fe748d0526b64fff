#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>

#include "platform/host/HostPrintSpooler.h"
#include "platform/host/MemorySettingsStore.h"
#include "platform/host/PosixFileSystem.h"
#include "platform/host/WavInfo.h"

namespace qs {

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options)
    : size_(options.size), seed_(options.seed), today_(options.today) {
    std::string program = options.programPath.empty() ? RunningProgramPath() : options.programPath;
    files_ = std::make_unique<PosixFileSystem>(program);
    settings_ =
        options.settings ? std::move(options.settings) : std::make_unique<MemorySettingsStore>();
    printer_ =
        options.printer ? std::move(options.printer) : MakeHostPrintSpooler(files_->ProgramDir());
    pixels_.assign(static_cast<size_t>(size_.w) * size_.h, 0);
}

HeadlessPlatform::~HeadlessPlatform() = default;

bool HeadlessPlatform::OpenWindow(const WindowOptions& options) {
    title_ = options.title;
    if (!options.fullscreen && options.size.w > 0 && options.size.h > 0) {
        size_ = options.size;
        pixels_.assign(static_cast<size_t>(size_.w) * size_.h, 0);
    }
    Event e;
    e.type = Event::Type::Expose;
    events_.push_back(e);
    return true;
}

PixelView HeadlessPlatform::Framebuffer() {
    return PixelView{pixels_.data(), size_.w, size_.h, size_.w};
}

void HeadlessPlatform::Present(const Rect* dirty) {
    ++presents_;
    const Rect all{0, 0, size_.w, size_.h};
    lastPresented_ = dirty ? dirty->Intersect(all) : all;
}

bool HeadlessPlatform::SetExclusiveFullscreen(bool on) {
    exclusive_ = on;
    return true;
}

bool HeadlessPlatform::PeekEvent(Event& out) {
    if (events_.empty()) return false;
    out = events_.front();
    return true;
}

bool HeadlessPlatform::PollEvent(Event& out) {
    if (events_.empty()) return false;
    out = std::move(events_.front());
    events_.pop_front();
    return true;
}

bool HeadlessPlatform::WaitEvent(int timeoutMs) {
    if (!events_.empty() || !mainQueue_.Empty()) return true;
    SleepMillis(timeoutMs);
    return false;
}

bool HeadlessPlatform::HasPendingKeyboardEvent() {
    return std::any_of(events_.begin(), events_.end(),
                       [](const Event& e) { return e.IsKeyboard(); });
}

void HeadlessPlatform::FlushKeyboardEvents() {
    std::erase_if(events_, [](const Event& e) { return e.IsKeyboard(); });
}

void HeadlessPlatform::PostEvent(const Event& e) { events_.push_back(e); }

void HeadlessPlatform::ConfinePointer(const Rect* area) {
    if (area) confine_ = *area;
    else confine_.reset();
}

void HeadlessPlatform::SleepMillis(int ms) {
    if (ms > 0) nowMicros_ += static_cast<uint64_t>(ms) * 1000;
}

int HeadlessPlatform::PlayWav(const std::string& path, int startMs, int lengthMs) {
    auto bytes = files_->ReadFile(path);
    if (!bytes) return 0;
    auto info = ParseWavHeader(*bytes);
    if (!info) return 0;
    int length = info->DurationMs() - std::max(0, startMs);
    if (lengthMs >= 0) length = std::min(length, lengthMs);
    length = std::max(length, 0);
    int handle = nextSound_++;
    playing_.push_back({handle, nowMicros_ + static_cast<uint64_t>(length) * 1000});
    soundLog_.push_back({path, startMs, lengthMs, nowMicros_});
    return handle;
}

std::vector<int> HeadlessPlatform::TakeFinishedSounds() {
    std::vector<int> done;
    std::erase_if(playing_, [&](const Playing& p) {
        if (p.endMicros > nowMicros_) return false;
        done.push_back(p.handle);
        return true;
    });
    return done;
}

void HeadlessPlatform::StopAllSounds() { playing_.clear(); }

void HeadlessPlatform::ResizeWindow(int w, int h) {
    size_ = {std::max(1, w), std::max(1, h)};
    pixels_.assign(static_cast<size_t>(size_.w) * size_.h, 0);
    Event e;
    e.type = Event::Type::Resize;
    e.w = size_.w;
    e.h = size_.h;
    events_.push_back(e);
}

void HeadlessPlatform::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    Event e;
    e.type = active ? Event::Type::FocusGained : Event::Type::FocusLost;
    events_.push_back(e);
}

}  // namespace qs
