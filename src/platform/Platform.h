// The one narrow interface through which the trainer reaches the machine:
// window and framebuffer, input events, pointer, clock, randomness seed,
// sound, files, the per-user settings store and the print system.
//
// Two backends implement it: SDL2 (a real window) and headless (virtual
// clock, scripted events, readable framebuffer). The core never includes a
// backend header.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Geometry.h"

namespace qs {

// Keys the trainer distinguishes. Typed characters arrive separately as
// Event::Type::Text (UTF-8).
enum class Key : uint8_t {
    Unknown,
    Escape,
    Return,
    Backspace,
    Tab,
    Space,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Insert,
    Delete,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    Shift,
    Control,
    Alt,
    Other,  // a printable key; its character comes as a Text event
};

enum class MouseButton : uint8_t { None = 0, Left = 1, Right = 2 };

struct Event {
    enum class Type : uint8_t {
        None,
        KeyDown,
        KeyUp,
        Text,       // text: UTF-8 of one typed character
        MouseDown,  // x, y window pixels, button
        MouseUp,
        MouseMove,
        Resize,     // w, h: the new client size (the framebuffer is already resized)
        FocusLost,  // another program became active
        FocusGained,
        Expose,  // the window must be painted again
        Close,   // the user asked to close the window
    };
    Type type = Type::None;
    Key key = Key::Unknown;
    bool repeat = false;
    std::string text;
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::None;
    int w = 0;
    int h = 0;

    bool IsKeyboard() const {
        return type == Type::KeyDown || type == Type::KeyUp || type == Type::Text;
    }
};

// A view of 32-bit pixels 0x00RRGGBB. pitch is in pixels.
struct PixelView {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    uint32_t* Row(int y) const { return pixels + static_cast<ptrdiff_t>(y) * pitch; }
};

enum class PointerShape : uint8_t { Arrow, Wait, Cross, Hand, IBeam };

struct WindowOptions {
    bool fullscreen = true;  // borderless, covering the monitor under the pointer
    Size size{1280, 960};    // client size when not full screen
    std::string title = "Quendelstrand";
};

struct LocalDate {
    int year = 2000;
    int month = 1;
    int day = 1;
    int weekday = 6;  // 0 = Sunday .. 6 = Saturday
};

struct DirEntry {
    std::string name;  // file name only, as stored on disk
    bool isDir = false;
    uint64_t size = 0;
};

// The two folders the program's files live in, each ending in '/'. The app
// folder holds what the program writes (options, protocol, word lists,
// printouts); the shipped folder holds the read-only data that came with
// the program (pictures, sounds, fonts, glyphs, mouse texts). They are the
// same folder unless the program is installed where it may not write.
// Empty: both are the program's own folder.
struct AppFolders {
    std::string app;
    std::string shipped;
};

// Files, with real (host) paths. The core turns the trainer's Windows-style
// paths into real ones first (screen/DosPath).
class FileSystem {
public:
    // Limits of what one read may bring, far above any real file of its kind:
    // texts (word lists, options, mouse texts, settings, scripts) and the
    // rest (pictures, metafiles, sounds).
    static constexpr uint64_t kTextLimit = uint64_t{1} << 20;
    static constexpr uint64_t kPictureLimit = uint64_t{64} << 20;

    virtual ~FileSystem() = default;
    const AppFolders& Folders() const { return folders_; }
    void SetFolders(AppFolders folders) { folders_ = std::move(folders); }
    // The whole file; nullopt when it cannot be read, is not a regular file
    // (after following links: a pipe, a device or a folder is never opened
    // for reading) or holds more than maxBytes.
    virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path,
                                                         uint64_t maxBytes = kPictureLimit) = 0;
    // Writes to a temporary file beside path, flushes it to disk and renames
    // it over path, so a failure never leaves a truncated file behind. A
    // link at path is followed: the file it leads to is replaced, keeping
    // its mode and, where allowed, its owner. Anything there that is not a
    // regular file is left alone and the save fails.
    virtual bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& data) = 0;
    // Appends to a regular file (made when missing); false for anything else.
    virtual bool AppendFile(const std::string& path, const std::vector<uint8_t>& data) = 0;
    virtual bool Exists(const std::string& path) = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
    // Entries of a folder, without "." and "..", in the order the system
    // returns them. nullopt when the folder cannot be read.
    virtual std::optional<std::vector<DirEntry>> ListDirectory(const std::string& path) = 0;
    virtual bool MakeDirectories(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Folder of the running program (the app folder), ending in '/'.
    virtual std::string ProgramDir() = 0;
    // Full path of the running program file.
    virtual std::string ProgramPath() = 0;

private:
    AppFolders folders_;
};

// The per-user key-value store that stands in for the registry.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // keyPath like "Software\\Q.X.\\quendelstrand[\\sub]".
    virtual std::optional<std::string> Read(const std::string& keyPath, const std::string& section,
                                            const std::string& key) = 0;
    // Returns false when the value could not be stored.
    virtual bool Write(const std::string& keyPath, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
};

struct PrintOutcome {
    enum class Kind : uint8_t { Printed, SavedAsPdf, Failed };
    Kind kind = Kind::Failed;
    std::string detail;  // queue name, or the saved file's path, or the error
};

// The print system: a finished PDF document goes to the default printer, or
// is saved as a file when there is none.
class PrintSpooler {
public:
    virtual ~PrintSpooler() = default;
    virtual PrintOutcome PrintPdf(const std::vector<uint8_t>& pdf, const std::string& title) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- Window and framebuffer -------------------------------------------
    virtual bool OpenWindow(const WindowOptions& options) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual Size ClientSize() = 0;
    virtual Size DesktopSize() = 0;
    // The window's pixels. Valid until the next Resize event or
    // SetExclusiveFullscreen; draw into it and call Present.
    virtual PixelView Framebuffer() = 0;
    // Shows the framebuffer (or the part in dirty) on the screen.
    virtual void Present(const Rect* dirty = nullptr) = 0;
    // The exclusive full-screen surface: a full-screen window at desktop size.
    virtual bool SetExclusiveFullscreen(bool on) = 0;
    virtual bool IsActive() = 0;  // the window has the input focus

    // --- Events ------------------------------------------------------------
    // Gathers what the system has and returns the first pending event
    // without removing it.
    virtual bool PeekEvent(Event& out) = 0;
    virtual bool PollEvent(Event& out) = 0;
    // Waits until an event is pending or timeoutMs have passed, and returns
    // whether one is pending (a request for the main thread counts as one).
    // A real window blocks in the system meanwhile and may return early; the
    // headless clock, which no event can reach during a wait, moves on by
    // timeoutMs at once.
    virtual bool WaitEvent(int timeoutMs) = 0;
    virtual bool HasPendingKeyboardEvent() = 0;
    virtual void FlushKeyboardEvents() = 0;
    // Appends an event to the queue (the window's own messages to itself).
    virtual void PostEvent(const Event& e) = 0;

    // --- Pointer (window pixels) -------------------------------------------
    virtual Point PointerPosition() = 0;
    virtual void WarpPointer(int x, int y) = 0;
    virtual void ShowPointer(bool visible) = 0;
    virtual void ConfinePointer(const Rect* area) = 0;  // nullptr releases
    virtual void SetPointerShape(PointerShape shape) = 0;

    // --- Clock and randomness ------------------------------------------------
    virtual uint64_t NowMicros() = 0;  // monotonic
    virtual void SleepMillis(int ms) = 0;
    // Lets ms of the program's time pass without waiting for them where the
    // clock allows it: the headless clock moves on at once; a real clock
    // cannot be moved, so a real window returns at once.
    virtual void SkipMillis(int ms) = 0;
    virtual uint32_t RandomSeed() = 0;  // from the clock, or the fixed --seed
    virtual LocalDate Today() = 0;
    // Locale decimal separator used for the speed setting.
    virtual char DecimalSeparator() = 0;

    // --- Sound ----------------------------------------------------------------
    // Starts a WAV file, optionally from startMs for lengthMs (<0: to its end).
    // Returns a handle > 0, or 0 when it cannot be played. Sounds overlap.
    virtual int PlayWav(const std::string& path, int startMs = 0, int lengthMs = -1) = 0;
    // Handles of sounds that finished since the last call.
    virtual std::vector<int> TakeFinishedSounds() = 0;
    virtual void StopAllSounds() = 0;
    virtual void Beep() = 0;

    // --- Services ---------------------------------------------------------------
    virtual FileSystem& Files() = 0;
    virtual SettingsStore& Settings() = 0;
    virtual PrintSpooler& Printer() = 0;

    // --- Worker threads ---------------------------------------------------------
    // Runs fn on the main thread at the next RunMainThreadRequests (called by
    // the trainer's message pump). Safe to call from any thread.
    virtual void RequestOnMainThread(std::function<void()> fn) = 0;
    virtual void RunMainThreadRequests() = 0;
};

}  // namespace qs
