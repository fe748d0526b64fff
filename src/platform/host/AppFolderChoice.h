// Which folders the program works in on this machine.
//
// A portable copy (the data folders beside the program file) works in its
// own folder as long as that folder is writable. An installed copy
// (program in PREFIX/bin, data in PREFIX/share/quendelstrand/), or a
// portable copy on a read-only medium, works in a per-user folder,
// $XDG_DATA_HOME/quendelstrand/ (~/.local/share/quendelstrand/ by default),
// and reads its shipped data from where it was installed. The per-user
// folder is seeded with the shipped word lists on its first start.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace qs {

struct FolderEnvironment {
    std::string xdgDataHome;  // $XDG_DATA_HOME, or empty
    std::string home;         // $HOME, or empty
};

// The program's environment variables.
FolderEnvironment HostFolderEnvironment();

struct FolderChoice {
    AppFolders folders;
    // Empty, or a German message for the user: the per-user folder could
    // not be made and the program runs read-only from its shipped folder.
    std::string problem;
};

// programDir: the program file's folder, ending in '/'. Makes the per-user
// folder and seeds it when it is chosen (see SeedWordLists).
FolderChoice ChooseAppFolders(FileSystem& files, const std::string& programDir,
                              const FolderEnvironment& env);

// Copies the word lists of shipped/LS1DAT/ into app/LS1DAT/ unless the
// seeding was already finished once (a mark in the app folder says so). A
// file already in app/LS1DAT/ is never overwritten. Each file is written
// under a temporary name and renamed, and the mark is set only when every
// file is there, so a seeding cut short is finished on the next start.
// False when a file could not be copied.
bool SeedWordLists(FileSystem& files, const AppFolders& folders);

// The mark's name in the app folder.
inline constexpr const char* kSeededMark = ".seeded";

}  // namespace qs
