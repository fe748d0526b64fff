#include "shell/MainWindow.h"

#include <cstdio>
#include <exception>

#include "base/CodePage.h"
#include "screen/DosFiles.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/Paths.h"
#include "screen/Settings.h"
#include "screen/TextFile.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "screen/surface/Raster.h"
#include "shell/MessageBox.h"
#include "shell/StartSetup.h"

namespace qs {

namespace {

constexpr const char* kProductName = "Quendelstrand";
constexpr size_t kRecentFilesKept = 20;
const char* const kSpeedNotStored = "Die Einstellung konnte nicht gespeichert werden.";

// A missing file or folder is no error: the list then starts empty.
std::string RecentFilesPath(FileSystem& fs) { return ExpandAppPath(fs, "Bgi7") + "\\filelist.txt"; }

}  // namespace

double ParseSpeedFactor(const std::string& text, char decimalSeparator) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double value = 0;
    int digits = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
        value = value * 10 + (text[i] - '0');
    if (i < n && text[i] == decimalSeparator) {
        double scale = 0.1;
        for (++i; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++digits, scale /= 10)
            value += (text[i] - '0') * scale;
    }
    while (i < n && text[i] == ' ') ++i;
    if (digits == 0 || i != n) return 1.0;
    if (negative) value = -value;
    // A hand-edited value beyond what the dialog offers would stretch every
    // short wait without bound.
    if (value < SliderToValue(0) || value > SliderToValue(kSpeedSliderMax)) return 1.0;
    return value;
}

TForm_dos::TForm_dos(Dos& d, TrainerProc trainerMain)
    : d_(d), trainerMain_(std::move(trainerMain)) {
    d_.window = this;
    d_.mouse.MouseMoveHook = nullptr;
    for (auto& page : d_.Pages) page.reset();
}

TForm_dos::~TForm_dos() {
    Destroy();
    if (d_.window == this) d_.window = nullptr;
}

void TForm_dos::Create() {
    InitMouse(d_);
    LoadGlyphPictures();
    InstallFonts();
    StartPending = true;
    Painted = false;
    LoadRecentFiles();
}

void TForm_dos::LoadGlyphPictures() {
    FileSystem& fs = d_.platform.Files();
    DosFiles files(fs);
    const std::string folder = AppDir(fs) + "emfs\\";
    SearchRec rec;
    for (int rc = files.FindFirstFile(folder + "*.emf", FileAttr::AnyFile, rec); rc == 0;
         rc = files.FindNextFile(rec)) {
        auto bytes = fs.ReadFile(ResolvePath(fs, folder + rec.Name));
        if (!bytes) continue;
        auto picture = Metafile::Parse(std::move(*bytes));
        if (picture) d_.GlyphPictures.push_back({BareFileName(rec.Name), std::move(*picture)});
    }
}

void TForm_dos::InstallFonts() {
    for (const char* file :
         {"bgi7\\qxdos.ttf", "bgi7\\qxdosva.TTF", "bgi7\\qxmathe.TTF", "bgi7\\lueckentext.TTF"})
        InstallFont(file);
    // The program's face-name aliases ("Courier New", "Arial", ...).
    FileSystem& fs = d_.platform.Files();
    d_.fonts.LoadConfig(ResolvePath(fs, AppDir(fs) + "bgi7\\fonts.conf"));
}

// A font file becomes usable under its face name; it is listed when it
// brings exactly one new face.
void TForm_dos::InstallFont(const std::string& relative) {
    FileSystem& fs = d_.platform.Files();
    const std::string path = ResolvePath(fs, AppDir(fs) + relative);
    if (!fs.Exists(path)) return;
    const std::vector<std::string> faces = d_.fonts.AddFontFile(path);
    if (faces.size() == 1) d_.InstalledFonts.push_back(faces.front() + "=" + path);
}

void TForm_dos::LoadRecentFiles() {
    FileSystem& fs = d_.platform.Files();
    TextFile f(fs);
    try {
        f.Assign(RecentFilesPath(fs));
        f.Reset();
        std::string line;
        while (!f.Eof()) {
            ReadLnFromFile(f, line);
            RecentFiles.push_back(line);
        }
        f.Close();
    } catch (const DosIoError&) {}
}

void TForm_dos::SaveRecentFiles() {
    if (RecentFiles.size() > kRecentFilesKept) RecentFiles.resize(kRecentFilesKept);
    TextFile f(d_.platform.Files());
    try {
        f.Assign(RecentFilesPath(d_.platform.Files()));
        f.Rewrite();
        for (const std::string& line : RecentFiles) WriteLnToFile(f, line);
        f.Close();
    } catch (const DosIoError&) {}
}

void TForm_dos::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    SaveRecentFiles();
}

void TForm_dos::Show() {
    Painted = false;
    AltDown = false;
    FileSystem& fs = d_.platform.Files();
    fs.MakeDirectories(ResolvePath(fs, AppDir(fs) + "Wavs\\"));
    RebuildScreen();
    d_.platform.SetTitle(kProductName);
}

void TForm_dos::RebuildScreen() {
    d_.RefreshCanvas();
    InitScreen(d_);
    d_.keys.TrainerActive = true;
}

void TForm_dos::Run() {
    while (!closed_) {
        Event e;
        if (d_.platform.PollEvent(e)) {
            HandleEvent(e);
            continue;
        }
        Idle();
        d_.PresentIfDirty();
        const bool startsNext = Painted && StartPending;
        if (closed_ || startsNext) continue;
        // While the trainer does not run (an inactive window waits to be
        // activated before it starts again), a script goes on from here.
        if (d_.beforePump) d_.beforePump();
        if (!d_.platform.PeekEvent(e)) {
            if (d_.waitingForInput) d_.waitingForInput();
            d_.platform.SleepMillis(5);
        }
    }
}

void TForm_dos::Idle() {
    if (!Painted) return;
    d_.platform.SleepMillis(0);
    if (!StartPending) return;
    if (!StartNotice.empty()) ShowStartNotice();
    StartPending = false;
    d_.keys.RestartRequested = false;
    d_.keys.ScaleDelays = true;
    RunTrainerOnce();
    if (d_.keys.RestartRequested) {
        RebuildScreen();
        if (!d_.keys.QuitRequested) StartPending = true;
    } else {
        OnClose();
    }
}

double TForm_dos::ReadSpeedFactor() {
    std::string text;
    ReadSetting(d_.platform.Settings(), ProgramFileName(d_.platform.Files()), "", "Allgemein",
                "Delay", text, "1");
    return ParseSpeedFactor(text, d_.platform.DecimalSeparator());
}

// One run of the trainer. Whatever ends it (a restart after a resize, an
// error), the trainer is no longer active afterwards, so a later close
// request is not taken for the trainer's ESC.
void TForm_dos::RunTrainerOnce() {
    try {
        d_.keys.SpeedFactor = ReadSpeedFactor();
        trainerMain_(d_);
    } catch (const RestartUnwind&) {
    } catch (const ScriptFinished&) {
        d_.keys.TrainerActive = false;
        throw;
    } catch (const std::exception& e) {
        lastError_ = e.what();
        std::fprintf(stderr, "quendelstrand: %s\n", e.what());
    } catch (...) {
        lastError_ = "unknown error";
        std::fprintf(stderr, "quendelstrand: unknown error\n");
    }
    d_.keys.TrainerActive = false;
}

void TForm_dos::HandleEvent(const Event& e) {
    using T = Event::Type;
    switch (e.type) {
        case T::KeyDown: OnKeyDown(e); break;
        case T::KeyUp: OnKeyUp(e); break;
        case T::Text: OnText(e); break;
        case T::MouseDown: OnMouseDown(e); break;
        case T::MouseUp: OnMouseUp(e); break;
        case T::MouseMove: OnMouseMove(e); break;
        case T::Resize: OnResize(); break;
        case T::FocusLost: OnDeactivate(); break;
        case T::FocusGained: OnActivate(); break;
        case T::Expose:
            Painted = true;
            d_.MarkDirty();
            break;
        case T::Close: OnClose(); break;
        case T::None: break;
    }
}

// Return, Escape, Backspace and Tab type their control characters; other
// keys give their extended code. While Alt is held nothing is converted.
void TForm_dos::OnKeyDown(const Event& e) {
    if (e.key == Key::Alt) AltDown = true;
    if (e.key == Key::F10 && !d_.exclusive) {
        SpeedDialog();
        return;
    }
    if (AltDown) return;
    KeyDownToKeys(d_, e.key);
}

// A character typed with Alt held arrives when Alt is released.
void TForm_dos::OnKeyUp(const Event& e) {
    if (e.key != Key::Alt) return;
    if (pendingAltChar_ >= 0) AppendTyped(static_cast<uint8_t>(pendingAltChar_));
    pendingAltChar_ = -1;
    AltDown = false;
}

void TForm_dos::OnText(const Event& e) {
    if (!AltDown) {
        TextToKeys(d_, e.text);
        return;
    }
    const std::string letters = WindowsLetters(e.text);
    if (!letters.empty()) pendingAltChar_ = static_cast<uint8_t>(letters.back());
}

void TForm_dos::AppendTyped(uint8_t ch) { d_.keys.KeyBuffer.push_back(static_cast<char>(ch)); }

void TForm_dos::OnMouseDown(const Event& e) {
    MouseState& m = d_.mouse;
    if (e.button == MouseButton::Left) {
        m.LeftHeld = true;
        m.LastClick = 1;
    } else if (e.button == MouseButton::Right) {
        m.RightHeld = true;
        m.LastClick = 2;
    }
    m.MouseDown = true;
    m.MouseDownX = e.x;
    m.MouseDownY = e.y;
}

void TForm_dos::OnMouseUp(const Event& e) {
    MouseState& m = d_.mouse;
    const bool click = m.MouseDown && m.MouseDownX - 2 <= e.x && e.x < m.MouseDownX + 2 &&
                       m.MouseDownY - 2 <= e.y && e.y < m.MouseDownY + 2;
    if (click) {
        const int code = MouseHitCode(d_, e.x, e.y);
        if (code != 0) AppendTyped(static_cast<uint8_t>(code));
    }
    m.MouseDown = false;
    if (e.button == MouseButton::Left) m.LeftHeld = false;
    if (e.button == MouseButton::Right) m.RightHeld = false;
}

void TForm_dos::OnMouseMove(const Event& e) {
    MouseState& m = d_.mouse;
    if (e.x == m.MouseDownX && e.y == m.MouseDownY) return;
    m.MouseDownX = e.x;
    m.MouseDownY = e.y;
    if (!m.MouseMoveHook) return;
    m.MouseMoveHook();
    m.LastHandledMouseDown = m.MouseDown;
    m.LastHandledMouseX = m.MouseDownX;
    m.LastHandledMouseY = m.MouseDownY;
}

// The framebuffer has the new size already; once the trainer runs, it is
// unwound at its next key query and started afresh on a rebuilt screen.
void TForm_dos::OnResize() {
    d_.RefreshCanvas();
    if (StartPending) {
        RebuildScreen();
        return;
    }
    if (d_.exclusive) LeaveExclusiveScreen(d_);
    d_.keys.QuitRequested = false;
    d_.keys.RestartRequested = true;
}

void TForm_dos::OnClose() {
    if (d_.keys.TrainerActive && !StartPending) {
        AppendTyped(keycode::Byte(keycode::Esc));
        KeyDownToBuffer(d_, Key::Escape);
        return;
    }
    d_.keys.RestartRequested = true;
    d_.keys.QuitRequested = true;
    d_.fonts.RemoveAddedFonts();
    d_.InstalledFonts.clear();
    closed_ = true;
}

// Another program became active: the screen is kept in page 5 and the
// window (and page 4, the background it repaints from) shows a grey bar
// saying the trainer waits.
void TForm_dos::OnDeactivate() {
    if (!Painted) return;
    Painted = false;
    if (d_.exclusive) {
        LeaveExclusiveScreen(d_);
        d_.keys.RestartRequested = true;
        return;
    }
    SavePage(d_, 5);
    SavePage(d_, 4);
    DrawInactiveBanner(d_.Canvas());
    if (d_.Pages[4]) DrawInactiveBanner(*d_.Pages[4]);
    d_.MarkDirty();
}

void TForm_dos::DrawInactiveBanner(Bitmap& target) {
    const int w = target.Width();
    const int h = target.Height();
    FillRect(target, Rect{0, 0, w, h / 24}, MakeRgb(128, 128, 128));
    FontRequest req = d_.screen.WindowFont;
    req.sizePt = 16;
    req.advancePx = 0;
    const std::string text = std::string(kProductName) + " nicht aktiv";
    d_.fonts.Get(req).Draw(target, w / 3, h / 200, text, MakeRgb(255, 255, 255));
}

// Back in front: the clean screen returns exactly as it was.
void TForm_dos::OnActivate() {
    Painted = true;
    ShowPage(d_, 5, true);
    d_.MarkDirty();
}

// F10: the speed dialog over the current screen, which comes back after it.
// A resize during the dialog cancels it; the canvas is taken afresh so the
// screen is restored onto the window as it is now.
void TForm_dos::ShowStartNotice() {
    std::string text;
    for (size_t pos = 0; pos < StartNotice.size();) {
        const uint8_t b = UnicodeToCp1252(DecodeUtf8(StartNotice, pos));
        text.push_back(static_cast<char>(b != 0 ? b : '?'));
    }
    StartNotice.clear();
    SavePage(d_, 4);
    auto idle = [this] {
        if (d_.beforePump) d_.beforePump();
        if (d_.waitingForInput) d_.waitingForInput();
    };
    ShowMessageBox(d_.platform, d_.Canvas(), d_.fonts, kProductName, text, idle);
    FlushKeyMessages(d_);
    d_.RefreshCanvas();
    ShowPage(d_, 4, false);
    d_.MarkDirty();
}

bool TForm_dos::StoreSpeedFactor(double factor) {
    try {
        WriteSetting(d_.platform.Settings(), ProgramFileName(d_.platform.Files()), "", "Allgemein",
                     "Delay", FormatSpeed(factor, d_.platform.DecimalSeparator()));
        return true;
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "quendelstrand: %s\n", e.what());
        return false;
    }
}

void TForm_dos::SpeedDialog() {
    SavePage(d_, 4);
    TF_startsetup dialog;
    dialog.Value = d_.keys.SpeedFactor;
    FlushKeyMessages(d_);
    // A script drives the dialog as it drives the trainer.
    auto idle = [this] {
        if (d_.beforePump) d_.beforePump();
        if (d_.waitingForInput) d_.waitingForInput();
    };
    // A factor that cannot be stored still holds for this run; the dialog
    // comes back saying so, until it is stored or the dialog is cancelled.
    while (dialog.ShowModal(d_.platform, d_.Canvas(), d_.fonts, idle) == DialogResult::Ok) {
        d_.keys.SpeedFactor = dialog.Value;
        d_.keys.ScaleDelays = true;
        if (StoreSpeedFactor(dialog.Value)) break;
        dialog.Notice = kSpeedNotStored;
    }
    FlushKeyMessages(d_);
    d_.RefreshCanvas();
    ShowPage(d_, 4, false);
}

}  // namespace qs
