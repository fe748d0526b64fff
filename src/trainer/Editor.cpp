#include "trainer/Editor.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "screen/DosFiles.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/TextFile.h"
#include "screen/TextScreen.h"
#include "screen/mouse/Mouse.h"
#include "trainer/EditorPrograms.h"
#include "trainer/FileSelection.h"
#include "trainer/Menu.h"
#include "trainer/PrinterOutput.h"
#include "trainer/QuitKeys.h"

namespace qs {

namespace {

using keycode::Byte;

constexpr int kListRows = 25;
constexpr int kListTextColumn = 5;
constexpr size_t kListTextCells = 35;
// A mouse region of the line list view that stands for ESC.
constexpr char kListEscape = '3';
// SaveWordList leaves this in LastKey, so that the loop neither leaves nor
// takes the key for anything else.
constexpr char kSaved = '%';
// Messages of the right panel: rows 14 and 15 (16 for the RETURN of a
// failed save), from column 2, as wide as RestoreEditorKeys blanks them.
constexpr int kMessageRow = 14;
constexpr size_t kMessageCells = 37;
constexpr const char* kReadOnlyText = "Liste hat mehr als 300 Zeilen: nur lesen";
constexpr const char* kLongLineText = "Zeile l\204nger als 78 Zeichen: nur lesen";

void Colours(Dos& d, int text, int background) {
    TextColor(d, text);
    TextBackground(d, background);
}

void Panel(Dos& d) { Window(d, 40, 1, 80, 25); }
void ListWindow(Dos& d) { Window(d, 1, 1, 39, 25); }

void Beep(Dos& d) { d.platform.Beep(); }

int RowOf(const TrainerState& t, int n) { return n - t.TopLine; }

std::string& Line(TrainerState& t, int n) {
    return t.WordList[static_cast<size_t>(std::clamp(n, 0, kWordListSize))];
}

// --- The chooser ------------------------------------------------------------

void DrawChooserEntries(Trainer& tr) {
    Dos& d = tr.d;
    for (int n = 1; n <= kEditorProgramCount; ++n) {
        const EditorProgramInfo* info = EditorProgramByNo(n);
        if (n == tr.t.EditorProgram) Colours(d, 0, 7);
        else Colours(d, 14, 1);
        GotoXY(d, 5, info->chooserRow);
        Write(d, info->chooserText);
    }
}

// Reads keys until ESC or the digit of a program; RETURN picks the
// highlighted one.
void ChooseEditorProgram(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    for (;;) {
        const char key = static_cast<char>(ReadKey(d));
        t.LastKey = key;
        TakeMouseItem(d, t.EditorProgram, 1, kEditorProgramCount);
        // Up and Down work as their letters too, as they always did.
        if (key == keycode::Down && t.EditorProgram < kEditorProgramCount) ++t.EditorProgram;
        if (key == keycode::Up && t.EditorProgram > 1) --t.EditorProgram;
        if (key == keycode::Return) t.LastKey = static_cast<char>('0' + t.EditorProgram);
        DrawChooserEntries(tr);
        if (t.LastKey == keycode::Esc || (t.LastKey >= '1' && t.LastKey <= '9')) return;
    }
}

}  // namespace

void EditorChooser(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    TextColor(d, 14);
    Window(d, 41, 3, 78, 22);
    TextBackground(d, 4);
    Write(d, " \xda" + std::string(8, '\xc4') + " Editor f\x81r Progamm " + std::string(5, '\xc4') +
                 "\xbf ");
    DrawMenuBox(d);
    DrawChooserEntries(tr);
    PushMouseTexts(d, "", "quendel.mve");
    ChooseEditorProgram(tr);
    PopMouseTexts(d);
    tr.players.TaskCount = 0;
    if (t.LastKey != keycode::Esc) {
        t.EditorProgram = t.LastKey - '0';
        DrawChooserEntries(tr);
        WordListEditor(tr);
        // The menu comes back with its Text-Editor entry highlighted.
        t.ProgramNo = No(MenuEntry::TextEditor);
        ShowMainMenu(tr);
        t.ProgramNo = No(FileProgram::Editor);
    }
    ClearRightHalf(d);
    t.LastKey = keycode::Esc;  // the menu's own redraw resets it
}

namespace {

// --- The right panel ----------------------------------------------------------

void WriteAt(Dos& d, int x, int y, std::string_view text) {
    GotoXY(d, x, y);
    Write(d, text);
}

void ShowRules(Trainer& tr) {
    Dos& d = tr.d;
    const EditorProgramInfo* info = EditorProgramByNo(tr.t.EditorProgram);
    if (info)
        for (const RuleLine& line : info->rules) WriteAt(d, 2, line.row, line.text);
    for (const RuleLine& line : CommonEditorRules()) WriteAt(d, 2, line.row, line.text);
    WriteAt(d, kCheckKeyColumn, kCheckKeyRow, kCheckKeyText);
    TextColor(d, 15);
    WriteAt(d, 2, kEditorHintRow, kEditorHint);
}

// A message on rows 14 and 15 of the panel, in the given colours; the list
// window is current again afterwards.
void PanelMessage(Trainer& tr, std::string_view text, int colour, int background) {
    Dos& d = tr.d;
    Panel(d);
    Colours(d, colour, background);
    const std::vector<std::string> rows = PanelRows(text, kMessageCells, 2);
    for (size_t i = 0; i < 2; ++i) {
        std::string row = i < rows.size() ? rows[i] : "";
        row.resize(kMessageCells, ' ');
        WriteAt(d, 2, kMessageRow + static_cast<int>(i), row);
    }
    Colours(d, 14, 1);
    ListWindow(d);
}

// --- The list ------------------------------------------------------------------

// Rewrites the current line's text from column 5, with a few blanks behind
// it to clear what a longer text left.
void RewriteCurrentLine(Trainer& tr, size_t clearBehind) {
    TrainerState& t = tr.t;
    const int row = RowOf(t, t.CurrentLine);
    if (row < 1 || row > kListRows) return;
    std::string shown = t.EditBuffer + std::string(clearBehind, ' ');
    if (shown.size() > kListTextCells) shown.resize(kListTextCells);
    WriteAt(tr.d, kListTextColumn, row, shown);
}

// Rows from the cursor's down to the last, after lines were inserted or
// removed; rows beyond the end of the list are left empty.
void RedrawRowsFromCursor(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    TextColor(d, 11);
    for (int row = std::max(1, RowOf(t, t.CurrentLine)); row <= kListRows; ++row) {
        WriteAt(d, 1, row, std::string(kListTextColumn - 1 + kListTextCells - 1, ' '));
        const int n = t.TopLine + row;
        if (n <= t.WordCount) ListShowLine(tr, n);
    }
    TextColor(d, 14);
}

// The whole view anew, the current line on it.
void RedrawList(Trainer& tr) {
    TrainerState& t = tr.t;
    t.CurrentLine = std::clamp(t.CurrentLine, 1, std::max(1, t.WordCount));
    if (RowOf(t, t.CurrentLine) < 1 || RowOf(t, t.CurrentLine) > kListRows)
        t.TopLine = std::max(0, t.CurrentLine - kListRows);
    ClrScr(tr.d);
    for (int n = t.TopLine + 1; n <= std::min(t.TopLine + kListRows, t.WordCount); ++n)
        ListShowLine(tr, n);
    ListLoadLine(tr);
}

void MoveToLine(Trainer& tr, int line) {
    TrainerState& t = tr.t;
    while (t.CurrentLine < line && t.CurrentLine < t.WordCount) ListLineDown(tr);
    while (t.CurrentLine > line && t.CurrentLine > 1) ListLineUp(tr);
}

void MoveToClickedRow(Trainer& tr, int row) {
    TrainerState& t = tr.t;
    while (RowOf(t, t.CurrentLine) < row && t.CurrentLine < t.WordCount) ListLineDown(tr);
    while (RowOf(t, t.CurrentLine) > row && RowOf(t, t.CurrentLine) > 1) ListLineUp(tr);
}

void NewList(Trainer& tr) {
    TrainerState& t = tr.t;
    t.ListChanged = false;
    t.WordListCut = false;
    t.WordList.fill(std::string());
    t.WordFileName.clear();
    t.WordCount = 1;
    t.TopLine = 0;
    t.CurrentLine = 1;
    t.EditBuffer.clear();
    t.EditColumn = 1;
    ClrScr(tr.d);
    WriteAt(tr.d, 3, 1, "1");
}

void DeleteKey(Trainer& tr) {
    TrainerState& t = tr.t;
    if (!t.EditBuffer.empty()) {
        if (t.EditColumn > static_cast<int>(t.EditBuffer.size())) return;
        t.EditBuffer.erase(static_cast<size_t>(t.EditColumn - 1), 1);
        t.ListChanged = true;
        WriteAt(tr.d, kListTextColumn, RowOf(t, t.CurrentLine), std::string(34, ' '));
        RewriteCurrentLine(tr, 0);
        return;
    }
    // An empty line is removed and the following ones move up; the last
    // line stays as the open input line.
    if (t.CurrentLine >= t.WordCount) return;
    for (int i = t.CurrentLine; i < t.WordCount; ++i) Line(t, i) = Line(t, i + 1);
    Line(t, t.WordCount).clear();
    --t.WordCount;
    t.EditBuffer = Line(t, t.CurrentLine).substr(0, kEditBufferMax);
    t.EditColumn = 1;
    t.ListChanged = true;
    RedrawRowsFromCursor(tr);
    ShowListHeader(tr);
}

void TypeCharacter(Trainer& tr, char c) {
    TrainerState& t = tr.t;
    if (t.EditColumn >= kEditorTypingColumns) return;
    t.ListChanged = true;
    t.EditBuffer.insert(static_cast<size_t>(t.EditColumn - 1), 1, c);
    if (t.EditBuffer.size() > kEditBufferMax) t.EditBuffer.resize(kEditBufferMax);
    ++t.EditColumn;
    RewriteCurrentLine(tr, 0);
}

void BackspaceKey(Trainer& tr) {
    TrainerState& t = tr.t;
    if (t.EditColumn <= 1) return;
    --t.EditColumn;
    t.EditBuffer.erase(static_cast<size_t>(t.EditColumn - 1), 1);
    RewriteCurrentLine(tr, 2);
    t.ListChanged = true;
}

void ReturnKey(Trainer& tr) {
    TrainerState& t = tr.t;
    if (t.EditBuffer.empty()) return;
    t.ListChanged = true;
    if (t.WordCount < kEditorMaxLines) {
        Line(t, t.CurrentLine) = t.EditBuffer;
        if (t.CurrentLine >= t.WordCount) {
            ++t.WordCount;
            Line(t, t.WordCount).clear();
            ListLineDown(tr);
        } else {
            for (int i = t.WordCount; i > t.CurrentLine; --i) Line(t, i + 1) = Line(t, i);
            ++t.WordCount;
            ++t.CurrentLine;
            Line(t, t.CurrentLine).clear();
            t.EditBuffer.clear();
            t.EditColumn = 1;
            if (RowOf(t, t.CurrentLine) > kListRows) {
                ++t.TopLine;
                GotoXY(tr.d, 1, kListRows);
                WriteLn(tr.d);
            }
            RedrawRowsFromCursor(tr);
        }
    }
    ShowListHeader(tr);
}

// F7: the first problem the list's checker finds, and the cursor on its
// line. A kind of list without a checker has none.
void CheckList(Trainer& tr) {
    TrainerState& t = tr.t;
    ListKeepLine(tr);
    const Program* p = ByEditorProgram(tr.programs, t.EditorProgram);
    NotationProblems problems;
    if (p && p->check)
        problems = p->check(
            std::span<const std::string>(t.WordList.data() + 1, static_cast<size_t>(t.WordCount)));
    if (problems.empty()) {
        PanelMessage(tr, "Keine Fehler gefunden.", 0, 10);
        return;
    }
    PanelMessage(tr, ProblemText(problems.front()), 15, 4);
    MoveToLine(tr, problems.front().line);
}

void ExtendedEditorKey(Trainer& tr, char key) {
    TrainerState& t = tr.t;
    switch (key) {
        case kListEscape: t.LastKey = keycode::Esc; break;
        case keycode::F8:
            if (t.ListChanged) WarnUnsaved(tr);
            // A second F8 in the warning confirms the new list.
            if (t.LastKey == keycode::F8 && tr.d.keys.ExtendedKey) NewList(tr);
            break;
        case keycode::F9:
            ListKeepLine(tr);
            PrintWordList(tr);
            break;
        case keycode::F7: CheckList(tr); break;
        case keycode::Left:
            if (t.EditColumn > 1) --t.EditColumn;
            break;
        case keycode::Right:
            if (t.EditColumn <= static_cast<int>(t.EditBuffer.size())) ++t.EditColumn;
            break;
        case keycode::End: t.EditColumn = static_cast<int>(t.EditBuffer.size()) + 1; break;
        case keycode::Home: t.EditColumn = 1; break;
        case keycode::F6: t.WordFileName.clear(); [[fallthrough]];
        case keycode::F5:
            ListKeepLine(tr);
            SaveWordList(tr);
            break;
        case keycode::Del: DeleteKey(tr); break;
        case keycode::Up: ListLineUp(tr); break;
        case keycode::Down: ListLineDown(tr); break;
        case keycode::PgUp: ListPageUp(tr); break;
        case keycode::PgDn: ListPageDown(tr); break;
        default: break;
    }
}

void EditorKeyLoop(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    do {
        GotoXY(d, t.EditColumn + 4, RowOf(t, t.CurrentLine));
        const char key = static_cast<char>(ReadKey(d));
        t.LastKey = key;
        if (d.keys.ExtendedKey) {
            int v = -1;
            TakeMouseLine(d, v, 0, kListRows - 1);
            if (v >= 0) MoveToClickedRow(tr, kListRows - v);
            ExtendedEditorKey(tr, key);
        } else if (TypedIntoLine(key)) {
            TypeCharacter(tr, key);
        } else if (key == keycode::Backspace) {
            BackspaceKey(tr);
        } else if (key == keycode::Return) {
            ReturnKey(tr);
        }
        if (t.LastKey == keycode::Esc && t.ListChanged) WarnUnsaved(tr);
    } while (t.LastKey != keycode::Esc);
}

bool HasOverlongLine(const TrainerState& t) {
    for (int i = 1; i <= t.WordCount; ++i)
        if (t.WordList[static_cast<size_t>(i)].size() > kEditBufferMax) return true;
    return false;
}

bool IsReadOnlyTarget(const TrainerState& t) {
    return !t.ReadOnlyFileName.empty() && NameInFileList({t.ReadOnlyFileName}, t.WordFileName);
}

// --- Saving ----------------------------------------------------------------------

void BlankOverwriteMessage(Trainer& tr) {
    if (!tr.t.OverwriteMessageShown) return;
    Colours(tr.d, 14, 7);
    WriteAt(tr.d, 2, 2, std::string(35, ' '));
    WriteAt(tr.d, 2, 3, std::string(35, ' '));
    tr.t.OverwriteMessageShown = false;
}

// A file of that name is there already: listed by the file selection, or
// (past the 80 names the selection lists, or saved during this visit) on
// the disk. Letter case does not count.
bool ListExists(Trainer& tr) {
    if (NameInFileList(tr.t.FileList, tr.t.WordFileName)) return true;
    DosFiles files(tr.d.platform.Files());
    SearchRec search;
    const bool found = files.FindFirstFile(tr.t.WordFilePath, 0, search) == 0;
    files.FindClose(search);
    return found;
}

// The overwrite question; true when the user accepts with 'j'.
bool OverwriteAccepted(Trainer& tr) {
    Dos& d = tr.d;
    Colours(d, 143, 4);
    WriteAt(d, 2, 2, "  " + tr.t.WordFileName + " existiert bereits! ");
    tr.t.OverwriteMessageShown = true;
    Beep(d);
    WriteAt(d, 2, 3, "  Alte Datei \201berschreiben (j/n) ? ");
    ReadKeyOrQuit(tr);
    if (tr.t.LastKey == 'j') return true;
    Colours(d, 143, 4);
    WriteAt(d, 2, 3, "  Anderen Namen eingeben !         ");
    return false;
}

// The name prompt on row 1 of the panel. False when ESC ended it.
bool AskFileName(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    TextColor(d, 143);
    WriteAt(d, 1, 1, " Namen:" + std::string(27, ' ') + "." + t.WordFileExt + "   ");
    Colours(d, 14, 1);
    std::string name;
    for (;;) {
        Colours(d, 14, 1);
        WriteAt(d, 8, 1, name + " ");
        GotoXY(d, 8 + static_cast<int>(name.size()), 1);
        const char key = static_cast<char>(ReadKey(d));
        t.LastKey = key;
        if (d.keys.ExtendedKey) continue;
        if (key == keycode::Esc) {
            t.WordFileName.clear();
            return false;
        }
        if (key == keycode::Backspace) {
            if (!name.empty()) name.pop_back();
        } else if (key == keycode::Return && name.empty()) {
            TextBackground(d, 4);
            WriteAt(d, 2, 2, " Kein g\x81ltiger Name!  ");
            Beep(d);
        } else if (key == keycode::Return) {
            BlankOverwriteMessage(tr);
            t.WordFileName = name + "." + t.WordFileExt;
            t.WordFilePath = t.ProgramDir + "LS1DAT\\" + t.WordFileName;
            if (!ListExists(tr) || OverwriteAccepted(tr)) return true;
            name.clear();
            Colours(d, 14, 1);
            WriteAt(d, 8, 1, std::string(kSaveNameMax, ' '));
        } else if (AcceptsNameKey(name, key)) {
            name += key;
        }
    }
}

bool WriteWordFile(Trainer& tr) {
    try {
        TextFile f(tr.d.platform.Files());
        f.Assign(tr.t.WordFilePath);
        f.Rewrite();
        for (int i = 1; i <= tr.t.WordCount; ++i) WriteLnToFile(f, Line(tr.t, i));
        f.Close();
        return true;
    } catch (const DosIoError&) {
        return false;
    }
}

// The saved path as the panel shows it: its end when it is longer than the
// row.
std::string ShownPath(const std::string& path) {
    constexpr size_t kCells = 39;
    return path.size() <= kCells ? path : "..." + path.substr(path.size() - (kCells - 3));
}

void ReportSave(Trainer& tr, bool stored) {
    Dos& d = tr.d;
    if (!stored) {
        Colours(d, 15, 4);
        WriteAt(d, 2, 14, "  Fehler beim Speichern !!    ");
        WriteAt(d, 2, 15, "  Eventuell Dateiverlust !    ");
        WriteAt(d, 2, 16, "  RETURN                      ");
        WaitForEnter(d);
        RestoreEditorKeys(tr);
        Panel(d);
        Colours(d, 0, 7);
        WriteAt(d, 2, 16, std::string(30, ' '));  // RestoreEditorKeys leaves this row
        return;
    }
    Colours(d, 0, 10);
    WriteAt(d, 2, 14, ShownPath(tr.t.WordFilePath));
    WriteAt(d, 2, 15, "erfolgreich gespeichert.      ");
    Colours(d, 14, 1);
    tr.t.ListChanged = false;
}

// Cleaning may have removed lines: the view shows the list as it is now.
void ShowCleanedList(Trainer& tr, int countBefore) {
    if (tr.t.WordCount == countBefore) return;
    ListWindow(tr.d);
    Colours(tr.d, 14, 1);
    RedrawList(tr);
    Panel(tr.d);
}

}  // namespace

bool TypedIntoLine(char c) {
    const uint8_t b = Byte(c);
    if ((b >= 'A' && b <= 'z') || (b >= ',' && b <= '9')) return true;
    switch (b) {
        case ' ':
        case '!':
        case '?':
        case 0x81:  // ü
        case 0x84:  // ä
        case 0x8e:  // Ä
        case 0x94:  // ö
        case 0x99:  // Ö
        case 0x9a:  // Ü
        case 0xe1:  // ß
            return true;
        default: return false;
    }
}

std::vector<std::string> PanelRows(std::string_view text, size_t width, size_t maxRows) {
    std::vector<std::string> rows;
    while (!text.empty() && rows.size() < maxRows && width > 0) {
        size_t cut = std::min(width, text.size());
        if (cut < text.size()) {
            const size_t blank = text.rfind(' ', cut);
            if (blank != std::string_view::npos && blank > width / 2) cut = blank;
        }
        rows.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    }
    return rows;
}

void WordListEditor(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    t.WordFileName.clear();
    SelectWordFile(tr);
    t.ProgramNo = No(FileProgram::Editor);
    if (t.LastKey == keycode::Esc) return;
    // The loaded file holds more lines than the list, or a line longer than
    // the editor's line, which it would cut once the cursor passes over it:
    // saving over it would lose the rest, so the editor does not.
    const char* reason = t.WordListCut ? kReadOnlyText : HasOverlongLine(t) ? kLongLineText : "";
    const std::string readOnlyName = *reason ? t.WordFileName : "";
    if (t.WordCount < 1) t.WordCount = 1;
    Window(d, 1, 1, 80, 25);
    TextBackground(d, 1);
    ClrScr(d);
    Colours(d, 0, 7);
    Panel(d);
    ClrScr(d);
    ShowRules(tr);
    ShowListHeader(tr);
    ListFirstPage(tr);
    t.ListChanged = false;
    t.ReadOnlyFileName = readOnlyName;
    t.ReadOnlyReason = reason;
    if (!readOnlyName.empty()) PanelMessage(tr, reason, 15, 4);
    PushMouseTexts(d, "", "quendel.m25");
    EditorKeyLoop(tr);
    PopMouseTexts(d);
    CursorOff(d);
}

void CleanWordListForSave(TrainerState& t) {
    if (t.WordCount <= 1) return;
    while (t.WordCount > 1 && t.WordList[t.WordCount].empty()) --t.WordCount;
    int kept = 0;
    for (int i = 1; i <= t.WordCount; ++i) {
        std::string line = t.WordList[i];
        const size_t end = line.find_last_not_of(' ');
        line.erase(end == std::string::npos ? 0 : end + 1);
        if (!line.empty()) t.WordList[++kept] = std::move(line);
    }
    for (int i = kept + 1; i <= t.WordCount; ++i) t.WordList[i].clear();
    t.WordCount = kept;
    if (t.WordFileExt == "KWT" && kept >= 1 && kept < kWordListSize &&
        !t.WordList[kept].starts_with('-')) {
        ++t.WordCount;
        t.WordList[t.WordCount].assign(1, '-');  // the closing line of the last block
    }
}

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

}  // namespace

bool NameInFileList(const std::vector<std::string>& fileList, std::string_view name) {
    return std::any_of(fileList.begin(), fileList.end(),
                       [name](const std::string& f) { return SameIgnoringCase(f, name); });
}

bool AcceptsNameKey(std::string_view name, char c) {
    if (name.size() >= kSaveNameMax) return false;
    const bool letterOrDigit =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ';
    return letterOrDigit || (c == '-' && !name.empty());
}

std::string PrintedListLine(int i, std::string_view text) {
    std::string numbered = (i < 10 ? " " : "") + std::to_string(i) + " ";
    numbered.append(text);
    if (numbered.size() > 60) numbered.resize(60);
    return std::string(10, ' ') + numbered;
}

void SaveWordList(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    Panel(d);
    if (t.WordCount > 1) {
        const int countBefore = t.WordCount;
        CleanWordListForSave(t);
        ShowCleanedList(tr, countBefore);
        const bool named = !t.WordFileName.empty() || AskFileName(tr);
        if (named && IsReadOnlyTarget(t)) {
            PanelMessage(tr, t.ReadOnlyReason, 15, 4);
            Panel(d);
        } else if (named) {
            ReportSave(tr, WriteWordFile(tr));
        }
    }
    Panel(d);
    BlankOverwriteMessage(tr);
    ShowListHeader(tr);
    t.LastKey = kSaved;
}

void PrintWordList(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    Panel(d);
    GotoXY(d, 10, 1);
    TextColor(d, 14);
    if (t.WordCount <= 1) {
        Write(d, "  Nur 1 Wort im Speicher!   ");
        ListWindow(d);
        return;
    }
    PrinterOutput out(tr);
    if (!out.Open()) {
        Write(d, " Drucker nicht bereit!       ");
        ListWindow(d);
        return;
    }
    Write(d, " Ich drucke!                 ");
    bool written = true;
    try {
        TextFile& f = out.File();
        WriteLnToFile(f);
        WriteToFile(f, std::string("\x1b"
                                   "E\x1bW") +
                           '\x01');
        WriteLnToFile(f);
        WriteLnToFile(f);
        WriteLnToFile(f);
        WriteToFile(f, "         Dateiname: " + t.WordFileName);
        WriteLnToFile(f, std::string("\x1bW") + '\0');
        WriteToFile(f, std::string(80, '-'));
        WriteLnToFile(f);
        WriteLnToFile(f);
        for (int i = 1; i <= t.WordCount; ++i) WriteLnToFile(f, PrintedListLine(i, Line(t, i)));
        WriteLnToFile(f, "\x0c");
    } catch (const DosIoError&) {
        written = false;
    }
    ShowListHeader(tr);
    if (written) out.CloseAndPrint();
    ListWindow(d);
}

void WarnUnsaved(Trainer& tr) {
    Dos& d = tr.d;
    TrainerState& t = tr.t;
    Panel(d);
    Colours(d, 15, 4);
    WriteAt(d, 2, 14, "  Der ge\x84nderte Text wurde    ");
    WriteAt(d, 2, 15, "  noch nicht gespeichert!!    ");
    WriteAt(d, 2, 20, "ESC = ENDE      /  Taste = weiter  ");
    WriteAt(d, 2, 21, "F5 = Speichern  /  F9 = Drucken    ");
    const char key = static_cast<char>(ReadKey(d));
    t.LastKey = key;
    if (!d.keys.ExtendedKey) {
        RestoreEditorKeys(tr);
    } else if (key == keycode::F5) {
        RestoreEditorKeys(tr);
        ListKeepLine(tr);
        SaveWordList(tr);
    } else if (key == keycode::F9) {
        RestoreEditorKeys(tr);
        ListKeepLine(tr);
        PrintWordList(tr);
    }
    ListWindow(d);
}

void RestoreEditorKeys(Trainer& tr) {
    Dos& d = tr.d;
    Panel(d);
    Colours(d, 0, 7);
    WriteAt(d, 2, 14, std::string(kMessageCells, ' '));
    WriteAt(d, 2, 15, std::string(kMessageCells, ' '));
    WriteAt(d, 2, 20, "Abbruch = ESC   /  F8 = Neue Datei ");
    WriteAt(d, 2, 21, "F5 = Speichern  /  F9 = Drucken    ");
    ListWindow(d);
    Colours(d, 14, 1);
}

}  // namespace qs
