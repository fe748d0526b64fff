// Files on the host's own file system.
#pragma once

#include "platform/Platform.h"

namespace qs {

class PosixFileSystem : public FileSystem {
public:
    // programPath: the program file; its folder is the app folder.
    explicit PosixFileSystem(std::string programPath);

    std::optional<std::vector<uint8_t>> ReadFile(const std::string& path,
                                                 uint64_t maxBytes = kPictureLimit) override;
    bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& data) override;
    bool AppendFile(const std::string& path, const std::vector<uint8_t>& data) override;
    bool Exists(const std::string& path) override;
    bool IsDirectory(const std::string& path) override;
    std::optional<std::vector<DirEntry>> ListDirectory(const std::string& path) override;
    bool MakeDirectories(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::string ProgramDir() override;
    std::string ProgramPath() override { return programPath_; }

private:
    std::string programPath_;
};

// Writes all of data to fd, retrying after interruptions.
bool WriteAllToFd(int fd, const std::vector<uint8_t>& data);

// The folder and path of the running executable (from /proc/self/exe).
std::string RunningProgramPath();

}  // namespace qs
