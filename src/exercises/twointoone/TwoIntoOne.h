// "Aus 2 mach 1": three first parts and three second parts of compound words
// spin in two columns like a slot machine. When the spin stops (a key, a
// click, or by itself after 21 steps) the child forms the two compounds the
// shown parts make, one on each answer line, by typing or by picking two
// cells with the mouse. Praise, rejections and the solution are spelled out
// letter by letter in the message band. With two players, player 1 answers
// line 1 and player 2 line 2 of every task.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "exercises/twointoone/Notation.h"
#include "trainer/TrainerState.h"

namespace qs {

// ---- The rules, apart from drawing ----------------------------------------------

// The position after p in a list of wordCount lines: p + 1, and 1 after the
// last line.
int NextTaskPosition(int p, int wordCount);
// The four lines a task at position p reads: p, p + 1, p + 2, p + 3, the
// ones past the end taken from the start of the list, so that every line
// of a list is asked, the last one too.
std::array<int, 4> TaskLineNumbers(int p, int wordCount);

// What one task shows and asks, from its four lines.
struct CompoundTask {
    std::string X1;          // the second part of the first line, as its cell shows it
    std::string T1, S1, W1;  // the first word: first part, second part as shown, compound
    std::string T2, S2, W2;  // the second word
    std::string X4;          // the first part of the last line
    bool written = false;    // a word's line writes its compound before "_"
};
CompoundTask ReadTask(const std::array<std::string, 4>& lines);

// The six cells in arrangement r (1..5), row by row, left cell first.
std::array<std::string, 6> ArrangedCells(const CompoundTask& task, int r);

enum class AnswerVerdict { Empty, Repeat, Right, Wrong };
// An answer against the two compounds; accepted is what line 1 took ("" on
// line 1 itself). The compound already taken is refused on line 2.
AnswerVerdict JudgeAnswer(const std::string& answer, const CompoundTask& task,
                          const std::string& accepted);
// The compound still missing on an answer line: on line 1 the first word;
// on line 2 the first word unless line 1 holds it, else the second.
const std::string& MissingCompound(const CompoundTask& task, bool line2,
                                   const std::string& accepted);
// A key the child may type into an answer: a blank only after the first
// letter.
bool TypedIntoAnswer(unsigned char key, bool answerEmpty);

// A number 1..n drawn with draw (which gives 0..n-1), drawn again while it
// is last: a praise or a rejection never comes twice in a row.
int PickDifferent(const std::function<int(int)>& draw, int n, int last);

// The texts the game spells (code page 437).
extern const std::array<const char*, 12> kRejections;
extern const std::array<const char*, 18> kPraise;

// ---- The game ---------------------------------------------------------------------

class TwoIntoOneGame {
public:
    explicit TwoIntoOneGame(Trainer& trainer);
    TwoIntoOneGame(const TwoIntoOneGame&) = delete;
    TwoIntoOneGame& operator=(const TwoIntoOneGame&) = delete;

    // The whole game, from the player questions to the end screen; the
    // launcher closes the graphics screen.
    void Run();

    // One step of the spin: the six cells of arrangement r filled and
    // written, row by row, waiting rowDelayMs after each row.
    void DrawCells(const std::array<std::string, 6>& cells, double rowDelayMs);
    // Letter by letter in the message band, in the current colour.
    void SpellMessage();

    // State of the game (read by the tests).
    int Position = 0;
    bool MouseMode = false;
    std::array<int, 2> Points{0, 0};
    int LastPraise = 0;
    int LastRejection = 0;
    std::string Message;
    std::vector<std::string> Spelled;  // every message spelled, in order
    int SpinSteps = 0;                 // of the last spin
    bool StoppedByPlayer = false;      // the last spin

    // State of the task.
    CompoundTask Task;
    int Arrangement = 1;
    std::array<std::string, 6> Cells;
    int Tries = 0;
    int LineY = 384;
    std::string Accepted;
    bool TaskDone = false;
    int Picks = 0;

private:
    void StartScreen();
    void DrawStaticScreen();
    void PlayTask();
    void Spin();
    void AnnounceTask();
    void StartAnswerLine1();
    void AnswerLoop();
    void MouseStep();
    void KeyboardStep();
    bool BlinkUntilKey();
    void TypeLetter(char c);
    void Backspace();
    void HelpOnEmptyReturn();
    void Judge();
    void JudgeRight();
    void JudgeWrong();
    void GiveUpLine2();
    void GiveUpLine1();
    void GoToLine2();
    void CloseTaskProtocol();
    void PickRejection();
    void PickPraise();
    void WaitWithDots();
    void ReadAwayKeys();
    void ClearBand();
    void ClearAnswerLines(int fromX);
    void ClearLine(int y, int fromX);
    void DrawAnswer();
    void EndScreen();
    void WaitForKeyOrLeftClick();
    void TooFewLines();
    bool Line2() const { return LineY != 384; }
    bool TwoPlayers() const;

    Trainer& tr;
    Dos& d;
    int x_ = 66;               // where the next typed letter goes
    std::vector<int> widths_;  // of the typed letters, for backspace
    bool quit_ = false;        // ESC confirmed: the game ends
};

// The launcher of menu entry 7.
void RunTwoIntoOne(Trainer& tr);

}  // namespace qs
