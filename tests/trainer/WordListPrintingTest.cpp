// F9 in the word-list editor prints the numbered list through a real CUPS
// scheduler: the private test server of scripts/test-cups.sh, whose default
// destination is a PDF queue.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "print/PrintTestSupport.h"
#include "print/TestPrintServer.h"
#include "support/TestFiles.h"
#include "support/WindowRun.h"
#include "trainer/Editor.h"

namespace qs::test {
namespace {

class CupsPrintingWordList : public test::TestPrintServer {};

TEST_F(CupsPrintingWordList, F9SendsTheNumberedListToTheDefaultQueue) {
    REQUIRE_POPPLER();
    const std::string app = test::MakeTestAppDir("cups-wordlist");
    std::filesystem::remove_all(app + "LS1DAT");
    std::filesystem::create_directories(app + "LS1DAT");
    test::WriteAppFile(app, "LS1DAT/Tiere.KWT", "Hund-h\x81tte\r\nAuto-bahn\r\n-\r\n");

    RunOptions o;
    o.appDir = app;
    o.script = "key RET\nkey F9\nkey ESC\n";
    o.setup = [](Trainer& tr) {
        tr.t.ProgramNo = No(FileProgram::Editor);
        tr.t.EditorProgram = 7;
    };
    o.printSystem = [&] { return ServerSpooler(app); };
    const RunResult run = RunTrainerProc(o, WordListEditor);
    ASSERT_TRUE(run.returned) << run.error;
    ASSERT_EQ(run.printer->outcomes.size(), 1u);
    const PrintOutcome& outcome = run.printer->outcomes[0];
    EXPECT_EQ(outcome.kind, PrintOutcome::Kind::Printed) << outcome.detail;
    const int job = JobOf(outcome);
    ASSERT_GE(job, 0) << outcome.detail;
    EXPECT_FALSE(WaitForJobFile(job).empty()) << "job " << job << " did not arrive";

    TempDir folder;
    const std::string pdf = folder.Write("list.pdf", run.printer->documents[0]);
    auto text = test::RunCommand("pdftotext -layout '" + pdf + "' -");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Dateiname: Tiere.KWT"), std::string::npos) << *text;
    EXPECT_LT(text->find(" 1 Hund-h\xc3\xbctte"), text->find(" 2 Auto-bahn")) << *text;
    EXPECT_NE(text->find(" 3 -"), std::string::npos) << *text;
}

}  // namespace
}  // namespace qs::test
