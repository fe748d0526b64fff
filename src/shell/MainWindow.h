// The program's one window: it owns the emulated DOS screen, turns the
// system's key, mouse, focus and size events into the screen's key buffer
// and flags, and runs the trainer on its first idle moment after the first
// paint. The trainer's own blocking loops keep the window alive by pumping
// its events (PumpMessages), so the handlers here run in the middle of
// trainer code and only set state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "screen/Dos.h"

namespace qs {

class TForm_dos : public WindowEvents {
public:
    using TrainerProc = std::function<void(Dos&)>;

    TForm_dos(Dos& d, TrainerProc trainerMain);
    ~TForm_dos() override;
    TForm_dos(const TForm_dos&) = delete;
    TForm_dos& operator=(const TForm_dos&) = delete;

    // Loads the glyph pictures, installs the program's fonts and reads the
    // recent-files list. Every step is guarded on its own.
    void Create();
    // Makes the sound folder, builds the screen for the window's size and
    // sets the caption.
    void Show();
    // The message loop: runs until the window is closed.
    void Run();
    // Saves the recent-files list (its first 20 lines). Also done by the
    // destructor; safe to call twice.
    void Destroy();

    void HandleEvent(const Event& e) override;

    bool Closed() const { return closed_; }
    // The message of the last error that ended a trainer run ("" if none).
    const std::string& LastError() const { return lastError_; }

    std::vector<std::string> RecentFiles;
    // A message (UTF-8) shown in a box the user confirms before the trainer
    // first starts, such as a per-user folder that could not be made; "" for
    // none.
    std::string StartNotice;
    bool StartPending = true;
    bool Painted = false;
    bool AltDown = false;

private:
    void LoadGlyphPictures();
    void InstallFonts();
    void InstallFont(const std::string& relative);
    void LoadRecentFiles();
    void SaveRecentFiles();
    void RebuildScreen();
    void Idle();
    void RunTrainerOnce();
    double ReadSpeedFactor();
    void OnKeyDown(const Event& e);
    void OnKeyUp(const Event& e);
    void OnText(const Event& e);
    void AppendTyped(uint8_t cp1252);
    void OnMouseDown(const Event& e);
    void OnMouseUp(const Event& e);
    void OnMouseMove(const Event& e);
    void OnResize();
    void OnClose();
    void OnDeactivate();
    void OnActivate();
    void DrawInactiveBanner(Bitmap& target);
    void SpeedDialog();
    void ShowStartNotice();
    // Stores the factor in the user's settings; false (and a line on
    // stderr) when the store refuses it.
    bool StoreSpeedFactor(double factor);

    Dos& d_;
    TrainerProc trainerMain_;
    bool closed_ = false;
    bool destroyed_ = false;
    int pendingAltChar_ = -1;  // a character typed while Alt was held
    std::string lastError_;
};

// The speed factor stored as text in the user's locale ("1,50" with a comma
// separator). Text that is not such a number, or a number outside the
// speed dialog's range, gives 1.
double ParseSpeedFactor(const std::string& text, char decimalSeparator);

}  // namespace qs
