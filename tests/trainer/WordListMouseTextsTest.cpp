// The shipped mouse texts of the line list view and the editor's program
// chooser: a click on each thing those screens show gives the code the
// screen acts on.
#include <gtest/gtest.h>

#include "screen/mouse/Mouse.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

struct Hit {
    int code = 0;
    int item = -1;
    int line = -1;
};

// Clicks the centre of each cell with the file pushed on top of the table,
// each click on its own or, in a sequence, one after the other. `under` is
// the text of a table pushed before it, standing for the screens below.
std::vector<Hit> ClickCells(const std::string& file, const std::vector<std::pair<int, int>>& cells,
                            const std::string& under = "", bool sequence = false) {
    std::vector<Hit> hits;
    RunOptions o;
    o.appDir = test::MakeTestAppDir("mousetexts");
    test::WriteAppFile(o.appDir, "maustxt/under.mtb", under);
    const RunResult run = RunTrainerProc(o, [&](Trainer& tr) {
        Dos& d = tr.d;
        PushMouseTexts(d, "", "under.mtb");
        PushMouseTexts(d, "", file);
        for (const auto& [col, row] : cells) {
            if (!sequence) d.mouse.LastRegion = -1;
            Hit h;
            h.code = MouseHitCode(d, (col - 1) * d.screen.CellWidth + d.screen.CellWidth / 2,
                                  (row - 1) * d.screen.CellHeight + d.screen.CellHeight / 2);
            h.item = d.mouse.MouseItem;
            h.line = d.mouse.MouseLine;
            hits.push_back(h);
        }
        PopMouseTexts(d);
        PopMouseTexts(d);
    });
    EXPECT_TRUE(run.returned) << run.error;
    return hits;
}

struct Case {
    int col;
    int row;
    Hit hit;
};

void ExpectHits(const std::string& file, const std::vector<Case>& cases) {
    std::vector<std::pair<int, int>> cells;
    for (const Case& c : cases) cells.push_back({c.col, c.row});
    const std::vector<Hit> hits = ClickCells(file, cells);
    ASSERT_EQ(hits.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string at =
            file + " at " + std::to_string(cases[i].col) + "," + std::to_string(cases[i].row);
        EXPECT_EQ(hits[i].code, cases[i].hit.code) << at;
        EXPECT_EQ(hits[i].item, cases[i].hit.item) << at;
        EXPECT_EQ(hits[i].line, cases[i].hit.line) << at;
    }
}

TEST(WordListMouseTextsTest, EditorChooserEntriesAreItemButtons) {
    const int rows[] = {5, 7, 8, 9, 11, 13, 14, 16, 17};  // entries 1..9 on the screen
    std::vector<Case> cases;
    for (int i = 0; i < 9; ++i) {
        cases.push_back({45, rows[i], {200 + i, i, -1}});
        cases.push_back({72, rows[i], {200 + i, i, -1}});
        cases.push_back({44, rows[i], {}});
        cases.push_back({73, rows[i], {}});
    }
    for (int row : {4, 6, 10, 12, 15, 18}) cases.push_back({50, row, {}});
    ExpectHits("quendel.mve", cases);
}

TEST(WordListMouseTextsTest, ListRowsAreLinesCountedFromTheBottom) {
    std::vector<Case> cases;
    for (int row = 1; row <= 25; ++row) {
        cases.push_back({1, row, {255, -1, 25 - row}});
        cases.push_back({39, row, {255, -1, 25 - row}});
    }
    cases.push_back({40, 5, {}});
    // The key texts of the editor's right panel.
    cases.push_back({67, 19, {'A'}});
    cases.push_back({77, 19, {'A'}});
    cases.push_back({78, 19, {}});
    cases.push_back({41, 20, {'3'}});
    cases.push_back({53, 20, {'3'}});
    cases.push_back({54, 20, {}});
    cases.push_back({60, 20, {'B'}});
    cases.push_back({45, 21, {'?'}});
    cases.push_back({45, 22, {'@'}});
    cases.push_back({45, 23, {'B'}});
    cases.push_back({45, 24, {'C'}});
    cases.push_back({45, 25, {}});
    ExpectHits("quendel.m25", cases);
}

// The program menu's regions stay in the table below the screens on top of
// it; clicks on the menu, once or again and again, must not act on them.
TEST(WordListMouseTextsTest, ClicksDoNotReachTheMenuBelow) {
    const std::string menu = "7 33 5 19 200 ; a menu item button over the whole menu\r\n";
    const struct {
        const char* file;
        int col;
        int row;
        std::vector<int> codes;  // of three clicks on the cell
    } cases[] = {
        {"quendel.mt1", 20, 10, {0, 0, 0}},
        {"quendel.mve", 20, 10, {0, 0, 0}},
        // A second click before the screen took the first does nothing.
        {"quendel.mt2", 20, 10, {199, 0, 199}},
        {"quendel.m25", 20, 10, {255, 0, 255}},
    };
    for (const auto& c : cases) {
        const std::vector<Hit> hits =
            ClickCells(c.file, {{c.col, c.row}, {c.col, c.row}, {c.col, c.row}}, menu, true);
        ASSERT_EQ(hits.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(hits[i].code, c.codes[i]) << c.file << " click " << i + 1;
            if (c.codes[i] == 255) {
                EXPECT_EQ(hits[i].line, 15) << c.file << " click " << i + 1;
            }
        }
    }
}

}  // namespace
}  // namespace qs::test
