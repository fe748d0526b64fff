// Whole games of the word comparison on the headless screen: a fixed seed,
// the virtual clock and a script of keys, with the screen texts checked at
// fixed points and the sounds played.
#include <gtest/gtest.h>

#include <algorithm>

#include "exercises/comparison/Comparison.h"
#include "screen/graph/Graph.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

const char* const kPairs[] = {"Kaffeekanne-Kaffeetasse", "Haust\x81r-Hausmaus", "Wolke-Welke",
                              "Regen-Rogen", "Tasche-Tasse"};

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

// The words of a task as the dump taken after uncovering lists them.
bool WordsWereSame(const std::string& dump) {
    return test::TextAt(dump, 152, 227) == test::TextAt(dump, 488, 227);
}

// One task of a single player: uncover side by side, dump, answer, dump
// once the scores are drawn, let the dinosaur walk off, then a key that
// only ends the "Es ist ..." message of a wrong answer (after a right one
// it does nothing). The next task starts by itself about 3 s of the
// program's time after a right answer's animation, later than the next
// Space of the script.
std::string Task(int n, char answer) {
    const std::string t = std::to_string(n);
    return "key SPACE\nwait 1500\ndump shown" + t + "\nkey " + answer + "\nuntil %\ndump after" +
           t + "\nwait 1000\nkey x\n";
}

TEST(ComparisonGameTest, OnePlayerGameKeepsScoreAndEndsWithTheFarewell) {
    const std::string answers = "jnjnj";
    std::string script = "key RET\nkey +\nkey +\nkey -\n";
    for (size_t i = 0; i < answers.size(); ++i) script += Task(static_cast<int>(i + 1), answers[i]);
    script +=
        "key ESC\nuntil Jetzt schon beenden?\ndump quit\nkey j\nuntil Wann sehen wir uns wieder?\n"
        "dump end\nkey SPACE\n";

    RunOptions o;
    o.appDir = MakeTestAppDir("compare-one");
    o.script = script;
    o.seed = 7;
    RunResult run = RunExercise(o, [](Trainer& tr) {
        LoadPairs(tr);
        PlayExercise<urmonitor>(tr);
        EXPECT_EQ(tr.players.TaskCount, 5);
        EXPECT_EQ(tr.players.PlayerName1, "") << "the default name is cleared at the end";
        EXPECT_EQ(tr.t.LastKey, 27);
        EXPECT_FALSE(tr.d.screen.GraphMode);
    });
    ASSERT_TRUE(run.returned) << run.error;

    int right = 0, wrong = 0;
    for (size_t i = 0; i < answers.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        ASSERT_EQ(run.dumps.count("shown" + n), 1u) << "task " << n;
        const std::string& shown = run.dumps["shown" + n];
        EXPECT_NE(test::TextAt(shown, 152, 227), "") << "task " << n;
        const bool same = WordsWereSame(shown);
        // Mode 2 or 4 pairs a line's A with its B; the lines here all differ.
        if ((answers[i] == 'j') == same) ++right;
        else ++wrong;
        const std::string& after = run.dumps["after" + n];
        const int tasks = static_cast<int>(i + 1);
        EXPECT_EQ(test::TextAt(after, 310, 10), std::to_string(right)) << "task " << n;
        EXPECT_EQ(test::TextAt(after, 566, 10), std::to_string(wrong)) << "task " << n;
        EXPECT_EQ(test::TextAt(after, 40, 10), std::to_string((tasks - wrong) * 100 / tasks) + " %")
            << "task " << n;
    }
    EXPECT_EQ(test::TextAt(run.dumps["shown1"], 2, 466), "Zeit = 5");
    EXPECT_GT(right, 0);
    EXPECT_GT(wrong, 0) << "the seed should give both kinds of answer";

    const std::string& quit = run.dumps["quit"];
    EXPECT_NE(quit.find("Jetzt schon beenden?"), std::string::npos);
    EXPECT_EQ(test::TextAt(run.dumps["end"], 110, 160), "Wann sehen wir uns wieder?");

    const HeadlessPlatform& p = *run.platform;
    EXPECT_EQ(CountSounds(p, "vergleichfuellen.wav"), 5);
    EXPECT_EQ(CountSounds(p, "klatsch.wav"), 6 * right);
    EXPECT_EQ(CountSounds(p, "wie bitte.wav"), wrong);
    EXPECT_EQ(CountSounds(p, "bravo.wav"), 1);
    EXPECT_EQ(CountSounds(p, "bumm.wav"), 0);
}

// Two players take turns; the option " verbrennen " burns the child whose
// answer was wrong. A right answer earns 6 points less one per uncovering.
TEST(ComparisonGameTest, TwoPlayersEarnPointsByTurnAndTheWinnerIsNamed) {
    const std::string script =
        "key 2\ntype anna\nkey RET\ntype ben\nkey RET\n"
        // Anna: two uncoverings, then "j".
        "key SPACE\nwait 1500\nkey RET\nwait 3000\ndump annaShown\nkey j\nwait 400\n"
        "dump annaDino\nwait 5100\ndump annaAfter\nkey x\n"
        // Ben: one uncovering, then "n".
        "key SPACE\nwait 1500\ndump benShown\nkey n\nwait 400\ndump benDino\nwait 5100\n"
        "dump benAfter\nkey x\nkey ESC\nkey j\nuntil gewonnen\ndump end\nkey SPACE\n";
    RunOptions o;
    o.appDir = MakeTestAppDir("compare-two");
    o.script = script;
    o.seed = 3;
    RunResult run = RunExercise(o, [](Trainer& tr) {
        LoadPairs(tr);
        tr.t.opt.OptWortvergl = 0;
        PlayExercise<urmonitor>(tr);
        EXPECT_EQ(tr.players.PlayerCount, 2);
        EXPECT_EQ(tr.players.PlayerName1, "Anna");
        EXPECT_EQ(tr.players.PlayerName2, "Ben");
        EXPECT_EQ(tr.players.RepeatCount, 0) << "two players never repeat words";
    });
    ASSERT_TRUE(run.returned) << run.error;

    const bool annaRight = WordsWereSame(run.dumps["annaShown"]);
    const bool benRight = !WordsWereSame(run.dumps["benShown"]);
    const int anna = annaRight ? 4 : 0;
    const int ben = benRight ? 5 : 0;
    EXPECT_EQ(test::TextAt(run.dumps["annaAfter"], 200, 10), std::to_string(anna));
    EXPECT_EQ(test::TextAt(run.dumps["benAfter"], 520, 10), std::to_string(ben));
    // After Anna's task the turn passed: Ben's name is drawn again in colour 4
    // (after a wrong answer only once the mistake was explained and a key pressed).
    const auto texts = test::DumpTexts(run.dumps[annaRight ? "annaAfter" : "benShown"]);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "text 20 10 8 \"Anna\""), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "text 340 10 4 \"Ben\""), texts.end());

    const std::string expectedEnd = anna == ben  ? "Ihr habt beide gewonnen!"
                                    : anna > ben ? "Anna hat gewonnen."
                                                 : "Ben hat gewonnen.";
    EXPECT_EQ(test::TextAt(run.dumps["end"], 110, 160), expectedEnd);

    const HeadlessPlatform& p = *run.platform;
    EXPECT_EQ(CountSounds(p, "vergleichfuellen.wav"), 3);
    EXPECT_EQ(CountSounds(p, "klatsch.wav"), 6 * (int{annaRight} + int{benRight}));
    // The fire starts its sound at every frame on the left, once on the right.
    EXPECT_EQ(CountSounds(p, "brennen.wav"), (annaRight ? 0 : 21) + (benRight ? 0 : 1));
    EXPECT_EQ(CountSounds(p, "bumm.wav"), 1);
    EXPECT_EQ(CountSounds(p, "bravo.wav"), 1);
}

// The whole game by mouse: the "2" of the player question, the RETURN box
// that uncovers one word after the other, the "J" and "N" bubbles.
TEST(ComparisonGameTest, ClicksChoosePlayersUncoverAndAnswer) {
    const std::string script =
        "click 50 3\nkey RET\nkey RET\n"
        "gclick 185 110\nwait 3000\ndump shown\ngclick 217 350\nwait 5500\nkey x\n"
        "key ESC\nkey j\nuntil gewonnen\nkey SPACE\n";
    RunOptions o;
    o.appDir = MakeTestAppDir("compare-clicks");
    o.script = script;
    RunResult run = RunExercise(o, [](Trainer& tr) {
        LoadPairs(tr);
        PlayExercise<urmonitor>(tr);
        EXPECT_EQ(tr.players.PlayerCount, 2);
        EXPECT_EQ(tr.players.TaskCount, 1);
    });
    ASSERT_TRUE(run.returned) << run.error;
    EXPECT_EQ(CountSounds(*run.platform, "vergleichfuellen.wav"), 1);
    EXPECT_EQ(CountSounds(*run.platform, "bumm.wav"), 1);
}

// Odd word lists play and end cleanly: the empty line of a folder without
// lists, lines without "-", one line only, very long words.
TEST(ComparisonGameTest, OddListsPlayAndEnd) {
    struct Row {
        const char* name;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"the one empty line", {""}},
        {"no dash", {"Hund", "Katze"}},
        {"one line", {"Hund-Mund"}},
        {"very long words", {std::string(60, 'a') + "-" + std::string(60, 'b')}},
    };
    const std::string script =
        "key 1\nuntil Leertaste\nkey SPACE\nwait 1500\nkey j\nuntil %\nwait 1000\nkey x\n"
        "key SPACE\nwait 1500\nkey n\nuntil %\nwait 1000\nkey x\n"
        "key ESC\nuntil Jetzt schon beenden?\nkey j\nuntil Wann sehen wir uns wieder?\nkey SPACE\n";
    for (const Row& row : rows) {
        RunOptions o;
        o.appDir = MakeTestAppDir("compare-odd");
        o.script = script;
        RunResult run = RunExercise(o, [&](Trainer& tr) {
            int n = 0;
            for (const std::string& line : row.lines)
                tr.t.WordList[static_cast<size_t>(++n)] = line;
            tr.t.WordCount = n;
            PlayExercise<urmonitor>(tr);
        });
        EXPECT_TRUE(run.returned) << row.name << ": " << run.error;
    }
}

// ESC asks first: "n" goes on with the game, "j" ends it; and a task starts
// by itself when nobody acts.
TEST(ComparisonGameTest, EscIsConfirmedAndTasksStartByThemselves) {
    RunOptions o;
    o.appDir = MakeTestAppDir("compare-esc");
    o.script =
        "key 1\nuntil Leertaste\nkey ESC\nuntil Jetzt schon beenden?\ndump asked\nkey n\nwait 500\n"
        "dump refused\nwait 30000\ndump idle\nkey ESC\nuntil Jetzt schon beenden?\nkey j\n";
    bool stillPlaying = false;
    RunResult run = RunExercise(o, [&](Trainer& tr) {
        LoadPairs(tr);
        PlayExercise<urmonitor>(tr);
        stillPlaying = tr.d.screen.GraphMode;
    });
    ASSERT_TRUE(run.returned) << run.error;
    EXPECT_FALSE(stillPlaying);
    const auto asked = test::DumpTexts(run.dumps["asked"]);
    EXPECT_TRUE(std::any_of(asked.begin(), asked.end(), [](const std::string& t) {
        return t.find("Jetzt schon beenden?") != std::string::npos;
    }));
    EXPECT_EQ(run.dumps["refused"].substr(0, 14), "mode: graphics") << "n goes on with the game";
    EXPECT_GE(CountSounds(*run.platform, "vergleichfuellen.wav"), 1)
        << "a task was shown although nobody pressed a key";
}

}  // namespace
}  // namespace qs::test
