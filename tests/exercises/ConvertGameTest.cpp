// Whole games of Umwandeln and Reparieren on the headless screen: a fixed
// seed, the virtual clock and a script of keys; the screen texts at fixed
// points, the sounds, the scores, the results table and the protocol.
#include <gtest/gtest.h>

#include <algorithm>

#include "exercises/convert/Convert.h"
#include "screen/graph/Graph.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

void LoadList(Trainer& tr, const std::vector<std::string>& lines) {
    int n = 0;
    for (const std::string& line : lines) tr.t.WordList[static_cast<size_t>(++n)] = line;
    tr.t.WordCount = n;
}

// A game as the menu starts it: the file program, the word file, the
// direction reset, the word order from the first word line.
void StartAs(Trainer& tr, FileProgram program, const std::vector<std::string>& lines) {
    LoadList(tr, lines);
    tr.t.ProgramNo = No(program);
    tr.t.WordFilePath =
        tr.t.ProgramDir + "LS1DAT\\Test." + (program == FileProgram::Umwandeln ? "UWT" : "RWT");
    tr.t.UmwandelnDirection = 1;
    tr.t.opt.OptWortwahl = 1;
    tr.t.CurrentLine = 3;
}

int CountSounds(const HeadlessPlatform& p, const std::string& file) {
    const auto& log = p.SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PlayedSound& s) {
        return s.path.size() >= file.size() &&
               s.path.compare(s.path.size() - file.size(), file.size(), file) == 0;
    }));
}

bool Shows(const std::string& dump, const std::string& utf8) {
    const auto texts = DumpTexts(dump);
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(utf8) != std::string::npos; });
}

const std::vector<std::string> kBakers = {"Bilde das Verb.", "zum Nomen",
                                          "der B\x84"
                                          "cker-backen",
                                          "der Maler-malen", "der Koch-kochen"};

// One child: a word typed straight, a wrong letter taken back, a free first
// letter with RETURN; the word with the mistake comes again; ESC answered
// "n" goes on, "j" ends with the summary.
TEST(ConvertGameTest, OnePlayerConvertsWordsAndGetsTheSummary) {
    RunOptions o;
    o.appDir = MakeTestAppDir("convert-one");
    o.seed = 5;
    o.script =
        "key 1\nwait 500\ndump task1\ntype backen\nwait 300\ndump solved1\nkey SPACE\n"
        "wait 300\ntype mx\nwait 300\ndump wrong2\nkey BS\ntype alen\nkey SPACE\n"
        "wait 300\nkey RET\ntype ochen\nkey SPACE\n"
        "wait 300\ndump task4\nkey ESC\nuntil Jetzt schon beenden?\nkey n\nwait 300\n"
        "dump goesOn\nkey ESC\nuntil Jetzt schon beenden?\nkey j\nuntil Aufgaben.\ndump end\n"
        "key SPACE\n";
    RunResult run = RunExercise(o, [](Trainer& tr) {
        StartAs(tr, FileProgram::Umwandeln, kBakers);
        tr.t.opt.OptArtikel = false;
        tr.t.opt.OptWiederhole = 1;
        PlayExercise<umwandmonitor>(tr);
        EXPECT_EQ(tr.players.TaskCount, 3) << "the task ended by ESC is not counted";
        EXPECT_EQ(tr.t.LastKey, 27);
        EXPECT_FALSE(tr.d.screen.GraphMode);
        EXPECT_EQ(tr.players.PlayerName1, "");
    });
    ASSERT_TRUE(run.returned) << run.error;
    const TrainerState& t = run.state;

    EXPECT_TRUE(Shows(run.dumps["task1"], "\"der Bäcker\"")) << run.dumps["task1"];
    EXPECT_TRUE(Shows(run.dumps["task1"], "Bilde das Verb."));
    EXPECT_TRUE(Shows(run.dumps["task1"], "zum Nomen"));
    EXPECT_FALSE(Shows(run.dumps["task1"], "wechseln mit F5")) << "the rule has no \"!\"";
    EXPECT_TRUE(Shows(run.dumps["task4"], "\"der Maler\"")) << "the word with the mistake again";
    EXPECT_EQ(run.dumps["goesOn"].substr(0, 14), "mode: graphics");
    EXPECT_TRUE(Shows(run.dumps["end"], "\"3 Aufgaben.\""));
    EXPECT_TRUE(Shows(run.dumps["end"], "\"2 davon richtig.\""));
    EXPECT_TRUE(Shows(run.dumps["end"], "\"So isses !\""));

    ASSERT_EQ(t.ResultCount, 3);
    EXPECT_EQ(t.Results[1], 3);
    EXPECT_EQ(t.Results[2], 1004);
    EXPECT_EQ(t.Results[3], 5) << "a free first letter is no mistake";
    ASSERT_EQ(t.ProtocolCount, 5);
    EXPECT_EQ(t.ProtocolLines[2].substr(0, 36), "-Umwandeln-: Bilde das Verb. zum Nom");
    EXPECT_EQ(t.ProtocolLines[3],
              "der B\x84"
              "cker-backen=");
    EXPECT_EQ(t.ProtocolLines[4], "der Maler-malen/m(x)alen");
    EXPECT_EQ(t.ProtocolLines[5], "der Koch-kochen/>ochen");

    EXPECT_EQ(CountSounds(*run.platform, "tippton.wav"), 18);
    EXPECT_EQ(CountSounds(*run.platform, "zerlegen.wav"), 1);
}

// Two children take turns repairing words, typing the articles: both faces
// stand, the scores are shown after each word, and the winner is praised.
TEST(ConvertGameTest, TwoPlayersRepairWordsInTurn) {
    RunOptions o;
    o.appDir = MakeTestAppDir("convert-two");
    o.seed = 9;
    o.script =
        "key 2\ntype anna\nkey RET\ntype ben\nkey RET\nwait 500\ndump anna\n"
        "type die Liebe\nwait 300\ndump annaDone\nkey SPACE\nwait 300\ndump ben\n"
        "type der R\nkey RET\nwait 300\ndump hint\ntype egen\nwait 300\ndump benDone\nkey SPACE\n"
        "wait 300\nkey ESC\nuntil Jetzt schon beenden?\nkey j\nuntil Gold dem Gewinner.\n"
        "dump end\nkey SPACE\n";
    RunResult run = RunExercise(o, [](Trainer& tr) {
        StartAs(tr, FileProgram::Reparieren,
                {"Aus -a -e -ie", "wird -x", "die Liebe", "der Regen", "die Katze"});
        tr.t.opt.OptArtikel = true;
        tr.t.opt.OptWiederhole = 1;
        PlayExercise<umwandmonitor>(tr);
        EXPECT_EQ(tr.players.PlayerCount, 2);
        EXPECT_EQ(tr.players.RepeatCount, 0) << "two players never repeat words";
    });
    ASSERT_TRUE(run.returned) << run.error;
    const std::string& anna = run.dumps["anna"];
    EXPECT_TRUE(Shows(anna, "\"Lxxbx\""));
    EXPECT_EQ(TextAt(anna, 10, 20), "Aus ");
    EXPECT_FALSE(Shows(anna, "\" \"")) << "no blank before the commas";
    EXPECT_EQ(TextAt(anna, 10, 196), "wird x");
    EXPECT_EQ(TextAt(anna, 120, 366), "Bitte erst den Artikel eingeben!");
    EXPECT_EQ(TextAt(anna, 50, 366), "Anna");
    EXPECT_EQ(TextAt(run.dumps["annaDone"], 160, 460), "1");
    EXPECT_EQ(TextAt(run.dumps["annaDone"], 460, 460), "0");
    EXPECT_TRUE(Shows(run.dumps["ben"], "\"Rxgxn\""));
    EXPECT_EQ(TextAt(run.dumps["ben"], 510, 366), "Ben");
    EXPECT_EQ(TextAt(run.dumps["ben"], 160, 366), "Bitte erst den Artikel eingeben!");
    EXPECT_TRUE(Shows(run.dumps["hint"], "\"der Re\"")) << run.dumps["hint"];
    EXPECT_EQ(TextAt(run.dumps["benDone"], 460, 460), "0") << "help costs the point";
    EXPECT_TRUE(Shows(run.dumps["end"], "\"Dank an den Verlierer.\""));

    const TrainerState& t = run.state;
    ASSERT_EQ(t.ResultCount, 2);
    EXPECT_EQ(t.Results[1], 3);
    EXPECT_EQ(t.Results[2], 1004);
    EXPECT_EQ(t.ProtocolCount, 2) << "with two players no word lines";
    EXPECT_EQ(t.ProtocolLines[2].substr(0, 42), "-W\x94rter reparieren-: Aus -a -e -ie wird -x");
}

// F5 turns the direction only in Umwandeln with "!" in the rule; the new
// direction asks for the first form, with its article.
TEST(ConvertGameTest, F5TurnsTheDirectionOnlyWhenTheRuleAllowsIt) {
    struct Row {
        const char* what;
        FileProgram program;
        std::vector<std::string> lines;
        int direction;
    };
    const std::vector<std::string> reversible = {"!Bilde das Verb.", "zum Nomen",
                                                 "der B\x84"
                                                 "cker-backen",
                                                 "der Maler-malen", "der Koch-kochen"};
    const Row rows[] = {
        {"with the mark", FileProgram::Umwandeln, reversible, 2},
        {"without the mark", FileProgram::Umwandeln, kBakers, 1},
        {"in Reparieren",
         FileProgram::Reparieren,
         {"!Aus -a -e", "wird -x", "die Liebe", "der Regen", "die Katze"},
         1},
    };
    for (const Row& row : rows) {
        RunOptions o;
        o.appDir = MakeTestAppDir("convert-f5");
        o.script =
            "key 1\nwait 300\nkey F5\nwait 300\ndump f5\nkey ESC\nuntil Jetzt schon beenden?\n"
            "key j\n";
        if (row.direction == 2)
            o.script =
                "key 1\nwait 300\nkey F5\nwait 300\ndump f5\ntype backen\nkey SPACE\n"
                "wait 300\ndump reversed\ntype der Maler\nkey SPACE\nwait 300\nkey ESC\n"
                "key j\nuntil Aufgaben.\nkey SPACE\n";
        int direction = 0;
        RunResult run = RunExercise(o, [&](Trainer& tr) {
            StartAs(tr, row.program, row.lines);
            tr.t.opt.OptArtikel = true;
            PlayExercise<umwandmonitor>(tr);
            direction = tr.t.UmwandelnDirection;
        });
        ASSERT_TRUE(run.returned) << row.what << ": " << run.error;
        EXPECT_EQ(direction, row.direction) << row.what;
        EXPECT_EQ(Shows(run.dumps["f5"], "Umgekehrt umwandeln"), row.direction == 2) << row.what;
        if (row.direction != 2) continue;
        EXPECT_TRUE(Shows(run.dumps["f5"], "wechseln mit F5"));
        const std::string& reversed = run.dumps["reversed"];
        EXPECT_TRUE(Shows(reversed, "\"malen\"")) << reversed;
        EXPECT_EQ(TextAt(reversed, 160, 366), "Bitte erst den Artikel eingeben!");
        EXPECT_EQ(run.state.ResultCount, 2) << "the reversed word was solved";
    }
}

// Lists the games cannot use, or only in part, play or end with a message
// and come back, within bounded time, under a mix of keys.
TEST(ConvertGameTest, BadListsPlayOrEndCleanly) {
    struct Row {
        const char* what;
        std::vector<std::string> lines;
        bool convertPlays;
        bool repairPlays;
    };
    std::vector<std::string> many = {"!Regel", "zweite Regel"};
    for (int i = 0; i < 298; ++i)
        many.push_back("a" + std::to_string(i) + "-b" + std::to_string(i));
    const std::string giant(200, 'e');
    const Row rows[] = {
        {"empty", {}, false, false},
        {"one empty line", {""}, false, false},
        {"one line", {"Regel"}, false, false},
        {"only the rule lines", {"Regel", "wird -x"}, false, false},
        {"no separators", {"Regel", "Regel", "Hund", "Katze", "Maus"}, false, true},
        {"a word of 200 letters",
         {"Aus -e", "wird -x", giant + "-" + giant, "der " + giant + "-die " + giant, "a-" + giant},
         true,
         true},
        {"blanks and control bytes", {"   ", "\x01\x02", "\x1b\x1b", "  ", "\x7f"}, false, false},
        {"300 lines", many, true, true},
        {"separators doubled and at the ends",
         {"--", "__", "-Hund-", "Katze--Maus", "Maus-", "-", "a--b"},
         false,
         true},
        {"umlauts and sharp s",
         {"!\x84\x94\x81 -\x84 -\x94\x81", "wird _\xe1", "\x8e\x84-\x9a\xe1", "\xe1\x81-\x99\x94",
          "\x84\xe1\x84-\x9a\x99\x8e"},
         true,
         true},
    };
    const std::string script =
        "key 1\nwait 2000\ndump start\ntype ab\nkey RET\nkey F5\nkey BS\nkey LEFT\nkey DEL\n"
        "key RET\nwait 500\nkey ESC\nwait 500\nkey j\nwait 500\nkey SPACE\nwait 500\nkey SPACE\n";
    for (FileProgram program : {FileProgram::Umwandeln, FileProgram::Reparieren}) {
        const bool converting = program == FileProgram::Umwandeln;
        for (const Row& row : rows) {
            RunOptions o;
            o.appDir = MakeTestAppDir("convert-bad");
            o.script = script;
            bool graphics = true;
            RunResult run = RunExercise(o, [&](Trainer& tr) {
                StartAs(tr, program, row.lines);
                PlayExercise<umwandmonitor>(tr);
                graphics = tr.d.screen.GraphMode;
            });
            const std::string name =
                std::string(row.what) + (converting ? " (Umwandeln)" : " (Reparieren)");
            ASSERT_TRUE(run.returned) << name << ": " << run.error;
            EXPECT_FALSE(graphics) << name;
            const bool plays = converting ? row.convertPlays : row.repairPlays;
            EXPECT_EQ(Shows(run.dumps["start"], "zu wenige W"), !plays) << name;
        }
    }
}

// Started from the menu with a shipped list, the game leaves nothing of
// itself behind when it ends.
TEST(ConvertGameTest, FromTheMenuAndBackNothingOfTheGameIsLeft) {
    for (const char* key : {"u", "r"}) {
        RunOptions o;
        o.appDir = MakeTestAppDir("convert-menu");
        o.script = std::string("until Text-Editor\nkey ") + key +
                   "\nuntil Anzahl der Dateien\nkey RET\nuntil Anzahl der Spieler\nkey 1\n"
                   "wait 500\ndump game\nkey ESC\nuntil Jetzt schon beenden?\nkey j\n"
                   "until Text-Editor\ndump back\nkey ESC\nkey RET\n";
        RunResult run = RunProgram(o);
        ASSERT_EQ(run.exitCode, 0) << key << ": " << run.error;
        EXPECT_EQ(run.dumps["game"].substr(0, 14), "mode: graphics") << key;
        EXPECT_EQ(run.dumps["back"].substr(0, 10), "mode: text") << key;
        EXPECT_TRUE(DumpTexts(run.dumps["back"]).empty()) << key;
    }
}

}  // namespace
}  // namespace qs::test
