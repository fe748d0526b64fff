// "Silben ordnen" and "Zerlegen": one game on the syllable lists. The word
// stands in the upper band, the child builds the answer in the lower one.
// In "Silben ordnen" the syllables stand scrambled and are put back in
// order, by clicking them or by typing the word; in "Zerlegen" the whole
// word stands and is split, by clicking the gaps between its syllables or
// by typing it with hyphens. A face beside each player reacts to every
// move, and rewards a finished word.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/WordChoice.h"
#include "exercises/syllables/Notation.h"

namespace qs {

// The order in which the syllables of a word of count syllables (2..16)
// stand scrambled, for a draw r = 1..count: syllable numbers 1..count.
std::vector<int> ScrambleOrder(int count, int r);

// What RETURN does with a typed answer.
enum class ReturnVerdict {
    Done,      // the answer is the word
    Restart,   // already the first character is wrong: start again
    TypeNext,  // a right beginning: the next character is typed as help
    Wrong,     // a mistake further on: the matching beginning is shown
};
struct ReturnJudgement {
    ReturnVerdict verdict = ReturnVerdict::Wrong;
    size_t matching = 0;  // characters that match from the left
};
ReturnJudgement JudgeReturn(const std::string& answer, const std::string& target);

// The gap the pointer points at while a word is split with the mouse:
// gaps[i] is the x of the gap after character i (1..n, gaps[0] unused).
// The highest gap right of lastSplit within reach of x; the gap after the
// last character reaches far to the right. None: candidate stays.
int GapCandidate(std::span<const int> gaps, int lastSplit, int x, int candidate);

// Keys a child may type into an answer.
bool TypableKey(char key);
// In "Zerlegen": a hyphen where the word has none, or a letter where it has
// one, is refused at once.
bool SplitKeyRefused(const std::string& target, size_t pos, char key);

// The protocol line of a finished word: the line and "=" when what was
// collected is the word itself, else the line, "/" and what was collected.
std::string SyllableProtocolLine(const std::string& line, const std::string& collected,
                                 const std::string& target);

// The end line of two players: the winner, or both.
std::string SyllableWinnerText(const PlayersState& p, int points1, int points2);

// The game object; Run plays one game of "Silben ordnen" or "Zerlegen",
// whichever program runs.
class silbenmonitor : public monitor {
public:
    explicit silbenmonitor(Trainer& trainer);
    void Run() override;

    // Each band wipe is 639 columns; drawn by DrawWipeColumn. Public for the
    // benchmark.
    void DrawWipeColumn(int x, int upperColour, int lowerColour);
    void ShowFace(int frame, bool player1);

    int Score2 = 0;
    int Mistakes = 0;
    int FaceState = 1;

private:
    bool Splitting() const;
    bool Ordering() const { return !Splitting(); }
    const std::string& WordLine() const;

    void DrawRules();
    // Bars over the whole width: on a wide window they reach its edges.
    void FillBands(int upperColour = colour::Navy, int lowerColour = colour::DarkGrey);
    void FillUpperBand();
    void WipeBands(int upperColour, int lowerColour);
    void ShowCountBox();
    bool PlayWord(bool first);
    bool ChooseWord();
    void NoWordMessage();
    void DrawNames();
    void ChooseTextSize();
    void ShowTask();
    void ShowSplitWord();
    void PlaceSyllable(bool registering, bool last);
    void StartAnswer();
    void AskSyllableCount();
    bool BlinkUntilKey(int x, int y, int bottom);
    bool AnswerWord();
    bool OrderWithMouse();
    void TakePiece(int piece);
    bool SplitWithMouse();
    void MoveMarker(int to);
    bool SplitAtCandidate();
    bool AnswerByTyping();
    bool TypingStep(char key);
    void TypeChar(char key, int colourIndex);
    void TypeFirstSyllable();
    void SpellWord();
    bool JudgeOnReturn();
    void ClearAnswer();
    void Backspace();
    void Refuse(char key);
    void WordDone();
    void ShowScores();
    void Reward();
    bool WaitBreak(int ms);
    void EndOfGame();

    SyllableLine word_;
    std::string target_;
    int lineNo_ = 0;
    WordSequence seq_;
    int answerStart_ = 20;
    int wordStart_ = 20;
    int nextSyllable_ = 1;
    std::vector<int> gaps_;           // x of the gap after each character, 1-based
    std::vector<int> syllableStart_;  // x of each syllable in the upper band, 0-based
    std::vector<int> charX_;          // x of each character of AnswerText
    int candidate_ = 0;
    int lastSplit_ = 0;
    bool countAsked_ = false;
};

// The launcher of menu entries 4 and 5.
void RunSyllables(Trainer& tr);

}  // namespace qs
