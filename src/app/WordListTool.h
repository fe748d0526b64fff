// The word-list modes of the command line, which run without a window:
// checking lists against their notation, importing a UTF-8 text file as a
// list in LS1DAT and exporting a list as UTF-8. The kind of a list follows
// from its extension (without regard to case) through the program table.
//
// Exit statuses: 0 all is well, 1 the checker found problems (an import is
// stored all the same), 2 a file could not be read or an import was refused.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "trainer/Programs.h"

namespace qs {

// What a mode prints (UTF-8) and its exit status.
struct ToolResult {
    std::string out;
    std::string err;
    int status = 0;
};

// The largest file the modes read; the trainer itself loads lists up to
// FileSystem::kTextLimit.
constexpr uint64_t kImportLimit = uint64_t{10} << 20;

// Every problem of every file as "FILE:LINE: message".
ToolResult CheckWordLists(FileSystem& files, ProgramTable programs,
                          const std::vector<std::string>& paths);

struct ImportRequest {
    std::string file;  // a UTF-8 text file, LF or CR LF, with or without a byte-order mark
    std::string as;    // the extension of the list, any case
    std::string name;  // the list's name; empty: the file's name without its extension
    bool force = false;
};

// Writes the list into listDir (the app folder's LS1DAT, ending in '/').
ToolResult ImportWordList(FileSystem& files, ProgramTable programs, const ImportRequest& request,
                          const std::string& listDir);

// The list's lines in UTF-8, each ended by LF.
ToolResult ExportWordList(FileSystem& files, const std::string& path);

// Lines as the trainer's loader reads them: CR LF, LF or a lone CR end a
// line, a Ctrl-Z ends the text.
std::vector<std::string> SplitListLines(const std::vector<uint8_t>& bytes);

}  // namespace qs
