// The repeat list of "Silben ordnen": a word with a mistake comes again
// after the next new word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exercises/syllables/Syllables.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

// One player, the words in order: with " bei Fehler " the word typed with a
// mistake comes again after the next new word, and the order goes on where
// it left off; with " nicht " it does not come again.
TEST(SyllablesRepeatTest, AWordWithAMistakeComesAgainAfterTheNextOne) {
    struct Row {
        const char* name;
        int repeat;                       // OptWiederhole
        std::vector<std::string> played;  // the lines of the words, in the order they come
    };
    const Row rows[] = {
        {"bei Fehler", 1, {"Ma-ma", "Ap-fel", "Ma-ma", "Bir-ne"}},
        {"nicht", 0, {"Ma-ma", "Ap-fel", "Bir-ne", "Ho-se"}},
    };
    auto typed = [](std::string line) {
        std::erase(line, '-');
        return line;
    };
    for (const Row& row : rows) {
        RunOptions o;
        o.appDir = MakeTestAppDir("syllables-repeat");
        // The first word with a mistake, mended; the others right.
        std::string script =
            "key 1\nwait 1000\ntype Max\nkey RET\nwait 300\nkey BS\ntype ma\n"
            "key RET\nuntil nein\nkey x\n";
        for (size_t i = 1; i < row.played.size(); ++i)
            script += "wait 1000\ntype " + typed(row.played[i]) + "\nkey RET\nuntil Okay\nkey x\n";
        o.script = script +
                   "wait 1000\nkey ESC\nuntil Jetzt schon beenden?\nkey j\n"
                   "until \"Okay, das war es.\"\nkey x\n";
        RunResult run = RunExercise(o, [&](Trainer& tr) {
            tr.t.ProgramNo = static_cast<int>(FileProgram::SilbenOrdnen);
            tr.t.opt.OptMaus = 0;
            tr.t.opt.OptWortwahl = 1;
            tr.t.opt.OptWiederhole = row.repeat;
            tr.t.CurrentLine = 1;
            const char* const lines[] = {"Ma-ma", "Ap-fel", "Bir-ne", "Ho-se", "Ro-se"};
            tr.t.WordCount = 0;
            for (const char* line : lines)
                tr.t.WordList[static_cast<size_t>(++tr.t.WordCount)] = line;
            PlayExercise<silbenmonitor>(tr);
        });
        ASSERT_TRUE(run.returned) << row.name << ": " << run.error;
        for (size_t i = 0; i < row.played.size(); ++i) {
            const std::string want = row.played[i] + (i == 0 ? "/" : "=");
            const std::string& line = run.state.ProtocolLines[i + 3];
            EXPECT_EQ(line.rfind(want, 0), 0u) << row.name << ", word " << i + 1 << ": " << line;
        }
        EXPECT_EQ(run.state.ResultCount, 4) << row.name;
    }
}

}  // namespace
}  // namespace qs::test
