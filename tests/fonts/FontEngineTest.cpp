// What a face name resolves to follows the fonts and aliases added to the
// engine, also for a name that was looked up before they came.
#include <gtest/gtest.h>

#include <string>

#include "screen/text/FontEngine.h"

namespace qs::test {
namespace {

const std::string kFontDir = std::string(QS_SOURCE_DIR) + "/data/bgi7/";

TEST(FontEngine, AnAddedFontFileChangesWhatANameLookedUpBeforeGives) {
    FontEngine engine;
    const FontRequest small{"QX DOS VA", 12, false, false, false};
    const FontRequest large{"QX DOS VA", 20, false, false, false};
    ASSERT_NE(engine.Get(small).ResolvedFamily(), "QX DOS VA") << "not on the system";
    ASSERT_EQ(engine.AddFontFile(kFontDir + "qxdosva.TTF").size(), 1u);
    EXPECT_EQ(engine.Get(small).ResolvedFamily(), "QX DOS VA");
    EXPECT_EQ(engine.Get(large).ResolvedFamily(), "QX DOS VA") << "another size of the face";
}

}  // namespace
}  // namespace qs::test
