#include "print/PrintTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace qs::test {

namespace {

std::string FontText(const PrintFont& font) {
    const char face = font.face == PrintFace::Narrow     ? 'N'
                      : font.face == PrintFace::Fraction ? 'Q'
                                                         : 'C';
    return face + std::to_string(font.size) + (font.bold ? "b" : "");
}

}  // namespace

std::string Describe(const PrintPiece& piece) {
    std::string out;
    switch (piece.kind) {
        case PrintPiece::Kind::FormFeed: out = "FF"; break;
        case PrintPiece::Kind::Nothing: out = "--"; break;
        case PrintPiece::Kind::Text: out = FontText(piece.font) + " \"" + piece.text + "\""; break;
    }
    if (piece.continues) out += " +";
    if (piece.tab >= 0) out += " t" + std::to_string(piece.tab);
    if (piece.rule) out += " R";
    if (piece.check) out += " V";
    return out;
}

std::vector<std::string> Describe(const std::vector<PrintPiece>& pieces) {
    std::vector<std::string> out;
    for (const auto& piece : pieces) out.push_back(Describe(piece));
    return out;
}

std::string Describe(const PlacedItem& item) {
    std::ostringstream out;
    out << item.page << ":" << item.x << "," << item.y << " ";
    switch (item.kind) {
        case PlacedItem::Kind::Text:
            out << FontText(item.font) << " \"" << item.text << "\"";
            break;
        case PlacedItem::Kind::Rule: out << "rule " << item.width; break;
        case PlacedItem::Kind::Check: out << "check"; break;
    }
    return out.str();
}

std::optional<std::string> RunCommand(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    int status = ::pclose(pipe);
    if (status != 0) return std::nullopt;
    return out;
}

int PdfPages(const std::string& path) {
    auto info = RunCommand("pdfinfo '" + path + "' 2>/dev/null");
    if (!info) return -1;
    std::istringstream lines(*info);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Pages:", 0) == 0) return std::atoi(line.c_str() + 6);
    }
    return -1;
}

}  // namespace qs::test

// fontconfig keeps a few hundred bytes of its own state until the process
// ends, the same amount however much is printed; the leak checker of the
// sanitizer build is told so. Without the sanitizer this hook is unused.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
