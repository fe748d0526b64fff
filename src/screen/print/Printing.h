// Printing the printer file: read, interpret, lay out on A4 pages, render to
// PDF and hand the document to the platform's print system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace qs {

// The PDF for the bytes of a printer file; nullopt when the file holds no
// line (nothing to print) or the document cannot be made.
std::optional<std::vector<uint8_t>> PrinterFileToPdf(const std::vector<uint8_t>& bytes,
                                                     bool noConversion);

// Prints the printer file at printerFilePath (a host path). Returns true when
// the document was printed or saved as a PDF; false when the file is missing,
// unreadable or empty, or the print system failed. Never throws.
bool PrintPrinterFile(Platform& platform, const std::string& printerFilePath, bool noConversion);

}  // namespace qs
