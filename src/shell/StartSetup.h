// The speed dialog "Allgemeine Programmeinstellungen" that F10 opens: a slider
// from "schneller" to "langsamer" sets the factor by which the trainer
// stretches its short waits. There are no native widgets, so the dialog
// draws itself in a plain Windows look onto the window's framebuffer and runs
// its own modal event loop until OK or Cancel.
#pragma once

#include <functional>
#include <string>

#include "base/Geometry.h"
#include "platform/Platform.h"
#include "screen/surface/Bitmap.h"
#include "screen/text/FontEngine.h"

namespace qs {

// Slider positions run from 0 (fastest) to 50 (slowest); 10 is normal speed.
inline constexpr int kSpeedSliderMax = 50;
inline constexpr int kSpeedSliderNormal = 10;

// Position -> factor: 0..20 in tenths (0.0 .. 2.0), 21..28 in whole steps
// (3 .. 10), 29..50 in steps of twenty (20 .. 440). Positions outside the
// range count as the nearest end.
double SliderToValue(int position);
// Factor -> the nearest position of the same band, clamped to 0..50. A factor
// that is not a number shows as normal speed.
int ValueToSlider(double value);
// The factor in fixed notation with two decimals: "1,00" with sep ','.
std::string FormatSpeed(double value, char sep);

// Where the dialog's parts lie in window pixels, for drawing and hit tests
// (and for anyone who wants to click them).
struct StartSetupLayout {
    Rect dialog;  // the whole panel including its frame
    Rect titleBar;
    Rect closeBox;  // the [x] button in the title bar
    Rect slider;    // the slider control: groove, thumb and ticks; takes clicks
    Rect channel;   // the groove the thumb runs in
    Rect thumb;     // the thumb at the position the layout was made for
    Rect label;     // the value display
    Rect ok;
    Rect cancel;
    Rect notice;     // left of the buttons: where Notice shows
    int firstX = 0;  // thumb centre at position 0
    int step = 0;    // pixels between neighbouring positions

    int ThumbCentre(int position) const { return firstX + position * step; }
    // The position whose thumb centre lies nearest to x, clamped to the range.
    int NearestPosition(int x) const;
};

// The dialog centred on a window of the given size, with the thumb at position.
StartSetupLayout LayoutStartSetup(Size window, int position);

enum class DialogResult { Ok, Cancel };

class TF_startsetup {
public:
    // The speed factor. Set it before ShowModal; after OK it holds the
    // slider's factor if the slider was moved, and stays as it was otherwise
    // (so a factor between two positions survives an F10 that only looks).
    double Value = 1.0;
    // A line shown left of the buttons, in red ("" shows nothing): the
    // window sets it when the factor of the last OK could not be stored.
    std::string Notice;

    // Draws the dialog centred on window, then runs until OK or Cancel.
    // Return and a click on "OK" end with Ok (Return on a focused "Abrechen"
    // cancels, as on Windows); Escape, "Abrechen", the close box and a Close
    // event cancel. A Resize event cancels without drawing again and is posted
    // back, so that the window still sees it and rebuilds its screen. The
    // caller restores what the dialog covered.
    // idle runs whenever no event is pending (a script feeds its input there).
    DialogResult ShowModal(Platform& platform, Bitmap& window, FontEngine& fonts,
                           const std::function<void()>& idle = {});

    // The slider's position while or after the dialog runs.
    int Position() const { return position_; }

private:
    enum class Focus { Slider, Ok, Cancel };
    enum class Part { None, Slider, Ok, Cancel, CloseBox };

    // What handling one event decided.
    enum class Outcome { Continue, Redraw, Ok, Cancel };

    Outcome OnKeyDown(const Event& e);
    Outcome OnMouseDown(const Event& e, const StartSetupLayout& layout);
    Outcome OnMouseMove(const Event& e, const StartSetupLayout& layout);
    Outcome OnMouseUp(const Event& e, const StartSetupLayout& layout);
    Outcome MoveSlider(int position);
    Outcome Activate(Part part) const;
    void Draw(Bitmap& window, FontEngine& fonts, const StartSetupLayout& layout) const;

    int position_ = kSpeedSliderNormal;
    bool moved_ = false;
    char separator_ = ',';
    Focus focus_ = Focus::Slider;
    Part pressed_ = Part::None;   // the part the left button went down on
    bool pressedInside_ = false;  // the pointer is still over the pressed button
    int dragOffset_ = 0;          // from the pointer to the thumb centre while dragging
    bool shiftDown_ = false;
};

}  // namespace qs
