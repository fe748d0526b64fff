// The rules of "Greifen" apart from drawing: how the word parts fly inside
// their rectangles, which part the hand grabs, what a drop into a word slot
// does, how the lines of a list form groups, and the rhythm of the applause.
// Positions are graph points of a picture's top-left corner.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Geometry.h"

namespace qs {

constexpr int kGrabParts = 16;  // two parts for each of at most 8 words
constexpr int kGrabWords = 8;
constexpr int kPartW = 130;  // a part's text picture, graph units
constexpr int kPartH = 32;
constexpr int kHandW = 40;
constexpr int kHandH = 48;

// OptGreifen
constexpr int kGreifenAlles = 0;
constexpr int kGreifenVorgabe = 1;
constexpr int kGreifenZweiterTeil = 2;
// OptGreifteile
constexpr int kGreifteileZusammen = 0;
constexpr int kGreifteileGetrennt = 1;

// Where the top-left corner of a moving picture may go, edges included.
struct MoveRect {
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    friend bool operator==(const MoveRect&, const MoveRect&) = default;
};

struct Mover {
    int x = 0;
    int y = 0;
    int dx = 1;
    int dy = 1;
    MoveRect r;
};

// One frame of flight: a step that would leave the rectangle turns back, a
// picture outside it turns towards it, and a picture pinned where its
// rectangle has no width (or height) stays.
void MoveOneStep(Mover& m);

// The rectangle of part i (1..16) while it flies freely at the start of a
// group: nested, part 1's the largest.
MoveRect StartRect(int i);
// Where part i first appears.
Point StartPosition(int i);
// The whole screen, for a part that was grabbed or pushed out of a slot.
MoveRect ScreenRect();
// A part placed in slot n slides left and right inside it.
MoveRect SlotRect(int n);
// The hand follows the pointer inside this rectangle.
Point HandPosition(Point pointer);

struct PartObject : Mover {
    bool inPlay = false;  // the group has this part
    bool placed = false;
    bool held = false;
    bool joined = false;
    int slot = 0;       // the slot it is placed in, 0 when none
    int textWidth = 0;  // graph units
};

// What a drop did, for the screen to show.
struct DropOutcome {
    int placedIn = 0;  // the slot the part went into, 0 when none
    bool joined = false;
    int pushedOut = 0;  // the part pushed out of the slot, 0 when none
    int mistakes = 0;
};

// The parts of one group and what the hand does with them.
struct GrabBoard {
    std::array<PartObject, kGrabParts + 1> parts{};  // 1..16; entry 0 unused
    int wordCount = 0;
    int greifen = kGreifenAlles;
    int held = 0;  // the grabbed part, 0 when none
    Point offset;  // fist position - part position at the grab
    std::array<bool, kGrabWords + 1> occupied{};
    int GrabMistakes = 0;
    bool Finishing = false;

    PartObject& Part(int i) { return parts[static_cast<size_t>(i)]; }
    const PartObject& Part(int i) const { return parts[static_cast<size_t>(i)]; }
};

// A new group of words: every part gets its start rectangle and loses its
// flags; the positions stay where the last group left them. With
// " 2.Teil " the first parts are put into their slots at once.
void StartGroup(GrabBoard& b, int wordCount, int greifen);

// The part the hand at fist grabs: the first free part in play whose place
// is near enough; 0 when none.
int PartUnder(const GrabBoard& b, Point fist);
void Grab(GrabBoard& b, int part, Point fist);
// The held part follows the fist, kept inside its rectangle.
void FollowFist(GrabBoard& b, Point fist);
// The held part is let go where it is.
DropOutcome Drop(GrabBoard& b);

// The slot whose catch area holds the point, 0 when none.
int SlotAt(int x, int y);
// The slot that part i belongs to with " Vorgabe " and " 2.Teil ".
inline int SlotOfPart(int i) { return (i + 1) / 2; }
inline bool Partners(int a, int b) { return a != b && SlotOfPart(a) == SlotOfPart(b); }

// ---- Groups -------------------------------------------------------------------

// One word of a group: its line and its two parts.
struct GrabWord {
    int line = 0;
    std::string first;
    std::string second;
};

// A part the child can see: something in it besides blanks and control bytes.
bool VisiblePart(const std::string& part);

// The next group from position on (lines[0] is line 1): the word lines up
// to the next line beginning with "-", at most 8. Position then stands
// after the group. A group without a word the game can show is tried again
// from the top, at most six times; nullopt when none came.
struct GrabGroup {
    int firstLine = 0;
    std::vector<GrabWord> words;
};
std::optional<GrabGroup> NextGroup(std::span<const std::string> lines, int& position);

// ---- Applause ----------------------------------------------------------------

// One clap: the open hands stand openMs, the closed ones closedMs.
struct Clap {
    int openMs = 0;
    int closedMs = 0;
};
// Fewer mistakes give more and quicker claps; more than 10 count as 10.
std::vector<Clap> ApplauseClaps(int mistakes);

}  // namespace qs
