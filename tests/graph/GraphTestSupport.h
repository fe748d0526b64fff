// A fresh emulated screen for the graphics tests: a headless window of a
// given size with the program's fonts installed and the screen initialised.
#pragma once

#include <gtest/gtest.h>
#include <algorithm>

#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"

namespace qs::test {

inline HeadlessOptions GraphOptions(Size size, const std::string& programPath) {
    HeadlessOptions o;
    o.size = size;
    o.programPath = programPath;
    return o;
}

struct GraphScreen {
    explicit GraphScreen(Size size, const std::string& programPath = "")
        : platform(GraphOptions(size, programPath)), d(platform) {
        const std::string fonts = std::string(QS_SOURCE_DIR) + "/data/bgi7/";
        d.fonts.LoadConfig(fonts + "fonts.conf");
        for (const char* file : {"qxdos.ttf", "qxdosva.TTF", "qxmathe.TTF", "lueckentext.TTF"}) {
            const auto faces = d.fonts.AddFontFile(fonts + file);
            if (!faces.empty()) d.InstalledFonts.push_back(faces.front() + "=" + fonts + file);
        }
        InitScreen(d);
    }

    Rgb At(int x, int y) { return d.Canvas().Pixel(x, y); }
    // Number of pixels of colour c inside r of bitmap b.
    static int Count(const Bitmap& b, const Rect& r, Rgb c) {
        int n = 0;
        const Rect v = r.Intersect(b.Bounds());
        for (int y = v.top; y < v.bottom; ++y)
            for (int x = v.left; x < v.right; ++x) n += b.Pixel(x, y) == c;
        return n;
    }
    static bool Same(const Bitmap& a, const Bitmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
        return true;
    }
    // The smallest rectangle holding every pixel of b that is not c.
    static Rect Extent(const Bitmap& b, Rgb c) {
        Rect r{b.Width(), b.Height(), 0, 0};
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                if (b.Pixel(x, y) != c) {
                    r.left = std::min(r.left, x);
                    r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1);
                    r.bottom = std::max(r.bottom, y + 1);
                }
        return r.Empty() ? Rect{} : r;
    }

    HeadlessPlatform platform;
    Dos d;
};

}  // namespace qs::test
