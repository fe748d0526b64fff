// The host's print system: a PDF goes to the default destination of CUPS;
// without one, or on any error, it is saved as a file in the fallback folder.
#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace qs {

// fallbackParent: the folder in which the "Ausdrucke" folder is made.
std::unique_ptr<PrintSpooler> MakeHostPrintSpooler(const std::string& fallbackParent);

}  // namespace qs
