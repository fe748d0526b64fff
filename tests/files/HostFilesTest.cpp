// The host's files: what a read accepts, and what a save replaces and keeps.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/host/PosixFileSystem.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

struct stat StatOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

// Makes a file of size bytes that takes no room on the disk.
void MakeSparse(const std::string& path, off_t size) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

// A tmpfs of its own under a test folder, for a full or read-only disk.
// Needs root; a test skips without it.
class SmallDisk {
public:
    SmallDisk(const TempDir& dir, const char* options) : path_(dir / "disk") {
        dir.MakeDir("disk");
        if (::geteuid() == 0) mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return mounted_; }
    bool MakeReadOnly() const {
        return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    bool mounted_ = false;
};

TEST(HostFilesTest, ReadsOnlyRegularFilesWithinTheLimit) {
    struct Case {
        const char* row;
        // Makes what stands at the path; returns false to skip the row.
        std::function<bool(const TempDir&, const std::string&)> make;
        uint64_t limit;
        bool readable;
    };
    const uint64_t text = FileSystem::kTextLimit;
    const Case cases[] = {
        {"a plain file",
         [](const TempDir& d, const std::string&) { return !d.Put("x", "Hund\r\n").empty(); }, text,
         true},
        {"a named pipe, which would wait for a writer for ever",
         [](const TempDir&, const std::string& p) { return ::mkfifo(p.c_str(), 0644) == 0; }, text,
         false},
        {"a link to a named pipe",
         [](const TempDir& d, const std::string& p) {
             return ::mkfifo((d / "pipe").c_str(), 0644) == 0 && ::symlink("pipe", p.c_str()) == 0;
         },
         text, false},
        {"a link to an endless device",
         [](const TempDir&, const std::string& p) {
             return ::symlink("/dev/zero", p.c_str()) == 0;
         },
         text, false},
        {"a folder", [](const TempDir& d, const std::string&) { return (d.MakeDir("x"), true); },
         text, false},
        {"a dangling link",
         [](const TempDir&, const std::string& p) { return ::symlink("nowhere", p.c_str()) == 0; },
         text, false},
        {"a link to a plain file",
         [](const TempDir& d, const std::string& p) {
             d.Put("real", "Katze");
             return ::symlink("real", p.c_str()) == 0;
         },
         text, true},
        {"a text just at the limit",
         [](const TempDir& d, const std::string&) {
             return !d.Put("x", std::string(FileSystem::kTextLimit, 'a')).empty();
         },
         text, true},
        {"a text one byte over the limit",
         [](const TempDir& d, const std::string&) {
             return !d.Put("x", std::string(FileSystem::kTextLimit + 1, 'a')).empty();
         },
         text, false},
        {"a sparse gigabyte as a picture",
         [](const TempDir&, const std::string& p) {
             MakeSparse(p, off_t{1} << 30);
             return true;
         },
         FileSystem::kPictureLimit, false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        PosixFileSystem files(dir / "quendelstrand");
        const std::string path = dir / "x";
        if (!c.make(dir, path)) {
            ADD_FAILURE() << c.row << ": cannot set up: " << std::strerror(errno);
            continue;
        }
        EXPECT_EQ(files.ReadFile(path, c.limit).has_value(), c.readable) << c.row;
    }
}

TEST(HostFilesTest, AppendsOnlyToRegularFiles) {
    TempDir dir;
    PosixFileSystem files(dir / "quendelstrand");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", (dir / "null").c_str()), 0);
    EXPECT_FALSE(files.AppendFile(dir / "pipe", Bytes("x")));
    EXPECT_FALSE(files.AppendFile(dir / "null", Bytes("x")));
    EXPECT_TRUE(files.AppendFile(dir / "new", Bytes("a")));
    EXPECT_TRUE(files.AppendFile(dir / "new", Bytes("b")));
    EXPECT_EQ(dir.Get("new"), "ab");
}

TEST(HostFilesTest, ASaveReplacesTheFileALinkLeadsTo) {
    struct Case {
        const char* row;
        const char* target;  // where the file lives, under the test folder
        const char* link;    // what the link at "saved" says
    };
    const Case cases[] = {
        {"a link beside it", "real.opt", "real.opt"},
        {"a link into another folder", "other/real.opt", "other/real.opt"},
        {"a link of a link", "real.opt", "hop"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        PosixFileSystem files(dir / "quendelstrand");
        dir.Put(c.target, "old");
        if (std::string(c.link) == "hop") {
            ASSERT_EQ(::symlink(c.target, (dir / "hop").c_str()), 0);
        }
        ASSERT_EQ(::symlink(c.link, (dir / "saved").c_str()), 0);
        ASSERT_TRUE(files.WriteFileAtomic(dir / "saved", Bytes("new"))) << c.row;
        EXPECT_EQ(dir.Get(c.target), "new") << c.row;
        EXPECT_TRUE(S_ISLNK(StatOf(dir / "saved").st_mode)) << c.row << ": the link is kept";
    }
}

TEST(HostFilesTest, ASaveKeepsTheModeAndOwnerOfWhatItReplaces) {
    TempDir dir;
    PosixFileSystem files(dir / "quendelstrand");
    const std::string path = dir.Put("LEHRER.TXT", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    }
    ASSERT_TRUE(files.WriteFileAtomic(path, Bytes("new")));
    EXPECT_EQ(dir.Get("LEHRER.TXT"), "new");
    const struct stat st = StatOf(path);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
}

// What stands at the path and cannot be saved over: it stays as it was, the
// save fails, and no temporary file is left behind.
TEST(HostFilesTest, ASaveRefusesToReplaceWhatIsNotARegularFile) {
    struct Case {
        const char* row;
        std::function<bool(const TempDir&, const std::string&)> make;
        mode_t type;  // of what is found at the link's end afterwards
    };
    const Case cases[] = {
        {"a named pipe",
         [](const TempDir&, const std::string& p) { return ::mkfifo(p.c_str(), 0644) == 0; },
         S_IFIFO},
        {"a folder",
         [](const TempDir& d, const std::string&) {
             d.MakeDir("lsp1.opt/inside");
             return true;
         },
         S_IFDIR},
        {"a link to the null device",
         [](const TempDir&, const std::string& p) {
             return ::symlink("/dev/null", p.c_str()) == 0;
         },
         S_IFCHR},
        {"a device node of its own (needs root)",
         [](const TempDir&, const std::string& p) {
             return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         S_IFCHR},
        {"a link that leads to itself",
         [](const TempDir&, const std::string& p) { return ::symlink("lsp1.opt", p.c_str()) == 0; },
         S_IFLNK},
    };
    for (const Case& c : cases) {
        TempDir dir;
        PosixFileSystem files(dir / "quendelstrand");
        const std::string path = dir / "lsp1.opt";
        if (!c.make(dir, path)) continue;  // a device node without the right to make one
        EXPECT_FALSE(files.WriteFileAtomic(path, Bytes("0\r\n"))) << c.row;
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st) == 0 ? 0 : ::lstat(path.c_str(), &st), 0) << c.row;
        EXPECT_EQ(st.st_mode & S_IFMT, c.type) << c.row;
        EXPECT_EQ(dir.List(), std::vector<std::string>{"lsp1.opt"}) << c.row;
    }
}

TEST(HostFilesTest, AFailedSaveKeepsTheOldFileByteForByte) {
    TempDir dir;
    SmallDisk disk(dir, "size=16k");
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    PosixFileSystem files(dir / "quendelstrand");
    const std::string old("100\r\n\0\xFF\r\n", 9);
    ASSERT_TRUE(files.WriteFileAtomic(disk / "lsp1.opt", Bytes(old)));

    EXPECT_FALSE(files.WriteFileAtomic(disk / "lsp1.opt", std::vector<uint8_t>(64 * 1024, 'x')))
        << "a full disk";
    EXPECT_EQ(FileText(disk / "lsp1.opt"), old);
    EXPECT_EQ(dir.List("disk"), std::vector<std::string>{"lsp1.opt"});

    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_FALSE(files.WriteFileAtomic(disk / "lsp1.opt", Bytes("1\r\n"))) << "a read-only folder";
    EXPECT_EQ(FileText(disk / "lsp1.opt"), old);
}

}  // namespace
}  // namespace qs::test
