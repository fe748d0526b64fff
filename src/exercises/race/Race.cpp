#include "exercises/race/Race.h"

#include <algorithm>

#include "exercises/common/Kit.h"
#include "exercises/common/Players.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "trainer/QuitKeys.h"
#include "trainer/Results.h"

namespace qs {

namespace {

// girl1..girl8 in slots 12..19; 20..23 hold girl1..girl4 once more.
ScreenLayout RaceLayout() {
    ScreenLayout layout;
    layout.scratchW = 244;
    layout.scratchH = 88;
    layout.slots = NumberedSlots(kRunner2Slot, 12, "girl", 48, 100, 1, 8);
    return layout;
}

constexpr int kLowerLaneY = 364;
constexpr int kUpperLaneY = 240;
constexpr int kName1Y = 463;
constexpr int kName2Y = 334;
constexpr int kNameX = 260;
constexpr int kSetUpX = 6;

// OptTrennung: how the syllables and the answer place are marked.
constexpr int kNein = 0;
constexpr int kJa = 1;
constexpr int kLinie = 2;
constexpr int kBlock = 3;

void Text(Dos& d, int x, int y, const std::string& s) {
    Rect r;
    OutTextXYRect(d, x, y, s, r);
}

bool Contains(const std::vector<std::string>& list, const std::string& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
}

}  // namespace

RaceEnd TwoPlayerEnd(int runner1X, int runner2X, bool player1Turn, const PlayersState& p) {
    RaceEnd end;
    const bool one = runner1X > kFinishX;
    const bool two = runner2X > kFinishX;
    if (player1Turn || (!one && !two)) return end;
    end.over = true;
    end.both = one && two;
    if (!end.both) end.winner = one ? p.PlayerName1 : p.PlayerName2;
    return end;
}

char HelpLetter(const std::vector<std::string>& answers, const std::string& input) {
    if (answers.empty()) return 0;
    if (input.empty()) return answers.front().empty() ? 0 : answers.front()[0];
    char letter = 0;
    for (const std::string& a : answers)
        if (a.size() > input.size() && a.compare(0, input.size(), input) == 0)
            letter = a[input.size()];
    return letter;
}

staebchen::staebchen(Trainer& trainer) : monitor(trainer, RaceLayout()) {}

RaceKind staebchen::Kind() const {
    return IsRunning(tr.t, FileProgram::Vorsilben) ? RaceKind::Prefixes : RaceKind::Endings;
}

bool staebchen::Player1Runs() const {
    return tr.players.PlayerCount != 2 || tr.players.Player1Turn;
}

// ---- The runners -------------------------------------------------------------

void staebchen::DrawRunner1(int frame, int x) {
    const auto slot = static_cast<size_t>(kRunner1Slot + ((frame % 4) + 4) % 4);
    DrawSpriteMargins(Pictures[slot], 0, x, kLowerLaneY, 24, 8, 24, 8);
}

void staebchen::DrawRunner2(int frame, int x) {
    const auto slot = static_cast<size_t>(kRunner2Slot + ((frame % 4) + 4) % 4);
    DrawSpriteMargins(Pictures[slot], 0, x, kUpperLaneY, 24, 8, 24, 8);
}

void staebchen::DrawRunner(int frame, int x) {
    if (Player1Runs()) DrawRunner1(frame, x);
    else DrawRunner2(frame, x);
}

// A word without mistakes: four steps of ten towards the line. With
// mistakes or help the runner only shows where it stands.
void staebchen::Move() {
    const bool one = Player1Runs();
    int& x = runnerX[one ? 0 : 1];
    if (tr.players.TaskMistakes > 0) {
        DrawRunner(one ? 2 : 5, x + 1);
        return;
    }
    for (int k = 0; k < 4 && x < kFinishX; ++k) {
        x += 10;
        DrawRunner(k, x);
        if (SoundOn(tr)) PlayWav(d, one ? "wavs\\schritt.wav" : "wavs\\schritt2.wav");
        Delay(d, 300);
        StopSound(d);
    }
}

// Five slides of four back (never below the start), its last place drawn
// with the next move.
void staebchen::Stumble() {
    const bool one = Player1Runs();
    int& x = runnerX[one ? 0 : 1];
    ++tr.players.TaskMistakes;
    if (x > kRunnerStartX) x -= 4;
    for (int i = 1; i <= 4; ++i) {
        DrawRunner(i, x);
        if (SoundOn(tr) && !PlayWav(d, one ? "wavs\\schritt.wav" : "wavs\\schritt2.wav"))
            Tone(d, one ? 200 : 100, 10);
        Delay(d, 200);
        if (x > kRunnerStartX) x -= 4;
        StopSound(d);
    }
}

// ---- The list ----------------------------------------------------------------------

LineUse staebchen::LineUseAt(int line) {
    const RaceWord w = ParseRaceLine(Kind(), tr.t.WordList[static_cast<size_t>(line)], true, false);
    const LineUse use = RaceLineUse(Kind(), w);
    // Without a prefix the first part of line 1 is the answer; there must be one.
    if (use == LineUse::Message && FirstLineParts(tr.t.WordList[1]).front().empty())
        return LineUse::Skip;
    return use;
}

bool staebchen::ListPlayable() {
    for (int line = 2; line <= tr.t.WordCount; ++line)
        if (LineUseAt(line) != LineUse::Skip) return true;
    return false;
}

void staebchen::ShowUnplayableList() {
    SetSize(tr, 4);
    ShowListUnplayable(tr, "Kein Wort f\x81r das Rennen in der Liste.");
}

// The next word of the sequence, passing over lines the race cannot play.
// ListPlayable has made sure one exists; a random draw that keeps missing
// it gives way to the next playable line in order.
int staebchen::ChooseWord() {
    const int count = tr.t.WordCount;
    int line = NextWord(tr, seq_);
    for (int tries = 0; tries < 4 * count + 8 && LineUseAt(line) == LineUse::Skip; ++tries)
        line = NextWord(tr, seq_);
    for (int i = 1; i < count && LineUseAt(line) == LineUse::Skip; ++i) {
        line = 2 + (line - 1) % (count - 1);
        seq_.position = line;
        tr.players.CurrentWordNo = line;
    }
    return line;
}

// ---- The screen ----------------------------------------------------------------------

void staebchen::SetUpTrack() {
    PlayersState& p = tr.players;
    const bool two = p.PlayerCount == 2;
    runnerX = {kSetUpX, kSetUpX};
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, 0, 230, tr.t.MaxX, tr.t.MaxY);
    SetTextStyleBold(d, 0, 0, 2, true);
    SetTextJustify(d, 0, 2);
    SetColor(d, colour::Teal);
    Text(d, 10, 463, "START");
    SetColor(d, colour::Yellow);
    Text(d, 564, 463, "ZIEL");
    SetColor(d, colour::LightYellow);
    Text(d, kNameX, kName1Y, p.PlayerName1);
    if (two) {
        SetColor(d, colour::Grey);
        Line(d, 58, 230, 58, 480);
        Line(d, 602, 230, 602, 480);
        Line(d, 604, 230, 604, 480);
        Line(d, 0, 355, tr.t.MaxX, 355);
        SetTextStyle(d, 0, 0, 2);
        SetColor(d, colour::LightYellow);
        Text(d, kNameX, kName2Y, p.PlayerName2);
        SavePage(d, 0);
        SavePage(d, 1);
        // Player 1 begins: the window shows player 2's name dark.
        SetColor(d, colour::Black);
        Text(d, kNameX, kName2Y, p.PlayerName2);
        DrawRunner2(2, kSetUpX);
    } else {
        SetColor(d, colour::LightYellow);
        Line(d, 592, 230, 592, 480);
        Line(d, 594, 230, 594, 480);
        SavePage(d, 0);
        SavePage(d, 1);
    }
    DrawRunner1(5, kSetUpX);
    SetFillStyle(d, fillstyle::Solid, colour::White);
    Bar(d, 0, 2, tr.t.MaxX, 38);
    ShowWordParts(tr);
    runnerX = {kRunnerStartX, kRunnerStartX};
    seq_ = StartWordSequence(tr, 2, true);
    p.CurrentWordNo = seq_.position;
}

// A prefix line without a prefix: the message, and line 1's first part is
// taken as the answer.
void staebchen::ShowLineError(const std::string& line) {
    const std::string& first = tr.players.PieceText[1];
    word_.answers = {first};
    word_.longest = first;
    SetTextStyle(d, 0, 0, 4);
    SetTextJustify(d, 0, 2);
    Text(d, 10, 50, "Fehler in Textdatei! Leertaste vor Bindestrich?");
    Text(d, 10, 175, line);
    Text(d, 360, 175, "weiter mit: \"" + first + "\"");
}

void staebchen::DrawFrame(int a, int b) {
    if (tr.t.opt.OptTrennung == kLinie) Rectangle(d, a, 90, b, 180);
    else if (tr.t.opt.OptTrennung == kBlock) Bar(d, a, 90, b, 180);
}

// The word centred in the word area, at the largest size (8 down) that
// fits: the article, the answer place as wide as the longest answer, and
// the stem with its syllables marked as OptTrennung says. Sets AnswerX to
// where the answer is written.
void staebchen::LayOut() {
    PlayersState& p = tr.players;
    const bool prefixes = Kind() == RaceKind::Prefixes;
    const int marks = tr.t.opt.OptTrennung;
    std::string measured = word_.article.empty() ? "" : word_.article + "  ";
    if (!prefixes) measured += word_.stemLetters;
    measured += word_.longest;
    if (prefixes) measured += word_.stem;
    measured += "- ";
    p.TextSize = 8;
    SetSize(tr, p.TextSize);
    while (TextWidth640(d, measured) > 590 && p.TextSize > 1) SetSize(tr, --p.TextSize);
    SetTextJustify(d, 0, 2);
    int x = 320 - TextWidth640(d, measured) / 2;
    x0_ = x;
    wl_ = TextWidth640(d, word_.longest);
    if (p.TextSize < 7) baseY_ = 98;
    const int y = baseY_ + 15;

    SetColor(d, colour::Red);
    if (!word_.article.empty()) {
        OutTextXY(d, x, y, word_.article);
        x += TextWidth640(d, word_.article) + TextWidth640(d, " ");
        x0_ = x;
    }
    hw_ = TextWidth640(d, "-");
    int a = x - hw_ / 2;
    int b = a;
    if (marks > kNein) {
        SetLineStyle(d, 0, 0, 3);
        SetColor(d, colour::Teal);
        SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
    }
    if (prefixes) {
        b = a + wl_ + hw_;
        DrawFrame(a, b);
    }
    if (marks > kNein) {
        if (prefixes) a = b + hw_ / 2;
        b = a + hw_;
        SetFillStyle(d, fillstyle::Solid, colour::Blue);
        SetColor(d, colour::LightYellow);
        for (char ch : word_.stem) {
            if (ch == '_') {
                DrawFrame(a, b);
                a = b + (marks == kLinie ? 2 : hw_ / 2);
                b = a + hw_;
            } else {
                b += TextWidth640(d, std::string(1, ch));
            }
        }
        if (prefixes) {
            DrawFrame(a, b);
        } else {
            // The last syllable shares its frame with the answer place.
            SetLineStyle(d, 0, 0, 3);
            SetColor(d, colour::Teal);
            DrawFrame(a, b + wl_ + hw_ / 2);
        }
    }
    SetLineStyle(d, 0, 0, 1);

    if (prefixes) {
        x = x0_ + wl_ + (marks > kNein ? (3 * hw_) / 2 : 0);
        if (marks == kJa && !word_.stemStartsWithBlank) {
            SetColor(d, colour::Green);
            OutTextXY(d, x - TextWidth640(d, "-") - 4, y, "-");
        }
    } else {
        x = x0_;
    }
    const int stemColour = marks == kBlock ? colour::Yellow : colour::Orange;
    SetColor(d, stemColour);
    for (char ch : word_.stem) {
        if (ch != '_') {
            p.AnswerText = std::string(1, ch);
            OutTextXY(d, x, y, p.AnswerText);
            x += TextWidth640(d, p.AnswerText);
            continue;
        }
        if (marks == kNein) continue;
        if (marks == kJa) {
            SetColor(d, colour::Green);
            OutTextXY(d, x, y, "-");
            SetColor(d, stemColour);
        }
        x += marks == kLinie ? hw_ : (3 * hw_) / 2;
    }
    p.AnswerX = prefixes ? x0_ : x;
}

// ---- Input ----------------------------------------------------------------------

bool staebchen::IsAnswer(const std::string& text) const { return Contains(word_.answers, text); }

bool staebchen::IsAnswerStart(const std::string& text) const {
    return std::any_of(word_.answers.begin(), word_.answers.end(), [&](const std::string& a) {
        return a.compare(0, text.size(), text) == 0 && a.size() >= text.size();
    });
}

void staebchen::WaitUnlessKey(int ms, bool clicksToo) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (KeyPressed(d)) return;
        if (clicksToo && (MouseButtons(d) != 0 || d.mouse.LastClick != 0)) return;
        Delay(d, 10);
    }
}

// The mouse on: a click on a part of the top line answers the word. Keys
// are only read for ESC; letters are not taken.
void staebchen::MouseStep() {
    PlayersState& p = tr.players;
    int click = 0;
    while (!KeyPressed(d) && (click = TakeClick(d)) != 1) Delay(d, 10);
    if (click == 1) {
        input_.clear();
        p.WorkText.clear();
        for (int i = 1; i <= p.PieceSlot; ++i) {
            const auto u = static_cast<size_t>(i);
            if (PointerIn(tr, p.PieceLeft[u], 0, p.PieceRight[u], 43)) p.WorkText = p.PieceText[u];
        }
        if (!p.WorkText.empty()) {
            const std::string clicked = p.WorkText;
            if (!IsAnswer(p.WorkText)) p.WorkText = TryOtherCase(p.WorkText);
            if (IsAnswer(p.WorkText)) {
                solved_ = true;
                const bool prefixes = Kind() == RaceKind::Prefixes;
                int c = prefixes ? (Player1Runs() ? colour::Green : colour::Yellow)
                                 : colour::LightYellow;
                if (tr.t.opt.OptTrennung == kBlock) c = prefixes ? colour::Maroon : colour::White;
                SetColor(d, c);
                // A prefix ends where the answer place ends.
                if (prefixes) p.AnswerX = p.AnswerX - TextWidth640(d, p.WorkText) + wl_;
                for (char ch : p.WorkText) {
                    const std::string s(1, ch);
                    OutTextXY(d, p.AnswerX, baseY_ + 15, s);
                    p.AnswerX += TextWidth640(d, s);
                    input_ += ch;
                }
                AppendProtocol(tr, p.WorkText);
            } else {
                Stumble();
                AppendProtocol(tr, "(" + clicked + ")");
            }
        }
    }
    while (KeyPressed(d) && tr.t.LastKey != keycode::Esc) ReadKeyOrQuit(tr);
}

// The mouse off: a "?" blinks where the next letter goes until a key comes.
void staebchen::KeyStep() {
    PlayersState& p = tr.players;
    const int y = baseY_ + 15;
    SavePage(d, 2);
    p.AnswerText.assign(1, '?');
    EmptyKeyBuffer(tr);
    const bool block = tr.t.opt.OptTrennung == kBlock;
    while (!KeyPressed(d)) {
        SetColor(d, Player1Runs() || block ? colour::Pink : colour::Purple);
        Rect drawn;
        OutTextXYRect(d, p.AnswerX, y, p.AnswerText, drawn);
        WaitUnlessKey(600, false);
        // The large sizes reach below the old 32 x 56 box; all of the mark goes.
        const Rect box{p.AnswerX, y, p.AnswerX + 31, baseY_ + 70};
        ShowPageRect(d, 2, false,
                     Rect{std::min(box.left, drawn.left), std::min(box.top, drawn.top),
                          std::max(box.right, drawn.right), std::max(box.bottom, drawn.bottom)});
        WaitUnlessKey(600, false);
    }
    ReadKeyOrQuit(tr);
    char key = tr.t.LastKey;
    // Cursor and function keys arrive as letters; they are no letters.
    if (key == keycode::Esc || d.keys.ExtendedKey) return;
    if (key == keycode::Return) {
        p.TaskMistakes = 10;
        key = HelpLetter(word_.answers, input_);
    }
    TakeLetter(key);
}

void staebchen::TakeLetter(char key) {
    PlayersState& p = tr.players;
    if (!RaceTypeable(static_cast<unsigned char>(key))) return;
    input_ += key;
    if (!IsAnswerStart(input_)) {
        AppendProtocol(tr, "(" + input_ + ")");
        input_.pop_back();
        Stumble();
        return;
    }
    solved_ = IsAnswer(input_);
    p.AnswerText = std::string(1, key);
    const bool one = Player1Runs();
    int c = one ? colour::Pink : colour::Purple;
    if (tr.t.opt.OptTrennung == kBlock)
        c = Kind() == RaceKind::Endings ? colour::White : (one ? colour::Maroon : colour::Purple);
    SetColor(d, c);
    OutTextXY(d, p.AnswerX, baseY_ + 15, p.AnswerText);
    if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
    Delay(d, 40);
    p.AnswerX += TextWidth640(d, p.AnswerText);
    AppendProtocol(tr, p.AnswerText);
    StopSound(d);
}

// ---- One word ----------------------------------------------------------------------

void staebchen::PlayWord() {
    PlayersState& p = tr.players;
    baseY_ = 88;
    position_ = ChooseWord();
    const std::string& line = tr.t.WordList[static_cast<size_t>(position_)];
    const bool keepArticle = Kind() == RaceKind::Prefixes || tr.t.opt.OptArtikel;
    word_ = ParseRaceLine(Kind(), line, keepArticle, tr.t.opt.OptTrennung > kNein);
    if (RaceLineUse(Kind(), word_) == LineUse::Message) ShowLineError(line);
    LayOut();
    input_.clear();
    solved_ = false;
    p.TaskMistakes = 0;
    while (!solved_ && tr.t.LastKey != keycode::Esc) {
        if (MouseOn(tr)) MouseStep();
        else KeyStep();
    }
    if (tr.t.LastKey == keycode::Esc) return;
    Move();
    EndWord();
}

// The word is remembered by its own line.
void staebchen::NoteMistake() { RememberMistakeOf(tr, position_); }

void staebchen::EndWord() {
    TrainerState& t = tr.t;
    const bool mistakes = tr.players.TaskMistakes > 0;
    EnterResult(tr, position_, mistakes);
    if (mistakes) NoteMistake();
    if (t.ProtocolCount < kProtocolSize) {
        const std::string& keys = t.ProtocolLines[static_cast<size_t>(t.ProtocolCount + 1)];
        const bool wrong = keys.find('(') != std::string::npos;
        CloseProtocolLine(tr, t.WordList[static_cast<size_t>(position_)] + (wrong ? "/" : "="));
    }
    Pause();
    if (tr.t.LastKey == keycode::Esc) return;
    if (tr.players.PlayerCount == 2) ShowTurn();
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    Bar(d, 0, 55, t.MaxX, 222);
    SetSize(tr, 4);
    CheckFinish();
    if (tr.players.PlayerCount == 2) tr.players.Player1Turn = !tr.players.Player1Turn;
}

// The word stands until a key (or, with the mouse on, a click); the keys go
// through the quit question.
void staebchen::Pause() {
    const bool mouse = MouseOn(tr);
    for (bool longWait = true;; longWait = !longWait) {
        if (KeyPressed(d)) break;
        if (mouse && (MouseButtons(d) != 0 || TakeClick(d) != 0)) break;
        WaitUnlessKey(longWait ? 500 : 350, mouse);
    }
    if (mouse) TakeClick(d);
    while (KeyPressed(d) && tr.t.LastKey != keycode::Esc) ReadKeyOrQuit(tr);
}

// The name of the player whose turn comes next in yellow, the other dark.
void staebchen::ShowTurn() {
    const PlayersState& p = tr.players;
    SetTextJustify(d, 0, 2);
    SetTextStyleBold(d, 0, 0, 2, true);
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    const bool toPlayer2 = p.Player1Turn;
    const int nextY = toPlayer2 ? kName2Y : kName1Y;
    const int otherY = toPlayer2 ? kName1Y : kName2Y;
    const std::string& next = toPlayer2 ? p.PlayerName2 : p.PlayerName1;
    const std::string& other = toPlayer2 ? p.PlayerName1 : p.PlayerName2;
    SetColor(d, colour::LightYellow);
    Text(d, kNameX, nextY, next);
    SetColor(d, GetFillColor(d));
    Text(d, kNameX, otherY, other);
    SetColor(d, colour::Black);
    Text(d, kNameX, otherY, other);
}

void staebchen::CheckFinish() {
    PlayersState& p = tr.players;
    if (p.PlayerCount != 2) {
        if (runnerX[0] <= kFinishX) return;
        SetColor(d, colour::Yellow);
        Text(d, 40, 100, "Ziel erreicht!");
        SetColor(d, colour::Grey);
        Text(d, 40, 160, "Hat es Spa\xe1 gemacht ?");
    } else {
        const RaceEnd end = TwoPlayerEnd(runnerX[0], runnerX[1], p.Player1Turn, p);
        if (!end.over) return;
        SetColor(d, colour::Yellow);
        if (end.both) {
            Text(d, 10, 90, p.PlayerName1);
            Text(d, 106, 140, ("und " + p.PlayerName2).substr(0, 14));
            SetColor(d, colour::Purple);
            Text(d, 10, 190, "haben das Rennen gewonnen.");
        } else {
            Text(d, 40, 100, end.winner);
            SetColor(d, colour::Purple);
            Text(d, 40, 150, "hat das Rennen gewonnen.");
        }
    }
    tr.t.LastKey = static_cast<char>(ReadKey(d));
    p.TaskCount = 100;
}

// ---- The game ------------------------------------------------------------------------

void staebchen::Run() {
    ResetGraphScreen(d, 0, 0, 0, 0);
    if (!ListPlayable()) {
        ShowUnplayableList();
    } else if (StartGame(tr)) {
        SetUpTrack();
        while (tr.t.LastKey != keycode::Esc && tr.players.TaskCount != 100) PlayWord();
    }
    EndGame(tr);
}

void RunRace(Trainer& tr) { LaunchExercise<staebchen>(tr); }

}  // namespace qs
