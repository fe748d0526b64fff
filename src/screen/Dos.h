// The emulated DOS machine: every piece of state the screen, keyboard,
// graphics, mouse and sound operations share, owned in one object so that a
// test builds a fresh one. The operations themselves are free functions
// taking a Dos& (TextScreen.h, Keyboard.h, graph/Graph.h, mouse/Mouse.h).
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "screen/KeyState.h"
#include "screen/ScreenState.h"
#include "screen/film/Film.h"
#include "screen/graph/GraphState.h"
#include "screen/metafile/Metafile.h"
#include "screen/mouse/MouseState.h"
#include "screen/sound/Sound.h"
#include "screen/surface/Bitmap.h"
#include "screen/text/FontEngine.h"
#include "screen/text/TextCells.h"

namespace qs {

// The main window's handlers; PumpMessages hands each event it takes to them.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void HandleEvent(const Event& e) = 0;
};

// Unwinds the trainer after a resize (raised by ReadKey on RestartRequested).
struct RestartUnwind {};
// Ends a scripted run: the script is used up and the program waits for input.
struct ScriptFinished {};

struct NamedPicture {
    std::string name;
    Metafile picture;
};

class Dos {
public:
    explicit Dos(Platform& platform);
    Dos(const Dos&) = delete;
    Dos& operator=(const Dos&) = delete;

    Platform& platform;
    FontEngine fonts;
    ScreenState screen;
    KeyState keys;
    GraphState graph;
    MouseState mouse;
    SoundComponent sound;
    // The picture sequence; its sounds go to sound.
    Tfilm film;
    // Cells of the character screen written but not yet drawn on the window.
    TextCells cells;

    // Owned by the main window for the whole run.
    std::vector<NamedPicture> GlyphPictures;
    // The glyph pictures drawn into the character cells of each cell size the
    // screen has had (width, height), so a screen set-up draws them only for
    // a size that is new.
    std::map<std::pair<int, int>, std::vector<GlyphCell>> PreparedGlyphs;
    std::vector<std::string> InstalledFonts;  // "Face=path", in installation order
    std::array<std::unique_ptr<Bitmap>, 6> Pages;

    WindowEvents* window = nullptr;
    // Called at the start of every PumpMessages (the script runner feeds
    // its lines from here).
    std::function<void()> beforePump;
    // Called when ReadKey (or another wait for input) finds nothing to do; the
    // script runner throws ScriptFinished from here once it is used up.
    std::function<void()> waitingForInput;
    // When the hooks are set: the time (as NowMicros) from which they next
    // have something to do, nullopt when nothing until the program takes
    // input. Without it the waits pump every millisecond, since the hooks
    // may act at any time; with it they rest until then.
    std::function<std::optional<uint64_t>()> pumpDue;
    bool exclusive = false;  // the exclusive full-screen surface is in use
    // While set, nothing drawn is presented (it shows with the next present
    // after) and the waits of the screen's calls let their time pass
    // without waiting for it in real time: for steps of the start-up that
    // no one is meant to see.
    bool offstage = false;

    // The window's pixels, every text cell drawn. Re-wrapped after a resize.
    Bitmap& Canvas() {
        if (cells.AnyHeld()) cells.Draw(canvas_);
        return canvas_;
    }
    // The window's pixels with the held text cells not drawn yet: for the
    // text screen itself, which draws the cells it needs.
    Bitmap& CanvasAsIs() { return canvas_; }
    void RefreshCanvas();
    Size ClientSize() const { return Size{canvas_.Width(), canvas_.Height()}; }
    // Something was drawn on the window since it was last presented:
    // anywhere, or within area (window pixels).
    void MarkDirty() {
        dirty_ = true;
        dirtyAll_ = true;
    }
    void MarkDirty(const Rect& area);
    // Presents what was drawn, if anything: the smallest rectangle holding
    // every area marked, or the whole window.
    void PresentIfDirty();
    // Sleeps ms of the program's time; offstage, lets them pass at once. A
    // frame of the picture sequence that falls due meanwhile is drawn and
    // shown on time.
    void Sleep(int ms);

private:
    Bitmap canvas_;
    bool dirty_ = false;
    bool dirtyAll_ = false;
    Rect dirtyArea_;
};

}  // namespace qs
