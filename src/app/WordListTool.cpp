#include "app/WordListTool.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string_view>

#include "base/CodePage.h"
#include "screen/DosPath.h"
#include "trainer/Editor.h"

namespace qs {

// The modes' own messages go to a terminal and are written in UTF-8; the
// checkers' messages are code page 437, like every text of the trainer, and
// are converted on the way out.

namespace {

constexpr uint8_t kCtrlZ = 26;
// An import refused for its characters names this many of them.
constexpr size_t kShownCharacters = 10;

std::string Utf8(const std::string& cp437) {
    std::string out;
    for (char c : cp437) {
        const auto b = static_cast<uint8_t>(c);
        out += b < 128 ? std::string(1, c) : EncodeUtf8(Cp437ToUnicode(b));
    }
    return out;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string NameOfPath(const std::string& path) { return std::string(NameOf(path)); }

// The extension of a file name without its dot, empty when there is none.
std::string ExtensionOf(const std::string& path) {
    const std::string name = NameOfPath(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : name.substr(dot + 1);
}

const Program* ByExtension(ProgramTable programs, const std::string& ext) {
    for (const Program& p : programs)
        if (*p.extension && Upper(ext) == p.extension) return &p;
    return nullptr;
}

std::string KnownExtensions(ProgramTable programs) {
    std::string list;
    for (const Program& p : programs) {
        if (!*p.extension || list.find(p.extension) != std::string::npos) continue;
        list += (list.empty() ? "" : ", ") + std::string(p.extension);
    }
    return list;
}

// Why a file cannot be read, in German for the user.
std::string Unreadable(FileSystem& files, const std::string& path, uint64_t limit) {
    if (files.IsDirectory(path)) return "ist ein Ordner";
    if (!files.Exists(path)) return "nicht gefunden";
    std::string folder(FolderOf(path));
    if (folder.empty()) folder = "./";
    if (auto entries = files.ListDirectory(folder)) {
        for (const DirEntry& e : *entries)
            if (e.name == NameOfPath(path) && e.size > limit)
                return "gr\303\266\303\237er als " + std::to_string(limit >> 20) + " MB";
    }
    return "kann nicht gelesen werden (keine gew\303\266hnliche Datei oder keine Erlaubnis)";
}

std::optional<std::vector<uint8_t>> ReadOrSay(FileSystem& files, const std::string& path,
                                              ToolResult& r) {
    auto bytes = files.ReadFile(path, kImportLimit);
    if (!bytes) {
        r.err += path + ": " + Unreadable(files, path, kImportLimit) + "\n";
        r.status = 2;
    }
    return bytes;
}

void PrintProblems(const std::string& file, const NotationProblems& problems, ToolResult& r) {
    for (const NotationProblem& p : problems) {
        r.out += file + ":" + std::to_string(p.line) + ": " + (p.block ? "Block ab hier: " : "") +
                 Utf8(p.message) + "\n";
    }
    if (!problems.empty()) r.status = std::max(r.status, 1);
}

void CheckOne(FileSystem& files, ProgramTable programs, const std::string& path, ToolResult& r) {
    const Program* program = ByExtension(programs, ExtensionOf(path));
    if (!program) {
        r.err += path + ": keine Wortliste: die Endung ist keine von " + KnownExtensions(programs) +
                 "\n";
        r.status = 2;
        return;
    }
    const auto bytes = ReadOrSay(files, path, r);
    if (!bytes) return;
    NotationProblems problems;
    if (bytes->size() > FileSystem::kTextLimit)
        AddProblem(problems, 1, "Datei gr\224\341er als 1 MB: der Trainer l\204dt sie nicht");
    if (program->check) {
        const NotationProblems found = program->check(SplitListLines(*bytes));
        problems.insert(problems.end(), found.begin(), found.end());
    }
    PrintProblems(path, problems, r);
}

// --- Import -----------------------------------------------------------------------------

// Code page 437 byte of each code point from 128 up that the code page holds.
std::optional<uint8_t> ToCp437(char32_t cp) {
    static const auto table = [] {
        std::array<std::pair<char32_t, uint8_t>, 128> t{};
        for (int b = 128; b < 256; ++b)
            t[static_cast<size_t>(b - 128)] = {Cp437ToUnicode(static_cast<uint8_t>(b)),
                                               static_cast<uint8_t>(b)};
        return t;
    }();
    if (cp >= 32 && cp < 127) return static_cast<uint8_t>(cp);
    for (auto [u, b] : table)
        if (u == cp) return b;
    return std::nullopt;
}

std::string CodePointName(char32_t cp) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
    return hex;
}

// The text of a UTF-8 file in code page 437, line by line; a character the
// code page cannot hold is named in `refusals` with its line.
struct Decoded {
    std::vector<std::string> lines;
    std::vector<std::string> refusals;
    size_t refused = 0;
};

void DecodeLine(const std::string& utf8, int no, Decoded& d) {
    std::string line;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t at = pos;
        const char32_t cp = DecodeUtf8(utf8, pos);
        const bool invalid = cp == 0xFFFD && utf8.compare(at, 3, "\xEF\xBF\xBD") != 0;
        const std::optional<uint8_t> b = invalid ? std::nullopt : ToCp437(cp);
        if (b) {
            line += static_cast<char>(*b);
            continue;
        }
        if (d.refused++ >= kShownCharacters) continue;
        std::string what;
        if (invalid) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<uint8_t>(utf8[at]));
            what = std::string("kein UTF-8 (Byte ") + hex + "): keine Textdatei?";
        } else if (cp < 32 || cp == 127) {
            what = "Steuerzeichen " + CodePointName(cp) + " geh\303\266rt in keine Wortliste";
        } else {
            what = "\"" + EncodeUtf8(cp) + "\" (" + CodePointName(cp) +
                   ") gibt es in Codepage 437 nicht";
        }
        d.refusals.push_back("Zeile " + std::to_string(no) + ", Zeichen " +
                             std::to_string(line.size() + 1) + ": " + what);
    }
    d.lines.push_back(std::move(line));
}

Decoded DecodeUtf8Text(const std::vector<uint8_t>& bytes) {
    std::string text(bytes.begin(), bytes.end());
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    Decoded d;
    size_t start = 0;
    int no = 1;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        DecodeLine(line, no++, d);
        start = end + 1;
    }
    return d;
}

// Empty when the name is one the editor's name input could have given;
// else why not.
std::string NameFault(const std::string& name) {
    if (name.empty()) return "ist leer";
    if (name.size() > kSaveNameMax) return "ist l\303\244nger als 25 Zeichen";
    if (name.front() == '-') return "beginnt mit -";
    for (size_t i = 0; i < name.size(); ++i) {
        if (!AcceptsNameKey(std::string_view(name).substr(0, i), name[i]))
            return "darf nur Buchstaben a-z, Ziffern, Leerzeichen und - enthalten";
    }
    return "";
}

// The names in the folder that are `name` apart from case.
std::vector<std::string> SameNames(FileSystem& files, const std::string& dir,
                                   const std::string& name) {
    std::vector<std::string> same;
    if (auto entries = files.ListDirectory(dir))
        for (const DirEntry& e : *entries)
            if (SameFileName(e.name, name)) same.push_back(e.name);
    return same;
}

ToolResult Refuse(std::string message) { return ToolResult{"", message + "\n", 2}; }

std::string ListBytes(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

}  // namespace

std::vector<std::string> SplitListLines(const std::vector<uint8_t>& bytes) {
    size_t end = 0;
    while (end < bytes.size() && bytes[end] != kCtrlZ) ++end;
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < end) {
        size_t k = pos;
        while (k < end && bytes[k] != '\r' && bytes[k] != '\n') ++k;
        lines.emplace_back(bytes.begin() + static_cast<ptrdiff_t>(pos),
                           bytes.begin() + static_cast<ptrdiff_t>(k));
        pos = (k + 1 < end && bytes[k] == '\r' && bytes[k + 1] == '\n') ? k + 2 : k + 1;
    }
    return lines;
}

ToolResult CheckWordLists(FileSystem& files, ProgramTable programs,
                          const std::vector<std::string>& paths) {
    ToolResult r;
    for (const std::string& path : paths) CheckOne(files, programs, path, r);
    return r;
}

ToolResult ImportWordList(FileSystem& files, ProgramTable programs, const ImportRequest& request,
                          const std::string& listDir) {
    const Program* program = ByExtension(programs, request.as);
    if (!program)
        return Refuse("--as " + request.as + ": keine Art von Wortliste; bekannt sind " +
                      KnownExtensions(programs));
    std::string name = request.name;
    if (name.empty()) {
        name = NameOfPath(request.file);
        name = name.substr(0, name.rfind('.'));
    }
    if (const std::string fault = NameFault(name); !fault.empty())
        return Refuse("Name \"" + name + "\" " + fault + " (einen anderen mit --name angeben)");
    const std::string fileName = name + "." + program->extension;
    const std::vector<std::string> existing = SameNames(files, listDir, fileName);
    if (!existing.empty() && !request.force)
        return Refuse("Die Liste " + existing.front() + " gibt es schon in " + listDir +
                      " (--force ersetzt sie)");

    ToolResult r;
    const auto bytes = ReadOrSay(files, request.file, r);
    if (!bytes) return r;
    const Decoded d = DecodeUtf8Text(*bytes);
    if (d.refused > 0) {
        for (const std::string& s : d.refusals) r.err += request.file + ": " + s + "\n";
        if (d.refused > kShownCharacters)
            r.err += request.file + ": und " + std::to_string(d.refused - kShownCharacters) +
                     " weitere Zeichen\n";
        r.err += request.file + ": nicht eingelesen\n";
        r.status = 2;
        return r;
    }
    if (program->check) PrintProblems(request.file, program->check(d.lines), r);

    files.MakeDirectories(listDir);
    const std::string target = listDir + fileName;
    const std::string text = ListBytes(d.lines);
    if (!files.WriteFileAtomic(target, std::vector<uint8_t>(text.begin(), text.end()))) {
        r.err += target + ": kann nicht gespeichert werden\n";
        r.status = 2;
        return r;
    }
    // A list that differs only in case would stand beside the new one, and
    // the file selection could not tell the two apart.
    for (const std::string& old : existing)
        if (old != fileName && !files.RemoveFile(listDir + old))
            r.err += listDir + old + ": alte Liste kann nicht entfernt werden\n";
    r.out += target + ": gespeichert\n";
    return r;
}

ToolResult ExportWordList(FileSystem& files, const std::string& path) {
    ToolResult r;
    const auto bytes = ReadOrSay(files, path, r);
    if (!bytes) return r;
    for (const std::string& line : SplitListLines(*bytes)) r.out += Utf8(line) + "\n";
    return r;
}

}  // namespace qs
