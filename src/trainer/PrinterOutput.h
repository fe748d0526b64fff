// The printer file "LPTB.TXT" in the program folder, as the trainer's
// printouts use it: created for a new printout, filled with lines in code
// page 437 and printer escape sequences, then stored and sent to the
// printer. The file is only stored when it is closed, so a failed write never
// leaves half a printout behind.
#pragma once

#include <string>

#include "screen/TextFile.h"
#include "trainer/TrainerState.h"

namespace qs {

// The printer file's DOS-style name: ProgramDir + "LPTB.TXT".
std::string PrinterFileName(const Trainer& tr);

class PrinterOutput {
public:
    explicit PrinterOutput(Trainer& tr);

    // Starts a new printout. False when the printer file cannot be created.
    bool Open();
    // The file to write the printout into (open after a successful Open).
    TextFile& File() { return file_; }
    // Stores the printout and prints it. False when it could not be stored
    // (nothing is printed then); a failing printer shows no message.
    bool CloseAndPrint();

private:
    Trainer& tr_;
    TextFile file_;
    std::string realPath_;
};

}  // namespace qs
