// "Kontakt": a board of compound words cut in two. The first parts stand
// in the two columns of the left panel, the second parts in the two of the
// right panel, each beside a socket. The child connects a first part to
// its second part with two plugs on cables, by clicking the two sockets or
// by typing the whole compound; a right connection lights the lamp, a
// wrong one buzzes. A block of 4, 6 or 8 words makes one board; the blocks
// follow one another until ESC. Two children take turns: with the mouse
// one chooses the first part and the other finds its partner.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/contact/Notation.h"

namespace qs {

// One board: the compounds of a block that have a place on it.
struct ContactRound {
    int start = 0;  // the block's first word line (1-based, as in WordList)
    int next = 0;   // where the search for the next block begins
    std::vector<ContactPair> pairs;
    int needed = 0;       // the connections that finish the board
    bool odd = false;     // one word had no place (the rows come in pairs)
    bool closed = false;  // a block line ended it, not the end of the list
};

// The block at or after position (1-based) in lines (WordList[1..WordCount],
// the "/" of the first line already taken off). Block lines and blank lines
// before it are passed over, wrapping round to the first line; the block
// ends at the next block line or at the end of the list, and keeps its
// first 8 words. A block with fewer than 2 words is passed over; nullopt
// when the list has none with 2.
std::optional<ContactRound> NextContactRound(std::span<const std::string> lines, int position);

// The four columns of the board: 1 and 2 hold first parts, 3 and 4 second
// parts.
struct ContactColumn {
    int wordX;
    int socketX;
    int clickLeft;
    int clickRight;
    int plugX;  // where the plug's picture stands when it is in the socket
};
const ContactColumn& ContactColumnAt(int column);
inline int SocketY(int row) { return (row - 1) * 80 + 108; }
inline int WordY(int row) { return 80 * row - 20; }

// The row (1..rows) whose socket of column a click at (x, y) hits, 0 for
// none.
int SocketRowAt(int column, int rows, int x, int y);

// The points of a right connection. One player: "Gute" (first) without a
// wrong attempt, else "Schlechte" (second). Two players: the player whose
// turn it is, and only without a wrong attempt.
void ScoreConnection(int playerCount, bool player1Turn, int wrongAttempts, int& first, int& second);

// The line under the scores when two players stop: the winner, or both.
std::string ContactWinner(const std::string& name1, int points1, const std::string& name2,
                          int points2);

// Picture slots: stecker1..stecker6.
constexpr int kLeftPlugSlot = 0;
constexpr int kRightPlugSlot = 1;
constexpr int kLampOffSlot = 2;
constexpr int kLampOnSlot = 3;

class elektro : public monitor {
public:
    explicit elektro(Trainer& trainer);

    void Run() override;
    void Release() override;

    // Where a plug's picture stands (its top-left corner).
    struct Plug {
        int x = 0;
        int y = 0;
        int column = 0;  // the socket it is in, 0 at its rest place
        int row = 0;
    };
    Plug leftPlug;
    Plug rightPlug;
    // Gute / Schlechte, or player 1 / player 2 (player 1's in TaskCount).
    int secondScore = 0;
    int boardsPlayed = 0;

    // The cable of a plug, drawn or taken away again (XOR).
    void DrawLeftCable();
    void DrawRightCable();
    // One step of a plug towards its target: cable off, the plug one point
    // nearer in x and in y over the clean board, cable on.
    bool StepLeftPlug(int tx, int ty);
    bool StepRightPlug(int tx, int ty);

private:
    bool Separated() const;
    bool PlayBoard(const ContactRound& round);
    void BuildBoard();
    void DrawSocket(int column, int row);
    void DrawSockets();
    void DrawWords(int colour);
    void DrawWord(int column, int row, int colour);
    const std::string& WordAt(int column, int row) const;
    void DrawLampOnBoard(bool on);
    void DrawLamp(bool on);
    void DrawWires();
    void ShowOddMessage(bool show);
    void ShowNoBoard();

    // Changes to the board are made with the plugs and cables lifted, and
    // the clean board (page 0) is taken again afterwards, so that a plug's
    // trail and its cable never leave remains.
    void Lift();
    void Drop();
    template <class Change>
    void ChangeBoard(Change change);

    void MarkSocket(int column, int row, int outline, int fillPattern, int fill);
    void LeavePlace(Plug& plug);
    void MoveLeftPlug(int column, int row);
    void MoveRightPlug(int column, int row);
    void PlugsToRest();

    void ReadKey();
    void ShowTurn();
    void ShowScores(bool stopped);
    void MouseMove();
    void ChooseFirst(int column, int row);
    void ChooseSecond(int column, int row);
    void KeyMove();
    void Blink();
    void TypeKey(char key);
    void TakeBack();
    void SubmitTyped();
    void RedrawTyped();
    void Right(int secondColumn, int secondRow);
    void Wrong();
    void BlinkLamp();
    void EndBoard();
    void WaitAfterBoard();

    std::vector<ContactPair> pairs_;
    std::vector<int> p_;  // board place -> compound
    std::vector<int> q_;  // compound -> board place
    std::vector<bool> open_;
    std::vector<std::vector<bool>> used_;  // [column][row]
    int n_ = 0;
    int half_ = 0;
    int builtSize_ = -1;
    int needed_ = 0;
    int connections_ = 0;
    bool done_ = false;
    bool chooseFirst_ = true;
    int chosen_ = -1;  // the compound whose first part is chosen
    int chosenColumn_ = 0;
    int chosenRow_ = 0;
    std::string typed_;
    size_t dashAt_ = 0;  // where " - " is shown in the typed word, 0 for nowhere
    bool separated_ = false;
    int panelBottom_ = 0;
};

void RunContact(Trainer& tr);

}  // namespace qs
