#include "exercises/buildingsite/Notation.h"

#include <algorithm>

#include "base/CodePage.h"

namespace qs {

BuildingSiteLine ParseBuildingSiteLine(const std::string& line) {
    BuildingSiteLine l;
    l.hyphens = static_cast<int>(std::count(line.begin(), line.end(), '-'));
    const size_t open = line.find('-');
    l.before = line.substr(0, open);
    if (open == std::string::npos) return l;
    l.opened = true;
    const size_t close = line.find('-', open + 1);
    l.brick =
        line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    if (close == std::string::npos) return l;
    l.closed = true;
    l.after = line.substr(close + 1);
    return l;
}

std::string WallText(const BuildingSiteLine& line) { return line.before + line.brick + line.after; }

bool IsBuildingSiteKey(unsigned char c) {
    return (c >= 'A' && c <= 'z') || (c >= ',' && c <= '9') || c == ' ' || c == '!' || c == '?' ||
           IsGermanLetter(c);
}

namespace {

// The first character of the brick the child cannot type, or 0.
char UntypeableInBrick(const std::string& brick) {
    for (char c : brick) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 && !IsBuildingSiteKey(b)) return c;
    }
    return 0;
}

void CheckLine(int no, const std::string& text, NotationProblems& out) {
    const BuildingSiteLine l = ParseBuildingSiteLine(text);
    if (text.size() > kBuildingSiteLineMax) AddProblem(out, no, "Zeile l\x84nger als 30 Zeichen");
    if (!l.opened) {
        AddProblem(out, no, "Bindestriche vergessen: kein Teil zum Einsetzen");
        return;
    }
    if (!l.closed) {
        AddProblem(out, no, "schlie\341ender Bindestrich vergessen");
        return;
    }
    if (l.brick.find_first_not_of(' ') == std::string::npos)
        AddProblem(out, no, "kein Wortteil zwischen den Bindestrichen");
    if (l.hyphens > 2) AddProblem(out, no, "mehr als zwei Bindestriche: nur ein Teil pro Zeile");
    if (const char c = UntypeableInBrick(l.brick))
        AddProblem(out, no, std::string("Zeichen ") + c + " kann nicht getippt werden");
}

}  // namespace

NotationProblems CheckBuildingSiteList(std::span<const std::string> lines) {
    NotationProblems out;
    const std::vector<NotationEntry> entries = NotationEntries(lines, out);
    if (entries.size() < kBuildingSiteMinEntries)
        AddProblem(out, entries.empty() ? 1 : entries.front().line,
                   "zu wenige Zeilen: Baustelle braucht mindestens 3");
    for (const NotationEntry& e : entries) CheckLine(e.line, *e.text, out);
    SortByLine(out);
    return out;
}

}  // namespace qs
