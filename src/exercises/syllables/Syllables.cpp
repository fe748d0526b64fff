#include "exercises/syllables/Syllables.h"

#include <algorithm>
#include <array>

#include "exercises/common/Kit.h"
#include "exercises/common/Players.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/mouse/Mouse.h"
#include "trainer/QuitKeys.h"
#include "trainer/Random.h"
#include "trainer/Results.h"

namespace qs {

namespace {

// The faces kuss1..kuss6 in slots 1..6: 1 a mistake, 2 neutral or a right
// move, 2..6 the reward, 3 its last frame.
constexpr int kMistakeFace = 1;
constexpr int kNeutralFace = 2;
constexpr int kLastRewardFace = 3;
constexpr int kFaceSize = 96;

// The bands: the task above, the answer below.
constexpr int kUpperTop = 80;
constexpr int kUpperBottom = 170;
constexpr int kLowerTop = 220;
constexpr int kLowerBottom = 310;
constexpr int kUpperTextY = 100;
constexpr int kLowerTextY = 240;
constexpr int kFaceY = 380;
constexpr int kFace1X = 40;
constexpr int kFace2X = 500;
constexpr int kLastColumn = 638;
constexpr double kColumnDelay = 0.3;

// Option values.
constexpr int kZerlegenRemember = 1;  // OptZerlegen " erinnern "
constexpr int kArtWithCount = 1;      // OptZerlegenArt "+ Zahl"
constexpr int kArtOther = 2;          // OptZerlegenArt " andere "
constexpr int kTrennungYes = 1;
constexpr int kTrennungLine = 2;
constexpr int kTrennungBlock = 3;

// A word of one player ends the game after this many words.
constexpr int kWordsPerGame = 20;
constexpr int kRandomTries = 100;

ScreenLayout SyllableLayout() {
    ScreenLayout layout;
    layout.scratchW = kFaceSize;
    layout.scratchH = kFaceSize;
    layout.slots = NumberedSlots(1, 6, "kuss", kFaceSize, kFaceSize, 1);
    return layout;
}

// Scrambled orders of 2 to 6 syllables, one per draw.
using Order = std::vector<int>;
const std::array<std::vector<Order>, 5> kShortOrders{{
    {{2, 1}, {2, 1}},
    {{1, 3, 2}, {3, 1, 2}, {3, 2, 1}},
    {{1, 4, 3, 2}, {3, 1, 4, 2}, {3, 2, 1, 4}, {4, 3, 2, 1}},
    {{5, 1, 4, 3, 2}, {3, 5, 1, 4, 2}, {3, 2, 5, 1, 4}, {4, 3, 2, 5, 1}, {3, 2, 1, 5, 4}},
    {{5, 1, 4, 3, 2, 6},
     {6, 3, 5, 1, 4, 2},
     {3, 6, 2, 5, 1, 4},
     {4, 3, 2, 6, 5, 1},
     {3, 2, 1, 5, 4, 6},
     {2, 1, 5, 4, 6, 3}},
}};

// Two orders each for 7 to 16 syllables: A for the draws 1..4, B after.
const std::array<std::array<Order, 2>, 10> kLongOrders{{
    {{{2, 4, 1, 7, 3, 6, 5}, {6, 4, 5, 7, 3, 2, 1}}},
    {{{1, 3, 5, 7, 2, 4, 6, 8}, {8, 1, 5, 7, 4, 2, 6, 3}}},
    {{{5, 7, 9, 3, 2, 4, 8, 6, 1}, {1, 7, 2, 3, 9, 5, 8, 6, 4}}},
    {{{9, 1, 6, 4, 7, 8, 3, 2, 5, 10}, {4, 9, 6, 1, 8, 7, 3, 10, 5, 2}}},
    {{{11, 9, 1, 10, 2, 7, 5, 8, 3, 6, 4}, {2, 9, 1, 11, 10, 7, 3, 8, 5, 4, 6}}},
    {{{1, 9, 8, 2, 5, 4, 6, 3, 7, 11, 10, 12}, {10, 9, 8, 12, 5, 4, 1, 3, 7, 11, 6, 2}}},
    {{{13, 1, 5, 9, 2, 10, 7, 3, 11, 4, 6, 8, 12}, {3, 11, 5, 8, 12, 10, 9, 13, 1, 4, 6, 7, 2}}},
    {{{9, 8, 4, 3, 2, 10, 1, 11, 14, 5, 7, 6, 12, 13},
      {7, 1, 4, 3, 12, 10, 8, 11, 14, 5, 9, 6, 2, 13}}},
    {{{6, 10, 1, 5, 11, 4, 2, 7, 3, 12, 8, 15, 9, 14, 13},
      {3, 12, 8, 15, 9, 14, 6, 10, 1, 5, 11, 4, 2, 7, 13}}},
    {{{10, 4, 1, 14, 9, 2, 6, 11, 3, 5, 8, 7, 12, 15, 13, 16},
      {9, 2, 6, 11, 3, 5, 8, 10, 4, 1, 14, 7, 12, 15, 13, 16}}},
}};

bool IsLetter(char key) {
    const auto c = static_cast<unsigned char>(key);
    if (c >= 'A' && c <= 'z') return true;
    static constexpr std::string_view kExtra = " \x84\x94\x81\x8e\x99\x9a\xe1";
    return kExtra.find(key) != std::string_view::npos;
}

int FacePlace(bool player1) { return player1 ? kFace1X : kFace2X; }

}  // namespace

// ---- Rules ---------------------------------------------------------------------

std::vector<int> ScrambleOrder(int count, int r) {
    if (count < 2 || count > static_cast<int>(kMaxSyllables)) {
        std::vector<int> plain(static_cast<size_t>(std::max(count, 0)));
        for (size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<int>(i) + 1;
        return plain;
    }
    if (count <= 6) {
        const auto& orders = kShortOrders[static_cast<size_t>(count - 2)];
        const int pick = std::clamp(r, 1, static_cast<int>(orders.size()));
        return orders[static_cast<size_t>(pick - 1)];
    }
    return kLongOrders[static_cast<size_t>(count - 7)][r <= 4 ? 0 : 1];
}

ReturnJudgement JudgeReturn(const std::string& answer, const std::string& target) {
    ReturnJudgement j;
    while (j.matching < answer.size() && j.matching < target.size() &&
           answer[j.matching] == target[j.matching])
        ++j.matching;
    if (answer == target) j.verdict = ReturnVerdict::Done;
    else if (j.matching == 0) j.verdict = ReturnVerdict::Restart;
    else if (j.matching == answer.size()) j.verdict = ReturnVerdict::TypeNext;
    else j.verdict = ReturnVerdict::Wrong;
    return j;
}

int GapCandidate(std::span<const int> gaps, int lastSplit, int x, int candidate) {
    const int n = static_cast<int>(gaps.size()) - 1;
    for (int i = n; i > lastSplit && i >= 1; --i) {
        const int reach = i == n ? 200 : 10;
        const int gap = gaps[static_cast<size_t>(i)];
        if (gap - 10 < x && x < gap + reach) return i;
    }
    return candidate;
}

bool TypableKey(char key) {
    if (IsLetter(key)) return true;
    static constexpr std::string_view kMarks = ",-./!?";
    return (key >= '0' && key <= '9') || kMarks.find(key) != std::string_view::npos;
}

bool SplitKeyRefused(const std::string& target, size_t pos, char key) {
    const bool hyphenThere = pos < target.size() && target[pos] == '-';
    if (key == '-') return !hyphenThere;
    return IsLetter(key) && hyphenThere;
}

std::string SyllableProtocolLine(const std::string& line, const std::string& collected,
                                 const std::string& target) {
    return collected == target ? line + "=" : line + "/" + collected;
}

std::string SyllableWinnerText(const PlayersState& p, int points1, int points2) {
    if (points1 == points2) return "Beide Spieler haben gewonnen!";
    return (points1 > points2 ? p.PlayerName1 : p.PlayerName2) + " hat gewonnen!";
}

// ---- The screen ------------------------------------------------------------------

silbenmonitor::silbenmonitor(Trainer& trainer) : monitor(trainer, SyllableLayout()) {}

bool silbenmonitor::Splitting() const { return IsRunning(tr.t, FileProgram::Zerlegen); }

const std::string& silbenmonitor::WordLine() const {
    return tr.t.WordList[static_cast<size_t>(std::clamp(lineNo_, 0, kWordListSize))];
}

// The rules are drawn as bars three units high, like the bands they edge,
// so that on a wide window they reach its edges as the bands do.
void silbenmonitor::DrawRules() {
    auto rule = [&](int y, int colourIndex) {
        SetFillStyle(d, fillstyle::Solid, colourIndex);
        Bar(d, 0, y - 1, 639, y + 1);
    };
    rule(kUpperTop - 1, colour::White);
    rule(kLowerTop - 1, colour::White);
    rule(172, colour::Black);
    rule(312, colour::Black);
}

void silbenmonitor::FillUpperBand() {
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, 0, kUpperTop, 639, kUpperBottom);
}

void silbenmonitor::FillBands(int upperColour, int lowerColour) {
    SetFillStyle(d, fillstyle::Solid, upperColour);
    Bar(d, 0, kUpperTop, 639, kUpperBottom);
    SetFillStyle(d, fillstyle::Solid, lowerColour);
    Bar(d, 0, kLowerTop, 639, kLowerBottom);
}

void silbenmonitor::DrawWipeColumn(int x, int upperColour, int lowerColour) {
    SetFillStyle(d, fillstyle::Solid, upperColour);
    Bar(d, x, kUpperTop, x + 1, kUpperBottom);
    SetFillStyle(d, fillstyle::Solid, lowerColour);
    Bar(d, x, kLowerTop, x + 1, kLowerBottom);
}

// The wait per column is below a millisecond: Delay sleeps on every few
// calls only, so the whole wipe takes a fixed, short time.
void silbenmonitor::WipeBands(int upperColour, int lowerColour) {
    for (int x = 0; x <= kLastColumn; ++x) {
        DrawWipeColumn(x, upperColour, lowerColour);
        Delay(d, kColumnDelay);
    }
}

void silbenmonitor::ShowFace(int frame, bool player1) {
    PutImage(d, FacePlace(player1), kFaceY, Pictures[static_cast<size_t>(frame)]);
    d.MarkDirty();
}

void silbenmonitor::ShowCountBox() {
    SetColor(d, colour::Pink);
    SetSize(tr, 4);
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, 200, 10, 450, 60);
    OutTextXY(d, 216, 19, "Silbenanzahl:");
}

// ---- Choosing a word ---------------------------------------------------------------

// In random order the search gives up after 100 draws; in order it gives
// up once every line was looked at, so a list without a word of two
// syllables ends with the message rather than searching for ever.
bool silbenmonitor::ChooseWord() {
    const int limit = seq_.ordered ? tr.t.WordCount + tr.players.RepeatCount + 1 : kRandomTries;
    for (int tries = 0; tries < limit; ++tries) {
        lineNo_ = std::clamp(NextWord(tr, seq_), 1, kWordListSize);
        word_ = SplitSyllableLine(WordLine());
        if (PlayableSyllableLine(word_)) return true;
    }
    return false;
}

void silbenmonitor::NoWordMessage() {
    SetTextStyle(d, 0, 0, 2);
    SetColor(d, colour::White);
    OutTextXY(d, 10, 100, "Wort erf\x81llt nicht die Bedingungen.");
    OutTextXY(d, 10, 140, "Anleitung lesen!");
    ReadKeyOrQuit(tr);
    tr.t.LastKey = keycode::Esc;
}

// The player whose turn it is stands out in blue.
void silbenmonitor::DrawNames() {
    const PlayersState& p = tr.players;
    SetTextStyle(d, 0, 0, 3);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, 60, 326, 240, 349);
    Bar(d, 505, 326, 639, 349);
    auto name = [&](const std::string& text, int x, bool turn) {
        SetColor(d, turn ? colour::Grey : colour::DarkGrey);
        OutTextXY(d, x, 329, text);
        SetColor(d, turn ? colour::Blue : colour::Grey);
        OutTextXY(d, x + 1, 330, text);
    };
    name(p.PlayerName1, 62, p.Player1Turn);
    name(p.PlayerName2, 509, !p.Player1Turn);
}

void silbenmonitor::ChooseTextSize() {
    int size = 7;
    SetSize(tr, size);
    while (size > 1 && TextWidth640(d, WordLine()) > 520) SetSize(tr, --size);
    if (tr.t.opt.OptTrennung > 0) {
        const std::string withGaps = std::string(word_.syllables.size(), '-') + WordLine();
        while (size > 1 && TextWidth640(d, withGaps) > 620) SetSize(tr, --size);
    }
    tr.players.TextSize = size;
}

// ---- Showing the task ----------------------------------------------------------------

void silbenmonitor::ShowTask() {
    PlayersState& p = tr.players;
    p.AnswerX = 20;
    if (tr.t.opt.OptArtikel && !word_.article.empty()) {
        SetColor(d, colour::Cyan);
        OutTextXY(d, p.AnswerX, kUpperTextY, word_.article);
        p.AnswerX += TextWidth640(d, word_.article);
    }
    wordStart_ = p.AnswerX;
    SetColor(d, colour::LightYellow);
    if (Splitting()) {
        ShowSplitWord();
        return;
    }
    const int count = static_cast<int>(word_.syllables.size());
    const std::vector<int> order = ScrambleOrder(count, Random(tr, count) + 1);
    for (size_t i = 0; i < order.size(); ++i) {
        p.WorkText = word_.syllables[static_cast<size_t>(order[i] - 1)];
        PlaceSyllable(true, i + 1 == order.size());
    }
}

// With the mouse each syllable is drawn on its own, so that a split
// syllable can be drawn again in its colour; the gaps lie between the
// characters, two units left of where the next one starts.
void silbenmonitor::ShowSplitWord() {
    PlayersState& p = tr.players;
    p.WorkText = JoinedSyllables(word_);
    if (!MouseOn(tr)) {
        OutTextXY(d, wordStart_, kUpperTextY, p.WorkText);
        return;
    }
    gaps_.assign(p.WorkText.size() + 1, 0);
    int x = wordStart_ - 2;
    for (size_t i = 0; i < p.WorkText.size(); ++i) {
        x += TextWidth640(d, std::string(1, p.WorkText[i]));
        gaps_[i + 1] = x;
    }
    syllableStart_.clear();
    int at = wordStart_;
    for (const std::string& syllable : word_.syllables) {
        syllableStart_.push_back(at);
        OutTextXY(d, at, kUpperTextY, syllable);
        at += TextWidth640(d, syllable);
    }
}

void silbenmonitor::PlaceSyllable(bool registering, bool last) {
    PlayersState& p = tr.players;
    const int size = p.TextSize;
    const int trennung = tr.t.opt.OptTrennung;
    const int width = TextWidth640(d, p.WorkText);
    if (registering && p.PieceSlot <= static_cast<int>(kMaxSyllables)) {
        const int w = width + 2 * size;
        SetColorAndFill(d, colour::Pink, true);
        if (trennung == kTrennungLine) Rectangle(d, p.AnswerX - size - 3, 81, p.AnswerX + w, 169);
        if (trennung == kTrennungBlock) Bar(d, p.AnswerX - size - 3, 81, p.AnswerX + w, 169);
        const auto slot = static_cast<size_t>(p.PieceSlot);
        p.PieceLeft[slot] = trennung == 0 ? p.AnswerX : p.AnswerX - size - 3;
        p.PieceRight[slot] = trennung == 0 ? p.AnswerX + w - 2 * size : p.AnswerX + w;
        p.PieceText[slot] = p.WorkText;
        ++p.PieceSlot;
        SetColor(d, colour::LightYellow);
    }
    OutTextXY(d, p.AnswerX, kUpperTextY, p.WorkText);
    p.AnswerX += width;
    if (last) return;
    if (trennung == kTrennungYes) {
        SetColor(d, colour::Pink);
        OutTextXY(d, p.AnswerX, kUpperTextY, "-");
        SetColor(d, colour::LightYellow);
    }
    if (trennung > 0) p.AnswerX += size > 6 ? 3 * size + 14 : 2 * size + 14;
}

// ---- The answer ------------------------------------------------------------------------

void silbenmonitor::StartAnswer() {
    PlayersState& p = tr.players;
    SetLineStyle(d, 0, 0, 1);
    p.AnswerX = 20;
    if (tr.t.opt.OptArtikel && !word_.article.empty()) {
        SetColor(d, colour::Cyan);
        OutTextXY(d, p.AnswerX, kLowerTextY, word_.article);
        p.AnswerX += TextWidth640(d, word_.article) + 10;
    }
    if (Splitting()) {
        p.AnswerX -= 10;
        target_ = SplitTarget(word_);
    } else {
        target_ = JoinedSyllables(word_);
    }
    answerStart_ = p.AnswerX;
    p.AnswerText.clear();
    charX_.clear();
    ShowFace(kNeutralFace, true);
    if (p.PlayerCount == 2) ShowFace(kNeutralFace, false);
    FaceState = 1;
    Mistakes = 0;
    nextSyllable_ = 1;
    SetColor(d, colour::LightYellow);
}

// Waits about ms, in steps that a key or (with the mouse on) a new click
// ends. A button still held from the last move does not count, or the
// reward after a split would end before it began.
bool silbenmonitor::WaitBreak(int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (KeyPressed(d)) return true;
        if (MouseOn(tr) && TakeClick(d) != 0) return true;
        Delay(d, 20);
    }
    return KeyPressed(d);
}

// A "?" blinks at (x, y) on dark grey until a key is waiting; bottom is
// where its ground ends. It is wiped off with a bar rather than drawn over
// in the ground colour, which would leave its smoothed edges behind.
// False after ESC was confirmed.
bool silbenmonitor::BlinkUntilKey(int x, int y, int bottom) {
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    const int right = x + TextWidth640(d, "?");
    for (int turn = 0; !KeyPressed(d); ++turn) {
        if (turn % 2 == 0) {
            SetColor(d, colour::Orange);
            OutTextXY(d, x, y, "?");
        } else {
            Bar(d, x, y, right, bottom);
        }
        for (int i = 0; i < 20 && !KeyPressed(d); ++i) Delay(d, 20);
        NoteWaitingForInput(d);
    }
    Bar(d, x, y, right, bottom);
    ReadKeyOrQuit(tr);
    return tr.t.LastKey != keycode::Esc;
}

// The number of syllables comes first. RETURN stands for the right number;
// a number of two digits is typed digit by digit.
void silbenmonitor::AskSyllableCount() {
    const std::string number = std::to_string(word_.syllables.size());
    std::string typed;
    SetSize(tr, 4);
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, 390, 10, 450, 60);
    while (typed != number) {
        if (!BlinkUntilKey(400, 19, 60)) return;
        const char key = tr.t.LastKey;
        if (key == keycode::Return) {
            typed = number;
        } else if (key >= '0' && key <= '9') {
            if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
            typed += key;
            if (number.compare(0, typed.size(), typed) != 0)
                typed = number.front() == key ? std::string(1, key) : "";
        }
    }
    Bar(d, 390, 10, 450, 60);
    SetColor(d, colour::Pink);
    OutTextXY(d, 400, 19, number);
    countAsked_ = true;
}

bool silbenmonitor::AnswerWord() {
    const bool mouse = MouseOn(tr);
    if (Ordering() && mouse) return OrderWithMouse();
    if (Splitting() && mouse) return SplitWithMouse();
    return AnswerByTyping();
}

// ---- Ordering with the mouse ------------------------------------------------------------

bool silbenmonitor::OrderWithMouse() {
    PlayersState& p = tr.players;
    TakeClick(d);
    while (p.AnswerText != target_) {
        if (KeyPressed(d)) {
            ReadKeyOrQuit(tr);
            if (tr.t.LastKey == keycode::Esc) return false;
            continue;
        }
        if (TakeClick(d) != 1) {
            Delay(d, 20);
            NoteWaitingForInput(d);
            continue;
        }
        for (int piece = 1; piece < p.PieceSlot; ++piece) {
            const auto i = static_cast<size_t>(piece);
            if (p.PieceLeft[i] == 0 && p.PieceRight[i] == 0) continue;
            if (!PointerIn(tr, p.PieceLeft[i], kUpperTop, p.PieceRight[i], kUpperBottom)) continue;
            TakePiece(piece);
            break;
        }
    }
    return true;
}

// Pieces are compared by their text: of two equal syllables either one
// may come first.
void silbenmonitor::TakePiece(int piece) {
    PlayersState& p = tr.players;
    const auto i = static_cast<size_t>(piece);
    const std::string text = p.PieceText[i];
    if (text != word_.syllables[static_cast<size_t>(nextSyllable_ - 1)]) {
        ++Mistakes;
        MistakeSound(tr);
        AppendProtocol(tr, "(" + text + ")");
        ShowFace(kMistakeFace, p.Player1Turn);
        return;
    }
    p.AnswerText += text;
    AppendProtocol(tr, text);
    p.PieceLeft[i] = p.PieceRight[i] = 0;
    ++nextSyllable_;
    SetColor(d, colour::LightYellow);
    OutTextXY(d, p.AnswerX, kLowerTextY, text);
    p.AnswerX += TextWidth640(d, text);
    StopSound(d);
    if (TonesOn(tr)) PlayWav(d, "wavs\\gefunden.wav");
    ShowFace(kNeutralFace, p.Player1Turn);
}

// ---- Splitting with the mouse ------------------------------------------------------------

void silbenmonitor::MoveMarker(int to) {
    if (candidate_ > 0 && candidate_ != lastSplit_) {
        SetColor(d, colour::Navy);
        Line(d, gaps_[static_cast<size_t>(candidate_)] + 2, 81,
             gaps_[static_cast<size_t>(candidate_)] + 2, 168);
    }
    candidate_ = to;
    SetColor(d, colour::LightYellow);
    Line(d, gaps_[static_cast<size_t>(to)] + 2, 81, gaps_[static_cast<size_t>(to)] + 2, 168);
}

// A right split is taken once per press; a wrong one counts again on
// every pass while the button stays down.
bool silbenmonitor::SplitWithMouse() {
    MoveMouseTo(d, 20, 120);
    candidate_ = 0;
    lastSplit_ = 0;
    bool taken = false;
    const auto count = static_cast<int>(word_.syllables.size());
    while (nextSyllable_ <= count) {
        if (KeyPressed(d)) {
            ReadKeyOrQuit(tr);
            if (tr.t.LastKey == keycode::Esc) return false;
        }
        const int to = GapCandidate(gaps_, lastSplit_, MouseX(d), candidate_);
        if (to != candidate_) MoveMarker(to);
        const bool down = MouseButtons(d) == 1;
        TakeClick(d);
        if (!down) taken = false;
        if (down && !taken) taken = SplitAtCandidate();
        Delay(d, 5);
        if (!down) NoteWaitingForInput(d);
    }
    return true;
}

// True when the press split the word (and is used up).
bool silbenmonitor::SplitAtCandidate() {
    PlayersState& p = tr.players;
    const auto n = static_cast<size_t>(nextSyllable_ - 1);
    const std::string& syllable = word_.syllables[n];
    const int expected = lastSplit_ + static_cast<int>(syllable.size());
    if (candidate_ <= lastSplit_) return false;
    if (candidate_ != expected) {
        ++Mistakes;
        Delay(d, 10);
        MistakeSound(tr);
        AppendProtocol(
            tr, "(" +
                    JoinedSyllables(word_).substr(static_cast<size_t>(lastSplit_),
                                                  static_cast<size_t>(candidate_ - lastSplit_)) +
                    ")");
        ShowFace(kMistakeFace, p.Player1Turn);
        return false;
    }
    const bool last = n + 1 == word_.syllables.size();
    p.WorkText = syllable;
    AppendProtocol(tr, syllable);
    if (!last) AppendProtocol(tr, "-");
    SetColor(d, nextSyllable_ % 2 == 1 ? colour::Grey : colour::Teal);
    OutTextXY(d, syllableStart_[n], kUpperTextY, syllable);
    SetColor(d, colour::LightYellow);
    OutTextXY(d, p.AnswerX, kLowerTextY, syllable);
    p.AnswerX += TextWidth640(d, syllable);
    if (!last) {
        SetColorAndFill(d, colour::Pink, true);
        if (tr.t.opt.OptZerlegenArt == kArtOther) {
            Bar(d, p.AnswerX + 6, 230, p.AnswerX + 8, 300);
            p.AnswerX += 20;
        } else {
            OutTextXY(d, p.AnswerX, kLowerTextY, "-");
            p.AnswerX += TextWidth640(d, "-");
        }
    }
    p.AnswerText += syllable;
    if (!last) p.AnswerText += '-';
    lastSplit_ = candidate_;
    ++nextSyllable_;
    StopSound(d);
    if (SoundOn(tr)) PlayWav(d, "wavs\\zerlegen.wav");
    ShowFace(kNeutralFace, p.Player1Turn);
    return true;
}

// ---- Typing ---------------------------------------------------------------------------------

bool silbenmonitor::AnswerByTyping() {
    PlayersState& p = tr.players;
    for (;;) {
        if (!BlinkUntilKey(p.AnswerX, kLowerTextY, kLowerBottom)) return false;
        auto key = static_cast<uint8_t>(tr.t.LastKey);
        ArrowToEditKey(d, key);
        if (TypingStep(static_cast<char>(key))) return true;
    }
}

// One key of a typed answer; true when the word is done.
bool silbenmonitor::TypingStep(char key) {
    PlayersState& p = tr.players;
    const bool remember = tr.t.opt.OptZerlegen == kZerlegenRemember;
    if (Splitting() && remember && p.AnswerText.empty()) FillUpperBand();
    if (Splitting() && key == keycode::Return) {
        if (p.AnswerText.empty() && !remember) {
            TypeFirstSyllable();
            if (p.AnswerText.size() >= target_.size() || target_[p.AnswerText.size()] != '-')
                return false;
            key = '-';
        } else if (remember && p.AnswerText != target_) {
            SpellWord();
            return false;
        }
    }
    if (key == keycode::Return) return JudgeOnReturn();
    if (key == keycode::Backspace) {
        Backspace();
        return false;
    }
    if (Ordering() && key == '-') return false;
    if (Splitting() && SplitKeyRefused(target_, p.AnswerText.size(), key)) {
        Refuse(key);
        return false;
    }
    if (TypableKey(key) && p.AnswerText.size() < target_.size()) {
        AppendProtocol(tr, key == target_[p.AnswerText.size()] ? std::string(1, key)
                                                               : "(" + std::string(1, key) + ")");
        TypeChar(key, colour::Green);
        if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
    }
    return false;
}

// With " andere " the hyphens between word parts show as bars.
void silbenmonitor::TypeChar(char key, int colourIndex) {
    PlayersState& p = tr.players;
    const bool bar = key == '-' && tr.t.opt.OptZerlegenArt == kArtOther;
    const std::string shown(1, bar ? '|' : key);
    SetColor(d, bar ? colour::Orange : colourIndex);
    OutTextXY(d, p.AnswerX, kLowerTextY, shown);
    charX_.push_back(p.AnswerX);
    p.AnswerText += key;
    p.AnswerX += TextWidth640(d, shown);
}

void silbenmonitor::TypeFirstSyllable() {
    const size_t end = std::min(target_.find('-'), target_.size());
    for (size_t i = 0; i < end; ++i) TypeChar(target_[i], colour::Cyan);
    AppendProtocol(tr, ">" + tr.players.AnswerText + "<");
}

// The word comes back letter by letter, then goes again at a key.
void silbenmonitor::SpellWord() {
    std::string shown = WordLine();
    shown.erase(std::remove(shown.begin(), shown.end(), '-'), shown.end());
    SetColor(d, colour::Pink);
    int x = 20;
    for (char c : shown) {
        const std::string letter(1, c);
        OutTextXY(d, x, kUpperTextY, letter);
        x += TextWidth640(d, letter);
        Delay(d, 100);
    }
    EmptyKeyBuffer(tr);
    ReadKeyOrQuit(tr);
    EmptyKeyBuffer(tr);
    FillUpperBand();
}

void silbenmonitor::ClearAnswer() {
    PlayersState& p = tr.players;
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, answerStart_, kLowerTop, 639, kLowerBottom);
    p.AnswerText.clear();
    charX_.clear();
    p.AnswerX = answerStart_;
}

// RETURN judges what was typed; a wrong answer is helped on by one
// character.
bool silbenmonitor::JudgeOnReturn() {
    PlayersState& p = tr.players;
    if (p.AnswerText.empty()) {
        if (target_.empty()) return true;
        TypeChar(target_[0], colour::LightYellow);
        AppendProtocol(tr, ">");
        return p.AnswerText == target_;
    }
    const ReturnJudgement j = JudgeReturn(p.AnswerText, target_);
    for (size_t i = 0; i < j.matching; ++i) {
        const char c = p.AnswerText[i];
        const bool bar = c == '-' && tr.t.opt.OptZerlegenArt == kArtOther;
        SetColor(d, colour::LightYellow);
        OutTextXY(d, charX_[i], kLowerTextY, std::string(1, bar ? '|' : c));
    }
    if (j.verdict == ReturnVerdict::Done) return true;
    if (j.verdict == ReturnVerdict::Restart) {
        ClearAnswer();
        TypeChar(target_[0], colour::LightYellow);
    } else if (j.verdict == ReturnVerdict::TypeNext) {
        TypeChar(target_[p.AnswerText.size()], colour::LightYellow);
    }
    ShowFace(kMistakeFace, p.Player1Turn);
    MistakeSound(tr);
    Mistakes = 2;
    FaceState = 6;
    AppendProtocol(tr, ">");
    return p.AnswerText == target_;
}

void silbenmonitor::Backspace() {
    PlayersState& p = tr.players;
    if (p.AnswerText.empty()) return;
    p.AnswerX = charX_.back();
    charX_.pop_back();
    SetFillStyle(d, fillstyle::Solid, colour::DarkGrey);
    Bar(d, p.AnswerX, kLowerTop, 639, kLowerBottom);
    StopSound(d);
    if (TonesOn(tr)) PlayWav(d, "wavs\\wegmachen.wav");
    p.AnswerText.pop_back();
    if (FaceState != 5) ShowFace(kMistakeFace, p.Player1Turn);
    FaceState = 5;
}

void silbenmonitor::Refuse(char key) {
    ShowFace(kMistakeFace, tr.players.Player1Turn);
    AppendProtocol(tr, "(" + std::string(1, key) + ")");
    MistakeSound(tr);
    Mistakes = 2;
    FaceState = 6;
}

// ---- A finished word ------------------------------------------------------------------------

void silbenmonitor::ShowScores() {
    const PlayersState& p = tr.players;
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    SetTextStyle(d, 0, 0, 3);
    SetColor(d, colour::Navy);
    if (p.PlayerCount != 2) {
        Bar(d, 300, 450, 360, 479);
        OutTextXY(d, 300, 460, std::to_string(p.TaskCount));
        return;
    }
    Bar(d, 80, 350, 120, 370);
    OutTextXY(d, 86, 350, std::to_string(p.TaskCount));
    Bar(d, 540, 350, 600, 370);
    OutTextXY(d, 546, 350, std::to_string(Score2));
}

// Up to three rounds of the face's reward, each with "Okay" (or "nein"
// after mistakes) below it; a key or a click cuts it short.
void silbenmonitor::Reward() {
    const PlayersState& p = tr.players;
    const bool one = p.Player1Turn;
    const int textX = one ? 150 : 420;
    bool stopped = false;
    TakeClick(d);
    SetTextStyle(d, 0, 0, 3);
    for (int n = 1; n <= 3 && !stopped; ++n) {
        for (int frame = kNeutralFace; frame <= 6 && !stopped; ++frame) {
            ShowFace(Mistakes > 0 ? kMistakeFace : frame, one);
            stopped = WaitBreak(250);
        }
        ShowFace(Mistakes > 0 ? kMistakeFace : kLastRewardFace, one);
        SetColor(d, colour::Navy);
        OutTextXY(d, textX, 370 + 25 * n, Mistakes > 0 ? "nein" : "Okay");
    }
    for (int step = 0; step < 37 && !stopped; ++step) stopped = WaitBreak(200);
    if (KeyPressed(d)) ReadKeyOrQuit(tr);
    TakeClick(d);
}

void silbenmonitor::WordDone() {
    PlayersState& p = tr.players;
    TrainerState& t = tr.t;
    if (TonesOn(tr)) {
        Delay(d, 60);
        SuccessSound(tr);
    }
    if (Splitting() && t.opt.OptZerlegen == kZerlegenRemember && !MouseOn(tr)) {
        std::string solution = target_;
        if (t.opt.OptZerlegenArt == kArtOther)
            std::replace(solution.begin(), solution.end(), '-', '|');
        SetSize(tr, p.TextSize);
        SetColor(d, colour::LightYellow);
        OutTextXY(d, 10, kUpperTextY, solution);
    }
    EnterResult(tr, lineNo_, Mistakes > 0);
    if (p.PlayerCount == 1 && t.ProtocolCount < kProtocolSize) {
        ++t.ProtocolCount;
        std::string& entry = t.ProtocolLines[static_cast<size_t>(t.ProtocolCount)];
        entry = SyllableProtocolLine(WordLine(), entry, target_);
    }
    if (p.PlayerCount != 2) ++p.TaskCount;
    else if (Mistakes == 0 && p.Player1Turn) ++p.TaskCount;
    else if (Mistakes == 0) ++Score2;
    if (FaceState != 1) {
        for (int i = 0; i < 2; ++i) {
            ShowFace(kNeutralFace, p.Player1Turn);
            Delay(d, 200);
        }
    }
    ShowScores();
    Reward();
    WipeBands(colour::Grey, colour::Grey);
    FillBands(colour::Grey, colour::Grey);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, 150, 370, 250, 479);
    Bar(d, 400, 370, 470, 479);
    if (p.PlayerCount == 2) p.Player1Turn = !p.Player1Turn;
}

// ---- The game ---------------------------------------------------------------------------------

bool silbenmonitor::PlayWord(bool first) {
    PlayersState& p = tr.players;
    p.PieceLeft.fill(0);
    p.PieceRight.fill(0);
    p.PieceText.fill("");
    p.PieceSlot = 1;
    if (!ChooseWord()) {
        NoWordMessage();
        return false;
    }
    if (p.PlayerCount == 2) DrawNames();
    ChooseTextSize();
    SetLineStyle(d, 0, 0, 1);
    if (!first) {
        WipeBands(colour::Navy, colour::DarkGrey);
        FillBands();
    }
    EmptyKeyBuffer(tr);
    ShowTask();
    StartAnswer();
    countAsked_ = false;
    const bool splitting = Splitting();
    if (splitting && tr.t.opt.OptZerlegenArt == kArtWithCount) {
        AskSyllableCount();
        if (tr.t.LastKey == keycode::Esc) return false;
        SetSize(tr, p.TextSize);
    }
    if (splitting && !MouseOn(tr) && tr.t.opt.OptZerlegen == kZerlegenRemember) {
        if (!countAsked_) {
            WaitForKeyOrClick(tr);
            if (tr.t.LastKey == keycode::Esc) return false;
            EmptyKeyBuffer(tr);
        }
        FillUpperBand();
    }
    if (!AnswerWord()) return false;
    WordDone();
    return tr.t.LastKey != keycode::Esc;
}

void silbenmonitor::EndOfGame() {
    PlayersState& p = tr.players;
    if (Splitting()) {
        SetFillStyle(d, fillstyle::Solid, colour::Grey);
        Bar(d, 200, 10, 450, 60);
    }
    if (p.TaskCount <= 1) return;
    SetColor(d, colour::Maroon);
    SetSize(tr, 4);
    if (p.PlayerCount != 2) {
        OutTextXY(d, 100, 30, "Okay, das war es.");
        const std::array<std::pair<int, int>, 4> faces{{{2, 40}, {3, 180}, {4, 320}, {6, 460}}};
        for (const auto& [frame, x] : faces)
            PutImage(d, x, kFaceY, Pictures[static_cast<size_t>(frame)]);
        SetColor(d, colour::Navy);
        OutTextXY(d, 300, 330, "Have a good day.");
    } else {
        OutTextXY(d, 40, 180, SyllableWinnerText(p, p.TaskCount, Score2));
    }
    d.MarkDirty();
    EmptyKeyBuffer(tr);
    ReadKey(d);
    tr.t.LastKey = keycode::Esc;
}

void silbenmonitor::Run() {
    PlayersState& p = tr.players;
    Score2 = 0;
    p.Player1Turn = true;
    SetBkColor(d, colour::Black);
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    Bar(d, 0, 0, 639, 479);
    SetLineStyle(d, 0, 0, 3);
    SetTextJustify(d, 0, 2);
    const bool play = StartGame(tr);
    p.Player1Turn = true;
    if (play && tr.t.WordCount > 2) {
        SetFillStyle(d, fillstyle::Solid, colour::Grey);
        Bar(d, 0, 0, 639, 479);
        DrawRules();
        seq_ = StartWordSequence(tr, 1);
        SetSize(tr, 3);
        if (Splitting() && tr.t.opt.OptZerlegenArt == kArtWithCount) ShowCountBox();
        FillBands();
        bool first = true;
        while (tr.t.LastKey != keycode::Esc && !(p.TaskCount > kWordsPerGame && p.Player1Turn)) {
            if (!PlayWord(first)) break;
            first = false;
        }
        EndOfGame();
    } else if (play) {
        SetTextStyle(d, 0, 0, 2);
        SetColor(d, colour::Navy);
        OutTextXY(d, 10, 100, "Die Liste hat zu wenige W\x94rter.");
        EmptyKeyBuffer(tr);
        ReadKeyOrQuit(tr);
        tr.t.LastKey = keycode::Esc;
    }
    EndGame(tr);
}

void RunSyllables(Trainer& tr) { LaunchExercise<silbenmonitor>(tr); }

}  // namespace qs
