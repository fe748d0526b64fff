// The 640 x 480 graphics space fitted into the window: the centred 4:3
// drawing area and the mapping of graph points to window pixels and back.
#pragma once

#include "base/Geometry.h"

namespace qs {

constexpr int kGraphWidth = 640;
constexpr int kGraphHeight = 480;

// The largest rectangle of aspect aspectW:aspectH centred in r.
Rect FitRect(const Rect& r, int aspectW, int aspectH);

// The drawing area for a client size.
inline Rect DrawingArea(Size client) {
    return FitRect(Rect{0, 0, client.w, client.h}, kGraphWidth, kGraphHeight);
}

void ToWindow(const Rect& area, int& x, int& y);
void FromWindow(const Rect& area, int& x, int& y);
void ScaleSize(const Rect& area, int& w, int& h);

}  // namespace qs
