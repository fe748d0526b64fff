#include "trainer/FileSelection.h"

#include <algorithm>

#include "base/CodePage.h"
#include "screen/DosFiles.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextFile.h"
#include "screen/TextScreen.h"
#include "screen/mouse/Mouse.h"
#include "trainer/PrinterOutput.h"
#include "trainer/QuitKeys.h"

namespace qs {

namespace {

constexpr uint8_t kStartWordCancelled = 37;
// A mouse region of the line list view that stands for ESC.
constexpr uint8_t kListEscape = '3';

constexpr int kBoxRows = 16;
constexpr int kBoxWidth = 33;
// A row of the file list: number, blanks, then the name in this many cells.
constexpr size_t kNameCells = 29;
constexpr int kListRows = 25;
// Text of a line in the list view starts in column 5 and may use the rest
// of the 39 columns.
constexpr int kListTextColumn = 5;
constexpr size_t kListTextCells = 35;

uint8_t Byte(char c) { return static_cast<uint8_t>(c); }

void Colours(Dos& d, int text, int background) {
    TextColor(d, text);
    TextBackground(d, background);
}

// Lower case of a code page 437 letter (ASCII and the umlauts).
uint8_t LowerOem(uint8_t c) {
    if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c + 32);
    switch (c) {
        case 0x8e: return 0x84;  // Ä
        case 0x99: return 0x94;  // Ö
        case 0x9a: return 0x81;  // Ü
        default: return c;
    }
}

// Blank means nothing but blanks and control bytes, as Trim removes them.
bool IsBlankLine(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return Byte(c) <= ' '; });
}

bool ValidUtf8WithNonAscii(const std::string& s) {
    bool nonAscii = false;
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t start = pos;
        const char32_t cp = DecodeUtf8(s, pos);
        if (cp == 0xFFFD && s.compare(start, 3, "\xef\xbf\xbd") != 0) return false;
        if (cp >= 0x80) nonAscii = true;
    }
    return nonAscii;
}

// The remembered file of the program (one slot for each file program number).
std::string& RememberedFile(TrainerState& t) {
    return t.LastFiles[static_cast<size_t>(std::clamp(t.ProgramNo, 0, 15))];
}

// The editor numbers its nine programs without Zerlegen and Greifen, which
// share the word lists of Silben ordnen and Kontakt: the file program of
// EditorProgram, and back.
int EditedFileProgram(const Trainer& tr) {
    const Program* p = ByEditorProgram(tr.programs, tr.t.EditorProgram);
    return p ? No(p->file) : 0;
}

int EditorNumbering(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    return p ? p->editorProgram : 0;
}

// --- The file list box ------------------------------------------------------

struct Selection {
    Trainer& tr;
    bool editorMode = false;
    int sel = 0;
    int top = 0;

    Dos& d() { return tr.d; }
    int Count() const { return tr.t.FileCount; }
    static int TopFor(int s) { return std::max(0, s - (kBoxRows - 1)); }
};

void DrawBox(Dos& d) {
    Colours(d, 14, 4);
    Write(d, " \xda" + std::string(kBoxWidth, '\xc4') + "\xbf ");
    Colours(d, 7, 0);
    Write(d, "\xb2");
    for (int row = 0; row < kBoxRows; ++row) {
        Colours(d, 14, 4);
        Write(d, " \xb3");
        TextBackground(d, 7);
        Write(d, std::string(kBoxWidth, ' '));
        TextBackground(d, 4);
        Write(d, "\xb3 ");
        Colours(d, 7, 0);
        Write(d, "\xb0");
    }
    Colours(d, 14, 4);
    Write(d, " \xc0" + std::string(kBoxWidth, '\xc4') + "\xd9 ");
    Colours(d, 7, 0);
    Write(d, "\xb0\xb2" + std::string(37, '\xb0'));
}

void DrawDirectionChoices(Trainer& tr) {
    Dos& d = tr.d;
    static constexpr struct {
        int x;
        const char* text;
    } kChoices[] = {{6, " von 1 "}, {15, " von 2 "}, {25, " beides "}};
    for (int i = 0; i < 3; ++i) {
        if (tr.t.UmwandelnDirection == i + 1) Colours(d, 14, 1);
        else Colours(d, 0, 7);
        GotoXY(d, kChoices[i].x, 19);
        Write(d, kChoices[i].text);
    }
}

SelectionNote NoteOf(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    return p ? p->note : SelectionNote::None;
}

void DrawProgramNote(Trainer& tr) {
    Dos& d = tr.d;
    const SelectionNote note = NoteOf(tr);
    if (note == SelectionNote::Exposure) {
        Colours(d, 14, 4);
        GotoXY(d, 3, 18);
        Write(d, " Taste +/- = Zeit l\x84nger/k\x81rzer ");
    } else if (note == SelectionNote::Direction) {
        Colours(d, 14, 12);
        GotoXY(d, 3, 18);
        Write(d, " Wahl mit F5  (auch im Programm) ");
        GotoXY(d, 1, 19);
        Write(d, std::string(37, ' '));
        DrawDirectionChoices(tr);
    }
}

void DrawFileRow(Selection& s, int r, bool selected) {
    Dos& d = s.d();
    const int index = s.top + r;
    if (index >= s.Count()) return;
    if (selected) Colours(d, 15, 1);
    else Colours(d, 0, 7);
    GotoXY(d, 4, r + 2);
    const int number = index + 1;
    std::string name =
        ShownFileName(s.tr.t.FileList[static_cast<size_t>(index)], d.screen.NoConversion);
    name.resize(kNameCells, ' ');  // clears a longer name shown before; keeps the border
    Write(d, std::to_string(number) + (number < 10 ? "  " : " ") + name);
}

void DrawFileRows(Selection& s) {
    for (int r = 0; r < kBoxRows; ++r) DrawFileRow(s, r, false);
    DrawFileRow(s, s.sel - s.top, true);
}

// Moves the highlight to newSel, scrolling when the selection leaves the rows.
void MoveSelection(Selection& s, int newSel) {
    DrawFileRow(s, s.sel - s.top, false);
    s.sel = newSel;
    const int newTop = Selection::TopFor(newSel);
    if (newTop != s.top) {
        s.top = newTop;
        DrawFileRows(s);
    } else {
        DrawFileRow(s, s.sel - s.top, true);
    }
}

void SelectAndRedraw(Selection& s, int newSel) {
    s.sel = newSel;
    s.top = Selection::TopFor(newSel);
    DrawFileRows(s);
}

void CollectFiles(Trainer& tr) {
    DosFiles files(tr.d.platform.Files());
    SearchRec search;
    std::vector<std::string> names;
    int result = files.FindFirstFile(tr.t.WordFilePath, 0, search);
    while (result == 0 && names.size() < static_cast<size_t>(kFileListMax)) {
        names.push_back(search.Name);
        result = files.FindNextFile(search);
    }
    files.FindClose(search);
    if (tr.t.opt.OptSortFiles == 1) std::stable_sort(names.begin(), names.end());
    tr.t.FileList = std::move(names);
    tr.t.FileCount = static_cast<int>(tr.t.FileList.size());
}

void NavigationKey(Selection& s, uint8_t key) {
    const int last = s.Count() - 1;
    int target = s.sel;
    switch (key) {
        case keycode::Down: target = s.sel + 1; break;
        case keycode::End: target = last; break;
        case keycode::PgDn: target = s.sel + 15 < last ? s.sel + 15 : last; break;
        case keycode::Up: target = s.sel - 1; break;
        case keycode::Home: target = 0; break;
        case keycode::PgUp: target = s.top == 0 ? 0 : std::max(15, s.sel - 15); break;
        default: return;
    }
    const bool forward = key == keycode::Down || key == keycode::End || key == keycode::PgDn;
    if (forward ? s.sel < last : s.sel > 0) MoveSelection(s, target);
}

// The next name after the selection that starts with the typed letter, from
// the top again when there is none below.
void FirstLetterSearch(Selection& s, uint8_t typed) {
    const uint8_t wanted = LowerOem(typed);
    auto matches = [&](int i) {
        const std::string name =
            ShownFileName(s.tr.t.FileList[static_cast<size_t>(i)], s.d().screen.NoConversion);
        return !name.empty() && LowerOem(Byte(name[0])) == wanted;
    };
    int found = -1;
    for (int i = s.sel + 1; i < s.Count() && found < 0; ++i)
        if (matches(i)) found = i;
    for (int i = 0; i <= s.sel && i < s.Count() && found < 0; ++i)
        if (matches(i)) found = i;
    if (found >= 0) SelectAndRedraw(s, found);
    else Tone(s.d(), 3000, 100);
}

void PrintFileList(Trainer& tr) {
    PrinterOutput out(tr);
    if (!out.Open()) return;
    TextFile& f = out.File();
    const int no = tr.t.ProgramNo;
    const Program* p = RunningProgram(tr);
    try {
        WriteLnToFile(f);
        WriteLnToFile(f, "          Quendelstrand    Programm " + std::to_string(no % 100) +
                             " von 10       Dateiliste: " + (p ? p->fileListName : ""));
        WriteLnToFile(f);
        for (const std::string& name : tr.t.FileList)
            WriteLnToFile(f, "          " + ShownFileName(name, tr.d.screen.NoConversion));
        WriteLnToFile(f);
    } catch (const DosIoError&) {
        return;
    }
    out.CloseAndPrint();
}

void SelectionKeyLoop(Selection& s) {
    Trainer& tr = s.tr;
    Dos& d = tr.d;
    for (;;) {
        const uint8_t key = ReadKey(d);
        tr.t.LastKey = static_cast<char>(key);
        if (d.keys.ExtendedKey) {
            int v = 0;
            if (TakeMouseItem(d, v, s.top, s.top + kBoxRows) && v < s.Count())
                SelectAndRedraw(s, v);
            if (key == keycode::F1) tr.t.LastKey = keycode::Esc;
            NavigationKey(s, key);
            if (key == keycode::F5 && NoteOf(tr) == SelectionNote::Direction && !s.editorMode) {
                tr.t.UmwandelnDirection = tr.t.UmwandelnDirection % 3 + 1;
                DrawDirectionChoices(tr);
            }
            if (key == keycode::F9) PrintFileList(tr);
        } else if (key > 31) {
            FirstLetterSearch(s, key);
        }
        const uint8_t last = Byte(tr.t.LastKey);
        if (last == keycode::Esc || last == keycode::Return) return;
    }
}

// Loads the chosen file; false (after the message) when it cannot be read.
bool LoadWordFile(Trainer& tr) {
    TextFile f(tr.d.platform.Files());
    try {
        f.Assign(tr.t.WordFilePath);
        f.Reset();
    } catch (const DosIoError&) {
        Dos& d = tr.d;
        GotoXY(d, 2, 2);
        TextColor(d, 143);
        Write(d, "Fehler beim laden ! Dr\201cke Enter");
        do {
            ReadKeyOrQuit(tr);
        } while (Byte(tr.t.LastKey) != keycode::Return);
        tr.t.LastKey = keycode::Esc;
        return false;
    }
    try {
        std::string line;
        while (!f.Eof()) {
            ReadLnFromFile(f, line);
            if (IsBlankLine(line)) continue;
            if (tr.t.WordCount >= kWordListSize) {
                tr.t.WordListCut = true;  // the editor must not save the shorter list over it
                continue;
            }
            if (line.size() > kWordLineMax) line.resize(kWordLineMax);
            tr.t.WordList[static_cast<size_t>(++tr.t.WordCount)] = line;
        }
        f.Close();
    } catch (const DosIoError&) {
        // What was read before the fault stays loaded.
    }
    return true;
}

void NoFileFound(Trainer& tr) {
    Dos& d = tr.d;
    Write(d, " Keine Datei gefunden! ");
    tr.t.WordCount = 1;
    while (KeyPressed(d)) ReadKey(d);
    // Waits for a key; of keys pressed together the last one counts.
    tr.t.LastKey = static_cast<char>(ReadKey(d));
    while (KeyPressed(d)) tr.t.LastKey = static_cast<char>(ReadKey(d));
}

bool OffersStartWord(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    return Byte(tr.t.LastKey) == keycode::Return && tr.t.opt.OptWortwahl == 1 && p &&
           p->startWordChoice;
}

void MoveToClickedRow(Trainer& tr, int row) {
    TrainerState& t = tr.t;
    while (t.CurrentLine - t.TopLine < row && t.CurrentLine < t.WordCount) ListLineDown(tr);
    while (t.CurrentLine - t.TopLine > row && t.CurrentLine - t.TopLine > 1) ListLineUp(tr);
}

void WriteListHeaderText(Trainer& tr) {
    Dos& d = tr.d;
    Window(d, 1, 1, 80, 25);
    Colours(d, 15, 0);
    GotoXY(d, 40, 1);
    Write(d, "  Datei:                 W\x94rter:         ");
    GotoXY(d, 50, 1);
    Write(d, tr.t.WordFileName);
    GotoXY(d, 74, 1);
    WriteInt(d, tr.t.WordCount);
}

void ChooseStartWord(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    Window(d, 1, 1, 80, 25);
    Colours(d, 15, 0);
    ClrScr(d);
    WriteListHeaderText(tr);
    GotoXY(d, 42, 4);
    Write(d, "Wortwahl  =  Reihenfolge");
    GotoXY(d, 42, 6);
    Write(d, "Bitte Startwort einstellen.");
    Colours(d, 14, 1);
    Window(d, 1, 1, 39, 25);
    ListFirstPage(tr);
    ListPageUp(tr);
    PushMouseTexts(d, "", "quendel.m25");
    for (;;) {
        GotoXY(d, t.EditColumn + 4, t.CurrentLine - t.TopLine);
        const uint8_t key = ReadKey(d);
        t.LastKey = static_cast<char>(key);
        if (d.keys.ExtendedKey) {
            int v = -1;
            TakeMouseLine(d, v, 0, kListRows - 1);
            if (v >= 0) MoveToClickedRow(tr, kListRows - v);
            switch (key) {
                case kListEscape: t.LastKey = keycode::Esc; break;
                case keycode::Up: ListLineUp(tr); break;
                case keycode::Down: ListLineDown(tr); break;
                case keycode::PgUp: ListPageUp(tr); break;
                case keycode::PgDn: ListPageDown(tr); break;
                default: break;
            }
        }
        const uint8_t last = Byte(t.LastKey);
        if (last == keycode::Esc || last == keycode::Return) break;
    }
    PopMouseTexts(d);
    CursorOff(d);
    if (Byte(t.LastKey) == keycode::Esc) t.LastKey = static_cast<char>(kStartWordCancelled);
}

// --- The line list view -----------------------------------------------------

int RowOf(const TrainerState& t, int n) { return n - t.TopLine; }
bool OnView(int row) { return row >= 1 && row <= kListRows; }

std::string ShownText(const std::string& text) { return text.substr(0, kListTextCells); }

void ShowListRows(Trainer& tr) {
    const TrainerState& t = tr.t;
    for (int n = t.TopLine + 1; n <= std::min(t.TopLine + kListRows, t.WordCount); ++n)
        ListShowLine(tr, n);
}

std::string& LineAt(TrainerState& t, int n) {
    return t.WordList[static_cast<size_t>(std::clamp(n, 0, kWordListSize))];
}

}  // namespace

std::string WordFileExtension(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    return p && p->wordListSelection ? p->extension : "";
}

// Names on disk are usually UTF-8; the trainer's own names are Windows
// letters, which the display conversion turns back into code page 437.
std::string ShownFileName(const std::string& diskName, bool noConversion) {
    if (!ValidUtf8WithNonAscii(diskName)) return DisplayToOemCopy(diskName, noConversion);
    std::string windows;
    size_t pos = 0;
    while (pos < diskName.size()) {
        const uint8_t b = UnicodeToCp1252(DecodeUtf8(diskName, pos));
        windows += static_cast<char>(b == 0 ? '?' : b);
    }
    return DisplayToOemCopy(windows, noConversion);
}

void SelectWordFile(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    t.ResultCount = 0;
    tr.players.TaskCount = 0;
    t.WordList.fill(std::string());
    t.FileList.clear();
    t.FileCount = 0;
    t.WordCount = 0;
    t.WordListCut = false;
    t.CurrentLine = 1;

    const bool editorMode = IsRunning(t, FileProgram::Editor);
    if (editorMode) Window(d, 2, 3, 39, 22);
    else Window(d, 41, 3, 78, 22);
    DrawBox(d);
    DrawProgramNote(tr);
    t.OverwriteMessageShown = false;
    if (editorMode) t.ProgramNo = EditedFileProgram(tr);
    t.WordFileExt = WordFileExtension(tr);
    t.WordFilePath = t.ProgramDir + "LS1DAT\\*." + t.WordFileExt;

    GotoXY(d, 7, 1);
    Colours(d, 11, 4);
    CollectFiles(tr);
    if (t.FileCount == 0) {
        NoFileFound(tr);
    } else {
        GotoXY(d, 7, 1);
        Write(d, "> Anzahl der Dateien: " + std::to_string(t.FileCount) + " <");
        if (t.FileCount > kBoxRows && NoteOf(tr) == SelectionNote::None) {
            GotoXY(d, 3, 18);
            Colours(d, 8, 4);
            Write(d, " F\xfcr weitere Dateien klicke hier ");  // Windows-1252 text
        }
        Selection s{tr, editorMode};
        const std::string& remembered = RememberedFile(t);
        const auto it = std::find(t.FileList.begin(), t.FileList.end(), remembered);
        SelectAndRedraw(s, it == t.FileList.end() ? 0 : static_cast<int>(it - t.FileList.begin()));
        PushMouseTexts(d, "", editorMode ? "quendel.mt2" : "quendel.mt1");
        SelectionKeyLoop(s);
        PopMouseTexts(d);

        if (Byte(t.LastKey) == keycode::Return) {
            const std::string& chosen = t.FileList[static_cast<size_t>(s.sel)];
            t.WordFilePath = t.ProgramDir + "ls1dat\\" + chosen;
            t.WordFileName = chosen;
            RememberedFile(t) = chosen;
            t.OptionsChanged = true;
            LoadWordFile(tr);
        }
    }
    if (!editorMode && OffersStartWord(tr)) ChooseStartWord(tr);
    if (editorMode) t.ProgramNo = EditorNumbering(tr);
}

void CheckWordFile(Trainer& tr) {
    TrainerState& t = tr.t;
    t.WrongExtension = false;
    const std::string wanted = WordFileExtension(tr);
    if (wanted.empty()) return;
    const std::string& path = t.WordFilePath;
    const std::string found = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    if (found == wanted) return;
    t.WrongExtension = true;
    ClrScr(tr.d);
    WriteLn(tr.d, "Falsche Endung " + found + " f\x81r dieses Programm");
}

void ShowListHeader(Trainer& tr) {
    WriteListHeaderText(tr);
    Colours(tr.d, 14, 1);
    Window(tr.d, 1, 1, 39, 25);
}

void ListShowLine(Trainer& tr, int n) {
    Dos& d = tr.d;
    const int row = RowOf(tr.t, n);
    if (!OnView(row)) return;
    GotoXY(d, n < 10 ? 3 : n < 100 ? 2 : 1, row);
    WriteInt(d, n);
    GotoXY(d, kListTextColumn, row);
    Write(d, ShownText(LineAt(tr.t, n)));
}

void ListLoadLine(Trainer& tr) {
    TrainerState& t = tr.t;
    t.EditBuffer = LineAt(t, t.CurrentLine).substr(0, kEditBufferMax);
    const int row = RowOf(t, t.CurrentLine);
    if (OnView(row)) {
        GotoXY(tr.d, kListTextColumn, row);
        Write(tr.d, ShownText(t.EditBuffer));
    }
    t.EditColumn = static_cast<int>(t.EditBuffer.size()) + 1;
}

void ListKeepLine(Trainer& tr) {
    if (tr.t.CurrentLine >= 1) LineAt(tr.t, tr.t.CurrentLine) = tr.t.EditBuffer;
}

void ListFirstPage(Trainer& tr) {
    TrainerState& t = tr.t;
    ClrScr(tr.d);
    t.TopLine = 0;
    t.EditBuffer.clear();
    t.EditColumn = 1;
    t.CurrentLine = std::min(kListRows, t.WordCount);
    ShowListRows(tr);
    ListLoadLine(tr);
    CursorOn(tr.d);
}

void ListLineUp(Trainer& tr) {
    TrainerState& t = tr.t;
    ListKeepLine(tr);
    if (t.CurrentLine - t.TopLine > 1) {
        --t.CurrentLine;
    } else if (t.TopLine > 0) {
        --t.TopLine;
        --t.CurrentLine;
        ClrScr(tr.d);
        ShowListRows(tr);
    }
    ListLoadLine(tr);
}

void ListLineDown(Trainer& tr) {
    TrainerState& t = tr.t;
    if (t.CurrentLine >= t.WordCount) return;
    ListKeepLine(tr);
    ++t.CurrentLine;
    if (RowOf(t, t.CurrentLine) > kListRows) {
        ++t.TopLine;
        GotoXY(tr.d, 1, kListRows);
        WriteLn(tr.d);
    }
    ListShowLine(tr, t.CurrentLine);
    ListLoadLine(tr);
}

void ListPageUp(Trainer& tr) {
    TrainerState& t = tr.t;
    ListKeepLine(tr);
    if (t.TopLine == 0) {
        t.CurrentLine = 1;
    } else if (RowOf(t, t.CurrentLine) > 1) {
        t.CurrentLine = t.TopLine + 1;
    } else {
        for (int i = 0; i < kListRows - 1 && t.TopLine > 0; ++i) {
            --t.TopLine;
            --t.CurrentLine;
        }
        ClrScr(tr.d);
        ShowListRows(tr);
    }
    ListLoadLine(tr);
}

void ListPageDown(Trainer& tr) {
    TrainerState& t = tr.t;
    ListKeepLine(tr);
    if (RowOf(t, t.CurrentLine) == kListRows && t.CurrentLine < t.WordCount) {
        ClrScr(tr.d);
        for (int i = 0; i < kListRows; ++i) {
            ++t.TopLine;
            if (t.CurrentLine < t.WordCount) ++t.CurrentLine;
        }
        ShowListRows(tr);
    } else if (t.CurrentLine < t.WordCount) {
        t.CurrentLine = std::min(t.TopLine + kListRows, t.WordCount);
    }
    ListLoadLine(tr);
}

}  // namespace qs
