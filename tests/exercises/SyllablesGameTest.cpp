// Whole games of "Silben ordnen" and "Zerlegen" on the headless screen: a
// fixed seed, the virtual clock and a script of keys and clicks; the screen
// texts, the sounds, the points, the results and the protocol lines are
// checked afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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
    return std::find(t.ProtocolLines.begin(), t.ProtocolLines.end(), line) != t.ProtocolLines.end();
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
        "key ESC\nuntil Jetzt schon beenden?\nkey j\nuntil \"Okay, das war es.\"\ndump end\nkey "
        "x\n";
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

// The x of the graphics text of the dump that is exactly text (the first,
// or the one after skip others).
int TextX(const std::string& dump, const std::string& text, int skip = 0) {
    for (const std::string& t : DumpTexts(dump)) {
        int x = 0, y = 0, c = 0;
        char shown[64] = {};
        if (std::sscanf(t.c_str(), "text %d %d %d \"%63[^\"]\"", &x, &y, &c, shown) == 4 &&
            text == shown && skip-- == 0)
            return x;
    }
    return -1;
}

// Where the syllables of the first word stand: a run up to the first task.
std::string FirstTask(Game g) {
    g.script = "key 1\nwait 1000\ndump task\nkey ESC\nkey j\n";
    RunResult run = Play(g, "probe");
    return run.dumps["task"];
}

// The upper band at 1280 x 960 shows nothing but its navy.
bool UpperBandEmpty(const RunResult& run, const std::string& dump) {
    const auto png = ReadPng(run.outDir + "/" + dump + ".png");
    if (!png) return false;
    const Rgb navy = png->Pixel(5, 250);
    for (int y = 170; y < 330; y += 3)
        for (int x = 0; x < 1280; x += 3)
            if (png->Pixel(x, y) != navy) return false;
    return true;
}

TEST(SyllablesGameTest, WordsAnsweredEachWay) {
    Game ordering;
    ordering.options = [](Options& o) { o.OptMaus = 2; };
    ordering.lines = {"Ma-ma", "Ma-ma", "Ma-ma"};
    const int ma = TextX(FirstTask(ordering), "Ma");
    ordering.lines = {"la-la", "la-la", "la-la"};
    const int la = TextX(FirstTask(ordering), "la", 1);

    Game splitting;
    splitting.program = FileProgram::Zerlegen;
    splitting.options = [](Options& o) { o.OptMaus = 2; };
    splitting.lines = {"Gar-ten", "Gar-ten", "Gar-ten"};
    const int ten = TextX(FirstTask(splitting), "ten");
    ASSERT_GT(ma, 20);
    ASSERT_GT(la, 20);
    ASSERT_GT(ten, 20);
    auto at = [](const char* what, int x) {
        const std::string p = std::to_string(x) + " 120\n";
        return std::string(what) + " " + p;
    };

    struct Row {
        const char* name;
        Game game;
        std::string script;  // after the player question, up to the reward
        bool mistakes;
        std::function<bool(const std::string&)> protocol;
        std::function<void(const RunResult&)> check;
    };
    auto is = [](std::string want) {
        return [want](const std::string& got) { return got == want; };
    };
    Game garten;
    garten.program = FileProgram::Zerlegen;
    garten.lines = {"der Gar-ten", "der Gar-ten", "der Gar-ten"};
    garten.options = [](Options& o) { o.OptArtikel = true; };

    Game count = garten;
    count.lines = {"a-b-c-d-e-f-g-h-i-j", "a-b", "c-d"};
    count.options = [](Options& o) { o.OptZerlegenArt = 1; };

    Game remember = garten;
    remember.options = [](Options& o) { o.OptZerlegen = 1; };

    Game mama = ordering;
    mama.lines = {"Ma-ma", "Ma-ma", "Ma-ma"};
    Game lala = ordering;
    lala.lines = {"la-la", "la-la", "la-la"};

    const Row rows[] = {
        {"der Gar-ten: RETURN types the first syllable and its hyphen", garten,
         "key RET\ntype ten\nkey RET\n", false, is("der Gar-ten/>Gar<-ten"), nullptr},
        {"Ma-ma: the pieces in order, after a wrong one", mama,
         "gclick 25 120\nwait 300\ngclick " + std::to_string(ma + 5) +
             " 120\nwait 300\ngclick 25 120\n",
         true, is("Ma-ma/(ma)Mama"), nullptr},
        {"la-la: either piece first", lala,
         "gclick " + std::to_string(la + 5) + " 120\nwait 300\ngclick 25 120\n", false,
         is("la-la="), nullptr},
        {"+ Zahl: ten syllables are typed digit by digit", count,
         "key 1\nkey a\nkey 0\nwait 500\ndump count\ntype a-b-c-d-e-f-g-h-i-j\nkey RET\n", false,
         is("a-b-c-d-e-f-g-h-i-j="),
         [](const RunResult& run) {
             EXPECT_EQ(TextAt(run.dumps.at("count"), 400, 19), "10");
             EXPECT_EQ(TextAt(run.dumps.at("count"), 216, 19), "Silbenanzahl:");
         }},
        {"mouse splitting: held on a wrong gap, then past the last character", splitting,
         at("move", ten + 150) + "wait 100\n" + at("down", ten + 150) + "wait 100\n" +
             at("up", ten + 150) + at("move", ten - 2) + "wait 100\n" + at("down", ten - 2) +
             "wait 100\n" + at("up", ten - 2) + at("move", ten + 150) + "wait 100\n" +
             at("down", ten + 150) + "wait 50\n" + at("up", ten + 150),
         true,
         [](const std::string& got) {
             return got.rfind("Gar-ten/(Garten)(Garten)", 0) == 0 &&
                    got.substr(got.size() - 7) == "Gar-ten";
         },
         nullptr},
        {"erinnern: the word goes at the first key and comes back at the end", remember,
         "dump shown\nkey x\nwait 300\ndump hidden\ntype Gar-ten\nkey RET\nwait 300\ndump solved\n",
         false, is("der Gar-ten="),
         [](const RunResult& run) {
             EXPECT_FALSE(UpperBandEmpty(run, "shown"));
             EXPECT_TRUE(UpperBandEmpty(run, "hidden"));
             EXPECT_EQ(TextAt(run.dumps.at("solved"), 10, 100), "Gar-ten");
         }},
    };
    for (const Row& row : rows) {
        Game g = row.game;
        g.script = "key 1\nwait 1000\n" + row.script +
                   (row.mistakes ? "until nein" : "until Okay") +
                   "\nkey x\nwait 500\nkey ESC\nkey j\n";
        RunResult run = Play(g, "row");
        ASSERT_TRUE(run.returned) << row.name << ": " << run.error
                                  << "; protocol: " << run.state.ProtocolLines[3];
        const std::string& line = run.state.ProtocolLines[3];
        EXPECT_TRUE(row.protocol(line)) << row.name << ": " << line;
        if (row.check) row.check(run);
    }
}

// Lists the games cannot use, or only in part, play and end within
// bounded time: a message where no word fits, otherwise the words that do.
TEST(SyllablesGameTest, BadListsEndCleanly) {
    std::vector<std::string> many;
    for (int i = 0; i < 300; ++i) many.push_back("Wort-" + std::to_string(i));
    struct Row {
        const char* name;
        Lines lines;
        bool random;
        const char* message;  // shown after the player question, or ""
    };
    const char* const tooShort = "Die Liste hat zu wenige W\x94rter.";
    const char* const noWord = "Wort erf\x81llt nicht die Bedingungen.";
    const Row rows[] = {
        {"an empty list", {}, false, tooShort},
        {"the one empty line", {""}, false, tooShort},
        {"one line", {"Gar-ten"}, false, tooShort},
        {"no separators, in order", {"Hund", "Katze", "Maus"}, false, noWord},
        {"no separators, at random", {"Hund", "Katze", "Maus"}, true, noWord},
        {"a word of 200 letters", Lines(3, std::string(100, 'a') + "-" + std::string(100, 'b')),
         false, ""},
        {"blanks and control bytes", {"     ", "\x01\x02-\x1b", "\t-\r"}, true, ""},
        {"300 lines", many, true, ""},
        {"separators doubled and at the ends", {"--Gar--ten--", "-a-", "b--c"}, false, ""},
        {"umlauts and \xe1 everywhere", Lines(3, "\x84\x94-\x81\xe1\x84-\x8e\x99\x9a\xe1"), false,
         ""},
    };
    const std::string script =
        "key 1\nwait 2000\ndump after\ntype ab-\nkey RET\nkey RET\nwait 500\ngclick 25 120\n"
        "wait 300\nkey ESC\nwait 300\nkey j\nwait 300\nkey x\n";
    for (const bool mouse : {false, true}) {
        for (const Row& row : rows) {
            for (const FileProgram program : {FileProgram::SilbenOrdnen, FileProgram::Zerlegen}) {
                Game g;
                g.program = program;
                g.lines = row.lines;
                g.options = [&](Options& o) {
                    o.OptWortwahl = row.random ? 0 : 1;
                    o.OptMaus = mouse ? 2 : 0;
                };
                g.script = script;
                RunResult run = Play(g, "bad");
                const std::string name = std::string(row.name) + (mouse ? ", mouse" : "") +
                                         (program == FileProgram::Zerlegen ? ", Zerlegen" : "");
                EXPECT_TRUE(run.returned) << name << ": " << run.error;
                EXPECT_FALSE(run.screen.rfind("mode: graphics", 0) == 0) << name;
                if (*row.message != '\0') {
                    EXPECT_TRUE(HasText(run.dumps["after"], ShownUtf8(row.message))) << name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace qs::test
