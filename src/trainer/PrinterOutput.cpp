#include "trainer/PrinterOutput.h"

#include "screen/print/Printing.h"

namespace qs {

std::string PrinterFileName(const Trainer& tr) { return tr.t.ProgramDir + "LPTB.TXT"; }

PrinterOutput::PrinterOutput(Trainer& tr) : tr_(tr), file_(tr.d.platform.Files()) {}

bool PrinterOutput::Open() {
    file_.Assign(PrinterFileName(tr_));
    try {
        file_.Rewrite();
    } catch (const DosIoError&) {
        return false;
    }
    realPath_ = file_.RealPath();
    return true;
}

bool PrinterOutput::CloseAndPrint() {
    try {
        file_.Close();
    } catch (const DosIoError&) {
        return false;
    }
    PrintPrinterFile(tr_.d.platform, realPath_, tr_.d.screen.NoConversion);
    return true;
}

}  // namespace qs
