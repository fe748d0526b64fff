#include "platform/sdl/SdlPlatform.h"

#include <langinfo.h>
#include <locale.h>

#include <SDL2/SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>

#include "platform/host/HostPrintSpooler.h"
#include "platform/host/MainThreadQueue.h"
#include "platform/host/MemorySettingsStore.h"
#include "platform/host/PosixFileSystem.h"
#include "platform/sdl/SdlKeys.h"
#include "platform/sdl/SdlSound.h"

namespace qs {

namespace {

constexpr uint64_t kModeSwitchWaitMicros = 500000;
constexpr uint64_t kFocusWaitMicros = 500000;

bool AccelerationWanted(bool option) {
    const char* env = std::getenv("QS_FRAMEBUFFER_ACCELERATION");
    if (env && *env) return std::strcmp(env, "0") != 0;
    return option;
}

// The display whose bounds hold the desktop pointer; the first one when none does.
int DisplayUnderPointer() {
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_Point p{x, y};
    int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_PointInRect(&p, &bounds)) return i;
    }
    return 0;
}

// Splits UTF-8 text into its characters (a malformed byte stands alone).
std::vector<std::string> SplitCharacters(const char* text) {
    std::vector<std::string> out;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    while (*s) {
        size_t len = 1;
        if (*s >= 0xF0) len = 4;
        else if (*s >= 0xE0) len = 3;
        else if (*s >= 0xC0) len = 2;
        size_t have = 1;
        while (have < len && (s[have] & 0xC0) == 0x80) ++have;
        out.emplace_back(reinterpret_cast<const char*>(s), have);
        s += have;
    }
    return out;
}

SDL_SystemCursor SystemCursorFor(PointerShape shape) {
    switch (shape) {
        case PointerShape::Wait: return SDL_SYSTEM_CURSOR_WAIT;
        case PointerShape::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
        case PointerShape::Hand: return SDL_SYSTEM_CURSOR_HAND;
        case PointerShape::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
        case PointerShape::Arrow: break;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

}  // namespace

class SdlPlatform : public Platform {
public:
    explicit SdlPlatform(SdlOptions options);
    ~SdlPlatform() override;

    bool OpenWindow(const WindowOptions& options) override;
    void SetTitle(const std::string& title) override;
    Size ClientSize() override;
    Size DesktopSize() override;
    PixelView Framebuffer() override;
    void Present(const Rect* dirty) override;
    bool SetExclusiveFullscreen(bool on) override;
    bool IsActive() override;

    bool PeekEvent(Event& out) override;
    bool PollEvent(Event& out) override;
    bool WaitEvent(int timeoutMs) override;
    bool HasPendingKeyboardEvent() override;
    void FlushKeyboardEvents() override;
    void PostEvent(const Event& e) override { events_.push_back(e); }

    Point PointerPosition() override;
    void WarpPointer(int x, int y) override;
    void ShowPointer(bool visible) override;
    void ConfinePointer(const Rect* area) override;
    void SetPointerShape(PointerShape shape) override;

    uint64_t NowMicros() override;
    void SleepMillis(int ms) override { SDL_Delay(static_cast<Uint32>(ms > 0 ? ms : 0)); }
    void SkipMillis(int) override {}
    uint32_t RandomSeed() override;
    LocalDate Today() override;
    char DecimalSeparator() override;

    int PlayWav(const std::string& path, int startMs, int lengthMs) override {
        return Sound().PlayWav(path, startMs, lengthMs);
    }
    std::vector<int> TakeFinishedSounds() override {
        return sound_ ? sound_->TakeFinished() : std::vector<int>{};
    }
    void StopAllSounds() override {
        if (sound_) sound_->StopAll();
    }
    void Beep() override { Sound().Beep(); }

    FileSystem& Files() override { return *files_; }
    SettingsStore& Settings() override { return *settings_; }
    PrintSpooler& Printer() override { return *printer_; }

    void RequestOnMainThread(std::function<void()> fn) override;
    void RunMainThreadRequests() override { mainQueue_.RunAll(); }

    SDL_Window* Window() const { return window_; }

private:
    // Takes what the window system has. Within a millisecond of the last
    // time it returns at once unless asked to look again: a message pump
    // asks several questions in a row and one look answers them all.
    void Gather(bool again = false);
    void Translate(const SDL_Event& ev);
    void Push(Event::Type type) {
        Event e;
        e.type = type;
        events_.push_back(std::move(e));
    }
    void AcquireSurface();
    void ApplyConfinement();
    void TakeFocus();

    std::optional<uint32_t> seed_;
    std::unique_ptr<FileSystem> files_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<PrintSpooler> printer_;
    // Opened at the first sound: the audio device takes tens of
    // milliseconds to open, which the first frame should not wait for.
    SdlSound& Sound() {
        if (!sound_) sound_ = std::make_unique<SdlSound>();
        return *sound_;
    }
    std::unique_ptr<SdlSound> sound_;
    MainThreadQueue mainQueue_;

    SDL_Window* window_ = nullptr;
    Uint32 windowId_ = 0;
    std::string title_ = "Quendelstrand";
    SDL_Surface* surface_ = nullptr;
    bool direct_ = false;           // the view is the surface's own memory
    std::vector<uint32_t> shadow_;  // otherwise: converted in Present
    Size fbSize_;
    std::deque<Event> events_;
    bool active_ = false;
    bool exclusive_ = false;
    bool switchingMode_ = false;  // size changes are the mode switch's own
    Size windowedSize_;           // the client size before exclusive mode
    std::optional<SDL_Rect> confine_;
    std::array<SDL_Cursor*, 5> cursors_{};
    Uint64 counterStart_ = 0;
    Uint64 counterHz_ = 1;
    uint64_t gatheredAt_ = 0;
    bool gathered_ = false;
    // Pushed by worker threads so that a waiting main thread wakes up.
    Uint32 wakeEvent_ = 0;
};

SdlPlatform::SdlPlatform(SdlOptions options) : seed_(options.seed) {
    std::string program = options.programPath.empty() ? RunningProgramPath() : options.programPath;
    files_ = std::make_unique<PosixFileSystem>(program);
    settings_ =
        options.settings ? std::move(options.settings) : std::make_unique<MemorySettingsStore>();
    printer_ =
        options.printer ? std::move(options.printer) : MakeHostPrintSpooler(files_->ProgramDir());
    counterStart_ = SDL_GetPerformanceCounter();
    counterHz_ = SDL_GetPerformanceFrequency();
    if (counterHz_ == 0) counterHz_ = 1;
    wakeEvent_ = SDL_RegisterEvents(1);
}

SdlPlatform::~SdlPlatform() {
    sound_.reset();
    for (SDL_Cursor* c : cursors_)
        if (c) SDL_FreeCursor(c);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

// --- Window and framebuffer ----------------------------------------------------

bool SdlPlatform::OpenWindow(const WindowOptions& options) {
    if (window_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        surface_ = nullptr;
        exclusive_ = false;
    }
    title_ = options.title;
    int display = DisplayUnderPointer();
    if (options.fullscreen) {
        // A plain borderless window over the monitor rather than a video
        // mode: switching programs stays instant and nothing changes mode.
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(display, &bounds) != 0) bounds = SDL_Rect{0, 0, 640, 480};
        window_ = SDL_CreateWindow(title_.c_str(), bounds.x, bounds.y, bounds.w, bounds.h,
                                   SDL_WINDOW_BORDERLESS);
    } else {
        int w = options.size.w > 0 ? options.size.w : 640;
        int h = options.size.h > 0 ? options.size.h : 480;
        window_ =
            SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                             SDL_WINDOWPOS_CENTERED_DISPLAY(display), w, h, SDL_WINDOW_RESIZABLE);
    }
    if (!window_) return false;
    windowId_ = SDL_GetWindowID(window_);
    SDL_RaiseWindow(window_);
    SDL_StartTextInput();
    TakeFocus();
    AcquireSurface();
    Push(Event::Type::Expose);
    return true;
}

void SdlPlatform::TakeFocus() {
    // A window manager gives a new window the focus by itself; without one
    // (a kiosk, a bare X server) nobody does, and the window only can once
    // it is on the screen. Ask until it has it, for a short while.
    uint64_t deadline = NowMicros() + kFocusWaitMicros;
    for (;;) {
        Gather(true);
        if (active_ || NowMicros() >= deadline) break;
        if (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) SDL_SetWindowInputFocus(window_);
        SDL_Delay(5);
    }
}

void SdlPlatform::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

Size SdlPlatform::ClientSize() {
    if (!window_) return {};
    Size s;
    SDL_GetWindowSize(window_, &s.w, &s.h);
    return s;
}

Size SdlPlatform::DesktopSize() {
    int display = window_ ? SDL_GetWindowDisplayIndex(window_) : DisplayUnderPointer();
    SDL_DisplayMode mode;
    if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) return ClientSize();
    return {mode.w, mode.h};
}

void SdlPlatform::AcquireSurface() {
    surface_ = window_ ? SDL_GetWindowSurface(window_) : nullptr;
    if (!surface_) {
        fbSize_ = {};
        direct_ = false;
        shadow_.clear();
        return;
    }
    fbSize_ = {surface_->w, surface_->h};
    direct_ = surface_->format->format == SDL_PIXELFORMAT_XRGB8888 && surface_->pitch % 4 == 0 &&
              !SDL_MUSTLOCK(surface_);
    if (direct_) shadow_.clear();
    else shadow_.assign(static_cast<size_t>(fbSize_.w) * static_cast<size_t>(fbSize_.h), 0);
}

PixelView SdlPlatform::Framebuffer() {
    if (!surface_) return {};
    if (direct_)
        return PixelView{static_cast<uint32_t*>(surface_->pixels), fbSize_.w, fbSize_.h,
                         surface_->pitch / 4};
    return PixelView{shadow_.data(), fbSize_.w, fbSize_.h, fbSize_.w};
}

void SdlPlatform::Present(const Rect* dirty) {
    if (!surface_) return;
    Rect all{0, 0, fbSize_.w, fbSize_.h};
    Rect r = dirty ? dirty->Intersect(all) : all;
    if (r.Empty()) return;
    if (!direct_) {
        bool locked = SDL_MUSTLOCK(surface_) && SDL_LockSurface(surface_) == 0;
        const uint32_t* from = shadow_.data() + static_cast<size_t>(r.top) * fbSize_.w + r.left;
        auto* to = static_cast<uint8_t*>(surface_->pixels) +
                   static_cast<ptrdiff_t>(r.top) * surface_->pitch +
                   r.left * surface_->format->BytesPerPixel;
        SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_XRGB8888, from, fbSize_.w * 4,
                          surface_->format->format, to, surface_->pitch);
        if (locked) SDL_UnlockSurface(surface_);
    }
    SDL_Rect rect{r.left, r.top, r.Width(), r.Height()};
    SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
}

bool SdlPlatform::SetExclusiveFullscreen(bool on) {
    if (!window_) return false;
    if (on == exclusive_) return true;
    Size target = windowedSize_;
    if (on) {
        windowedSize_ = ClientSize();
        target = DesktopSize();
        SDL_DisplayMode mode;
        int display = SDL_GetWindowDisplayIndex(window_);
        if (display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0)
            SDL_SetWindowDisplayMode(window_, &mode);
    }
    // The size change that the switch causes belongs to the switch: the
    // caller gets the new framebuffer now and no Resize event for it. The
    // window system may apply the new size a moment later, so wait for it
    // (briefly: a window manager may also refuse it).
    switchingMode_ = true;
    int rc = SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN : 0);
    SDL_SetWindowGrab(window_, on ? SDL_TRUE : SDL_FALSE);
    // Without a window manager nobody gives the window its old size back.
    if (rc == 0 && !on && target.w > 0) SDL_SetWindowSize(window_, target.w, target.h);
    uint64_t deadline = NowMicros() + kModeSwitchWaitMicros;
    Gather(true);
    while (rc == 0 && ClientSize() != target && NowMicros() < deadline) {
        SDL_Delay(2);
        Gather(true);
    }
    switchingMode_ = false;
    if (rc == 0) exclusive_ = on;
    AcquireSurface();
    ApplyConfinement();
    return rc == 0;
}

bool SdlPlatform::IsActive() {
    Gather();
    return active_;
}

// --- Events ----------------------------------------------------------------------

void SdlPlatform::Gather(bool again) {
    const uint64_t now = NowMicros();
    if (!again && gathered_ && now - gatheredAt_ < 1000) return;
    gathered_ = true;
    gatheredAt_ = now;
    SDL_PumpEvents();
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) Translate(ev);
}

void SdlPlatform::Translate(const SDL_Event& ev) {
    switch (ev.type) {
        case SDL_QUIT: Push(Event::Type::Close); break;
        case SDL_WINDOWEVENT:
            if (ev.window.windowID != windowId_) break;
            switch (ev.window.event) {
                case SDL_WINDOWEVENT_CLOSE: Push(Event::Type::Close); break;
                case SDL_WINDOWEVENT_EXPOSED:
                    // The window system keeps no copy of the window; show
                    // the framebuffer again at once, then let the trainer know.
                    if (surface_) SDL_UpdateWindowSurface(window_);
                    Push(Event::Type::Expose);
                    break;
                case SDL_WINDOWEVENT_SHOWN:
                    // On the screen later than TakeFocus waited for.
                    if (!active_) SDL_SetWindowInputFocus(window_);
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    active_ = true;
                    Push(Event::Type::FocusGained);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    active_ = false;
                    Push(Event::Type::FocusLost);
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    if (switchingMode_) break;
                    {
                        // The surface is taken again when this event is
                        // delivered; until then the old one stays valid.
                        Event e;
                        e.type = Event::Type::Resize;
                        e.w = ev.window.data1;
                        e.h = ev.window.data2;
                        events_.push_back(std::move(e));
                    }
                    break;
                default: break;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            Event e;
            e.type = ev.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
            e.key = MapSdlKey(ev.key.keysym.sym, ev.key.keysym.mod);
            e.repeat = ev.key.repeat != 0;
            bool closeRequest = ev.type == SDL_KEYDOWN && e.key == Key::F4 && !e.repeat &&
                                (ev.key.keysym.mod & KMOD_ALT) != 0;
            events_.push_back(std::move(e));
            // Alt+F4 closes a window; a window manager usually takes it first
            // and sends its own close request, without one it arrives here.
            if (closeRequest) Push(Event::Type::Close);
            break;
        }
        case SDL_TEXTINPUT:
            for (std::string& ch : SplitCharacters(ev.text.text)) {
                // Return, Escape, Backspace and Tab come as keys only.
                auto first = static_cast<unsigned char>(ch[0]);
                if (first < 0x20 || first == 0x7F) continue;
                Event e;
                e.type = Event::Type::Text;
                e.text = std::move(ch);
                events_.push_back(std::move(e));
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            if (ev.button.windowID != windowId_) break;
            MouseButton button = ev.button.button == SDL_BUTTON_LEFT    ? MouseButton::Left
                                 : ev.button.button == SDL_BUTTON_RIGHT ? MouseButton::Right
                                                                        : MouseButton::None;
            if (button == MouseButton::None) break;
            Event e;
            e.type = ev.type == SDL_MOUSEBUTTONDOWN ? Event::Type::MouseDown : Event::Type::MouseUp;
            e.x = ev.button.x;
            e.y = ev.button.y;
            e.button = button;
            events_.push_back(std::move(e));
            break;
        }
        case SDL_MOUSEMOTION: {
            if (ev.motion.windowID != windowId_) break;
            Event e;
            e.type = Event::Type::MouseMove;
            e.x = ev.motion.x;
            e.y = ev.motion.y;
            events_.push_back(std::move(e));
            break;
        }
        default: break;
    }
}

bool SdlPlatform::PeekEvent(Event& out) {
    Gather();
    if (events_.empty()) return false;
    out = events_.front();
    return true;
}

bool SdlPlatform::PollEvent(Event& out) {
    Gather();
    if (events_.empty()) return false;
    out = std::move(events_.front());
    events_.pop_front();
    if (out.type == Event::Type::Resize) {
        AcquireSurface();
        out.w = fbSize_.w;
        out.h = fbSize_.h;
    }
    return true;
}

bool SdlPlatform::WaitEvent(int timeoutMs) {
    Gather(true);
    if (!events_.empty() || !mainQueue_.Empty()) return true;
    SDL_Event ev;
    if (SDL_WaitEventTimeout(&ev, std::max(timeoutMs, 0)) != 0) {
        Translate(ev);
        Gather(true);
    }
    return !events_.empty() || !mainQueue_.Empty();
}

bool SdlPlatform::HasPendingKeyboardEvent() {
    Gather();
    for (const Event& e : events_)
        if (e.IsKeyboard()) return true;
    return false;
}

void SdlPlatform::FlushKeyboardEvents() {
    Gather(true);
    std::erase_if(events_, [](const Event& e) { return e.IsKeyboard(); });
}

void SdlPlatform::RequestOnMainThread(std::function<void()> fn) {
    mainQueue_.Push(std::move(fn));
    if (wakeEvent_ == static_cast<Uint32>(-1)) return;
    SDL_Event ev{};
    ev.type = wakeEvent_;
    SDL_PushEvent(&ev);
}

// --- Pointer ---------------------------------------------------------------------

Point SdlPlatform::PointerPosition() {
    // SDL asks the window system again only after it has seen the pointer
    // move, which it learns while pumping.
    SDL_PumpEvents();
    int gx = 0;
    int gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    int wx = 0;
    int wy = 0;
    if (window_) SDL_GetWindowPosition(window_, &wx, &wy);
    return {gx - wx, gy - wy};
}

void SdlPlatform::WarpPointer(int x, int y) {
    if (window_) SDL_WarpMouseInWindow(window_, x, y);
}

void SdlPlatform::ShowPointer(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void SdlPlatform::ConfinePointer(const Rect* area) {
    if (area && !area->Empty()) {
        confine_ = SDL_Rect{area->left, area->top, area->Width(), area->Height()};
        // Like the desktop's own confinement, bring a pointer that is outside
        // to the nearest point of the rectangle first.
        Point p = PointerPosition();
        Point inside{std::clamp(p.x, area->left, area->right - 1),
                     std::clamp(p.y, area->top, area->bottom - 1)};
        if (!(inside == p)) WarpPointer(inside.x, inside.y);
    } else {
        confine_.reset();
    }
    ApplyConfinement();
}

void SdlPlatform::ApplyConfinement() {
    if (!window_) return;
    SDL_SetWindowMouseRect(window_, confine_ ? &*confine_ : nullptr);
}

void SdlPlatform::SetPointerShape(PointerShape shape) {
    auto index = static_cast<size_t>(shape);
    if (index >= cursors_.size()) return;
    if (!cursors_[index]) cursors_[index] = SDL_CreateSystemCursor(SystemCursorFor(shape));
    if (cursors_[index]) SDL_SetCursor(cursors_[index]);
}

// --- Clock and randomness ----------------------------------------------------------

uint64_t SdlPlatform::NowMicros() {
    Uint64 ticks = SDL_GetPerformanceCounter() - counterStart_;
    // Split so that the multiplication cannot overflow on fast counters.
    return ticks / counterHz_ * 1000000 + ticks % counterHz_ * 1000000 / counterHz_;
}

uint32_t SdlPlatform::RandomSeed() {
    if (seed_) return *seed_;
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
    auto mixed = static_cast<uint64_t>(micros) ^ SDL_GetPerformanceCounter();
    return static_cast<uint32_t>(mixed ^ (mixed >> 32));
}

LocalDate SdlPlatform::Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday};
}

char SdlPlatform::DecimalSeparator() {
    // The user's numeric locale as the environment names it, not the
    // program's (which stays "C" so that number formatting elsewhere is fixed).
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (!loc) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    char sep = radix && radix[0] && !radix[1] ? radix[0] : '.';
    freelocale(loc);
    return sep;
}

// --- Factory -------------------------------------------------------------------------

std::unique_ptr<Platform> MakeSdlPlatform(SdlOptions options) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION,
                AccelerationWanted(options.framebufferAcceleration) ? "1" : "0");
    // Closing the window is a request the trainer answers itself; it must
    // arrive once, not again as a quit of the whole program.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Leaving the program keeps its window; the trainer reacts to the focus loss.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // A click that activates the window also counts as a click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The screen saver keeps working as for any other program.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
    // When no window system answers, SDL falls back to drawing nowhere; that
    // is no window for the trainer, unless someone asked for it by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible =
        driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && !std::getenv("SDL_VIDEODRIVER")) {
        SDL_SetError("no display");
        SDL_Quit();
        return nullptr;
    }
    return std::make_unique<SdlPlatform>(std::move(options));
}

SDL_Window* SdlWindowOf(Platform& platform) {
    auto* sdl = dynamic_cast<SdlPlatform*>(&platform);
    return sdl ? sdl->Window() : nullptr;
}

}  // namespace qs
