#include "exercises/common/Players.h"

#include <string>
#include <vector>

#include "base/CodePage.h"
#include "exercises/common/Kit.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "trainer/Results.h"

namespace qs {

namespace {

constexpr int kNameY = 5;
constexpr int kNameX = 276;

// F1 leaves like ESC.
uint8_t ReadKeyF1AsEsc(Dos& d) {
    const uint8_t k = ReadKey(d);
    return d.keys.ExtendedKey && k == keycode::Byte(keycode::F1) ? keycode::Byte(keycode::Esc) : k;
}

void ClearHeader(Trainer& tr) { Bar(tr.d, 0, 0, tr.t.MaxX, 40); }

// The programs with a protocol title keep a line in the teacher protocol.
bool KeepsProtocol(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    return p && p->protocolTitle;
}

}  // namespace

void AskPlayerCount(Trainer& tr) {
    Dos& d = tr.d;
    SetFillStyle(d, fillstyle::Solid, colour::Grey);
    ClearHeader(tr);
    SetTextStyle(d, 1, 0, 4);
    SetTextJustify(d, 0, 2);
    SetColor(d, colour::Navy);
    Rect r;
    OutTextXYRect(d, 10, 1, "Anzahl der Spieler:  1   oder   2  ?", r);
    PushMouseTexts(d, "", "quendel.sp1");
    uint8_t k = 0;
    do {
        k = ReadKeyF1AsEsc(d);
    } while (k != '1' && k != '2' && k != keycode::Esc && k != keycode::Return);
    tr.t.LastKey = static_cast<char>(k);
    PopMouseTexts(d);
    if (KeepsProtocol(tr)) StartProtocolLine(tr);
    // Clicks in graphics mode reach only the regions pushed from here on.
    d.mouse.RegionBase = d.mouse.RegionCount;
    tr.t.opt.GraphFont = 1;
    while (TakeClick(d) != 0) {}
    SetTextJustify(d, 0, 2);
}

namespace {

// A name as it stands on the screen: the pieces in the order they were
// drawn, each at its own x.
struct NamePiece {
    int x;
    std::string text;
};

void DrawName(Dos& d, const std::vector<NamePiece>& pieces) {
    SetColor(d, colour::Navy);
    for (const NamePiece& piece : pieces) OutTextXY(d, piece.x, kNameY, piece.text);
}

// Backspace: drawing the letter again in the fill colour would leave its
// smoothed edge, and the letter before may ink under it; so the whole name
// goes and what is left of it is drawn again where it stood.
void TakeLastLetter(Trainer& tr, std::vector<NamePiece>& pieces) {
    Dos& d = tr.d;
    Rect ink;
    for (const NamePiece& piece : pieces)
        ink = ink.Union(TextInkRect(d, piece.x, kNameY, piece.text));
    if (!ink.Empty()) Bar(d, ink.left, ink.top, ink.right - 1, ink.bottom - 1);
    pieces.back().text.pop_back();
    if (pieces.back().text.empty()) pieces.pop_back();
    DrawName(d, pieces);
}

}  // namespace

void EnterPlayerName(Trainer& tr, std::string& name, const std::string& label, int labelColour) {
    Dos& d = tr.d;
    PlayersState& p = tr.players;
    SetColor(d, labelColour);
    Rect r;
    OutTextXYRect(d, 20, kNameY, label, r);
    std::vector<NamePiece> pieces;
    if (!name.empty()) pieces.push_back({kNameX, name});
    DrawName(d, pieces);
    p.EntryX = kNameX + TextWidth640(d, name);
    for (;;) {
        const uint8_t k = ReadKeyF1AsEsc(d);
        tr.t.LastKey = static_cast<char>(k);
        if (k == keycode::Esc || k == keycode::Return) return;
        // Arrow and function keys arrive as letters with ExtendedKey set.
        if (!d.keys.ExtendedKey && IsGermanLetter(k) && name.size() < kNameLength) {
            char c = static_cast<char>(k);
            if (name.empty() && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            name += c;
            const std::string s(1, c);
            SetColor(d, colour::Navy);
            OutTextXY(d, p.EntryX, kNameY, s);
            pieces.push_back({p.EntryX, s});
            p.EntryX += TextWidth640(d, s);
        } else if (k == keycode::Backspace && !name.empty()) {
            p.EntryX -= TextWidth640(d, std::string(1, name.back()));
            name.pop_back();
            TakeLastLetter(tr, pieces);
        }
    }
}

void AskPlayerNames(Trainer& tr) {
    PlayersState& p = tr.players;
    ClearHeader(tr);
    if (tr.t.LastKey == '2') {
        p.PlayerCount = 2;
        EnterPlayerName(tr, p.PlayerName1, "Name Spieler 1:", colour::DarkGrey);
        if (p.PlayerName1.empty()) p.PlayerName1 = kDefaultName1;
        if (tr.t.LastKey == keycode::Return) {
            ClearHeader(tr);
            EnterPlayerName(tr, p.PlayerName2, "Name Spieler 2:", colour::Pink);
            if (p.PlayerName2.empty()) p.PlayerName2 = kDefaultName2;
            ClearHeader(tr);
        }
    }
    if (p.PlayerName1.empty()) p.PlayerName1 = kDefaultName1;
}

void ClearDefaultNames(Trainer& tr) {
    PlayersState& p = tr.players;
    if (p.PlayerName1 == kDefaultName1) p.PlayerName1.clear();
    if (p.PlayerName2 == kDefaultName2) p.PlayerName2.clear();
}

void RememberMistake(Trainer& tr) {
    PlayersState& p = tr.players;
    if (p.MistakeNoted || tr.t.opt.OptWiederhole == 0 || p.PlayerCount != 1) return;
    if (p.RepeatCount < 5) ++p.RepeatCount;
    p.RepeatList[static_cast<size_t>(p.RepeatCount)] = p.CurrentWordNo;
    p.MistakeNoted = true;
}

void RememberMistakeOf(Trainer& tr, int line) {
    PlayersState& p = tr.players;
    const int current = p.CurrentWordNo;
    p.CurrentWordNo = line;
    RememberMistake(tr);
    p.CurrentWordNo = current;
}

void MistakeSound(Trainer& tr) {
    StopSound(tr.d);
    if (TonesOn(tr)) PlayWav(tr.d, "wavs\\Fehlerton.wav");
    RememberMistake(tr);
}

bool TakeRepeatedWord(PlayersState& p, int& wordNo) {
    p.MistakeNoted = false;
    if (!p.RepeatDue) return false;
    p.RepeatDue = false;
    if (p.RepeatCount <= 0) return false;
    wordNo = p.RepeatList[static_cast<size_t>(p.RepeatCount)];
    --p.RepeatCount;
    return true;
}

void NewWordChosen(PlayersState& p) { p.RepeatDue = p.RepeatCount > 0; }

void ShowWordParts(Trainer& tr) {
    Dos& d = tr.d;
    PlayersState& p = tr.players;
    constexpr int kMaxPieces = 16;
    p.TaskCount = 0;
    p.TaskMistakes = 0;
    p.Player1Turn = true;
    p.PieceSlot = 0;
    for (int i = 1; i <= kMaxPieces; ++i) {
        p.PieceLeft[static_cast<size_t>(i)] = 700;
        p.PieceRight[static_cast<size_t>(i)] = 700;
        p.PieceText[static_cast<size_t>(i)].clear();
    }
    const int font = tr.t.opt.GraphFont;
    SetTextStyle(d, font, 0, 4);
    SetTextJustify(d, 1, 2);
    p.PartsText.clear();
    std::string part;
    for (char c : tr.t.WordList[1]) {
        // The last piece is filled after the loop, so at most 15 separators count.
        if ((c == '-' || c == '_') && p.PieceSlot < kMaxPieces - 1) {
            p.PartsText += "/ ";
            ++p.PieceSlot;
            p.PieceText[static_cast<size_t>(p.PieceSlot)] = part;
            part.clear();
        } else {
            p.PartsText += c;
            part += c;
        }
    }
    SetColor(d, colour::Red);
    const int width = TextWidth640(d, p.PartsText);
    Rect r;
    if (width < 635) {
        OutTextXYRect(d, 320, 4, p.PartsText, r);
    } else {
        SetTextStyle(d, font, 0, 3);
        OutTextXYRect(d, 320, 10, p.PartsText, r);
        SetTextStyle(d, font, 0, 4);  // the pieces are measured at the large size
    }
    const int fullWidth = TextWidth640(d, p.PartsText);
    const int slashWidth = TextWidth640(d, "/ ");
    p.EntryX = 320 - fullWidth / 2;
    p.PieceLeft[1] = p.EntryX;
    for (int i = 1; i <= p.PieceSlot; ++i) {
        const auto u = static_cast<size_t>(i);
        p.PieceRight[u] = p.PieceLeft[u] + TextWidth640(d, p.PieceText[u]);
        p.PieceLeft[u + 1] = p.PieceRight[u] + slashWidth;
    }
    ++p.PieceSlot;
    const auto last = static_cast<size_t>(p.PieceSlot);
    p.PieceRight[last] = p.PieceLeft[1] + fullWidth;
    p.PieceText[last] = part;
}

void WriteWork(Trainer& tr, int x, int y) { OutTextXY(tr.d, x, y, tr.players.WorkText); }

Rect WriteWorkRect(Trainer& tr, int x, int y) {
    Rect r;
    OutTextXYRect(tr.d, x, y, tr.players.WorkText, r);
    return r;
}

}  // namespace qs
