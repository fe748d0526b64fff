// The trainer's shared state: what the menu, the options screen, the file
// selection, the editor, the results and the exercises read and write. The
// field names are the trainer's historical ones. One Trainer object holds
// it for one run of the trainer's main procedure, beside the Dos machine it
// draws on.
#pragma once

#include <array>
#include <random>
#include <string>
#include <vector>

#include "screen/Dos.h"
#include "trainer/Programs.h"

namespace qs {

// The option variables (saved in the options file, lines 1 to 19).
struct Options {
    bool OptArtikel = false;  // stored as 100 (on) or 0
    int GraphFont = 0;
    int OptTon = 0;
    int OptWortwahl = 0;
    int OptTrennung = 0;
    int OptBaustelle = 0;
    int OptBausteine = 0;
    int OptMaus = 0;
    int KontaktThickness = 0;
    int OptWortvergl = 0;
    int OptZerlegen = 0;
    int OptGreifen = 0;
    int OptGreifteile = 0;
    int OptSauri = 0;
    int OptSortFiles = 0;
    int OptEndungen = 0;
    int OptWiederhole = 0;
    int OptZerlegenArt = 0;
    int OptReserve = 1;
};

constexpr int kWordListSize = 301;
constexpr int kProtocolSize = 100;
constexpr int kResultsSize = 60;
// A results entry is a word-list line number, plus this when the word had
// mistakes.
constexpr int kMistakeMark = 1000;
constexpr int kFileListMax = 80;

struct TrainerState {
    // --- Menu and program loop -------------------------------------------
    std::string ProgramDir;     // the program folder, ending in '/'
    std::string OptionsPath;    // the options file in use (a real path)
    std::string FirstArgument;  // the program's first command-line argument, or ""
    int ProgramNo = 1;
    char MenuKey = ' ';
    char LastKey = ' ';
    bool AnswerNo = false;
    bool OptionsChanged = false;
    int EditorProgram = 1;
    int MaxX = 639;
    int MaxY = 479;
    int UmwandelnDirection = 1;
    bool UmwandelnReversible = false;
    Options opt;
    std::array<std::string, 16> LastFiles{};
    int OptionsRow = 1;
    bool WortwahlRelabelled = false;  // "Wortfolge" shown since row 3 was selected

    // --- Teacher protocol and results -------------------------------------
    // Index 1..100 as in the protocol's numbering; entry 0 unused.
    std::array<std::string, kProtocolSize + 2> ProtocolLines{};
    int ProtocolCount = 0;
    // Index 1..60; entry 0 unused.
    std::array<int, kResultsSize + 1> Results{};
    int ResultCount = 0;
    int ListedCount = 0;
    int PageLines = 0;

    // --- Word list and file selection --------------------------------------
    // Index 1..301; entry 0 unused.
    std::array<std::string, kWordListSize + 1> WordList{};
    int WordCount = 0;
    int CurrentLine = 1;
    int TopLine = 0;
    std::string EditBuffer;
    int EditColumn = 1;
    std::string WordFileExt;
    std::string WordFilePath;  // DOS style: ProgramDir + "LS1DAT\" + name
    std::string WordFileName;
    std::vector<std::string> FileList;
    int FileCount = 0;
    bool WrongExtension = false;
    // The last load dropped lines: the file holds more lines than the table.
    bool WordListCut = false;

    // --- File selection: shared with the word-list editor ------------------
    // The editor's "file exists" message is on the screen (cleared by each
    // file selection, so the editor does not blank rows it did not write).
    bool OverwriteMessageShown = false;
    // The editor's list was edited and not yet saved.
    bool ListChanged = false;
    // A file the editor loaded only in part (see WordListCut): never saved
    // over. Empty when there is none.
    std::string ReadOnlyFileName;
    // Why ReadOnlyFileName is not saved over, as the editor shows it.
    std::string ReadOnlyReason;
};

// Players, turns and the tasks of the running exercise.
struct PlayersState {
    int PlayerCount = 1;
    std::string PlayerName1;
    std::string PlayerName2;
    bool Player1Turn = true;
    int EntryX = 0;
    std::string WorkText;
    std::string AnswerText;
    int AnswerX = 0;
    int TextSize = 0;
    int TaskCount = 0;
    int TaskMistakes = 0;
    int CurrentWordNo = 0;
    std::array<int, 6> RepeatList{};  // index 1..5
    int RepeatCount = 0;
    bool RepeatDue = false;
    bool MistakeNoted = false;
    int ResumeWordPos = 0;
    std::string PartsText;
    std::array<int, 17> PieceLeft{};  // index 1..16
    std::array<int, 17> PieceRight{};
    std::array<std::string, 17> PieceText{};
    int PieceSlot = 0;
};

// One run of the trainer: the machine it draws on, the programs of its
// menu (handed in by whoever builds it, since their launchers sit above the
// trainer) and its state.
class Trainer {
public:
    Trainer(Dos& dos, ProgramTable table) : d(dos), programs(table) {}
    Trainer(const Trainer&) = delete;
    Trainer& operator=(const Trainer&) = delete;

    Dos& d;
    ProgramTable programs;
    TrainerState t;
    PlayersState players;

    // --- Randomness of the trainer and the exercises -----------------------
    // Seeded once at the start of the main procedure (see trainer/Random.h).
    std::mt19937 RandomGenerator;
};

}  // namespace qs
