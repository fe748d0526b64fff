#include "exercises/comparison/Comparison.h"

#include <algorithm>

#include "exercises/common/Kit.h"
#include "exercises/common/Players.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/mouse/Mouse.h"
#include "trainer/QuitKeys.h"
#include "trainer/Random.h"

namespace qs {

namespace {

// The dinosaur in frames 0..10, the fire in 0..4 and the bar that uncovers
// the words.
ScreenLayout ComparisonLayout() {
    ScreenLayout layout;
    layout.scratchW = 244;
    layout.scratchH = 96;
    layout.slots = Slots({NumberedSlots(kFireSlot, 5, "Feuer", 136, 136),
                          NumberedSlots(kDinoSlot, 11, "Dino", 136, 136),
                          {{kBarSlot, 255, 50, ""}}});
    return layout;
}

// Where "J" and "N" stand in their bubbles.
constexpr int kJX = 210;
constexpr int kNX = 411;
constexpr int kLetterY = 335;
// The word boxes with their borders (drawn 3 wide around 21..282 and
// 357..618, rows 218..272).
constexpr Rect kLeftBox{18, 216, 286, 275};
constexpr Rect kRightBox{354, 216, 622, 275};
// The last row of the grey header; the field below starts at row 40.
constexpr int kHeaderBottom = 39;

}  // namespace

int ChangedExposure(int exposure, char key) {
    if (key == '+' && exposure < 100) return exposure + 1;
    if (key == '-' && exposure > 0) return exposure - 1;
    return exposure;
}

double StepDelayMs(int exposure) {
    switch (exposure) {
        case 0: return 0;
        case 1: return 0.4;
        case 2: return 0.7;
        case 3: return 0.9;
        default: return exposure / 3;
    }
}

int RightPercent(int taskCount, int wrong) {
    return taskCount > 0 ? (taskCount - wrong) * 100 / taskCount : 0;
}

std::string EndMessage(const PlayersState& p, int points1, int points2) {
    if (p.PlayerCount != 2) return "Wann sehen wir uns wieder?";
    if (points1 == points2) return "Ihr habt beide gewonnen!";
    const std::string& winner = points1 > points2 ? p.PlayerName1 : p.PlayerName2;
    return (winner + " hat gewonnen.").substr(0, 24);
}

urmonitor::urmonitor(Trainer& trainer) : monitor(trainer, ComparisonLayout()) {}

void urmonitor::StepDelay() {
    const double ms = StepDelayMs(exposure);
    if (ms > 0) Delay(d, ms);
}

void urmonitor::WalkDelay() { Delay(d, tr.t.opt.OptSauri == 0 ? 10 : 2); }

bool urmonitor::OnLeftSide() const { return tr.players.PlayerCount == 2 && tr.players.Player1Turn; }

// ---- The screen ------------------------------------------------------------

void urmonitor::DrawHeader() {
    PlayersState& p = tr.players;
    SetSize(tr, 3);
    if (p.PlayerCount != 2) {
        SetColor(d, colour::LightYellow);
        OutTextXY(d, 240, 10, "Richtig:", true);
        SetColor(d, colour::DarkGrey);
        OutTextXY(d, 460, 10, tr.t.opt.OptWortvergl == 1 ? "Wie bitte?" : "Verbrannt:", true);
        return;
    }
    SetColor(d, colour::Red);
    OutTextXY(d, 20, 10, p.PlayerName1);
    SetLineStyle(d, 0, 0, 3);
    SetColor(d, colour::Red);
    TurnLine(20, p.PlayerName1);
    SetColor(d, colour::DarkGrey);
    OutTextXY(d, 340, 10, p.PlayerName2);
    p.Player1Turn = true;
}

void urmonitor::DrawScene() {
    SetColor(d, colour::LightYellow);
    SetLineStyle(d, 0, 0, 3);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Rectangle(d, 21, 218, 282, 272);
    Rectangle(d, 357, 218, 618, 272);
    SetLineStyle(d, 0, 0, 1);
    FillEllipse(d, 160, 308, 63, 23);
    FillEllipse(d, 480, 308, 63, 23);
    FillEllipse(d, 220, 350, 30, 14);
    FillEllipse(d, 420, 350, 30, 14);
    FillEllipse(d, 268, 375, 12, 8);
    FillEllipse(d, 372, 375, 12, 8);
    SaveUnderLetters();
    DrawChildren();
    SetSmallText(tr);
    SetColor(d, colour::Teal);
    OutTextXY(d, 2, 466, "+/- = langsamer/schneller");
    SetSizeReal(tr, 3.5);
    SetColor(d, colour::DarkGrey);
    OutTextXY(d, 120, 295, "Gleich?");
    OutTextXY(d, 440, 295, "Gleich?");
    SetColor(d, colour::Red);
    SetSize(tr, 2);
    OutTextXY(d, 299, 342, "oder");
}

// The left child stands for player 1, the right one for player 2 and for
// a single player.
void urmonitor::DrawChildren() {
    SetFillStyle(d, fillstyle::Solid, colour::Orange);
    SetColor(d, colour::Purple);
    FillEllipse(d, 290, 400, 12, 13);
    FillEllipse(d, 350, 400, 12, 13);
    Bar(d, 265, 446, 272, 452);
    Bar(d, 368, 446, 375, 452);
    Bar(d, 314, 446, 326, 452);
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    SetColor(d, colour::DarkGrey);
    Bar(d, 275, 414, 305, 460);
    Bar(d, 265, 415, 272, 445);
    for (int i = 307; i <= 314; ++i) Line(d, i, 415, i + 6, 445);
    SetFillStyle(d, fillstyle::Solid, colour::White);
    SetColor(d, colour::White);
    Bar(d, 335, 414, 365, 448);
    Bar(d, 368, 415, 375, 445);
    for (int i = 326; i <= 333; ++i) Line(d, i, 415, i - 6, 445);
    SetFillStyle(d, fillstyle::Solid, colour::Yellow);
    Bar(d, 335, 449, 348, 479);
    Bar(d, 352, 449, 365, 479);
    SetFillStyle(d, fillstyle::Solid, colour::Purple);
    Bar(d, 278, 461, 287, 479);
    Bar(d, 293, 461, 302, 479);
    SetColor(d, colour::Black);
    Line(d, 282, 398, 287, 398);
    Line(d, 293, 398, 298, 398);
    Line(d, 342, 398, 347, 398);
    Line(d, 353, 398, 358, 398);
    Line(d, 290, 401, 290, 405);
    Line(d, 350, 401, 350, 405);
    Arc(d, 290, 402, 200, 340, 8);
    Arc(d, 350, 402, 200, 340, 8);
}

// The bubbles of "J" and "N" as they are without a letter: each letter is
// drawn over a clean bubble, so a thin grey letter never keeps the outline of
// the fat red one before it.
void urmonitor::SaveUnderLetters() {
    SetSize(tr, 4);
    underJ_ = SaveArea(tr, TextInkRect(d, kJX, kLetterY, "J", true));
    underN_ = SaveArea(tr, TextInkRect(d, kNX, kLetterY, "N", true));
}

// "J" and "N" in their colours; a fat letter is the lit one.
void urmonitor::ShowLetters(int jColour, bool jFat, int nColour, bool nFat) {
    SetSize(tr, 4);
    RestoreArea(tr, underJ_);
    RestoreArea(tr, underN_);
    SetColor(d, jColour);
    OutTextXY(d, kJX, kLetterY, "J", jFat);
    SetColor(d, nColour);
    OutTextXY(d, kNX, kLetterY, "N", nFat);
}

void urmonitor::DrawTaskFrame() {
    ShowLetters(colour::DarkGrey, true, colour::DarkGrey, true);
    SetColor(d, colour::Navy);
    Rectangle(d, 23, 81, 279, 131);
    Rectangle(d, 359, 81, 615, 131);
    SetSmallText(tr);
    // Smoothed letters drawn again over themselves grow darker edges with
    // every task: each one goes first.
    const struct {
        int x;
        const char* text;
    } labels[] = {{131, "RETURN"}, {452, "Leertaste"}, {305, "oder"}};
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    for (const auto& l : labels) ClearText(tr, l.x, 100, l.text);
    SetColor(d, colour::Orange);
    for (const auto& l : labels) OutTextXY(d, l.x, 100, l.text);
}

// ---- One task ----------------------------------------------------------------

// Line 1 is kept in CurrentWordNo as 3, so a one-line list never blocks
// the choice; the line itself (lineNo_) is what is shown and repeated.
void urmonitor::ChooseWord() {
    PlayersState& p = tr.players;
    int wordNo = 0;
    if (!TakeRepeatedWord(p, wordNo)) {
        mode_ = Random(tr, 4) + 1;
        const int count = std::max(1, tr.t.WordCount);
        do {
            wordNo = Random(tr, count) + 1;
        } while (wordNo == p.CurrentWordNo && count > 1);
        NewWordChosen(p);
    }
    lineNo_ = std::clamp(wordNo, 1, kWordListSize);
    p.CurrentWordNo = lineNo_ == 1 ? 3 : lineNo_;
    same_ = mode_ == 1 || mode_ == 3;
}

// Page 0: both words in their boxes; page 1: the right word only; page 2:
// both boxes empty. The window shows the empty boxes.
void urmonitor::PrepareWords() {
    const WordPair w = SplitWordPair(tr.t.WordList[static_cast<size_t>(lineNo_)]);
    const std::string& left = mode_ <= 2 ? w.a : w.b;
    const std::string& right = mode_ == 1 || mode_ == 4 ? w.a : w.b;
    SetColor(d, colour::LightYellow);
    SetTextJustify(d, 1, 2);
    SetSize(tr, 5);
    SavePage(d, 0);
    SavePage(d, 1);
    SetActivePage(d, 0);
    tr.players.WorkText = left;
    WriteWorkRect(tr, 152, 227);
    tr.players.WorkText = right;
    WriteWorkRect(tr, 488, 227);
    SetActivePage(d, 1);
    WriteWorkRect(tr, 488, 227);
    SetActivePage(d, -1);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    Bar(d, 23, 220, 278, 268);
    Bar(d, 359, 220, 614, 268);
    SavePage(d, 2);
    SetTextJustify(d, 0, 2);
    shown_ = false;
    SetSize(tr, 2);
    taskPoints_ = 6;
}

// Steps 5 and 6 of a task: waits until a key is waiting or a decision was
// clicked (tick counter above 20). clicked: "j" or "n" from a click.
bool urmonitor::WaitForDecision(char& clicked) {
    int glidedFor = -1;
    do {
        if (MouseOn(tr) && glidedFor != static_cast<int>(shown_)) {
            MoveMouseTo(d, 320, shown_ ? 350 : 110);
            MouseShow(d, 1);
            glidedFor = static_cast<int>(shown_);
        }
        if (!shown_) {
            if (Tick(tr)) {
                if (PointerIn(tr, 130, 100, 240, 120)) tick_ = 25;
                else if (PointerIn(tr, 400, 100, 510, 120)) tick_ = 21;
            }
            ++tick_;
            continue;
        }
        for (int half = 0; half < 2 && tick_ <= 20 && !KeyPressed(d); ++half) {
            SetFillStyle(d, fillstyle::Solid, colour::Grey);
            ShowLetters(half == 0 ? colour::Red : colour::Grey, half == 0,
                        half == 0 ? colour::Grey : colour::Red, half == 1);
            if (!Tick(tr)) continue;
            if (PointerIn(tr, 190, 330, 244, 370)) {
                clicked = 'j';
                tick_ = 101;
            } else if (PointerIn(tr, 390, 330, 450, 370)) {
                clicked = 'n';
                tick_ = 101;
            } else if (PointerIn(tr, 160, 100, 300, 140)) {
                tick_ = 26;
            } else if (PointerIn(tr, 350, 100, 450, 130)) {
                tick_ = 21;
            }
        }
    } while (!KeyPressed(d) && tick_ <= 20);
    return tick_ > 20;
}

void urmonitor::ShowExposure() {
    SetSmallText(tr);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    SetColor(d, colour::Teal);
    Bar(d, 0, 466, 200, 479);
    OutTextXY(d, 2, 466, "Zeit = " + std::to_string(exposure));
    SetSize(tr, 2);
}

void urmonitor::PlayTask() {
    char& key = tr.t.LastKey;
    DrawTaskFrame();
    ChooseWord();
    PrepareWords();
    EmptyKeyBuffer(tr);
    bool over = false;
    do {
        char clicked = 0;
        const bool decided = WaitForDecision(clicked);
        if (decided && tick_ >= 21 && tick_ <= 99) {
            key = tick_ == 26 ? keycode::Return : keycode::Space;
            tick_ = 0;
        } else if (decided && clicked != 0) {
            key = clicked;
            tick_ = 0;
        } else {
            ReadKeyOrQuit(tr);
        }
        if (key == '+' || key == '-') {
            exposure = ChangedExposure(exposure, key);
            ShowExposure();
        } else if (key == keycode::Space || key == keycode::Return) {
            Uncover(key == keycode::Space);
            shown_ = true;
            taskPoints_ = std::max(0, taskPoints_ - 1);
        } else if ((key == 'j' || key == 'n') && shown_) {
            ShowLetters(key == 'j' ? colour::Red : colour::Grey, key == 'j',
                        key == 'n' ? colour::Red : colour::Grey, key == 'n');
            Evaluate(key == 'j');
            over = true;
        }
    } while (key != keycode::Esc && !over);
    if (key == keycode::Esc) return;
    // Page 2 holds the empty boxes with their borders, which a bar inside
    // the borders would cut into at some window sizes.
    ShowPageRect(d, 2, false, kLeftBox);
    ShowPageRect(d, 2, false, kRightBox);
    SavePage(d, 3);
}

// ---- Uncovering ------------------------------------------------------------------

void urmonitor::Uncover(bool sideBySide) {
    FillPicture(TheBar(), kBarColour);
    PaintSprite(TheBar(), 0, 1, 24, 82);
    if (sideBySide) PaintSprite(TheBar(), 0, 1, 360, 82);
    if (SoundOn(tr) && !PlayWav(d, "wavs\\vergleichfuellen.wav")) {
        int length = 150, step = 14;
        for (int i = 0; i < 21; ++i) {
            Tone(d, 400, length);
            Delay(d, length);
            length -= step;
            if (step > 1) --step;
        }
    }
    Delay(d, 500);
    if (sideBySide) UncoverSideBySide();
    else UncoverOneAfterOther();
}

// The bars slide down from the upper boxes into the word boxes; the pages
// under them hold the words, which show through the navy (OR).
void urmonitor::UncoverSideBySide() {
    for (int y = 81; y <= 220; ++y) {
        PaintSpriteMargins(TheBar(), 0, 1, 24, y, 16, 16, 0, 0);
        PaintSpriteMargins(TheBar(), 1, 1, 360, y, 16, 16, 0, 0);
        StepDelay();
    }
    Delay(d, exposure);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    if (exposure < 2) {
        for (int i = 0; i <= 5; ++i) {
            Bar(d, 24, 220 + i, 278, 228 + 8 * i);
            Bar(d, 360, 220 + i, 614, 228 + 8 * i);
            Delay(d, exposure);
        }
    } else if (exposure <= 98) {
        for (int i = 0; i <= 22; ++i) {
            Bar(d, 24, 220, 278, 220 + 2 * i);
            Bar(d, 360, 220, 614, 220 + 2 * i);
            Delay(d, exposure - 2);
        }
    } else {
        for (int i = 0; i <= 44; ++i) {
            Bar(d, 24, 220, 278, 220 + i);
            Bar(d, 360, 220, 614, 220 + i);
            Delay(d, exposure - 50);
        }
    }
    PaintSprite(TheBar(), 2, 2, 24, 220);
    PaintSprite(TheBar(), 2, 2, 360, 220);
}

// One bar comes down on the left word, then moves right: the left word is
// wiped away behind it while the right word shows up under it.
void urmonitor::UncoverOneAfterOther() {
    for (int y = 81; y <= 220; ++y) {
        PaintSpriteMargins(TheBar(), 0, 1, 24, y, 20, 16, 0, 0);
        StepDelay();
    }
    PaintSpriteMargins(TheBar(), 0, 1, 24, 220, 20, 16, 0, 0);
    Delay(d, exposure);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    for (int x = 26; x <= 360; x += 2) {
        PaintSpriteMargins(TheBar(), 0, 1, x, 220, 0, 2, 0, 2);
        // The strip behind the bar comes from the empty boxes, border and
        // all: what the bar ORed over the border does not stay.
        ShowPageRect(d, 2, false, Rect{x - 2, kLeftBox.top, x + 1, kLeftBox.bottom});
        StepDelay();
    }
    PaintSpriteMargins(TheBar(), 0, 1, 360, 220, 20, 16, 0, 0);
    Delay(d, exposure);
    for (int x = 362; x <= 610; x += 2) {
        Bar(d, x - 2, 220, x, 269);
        StepDelay();
    }
    PaintSpriteMargins(TheBar(), 2, 2, 360, 220, 20, 16, 0, 0);
}

// ---- The answer -----------------------------------------------------------------

void urmonitor::Evaluate(bool saidSame) {
    PlayersState& p = tr.players;
    dinoX_ = 560;
    frame_ = 0;
    SavePage(d, 1);
    if (!OnLeftSide()) {
        for (int i = 0; i < 21; ++i) {
            dinoX_ -= 8;
            DrawSprite(Dino(frame_), 1, dinoX_, 340);
            frame_ = (frame_ + 1) % 4;
            WalkDelay();
        }
    } else {
        dinoX_ = -64;
        frame_ = 2;
        for (int i = 0; i < 21; ++i) {
            dinoX_ += 8;
            DrawSpriteMirrored(Dino(frame_), 1, dinoX_, 340);
            frame_ = (frame_ + 1) % 4;
            WalkDelay();
        }
    }
    PaintSprite(TheBar(), 0, 1, 24, 220);
    PaintSprite(TheBar(), 0, 1, 360, 220);
    const bool answeredRight = saidSame == same_;
    if (answeredRight) {
        Clap();
        if (p.PlayerCount != 2) ++right;
        else if (p.Player1Turn) right += taskPoints_;
        else wrong += taskPoints_;
    } else {
        // A mistake on line 1 repeats line 1.
        p.CurrentWordNo = lineNo_;
        RememberMistake(tr);
        p.CurrentWordNo = lineNo_ == 1 ? 3 : lineNo_;
        if (tr.t.opt.OptWortvergl == 1) AskWhat();
        else Burn();
        if (p.PlayerCount != 2) ++wrong;
    }
    ++p.TaskCount;
    ShowScores();
    WalkAway();
    tick_ = 0;
    if (!answeredRight) ExplainMistake(saidSame);
    if (p.PlayerCount == 2) PassTurn();
}

void urmonitor::Clap() {
    const bool left = OnLeftSide();
    if (left) dinoX_ -= 8;
    for (int i = 0; i < 6; ++i) {
        if (left) {
            DrawSpriteMirrored(Dino(6), 1, dinoX_, 340);
            Delay(d, 200);
            DrawSpriteMirrored(Dino(7), 1, dinoX_, 340);
        } else {
            DrawSprite(Dino(7), 1, dinoX_, 340);
            Delay(d, 200);
            DrawSprite(Dino(9), 1, dinoX_, 340);
        }
        Delay(d, 200);
        if (SoundOn(tr)) PlayWav(d, "wavs\\klatsch.wav");
    }
}

// The fire burns the child whose turn it is; ashes and a little smoke stay.
void urmonitor::Burn() {
    const bool left = OnLeftSide();
    const int dx = left ? -60 : 0;
    SavePage(d, 3);
    if (SoundOn(tr) && !left) PlayWav(d, "wavs\\brennen.wav");
    for (int i = 0; i <= 20; ++i) {
        if (left) {
            if (SoundOn(tr)) PlayWav(d, "wavs\\brennen.wav");
            DrawSpriteMirrored(Fire(i % 4), 3, 225, 340);
        } else {
            DrawSprite(Fire(i % 4), 3, 270, 340);
        }
        Delay(d, 200);
    }
    StopSound(d);
    PaintSprite(Fire(2), 1, 0, left ? 225 : 280, 340);
    // The refresh above starts a fixed number of pixels left of x 280,
    // which on large windows is right of where the fire stood.
    EraseSprite(Fire(2), 1, left ? 225 : 270, 340, left);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    Bar(d, 320 + dx, 385, 380 + dx, 479);
    SetColor(d, colour::Maroon);
    Line(d, 330 + dx, 478, 370 + dx, 478);
    Line(d, 335 + dx, 474, 365 + dx, 474);
    Line(d, 340 + dx, 470, 360 + dx, 470);
    Line(d, 345 + dx, 466, 355 + dx, 466);
    SetColor(d, colour::Purple);
    Line(d, 332 + dx, 476, 368 + dx, 476);
    Line(d, 337 + dx, 472, 363 + dx, 472);
    Line(d, 343 + dx, 468, 357 + dx, 468);
    Line(d, 348 + dx, 464, 352 + dx, 464);
    SetColor(d, colour::Cyan);
    Arc(d, 358 + dx, 440, 140, 220, 20);
    Arc(d, 326 + dx, 419, 340, 20, 20);
    Arc(d, 358 + dx, 405, 155, 205, 15);
    Arc(d, 330 + dx, 445, 335, 35, 35);
    Arc(d, 370 + dx, 417, 155, 205, 15);
    Line(d, 355 + dx, 460, 355 + dx, 450);
    Line(d, 347 + dx, 445, 347 + dx, 435);
}

void urmonitor::AskWhat() {
    const bool left = OnLeftSide();
    SetSize(tr, 4);
    SetColor(d, colour::Red);
    if (SoundOn(tr)) PlayWav(d, "wavs\\wie bitte.wav");
    OutTextXY(d, left ? 10 : 470, 345, "Wie bitte?");
    Delay(d, left ? 3000 : 4000);
    SetSize(tr, 2);
}

void urmonitor::ShowScores() {
    PlayersState& p = tr.players;
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    SetSize(tr, 3);
    // The score bars reach the header's last row: the digits may ink below
    // row 30.
    if (p.PlayerCount != 2) {
        Bar(d, 35, 0, 150, kHeaderBottom);
        Bar(d, 300, 0, 380, kHeaderBottom);
        Bar(d, 550, 0, 620, kHeaderBottom);
        SetColor(d, colour::LightYellow);
        OutTextXY(d, 310, 10, std::to_string(right));
        SetColor(d, colour::DarkGrey);
        OutTextXY(d, 566, 10, std::to_string(wrong));
        SetColor(d, colour::LightYellow);
        OutTextXY(d, 40, 10, std::to_string(RightPercent(p.TaskCount, wrong)) + " %");
    } else if (p.Player1Turn) {
        SetColor(d, colour::LightYellow);
        Bar(d, 200, 0, 280, kHeaderBottom);
        OutTextXY(d, 200, 10, std::to_string(right));
    } else {
        SetColor(d, colour::LightYellow);
        Bar(d, 520, 0, 600, kHeaderBottom);
        OutTextXY(d, 520, 10, std::to_string(wrong));
    }
    SetLineStyle(d, 0, 0, 1);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
}

void urmonitor::WalkAway() {
    if (!OnLeftSide()) {
        dinoX_ -= 8;
        for (int i = 0; i < 25; ++i) {
            dinoX_ += 8;
            DrawSpriteMirrored(Dino(frame_), 1, dinoX_, 340);
            frame_ = (frame_ + 1) % 6;
            WalkDelay();
        }
        Bar(d, 520, 340, tr.t.MaxX, tr.t.MaxY);
    } else {
        for (int i = 0; i < 25; ++i) {
            dinoX_ -= 8;
            DrawSprite(Dino(frame_), 1, dinoX_, 340);
            frame_ = (frame_ + 1) % 6;
            WalkDelay();
        }
        // The last frame stands partly left of the screen; all of it goes.
        EraseSprite(Dino((frame_ + 5) % 6), 1, dinoX_, 340);
        Bar(d, 0, 400, 40, tr.t.MaxY - 14);
    }
}

// The right answer stands until a key or a click; then the children are
// whole again and the next task starts soon by itself.
void urmonitor::ExplainMistake(bool saidSame) {
    SetSize(tr, 4);
    SetColor(d, colour::LightYellow);
    const char* message = saidSame ? "Es ist leider nicht gleich." : "     Es ist gleich !!!";
    OutTextXY(d, 110, 160, message);
    // The letters below the line ("g") reach under the fixed bar.
    const Rect ink = TextInkRect(d, 110, 160, message);
    EmptyKeyBuffer(tr);
    WaitForKeyOrClick(tr);
    SetSize(tr, 2);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    BarCovering(tr, 90, 159, 600, 198, ink);
    if (OnLeftSide()) Bar(d, 260, 385, 320, 479);
    else Bar(d, 320, 385, 380, 479);
    DrawChildren();
    tick_ = 18;
}

// The name of the player whose turn it is stands in red with a thick line
// under it, the other one in dark grey.
void urmonitor::PassTurn() {
    PlayersState& p = tr.players;
    struct Side {
        int x;
        const std::string& name;
    };
    const Side one{20, p.PlayerName1};
    const Side two{340, p.PlayerName2};
    const bool toPlayer2 = p.Player1Turn;
    const Side& next = toPlayer2 ? two : one;
    const Side& last = toPlayer2 ? one : two;
    SetLineStyle(d, 0, 0, 3);
    SetSize(tr, 3);
    SetColor(d, colour::Red);
    OutTextXY(d, next.x, 10, next.name);
    p.Player1Turn = !toPlayer2;
    TurnLine(next.x, next.name);
    SetColor(d, colour::Grey);
    TurnLine(last.x, last.name);
    SetColor(d, colour::DarkGrey);
    OutTextXY(d, last.x, 10, last.name);
    SetLineStyle(d, 0, 0, 1);
}

// The thick line under a player's name (drawn at x, y 10 in size 3): at
// y 30, or lower where the name's letters reach further down, so that it
// does not cross them; it stays inside the grey header (rows 0..39), where
// only a long descender can still reach it. The same name always gets the
// same line, so the grey one covers the red one.
void urmonitor::TurnLine(int x, const std::string& name) {
    SetSize(tr, 3);
    const Rect ink = TextInkRect(d, x, 10, name);
    const int y = std::clamp(ink.Empty() ? 30 : ink.bottom + 2, 30, 37);
    LineThick(d, x, y, x + 160, y, true);
}

// ---- The end ---------------------------------------------------------------------

void urmonitor::EndScene() {
    const bool two = tr.players.PlayerCount == 2;
    dinoX_ = 560;
    frame_ = 0;
    int secondX = 0;
    for (int i = 0; i < 21; ++i) {
        dinoX_ -= 8;
        DrawSprite(Dino(frame_), 0, dinoX_, 340);
        if (two && i < 14) {
            secondX += 8;
            DrawSpriteMirrored(Dino(frame_), 0, secondX, 340);
        }
        frame_ = (frame_ + 1) % 4;
        WalkDelay();
    }
    SetColor(d, colour::White);
    SetSize(tr, 4);
    OutTextXY(d, 110, 160, EndMessage(tr.players, right, wrong));
    EmptyKeyBuffer(tr);
    if (two && SoundOn(tr)) PlayWav(d, "wavs\\bumm.wav");
    if (SoundOn(tr)) PlayWav(d, "wavs\\bravo.wav");
    Farewell(tr, [&] {
        if (two) {
            DrawSpriteMirrored(Dino(10), 0, 120, 340);
            Delay(d, 200);
            DrawSpriteMirrored(Dino(7), 0, 120, 340);
            Delay(d, 200);
        }
        DrawSprite(Dino(7), 0, 392, 340);
        Delay(d, 200);
        DrawSprite(Dino(8), 0, 392, 340);
        Delay(d, 200);
    });
}

// ---- The game ------------------------------------------------------------------------

void urmonitor::Run() {
    exposure = 4;
    right = 0;
    wrong = 0;
    tick_ = 10;
    const bool play = StartGame(tr);
    SetBkColor(d, colour::NightBlue);
    SetFillStyle(d, fillstyle::Solid, colour::Background);
    Bar(d, 0, 40, tr.t.MaxX, tr.t.MaxY);
    if (play) {
        DrawHeader();
        DrawScene();
        while (tr.t.LastKey != keycode::Esc) PlayTask();
        if (tr.players.TaskCount > 0) EndScene();
    }
    EndGame(tr);
}

void RunComparison(Trainer& tr) { LaunchExercise<urmonitor>(tr); }

}  // namespace qs
