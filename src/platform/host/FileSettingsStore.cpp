#include "platform/host/FileSettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/host/PosixFileSystem.h"

namespace qs {

namespace {

struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
};

using Sections = std::vector<Section>;

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y) return false;
    }
    return true;
}

std::string SectionName(const std::string& keyPath, const std::string& section) {
    return section.empty() ? keyPath : keyPath + "\\" + section;
}

// alsoEscape: further characters that must be escaped in this place.
std::string Encode(const std::string& s, std::string_view alsoEscape) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        bool edgeBlank = (c == ' ' || c == '\t') && (i == 0 || i + 1 == s.size());
        bool escape = c < 32 || c > 126 || c == '%' || edgeBlank ||
                      alsoEscape.find(char(c)) != alsoEscape.npos;
        if (escape) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Decode(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The file's lines as they stand, each without its '\n' (a '\r' before it
// stays with the line).
std::vector<std::string> RawLines(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> lines;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    while (!text.empty()) {
        const auto nl = text.find('\n');
        lines.emplace_back(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    }
    return lines;
}

// What one line of the file says.
struct LineMeaning {
    enum class Kind { Other, Header, BadHeader, Value };
    Kind kind = Kind::Other;
    std::string name;  // the section of a header, the key of a value
    std::string value;
};

LineMeaning Understand(std::string_view raw) {
    using Kind = LineMeaning::Kind;
    const std::string_view line = Trim(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') return {};
    if (line[0] == '[') {
        if (line.back() != ']' || line.size() < 3) return {Kind::BadHeader, {}, {}};
        return {Kind::Header, Decode(line.substr(1, line.size() - 2)), {}};
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    std::string key = Decode(Trim(line.substr(0, eq)));
    if (key.empty()) return {};
    return {Kind::Value, std::move(key), Decode(Trim(line.substr(eq + 1)))};
}

Sections Parse(const std::vector<uint8_t>& bytes) {
    using Kind = LineMeaning::Kind;
    Sections out;
    Section* current = nullptr;
    for (const std::string& raw : RawLines(bytes)) {
        LineMeaning m = Understand(raw);
        if (m.kind == Kind::BadHeader) current = nullptr;
        if (m.kind == Kind::Header) {
            current = nullptr;
            for (auto& s : out)
                if (SameName(s.name, m.name)) current = &s;
            if (!current) current = &out.emplace_back(Section{std::move(m.name), {}});
        }
        if (m.kind != Kind::Value || !current) continue;
        bool replaced = false;
        for (auto& kv : current->values)
            if (SameName(kv.first, m.name)) {
                kv.second = m.value;
                replaced = true;
            }
        if (!replaced) current->values.emplace_back(std::move(m.name), std::move(m.value));
    }
    return out;
}

bool EndsInCr(const std::string& line) { return !line.empty() && line.back() == '\r'; }

// The file with key set to value in the named section. Every other line
// stays as it was, comments and lines the file's reader skips included:
// the key's lines in that section are replaced, or the key goes after the
// section's last value, or a new section goes at the end.
std::vector<uint8_t> Rewrite(const std::vector<uint8_t>& bytes, const std::string& section,
                             const std::string& key, const std::string& value) {
    using Kind = LineMeaning::Kind;
    std::vector<std::string> lines = RawLines(bytes);
    const std::string entry = Encode(key, "=[;#") + "=" + Encode(value, "");
    bool inSection = false;
    bool found = false;
    std::optional<size_t> last;  // the section's last header or value line
    for (size_t i = 0; i < lines.size(); ++i) {
        const LineMeaning m = Understand(lines[i]);
        if (m.kind == Kind::Header || m.kind == Kind::BadHeader) {
            inSection = m.kind == Kind::Header && SameName(m.name, section);
            if (inSection) last = i;
        } else if (m.kind == Kind::Value && inSection) {
            last = i;
            if (SameName(m.name, key)) {
                // The key keeps the spelling the file gave it.
                lines[i] = Encode(m.name, "=[;#") + "=" + Encode(value, "") +
                           (EndsInCr(lines[i]) ? "\r" : "");
                found = true;
            }
        }
    }
    if (!found && last) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*last) + 1,
                     entry + (EndsInCr(lines[*last]) ? "\r" : ""));
    } else if (!found) {
        if (lines.empty()) lines.emplace_back("; Quendelstrand settings");
        const std::string cr = EndsInCr(lines.back()) ? "\r" : "";
        if (!Trim(lines.back()).empty()) lines.push_back(cr);
        lines.push_back("[" + Encode(section, "]") + "]" + cr);
        lines.push_back(entry + cr);
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string ParentOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    return path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

FileSettingsStore::FileSettingsStore(std::string path) : path_(std::move(path)) {}

std::optional<std::string> FileSettingsStore::Read(const std::string& keyPath,
                                                   const std::string& section,
                                                   const std::string& key) {
    try {
        PosixFileSystem files("");
        auto bytes = files.ReadFile(path_, FileSystem::kTextLimit);
        if (!bytes) return std::nullopt;
        std::string name = SectionName(keyPath, section);
        for (const auto& s : Parse(*bytes)) {
            if (!SameName(s.name, name)) continue;
            for (const auto& [k, v] : s.values)
                if (SameName(k, key)) return v;
        }
    } catch (...) {}
    return std::nullopt;
}

bool FileSettingsStore::Write(const std::string& keyPath, const std::string& section,
                              const std::string& key, const std::string& value) {
    try {
        if (key.empty()) return false;
        PosixFileSystem files("");
        std::vector<uint8_t> bytes;
        if (files.Exists(path_)) {
            auto read = files.ReadFile(path_, FileSystem::kTextLimit);
            if (!read) return false;  // never replace what could not be read
            bytes = std::move(*read);
        }
        std::string parent = ParentOf(path_);
        if (!parent.empty() && !files.IsDirectory(parent) && !files.MakeDirectories(parent))
            return false;
        return files.WriteFileAtomic(path_,
                                     Rewrite(bytes, SectionName(keyPath, section), key, value));
    } catch (...) {
        return false;
    }
}

std::string DefaultSettingsPath() {
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw && pw->pw_dir ? pw->pw_dir : nullptr;
        }
        base = std::string(home ? home : ".") + "/.config";
    }
    return base + "/quendelstrand/settings.ini";
}

}  // namespace qs
