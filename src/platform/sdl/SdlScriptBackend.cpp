#include "platform/sdl/SdlScriptBackend.h"

#include <SDL.h>

#include "platform/sdl/SdlPlatform.h"

namespace qs {

void SdlScriptBackend::Resize(int w, int h) {
    if (SDL_Window* win = SdlWindowOf(p_)) SDL_SetWindowSize(win, w, h);
}

void SdlScriptBackend::Focus(bool in) {
    Event e;
    e.type = in ? Event::Type::FocusGained : Event::Type::FocusLost;
    p_.PostEvent(e);
}

}  // namespace qs
