// Pages, pictures and the exclusive full-screen surface of the graphics
// screen.
#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>

#include "screen/GraphMapping.h"
#include "screen/Keyboard.h"
#include "screen/Paths.h"
#include "screen/graph/Graph.h"
#include "screen/graph/GraphInternal.h"
#include "screen/image/ImageDraw.h"
#include "screen/metafile/Metafile.h"
#include "screen/surface/Raster.h"

namespace qs {

using namespace graph_detail;

namespace {

constexpr int kPageCount = 6;
constexpr int kGrow = 2;  // pictures are stretched 2 pixels past every edge

Bitmap* PageAt(Dos& d, int p) {
    if (p < 0 || p >= kPageCount) return nullptr;
    return d.Pages[static_cast<size_t>(p)].get();
}

void FreePage(Dos& d, int p) {
    d.Pages[static_cast<size_t>(p)].reset();
    if (d.graph.ActivePage == p) d.graph.ActivePage = -1;
}

// The whole of from onto to, row by row (both are client-sized).
void CopyWhole(Bitmap& to, const Bitmap& from) { Blit(to, 0, 0, from, from.Bounds()); }

// A picture file as loaded: a decoded raster picture or a metafile.
struct SourcePicture {
    std::variant<DecodedImage, Metafile> content;

    Size NaturalSize() const {
        if (const auto* img = std::get_if<DecodedImage>(&content))
            return Size{img->rgb.Width(), img->rgb.Height()};
        return std::get<Metafile>(content).NaturalSize();
    }
    bool HasAlpha() const {
        const auto* img = std::get_if<DecodedImage>(&content);
        return img && !img->alpha.empty();
    }
};

// The raster pixels a picture may decode to: sixteen times the pixels it is
// drawn at (four times each side), and never less than the floor, so that a
// small drawing of an ordinary photo still works.
uint64_t PicturePixelLimit(Size drawn) {
    const uint64_t area = uint64_t(std::max(drawn.w, 0)) * uint64_t(std::max(drawn.h, 0));
    return std::max(area * kPictureOverDraw, kPicturePixelFloor);
}

// The pixels the pictures of the current screen have decoded to so far; a
// cleared screen starts afresh.
uint64_t& ScreenPicturePixels(Dos& d) {
    GraphState& g = d.graph;
    if (g.PicturePixelsScreen != d.screen.GraphTextsCleared) {
        g.PicturePixelsScreen = d.screen.GraphTextsCleared;
        g.PicturePixels = 0;
    }
    return g.PicturePixels;
}

std::optional<SourcePicture> LoadSource(Dos& d, const std::string& fileName, Size drawn) {
    FileSystem& files = d.platform.Files();
    const std::string path = ResolvePath(files, ExpandAppPath(files, fileName));
    if (fileName.empty() || !files.Exists(path) || files.IsDirectory(path)) return std::nullopt;
    auto bytes = files.ReadFile(path);
    if (!bytes) return std::nullopt;
    // A small file can unpack to gigabytes: the header's size is checked
    // against both budgets before anything is decoded, and a picture over
    // either counts as missing.
    if (const std::optional<Size> raster = ProbeImageSize(*bytes)) {
        uint64_t& used = ScreenPicturePixels(d);
        const uint64_t pixels = uint64_t(std::max(raster->w, 0)) * uint64_t(std::max(raster->h, 0));
        if (pixels > PicturePixelLimit(drawn) || used + pixels > kScreenPicturePixels)
            return std::nullopt;
        auto img = DecodeImage(*bytes, pixels);
        if (!img) return std::nullopt;
        used += pixels;
        return SourcePicture{std::move(*img)};
    }
    if (auto meta = Metafile::Parse(std::move(*bytes))) {
        const Size n = meta->NaturalSize();
        if (n.w > 0 && n.h > 0) return SourcePicture{std::move(*meta)};
    }
    return std::nullopt;
}

// Draws the picture stretched onto to of dst. Only what the picture covers
// changes: its alpha blends it over dst, a metafile leaves its background.
// Opaque raster pictures are stretched nearest-neighbour so that key colours
// stay exact; pictures with alpha bilinearly unless hard edges are wanted.
void DrawSource(Bitmap& dst, const Rect& to, const SourcePicture& src, bool hardEdges) {
    if (const auto* img = std::get_if<DecodedImage>(&src.content)) {
        const bool smooth = !hardEdges && !img->alpha.empty();
        DrawImage(dst, to, *img, smooth ? ImageFilter::Bilinear : ImageFilter::Nearest);
        return;
    }
    std::get<Metafile>(src.content).Draw(dst, to);
}

// Alpha cut at one half, so that a mask made from the picture is clean.
void HardenAlpha(SourcePicture& src) {
    if (auto* img = std::get_if<DecodedImage>(&src.content))
        for (uint8_t& a : img->alpha) a = a >= 128 ? 255 : 0;
}

Rect Grown(const Bitmap& b) { return Rect{-kGrow, -kGrow, b.Width() + kGrow, b.Height() + kGrow}; }

void SwitchSurface(Dos& d, bool exclusive) {
    d.platform.SetExclusiveFullscreen(exclusive);
    d.exclusive = exclusive;
    d.RefreshCanvas();
}

void FreeTrainerPages(Dos& d) {
    for (int p = 0; p <= 4; ++p) FreePage(d, p);
}

}  // namespace

// ---- Pages ------------------------------------------------------------------

Bitmap& ActiveBitmap(Dos& d) {
    Bitmap* page = PageAt(d, d.graph.ActivePage);
    return page ? *page : d.Canvas();
}

void SavePage(Dos& d, int p) {
    if (p < 0 || p >= kPageCount) return;
    const Size client = d.ClientSize();
    auto& page = d.Pages[static_cast<size_t>(p)];
    if (!page || page->Width() != client.w || page->Height() != client.h)
        page = std::make_unique<Bitmap>(client.w, client.h);
    CopyWhole(*page, d.Canvas());
}

void ShowPage(Dos& d, int p, bool release) {
    const Bitmap* page = PageAt(d, p);
    if (!page) return;
    CopyWhole(d.Canvas(), *page);
    d.MarkDirty();
    if (release) FreePage(d, p);
}

void ShowPageRect(Dos& d, int p, bool release, const Rect& rect) {
    const Bitmap* page = PageAt(d, p);
    if (!page) return;
    const Rect r = MapRect(d, rect.left, rect.top, rect.right, rect.bottom);
    Blit(d.Canvas(), r.left, r.top, *page, r);
    d.MarkDirty();
    if (release) FreePage(d, p);
}

void CopyPage(Dos& d, int dst, int src) {
    Bitmap* to = PageAt(d, dst);
    const Bitmap* from = PageAt(d, src);
    if (!to || !from || to == from) return;
    CopyWhole(*to, *from);
}

void SetActivePage(Dos& d, int p) {
    if (p >= kPageCount) return;
    if (p < 0) {
        d.graph.ActivePage = -1;
        return;
    }
    if (!PageAt(d, p)) SavePage(d, p);
    d.graph.ActivePage = p;
}

// ---- Pictures ---------------------------------------------------------------

void NewPicture(Dos& d, Picture& pic, int w, int h) {
    ScaleSize(d.screen.Area, w, h);
    pic = std::make_unique<Bitmap>(w, h);
}

int NewPictureForRect(Dos& d, int x1, int y1, int x2, int y2, Picture& pic) {
    const int w = std::abs(x2 - x1), h = std::abs(y2 - y1);
    NewPicture(d, pic, w, h);
    return w * h;
}

void FreePicture(Picture& pic) { pic.reset(); }

void FillPicture(Picture& pic, Rgb colour) {
    if (pic) FillRect(*pic, pic->Bounds(), colour);
}

void LoadPicture(Dos& d, Picture& pic, Rgb colour, int w, bool stretch, const std::string& fileName,
                 int h) {
    int pw = w, ph = h;
    ScaleSize(d.screen.Area, pw, ph);
    // A picture drawn at its own width counts as up to four times as wide as high.
    const std::optional<SourcePicture> src =
        LoadSource(d, fileName, Size{w == 0 ? 4 * ph : pw, ph});
    const Size natural = src ? src->NaturalSize() : Size{};
    if (src && w == 0)
        pw = static_cast<int>(std::lround(static_cast<double>(natural.w) / natural.h * ph));
    pic = std::make_unique<Bitmap>(pw, ph, colour);
    if (!src) return;
    Rect to = Grown(*pic);
    if (!stretch) to = FitRect(to, natural.w, natural.h);
    DrawSource(*pic, to, *src, false);
}

void LoadMaskedPicture(Dos& d, Picture& pic, Picture* mask, const std::string& fileName) {
    if (!pic) return;
    FillRect(*pic, pic->Bounds(), 0);
    if (mask) *mask = std::make_unique<Bitmap>(pic->Width(), pic->Height(), 0xFFFFFF);
    std::optional<SourcePicture> src = LoadSource(d, fileName, Size{pic->Width(), pic->Height()});
    if (!src) return;
    HardenAlpha(*src);
    DrawSource(*pic, Grown(*pic), *src, true);
    if (!mask) return;
    DrawSource(**mask, Grown(**mask), *src, true);
    Blit(**mask, 0, 0, *pic, pic->Bounds(), Rop::Xor);
}

void PutImage(Dos& d, int x, int y, const Picture& pic) {
    if (!pic) return;
    ToWindow(d.screen.Area, x, y);
    const Rect clip{0, 0, d.screen.Area.right, d.screen.Area.bottom};
    const Rop rop = d.graph.WriteMode == 1 ? Rop::Xor : Rop::Copy;
    Blit(d.Canvas(), x, y, *pic, pic->Bounds(), rop, clip);
    d.MarkDirty();
}

void GetImage(Dos& d, int x1, int y1, int x2, int y2, Picture& pic) {
    const Rect r =
        MapRect(d, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
    pic = std::make_unique<Bitmap>(r.Width(), r.Height());
    Blit(*pic, 0, 0, d.Canvas(), r);
}

// ---- Exclusive full-screen surface -------------------------------------------

void EnterExclusiveScreen(Dos& d) {
    Platform& p = d.platform;
    p.ShowPointer(false);
    FreeTrainerPages(d);
    SwitchSurface(d, true);
    const Size client = d.ClientSize();
    const Rect window{0, 0, client.w, client.h};
    p.ConfinePointer(&window);
    Event e;
    // Pending messages only; a handler that keeps posting cannot hold it here.
    for (int i = 0; i < 256 && p.PeekEvent(e); ++i) PumpMessages(d, true);
    p.ShowPointer(true);
}

void LeaveExclusiveScreen(Dos& d) {
    SwitchSurface(d, false);
    Delay(d, 100);
    FreeTrainerPages(d);
}

void ShowPageExclusive(Dos& d, int p, bool release, bool present) {
    const Bitmap* page = PageAt(d, p);
    if (!page) return;
    CopyWhole(d.Canvas(), *page);
    if (present) d.platform.Present(nullptr);
    else d.MarkDirty();
    if (release) FreePage(d, p);
}

}  // namespace qs
