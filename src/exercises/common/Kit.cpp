#include "exercises/common/Kit.h"

#include <algorithm>

#include "exercises/common/Players.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "trainer/Programs.h"
#include "trainer/QuitKeys.h"

namespace qs {

namespace {

// OptTon: 0 " ein ", 1 " Tippton ", 2 " aus ".
constexpr int kSoundOn = 0;
constexpr int kSoundOff = 2;
// OptMaus 2 is " ein ".
constexpr int kMouseOn = 2;

}  // namespace

bool StartGame(Trainer& tr) {
    tr.players.TaskCount = 0;
    tr.players.PlayerCount = 1;
    AskPlayerCount(tr);
    if (tr.t.LastKey == keycode::Esc) return false;
    AskPlayerNames(tr);
    return tr.t.LastKey != keycode::Esc;
}

void Farewell(Trainer& tr, const std::function<void()>& dance) {
    while (!KeyPressed(tr.d)) dance();
    EmptyKeyBuffer(tr);
    tr.t.LastKey = keycode::Esc;
}

void EndGame(Trainer& tr) { ClearDefaultNames(tr); }

void EmptyKeyBuffer(Trainer& tr) { tr.d.keys.KeyBuffer.clear(); }

void ShowListUnplayable(Trainer& tr, const std::string& why) {
    Dos& d = tr.d;
    SetTextJustify(d, 0, 2);
    SetColor(d, colour::LightYellow);
    OutTextXY(d, 40, 100, why);
    SetColor(d, colour::Grey);
    OutTextXY(d, 40, 160, "Weiter mit einer Taste.");
    while (!KeyPressed(d) && !(MouseOn(tr) && TakeClick(d) != 0)) {
        Delay(d, 20);
        NoteWaitingForInput(d);
    }
    EmptyKeyBuffer(tr);
    tr.t.LastKey = keycode::Esc;
}

void WaitForKeyOrClick(Trainer& tr) {
    Dos& d = tr.d;
    TakeClick(d);
    for (;;) {
        if (KeyPressed(d)) {
            ReadKeyOrQuit(tr);
            return;
        }
        if (MouseOn(tr) && (TakeClick(d) != 0 || MouseButtons(d) != 0)) return;
        Delay(d, 20);
    }
}

bool SoundOn(const Trainer& tr) { return tr.t.opt.OptTon == kSoundOn; }

bool TonesOn(const Trainer& tr) { return tr.t.opt.OptTon < kSoundOff; }

void SuccessSound(Trainer& tr) {
    StopSound(tr.d);
    const bool site = IsRunning(tr.t, FileProgram::Baustelle);
    PlayWav(tr.d, site ? "wavs\\baustelleok.wav" : "wavs\\schwellen.wav");
}

void SetSize(Trainer& tr, int n) { SetTextStyle(tr.d, tr.t.opt.GraphFont, 0, n); }

void SetSizeReal(Trainer& tr, double n) { SetTextStyleReal(tr.d, tr.t.opt.GraphFont, 0, n); }

void SetSmallText(Trainer& tr) { SetTextStyle(tr.d, 0, 0, 1); }

void ClearText(Trainer& tr, int x, int y, std::string_view s, bool thick) {
    const Rect ink = TextInkRect(tr.d, x, y, s, thick);
    if (!ink.Empty()) Bar(tr.d, ink.left, ink.top, ink.right - 1, ink.bottom - 1);
}

void BarCovering(Trainer& tr, int x1, int y1, int x2, int y2, const Rect& also) {
    const Rect r =
        Rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1}.Union(
            also);
    Bar(tr.d, r.left, r.top, r.right - 1, r.bottom - 1);
}

SavedArea SaveArea(Trainer& tr, const Rect& area) {
    SavedArea saved{nullptr, area.left, area.top};
    if (!area.Empty())
        GetImage(tr.d, area.left, area.top, area.right - 1, area.bottom - 1, saved.picture);
    return saved;
}

void RestoreArea(Trainer& tr, const SavedArea& saved) {
    Dos& d = tr.d;
    const int mode = d.graph.WriteMode;
    SetWriteMode(d, 0);  // the piece goes back as it was, never XORed
    PutImage(d, saved.x, saved.y, saved.picture);
    SetWriteMode(d, mode);
}

bool MouseOn(const Trainer& tr) { return tr.t.opt.OptMaus == kMouseOn; }

bool PointerIn(Trainer& tr, int x1, int y1, int x2, int y2) {
    int x = 0, y = 0;
    GetMouseState(tr.d, x, y);
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

bool Tick(Trainer& tr) {
    Dos& d = tr.d;
    for (int i = 0; i < 20; ++i) {
        Delay(d, 20);
        if (KeyPressed(d) || MouseButtons(d) != 0 || d.mouse.LastClick != 0) break;
    }
    if (TakeClick(d) != 0) return true;
    // The game's waiting loop waits for the player.
    NoteWaitingForInput(d);
    return false;
}

void EnterResult(Trainer& tr, int lineNo, bool hadMistakes) {
    TrainerState& t = tr.t;
    if (t.ResultCount >= kResultsSize) return;
    ++t.ResultCount;
    t.Results[static_cast<size_t>(t.ResultCount)] = lineNo + (hadMistakes ? kMistakeMark : 0);
}

bool CloseProtocolLine(Trainer& tr, std::string_view head) {
    TrainerState& t = tr.t;
    if (tr.players.PlayerCount != 1 || t.ProtocolCount >= kProtocolSize) return false;
    ++t.ProtocolCount;
    std::string& line = t.ProtocolLines[static_cast<size_t>(t.ProtocolCount)];
    line.insert(0, head);
    return true;
}

}  // namespace qs
