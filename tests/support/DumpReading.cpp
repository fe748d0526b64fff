#include "support/DumpReading.h"

#include <filesystem>
#include <sstream>

#include "base/CodePage.h"
#include "support/TestFiles.h"

namespace qs::test {

namespace fs = std::filesystem;

std::map<std::string, std::string> ReadDumps(const std::string& outDir) {
    std::map<std::string, std::string> dumps;
    if (!fs::is_directory(outDir)) return dumps;
    for (const auto& entry : fs::directory_iterator(outDir)) {
        if (entry.path().extension() != ".txt") continue;
        dumps[entry.path().stem().string()] = FileText(entry.path().string());
    }
    return dumps;
}

std::string DumpRow(const std::string& dump, int row) {
    std::istringstream in(dump);
    std::string line;
    std::getline(in, line);  // mode line
    for (int i = 1; i <= row && std::getline(in, line); ++i) {
        if (i == row) return line;
    }
    return "";
}

std::u32string DumpCells(const std::string& dump, int row) {
    const std::string utf8 = DumpRow(dump, row);
    std::u32string cells;
    for (size_t pos = 0; pos < utf8.size();) cells += DecodeUtf8(utf8, pos);
    return cells;
}

bool ShowsAt(const std::string& dump, int col, int row, const std::string& text) {
    const std::u32string cells = DumpCells(dump, row);
    std::u32string wanted;
    for (unsigned char c : text) wanted += c;
    const size_t from = static_cast<size_t>(col - 1);
    return cells.size() >= from + wanted.size() && cells.substr(from, wanted.size()) == wanted;
}

std::string Cells(const std::string& row, int from, int to) {
    std::u32string line;
    for (size_t pos = 0; pos < row.size();) line += DecodeUtf8(row, pos);
    std::string out;
    for (int i = from - 1; i < to && i < static_cast<int>(line.size()); ++i)
        out += EncodeUtf8(line[static_cast<size_t>(i)]);
    return out;
}

std::string Cells(const std::string& dump, int row, int from, int to) {
    return Cells(DumpRow(dump, row), from, to);
}

std::string Times(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::string ShownUtf8(const std::string& cp437) {
    std::string s;
    for (unsigned char c : cp437) s += EncodeUtf8(Cp1252ToUnicode(OemToDisplayByte(c)));
    return s;
}

std::vector<std::string> DumpTexts(const std::string& dump) {
    std::vector<std::string> texts;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("text ", 0) == 0) texts.push_back(line);
    return texts;
}

std::string TextAt(const std::string& dump, int x, int y) {
    const std::string prefix = "text " + std::to_string(x) + ' ' + std::to_string(y) + ' ';
    std::string found;
    for (const std::string& t : DumpTexts(dump)) {
        if (t.rfind(prefix, 0) != 0) continue;
        const size_t quote = t.find('"');
        found = quote == std::string::npos ? "" : t.substr(quote + 1, t.size() - quote - 2);
    }
    return found;
}

std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < bytes.size()) {
        size_t end = bytes.find("\r\n", from);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(from));
            break;
        }
        lines.push_back(bytes.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

}  // namespace qs::test
