// What the editor writes when it saves, and which names count as taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trainer/Editor.h"

namespace qs::test {
namespace {

struct CleanCase {
    const char* name;
    const char* ext;
    std::vector<std::string> lines;
    std::vector<std::string> saved;
};

class CleanForSave : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanForSave, WritesTheCleanedLines) {
    const CleanCase& c = GetParam();
    TrainerState t;
    t.WordFileExt = c.ext;
    t.WordCount = static_cast<int>(c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) t.WordList[i + 1] = c.lines[i];
    CleanWordListForSave(t);
    std::vector<std::string> got(t.WordList.begin() + 1, t.WordList.begin() + 1 + t.WordCount);
    EXPECT_EQ(got, c.saved);
    // Nothing left over behind the list: a later RETURN must not bring it back.
    for (int i = t.WordCount + 1; i < static_cast<int>(c.lines.size()) + 1; ++i)
        EXPECT_EQ(t.WordList[i], "") << i;
}

const CleanCase kCleanCases[] = {
    {"EmptyLineInside", "VWT", {"A", "", "B", "C"}, {"A", "B", "C"}},
    {"TrailingEmptyLines", "WWT", {"A-b", "C-d", "", ""}, {"A-b", "C-d"}},
    {"TrailingBlanksCut", "OWT", {"Kaf-fee  ", "  Tas-se "}, {"Kaf-fee", "  Tas-se"}},
    {"BlankLineRemoved", "OWT", {"A", "   ", "B"}, {"A", "B"}},
    {"OneLineLeftAlone", "KWT", {"Hund-h\x81tte"}, {"Hund-h\x81tte"}},
    {"KontaktClosedWithDash",
     "KWT",
     {"Hund-h\x81tte", "Auto-bahn"},
     {"Hund-h\x81tte", "Auto-bahn", "-"}},
    {"KontaktDashKept",
     "KWT",
     {"Hund-h\x81tte", "Auto-bahn", "-"},
     {"Hund-h\x81tte", "Auto-bahn", "-"}},
    {"KontaktDashAfterBlankTail", "KWT", {"Hund-h\x81tte", "-  ", " "}, {"Hund-h\x81tte", "-"}},
    {"OtherKindsNotClosed", "AWT", {"Kaffee-tasse", "Tee-kanne"}, {"Kaffee-tasse", "Tee-kanne"}},
    {"AllBlank", "KWT", {" ", "  "}, {}},
};

INSTANTIATE_TEST_SUITE_P(Editor, CleanForSave, ::testing::ValuesIn(kCleanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditorSave, FullKontaktListStillGetsItsClosingLine) {
    TrainerState t;
    t.WordFileExt = "KWT";
    t.WordCount = 300;
    for (int i = 1; i <= 300; ++i) t.WordList[i] = "Auto-bahn";
    CleanWordListForSave(t);
    EXPECT_EQ(t.WordCount, 301);
    EXPECT_EQ(t.WordList[301], "-");
}

struct NameCase {
    const char* name;
    const char* typed;
    bool taken;
};

class NameTaken : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameTaken, IgnoresLetterCase) {
    const std::vector<std::string> files{"TIERE.VWT", "Obst.VWT"};
    EXPECT_EQ(NameInFileList(files, GetParam().typed), GetParam().taken);
}

const NameCase kNameCases[] = {
    {"Exact", "TIERE.VWT", true}, {"LowerCase", "tiere.vwt", true}, {"Mixed", "oBsT.VwT", true},
    {"Other", "Tier.VWT", false}, {"Longer", "TIERE.VWTX", false},  {"Empty", "", false},
};

INSTANTIATE_TEST_SUITE_P(Editor, NameTaken, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct NameKeyCase {
    const char* name;
    std::string typed;
    char key;
    bool accepted;
};

class NameKey : public ::testing::TestWithParam<NameKeyCase> {};

TEST_P(NameKey, AcceptsOnlyPlainLetters) {
    EXPECT_EQ(AcceptsNameKey(GetParam().typed, GetParam().key), GetParam().accepted);
}

const NameKeyCase kNameKeyCases[] = {
    {"Letter", "", 'T', true},
    {"Digit", "Liste", '7', true},
    {"Blank", "Liste", ' ', true},
    {"Umlaut", "Liste", '\x84', false},
    {"Dot", "Liste", '.', false},
    {"Underscore", "Liste", '_', false},
    {"DashFirst", "", '-', false},
    {"DashLater", "L", '-', true},
    {"Full", std::string(kSaveNameMax, 'a'), 'b', false},
    {"OneBeforeFull", std::string(kSaveNameMax - 1, 'a'), 'b', true},
};

INSTANTIATE_TEST_SUITE_P(Editor, NameKey, ::testing::ValuesIn(kNameKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditorPrint, NumbersLinesAndCutsAtSixty) {
    EXPECT_EQ(PrintedListLine(3, "be-ent"), "           3 be-ent");
    EXPECT_EQ(PrintedListLine(12, "Hund"), "          12 Hund");
    const std::string longLine(78, 'x');
    EXPECT_EQ(PrintedListLine(100, longLine), std::string(10, ' ') + "100 " + std::string(56, 'x'));
}

}  // namespace
}  // namespace qs::test
