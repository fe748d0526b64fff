#include "screen/Dos.h"

#include <algorithm>
#include <optional>

namespace qs {

Dos::Dos(Platform& p) : platform(p), sound(p), film(*this) {
    RefreshCanvas();
    graph.stopFilm = [this] { film.Stop(); };
}

void Dos::Sleep(int ms) {
    if (offstage) {
        platform.SkipMillis(ms);
        return;
    }
    if (!film.NextStepDue()) {
        platform.SleepMillis(ms);
        return;
    }
    const uint64_t end = platform.NowMicros() + static_cast<uint64_t>(std::max(ms, 0)) * 1000;
    // An overdue step runs at once, but only once: a step without a pause
    // after it waits for the next message step, so that a sequence with no
    // pauses cannot hold the program here.
    bool mayRunNow = true;
    for (;;) {
        const uint64_t now = platform.NowMicros();
        const std::optional<uint64_t> due = film.NextStepDue();
        if (!due || *due >= end) break;
        if (*due > now) platform.SleepMillis(static_cast<int>((*due - now + 999) / 1000));
        else if (!mayRunNow) break;
        mayRunNow = false;
        film.RunDue();
        PresentIfDirty();
    }
    const uint64_t now = platform.NowMicros();
    if (now < end) platform.SleepMillis(static_cast<int>((end - now + 500) / 1000));
}

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
