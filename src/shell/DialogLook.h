// The look the main window's own dialogs share (the speed dialog, message
// boxes): the classic Windows dialog colours and frame, in pixels at 96 dpi,
// so a dialog does not grow with the window.
#pragma once

#include "base/Geometry.h"

namespace qs::dialog {

constexpr Rgb kFace = MakeRgb(212, 208, 200);
constexpr Rgb kLight = MakeRgb(255, 255, 255);
constexpr Rgb kShadow = MakeRgb(128, 128, 128);
constexpr Rgb kDarkShadow = MakeRgb(64, 64, 64);
constexpr Rgb kText = MakeRgb(0, 0, 0);
constexpr Rgb kTitleText = MakeRgb(255, 255, 255);

constexpr int kFrame = 3;
constexpr int kTitleHeight = 18;
constexpr int kMargin = 15;

}  // namespace qs::dialog
