// The editor's kinds of list agree with the menu's programs, and their rules
// fit the right-hand window.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "exercises/Programs.h"
#include "trainer/EditorPrograms.h"

namespace qs::test {
namespace {

constexpr int kRuleColumn = 2;
constexpr int kRuleWindowWidth = 41;  // columns 40..80

TEST(EditorPrograms, AgreeWithTheProgramTable) {
    for (int n = 1; n <= kEditorProgramCount; ++n) {
        SCOPED_TRACE("editor program " + std::to_string(n));
        const EditorProgramInfo* info = EditorProgramByNo(n);
        ASSERT_NE(info, nullptr);
        const Program* program = ByEditorProgram(AllPrograms(), n);
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(info->file, program->file);
        EXPECT_STREQ(info->extension, program->extension);
        EXPECT_EQ(info->chooserText[1] - '0', n);
    }
    EXPECT_EQ(EditorProgramByNo(0), nullptr);
    EXPECT_EQ(EditorProgramByNo(kEditorProgramCount + 1), nullptr);
}

TEST(EditorPrograms, RulesFitTheWindowWithoutSharingARow) {
    for (int n = 1; n <= kEditorProgramCount; ++n) {
        SCOPED_TRACE("editor program " + std::to_string(n));
        std::set<int> rows;
        for (const RuleLine& line : CommonEditorRules()) rows.insert(line.row);
        for (const RuleLine& line : EditorProgramByNo(n)->rules) {
            EXPECT_TRUE(rows.insert(line.row).second) << "row " << line.row << " used twice";
            EXPECT_LE(static_cast<int>(std::strlen(line.text)), kRuleWindowWidth - kRuleColumn + 1)
                << line.text;
            EXPECT_LT(line.row, kEditorHintRow);
        }
    }
}

}  // namespace
}  // namespace qs::test
