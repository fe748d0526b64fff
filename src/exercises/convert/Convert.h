// "Umwandeln" and "Reparieren": a word is shown in the upper band and the
// child types the word that belongs to it in the lower band. Umwandeln asks
// for the related form the list's rule names (the verb for a noun: "der
// B\x84cker" -> "backen"; with "!" in the rule F5 turns the direction
// round); Reparieren shows a word whose letters of the list's groups were
// replaced by a placeholder ("Liebe" -> "Lxxbx") and asks for the word
// itself. RETURN gives the next letter as help, Backspace takes one back; a
// full answer with a wrong letter stays until it is corrected. Two faces
// per player (six pictures) look on, pleased or sad.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/WordChoice.h"
#include "exercises/convert/Notation.h"

namespace qs {

// micky n lies in slot n: 1 player 1 neutral, 2 player 1 pleased, 3 player
// 2 neutral, 4 player 2 pleased, 5 player 2 sad, 6 player 1 sad.
constexpr int kFaceSlot = 1;
enum class Mood { Neutral, Pleased, Sad };
// The picture number of a player's face in a mood.
int FaceNumber(bool playerOne, Mood mood);

// F5 turns the direction 1 (as the rule says), 2 (the other way round),
// 3 (either, at random) and back to 1; the box in the corner names it.
int NextDirection(int direction);
const char* DirectionText(int direction);

// What the message line asks before the answer when the answer starts
// with an article and the articles are to be typed: "" when it has none.
std::string ArticleMessage(const std::string& article);

// The largest text size (9 at most, 1 at least) at which the text fits
// the band: widthAt gives its width at a size.
int FittingTextSize(const std::function<int(int size)>& widthAt);
// Where the task, the typed answer and the blinking cursor stand for a
// text size.
int TaskY(int size);
int TypingY(int size);
int CursorY(int size);

// The help RETURN gives: the answer as far as typed, and one letter more.
std::string HintFor(const std::string& answer, const std::string& typed);
// A typed letter in the protocol: as it is when it is the answer's letter
// at that place, else in brackets.
std::string ProtocolOfLetter(const std::string& answer, size_t place, char letter);
// The finished word's protocol line: the word line, then "=" when the keys
// were exactly the answer, else "/" and the keys.
std::string ProtocolResult(const std::string& wordLine, const std::string& keys,
                           const std::string& answer);
// The single player's verdict at the end.
std::string Verdict(int score, int taskCount);

// The next task's line: NextWord, passing over the lines usable() refuses
// as if they had not been drawn (so a random choice still never repeats
// the word before). 0 when no usable line turns up.
int ChooseTaskLine(PlayersState& p, WordSequence& s, int wordCount, const RandomSource& draw,
                   const std::function<bool(int line)>& usable);

class umwandmonitor : public monitor {
public:
    explicit umwandmonitor(Trainer& trainer);

    void Prepare() override;
    void Run() override;

    // One face at the current player's place (or player 2's place).
    void ShowFace(Mood mood, bool playerOne);
    // The answer band drawn afresh with what has been typed (AnswerText).
    void RedrawAnswer();

    int WordNo = 0;
    int TaskTextSize = 9;
    int RuleX = 0;
    int Score1 = 0;
    int Score2 = 0;
    int GroupCount = 0;
    std::array<std::string, kMaxGroups> Groups{};
    char Placeholder = '?';
    bool BothWays = false;
    bool MistakeShown = false;
    bool SkipNext = false;
    std::string Article1;
    std::string Word1;
    std::string Article2;
    std::string Word2;
    std::string Answer;
    std::string FitText;
    std::string HintText;

private:
    bool Repairing() const;
    bool Usable(int line) const;
    int UsableLines() const;
    char HandleKey();

    void DrawScreen();
    void DrawRules();
    void DrawConvertRules();
    void DrawRepairRules();
    void TooFewWords();
    bool PlayTask();
    void ClearTask();
    void BuildTask();
    void ShowTask();
    void PrepareAnswer();
    void ShowPlayers();
    bool TypeAnswer();
    void WaitWithCursor();
    void DrawCursor(const char* mark);
    void EraseCursor();
    void TypeLetter(char letter, bool protocol);
    void TakeBackLetter();
    void GiveHint();
    void FirstHelp();
    void Solved();
    void ShowScores();
    void WaitAfterTask();
    void EndScreen();
    void Message(int x, const std::string& text);

    WordSequence sequence_;
    int mistakes_ = 0;
    bool helped_ = false;  // RETURN or Backspace was used on this task
    std::string answerArticle_;
    std::string answerWord_;
    std::string task_;
    std::string keys_;  // what went into the protocol for this task
    std::string shownLine2_;
    std::vector<RulePiece> rule1_;
};

// The launcher of menu entries 10 and 11.
void RunConvert(Trainer& tr);

}  // namespace qs
