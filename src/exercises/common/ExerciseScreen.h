// The root of the animated exercises: a table of picture slots, a scratch
// bitmap, and the sprite operations that put a picture onto the window over
// a saved background page. An exercise draws its static screen once, saves
// it into a page (SavePage) and then lets figures walk, clap or burn over
// it; every frame takes its background from the clean page, so a figure
// that moves by no more than the margin per step erases its own trail.
//
// Positions are graph points of the picture's top-left corner; margins are
// window pixels. Pages are 0..5 (screen/graph/Graph.h).
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "screen/graph/Graph.h"
#include "trainer/TrainerState.h"

namespace qs {

constexpr int kPictureSlots = 54;

// One slot with its creation size in graph points and its file stem
// ("" for a slot the exercise fills itself).
struct PictureSlot {
    int slot = 0;
    int w = 0;
    int h = 0;
    std::string file;  // e.g. "Dino3" for bitplane\Dino3.png
};

// count slots from firstSlot, all of one size, holding stem + a number.
// The numbers count up from firstNumber; with cycle > 0 they start over
// after cycle files. So NumberedSlots(24, 11, "Dino", 136, 136) puts Dino n
// into slot 24 + n, and NumberedSlots(12, 12, "girl", 48, 100, 1, 8) fills
// slots 12..23 with girl1..girl8, then girl1..girl4 again.
std::vector<PictureSlot> NumberedSlots(int firstSlot, int count, const std::string& stem, int w,
                                       int h, int firstNumber = 0, int cycle = 0);

// What an exercise screen needs before its game starts: the first size of
// the scratch bitmap (the sprite operations resize it as they need), the
// picture slots and the folder their files are in.
struct ScreenLayout {
    int scratchW = 0;
    int scratchH = 0;
    std::string folder = "bitplane\\";
    std::vector<PictureSlot> slots;
};

// The slot lists joined into one.
std::vector<PictureSlot> Slots(std::initializer_list<std::vector<PictureSlot>> parts);

class monitor {
public:
    explicit monitor(Trainer& trainer, ScreenLayout layout = {})
        : tr(trainer), d(trainer.d), layout_(std::move(layout)) {}
    virtual ~monitor() = default;
    monitor(const monitor&) = delete;
    monitor& operator=(const monitor&) = delete;

    // Loads the picture files of the layout into their slots.
    virtual void LoadPictures() { LoadSlots(layout_.slots, layout_.folder); }

    // The three steps a launcher runs in order. Prepare and Release set up
    // and free what the layout describes; an exercise with more adds to
    // them.
    virtual void Prepare() { PrepareScreen(layout_.scratchW, layout_.scratchH, layout_.slots); }
    virtual void Run() = 0;
    virtual void Release() { ReleaseScreen(); }

    // Sprites with black as the transparent colour over page, with a margin
    // of 16 (or the margins given) refreshed around them. Not clamped: a
    // picture may start left of or above the screen.
    void DrawSprite(const Picture& picture, int page, int x, int y);
    void DrawSpriteMargins(const Picture& picture, int page, int x, int y, int left, int top,
                           int right, int bottom);
    // The picture reversed left to right; the background stays as it is.
    void DrawSpriteMirrored(const Picture& picture, int page, int x, int y);
    // Refreshes the region from page; mode 1 ORs the picture into it, any
    // other mode only restores the background (the picture is erased).
    void PaintSpriteMargins(const Picture& picture, int page, int mode, int x, int y, int left,
                            int top, int right, int bottom);
    void PaintSprite(const Picture& picture, int page, int mode, int x, int y);
    // Puts back from page every pixel that DrawSprite (or, mirrored,
    // DrawSpriteMirrored) at (x, y) covered with the picture: what is left
    // of a figure that walked out or stopped where the next refresh does not
    // reach, at any window size.
    void EraseSprite(const Picture& picture, int page, int x, int y, bool mirrored = false);

    std::array<Picture, kPictureSlots> Pictures;
    Bitmap Scratch;

protected:
    // The shared part of Prepare: the scratch bitmap and the slots, the
    // graphics screen, the pointer, and the pictures loaded under the
    // hourglass.
    void PrepareScreen(int scratchW, int scratchH, std::span<const PictureSlot> slots);
    // Each slot with a file: folder + stem + ".png" stretched over it on
    // black (a missing file leaves the slot black).
    void LoadSlots(std::span<const PictureSlot> slots, const std::string& folder);
    // The shared part of Release: pictures and pages 0..3 freed (each shown
    // once), sound stopped.
    void ReleaseScreen();

    Trainer& tr;
    Dos& d;

private:
    ScreenLayout layout_;

    enum class Combine { Transparent, Mirrored, Or, None };
    // The window rectangle Compose refreshes for a picture at window pixel
    // (x, y), and the part of it the picture takes.
    static Rect Region(const Picture& picture, int x, int y, int left, int top, int right,
                       int bottom);
    static Rect PicturePlace(const Picture& picture, const Rect& region, int left, int top,
                             bool mirrored);
    Rect SpriteClip() const;
    void Compose(const Picture& picture, int page, int x, int y, int left, int top, int right,
                 int bottom, Combine how);
};

// Prepare, Run and Release of a fresh exercise object, then back to the
// character screen.
template <class Exercise>
void PlayExercise(Trainer& tr) {
    {
        Exercise exercise(tr);
        exercise.Prepare();
        exercise.Run();
        exercise.Release();
    }
    CloseGraph(tr.d);
}

// Whether CheckWordFile accepted the loaded word list.
bool WordFileFits(Trainer& tr);

// The launcher sequence: the word file check, then the exercise. Nothing
// happens when the loaded list does not belong to the current program.
template <class Exercise>
void LaunchExercise(Trainer& tr) {
    if (WordFileFits(tr)) PlayExercise<Exercise>(tr);
}

}  // namespace qs
