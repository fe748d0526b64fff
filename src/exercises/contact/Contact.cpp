#include "exercises/contact/Contact.h"

#include <algorithm>
#include <array>
#include <utility>

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

ScreenLayout ContactLayout() {
    ScreenLayout layout;
    layout.scratchW = 244;
    layout.scratchH = 88;
    layout.slots = NumberedSlots(0, 6, "stecker", 48, 48, 1);
    return layout;
}

constexpr int kEmptyPlaceSlot = 5;
constexpr int kBoardColour = 20;  // the extended palette's dark blue
constexpr int kOrdered = 1;       // OptWortwahl " Reihenfolge "
constexpr int kSeparated = 1;     // OptGreifteile " getrennt "
constexpr int kLampX = 296;
constexpr int kLampY = 430;
constexpr int kLeftRestX = 0;
constexpr int kRightRestX = 590;
constexpr int kRestY = 380;
constexpr int kTypeX = 240;
constexpr int kTypeY = 395;
constexpr size_t kTypedMax = 16;
constexpr int kSocketRadius = 15;
constexpr int kOddX = 20;
constexpr int kOddY = 434;
// The strip the typed word and the final message stand in: below the
// largest board, above the lamp.
constexpr int kStripTop = 386;
constexpr int kStripBottom = 429;
// How long a finished board stands before the next one: 200 steps of 100 ms.
constexpr int kBoardWaitTicks = 50;

const std::array<ContactColumn, 4> kColumns{{
    {40, 150, 130, 170, 108},
    {180, 293, 273, 313, 251},
    {334, 444, 424, 464, 440},
    {474, 587, 567, 607, 583},
}};

bool IsBlankLine(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

bool IsPassedOver(const std::string& line) { return IsBlankLine(line) || IsBlockEnd(line); }

void Text(Dos& d, int x, int y, const std::string& s) { OutTextXY(d, x, y, s); }

}  // namespace

// ---- Rules -----------------------------------------------------------------------

std::optional<ContactRound> NextContactRound(std::span<const std::string> lines, int position) {
    const int count = static_cast<int>(lines.size());
    auto at = [&](int no) -> const std::string& { return lines[static_cast<size_t>(no - 1)]; };
    int pos = position;
    for (int tries = 0; tries <= count; ++tries) {
        if (pos < 1 || pos >= count) pos = 1;
        for (int steps = 0; steps < count && IsPassedOver(at(pos)); ++steps)
            pos = pos >= count ? 1 : pos + 1;
        if (count == 0 || IsPassedOver(at(pos))) return std::nullopt;
        ContactRound round;
        round.start = pos;
        std::vector<ContactPair> words;
        // The search for the block's end stops at the end of the list.
        for (; pos <= count && !IsBlockEnd(at(pos)); ++pos)
            if (!IsBlankLine(at(pos)) && words.size() < kContactBlockMax)
                words.push_back(SplitContactLine(at(pos)));
        round.closed = pos <= count;
        round.next = pos;
        round.odd = words.size() % 2 == 1;
        words.resize(words.size() / 2 * 2);
        if (words.size() < 2) continue;
        round.pairs = std::move(words);
        const int size = static_cast<int>(round.pairs.size());
        round.needed = NeededConnections(round.closed ? at(pos) : std::string(), size);
        return round;
    }
    return std::nullopt;
}

const ContactColumn& ContactColumnAt(int column) {
    return kColumns[static_cast<size_t>(std::clamp(column, 1, 4) - 1)];
}

int SocketRowAt(int column, int rows, int x, int y) {
    const ContactColumn& c = ContactColumnAt(column);
    if (x < c.clickLeft || x > c.clickRight) return 0;
    for (int row = 1; row <= rows; ++row)
        if (y >= SocketY(row) - 20 && y <= SocketY(row) + 26) return row;
    return 0;
}

void ScoreConnection(int playerCount, bool player1Turn, int wrongAttempts, int& first,
                     int& second) {
    if (playerCount == 2) {
        if (wrongAttempts == 0) ++(player1Turn ? first : second);
    } else {
        ++(wrongAttempts == 0 ? first : second);
    }
}

std::string ContactWinner(const std::string& name1, int points1, const std::string& name2,
                          int points2) {
    if (points1 == points2) return "Beide Spieler haben gewonnen!";
    return (points1 > points2 ? name1 : name2) + " hat gewonnen.";
}

// ---- The board -------------------------------------------------------------------

elektro::elektro(Trainer& trainer) : monitor(trainer, ContactLayout()) {}

bool elektro::Separated() const {
    return tr.t.opt.OptGreifteile == kSeparated ||
           (tr.t.WordCount >= 1 && HasSeparatedMark(tr.t.WordList[1]));
}

const std::string& elektro::WordAt(int column, int row) const {
    const auto place = static_cast<size_t>(row - 1 + (column % 2 == 0 ? half_ : 0));
    if (column <= 2) return pairs_[static_cast<size_t>(p_[place])].first;
    return pairs_[static_cast<size_t>(q_[place])].second;
}

void elektro::DrawWires() {
    SetColor(d, colour::White);
    SetLineStyle(d, 0, 0, tr.t.opt.KontaktThickness);
    Line(d, 20, 469, 307, 469);
    Line(d, 333, 469, 619, 469);
    Arc(d, 20, 459, 180, 270, 10);
    Arc(d, 619, 459, 270, 0, 10);
}

// The lamp over the plain background of page 3; its picture reaches over
// the fixed wires, so they are drawn again.
void elektro::DrawLampOnBoard(bool on) {
    DrawSpriteMargins(Pictures[on ? kLampOnSlot : kLampOffSlot], 3, kLampX, kLampY, 0, 0, 0, 0);
    DrawWires();
}

// The fixed wires touch where the left cable begins: it is lifted meanwhile.
void elektro::DrawLamp(bool on) {
    DrawLeftCable();
    DrawLampOnBoard(on);
    DrawLeftCable();
}

void elektro::BuildBoard() {
    const int h = n_ * 40 + 50;
    SetFillStyle(d, fillstyle::Solid, kBoardColour);
    Bar(d, 0, 41, tr.t.MaxX, tr.t.MaxY);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    SetLineStyle(d, 0, 0, 1);
    Bar(d, 30, 50, 316, h);
    Bar(d, 324, 50, 610, h);
    SetColor(d, colour::Black);
    for (int k = 1; k <= half_; ++k) {
        Line(d, 30, 50 + 80 * k, 316, 50 + 80 * k);
        Line(d, 324, 50 + 80 * k, 610, 50 + 80 * k);
    }
    Line(d, 173, 50, 173, h);
    Line(d, 467, 50, 467, h);
    SetColor(d, colour::Maroon);
    Rectangle(d, 30, 50, 316, h);
    Rectangle(d, 324, 50, 610, h);
    DrawLampOnBoard(false);
    panelBottom_ = h;
    builtSize_ = n_;
}

void elektro::DrawSocket(int column, int row) {
    const int x = ContactColumnAt(column).socketX;
    const int y = SocketY(row);
    // A mark left in the socket is bigger than the socket's own ring.
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, x - kSocketRadius - 3, y - kSocketRadius - 3, x + kSocketRadius + 3,
        y + kSocketRadius + 3);
    SetLineStyle(d, 0, 0, 1);
    SetColor(d, colour::Teal);
    SetFillStyle(d, fillstyle::Solid, kBoardColour);
    FillEllipse(d, x, y, kSocketRadius, kSocketRadius);
}

void elektro::DrawSockets() {
    used_.assign(5, std::vector<bool>(static_cast<size_t>(half_ + 1), false));
    for (int column = 1; column <= 4; ++column)
        for (int row = 1; row <= half_; ++row) DrawSocket(column, row);
}

void elektro::DrawWord(int column, int row, int colour) {
    const ContactColumn& c = ContactColumnAt(column);
    const std::string& word = WordAt(column, row);
    SetTextStyle(d, tr.t.opt.GraphFont, 0, 4);
    SetTextJustify(d, 0, 2);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    ClearText(tr, c.wordX, WordY(row), word);
    SetColor(d, colour);
    Text(d, c.wordX, WordY(row), word);
}

void elektro::DrawWords(int colour) {
    for (int column = 1; column <= 4; ++column)
        for (int row = 1; row <= half_; ++row) DrawWord(column, row, colour);
}

// The message of a block with one word too many, where it can be read: in
// the corner left of the lamp.
void elektro::ShowOddMessage(bool show) {
    SetTextStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    const std::string message = "Fehler in der Textdatei!!";
    SetFillStyle(d, fillstyle::Solid, kBoardColour);
    ClearText(tr, kOddX, kOddY, message);
    if (!show) return;
    SetColor(d, colour::LightYellow);
    Text(d, kOddX, kOddY, message);
}

// ---- Plugs and cables ------------------------------------------------------------

void elektro::DrawLeftCable() {
    const int colour = GetColor(d);
    SetColor(d, colour::White);
    SetLineStyle(d, 0, 0, tr.t.opt.KontaktThickness);
    SetWriteMode(d, 1);
    Line(d, 10, 458, leftPlug.x, leftPlug.y + 48);
    SetWriteMode(d, 0);
    SetColor(d, colour);
}

void elektro::DrawRightCable() {
    const int colour = GetColor(d);
    SetColor(d, colour::White);
    SetLineStyle(d, 0, 0, tr.t.opt.KontaktThickness);
    SetWriteMode(d, 1);
    Line(d, 629, 458, rightPlug.x + 48, rightPlug.y + 48);
    SetWriteMode(d, 0);
    SetColor(d, colour);
}

void elektro::Lift() {
    DrawLeftCable();
    DrawRightCable();
    EraseSprite(Pictures[kLeftPlugSlot], 0, leftPlug.x, leftPlug.y);
    EraseSprite(Pictures[kRightPlugSlot], 0, rightPlug.x, rightPlug.y);
}

void elektro::Drop() {
    DrawSprite(Pictures[kLeftPlugSlot], 0, leftPlug.x, leftPlug.y);
    DrawSprite(Pictures[kRightPlugSlot], 0, rightPlug.x, rightPlug.y);
    DrawLeftCable();
    DrawRightCable();
}

template <class Change>
void elektro::ChangeBoard(Change change) {
    Lift();
    change();
    SavePage(d, 0);
    Drop();
}

namespace {

int Towards(int from, int to) { return from + (to > from) - (to < from); }

}  // namespace

bool elektro::StepLeftPlug(int tx, int ty) {
    if (leftPlug.x == tx && leftPlug.y == ty) return false;
    DrawLeftCable();
    leftPlug.x = Towards(leftPlug.x, tx);
    leftPlug.y = Towards(leftPlug.y, ty);
    DrawSprite(Pictures[kLeftPlugSlot], 0, leftPlug.x, leftPlug.y);
    DrawLeftCable();
    return true;
}

bool elektro::StepRightPlug(int tx, int ty) {
    if (rightPlug.x == tx && rightPlug.y == ty) return false;
    DrawRightCable();
    rightPlug.x = Towards(rightPlug.x, tx);
    rightPlug.y = Towards(rightPlug.y, ty);
    DrawSprite(Pictures[kRightPlugSlot], 0, rightPlug.x, rightPlug.y);
    DrawRightCable();
    return true;
}

void elektro::MarkSocket(int column, int row, int outline, int fillPattern, int fill) {
    SetLineStyle(d, 0, 0, 3);
    SetColor(d, outline);
    SetFillStyle(d, fillPattern, fill);
    FillEllipse(d, ContactColumnAt(column).socketX, SocketY(row), kSocketRadius, kSocketRadius);
}

// The place a plug leaves: a used socket keeps a green mark, a socket that
// was tried in vain looks free again (it is), the rest place is clear.
void elektro::LeavePlace(Plug& plug) {
    if (plug.column == 0) return;
    const int column = plug.column;
    const int row = plug.row;
    ChangeBoard([&] {
        if (used_[static_cast<size_t>(column)][static_cast<size_t>(row)])
            MarkSocket(column, row, colour::Maroon, fillstyle::Solid, colour::Green);
        else DrawSocket(column, row);
    });
}

void elektro::MoveLeftPlug(int column, int row) {
    LeavePlace(leftPlug);
    const int tx = column == 0 ? kLeftRestX : ContactColumnAt(column).plugX;
    const int ty = column == 0 ? kRestY : SocketY(row) - 4;
    while (StepLeftPlug(tx, ty)) Delay(d, 1);
    leftPlug.column = column;
    leftPlug.row = row;
}

void elektro::MoveRightPlug(int column, int row) {
    LeavePlace(rightPlug);
    const int tx = column == 0 ? kRightRestX : ContactColumnAt(column).plugX;
    const int ty = column == 0 ? kRestY : SocketY(row) - 4;
    while (StepRightPlug(tx, ty)) Delay(d, 1);
    rightPlug.column = column;
    rightPlug.row = row;
}

void elektro::PlugsToRest() {
    MoveLeftPlug(0, 0);
    MoveRightPlug(0, 0);
}

// ---- Turns and scores ------------------------------------------------------------

// The turn passes: the name of the player whose turn it is now in orange.
void elektro::ShowTurn() {
    PlayersState& pl = tr.players;
    SetTextStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    SetFillStyle(d, fillstyle::Solid, kBoardColour);
    Bar(d, 0, 0, tr.t.MaxX, 40);
    pl.Player1Turn = !pl.Player1Turn;
    SetColor(d, pl.Player1Turn ? colour::Orange : colour::Grey);
    Text(d, 40, 20, pl.PlayerName1);
    SetColor(d, pl.Player1Turn ? colour::Grey : colour::Orange);
    Text(d, 324, 20, pl.PlayerName2);
}

void elektro::ShowScores(bool stopped) {
    PlayersState& pl = tr.players;
    const bool two = pl.PlayerCount == 2;
    if (!two && pl.TaskCount == 0 && secondScore == 0) return;
    SetFillStyle(d, fillstyle::Solid, kBoardColour);
    Bar(d, 0, 0, tr.t.MaxX, 40);
    SetTextStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    SetColor(d, colour::Yellow);
    if (!two) {
        Text(d, 40, 20, "Gute: " + std::to_string(pl.TaskCount));
        Text(d, 324, 20, "Schlechte: " + std::to_string(secondScore));
        return;
    }
    Text(d, 40, 20, pl.PlayerName1 + ": " + std::to_string(pl.TaskCount));
    SetColor(d, pl.Player1Turn ? colour::Orange : colour::Cyan);
    Text(d, 324, 20, pl.PlayerName2 + ": " + std::to_string(secondScore));
    if (!stopped) return;
    ChangeBoard([&] {
        SetFillStyle(d, fillstyle::Solid, kBoardColour);
        Bar(d, 0, kStripTop, tr.t.MaxX, kStripBottom);
        SetTextStyle(d, 0, 0, 4);
        SetColor(d, colour::Yellow);
        Text(d, 40, 390, ContactWinner(pl.PlayerName1, pl.TaskCount, pl.PlayerName2, secondScore));
    });
}

// ---- Connections -------------------------------------------------------------------

void elektro::BlinkLamp() {
    bool stopped = false;
    TakeClick(d);
    for (int i = 0; i < 11 && !stopped; ++i) {
        DrawLamp(true);
        if (i == 0 && SoundOn(tr) && MouseOn(tr) && !PlayWav(d, "wavs\\kontaktrichtig1.wav"))
            Tone(d, 800, 100);
        for (int ms = 0; ms < 400 && !stopped; ms += 20) {
            if (ms == 200) DrawLamp(false);
            Delay(d, 20);
            stopped = KeyPressed(d) || (MouseOn(tr) && TakeClick(d) != 0);
        }
    }
    StopSound(d);
    DrawLamp(false);
    if (SoundOn(tr)) PlayWav(d, "wavs\\beep1000.wav");
    for (int step = 0; step < 2 && !stopped; ++step) {
        for (int ms = 0; ms < 300 && !stopped; ms += 20) {
            Delay(d, 20);
            stopped = KeyPressed(d) || (MouseOn(tr) && TakeClick(d) != 0);
        }
    }
}

void elektro::Right(int secondColumn, int secondRow) {
    PlayersState& pl = tr.players;
    MouseShow(d, 0);
    used_[static_cast<size_t>(secondColumn)][static_cast<size_t>(secondRow)] = true;
    ChangeBoard([&] { DrawWord(secondColumn, secondRow, colour::Red); });
    StopSound(d);
    if (SoundOn(tr) && !MouseOn(tr)) PlayWav(d, "wavs\\kontaktrichtig2.wav");
    BlinkLamp();
    if (++connections_ >= needed_) done_ = true;
    ChangeBoard([&] {
        MarkSocket(secondColumn, secondRow, colour::Maroon, fillstyle::SolidExtended, colour::Grey);
        MarkSocket(chosenColumn_, chosenRow_, colour::Maroon, fillstyle::SolidExtended,
                   colour::Grey);
        DrawWord(chosenColumn_, chosenRow_, colour::Green);
        DrawWord(secondColumn, secondRow, colour::Green);
    });
    ScoreConnection(pl.PlayerCount, pl.Player1Turn, pl.TaskMistakes, pl.TaskCount, secondScore);
    open_[static_cast<size_t>(chosen_)] = false;
    pl.TaskMistakes = 0;
    chooseFirst_ = true;
    chosen_ = -1;
    MouseShow(d, 1);
    if (MouseOn(tr)) {
        MouseWindow(d, 30, 50, 316, panelBottom_);
        MoveMouseTo(d, 180, 220);
    }
}

void elektro::Wrong() {
    PlayersState& pl = tr.players;
    if (TonesOn(tr) && !PlayWav(d, "wavs\\kontaktfalsch.wav")) Tone(d, 100, 500);
    pl.AnswerText.clear();
    ChangeBoard([&] {
        MarkSocket(rightPlug.column, rightPlug.row, colour::Teal, fillstyle::Solid, colour::Black);
    });
    ++pl.TaskMistakes;
}

// ---- Mouse play ------------------------------------------------------------------

void elektro::ChooseFirst(int column, int row) {
    PlayersState& pl = tr.players;
    const auto place = static_cast<size_t>(row - 1 + (column == 2 ? half_ : 0));
    chosen_ = p_[place];
    chosenColumn_ = column;
    chosenRow_ = row;
    pl.WorkText = pairs_[static_cast<size_t>(chosen_)].first;
    used_[static_cast<size_t>(column)][static_cast<size_t>(row)] = true;
    MoveLeftPlug(column, row);
    pl.AnswerX = ContactColumnAt(column).wordX;
    ChangeBoard([&] { DrawWord(column, row, colour::Red); });
    if (SoundOn(tr)) PlayWav(d, "wavs\\kontaktrichtig1.wav");
    if (pl.PlayerCount == 2) ShowTurn();
    chooseFirst_ = false;
    MouseWindow(d, 324, 50, 610, panelBottom_);
    MoveMouseTo(d, 480, 220);
}

void elektro::ChooseSecond(int column, int row) {
    PlayersState& pl = tr.players;
    const auto place = static_cast<size_t>(row - 1 + (column == 4 ? half_ : 0));
    const int compound = q_[place];
    pl.AnswerText = pairs_[static_cast<size_t>(compound)].second;
    MoveRightPlug(column, row);
    if (compound == chosen_) Right(column, row);
    else Wrong();
}

// A left click on a free socket of the panel in play: first parts on the
// left, then their partners on the right. Other clicks do nothing.
void elektro::MouseMove() {
    MouseShow(d, 1);
    while (!KeyPressed(d)) {
        if (!Tick(tr)) continue;
        int x = 0;
        int y = 0;
        GetMouseState(d, x, y);
        const bool left = x < 320;
        if (left != chooseFirst_) continue;
        const int column = left ? (x < 180 ? 1 : 2) : (x < 501 ? 3 : 4);
        const int row = SocketRowAt(column, half_, x, y);
        if (row == 0 || used_[static_cast<size_t>(column)][static_cast<size_t>(row)]) continue;
        MouseShow(d, 0);
        if (chooseFirst_) ChooseFirst(column, row);
        else ChooseSecond(column, row);
        return;
    }
    MouseShow(d, 0);
    ReadKey();
}

// ---- Keyboard play ---------------------------------------------------------------

void elektro::RedrawTyped() {
    ChangeBoard([&] {
        SetFillStyle(d, fillstyle::Solid, kBoardColour);
        Bar(d, kTypeX - 4, kStripTop, 600, kStripBottom);
        SetTextStyle(d, tr.t.opt.GraphFont, 0, 4);
        SetTextJustify(d, 0, 2);
        SetColor(d, colour::Orange);
        std::string shown = typed_;
        if (dashAt_ > 0) shown.insert(dashAt_, " - ");
        Text(d, kTypeX, kTypeY, shown);
        tr.players.AnswerX = kTypeX + TextWidth640(d, shown);
    });
}

// "?" shows where the next letter goes until a key comes.
void elektro::Blink() {
    SetTextStyle(d, tr.t.opt.GraphFont, 0, 4);
    SetTextJustify(d, 0, 2);
    const int x = tr.players.AnswerX;
    const Rect mark = TextInkRect(d, x, kTypeY, "?");
    while (!KeyPressed(d)) {
        DrawLeftCable();
        DrawRightCable();
        SetColor(d, colour::White);
        Text(d, x, kTypeY, "?");
        DrawLeftCable();
        DrawRightCable();
        for (int ms = 0; ms < 600 && !KeyPressed(d); ms += 20) Delay(d, 20);
        DrawLeftCable();
        DrawRightCable();
        ShowPageRect(d, 0, false, mark);
        DrawLeftCable();
        DrawRightCable();
        for (int ms = 0; ms < 600 && !KeyPressed(d); ms += 20) Delay(d, 20);
        NoteWaitingForInput(d);
    }
}

void elektro::TakeBack() {
    if (typed_.empty()) return;
    // Right after the first part the " - " goes with its last letter.
    if (dashAt_ >= typed_.size()) dashAt_ = 0;
    typed_.pop_back();
    RedrawTyped();
}

void elektro::TypeKey(char key) {
    const auto c = static_cast<unsigned char>(key);
    if (!IsContactKey(c) || typed_.size() >= kTypedMax) return;
    typed_ += key;
    if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
    for (size_t i = 0; i < pairs_.size() && separated_ && dashAt_ == 0; ++i)
        if (open_[i] && typed_ == pairs_[i].first) dashAt_ = typed_.size();
    RedrawTyped();
    for (size_t i = 0; i < pairs_.size(); ++i)
        if (open_[i] && typed_ == pairs_[i].first + pairs_[i].second)
            tr.t.LastKey = keycode::Return;
}

void elektro::SubmitTyped() {
    PlayersState& pl = tr.players;
    int found = -1;
    for (size_t i = 0; i < pairs_.size(); ++i)
        if (open_[i] && typed_ == pairs_[i].first + pairs_[i].second) found = static_cast<int>(i);
    if (found < 0) {
        ++pl.TaskMistakes;
        MistakeSound(tr);
        return;
    }
    const auto c = static_cast<size_t>(found);
    const int leftPlace = q_[c];
    chosen_ = found;
    chosenColumn_ = leftPlace < half_ ? 1 : 2;
    chosenRow_ = leftPlace % half_ + 1;
    used_[static_cast<size_t>(chosenColumn_)][static_cast<size_t>(chosenRow_)] = true;
    pl.WorkText = pairs_[c].first;
    MoveLeftPlug(chosenColumn_, chosenRow_);
    ChangeBoard([&] { DrawWord(chosenColumn_, chosenRow_, colour::Red); });
    const int rightPlace = p_[c];
    const int column = rightPlace < half_ ? 3 : 4;
    const int row = rightPlace % half_ + 1;
    pl.AnswerText = pairs_[c].second;
    MoveRightPlug(column, row);
    Right(column, row);
    typed_.clear();
    dashAt_ = 0;
    RedrawTyped();
    if (pl.PlayerCount == 2) ShowTurn();
}

// Letters are typed until the word is one of the board's compounds; RETURN
// hands in what is typed.
void elektro::KeyMove() {
    Blink();
    ReadKey();
    const char key = tr.t.LastKey;
    if (key == keycode::Esc || d.keys.ExtendedKey) return;
    if (key == keycode::Backspace) {
        TakeBack();
        return;
    }
    if (key != keycode::Return) TypeKey(key);
    if (tr.t.LastKey != keycode::Return) return;
    if (typed_.empty()) MistakeSound(tr);
    else SubmitTyped();
}

// ---- Keys ------------------------------------------------------------------------

// The quit box keeps the window under it a point short at some window
// sizes; its bottom edge would stay on the board. After the question the
// box's place is put back from the clean board.
void elektro::ReadKey() {
    ReadKeyOrQuit(tr);
    if (tr.t.LastKey != keycode::Esc && tr.t.LastKey != 0) return;
    DrawLeftCable();
    DrawRightCable();
    ShowPageRect(d, 0, false, Rect{70, 218, 572, 270});
    Drop();
}

// ---- Blocks ----------------------------------------------------------------------

void elektro::WaitAfterBoard() {
    EmptyKeyBuffer(tr);
    for (int tick = 0; tick < kBoardWaitTicks; ++tick) {
        if (KeyPressed(d)) {
            ReadKey();
            return;
        }
        if (Tick(tr)) return;
    }
}

void elektro::EndBoard() {
    const bool stopped = tr.t.LastKey == keycode::Esc;
    ShowScores(stopped);
    if (SoundOn(tr) && !stopped && !PlayWav(d, "wavs\\kontaktende.wav")) {
        Tone(d, 800, 400);
        Delay(d, 400);
        for (int f : {1000, 600, 1200, 600}) {
            Tone(d, f, 400);
            Delay(d, 400);
        }
        StopSound(d);
    }
    if (stopped) {
        // The scores stand until a key, so that the children can read them.
        if (tr.players.PlayerCount == 2 || tr.players.TaskCount + secondScore > 0) WaitAfterBoard();
        tr.t.LastKey = keycode::Esc;
        return;
    }
    WaitAfterBoard();
    PlugsToRest();
    ChangeBoard([&] {
        SetFillStyle(d, fillstyle::Solid, colour::Grey);
        for (int column = 1; column <= 4; ++column)
            for (int row = 1; row <= half_; ++row) {
                SetTextStyle(d, tr.t.opt.GraphFont, 0, 4);
                SetTextJustify(d, 0, 2);
                ClearText(tr, ContactColumnAt(column).wordX, WordY(row), WordAt(column, row));
            }
    });
}

// One board until it is done or ESC; false when ESC ended the game.
bool elektro::PlayBoard(const ContactRound& round) {
    PlayersState& pl = tr.players;
    pl.CurrentWordNo = round.start;
    pairs_ = round.pairs;
    n_ = static_cast<int>(pairs_.size());
    half_ = n_ / 2;
    needed_ = round.needed;
    // A random order by rejection: a place not taken yet for each word.
    p_.assign(static_cast<size_t>(n_), -1);
    std::vector<bool> taken(static_cast<size_t>(n_), false);
    for (int i = 0; i < n_; ++i) {
        int r = Random(tr, n_);
        while (taken[static_cast<size_t>(r)]) r = Random(tr, n_);
        taken[static_cast<size_t>(r)] = true;
        p_[static_cast<size_t>(i)] = r;
    }
    q_.assign(static_cast<size_t>(n_), 0);
    for (int i = 0; i < n_; ++i) q_[static_cast<size_t>(p_[static_cast<size_t>(i)])] = i;
    open_.assign(static_cast<size_t>(n_), true);

    ChangeBoard([&] {
        if (n_ != builtSize_) BuildBoard();
        DrawSockets();
        ShowOddMessage(round.odd);
        DrawWords(kBoardColour);
    });
    ++boardsPlayed;
    typed_.clear();
    dashAt_ = 0;
    pl.WorkText.clear();
    pl.TaskMistakes = 0;
    connections_ = 0;
    done_ = false;
    chooseFirst_ = true;
    chosen_ = -1;
    pl.AnswerX = MouseOn(tr) ? 80 : kTypeX;
    if (pl.PlayerCount == 2) {
        pl.Player1Turn = false;
        ShowTurn();
    }
    if (MouseOn(tr)) {
        MouseWindow(d, 30, 50, 316, panelBottom_);
        MoveMouseTo(d, 180, 220);
    }
    while (tr.t.LastKey != keycode::Esc && !done_) {
        if (MouseOn(tr)) MouseMove();
        else KeyMove();
    }
    MouseWindow(d, 0, 0, 0, 0);
    EndBoard();
    return tr.t.LastKey != keycode::Esc;
}

// A list without a block of two words has no board to play.
void elektro::ShowNoBoard() {
    SetTextStyle(d, 0, 0, 4);
    ShowListUnplayable(tr, "Kein Block mit zwei W\x94rtern in der Liste.");
}

void elektro::Run() {
    TrainerState& t = tr.t;
    separated_ = Separated();
    std::vector<std::string> lines(t.WordList.begin() + 1, t.WordList.begin() + 1 + t.WordCount);
    if (!lines.empty()) lines.front() = WithoutSeparatedMark(lines.front());
    ResetGraphScreen(d, 0, 0, 0, 0);
    if (!NextContactRound(lines, 1)) {
        ShowNoBoard();
    } else if (StartGame(tr)) {
        SetFillStyle(d, fillstyle::Solid, kBoardColour);
        SetTextJustify(d, 0, 2);
        Bar(d, 0, 0, t.MaxX, t.MaxY);
        t.opt.KontaktThickness = 3;
        for (int page = 0; page <= 3; ++page) SavePage(d, page);
        leftPlug = {kLeftRestX, kRestY, 0, 0};
        rightPlug = {kRightRestX, kRestY, 0, 0};
        Drop();
        secondScore = 0;
        tr.players.TaskCount = 0;
        int position = t.opt.OptWortwahl == kOrdered && t.CurrentLine > 1 ? t.CurrentLine - 1 : 1;
        for (;;) {
            const std::optional<ContactRound> round = NextContactRound(lines, position);
            if (!round || !PlayBoard(*round)) break;
            position = round->next;
        }
    }
    EndGame(tr);
}

void elektro::Release() {
    SetFillStyle(d, fillstyle::BackgroundFill, 0);
    SetWriteMode(d, 0);
    Bar(d, 0, 0, 639, 478);
    monitor::Release();
}

void RunContact(Trainer& tr) { LaunchExercise<elektro>(tr); }

}  // namespace qs
