#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>

#include "platform/host/FileSettingsStore.h"
#include "screen/Settings.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

const std::string kKeyPath = "Software\\Q.X.\\quendelstrand";

std::string AllBytes() {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
}

TEST(FileSettingsStore, AnyStringSurvivesTheFile) {
    struct Case {
        const char* row;
        std::string section, key, value;
    };
    const Case cases[] = {
        {"plain", "Allgemein", "Delay", "1"},
        {"empty value", "Allgemein", "Delay", ""},
        {"locale decimal comma", "Allgemein", "Delay", "1,50"},
        {"blanks at both ends", "Allgemein", "Delay", "  2.00 \t"},
        {"equals sign and percent", "Allgemein", "Delay", "a=b 100%"},
        {"line ends", "Allgemein", "Delay", "one\r\ntwo\rthree\n"},
        {"looks like a section", "Allgemein", "Delay", "[Allgemein]"},
        {"looks like a comment", "Allgemein", "Delay", "; # x"},
        {"code page 437", "Allgemein", "Delay", "Spa\xE1"},
        {"every byte", "Allgemein", "Delay", AllBytes()},
        {"equals sign in the key", "Allgemein", "a=b", "v"},
        {"blanks around the key", "Allgemein", " sp ", "v"},
        {"bracket in the section", "All]ge[mein", "Delay", "v"},
        {"empty section", "", "Delay", "v"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::string path = dir / "settings.ini";
        ASSERT_TRUE(FileSettingsStore(path).Write(kKeyPath, c.section, c.key, c.value)) << c.row;
        EXPECT_EQ(FileSettingsStore(path).Read(kKeyPath, c.section, c.key), c.value) << c.row;
        std::string text = dir.Get("settings.ini");
        for (unsigned char ch : text)
            EXPECT_TRUE(ch == '\n' || (ch >= 32 && ch < 127)) << c.row << ": byte " << int(ch);
    }
}

TEST(FileSettingsStore, KeepsKeysSectionsAndKeyPathsApartButIgnoresTheirCase) {
    TempDir dir;
    FileSettingsStore store(dir / "cfg/quendelstrand/settings.ini");  // folders made on demand
    ASSERT_TRUE(store.Write(kKeyPath, "Allgemein", "Delay", "2"));
    ASSERT_TRUE(store.Write(kKeyPath, "Allgemein", "Other", "3"));
    ASSERT_TRUE(store.Write(kKeyPath, "Drucker", "Delay", "4"));
    ASSERT_TRUE(store.Write(kKeyPath + "\\Editor", "Allgemein", "Delay", "5"));
    ASSERT_TRUE(store.Write("Software\\Q.X.\\anderes", "Allgemein", "Delay", "6"));
    ASSERT_TRUE(store.Write(kKeyPath, "ALLGEMEIN", "delay", "7"));

    struct Case {
        std::string keyPath, section, key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {kKeyPath, "Allgemein", "Delay", "7"},
        {kKeyPath, "allgemein", "DELAY", "7"},
        {"SOFTWARE\\q.x.\\QUENDELSTRAND", "Allgemein", "Delay", "7"},
        {kKeyPath, "Allgemein", "Other", "3"},
        {kKeyPath, "Drucker", "Delay", "4"},
        {kKeyPath + "\\Editor", "Allgemein", "Delay", "5"},
        {"Software\\Q.X.\\anderes", "Allgemein", "Delay", "6"},
        {kKeyPath, "Allgemein", "Missing", std::nullopt},
        {kKeyPath, "Missing", "Delay", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store.Read(c.keyPath, c.section, c.key), c.value)
            << c.keyPath << " / " << c.section << " / " << c.key;
    std::string text = dir.Get("cfg/quendelstrand/settings.ini");
    EXPECT_EQ(text.find("delay=7"), std::string::npos) << "a second spelling was added:\n" << text;
}

TEST(FileSettingsStore, ABrokenFileReadsAsEmptyAndCanBeWrittenAgain) {
    struct Case {
        const char* row;
        std::string content;
        std::optional<std::string> delay;
    };
    const std::string header = "[" + kKeyPath + "\\Allgemein]\n";
    const Case cases[] = {
        {"binary junk", std::string("\0\xFF\x01[=]\n\x80", 7), std::nullopt},
        {"unterminated section", "[" + kKeyPath + "\\Allgemein\nDelay=5\n", std::nullopt},
        {"value outside any section", "Delay=5\n", std::nullopt},
        {"good line among junk", header + "junk\n=nokey\nDelay=3\n%%%\n", "3"},
        {"CR LF lines", "[" + kKeyPath + "\\Allgemein]\r\nDelay=3\r\n", "3"},
        {"hand-edited blanks", "  [" + kKeyPath + "\\Allgemein]  \nDelay = 3 \n", "3"},
        {"stray percent signs", header + "Delay=50%\n", "50%"},
        {"short escape", header + "Delay=%4\n", "%4"},
        {"bad escape", header + "Delay=%zz\n", "%zz"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.Put("settings.ini", c.content);
        FileSettingsStore store(dir / "settings.ini");
        EXPECT_EQ(store.Read(kKeyPath, "Allgemein", "Delay"), c.delay) << c.row;
        EXPECT_TRUE(store.Write(kKeyPath, "Allgemein", "Other", "x")) << c.row;
        EXPECT_EQ(store.Read(kKeyPath, "Allgemein", "Delay"), c.delay) << c.row << " after a write";
        EXPECT_EQ(store.Read(kKeyPath, "Allgemein", "Other"), "x") << c.row;
    }
}

TEST(FileSettingsStore, AWriteChangesOnlyTheLinesOfItsValue) {
    struct Case {
        const char* row;
        std::string before;
        std::string section, key, value;
        std::string after;
    };
    const std::string h = "[" + kKeyPath + "\\Allgemein]";
    const Case cases[] = {
        {"comments, blank lines and junk stay around a changed value",
         "; mine\n# also mine\n\n" + h + "\n  Delay = 3 \njunk\n=nokey\nOther=1\n", "Allgemein",
         "Delay", "2", "; mine\n# also mine\n\n" + h + "\nDelay=2\njunk\n=nokey\nOther=1\n"},
        {"a new key goes after the section's last value", h + "\nDelay=3\n; note\n\n[Other]\nx=1\n",
         "Allgemein", "Speed", "5", h + "\nDelay=3\nSpeed=5\n; note\n\n[Other]\nx=1\n"},
        {"a new section goes at the end", "; mine\n[Other]\nx=1", "Allgemein", "Delay", "2",
         "; mine\n[Other]\nx=1\n\n" + h + "\nDelay=2\n"},
        {"CR LF lines keep their ends", "; mine\r\n" + h + "\r\nDelay=3\r\n", "Allgemein", "Delay",
         "4", "; mine\r\n" + h + "\r\nDelay=4\r\n"},
        {"every spelling of the key in the section", h + "\nDelay=1\nDELAY=2\n", "Allgemein",
         "Delay", "3", h + "\nDelay=3\nDELAY=3\n"},
        {"a value after a broken header is not the section's", h + "\n[broken\nDelay=1\n",
         "Allgemein", "Delay", "2", h + "\nDelay=2\n[broken\nDelay=1\n"},
        {"a new file", "", "Allgemein", "Delay", "2",
         "; Quendelstrand settings\n\n" + h + "\nDelay=2\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        if (!c.before.empty()) dir.Put("settings.ini", c.before);
        FileSettingsStore store(dir / "settings.ini");
        ASSERT_TRUE(store.Write(kKeyPath, c.section, c.key, c.value)) << c.row;
        EXPECT_EQ(dir.Get("settings.ini"), c.after) << c.row;
        EXPECT_EQ(store.Read(kKeyPath, c.section, c.key), c.value) << c.row;
    }
}

TEST(FileSettingsStore, AnUnreadableFileIsNeverReplaced) {
    TempDir dir;
    dir.Put("settings.ini/keep.txt", "mine");  // a folder where the file should be
    FileSettingsStore store(dir / "settings.ini");
    EXPECT_EQ(store.Read(kKeyPath, "Allgemein", "Delay"), std::nullopt);
    EXPECT_FALSE(store.Write(kKeyPath, "Allgemein", "Delay", "2"));
    EXPECT_EQ(dir.Get("settings.ini/keep.txt"), "mine");

    std::string value = "unchanged";
    ReadSetting(store, "quendelstrand", "", "Allgemein", "Delay", value, "1");
    EXPECT_EQ(value, "1");
    EXPECT_THROW(WriteSetting(store, "quendelstrand", "", "Allgemein", "Delay", "2"),
                 SettingsError);
}

TEST(Settings, ReadSettingAndWriteSettingUseTheProgramsKeyPath) {
    EXPECT_EQ(SettingsKeyPath("quendelstrand", ""), "Software\\Q.X.\\quendelstrand");
    EXPECT_EQ(SettingsKeyPath("quendelstrand", "Editor"), "Software\\Q.X.\\quendelstrand\\Editor");

    TempDir dir;
    FileSettingsStore store(dir / "settings.ini");
    std::string value;
    ReadSetting(store, "quendelstrand", "", "Allgemein", "Delay", value, "1");
    EXPECT_EQ(value, "1");
    WriteSetting(store, "quendelstrand", "", "Allgemein", "Delay", "0,50");
    ReadSetting(store, "quendelstrand", "", "Allgemein", "Delay", value, "1");
    EXPECT_EQ(value, "0,50");
    EXPECT_EQ(store.Read("Software\\Q.X.\\quendelstrand", "Allgemein", "Delay"), "0,50");
    ReadSetting(store, "quendelstrand", "Editor", "Allgemein", "Delay", value, "1");
    EXPECT_EQ(value, "1") << "a sub-key shares values with the main key";
}

// Sets environment variables for one scope and puts the old values back.
class ScopedEnv {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) ::setenv(it->first.c_str(), it->second->c_str(), 1);
            else ::unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(FileSettingsStore, DefaultPathFollowsTheXdgConfigFolder) {
    struct Case {
        const char* row;
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const char* inHome = "/home/kind/.config/quendelstrand/settings.ini";
    const Case cases[] = {
        {"XDG_CONFIG_HOME set", "/cfg", "/home/kind", "/cfg/quendelstrand/settings.ini"},
        {"XDG_CONFIG_HOME unset", nullptr, "/home/kind", inHome},
        {"XDG_CONFIG_HOME empty", "", "/home/kind", inHome},
        {"XDG_CONFIG_HOME relative", "cfg", "/home/kind", inHome},
    };
    for (const auto& c : cases) {
        ScopedEnv env;
        env.Set("XDG_CONFIG_HOME", c.xdg);
        env.Set("HOME", c.home);
        EXPECT_EQ(DefaultSettingsPath(), c.expected) << c.row;
    }
}

}  // namespace
}  // namespace qs::test
