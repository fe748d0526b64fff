// The trainer names its files the DOS way: backslashes between folders and
// no regard to case ("LS1DAT\*.VWT", "Bitplane\filme\"). These helpers turn
// such names into real paths on a case-sensitive file system and compare
// names the way DOS did.
//
// Name comparison ignores ASCII case and the case of the accented letters of
// code page 437 and Windows-1252 (so "ÜBUNG" matches "übung"). A name is
// read as UTF-8 when it is valid UTF-8 (names on disk usually are) and
// otherwise as code page 437 or as Windows-1252 (names the trainer makes
// from its own strings); two names match when any of these readings agree.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace qs {

// True when the two file names (single components, no folders) are the
// same name apart from case.
bool SameFileName(std::string_view a, std::string_view b);

// True when name matches the wildcard pattern as a DOS directory search
// matches it: '*' any run of characters, '?' one character (or none before
// the dot or at the end), "*.*" every name (also those without a dot),
// "name.*" also "name" without an extension, "*." only names without a dot.
// Case is ignored as in SameFileName.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// True when the name contains '*' or '?'.
bool HasWildcards(std::string_view name);

// Turns a DOS-style path into a real one: every backslash becomes '/', and
// each folder or file name is looked up in its folder without regard to
// case, taking the spelling found on disk ("Bitplane\filme\" finds
// "bitplane/filme/"). A name that does not exist (a file about to be
// created) keeps its spelling, and so do the names after it and names with
// wildcards. An exact match wins over others; among several names that
// differ only in case the first in byte order is taken. A path with a drive
// letter ("C:...") is returned unchanged. A trailing separator is kept.
//
// When the file system has a shipped folder apart from the app folder
// (FileSystem::Folders), a path into one of the app folder's shipped data
// folders ("bitplane", "wavs", "bgi7", "emfs", "maustxt") is taken from the
// shipped folder when the entry exists there; a file the program makes
// itself beside them (not shipped) stays in the app folder.
std::string ResolvePath(FileSystem& files, std::string_view dosPath);

// The folder part of a path up to and including its last separator ('/' or
// '\'), and the name after it.
std::string_view FolderOf(std::string_view path);
std::string_view NameOf(std::string_view path);

}  // namespace qs
