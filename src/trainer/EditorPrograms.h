// The nine kinds of word list the editor writes: the chooser's entries,
// the file program and extension each stands for, and the input rules the
// editor shows beside the list.
#pragma once

#include <span>

#include "trainer/Programs.h"

namespace qs {

constexpr int kEditorProgramCount = 9;

// One line of the input rules, at a row of the right-hand window (40,1,80,25).
struct RuleLine {
    int row;
    const char* text;  // code page 437
};

struct EditorProgramInfo {
    const char* chooserText;  // code page 437, blanks included
    int chooserRow;           // row in the chooser window
    FileProgram file;
    const char* extension;
    std::span<const RuleLine> rules;  // the rules of this kind of list
};

// nullptr outside 1..9.
const EditorProgramInfo* EditorProgramByNo(int editorProgram);

// The rule lines every kind shares (the heading and the key list), and the
// closing hint written in colour 15 on row 25.
std::span<const RuleLine> CommonEditorRules();
constexpr int kEditorHintRow = 25;
constexpr const char* kEditorHint = "Hinweise in der Anleitung beachten.";
// The check key, on the row of the line limit behind its text.
constexpr int kCheckKeyRow = 19;
constexpr int kCheckKeyColumn = 28;
constexpr const char* kCheckKeyText = "F7 = Pr\201fen";

}  // namespace qs
