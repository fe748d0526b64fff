// The programs of the menu: one row per menu entry with everything the
// trainer decides by program (hotkey, menu line, word-list kind, file
// extension, protocol and certificate rules, the quit box) and the launcher
// that runs it. The rows live above the trainer, beside the exercises they
// launch (exercises/Programs.h); the trainer reads them through the span a
// Trainer is built with.
//
// ProgramNo, the trainer's historical state field, has two ranges: while
// the menu reads keys it is the menu entry 1..12; around the word-list
// selection, the exercise and the certificate it is the file program
// number (the kind of word list). The helpers at the end read it in the
// one sense or the other.
#pragma once

#include <span>

#include "trainer/Notation.h"

namespace qs {

class Trainer;
struct TrainerState;

// The twelve menu entries, in menu order.
enum class MenuEntry : int {
    Wortvergleich = 1,
    Vorsilben,
    Endungen,
    SilbenOrdnen,
    Zerlegen,
    Baustelle,
    Aus2Mach1,
    Kontakt,
    Greifen,
    Umwandeln,
    Reparieren,
    TextEditor,
};

// File program numbers: the kind of word list a program works on. Silben
// ordnen and Zerlegen share their word lists but not their number; Kontakt
// and Greifen share both.
enum class FileProgram : int {
    QuitQuestion = 0,  // set while the quit question is open (F9 prints the protocol)
    Wortvergleich = 1,
    Vorsilben,
    Endungen,
    SilbenOrdnen,
    Zerlegen,
    Baustelle,
    Aus2Mach1,
    KontaktGreifen,
    Umwandeln,
    Reparieren,
    Editor,
};

constexpr int No(MenuEntry e) { return static_cast<int>(e); }
constexpr int No(FileProgram f) { return static_cast<int>(f); }

// What the exercise line of the teacher protocol carries after the title.
enum class ProtocolHead {
    FileOnly,       // title, ">" and the word file
    FirstLine,      // title, ": " and word-list line 1, then the file
    FirstTwoLines,  // ... and " " with line 2 before the file
};

// How a results entry's word-list line is printed on the certificate.
enum class ResultWord {
    WithoutGaps,      // every '_' removed
    StemWithEndings,  // the stem joined with each '_' ending, ", " between
};

// The colours of the "Jetzt schon beenden?" box.
enum class QuitBox {
    Orange,       // orange, written in navy
    Navy,         // navy, written in white (the games on a dark screen)
    NavyForRace,  // Navy when Endungen is played as the race, else Orange
};

// The note the word-list selection shows under its list.
enum class SelectionNote {
    None,       // the "more files" hint when the list is longer than the box
    Exposure,   // "+/-" changes the exposure time
    Direction,  // the direction of conversion, chosen with F5
};

// What the dispatch resets before the word list of Umwandeln or
// Reparieren is chosen.
enum class ConvertReset {
    None,
    Direction,               // UmwandelnDirection := 1
    DirectionAndReversible,  // and UmwandelnReversible := false
};

using Launcher = void (*)(Trainer&);

// One row of the program table. The first fields name the entry; the
// others default to a program without the feature.
struct Program {
    MenuEntry entry;
    char hotkey;                    // lower case; upper case does nothing
    const char* menuText;           // code page 437, blanks included
    int menuRow;                    // row in the menu window
    FileProgram file;               // ProgramNo during the selection and the exercise
    const char* extension;          // word-list extension, "" for the editor
    const char* fileListName;       // the program's name on the printed file list
    int editorProgram = 0;          // the editor's number 1..9 for this word-list kind, 0 none
    bool wordListSelection = true;  // false: the launcher runs without a word list
    bool startWordChoice = false;   // "Reihenfolge" lets the child pick the first word
    SelectionNote note = SelectionNote::None;
    ConvertReset convertReset = ConvertReset::None;
    bool certificate = false;          // offered afterwards when more than two results were entered
    const char* certificateName = "";  // the exercise on the certificate
    ResultWord resultWord = ResultWord::WithoutGaps;
    bool combinationsHeading = false;     // "Wortkombinationen" instead of "Wörter" as difficult
    const char* protocolTitle = nullptr;  // the exercise line's title; nullptr: no protocol
    ProtocolHead protocolHead = ProtocolHead::FileOnly;
    QuitBox quitBox = QuitBox::Orange;
    int quitBoxPenAfter = -1;       // pen colour set when the quit box closes, -1 none
    Launcher launcher = nullptr;    // nullptr: nothing to run
    NotationCheck check = nullptr;  // the word-list checker of this kind, nullptr none yet
};

using ProgramTable = std::span<const Program>;

// Lookups; nullptr when no row fits. A file program shared by two entries
// (Kontakt and Greifen) finds the first of them: they share its rules.
const Program* ByEntry(ProgramTable programs, int entry);
const Program* ByHotkey(ProgramTable programs, char key);
const Program* ByFileProgram(ProgramTable programs, int fileProgram);
const Program* ByEditorProgram(ProgramTable programs, int editorProgram);

// ProgramNo read as the menu entry (the menu loop).
const Program* MenuProgram(const Trainer& tr);
// ProgramNo read as the file program number (selection, exercise,
// certificate, quit box).
const Program* RunningProgram(const Trainer& tr);
// ProgramNo is this file program number.
bool IsRunning(const TrainerState& t, FileProgram f);

}  // namespace qs
