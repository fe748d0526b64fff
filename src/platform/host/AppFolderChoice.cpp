#include "platform/host/AppFolderChoice.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace qs {

namespace {

// A folder holds the program's data when its fonts folder is there.
bool HoldsShippedData(FileSystem& files, const std::string& dir) {
    return files.IsDirectory(dir + "bgi7");
}

bool Writable(const std::string& dir) { return ::access(dir.c_str(), W_OK | X_OK) == 0; }

std::string AsFolder(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

// The folder above dir ("/usr/bin/" -> "/usr/"); "" for the root.
std::string Parent(const std::string& dir) {
    if (dir.size() < 2) return "";
    auto slash = dir.find_last_of('/', dir.size() - 2);
    return slash == std::string::npos ? "" : dir.substr(0, slash + 1);
}

std::string PerUserFolder(const FolderEnvironment& env) {
    // A relative XDG_DATA_HOME is to be ignored.
    if (!env.xdgDataHome.empty() && env.xdgDataHome.front() == '/')
        return AsFolder(env.xdgDataHome) + "quendelstrand/";
    if (!env.home.empty()) return AsFolder(env.home) + ".local/share/quendelstrand/";
    return "";
}

}  // namespace

FolderEnvironment HostFolderEnvironment() {
    FolderEnvironment env;
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) env.xdgDataHome = xdg;
    if (const char* home = std::getenv("HOME")) env.home = home;
    return env;
}

FolderChoice ChooseAppFolders(FileSystem& files, const std::string& programDirIn,
                              const FolderEnvironment& env) {
    const std::string programDir = AsFolder(programDirIn);
    FolderChoice choice;
    std::string shipped = programDir;
    const bool portable = HoldsShippedData(files, programDir);
    if (!portable) {
        const std::string installed = Parent(programDir) + "share/quendelstrand/";
        if (HoldsShippedData(files, installed)) shipped = installed;
    }
    choice.folders.shipped = shipped;
    if (portable && Writable(programDir)) {
        choice.folders.app = programDir;
        return choice;
    }
    const std::string user = PerUserFolder(env);
    if (user.empty() || !files.MakeDirectories(user) || !Writable(user)) {
        choice.folders.app = shipped;
        choice.problem = "Der Ordner f\u00fcr die eigenen Dateien (" +
                         (user.empty() ? std::string("HOME ist nicht gesetzt") : user) +
                         ") kann nicht angelegt werden. Die mitgelieferten Wortlisten sind nur "
                         "lesbar; Einstellungen und Protokolle werden nicht gespeichert.";
        return choice;
    }
    choice.folders.app = user;
    if (!SeedWordLists(files, choice.folders))
        choice.problem = "Die mitgelieferten Wortlisten konnten nicht alle nach " + user +
                         "LS1DAT kopiert werden.";
    return choice;
}

bool SeedWordLists(FileSystem& files, const AppFolders& folders) {
    const std::string mark = folders.app + kSeededMark;
    if (files.Exists(mark)) return true;
    const std::string from = folders.shipped + "LS1DAT/";
    const std::string to = folders.app + "LS1DAT/";
    if (!files.MakeDirectories(to)) return false;
    bool ok = true;
    if (auto entries = files.ListDirectory(from)) {
        for (const DirEntry& e : *entries) {
            if (e.isDir || files.Exists(to + e.name)) continue;
            auto bytes = files.ReadFile(from + e.name, FileSystem::kTextLimit);
            // WriteFileAtomic writes a temporary file and renames it, so a
            // copy cut short never carries the list's name.
            if (!bytes || !files.WriteFileAtomic(to + e.name, *bytes)) ok = false;
        }
    }
    return ok && files.WriteFileAtomic(mark, {});
}

}  // namespace qs
