// F9 in the word-file selection prints the list through a real CUPS
// scheduler: the private test server of scripts/test-cups.sh, whose default
// destination is a PDF queue.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/host/HostPrintSpooler.h"
#include "print/PrintTestSupport.h"
#include "support/ProgramRun.h"
#include "trainer/FileSelection.h"
#include "trainer/TrainerProcRun.h"

namespace qs {
namespace {

class CupsPrintingFileList : public test::TestPrintServer {};

TEST_F(CupsPrintingFileList, F9SendsTheFileListToTheDefaultQueue) {
    REQUIRE_POPPLER();
    const std::string app = test::MakeTestAppDir("cups-filelist");
    std::filesystem::create_directories(app + "LS1DAT");
    test::WriteAppFile(app, "LS1DAT/Obst.VWT", "Apfel\r\n");
    test::WriteAppFile(app, "LS1DAT/Tiere.VWT", "Hund\r\n");

    test::TrainerProcOptions o;
    o.appDir = app;
    o.script = "key F9\nkey ESC\n";
    o.setup = [](Trainer& tr) { tr.t.ProgramNo = 2; };
    o.proc = SelectWordFile;
    o.printSystem = [&] {
        HostPrintOptions options;
        options.fallbackParent = app;
        options.server = env_["CUPS_SERVER"];
        return MakeHostPrintSpooler(std::move(options));
    };
    test::TrainerProcRun run = test::RunTrainerProc(o);
    ASSERT_TRUE(run.returned) << run.error;
    ASSERT_EQ(run.printer->outcomes.size(), 1u);
    const PrintOutcome& outcome = run.printer->outcomes[0];
    EXPECT_EQ(outcome.kind, PrintOutcome::Kind::Printed) << outcome.detail;
    EXPECT_EQ(outcome.detail.rfind(env_["QS_CUPS_QUEUE"] + "-", 0), 0u) << outcome.detail;
    EXPECT_FALSE(std::filesystem::exists(app + "Ausdrucke")) << "saved instead of printed";

    test::TempFolder folder;
    const std::string pdf = folder.Write("list.pdf", run.printer->documents[0]);
    auto text = test::RunCommand("pdftotext -layout '" + pdf + "' -");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Programm 2 von 10"), std::string::npos) << *text;
    EXPECT_NE(text->find("Dateiliste: Vorsilben"), std::string::npos) << *text;
    EXPECT_LT(text->find("Obst.VWT"), text->find("Tiere.VWT")) << *text;
}

}  // namespace
}  // namespace qs
