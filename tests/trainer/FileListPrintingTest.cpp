// F9 in the word-file selection prints the list through a real CUPS
// scheduler: the private test server of scripts/test-cups.sh, whose default
// destination is a PDF queue.
#include <gtest/gtest.h>

#include <filesystem>

#include "print/PrintTestSupport.h"
#include "print/TestPrintServer.h"
#include "support/TestFiles.h"
#include "support/WindowRun.h"
#include "trainer/FileSelection.h"

namespace qs::test {
namespace {

class CupsPrintingFileList : public test::TestPrintServer {};

TEST_F(CupsPrintingFileList, F9SendsTheFileListToTheDefaultQueue) {
    REQUIRE_POPPLER();
    const std::string app = test::MakeTestAppDir("cups-filelist");
    std::filesystem::remove_all(app + "LS1DAT");  // without the shipped lists
    std::filesystem::create_directories(app + "LS1DAT");
    test::WriteAppFile(app, "LS1DAT/Obst.VWT", "Apfel\r\n");
    test::WriteAppFile(app, "LS1DAT/Tiere.VWT", "Hund\r\n");

    RunOptions o;
    o.appDir = app;
    o.script = "key F9\nkey ESC\n";
    o.setup = [](Trainer& tr) { tr.t.ProgramNo = 2; };
    o.printSystem = [&] { return ServerSpooler(app); };
    const RunResult run = RunTrainerProc(o, SelectWordFile);
    ASSERT_TRUE(run.returned) << run.error;
    ASSERT_EQ(run.printer->outcomes.size(), 1u);
    const PrintOutcome& outcome = run.printer->outcomes[0];
    EXPECT_EQ(outcome.kind, PrintOutcome::Kind::Printed) << outcome.detail;
    EXPECT_FALSE(std::filesystem::exists(app + "Ausdrucke")) << "saved instead of printed";
    const int job = JobOf(outcome);
    ASSERT_GE(job, 0) << outcome.detail;
    EXPECT_FALSE(WaitForJobFile(job).empty()) << "job " << job << " did not arrive";

    TempDir folder;
    const std::string pdf = folder.Write("list.pdf", run.printer->documents[0]);
    auto text = test::RunCommand("pdftotext -layout '" + pdf + "' -");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Programm 2 von 10"), std::string::npos) << *text;
    EXPECT_NE(text->find("Dateiliste: Vorsilben"), std::string::npos) << *text;
    EXPECT_LT(text->find("Obst.VWT"), text->find("Tiere.VWT")) << *text;
}

}  // namespace
}  // namespace qs::test
