// The word lists the program ships in LS1DAT: they load with the DOS text-file reader, hold
// 15 to 40 entries in code page 437 with CR LF line ends, and every line keeps the input
// rules the editor shows for its exercise. The rules are written out here on their own,
// apart from the generator in tools/wordlists, so that each checks the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/host/PosixFileSystem.h"
#include "screen/TextFile.h"

namespace qs::test {
namespace {

const std::string kListDir = std::string(QS_SOURCE_DIR) + "/data/LS1DAT/";
const std::vector<std::string> kExtensions = {"WWT", "VWT", "EWT", "OWT", "BWT",
                                              "AWT", "KWT", "UWT", "RWT"};

using Lines = std::vector<std::string>;

struct ShippedList {
    std::string name;
    std::string ext;
    Lines lines;  // as read, blank lines included
};

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The extension of a file name without its dot, in upper case; empty when there is none.
std::string Extension(const std::filesystem::path& p) {
    const std::string ext = p.extension().string();
    return ext.empty() ? "" : Upper(ext.substr(1));
}

bool IsListExtension(const std::string& ext) {
    return std::find(kExtensions.begin(), kExtensions.end(), ext) != kExtensions.end();
}

std::vector<ShippedList> LoadShippedLists() {
    PosixFileSystem files(kListDir + "quendelstrand");
    std::vector<ShippedList> lists;
    for (const auto& entry : std::filesystem::directory_iterator(kListDir)) {
        if (!entry.is_regular_file() || !IsListExtension(Extension(entry.path()))) continue;
        ShippedList list{entry.path().filename().string(), Extension(entry.path()), {}};
        TextFile f(files);
        f.Assign(entry.path().string());
        f.Reset();
        while (!f.Eof()) {
            std::string line;
            ReadLnFromFile(f, line);
            list.lines.push_back(line);
        }
        f.Close();
        lists.push_back(std::move(list));
    }
    std::sort(lists.begin(), lists.end(),
              [](const ShippedList& a, const ShippedList& b) { return a.name < b.name; });
    return lists;
}

// --- pieces of the notation (code page 437 bytes) ---------------------------------------

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0x81 || c == 0x84 ||
           c == 0x8E || c == 0x94 || c == 0x99 || c == 0x9A || c == 0xE1;  // üäÄöÖÜß
}

// What the editor lets the teacher type.
bool IsTypeable(unsigned char c) {
    return (c >= 65 && c <= 122) || (c >= 44 && c <= 57) || c == ' ' || c == '!' || c == '?' ||
           IsLetter(c);
}

bool IsWord(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return IsLetter(static_cast<unsigned char>(c));
    });
}

bool AllWords(const Lines& parts) { return std::all_of(parts.begin(), parts.end(), IsWord); }

Lines Split(const std::string& s, char sep) {
    Lines parts(1);
    for (char c : s) {
        if (c == sep) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

// Letters as the rule texts count them: separators left out.
size_t Letters(const std::string& s) {
    return static_cast<size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return c != '-' && c != '_'; }));
}

// The text after an article: a word and a blank before the first '-'. Empty when what
// stands before that blank is not a word.
std::string AfterArticle(const std::string& line, bool* ok) {
    const size_t blank = line.find(' ');
    *ok = true;
    if (blank == std::string::npos || blank > line.find('-')) return line;
    *ok = IsWord(line.substr(0, blank));
    return line.substr(blank + 1);
}

// --- the rules ---------------------------------------------------------------------------

// A rule looks at line i of a list and says what is wrong with it (empty: nothing).
using Check = std::function<std::string(const Lines&, size_t)>;

struct Rule {
    const char* row;
    std::string ext;  // empty: every list
    Check check;
    Lines broken;  // a small list with a line (the last) that breaks the rule
};

std::string Need(bool ok, const char* what) { return ok ? "" : what; }

std::string WordComparison(const Lines& l, size_t i) {
    const Lines w = Split(l[i], '-');
    return Need(
        w.size() == 2 && AllWords(w) && w[0].size() <= 15 && w[1].size() <= 15 && w[0] != w[1],
        "two different words of up to 15 letters joined by '-'");
}

std::string PrefixWord(const Lines& l, size_t i) {
    if (i == 0) return Need(AllWords(Split(l[0], '-')), "line 1: the prefixes joined by '-'");
    bool articleOk = false;
    const Lines p = Split(AfterArticle(l[i], &articleOk), '-');
    const bool prefixesOk =
        p.size() >= 2 && p.size() <= 8 && AllWords(Lines(p.begin(), p.end() - 1));
    return Need(articleOk && prefixesOk && AllWords(Split(p.back(), '_')) && Letters(l[i]) <= 30,
                "1 to 7 prefixes each followed by '-', the word's syllables joined by '_', "
                "at most 30 letters");
}

std::string EndingWord(const Lines& l, size_t i) {
    if (i == 0) return Need(AllWords(Split(l[0], '_')), "line 1: the endings joined by '_'");
    const Lines e = Split(l[i], '_');
    bool articleOk = false;
    std::string stem = AfterArticle(e[0], &articleOk);
    if (!stem.empty() && stem.back() == '-') stem.pop_back();  // the ending is a syllable
    const Lines endings(e.begin() + 1, e.end());
    return Need(articleOk && e.size() >= 2 && e.size() <= 8 && AllWords(endings) &&
                    AllWords(Split(stem, '-')) && Letters(l[i]) <= 30,
                "the stem's syllables joined by '-', then 1 to 7 endings each after '_', "
                "at most 30 letters");
}

std::string SyllableWord(const Lines& l, size_t i) {
    bool articleOk = false;
    const Lines s = Split(AfterArticle(l[i], &articleOk), '-');
    return Need(articleOk && s.size() >= 2 && s.size() <= 9 && AllWords(s) && Letters(l[i]) <= 30,
                "2 to 9 syllables joined by '-', at most 30 letters");
}

std::string BuildingLine(const Lines& l, size_t i) {
    const Lines p = Split(l[i], '-');
    return Need(p.size() == 3 && IsWord(p[1]) && l[i].size() <= 30,
                "at most 30 characters, one part between two '-'");
}

std::string CompoundParts(const Lines& l, size_t i) {
    const bool joined = l[0].find('_') != std::string::npos;
    const size_t bar = l[i].find('_');
    const Lines p = Split(bar == std::string::npos ? l[i] : l[i].substr(bar + 1), '-');
    return Need((bar != std::string::npos) == joined && p.size() == 2 && AllWords(p) &&
                    p[0].size() <= 12 && p[1].size() <= 12 &&
                    (bar == std::string::npos || IsWord(l[i].substr(0, bar))),
                "two parts of up to 12 letters joined by '-', written like line 1");
}

bool IsSeparator(const std::string& s) {
    return s == "-" || (s.size() == 2 && s[0] == '-' && s[1] >= '0' && s[1] <= '9');
}

std::string ContactLine(const Lines& l, size_t i) {
    const std::string line = (i == 0 && !l[0].empty() && l[0][0] == '/') ? l[0].substr(1) : l[i];
    if (!line.empty() && line[0] == '-') {
        size_t words = 0;
        for (size_t k = i; k > 0 && !IsSeparator(l[k - 1]); --k) ++words;
        return Need(IsSeparator(line) && (words == 4 || words == 6 || words == 8),
                    "a '-' line closes 4, 6 or 8 words");
    }
    const Lines p = Split(line, '-');
    return Need(p.size() == 2 && AllWords(p) && p[0].size() <= 8 && p[1].size() <= 8,
                "two parts of up to 8 letters joined by '-'");
}

std::string ContactEnd(const Lines& l, size_t i) {
    return Need(i + 1 < l.size() || IsSeparator(l[i]), "the last line is a '-' line");
}

bool ArticleAndWord(const std::string& s) {
    const Lines w = Split(s, ' ');
    return w.size() <= 2 && AllWords(w);
}

std::string ConvertLine(const Lines& l, size_t i) {
    if (i < 2) return Need(l[i].size() > 1, "lines 1 and 2 hold the rule");
    const Lines f = Split(l[i], '-');
    return Need(f.size() == 2 && ArticleAndWord(f[0]) && ArticleAndWord(f[1]),
                "two forms joined by '-', each a word, or an article and a word");
}

std::string RepairLine(const Lines& l, size_t i) {
    if (i == 0) {
        const Lines g = Split(l[0], '-');  // text before the first group, then the groups
        bool ok = g.size() >= 2 && g.size() <= 16;
        for (size_t k = 1; ok && k < g.size(); ++k) {
            const std::string letters = g[k].substr(0, g[k].find(' '));
            const bool last = k + 1 == g.size();
            ok = IsWord(letters) && letters.size() <= (last ? 1u : 2u) &&
                 (last ? letters == g[k] : g[k] == letters + " ");
        }
        return Need(ok, "line 1: up to 15 groups of '-' and one or two letters, the last of one");
    }
    if (i == 1) {
        const size_t marks = static_cast<size_t>(std::count(l[1].begin(), l[1].end(), '-') +
                                                 std::count(l[1].begin(), l[1].end(), '_'));
        const size_t at = l[1].find_first_of("-_");
        return Need(marks == 1 && at + 1 < l[1].size(), "line 2: '-' or '_' and the placeholder");
    }
    return Need(ArticleAndWord(l[i]), "a word, or an article and a word");
}

const std::vector<Rule>& Rules() {
    static const std::vector<Rule> rules = {
        {"characters the editor accepts",
         "",
         [](const Lines& l, size_t i) {
             const auto typeable = [](char c) { return IsTypeable(static_cast<unsigned char>(c)); };
             return Need(std::all_of(l[i].begin(), l[i].end(), typeable),
                         "a character that cannot be typed (or a UTF-8 byte)");
         },
         {"Hund-M\xC3\xBCnd"}},
        {"length and blanks",
         "",
         [](const Lines& l, size_t i) {
             return Need(!l[i].empty() && l[i].size() <= 74 && l[i].back() != ' ' && l[i][0] != ' ',
                         "empty, longer than 74 characters or with a blank at an end");
         },
         {"Hund-Mund "}},
        {"Wortvergleich pair", "WWT", WordComparison, {"Hund-Hund"}},
        {"Vorsilben line", "VWT", PrefixWord, {"be-ver", "a-b-c-d-e-f-g-h-stehen"}},
        {"Endungen line", "EWT", EndingWord, {"heit_keit", "Frei-heit"}},
        {"Silben line", "OWT", SyllableWord, {"der Hund"}},
        {"Baustelle line", "BWT", BuildingLine, {"der -kalte Winter"}},
        {"Aus 2 mach 1 line", "AWT", CompoundParts, {"Kaffee-tasse", "Hausdach_Haus-Dach"}},
        {"Kontakt line", "KWT", ContactLine, {"Haus-dach", "Baum-haus", "Auto-bahn", "-"}},
        {"Kontakt end", "KWT", ContactEnd, {"Haus-dach", "Baum-haus", "Auto-bahn", "Eis-berg"}},
        {"Umwandeln line", "UWT", ConvertLine, {"!Bilde das Verb.", "zum Nomen", "Koch"}},
        {"Reparieren line", "RWT", RepairLine, {"Aus -a -ie"}},
    };
    return rules;
}

// --- the tests -----------------------------------------------------------------------------

// The file selection shows the folder to the children, so it holds word lists only.
TEST(WordLists, EveryExerciseGetsTwoListsAndTheFolderNothingElse) {
    for (const auto& entry : std::filesystem::directory_iterator(kListDir))
        EXPECT_TRUE(entry.is_regular_file() && IsListExtension(Extension(entry.path())))
            << entry.path().filename() << " is no word list";
    std::map<std::string, int> perExtension;
    for (const auto& list : LoadShippedLists()) {
        const std::string stem = list.name.substr(0, list.name.rfind('.'));
        EXPECT_LE(stem.size(), 25u) << list.name << ": the editor saves names of 25 characters";
        ++perExtension[list.ext];
    }
    for (const auto& ext : kExtensions) EXPECT_GE(perExtension[ext], 2) << ext;
}

TEST(WordLists, LoadAsCrLfLinesWith15To40Entries) {
    PosixFileSystem files(kListDir + "quendelstrand");
    for (const auto& list : LoadShippedLists()) {
        const size_t entries = static_cast<size_t>(std::count_if(
            list.lines.begin(), list.lines.end(),
            [](const std::string& s) { return s.find_first_not_of(' ') != std::string::npos; }));
        EXPECT_GE(entries, 15u) << list.name;
        EXPECT_LE(entries, 40u) << list.name;

        const auto bytes = files.ReadFile(kListDir + list.name);
        ASSERT_TRUE(bytes) << list.name;
        std::string joined;
        for (const auto& line : list.lines) joined += line + "\r\n";
        EXPECT_EQ(std::string(bytes->begin(), bytes->end()), joined)
            << list.name << ": every line, the last one too, ends with CR LF, and nothing else";
    }
}

TEST(WordLists, EveryLineKeepsTheInputRulesOfItsExercise) {
    const auto lists = LoadShippedLists();
    ASSERT_FALSE(lists.empty());
    for (const Rule& rule : Rules()) {
        for (const auto& list : lists) {
            if (!rule.ext.empty() && rule.ext != list.ext) continue;
            for (size_t i = 0; i < list.lines.size(); ++i) {
                const std::string fault = rule.check(list.lines, i);
                EXPECT_EQ(fault, "") << list.name << " line " << i + 1 << " \"" << list.lines[i]
                                     << "\" (" << rule.row << ")";
            }
        }
    }
}

// A rule that lets everything through would make the test above pass for any list.
TEST(WordLists, EachRuleRejectsALineThatBreaksIt) {
    for (const Rule& rule : Rules()) {
        const Lines& l = rule.broken;
        EXPECT_NE(rule.check(l, l.size() - 1), "") << rule.row << ": \"" << l.back() << "\"";
    }
}

}  // namespace
}  // namespace qs::test
