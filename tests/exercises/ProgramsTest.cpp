// The program table against the menu's entries, the file program numbers
// and their word-list extensions, and the lookups the trainer reads it by.
#include <gtest/gtest.h>

#include <string>

#include "exercises/Programs.h"

namespace qs::test {
namespace {

struct EntryRow {
    const char* name;
    char hotkey;
    int menuRow;
    int fileProgram;
    const char* extension;
};

// Entry n is row n - 1.
constexpr EntryRow kEntries[] = {
    {"Wortvergleich", 'w', 3, 1, "WWT"}, {"Vorsilben", 'v', 5, 2, "VWT"},
    {"Endungen", 'e', 6, 3, "EWT"},      {"Silben ordnen", 's', 7, 4, "OWT"},
    {"Zerlegen", 'z', 8, 5, "OWT"},      {"Baustelle", 'b', 9, 6, "BWT"},
    {"Aus 2 mach 1", 'a', 10, 7, "AWT"}, {"Kontakt", 'k', 11, 8, "KWT"},
    {"Greifen", 'g', 12, 8, "KWT"},      {"Umwandeln", 'u', 14, 9, "UWT"},
    {"Reparieren", 'r', 15, 10, "RWT"},  {"Text-Editor", 't', 17, 11, ""},
};

TEST(ProgramsTest, EveryEntryHasItsHotkeyRowFileProgramAndExtension) {
    const ProgramTable programs = AllPrograms();
    ASSERT_EQ(programs.size(), std::size(kEntries));
    for (size_t i = 0; i < programs.size(); ++i) {
        const Program& p = programs[i];
        const EntryRow& want = kEntries[i];
        const std::string name = want.name;
        EXPECT_EQ(No(p.entry), static_cast<int>(i) + 1) << name;
        EXPECT_NE(std::string(p.menuText).find(want.name), std::string::npos) << name;
        EXPECT_EQ(p.hotkey, want.hotkey) << name;
        EXPECT_EQ(p.menuRow, want.menuRow) << name;
        EXPECT_EQ(No(p.file), want.fileProgram) << name;
        EXPECT_STREQ(p.extension, want.extension) << name;
        EXPECT_NE(p.launcher, nullptr) << name;
        EXPECT_EQ(ByHotkey(programs, want.hotkey), &p) << name;
        EXPECT_EQ(ByHotkey(programs, static_cast<char>(want.hotkey - 'a' + 'A')), nullptr) << name;
        EXPECT_EQ(ByEntry(programs, No(p.entry)), &p) << name;
    }
    EXPECT_EQ(ByEntry(programs, 0), nullptr);
    EXPECT_EQ(ByEntry(programs, 13), nullptr);
    EXPECT_EQ(ByFileProgram(programs, No(FileProgram::QuitQuestion)), nullptr);
}

// Rules read by the file program number come from the first row with that
// number; a second row with other rules would never be read.
TEST(ProgramsTest, EntriesSharingAFileProgramShareItsRules) {
    const ProgramTable programs = AllPrograms();
    for (const Program& p : programs) {
        const Program& first = *ByFileProgram(programs, No(p.file));
        const std::string name = kEntries[No(p.entry) - 1].name;
        EXPECT_STREQ(p.extension, first.extension) << name;
        EXPECT_STREQ(p.fileListName, first.fileListName) << name;
        EXPECT_EQ(p.startWordChoice, first.startWordChoice) << name;
        EXPECT_EQ(p.note, first.note) << name;
        EXPECT_EQ(p.certificate, first.certificate) << name;
        EXPECT_STREQ(p.certificateName, first.certificateName) << name;
        EXPECT_EQ(p.resultWord, first.resultWord) << name;
        EXPECT_EQ(p.combinationsHeading, first.combinationsHeading) << name;
        const std::string title = p.protocolTitle ? p.protocolTitle : "(none)";
        EXPECT_EQ(title, first.protocolTitle ? first.protocolTitle : "(none)") << name;
        EXPECT_EQ(p.protocolHead, first.protocolHead) << name;
        EXPECT_EQ(p.quitBox, first.quitBox) << name;
        EXPECT_EQ(p.quitBoxPenAfter, first.quitBoxPenAfter) << name;
    }
}

// The editor numbers nine word-list kinds: Zerlegen and Greifen have none
// of their own.
TEST(ProgramsTest, EditorProgramsStandForTheirFilePrograms) {
    const ProgramTable programs = AllPrograms();
    const int fileProgram[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10};
    for (int k = 1; k <= 9; ++k) {
        const Program* p = ByEditorProgram(programs, k);
        ASSERT_NE(p, nullptr) << "editor program " << k;
        EXPECT_EQ(No(p->file), fileProgram[k]) << "editor program " << k;
        EXPECT_EQ(ByFileProgram(programs, No(p->file)), p) << "editor program " << k;
    }
    EXPECT_EQ(ByEditorProgram(programs, 0), nullptr);
    EXPECT_EQ(ByEditorProgram(programs, 10), nullptr);
}

}  // namespace
}  // namespace qs::test
