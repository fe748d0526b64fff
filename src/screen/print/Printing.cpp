#include "screen/print/Printing.h"

#include "screen/print/PdfRenderer.h"
#include "screen/print/PrintFonts.h"
#include "screen/print/PrintLayout.h"
#include "screen/print/PrinterFile.h"

namespace qs {

namespace {

constexpr const char* kJobTitle = "Quendelstrand";

}  // namespace

std::optional<std::vector<uint8_t>> PrinterFileToPdf(const std::vector<uint8_t>& bytes,
                                                     bool noConversion) {
    std::vector<PrintPiece> pieces = ParsePrinterFile(bytes, noConversion);
    if (pieces.empty()) return std::nullopt;
    PrintFonts fonts;
    PrintLayout layout = LayOutPrinterFile(pieces, fonts);
    return RenderPdf(layout, fonts);
}

bool PrintPrinterFile(Platform& platform, const std::string& printerFilePath, bool noConversion) {
    try {
        std::optional<std::vector<uint8_t>> bytes =
            platform.Files().ReadFile(printerFilePath, FileSystem::kTextLimit);
        if (!bytes) return false;
        std::optional<std::vector<uint8_t>> pdf = PrinterFileToPdf(*bytes, noConversion);
        if (!pdf) return false;
        PrintOutcome outcome = platform.Printer().PrintPdf(*pdf, kJobTitle);
        return outcome.kind != PrintOutcome::Kind::Failed;
    } catch (...) {
        // Printing is never allowed to unwind the trainer; a failed print
        // simply did not happen, as with a printer that ends a job early.
        return false;
    }
}

}  // namespace qs
