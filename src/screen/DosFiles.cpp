#include "screen/DosFiles.h"

#include <algorithm>

#include "screen/DosPath.h"

namespace qs {

namespace {

unsigned char AsciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// Name order without regard to ASCII case; names that differ only in case
// are ordered by their bytes.
bool NameBefore(const DirEntry& a, const DirEntry& b) {
    bool lowerLess = std::lexicographical_compare(
        a.name.begin(), a.name.end(), b.name.begin(), b.name.end(), [](char x, char y) {
            return AsciiLower(static_cast<unsigned char>(x)) <
                   AsciiLower(static_cast<unsigned char>(y));
        });
    if (lowerLess) return true;
    bool lowerGreater = std::lexicographical_compare(
        b.name.begin(), b.name.end(), a.name.begin(), a.name.end(), [](char x, char y) {
            return AsciiLower(static_cast<unsigned char>(x)) <
                   AsciiLower(static_cast<unsigned char>(y));
        });
    if (lowerGreater) return false;
    return a.name < b.name;
}

int AttrOf(const DirEntry& e) {
    int attr = 0;
    if (e.isDir) attr |= FileAttr::Directory;
    if (!e.name.empty() && e.name[0] == '.') attr |= FileAttr::Hidden;
    return attr;
}

void Take(SearchRec& search) {
    const DirEntry& e = search.Pending[search.Next++];
    search.Name = e.name;
    search.Size = e.size;
    search.Attr = AttrOf(e);
}

}  // namespace

int DosFiles::FindFirstFile(const std::string& pattern, int attributes, SearchRec& search) {
    FindClose(search);
    try {
        std::string_view folderPart = FolderOf(pattern);
        std::string_view namePart = NameOf(pattern);
        if (namePart.empty()) return DosError = DosSearchError::FileNotFound;
        std::string folder = folderPart.empty() ? "." : ResolvePath(files_, folderPart);
        auto entries = files_.ListDirectory(folder);
        if (!entries) return DosError = DosSearchError::PathNotFound;

        int excluded = ~attributes & (FileAttr::Hidden | FileAttr::SysFile | FileAttr::VolumeId |
                                      FileAttr::Directory);
        for (auto& e : *entries)
            if ((AttrOf(e) & excluded) == 0 && WildcardMatch(namePart, e.name))
                search.Pending.push_back(std::move(e));
        if (search.Pending.empty()) return DosError = DosSearchError::FileNotFound;
        std::stable_sort(search.Pending.begin(), search.Pending.end(), NameBefore);
        Take(search);
        return DosError = 0;
    } catch (...) {
        FindClose(search);
        return DosError = DosSearchError::PathNotFound;
    }
}

int DosFiles::FindNextFile(SearchRec& search) {
    try {
        if (search.Next < search.Pending.size()) {
            Take(search);
            return DosError = 0;
        }
    } catch (...) {}
    FindClose(search);
    return DosError = DosSearchError::NoMoreFiles;
}

void DosFiles::FindClose(SearchRec& search) {
    search.Pending.clear();
    search.Pending.shrink_to_fit();
    search.Next = 0;
}

}  // namespace qs
