#include "screen/Dos.h"

namespace qs {

Dos::Dos(Platform& p) : platform(p), sound(p) { RefreshCanvas(); }

void Dos::RefreshCanvas() { canvas_ = Bitmap::Wrap(platform.Framebuffer()); }

void Dos::PresentIfDirty() {
    if (!dirty_) return;
    dirty_ = false;
    platform.Present(nullptr);
}

}  // namespace qs
