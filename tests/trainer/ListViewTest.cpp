// The line list view that the start-word choice and the editor share:
// which line is current, how far the view is scrolled, what each row shows.
#include <gtest/gtest.h>

#include "screen/TextScreen.h"
#include "screen/script/Dump.h"
#include "support/WindowRun.h"
#include "trainer/FileSelection.h"

namespace qs::test {
namespace {

struct ViewResult {
    TrainerState state;
    std::string screen;
};

// Runs the operations on a list of `lines` lines "Wort1".. in the view's
// window: F first page, U/D line up/down, u/d page up/down, e edits the
// current line to "neu".
ViewResult RunView(int lines, const std::string& ops, const std::string& longLine = "") {
    ViewResult result;
    RunOptions o;
    o.appDir = test::MakeTestAppDir("listview");
    const RunResult run = RunTrainerProc(o, [&](Trainer& tr) {
        for (int n = 1; n <= lines; ++n)
            tr.t.WordList[static_cast<size_t>(n)] = "Wort" + std::to_string(n);
        if (!longLine.empty()) tr.t.WordList[1] = longLine;
        tr.t.WordCount = lines;
        tr.t.WordFileName = "Tiere.VWT";
        ShowListHeader(tr);
        for (char op : ops) {
            switch (op) {
                case 'F': ListFirstPage(tr); break;
                case 'U': ListLineUp(tr); break;
                case 'D': ListLineDown(tr); break;
                case 'u': ListPageUp(tr); break;
                case 'd': ListPageDown(tr); break;
                case 'e': tr.t.EditBuffer = "neu"; break;
                default: FAIL() << "unknown operation " << op;
            }
        }
        result.screen = DumpText(tr.d);
    });
    EXPECT_TRUE(run.returned) << run.error;
    result.state = run.state;
    return result;
}

// A row of the view showing line n with its text.
std::string Row(int n, const std::string& text) {
    std::string number = std::to_string(n);
    std::string row =
        std::string(3 - std::min<size_t>(3, number.size()), ' ') + number + " " + text;
    row.resize(39, ' ');
    return row;
}

std::string ViewRow(const ViewResult& r, int row) {
    return test::DumpRow(r.screen, row).substr(0, 39);
}

TEST(ListViewTest, MovesAndScrollsThroughTheList) {
    const struct {
        const char* ops;
        int lines;
        int current;
        int top;
    } cases[] = {
        {"F", 60, 25, 0},
        {"F", 10, 10, 0},
        {"F", 0, 0, 0},
        {"FU", 60, 24, 0},
        {"Fu", 60, 1, 0},
        {"FuD", 60, 2, 0},
        {"FuU", 60, 1, 0},
        {"FD", 60, 26, 1},
        {"FDDU", 60, 26, 2},
        {"FDuU", 60, 1, 0},  // page up from below the first row goes to it; up
                             // then scrolls
        {"FD", 25, 25, 0},   // the last line: nothing moves
        {"FD", 0, 0, 0},
        {"Fd", 60, 50, 25},
        {"Fdd", 60, 60, 50},
        {"Fddd", 60, 60, 50},
        {"Fud", 60, 25, 0},  // not on the last row: to the last row
        {"Fd", 30, 30, 25},
        {"Fdu", 60, 26, 25},
        {"Fduu", 60, 2, 1},
        {"Fduuu", 60, 1, 0},
    };
    for (const auto& c : cases) {
        const ViewResult r = RunView(c.lines, c.ops);
        const std::string label = std::string(c.ops) + " of " + std::to_string(c.lines);
        EXPECT_EQ(r.state.CurrentLine, c.current) << label;
        EXPECT_EQ(r.state.TopLine, c.top) << label;
        const std::string current = c.current >= 1 ? "Wort" + std::to_string(c.current) : "";
        EXPECT_EQ(r.state.EditBuffer, current) << label;
        EXPECT_EQ(r.state.EditColumn, static_cast<int>(current.size()) + 1) << label;
        for (int row = 1; row <= 25; ++row) {
            const int n = c.top + row;
            const std::string expected =
                n <= c.lines ? Row(n, "Wort" + std::to_string(n)) : std::string(39, ' ');
            EXPECT_EQ(ViewRow(r, row), expected) << label << ", row " << row;
        }
    }
}

TEST(ListViewTest, LeavingALineKeepsItsEdit) {
    for (const char* ops : {"FeU", "FueD", "Fued", "Fdeu"}) {
        const ViewResult r = RunView(60, ops);
        int edited = 0;
        for (int n = 1; n <= 60; ++n)
            if (r.state.WordList[static_cast<size_t>(n)] == "neu") edited = n;
        const int expected = ops[1] == 'u' ? 1 : ops[1] == 'd' ? 50 : 25;
        EXPECT_EQ(edited, expected) << ops;
    }
}

TEST(ListViewTest, LongLineShowsWhatFitsAndLoadsItsFirst78Characters) {
    std::string longLine;
    for (int i = 0; i < 10; ++i) longLine += "abcdefghij";
    const ViewResult r = RunView(3, "Fu", longLine);
    EXPECT_EQ(ViewRow(r, 1), Row(1, longLine.substr(0, 35)));
    EXPECT_EQ(ViewRow(r, 2), Row(2, "Wort2")) << "the next row is not overwritten";
    EXPECT_EQ(r.state.EditBuffer, longLine.substr(0, kEditBufferMax));
    EXPECT_EQ(r.state.EditColumn, 79);
    EXPECT_EQ(r.state.WordList[1], longLine) << "the line itself is not cut";
}

TEST(ListViewTest, HeaderShowsFileAndCountAndNumbersAlignRight) {
    const ViewResult r = RunView(120, "Fdddd");
    EXPECT_EQ(test::DumpRow(r.screen, 1).substr(39),
              "  Datei:  Tiere.VWT      W\u00f6rter:  120    ");
    EXPECT_EQ(r.state.TopLine, 100);
    EXPECT_EQ(ViewRow(r, 1), "101 Wort101" + std::string(28, ' '));
    const ViewResult small = RunView(12, "F");
    EXPECT_EQ(ViewRow(small, 9), "  9 Wort9" + std::string(30, ' '));
    EXPECT_EQ(ViewRow(small, 10), " 10 Wort10" + std::string(29, ' '));
}

}  // namespace
}  // namespace qs::test
