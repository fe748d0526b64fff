#include "exercises/twointoone/TwoIntoOne.h"

#include <algorithm>

#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/Kit.h"
#include "exercises/common/Players.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "trainer/QuitKeys.h"
#include "trainer/Random.h"
#include "trainer/Results.h"

namespace qs {

const std::array<const char*, 12> kRejections = {
    "Das Wort kenne ich nicht.",       "Wo hast du das gesehen ?",
    "Vielleicht gibt es das einmal.",  "Das mu\xe1t du mir mal zeigen.",
    "Wer kann sich das vorstellen ?",  "Das gibt es nur bei dir !",
    "Sehr witzig, leider falsch.",     "Fast, aber nicht ganz = falsch.",
    "Schau mal \224fter ins Lexikon.", "Danach wurde nicht gesucht.",
    "Wie kommst du blo\xe1 darauf ?",  "Das konntest du schon besser ?",
};

const std::array<const char*, 18> kPraise = {
    "Sehr gut! Weiter so!",         "Ich sehe, du kannst es.",
    "Bravo!  Bravo!  Bravo!",       "Richtig, so kenne ich dich.",
    "Ich staune, echt super gut!",  "Du bist wirklich klasse!",
    "Keiner kann es besser.",       "Gro\341er Meister, ich danke dir!",
    "Du bist so schlau wie ich.",   "Du kannst es wirklich gut.",
    "Ich bin begeistert von dir.",  "Genau!  Genau!  Genau!",
    "Das habe ich auch!",           "Schon wieder richtig!",
    "Ich sage: \"Top fit.\"",       "Du bist der Beste!",
    "Von dir kann man was lernen.", "Gro\341e Klasse! Mach weiter",
};

namespace {

constexpr int kTasks = 21;
constexpr int kSpinSteps = 21;
constexpr double kRowDelayMs = 60;
constexpr int kLine1Y = 384;
constexpr int kLine2Y = 430;
constexpr int kAnswerX = 66;
constexpr int kRuleY = 418;  // between the answer lines
constexpr int kTypingEndX = 500;
constexpr int kMessageX = 44;
constexpr int kMessageY = 110;
// The message band ends at the screen's right edge; a letter that would
// reach past it is not drawn.
constexpr int kBandRight = 639;
// LastKey after a spelled message: no key of the child's.
constexpr char kNoKey = 37;

// The three rows of the panels: cell top and bottom, text top.
struct Row {
    int top, bottom, text;
};
constexpr std::array<Row, 3> kRows = {{{190, 226, 192}, {234, 270, 236}, {278, 314, 280}}};
struct Column {
    int left, right, text;
};
constexpr std::array<Column, 2> kColumns = {{{65, 295, 80}, {345, 575, 360}}};
// The grey panels the cells lie on.
constexpr int kPanelTop = 178;
constexpr int kPanelBottom = 326;

// A part longer than a cell holds is cut where the cell ends, so that it
// never writes over the frame.
std::string FitCell(Dos& d, std::string text, const Column& c) {
    while (!text.empty() && c.text + TextWidth640(d, text) > c.right - 2) text.pop_back();
    return text;
}

// How far a text written with its top at y is raised so that the letters
// of the current text style stay inside the bar from top to bottom, accents
// and descenders included; when they cannot, the overflow is shared
// between the bar's top and bottom. Our font inks lower than the bars were
// laid out for.
int RaiseIntoBar(Dos& d, int y, int top, int bottom, bool thick) {
    const Rect ink = TextInkRect(d, 0, y, "\x8e\x99\x9agjpqy", thick);
    if (ink.Empty()) return 0;
    const int below = ink.bottom - (bottom + 1);
    const int room = ink.top - top;
    if (below <= 0) return 0;
    return below <= room ? below : (below + room) / 2;
}

// Where an answer text starts on the answer line whose label is at y.
int AnswerTop(Dos& d, int y, bool thick) {
    return y - 6 - RaiseIntoBar(d, y - 6, y - 6, y + 26, thick);
}

}  // namespace

// ---- The rules ----------------------------------------------------------------------

int NextTaskPosition(int p, int wordCount) { return p >= wordCount ? 1 : p + 1; }

std::array<int, 4> TaskLineNumbers(int p, int wordCount) {
    std::array<int, 4> lines{};
    const int count = std::max(1, wordCount);
    for (int i = 0; i < 4; ++i) lines[static_cast<size_t>(i)] = (p - 1 + i) % count + 1;
    return lines;
}

CompoundTask ReadTask(const std::array<std::string, 4>& lines) {
    const CompoundLine x1 = ParseCompoundLine(lines[0]);
    const CompoundLine one = ParseCompoundLine(lines[1]);
    const CompoundLine two = ParseCompoundLine(lines[2]);
    const CompoundLine x4 = ParseCompoundLine(lines[3]);
    CompoundTask t;
    // The first line's part is shown as the last line's form shows its own.
    t.X1 = ShownSecondPart(x1, x4.written);
    t.T1 = one.first;
    t.S1 = ShownSecondPart(one, one.written);
    t.W1 = one.compound;
    t.T2 = two.first;
    t.S2 = ShownSecondPart(two, two.written);
    t.W2 = two.compound;
    t.X4 = x4.first;
    t.written = one.written || two.written;
    return t;
}

std::array<std::string, 6> ArrangedCells(const CompoundTask& t, int r) {
    switch (r) {
        case 1: return {t.X4, t.S1, t.T2, t.X1, t.T1, t.S2};
        case 2: return {t.T1, t.S2, t.X4, t.X1, t.T2, t.S1};
        case 3: return {t.T1, t.S2, t.X4, t.S1, t.T2, t.X1};
        case 4: return {t.T2, t.S1, t.T1, t.X1, t.X4, t.S2};
        default: return {t.T2, t.X1, t.T1, t.S2, t.X4, t.S1};
    }
}

AnswerVerdict JudgeAnswer(const std::string& answer, const CompoundTask& t,
                          const std::string& accepted) {
    if (answer.empty()) return AnswerVerdict::Empty;
    if (answer != t.W1 && answer != t.W2) return AnswerVerdict::Wrong;
    return answer == accepted ? AnswerVerdict::Repeat : AnswerVerdict::Right;
}

const std::string& MissingCompound(const CompoundTask& t, bool line2, const std::string& accepted) {
    return line2 && accepted == t.W1 ? t.W2 : t.W1;
}

int PickDifferent(const std::function<int(int)>& draw, int n, int last) {
    int k = 0;
    do {
        k = draw(n) + 1;
    } while (k == last && n > 1);
    return k;
}

bool TypedIntoAnswer(unsigned char key, bool answerEmpty) {
    return IsTwoIntoOneKey(key) && !(key == ' ' && answerEmpty);
}

// ---- The game ------------------------------------------------------------------------

TwoIntoOneGame::TwoIntoOneGame(Trainer& trainer) : tr(trainer), d(trainer.d) {}

bool TwoIntoOneGame::TwoPlayers() const { return tr.players.PlayerCount == 2; }

void TwoIntoOneGame::Run() {
    Points = {0, 0};
    Position = 0;
    MouseMode = MouseOn(tr);
    StartScreen();
    const bool play = StartGame(tr);
    SetTextStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    if (!play) return;
    if (tr.t.WordCount < static_cast<int>(kTwoIntoOneMinEntries)) {
        TooFewLines();
        return;
    }
    DrawStaticScreen();
    while (!quit_ && tr.players.TaskCount < kTasks) PlayTask();
    EndScreen();
}

void TwoIntoOneGame::StartScreen() {
    InitGraph(d, 0);
    if (tr.t.opt.OptMaus == 2) MouseShow(d, 1);
    if (tr.t.opt.OptMaus == 1) MouseShow(d, 0);
    SetBkColor(d, colour::Black);
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, 0, 0, 639, 479);
    SetLineStyle(d, 0, 0, 3);
}

// The list check lets such a list through only with a warning; the game
// says why nothing happens.
void TwoIntoOneGame::TooFewLines() {
    SetTextStyle(d, 1, 0, 3);
    SetColor(d, colour::White);
    OutTextXY(d, 10, 100, "Die Liste hat zu wenige W\x94rter.");
    OutTextXY(d, 10, 140, "Aus 2 mach 1 braucht mindestens 6 Zeilen.");
    WaitForKeyOrLeftClick();
    tr.t.LastKey = keycode::Esc;
}

// The whole screen is laid again: the player questions leave their texts
// at the top.
void TwoIntoOneGame::DrawStaticScreen() {
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, 0, 0, 639, 479);
    SetColor(d, colour::Cyan);
    OutTextXY(d, 268, 12, "Aus 2 mach 1");
    SetColor(d, colour::Teal);
    OutTextXY(d, 268, 32, "Aus 2 mach 1");
    SetLineStyle(d, 0, 0, 1);
    SetColor(d, colour::Blue);
    for (const int y : {33, 418, 142}) Line(d, 0, y, 639, y);
    SetLineStyle(d, 0, 0, 3);
    SetColor(d, colour::Black);
    Line(d, 0, 100, 639, 100);
    SetColor(d, colour::LightYellow);
    OutTextXY(d, 10, kLine1Y, "1.");
    OutTextXY(d, 10, kLine2Y, "2.");
    for (const int left : {60, 340}) {
        const int right = left + 240;
        SetColor(d, colour::Red);
        Rectangle(d, left, 176, right, 328);
        Rectangle(d, left - 4, 172, right + 4, 332);
        SetColor(d, colour::Pink);
        Rectangle(d, left - 2, 174, right + 2, 330);
        SetFillStyle(d, fillstyle::Solid, colour::Grey);
        Bar(d, left + 2, 178, right - 2, 326);
    }
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, 0, 101, 639, 140);
    // Thin lines from here on: the quit box puts back only what lies close
    // around its frame.
    SetLineStyle(d, 0, 0, 1);
}

// ---- One task --------------------------------------------------------------------------

void TwoIntoOneGame::PlayTask() {
    ++tr.players.TaskCount;
    ClearAnswerLines(40);
    SetTextStyle(d, 1, 0, 3);
    ClearBand();
    SetColor(d, colour::LightYellow);
    OutTextXY(d, 266, kMessageY, "Stop mit Taste");
    SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
    SetColor(d, colour::Navy);
    Tries = 0;
    Accepted.clear();
    TaskDone = false;
    Picks = 0;
    LineY = kLine1Y;
    SetTextStyle(d, 1, 0, 4);
    Spin();
    AnnounceTask();
    StartAnswerLine1();
    AnswerLoop();
    if (!quit_) WaitWithDots();
}

void TwoIntoOneGame::Spin() {
    SpinSteps = 0;
    StoppedByPlayer = false;
    const TrainerState& t = tr.t;
    for (int step = 0; step < kSpinSteps; ++step) {
        Position = NextTaskPosition(Position, t.WordCount);
        std::array<std::string, 4> lines;
        const std::array<int, 4> numbers = TaskLineNumbers(Position, t.WordCount);
        for (size_t i = 0; i < 4; ++i) lines[i] = t.WordList[static_cast<size_t>(numbers[i])];
        Task = ReadTask(lines);
        // A written compound need not be its parts joined, which two picks
        // could never give: such a list is answered by typing.
        if (Task.written) MouseMode = false;
        Arrangement = Random(tr, 5) + 1;
        Cells = ArrangedCells(Task, Arrangement);
        DrawCells(Cells, kRowDelayMs);
        ++SpinSteps;
        if (KeyPressed(d) || (MouseMode && d.mouse.LastClick != 0)) {
            StoppedByPlayer = true;
            break;
        }
    }
}

// Each row's cells are yellow on the grey panel. The text is raised where
// the font inks below its cell, and the grey under each cell is laid again
// with it, so that no part of an earlier step's letters stays there.
void TwoIntoOneGame::DrawCells(const std::array<std::string, 6>& cells, double rowDelayMs) {
    SetTextStyle(d, 1, 0, 4);
    SetColor(d, colour::Navy);
    const int raise = RaiseIntoBar(d, kRows[0].text, kRows[0].top, kRows[0].bottom, false);
    for (size_t row = 0; row < kRows.size(); ++row) {
        const Row& r = kRows[row];
        const int gapTop = row == 0 ? kPanelTop : r.top;
        const int gapBottom = row + 1 < kRows.size() ? kRows[row + 1].top - 1 : kPanelBottom;
        for (size_t col = 0; col < kColumns.size(); ++col) {
            const Column& c = kColumns[col];
            SetFillStyle(d, fillstyle::Solid, colour::Grey);
            Bar(d, c.left, gapTop, c.right, gapBottom);
            SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
            Bar(d, c.left, r.top, c.right, r.bottom);
            OutTextXY(d, c.text, r.text - raise, FitCell(d, cells[row * 2 + col], c));
        }
        if (rowDelayMs > 0) Delay(d, rowDelayMs);
    }
}

void TwoIntoOneGame::AnnounceTask() {
    SetTextStyle(d, 1, 0, 3);
    ClearBand();
    if (TwoPlayers()) {
        SetColor(d, colour::Cyan);
        OutTextXY(d, 100, kMessageY, tr.players.PlayerName1 + " ist dran.");
    } else {
        SetColor(d, colour::Grey);
        if (StoppedByPlayer)
            OutTextXY(d, 275, kMessageY, "Aufgabe: " + std::to_string(tr.players.TaskCount));
        else OutTextXY(d, 200, kMessageY, "Automatisch gestoppt.");
    }
    EmptyKeyBuffer(tr);
    TakeClick(d);
}

void TwoIntoOneGame::StartAnswerLine1() {
    tr.players.AnswerText.clear();
    x_ = kAnswerX;
    widths_.clear();
    SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
    if (MouseMode) Bar(d, 50, 378, 639, 410);
    else Bar(d, 50, 378, 76, 410);
}

void TwoIntoOneGame::AnswerLoop() {
    while (!TaskDone && !quit_) {
        if (MouseMode) MouseStep();
        else KeyboardStep();
    }
}

// ---- Answers with the mouse ----------------------------------------------------------

void TwoIntoOneGame::MouseStep() {
    while (MouseButtons(d) != 0) Delay(d, 10);
    SetMouseX(d, Picks == 0 ? 240 : 380);
    int click = 0;
    while (!KeyPressed(d) && (click = TakeClick(d)) == 0) {
        Delay(d, 10);
        NoteWaitingForInput(d);
    }
    if (click == 0) {
        ReadKeyOrQuit(tr);
        quit_ = tr.t.LastKey == keycode::Esc;
        return;
    }
    if (click != 1) return;
    for (size_t row = 0; row < kRows.size(); ++row) {
        for (size_t col = 0; col < kColumns.size(); ++col) {
            const Row& r = kRows[row];
            const Column& c = kColumns[col];
            if (!PointerIn(tr, c.left, r.top, c.right, r.bottom)) continue;
            std::string text = Cells[row * 2 + col];
            if (!text.empty() && text.front() == '-') text.erase(0, 1);
            tr.players.AnswerText += text;
            ++Picks;
            DrawAnswer();
        }
    }
    if (Picks < 2) return;
    const bool line1 = !Line2();
    Judge();
    if (quit_ || TaskDone) return;
    if (line1 && Line2()) {
        SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
        Bar(d, 50, 424, 639, 456);
    } else {
        // The line stays (an empty answer): its picks start again.
        Picks = 0;
        tr.players.AnswerText.clear();
        DrawAnswer();
    }
}

// The picked answer on a fresh yellow line.
void TwoIntoOneGame::DrawAnswer() {
    SetTextStyle(d, 1, 0, 4);
    const std::string& answer = tr.players.AnswerText;
    ClearLine(LineY, 50);
    SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
    Bar(d, 50, LineY - 6, 639, LineY + 26);
    SetColor(d, colour::Navy);
    OutTextXY(d, kAnswerX, AnswerTop(d, LineY, true), answer, true);
}

// ---- Answers with the keyboard ---------------------------------------------------------

void TwoIntoOneGame::KeyboardStep() {
    SetTextStyle(d, 1, 0, 4);
    BlinkUntilKey();
    ReadKeyOrQuit(tr);
    if (tr.t.LastKey == keycode::Esc) {
        quit_ = true;
        return;
    }
    const char key = tr.t.LastKey;
    if (d.keys.ExtendedKey) {
        if (key == keycode::Left) Backspace();
        return;
    }
    std::string& answer = tr.players.AnswerText;
    if (key == keycode::Return) {
        if (answer.empty()) HelpOnEmptyReturn();
        else Judge();
    } else if (key == keycode::Backspace) {
        Backspace();
    } else if (TypedIntoAnswer(static_cast<unsigned char>(key), answer.empty()) &&
               x_ < kTypingEndX) {
        TypeLetter(key);
    }
}

// The block cursor blinks green and yellow until a key comes; it is left
// yellow, the colour the typed letters stand on.
bool TwoIntoOneGame::BlinkUntilKey() {
    for (;;) {
        for (const int c : {colour::Green, colour::LightYellow}) {
            SetFillStyle(d, fillstyle::Solid, c);
            Bar(d, x_, LineY - 6, x_ + 28, LineY + 26);
            Delay(d, 400);
            if (KeyPressed(d)) {
                SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
                Bar(d, x_, LineY - 6, x_ + 28, LineY + 26);
                return true;
            }
            NoteWaitingForInput(d);
        }
    }
}

void TwoIntoOneGame::TypeLetter(char c) {
    const std::string letter(1, c);
    tr.players.AnswerText += letter;
    SetTextStyle(d, 1, 0, 4);
    SetColor(d, colour::Navy);
    OutTextXY(d, x_, AnswerTop(d, LineY, true), letter, true);
    const int w = TextWidth640(d, letter);
    widths_.push_back(w);
    x_ += w;
    if (TonesOn(tr)) {
        StopSound(d);
        PlayWav(d, "wavs\\tippton.wav");
    }
}

// The letter goes, and what is left of the answer is drawn again on the
// yellow strip up to the cursor: a bar over the letter alone would cut the
// smoothed edge of the one before.
void TwoIntoOneGame::Backspace() {
    std::string& answer = tr.players.AnswerText;
    if (answer.empty()) return;
    answer.pop_back();
    x_ -= widths_.empty() ? 0 : widths_.back();
    if (!widths_.empty()) widths_.pop_back();
    ClearLine(LineY, 50);
    SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
    Bar(d, 50, LineY - 6, x_ + 28, LineY + 26);
    SetColor(d, colour::Navy);
    OutTextXY(d, kAnswerX, AnswerTop(d, LineY, true), answer, true);
    if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
}

void TwoIntoOneGame::HelpOnEmptyReturn() {
    SetTextStyle(d, 1, 0, 3);
    ClearBand();
    SetColor(d, colour::LightYellow);
    Message = "Nicht so schnell aufgeben.";
    SpellMessage();
    Tries = std::max(Tries, 1);
    const std::string& word = MissingCompound(Task, Line2(), Accepted);
    if (!word.empty()) TypeLetter(word.front());
}

// ---- Judging ------------------------------------------------------------------------------

void TwoIntoOneGame::Judge() {
    SetTextStyle(d, 1, 0, 3);
    ClearBand();
    SetColor(d, colour::LightYellow);
    switch (JudgeAnswer(tr.players.AnswerText, Task, Accepted)) {
        case AnswerVerdict::Repeat:
            Message = "Willst du mich ver\x84ppeln ?";
            SpellMessage();
            if (MouseMode) TaskDone = true;
            break;
        case AnswerVerdict::Right: JudgeRight(); break;
        case AnswerVerdict::Wrong: JudgeWrong(); break;
        case AnswerVerdict::Empty:
            Message = "Nicht so schnell aufgeben.";
            SpellMessage();
            Tries = 1;
            break;
    }
    if (TaskDone) CloseTaskProtocol();
}

void TwoIntoOneGame::JudgeRight() {
    const std::string answer = tr.players.AnswerText;
    AppendProtocol(tr, answer + "=");
    const bool line1 = !Line2();
    const int points = 10 - Tries;
    if (line1) {
        Accepted = answer;
        GoToLine2();
    } else {
        TaskDone = true;
    }
    PickPraise();
    SpellMessage();
    if (TwoPlayers()) {
        if (line1) {
            Points[0] += points;
            // Player 2's points count his own tries only.
            Tries = 0;
            WaitWithDots();
            if (quit_) return;
            SetTextStyle(d, 1, 0, 3);
            ClearBand();
            SetColor(d, colour::Pink);
            Message = tr.players.PlayerName2 + " ist dran.";
            SpellMessage();
        } else {
            Points[1] += points;
        }
    }
    tr.t.LastKey = kNoKey;
}

void TwoIntoOneGame::JudgeWrong() {
    const std::string& answer = tr.players.AnswerText;
    Tries = std::max(Tries, 1);
    AppendProtocol(tr, Task.W1 + "-" + Task.W2 + "/(" + answer + ")");
    if (MouseMode) CloseTaskProtocol();
    ++Tries;
    if (MouseMode) Tries = 3;
    if (Tries < 3) {
        PickRejection();
        SpellMessage();
        return;
    }
    if (Line2()) GiveUpLine2();
    else GiveUpLine1();
}

void TwoIntoOneGame::GiveUpLine2() {
    if (MouseMode) {
        PickRejection();
        SpellMessage();
    } else {
        // The typed answer may reach past the solution's bar.
        ClearLine(kLine2Y, 50);
        SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
        Bar(d, 50, 424, 500, 456);
        SetTextStyle(d, 1, 0, 4);
        SetColor(d, colour::Navy);
        const int top = kLine2Y - RaiseIntoBar(d, kLine2Y, 424, 456, false);
        OutTextXY(d, kAnswerX, top, MissingCompound(Task, true, Accepted));
        SetTextStyle(d, 1, 0, 3);
        SetColor(d, colour::LightYellow);
        Message = "War das etwa schwer ?";
        SpellMessage();
    }
    TaskDone = true;
}

void TwoIntoOneGame::GiveUpLine1() {
    Tries = 1;
    if (MouseMode) PickRejection();
    else Message = "L\x94sung: " + Task.W1;
    const std::string solution = Task.W1;
    GoToLine2();
    if (!MouseMode) Accepted = solution;
    if (TwoPlayers()) {
        if (MouseMode) {
            SpellMessage();
            WaitWithDots();
            if (quit_) return;
            SetTextStyle(d, 1, 0, 3);
            ClearBand();
        } else {
            ClearLine(kLine1Y, 50);
            SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
            Bar(d, 50, 378, 639, 410);
            d.platform.Beep();
            SetColor(d, colour::Navy);
            OutTextXY(d, kAnswerX, kLine1Y - RaiseIntoBar(d, kLine1Y, 378, 410, false), Message);
        }
        SetColor(d, colour::Pink);
        Tries = 0;
        Message = tr.players.PlayerName2 + " ist dran.";
    }
    SpellMessage();
}

// Line 1 is done: the answer moves to line 2, where the cursor starts; one
// player's line 1 gets a protocol line of its own.
void TwoIntoOneGame::GoToLine2() {
    LineY = kLine2Y;
    tr.players.AnswerText.clear();
    x_ = kAnswerX;
    widths_.clear();
    Picks = 0;
    SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
    Bar(d, 50, 424, 66, 456);
    CloseTaskProtocol();
}

// One player's protocol gets a line per answer line; a line with nothing
// in it (a refused repeat, or a wrong pick closed already) is not closed.
void TwoIntoOneGame::CloseTaskProtocol() {
    const TrainerState& t = tr.t;
    if (t.ProtocolCount < kProtocolSize &&
        !t.ProtocolLines[static_cast<size_t>(t.ProtocolCount + 1)].empty())
        CloseProtocolLine(tr, "");
}

void TwoIntoOneGame::PickRejection() {
    LastRejection = PickDifferent([&](int n) { return Random(tr, n); },
                                  static_cast<int>(kRejections.size()), LastRejection);
    Message = kRejections[static_cast<size_t>(LastRejection - 1)];
}

void TwoIntoOneGame::PickPraise() {
    LastPraise = PickDifferent([&](int n) { return Random(tr, n); },
                               static_cast<int>(kPraise.size()), LastPraise);
    Message = kPraise[static_cast<size_t>(LastPraise - 1)];
}

// ---- Messages and waits -----------------------------------------------------------------

void TwoIntoOneGame::SpellMessage() {
    StopSound(d);
    int x = kMessageX;
    for (const char c : Message) {
        const std::string letter(1, c);
        const int w = TextWidth640(d, letter);
        if (x + w > kBandRight) break;
        OutTextXY(d, x, kMessageY, letter, true);
        x += w + 2;
        if (SoundOn(tr)) PlayWav(d, "wavs\\zerlegen.wav");
        Delay(d, 20);
    }
    StopSound(d);
    Spelled.push_back(Message);
    tr.t.LastKey = kNoKey;
}

void TwoIntoOneGame::ReadAwayKeys() {
    while (!quit_ && KeyPressed(d)) {
        ReadKeyOrQuit(tr);
        quit_ = tr.t.LastKey == keycode::Esc;
    }
}

void TwoIntoOneGame::WaitWithDots() {
    while (TakeClick(d) != 0) {}
    ReadAwayKeys();
    const int y = 121 - RaiseIntoBar(d, 121, 100, 140, false);
    for (int n = 0; n <= 60 && !quit_; ++n) {
        OutTextXY(d, 10 * n, y, ".");
        Delay(d, 200);
        if (KeyPressed(d) || d.mouse.LastClick != 0) break;
        NoteWaitingForInput(d);
    }
    TakeClick(d);
    ReadAwayKeys();
}

void TwoIntoOneGame::ClearBand() {
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, 0, 100, 639, 140);
}

void TwoIntoOneGame::ClearAnswerLines(int fromX) {
    ClearLine(kLine1Y, fromX);
    ClearLine(kLine2Y, fromX);
}

// The answer texts ink below their yellow bars (line 1's over the rule
// between the lines): a line is cleared down to the next one, and the
// rule is drawn again.
void TwoIntoOneGame::ClearLine(int y, int fromX) {
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    if (y == kLine1Y) Bar(d, fromX, 378, 639, kRuleY - 1);
    else Bar(d, fromX, kRuleY + 1, 639, 479);
    SetLineStyle(d, 0, 0, 1);
    SetColor(d, colour::Blue);
    Line(d, fromX, kRuleY, 639, kRuleY);
}

// ---- The end -------------------------------------------------------------------------------

void TwoIntoOneGame::EndScreen() {
    SetTextStyle(d, 1, 0, 3);
    ClearBand();
    SetColor(d, colour::LightYellow);
    const PlayersState& p = tr.players;
    if (!TwoPlayers()) {
        Message = "Einen sch\x94nen Tag noch.";
        SpellMessage();
    } else {
        Message = "Wer hat denn nun gewonnen ?";
        SpellMessage();
        ClearAnswerLines(50);
        SetColor(d, colour::Cyan);
        OutTextXY(d, kAnswerX, kLine1Y,
                  p.PlayerName1 + " = " + std::to_string(Points[0]) + " Punkte");
        SetColor(d, colour::Pink);
        OutTextXY(d, kAnswerX, kLine2Y,
                  p.PlayerName2 + " = " + std::to_string(Points[1]) + " Punkte");
    }
    WaitForKeyOrLeftClick();
    tr.t.LastKey = keycode::Esc;
}

// The keys, and the click, are only a sign to go on: nothing is read.
void TwoIntoOneGame::WaitForKeyOrLeftClick() {
    EmptyKeyBuffer(tr);
    TakeClick(d);
    while (!KeyPressed(d) && TakeClick(d) != 1) {
        Delay(d, 20);
        NoteWaitingForInput(d);
    }
    EmptyKeyBuffer(tr);
}

void RunTwoIntoOne(Trainer& tr) {
    if (WordFileFits(tr)) {
        {
            TwoIntoOneGame game(tr);
            game.Run();
        }
        StopSound(tr.d);
        CloseGraph(tr.d);
    }
    EndGame(tr);
}

}  // namespace qs
