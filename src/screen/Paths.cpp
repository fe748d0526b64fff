#include "screen/Paths.h"

#include "screen/DosFiles.h"

namespace qs {

namespace {

bool StartsWith(const std::string& s, std::string_view prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

namespace {

std::string AsFolder(std::string dir) {
    if (dir.empty()) return "./";
    if (dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace

std::string AppDir(FileSystem& files) {
    const std::string& app = files.Folders().app;
    return AsFolder(app.empty() ? files.ProgramDir() : app);
}

std::string ShippedDir(FileSystem& files) {
    const std::string& shipped = files.Folders().shipped;
    return shipped.empty() ? AppDir(files) : AsFolder(shipped);
}

std::string ProgramFileName(FileSystem& files) { return std::string(NameOf(files.ProgramPath())); }

std::string ExpandAppPath(FileSystem& files, const std::string& path) {
    if (path.find(':') != std::string::npos || path.find("\\\\") != std::string::npos ||
        StartsWith(path, "/"))
        return path;
    try {
        std::string dir = AppDir(files);
        std::string rest = path;
        if (StartsWith(rest, "\\")) rest.erase(0, 1);
        while (StartsWith(rest, "..\\") || StartsWith(rest, "../")) {
            rest.erase(0, 3);
            std::string withoutSlash = dir.substr(0, dir.size() - 1);
            auto slash = withoutSlash.find_last_of('/');
            if (withoutSlash.empty() || slash == std::string::npos) return path;
            dir = withoutSlash.substr(0, slash + 1);
        }
        return dir + rest;
    } catch (...) {
        return path;
    }
}

bool FileFound(FileSystem& files, const std::string& path) {
    try {
        DosFiles dos(files);
        SearchRec search;
        if (dos.FindFirstFile(path, FileAttr::AnyFile, search) != 0) return false;
        std::string real = ResolvePath(files, path);
        return files.Exists(real) && !files.IsDirectory(real);
    } catch (...) {
        return false;
    }
}

std::string BareFileName(const std::string& path) {
    std::string name(NameOf(path));
    auto dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    auto space = name.find(' ');
    if (space != std::string::npos && name.find(' ', space + 1) == std::string::npos)
        name = name.substr(space + 1) + " " + name.substr(0, space);
    return name;
}

char UpCaseChar(char ch) {
    auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 32);  // à..þ
    switch (c) {
        case 0x9A: return static_cast<char>(0x8A);  // š
        case 0x9C: return static_cast<char>(0x8C);  // œ
        case 0x9E: return static_cast<char>(0x8E);  // ž
        case 0xFF: return static_cast<char>(0x9F);  // ÿ
        default: return ch;
    }
}

}  // namespace qs
