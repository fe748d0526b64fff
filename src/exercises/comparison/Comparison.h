// "Wortvergleich": two similar words are flashed side by side (Space) or one
// after the other (RETURN); the child answers whether they were the same
// ("j") or not ("n"). A dinosaur walks in, uncovers both words and claps for
// a right answer; for a wrong one it burns one of the two children at the
// bottom or asks "Wie bitte?". "+" and "-" change the exposure time.
#pragma once

#include <string>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/Kit.h"
#include "exercises/comparison/Notation.h"

namespace qs {

// Picture slots of the word comparison.
constexpr int kFireSlot = 6;   // Feuer0..Feuer4
constexpr int kDinoSlot = 24;  // Dino0..Dino10
constexpr int kBarSlot = 41;   // the navy bar that uncovers the words
constexpr Rgb kBarColour = 0x000080;

// Exposure time after "+" or "-" (0..100; other keys leave it).
int ChangedExposure(int exposure, char key);
// Wait in ms after each step of uncovering and covering.
double StepDelayMs(int exposure);
// Header percentage of right answers for one player.
int RightPercent(int taskCount, int wrong);
// The end message: one player, a tie, or the winner's name.
std::string EndMessage(const PlayersState& p, int points1, int points2);

class urmonitor : public monitor {
public:
    explicit urmonitor(Trainer& trainer);

    void Run() override;

    // Scores: one player right and wrong answers; two players the points of
    // player 1 (right) and player 2 (wrong).
    int right = 0;
    int wrong = 0;
    int exposure = 4;

private:
    const Picture& Dino(int n) const { return Pictures[static_cast<size_t>(kDinoSlot + n)]; }
    const Picture& Fire(int n) const { return Pictures[static_cast<size_t>(kFireSlot + n)]; }
    Picture& TheBar() { return Pictures[static_cast<size_t>(kBarSlot)]; }

    void StepDelay();
    void WalkDelay();
    bool OnLeftSide() const;  // player 1's turn of two: the left child plays

    void DrawHeader();
    void DrawScene();
    void DrawChildren();
    void SaveUnderLetters();
    void ShowLetters(int jColour, bool jFat, int nColour, bool nFat);
    void DrawTaskFrame();
    void ChooseWord();
    void PrepareWords();
    void PlayTask();
    bool WaitForDecision(char& clicked);
    void ShowExposure();
    void Uncover(bool sideBySide);
    void UncoverSideBySide();
    void UncoverOneAfterOther();
    void Evaluate(bool saidSame);
    void Clap();
    void Burn();
    void AskWhat();
    void ShowScores();
    void WalkAway();
    void ExplainMistake(bool saidSame);
    void PassTurn();
    void TurnLine(int x, const std::string& name);
    void EndScene();

    int mode_ = 1;
    bool same_ = true;
    bool shown_ = false;
    int taskPoints_ = 6;
    int tick_ = 10;
    int lineNo_ = 1;  // the word-list line played now
    int dinoX_ = 560;
    int frame_ = 0;
    SavedArea underJ_;  // the bubbles without their letters
    SavedArea underN_;
};

// The launcher of menu entry 1.
void RunComparison(Trainer& tr);

}  // namespace qs
