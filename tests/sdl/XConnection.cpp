#include "XConnection.h"

#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace qs::test {

namespace {

Display* D(void* p) { return static_cast<Display*>(p); }

uint32_t Scale(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    while (!(mask & 1)) {
        mask >>= 1;
        pixel >>= 1;
    }
    return static_cast<uint32_t>((pixel & mask) * 255 / mask);
}

}  // namespace

unsigned long X11WindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

XConnection::XConnection() : display_(XOpenDisplay(nullptr)) {}

XConnection::~XConnection() {
    if (display_) XCloseDisplay(D(display_));
}

void XConnection::Sync() { XSync(D(display_), False); }

std::vector<uint32_t> XConnection::Pixels(unsigned long window, int w, int h) {
    return Grab(window, 0, 0, w, h);
}

std::vector<uint32_t> XConnection::ScreenPixels(int x, int y, int w, int h) {
    return Grab(DefaultRootWindow(D(display_)), x, y, w, h);
}

std::vector<uint32_t> XConnection::Grab(unsigned long window, int x, int y, int w, int h) {
    Sync();
    XImage* image = XGetImage(D(display_), window, x, y, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    std::vector<uint32_t> out;
    if (!image) return out;
    out.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned long p = XGetPixel(image, x, y);
            out.push_back(Scale(p, image->red_mask) << 16 | Scale(p, image->green_mask) << 8 |
                          Scale(p, image->blue_mask));
        }
    XDestroyImage(image);
    return out;
}

void XConnection::SendCloseRequest(unsigned long window) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = XInternAtom(D(display_), "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(D(display_), "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(D(display_), window, False, NoEventMask, &ev);
    Sync();
}

bool XConnection::WindowExists(unsigned long window) {
    // Asking about a missing window raises an X error; a quiet handler lets
    // the failure come back as the return value instead of ending the test.
    XErrorHandler old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XWindowAttributes attributes;
    Status ok = XGetWindowAttributes(D(display_), window, &attributes);
    Sync();
    XSetErrorHandler(old);
    return ok != 0;
}

unsigned long XConnection::CreateWindow(int x, int y, int w, int h) {
    Display* d = D(display_);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;  // placed where asked, window manager or not
    attributes.background_pixel = WhitePixel(d, DefaultScreen(d));
    Window window = XCreateWindow(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), 0, CopyFromParent, InputOutput,
                                  CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(d, window);
    Sync();
    return window;
}

void XConnection::DestroyWindow(unsigned long window) {
    XDestroyWindow(D(display_), window);
    Sync();
}

}  // namespace qs::test
