#include "exercises/contact/Notation.h"

#include <algorithm>
#include <map>
#include <utility>

#include "base/CodePage.h"

namespace qs {

bool IsBlockEnd(const std::string& line) { return !line.empty() && line.front() == '-'; }

bool HasSeparatedMark(const std::string& firstLine) {
    return !firstLine.empty() && firstLine.front() == '/';
}

std::string WithoutSeparatedMark(const std::string& firstLine) {
    return HasSeparatedMark(firstLine) ? firstLine.substr(1) : firstLine;
}

ContactPair SplitContactLine(const std::string& line) {
    ContactPair p;
    p.hyphens = static_cast<int>(std::count(line.begin(), line.end(), '-'));
    const size_t dash = line.find('-');
    p.first = line.substr(0, dash);
    if (dash != std::string::npos) p.second = line.substr(dash + 1);
    return p;
}

int NeededConnections(const std::string& blockEnd, int size) {
    if (blockEnd.size() != 2) return size;
    const int n = blockEnd[1] - '0';
    return n < 2 || n > size ? size : n;
}

std::vector<ContactBlock> ContactBlocks(std::span<const std::string> lines) {
    std::vector<ContactBlock> blocks;
    size_t i = 0;
    while (i < lines.size()) {
        if (IsBlockEnd(lines[i])) {
            ++i;
            continue;
        }
        ContactBlock b;
        b.begin = i;
        while (i < lines.size() && !IsBlockEnd(lines[i])) ++i;
        b.size = i - b.begin;
        b.closed = i < lines.size();
        blocks.push_back(b);
    }
    return blocks;
}

bool IsContactKey(unsigned char c) { return (c >= 'A' && c <= 'z') || IsGermanLetter(c); }

namespace {

// The first character of the parts the child cannot type, or 0. Control
// characters and further hyphens have problems of their own.
char Untypeable(const std::string& part) {
    for (char c : part) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 && c != '-' && !IsContactKey(b)) return c;
    }
    return 0;
}

void CheckWordLine(int no, const std::string& line, NotationProblems& out) {
    const ContactPair p = SplitContactLine(line);
    if (p.hyphens == 0) {
        AddProblem(out, no, "Bindestrich vergessen");
        return;
    }
    if (p.hyphens > 1) AddProblem(out, no, "mehr als ein Bindestrich");
    if (p.second.empty()) AddProblem(out, no, "zweiter Wortteil fehlt");
    if (std::max(p.first.size(), p.second.size()) > kContactPartMax)
        AddProblem(out, no, "Wortteil l\x84nger als 8 Buchstaben");
    if (const char c = Untypeable(p.first + p.second))
        AddProblem(out, no, std::string("Zeichen ") + c + " kann nicht getippt werden");
}

void CheckBlockEnd(int no, const std::string& line, NotationProblems& out) {
    const bool digit = line.size() == 2 && line[1] >= '0' && line[1] <= '9';
    if (line.size() > 1 && !digit)
        AddProblem(out, no, "nach dem Bindestrich h\224chstens eine Ziffer");
}

// Two words of one board with the same part cannot be told apart: a
// connection to the twin counts as wrong.
void CheckTwins(const std::vector<NotationEntry>& entries, const std::vector<std::string>& words,
                const ContactBlock& b, NotationProblems& out) {
    std::map<std::string, int> firsts;
    std::map<std::string, int> seconds;
    for (size_t k = b.begin; k < b.begin + b.Played(); ++k) {
        const ContactPair p = SplitContactLine(words[k]);
        const int no = entries[k].line;
        for (auto [seen, part] : {std::pair{&firsts, &p.first}, std::pair{&seconds, &p.second}}) {
            if (part->empty()) continue;
            const auto [at, isNew] = seen->emplace(*part, no);
            if (!isNew)
                AddProblem(out, no,
                           "gleicher Wortteil wie Zeile " + std::to_string(at->second) +
                               " im selben Block");
        }
    }
}

void CheckBlock(const std::vector<NotationEntry>& entries, const std::vector<std::string>& words,
                const ContactBlock& b, NotationProblems& out) {
    const int start = entries[b.begin].line;
    if (b.size > kContactBlockMax) AddProblem(out, start, "mehr als 8 W\x94rter", true);
    else if (b.size % 2 == 1) AddProblem(out, start, "ungerade Anzahl von W\x94rtern", true);
    else if (b.size < 4) AddProblem(out, start, "weniger als 4 W\x94rter", true);
    if (!b.closed)
        AddProblem(out, entries[b.begin + b.size - 1].line,
                   "Block ohne abschlie\341ende Zeile mit -");
    CheckTwins(entries, words, b, out);
}

}  // namespace

NotationProblems CheckContactList(std::span<const std::string> lines) {
    NotationProblems out;
    const std::vector<NotationEntry> entries = NotationEntries(lines, out);
    std::vector<std::string> words;
    for (const NotationEntry& e : entries) words.push_back(*e.text);
    if (!words.empty()) words.front() = WithoutSeparatedMark(words.front());
    for (size_t i = 0; i < words.size(); ++i) {
        if (IsBlockEnd(words[i])) CheckBlockEnd(entries[i].line, words[i], out);
        else CheckWordLine(entries[i].line, words[i], out);
    }
    const std::vector<ContactBlock> blocks = ContactBlocks(words);
    if (blocks.empty())
        AddProblem(out, entries.empty() ? 1 : entries.front().line, "Liste ohne W\x94rter");
    for (const ContactBlock& b : blocks) CheckBlock(entries, words, b, out);
    SortByLine(out);
    return out;
}

}  // namespace qs
