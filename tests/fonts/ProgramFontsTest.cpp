// The fonts of data/bgi7: their face names, and the fontconfig rules that
// give the Windows face names the program asks for to free look-alikes.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qs::test {
namespace {

const std::string kFontDir = std::string(QS_SOURCE_DIR) + "/data/bgi7/";

struct ConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Config = std::unique_ptr<FcConfig, ConfigDeleter>;
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

std::string Family(const FcPattern* p) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(p, FC_FAMILY, 0, &family) != FcResultMatch) return "";
    return reinterpret_cast<const char*>(family);
}

std::string Resolve(FcConfig* config, const std::string& request) {
    Pattern pat(FcNameParse(reinterpret_cast<const FcChar8*>(request.c_str())));
    FcConfigSubstitute(config, pat.get(), FcMatchPattern);
    FcDefaultSubstitute(pat.get());
    FcResult result;
    Pattern match(FcFontMatch(config, pat.get(), &result));
    return match ? Family(match.get()) : "";
}

TEST(ProgramFonts, WindowsFaceNamesResolveToTheirLookAlikes) {
    Config config(FcInitLoadConfigAndFonts());
    ASSERT_TRUE(config);
    // Without the rules the first name has no look-alike.
    EXPECT_NE(Resolve(config.get(), "AvantGarde Bk BT"), "URW Gothic");
    ASSERT_TRUE(FcConfigParseAndLoad(
        config.get(), reinterpret_cast<const FcChar8*>((kFontDir + "fonts.conf").c_str()), FcTrue));
    struct Row {
        const char* request;
        const char* family;
    };
    const Row rows[] = {
        {"AvantGarde Bk BT", "URW Gothic"},
        {"Courier New", "Liberation Mono"},
        {"Courier New:bold", "Liberation Mono"},
        {"Arial", "Liberation Sans"},
        {"Arial:bold", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        // Strong binding: the rule wins over a second family in the request.
        {"Arial,DejaVu Serif", "Liberation Sans"},
    };
    for (const Row& r : rows) EXPECT_EQ(Resolve(config.get(), r.request), r.family) << r.request;
}

TEST(ProgramFonts, EachFontFileHasItsFaceName) {
    struct Row {
        const char* file;
        const char* family;
    };
    const Row rows[] = {
        {"qxdos.ttf", "Andika"},
        {"qxdosva.TTF", "QX DOS VA"},
        {"qxmathe.TTF", "DejaVu Sans"},
        {"lueckentext.TTF", "Andika New Basic"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        int count = 0;
        Pattern p(FcFreeTypeQuery(reinterpret_cast<const FcChar8*>((kFontDir + r.file).c_str()), 0,
                                  nullptr, &count));
        ASSERT_TRUE(p);
        EXPECT_EQ(count, 1);
        EXPECT_EQ(Family(p.get()), r.family);
        // A renamed copy of an OFL font must not keep the reserved names.
        if (std::string(r.family) == "QX DOS VA") {
            for (int i = 0;; ++i) {
                FcChar8* s = nullptr;
                if (FcPatternGetString(p.get(), FC_FULLNAME, i, &s) != FcResultMatch) break;
                EXPECT_EQ(std::string(reinterpret_cast<char*>(s)).find("Andika"), std::string::npos)
                    << s;
            }
            for (int i = 0;; ++i) {
                FcChar8* s = nullptr;
                if (FcPatternGetString(p.get(), FC_FAMILY, i, &s) != FcResultMatch) break;
                EXPECT_EQ(std::string(reinterpret_cast<char*>(s)).find("Andika"), std::string::npos)
                    << s;
            }
        }
        // Each font can show the German letters of the texts.
        FcCharSet* chars = nullptr;
        ASSERT_EQ(FcPatternGetCharSet(p.get(), FC_CHARSET, 0, &chars), FcResultMatch);
        for (FcChar32 c : {0xE4u, 0xF6u, 0xFCu, 0xC4u, 0xD6u, 0xDCu, 0xDFu})
            EXPECT_TRUE(FcCharSetHasChar(chars, c)) << std::hex << c;
    }
}

}  // namespace
}  // namespace qs::test
