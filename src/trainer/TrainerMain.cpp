#include "trainer/TrainerMain.h"

#include "screen/DosPath.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/Paths.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "trainer/FileSelection.h"
#include "trainer/Menu.h"
#include "trainer/OptionsFile.h"
#include "trainer/OptionsScreen.h"
#include "trainer/Random.h"
#include "trainer/Results.h"

namespace qs {

namespace {

constexpr char kStartWordCancelled = 37;

// The menu's first and last entry, where the cursor keys stop.
int FirstEntry(const Trainer& tr) {
    return tr.programs.empty() ? 0 : No(tr.programs.front().entry);
}
int LastEntry(const Trainer& tr) { return tr.programs.empty() ? 0 : No(tr.programs.back().entry); }

void Launch(Trainer& tr, const Program& p) {
    if (p.launcher) p.launcher(tr);
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
    const int first = FirstEntry(tr);
    const int last = LastEntry(tr);
    if (d.keys.ExtendedKey) {
        TakeMouseItem(d, t.ProgramNo, first, last);
        switch (t.MenuKey) {
            case keycode::Down:
                if (t.ProgramNo < last) ++t.ProgramNo;
                break;
            case keycode::Up:
                if (t.ProgramNo > first) --t.ProgramNo;
                break;
            case keycode::Home:
            case keycode::PgUp: t.ProgramNo = first; break;
            case keycode::End:
            case keycode::PgDn: t.ProgramNo = last; break;
            default: break;
        }
        DrawMenuEntries(tr);
    }
    if (t.MenuKey == keycode::F1) t.MenuKey = '%';
    if (t.MenuKey == 'o') {
        OptionsScreen(tr);
        if (t.MenuKey == keycode::Esc || t.MenuKey == keycode::F1) t.MenuKey = ' ';
    }
    if (const Program* p = ByHotkey(tr.programs, t.MenuKey)) {
        t.ProgramNo = No(p->entry);
        DrawMenuEntries(tr);
        t.MenuKey = keycode::Return;
    }
    if (t.MenuKey == keycode::Return) {
        DispatchEntry(tr);
        MouseShow(d, 1);
    }
}

// Holds the screen offstage for as long as it lives.
class Offstage {
public:
    explicit Offstage(Dos& d) : d_(d), was_(d.offstage) { d.offstage = true; }
    ~Offstage() { d_.offstage = was_; }
    Offstage(const Offstage&) = delete;
    Offstage& operator=(const Offstage&) = delete;

private:
    Dos& d_;
    bool was_;
};

void Start(Trainer& tr) {
    TrainerState& t = tr.t;
    Dos& d = tr.d;
    t.ProgramDir = AppDir(d.platform.Files());
    t.ProgramNo = No(MenuEntry::Wortvergleich);
    Randomize(tr);
    t.MenuKey = ' ';
    tr.players.PlayerName1.clear();
    tr.players.PlayerName2.clear();
    t.OptionsRow = 1;
    if (!t.FirstArgument.empty())
        d.platform.SetTitle(std::string(kCaption) + std::string(NameOf(t.FirstArgument)));
    t.OptionsPath = OptionsFilePath(tr);
    ReadOptionsFile(tr);
    {
        // The graphics screen is entered only to learn its size: nobody is
        // to see it or wait for it before the menu shows.
        Offstage offstage(d);
        InitGraph(d, 0, 0, t.ProgramDir + "bgi7");
        t.MaxX = GetMaxX(d);
        t.MaxY = GetMaxY(d);
        CloseGraph(d);
    }
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
    const Program* program = MenuProgram(tr);
    if (!program) return;
    const Program& p = *program;
    const int entry = t.ProgramNo;
    t.EditorProgram = 1;
    Window(tr.d, 1, 1, 80, 25);
    t.ProgramNo = No(p.file);
    if (!p.wordListSelection) {
        Launch(tr, p);
        t.ProgramNo = entry;
        return;
    }
    if (p.convertReset == ConvertReset::DirectionAndReversible) t.UmwandelnReversible = false;
    if (p.convertReset != ConvertReset::None) t.UmwandelnDirection = 1;
    selectWordFile(tr);
    const char selected = t.LastKey;
    if (selected == keycode::Esc) {
        t.ProgramNo = entry;
        ClearRightHalf(tr.d);
        return;
    }
    const bool startWordCancelled = selected == kStartWordCancelled;
    if (!startWordCancelled) Launch(tr, p);
    t.ProgramNo = entry;
    ShowMainMenu(tr);
    if (!startWordCancelled && p.certificate) {
        t.ProgramNo = No(p.file);
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
        if (t.MenuKey != keycode::Esc) continue;
        QuitQuestion(tr);
        if (t.MenuKey == keycode::Esc) break;
    }
    Finish(tr);
}

}  // namespace qs
