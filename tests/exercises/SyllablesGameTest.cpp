// Whole games of "Silben ordnen" and "Zerlegen" on the headless screen: a
// fixed seed, the virtual clock and a script of keys and clicks; the screen
// texts, the sounds, the points, the results and the protocol lines are
// checked afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "exercises/syllables/Syllables.h"
#include "screen/graph/Graph.h"
#include "support/DumpReading.h"
#include "support/PngFile.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

using Lines = std::vector<std::string>;

void LoadLines(Trainer& tr, const Lines& lines) {
    int n = 0;
    for (const std::string& line : lines) {
        if (n >= kWordListSize) break;
        tr.t.WordList[static_cast<size_t>(++n)] = line;
    }
    tr.t.WordCount = n;
}

int CountSounds(const HeadlessPlatform& p, const std::string& file) {
    const auto& log = p.SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PlayedSound& s) {
        return s.path.size() >= file.size() &&
               s.path.compare(s.path.size() - file.size(), file.size(), file) == 0;
    }));
}

bool HasText(const std::string& dump, const std::string& text) {
    const auto texts = DumpTexts(dump);
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(text) != std::string::npos; });
}

bool Protocolled(const TrainerState& t, const std::string& line) {
    return std::find(t.ProtocolLines.begin(), t.ProtocolLines.end(), line) !=
           t.ProtocolLines.end();
}

std::string ProtocolDump(const TrainerState& t) {
    std::string out;
    for (int i = 1; i <= t.ProtocolCount + 1; ++i)
        out += "[" + t.ProtocolLines[static_cast<size_t>(i)] + "]\n";
    return out;
}

// One game of the program with the lines and the options set, played
// through the script.
struct Game {
    FileProgram program = FileProgram::SilbenOrdnen;
    Lines lines;
    std::function<void(Options&)> options;
    std::string script;
    uint32_t seed = 5;
};

RunResult Play(const Game& g, const std::string& name) {
    RunOptions o;
    o.appDir = MakeTestAppDir("syllables-" + name);
    o.script = g.script;
    o.seed = g.seed;
    return RunExercise(o, [&](Trainer& tr) {
        tr.t.ProgramNo = static_cast<int>(g.program);
        tr.t.opt.OptMaus = 0;
        tr.t.opt.OptWortwahl = 1;
        tr.t.CurrentLine = 1;
        if (g.options) g.options(tr.t.opt);
        LoadLines(tr, g.lines);
        PlayExercise<silbenmonitor>(tr);
    });
}

// One player: a right word, then a wrong one mended with backspaces; ESC
// ends the game with the farewell after two words.
TEST(SyllablesGameTest, OnePlayerTypesTheWordsInOrder) {
    Game g;
    g.lines = {"der Gar-ten", "Ap-fel", "die Bir-ne"};
    g.options = [](Options& o) { o.OptArtikel = true; };
    g.script =
        "key 1\nwait 1000\ndump task1\ntype Garten\nkey RET\nuntil Okay\ndump done1\nkey x\n"
        "wait 1000\ntype Apxel\nkey RET\nwait 300\nkey BS\nkey BS\nkey BS\ntype fel\n"
        "key RET\nuntil nein\ndump done2\nkey x\nwait 1000\n"
        "key ESC\nuntil Jetzt schon beenden?\nkey j\nuntil \"Okay, das war es.\"\ndump end\nkey x\n";
    RunResult run = Play(g, "one");
    ASSERT_TRUE(run.returned) << run.error;
    const TrainerState& t = run.state;

    const std::string& task = run.dumps["task1"];
    EXPECT_EQ(TextAt(task, 20, 100), "der ") << "the article stands in front, apart";
    EXPECT_EQ(TextAt(task, 20, 240), "der ");
    EXPECT_TRUE(HasText(task, "\"Gar\"") && HasText(task, "\"ten\"")) << task;
    EXPECT_EQ(TextAt(run.dumps["done1"], 300, 460), "1");
    EXPECT_EQ(TextAt(run.dumps["done1"], 150, 395), "Okay");
    EXPECT_EQ(TextAt(run.dumps["done2"], 150, 395), "nein");
    EXPECT_EQ(TextAt(run.dumps["end"], 100, 30), "Okay, das war es.");
    EXPECT_EQ(TextAt(run.dumps["end"], 300, 330), "Have a good day.");

    EXPECT_EQ(run.players.TaskCount, 2);
    EXPECT_EQ(t.ResultCount, 2);
    EXPECT_EQ(t.Results[1], 1);
    EXPECT_EQ(t.Results[2], 2 + kMistakeMark);
    EXPECT_TRUE(Protocolled(t, "der Gar-ten=")) << ProtocolDump(t);
    EXPECT_TRUE(Protocolled(t, "Ap-fel/Ap(x)el>fel")) << ProtocolDump(t);

    const HeadlessPlatform& p = *run.platform;
    EXPECT_EQ(CountSounds(p, "schwellen.wav"), 2);
    EXPECT_EQ(CountSounds(p, "Fehlerton.wav"), 1);
    EXPECT_EQ(CountSounds(p, "wegmachen.wav"), 3);
    EXPECT_EQ(CountSounds(p, "tippton.wav"), 14);
}

// Two players take turns; only words without mistakes count, and the one
// with more of them wins. Nothing goes into the protocol.
TEST(SyllablesGameTest, TwoPlayersCountWordsWithoutMistakes) {
    Game g;
    g.program = FileProgram::Zerlegen;
    g.lines = {"Ma-ma", "Gar-ten", "Ap-fel", "Bir-ne"};
    auto word = [](const std::string& typed, const std::string& name) {
        return "wait 1000\ndump " + name + "\ntype " + typed + "\nkey RET\nuntil Okay\nkey x\n";
    };
    g.script = "key 2\ntype anna\nkey RET\ntype ben\nkey RET\n" + word("Ma-ma", "anna1") +
               "wait 1000\ntype Gart-ten\nkey RET\nuntil nein\nkey x\n" + word("Ap-fel", "anna2") +
               word("Bir-ne", "ben2") +
               "wait 1000\nkey ESC\nuntil Jetzt schon beenden?\nkey j\nuntil gewonnen\ndump end\n"
               "key x\n";
    RunResult run = Play(g, "two");
    ASSERT_TRUE(run.returned) << run.error;
    EXPECT_EQ(run.players.TaskCount, 2) << "Anna's words";
    EXPECT_EQ(run.state.ResultCount, 4);
    EXPECT_EQ(run.state.Results[2], 2 + kMistakeMark) << "Ben's refused t";
    for (const std::string& line : run.state.ProtocolLines)
        EXPECT_EQ(line.find("Ma-ma"), std::string::npos) << line;
    EXPECT_EQ(TextAt(run.dumps["end"], 40, 180), "Anna hat gewonnen!");
    EXPECT_TRUE(HasText(run.dumps["anna1"], "text 63 330 9 \"Anna\"")) << run.dumps["anna1"];
    EXPECT_TRUE(HasText(run.dumps["anna1"], "text 510 330 7 \"Ben\""));
    EXPECT_TRUE(HasText(run.dumps["ben2"], "text 510 330 9 \"Ben\""));
    EXPECT_EQ(TextAt(run.dumps["ben2"], 86, 350), "2");
    EXPECT_EQ(TextAt(run.dumps["ben2"], 546, 350), "0");
    EXPECT_EQ(CountSounds(*run.platform, "schwellen.wav"), 4);
    EXPECT_EQ(CountSounds(*run.platform, "Fehlerton.wav"), 1);
}

}  // namespace
}  // namespace qs::test
