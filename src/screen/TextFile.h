// Text files written and read line by line, as the DOS trainer kept its
// options, word lists, protocol and printer output.
//
// Bytes go to disk and come back unchanged (the trainer's strings are code
// page 437). Lines are written with CR LF; reading accepts CR LF, LF and a
// lone CR, and a Ctrl-Z byte (26), which old DOS editors put at the end of a
// file, ends the file.
//
// A file is never lost halfway: a file opened with Rewrite is kept in memory
// and only replaces the file on disk when Close succeeds, through a
// temporary file that is flushed to disk and renamed over the old one. If
// anything fails, the old file stays as it was and Close raises. The flush of
// WriteToFile therefore does nothing for such a file. A file opened with
// Append is appended to at every flush and at Close.
//
// Names are DOS-style paths; they are resolved on disk without regard to
// case when the file is opened (see ResolvePath), so rewriting
// "LS1DAT\LEHRER.TXT" replaces an existing "ls1dat/lehrer.txt".
#pragma once

#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace qs {

// The failure of a text-file operation. code() is the DOS I/O result.
class DosIoError : public std::runtime_error {
public:
    DosIoError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// DOS I/O result codes used by DosIoError.
namespace DosIo {
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int DiskReadError = 100;
constexpr int DiskWriteError = 101;
constexpr int FileNotAssigned = 102;
constexpr int FileNotOpen = 103;
constexpr int NotOpenForInput = 104;
constexpr int NotOpenForOutput = 105;
constexpr int InvalidNumber = 106;
}  // namespace DosIo

class TextFile {
public:
    enum class Mode : uint8_t { Closed, Reading, Rewriting, Appending };

    explicit TextFile(FileSystem& files) : files_(&files) {}
    // A moved-from file is closed.
    TextFile(TextFile&& o) noexcept { *this = std::move(o); }
    TextFile& operator=(TextFile&& o) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    // A file still open for writing is dropped: a rewritten file keeps its
    // old contents, text not yet appended is not appended.
    ~TextFile() = default;

    // Names the file (a DOS-style path). Closes nothing; the name is used by
    // the next Reset, Rewrite or Append.
    void Assign(std::string name) { name_ = std::move(name); }
    const std::string& Name() const { return name_; }
    // The real path the file was opened under (empty when closed).
    const std::string& RealPath() const { return realPath_; }

    // Opens the file for reading. Raises when it cannot be read.
    void Reset();
    // Opens the file as a new, empty file; the old one stays until Close.
    // Raises when its folder does not exist or the name is a folder.
    void Rewrite();
    // Opens an existing file for writing at its end. Raises when it does not
    // exist.
    void Append();
    // Closes the file; for a rewritten file this is when it is written.
    // Raises when the file is not open or its contents cannot be stored.
    void Close();

    Mode GetMode() const { return mode_; }
    bool IsOpen() const { return mode_ != Mode::Closed; }
    // True when nothing is left to read. Raises unless open for reading.
    bool Eof();

    // The building blocks of the functions below.
    void Put(std::string_view bytes);
    void Flush();
    std::string GetLine();

private:
    void OpenCheck(Mode wanted);

    FileSystem* files_;
    std::string name_;
    std::string realPath_;
    Mode mode_ = Mode::Closed;
    std::vector<uint8_t> data_;  // read: the whole file; write: what is not stored yet
    size_t pos_ = 0;             // read position
    size_t end_ = 0;             // read: end of the text (before a Ctrl-Z)
};

// --- Writing ----------------------------------------------------------------

// The strings one after the other, no line end; then a flush.
void WriteToFile(TextFile& f, std::string_view s1);
void WriteToFile(TextFile& f, std::string_view s1, std::string_view s2);
void WriteToFile(TextFile& f, std::string_view s1, std::string_view s2, std::string_view s3);

// The strings (if any), then a line end (CR LF).
void WriteLnToFile(TextFile& f);
void WriteLnToFile(TextFile& f, std::string_view s1);
void WriteLnToFile(TextFile& f, std::string_view s1, std::string_view s2);
void WriteLnToFile(TextFile& f, std::string_view s1, std::string_view s2, std::string_view s3);

// An integer in decimal, then a line end. A single character is not an
// integer here; write it as a string.
template <std::integral T>
requires(!std::same_as<T, char> && !std::same_as<T, bool>) void WriteLnToFile(TextFile& f, T i) {
    WriteLnToFile(f, std::string_view(std::to_string(i)));
}

// One value as text: strings as they are, a character as itself, integers
// in decimal, reals with up to 15 significant digits ("1.5", "1E20").
inline std::string ValueText(std::string_view s) { return std::string(s); }
inline std::string ValueText(const char* s) { return std::string(s); }
inline std::string ValueText(char c) { return std::string(1, c); }
inline std::string ValueText(bool b) { return b ? "TRUE" : "FALSE"; }
template <std::integral T>
requires(!std::same_as<T, char> && !std::same_as<T, bool>) std::string ValueText(T i) {
    return std::to_string(i);
}
std::string ValueText(double d);

// Each value as text, with a flush after each but the last; then a line end.
template <typename... Values>
void WriteLnValuesToFile(TextFile& f, const Values&... values) {
    std::vector<std::string> texts{ValueText(values)...};
    for (size_t i = 0; i < texts.size(); ++i) {
        f.Put(texts[i]);
        if (i + 1 < texts.size()) f.Flush();
    }
    f.Put("\r\n");
}

// --- Reading ----------------------------------------------------------------

// The rest of the current line (without its line end); then the next line
// is current. At the end of the file s becomes empty.
void ReadLnFromFile(TextFile& f, std::string& s);

// Unless the file is at its end: reads a line and converts it to i. The
// line must be a decimal integer (sign allowed, blanks around it ignored)
// that fits into i; otherwise DosIoError. At the end of the file i keeps its
// value.
void ReadIntFromFile(TextFile& f, int32_t& i);

}  // namespace qs
