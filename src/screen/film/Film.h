// Picture sequences: the pictures of one folder shown frame after frame at
// one place of the window while the trainer goes on (the end animation of
// the building site). The machine owns one, Dos::film.
//
// Use:
//     Tfilm& f = d.film;
//     f.transparent = false;                     // frames replace what is there
//     f.SetHintergrundfarbe(d.screen.Palette[8]); // the pictures' key colour
//     f.SetWidth(w);                             // window pixels (ScaleSize)
//     f.SetHeight(h);
//     f.SetVerzeichnis(AppDir(files) + "Bitplane\\filme\\");  // loads the folder
//     f.Play(x, y, d.Canvas(), 20, 1, 200);      // window pixels, start, repeats, ms
// and then any wait of the machine (ReadKey, KeyPressed, Delay) shows the
// frames as they fall due. CloseGraph stops a sequence that still plays.
//
// The folder's control file "steuer.txt" lists, one a line, the frames in
// the order they play (a picture may be listed more than once), pauses in
// ms and sound files; a folder without one gets one in name order.
//
// There is no thread. The worker (tfilmthread) is where the sequence stands
// and the time on the platform clock its next step falls due; the message
// pump runs the step then (RunDue), and the machine's sleeps and rests wake
// for it (NextStepDue), so every frame is drawn on time and on the main
// thread, and on the headless clock a test can tell which frame shows at
// which millisecond.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "screen/surface/Bitmap.h"

namespace qs {

class Dos;

// The playing position of a running sequence.
class tfilmthread {
public:
    uint64_t dueMicros = 0;  // when the next step runs (platform clock)
    int index = 0;           // the entry of the next step; below 0: the last picture
    int repeat = 1;          // the round being played, 1..repeats
    bool waited = false;     // this round has shown a frame or paused
};

class Tfilm {
public:
    // One entry of the sequence: a frame (text is its file name), a pause
    // (text is the number of ms) or a sound (text is its real path). An
    // entry listed several times shares its frame.
    struct Entry {
        std::string text;
        std::shared_ptr<const Bitmap> frame;
    };

    explicit Tfilm(Dos& d);
    ~Tfilm();
    Tfilm(const Tfilm&) = delete;
    Tfilm& operator=(const Tfilm&) = delete;

    // ---- Properties that act when set ---------------------------------------
    // Loads the folder (a DOS-style path; a missing separator is added). A
    // folder that does not exist leaves no sequence and an empty name.
    void SetVerzeichnis(const std::string& folder);
    const std::string& Verzeichnis() const { return verzeichnis_; }
    // Frame size in window pixels; a height of 0 follows each picture's
    // aspect. Changing a size or the background colour reloads the folder.
    void SetWidth(int w);
    void SetHeight(int h);
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetHintergrundfarbe(Rgb colour);
    Rgb Hintergrundfarbe() const { return hintergrundfarbe_; }
    // true stops a running sequence; false does nothing.
    void SetStop(bool stop);
    // True unless a sequence is playing.
    bool Stopped() const { return !worker_.has_value(); }
    // The index of the last frame entry the control file placed.
    int LastPicture() const { return lastpicture_; }

    // ---- Plain properties -------------------------------------------------
    std::string maske = "*.*";  // the pictures searched in the folder
    bool transparent = true;    // frames drawn over the background, keyed
    int repeats = 1;            // rounds to play; below 1 counts as 1
    int delay = 0;              // ms after each frame
    bool bilddelay = false;     // pause and sound entries take effect
    int left = 0;               // where frames are drawn, window pixels
    int top = 0;
    Bitmap* canvas = nullptr;  // what frames are drawn on
    // When set, a transparent frame is drawn over this bitmap's pixels at
    // the frame's place instead of over what the canvas showed at the start.
    Bitmap* backgroundCanvas = nullptr;
    // Called when a sequence has played to its end (not when it is stopped).
    std::function<void()> OnFinish;
    // Called after each frame is drawn, with its entry.
    std::function<void(int entry)> OnFrame;

    // Plays the entries from startIndex (an index at or past the last entry
    // starts at 0), repeats times, pausing delay ms after each frame. The
    // first frame is drawn at the next message step.
    void Play(int left, int top, Bitmap& canvas, int startIndex, int repeats, int delay);
    // Ends a running sequence; a frame that has fallen due is drawn first.
    void Stop();

    // When the running sequence's next step falls due; nullopt when none runs.
    std::optional<uint64_t> NextStepDue() const;
    // Runs the running sequence's steps that have fallen due: draws the due
    // frame, takes the pauses and sounds before the next one, ends it after
    // the last.
    void RunDue();

    const std::vector<Entry>& Entries() const { return entries_; }

private:
    void Load();
    void Clear();
    void RebuildWorkBitmaps();
    std::vector<Entry> ReadFolder(const std::string& realFolder,
                                  const std::vector<DirEntry>& listing) const;
    std::shared_ptr<const Bitmap> MakeFrame(const std::string& realPath) const;
    void Reorder(const std::vector<std::string>& lines, const std::string& realFolder,
                 const std::vector<DirEntry>& listing);
    void Prepare(int startIndex);
    void CaptureBackground();
    // Draws the entry when it is a frame; false when it is none.
    bool DrawEntry(int index);
    // One step of the worker: false once it waits for its next due time.
    bool Step(tfilmthread& w);
    void Finish(bool stopped);

    Dos& dos_;
    std::string verzeichnis_;
    int width_ = 48;
    int height_ = 48;
    Rgb hintergrundfarbe_ = 0;
    int lastpicture_ = 0;
    std::vector<Entry> entries_;
    Bitmap composed_;    // the frame as it goes onto the canvas
    Bitmap background_;  // what the canvas showed at the frame's place
    bool backgroundCaptured_ = false;
    bool composedTransparent_ = true;  // transparent when composed_ was last filled
    int startIndex_ = 0;
    std::optional<tfilmthread> worker_;  // the one running sequence
};

}  // namespace qs
