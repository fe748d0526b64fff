#include "platform/host/FileSettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
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

Sections Parse(const std::vector<uint8_t>& bytes) {
    Sections out;
    Section* current = nullptr;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    while (!text.empty()) {
        auto nl = text.find('\n');
        std::string_view line = Trim(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            current = nullptr;
            if (line.back() != ']' || line.size() < 3) continue;
            std::string name = Decode(line.substr(1, line.size() - 2));
            for (auto& s : out)
                if (SameName(s.name, name)) current = &s;
            if (!current) current = &out.emplace_back(Section{name, {}});
            continue;
        }
        auto eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;
        std::string key = Decode(Trim(line.substr(0, eq)));
        if (key.empty()) continue;
        std::string value = Decode(Trim(line.substr(eq + 1)));
        bool replaced = false;
        for (auto& kv : current->values)
            if (SameName(kv.first, key)) {
                kv.second = value;
                replaced = true;
            }
        if (!replaced) current->values.emplace_back(std::move(key), std::move(value));
    }
    return out;
}

std::vector<uint8_t> Serialize(const Sections& sections) {
    std::string text = "; Quendelstrand settings\n";
    for (const auto& s : sections) {
        text += "\n[" + Encode(s.name, "]") + "]\n";
        for (const auto& [key, value] : s.values)
            text += Encode(key, "=[;#") + "=" + Encode(value, "") + "\n";
    }
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
        Sections sections;
        if (files.Exists(path_)) {
            auto bytes = files.ReadFile(path_, FileSystem::kTextLimit);
            if (!bytes) return false;  // never replace what could not be read
            sections = Parse(*bytes);
        }
        std::string name = SectionName(keyPath, section);
        Section* target = nullptr;
        for (auto& s : sections)
            if (SameName(s.name, name)) target = &s;
        if (!target) target = &sections.emplace_back(Section{name, {}});
        bool replaced = false;
        for (auto& kv : target->values)
            if (SameName(kv.first, key)) {
                kv.second = value;
                replaced = true;
            }
        if (!replaced) target->values.emplace_back(key, value);

        std::string parent = ParentOf(path_);
        if (!parent.empty() && !files.IsDirectory(parent) && !files.MakeDirectories(parent))
            return false;
        return files.WriteFileAtomic(path_, Serialize(sections));
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
