#include "exercises/common/ExerciseScreen.h"

#include <algorithm>

#include "screen/GraphMapping.h"
#include "screen/Keyboard.h"
#include "screen/mouse/Mouse.h"
#include "screen/surface/Raster.h"
#include "trainer/FileSelection.h"

namespace qs {

namespace {

constexpr int kMargin = 16;
constexpr Rgb kTransparent = 0x000000;

}  // namespace

std::vector<PictureSlot> NumberedSlots(int firstSlot, int count, const std::string& stem, int w,
                                       int h, int firstNumber, int cycle) {
    std::vector<PictureSlot> slots;
    for (int i = 0; i < count; ++i) {
        const int n = firstNumber + (cycle > 0 ? i % cycle : i);
        slots.push_back({firstSlot + i, w, h, stem + std::to_string(n)});
    }
    return slots;
}

std::vector<PictureSlot> Slots(std::initializer_list<std::vector<PictureSlot>> parts) {
    std::vector<PictureSlot> all;
    for (const std::vector<PictureSlot>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

bool WordFileFits(Trainer& tr) {
    CheckWordFile(tr);
    return !tr.t.WrongExtension;
}

void monitor::DrawSprite(const Picture& picture, int page, int x, int y) {
    Compose(picture, page, x, y, kMargin, kMargin, kMargin, kMargin, Combine::Transparent);
}

void monitor::DrawSpriteMargins(const Picture& picture, int page, int x, int y, int left, int top,
                                int right, int bottom) {
    Compose(picture, page, x, y, left, top, right, bottom, Combine::Transparent);
}

void monitor::DrawSpriteMirrored(const Picture& picture, int page, int x, int y) {
    Compose(picture, page, x, y, kMargin, kMargin, kMargin, kMargin, Combine::Mirrored);
}

void monitor::PaintSpriteMargins(const Picture& picture, int page, int mode, int x, int y, int left,
                                 int top, int right, int bottom) {
    Compose(picture, page, x, y, left, top, right, bottom, mode == 1 ? Combine::Or : Combine::None);
}

void monitor::PaintSprite(const Picture& picture, int page, int mode, int x, int y) {
    PaintSpriteMargins(picture, page, mode, x, y, kMargin, kMargin, kMargin, kMargin);
}

// One frame: the region around the picture is taken from the clean page into
// Scratch, the picture is combined there, and the visible part of Scratch is
// copied to the window at the region's place. The region reaches L left of
// the picture but L + R - 2 right of it (and likewise in height), as the
// exercises' step sizes and the mirrored placement expect.
void monitor::Compose(const Picture& picture, int page, int x, int y, int left, int top, int right,
                      int bottom, Combine how) {
    if (page < 0 || page >= static_cast<int>(d.Pages.size())) return;
    const Bitmap* background = d.Pages[static_cast<size_t>(page)].get();
    if (!background) return;
    Bitmap& window = d.Canvas();
    const Rect client = window.Bounds();
    const Rect clip = SpriteClip();

    const bool painted = how == Combine::Or || how == Combine::None;
    if (painted) {
        x = std::clamp(x, 0, kGraphWidth);
        y = std::min(y, kGraphHeight);
    }
    ToWindow(d.screen.Area, x, y);
    const Rect region = Region(picture, x, y, left, top, right, bottom);
    if (region.top >= client.bottom || region.left >= client.right || region.Empty()) return;

    if (Scratch.Width() != region.Width() || Scratch.Height() != region.Height())
        Scratch.Allocate(region.Width(), region.Height());
    Blit(Scratch, 0, 0, *background, region);

    if (picture && !picture->Empty()) {
        switch (how) {
            case Combine::Transparent:
                BlitTransparent(Scratch, left, top, *picture, picture->Bounds(), kTransparent);
                break;
            case Combine::Mirrored:
                MirrorInPlace(Scratch);
                BlitTransparent(Scratch, kMargin, kMargin, *picture, picture->Bounds(),
                                kTransparent);
                MirrorInPlace(Scratch);
                break;
            case Combine::Or: {
                const Rect from{1, 1, 1 + region.Width() - left - right,
                                1 + region.Height() - top - bottom};
                Blit(Scratch, left, top, *picture, from, Rop::Or);
                break;
            }
            case Combine::None: break;
        }
    }

    const Rect visible = region.Intersect(clip);
    if (visible.Empty()) return;
    Blit(window, visible.left, visible.top, Scratch,
         Rect{visible.left - region.left, visible.top - region.top, visible.right - region.left,
              visible.bottom - region.top});
    d.MarkDirty();
}

Rect monitor::Region(const Picture& picture, int x, int y, int left, int top, int right,
                     int bottom) {
    const int w = picture ? picture->Width() : 0;
    const int h = picture ? picture->Height() : 0;
    return Rect{x - left, y - top, x + w - 2 + left + right, y + h - 2 + top + bottom};
}

// A mirrored picture is placed kMargin from the left of the mirrored region,
// which is kMargin from its right edge in the window.
Rect monitor::PicturePlace(const Picture& picture, const Rect& region, int left, int top,
                           bool mirrored) {
    const int w = picture ? picture->Width() : 0;
    const int h = picture ? picture->Height() : 0;
    const int x = mirrored ? region.right - kMargin - w : region.left + left;
    const int y = region.top + (mirrored ? kMargin : top);
    return Rect{x, y, x + w, y + h};
}

Rect monitor::SpriteClip() const {
    const Rect client = d.Canvas().Bounds();
    return d.graph.SpriteClip ? d.graph.SpriteClip->Intersect(client) : client;
}

void monitor::EraseSprite(const Picture& picture, int page, int x, int y, bool mirrored) {
    if (page < 0 || page >= static_cast<int>(d.Pages.size()) || !picture) return;
    const Bitmap* background = d.Pages[static_cast<size_t>(page)].get();
    if (!background) return;
    ToWindow(d.screen.Area, x, y);
    const Rect region = Region(picture, x, y, kMargin, kMargin, kMargin, kMargin);
    const Rect place =
        PicturePlace(picture, region, kMargin, kMargin, mirrored).Intersect(SpriteClip());
    if (place.Empty()) return;
    Blit(d.Canvas(), place.left, place.top, *background, place);
    d.MarkDirty();
}

void monitor::PrepareScreen(int scratchW, int scratchH, std::span<const PictureSlot> slots) {
    ScaleSize(d.screen.Area, scratchW, scratchH);
    Scratch.Allocate(scratchW, scratchH);
    for (const PictureSlot& s : slots)
        NewPicture(d, Pictures[static_cast<size_t>(s.slot)], s.w, s.h);
    InitGraph(d, 0);
    if (tr.t.opt.OptMaus == 2) MouseShow(d, 1);
    if (tr.t.opt.OptMaus == 1) MouseShow(d, 0);
    SetPointerShape(d, -11);
    LoadPictures();
    SetPointerShape(d, 0);
}

void monitor::LoadSlots(std::span<const PictureSlot> slots, const std::string& folder) {
    for (const PictureSlot& s : slots) {
        if (s.file.empty()) continue;
        LoadMaskedPicture(d, Pictures[static_cast<size_t>(s.slot)], nullptr,
                          folder + s.file + ".png");
    }
}

void monitor::ReleaseScreen() {
    Scratch = Bitmap();
    for (Picture& p : Pictures) FreePicture(p);
    for (int p = 0; p <= 3; ++p) ShowPage(d, p, true);
    StopSound(d);
}

}  // namespace qs
