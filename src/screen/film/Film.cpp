#include "screen/film/Film.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>
#include <utility>

#include "screen/Dos.h"
#include "screen/DosPath.h"
#include "screen/GraphMapping.h"
#include "screen/Paths.h"
#include "screen/graph/GraphState.h"
#include "screen/image/ImageDecode.h"
#include "screen/image/ImageDraw.h"
#include "screen/metafile/Metafile.h"
#include "screen/surface/Raster.h"

namespace qs {

namespace {

constexpr std::string_view kControlFile = "steuer.txt";
// The pause written into a new control file when the sequence's own is
// too short to see.
constexpr int kControlPauseMs = 200;
constexpr int kShortestWrittenDelayMs = 50;

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string ExtensionOf(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? "" : Lower(name.substr(dot));
}

bool IsPictureName(std::string_view name) {
    const std::string ext = ExtensionOf(name);
    for (const char* known : {".png", ".wmf", ".emf", ".bmp", ".jpg", ".gif"})
        if (ext == known) return true;
    return false;
}

// A pause line: digits only, short enough to be a number of ms.
bool IsNumber(std::string_view line) {
    return !line.empty() && line.size() <= 9 && std::all_of(line.begin(), line.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

bool NameLess(const DirEntry& a, const DirEntry& b) {
    const std::string la = Lower(a.name), lb = Lower(b.name);
    return la != lb ? la < lb : a.name < b.name;
}

// The file of the folder listing with this name apart from case; folders
// and names with a path in them name none.
const DirEntry* FindFile(const std::vector<DirEntry>& listing, std::string_view name) {
    if (name.empty() || name.find_first_of("/\\") != std::string_view::npos) return nullptr;
    for (const DirEntry& e : listing)
        if (!e.isDir && SameFileName(e.name, name)) return &e;
    return nullptr;
}

std::vector<std::string> SplitLines(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (const uint8_t b : bytes) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (b != '\r') {
            line.push_back(static_cast<char>(b));
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<uint8_t> JoinLines(const std::vector<std::string>& lines) {
    std::vector<uint8_t> out;
    for (const std::string& line : lines) {
        out.insert(out.end(), line.begin(), line.end());
        out.push_back('\r');
        out.push_back('\n');
    }
    return out;
}

// The rectangle a picture of natural size fills in a frame of w x h: fitted
// to the picture's aspect, with odd edges moved one pixel inwards.
Rect FrameRect(int w, int h, Size natural) {
    Rect r{0, 0, w, h};
    if (w != natural.w || h != natural.h) r = FitRect(r, natural.w, natural.h);
    if (r.left % 2 != 0) ++r.left;
    if (r.top % 2 != 0) ++r.top;
    if (r.right % 2 != 0) --r.right;
    if (r.bottom % 2 != 0) --r.bottom;
    return r;
}

// An opaque picture is keyed by its bottom-left pixel, as a transparent
// bitmap is drawn: that colour becomes see-through.
void KeyByCorner(DecodedImage& img) {
    if (!img.alpha.empty() || img.rgb.Empty()) return;
    const Rgb key = img.rgb.Pixel(0, img.rgb.Height() - 1);
    img.alpha.resize(static_cast<size_t>(img.rgb.Width()) * img.rgb.Height());
    size_t i = 0;
    for (int y = 0; y < img.rgb.Height(); ++y)
        for (int x = 0; x < img.rgb.Width(); ++x)
            img.alpha[i++] = img.rgb.Pixel(x, y) == key ? 0 : 255;
}

}  // namespace

Tfilm::Tfilm(Dos& d) : dos_(d) { RebuildWorkBitmaps(); }

// The machine is going away: its window may be gone already, so nothing is
// drawn.
Tfilm::~Tfilm() { worker_.reset(); }

// ---- Properties ---------------------------------------------------------------

void Tfilm::SetVerzeichnis(const std::string& folder) {
    verzeichnis_ = folder;
    if (!verzeichnis_.empty() && verzeichnis_.back() != '\\' && verzeichnis_.back() != '/')
        verzeichnis_ += '\\';
    Load();
}

void Tfilm::SetWidth(int w) {
    if (w == width_) return;
    width_ = w;
    RebuildWorkBitmaps();
    if (!verzeichnis_.empty()) Load();
}

void Tfilm::SetHeight(int h) {
    if (h == height_) return;
    height_ = h;
    RebuildWorkBitmaps();
    if (!verzeichnis_.empty()) Load();
}

void Tfilm::SetHintergrundfarbe(Rgb colour) {
    if (colour == hintergrundfarbe_) return;
    hintergrundfarbe_ = colour;
    RebuildWorkBitmaps();
    if (!verzeichnis_.empty()) Load();
}

void Tfilm::SetStop(bool stop) {
    if (stop) Stop();
}

void Tfilm::RebuildWorkBitmaps() {
    composed_.Allocate(width_, height_, hintergrundfarbe_);
    background_.Allocate(width_, height_, hintergrundfarbe_);
    backgroundCaptured_ = false;
    composedTransparent_ = transparent;
}

// ---- Loading ------------------------------------------------------------------

void Tfilm::Clear() {
    Stop();
    entries_.clear();
    dos_.sound.Stop();
}

void Tfilm::Load() {
    Clear();
    if (verzeichnis_.empty()) return;
    FileSystem& fs = dos_.platform.Files();
    std::string real = ResolvePath(fs, ExpandAppPath(fs, verzeichnis_));
    if (!real.empty() && real.back() != '/') real += '/';
    const std::optional<std::vector<DirEntry>> listing =
        fs.IsDirectory(real) ? fs.ListDirectory(real) : std::nullopt;
    if (!listing) {
        verzeichnis_.clear();
        return;
    }
    FillRect(composed_, composed_.Bounds(), hintergrundfarbe_);
    composedTransparent_ = transparent;
    entries_ = ReadFolder(real, *listing);

    std::vector<std::string> lines;
    if (const DirEntry* control = FindFile(*listing, kControlFile)) {
        const auto bytes = fs.ReadFile(real + control->name, FileSystem::kTextLimit);
        if (!bytes) return;  // the pictures stay in name order
        lines = SplitLines(*bytes);
    } else {
        if (entries_.empty()) return;
        for (const Entry& e : entries_) lines.push_back(e.text);
        lines.insert(lines.begin() + 1,
                     std::to_string(delay < kShortestWrittenDelayMs ? kControlPauseMs : delay));
        // A folder that may not be written (an installed program's) keeps
        // no control file; the sequence plays in name order all the same.
        fs.WriteFileAtomic(real + std::string(kControlFile), JoinLines(lines));
    }
    Reorder(lines, real, *listing);
}

std::vector<Tfilm::Entry> Tfilm::ReadFolder(const std::string& realFolder,
                                            const std::vector<DirEntry>& listing) const {
    std::vector<DirEntry> files;
    for (const DirEntry& e : listing)
        if (!e.isDir && WildcardMatch(maske, e.name)) files.push_back(e);
    std::sort(files.begin(), files.end(), NameLess);
    std::vector<Entry> entries;
    for (const DirEntry& e : files) {
        // Names that differ only in case are one name, as on the system
        // the folders were made for.
        if (!entries.empty() && SameFileName(entries.back().text, e.name)) continue;
        if (IsPictureName(e.name)) {
            if (auto frame = MakeFrame(realFolder + e.name)) entries.push_back({e.name, frame});
        } else if (ExtensionOf(e.name) == ".wav") {
            entries.push_back({e.name, nullptr});
        }
    }
    return entries;
}

std::shared_ptr<const Bitmap> Tfilm::MakeFrame(const std::string& realPath) const {
    auto bytes = dos_.platform.Files().ReadFile(realPath);
    if (!bytes) return nullptr;
    std::optional<DecodedImage> image;
    std::optional<Metafile> meta;
    Size natural;
    if (const std::optional<Size> raster = ProbeImageSize(*bytes)) {
        // A small file may unpack to gigabytes: a picture far larger than
        // its frame is refused before it is decoded.
        const uint64_t drawn =
            uint64_t(std::max(width_, 1)) * uint64_t(std::max(height_ > 0 ? height_ : width_, 1));
        const uint64_t limit = std::max(drawn * kPictureOverDraw, kPicturePixelFloor);
        image = DecodeImage(*bytes, limit);
        if (!image) return nullptr;
        natural = Size{image->rgb.Width(), image->rgb.Height()};
    } else {
        meta = Metafile::Parse(std::move(*bytes));
        if (!meta) return nullptr;
        natural = meta->NaturalSize();
    }
    if (natural.w <= 0 || natural.h <= 0) return nullptr;

    const int w = width_;
    const int h =
        height_ != 0 ? height_ : static_cast<int>(std::lround(double(natural.h) / natural.w * w));
    const Rect fitted = FrameRect(w, h, natural);
    auto frame = std::make_shared<Bitmap>(std::max(fitted.Width(), 0) + 2,
                                          std::max(fitted.Height(), 0) + 2, hintergrundfarbe_);
    // The picture covers all but the frame's last column and row.
    const Rect to{0, 0, frame->Width() - 1, frame->Height() - 1};
    if (image) {
        KeyByCorner(*image);
        DrawImage(*frame, to, *image, ImageFilter::Bilinear);
    } else {
        meta->Draw(*frame, to);
    }
    return frame;
}

void Tfilm::Reorder(const std::vector<std::string>& lines, const std::string& realFolder,
                    const std::vector<DirEntry>& listing) {
    std::vector<Entry> ordered;
    for (const std::string& line : lines) {
        const auto frame = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
            return e.frame && SameFileName(e.text, line);
        });
        if (frame != entries_.end()) {
            ordered.push_back(*frame);
            lastpicture_ = static_cast<int>(ordered.size()) - 1;
        } else if (IsNumber(line)) {
            ordered.push_back({line, nullptr});
        } else if (const DirEntry* file = FindFile(listing, line)) {
            ordered.push_back({realFolder + file->name, nullptr});
        }
    }
    entries_ = std::move(ordered);
}

// ---- Playing --------------------------------------------------------------------

void Tfilm::Play(int atLeft, int atTop, Bitmap& on, int startIndex, int rounds, int pause) {
    canvas = &on;
    Stop();
    if (entries_.empty()) return;
    if (atLeft != left || atTop != top) backgroundCaptured_ = false;
    left = atLeft;
    top = atTop;
    delay = pause;
    repeats = rounds;
    worker_.emplace();
    Prepare(startIndex);
}

void Tfilm::Prepare(int startIndex) {
    tfilmthread& w = *worker_;
    if (transparent && backgroundCanvas == nullptr && !backgroundCaptured_) CaptureBackground();
    if (repeats < 1) repeats = 1;
    dos_.sound.Stop();
    if (w.repeat >= repeats) w.repeat = 1;
    const int count = static_cast<int>(entries_.size());
    w.index = startIndex >= count - 1 ? 0 : startIndex;
    w.dueMicros = dos_.platform.NowMicros();
}

void Tfilm::CaptureBackground() {
    if (canvas == nullptr) return;
    const Bitmap& from = canvas == &dos_.CanvasAsIs() ? dos_.Canvas() : *canvas;
    const int clip = left < 0 ? -left : 0;
    const int x = std::max(left, 0), y = std::max(top, 0);
    FillRect(background_, background_.Bounds(), hintergrundfarbe_);
    Blit(background_, clip, 0, from,
         Rect{x, y, x + background_.Width() - clip, y + background_.Height()});
    backgroundCaptured_ = true;
}

void Tfilm::Stop() {
    if (!worker_) return;
    const int index = worker_->index;
    if (dos_.platform.NowMicros() >= worker_->dueMicros && DrawEntry(index) && OnFrame)
        OnFrame(index < 0 ? lastpicture_ : index);
    Finish(true);
}

std::optional<uint64_t> Tfilm::NextStepDue() const {
    if (!worker_) return std::nullopt;
    return worker_->dueMicros;
}

void Tfilm::RunDue() {
    while (worker_ && dos_.platform.NowMicros() >= worker_->dueMicros)
        if (!Step(*worker_)) return;
}

bool Tfilm::Step(tfilmthread& w) {
    const int count = static_cast<int>(entries_.size());
    if (w.index >= count) {
        // A round that neither showed a frame nor paused would come round
        // again at once, without end.
        if (w.repeat >= repeats || !w.waited) {
            Finish(false);
            return false;
        }
        ++w.repeat;
        w.index = 0;
        w.waited = false;
    }
    const uint64_t now = dos_.platform.NowMicros();
    const int index = w.index++;
    if (DrawEntry(index)) {
        const int shownEntry = index < 0 ? lastpicture_ : index;
        // One frame a step: the next one waits at least for the next
        // message step, however short the pause.
        w.dueMicros = now + static_cast<uint64_t>(std::max(delay, 0)) * 1000;
        w.waited = true;
        if (OnFrame) OnFrame(shownEntry);
        return false;
    }
    if (!bilddelay || index < 0 || index >= count) return true;
    const std::string& text = entries_[static_cast<size_t>(index)].text;
    if (IsNumber(text)) {
        delay = std::stoi(text);
        w.dueMicros = now + static_cast<uint64_t>(delay) * 1000;
        w.waited = true;
        return false;
    }
    dos_.sound.Stop();
    dos_.sound.Play(text);
    return true;
}

void Tfilm::Finish(bool stopped) {
    worker_.reset();
    if (stopped) dos_.sound.Stop();
    else if (OnFinish) OnFinish();
}

bool Tfilm::DrawEntry(int index) {
    if (index < 0) index = lastpicture_;
    if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
    const Bitmap* frame = entries_[static_cast<size_t>(index)].frame.get();
    if (frame == nullptr) return false;
    if (canvas == nullptr) return true;
    const bool window = canvas == &dos_.CanvasAsIs();
    Bitmap& target = window ? dos_.Canvas() : *canvas;
    if (transparent != composedTransparent_) {
        FillRect(composed_, composed_.Bounds(), hintergrundfarbe_);
        composedTransparent_ = transparent;
    }
    // Off the left edge the frame loses its left part; off the top it is
    // drawn at the top edge whole.
    const int clip = left < 0 ? -left : 0;
    const int x = std::max(left, 0), y = std::max(top, 0);
    if (!transparent) {
        Blit(composed_, 1, 1, *frame, Rect{1, 1, frame->Width() - 1, frame->Height() - 1});
    } else {
        if (backgroundCanvas != nullptr)
            Blit(composed_, clip, 0, *backgroundCanvas,
                 Rect{x, y, x + composed_.Width() - clip, y + composed_.Height()});
        else Blit(composed_, 0, 0, background_, background_.Bounds());
        BlitTransparent(composed_, 0, 0, *frame, frame->Bounds(), hintergrundfarbe_);
    }
    const Rect part{clip, 0, composed_.Width(), composed_.Height()};
    Blit(target, x, y, composed_, part);
    if (window) dos_.MarkDirty(Rect{x, y, x + part.Width(), y + part.Height()});
    return true;
}

}  // namespace qs
