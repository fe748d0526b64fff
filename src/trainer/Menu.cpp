#include "trainer/Menu.h"

#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextFile.h"
#include "screen/TextScreen.h"
#include "screen/mouse/Mouse.h"
#include "trainer/Results.h"
#include "trainer/TitleScreen.h"

namespace qs {

namespace {

// Box pieces in code page 437.
const std::string kVertical = "\xb3";
const std::string kLight = "\xb0";
const std::string kMedium = "\xb2";

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

void Colours(Dos& d, int text, int background) {
    TextColor(d, text);
    TextBackground(d, background);
}

// The box of the teacher protocol over the right half of the menu screen,
// with the outcome of the write on its fifth line.
void ShowProtocolBox(Dos& d, bool written) {
    const std::string top = "\xda" + Repeat("\xcd", 27) + "\xbf";
    const std::string bottom = "\xc0" + Repeat("\xcd", 27) + "\xd9";
    ShadowCells(d, 43, 16, 73, 21, 8);
    Colours(d, 0, 7);
    Window(d, 42, 15, 73, 21);
    WriteLn(d, " " + top + " ");
    WriteLn(d, " \xb3 Lehrerprotokoll jetzt mit \xb3 ");
    WriteLn(d, " \xb3 F9 ausdruckbar.           \xb3 ");
    WriteLn(d, " \xb3 LEHRER.TXT gespeichert in \xb3 ");
    WriteLn(d, " \xb3                           \xb3 ");
    WriteLn(d, " " + bottom + " ");
    GotoXY(d, 4, 5);
    WriteLn(d, written ? "ls1dat\\" : "Fehler beim speichern!");
}

}  // namespace

void ShowMainMenu(Trainer& tr) {
    Dos& d = tr.d;
    tr.t.LastKey = ' ';
    ShowTitleScreen(d);
    TextColor(d, 14);
    Window(d, 2, 3, 39, 22);
    TextBackground(d, 4);
    Write(d, " \xda" + Repeat("\xc4", 7) + "  Programm-Auswahl " + Repeat("\xc4", 7) + "\xbf ");
    DrawMenuBox(d);
    DrawMenuEntries(tr);
}

void DrawMenuBox(Dos& d) {
    Colours(d, 7, 0);
    Write(d, kMedium);
    for (int row = 0; row < 16; ++row) {
        Colours(d, 14, 4);
        Write(d, " " + kVertical);
        TextBackground(d, 1);
        Write(d, std::string(33, ' '));
        TextBackground(d, 4);
        Write(d, kVertical + " ");
        Colours(d, 7, 0);
        Write(d, kLight);
    }
    CursorOff(d);
    Colours(d, 14, 4);
    Write(d, " \xc0" + Repeat("\xc4", 33) + "\xd9 ");
    Colours(d, 7, 0);
    Write(d, kLight + kMedium + Repeat(kLight, 37));
}

void DrawMenuEntries(Trainer& tr) {
    Dos& d = tr.d;
    for (const Program& p : tr.programs) {
        if (No(p.entry) == tr.t.ProgramNo) Colours(d, 0, 7);
        else Colours(d, 14, 1);
        GotoXY(d, 6, p.menuRow);
        Write(d, p.menuText);
    }
}

void ClearRightHalf(Dos& d) {
    Window(d, 1, 1, 80, 25);
    Colours(d, 7, 0);
    for (int row = 2; row <= 22; ++row) {
        GotoXY(d, 41, row);
        Write(d, Repeat(kMedium, 38));
    }
    GotoXY(d, 74, 23);
    Write(d, Repeat(kMedium, 6));
    Window(d, 2, 3, 39, 21);
}

void AskSure(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    Write(d, " \xb3 Sind Sie sicher?      ");
    TextBackground(d, 0);
    Write(d, "Ja");
    TextBackground(d, 4);
    Write(d, "    ");
    TextBackground(d, 0);
    Write(d, "Nein");
    TextBackground(d, 4);
    Write(d, "  \xb3 ");
    Write(d, " \xc0" + Repeat("\xcd", 35) + "\xd9 ");
    CursorOn(d);
    GotoXY(d, 26, 3);
    t.AnswerNo = false;
    PushMouseTexts(d, "", "frage.mtb");
    for (;;) {
        t.LastKey = static_cast<char>(ReadKey(d));
        const char key = t.LastKey;
        if (d.keys.ExtendedKey) {
            if (key == keycode::Left) {
                t.AnswerNo = false;
                GotoXY(d, 26, 3);
            } else if (key == keycode::Right) {
                t.AnswerNo = true;
                GotoXY(d, 32, 3);
            } else if (key == keycode::F9 && IsRunning(t, FileProgram::QuitQuestion)) {
                PrintTeacherProtocol(tr);
            }
        }
        if (key == 'j') t.AnswerNo = false;
        if (key == 'n' || key == keycode::Esc) t.AnswerNo = true;
        if (key == keycode::Return || key == 'j' || key == 'n' || key == keycode::Esc) break;
    }
    PopMouseTexts(d);
    CursorOff(d);
}

bool WriteTeacherProtocol(Trainer& tr) {
    try {
        TextFile f(tr.d.platform.Files());
        f.Assign(tr.t.ProgramDir + "LS1DAT\\LEHRER.TXT");
        f.Rewrite();
        for (int i = 1; i <= tr.t.ProtocolCount && i <= kProtocolSize; ++i)
            WriteLnToFile(f, tr.t.ProtocolLines[static_cast<size_t>(i)]);
        f.Close();
        return true;
    } catch (const DosIoError&) {
        return false;
    }
}

void QuitQuestion(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    if (t.ProtocolCount > 2) ShowProtocolBox(d, WriteTeacherProtocol(tr));
    // F9 prints the protocol while the question is open, however short it
    // is; only LEHRER.TXT and its box wait for a protocol of some length.
    t.ProgramNo = No(FileProgram::QuitQuestion);
    t.MenuKey = '%';
    ShadowCells(d, 22, 11, 60, 14, 4);
    Colours(d, 15, 4);
    Window(d, 21, 10, 59, 15);
    Write(d, " \xda" + Repeat("\xcd", 35) + "\xbf ");
    Write(d, " \xb3 Programm wirklich beenden ?       \xb3 ");
    AskSure(tr);
    t.ProgramNo = No(MenuEntry::Wortvergleich);
    if (t.AnswerNo) {
        ShowMainMenu(tr);
    } else {
        t.MenuKey = keycode::Esc;
    }
}

}  // namespace qs
