// Helpers shared by the printing tests: printer files written as strings,
// pieces and placed items in a short readable form, and the poppler tools.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "screen/print/PrintLayout.h"
#include "screen/print/PrinterFile.h"

namespace qs::test {

inline std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// A piece as: face letter (C base, N narrow, Q fraction), size, "b" when
// bold, then the text in quotes and the marks: "+" continues, "tN" tab, "R"
// rule, "V" check. A form feed is "FF", a line that prints nothing "--".
std::string Describe(const PrintPiece& piece);
std::vector<std::string> Describe(const std::vector<PrintPiece>& pieces);

// A placed item as "page:x,y kind" with the text of a text item.
std::string Describe(const PlacedItem& item);

// Runs a shell command; its standard output, or nullopt when it fails.
std::optional<std::string> RunCommand(const std::string& command);

// Page count of a PDF file (pdfinfo), -1 when it cannot be read.
int PdfPages(const std::string& path);

}  // namespace qs::test

// Skips a test that reads PDFs with poppler's tools when they are missing;
// under CI they must be there.
#define REQUIRE_POPPLER()                                                          \
    if (!::qs::test::RunCommand(                                                   \
            "command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null")) { \
        const char* ci = std::getenv("CI");                                        \
        if (ci && std::string(ci) == "true")                                       \
            FAIL() << "pdftotext/pdfinfo (poppler-utils) missing";                 \
        GTEST_SKIP() << "pdftotext/pdfinfo (poppler-utils) missing";               \
    }
