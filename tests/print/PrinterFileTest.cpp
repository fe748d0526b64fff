#include "screen/print/PrinterFile.h"

#include <gtest/gtest.h>

#include "print/PrintTestSupport.h"

namespace qs::test {
namespace {

struct ParseCase {
    const char* name;
    std::string file;
    std::vector<std::string> pieces;
};

void ExpectPieces(const std::vector<ParseCase>& cases, bool noConversion = false) {
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(ParsePrinterFile(Bytes(c.file), noConversion)), c.pieces) << c.name;
    }
}

const std::string kEsc = "\x1b";
const std::string kRule31 = std::string(31, '-');

TEST(PrinterFile, SplitsLinesAtEveryKindOfLineEnd) {
    ExpectPieces({
        {"crlf", "a\r\nb\r\n", {"C10 \"a\"", "C10 \"b\""}},
        {"lf and cr alone", "a\nb\rc", {"C10 \"a\"", "C10 \"b\"", "C10 \"c\""}},
        {"cr cr is an empty line between", "a\r\rb", {"C10 \"a\"", "C10 \"\"", "C10 \"b\""}},
        {"empty lines are lines", "\r\n\r\nx\r\n", {"C10 \"\"", "C10 \"\"", "C10 \"x\""}},
        {"no line end after the last line", "abc", {"C10 \"abc\""}},
        {"nothing at all", "", {}},
        {"nul prints as a blank", std::string("a\0b", 3), {"C10 \"a b\""}},
    });
}

TEST(PrinterFile, EscapeSequencesChangeTheFontOfWhatFollows) {
    ExpectPieces({
        {"bold word, plain rest, one printed line",
         kEsc + "EName" + kEsc + "F: 12",
         {"C10b \"Name\" +", "C10 \": 12\""}},
        {"font lasts over lines", kEsc + "Ea\r\nb", {"C10b \"a\"", "C10b \"b\""}},
        {"narrow keeps bold", kEsc + "E" + kEsc + "Mx", {"N8b \"x\""}},
        {"base face size 10", kEsc + "M" + kEsc + "Px", {"C10 \"x\""}},
        {"W 3", kEsc + "E" + kEsc + "W\x03x", {"C16 \"x\""}},
        {"W 2", kEsc + "E" + kEsc + "W\x02x", {"C14 \"x\""}},
        {"W 1 is bold", kEsc + "W\x01x", {"C12b \"x\""}},
        {"W 0 written as NUL", kEsc + "W\x01" + kEsc + std::string("W\0x", 3), {"C10 \"x\""}},
        {"W blank", kEsc + "W\x03" + kEsc + "W x", {"C10 \"x\""}},
        {"w is W", kEsc + "w\x02x", {"C14 \"x\""}},
        {"W other changes nothing", kEsc + "W\x02" + kEsc + "W7x", {"C14 \"x\""}},
        {"W keeps the narrow face", kEsc + "M" + kEsc + "W\x03x", {"N16 \"x\""}},
        {"fraction face", kEsc + "E" + kEsc + "\xc8\x0e" + "3/4", {"Q14 \"3/4\""}},
        {"unknown command dropped with its byte", kEsc + "Xab", {"C10 \"ab\""}},
        {"commands only: an empty line in the new font",
         kEsc + "E" + kEsc + "W\x01",
         {"C12b \"\""}},
        {"text, command, text",
         "a" + kEsc + "Eb" + kEsc + "Fc",
         {"C10 \"a\" +", "C10b \"b\" +", "C10 \"c\""}},
        {"command at the end of a line",
         "Lena" + kEsc + std::string("W\0", 2),
         {"C10 \"Lena\" +", "C10 \"\""}},
    });
}

TEST(PrinterFile, EscapeSequencesCutOffByTheLineEndChangeNothing) {
    ExpectPieces({
        {"lone ESC", "ab" + kEsc + "\r\nc", {"C10 \"ab\" +", "C10 \"\"", "C10 \"c\""}},
        {"W without its byte", kEsc + "W\r\nc", {"C10 \"\"", "C10 \"c\""}},
        {"fraction without its size", kEsc + "\xc8", {"C10 \"\""}},
        {"tab without its column",
         kEsc + "\xc9\r\n" + kRule31,
         {"C10 \"\"", "C10 \"" + kRule31 + "\""}},
    });
}

TEST(PrinterFile, ControlBytesStartFormFeedsAndLinesThatPrintNothing) {
    ExpectPieces({
        {"form feed", "\x0c", {"FF"}},
        {"form feed drops the rest of its line", "\014abc", {"FF"}},
        {"text before a form feed", "abc\x0c", {"C10 \"abc\" +", "FF"}},
        {"other control byte", "\001abc", {"--"}},
        {"byte 30", "\036abc", {"--"}},
        {"byte 31 prints, other control bytes inside as blanks", "\037a\001b", {"C10 \" a b\""}},
        {"font applies to a form feed line", kEsc + "E\x0c\r\nx", {"FF", "C10b \"x\""}},
    });
}

TEST(PrinterFile, ByteTwoFiftyOneEndingALineBecomesACheckMark) {
    ExpectPieces({
        {"word and check", "           1 verstehen \xfb", {"C10 \"           1 verstehen \" V"}},
        {"only the check", "\xfb", {"C10 \"\" V"}},
        {"inside a line it is a letter", "a\373b", {"C10 \"a\373b\""}},
        {"after a font change", "a" + kEsc + "Eb\xfb", {"C10 \"a\" +", "C10b \"b\" V"}},
        {"parameter of a sequence", kEsc + "W\xfb", {"C10 \"\""}},
        {"u circumflex converted to 251 is no check mark", "Cro\x96", {"C10 \"Cro\xfb\""}},
        {"not on a line that prints nothing", "\002a\xfb", {"--"}},
    });
}

TEST(PrinterFile, TabModeMarksRulesUntilItEnds) {
    ExpectPieces({
        {"rule only in tab mode",
         kRule31 + "\r\n" + kEsc + "\xc9\x28\r\n" + kRule31 + "\r\n12\r\n" + kEsc + "\xc9\xff\r\n" +
             kRule31,
         {"C10 \"" + kRule31 + "\"", "C10 \"\" t40", "C10 \"" + kRule31 + "\" R", "C10 \"12\"",
          "C10 \"\" t255", "C10 \"" + kRule31 + "\""}},
        {"thirty dashes are text",
         kEsc + "\xc9\x28" + std::string(30, '-'),
         {"C10 \"" + std::string(30, '-') + "\" t40"}},
        {"tab on the text after it", kEsc + "\xc9\x14" + "99", {"C10 \"99\" t20"}},
        {"end column written as 249 is not converted", kEsc + "\xc9\xf9", {"C10 \"\" t249"}},
    });
}

TEST(PrinterFile, ConvertsCodePage437ForPrinting) {
    const std::string oem = "\x84\x94\x81\x8e\x99\x9a\xe1\xc4\xf9\x80\x9f\xab\x9e\xa9\xdb\xb0";
    const std::string win = "\xe4\xf6\xfc\xc4\xd6\xdc\xdf\x97\xb7\xc7\x83\xbd\x9e\xa9\xdb\xb0";
    ExpectPieces({{"converted", oem, {"C10 \"" + win + "\""}}});
    ExpectPieces({{"no conversion", oem, {"C10 \"" + oem + "\""}}}, true);
}

TEST(PrinterFile, ConversionTableCoversItsWholeRange) {
    for (int b = 128; b <= 175; ++b) {
        uint8_t c = PrintConvert(static_cast<uint8_t>(b));
        if (b == 158 || b == 169) {
            EXPECT_EQ(c, b) << b;
        } else {
            EXPECT_GE(c, 0x83) << b;
            EXPECT_NE(c, b) << b;
        }
    }
    for (int b : {0, 31, 65, 176, 200, 251, 255})
        EXPECT_EQ(PrintConvert(static_cast<uint8_t>(b)), b) << b;
}

TEST(PrinterFile, Windows1252BecomesUtf8) {
    struct Case {
        const char* name;
        std::string in, out;
    } cases[] = {
        {"ascii", "Name: 12", "Name: 12"},
        {"latin letters", "\xe4\xdf\xdc", "\xc3\xa4\xc3\x9f\xc3\x9c"},
        {"em dash and middle dot", "\x97\xb7", "\xe2\x80\x94\xc2\xb7"},
        {"euro", "\x80", "\xe2\x82\xac"},
        {"unassigned and control bytes as blanks", std::string("\x81\x8d\x01", 3), "   "},
    };
    for (const auto& c : cases) EXPECT_EQ(Windows1252ToUtf8(c.in), c.out) << c.name;
}

}  // namespace
}  // namespace qs::test
