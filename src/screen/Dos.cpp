#include "screen/Dos.h"

namespace qs {

Dos::Dos(Platform& p) : platform(p), sound(p) { RefreshCanvas(); }

// Held cells are drawn on the framebuffer they were written for; when the
// platform has replaced it, that one's pixels are gone, and the records
// with them.
void Dos::RefreshCanvas() {
    const PixelView now = platform.Framebuffer();
    const PixelView was = canvas_.View();
    if (now.pixels == was.pixels && now.width == was.width && now.height == was.height &&
        now.pitch == was.pitch)
        cells.Draw(canvas_);
    else cells.Forget();
    canvas_ = Bitmap::Wrap(now);
}

void Dos::MarkDirty(const Rect& area) {
    const Rect r = area.Intersect(Rect{0, 0, canvas_.Width(), canvas_.Height()});
    if (r.Empty()) return;
    dirtyArea_ = dirtyArea_.Union(r);
    dirty_ = true;
}

void Dos::PresentIfDirty() {
    if (!dirty_ || offstage) return;
    cells.Draw(canvas_);
    const bool all = dirtyAll_;
    const Rect area = dirtyArea_;
    dirty_ = false;
    dirtyAll_ = false;
    dirtyArea_ = Rect{};
    platform.Present(all ? nullptr : &area);
}

}  // namespace qs
