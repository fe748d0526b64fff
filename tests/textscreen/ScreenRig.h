// A headless window with the emulated character screen built on it, for the
// text screen and keyboard tests: the program's font rules are loaded so that
// "Courier New" is the same face on every machine, and glyph pictures of
// data/emfs can be added by code.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/TextScreen.h"

namespace qs::test {

// The glyph picture data/emfs/<code>.emf.
Metafile LoadGlyphPicture(int code);

class ScreenRig {
public:
    // glyphCodes: pictures of data/emfs to hand to the screen, under their
    // decimal names.
    explicit ScreenRig(Size client = {642, 482}, const std::vector<int>& glyphCodes = {});

    HeadlessPlatform platform;
    Dos dos;

    // Adds a picture under a name and prepares the screen again.
    void AddGlyph(const std::string& name, int code);
    Bitmap& Canvas() { return dos.Canvas(); }
    // Row of the dump grid (1-based, absolute), trailing blanks removed, as UTF-8.
    std::string GridRow(int row) const;
    // The pixel rectangle of an absolute cell of the text grid.
    Rect CellRect(int col, int row) const;
    // A copy of part of the window's pixels.
    Bitmap Crop(const Rect& r);
};

// True when the two bitmaps hold the same pixels inside r.
bool SamePixels(const Bitmap& a, const Bitmap& b, const Rect& r);

}  // namespace qs::test
