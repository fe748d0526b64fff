// A second connection to the test's X display, for looking at a window and
// talking to it the way other programs do. Kept apart from the tests because
// Xlib's macros clash with ordinary names.
#pragma once

#include <cstdint>
#include <vector>

struct SDL_Window;

namespace qs::test {

// The X window behind an SDL window; 0 when it is not on X11.
unsigned long X11WindowOf(SDL_Window* window);

class XConnection {
public:
    XConnection();
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool Ok() const { return display_ != nullptr; }
    // Waits until the server has handled every request sent so far.
    void Sync();
    // What the server shows in the window, row by row, as 0x00RRGGBB.
    std::vector<uint32_t> Pixels(unsigned long window, int w, int h);
    // What the screen shows at x, y, whichever window it belongs to.
    std::vector<uint32_t> ScreenPixels(int x, int y, int w, int h);
    // The close request a window manager sends when the user closes a window.
    void SendCloseRequest(unsigned long window);
    bool WindowExists(unsigned long window);
    // Another program's window, white, mapped on the screen at x, y.
    unsigned long CreateWindow(int x = 0, int y = 0, int w = 40, int h = 40);
    void DestroyWindow(unsigned long window);

private:
    std::vector<uint32_t> Grab(unsigned long window, int x, int y, int w, int h);

    void* display_ = nullptr;
};

}  // namespace qs::test
