// Runs one trainer screen procedure (instead of the whole trainer) in the
// program's main window on the headless platform, driven by a script: the
// screen gets real key presses, clicks and dumps, and the test reads the
// trainer state it left.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "trainer/TrainerState.h"

namespace qs::test {

// Keeps every document sent to the printer and what printing it gave; hands
// it on to a real print system when there is one.
class CapturedPrinter : public PrintSpooler {
public:
    explicit CapturedPrinter(std::unique_ptr<PrintSpooler> next = nullptr)
        : next_(std::move(next)) {}
    PrintOutcome PrintPdf(const std::vector<uint8_t>& pdf, const std::string& title) override;
    std::vector<std::vector<uint8_t>> documents;
    std::vector<PrintOutcome> outcomes;

private:
    std::unique_ptr<PrintSpooler> next_;
};

struct TrainerProcOptions {
    std::string appDir;  // from MakeTestAppDir
    std::string script;
    // Prepares the state before the procedure runs (ProgramDir is set).
    std::function<void(Trainer&)> setup;
    std::function<void(Trainer&)> proc;
    // The print system behind the captured printer; none: documents are
    // only kept.
    std::function<std::unique_ptr<PrintSpooler>()> printSystem;
};

struct TrainerProcRun {
    std::string error;      // the error that ended the run, if any
    bool returned = false;  // the procedure came back (not ended by the script)
    TrainerState state;     // the trainer state afterwards
    PlayersState players;
    std::map<std::string, std::string> dumps;  // NAME.txt by name
    std::unique_ptr<HeadlessPlatform> platform;
    CapturedPrinter* printer = nullptr;  // owned by platform
};

TrainerProcRun RunTrainerProc(const TrainerProcOptions& options);

// Writes a file into the app folder (folders made as needed).
void WriteAppFile(const std::string& appDir, const std::string& relative, const std::string& bytes);

}  // namespace qs::test
