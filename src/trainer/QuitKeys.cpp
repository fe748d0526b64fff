#include "trainer/QuitKeys.h"

#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/graph/Graph.h"

namespace qs {

namespace {

constexpr int kTextX = 110;
constexpr int kTextY = 237;
constexpr int kHighlightColour = colour::Yellow;
constexpr uint64_t kBlinkMicros = 1'000'000;

// The exercises on a dark blue screen get a navy box, the others an
// orange one.
bool NavyBox(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    if (!p) return false;
    switch (p->quitBox) {
        case QuitBox::Orange: return false;
        case QuitBox::Navy: return true;
        case QuitBox::NavyForRace: return tr.t.opt.OptEndungen == 1;
    }
    return false;
}

void DrawQuestion(Dos& d, bool highlightNo) {
    Rect rect;
    if (highlightNo)
        OutTextXYHighlight(d, kTextX, kTextY, "Jetzt schon beenden?  j/", rect, kHighlightColour,
                           "", "n");
    else
        OutTextXYHighlight(d, kTextX, kTextY, "Jetzt schon beenden?  ", rect, kHighlightColour,
                           "/n", "j");
}

// Blinks the answers until j or n (or ESC, meaning n) is typed.
char WaitForAnswer(Dos& d) {
    Platform& p = d.platform;
    bool highlightNo = true;
    uint64_t nextBlink = p.NowMicros();
    for (;;) {
        if (p.NowMicros() >= nextBlink) {
            DrawQuestion(d, highlightNo);
            highlightNo = !highlightNo;
            nextBlink = p.NowMicros() + kBlinkMicros;
        }
        while (KeyPressed(d)) {
            const char key = static_cast<char>(ReadKey(d));
            if (key == 'j' || key == 'J') return keycode::Esc;
            if (key == 'n' || key == 'N' || key == keycode::Esc) return 0;
        }
        Delay(d, 50);
    }
}

}  // namespace

void ReadKeyOrQuit(Trainer& tr) {
    Dos& d = tr.d;
    tr.t.LastKey = static_cast<char>(ReadKey(d));
    if (d.keys.ExtendedKey && tr.t.LastKey == keycode::F1) tr.t.LastKey = keycode::Esc;
    if (tr.t.LastKey == keycode::Esc) AskQuitNow(tr);
}

void AskQuitNow(Trainer& tr) {
    Dos& d = tr.d;
    GraphState& g = d.graph;
    Picture under;
    NewPictureForRect(d, 80, 230, 570, 266, under);
    GetImage(d, 70, 220, 570, 266, under);
    const int fillPattern = g.FillPattern;
    const int fillIndex = g.FillIndex;
    const FontRequest font = d.screen.WindowFont;
    const int fontNo = g.FontNo;
    const int direction = g.Direction;

    const bool navy = NavyBox(tr);
    SetFillStyle(d, fillstyle::Solid, navy ? colour::Navy : colour::Orange);
    SetColor(d, navy ? colour::White : colour::Navy);
    Bar(d, 80, 230, 560, 265);
    Rectangle(d, 80, 230, 560, 265);
    SetTextStyle(d, 0, 0, 3);
    OutTextXY(d, kTextX, kTextY, "Jetzt schon beenden?  j/n");

    tr.t.LastKey = WaitForAnswer(d);

    PutImage(d, 70, 220, under);
    FreePicture(under);
    SetFillStyle(d, fillPattern, fillIndex);
    d.screen.WindowFont = font;
    g.FontNo = fontNo;
    g.Direction = direction;
    if (const Program* p = RunningProgram(tr); p && p->quitBoxPenAfter >= 0)
        SetColor(d, p->quitBoxPenAfter);
}

}  // namespace qs
