#include "screen/print/Printing.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/headless/HeadlessPlatform.h"
#include "print/PrintTestSupport.h"
#include "screen/print/PrintFonts.h"
#include "support/RecordingPrinter.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

struct Printer {
    explicit Printer(PrintOutcome::Kind answer = PrintOutcome::Kind::Printed) {
        auto recording = std::make_unique<RecordingPrinter>(answer);
        spooler = recording.get();
        HeadlessOptions options;
        options.printer = std::move(recording);
        platform = std::make_unique<HeadlessPlatform>(std::move(options));
    }
    bool Print(const std::string& path) { return PrintPrinterFile(*platform, path, false); }

    RecordingPrinter* spooler;
    std::unique_ptr<HeadlessPlatform> platform;
};

std::string Fixture(const std::string& name) {
    return std::string(QS_TEST_DATA_DIR) + "/print/" + name;
}

// Text with every run of blanks made one blank: poppler's layout spaces
// words by their positions, not by the blanks of the printer file.
std::string OneBlank(const std::string& text) {
    return std::regex_replace(text, std::regex(" +"), " ");
}

// The text of a PDF as poppler lays it out, or nullopt without pdftotext.
std::optional<std::string> PdfText(const std::vector<uint8_t>& pdf, const std::string& mode) {
    TempDir folder;
    std::string path = folder.Write("out.pdf", pdf);
    return RunCommand("pdftotext " + mode + " '" + path + "' - 2>/dev/null");
}

TEST(Printing, ReportsWhatThePrintSystemDid) {
    const struct {
        const char* name;
        PrintOutcome::Kind answer;
        bool printed;
    } cases[] = {
        {"printed", PrintOutcome::Kind::Printed, true},
        {"saved as a PDF counts as printed", PrintOutcome::Kind::SavedAsPdf, true},
        {"failed", PrintOutcome::Kind::Failed, false},
    };
    TempDir folder;
    std::string file = folder.Write("LPTB.TXT", Bytes("Hallo\r\n"));
    for (const auto& c : cases) {
        Printer printer(c.answer);
        EXPECT_EQ(printer.Print(file), c.printed) << c.name;
        ASSERT_EQ(printer.spooler->documents.size(), 1u) << c.name;
        EXPECT_EQ(printer.spooler->titles[0], "Quendelstrand") << c.name;
        const auto& pdf = printer.spooler->documents[0];
        EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 5), "%PDF-") << c.name;
    }
}

TEST(Printing, MissingOrEmptyFilePrintsNothing) {
    TempDir folder;
    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing", folder.Path() + "LPTB.TXT"},
        {"a folder", folder.Path()},
        {"empty", folder.Write("EMPTY.TXT", {})},
    };
    for (const auto& c : cases) {
        Printer printer;
        EXPECT_FALSE(printer.Print(c.path)) << c.name;
        EXPECT_TRUE(printer.spooler->documents.empty()) << c.name;
    }
}

TEST(Printing, FontsComeOutInTheirLookAlikes) {
    PrintFonts fonts;
    const struct {
        PrintFace face;
        bool bold;
        std::vector<std::string> families;
    } cases[] = {
        {PrintFace::Base, false, {"Courier New", "Liberation Mono"}},
        {PrintFace::Base, true, {"Courier New", "Liberation Mono"}},
        {PrintFace::Narrow, false, {"Arial Narrow", "Liberation Sans Narrow"}},
        {PrintFace::Fraction, false, {"QXBRUCH", "Courier New", "Liberation Mono"}},
    };
    for (const auto& c : cases) {
        std::string family = fonts.Family(c.face, c.bold);
        EXPECT_NE(std::find(c.families.begin(), c.families.end(), family), c.families.end())
            << PrintFaceName(c.face) << (c.bold ? " bold" : "") << " came out as " << family;
    }
    // Courier's metrics: a character is 0.6 of the size, at 600 dots per inch.
    EXPECT_NEAR(fonts.TextWidth(PrintFont{}, "A"), 10 * 600 / 72.0 * 0.6, 0.1);
    EXPECT_NEAR(fonts.TextWidth(PrintFont{}, "AAAA"), 4 * fonts.TextWidth(PrintFont{}, "A"), 0.01);
    EXPECT_GT(fonts.LineHeight(PrintFont{PrintFace::Base, 16, false}),
              fonts.LineHeight(PrintFont{}) * 1.5);
    EXPECT_NE(fonts.Check(PrintFont{}), nullptr) << "no face with a check mark (fonts-dejavu-core)";
}

// The edge cases a teacher would see on paper, checked on the document itself.
TEST(Printing, DocumentShowsFontsMarksAndColumns) {
    REQUIRE_POPPLER();
    const std::string esc = "\x1b";
    const std::string file = esc + "EName" + esc +
                             "F: 12\r\n"
                             "           1 verstehen \xfb\r\n" +
                             esc + "\xc9\x28\r\n61\r\n345\r\n" + std::string(31, '-') + "\r\n" +
                             esc +
                             "\xc9\xff\r\n"
                             "Stra\341e \x84\x94\x81\r\n";
    auto pdf = PrinterFileToPdf(Bytes(file), false);
    ASSERT_TRUE(pdf);
    auto text = PdfText(*pdf, "-layout");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Name: 12\n"), std::string::npos) << *text;
    EXPECT_NE(text->find("1 verstehen \u2713"), std::string::npos) << *text;
    EXPECT_NE(text->find("Stra\u00dfe \u00e4\u00f6\u00fc"), std::string::npos) << *text;
    EXPECT_EQ(text->find("---"), std::string::npos) << "the rule is drawn, not printed";

    TempDir folder;
    auto fonts = RunCommand("pdffonts '" + folder.Write("out.pdf", *pdf) + "' 2>/dev/null");
    ASSERT_TRUE(fonts);
    EXPECT_NE(fonts->find("Bold"), std::string::npos) << "no bold face for the name\n" << *fonts;

    // Both column entries end 40 character widths right of the left margin.
    auto boxes = PdfText(*pdf, "-bbox");
    ASSERT_TRUE(boxes);
    const double margin = 4961 / 10 * 72.0 / 600;
    const double column = 40 * 10 * 0.6;  // 40 widths of a 10 point Courier character
    for (const char* word : {"61", "345"}) {
        std::smatch m;
        std::regex box(std::string("xMax=\"([0-9.]+)\"[^>]*>") + word + "</word>");
        ASSERT_TRUE(std::regex_search(*boxes, m, box)) << word;
        EXPECT_NEAR(std::stod(m[1]), margin + column, 0.5) << word;
    }
    std::smatch m;
    ASSERT_TRUE(std::regex_search(*boxes, m, std::regex("xMin=\"([0-9.]+)\"[^>]*>Name:</word>")));
    EXPECT_NEAR(std::stod(m[1]), margin, 0.5);
}

TEST(Printing, FormFeedsNeverLeaveAnEmptyPage) {
    REQUIRE_POPPLER();
    const struct {
        const char* name;
        std::string file;
        int pages;
    } cases[] = {
        {"form feed first", "\x0c\r\nHallo\r\n", 1},
        {"form feed last", "Hallo\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\x0c\r\n",
         1},
        {"certificate", test::FileText(Fixture("certificate.lpt")), 1},
        {"two certificates", test::FileText(Fixture("certificates-two.lpt")), 2},
    };
    for (const auto& c : cases) {
        auto pdf = PrinterFileToPdf(Bytes(c.file), false);
        ASSERT_TRUE(pdf) << c.name;
        TempDir folder;
        EXPECT_EQ(test::PdfPages(folder.Write("out.pdf", *pdf)), c.pages) << c.name;
    }
}

TEST(Printing, CertificateReadsAsWritten) {
    REQUIRE_POPPLER();
    auto pdf = PrinterFileToPdf(Bytes(test::FileText(Fixture("certificates-two.lpt"))), false);
    ASSERT_TRUE(pdf);
    auto laidOut = PdfText(*pdf, "-layout");
    ASSERT_TRUE(laidOut);
    auto text = OneBlank(*laidOut);
    for (const char* line : {"---------- Arbeitszeugnis ---------", "Name: Lena", "Name: Tom",
                             "Programm Quendelstrand \u00dcbung: Vorsilben",
                             "Mit Erfolg ge\u00fcbt wurden:", "1 verstehen \u2713",
                             "1 entdecken \u2713", "2 zerbrechen \u2713", "1 bekommen",
                             "Es wurden keine Fehler gemacht.", "Deichhausen, den 10.12.2026"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    // Each certificate on its own page.
    size_t feed = text.find('\f');
    ASSERT_NE(feed, std::string::npos);
    EXPECT_NE(text.substr(0, feed).find("Name: Lena"), std::string::npos);
    EXPECT_NE(text.substr(feed).find("Name: Tom"), std::string::npos);
}

}  // namespace
}  // namespace qs::test
