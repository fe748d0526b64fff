// Keyboard, timing and run-control state shared between the window's event
// handlers and the trainer's blocking loops.
#pragma once

#include <string>

namespace qs {

struct KeyState {
    std::string KeyBuffer;  // appended at the end, taken from the end
    bool ExtendedKey = false;
    bool RestartRequested = false;
    int IdlePolls = 0;
    double SpeedFactor = 1.0;
    bool ScaleDelays = false;
    int SubMsCounter = 0;
    bool TrainerActive = false;
    bool QuitRequested = false;
};

}  // namespace qs
