#include "trainer/QuitKeys.h"

#include "screen/Keyboard.h"
#include "screen/graph/Graph.h"

namespace qs {

namespace {

constexpr char kEscape = 27;
constexpr int kTextX = 110;
constexpr int kTextY = 237;
constexpr int kHighlightColour = 6;
constexpr uint64_t kBlinkMicros = 1'000'000;

// The exercises on a dark blue screen get a blue box, the others a red one.
bool BlueBox(const Trainer& tr) {
    const int p = tr.t.ProgramNo;
    return p == 2 || p == 8 || (p == 3 && tr.t.opt.OptEndungen == 1);
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
            if (key == 'j' || key == 'J') return kEscape;
            if (key == 'n' || key == 'N' || key == kEscape) return 0;
        }
        Delay(d, 50);
    }
}

}  // namespace

void ReadKeyOrQuit(Trainer& tr) {
    Dos& d = tr.d;
    tr.t.LastKey = static_cast<char>(ReadKey(d));
    if (d.keys.ExtendedKey && tr.t.LastKey == ';') tr.t.LastKey = kEscape;
    if (tr.t.LastKey == kEscape) AskQuitNow(tr);
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

    const bool blue = BlueBox(tr);
    SetFillStyle(d, 1, blue ? 1 : 12);
    SetColor(d, blue ? 15 : 1);
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
    if (tr.t.ProgramNo == 4) SetColor(d, 14);
}

}  // namespace qs
