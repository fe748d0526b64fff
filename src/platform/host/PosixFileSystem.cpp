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

// What a save at path replaces: the links there followed to the name they
// lead to, which need not exist yet. Empty when the links loop.
std::string FollowLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char buf[PATH_MAX];
        ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
        if (n <= 0 || static_cast<size_t>(n) >= sizeof buf) return {};
        std::string target(buf, static_cast<size_t>(n));
        path = target.front() == '/' ? target : ParentOf(path) + "/" + target;
    }
    return {};
}

// A new file beside target that no one else has made, opened for writing.
int CreateTemporaryBeside(const std::string& target, std::string& tmp) {
    const std::string stem = target + ".tmp-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = stem + std::to_string(attempt);
        int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives the new file the mode of the one it replaces, and its owner and
// group as far as the process may.
bool TakeOverAttributes(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Only its owner may give a file away; the new file stays the process's.
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

void SyncFolder(const std::string& folder) {
    int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::string programPath) : programPath_(std::move(programPath)) {}

std::optional<std::vector<uint8_t>> PosixFileSystem::ReadFile(const std::string& path,
                                                              uint64_t maxBytes) {
    // Looked at before it is opened: opening a pipe waits for a writer, and
    // a device may act on being opened.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode) ||
        static_cast<uint64_t>(before.st_size) > maxBytes) {
        return std::nullopt;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != before.st_dev ||
        st.st_ino != before.st_ino) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(st.st_size));
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (out.size() + static_cast<size_t>(n) > maxBytes) {
            ::close(fd);
            return std::nullopt;
        }
        out.insert(out.end(), buf, buf + n);
    }
    ::close(fd);
    return out;
}

bool PosixFileSystem::WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& data) {
    const std::string target = FollowLinks(path);
    if (target.empty()) return false;
    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) return false;
    if (replacing && !S_ISREG(old.st_mode)) return false;

    std::string tmp;
    int fd = CreateTemporaryBeside(target, tmp);
    if (fd < 0) return false;
    bool ok = !replacing || TakeOverAttributes(fd, old);
    ok = ok && WriteAllToFd(fd, data) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(tmp.c_str(), target.c_str()) == 0) {
        SyncFolder(ParentOf(target));
        return true;
    }
    ::unlink(tmp.c_str());
    return false;
}

bool PosixFileSystem::AppendFile(const std::string& path, const std::vector<uint8_t>& data) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                    0644);
    if (fd < 0) return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
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
