// The work certificate: the question box, the name input of a single
// player, and the printer file of one and of two certificates.
#include <gtest/gtest.h>

#include "print/PrintTestSupport.h"
#include "print/TestPrintServer.h"
#include "screen/Settings.h"
#include "support/WindowRun.h"
#include "trainer/Results.h"
#include "trainer/TitleScreen.h"

namespace qs::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kSize10 = std::string("\x1bW") + '\0';
const std::string kBoldSize12 = std::string("\033E\x1bW") + '\x01';

void Append(Lines& lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

Lines Empty(int n) { return Lines(n, ""); }

// The head of a certificate up to the name line.
Lines Head(const std::string& schoolLine, const std::string& nameLine) {
    Lines l = Empty(2);
    Append(l, {schoolLine + kSize10, kBoldSize12, "", "",
               "             ---------- Arbeitszeugnis ---------", "", "", nameLine + kSize10, ""});
    return l;
}

// The foot from the empty lines that lift the signature block to its place.
Lines Foot(int wordLines, const std::string& place, const std::string& date) {
    Lines l = Empty(3 + 27 - wordLines);
    std::string imprint = ImprintLine();
    while (imprint.back() == ' ') imprint.pop_back();
    Append(l, {"          " + place + ", den " + date, "", "",
               std::string(44, ' ') + std::string(28, '.'), "", "", "", imprint, "\x0c"});
    return l;
}

// A run on the 7th of March 2026 whose keys the script types.
RunOptions Keys(const std::string& script) {
    RunOptions o;
    o.script = script;
    o.today = {2026, 3, 7, 6};
    return o;
}

class CertificateTest : public ::testing::Test {
protected:
    void SetSetting(const char* key, const std::string& value) {
        settings.emplace_back(key, value);
    }

    // Runs PrintCertificate for the results codes on the word list lines.
    void Print(int programNo, std::vector<int> codes, std::vector<std::string> words,
               int players = 1, std::string name1 = "", std::string name2 = "") {
        RunOptions o = Keys(script);
        o.prepare = [&](HeadlessPlatform& p) {
            for (const auto& [key, value] : settings)
                WriteSetting(p.Settings(), "quendelstrand", "", "Zeugnis", key, value);
        };
        run = RunTrainerProc(o, [&](Trainer& tr) {
            tr.t.ProgramNo = programNo;
            for (size_t i = 0; i < words.size(); ++i) tr.t.WordList[i + 1] = words[i];
            tr.t.WordCount = static_cast<int>(words.size());
            for (size_t i = 0; i < codes.size(); ++i) tr.t.Results[i + 1] = codes[i];
            tr.t.ResultCount = static_cast<int>(codes.size());
            tr.players.PlayerCount = players;
            tr.players.PlayerName1 = name1;
            tr.players.PlayerName2 = name2;
            tr.t.LastKey = 'j';
            if (typedAhead) typedAhead(tr.d);
            PrintCertificate(tr);
            lastKey = tr.t.LastKey;
            nameAfter = tr.players.PlayerName1;
        });
    }

    std::string script;  // the keys typed
    std::function<void(Dos&)> typedAhead;
    std::vector<std::pair<std::string, std::string>> settings;
    RunResult run;
    char lastKey = 0;
    std::string nameAfter;
};

TEST_F(CertificateTest, SinglePlayerListsSolvedWordsWithCheckMarksThenTheHardOnes) {
    SetSetting("Schule", "Grundschule am Bach");
    SetSetting("Ort", "L\374beck");  // Windows letters, printed in code page 437
    script = "type jtom\nkey RET\n";
    Print(2, {5, 1007, 2}, {"x", "ver_laufen", "x", "x", "be_kommen", "x", "ent_decken"});
    ASSERT_TRUE(run.returned);

    Lines expected = Head(std::string(30, ' ') + "Grundschule am Bach", "              Name: Tom");
    Append(expected, {"          Programm Quendelstrand    \232bung: Vorsilben", "",
                      "          Mit Erfolg ge\201bt wurden:", "", "           1 bekommen \xfb",
                      "           2 verlaufen \xfb", "", "",
                      "          Folgende W\x94rter wurden als schwer eingestuft:", "", "",
                      "           1 entdecken"});
    Append(expected, Foot(3, "L\201beck", "7.3.2026"));
    EXPECT_EQ(CrLfLines(run.PrinterFile()), expected);
    EXPECT_EQ(run.printer->documents.size(), 1u);
    EXPECT_EQ(lastKey, 27);
    EXPECT_EQ(nameAfter, "Tom");

    // The question box with the name typed and the printing message.
    EXPECT_EQ(DumpCells(run.screen, 10), std::u32string(42, ' ') + U'\u250c' +
                                             std::u32string(29, U'\u2500') + U'\u2510' +
                                             std::u32string(7, ' '));
    EXPECT_EQ(DumpCells(run.screen, 11).substr(42, 31),
              U"\u2502 Zeugnis drucken?  (j oder n)\u2502");
    EXPECT_TRUE(ShowsAt(run.screen, 45, 13, "Name: Tom ")) << run.screen;
    EXPECT_TRUE(ShowsAt(run.screen, 45, 15, "Ich drucke!")) << run.screen;
    EXPECT_EQ(DumpCells(run.screen, 20).substr(42, 31),
              U'\u2514' + std::u32string(29, U'\u2500') + U'\u2518');
}

TEST_F(CertificateTest, TwoPlayersGetOneCertificateEachFromAlternateEntries) {
    script = "type j\n";
    Print(3, {5, 6, 1007, 8},
          {"", "", "", "", "lauf_en_t", "spiel_en", "sing_st", "ab-bei_\341en_zen"}, 2, "Anna",
          "Ben");
    ASSERT_TRUE(run.returned);

    // Without an institution set, the centred line is empty: 39 blanks.
    Lines expected = Head(std::string(39, ' '), "              Name: Anna");
    Append(expected,
           {"          Programm Quendelstrand    \232bung: Endungen", "",
            "          Mit Erfolg ge\201bt wurden:", "", "           1 laufen, lauft \xfb", "", "",
            "          Folgende W\x94rter wurden als schwer eingestuft:", "", "",
            "           1 singst"});
    Append(expected, Foot(2, "", "7.3.2026"));
    Append(expected, Head(std::string(39, ' '), "              Name: Ben"));
    Append(expected, {"          Programm Quendelstrand    \232bung: Endungen", "",
                      "          Mit Erfolg ge\201bt wurden:", "", "           1 spielen \xfb",
                      "           2 ab-bei\341en, ab-beizen \xfb", "", "",
                      "          Es wurden keine Fehler gemacht."});
    Append(expected, Foot(2, "", "7.3.2026"));
    EXPECT_EQ(CrLfLines(run.PrinterFile()), expected);
    EXPECT_EQ(run.printer->documents.size(), 1u);
}

TEST_F(CertificateTest, ManyWordsPushTheSignatureBlockDownAndNumbersKeepTwoPlaces) {
    std::vector<int> codes;
    for (int i = 1; i <= 30; ++i) codes.push_back(i == 12 ? 1012 : i);
    std::vector<std::string> words;
    for (int i = 1; i <= 30; ++i) words.push_back("W" + std::to_string(i));
    script =
        "key RET\n"   // RETURN answers yes
        "key RET\n";  // and keeps the name
    Print(9, codes, words, 1, "Mia");
    ASSERT_TRUE(run.returned);
    const Lines lines = CrLfLines(run.PrinterFile());
    auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    EXPECT_LT(at("           9 W9 \xfb"), at("          10 W10 \xfb"));
    EXPECT_EQ(at("          29 W30 \xfb"), at("          28 W29 \xfb") + 1);
    const auto hard = at("          Folgende Wortkombinationen wurden als schwer eingestuft:");
    EXPECT_EQ(lines.at(hard + 3), "           1 W12");
    // 30 word lines: only the three empty lines stand before the place line.
    EXPECT_EQ(lines.at(hard + 4), "");
    EXPECT_EQ(lines.at(hard + 7), "          , den 7.3.2026");
}

TEST_F(CertificateTest, NameInputAndAnswers) {
    const struct {
        const char* name;
        const char* before;  // PlayerName1 when the box opens
        const char* keys;    // the script
        bool prints;
        const char* after;  // PlayerName1 afterwards
    } cases[] = {
        {"lower-case first letter becomes upper case", "", "type jlena\nkey RET\n", true, "Lena"},
        {"at most ten letters", "", "type jAbcdefghijk\nkey RET\n", true, "Abcdefghij"},
        {"backspace to empty capitalises again", "Bo",
         "type j\nkey BS\nkey BS\nkey BS\ntype ute\nkey RET\n", true, "Ute"},
        {"German letters are kept, digits and signs are not", "",
         "type j\u00fcber1-\u00df\u00c4\nkey RET\n", true, "\201ber\xe1\x8e"},
        {"arrow keys are not letters", "Al",
         "type j\n"
         "key LEFT\n"  // the scan code of Left is 'K'
         "key DOWN\n"  // and of Down 'P'
         "type i\nkey RET\n",
         true, "Ali"},
        {"ESC in the name input prints nothing", "", "type jmax\nkey ESC\n", false, "Max"},
        {"n prints nothing", "Jo", "type xn\n", false, "Jo"},
        {"F1 is ESC", "Jo", "key F1\n", false, "Jo"},
        {"F1 is ESC in the name input too", "Jo", "type j\nkey F1\n", false, "Jo"},
    };
    for (const auto& c : cases) {
        std::string after;
        char lastKey = 0;
        const RunResult r = RunTrainerProc(Keys(c.keys), [&](Trainer& tr) {
            tr.t.ProgramNo = 2;
            tr.t.WordList[1] = "be_kommen";
            tr.t.Results = {0, 1, 1, 1};
            tr.t.ResultCount = 3;
            tr.players.PlayerName1 = c.before;
            PrintCertificate(tr);
            after = tr.players.PlayerName1;
            lastKey = tr.t.LastKey;
        });
        ASSERT_TRUE(r.returned) << c.name << ": still waiting for a key";
        EXPECT_EQ(after, c.after) << c.name;
        EXPECT_EQ(lastKey, 27) << c.name;
        EXPECT_EQ(r.printer->documents.size(), c.prints ? 1u : 0u) << c.name;
        EXPECT_EQ(!r.PrinterFile().empty(), c.prints) << c.name;
        if (c.prints) {
            EXPECT_NE(r.PrinterFile().find(std::string("              Name: ") + c.after + kSize10),
                      std::string::npos)
                << c.name;
        }
    }
}

TEST_F(CertificateTest, EscWhileTheFirstCertificateIsWrittenSkipsTheSecond) {
    // ESC typed ahead is waiting when the first certificate is done. A script
    // hands on a key only once the one before is taken, so the keys are
    // queued before the question instead: "j", then ESC.
    typedAhead = [](Dos& d) {
        auto post = [&](Event::Type type, Key key, const char* text) {
            Event e;
            e.type = type;
            e.key = key;
            e.text = text;
            d.platform.PostEvent(e);
        };
        post(Event::Type::KeyDown, Key::Other, "");
        post(Event::Type::Text, Key::Unknown, "j");
        post(Event::Type::KeyDown, Key::Escape, "");
        post(Event::Type::KeyUp, Key::Escape, "");
    };
    Print(2, {1, 1}, {"be_kommen"}, 2, "Anna", "Ben");
    ASSERT_TRUE(run.returned);
    const std::string file = run.PrinterFile();
    EXPECT_NE(file.find("Name: Anna"), std::string::npos);
    EXPECT_EQ(file.find("Name: Ben"), std::string::npos);
    EXPECT_EQ(run.printer->documents.size(), 1u);
}

TEST_F(CertificateTest, PrinterFileThatCannotBeMadeSaysThePrinterIsNotReady) {
    run = RunTrainerProc(Keys("type j\nkey RET\n"), [](Trainer& tr) {
        tr.t.ProgramDir += "fehlt/";
        tr.t.ProgramNo = 2;
        tr.t.ResultCount = 3;
        PrintCertificate(tr);
    });
    ASSERT_TRUE(run.returned);
    EXPECT_TRUE(ShowsAt(run.screen, 45, 15, "Drucker nicht bereit!")) << run.screen;
    EXPECT_TRUE(run.printer->documents.empty());
}

// The printouts through the test print server: what arrives in its PDF queue
// reads as the certificate and the protocol the trainer wrote.
class PrintedOnTheQueue : public test::TestPrintServer {
protected:
    // Runs body with a trainer that prints on the server; once its job has
    // arrived in the queue as one page, the text of the printed document.
    std::string PrintedText(const std::string& keys, const std::function<void(Trainer&)>& body) {
        TempDir fallback;
        RunOptions o = Keys(keys);
        o.printSystem = [&] { return ServerSpooler(fallback.Path()); };
        o.prepare = [](HeadlessPlatform& p) {
            WriteSetting(p.Settings(), "quendelstrand", "", "Zeugnis", "Ort", "L\374beck");
        };
        const RunResult run = RunTrainerProc(o, body);
        EXPECT_TRUE(run.returned);
        const RecordingPrinter& sent = *run.printer;
        if (sent.outcomes.empty() || sent.outcomes.back().kind != PrintOutcome::Kind::Printed) {
            ADD_FAILURE() << "not printed: "
                          << (sent.outcomes.empty() ? "nothing" : sent.outcomes.back().detail);
            return "";
        }
        const std::string arrived = WaitForJobFile(JobOf(sent.outcomes.back()));
        if (arrived.empty()) {
            ADD_FAILURE() << "the job did not arrive in " << env_["QS_CUPS_PDF_DIR"];
            return "";
        }
        EXPECT_EQ(test::PdfPages(arrived), 1) << arrived;
        // The queue draws the letters as outlines; the text is read from the
        // document the trainer sent.
        TempDir own;
        const std::string ownPdf = own.Write("sent.pdf", sent.documents.at(0));
        return test::RunCommand("pdftotext -layout '" + ownPdf + "' -").value_or("");
    }
};

TEST_F(PrintedOnTheQueue, Certificate) {
    REQUIRE_POPPLER();
    const std::string text = PrintedText("type jtom\nkey RET\n", [](Trainer& tr) {
        tr.t.ProgramNo = 2;
        tr.t.WordList[2] = "ver_laufen";
        tr.t.WordList[5] = "be_kommen";
        tr.t.WordList[7] = "ent_decken";
        tr.t.Results = {0, 5, 1007, 2};
        tr.t.ResultCount = 3;
        PrintCertificate(tr);
    });
    for (const char* wanted :
         {"---------- Arbeitszeugnis ---------", "Name: Tom", "\u00dcbung: Vorsilben",
          "Mit Erfolg ge\u00fcbt wurden:", " 1 bekommen \u2713", " 2 verlaufen \u2713",
          "als schwer eingestuft:", " 1 entdecken", "L\u00fcbeck, den 7.3.2026",
          "Quendelstrand-Lernwerkstatt"}) {
        EXPECT_NE(text.find(wanted), std::string::npos) << wanted << " in\n" << text;
    }
}

TEST_F(PrintedOnTheQueue, TeacherProtocol) {
    REQUIRE_POPPLER();
    const std::string text = PrintedText("", [](Trainer& tr) {
        tr.t.ProgramNo = 2;
        tr.t.WordList[1] = "be-ver";
        tr.t.WordFilePath = "LS1DAT\\TEST.VWT";
        StartProtocolLine(tr);
        AppendProtocol(tr, "be: kommen");
        ++tr.t.ProtocolCount;
        AppendProtocol(tr, "ver: l\x84ufen");
        tr.t.ProgramNo = 0;
        PrintTeacherProtocol(tr);
    });
    for (const char* wanted : {"Quendelstrand   7.3.2026   Name:.....................",
                               "-Vorsilben-: be-ver>LS1DAT\\TEST.VWT", "be: kommen",
                               "ver: l\u00e4ufen", "Quendelstrand-Lernwerkstatt"}) {
        EXPECT_NE(text.find(wanted), std::string::npos) << wanted << " in\n" << text;
    }
}

}  // namespace
}  // namespace qs::test
