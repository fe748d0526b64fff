// What the word comparison draws during a task it also takes away: after a
// whole task (uncovering, the dinosaur, clapping, burning or "Wie bitte?",
// the explanation of a mistake) the field below the header is, pixel for
// pixel, what it was before the first task, at every window size.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "exercises/comparison/Comparison.h"
#include "screen/GraphMapping.h"
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

// The first window row below the grey header (graph rows 0..39).
int FieldTop(Size window) {
    const Rect area = DrawingArea(window);
    int x = 0, y = 40;
    ToWindow(area, x, y);
    return y;
}

// The pixels below row top where the two pictures differ, and their extent.
struct Difference {
    int pixels = 0;
    Rect extent;
};
Difference Compare(const Bitmap& a, const Bitmap& b, int top) {
    Difference diff;
    for (int y = top; y < std::min(a.Height(), b.Height()); ++y)
        for (int x = 0; x < std::min(a.Width(), b.Width()); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                ++diff.pixels;
                diff.extent = diff.extent.Union(Rect{x, y, x + 1, y + 1});
            }
    return diff;
}

std::string Describe(const Rect& r) {
    return std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top);
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

TEST(ComparisonClears, EveryTaskLeavesTheFieldAsItWas) {
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
        for (size_t i = 0; i < answers.size(); ++i) {
            const std::string name = "after" + std::to_string(i + 1);
            const std::optional<Bitmap> after = ReadPng(run.outDir + "/" + name + ".png");
            ASSERT_TRUE(after) << name;
            const Difference diff = Compare(*start, *after, FieldTop(row.window));
            EXPECT_EQ(diff.pixels, 0) << name << ": left over " << Describe(diff.extent);
        }
    }
}

}  // namespace
}  // namespace qs::test
