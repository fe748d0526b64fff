// Printing through a real CUPS scheduler: a private cupsd on loopback
// (scripts/test-cups.sh) whose default destination is a PDF queue. The job
// must arrive in the queue's output folder with the pages of the document.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/host/HostPrintSpooler.h"
#include "print/PrintTestSupport.h"
#include "screen/print/Printing.h"

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// Keeps a copy of the document on its way to the real print system.
class TeeSpooler : public PrintSpooler {
public:
    explicit TeeSpooler(std::unique_ptr<PrintSpooler> next) : next_(std::move(next)) {}
    PrintOutcome PrintPdf(const std::vector<uint8_t>& pdf, const std::string& title) override {
        sent.push_back(pdf);
        return last = next_->PrintPdf(pdf, title);
    }
    std::vector<std::vector<uint8_t>> sent;
    PrintOutcome last;

private:
    std::unique_ptr<PrintSpooler> next_;
};

class CupsPrinting : public test::TestPrintServer {
protected:
    // Waits until the job is done and returns its file in the queue's output
    // folder; empty when it failed or did not finish within a minute.
    static std::string WaitForJobFile(int job) {
        const std::string folder = env_["QS_CUPS_PDF_DIR"];
        const std::string prefix = "job_" + std::to_string(job) + "-";
        int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        if (watch >= 0) ::inotify_add_watch(watch, folder.c_str(), IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_TO);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        std::string found;
        while (std::chrono::steady_clock::now() < deadline) {
            ipp_jstate_t state = JobState(job);
            if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED) break;
            if (state == IPP_JSTATE_COMPLETED) {
                std::error_code error;
                for (const auto& entry : fs::directory_iterator(folder, error)) {
                    std::string name = entry.path().filename().string();
                    if (name.rfind(prefix, 0) == 0) found = entry.path().string();
                }
                break;
            }
            // Woken by the queue writing its file, or after a while to ask again.
            pollfd events{watch, POLLIN, 0};
            if (::poll(&events, watch >= 0 ? 1 : 0, 250) > 0) {
                char drain[4096];
                while (::read(watch, drain, sizeof drain) > 0) {
                }
            }
        }
        if (watch >= 0) ::close(watch);
        return found;
    }

    static ipp_jstate_t JobState(int job) {
        std::string server = env_["CUPS_SERVER"];
        size_t colon = server.rfind(':');
        http_t* http = httpConnect2(server.substr(0, colon).c_str(), std::stoi(server.substr(colon + 1)),
                                    nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1, 3000, nullptr);
        if (!http) return IPP_JSTATE_PENDING;
        cups_job_t* jobs = nullptr;
        int n = cupsGetJobs2(http, &jobs, env_["QS_CUPS_QUEUE"].c_str(), 0, CUPS_WHICHJOBS_ALL);
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        for (int i = 0; i < n; ++i) {
            if (jobs[i].id == job) state = jobs[i].state;
        }
        cupsFreeJobs(n, jobs);
        httpClose(http);
        return state;
    }

};

TEST_F(CupsPrinting, PrinterFileArrivesAsPdfInTheDefaultQueue) {
    const struct {
        const char* fixture;
        int pages;
        const char* text;
    } cases[] = {
        {"certificate.lpt", 1, "verstehen \u2713"},
        {"certificates-two.lpt", 2, "Name: Tom"},
    };
    for (const auto& c : cases) {
        TempFolder app;
        HostPrintOptions options;
        options.fallbackParent = app.Path();
        options.server = env_["CUPS_SERVER"];
        auto tee = std::make_unique<TeeSpooler>(MakeHostPrintSpooler(std::move(options)));
        TeeSpooler* sent = tee.get();
        HeadlessOptions platformOptions;
        platformOptions.printer = std::move(tee);
        HeadlessPlatform platform(std::move(platformOptions));

        const std::string file = std::string(QS_TEST_DATA_DIR) + "/print/" + c.fixture;
        ASSERT_TRUE(PrintPrinterFile(platform, file, false)) << c.fixture;
        ASSERT_EQ(sent->last.kind, PrintOutcome::Kind::Printed) << c.fixture << ": " << sent->last.detail;
        EXPECT_FALSE(fs::exists(app.Path() + "Ausdrucke")) << c.fixture << ": saved instead";

        // What went out: the program's own document, with its text.
        ASSERT_EQ(sent->sent.size(), 1u);
        TempFolder own;
        const std::string ownPdf = own.Write("sent.pdf", sent->sent[0]);
        EXPECT_EQ(test::PdfPages(ownPdf), c.pages) << c.fixture;
        auto text = test::RunCommand("pdftotext -layout '" + ownPdf + "' -");
        ASSERT_TRUE(text) << "pdftotext (poppler-utils) is missing";
        EXPECT_NE(text->find(c.text), std::string::npos) << c.fixture << "\n" << *text;

        // What came out of the queue: "QUEUE-JOB" names the job.
        const std::string& detail = sent->last.detail;
        const std::string queue = env_["QS_CUPS_QUEUE"];
        ASSERT_EQ(detail.rfind(queue + "-", 0), 0u) << detail;
        const int job = std::stoi(detail.substr(queue.size() + 1));
        const std::string arrived = WaitForJobFile(job);
        ASSERT_FALSE(arrived.empty()) << c.fixture << ": job " << job << " did not arrive in "
                                      << env_["QS_CUPS_PDF_DIR"];
        EXPECT_EQ(test::PdfPages(arrived), c.pages) << c.fixture << ": " << arrived;
        auto size = test::RunCommand("pdfinfo '" + arrived + "' | grep 'Page size'");
        ASSERT_TRUE(size);
        EXPECT_NE(size->find("A4"), std::string::npos) << *size;
    }
}

}  // namespace
}  // namespace qs
