// libFuzzer target for the mouse-text files: any bytes as a file of click
// regions are read, clicked on at every region's corners and taken off
// again, without crashing, and leave the region stack as they found it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzFolder.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/GraphMapping.h"
#include "screen/mouse/Mouse.h"

namespace {

// A text screen of 16 x 32 pixel cells in a 1280 x 800 window.
struct Machine {
    qs::HeadlessPlatform platform{Options()};
    qs::Dos d{platform};
    Machine() {
        d.screen.CellWidth = 16;
        d.screen.CellHeight = 32;
        d.screen.Area = qs::DrawingArea(platform.ClientSize());
        qs::InitMouse(d);
    }
    static qs::HeadlessOptions Options() {
        qs::HeadlessOptions o;
        o.programPath = qs::fuzz::FuzzFolder() + "/quendelstrand";
        o.size = {1280, 800};
        return o;
    }
};

// A click in the middle of a text cell (from 1), the cell kept within one
// cell around the screen; then each kind of value the click may leave taken.
void Click(qs::Dos& d, int col, int row) {
    col = std::clamp(col, 0, 81);
    row = std::clamp(row, 0, 26);
    qs::MouseHitCode(d, (col - 1) * 16 + 8, (row - 1) * 32 + 16);
    int v = 0;
    qs::TakeMouseItem(d, v, 1, 300);
    qs::TakeMouseChoice(d, v, 1, 300);
    qs::TakeMouseLine(d, v, 1, 300);
    if (v < 0 || v > 300) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Machine m;
    qs::Dos& d = m.d;
    qs::fuzz::PutFile("maustxt/f.mtb", data, size);
    const int before = d.mouse.RegionCount;
    qs::PushMouseTexts(d, "", "f.mtb");
    if (d.mouse.RegionCount < before || d.mouse.RegionCount > qs::MouseState::kMaxRegions)
        std::abort();
    // Clicks on the corners of every region and of the screen, each twice,
    // so that overlapping regions take their turns.
    const int count = d.mouse.RegionCount;
    for (int i = before; i <= count; ++i) {
        const bool screen = i == count;
        const qs::MouseRegion r = screen ? qs::MouseRegion{1, 80, 1, 25, 0} : d.mouse.Regions[i];
        for (const int col : {r.ColFrom, r.ColTo})
            for (const int row : {r.RowFrom, r.RowTo})
                for (int round = 0; round < 2; ++round) Click(d, col, row);
    }
    qs::PopMouseTexts(d);
    if (d.mouse.RegionCount != before) std::abort();
    return 0;
}
