#include "platform/host/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace qs {

bool WriteAllToFd(int fd, const std::vector<uint8_t>& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

namespace {

std::string ParentOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::string programPath) : programPath_(std::move(programPath)) {}

std::optional<std::vector<uint8_t>> PosixFileSystem::ReadFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> out;
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    ::close(fd);
    return out;
}

bool PosixFileSystem::WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& data) {
    std::string tmp = path + ".tmp-" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAllToFd(fd, data) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(tmp.c_str(), path.c_str()) == 0) {
        // Make the rename itself durable.
        int dfd = ::open(ParentOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
        return true;
    }
    ::unlink(tmp.c_str());
    return false;
}

bool PosixFileSystem::AppendFile(const std::string& path, const std::vector<uint8_t>& data) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAllToFd(fd, data);
    return (::close(fd) == 0) && ok;
}

bool PosixFileSystem::Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::vector<DirEntry>> PosixFileSystem::ListDirectory(const std::string& path) {
    DIR* d = ::opendir(path.empty() ? "." : path.c_str());
    if (!d) return std::nullopt;
    std::vector<DirEntry> out;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        DirEntry entry;
        entry.name = name;
        std::string full =
            path.empty() ? name : (path.back() == '/' ? path + name : path + "/" + name);
        struct stat st {};
        if (::stat(full.c_str(), &st) == 0) {
            entry.isDir = S_ISDIR(st.st_mode);
            entry.size = static_cast<uint64_t>(st.st_size);
        }
        out.push_back(std::move(entry));
    }
    ::closedir(d);
    return out;
}

bool PosixFileSystem::MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::string cur;
    size_t i = 0;
    while (i <= path.size()) {
        size_t slash = path.find('/', i);
        if (slash == std::string::npos) slash = path.size();
        cur = path.substr(0, slash);
        if (!cur.empty() && !IsDirectory(cur)) {
            if (::mkdir(cur.c_str(), 0755) != 0 && errno != EEXIST) return false;
        }
        i = slash + 1;
    }
    return IsDirectory(path);
}

bool PosixFileSystem::RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string PosixFileSystem::ProgramDir() {
    auto slash = programPath_.find_last_of('/');
    if (slash == std::string::npos) return "./";
    return programPath_.substr(0, slash + 1);
}

std::string RunningProgramPath() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./quendelstrand";
    buf[n] = 0;
    return std::string(buf);
}

}  // namespace qs
