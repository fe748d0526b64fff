#include "screen/script/Dump.h"

#include <stdexcept>

#include "base/CodePage.h"
#include "screen/image/PngEncode.h"

namespace qs {

namespace {

constexpr int kColumns = 80;

// Control characters would break the grid's lines; they show as blanks.
char32_t Visible(char32_t cp) { return cp < 0x20 || cp == 0x7F ? U' ' : cp; }

std::string DisplayText(const std::string& oem, bool noConversion) {
    std::string out;
    for (char ch : OemToDisplayCopy(oem, noConversion))
        out += EncodeUtf8(Cp1252ToUnicode(static_cast<uint8_t>(ch)));
    return out;
}

std::string Quoted(const std::string& utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        if (ch == '"' || ch == '\\') out += '\\';
        out += ch;
    }
    out += '"';
    return out;
}

void Write(FileSystem& fs, const std::string& path, const std::vector<uint8_t>& data) {
    if (data.empty() || !fs.WriteFileAtomic(path, data)) {
        throw std::runtime_error("cannot write the dump file " + path);
    }
}

}  // namespace

std::string DumpText(const Dos& d) {
    const ScreenState& s = d.screen;
    std::string out = s.GraphMode ? "mode: graphics\n" : "mode: text\n";
    for (int row = 0; row < s.GridRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const size_t i = static_cast<size_t>(row) * kColumns + col;
            out += EncodeUtf8(i < s.Grid.size() ? Visible(s.Grid[i]) : U' ');
        }
        out += '\n';
    }
    if (!s.GraphMode) return out;
    for (const GraphText& t : s.GraphTexts) {
        out += "text " + std::to_string(t.x) + ' ' + std::to_string(t.y) + ' ' +
               std::to_string(t.colour) + ' ' + Quoted(ShownGraphText(d, t)) + '\n';
    }
    return out;
}

bool GridShows(const Dos& d, const std::u32string& text) {
    const ScreenState& s = d.screen;
    std::u32string row(kColumns, U' ');
    for (int r = 0; r < s.GridRows; ++r) {
        for (int col = 0; col < kColumns; ++col) {
            const size_t i = static_cast<size_t>(r) * kColumns + col;
            row[static_cast<size_t>(col)] = i < s.Grid.size() ? Visible(s.Grid[i]) : U' ';
        }
        if (row.find(text) != std::u32string::npos) return true;
    }
    return false;
}

std::string ShownGraphText(const Dos& d, const GraphText& t) {
    return DisplayText(t.text, d.screen.NoConversion);
}

void WriteDump(Dos& d, const std::string& outDir, const std::string& name) {
    FileSystem& fs = d.platform.Files();
    if (!fs.IsDirectory(outDir) && !fs.MakeDirectories(outDir)) {
        throw std::runtime_error("cannot make the dump folder " + outDir);
    }
    std::string base = outDir;
    if (!base.empty() && base.back() != '/') base += '/';
    base += name;
    Write(fs, base + ".png", EncodePng(d.Canvas()));
    const std::string text = DumpText(d);
    Write(fs, base + ".txt", std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace qs
