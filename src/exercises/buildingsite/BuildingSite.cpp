#include "exercises/buildingsite/BuildingSite.h"

#include <algorithm>
#include <utility>

#include "base/Geometry.h"
#include "exercises/buildingsite/BarrowFilm.h"
#include "exercises/common/Kit.h"
#include "exercises/common/Players.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "trainer/QuitKeys.h"
#include "trainer/Random.h"

namespace qs {

namespace {

constexpr int kBricksPerTask = 5;
constexpr int kCourseHeight = 56;
// The brick row above the wall and the strip it is cleared in.
constexpr int kRowLeft = 10;
constexpr int kRowGap = 16;
constexpr int kRowRight = 630;
constexpr int kBrickTop = 20;
constexpr int kBrickBottom = 76;
constexpr Rect kRowStrip{0, 13, 640, 83};
// Clicks above this pick a brick; below kWallClickTop they aim at the wall.
constexpr int kBrickClickBottom = 91;
constexpr int kWallClickTop = 137;
// OptTon 1: only the typing and error tones.
constexpr int kTapOnly = 1;

const char* const kUnclosed = "Fehler in Textdatei: - vergessen!";

}  // namespace

// ---- Pure rules --------------------------------------------------------------------

int CourseTop(int course) { return kWallBottom - kCourseHeight * course; }

int CourseBase(int course) { return CourseTop(course) + 22; }

int CourseOfLine(int lines, int n) {
    if (lines == 1) return 3;
    if (lines == 3) return 2 * n - 1;
    return n;
}

int LinesPerTask(int optBaustelle) {
    if (optBaustelle >= 5) return 5;
    if (optBaustelle >= 3) return 3;
    return 1;
}

int BarrowBack(int x, int units) { return std::max(x - units, std::min(x, kBarrowMin)); }

int BarrowOn(int x, int units) { return std::min(x + units, std::max(x, kBarrowEnd)); }

int DriveRounds(int lines) { return lines / 2 + 4; }

int TaskPoints(int lines, int mistakes) { return std::max(0, lines - mistakes); }

std::string SiteWinnerText(const PlayersState& p, int points1, int points2) {
    if (points1 == points2) return "Beide Spieler haben gewonnen!";
    return (points1 > points2 ? p.PlayerName1 : p.PlayerName2) + " hat gewonnen!";
}

namespace {

std::vector<std::string> WordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

// Walks the line's pieces from left to right; `end` is where the last one
// drawn ends.
struct LineWalk {
    WallLine& w;
    const TextMeasure& width;
    int x = 0;
    int end = 0;
    bool any = false;
    bool afterGap = false;

    // A joint between two pieces: in the middle, or right at the gap's
    // edge (the joint's double line ends 3 right of its x).
    int JointX() const { return afterGap ? end + 5 : end + 8; }
    // The next piece's x: 12 after a piece it is joined to (the gap's edge
    // lies between), else 16 with a joint between them.
    void Advance(bool joined) {
        if (!any) return;
        if (joined) {
            x = end + 12;
        } else {
            w.joints.push_back(JointX());
            x = end + 16;
        }
        afterGap = false;
    }
    void Word(const std::string& word, bool joined) {
        Advance(joined);
        w.words.push_back({x, word});
        end = x + width(word);
        any = true;
    }
    void Gap(const std::string& brick, bool joined) {
        if (!any) w.joints.push_back(x - 8);
        Advance(joined);
        w.gapLeft = x - 4;
        end = x + width(brick);
        w.gapRight = end + 4;
        any = true;
        afterGap = true;
    }
};

}  // namespace

WallLine LayOutWallLine(const BuildingSiteLine& line, size_t length, int course,
                        const TextMeasure& width) {
    WallLine w;
    w.course = course;
    w.base = CourseBase(course);
    w.startX = 320 - 9 * static_cast<int>(std::min<size_t>(length, 100));
    w.text = WallText(line);
    w.brick = line.brick;
    for (int p = course % 2 == 0 ? 150 : 100; p <= w.startX - 40; p += 100) {
        w.joints.push_back(p);
        w.lastLeftJoint = p;
    }
    if (w.lastLeftJoint == 0) w.lastLeftJoint = kCourseLeft - 4;
    LineWalk walk{w, width, w.startX};
    const std::vector<std::string> before = WordsOf(line.before);
    const std::vector<std::string> after = WordsOf(line.after);
    const bool joinedBefore = !line.before.empty() && line.before.back() != ' ';
    const bool joinedAfter = !line.after.empty() && line.after.front() != ' ';
    for (size_t i = 0; i < before.size(); ++i) walk.Word(before[i], false);
    walk.Gap(line.brick, joinedBefore);
    for (size_t i = 0; i < after.size(); ++i) walk.Word(after[i], i == 0 && joinedAfter);
    const int closing = walk.JointX();
    w.joints.push_back(closing);
    w.textRight = closing;
    for (int p = closing; p < 495;) {
        p += 100;
        w.joints.push_back(p);
    }
    const int leftmost =
        std::min({w.startX, w.gapLeft, *std::min_element(w.joints.begin(), w.joints.end())});
    w.fits = leftmost >= kCourseLeft && closing + 3 <= kCourseRight;
    return w;
}

SiteLineUse UseOfSiteLine(const BuildingSiteLine& line) {
    if (!line.opened) return SiteLineUse::Skip;
    if (!line.closed) return SiteLineUse::Unclosed;
    if (line.hyphens > 2) return SiteLineUse::Skip;
    if (line.brick.find_first_not_of(' ') == std::string::npos) return SiteLineUse::Skip;
    for (char c : line.brick)
        if (!IsBuildingSiteKey(static_cast<unsigned char>(c))) return SiteLineUse::Skip;
    return SiteLineUse::Play;
}

SiteTask ReadSiteTask(const std::function<const std::string&(int)>& lineAt, int wordCount,
                      int& position, int lines, const TextMeasure& width) {
    SiteTask t;
    if (wordCount <= 0) return t;
    // A whole round through the list without a brick: nothing more to find.
    int sinceBrick = 0;
    while (static_cast<int>(t.bricks.size()) < kBricksPerTask && sinceBrick < wordCount) {
        position = position >= wordCount || position < 0 ? 1 : position + 1;
        ++sinceBrick;
        const std::string& raw = lineAt(position);
        const BuildingSiteLine l = ParseBuildingSiteLine(raw);
        const SiteLineUse use = UseOfSiteLine(l);
        if (use == SiteLineUse::Unclosed) {
            t.unclosed = true;
            break;
        }
        if (use == SiteLineUse::Skip) continue;
        const int n = static_cast<int>(t.bricks.size()) + 1;
        if (n <= lines) {
            WallLine w = LayOutWallLine(l, raw.size(), CourseOfLine(lines, n), width);
            if (!w.fits) continue;
            t.shown.push_back(std::move(w));
        }
        t.bricks.push_back(l.brick);
        sinceBrick = 0;
    }
    return t;
}

std::vector<BrickPlace> LayOutBrickRow(const std::vector<std::string>& bricks,
                                       const std::vector<int>& order, const TextMeasure& width) {
    std::vector<BrickPlace> row;
    int x = kRowLeft;
    for (int n : order) {
        const int w = width(bricks[static_cast<size_t>(n - 1)]) + 16;
        row.push_back({n, x, x + w});
        x += w + kRowGap;
    }
    return row;
}

int BrickAt(const std::vector<BrickPlace>& row, int x) {
    for (const BrickPlace& p : row)
        if (x >= p.left && x <= p.right) return p.brick;
    return 0;
}

namespace {

// The band of y a click on gap n takes, by the number of lines.
std::pair<int, int> GapBand(int lines, int n) {
    if (lines == 1) return {256, 312};
    if (lines == 3) return {366 - 112 * (n - 1), 424 - 112 * (n - 1)};
    return {420 - 56 * n, 469 - 56 * n};
}

}  // namespace

int GapAt(const SiteTask& task, int lines, bool largeBricks, const std::vector<bool>& filled, int x,
          int y) {
    for (size_t i = 0; i < task.shown.size(); ++i) {
        if (i < filled.size() && filled[i]) continue;
        const WallLine& w = task.shown[i];
        const auto [top, bottom] = GapBand(lines, static_cast<int>(i) + 1);
        const int right = largeBricks ? w.textRight : w.gapRight;
        if (y >= top && y <= bottom && x >= w.gapLeft && x <= right) return static_cast<int>(i) + 1;
    }
    return 0;
}

// ---- The game ----------------------------------------------------------------------

namespace {

ScreenLayout SiteLayout() {
    ScreenLayout layout;
    layout.scratchW = 60;
    layout.scratchH = 60;
    layout.slots = {{kBarrowSlot, 60, 60, "karre1"},     {kBarrowSlot + 1, 60, 60, "karre2"},
                    {kBarrowSlot + 2, 60, 60, "karre3"}, {kBarrowSlot + 3, 40, 40, "karre4"},
                    {kBarrowSlot + 4, 40, 40, "karre5"}, {kBarrowSlot + 5, 60, 60, "karre6"}};
    return layout;
}

}  // namespace

BuildingSite::BuildingSite(Trainer& trainer) : monitor(trainer, SiteLayout()) {}

TextMeasure BuildingSite::Measure() {
    return [this](const std::string& s) { return TextWidth640(d, s); };
}

void BuildingSite::TapSound() {
    if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
}

// ---- The site ------------------------------------------------------------------------

void BuildingSite::DrawJoint(int x, int base) {
    SetLineStyle(d, 0, 0, 2);
    SetColor(d, colour::Black);
    Line(d, x, base - 20, x, base + 33);
    Line(d, x + 3, base - 20, x + 3, base + 33);
}

void BuildingSite::ClearCourse(int course) {
    SetFillStyle(d, fillstyle::Solid, colour::Maroon);
    const int top = CourseTop(course);
    Bar(d, kCourseLeft, top + 2, kCourseRight, top + kCourseHeight - 2);
}

void BuildingSite::DrawCourseJoints(int course) {
    for (int p = course % 2 == 0 ? 150 : 100; p < 590; p += 100) DrawJoint(p, CourseBase(course));
}

void BuildingSite::DrawSite() {
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, 0, 415, 639, 479);
    PutImage(d, 0, 375, Karre(4));
    PutImage(d, 593, 375, Karre(5));
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    Bar(d, kWallLeft, kWallTop, kWallRight, kWallBottom);
    for (int c = 1; c <= 5; ++c) {
        ClearCourse(c);
        DrawCourseJoints(c);
    }
    barrowDrawnAt_ = -1;
    DrawBarrow(1, BarrowX);
}

void BuildingSite::DrawWallLine(const WallLine& line) {
    const int top = line.base - 20;
    const int bottom = line.base + 32;
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    if (Large()) Bar(d, line.lastLeftJoint + 4, top, line.textRight, bottom);
    Bar(d, line.gapLeft, top, line.gapRight, bottom);
    for (int x : line.joints) DrawJoint(x, line.base);
    SetSize(tr, 4);
    SetColor(d, Large() ? colour::Navy : colour::Cyan);
    for (const WallWord& w : line.words) OutTextXY(d, w.x, line.base - 10, w.text);
}

// The barrow stands on the ground; what the picture at its new place does
// not cover of the old one is ground again.
void BuildingSite::DrawBarrow(int n, int x) {
    const int old = barrowDrawnAt_;
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    if (old >= 0 && x > old) Bar(d, old, kBarrowY, x, 479);
    if (old >= 0 && x < old) Bar(d, x + 59, kBarrowY, old + 60, 479);
    PutImage(d, x, kBarrowY, Karre(n));
    barrowDrawnAt_ = x;
}

void BuildingSite::RollBack(int units) {
    BarrowX = BarrowBack(BarrowX, units);
    DrawBarrow(6, BarrowX);
}

// ---- A task --------------------------------------------------------------------------

void BuildingSite::ChooseStart() {
    PlayersState& p = tr.players;
    p.MistakeNoted = false;
    if (tr.t.opt.OptWortwahl == 1) return;
    const int count = tr.t.WordCount;
    int r = 1;
    for (int i = 0; i < 11; ++i) {
        r = Random(tr, count) + 1;
        if (std::abs(r - p.CurrentWordNo) > 3) break;
    }
    p.CurrentWordNo = r;
    position_ = r;
}

bool BuildingSite::PrepareTask() {
    const int lines = Lines();
    for (int n = 1; n <= lines; ++n) ClearCourse(CourseOfLine(lines, n));
    ChooseStart();
    const int first = position_ >= tr.t.WordCount ? 1 : position_ + 1;
    if (tr.t.opt.OptWortwahl == 1) tr.players.CurrentWordNo = first;
    SetSize(tr, 4);
    task_ = ReadSiteTask(
        [this](int n) -> const std::string& { return tr.t.WordList[static_cast<size_t>(n)]; },
        tr.t.WordCount, position_, lines, Measure());
    for (const WallLine& w : task_.shown) DrawWallLine(w);
    for (int n = static_cast<int>(task_.shown.size()) + 1; n <= lines; ++n)
        DrawCourseJoints(CourseOfLine(lines, n));
    if (task_.unclosed) ShowUnclosedMessage();
    filled_.assign(task_.shown.size(), false);
    typed_.clear();
    letterX_.clear();
    done_ = false;
    gap_ = 1;
    tr.players.TaskMistakes = 0;
    if (task_.shown.empty()) return false;
    LayOutBricks();
    if (tr.players.PlayerCount == 2) DrawNames();
    selected_ = row_.front().brick;
    cursorX_ = task_.shown.front().gapLeft + 3;
    DrawBarrow(1, BarrowX);
    SetColor(d, colour::Pink);
    SetLineStyle(d, 0, 0, 2);
    if (MouseOn(tr)) RedrawBrickRow(selected_, colour::Red);
    else RedrawBrickRow(0, colour::Grey);
    return true;
}

// In size 3: size 4 reaches down onto the wall.
void BuildingSite::ShowUnclosedMessage() {
    SetSize(tr, 3);
    SetColor(d, colour::Red);
    OutTextXY(d, 40, 100, kUnclosed);
    messageShown_ = true;
}

void BuildingSite::ClearUnclosedMessage() {
    if (!messageShown_) return;
    SetSize(tr, 3);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    ClearText(tr, 40, 100, kUnclosed);
    messageShown_ = false;
    if (tr.players.PlayerCount == 2) DrawNames();
    if (Tasks > 0) ShowScores();
}

// The bricks in random order, each once; a row too wide for the screen
// takes a smaller text, and at the smallest one leaves out bricks that no
// gap of this task needs.
void BuildingSite::LayOutBricks() {
    std::vector<int> order;
    for (int n = 1; n <= static_cast<int>(task_.bricks.size()); ++n) order.push_back(n);
    for (int i = static_cast<int>(order.size()) - 1; i > 0; --i)
        std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(Random(tr, i + 1))]);
    const int needed = static_cast<int>(task_.shown.size());
    for (;;) {
        for (brickSize_ = 4; brickSize_ >= 2; --brickSize_) {
            SetSize(tr, brickSize_);
            row_ = LayOutBrickRow(task_.bricks, order, Measure());
            if (row_.back().right <= kRowRight) break;
        }
        if (row_.back().right <= kRowRight || brickSize_ > 2) break;
        const auto spare = std::max_element(order.begin(), order.end());
        if (*spare <= needed) break;
        order.erase(spare);
    }
    brickSize_ = std::max(brickSize_, 2);
    SetSize(tr, 4);
}

void BuildingSite::DrawBrick(const BrickPlace& place) {
    SetFillStyle(d, fillstyle::Solid, colour::Maroon);
    Bar(d, place.left, kBrickTop, place.right, kBrickBottom);
    SetLineStyle(d, 0, 0, 1);
    SetColor(d, colour::Black);
    Rectangle(d, place.left, kBrickTop, place.right, kBrickBottom);
    SetSize(tr, brickSize_);
    SetColor(d, colour::Green);
    OutTextXY(d, place.left + 8, 32, task_.bricks[static_cast<size_t>(place.brick - 1)]);
    SetSize(tr, 4);
}

// The row drawn anew on a clear strip, with one brick framed: the frame
// of the mouse's choice (red in teal), or the yellow one RETURN shows.
void BuildingSite::RedrawBrickRow(int framed, int frameColour) {
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, kRowStrip.left, kRowStrip.top, kRowStrip.right - 1, kRowStrip.bottom - 1);
    for (const BrickPlace& p : row_) DrawBrick(p);
    SetLineStyle(d, 0, 0, 2);
    for (const BrickPlace& p : row_) {
        if (p.brick != framed) continue;
        if (frameColour == colour::Red) {
            SetColor(d, colour::Teal);
            Rectangle(d, p.left - 5, 15, p.right + 5, 81);
        }
        SetColor(d, frameColour);
        Rectangle(d, p.left - 3, 17, p.right + 3, frameColour == colour::Red ? 80 : 79);
    }
}

// The player whose turn it is stands in yellow, the other one in grey.
void BuildingSite::DrawNames() {
    const PlayersState& p = tr.players;
    SetSize(tr, 3);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    ClearText(tr, 40, 100, p.PlayerName1);
    ClearText(tr, 460, 100, p.PlayerName2);
    SetColor(d, p.Player1Turn ? colour::LightYellow : colour::DarkGrey);
    OutTextXY(d, 40, 100, p.PlayerName1);
    SetColor(d, p.Player1Turn ? colour::DarkGrey : colour::LightYellow);
    OutTextXY(d, 460, 100, p.PlayerName2);
    SetSize(tr, 4);
}

// A filled gap takes the brick's colour; a large brick fills its course
// from the line's start to the wall's right end and the line is written
// anew on it as one text.
void BuildingSite::FillGap(int gap, int textColour, int lineColour) {
    const WallLine& w = task_.shown[static_cast<size_t>(gap - 1)];
    filled_[static_cast<size_t>(gap - 1)] = true;
    SetFillStyle(d, fillstyle::Solid, colour::Maroon);
    SetSize(tr, 4);
    if (Large()) {
        Bar(d, w.lastLeftJoint + 4, w.base - 20, kCourseRight, w.base + 32);
        SetColor(d, lineColour);
        OutTextXY(d, w.startX + 4, w.base - 10, w.text);
    } else {
        Bar(d, w.gapLeft, w.base - 20, w.gapRight, w.base + 32);
        SetColor(d, textColour);
        OutTextXY(d, w.gapLeft + 3, w.base - 10, w.brick);
    }
}

// ---- With the mouse ----------------------------------------------------------------

void BuildingSite::WorkWithMouse() {
    TakeClick(d);
    while (!done_) {
        if (KeyPressed(d)) {
            ReadKeyOrQuit(tr);
            if (tr.t.LastKey == keycode::Esc) return;
            continue;
        }
        if (TakeClick(d) == 1) {
            int x = 0, y = 0;
            GetMouseState(d, x, y);
            if (y < kBrickClickBottom) {
                const int brick = BrickAt(row_, x);
                if (brick != 0 && brick != selected_) {
                    selected_ = brick;
                    RedrawBrickRow(selected_, colour::Red);
                }
            } else if (y > kWallClickTop) {
                ClickOnWall(x, y);
            }
            continue;
        }
        Delay(d, 20);
        NoteWaitingForInput(d);
    }
}

// Bricks of the same text fit the same gap: a child cannot tell them apart.
void BuildingSite::ClickOnWall(int x, int y) {
    PlayersState& p = tr.players;
    const int lines = Lines();
    const int gap = GapAt(task_, lines, Large(), filled_, x, y);
    if (gap == 0) return;
    const std::string& wanted = task_.bricks[static_cast<size_t>(gap - 1)];
    const bool right = task_.bricks[static_cast<size_t>(selected_ - 1)] == wanted;
    if (!right) {
        if (SoundOn(tr)) MistakeSound(tr);
        if (lines == 1) {
            p.TaskMistakes = std::max(p.TaskMistakes, 1);
            RollBack(2);
            Delay(d, 100);
        } else {
            p.TaskMistakes = std::min(p.TaskMistakes + 1, lines);
            RollBack(4);
        }
        return;
    }
    if (lines == 1) FillGap(gap, colour::Green, colour::LightYellow);
    else FillGap(gap, colour::Green, colour::Orange);
    ++gap_;
    if (SoundOn(tr)) SuccessSound(tr);
    done_ = std::all_of(filled_.begin(), filled_.end(), [](bool f) { return f; });
}

// ---- With the keys ---------------------------------------------------------------------

void BuildingSite::WorkWithKeys() {
    SetSize(tr, 4);
    while (!done_) {
        const WallLine& line = task_.shown[static_cast<size_t>(gap_ - 1)];
        const std::string& target = task_.bricks[static_cast<size_t>(gap_ - 1)];
        if (typed_.size() >= target.size()) TakeLastLetter(false);
        if (typed_.empty()) SavePage(d, 0);
        BlinkUntilKey(cursorX_, line.base);
        ReadKeyOrQuit(tr);
        if (tr.t.LastKey == keycode::Esc) return;
        TakeKey(static_cast<uint8_t>(tr.t.LastKey), d.keys.ExtendedKey);
    }
}

// A "?" blinks where the next letter goes: 400 ms shown, 400 ms the gap as
// page 0 holds it.
void BuildingSite::BlinkUntilKey(int x, int base) {
    const Rect place{x, base - 10, x + 31, base + 31};
    SetSize(tr, 4);
    for (int turn = 0; !KeyPressed(d); ++turn) {
        if (turn % 2 == 0) {
            SetColor(d, colour::Navy);
            OutTextXY(d, x, base - 10, "?");
        } else {
            ShowPageRect(d, 0, false, place);
        }
        for (int i = 0; i < 20 && !KeyPressed(d); ++i) {
            Delay(d, 20);
            NoteWaitingForInput(d);
        }
    }
    ShowPageRect(d, 0, false, place);
}

void BuildingSite::TakeKey(uint8_t key, bool extended) {
    const std::string& target = task_.bricks[static_cast<size_t>(gap_ - 1)];
    if (extended) return;
    if (key == keycode::Return) {
        RedrawBrickRow(gap_, colour::LightYellow);
    } else if (key == keycode::Backspace) {
        if (!typed_.empty()) TakeLastLetter(true);
    } else if (IsBuildingSiteKey(key) && typed_.size() < target.size()) {
        TypeLetter(static_cast<char>(key));
    } else {
        TapSound();
    }
}

void BuildingSite::TypeLetter(char c) {
    PlayersState& p = tr.players;
    const WallLine& line = task_.shown[static_cast<size_t>(gap_ - 1)];
    const std::string& target = task_.bricks[static_cast<size_t>(gap_ - 1)];
    const std::string letter(1, c);
    SetSize(tr, 4);
    SetColor(d, colour::Black);
    OutTextXY(d, cursorX_, line.base - 10, letter);
    letterX_.push_back(cursorX_);
    typed_ += c;
    if (typed_.size() < target.size()) {
        cursorX_ += TextWidth640(d, letter);
        TapSound();
        return;
    }
    if (typed_ == target) {
        GapTyped();
        return;
    }
    if (TonesOn(tr)) MistakeSound(tr);
    if (p.TaskMistakes < Lines()) ++p.TaskMistakes;
}

// The typed letters go back to the gap as page 0 holds it, and all but the
// last are written again: a letter's smoothed edge may reach into the one
// before.
void BuildingSite::TakeLastLetter(bool asBackspace) {
    const WallLine& line = task_.shown[static_cast<size_t>(gap_ - 1)];
    SetSize(tr, 4);
    Rect ink{letterX_.front(), line.base - 10, letterX_.back() + 1, line.base + 31};
    for (size_t i = 0; i < typed_.size(); ++i)
        ink = ink.Union(TextInkRect(d, letterX_[i], line.base - 10, typed_.substr(i, 1)));
    ShowPageRect(d, 0, false, ink);
    cursorX_ = letterX_.back();
    typed_.pop_back();
    letterX_.pop_back();
    SetColor(d, colour::Black);
    for (size_t i = 0; i < typed_.size(); ++i)
        OutTextXY(d, letterX_[i], line.base - 10, typed_.substr(i, 1));
    if (!asBackspace) return;
    TapSound();
    BarrowX = BarrowBack(BarrowX, 4);
    DrawBarrow(6, BarrowX + 2);
}

void BuildingSite::GapTyped() {
    FillGap(gap_, colour::Grey, colour::Grey);
    if (SoundOn(tr)) SuccessSound(tr);
    else if (tr.t.opt.OptTon == kTapOnly) TapSound();
    ++gap_;
    typed_.clear();
    letterX_.clear();
    if (gap_ > static_cast<int>(task_.shown.size())) {
        done_ = true;
        return;
    }
    cursorX_ = task_.shown[static_cast<size_t>(gap_ - 1)].gapLeft + 3;
}

// ---- After a task ------------------------------------------------------------------------

void BuildingSite::TaskDone() {
    PlayersState& p = tr.players;
    if (SoundOn(tr)) SuccessSound(tr);
    ++Tasks;
    if (p.PlayerCount != 2) ++p.TaskCount;
    else if (p.Player1Turn) p.TaskCount += TaskPoints(Lines(), p.TaskMistakes);
    else Points2 += TaskPoints(Lines(), p.TaskMistakes);
    ShowScores();
}

void BuildingSite::ShowScores() {
    const PlayersState& p = tr.players;
    SetSize(tr, 3);
    SetColor(d, colour::Navy);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    auto show = [&](int x1, int x2, int x, int value) {
        const std::string text = std::to_string(value);
        BarCovering(tr, x1, 90, x2, 120, TextInkRect(d, x, 100, text));
        OutTextXY(d, x, 100, text);
    };
    if (p.PlayerCount != 2) {
        show(308, 360, 310, p.TaskCount);
    } else {
        const int x = TextWidth640(d, p.PlayerName1) + 60;
        show(x - 2, x + 50, x, p.TaskCount);
        show(400, 450, 410, Points2);
    }
    SetSize(tr, 4);
}

// Waits 100 ms in steps; true when a key or a click came meanwhile.
bool BuildingSite::Interrupted(int ms) {
    for (int i = 0; i < ms / 20; ++i) {
        if (KeyPressed(d) || MouseButtons(d) != 0 || d.mouse.LastClick != 0) return true;
        Delay(d, 20);
    }
    return KeyPressed(d) || MouseButtons(d) != 0 || d.mouse.LastClick != 0;
}

void BuildingSite::Drive() {
    const int rounds = DriveRounds(Lines());
    for (int r = 0; r < rounds; ++r) {
        BarrowX = BarrowOn(BarrowX, 2);
        for (int frame : {2, 3, 2}) {
            DrawBarrow(frame, BarrowX);
            if (Interrupted(100)) {
                DrawBarrow(1, BarrowX);
                return;
            }
            BarrowX = BarrowOn(BarrowX, 2);
        }
        DrawBarrow(1, BarrowX);
        if (Interrupted(100)) return;
    }
}

void BuildingSite::WaitAfterTask() {
    if (Lines() == 1 && MouseOn(tr)) SetMouseY(d, 230);
    for (;;) {
        if (KeyPressed(d)) {
            ReadKeyOrQuit(tr);
            break;
        }
        if (MouseOn(tr) && TakeClick(d) != 0) break;
        Delay(d, 20);
        NoteWaitingForInput(d);
    }
    while (MouseButtons(d) != 0) Delay(d, 20);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, kRowStrip.left, kRowStrip.top, kRowStrip.right - 1, kRowStrip.bottom - 1);
    ClearUnclosedMessage();
    if (tr.players.PlayerCount == 2) tr.players.Player1Turn = !tr.players.Player1Turn;
}

bool BuildingSite::GameOver() const {
    return tr.players.Player1Turn && (BarrowX >= kBarrowEnd || Tasks >= kTasksPerGame);
}

// A task without a line to show: the list has nothing left to play, or a
// line with a "-" left open ended the reading at once. The message stands
// until a key or a click.
bool BuildingSite::NothingToPlay() {
    if (!task_.unclosed) {
        SetSize(tr, 3);
        SetColor(d, colour::Red);
        OutTextXY(d, 40, 100, "Keine Zeile der Liste passt zur Baustelle.");
    }
    WaitForKeyOrLeftClick();
    if (task_.unclosed && tr.t.LastKey != keycode::Esc) {
        ClearUnclosedMessage();
        return true;
    }
    return false;
}

void BuildingSite::WaitForKeyOrLeftClick() {
    TakeClick(d);
    for (;;) {
        if (KeyPressed(d)) {
            ReadKeyOrQuit(tr);
            return;
        }
        if (TakeClick(d) == 1) return;
        Delay(d, 20);
        NoteWaitingForInput(d);
    }
}

void BuildingSite::EndScene() {
    const PlayersState& p = tr.players;
    SetColor(d, colour::Navy);
    SetTextStyle(d, 1, 0, 4);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, 0, 13, 639, 135);
    if (p.PlayerCount != 2) {
        OutTextXY(d, 100, 20, "Okay, das war es.");
        // The second line ends above the row of cones and bricks at y 90.
        const char* const wish = "Viel Spa\341 noch heute!";
        const Rect ink = TextInkRect(d, 300, 60, wish);
        OutTextXY(d, 300, ink.Empty() ? 60 : std::min(60, 60 - (ink.bottom - 88)), wish);
    } else {
        OutTextXY(d, 40, 40, SiteWinnerText(p, p.TaskCount, Points2));
    }
    PlayBarrowFilm(d, BarrowX);
    Delay(d, 400);
    for (int k = 0; k <= 6; ++k) {
        PutImage(d, 79 * k + 40, 90, Karre(4));
        PutImage(d, 79 * k + 80, 90, Karre(5));
    }
    EmptyKeyBuffer(tr);
    TakeClick(d);
    for (;;) {
        if (KeyPressed(d) || TakeClick(d) == 1) break;
        Delay(d, 20);
        NoteWaitingForInput(d);
    }
    EmptyKeyBuffer(tr);
    tr.t.LastKey = keycode::Esc;
}

void BuildingSite::Run() {
    PlayersState& p = tr.players;
    Tasks = 0;
    Points2 = 0;
    BarrowX = 0;
    SetBkColor(d, colour::Grey);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, 0, 0, 639, 479);
    const bool play = StartGame(tr);
    // The questions' header is cleared to row 40; letters below their line
    // reach a little further.
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, 0, 0, 639, 50);
    p.Player1Turn = true;
    SetSize(tr, 4);
    SetTextJustify(d, 0, 2);
    if (play && tr.t.WordCount <= 2) {
        SetColor(d, colour::Red);
        OutTextXY(d, 40, 100, "Die Liste hat zu wenige Zeilen.");
        WaitForKeyOrLeftClick();
    } else if (play) {
        position_ = tr.t.opt.OptWortwahl == 1 && tr.t.CurrentLine > 0 ? tr.t.CurrentLine - 1 : 0;
        DrawSite();
        while (tr.t.LastKey != keycode::Esc) {
            if (!PrepareTask()) {
                if (NothingToPlay()) continue;
                break;
            }
            if (MouseOn(tr)) WorkWithMouse();
            else WorkWithKeys();
            if (tr.t.LastKey == keycode::Esc) break;
            TaskDone();
            Drive();
            WaitAfterTask();
            if (GameOver()) break;
        }
        if (Tasks > 1) EndScene();
    }
    EndGame(tr);
}

void RunBuildingSite(Trainer& tr) { LaunchExercise<BuildingSite>(tr); }

}  // namespace qs
