// Printing through a real CUPS scheduler: a private cupsd on loopback
// (scripts/test-cups.sh) whose default destination is a PDF queue. The job
// must arrive in the queue's output folder with the pages of the document.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless/HeadlessPlatform.h"
#include "print/PrintTestSupport.h"
#include "print/TestPrintServer.h"
#include "screen/print/Printing.h"
#include "support/RecordingPrinter.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

namespace fs = std::filesystem;

class CupsPrinting : public test::TestPrintServer {};

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
        TempDir app;
        auto printer = std::make_unique<RecordingPrinter>(ServerSpooler(app.Path()));
        RecordingPrinter* sent = printer.get();
        HeadlessOptions platformOptions;
        platformOptions.printer = std::move(printer);
        HeadlessPlatform platform(std::move(platformOptions));

        const std::string file = std::string(QS_TEST_DATA_DIR) + "/print/" + c.fixture;
        ASSERT_TRUE(PrintPrinterFile(platform, file, false)) << c.fixture;
        ASSERT_EQ(sent->outcomes.back().kind, PrintOutcome::Kind::Printed)
            << c.fixture << ": " << sent->outcomes.back().detail;
        EXPECT_FALSE(fs::exists(app.Path() + "Ausdrucke")) << c.fixture << ": saved instead";

        // What went out: the program's own document, with its text.
        ASSERT_EQ(sent->documents.size(), 1u);
        TempDir own;
        const std::string ownPdf = own.Write("sent.pdf", sent->documents[0]);
        EXPECT_EQ(test::PdfPages(ownPdf), c.pages) << c.fixture;
        auto text = test::RunCommand("pdftotext -layout '" + ownPdf + "' -");
        ASSERT_TRUE(text) << "pdftotext (poppler-utils) is missing";
        EXPECT_NE(text->find(c.text), std::string::npos) << c.fixture << "\n" << *text;

        // What came out of the queue: "QUEUE-JOB" names the job.
        const int job = JobOf(sent->outcomes.back());
        ASSERT_GE(job, 0) << sent->outcomes.back().detail;
        const std::string arrived = WaitForJobFile(job);
        ASSERT_FALSE(arrived.empty())
            << c.fixture << ": job " << job << " did not arrive in " << env_["QS_CUPS_PDF_DIR"];
        EXPECT_EQ(test::PdfPages(arrived), c.pages) << c.fixture << ": " << arrived;
        auto size = test::RunCommand("pdfinfo '" + arrived + "' | grep 'Page size'");
        ASSERT_TRUE(size);
        EXPECT_NE(size->find("A4"), std::string::npos) << *size;
    }
}

}  // namespace
}  // namespace qs::test
