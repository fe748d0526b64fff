// The DOS-style directory search: FindFirstFile / FindNextFile with the
// result of the last call kept in DosError.
//
// The pattern is a DOS-style path whose last name may hold wildcards
// ("C:..." paths are not supported); its folder is resolved without regard
// to case and its wildcards match as DosPath's WildcardMatch says. Names come
// back as stored on disk, sorted by name without regard to case, so that
// every machine lists a folder in the same order. Names starting with a dot
// count as hidden. "." and ".." are never returned.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace qs {

// Attribute bits of a search and of its results.
namespace FileAttr {
constexpr int ReadOnly = 0x01;
constexpr int Hidden = 0x02;
constexpr int SysFile = 0x04;
constexpr int VolumeId = 0x08;
constexpr int Directory = 0x10;
constexpr int Archive = 0x20;
constexpr int AnyFile = 0x3F;
}  // namespace FileAttr

// Results of FindFirstFile / FindNextFile (0 = found).
namespace DosSearchError {
constexpr int FileNotFound = 2;  // the folder holds no matching name
constexpr int PathNotFound = 3;  // the folder does not exist or cannot be read
constexpr int NoMoreFiles = 18;  // FindNextFile after the last match
}  // namespace DosSearchError

// One search: the entry found last and what is left of the folder.
struct SearchRec {
    std::string Name;  // file name as stored on disk
    uint64_t Size = 0;
    int Attr = 0;  // FileAttr bits: Directory, Hidden
    // The matches not handed out yet; empty once the search is closed.
    std::vector<DirEntry> Pending;
    size_t Next = 0;
};

class DosFiles {
public:
    explicit DosFiles(FileSystem& files) : files_(files) {}

    // Starts a search. Ordinary files are always found; directories only
    // when attributes hold FileAttr::Directory, hidden files only with
    // FileAttr::Hidden. Returns 0 and fills search with the first match, or
    // an error code (and the search is closed). Never raises.
    int FindFirstFile(const std::string& pattern, int attributes, SearchRec& search);
    // The next match: 0, or DosSearchError::NoMoreFiles after the last one,
    // which also closes the search. Never raises.
    int FindNextFile(SearchRec& search);
    // Ends a search early.
    void FindClose(SearchRec& search);

    FileSystem& Files() { return files_; }

    int DosError = 0;  // result of the last FindFirstFile / FindNextFile

private:
    FileSystem& files_;
};

}  // namespace qs
