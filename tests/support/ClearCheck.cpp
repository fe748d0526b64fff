#include "support/ClearCheck.h"

#include <algorithm>

namespace qs::test {

Leftover Difference(const Bitmap& a, const Bitmap& b, const Rect& within) {
    Leftover left;
    const Rect r = within.Intersect(a.Bounds()).Intersect(b.Bounds());
    for (int y = r.top; y < r.bottom; ++y) {
        // Most rows of a large window are untouched: compare them whole first.
        if (std::equal(a.Row(y) + r.left, a.Row(y) + r.right, b.Row(y) + r.left)) continue;
        for (int x = r.left; x < r.right; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                ++left.pixels;
                left.extent = left.extent.Union(Rect{x, y, x + 1, y + 1});
            }
    }
    return left;
}

std::string Describe(const Rect& r) {
    return std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top);
}

::testing::AssertionResult ClearsWhatWasDrawn(Dos& d, const std::function<void()>& draw,
                                              const std::function<void()>& clear) {
    const Bitmap before = d.Canvas();
    draw();
    const Leftover drawn = Difference(before, d.Canvas(), before.Bounds());
    if (drawn.pixels == 0) return ::testing::AssertionFailure() << "the drawing changed nothing";
    clear();
    const Leftover left = Difference(before, d.Canvas(), before.Bounds());
    if (left.pixels == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << left.pixels << " pixels left over, " << Describe(left.extent) << ", of a drawing of "
           << Describe(drawn.extent);
}

}  // namespace qs::test
