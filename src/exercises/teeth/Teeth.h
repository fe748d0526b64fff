// "Endungen" with the jaws: a word stem stands large in the middle, the
// endings in play on the top line. The child types an ending behind the
// stem (or clicks it on the top line) and confirms with RETURN; a pair of
// jaws slides in and bites. A right ending is bite-proof: the teeth break
// and fall. A wrong one is bitten away and the child tries again. Every
// right word walks the turtle at the bottom a little further; at the right
// edge the game ends. Every fifth bite-proof word the teeth get brushed.
#pragma once

#include <string>
#include <vector>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/WordChoice.h"
#include "exercises/race/Notation.h"

namespace qs {

// The turtle's start, the line whose passing ends its walk, and the places
// past which the game ends for one and for two players.
constexpr int kTurtleStartX = 0;
constexpr int kTurtleStopX = 590;
constexpr int kTurtleEndOne = 580;
constexpr int kTurtleEndTwo = 560;
constexpr int kTurtleRounds = 14;

// The input is right when it is one of the word's endings exactly.
bool IsRightEnding(const std::vector<std::string>& endings, const std::string& input);

// What RETURN on an empty input types: the first letter of the first
// ending, 0 when there is none.
char TeethHelpLetter(const std::vector<std::string>& endings);

// After every fifth bite-proof word of player 1 the teeth are brushed.
bool BrushingDue(int taskCount);

// The game is over: ESC after more than two bite-proof words, the turtle
// past the end for one player, or for two players past theirs once the
// round is complete (player 1's turn again).
bool TeethGameOver(bool esc, int taskCount, int playerCount, int turtleX, bool player1Turn);

// The end message: one player "Okay, das reicht dir." after ESC, else
// "Weiter kann ich nicht."; two players the one with more bite-proof words
// wins, or both.
std::string TeethEndMessage(const PlayersState& p, int score2, bool esc);

class nachsilben : public monitor {
public:
    explicit nachsilben(Trainer& trainer);

    void Run() override;

    int turtleX = kTurtleStartX;
    // Two players: player 2's bite-proof words; one player: the words with a
    // bite ("Weggebissen").
    int score2 = 0;

private:
    bool ListPlayable();
    void ShowUnplayableList();
    int ChooseWord();
    void SetUp();
    void PlayWord();
    void SizeText();
    void DrawFrame(int left, int right);
    void DrawFrames();
    void DrawStem();
    int StemColour() const;
    void MouseStep();
    void KeyStep();
    void BlinkMark();
    void TakeKey(char key);
    void TypeLetter(char key);
    void RubOut();
    void Answer();
    void Bite(bool right);
    void JawsTo(int from, int to);
    void Brush();
    void CloseJaws(bool right);
    void BreakTeeth();
    void BiteAway();
    void TurtleWalk();
    bool Hurried();
    void WaitTurtle(int ms, bool shortWait, bool& hurried);
    void DrawScore(int x, int y, int clearLeft, int clearRight, const std::string& text,
                   int colour);
    void DrawScores(int colour1, int colour2);
    void Score();
    void CloseProtocol();
    void NoteMistake();
    void EndOfWord();

    WordSequence seq_;
    int position_ = 1;
    TeethWord word_;
    std::string input_;
    size_t maxInput_ = 2;
    bool right_ = false;
    bool brushingDue_ = false;
    bool over_ = false;
    int q_ = 0;  // where the ending starts
    int n_ = 0;  // where the answer area ends
    int x_ = 0;  // where the next letter goes
};

// The launcher of "Endungen" with the option " Gebiss ".
void RunTeeth(Trainer& tr);

}  // namespace qs
