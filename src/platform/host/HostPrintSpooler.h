// The host's print system: a PDF goes to the default destination of CUPS;
// without one, or on any error talking to it, it is saved as a file in the
// folder "Ausdrucke" of the fallback folder, which counts as printed.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace qs {

struct HostPrintOptions {
    // The folder in which the "Ausdrucke" folder is made.
    std::string fallbackParent;
    // The CUPS server as "host", "host:port" or a socket path; empty: the
    // user's own (CUPS_SERVER, client.conf or the local scheduler).
    std::string server;
    // How long to wait for the server to accept the connection, and for any
    // one answer after that, before the document is saved instead.
    int connectTimeoutMs = 3000;
    double answerTimeoutSeconds = 5;
    // The local time that names a saved file; default: the clock.
    std::function<std::tm()> localNow;
};

// fallbackParent: the folder in which the "Ausdrucke" folder is made.
std::unique_ptr<PrintSpooler> MakeHostPrintSpooler(const std::string& fallbackParent);
std::unique_ptr<PrintSpooler> MakeHostPrintSpooler(HostPrintOptions options);

// Saves pdf in folder (made when missing) as "YYYY-MM-DD HH-MM-SS.pdf" of
// now, with " (2)", " (3)", ... when that name is taken. The file is written
// under a temporary name, flushed and renamed, so no half-written document
// ever carries a finished name. Failures are reported on stderr.
PrintOutcome SavePdfInFolder(const std::vector<uint8_t>& pdf, const std::string& folder,
                             const std::tm& now);

}  // namespace qs
