// The program folder, paths relative to it and small file-name helpers.
//
// The app folder ends in '/' (for example "/opt/quendelstrand/"). The
// trainer appends DOS-style relative names to it ("LS1DAT\LEHRER.TXT");
// ResolvePath (screen/DosPath.h) turns the result into a real path before a
// file is touched, taking the shipped data folders from the shipped folder.
#pragma once

#include <string>

#include "platform/Platform.h"
#include "screen/DosPath.h"

namespace qs {

// The app folder, ending in '/': the folder the program writes in and the
// trainer's paths start from. The program file's folder unless the
// platform's file system was handed other folders (FileSystem::Folders).
std::string AppDir(FileSystem& files);

// The folder of the read-only data that came with the program, ending in
// '/'; the app folder unless the program is installed read-only.
std::string ShippedDir(FileSystem& files);

// The program file's name without folder ("quendelstrand").
std::string ProgramFileName(FileSystem& files);

// A path that holds neither ':' nor "\\" (and does not start with '/', which
// on this system is already a full path) is taken as relative to the
// program folder: a leading '\' is dropped, each leading "..\" (or "../")
// removes one folder from the program folder, and the rest is appended.
// Other paths, and paths that would climb above the root, come back
// unchanged.
std::string ExpandAppPath(FileSystem& files, const std::string& path);

// True when a directory search for path (all attributes) finds an entry and
// that entry is a file (not a folder). False on any error.
bool FileFound(FileSystem& files, const std::string& path);

// The file name without folder and extension. When it contains exactly one
// space, the two words around it change places ("Mann alt" -> "alt Mann").
std::string BareFileName(const std::string& path);

// The upper case of one Windows-1252 character (ß and µ have none and stay).
char UpCaseChar(char ch);

}  // namespace qs
