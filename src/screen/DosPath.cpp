#include "screen/DosPath.h"

#include <array>
#include <vector>

namespace qs {

namespace {

// Code page 437, bytes 128..255, as Unicode.
constexpr std::array<char16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

// Windows-1252, bytes 128..159 (160..255 are Latin-1). Unassigned bytes
// stand for themselves.
constexpr std::array<char16_t, 32> kWin1252Low = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t FoldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;     // À..Þ
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;  // Greek capitals
    switch (c) {
        case 0x160: return 0x161;  // Š
        case 0x152: return 0x153;  // Œ
        case 0x17D: return 0x17E;  // Ž
        case 0x178: return 0xFF;   // Ÿ
        default: return c;
    }
}

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

std::optional<std::u32string> DecodeUtf8(std::string_view s) {
    std::u32string out;
    size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<unsigned char>(s[i]);
        int len = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            len = 1;
            cp = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            cp = b & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + len > s.size()) return std::nullopt;
        for (int k = 1; k < len; ++k) {
            auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (c & 0x3F);
        }
        bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        out.push_back(cp);
        i += len;
    }
    return out;
}

std::u32string DecodeCp437(std::string_view s) {
    std::u32string out;
    for (unsigned char c : s) out.push_back(c < 0x80 ? c : kCp437High[c - 0x80]);
    return out;
}

std::u32string DecodeWin1252(std::string_view s) {
    std::u32string out;
    for (unsigned char c : s) out.push_back(c >= 0x80 && c < 0xA0 ? kWin1252Low[c - 0x80] : c);
    return out;
}

// The ways a name may be read, each folded to lower case. A pure ASCII name
// has one reading; a valid UTF-8 name is read as UTF-8 only.
std::vector<std::u32string> Readings(std::string_view s) {
    std::vector<std::u32string> out;
    if (IsAscii(s)) {
        out.push_back(DecodeCp437(s));
    } else if (auto utf8 = DecodeUtf8(s)) {
        out.push_back(std::move(*utf8));
    } else {
        out.push_back(DecodeCp437(s));
        out.push_back(DecodeWin1252(s));
    }
    for (auto& r : out)
        for (auto& c : r) c = FoldCase(c);
    return out;
}

// Wildcards as a DOS directory search sees them.
enum class Tok : uint8_t { Lit, Star, DosStar, DosQm, DosDot };
struct Token {
    Tok tok;
    char32_t ch;
};

std::vector<Token> Tokenize(const std::u32string& p) {
    if (p == U"*.*") return {{Tok::Star, 0}};
    std::vector<Token> out;
    for (size_t i = 0; i < p.size(); ++i) {
        char32_t next = i + 1 < p.size() ? p[i + 1] : 0;
        switch (p[i]) {
            case '?': out.push_back({Tok::DosQm, 0}); break;
            case '*': out.push_back({next == '.' ? Tok::DosStar : Tok::Star, 0}); break;
            case '.':
                if (next == '?' || next == '*' || next == 0) out.push_back({Tok::DosDot, 0});
                else out.push_back({Tok::Lit, '.'});
                break;
            default: out.push_back({Tok::Lit, p[i]}); break;
        }
    }
    return out;
}

class Matcher {
public:
    Matcher(const std::vector<Token>& pattern, const std::u32string& name)
        : p_(pattern), n_(name), memo_((p_.size() + 1) * (n_.size() + 1), -1) {
        auto dot = n_.find_last_of(U'.');
        lastDot_ = dot == std::u32string::npos ? n_.size() + 1 : dot;
    }
    bool Run() { return Match(0, 0); }

private:
    bool Match(size_t pi, size_t ni) {
        signed char& m = memo_[pi * (n_.size() + 1) + ni];
        if (m < 0) m = Compute(pi, ni) ? 1 : 0;
        return m == 1;
    }

    bool Compute(size_t pi, size_t ni) {
        if (pi == p_.size()) return ni == n_.size();
        const Token& t = p_[pi];
        bool atEnd = ni == n_.size();
        switch (t.tok) {
            case Tok::Lit: return !atEnd && n_[ni] == t.ch && Match(pi + 1, ni + 1);
            case Tok::Star:
                for (size_t k = ni; k <= n_.size(); ++k)
                    if (Match(pi + 1, k)) return true;
                return false;
            case Tok::DosStar:
                // Any run of characters that stops short of the name's last dot.
                for (size_t k = ni;; ++k) {
                    if (Match(pi + 1, k)) return true;
                    if (k == n_.size() || k == lastDot_) return false;
                }
            case Tok::DosQm:
                if (atEnd || n_[ni] == '.') return Match(pi + 1, ni);
                return Match(pi + 1, ni + 1);
            case Tok::DosDot:
                if (atEnd) return Match(pi + 1, ni);
                return n_[ni] == '.' && Match(pi + 1, ni + 1);
        }
        return false;
    }

    const std::vector<Token>& p_;
    const std::u32string& n_;
    std::vector<signed char> memo_;
    size_t lastDot_ = 0;
};

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool HasDriveLetter(std::string_view p) {
    return p.size() >= 2 && p[1] == ':' &&
           ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

// The entry of folder whose name equals name apart from case; nullopt when
// there is none or the folder cannot be read.
std::optional<std::string> FindEntry(FileSystem& files, const std::string& folder,
                                     const std::string& name) {
    auto entries = files.ListDirectory(folder.empty() ? "." : folder);
    if (!entries) return std::nullopt;
    std::optional<std::string> best;
    for (const auto& e : *entries)
        if (SameFileName(e.name, name) && (!best || e.name < *best)) best = e.name;
    return best;
}

}  // namespace

bool SameFileName(std::string_view a, std::string_view b) {
    if (a == b) return true;
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (FoldCase(static_cast<unsigned char>(a[i])) !=
                FoldCase(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }
    for (const auto& ra : Readings(a))
        for (const auto& rb : Readings(b))
            if (ra == rb) return true;
    return false;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    for (const auto& rp : Readings(pattern)) {
        auto tokens = Tokenize(rp);
        for (const auto& rn : Readings(name))
            if (Matcher(tokens, rn).Run()) return true;
    }
    return false;
}

bool HasWildcards(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

namespace {

std::string ResolveOnDisk(FileSystem& files, std::string_view dosPath);

// The folders of read-only data the program comes with.
constexpr std::string_view kShippedFolders[] = {"bitplane", "wavs", "bgi7", "emfs", "maustxt"};

bool IsShippedFolder(std::string_view name) {
    for (std::string_view folder : kShippedFolders)
        if (SameFileName(name, folder)) return true;
    return false;
}

bool EndsInSlash(const std::string& folder) { return !folder.empty() && folder.back() == '/'; }

// The path in the shipped folder that stands for resolved, a path in one of
// the shipped data folders of the app folder, when that exists there (for a
// name with wildcards: when its folder exists there); otherwise "".
std::string InShippedFolder(FileSystem& files, const std::string& resolved) {
    const AppFolders& folders = files.Folders();
    if (folders.shipped.empty() || folders.shipped == folders.app || !EndsInSlash(folders.app) ||
        !EndsInSlash(folders.shipped) || resolved.compare(0, folders.app.size(), folders.app) != 0)
        return "";
    const std::string rest = resolved.substr(folders.app.size());
    const std::string_view first = std::string_view(rest).substr(0, rest.find('/'));
    if (first.size() == rest.size() || !IsShippedFolder(first)) return "";
    std::string there = ResolveOnDisk(files, folders.shipped + rest);
    std::string probe = HasWildcards(NameOf(there)) ? std::string(FolderOf(there)) : there;
    if (probe.size() > 1 && probe.back() == '/') probe.pop_back();
    return files.Exists(probe) ? there : "";
}

}  // namespace

std::string ResolvePath(FileSystem& files, std::string_view dosPath) {
    std::string resolved = ResolveOnDisk(files, dosPath);
    std::string shipped = InShippedFolder(files, resolved);
    return shipped.empty() ? resolved : shipped;
}

namespace {

std::string ResolveOnDisk(FileSystem& files, std::string_view dosPath) {
    if (HasDriveLetter(dosPath)) return std::string(dosPath);
    std::string path(dosPath);
    for (auto& c : path)
        if (c == '\\') c = '/';

    std::string out = !path.empty() && path[0] == '/' ? "/" : "";
    bool lookUp = true;  // false once a name was not found: nothing below it exists
    size_t i = 0;
    while (i < path.size()) {
        size_t slash = path.find('/', i);
        if (slash == std::string::npos) slash = path.size();
        std::string name = path.substr(i, slash - i);
        i = slash + 1;
        if (name.empty()) continue;
        if (lookUp && name != "." && name != "..") {
            if (HasWildcards(name)) {
                lookUp = false;
            } else if (!files.Exists(Join(out, name))) {
                if (auto found = FindEntry(files, out, name)) name = *found;
                else lookUp = false;
            }
        }
        out = Join(out, name);
    }
    if (!path.empty() && path.back() == '/' && (out.empty() || out.back() != '/')) out += '/';
    return out;
}

}  // namespace

std::string_view FolderOf(std::string_view path) {
    auto sep = path.find_last_of("/\\");
    return sep == std::string_view::npos ? std::string_view() : path.substr(0, sep + 1);
}

std::string_view NameOf(std::string_view path) {
    auto sep = path.find_last_of("/\\");
    return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

}  // namespace qs
