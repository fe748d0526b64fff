#include "print/TestPrintServer.h"

#include <cups/cups.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "platform/host/HostPrintSpooler.h"
#include "print/PrintTestSupport.h"

namespace qs::test {

namespace fs = std::filesystem;

namespace {

ipp_jstate_t JobState(const std::string& server, const std::string& queue, int job) {
    size_t colon = server.rfind(':');
    http_t* http =
        httpConnect2(server.substr(0, colon).c_str(), std::stoi(server.substr(colon + 1)), nullptr,
                     AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1, 3000, nullptr);
    if (!http) return IPP_JSTATE_PENDING;
    cups_job_t* jobs = nullptr;
    int n = cupsGetJobs2(http, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    for (int i = 0; i < n; ++i) {
        if (jobs[i].id == job) state = jobs[i].state;
    }
    cupsFreeJobs(n, jobs);
    httpClose(http);
    return state;
}

}  // namespace

void TestPrintServer::SetUpTestSuite() {
    const std::string script = std::string(QS_SOURCE_DIR) + "/scripts/test-cups.sh";
    auto out = RunCommand("bash '" + script + "' start 2>&1");
    if (!out) {
        auto why = RunCommand("bash '" + script + "' start 2>&1 || true");
        failure_ = "the test print server does not start: " + why.value_or("?");
        return;
    }
    std::istringstream lines(*out);
    std::string line;
    while (std::getline(lines, line)) {
        size_t eq = line.find('=');
        if (eq != std::string::npos) env_[line.substr(0, eq)] = line.substr(eq + 1);
    }
    if (env_["CUPS_SERVER"].empty() || env_["QS_CUPS_PDF_DIR"].empty()) {
        failure_ = "the test print server said: " + *out;
    }
}

void TestPrintServer::TearDownTestSuite() {
    if (env_["QS_CUPS_STARTED"] == "1") {
        RunCommand("bash '" + std::string(QS_SOURCE_DIR) + "/scripts/test-cups.sh' stop");
    }
    env_.clear();
    failure_.clear();
}

void TestPrintServer::SetUp() {
    if (failure_.empty()) return;
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") FAIL() << failure_;
    GTEST_SKIP() << failure_ << " (needs root and the packages cups, printer-driver-cups-pdf)";
}

std::unique_ptr<PrintSpooler> TestPrintServer::ServerSpooler(const std::string& fallbackParent) {
    HostPrintOptions options;
    options.fallbackParent = fallbackParent;
    options.server = env_["CUPS_SERVER"];
    return MakeHostPrintSpooler(std::move(options));
}

int TestPrintServer::JobOf(const PrintOutcome& outcome) {
    const std::string queue = env_["QS_CUPS_QUEUE"];
    if (outcome.detail.rfind(queue + "-", 0) != 0) return -1;
    return std::stoi(outcome.detail.substr(queue.size() + 1));
}

std::string TestPrintServer::WaitForJobFile(int job) {
    const std::string folder = env_["QS_CUPS_PDF_DIR"];
    const std::string prefix = "job_" + std::to_string(job) + "-";
    int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch >= 0)
        ::inotify_add_watch(watch, folder.c_str(), IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_TO);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::string found;
    while (std::chrono::steady_clock::now() < deadline) {
        ipp_jstate_t state = JobState(env_["CUPS_SERVER"], env_["QS_CUPS_QUEUE"], job);
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
            while (::read(watch, drain, sizeof drain) > 0) {}
        }
    }
    if (watch >= 0) ::close(watch);
    return found;
}

}  // namespace qs::test
