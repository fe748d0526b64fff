// "Baustelle": a brick wall of five courses shows one, three or five lines
// of a word list, each with a gap; the missing parts lie as bricks above
// the wall. The child types them into the gaps, lowest line first, or picks
// a brick with the mouse and clicks its gap. A wheelbarrow at the bottom
// drives right with every finished task and rolls back on mistakes; the
// game ends when it has arrived (x 580) or after 20 tasks.
//
// Positions are graph points. The courses are numbered from the lowest (1)
// to the highest (5); the gaps of a task from the lowest line (1) upwards,
// and gap n takes brick n, the part cut out of the n-th line read.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "exercises/buildingsite/Notation.h"
#include "exercises/common/ExerciseScreen.h"

namespace qs {

// ---- The wall and the barrow -------------------------------------------------------

constexpr int kWallLeft = 40;
constexpr int kWallRight = 600;
constexpr int kWallTop = 136;
constexpr int kWallBottom = 416;
// The inside of the wall that bricks, texts and joints may take.
constexpr int kCourseLeft = 42;
constexpr int kCourseRight = 598;
constexpr int kBarrowY = 420;
constexpr int kBarrowMin = 2;
constexpr int kBarrowEnd = 580;
constexpr int kTasksPerGame = 20;

// Top of course 1..5 (each 56 high) and the base y its text stands on (the
// text's top is 10 above it).
int CourseTop(int course);
int CourseBase(int course);
// The course that line n (1-based) of a task stands on with `lines` lines
// (1: course 3; 3: courses 1, 3, 5; 5: courses 1..5).
int CourseOfLine(int lines, int n);
// OptBaustelle as the game plays it: 1, 3 or 5 (an options file without a
// value plays one line).
int LinesPerTask(int optBaustelle);

// The barrow rolled back by units: never below x 2, and a barrow that
// still stands left of 2 (at the start) stays where it is.
int BarrowBack(int x, int units);
// The barrow a step on: never past 580.
int BarrowOn(int x, int units);
// How often the barrow's four frames run after a task (1 line: 4, 3: 5, 5: 6).
int DriveRounds(int lines);

// Points of a task with two players: the lines less the mistakes.
int TaskPoints(int lines, int mistakes);
// The end line of two players.
std::string SiteWinnerText(const PlayersState& p, int points1, int points2);

// ---- One line on the wall --------------------------------------------------------

// Width in graph points of a text in the wall's text style.
using TextMeasure = std::function<int(const std::string&)>;

struct WallWord {
    int x = 0;
    std::string text;
};

// A line as it stands on its course: the words outside the gap with their
// x, the joints, the gap's x range and, for large bricks, where the line's
// text ends right of the gap (from there the course is filled).
struct WallLine {
    int course = 0;
    int base = 0;
    int startX = 0;
    std::string text;   // the line without its two "-"
    std::string brick;  // the part in the gap
    std::vector<WallWord> words;
    std::vector<int> joints;  // x of each double line
    int gapLeft = 0;
    int gapRight = 0;
    int textRight = 0;      // the end of the line's text (the large brick's range ends here)
    int lastLeftJoint = 0;  // the last joint left of the text (or the wall's inside)
    bool fits = false;      // everything lies inside the wall
};

// Lays out a line that has its gap on course: starts at 320 - 9 x the
// line's length, the course's joints left of it keep a brick's width
// (40) clear of it; words are 16 apart with a joint between them, the gap
// keeps 4 around its part (8 from a word it is joined to), a joint closes
// the line, and joints go on every 100 to the wall's right end.
WallLine LayOutWallLine(const BuildingSiteLine& line, size_t length, int course,
                        const TextMeasure& width);

// How the game takes a line of the list.
enum class SiteLineUse {
    Play,      // one closed gap with a part a child can type
    Unclosed,  // "-" opened and not closed: the reading of the task ends
    Skip,      // no gap, more than one, an empty or untypeable part: passed over
};
SiteLineUse UseOfSiteLine(const BuildingSiteLine& line);

// The lines and bricks of one task, read from position + 1 on (back to 1
// after the last line) until five bricks are collected; the first `lines`
// of them are shown. Lines that do not fit on the wall are passed over
// like the skipped ones. position is where the reading stopped.
struct SiteTask {
    std::vector<WallLine> shown;
    std::vector<std::string> bricks;  // brick n is the part of the n-th line read
    bool unclosed = false;            // a line with a "-" left open ended the reading
};
SiteTask ReadSiteTask(const std::function<const std::string&(int)>& lineAt, int wordCount,
                      int& position, int lines, const TextMeasure& width);

// ---- The bricks above the wall ------------------------------------------------

struct BrickPlace {
    int brick = 0;  // the brick's number
    int left = 0;
    int right = 0;
};
// The row from x 10, each brick its text + 16 wide, 16 apart, in the order
// given (brick numbers).
std::vector<BrickPlace> LayOutBrickRow(const std::vector<std::string>& bricks,
                                       const std::vector<int>& order, const TextMeasure& width);
// The brick number under x in the row, 0 for none.
int BrickAt(const std::vector<BrickPlace>& row, int x);

// The gap a click at (x, y) is on: its number, or 0. A gap already filled
// is no target any more; with large bricks the rest of its course right of
// the gap counts too.
int GapAt(const SiteTask& task, int lines, bool largeBricks, const std::vector<bool>& filled, int x,
          int y);

// ---- The game --------------------------------------------------------------------

// Picture slots: the barrow karre1..3 and karre6, the cone karre4 and the
// brick pile karre5.
constexpr int kBarrowSlot = 1;  // karre n in slot n

class BuildingSite : public monitor {
public:
    explicit BuildingSite(Trainer& trainer);
    void Run() override;

    int BarrowX = 0;
    int Tasks = 0;    // tasks done in this game
    int Points2 = 0;  // player 2; player 1's points are TaskCount

    // The static screen and one drive of the barrow: public for the
    // benchmark.
    void DrawSite();
    void DrawBarrow(int n, int x);
    void Drive();

private:
    const Picture& Karre(int n) const { return Pictures[static_cast<size_t>(kBarrowSlot + n - 1)]; }
    int Lines() const { return LinesPerTask(tr.t.opt.OptBaustelle); }
    bool Large() const { return tr.t.opt.OptBausteine == 1; }
    TextMeasure Measure();

    void TapSound();
    void DrawCourseJoints(int course);
    void ClearCourse(int course);
    void DrawWallLine(const WallLine& line);
    void DrawJoint(int x, int base);
    void ChooseStart();
    bool PrepareTask();
    bool NothingToPlay();
    void ShowUnclosedMessage();
    void ClearUnclosedMessage();
    void LayOutBricks();
    void DrawBrick(const BrickPlace& place);
    void RedrawBrickRow(int framed, int frameColour);
    void DrawNames();
    void FillGap(int gap, int textColour, int lineColour);
    void RollBack(int units);

    void WorkWithMouse();
    void ClickOnWall(int x, int y);
    void WorkWithKeys();
    void BlinkUntilKey(int x, int base);
    void TakeKey(uint8_t key, bool extended);
    void TypeLetter(char c);
    void TakeLastLetter(bool asBackspace);
    void GapTyped();

    void TaskDone();
    void ShowScores();
    bool Interrupted(int ms);
    void WaitAfterTask();
    bool GameOver() const;
    void EndScene();
    void WaitForKeyOrLeftClick();

    int position_ = 0;
    SiteTask task_;
    std::vector<BrickPlace> row_;
    int brickSize_ = 4;  // the text size of the brick row
    std::vector<bool> filled_;
    int gap_ = 1;       // the gap worked on (keyboard), or gaps filled + 1 (mouse)
    int selected_ = 0;  // the brick picked with the mouse
    std::string typed_;
    std::vector<int> letterX_;
    int cursorX_ = 0;
    bool done_ = false;
    bool messageShown_ = false;
    int barrowDrawnAt_ = -1;
};

// The launcher of menu entry 6.
void RunBuildingSite(Trainer& tr);

}  // namespace qs
