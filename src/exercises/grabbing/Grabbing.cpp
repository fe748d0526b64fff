#include "exercises/grabbing/Grabbing.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/Kit.h"
#include "exercises/contact/Notation.h"
#include "screen/GraphMapping.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "screen/surface/Raster.h"

namespace qs {

namespace {

constexpr Rgb kJoinedGreen = MakeRgb(0, 255, 0);
constexpr Rgb kPushedRed = MakeRgb(255, 0, 0);
constexpr int kClapX = 532;
constexpr int kClapY = 400;
constexpr int kClapW = 100;
constexpr int kClapH = 80;
// A part's text is drawn here and taken off the screen as its picture.
constexpr int kPartTextX = 2;
constexpr int kPartTextY = 303;
constexpr int kPartPictureY = 300;
// Where a slot's words stand: the pre-printed ones and a joined word.
constexpr int kSlotTextX = 190;
constexpr int kJoinedTextX = 191;
constexpr int kSlotTextDy = 9;
constexpr int kSecondTextX = 317;
constexpr int kDividerX = 320;
constexpr int kResyncFrames = 5;

uint32_t Blend(uint32_t under, Rgb over, unsigned a) {
    auto channel = [&](int shift) {
        const unsigned u = (under >> shift) & 255u;
        const unsigned o = (over >> shift) & 255u;
        return ((o * a + u * (255u - a) + 127u) / 255u) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

Rect WindowRect(Dos& d, int x, int y, int w, int h) {
    int l = x, t = y;
    ToWindow(d.screen.Area, l, t);
    return Rect{l, t, l + w, t + h};
}

Rect SpriteArea(Dos& d) { return d.screen.Area.Intersect(d.Canvas().Bounds()); }

bool KeepsTheWindow(const std::string& argument) { return argument == "nodx"; }

}  // namespace

// ---- Sprites ----------------------------------------------------------------------

GrabSprite TextSprite(const Bitmap& drawn, Rgb colour) {
    GrabSprite s;
    s.w = drawn.Width();
    s.h = drawn.Height();
    s.tinted = true;
    s.tint = colour;
    s.alpha.resize(static_cast<size_t>(s.w) * static_cast<size_t>(s.h));
    for (int y = 0; y < s.h; ++y) {
        for (int x = 0; x < s.w; ++x) {
            const Rgb p = drawn.Pixel(x, y);
            unsigned cover = 0;
            for (int shift : {16, 8, 0}) {
                const unsigned c = (colour >> shift) & 255u;
                if (c > 0) cover = std::max(cover, ((p >> shift) & 255u) * 255u / c);
            }
            s.alpha[static_cast<size_t>(y * s.w + x)] = static_cast<uint8_t>(std::min(cover, 255u));
        }
    }
    return s;
}

GrabSprite MaskedSprite(const Bitmap& picture, const Bitmap& mask) {
    GrabSprite s;
    s.w = std::min(picture.Width(), mask.Width());
    s.h = std::min(picture.Height(), mask.Height());
    s.colours = picture;
    s.alpha.resize(static_cast<size_t>(s.w) * static_cast<size_t>(s.h));
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            s.alpha[static_cast<size_t>(y * s.w + x)] = mask.Pixel(x, y) == 0xFFFFFFu ? 0 : 255;
    return s;
}

void DrawGrabSprite(Bitmap& dst, const GrabSprite& s, int x, int y, const Rect& clip) {
    const Rect to = Rect{x, y, x + s.w, y + s.h}.Intersect(clip).Intersect(dst.Bounds());
    if (to.Empty()) return;
    for (int row = to.top; row < to.bottom; ++row) {
        const int sy = row - y;
        const uint8_t* a = s.alpha.data() + static_cast<size_t>(sy * s.w + (to.left - x));
        const uint32_t* from = s.tinted ? nullptr : s.colours.Row(sy) + (to.left - x);
        uint32_t* out = dst.Row(row) + to.left;
        for (int i = 0; i < to.Width(); ++i) {
            const unsigned cover = a[i];
            if (cover == 0) continue;
            const Rgb c = s.tinted ? s.tint : (from[i] & 0xFFFFFFu);
            out[i] = cover == 255 ? c : Blend(out[i], c, cover);
        }
    }
}

// ---- The game ---------------------------------------------------------------------

GrabbingGame::GrabbingGame(Trainer& trainer) : tr(trainer), d(trainer.d) {}

GrabbingGame::~GrabbingGame() {
    d.mouse.MouseMoveHook = nullptr;
    d.platform.ShowPointer(true);
    // Without the waits of LeaveExclusiveScreen: this may run while an
    // unwinding exception passes, and a wait could raise another.
    if (exclusive_ && d.exclusive) {
        d.platform.SetExclusiveFullscreen(false);
        d.exclusive = false;
        d.RefreshCanvas();
    }
}

void GrabbingGame::PrepareGrabbing() {
    InitGraph(d, 0);
    if (!MouseInstalled()) {
        SetColor(d, colour::White);
        OutTextXY(d, 10, 240, "Sie haben leider keine Maus");
        ReadKey(d);
        while (KeyPressed(d)) ReadKey(d);
    }
    SetPointerShape(d, -11);
    auto load = [&](GrabSprite& sprite, int w, int h, const std::string& file) {
        Picture picture;
        Picture mask;
        NewPicture(d, picture, w, h);
        LoadMaskedPicture(d, picture, &mask, file);
        sprite = MaskedSprite(*picture, *mask);
    };
    load(hand_, kHandW, kHandH, "bitplane\\maushand.png");
    load(fist_, kHandW, kHandH, "bitplane\\mausfaust.png");
    load(clapOpen_, kClapW, kClapH, "bitplane\\klatschauf.emf");
    load(clapClosed_, kClapW, kClapH, "bitplane\\klatschzu.emf");
    for (int i = 1; i <= kGrabParts; ++i) {
        PartObject& p = board.Part(i);
        const Point at = StartPosition(i);
        p.x = at.x;
        p.y = at.y;
        p.dx = p.dy = 1;
    }
    SetPointerShape(d, 0);
    SpeedValue = 0.2;
    if (!KeepsTheWindow(tr.t.FirstArgument)) {
        EnterExclusiveScreen(d);
        exclusive_ = true;
    }
}

void GrabbingGame::EndGrabbing() {
    d.mouse.MouseMoveHook = nullptr;
    composed_ = false;
    if (exclusive_) LeaveSurface();
    for (GrabSprite& s : parts_) s = GrabSprite{};
    hand_ = fist_ = clapOpen_ = clapClosed_ = GrabSprite{};
    clapBack_ = Bitmap();
    for (int i = 0; i <= 15; ++i) SetPalette(d, i, i);
}

void GrabbingGame::LeaveSurface() {
    exclusive_ = false;
    LeaveExclusiveScreen(d);
}

void GrabbingGame::PlayGroups() {
    TrainerState& t = tr.t;
    constexpr int kOrdered = 1;  // OptWortwahl " Reihenfolge "
    int position = 1;
    if (t.opt.OptWortwahl == kOrdered && t.CurrentLine > 1) position = t.CurrentLine - 1;
    const int count = std::clamp(t.WordCount, 0, kWordListSize);
    const std::span<const std::string> lines(t.WordList.data() + 1, static_cast<size_t>(count));
    t.LastKey = ' ';
    while (t.LastKey != keycode::Esc) {
        const std::optional<GrabGroup> group = NextGroup(lines, position);
        if (!group) {
            ShowNoWords();
            return;
        }
        tr.players.CurrentWordNo = group->firstLine;
        PlayGroup(group->words);
    }
}

// A key or a press of a button ends the wait; the time passes while a
// button is held, so the script or the child can go on meanwhile.
void GrabbingGame::WaitForKeyOrPress() {
    TakeClick(d);
    while (!KeyPressed(d) && TakeClick(d) == 0) {
        Delay(d, 20);
        NoteWaitingForInput(d);
    }
}

void GrabbingGame::ShowNoWords() {
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    Bar(d, 0, 0, 639, 479);
    SetSize(tr, 4);
    SetTextJustify(d, 0, 2);
    SetColor(d, colour::LightYellow);
    OutTextXY(d, 40, 100, "Kein Wort zum Greifen in der Liste.");
    SetColor(d, colour::Grey);
    OutTextXY(d, 40, 160, "Weiter mit einer Taste.");
    d.MarkDirty();
    WaitForKeyOrPress();
    while (KeyPressed(d)) ReadKey(d);
    TakeClick(d);
    tr.t.LastKey = keycode::Esc;
}

// ---- One group ----------------------------------------------------------------------

void GrabbingGame::PlayGroup(const std::vector<GrabWord>& words) {
    BeginGroup(words);
    FrameLoop();
    d.mouse.MouseMoveHook = nullptr;
    composed_ = false;
    ShowPointer(d);
    if (tr.t.LastKey == keycode::Esc) return;
    Applause();
    AskForKey();
}

void GrabbingGame::BeginGroup(const std::vector<GrabWord>& words) {
    words_.assign(words.begin(), words.begin() + std::min<size_t>(words.size(), kGrabWords));
    StartGroup(board, static_cast<int>(words_.size()), tr.t.opt.OptGreifen);
    Frames = 0;
    SpeedValue = 0.2;
    DrawSlots(words_);
    MakeParts(words_);
    MoveMouseTo(d, 100, 100);
    SavePage(d, 0);
    SavePage(d, 1);
    handAt_ = Fist();
    d.mouse.MouseMoveHook = [this] { OnMouseMove(); };
    HidePointer(d);
}

// Each part's text drawn on black at the left, left of the slots, and
// taken off the screen as its picture; first parts teal, second parts
// yellow.
void GrabbingGame::MakeParts(const std::vector<GrabWord>& words) {
    const bool separate = tr.t.opt.OptGreifteile == kGreifteileGetrennt;
    SetSizeReal(tr, 3.6);
    SetTextJustify(d, 0, 2);
    for (int i = 1; i <= 2 * static_cast<int>(words.size()); ++i) {
        const GrabWord& w = words[static_cast<size_t>((i - 1) / 2)];
        const bool first = i % 2 == 1;
        const std::string& text = first ? w.first : w.second;
        const int c = first ? colour::Teal : colour::Yellow;
        SetFillStyle(d, fillstyle::Solid, colour::Black);
        Bar(d, 0, 290, 150, 340);
        SetColor(d, c);
        OutTextXY(d, kPartTextX, kPartTextY, text);
        Picture drawn;
        GetImage(d, 0, kPartPictureY, kPartW - 1, kPartPictureY + kPartH - 1, drawn);
        parts_[static_cast<size_t>(i)] =
            TextSprite(*drawn, d.screen.Palette[static_cast<size_t>(c)]);
        // A long part inks beyond the band; the slots beside it stay clean.
        SetFillStyle(d, fillstyle::Solid, colour::Black);
        ClearText(tr, kPartTextX, kPartTextY, text);
        Bar(d, 0, 290, 150, 340);
        // Together, the second part comes to rest a blank after the first,
        // where the joined word is written.
        board.Part(i).textWidth =
            separate ? kPartW - 4 : TextWidth640(d, first ? text + " " : text);
    }
}

void GrabbingGame::DrawSlots(const std::vector<GrabWord>& words) {
    const bool separate = tr.t.opt.OptGreifteile == kGreifteileGetrennt;
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    Bar(d, 0, 0, 639, 479);
    for (int n = 1; n <= static_cast<int>(words.size()); ++n) {
        const int y = 50 * n;
        SetColor(d, colour::Grey);
        Rectangle(d, 186, y, 455, y + 43);
        SetFillStyle(d, fillstyle::Solid, colour::White);
        Bar(d, 187, y + 1, 453, y + 41);
        if (separate) {
            SetLineStyle(d, 3, 0, 1);
            SetColor(d, colour::DarkGrey);
            Line(d, kDividerX, y + 2, kDividerX, y + 40);
            SetLineStyle(d, 0, 0, 1);
        }
        if (tr.t.opt.OptGreifen != kGreifenVorgabe) continue;
        const GrabWord& w = words[static_cast<size_t>(n - 1)];
        SetColor(d, colour::Navy);
        if (separate) {
            OutTextXY(d, kSlotTextX, y + kSlotTextDy, w.first);
            OutTextXY(d, kSecondTextX, y + kSlotTextDy, w.second);
        } else {
            OutTextXY(d, kSlotTextX, y + kSlotTextDy, w.first + " " + w.second);
        }
    }
    d.MarkDirty();
}

// ---- Frames ---------------------------------------------------------------------------

// Frames at a steady pace on the platform's clock, so that the parts move
// one graph unit a frame; a pace lost (a slow machine, a stop in the
// debugger) is taken up afresh rather than made good in a rush.
void GrabbingGame::FrameLoop() {
    Platform& p = d.platform;
    uint64_t due = p.NowMicros() + kFrameMicros;
    int countdown = kFinishingFrames;
    for (;;) {
        if (!WaitForFrame(due)) return;
        const uint64_t now = p.NowMicros();
        due += kFrameMicros;
        if (now > due + kResyncFrames * kFrameMicros) due = now + kFrameMicros;
        const bool finishing = board.Finishing;
        Frame();
        if (finishing) {
            if (--countdown <= 0) return;
        } else if (!board.Finishing) {
            NoteWaitingForInput(d);
        }
    }
}

// Keys are read while waiting: ESC ends the group (false), other keys are
// dropped.
bool GrabbingGame::WaitForFrame(uint64_t due) {
    for (;;) {
        while (KeyPressed(d)) {
            const uint8_t key = ReadKey(d);
            if (key == keycode::Byte(keycode::Esc)) {
                tr.t.LastKey = keycode::Esc;
                return false;
            }
        }
        const uint64_t now = d.platform.NowMicros();
        if (now >= due) return true;
        // Rests in the system until an event or the frame is due; the
        // events are taken by the key look above (mouse moves go to the
        // hook at once).
        d.platform.WaitEvent(static_cast<int>((due - now + 999) / 1000));
    }
}

Point GrabbingGame::Fist() {
    int x = 0;
    int y = 0;
    GetMouseState(d, x, y);
    return HandPosition(Point{x, y});
}

void GrabbingGame::Frame() {
    int px = 0;
    int py = 0;
    const bool down = GetMouseState(d, px, py) != 0;
    const Point fist = HandPosition(Point{px, py});
    handAt_ = fist;
    for (int i = 1; i <= kGrabParts; ++i)
        if (!board.Part(i).held) MoveOneStep(board.Part(i));
    const bool wasFinishing = board.Finishing;
    if (down && board.held == 0) {
        if (const int g = PartUnder(board, fist)) Grab(board, g, fist);
    } else if (down) {
        FollowFist(board, fist);
    } else if (board.held != 0) {
        const int dropped = board.held;
        TakeDrop(dropped, Drop(board));
    }
    if (board.Finishing && !wasFinishing) SpeedValue = 0.1;
    Compose();
    ++Frames;
    if (afterFrame) afterFrame(*this);
}

void GrabbingGame::TakeDrop(int part, const DropOutcome& out) {
    if (out.pushedOut != 0) parts_[static_cast<size_t>(out.pushedOut)].tint = kPushedRed;
    if (!out.joined) return;
    const int n = out.placedIn;
    const int word = SlotOfPart(part);
    parts_[static_cast<size_t>(2 * word - 1)].tint = kJoinedGreen;
    parts_[static_cast<size_t>(2 * word)].tint = kJoinedGreen;
    if (tr.t.opt.OptGreifteile != kGreifteileZusammen) return;
    // On the clean page, so that every later frame shows it.
    const GrabWord& w = words_[static_cast<size_t>(word - 1)];
    SetActivePage(d, 0);
    SetSizeReal(tr, 3.6);
    SetTextJustify(d, 0, 2);
    SetColor(d, colour::Navy);
    OutTextXY(d, kJoinedTextX, 50 * n + kSlotTextDy, w.first + " " + w.second);
    SetActivePage(d, -1);
}

// Page 0 (the slots) into page 1 with every free part on it, page 1 on the
// screen, and the held part and the hand over it.
void GrabbingGame::Compose() {
    Bitmap* clean = d.Pages[0].get();
    Bitmap* frame = d.Pages[1].get();
    if (!clean || !frame) return;
    CopyPage(d, 1, 0);
    const Rect clip = SpriteArea(d).Intersect(frame->Bounds());
    for (int i = 1; i <= kGrabParts; ++i) {
        const PartObject& p = board.Part(i);
        if (!p.inPlay || p.held) continue;
        const Rect at = WindowRect(d, p.x, p.y, 0, 0);
        DrawGrabSprite(*frame, parts_[static_cast<size_t>(i)], at.left, at.top, clip);
    }
    if (exclusive_) ShowPageExclusive(d, 1, false, false);
    else ShowPage(d, 1, false);
    composed_ = true;
    DrawOnTop();
    d.PresentIfDirty();
}

void GrabbingGame::DrawOnTop() {
    Bitmap& window = d.Canvas();
    const Rect clip = SpriteArea(d);
    Rect drawn;
    if (board.held != 0) {
        const PartObject& p = board.Part(board.held);
        const GrabSprite& s = parts_[static_cast<size_t>(board.held)];
        const Rect at = WindowRect(d, p.x, p.y, s.w, s.h);
        DrawGrabSprite(window, s, at.left, at.top, clip);
        drawn = drawn.Union(at);
    }
    const GrabSprite& h = board.held != 0 ? fist_ : hand_;
    const Rect at = WindowRect(d, handAt_.x, handAt_.y, h.w, h.h);
    DrawGrabSprite(window, h, at.left, at.top, clip);
    drawn = drawn.Union(at);
    onTop_ = drawn.Intersect(clip);
}

// Between frames the hand and the held part follow the pointer at once:
// their last places are put back from the frame below them.
void GrabbingGame::OnMouseMove() {
    if (!composed_) return;
    const Bitmap* frame = d.Pages[1].get();
    if (!frame) return;
    int px = 0;
    int py = 0;
    const bool down = GetMouseState(d, px, py) != 0;
    handAt_ = HandPosition(Point{px, py});
    if (down) FollowFist(board, handAt_);
    const Rect was = onTop_;
    if (!was.Empty()) Blit(d.Canvas(), was.left, was.top, *frame, was);
    DrawOnTop();
    d.MarkDirty(was.Union(onTop_));
}

// ---- The end of a group -----------------------------------------------------------------

void GrabbingGame::Applause() {
    board.GrabMistakes = std::min(board.GrabMistakes, 10);
    clapBack_ = d.Canvas();
    TakeClick(d);
    for (const Clap& clap : ApplauseClaps(board.GrabMistakes)) {
        if (KeyPressed(d) || TakeClick(d) != 0) break;
        DrawClap(clapOpen_);
        Delay(d, clap.openMs);
        if (SoundOn(tr)) PlayWav(d, "wavs\\klatsch.wav");
        DrawClap(clapClosed_);
        Delay(d, clap.closedMs);
    }
}

void GrabbingGame::DrawClap(const GrabSprite& clap) {
    const Rect at = WindowRect(d, kClapX, kClapY, clap.w, clap.h);
    const Rect place = at.Intersect(SpriteArea(d)).Intersect(clapBack_.Bounds());
    if (place.Empty()) return;
    Blit(d.Canvas(), place.left, place.top, clapBack_, place);
    DrawGrabSprite(d.Canvas(), clap, at.left, at.top, place);
    d.MarkDirty(place);
    d.PresentIfDirty();
}

void GrabbingGame::AskForKey() {
    if (!KeyPressed(d)) {
        SetTextStyle(d, tr.t.opt.GraphFont, 0, 2);
        SetTextJustify(d, 0, 2);
        SetColor(d, colour::White);
        OutTextXY(d, 20, 440, "Taste");
        d.MarkDirty();
        WaitForKeyOrPress();
    }
    while (KeyPressed(d)) tr.t.LastKey = static_cast<char>(ReadKey(d));
    TakeClick(d);
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    Bar(d, 0, 0, 639, 479);
    d.MarkDirty();
}

// ---- The launcher ------------------------------------------------------------------------

void RunGrabbing(Trainer& tr) { RunGrabbing(tr, {}); }

void RunGrabbing(Trainer& tr, const std::function<void(GrabbingGame&)>& watch) {
    if (!WordFileFits(tr)) return;
    TrainerState& t = tr.t;
    const int separated = t.opt.OptGreifteile;
    // The list's "/" sets " getrennt " for this run only, also when a
    // resize unwinds it.
    struct Restore {
        Options& opt;
        int value;
        ~Restore() { opt.OptGreifteile = value; }
    } restore{t.opt, separated};
    if (HasSeparatedMark(t.WordList[1])) {
        t.opt.OptGreifteile = kGreifteileGetrennt;
        t.WordList[1] = WithoutSeparatedMark(t.WordList[1]);
    }
    {
        GrabbingGame game(tr);
        if (watch) watch(game);
        game.PrepareGrabbing();
        game.PlayGroups();
        game.EndGrabbing();
    }
    CloseGraph(tr.d);
}

}  // namespace qs
