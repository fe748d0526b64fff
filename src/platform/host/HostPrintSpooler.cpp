#include "platform/host/HostPrintSpooler.h"

namespace qs {

namespace {

// Placeholder until the CUPS sender lands: reports that nothing was printed.
class NoPrintSpooler : public PrintSpooler {
public:
    PrintOutcome PrintPdf(const std::vector<uint8_t>&, const std::string&) override {
        return PrintOutcome{PrintOutcome::Kind::Failed, "no print system"};
    }
};

}  // namespace

std::unique_ptr<PrintSpooler> MakeHostPrintSpooler(const std::string&) {
    return std::make_unique<NoPrintSpooler>();
}

}  // namespace qs
