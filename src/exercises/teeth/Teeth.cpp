#include "exercises/teeth/Teeth.h"

#include <algorithm>

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

namespace {

// Picture slots: schildk1..schildk6 in 0..5 (5 and 6 are kept but never
// shown), the upper and lower jaw, their broken teeth, the falling teeth,
// the empty picture that clears the jaws' places, and the tooth brush.
constexpr size_t kTurtle1 = 0, kTurtle2 = 1, kTurtle3 = 2, kTurtle4 = 3;
constexpr size_t kUpperJaw = 6, kLowerJaw = 7, kUpperBroken = 8, kLowerBroken = 9;
constexpr size_t kFallingTeeth = 10, kJawsPlace = 11, kBrush = 12;

ScreenLayout TeethLayout() {
    ScreenLayout layout;
    layout.scratchW = 244;
    layout.scratchH = 88;
    layout.slots = Slots({NumberedSlots(0, 6, "schildk", 86, 48, 1),
                          NumberedSlots(6, 4, "Mund", 96, 24, 1),
                          {{10, 96, 48, "Mund5"}, {11, 96, 24, "Mund6"}, {12, 96, 24, "putzen1"}}});
    return layout;
}

// OptTrennung: how the stem's syllables are marked.
constexpr int kNein = 0;
constexpr int kJa = 1;
constexpr int kLinie = 2;
constexpr int kBlock = 3;

constexpr int kStemX = 20;
constexpr int kStemY = 250;
constexpr int kUpperJawY = 200;
constexpr int kLowerJawY = 342;
constexpr int kBrushX = 550;
constexpr int kBrushedJawsX = 490;
constexpr int kScoreY = 140;

const char* const kStepSound = "wavs\\schildkroeteschritt.wav";
const char* const kRunSound = "wavs\\schildkroetelauf.wav";

void Text(Dos& d, int x, int y, const std::string& s) { OutTextXY(d, x, y, s); }

}  // namespace

bool IsRightEnding(const std::vector<std::string>& endings, const std::string& input) {
    return !input.empty() && std::find(endings.begin(), endings.end(), input) != endings.end();
}

char TeethHelpLetter(const std::vector<std::string>& endings) {
    if (endings.empty() || endings.front().empty()) return 0;
    return endings.front()[0];
}

bool BrushingDue(int taskCount) { return taskCount > 0 && taskCount % 5 == 0; }

bool TeethGameOver(bool esc, int taskCount, int playerCount, int turtleX, bool player1Turn) {
    if (esc && taskCount > 2) return true;
    if (playerCount != 2) return turtleX > kTurtleEndOne;
    return turtleX > kTurtleEndTwo && player1Turn;
}

std::string TeethEndMessage(const PlayersState& p, int score2, bool esc) {
    if (p.PlayerCount != 2) return esc ? "Okay, das reicht dir." : "Weiter kann ich nicht.";
    if (p.TaskCount == score2) return "Beide Spieler haben gewonnen.";
    return (p.TaskCount > score2 ? p.PlayerName1 : p.PlayerName2) + " hat das Spiel gewonnen.";
}

nachsilben::nachsilben(Trainer& trainer) : monitor(trainer, TeethLayout()) {}

// ---- The list ---------------------------------------------------------------------

bool nachsilben::ListPlayable() {
    for (int line = 2; line <= tr.t.WordCount; ++line)
        if (TeethLinePlayable(ParseTeethLine(tr.t.WordList[static_cast<size_t>(line)])))
            return true;
    return false;
}

void nachsilben::ShowUnplayableList() {
    SetSize(tr, 4);
    ShowListUnplayable(tr, "Kein Wort mit Endung in der Liste.");
}

// The next word of the sequence, passing over lines without an ending that
// can be typed (a child could only leave them with ESC). ListPlayable has
// made sure one exists; a random draw that keeps missing it gives way to
// the next playable line in order.
int nachsilben::ChooseWord() {
    const int count = tr.t.WordCount;
    auto playable = [&](int line) {
        return TeethLinePlayable(ParseTeethLine(tr.t.WordList[static_cast<size_t>(line)]));
    };
    int line = NextWord(tr, seq_);
    for (int tries = 0; tries < 4 * count + 8 && !playable(line); ++tries)
        line = NextWord(tr, seq_);
    for (int i = 1; i < count && !playable(line); ++i) {
        line = 2 + (line - 1) % (count - 1);
        seq_.position = line;
        tr.players.CurrentWordNo = line;
    }
    return line;
}

// ---- Set-up ----------------------------------------------------------------------

void nachsilben::SetUp() {
    PlayersState& p = tr.players;
    // The player question's letters reach a little below its line.
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    Bar(d, 0, 0, tr.t.MaxX, 48);
    SetFillStyle(d, fillstyle::Solid, colour::LightYellow);
    Bar(d, 0, 2, tr.t.MaxX, 38);
    ShowWordParts(tr);
    score2 = 0;
    turtleX = kTurtleStartX;
    seq_ = StartWordSequence(tr, 2, true);
    p.CurrentWordNo = seq_.position;
    if (MouseOn(tr))
        MouseWindow(d, p.PieceLeft[1], 0, p.PieceRight[static_cast<size_t>(p.PieceSlot)], 43);
    SavePage(d, 0);
    SavePage(d, 1);
    SavePage(d, 2);
    // The turtle waits at the start before the first word.
    DrawSprite(Pictures[kTurtle1], 2, turtleX, 430);
}

// ---- One word's screen -------------------------------------------------------------

// The largest size (8 down) at which the stem and the longest ending fit.
void nachsilben::SizeText() {
    PlayersState& p = tr.players;
    p.TextSize = 8;
    SetSize(tr, p.TextSize);
    while (TextWidth640(d, word_.stem) + TextWidth640(d, word_.longest) > 600 && p.TextSize > 1)
        SetSize(tr, --p.TextSize);
    SetTextJustify(d, 0, 2);
}

int nachsilben::StemColour() const {
    return tr.t.opt.OptTrennung == kBlock ? colour::Maroon : colour::LightYellow;
}

void nachsilben::DrawFrame(int left, int right) {
    if (tr.t.opt.OptTrennung == kLinie) Rectangle(d, left, kStemY, right, 318);
    else Bar(d, left, 248, right, 318);
}

// The syllables' frames (" Linie " or " Block "), and where the answer
// area ends: behind the last syllable, room for the longest ending and
// some more. The last syllable shares its frame with the answer area.
void nachsilben::DrawFrames() {
    const int marks = tr.t.opt.OptTrennung;
    const bool frames = marks == kLinie || marks == kBlock;
    if (frames) {
        SetColor(d, colour::Red);
        SetFillStyle(d, fillstyle::Solid, colour::Orange);
    }
    int x = kStemX;
    int start = kStemX;
    bool dash = false;
    for (char c : word_.stem) {
        if (c == '-') {
            if (frames) DrawFrame(start - 8, x + (marks == kLinie ? 8 : 7));
            start = x + 20;
            x += 20;
            dash = true;
            continue;
        }
        const int w = TextWidth640(d, std::string(1, c));
        if (c == ' ') start = x + w;
        x += w;
    }
    const int longest = TextWidth640(d, word_.longest);
    const int base =
        dash ? start + TextWidth640(d, word_.lastSyllable) : TextWidth640(d, word_.stem) + kStemX;
    n_ = base + longest + 50;
    if (frames) DrawFrame(start - 8, n_ + 20);
}

// The stem from x 20, letter by letter: the article in its colour (black,
// so invisible, without articles), a "-" as a green hyphen (" ja "), a gap
// (" Linie ", " Block ") or nothing (" nein "). Sets where the ending starts.
void nachsilben::DrawStem() {
    const int marks = tr.t.opt.OptTrennung;
    const int articleColour = tr.t.opt.OptArtikel ? colour::Cyan : colour::Black;
    int x = kStemX;
    for (size_t i = 0; i < word_.stem.size(); ++i) {
        const std::string s(1, word_.stem[i]);
        if (s == "-") {
            if (marks == kJa) {
                SetColor(d, colour::Green);
                Text(d, x, kStemY, s);
                x += TextWidth640(d, s);
            } else if (marks != kNein) {
                x += 20;
            }
            continue;
        }
        SetColor(d, i < word_.articleLength ? articleColour : StemColour());
        Text(d, x, kStemY, s);
        x += TextWidth640(d, s);
    }
    q_ = x;
    tr.players.AnswerX = q_;
    const bool frames = marks == kLinie || marks == kBlock;
    if (!frames) n_ = x + TextWidth640(d, word_.longest) + 50 + TextWidth640(d, word_.lastSyllable);
}

// ---- Input ------------------------------------------------------------------------

// The mouse on: a click on an ending of the top line puts it in as if it
// were typed and answers. Keys are only read for ESC.
void nachsilben::MouseStep() {
    PlayersState& p = tr.players;
    MouseShow(d, 1);
    int click = 0;
    while (!KeyPressed(d) && (click = TakeClick(d)) != 1) {
        Delay(d, 10);
        NoteWaitingForInput(d);
    }
    MouseShow(d, 0);
    if (click != 1) {
        while (KeyPressed(d) && tr.t.LastKey != keycode::Esc) ReadKeyOrQuit(tr);
        return;
    }
    p.WorkText.clear();
    for (int i = 1; i <= p.PieceSlot; ++i) {
        const auto u = static_cast<size_t>(i);
        if (PointerIn(tr, p.PieceLeft[u], 0, p.PieceRight[u], 43)) p.WorkText = p.PieceText[u];
    }
    input_.clear();
    x_ = q_;
    for (char c : p.WorkText) TypeLetter(c);
    tr.t.LastKey = keycode::Return;
    Answer();
}

// A "?" blinks where the next letter goes until a key is waiting.
void nachsilben::BlinkMark() {
    auto waitUnlessKey = [&] {
        for (int i = 0; i < 6 && !KeyPressed(d); ++i) {
            Delay(d, 100);
            NoteWaitingForInput(d);
        }
    };
    while (!KeyPressed(d)) {
        SetColor(d, colour::Pink);
        const SavedArea under = SaveArea(tr, TextInkRect(d, x_, kStemY, "?"));
        Text(d, x_, kStemY, "?");
        waitUnlessKey();
        RestoreArea(tr, under);
        waitUnlessKey();
    }
}

void nachsilben::KeyStep() {
    BlinkMark();
    ReadKeyOrQuit(tr);
    const char key = tr.t.LastKey;
    // Cursor and function keys arrive as letters; they are no letters.
    if (key == keycode::Esc || d.keys.ExtendedKey) return;
    TakeKey(key);
}

void nachsilben::TakeKey(char key) {
    if (key == keycode::Return && input_.empty()) {
        const char help = TeethHelpLetter(word_.endings);
        if (help != 0) key = help;
    }
    if (key == keycode::Backspace) {
        if (!input_.empty()) RubOut();
        return;
    }
    if (key == keycode::Return) {
        Answer();
        return;
    }
    TypeLetter(key);
}

// A letter goes in while the input is shorter than the longest ending
// plus two and the letter fits before the end of the answer area.
void nachsilben::TypeLetter(char key) {
    if (!TeethTypeable(static_cast<unsigned char>(key)) || input_.size() >= maxInput_) return;
    const std::string s(1, key);
    const int w = TextWidth640(d, s);
    if (x_ + w >= n_ - 5) return;
    SetColor(d, StemColour());
    Text(d, x_, kStemY, s);
    if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
    x_ += w;
    input_ += key;
}

// The last letter goes; what lay under it (black, or the block's frame)
// comes back from the page of the word without its input.
void nachsilben::RubOut() {
    const std::string s(1, input_.back());
    input_.pop_back();
    x_ -= TextWidth640(d, s);
    ShowPageRect(d, 1, false, TextInkRect(d, x_, kStemY, s));
    StopSound(d);
    if (TonesOn(tr)) PlayWav(d, "wavs\\wegmachen.wav");
}

// RETURN: the jaws' places are cleared; with an input the jaws bite on it.
void nachsilben::Answer() {
    DrawSprite(Pictures[kJawsPlace], 2, q_, kUpperJawY);
    DrawSprite(Pictures[kJawsPlace], 2, q_, kLowerJawY);
    SavePage(d, 0);
    tr.t.LastKey = keycode::Space;
    if (input_.empty()) return;
    const bool right = IsRightEnding(word_.endings, input_);
    AppendProtocol(tr, right ? input_ : "(" + input_ + ")");
    Bite(right);
    right_ = right;
}

// ---- The bite ---------------------------------------------------------------------

void nachsilben::Bite(bool right) {
    if (tr.players.TaskMistakes == 0) {
        JawsTo(1, q_);
        Brush();
    }
    CloseJaws(right);
    if (right) BreakTeeth();
    else BiteAway();
}

// The open jaws slide from x from to x to over the page with the input.
void nachsilben::JawsTo(int from, int to) {
    const int step = from <= to ? 1 : -1;
    for (int x = from;; x += step) {
        DrawSprite(Pictures[kUpperJaw], 0, x, kUpperJawY);
        DrawSprite(Pictures[kLowerJaw], 0, x, kLowerJawY);
        Delay(d, 0.9);
        if (x == to) break;
    }
}

// After every fifth bite-proof word, when the jaws have room to the right:
// they move to x 490 and the brush scrubs them four times.
void nachsilben::Brush() {
    if (BrushingDue(tr.players.TaskCount)) brushingDue_ = true;
    if (!brushingDue_ || n_ >= 480) return;
    brushingDue_ = false;
    JawsTo(q_, kBrushedJawsX);
    SavePage(d, 3);
    for (int i = 0; i < 4; ++i) {
        if (TonesOn(tr) && !PlayWav(d, "wavs\\gebiss.wav")) Tone(d, 100 + Random(tr, 300), 100);
        for (int x = kBrushX; x >= kBrushedJawsX; x -= 2) {
            DrawSpriteMargins(Pictures[kBrush], 3, x, 220, 0, 0, 16, 16);
            Delay(d, 1);
        }
        for (int x = kBrushedJawsX; x <= kBrushX; x += 2) {
            DrawSpriteMargins(Pictures[kBrush], 3, x, 220, 16, 0, 0, 0);
            Delay(d, 1);
        }
        StopSound(d);
    }
    DrawSpriteMargins(Pictures[kJawsPlace], 3, kBrushX, 220, 0, 0, 0, 0);
    // The margins above leave the brush's edges at some window sizes.
    EraseSprite(Pictures[kBrush], 3, kBrushX, 220);
    StopSound(d);
    JawsTo(kBrushedJawsX, q_);
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    Bar(d, 540, 240, tr.t.MaxX, 270);
}

// The jaws close on the input; a wrong one is shown gone already, from the
// page without it.
void nachsilben::CloseJaws(bool right) {
    const int page = right ? 0 : 1;
    for (int j = 0; j <= 30; ++j) {
        if (right) {
            DrawSpriteMargins(Pictures[kUpperJaw], page, q_, kUpperJawY + j, 16, 16, 0, 0);
            DrawSpriteMargins(Pictures[kLowerJaw], page, q_, kLowerJawY - j, 0, 0, 16, 16);
        } else {
            DrawSpriteMargins(Pictures[kUpperJaw], page, q_, kUpperJawY + j, 16, 16, 0, 16);
            DrawSpriteMargins(Pictures[kLowerJaw], page, q_, kLowerJawY - j, 0, 16, 16, 16);
        }
        Delay(d, 1);
    }
}

// A bite-proof ending: the teeth break and fall out of the screen.
void nachsilben::BreakTeeth() {
    DrawSprite(Pictures[kUpperBroken], 0, q_ + 2, 230);
    DrawSprite(Pictures[kLowerBroken], 0, q_ + 2, 312);
    SavePage(d, 0);
    if (SoundOn(tr)) PlayWav(d, "wavs\\zaehnefallen.wav");
    int y = 262;
    for (; y <= 478; y += 2) {
        DrawSprite(Pictures[kFallingTeeth], 0, q_ + 2, y);
        Delay(d, 1);
    }
    EraseSprite(Pictures[kFallingTeeth], 0, q_ + 2, y - 2);
    StopSound(d);
}

// A wrong ending is bitten away: the jaws bite through over the page
// without the input, and open again for the next try.
void nachsilben::BiteAway() {
    ++tr.players.TaskMistakes;
    SetColor(d, colour::Black);
    if (SoundOn(tr)) PlayWav(d, "wavs\\wegbeissen.wav");
    for (int j = 0; j <= 30; ++j) {
        DrawSpriteMargins(Pictures[kUpperJaw], 1, q_, 230 + j, 16, 16, 46, 0);
        DrawSpriteMargins(Pictures[kLowerJaw], 1, q_, 312 - j, 16, 0, 46, 16);
        Delay(d, 2);
    }
    // A long ending reaches past the jaws; the rest of it goes too.
    const int jawsRight = q_ + 96;
    if (n_ + 21 > jawsRight)
        ShowPageRect(d, 1, false, Rect{jawsRight, 240, std::min(n_ + 21, 640), 330});
    input_.clear();
    x_ = q_;
    Delay(d, 200);
    for (int j = 0; j <= 60; ++j) {
        DrawSprite(Pictures[kUpperJaw], 1, q_, 260 - j);
        DrawSprite(Pictures[kLowerJaw], 1, q_, 282 + j);
    }
}

// ---- The turtle -----------------------------------------------------------------------

bool nachsilben::Hurried() {
    if (KeyPressed(d)) return true;
    return MouseOn(tr) && (TakeClick(d) != 0 || MouseButtons(d) != 0);
}

// The long waits go when the turtle is hurried; the first key or click
// that hurries it starts its running sound.
void nachsilben::WaitTurtle(int ms, bool shortWait, bool& hurried) {
    if (hurried && !shortWait) return;
    Delay(d, ms);
    if (hurried || !Hurried()) return;
    hurried = true;
    if (SoundOn(tr)) {
        StopSound(d);
        PlayWav(d, kRunSound);
    }
}

void nachsilben::TurtleWalk() {
    bool hurried = false;
    for (int round = 0; round < kTurtleRounds && turtleX <= kTurtleStopX; ++round) {
        DrawSprite(Pictures[kTurtle2], 2, turtleX, 432);
        if (SoundOn(tr) && !hurried) PlayWav(d, kStepSound);
        WaitTurtle(50, false, hurried);
        WaitTurtle(2, true, hurried);
        ++turtleX;
        DrawSprite(Pictures[kTurtle3], 2, turtleX, 430);
        WaitTurtle(20, false, hurried);
        WaitTurtle(1, true, hurried);
        ++turtleX;
        DrawSprite(Pictures[kTurtle4], 2, turtleX, 430);
        WaitTurtle(50, false, hurried);
        WaitTurtle(1, true, hurried);
        DrawSprite(Pictures[kTurtle1], 2, turtleX, 430);
        WaitTurtle(20, false, hurried);
        WaitTurtle(1, true, hurried);
    }
}

// ---- Scores and the end of a word -------------------------------------------------------

void nachsilben::DrawScore(int x, int y, int clearLeft, int clearRight, const std::string& text,
                           int colour) {
    SetFillStyle(d, fillstyle::Solid, colour::Black);
    BarCovering(tr, clearLeft, 135, clearRight, 164, TextInkRect(d, x, y, text));
    SetColor(d, colour);
    Text(d, x, y, text);
}

void nachsilben::DrawScores(int colour1, int colour2) {
    const PlayersState& p = tr.players;
    SetTextStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    DrawScore(10, kScoreY, 10, 300, p.PlayerName1 + ": " + std::to_string(p.TaskCount), colour1);
    DrawScore(400, kScoreY, 370, tr.t.MaxX, p.PlayerName2 + ": " + std::to_string(score2), colour2);
}

// A bite-proof word counts for the player whose turn it is. A word left
// with ESC before it was answered right counts for nobody.
void nachsilben::Score() {
    PlayersState& p = tr.players;
    SetTextStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    if (right_ && p.TaskMistakes == 0) {
        if (p.Player1Turn) ++p.TaskCount;
        else ++score2;
    }
    const int turnColour = p.Player1Turn ? colour::Purple : colour::DarkGrey;
    if (p.PlayerCount == 2) {
        DrawScores(turnColour, turnColour);
        return;
    }
    DrawScore(10, kScoreY, 10, 300,
              " Bei\xe1"
              "fest: " +
                  std::to_string(p.TaskCount),
              turnColour);
    if (p.TaskMistakes == 0) return;
    ++score2;
    DrawScore(380, kScoreY, 370, tr.t.MaxX, "Weggebissen: " + std::to_string(score2), colour::Pink);
    NoteMistake();
}

// The word is remembered by its own line.
void nachsilben::NoteMistake() { RememberMistakeOf(tr, position_); }

// The protocol line of the word: the word line, "=" when every answer was
// right or "/" when one was wrong, then what was answered. A word left
// without an answer keeps an empty line.
void nachsilben::CloseProtocol() {
    TrainerState& t = tr.t;
    if (tr.players.PlayerCount != 1 || t.ProtocolCount >= kProtocolSize) return;
    ++t.ProtocolCount;
    std::string& line = t.ProtocolLines[static_cast<size_t>(t.ProtocolCount)];
    if (line.empty()) return;
    const bool wrong = line.find('(') != std::string::npos;
    line.insert(0, t.WordList[static_cast<size_t>(position_)] + (wrong ? "/" : "="));
}

void nachsilben::EndOfWord() {
    PlayersState& p = tr.players;
    if (right_) {
        EnterResult(tr, position_, p.TaskMistakes > 0);
        TurtleWalk();
        if (p.PlayerCount == 2) {
            p.Player1Turn = !p.Player1Turn;
            DrawScores(p.Player1Turn ? colour::Purple : colour::DarkGrey,
                       p.Player1Turn ? colour::DarkGrey : colour::Purple);
        }
        while (KeyPressed(d) && tr.t.LastKey != keycode::Esc) ReadKeyOrQuit(tr);
    }
    const bool esc = tr.t.LastKey == keycode::Esc;
    if (!TeethGameOver(esc, p.TaskCount, p.PlayerCount, turtleX, p.Player1Turn)) {
        over_ = esc;
        SetFillStyle(d, fillstyle::Solid, colour::Black);
        if (!esc) Bar(d, 0, 240, tr.t.MaxX, 325);
        return;
    }
    SetTextStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    SetColor(d, colour::White);
    turtleX = 600;
    const std::string message = TeethEndMessage(p, score2, esc);
    if (p.PlayerCount == 2) Text(d, 40, 180, message);
    else Text(d, 40, 410, message);
    if (TonesOn(tr)) PlayWav(d, "wavs\\kontaktende.wav");
    while (!KeyPressed(d))
        if (Tick(tr) && MouseOn(tr)) break;
    StopSound(d);
    EmptyKeyBuffer(tr);
    tr.t.LastKey = keycode::Esc;
    over_ = true;
}

// ---- One word -------------------------------------------------------------------------

void nachsilben::PlayWord() {
    PlayersState& p = tr.players;
    ShowPageRect(d, 2, false, Rect{0, 160, 640, 400});
    position_ = ChooseWord();
    word_ = ParseTeethLine(tr.t.WordList[static_cast<size_t>(position_)]);
    maxInput_ = word_.longest.size() + 2;
    SizeText();
    DrawFrames();
    DrawStem();
    input_.clear();
    x_ = q_;
    p.TaskMistakes = 0;
    right_ = false;
    SavePage(d, 1);
    while (!right_ && tr.t.LastKey != keycode::Esc) {
        if (MouseOn(tr)) MouseStep();
        else KeyStep();
    }
    Score();
    CloseProtocol();
    EndOfWord();
}

// ---- The game ---------------------------------------------------------------------------

void nachsilben::Run() {
    ResetGraphScreen(d, 0, 0, 0, 0);
    if (!ListPlayable()) {
        ShowUnplayableList();
    } else if (StartGame(tr)) {
        SetUp();
        over_ = false;
        while (!over_) PlayWord();
        MouseWindow(d, 0, 0, 0, 0);
    }
    EndGame(tr);
}

void RunTeeth(Trainer& tr) { LaunchExercise<nachsilben>(tr); }

}  // namespace qs
