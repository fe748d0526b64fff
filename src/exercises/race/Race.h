// "Vorsilben" and "Endungen" as a race: a word stands with an empty place
// for its prefix or ending, the parts in play stand on the top line. The
// child types the missing part letter by letter (RETURN gives the next
// letter, and the word then counts as one with mistakes) or clicks it on
// the top line. A word without a mistake moves the runner four steps
// towards "ZIEL"; every wrong letter or click makes it stumble back. Two
// children run on two lanes and take turns word by word.
#pragma once

#include <array>
#include <string>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/WordChoice.h"
#include "exercises/race/Notation.h"

namespace qs {

// Picture slots: girl1..girl4 are runner 2's frames, girl5..girl8 runner 1's.
constexpr int kRunner2Slot = 12;
constexpr int kRunner1Slot = 16;

// A runner's x at the start of the race, and the line it has to pass.
constexpr int kRunnerStartX = 4;
constexpr int kFinishX = 590;

// The end of a race of two: "" while it goes on (no runner past the line,
// or player 1 has just run and player 2 still gets the round), else the
// winner's name or both names.
struct RaceEnd {
    bool over = false;
    bool both = false;
    std::string winner;  // the only runner past the line
};
RaceEnd TwoPlayerEnd(int runner1X, int runner2X, bool player1Turn, const PlayersState& p);

// The letter RETURN types: the first letter of the first answer when
// nothing is typed yet, otherwise the next letter of the last answer that
// begins with what is typed; 0 when there is none.
char HelpLetter(const std::vector<std::string>& answers, const std::string& input);

class staebchen : public monitor {
public:
    explicit staebchen(Trainer& trainer);

    void Run() override;

    // Runner 1 (the lower lane, the single player's) and runner 2.
    std::array<int, 2> runnerX{kRunnerStartX, kRunnerStartX};

private:
    RaceKind Kind() const;
    bool Player1Runs() const;
    void DrawRunner1(int frame, int x);
    void DrawRunner2(int frame, int x);
    void DrawRunner(int frame, int x);
    LineUse LineUseAt(int line);
    bool ListPlayable();
    void ShowUnplayableList();
    void SetUpTrack();
    int ChooseWord();
    void ShowLineError(const std::string& line);
    void LayOut();
    void DrawFrame(int a, int b);
    void PlayWord();
    void MouseStep();
    void KeyStep();
    void TakeLetter(char key);
    void WaitUnlessKey(int ms, bool clicksToo);
    bool IsAnswerStart(const std::string& text) const;
    bool IsAnswer(const std::string& text) const;
    void Move();
    void Stumble();
    void NoteMistake();
    void EndWord();
    void Pause();
    void ShowTurn();
    void CheckFinish();

    WordSequence seq_;
    int position_ = 1;
    RaceWord word_;
    std::string input_;
    bool solved_ = false;
    int baseY_ = 88;
    int x0_ = 0;
    int wl_ = 0;
    int hw_ = 0;
};

// The launcher of "Vorsilben" and of "Endungen" played as a race.
void RunRace(Trainer& tr);

}  // namespace qs
