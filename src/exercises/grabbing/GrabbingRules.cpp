#include "exercises/grabbing/GrabbingRules.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "exercises/contact/Notation.h"
#include "screen/GraphMapping.h"

namespace qs {

namespace {

// The catch area of slot n: where a dropped part's point must lie.
constexpr int kCatchLeft = 187;
constexpr int kCatchRight = 453;
constexpr int kCatchHeight = 32;
constexpr int kSlotPitch = 50;
// A placed part slides between these, its picture inside the slot.
constexpr int kSlotMinX = 189;
constexpr int kSlotMaxX = kCatchRight - kPartW;
constexpr int kSlotPartY = 6;
constexpr int kRetries = 6;

void StepAxis(int& v, int& d, int lo, int hi) {
    if (v + d < lo || v + d > hi) d = -d;
    if ((v > hi && d > 0) || (v < lo && d < 0)) d = -d;
    if (!(lo == hi && v == lo)) v += d;
    if (v < 0) v = 0;
}

MoveRect Pinned(int x, int y) { return MoveRect{x, x, y, y}; }

bool Near(const PartObject& p, Point fist) {
    return p.x - 40 < fist.x && fist.x < p.x + 90 && p.y - 40 < fist.y && fist.y < p.y + 12;
}

// The two parts of a word come to rest side by side at the slot's left:
// the second right behind the text of the first.
void Join(GrabBoard& b, int a, int c, int slot) {
    PartObject& first = b.Part(std::min(a, c));
    PartObject& second = b.Part(std::max(a, c));
    const int y = SlotRect(slot).minY;
    first.r = Pinned(kSlotMinX, y);
    second.r = Pinned(std::min(kSlotMinX + first.textWidth, kSlotMaxX), y);
    first.joined = second.joined = true;
    b.occupied[static_cast<size_t>(slot)] = true;
}

void PushOut(PartObject& p) {
    p.r = ScreenRect();
    p.placed = false;
    p.slot = 0;
}

bool AllPlaced(const GrabBoard& b) {
    for (int i = 1; i <= kGrabParts; ++i)
        if (b.Part(i).inPlay && !b.Part(i).placed) return false;
    return true;
}

}  // namespace

void MoveOneStep(Mover& m) {
    StepAxis(m.x, m.dx, m.r.minX, m.r.maxX);
    StepAxis(m.y, m.dy, m.r.minY, m.r.maxY);
}

MoveRect StartRect(int i) {
    return MoveRect{4 * i, kGraphWidth - 4 * i - kPartW, 4 * i, kGraphHeight - 4 * i - kPartH};
}

Point StartPosition(int i) {
    if (i % 2 == 1) return Point{100, 20 * i + 100};
    return Point{10 * i + 100, 100};
}

MoveRect ScreenRect() {
    return MoveRect{0, kGraphWidth - 1 - kPartW, 0, kGraphHeight - 1 - kPartH};
}

MoveRect SlotRect(int n) {
    const int y = kSlotPitch * n + kSlotPartY;
    return MoveRect{kSlotMinX, kSlotMaxX, y, y};
}

Point HandPosition(Point pointer) {
    return Point{std::clamp(pointer.x, 0, kGraphWidth - kHandW),
                 std::clamp(pointer.y, 0, kGraphHeight - kHandH)};
}

void StartGroup(GrabBoard& b, int wordCount, int greifen) {
    b.wordCount = std::clamp(wordCount, 0, kGrabWords);
    b.greifen = greifen;
    b.held = 0;
    b.offset = {};
    b.occupied.fill(false);
    b.GrabMistakes = 0;
    b.Finishing = false;
    for (int i = 1; i <= kGrabParts; ++i) {
        PartObject& p = b.Part(i);
        p.r = StartRect(i);
        p.inPlay = i <= 2 * b.wordCount;
        p.placed = p.held = p.joined = false;
        p.slot = 0;
        if (greifen != kGreifenZweiterTeil || i % 2 == 0 || !p.inPlay) continue;
        p.slot = SlotOfPart(i);
        p.x = kSlotMinX;
        p.y = SlotRect(p.slot).minY;
        p.r = Pinned(p.x, p.y);
        p.placed = true;
    }
}

int PartUnder(const GrabBoard& b, Point fist) {
    for (int i = 1; i <= kGrabParts; ++i) {
        const PartObject& p = b.Part(i);
        if (p.inPlay && !p.placed && Near(p, fist)) return i;
    }
    return 0;
}

void Grab(GrabBoard& b, int part, Point fist) {
    PartObject& p = b.Part(part);
    p.held = true;
    p.r = ScreenRect();
    b.held = part;
    b.offset = Point{fist.x - p.x, fist.y - p.y};
}

void FollowFist(GrabBoard& b, Point fist) {
    if (b.held == 0) return;
    PartObject& p = b.Part(b.held);
    p.x = std::clamp(fist.x - b.offset.x, p.r.minX, p.r.maxX);
    p.y = std::clamp(fist.y - b.offset.y, p.r.minY, p.r.maxY);
}

int SlotAt(int x, int y) {
    if (x < kCatchLeft || x > kCatchRight) return 0;
    for (int n = 1; n <= kGrabWords; ++n)
        if (y >= kSlotPitch * n && y <= kSlotPitch * n + kCatchHeight) return n;
    return 0;
}

DropOutcome Drop(GrabBoard& b) {
    DropOutcome out;
    if (b.held == 0) return out;
    const int g = b.held;
    PartObject& part = b.Part(g);
    part.held = false;
    b.held = 0;
    const int n = SlotAt(part.x, part.y + 10);
    if (part.joined || n == 0 || n > b.wordCount || b.occupied[static_cast<size_t>(n)]) return out;
    if (b.greifen != kGreifenAlles && n != SlotOfPart(g)) {
        ++out.mistakes;
        b.GrabMistakes += out.mistakes;
        return out;
    }
    part.r = SlotRect(n);
    part.placed = true;
    part.slot = n;
    out.placedIn = n;
    for (int i = 1; i <= kGrabParts; ++i) {
        PartObject& other = b.Part(i);
        if (i == g || !other.placed || other.slot != n) continue;
        if (Partners(i, g)) {
            Join(b, i, g, n);
            out.joined = true;
        } else {
            PushOut(other);
            out.pushedOut = i;
            ++out.mistakes;
        }
    }
    b.GrabMistakes += out.mistakes;
    if (AllPlaced(b)) b.Finishing = true;
    return out;
}

bool VisiblePart(const std::string& part) {
    return std::any_of(part.begin(), part.end(),
                       [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

std::optional<GrabGroup> NextGroup(std::span<const std::string> lines, int& position) {
    const int count = static_cast<int>(lines.size());
    auto line = [&](int no) -> const std::string& { return lines[static_cast<size_t>(no - 1)]; };
    for (int attempt = 0; attempt <= kRetries; ++attempt) {
        if (position >= count) position = 1;
        while (position <= count && IsBlockEnd(line(position))) ++position;
        GrabGroup g;
        g.firstLine = position;
        for (int taken = 0; taken < kGrabWords && position <= count && !IsBlockEnd(line(position));
             ++taken, ++position) {
            const ContactPair pair = SplitContactLine(line(position));
            if (pair.hyphens == 0 || !VisiblePart(pair.first) || !VisiblePart(pair.second))
                continue;
            g.words.push_back(GrabWord{position, pair.first, pair.second});
        }
        if (!g.words.empty()) return g;
    }
    return std::nullopt;
}

std::vector<Clap> ApplauseClaps(int mistakes) {
    const int m = std::clamp(mistakes, 0, 10);
    std::vector<Clap> claps;
    for (int t = 0; t <= 60 - 5 * m; t += 5)
        claps.push_back(Clap{80 * m + 60 - t / 2, 80 * m + 100});
    return claps;
}

}  // namespace qs
