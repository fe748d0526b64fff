#include "trainer/TrainerMain.h"

#include "screen/DosPath.h"
#include "screen/Keyboard.h"
#include "screen/Paths.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "trainer/Editor.h"
#include "trainer/FileSelection.h"
#include "trainer/Menu.h"
#include "trainer/OptionsFile.h"
#include "trainer/OptionsScreen.h"
#include "trainer/Random.h"
#include "trainer/Results.h"

namespace qs {

namespace {

constexpr char kEscape = 27;
constexpr char kReturn = 13;
constexpr char kStartWordCancelled = 37;
constexpr int kEditorEntry = 12;

// For each menu entry: the file program number used while its word list is
// chosen and its exercise runs, and whether it offers the work certificate.
struct Dispatch {
    int fileProgram;
    bool certificate;
};

constexpr Dispatch kDispatch[kMenuEntries + 1] = {
    {0, false},  {1, false},  // Wortvergleich
    {2, true},                // Vorsilben
    {3, true},                // Endungen
    {4, true},                // Silben ordnen
    {5, true},                // Zerlegen
    {6, false},               // Baustelle
    {7, false},               // Aus 2 mach 1
    {8, false},               // Kontakt
    {8, false},               // Greifen uses the Kontakt word lists
    {9, true},                // Umwandeln
    {10, true},               // Reparieren
    {11, false},              // Text-Editor
};

void Run(Trainer& tr, ExerciseProc proc) {
    if (proc) proc(tr);
}

void RunExercise(Trainer& tr, int entry) {
    const ExerciseTable& e = tr.exercises;
    switch (entry) {
        case 1: Run(tr, e.RunComparison); break;
        case 2: Run(tr, e.RunRace); break;
        case 3: Run(tr, tr.t.opt.OptEndungen == 1 ? e.RunRace : e.RunTeeth); break;
        case 4:
        case 5: Run(tr, e.RunSyllables); break;
        case 6: Run(tr, e.RunBuildingSite); break;
        case 7: Run(tr, e.RunTwoIntoOne); break;
        case 8: Run(tr, e.RunContact); break;
        case 9: Run(tr, e.RunGrabbing); break;
        case 10:
        case 11: Run(tr, e.RunConvert); break;
        default: break;
    }
}

void CertificateCheck(Trainer& tr) {
    if (tr.t.ResultCount > 2) {
        PrintCertificate(tr);
        ClearRightHalf(tr.d);
    }
}

void EmptyRepeatList(PlayersState& p) {
    p.RepeatCount = 0;
    p.RepeatDue = false;
    p.ResumeWordPos = 0;
}

void HandleMenuKey(Trainer& tr) {
    TrainerState& t = tr.t;
    Dos& d = tr.d;
    if (d.keys.ExtendedKey) {
        TakeMouseItem(d, t.ProgramNo, 1, kMenuEntries);
        switch (t.MenuKey) {
            case 'P':
                if (t.ProgramNo < kMenuEntries) ++t.ProgramNo;
                break;
            case 'H':
                if (t.ProgramNo > 1) --t.ProgramNo;
                break;
            case 'G':
            case 'I': t.ProgramNo = 1; break;
            case 'O':
            case 'Q': t.ProgramNo = kMenuEntries; break;
            default: break;
        }
        DrawMenuEntries(tr);
    }
    if (t.MenuKey == ';') t.MenuKey = '%';
    if (t.MenuKey == 'o') {
        OptionsScreen(tr);
        if (t.MenuKey == kEscape || t.MenuKey == ';') t.MenuKey = ' ';
    }
    if (const int entry = MenuEntryForHotkey(t.MenuKey); entry != 0) {
        t.ProgramNo = entry;
        DrawMenuEntries(tr);
        t.MenuKey = kReturn;
    }
    if (t.MenuKey == kReturn) {
        DispatchEntry(tr);
        MouseShow(d, 1);
    }
}

void Start(Trainer& tr) {
    TrainerState& t = tr.t;
    Dos& d = tr.d;
    t.ProgramDir = AppDir(d.platform.Files());
    t.ProgramNo = 1;
    Randomize(tr);
    t.MenuKey = ' ';
    tr.players.PlayerName1.clear();
    tr.players.PlayerName2.clear();
    t.OptionsRow = 1;
    if (!t.FirstArgument.empty())
        d.platform.SetTitle(std::string(kCaption) + std::string(NameOf(t.FirstArgument)));
    t.OptionsPath = OptionsFilePath(tr);
    ReadOptionsFile(tr);
    InitGraph(d, 0, 0, t.ProgramDir + "bgi7");
    t.MaxX = GetMaxX(d);
    t.MaxY = GetMaxY(d);
    CloseGraph(d);
    if (MouseInstalled()) {
        if (t.opt.OptMaus == 0) t.opt.OptMaus = 2;
    } else {
        t.opt.OptMaus = 0;
    }
    ShowMainMenu(tr);
    for (std::string& line : t.ProtocolLines) line.clear();
    t.ProtocolCount = 0;
    t.opt.GraphFont = 1;
}

void Finish(Trainer& tr) {
    Dos& d = tr.d;
    CursorOn(d);
    d.screen.GraphMode = false;
    TextBackground(d, 0);
    Window(d, 1, 1, 80, 25);
    ClrScr(d);
    if (!tr.t.OptionsChanged) return;
    tr.t.OptionsPath = OptionsFilePath(tr);
    if (!WriteOptionsFile(tr)) {
        WriteLn(d, "Die ge\x84nderten >Optionen< konnten nicht gespeichert werden!");
        ReadKey(d);
    }
}

}  // namespace

// While the word list is chosen and the exercise runs, ProgramNo is the
// file program number; the menu is drawn with the entry highlighted, and
// the certificate sees the file program number again.
void DispatchEntry(Trainer& tr, WordFileSelection selectWordFile) {
    TrainerState& t = tr.t;
    const int entry = t.ProgramNo;
    if (entry < 1 || entry > kMenuEntries) return;
    const Dispatch& how = kDispatch[entry];
    t.EditorProgram = 1;
    Window(tr.d, 1, 1, 80, 25);
    t.ProgramNo = how.fileProgram;
    if (entry == kEditorEntry) {
        EditorChooser(tr);
        t.ProgramNo = entry;
        return;
    }
    if (entry == 10) t.UmwandelnReversible = false;
    if (entry == 10 || entry == 11) t.UmwandelnDirection = 1;
    selectWordFile(tr);
    const char selected = t.LastKey;
    if (selected == kEscape) {
        t.ProgramNo = entry;
        ClearRightHalf(tr.d);
        return;
    }
    const bool startWordCancelled = selected == kStartWordCancelled;
    if (!startWordCancelled) RunExercise(tr, entry);
    t.ProgramNo = entry;
    ShowMainMenu(tr);
    if (!startWordCancelled && how.certificate) {
        t.ProgramNo = how.fileProgram;
        CertificateCheck(tr);
        t.ProgramNo = entry;
    }
}

void TrainerMain(Trainer& tr) {
    TrainerState& t = tr.t;
    Start(tr);
    for (;;) {
        EmptyRepeatList(tr.players);
        t.MenuKey = static_cast<char>(ReadKey(tr.d));
        HandleMenuKey(tr);
        if (t.MenuKey != kEscape) continue;
        QuitQuestion(tr);
        if (t.MenuKey == kEscape) break;
    }
    Finish(tr);
}

}  // namespace qs
