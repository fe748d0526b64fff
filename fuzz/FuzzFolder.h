// A private folder for the fuzz targets whose parsers read files by name,
// made once per process and removed at its end: on /dev/shm when there is
// one (saves are synced to disk, which only a memory file system makes
// cheap), otherwise under TMPDIR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace qs::fuzz {

inline const std::string& FuzzFolder() {
    static const std::string folder = [] {
        struct stat shm {};
        const char* tmp = std::getenv("TMPDIR");
        const std::string base = stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode) ? "/dev/shm"
                                 : tmp && *tmp                                       ? tmp
                                                                                     : "/tmp";
        std::string pattern = base + "/qs-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    // Registered once the name is made, so that it runs before the name goes.
    static const bool removed = std::atexit([] { std::filesystem::remove_all(FuzzFolder()); }) == 0;
    (void)removed;
    return folder;
}

// Makes the folder (one level) and writes the bytes as the file, replacing it.
inline void PutFile(const std::string& relative, const uint8_t* data, size_t size) {
    const std::string path = FuzzFolder() + "/" + relative;
    const size_t slash = relative.rfind('/');
    if (slash != std::string::npos)
        mkdir((FuzzFolder() + "/" + relative.substr(0, slash)).c_str(), 0700);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    if (std::fclose(f) != 0) std::abort();
}

}  // namespace qs::fuzz
