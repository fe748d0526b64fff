// What the word comparison draws during a task it also takes away: after a
// whole task (uncovering, the dinosaur, clapping, burning or "Wie bitte?",
// the explanation of a mistake) the field below the header is, pixel for
// pixel, what it was before the first task, at every window size; and the
// line under the name of the player whose turn it is does not cross it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "exercises/comparison/Comparison.h"
#include "screen/GraphMapping.h"
#include "screen/graph/Graph.h"
#include "support/ClearCheck.h"
#include "support/PngFile.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

const char* const kPairs[] = {"Regenbogen-Regenwolke", "Flugzeug-Flugzeuge", "Wiege-Ziege",
                              "Pilz-Pelz"};

void LoadPairs(Trainer& tr) {
    int n = 0;
    for (const char* line : kPairs) tr.t.WordList[static_cast<size_t>(++n)] = line;
    tr.t.WordCount = n;
}

int CountSounds(const HeadlessPlatform& p, const std::string& file) {
    const auto& log = p.SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PlayedSound& s) {
        return s.path.size() >= file.size() &&
               s.path.compare(s.path.size() - file.size(), file.size(), file) == 0;
    }));
}

// The window rows of graph rows y1..y2 - 1.
Rect Rows(Size window, int y1, int y2) {
    const Rect area = DrawingArea(window);
    int x = 0;
    ToWindow(area, x, y1);
    ToWindow(area, x, y2);
    return Rect{0, y1, window.w, y2};
}

// Whether row y of b holds a pixel of colour c between columns left and right.
bool RowHolds(const Bitmap& b, int y, int left, int right, Rgb c) {
    for (int x = left; x < right; ++x)
        if (b.Pixel(x, y) == c) return true;
    return false;
}

// One task: uncover, answer, and 5.5 s later a key. By then a right answer's
// clapping is over (about 3 s) and the next task waits to be uncovered (it
// uncovers itself about 4 s later), and the key does nothing; a wrong
// answer's burning or "Wie bitte?" is over too (under 5 s) and its
// explanation waits for that key, after which the next task starts at once.
// The dump shows the next task waiting.
std::string Task(int n, const std::string& uncover, char answer) {
    return "key " + uncover + "\nwait 1500\nkey " + answer + "\nwait 5500\nkey x\nwait 300\n" +
           "dump after" + std::to_string(n) + "\n";
}

// Player 1's name (red, from x 20) and the red line under it: between the
// rows of the name and the rows of the line lies at least one row without red.
void ExpectTurnLineUnderTheName(const Bitmap& b, Size window, const Dos& d) {
    const Rgb red = d.screen.Palette[static_cast<size_t>(colour::Red)];
    const Rect area = DrawingArea(window);
    int left = 20, right = 180, y = 0;
    ToWindow(area, left, y);
    ToWindow(area, right, y);
    const Rect header = Rows(window, 0, 40);
    std::vector<bool> redRows;
    for (int row = header.top; row < header.bottom; ++row)
        redRows.push_back(RowHolds(b, row, left, right, red));
    const auto first = std::find(redRows.begin(), redRows.end(), true);
    const auto last = std::find(redRows.rbegin(), redRows.rend(), true).base();
    ASSERT_NE(first, redRows.end()) << "no red name in the header";
    EXPECT_NE(std::find(first, last, false), last) << "the turn line touches the name";
}

TEST(ComparisonClears, TasksLeaveNoRemainsAndTheTurnLineMissesTheName) {
    struct Row {
        const char* name;
        Size window;
        int players;
        const char* uncover;
        bool burn;
    };
    const Row rows[] = {
        {"1920x1080, one player, side by side", {1920, 1080}, 1, "SPACE", false},
        {"1920x1080, two players, one after the other, burning", {1920, 1080}, 2, "RET", true},
        {"1280x1024, one player, one after the other, burning", {1280, 1024}, 1, "RET", true},
        {"1280x1024, two players, side by side", {1280, 1024}, 2, "SPACE", false},
        {"1000x750, two players, one after the other", {1000, 750}, 2, "RET", false},
    };
    const std::string answers = "jnnj";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string script =
            row.players == 2 ? "key 2\ntype anna\nkey RET\ntype ben\nkey RET\n" : "key 1\n";
        script += "until Leertaste\ndump start\n";
        for (size_t i = 0; i < answers.size(); ++i)
            script += Task(static_cast<int>(i + 1), row.uncover, answers[i]);
        RunOptions o;
        o.appDir = MakeTestAppDir("compare-clears");
        o.script = script;
        o.size = row.window;
        o.seed = 5;
        RunResult run = RunExercise(o, [&](Trainer& tr) {
            LoadPairs(tr);
            tr.t.opt.OptWortvergl = row.burn ? 0 : 1;
            PlayExercise<urmonitor>(tr);
        });
        ASSERT_EQ(run.error, "");
        const HeadlessPlatform& p = *run.platform;
        ASSERT_GT(CountSounds(p, "klatsch.wav"), 0) << "the seed should give a right answer";
        ASSERT_GT(CountSounds(p, row.burn ? "brennen.wav" : "wie bitte.wav"), 0)
            << "the seed should give a wrong answer";

        const std::optional<Bitmap> start = ReadPng(run.outDir + "/start.png");
        ASSERT_TRUE(start);
        if (row.players == 2) ExpectTurnLineUnderTheName(*start, row.window, *run.dos);
        for (size_t i = 0; i < answers.size(); ++i) {
            const std::string name = "after" + std::to_string(i + 1);
            const std::optional<Bitmap> after = ReadPng(run.outDir + "/" + name + ".png");
            ASSERT_TRUE(after) << name;
            // The header below the grey top rows 0..39 changes with the scores.
            const Leftover left = Difference(*start, *after, Rows(row.window, 40, 480));
            EXPECT_EQ(left.pixels, 0) << name << ": left over " << Describe(left.extent);
        }
    }
}

}  // namespace
}  // namespace qs::test
