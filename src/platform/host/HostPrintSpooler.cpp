#include "platform/host/HostPrintSpooler.h"
#include "platform/host/PosixFileSystem.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace qs {

namespace {

constexpr const char* kFolderName = "Ausdrucke";
constexpr size_t kChunk = 64 * 1024;

std::string WithSlash(std::string path) {
    if (path.empty()) return "./";
    if (path.back() != '/') path += '/';
    return path;
}

// Blocks SIGPIPE on this thread while a connection may break under a write,
// and swallows one that arrived, so a vanished server cannot end the program.
class NoSigPipe {
public:
    NoSigPipe() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe, &old_);
    }
    ~NoSigPipe() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        if (!wasPending_) {
            const timespec none{0, 0};
            while (sigtimedwait(&pipe, nullptr, &none) > 0) {}
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    NoSigPipe(const NoSigPipe&) = delete;
    NoSigPipe& operator=(const NoSigPipe&) = delete;

private:
    sigset_t old_;
    bool wasPending_ = false;
};

// Splits "host:port" (a socket path or a bare host keeps the default port).
void SplitServer(const std::string& server, std::string& host, int& port) {
    host = server;
    port = ippPort();
    if (server.empty() || server[0] == '/') return;
    size_t colon = server.rfind(':');
    if (colon == std::string::npos || colon + 1 >= server.size()) return;
    if (server.find(']', colon) != std::string::npos) return;  // [v6] without a port
    for (size_t i = colon + 1; i < server.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(server[i]))) return;
    }
    host = server.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    port = std::atoi(server.c_str() + colon + 1);
}

int GiveUp(http_t*, void*) { return 0; }

class CupsSpooler : public PrintSpooler {
public:
    explicit CupsSpooler(HostPrintOptions options) : options_(std::move(options)) {
        if (!options_.localNow) {
            options_.localNow = [] {
                std::time_t now = std::time(nullptr);
                std::tm local{};
                localtime_r(&now, &local);
                return local;
            };
        }
    }

    PrintOutcome PrintPdf(const std::vector<uint8_t>& pdf, const std::string& title) override {
        std::string error;
        try {
            PrintOutcome sent = Send(pdf, title, error);
            if (sent.kind == PrintOutcome::Kind::Printed) return sent;
        } catch (const std::exception& e) {
            error = e.what();
        }
        std::cerr << "Quendelstrand: not printed (" << error << "), saving the document\n";
        try {
            return SavePdfInFolder(pdf, WithSlash(options_.fallbackParent) + kFolderName,
                                   options_.localNow());
        } catch (const std::exception& e) {
            return PrintOutcome{PrintOutcome::Kind::Failed, e.what()};
        }
    }

private:
    PrintOutcome Send(const std::vector<uint8_t>& pdf, const std::string& title,
                      std::string& error) {
        std::string host;
        int port = 0;
        SplitServer(options_.server.empty() ? std::string(cupsServer()) : options_.server, host,
                    port);
        NoSigPipe guard;
        http_t* http = httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                    options_.connectTimeoutMs, nullptr);
        if (!http) {
            error = "no print server at " + host;
            return {};
        }
        httpSetTimeout(http, options_.answerTimeoutSeconds, GiveUp, nullptr);
        PrintOutcome outcome = SendOn(http, pdf, title, error);
        httpClose(http);
        return outcome;
    }

    // Every request goes over http, the connection made with the short
    // timeouts. (cupsCreateJob would look the queue up again over the
    // default connection, which may be another server or none.)
    static PrintOutcome SendOn(http_t* http, const std::vector<uint8_t>& pdf,
                               const std::string& title, std::string& error) {
        cups_dest_t* dest = cupsGetNamedDest(http, nullptr, nullptr);
        if (!dest) {
            error = "no default printer";
            return {};
        }
        const std::string name = dest->name;
        cupsFreeDests(1, dest);

        int job = CreateJob(http, name, title);
        if (job <= 0) {
            error = name + ": " + cupsLastErrorString();
            return {};
        }
        bool ok = cupsStartDocument(http, name.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1) ==
                  HTTP_STATUS_CONTINUE;
        for (size_t done = 0; ok && done < pdf.size(); done += kChunk) {
            size_t n = std::min(kChunk, pdf.size() - done);
            ok = cupsWriteRequestData(http, reinterpret_cast<const char*>(pdf.data() + done), n) ==
                 HTTP_STATUS_CONTINUE;
        }
        ipp_status_t finished = cupsFinishDocument(http, name.c_str());
        if (!ok || finished >= IPP_STATUS_REDIRECTION_OTHER_SITE) {
            error = name + ": " + cupsLastErrorString();
            cupsCancelJob2(http, name.c_str(), job, 0);
            return {};
        }
        return PrintOutcome{PrintOutcome::Kind::Printed, name + "-" + std::to_string(job)};
    }

    // Create-Job on the queue name; the job id, or 0.
    static int CreateJob(http_t* http, const std::string& name, const std::string& title) {
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
                         ippPort(), "/printers/%s", name.c_str());
        ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     cupsUser());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
        const std::string resource = "/printers/" + name;
        ipp_t* response = cupsDoRequest(http, request, resource.c_str());
        int job = 0;
        if (response && cupsLastError() < IPP_STATUS_REDIRECTION_OTHER_SITE) {
            if (ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER)) {
                job = ippGetInteger(id, 0);
            }
        }
        ippDelete(response);
        return job;
    }

    HostPrintOptions options_;
};

// Gives tmp the name target unless that name is taken.
bool RenameNoReplace(const std::string& tmp, const std::string& target, bool& taken) {
    taken = false;
    if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        taken = true;
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace rename.
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) {
        taken = true;
        return false;
    }
    return ::rename(tmp.c_str(), target.c_str()) == 0;
}

PrintOutcome Fail(const std::string& what) {
    std::cerr << "Quendelstrand: " << what << "\n";
    return PrintOutcome{PrintOutcome::Kind::Failed, what};
}

}  // namespace

PrintOutcome SavePdfInFolder(const std::vector<uint8_t>& pdf, const std::string& folderIn,
                             const std::tm& now) {
    std::string folder = folderIn;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!PosixFileSystem("").MakeDirectories(folder)) {
        return Fail("cannot make the folder " + folder + ": " + std::strerror(errno));
    }
    char stamp[64];
    if (std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &now) == 0) {
        return Fail("bad date for the file name");
    }
    const std::string base = folder + "/" + stamp;
    const std::string tmp = folder + "/." + stamp + ".pdf.part-" + std::to_string(::getpid());

    // A leftover of an earlier run under the same process number goes; a
    // link put in its place is never followed.
    ::unlink(tmp.c_str());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return Fail("cannot write in " + folder + ": " + std::strerror(errno));
    bool written = WriteAllToFd(fd, pdf) && ::fsync(fd) == 0;
    int writeError = errno;
    written = (::close(fd) == 0) && written;
    if (!written) {
        ::unlink(tmp.c_str());
        return Fail("cannot write " + tmp + ": " + std::strerror(writeError));
    }
    for (int n = 1; n < 1000; ++n) {
        std::string target = base + (n == 1 ? "" : " (" + std::to_string(n) + ")") + ".pdf";
        bool taken = false;
        if (RenameNoReplace(tmp, target, taken)) {
            int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dir >= 0) {
                ::fsync(dir);
                ::close(dir);
            }
            return PrintOutcome{PrintOutcome::Kind::SavedAsPdf, target};
        }
        if (!taken) {
            int error = errno;
            ::unlink(tmp.c_str());
            return Fail("cannot name " + target + ": " + std::strerror(error));
        }
    }
    ::unlink(tmp.c_str());
    return Fail("no free file name for " + base + ".pdf");
}

std::unique_ptr<PrintSpooler> MakeHostPrintSpooler(const std::string& fallbackParent) {
    HostPrintOptions options;
    options.fallbackParent = fallbackParent;
    return MakeHostPrintSpooler(std::move(options));
}

std::unique_ptr<PrintSpooler> MakeHostPrintSpooler(HostPrintOptions options) {
    return std::make_unique<CupsSpooler>(std::move(options));
}

}  // namespace qs
