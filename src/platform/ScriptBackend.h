// What a script does to the window itself, beyond the events it posts:
// resizing it and moving the focus away and back. Each backend provides one
// (headless/HeadlessScriptBackend.h, sdl/SdlScriptBackend.h).
#pragma once

namespace qs {

class ScriptBackend {
public:
    virtual ~ScriptBackend() = default;
    // Gives the window a new client size, as the user dragging its frame would.
    virtual void Resize(int w, int h) = 0;
    // Another program takes the focus (in = false) or gives it back.
    virtual void Focus(bool in) = 0;
};

}  // namespace qs
