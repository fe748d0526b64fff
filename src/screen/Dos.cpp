#include "screen/Dos.h"

namespace qs {

Dos::Dos(Platform& p) : platform(p), sound(p) { RefreshCanvas(); }

void Dos::RefreshCanvas() { canvas_ = Bitmap::Wrap(platform.Framebuffer()); }

void Dos::MarkDirty(const Rect& area) {
    const Rect r = area.Intersect(Rect{0, 0, canvas_.Width(), canvas_.Height()});
    if (r.Empty()) return;
    dirtyArea_ = dirtyArea_.Union(r);
    dirty_ = true;
}

void Dos::PresentIfDirty() {
    if (!dirty_ || offstage) return;
    const bool all = dirtyAll_;
    const Rect area = dirtyArea_;
    dirty_ = false;
    dirtyAll_ = false;
    dirtyArea_ = Rect{};
    platform.Present(all ? nullptr : &area);
}

}  // namespace qs
