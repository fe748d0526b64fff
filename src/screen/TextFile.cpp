#include "screen/TextFile.h"

#include <cstdio>
#include <limits>
#include <utility>

#include "screen/DosPath.h"

namespace qs {

namespace {

constexpr uint8_t kCtrlZ = 26;

[[noreturn]] void Fail(int code, const std::string& what, const std::string& name) {
    throw DosIoError(code, what + ": " + name);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

TextFile& TextFile::operator=(TextFile&& o) noexcept {
    if (this == &o) return *this;
    files_ = o.files_;
    name_ = std::move(o.name_);
    realPath_ = std::move(o.realPath_);
    mode_ = std::exchange(o.mode_, Mode::Closed);
    data_ = std::move(o.data_);
    pos_ = std::exchange(o.pos_, 0);
    end_ = std::exchange(o.end_, 0);
    o.data_.clear();
    o.realPath_.clear();
    return *this;
}

void TextFile::Reset() {
    if (IsOpen()) Close();
    if (name_.empty()) Fail(DosIo::FileNotAssigned, "no file name", name_);
    std::string real = ResolvePath(*files_, name_);
    auto bytes = files_->ReadFile(real, FileSystem::kTextLimit);
    if (!bytes) {
        std::string folder(FolderOf(real));
        if (!folder.empty() && !files_->IsDirectory(folder))
            Fail(DosIo::PathNotFound, "folder not found", name_);
        if (!files_->Exists(real)) Fail(DosIo::FileNotFound, "file not found", name_);
        Fail(DosIo::AccessDenied, "file cannot be read", name_);
    }
    data_ = std::move(*bytes);
    pos_ = 0;
    end_ = data_.size();
    for (size_t k = 0; k < data_.size(); ++k) {
        if (data_[k] == kCtrlZ) {
            end_ = k;
            break;
        }
    }
    realPath_ = std::move(real);
    mode_ = Mode::Reading;
}

void TextFile::Rewrite() {
    if (IsOpen()) Close();
    if (name_.empty()) Fail(DosIo::FileNotAssigned, "no file name", name_);
    std::string real = ResolvePath(*files_, name_);
    std::string folder(FolderOf(real));
    if (!folder.empty() && !files_->IsDirectory(folder))
        Fail(DosIo::PathNotFound, "folder not found", name_);
    if (NameOf(real).empty() || files_->IsDirectory(real))
        Fail(DosIo::AccessDenied, "not a file name", name_);
    data_.clear();
    realPath_ = std::move(real);
    mode_ = Mode::Rewriting;
}

void TextFile::Append() {
    if (IsOpen()) Close();
    if (name_.empty()) Fail(DosIo::FileNotAssigned, "no file name", name_);
    std::string real = ResolvePath(*files_, name_);
    if (files_->IsDirectory(real)) Fail(DosIo::AccessDenied, "not a file name", name_);
    if (!files_->Exists(real)) Fail(DosIo::FileNotFound, "file not found", name_);
    data_.clear();
    realPath_ = std::move(real);
    mode_ = Mode::Appending;
}

void TextFile::Close() {
    Mode was = mode_;
    if (was == Mode::Closed) Fail(DosIo::FileNotOpen, "file not open", name_);
    std::vector<uint8_t> pending = std::move(data_);
    std::string real = std::move(realPath_);
    data_.clear();
    realPath_.clear();
    pos_ = end_ = 0;
    mode_ = Mode::Closed;
    bool stored = true;
    if (was == Mode::Rewriting) stored = files_->WriteFileAtomic(real, pending);
    else if (was == Mode::Appending && !pending.empty()) stored = files_->AppendFile(real, pending);
    if (!stored) Fail(DosIo::DiskWriteError, "file could not be written", name_);
}

void TextFile::OpenCheck(Mode wanted) {
    if (mode_ == Mode::Closed) Fail(DosIo::FileNotOpen, "file not open", name_);
    bool writing = mode_ == Mode::Rewriting || mode_ == Mode::Appending;
    if (wanted == Mode::Reading && writing)
        Fail(DosIo::NotOpenForInput, "file not open for reading", name_);
    if (wanted != Mode::Reading && !writing)
        Fail(DosIo::NotOpenForOutput, "file not open for writing", name_);
}

bool TextFile::Eof() {
    OpenCheck(Mode::Reading);
    return pos_ >= end_;
}

void TextFile::Put(std::string_view bytes) {
    OpenCheck(Mode::Rewriting);
    data_.insert(data_.end(), bytes.begin(), bytes.end());
}

void TextFile::Flush() {
    OpenCheck(Mode::Rewriting);
    // A rewritten file is stored as a whole at Close, so that a failure can
    // never leave half of it behind.
    if (mode_ != Mode::Appending || data_.empty()) return;
    if (!files_->AppendFile(realPath_, data_))
        Fail(DosIo::DiskWriteError, "file could not be written", name_);
    data_.clear();
}

std::string TextFile::GetLine() {
    OpenCheck(Mode::Reading);
    size_t k = pos_;
    while (k < end_ && data_[k] != '\r' && data_[k] != '\n') ++k;
    std::string line(data_.begin() + static_cast<ptrdiff_t>(pos_),
                     data_.begin() + static_cast<ptrdiff_t>(k));
    if (k < end_ && data_[k] == '\r' && k + 1 < end_ && data_[k + 1] == '\n') pos_ = k + 2;
    else pos_ = k < end_ ? k + 1 : end_;
    return line;
}

void WriteToFile(TextFile& f, std::string_view s1) {
    f.Put(s1);
    f.Flush();
}

void WriteToFile(TextFile& f, std::string_view s1, std::string_view s2) {
    f.Put(s1);
    f.Put(s2);
    f.Flush();
}

void WriteToFile(TextFile& f, std::string_view s1, std::string_view s2, std::string_view s3) {
    f.Put(s1);
    f.Put(s2);
    f.Put(s3);
    f.Flush();
}

void WriteLnToFile(TextFile& f) { f.Put("\r\n"); }

void WriteLnToFile(TextFile& f, std::string_view s1) {
    f.Put(s1);
    f.Put("\r\n");
}

void WriteLnToFile(TextFile& f, std::string_view s1, std::string_view s2) {
    f.Put(s1);
    f.Put(s2);
    f.Put("\r\n");
}

void WriteLnToFile(TextFile& f, std::string_view s1, std::string_view s2, std::string_view s3) {
    f.Put(s1);
    f.Put(s2);
    f.Put(s3);
    f.Put("\r\n");
}

std::string ValueText(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", d);
    // "1E+20" -> "1E20", "1E-05" -> "1E-5".
    std::string s(buf);
    auto e = s.find('E');
    if (e == std::string::npos) return s;
    std::string mantissa = s.substr(0, e);
    size_t i = e + 1;
    bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i + 1 < s.size() && s[i] == '0') ++i;
    return mantissa + "E" + (negative ? "-" : "") + s.substr(i);
}

void ReadLnFromFile(TextFile& f, std::string& s) { s = f.GetLine(); }

void ReadIntFromFile(TextFile& f, int32_t& i) {
    if (f.Eof()) return;
    std::string line = f.GetLine();
    size_t a = 0, b = line.size();
    while (a < b && IsBlank(line[a])) ++a;
    while (b > a && IsBlank(line[b - 1])) --b;
    size_t k = a;
    bool negative = false;
    if (k < b && (line[k] == '+' || line[k] == '-')) negative = line[k++] == '-';
    if (k == b) Fail(DosIo::InvalidNumber, "not a number", f.Name());
    int64_t value = 0;
    for (; k < b; ++k) {
        if (line[k] < '0' || line[k] > '9') Fail(DosIo::InvalidNumber, "not a number", f.Name());
        value = value * 10 + (line[k] - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1)
            Fail(DosIo::InvalidNumber, "number too large", f.Name());
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        Fail(DosIo::InvalidNumber, "number too large", f.Name());
    i = static_cast<int32_t>(value);
}

}  // namespace qs
