#include "platform/host/HostPrintSpooler.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>

#include "print/PrintTestSupport.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

namespace fs = std::filesystem;

std::tm At(int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const std::vector<uint8_t> kPdf = Bytes("%PDF-1.5 test document");

TEST(HostPrintSpooler, SavesUnderTheDateWithoutOverwriting) {
    TempDir folder;
    const std::string target = folder.Path() + "app/Ausdrucke";
    PrintOutcome first = SavePdfInFolder(kPdf, target, At(14, 3, 22));
    PrintOutcome second = SavePdfInFolder(Bytes("%PDF second"), target, At(14, 3, 22));
    PrintOutcome third = SavePdfInFolder(kPdf, target + "/", At(9, 5, 7));
    EXPECT_EQ(first.kind, PrintOutcome::Kind::SavedAsPdf);
    EXPECT_EQ(first.detail, target + "/2026-12-10 14-03-22.pdf");
    EXPECT_EQ(second.detail, target + "/2026-12-10 14-03-22 (2).pdf");
    EXPECT_EQ(third.detail, target + "/2026-12-10 09-05-07.pdf");
    // Only finished documents: no temporary file is left behind.
    EXPECT_EQ(Names(target),
              (std::vector<std::string>{"2026-12-10 09-05-07.pdf", "2026-12-10 14-03-22 (2).pdf",
                                        "2026-12-10 14-03-22.pdf"}));
    EXPECT_EQ(test::FileText(first.detail), "%PDF-1.5 test document");
    EXPECT_EQ(test::FileText(second.detail), "%PDF second");
}

TEST(HostPrintSpooler, UnwritableFolderFails) {
    TempDir folder;
    const std::string file = folder.Write("plain-file", Bytes("x"));
    const struct {
        const char* name;
        std::string folder;
    } cases[] = {
        {"folder below a file", file + "/Ausdrucke"},
        {"the folder is a file", file},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        PrintOutcome outcome = SavePdfInFolder(kPdf, c.folder, At(1, 2, 3));
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(outcome.kind, PrintOutcome::Kind::Failed) << c.name;
        EXPECT_NE(said.find(c.folder), std::string::npos) << c.name << ": " << said;
    }
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"plain-file"});
}

// A print system that cannot be reached, or that never answers, leaves the
// document in "Ausdrucke" beside the program, quickly.
TEST(HostPrintSpooler, SavesWhenThePrintSystemFails) {
    // A server that takes the connection but never says a word.
    int mute = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(mute, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(mute, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(mute, 4), 0);
    socklen_t length = sizeof address;
    ::getsockname(mute, reinterpret_cast<sockaddr*>(&address), &length);
    const std::string muteServer = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));

    TempDir folder;
    const struct {
        const char* name;
        std::string server;
    } cases[] = {
        {"no scheduler at the socket", folder.Path() + "no-cups.sock"},
        {"server never answers", muteServer},
    };
    for (const auto& c : cases) {
        TempDir app;
        HostPrintOptions options;
        options.fallbackParent = app.Path();
        options.server = c.server;
        options.connectTimeoutMs = 500;
        options.answerTimeoutSeconds = 0.2;
        options.localNow = [] { return At(14, 3, 22); };
        auto spooler = MakeHostPrintSpooler(std::move(options));
        testing::internal::CaptureStderr();
        PrintOutcome outcome = spooler->PrintPdf(kPdf, "Quendelstrand");
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(outcome.kind, PrintOutcome::Kind::SavedAsPdf) << c.name << ": " << outcome.detail;
        EXPECT_EQ(outcome.detail, app.Path() + "Ausdrucke/2026-12-10 14-03-22.pdf") << c.name;
        EXPECT_EQ(test::FileText(outcome.detail), "%PDF-1.5 test document") << c.name;
    }
    ::close(mute);
}

}  // namespace
}  // namespace qs::test
