#include "trainer/OptionsScreen.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>

#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/mouse/Mouse.h"
#include "trainer/Menu.h"

namespace qs {

namespace {

constexpr int kValueColumn = 13;
constexpr int kSelectedLabelColour = 132;  // red, blinking

using Painter = void (*)(Trainer&);

struct OptionRow {
    int screenRow;
    const char* label;
    Painter paint;
};

const std::array<OptionRow, kOptionRows + 1> kRows{{
    {0, "", nullptr},
    {2, "Maus", DrawOptMaus},
    {3, "Trennung", DrawOptTrennung},
    {4, "Wortwahl", DrawOptWortwahl},
    {5, "Artikel", DrawOptArtikel},
    {6, "Ton", DrawOptTon},
    {8, "Endungen", DrawOptEndungen},
    {9, "Wortvergl.", DrawOptWortvergl},
    {10, "Wortvergl.", DrawOptSauri},
    {11, "Zerlegen", DrawOptZerlegen},
    {12, "Zerlegen", DrawOptZerlegenArt},
    {13, "Baustelle", DrawOptBaustelle},
    {14, "Bausteine", DrawOptBausteine},
    {15, "Greifen", DrawOptGreifen},
    {16, "Greifteile", DrawOptGreifteile},
    {18, "wiederhole", DrawOptWiederhole},
}};

// The order in which the screen is first painted.
constexpr std::array<int, kOptionRows> kPaintOrder{1, 2,  3,  4,  5,  6,  7, 8,
                                                   9, 10, 11, 13, 14, 15, 12};

constexpr int kWortwahlRow = 3;

// One value text: highlighted when it shows the current value.
struct Piece {
    const char* text;
    bool current;
};

void PaintRow(Trainer& tr, int optionRow, std::initializer_list<Piece> pieces) {
    Dos& d = tr.d;
    GotoXY(d, kValueColumn, kRows[static_cast<size_t>(optionRow)].screenRow);
    for (const Piece& p : pieces) {
        TextColor(d, p.current ? 15 : 0);
        TextBackground(d, p.current ? 2 : 7);
        Write(d, p.text);
    }
    TextColor(d, 0);
    TextBackground(d, 7);
}

// A text that never shows a value.
Piece Plain(const char* text) { return {text, false}; }

std::string LabelOf(const Trainer& tr, int optionRow) {
    if (optionRow == kWortwahlRow && tr.t.WortwahlRelabelled) return "Wortfolge";
    return kRows[static_cast<size_t>(optionRow)].label;
}

void WriteLabel(Trainer& tr, int optionRow, int colour) {
    Dos& d = tr.d;
    TextBackground(d, 7);
    TextColor(d, colour);
    GotoXY(d, 2, kRows[static_cast<size_t>(optionRow)].screenRow);
    Write(d, LabelOf(tr, optionRow));
    TextColor(d, 0);
}

void DrawFrame(Dos& d) {
    Window(d, 41, 2, 78, 24);
    TextBackground(d, 7);
    TextColor(d, 0);
    Write(d,
          "\xda\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc2\xc4\xc4\xc4\xc4\xc4\xc4"
          "Optionen\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xbf");
    GotoXY(d, 1, 2);
    for (int i = 0; i < 19; ++i) {
        TextBackground(d, 7);
        Write(d, "\xb3          \xb3                        \xb3");
        TextBackground(d, 0);
        TextColor(d, 7);
        Write(d, "\xb0");
        TextColor(d, 0);
    }
    TextBackground(d, 7);
    Write(d, "\xc0\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc4\xc1" + std::string(24, '\xc4') + "\xd9");
    TextBackground(d, 0);
    TextColor(d, 7);
    Write(d, "\xb0");
    GotoXY(d, 34, 22);
    Write(d, "\xb0\xb0\xb0\xb0\xb0");
}

// --- Value changes ----------------------------------------------------------

void StepUp(int& v, int highest) {
    if (v < highest) ++v;
}

void StepDown(int& v) {
    if (v > 0) --v;
}

// A row of values 0..highest: a click on a value text, Left and Right.
void ChangeStepped(Trainer& tr, int& v, int highest, char key) {
    TakeMouseChoice(tr.d, v, 0, highest);
    if (key == keycode::Right) StepUp(v, highest);
    if (key == keycode::Left) StepDown(v);
}

// A row of two values: Left gives 0, Right 1.
void ChangeTwoWay(int& v, char key) {
    if (key == keycode::Left) v = 0;
    if (key == keycode::Right) v = 1;
}

void ChangeBaustelle(Trainer& tr, int& v, char key) {
    int n = 0;
    if (TakeMouseChoice(tr.d, n, 0, 2)) v = 2 * n + 1;
    if (key == keycode::Left && (v == 5 || v == 3)) v -= 2;
    if (key == keycode::Right) {
        if (v == 0) v = 3;
        else if (v == 1 || v == 3) v += 2;
    }
}

// An extended key (or click) on the selected row.
void ChangeValue(Trainer& tr, int optionRow, char key) {
    Options& o = tr.t.opt;
    const bool mouse = o.OptMaus > 0;
    switch (optionRow) {
        case 1:
            if (mouse && key == keycode::Left) o.OptMaus = 1;
            if (mouse && key == keycode::Right) o.OptMaus = 2;
            break;
        case 2: ChangeStepped(tr, o.OptTrennung, 3, key); break;
        case 3:
            if (key == keycode::Right && o.OptWortwahl == 0) o.OptWortwahl = 1;
            if (key == keycode::Left && o.OptWortwahl == 1) o.OptWortwahl = 0;
            break;
        case 4:
            if (key == keycode::Right) o.OptArtikel = false;
            if (key == keycode::Left) o.OptArtikel = true;
            break;
        case 5: ChangeStepped(tr, o.OptTon, 2, key); break;
        case 6: ChangeTwoWay(o.OptEndungen, key); break;
        case 7: ChangeTwoWay(o.OptWortvergl, key); break;
        case 8: ChangeTwoWay(o.OptSauri, key); break;
        case 9: ChangeTwoWay(o.OptZerlegen, key); break;
        case 10: ChangeStepped(tr, o.OptZerlegenArt, 2, key); break;
        case 11: ChangeBaustelle(tr, o.OptBaustelle, key); break;
        case 12:
            TakeMouseChoice(tr.d, o.OptBausteine, 0, 1);
            if (key == keycode::Right) o.OptBausteine = 1;
            if (key == keycode::Left && o.OptBausteine == 1) o.OptBausteine = 0;
            break;
        case 13: ChangeStepped(tr, o.OptGreifen, 2, key); break;
        case 14:
            if (mouse) ChangeTwoWay(o.OptGreifteile, key);
            break;
        case 15:
            if (mouse) ChangeTwoWay(o.OptWiederhole, key);
            break;
        default: break;
    }
}

bool IsMenuHotkey(const Trainer& tr, char key) { return ByHotkey(tr.programs, key) != nullptr; }

// Keys that stop the work on the selected row. The cursor letters count
// with and without ExtendedKey.
bool LeavesRow(const Trainer& tr, char key) {
    const auto code = static_cast<unsigned char>(key);
    if (code >= 200 && code <= 220) return true;
    switch (key) {
        case keycode::Return:
        case keycode::Esc:
        case keycode::F1:
        case keycode::Home:
        case keycode::Up:
        case keycode::PgUp:
        case keycode::End:
        case keycode::Down:
        case keycode::PgDn: return true;
        default: return IsMenuHotkey(tr, key);
    }
}

bool EndsScreen(const Trainer& tr, char key) {
    return key == keycode::Esc || key == keycode::F1 || IsMenuHotkey(tr, key);
}

void MoveSelection(TrainerState& t) {
    const char key = t.MenuKey;
    int& row = t.OptionsRow;
    if (key == keycode::Return || key == keycode::Down) {
        if (++row > kOptionRows) row = 1;
    }
    if (key == keycode::Up) --row;
    if (key == keycode::Home || key == keycode::PgUp) row = 1;
    if (key == keycode::End || key == keycode::PgDn || row == 0) row = kOptionRows;
}

void WorkOnRow(Trainer& tr, int optionRow) {
    TrainerState& t = tr.t;
    if (optionRow == kWortwahlRow) t.WortwahlRelabelled = true;
    WriteLabel(tr, optionRow, kSelectedLabelColour);
    do {
        t.MenuKey = static_cast<char>(ReadKey(tr.d));
        if (tr.d.keys.ExtendedKey) ChangeValue(tr, optionRow, t.MenuKey);
        kRows[static_cast<size_t>(optionRow)].paint(tr);
    } while (!LeavesRow(tr, t.MenuKey));
    WriteLabel(tr, optionRow, 0);
}

}  // namespace

int OptionScreenRow(int optionRow) {
    if (optionRow < 1 || optionRow > kOptionRows) return 0;
    return kRows[static_cast<size_t>(optionRow)].screenRow;
}

void DrawOptMaus(Trainer& tr) {
    const int v = tr.t.opt.OptMaus;
    if (v == 0) PaintRow(tr, 1, {Plain("keine Maus vorhanden")});
    else PaintRow(tr, 1, {{" aus ", v == 1}, Plain("  "), {" ein ", v == 2}});
}

void DrawOptTrennung(Trainer& tr) {
    const int v = tr.t.opt.OptTrennung;
    PaintRow(tr, 2,
             {{" nein ", v == 0}, {" ja ", v == 1}, {" Linie ", v == 2}, {" Block ", v == 3}});
}

void DrawOptWortwahl(Trainer& tr) {
    const int v = tr.t.opt.OptWortwahl;
    PaintRow(tr, 3, {{" Zufall ", v == 0}, Plain(" "), {" Reihenfolge ", v == 1}});
}

void DrawOptArtikel(Trainer& tr) {
    const bool on = tr.t.opt.OptArtikel;
    PaintRow(tr, 4, {{" mit ", on}, Plain("  "), {" ohne ", !on}});
}

void DrawOptTon(Trainer& tr) {
    const int v = tr.t.opt.OptTon;
    Dos& d = tr.d;
    const int row = kRows[5].screenRow;
    const std::array<Piece, 3> pieces{
        {{" ein ", v == 0}, {" Tippton ", v == 1}, {" aus ", v == 2}}};
    const std::array<int, 3> columns{kValueColumn, 20, 31};
    for (size_t i = 0; i < pieces.size(); ++i) {
        GotoXY(d, columns[i], row);
        TextColor(d, pieces[i].current ? 15 : 0);
        TextBackground(d, pieces[i].current ? 2 : 7);
        Write(d, pieces[i].text);
    }
    TextColor(d, 0);
    TextBackground(d, 7);
}

void DrawOptEndungen(Trainer& tr) {
    const int v = tr.t.opt.OptEndungen;
    PaintRow(tr, 6, {{" Gebiss ", v == 0}, Plain(" "), {" Wettrennen ", v == 1}});
}

void DrawOptWortvergl(Trainer& tr) {
    const int v = tr.t.opt.OptWortvergl;
    PaintRow(tr, 7, {{" verbrennen ", v == 0}, {" Wie bitte? ", v == 1}});
}

void DrawOptSauri(Trainer& tr) {
    const int v = tr.t.opt.OptSauri;
    PaintRow(tr, 8, {Plain("Sauri:"), {" langsam ", v == 0}, {" schnell ", v == 1}});
}

void DrawOptZerlegen(Trainer& tr) {
    const int v = tr.t.opt.OptZerlegen;
    PaintRow(tr, 9, {{" abschreiben ", v == 0}, {" erinnern ", v == 1}});
}

// Value 1 means syllables plus number, so " Silben " shows for 0 and 1.
void DrawOptZerlegenArt(Trainer& tr) {
    const int v = tr.t.opt.OptZerlegenArt;
    PaintRow(tr, 10, {{" Silben ", v == 0 || v == 1}, {"+ Zahl ", v == 1}, {" andere ", v == 2}});
}

void DrawOptBaustelle(Trainer& tr) {
    const int v = tr.t.opt.OptBaustelle;
    PaintRow(tr, 11,
             {{" 1 ", v == 1},
              Plain(" "),
              {" 3 ", v == 3},
              Plain(" "),
              {" 5 ", v == 5},
              Plain("  W\x94rter")});
}

// The sharp s of " große " is written as code page 437's 0xE1, which the
// display turns into the Windows letter 0xDF; the byte 0xDF itself would be
// drawn as the upper-half block glyph.
void DrawOptBausteine(Trainer& tr) {
    const int v = tr.t.opt.OptBausteine;
    PaintRow(tr, 12, {{" kleine ", v == 0}, {" gro\341e ", v == 1}, Plain("Steine")});
}

void DrawOptGreifen(Trainer& tr) {
    const int v = tr.t.opt.OptGreifen;
    PaintRow(tr, 13, {{" Alles ", v == 0}, {" Vorgabe ", v == 1}, {" 2.Teil ", v == 2}});
}

void DrawOptGreifteile(Trainer& tr) {
    const int v = tr.t.opt.OptGreifteile;
    PaintRow(tr, 14, {{" zusammen ", v == 0}, {" getrennt ", v == 1}});
}

void DrawOptWiederhole(Trainer& tr) {
    const int v = tr.t.opt.OptWiederhole;
    PaintRow(tr, 15, {{" nicht ", v == 0}, {" bei Fehler ", v == 1}});
}

void OptionsScreen(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    if (t.opt.OptTrennung > 3) t.opt.OptTrennung = 2;
    t.WortwahlRelabelled = false;
    DrawFrame(d);
    for (int row : kPaintOrder) {
        WriteLabel(tr, row, 0);
        kRows[static_cast<size_t>(row)].paint(tr);
    }
    GotoXY(d, 4, 20);
    TextColor(d, 5);
    Write(d, "Geschwindigkeit anpassen mit F10");
    PushMouseTexts(d, "", "quendel.mop");
    t.OptionsRow = std::clamp(t.OptionsRow, 1, kOptionRows);
    do {
        MoveSelection(t);
        // A row chosen by a key forgets the last click, so that the next
        // click on a row's values selects that row before it changes it.
        if (!TakeMouseItem(d, t.OptionsRow, 1, kOptionRows)) d.mouse.LastRegion = -1;
        WorkOnRow(tr, t.OptionsRow);
    } while (!EndsScreen(tr, t.MenuKey));
    PopMouseTexts(d);
    ClearRightHalf(d);
    t.OptionsChanged = true;
}

}  // namespace qs
