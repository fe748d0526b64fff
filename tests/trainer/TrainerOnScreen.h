// A trainer on the headless screen for tests that drive one trainer
// operation directly: the main window builds the screen and runs the test's
// body with a fresh Trainer whose program folder is a private temporary
// folder. Keys posted before Run arrive through the window's handlers once
// the trainer runs, as typed keys do. Printed documents are kept instead of being sent anywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/TempDir.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "shell/MainWindow.h"
#include "trainer/TrainerState.h"

namespace qs::test {

// Keeps every document handed to the print system.
class KeptPrints : public PrintSpooler {
public:
    explicit KeptPrints(std::vector<std::vector<uint8_t>>& kept) : kept_(kept) {}
    PrintOutcome PrintPdf(const std::vector<uint8_t>& pdf, const std::string&) override {
        kept_.push_back(pdf);
        return {PrintOutcome::Kind::Printed, "kept"};
    }

private:
    std::vector<std::vector<uint8_t>>& kept_;
};

class TrainerOnScreen {
public:
    // printer: the print system to use; by default the documents are kept
    // in printed. size: the window's.
    explicit TrainerOnScreen(LocalDate today = {2026, 3, 7, 6},
                             std::unique_ptr<PrintSpooler> printer = nullptr,
                             Size size = {1280, 800});
    ~TrainerOnScreen();

    void PostKey(Key key);
    // Each character of text (UTF-8) typed in turn.
    void PostText(const std::string& utf8);

    // Runs body on the screen. finished tells whether it returned (rather
    // than waiting for a key that was never posted); dump is the screen
    // after it (DumpText).
    void Run(const std::function<void(Trainer&)>& body);

    // The printer file's bytes ("" when there is none).
    std::string PrinterFile() const { return dir.Has("LPTB.TXT") ? dir.Get("LPTB.TXT") : ""; }

    // A row of the screen after Run, one character per cell.
    std::u32string Row(int row) const;
    // The screen after Run shows the (ASCII) text from the cell on.
    bool Shows(int col, int row, const std::string& text) const;

    qs::testing::TempDir dir;
    std::vector<std::vector<uint8_t>> printed;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Dos> dos;
    bool finished = false;
    std::string dump;

private:
    std::vector<Event> keys_;
};

// A file's lines split at CR LF (a final CR LF ends the last line).
std::vector<std::string> CrLfLines(const std::string& bytes);

}  // namespace qs::test
