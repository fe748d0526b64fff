// "Greifen": the parts of up to eight compound words fly about the screen;
// the child grabs a part with the mouse (the open hand closes to a fist)
// and drops it into a word slot in the middle. The two parts of a word come
// together there and turn green; a part that does not belong beside the
// one already in the slot pushes it out, and it turns red. A finished group
// gets the applause of the clapping hands, more and quicker for fewer
// mistakes. Plays the Kontakt word lists.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "exercises/grabbing/GrabbingRules.h"
#include "screen/surface/Bitmap.h"
#include "trainer/TrainerState.h"

namespace qs {

// A picture drawn over what lies below it: how much each pixel covers
// (0..255), and its colours, either one colour for all (a part's text) or
// a bitmap of its own (the hand).
struct GrabSprite {
    int w = 0;
    int h = 0;
    std::vector<uint8_t> alpha;
    Bitmap colours;
    bool tinted = false;
    Rgb tint = 0;
};
// A text drawn in colour on black: what it covers follows from how near
// each pixel comes to that colour.
GrabSprite TextSprite(const Bitmap& drawn, Rgb colour);
// A picture with the mask LoadMaskedPicture makes (white where it is open).
GrabSprite MaskedSprite(const Bitmap& picture, const Bitmap& mask);
// Blends s into dst with its top-left corner at window pixel (x, y),
// inside clip.
void DrawGrabSprite(Bitmap& dst, const GrabSprite& s, int x, int y, const Rect& clip);

// Frames follow at this pace on the platform's clock.
constexpr int kFrameMicros = 16667;
// Frames shown once every part is in place.
constexpr int kFinishingFrames = 260;

class GrabbingGame {
public:
    explicit GrabbingGame(Trainer& trainer);
    // Also when a resize or the end of a script unwinds the game: the
    // window's mouse hook is taken away, the pointer shown and the window
    // given back its own surface.
    ~GrabbingGame();
    GrabbingGame(const GrabbingGame&) = delete;
    GrabbingGame& operator=(const GrabbingGame&) = delete;

    void PrepareGrabbing();
    // Groups one after another until ESC.
    void PlayGroups();
    void PlayGroup(const std::vector<GrabWord>& words);
    void EndGrabbing();

    // The steps of PlayGroup: the parts made and the slots drawn, then one
    // frame after another (each also moves the parts and takes a grab or a
    // drop).
    void BeginGroup(const std::vector<GrabWord>& words);
    void Frame();

    GrabBoard board;
    int Frames = 0;  // frames of the current group
    // The animation speed value of the screen layer: 0.2, and 0.1 once
    // every part is in place. The frames keep their pace either way.
    double SpeedValue = 0.2;
    // Called after every frame (tests follow the parts with it).
    std::function<void(const GrabbingGame&)> afterFrame;

private:
    void MakeParts(const std::vector<GrabWord>& words);
    void DrawSlots(const std::vector<GrabWord>& words);
    void FrameLoop();
    bool WaitForFrame(uint64_t due);
    void TakeDrop(int part, const DropOutcome& out);
    void Compose();
    void DrawOnTop();
    void OnMouseMove();
    void Applause();
    void DrawClap(const GrabSprite& clap);
    void AskForKey();
    void WaitForKeyOrPress();
    void ShowNoWords();
    void LeaveSurface();
    Point Fist();

    Trainer& tr;
    Dos& d;
    std::vector<GrabWord> words_;
    std::array<GrabSprite, kGrabParts + 1> parts_{};
    GrabSprite hand_;
    GrabSprite fist_;
    GrabSprite clapOpen_;
    GrabSprite clapClosed_;
    Bitmap clapBack_;
    bool exclusive_ = false;
    bool composed_ = false;  // page 1 holds the frame below hand and held part
    Point handAt_;
    Rect onTop_;  // window pixels of the hand and the held part as last drawn
};

// Menu entry "Greifen".
void RunGrabbing(Trainer& tr);
// The same with the game handed to watch before it starts.
void RunGrabbing(Trainer& tr, const std::function<void(GrabbingGame&)>& watch);

}  // namespace qs
