// The private CUPS server of the printing tests (scripts/test-cups.sh): a
// fixture base that starts it once per suite, skips (or under CI fails) when
// it cannot start, and waits for a job's file in the PDF queue's output
// folder.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace qs::test {

class TestPrintServer : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // The print system of the test server's default queue, falling back to
    // saving into fallbackParent (which a test checks stays unused); for the
    // recording printer to hand the documents on to.
    static std::unique_ptr<PrintSpooler> ServerSpooler(const std::string& fallbackParent);

    // The job number in a printed outcome's detail ("QUEUE-JOB"), or -1.
    static int JobOf(const PrintOutcome& outcome);

    // Waits until the job is done and returns its file in the queue's output
    // folder; empty when it failed or did not finish within a minute.
    static std::string WaitForJobFile(int job);

    static inline std::map<std::string, std::string> env_;
    static inline std::string failure_;
};

}  // namespace qs::test
