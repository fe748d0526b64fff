#include "trainer/TitleScreen.h"

#include "screen/TextScreen.h"

namespace qs {

namespace {

std::string Padded(std::string s, size_t width) {
    s.resize(width, ' ');
    return s;
}

}  // namespace

std::string VersionField() { return Padded("  5.8  (2025-2026)", 29); }

// "für" with code page 437's ü (0x81).
std::string ImprintLine() {
    return Padded("  Quendelstrand-Lernwerkstatt  -  W\x94rter bauen f\x81r Kinder der Grundschule",
                  80);
}

void ShowTitleScreen(Dos& d) {
    Window(d, 1, 1, 80, 25);
    TextBackground(d, 0);
    TextColor(d, 7);
    ClrScr(d);
    const std::string shade(80, '\xb2');
    for (int row = 0; row < 25; ++row) Write(d, shade);
    TextColor(d, 10);
    Write(d, ImprintLine());
    GotoXY(d, 1, 1);
    TextColor(d, 0);
    TextBackground(d, 3);
    Write(d, "  Programm:  ");
    TextColor(d, 15);
    Write(d, "Quendel");
    TextColor(d, 0);
    Write(d, "strand");
    TextColor(d, 4);
    Write(d, VersionField());
    TextColor(d, 0);
    Write(d, "O = Optionen  ESC = Ende ");
}

}  // namespace qs
