#include "exercises/twointoone/Notation.h"

#include <algorithm>

#include "base/CodePage.h"

namespace qs {

CompoundLine ParseCompoundLine(const std::string& line) {
    CompoundLine l;
    l.underscores = static_cast<int>(std::count(line.begin(), line.end(), '_'));
    const size_t bar = line.find('_');
    l.written = bar != std::string::npos;
    const std::string parts = l.written ? line.substr(bar + 1) : line;
    l.hyphens = static_cast<int>(std::count(parts.begin(), parts.end(), '-'));
    const size_t dash = parts.rfind('-');
    l.hasHyphen = dash != std::string::npos;
    l.first = parts.substr(0, dash);
    if (l.hasHyphen) l.second = parts.substr(dash + 1);
    l.compound = l.written ? line.substr(0, bar) : l.first + l.second;
    return l;
}

std::string ShownSecondPart(const CompoundLine& line, bool writtenList) {
    return writtenList ? line.second : "-" + line.second;
}

bool IsTwoIntoOneKey(unsigned char c) {
    return (c >= 'A' && c <= 'z') || (c >= ',' && c <= '9') || c == '!' || c == '?' || c == ' ' ||
           IsGermanLetter(c);
}

namespace {

// The first character of the word the child cannot type, or 0.
char Untypeable(const std::string& word) {
    if (!word.empty() && word.front() == ' ') return ' ';
    for (char c : word) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 && !IsTwoIntoOneKey(b)) return c;
    }
    return 0;
}

void CheckParts(int no, const CompoundLine& l, NotationProblems& out) {
    if (!l.hasHyphen) {
        AddProblem(out, no, "Bindestrich vergessen");
        return;
    }
    if (l.hyphens > 1) AddProblem(out, no, "mehr als ein Bindestrich");
    if (l.underscores > 1) AddProblem(out, no, "mehr als ein Unterstrich");
    if (l.first.empty()) AddProblem(out, no, "erster Wortteil fehlt");
    if (l.second.empty()) AddProblem(out, no, "zweiter Wortteil fehlt");
    if (std::max(l.first.size(), l.second.size()) > kCompoundPartMax)
        AddProblem(out, no, "Wortteil l\x84nger als 12 Buchstaben");
    if (l.written && l.compound.empty()) AddProblem(out, no, "Wort vor dem _ fehlt");
    if (const char c = Untypeable(l.compound))
        AddProblem(out, no,
                   c == ' ' ? std::string("Wort beginnt mit einem Leerzeichen")
                            : std::string("Zeichen ") + c + " kann nicht getippt werden");
}

}  // namespace

NotationProblems CheckTwoIntoOneList(std::span<const std::string> lines) {
    NotationProblems out;
    const std::vector<NotationEntry> entries = NotationEntries(lines, out);
    if (entries.size() < kTwoIntoOneMinEntries)
        AddProblem(out, entries.empty() ? 1 : entries.front().line,
                   "zu wenige Zeilen: Aus 2 mach 1 braucht mindestens 6");
    std::vector<CompoundLine> parsed;
    for (const NotationEntry& e : entries) parsed.push_back(ParseCompoundLine(*e.text));
    for (size_t i = 0; i < parsed.size(); ++i) {
        const int no = entries[i].line;
        CheckParts(no, parsed[i], out);
        const std::string firstLine = std::to_string(entries.front().line);
        if (parsed[i].written != parsed.front().written)
            AddProblem(out, no, "andere Eingabeart (mit oder ohne _) als Zeile " + firstLine);
        // Two neighbours are the two words of one task; the same word twice
        // cannot be answered, the second answer is refused as a joke.
        if (i > 0 && !parsed[i].compound.empty() && parsed[i].compound == parsed[i - 1].compound)
            AddProblem(out, no, "gleiches Wort wie Zeile " + std::to_string(entries[i - 1].line));
    }
    // The game reads on from the last line to the first, which makes them
    // the two words of one task as well.
    if (parsed.size() > 2 && !parsed.back().compound.empty() &&
        parsed.back().compound == parsed.front().compound)
        AddProblem(out, entries.back().line,
                   "gleiches Wort wie Zeile " + std::to_string(entries.front().line));
    SortByLine(out);
    return out;
}

}  // namespace qs
