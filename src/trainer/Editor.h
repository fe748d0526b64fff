// The word-list editor and its program chooser.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "trainer/TrainerState.h"

namespace qs {

// Returns with LastKey = ESC and the right half cleared.
void EditorChooser(Trainer& tr);

// The editor for EditorProgram: file selection on the left half, then the
// list on the left and the input rules on the right; returns when the user
// leaves with ESC.
void WordListEditor(Trainer& tr);
// Saves WordList under WordFileName, asking for a name when it is empty;
// ends with LastKey = '%'.
void SaveWordList(Trainer& tr);
// Prints the list through the printer file.
void PrintWordList(Trainer& tr);
// The box about unsaved changes: ESC leaves, F5 saves, F9 prints, any
// other key goes on editing. The key is left in LastKey.
void WarnUnsaved(Trainer& tr);
// The key lines of the right panel as they stand when no message is shown.
void RestoreEditorKeys(Trainer& tr);

// The limits of an edited list: lines, and the column before which typing
// is taken.
constexpr int kEditorMaxLines = 300;
constexpr int kEditorTypingColumns = 75;
// Typing key c inserts it into the line (letters, digits, the umlauts and a
// few signs of the word-list notations).
bool TypedIntoLine(char c);

// A text for the panel cut into rows of at most width cells, broken at a
// blank where one is near, at most maxRows rows.
std::vector<std::string> PanelRows(std::string_view text, size_t width, size_t maxRows);

// The list as it is written to its file: trailing empty lines dropped,
// trailing blanks cut from every line, lines that are then empty removed
// (the others keep their order), and a Kontakt/Greifen list ("KWT") that
// does not end in a line beginning with '-' closed with a line "-".
// A list of at most one line is left as it is: it is never saved.
void CleanWordListForSave(TrainerState& t);

// The file name given for saving names a list of the last file selection.
// Letter case does not count: on a case-sensitive file system two names
// that differ only in case would otherwise leave two lists the selection
// cannot tell apart, or overwrite one through the path layer unasked.
bool NameInFileList(const std::vector<std::string>& fileList, std::string_view name);

// The name input of saving: whether key c is appended to name. Digits,
// letters a to z and A to Z and the blank while the name is shorter than
// kSaveNameMax; '-' only after the first character.
constexpr size_t kSaveNameMax = 25;
bool AcceptsNameKey(std::string_view name, char c);

// Line i of the printed list: ten blanks, then at most 60 characters of
// a blank before a one-digit number, the number, a blank and the text.
std::string PrintedListLine(int i, std::string_view text);

}  // namespace qs
