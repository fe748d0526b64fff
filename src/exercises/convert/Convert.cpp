#include "exercises/convert/Convert.h"

#include <algorithm>

#include "exercises/common/Kit.h"
#include "exercises/common/Players.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "trainer/QuitKeys.h"
#include "trainer/Random.h"
#include "trainer/Results.h"

namespace qs {

namespace {

constexpr int kFaceW = 96;
constexpr int kFaceH = 90;
constexpr int kFaceY = 384;
constexpr int kFaceX1 = 40;
constexpr int kFaceX2 = 500;
constexpr int kAnswerX = 50;
constexpr int kBandWidth = 590;
constexpr int kLastTaskToStart = 21;
constexpr int kRuleFont = 1;
// A key that means nothing to the typing loop.
constexpr char kIgnored = 37;
constexpr int kMaxRuleX = 600;

ScreenLayout ConvertLayout() {
    ScreenLayout layout;
    layout.scratchW = 244;
    layout.scratchH = 88;
    layout.slots = NumberedSlots(kFaceSlot, 6, "micky", kFaceW, kFaceH, 1);
    return layout;
}

bool IsBlanks(const RulePiece& piece) {
    return !piece.group && piece.text.find_first_not_of(' ') == std::string::npos;
}

bool IsCommonArticle(const std::string& article) {
    return article == "der " || article == "die " || article == "das ";
}

}  // namespace

// ---- Rules ------------------------------------------------------------------------

int FaceNumber(bool playerOne, Mood mood) {
    switch (mood) {
        case Mood::Neutral: return playerOne ? 1 : 3;
        case Mood::Pleased: return playerOne ? 2 : 4;
        case Mood::Sad: return playerOne ? 6 : 5;
    }
    return 1;
}

int NextDirection(int direction) { return direction >= 3 || direction < 1 ? 1 : direction + 1; }

const char* DirectionText(int direction) {
    switch (direction) {
        case 2: return "Umgekehrt umwandeln";
        case 3: return "Umwandlung nach Zufall";
        default: return "Umwandeln laut Anweisung";
    }
}

std::string ArticleMessage(const std::string& article) {
    if (article.empty()) return "";
    if (IsCommonArticle(article)) return "Bitte erst den Artikel eingeben!";
    return "Erst \" " + article + "\" eingeben.";
}

int FittingTextSize(const std::function<int(int size)>& widthAt) {
    int size = 9;
    while (size > 1 && widthAt(size) > kBandWidth) --size;
    return size;
}

int TaskY(int size) { return size >= 9 ? 76 : size == 8 ? 88 : size >= 6 ? 96 : 102; }

int TypingY(int size) { return size >= 9 ? 255 : size == 8 ? 268 : size >= 6 ? 276 : 280; }

int CursorY(int size) { return size >= 9 ? 320 : 310; }

std::string HintFor(const std::string& answer, const std::string& typed) {
    return answer.substr(0, typed.size() + 1);
}

std::string ProtocolOfLetter(const std::string& answer, size_t place, char letter) {
    if (place < answer.size() && answer[place] == letter) return std::string(1, letter);
    return "(" + std::string(1, letter) + ")";
}

std::string ProtocolResult(const std::string& wordLine, const std::string& keys,
                           const std::string& answer) {
    return keys == answer ? wordLine + "=" : wordLine + "/" + keys;
}

std::string Verdict(int score, int taskCount) {
    return score >= taskCount ? "Wacker! Wacker!" : "So isses !";
}

int ChooseTaskLine(PlayersState& p, WordSequence& s, int wordCount, const RandomSource& draw,
                   const std::function<bool(int line)>& usable) {
    const int before = p.CurrentWordNo;
    const int wordBefore = s.wordBefore;
    const bool due = p.RepeatDue;
    // Enough draws that a usable line turns up however many are unusable.
    const int tries = 20 * std::max(1, wordCount);
    for (int i = 0; i < tries; ++i) {
        const int line = NextWord(p, s, wordCount, draw);
        if (usable(line)) return line;
        p.CurrentWordNo = before;
        s.wordBefore = wordBefore;
        p.RepeatDue = due;
    }
    return 0;
}

// ---- The game -----------------------------------------------------------------------

umwandmonitor::umwandmonitor(Trainer& trainer) : monitor(trainer, ConvertLayout()) {}

void umwandmonitor::Prepare() {
    tr.players.TaskCount = 0;
    Score1 = 0;
    Score2 = 0;
    monitor::Prepare();
}

bool umwandmonitor::Repairing() const { return IsRunning(tr.t, FileProgram::Reparieren); }

bool umwandmonitor::Usable(int line) const {
    if (line < kFirstTaskLine || line > tr.t.WordCount) return false;
    const std::string& text = tr.t.WordList[static_cast<size_t>(line)];
    auto typeable = [](const std::string& s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), IsAnswerLetter);
    };
    if (Repairing()) return typeable(text);
    const std::optional<ConvertLine> pieces = SplitConvertLine(text);
    if (!pieces) return false;
    const bool second = typeable(pieces->Article2 + pieces->Word2);
    const bool first = typeable(pieces->Article1 + pieces->Word1);
    return second && (!tr.t.UmwandelnReversible || first);
}

int umwandmonitor::UsableLines() const {
    int count = 0;
    for (int line = kFirstTaskLine; line <= tr.t.WordCount; ++line) count += Usable(line) ? 1 : 0;
    return count;
}

// Reads one key and answers what is not typing: ESC asks first, F5 turns
// the direction, F1 leads to the quit question as ESC does, Left and Del
// take a letter back; other extended keys are left alone.
char umwandmonitor::HandleKey() {
    TrainerState& t = tr.t;
    char& key = t.LastKey;
    key = static_cast<char>(ReadKey(d));
    if (d.keys.ExtendedKey) {
        if (key == keycode::F5 && IsRunning(t, FileProgram::Umwandeln) && t.UmwandelnReversible) {
            t.UmwandelnDirection = NextDirection(t.UmwandelnDirection);
            SetFillStyle(d, fillstyle::Solid, colour::Purple);
            Bar(d, 0, 0, 200, 15);
            SetSmallText(tr);
            SetColor(d, colour::LightYellow);
            OutTextXY(d, 4, 0, DirectionText(t.UmwandelnDirection));
            SetSize(tr, TaskTextSize);
            key = kIgnored;
        } else if (key == keycode::F1) {
            key = keycode::Esc;
        } else if (key == keycode::Left || key == keycode::Del) {
            key = keycode::Backspace;
        } else {
            key = kIgnored;
        }
    }
    if (key == keycode::Esc) AskQuitNow(tr);
    return key;
}

// ---- The screen ------------------------------------------------------------------------

void umwandmonitor::DrawScreen() {
    SetTextJustify(d, 0, 2);
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, 0, 0, 639, 479);
    SetFillStyle(d, fillstyle::Solid, colour::Purple);
    Bar(d, 0, 0, 639, 60);
    Bar(d, 0, 363, 639, 383);
    SetFillStyle(d, fillstyle::Solid, colour::Teal);
    Bar(d, 0, 60, 639, 180);
    Bar(d, 0, 240, 639, 360);
    SetLineStyle(d, 0, 0, 1);
    SetColor(d, colour::Black);
    Line(d, 0, 59, 639, 59);
    Line(d, 0, 239, 639, 239);
    SetLineStyle(d, 0, 0, 3);
    SetColor(d, colour::Cyan);
    Line(d, 0, 182, 639, 182);
    Line(d, 0, 362, 639, 362);
    SetLineStyle(d, 0, 0, 1);
}

void umwandmonitor::DrawRules() {
    const std::string& line2 = tr.t.WordList[2];
    if (Repairing()) DrawRepairRules();
    else DrawConvertRules();
    SetTextStyle(d, kRuleFont, 0, 4);
    RuleX = std::min(kMaxRuleX, TextWidth640(d, Repairing() ? shownLine2_ : line2) + 20);
}

void umwandmonitor::DrawConvertRules() {
    TrainerState& t = tr.t;
    const std::string& line1 = t.WordList[1];
    t.UmwandelnReversible = ReversibleRule(line1);
    if (t.UmwandelnReversible) {
        SetSmallText(tr);
        SetColor(d, colour::LightYellow);
        OutTextXY(d, 4, 0, "wechseln mit F5");
    }
    SetColor(d, colour::Cyan);
    SetTextStyle(d, kRuleFont, 0, 4);
    const std::string rule = ShownRule(line1);
    if (rule.size() > 1) OutTextXY(d, 10, 20, rule);
    if (t.WordList[2].size() > 1) OutTextXY(d, 10, 196, t.WordList[2]);
}

// Line 1 with its groups: the "-" of a group is not drawn, and from the
// second group on ", " stands before it; line 2 without the mark before
// the placeholder.
void umwandmonitor::DrawRepairRules() {
    const TrainerState& t = tr.t;
    rule1_ = ReadGroupRule(t.WordList[1]);
    const PlaceholderRule rule = ReadPlaceholder(t.WordList[2]);
    Placeholder = rule.Placeholder;
    BothWays = rule.BothWays;
    shownLine2_ = rule.shown;
    GroupCount = 0;
    SetColor(d, colour::Cyan);
    SetTextStyle(d, kRuleFont, 0, 4);
    int x = 10;
    for (size_t i = 0; i < rule1_.size(); ++i) {
        const RulePiece& piece = rule1_[i];
        // The blanks between two groups give way to the ", " before the
        // second, so the line reads "Aus a, e, ie".
        const bool between = i > 0 && i + 1 < rule1_.size() && rule1_[i - 1].group &&
                             rule1_[i + 1].group && IsBlanks(piece);
        if (between) continue;
        if (piece.group) {
            if (GroupCount > 0) {
                OutTextXY(d, x, 20, ",");
                x += TextWidth640(d, ", ");
            }
            Groups[static_cast<size_t>(GroupCount++)] = piece.text;
        }
        OutTextXY(d, x, 20, piece.text);
        x += TextWidth640(d, piece.text);
    }
    OutTextXY(d, 10, 196, shownLine2_);
}

void umwandmonitor::TooFewWords() {
    SetTextStyle(d, 0, 0, 2);
    SetColor(d, colour::LightYellow);
    OutTextXY(d, 50, 366, "Die Liste hat zu wenige W\x94rter.");
    EmptyKeyBuffer(tr);
    ReadKey(d);
    tr.t.LastKey = keycode::Esc;
}

void umwandmonitor::Message(int x, const std::string& text) {
    SetTextStyle(d, 0, 0, 2);
    SetColor(d, colour::White);
    OutTextXY(d, x, 366, text);
}

void umwandmonitor::ShowFace(Mood mood, bool playerOne) {
    const Picture& face =
        Pictures[static_cast<size_t>(kFaceSlot - 1 + FaceNumber(playerOne, mood))];
    if (face) PutImage(d, playerOne ? kFaceX1 : kFaceX2, kFaceY, face);
}

void umwandmonitor::RedrawAnswer() {
    SetFillStyle(d, fillstyle::Solid, colour::Teal);
    Bar(d, 0, 240, 639, 360);
    SetSize(tr, TaskTextSize);
    SetColor(d, colour::White);
    const int y = TypingY(TaskTextSize);
    int x = kAnswerX;
    const std::string shown = (tr.t.opt.OptArtikel ? "" : answerArticle_) + tr.players.AnswerText;
    for (char c : shown) {
        const std::string letter(1, c);
        OutTextXY(d, x, y, letter);
        x += TextWidth640(d, letter);
    }
    tr.players.AnswerX = x;
}

// ---- One task ----------------------------------------------------------------------------

void umwandmonitor::ClearTask() {
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, RuleX, 190, 639, 230);
    SetFillStyle(d, fillstyle::Solid, colour::Purple);
    Bar(d, 0, 363, 639, 383);
    SetFillStyle(d, fillstyle::Solid, colour::Teal);
    Bar(d, 0, 60, 639, 180);
    Bar(d, 0, 240, 639, 360);
}

void umwandmonitor::BuildTask() {
    const TrainerState& t = tr.t;
    const std::string& line = t.WordList[static_cast<size_t>(WordNo)];
    TaskText task;
    if (Repairing()) {
        task =
            RepairTask(line, std::span(Groups.data(), static_cast<size_t>(GroupCount)),
                       {true, Placeholder, BothWays, ""}, [this](int n) { return Random(tr, n); });
        Article2 = task.article;
    } else {
        const ConvertLine pieces = SplitConvertLine(line).value_or(ConvertLine{});
        Article1 = pieces.Article1;
        Word1 = pieces.Word1;
        Article2 = pieces.Article2;
        Word2 = pieces.Word2;
        int direction = t.UmwandelnDirection;
        if (direction == 3) direction = Random(tr, 2) + 1;
        task = ConvertTask(pieces, direction);
    }
    task_ = task.task;
    answerArticle_ = task.article;
    answerWord_ = task.word;
    Answer = t.opt.OptArtikel ? answerArticle_ + answerWord_ : answerWord_;
}

void umwandmonitor::ShowTask() {
    const std::string full = answerArticle_ + answerWord_;
    FitText = task_.size() >= full.size() ? task_ : full;
    if (!Article2.empty()) FitText += "das";
    TaskTextSize = FittingTextSize([this](int size) {
        SetSize(tr, size);
        return TextWidth640(d, FitText);
    });
    SetSize(tr, TaskTextSize);
    SetColor(d, colour::LightYellow);
    OutTextXY(d, kAnswerX, TaskY(TaskTextSize), task_);
}

// With the articles to be typed, the message line says so first; else the
// article stands already in the answer band.
void umwandmonitor::PrepareAnswer() {
    PlayersState& p = tr.players;
    p.AnswerX = kAnswerX;
    if (!tr.t.opt.OptArtikel) {
        RedrawAnswer();
        return;
    }
    if (answerArticle_.empty()) return;
    if (!IsCommonArticle(answerArticle_)) {
        Message(160, ArticleMessage(answerArticle_));
        SetTextStyle(d, 0, 0, 4);
        OutTextXY(d, RuleX + 10, 196, answerArticle_);
    } else if (p.TaskCount == 1) {
        Message(120, ArticleMessage(answerArticle_));
        SetSmallText(tr);
        SetColor(d, colour::Grey);
        OutTextXY(d, 360, 368, "Oder in den Optionen \"Artikel = aus\" aktivieren.");
    } else {
        Message(160, ArticleMessage(answerArticle_));
    }
}

void umwandmonitor::ShowPlayers() {
    const PlayersState& p = tr.players;
    ShowFace(Mood::Neutral, true);
    if (p.PlayerCount != 2) return;
    ShowFace(Mood::Neutral, false);
    SetTextStyle(d, 0, 0, 2);
    SetColor(d, colour::LightYellow);
    if (p.Player1Turn) OutTextXY(d, 50, 366, p.PlayerName1);
    else OutTextXY(d, 510, 366, p.PlayerName2);
}

void umwandmonitor::DrawCursor(const char* mark) {
    const int x = tr.players.AnswerX;
    const int y = CursorY(TaskTextSize);
    SetTextStyle(d, 0, 0, 3);
    SetFillStyle(d, fillstyle::Solid, colour::Teal);
    Bar(d, x + 6, y, x + 44, y + 24);
    SetColor(d, colour::White);
    OutTextXY(d, x + 6, y, mark);
    OutTextXY(d, x + 20, y, mark);
}

void umwandmonitor::EraseCursor() {
    const int x = tr.players.AnswerX;
    const int y = CursorY(TaskTextSize);
    SetFillStyle(d, fillstyle::Solid, colour::Teal);
    Bar(d, x + 6, y, x + 44, y + 24);
}

// "<<" and ">>" in turn, each about a second, until a key is waiting.
void umwandmonitor::WaitWithCursor() {
    bool open = true;
    while (!KeyPressed(d)) {
        DrawCursor(open ? "<" : ">");
        for (int i = 0; i < 50 && !KeyPressed(d); ++i) Delay(d, 20);
        open = !open;
    }
    EraseCursor();
}

void umwandmonitor::TypeLetter(char letter, bool protocol) {
    PlayersState& p = tr.players;
    if (protocol) {
        const std::string entry = ProtocolOfLetter(Answer, tr.players.AnswerText.size(), letter);
        AppendProtocol(tr, entry);
        keys_ += entry;
    }
    const bool right = tr.players.AnswerText.size() < Answer.size() &&
                       Answer[tr.players.AnswerText.size()] == letter;
    tr.players.AnswerText += letter;
    const std::string text(1, letter);
    SetSize(tr, TaskTextSize);
    SetColor(d, colour::White);
    OutTextXY(d, p.AnswerX, TypingY(TaskTextSize), text);
    p.AnswerX += TextWidth640(d, text);
    if (TonesOn(tr)) PlayWav(d, "wavs\\tippton.wav");
    if (MistakeShown && right) {
        ShowFace(Mood::Neutral, p.Player1Turn);
        MistakeShown = false;
    }
    if (tr.players.AnswerText.size() == Answer.size() && tr.players.AnswerText != Answer) {
        ++mistakes_;
        ShowFace(Mood::Sad, p.Player1Turn);
        MistakeShown = true;
    }
}

void umwandmonitor::TakeBackLetter() {
    tr.players.AnswerText.pop_back();
    RedrawAnswer();
    StopSound(d);
    if (TonesOn(tr)) PlayWav(d, "wavs\\zerlegen.wav");
    FirstHelp();
}

void umwandmonitor::GiveHint() {
    HintText = HintFor(Answer, tr.players.AnswerText);
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, RuleX, 190, 639, 230);
    SetTextStyle(d, 0, 0, 4);
    SetColor(d, colour::White);
    OutTextXY(d, RuleX + 10, 196, HintText);
    FirstHelp();
}

// The first help of a task counts as a mistake and saddens the face.
void umwandmonitor::FirstHelp() {
    if (helped_) return;
    helped_ = true;
    ++mistakes_;
    ShowFace(Mood::Sad, tr.players.Player1Turn);
    MistakeShown = true;
}

// False when ESC ended the game before the answer was complete.
bool umwandmonitor::TypeAnswer() {
    while (tr.players.AnswerText != Answer) {
        WaitWithCursor();
        const char key = HandleKey();
        if (key == keycode::Esc) return false;
        if (key == keycode::Return) {
            AppendProtocol(tr, ">");
            keys_ += ">";
            if (tr.players.AnswerText.empty()) TypeLetter(Answer.front(), false);
            else GiveHint();
        } else if (key == keycode::Backspace) {
            if (!tr.players.AnswerText.empty()) TakeBackLetter();
        } else if (IsAnswerLetter(key) && tr.players.AnswerText.size() < Answer.size()) {
            TypeLetter(key, true);
        }
    }
    return true;
}

bool umwandmonitor::PlayTask() {
    PlayersState& p = tr.players;
    ClearTask();
    ++p.TaskCount;
    mistakes_ = 0;
    helped_ = false;
    MistakeShown = false;
    tr.players.AnswerText.clear();
    keys_.clear();
    if (p.PlayerCount == 1 && tr.t.ProtocolCount < kProtocolSize)
        tr.t.ProtocolLines[static_cast<size_t>(tr.t.ProtocolCount + 1)].clear();
    WordNo = ChooseTaskLine(
        p, sequence_, tr.t.WordCount, [this](int n) { return Random(tr, n); },
        [this](int line) { return Usable(line); });
    if (WordNo == 0) return false;
    BuildTask();
    ShowTask();
    PrepareAnswer();
    ShowPlayers();
    if (!TypeAnswer()) {
        --p.TaskCount;
        return false;
    }
    Solved();
    WaitAfterTask();
    if (tr.t.LastKey == keycode::Esc) return false;
    if (p.PlayerCount == 2) p.Player1Turn = !p.Player1Turn;
    return true;
}

void umwandmonitor::Solved() {
    PlayersState& p = tr.players;
    TrainerState& t = tr.t;
    const bool hadMistakes = mistakes_ > 0;
    if (!hadMistakes) ++(p.Player1Turn ? Score1 : Score2);
    if (p.PlayerCount == 1 && t.ProtocolCount < kProtocolSize) {
        const std::string& wordLine = t.WordList[static_cast<size_t>(WordNo)];
        t.ProtocolLines[static_cast<size_t>(t.ProtocolCount + 1)] =
            ProtocolResult(wordLine, keys_, Answer).substr(wordLine.size());
        CloseProtocolLine(tr, wordLine);
    }
    EnterResult(tr, WordNo, hadMistakes);
    if (hadMistakes) {
        // A repeated word leaves CurrentWordNo at the word it interrupted.
        const int current = p.CurrentWordNo;
        p.CurrentWordNo = WordNo;
        RememberMistake(tr);
        p.CurrentWordNo = current;
    }
    ShowFace(Mood::Pleased, p.Player1Turn);
    if (p.PlayerCount == 2) ShowScores();
}

void umwandmonitor::ShowScores() {
    SetTextStyle(d, 0, 0, 3);
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, 150, 450, 500, 478);
    SetColor(d, colour::LightYellow);
    OutTextXY(d, 160, 460, std::to_string(Score1));
    OutTextXY(d, 460, 460, std::to_string(Score2));
}

// A row of ">" runs along the top of the answer band until a key.
void umwandmonitor::WaitAfterTask() {
    EmptyKeyBuffer(tr);
    SetSmallText(tr);
    SetColor(d, colour::White);
    for (int n = 0; !KeyPressed(d); n = (n + 1) % 64) {
        if (n == 0) {
            SetFillStyle(d, fillstyle::Solid, colour::Teal);
            Bar(d, 0, 241, 639, 252);
        }
        OutTextXY(d, 10 * n, 244, ">");
        for (int i = 0; i < 10 && !KeyPressed(d); ++i) Delay(d, 20);
    }
    HandleKey();
}

// ---- The end ------------------------------------------------------------------------------

void umwandmonitor::EndScreen() {
    const PlayersState& p = tr.players;
    SetFillStyle(d, fillstyle::Solid, colour::Purple);
    Bar(d, 0, 363, 639, 383);
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, kFaceX1 + kFaceW, 384, kFaceX2 - 1, 479);
    SetTextStyle(d, 0, 0, 2);
    SetColor(d, colour::LightYellow);
    if (p.PlayerCount == 2) {
        OutTextXY(d, 50, 366, p.PlayerName1);
        OutTextXY(d, 510, 366, p.PlayerName2);
        SetTextStyle(d, 0, 0, 3);
        OutTextXY(d, 150, 400, "Gold dem Gewinner.");
        OutTextXY(d, 150, 430,
                  Score1 == Score2 ? "Beide waren gleich gut." : "Dank an den Verlierer.");
        ShowFace(Score1 >= Score2 ? Mood::Pleased : Mood::Sad, true);
        ShowFace(Score2 >= Score1 ? Mood::Pleased : Mood::Sad, false);
    } else {
        SetTextStyle(d, 0, 0, 3);
        OutTextXY(d, 160, 390, std::to_string(p.TaskCount) + " Aufgaben.");
        OutTextXY(d, 160, 420, std::to_string(Score1) + " davon richtig.");
        OutTextXY(d, 192, 450, Verdict(Score1, p.TaskCount));
        ShowFace(Mood::Pleased, true);
    }
    EmptyKeyBuffer(tr);
    ReadKey(d);
    tr.t.LastKey = keycode::Esc;
}

void umwandmonitor::Run() {
    PlayersState& p = tr.players;
    SetBkColor(d, colour::Purple);
    SetFillStyle(d, fillstyle::Solid, colour::Navy);
    Bar(d, 0, 0, 639, 479);
    if (StartGame(tr)) {
        if (UsableLines() < kMinTaskLines) {
            TooFewWords();
        } else {
            DrawScreen();
            DrawRules();
            sequence_ = StartWordSequence(tr, kFirstTaskLine);
            p.Player1Turn = true;
            while (PlayTask() && !(p.TaskCount >= kLastTaskToStart && p.Player1Turn)) {}
            if (p.TaskCount > 1) EndScreen();
        }
    }
    EndGame(tr);
}

void RunConvert(Trainer& tr) { LaunchExercise<umwandmonitor>(tr); }

}  // namespace qs
