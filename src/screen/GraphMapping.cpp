#include "screen/GraphMapping.h"

#include <cmath>

namespace qs {

namespace {
int RoundDiv(long long num, long long den) {
    return static_cast<int>(std::lround(static_cast<double>(num) / static_cast<double>(den)));
}
}  // namespace

Rect FitRect(const Rect& r, int aspectW, int aspectH) {
    Rect out = r;
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 0 || h <= 0 || aspectW <= 0 || aspectH <= 0) return out;
    if (static_cast<long long>(w) * aspectH > static_cast<long long>(h) * aspectW) {
        const int v = RoundDiv(static_cast<long long>(aspectW) * h, aspectH);
        const int d = (w - v) / 2;
        out.left += d;
        out.right -= d;
    } else {
        const int u = RoundDiv(static_cast<long long>(w) * aspectH, aspectW);
        const int d = (h - u) / 2;
        out.top += d;
        out.bottom -= d;
    }
    return out;
}

void ToWindow(const Rect& area, int& x, int& y) {
    x = RoundDiv(static_cast<long long>(x) * area.Width(), kGraphWidth) + area.left;
    y = RoundDiv(static_cast<long long>(y) * area.Height(), kGraphHeight) + area.top;
}

void FromWindow(const Rect& area, int& x, int& y) {
    if (area.Width() <= 0 || area.Height() <= 0) return;
    x = RoundDiv(static_cast<long long>(x - area.left) * kGraphWidth, area.Width());
    y = RoundDiv(static_cast<long long>(y - area.top) * kGraphHeight, area.Height());
}

void ScaleSize(const Rect& area, int& w, int& h) {
    w = RoundDiv(static_cast<long long>(w) * area.Width(), kGraphWidth);
    h = RoundDiv(static_cast<long long>(h) * area.Height(), kGraphHeight);
}

}  // namespace qs
