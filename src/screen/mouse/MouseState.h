// State of the mouse layer: the region table loaded from mouse-text files in
// a stack of levels, the values a click leaves for the screens, and the
// window's own record of the buttons and the last pointer position.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace qs {

struct MouseRegion {
    int ColFrom = 0;
    int ColTo = 0;
    int RowFrom = 0;
    int RowTo = 0;
    uint8_t Code = 0;
};

struct MouseState {
    static constexpr int kMaxRegions = 256;
    static constexpr int kLevels = 16;

    std::array<MouseRegion, kMaxRegions> Regions{};
    int RegionCount = 0;
    std::array<int, kLevels> LevelBase{};
    int Level = 0;
    int RegionBase = 0;
    int LastRegion = -1;
    int MouseItem = -1;
    int MouseChoice = -1;
    int MouseLine = -1;
    int LastClick = 0;
    bool LeftHeld = false;
    bool RightHeld = false;
    std::string ProgramDir;   // the program folder, a real path ending in '/'
    std::string ProgramName;  // bare file name of the program

    // Kept by the main window's mouse handlers (window pixels).
    bool MouseDown = false;
    int MouseDownX = 0;
    int MouseDownY = 0;
    bool LastHandledMouseDown = false;
    int LastHandledMouseX = 0;
    int LastHandledMouseY = 0;
    std::function<void()> MouseMoveHook;
};

}  // namespace qs
