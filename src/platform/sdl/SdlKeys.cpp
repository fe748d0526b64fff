#include "platform/sdl/SdlKeys.h"

namespace qs {

namespace {

Key MapKeypadCursor(SDL_Keycode sym) {
    switch (sym) {
        case SDLK_KP_8: return Key::Up;
        case SDLK_KP_2: return Key::Down;
        case SDLK_KP_4: return Key::Left;
        case SDLK_KP_6: return Key::Right;
        case SDLK_KP_7: return Key::Home;
        case SDLK_KP_1: return Key::End;
        case SDLK_KP_9: return Key::PageUp;
        case SDLK_KP_3: return Key::PageDown;
        case SDLK_KP_0: return Key::Insert;
        case SDLK_KP_PERIOD: return Key::Delete;
        default: return Key::Unknown;
    }
}

}  // namespace

Key MapSdlKey(SDL_Keycode sym, Uint16 mod) {
    if ((mod & KMOD_NUM) == 0) {
        Key cursor = MapKeypadCursor(sym);
        if (cursor != Key::Unknown) return cursor;
    }
    switch (sym) {
        case SDLK_ESCAPE: return Key::Escape;
        case SDLK_RETURN:
        case SDLK_RETURN2:
        case SDLK_KP_ENTER: return Key::Return;
        case SDLK_BACKSPACE: return Key::Backspace;
        case SDLK_TAB: return Key::Tab;
        case SDLK_SPACE: return Key::Space;
        case SDLK_UP: return Key::Up;
        case SDLK_DOWN: return Key::Down;
        case SDLK_LEFT: return Key::Left;
        case SDLK_RIGHT: return Key::Right;
        case SDLK_HOME: return Key::Home;
        case SDLK_END: return Key::End;
        case SDLK_PAGEUP: return Key::PageUp;
        case SDLK_PAGEDOWN: return Key::PageDown;
        case SDLK_INSERT: return Key::Insert;
        case SDLK_DELETE: return Key::Delete;
        case SDLK_F1: return Key::F1;
        case SDLK_F2: return Key::F2;
        case SDLK_F3: return Key::F3;
        case SDLK_F4: return Key::F4;
        case SDLK_F5: return Key::F5;
        case SDLK_F6: return Key::F6;
        case SDLK_F7: return Key::F7;
        case SDLK_F8: return Key::F8;
        case SDLK_F9: return Key::F9;
        case SDLK_F10: return Key::F10;
        case SDLK_F11: return Key::F11;
        case SDLK_F12: return Key::F12;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return Key::Shift;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return Key::Control;
        // AltGr arrives as the right Alt key or as the mode switch.
        case SDLK_LALT:
        case SDLK_RALT:
        case SDLK_MODE: return Key::Alt;
        default: return Key::Other;
    }
}

}  // namespace qs
