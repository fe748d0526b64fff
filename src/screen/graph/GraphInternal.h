// Helpers shared by the graphics screen's source files.
#pragma once

#include "screen/Dos.h"
#include "screen/surface/Canvas.h"

namespace qs::graph_detail {

// True while lines, bars and text go to the window rather than a page.
bool DrawsOnWindow(Dos& d);
// After drawing on the active canvas: the window is presented at the next
// message step when the drawing went to it.
void Drawn(Dos& d);
// The same for a drawing that stays within area (window pixels), grown by
// the pen's width so that wide and smoothed edges are inside.
void Drawn(Dos& d, const Rect& area);
// A drawing context on the active canvas with the current pen, brush and
// write mode.
Canvas GraphCanvas(Dos& d);
// The graph rectangle (x1, y1)-(x2, y2), given in any corner order, mapped to
// window pixels.
Rect MapRect(const Dos& d, int x1, int y1, int x2, int y2);

}  // namespace qs::graph_detail
