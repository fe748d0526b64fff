// The work certificate: the question box, the name input of a single
// player, and the printer file of one and of two certificates.
#include <gtest/gtest.h>

#include "print/PrintTestSupport.h"
#include "print/TestPrintServer.h"
#include "screen/Settings.h"
#include "trainer/Results.h"
#include "trainer/TitleScreen.h"
#include "trainer/TrainerOnScreen.h"

namespace qs {
namespace {

using test::CrLfLines;
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

class CertificateTest : public ::testing::Test {
protected:
    void SetSetting(const char* key, const std::string& value) {
        WriteSetting(screen.platform->Settings(), "quendelstrand", "", "Zeugnis", key, value);
    }

    // Runs PrintCertificate for the results codes on the word list lines.
    void Print(int programNo, std::vector<int> codes, std::vector<std::string> words,
               int players = 1, std::string name1 = "", std::string name2 = "") {
        screen.Run([&](Trainer& tr) {
            tr.t.ProgramNo = programNo;
            for (size_t i = 0; i < words.size(); ++i) tr.t.WordList[i + 1] = words[i];
            tr.t.WordCount = static_cast<int>(words.size());
            for (size_t i = 0; i < codes.size(); ++i) tr.t.Results[i + 1] = codes[i];
            tr.t.ResultCount = static_cast<int>(codes.size());
            tr.players.PlayerCount = players;
            tr.players.PlayerName1 = name1;
            tr.players.PlayerName2 = name2;
            tr.t.LastKey = 'j';
            PrintCertificate(tr);
            lastKey = tr.t.LastKey;
            nameAfter = tr.players.PlayerName1;
        });
    }

    test::TrainerOnScreen screen;
    char lastKey = 0;
    std::string nameAfter;
};

TEST_F(CertificateTest, SinglePlayerListsSolvedWordsWithCheckMarksThenTheHardOnes) {
    SetSetting("Schule", "Grundschule am Bach");
    SetSetting("Ort", "L\374beck");  // Windows letters, printed in code page 437
    screen.PostText("jtom");
    screen.PostKey(Key::Return);
    Print(2, {5, 1007, 2}, {"x", "ver_laufen", "x", "x", "be_kommen", "x", "ent_decken"});
    ASSERT_TRUE(screen.finished);

    Lines expected = Head(std::string(30, ' ') + "Grundschule am Bach", "              Name: Tom");
    Append(expected, {"          Programm Quendelstrand    \232bung: Vorsilben", "",
                      "          Mit Erfolg ge\201bt wurden:", "", "           1 bekommen \xfb",
                      "           2 verlaufen \xfb", "", "",
                      "          Folgende W\x94rter wurden als schwer eingestuft:", "", "",
                      "           1 entdecken"});
    Append(expected, Foot(3, "L\201beck", "7.3.2026"));
    EXPECT_EQ(CrLfLines(screen.PrinterFile()), expected);
    EXPECT_EQ(screen.printed.size(), 1u);
    EXPECT_EQ(lastKey, 27);
    EXPECT_EQ(nameAfter, "Tom");

    // The question box with the name typed and the printing message.
    EXPECT_EQ(screen.Row(10), std::u32string(42, ' ') + U'\u250c' + std::u32string(29, U'\u2500') +
                                  U'\u2510' + std::u32string(7, ' '));
    EXPECT_EQ(screen.Row(11).substr(42, 31), U"\u2502 Zeugnis drucken?  (j oder n)\u2502");
    EXPECT_TRUE(screen.Shows(45, 13, "Name: Tom ")) << screen.dump;
    EXPECT_TRUE(screen.Shows(45, 15, "Ich drucke!")) << screen.dump;
    EXPECT_EQ(screen.Row(20).substr(42, 31), U'\u2514' + std::u32string(29, U'\u2500') + U'\u2518');
}

TEST_F(CertificateTest, TwoPlayersGetOneCertificateEachFromAlternateEntries) {
    screen.PostText("j");
    Print(3, {5, 6, 1007, 8},
          {"", "", "", "", "lauf_en_t", "spiel_en", "sing_st", "ab-bei_\341en_zen"}, 2, "Anna",
          "Ben");
    ASSERT_TRUE(screen.finished);

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
    EXPECT_EQ(CrLfLines(screen.PrinterFile()), expected);
    EXPECT_EQ(screen.printed.size(), 1u);
}

TEST_F(CertificateTest, ManyWordsPushTheSignatureBlockDownAndNumbersKeepTwoPlaces) {
    std::vector<int> codes;
    for (int i = 1; i <= 30; ++i) codes.push_back(i == 12 ? 1012 : i);
    std::vector<std::string> words;
    for (int i = 1; i <= 30; ++i) words.push_back("W" + std::to_string(i));
    screen.PostKey(Key::Return);  // RETURN answers yes
    screen.PostKey(Key::Return);  // and keeps the name
    Print(9, codes, words, 1, "Mia");
    ASSERT_TRUE(screen.finished);
    const Lines lines = CrLfLines(screen.PrinterFile());
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
        std::function<void(test::TrainerOnScreen&)> keys;
        bool prints;
        const char* after;  // PlayerName1 afterwards
    } cases[] = {
        {"lower-case first letter becomes upper case", "",
         [](auto& s) {
             s.PostText("jlena");
             s.PostKey(Key::Return);
         },
         true, "Lena"},
        {"at most ten letters", "",
         [](auto& s) {
             s.PostText("jAbcdefghijk");
             s.PostKey(Key::Return);
         },
         true, "Abcdefghij"},
        {"backspace to empty capitalises again", "Bo",
         [](auto& s) {
             s.PostText("j");
             for (int i = 0; i < 3; ++i) s.PostKey(Key::Backspace);
             s.PostText("ute");
             s.PostKey(Key::Return);
         },
         true, "Ute"},
        {"German letters are kept, digits and signs are not", "",
         [](auto& s) {
             s.PostText("j\u00fcber1-\u00df\u00c4");
             s.PostKey(Key::Return);
         },
         true, "\201ber\xe1\x8e"},
        {"arrow keys are not letters", "Al",
         [](auto& s) {
             s.PostText("j");
             s.PostKey(Key::Left);  // the scan code of Left is 'K'
             s.PostKey(Key::Down);  // and of Down 'P'
             s.PostText("i");
             s.PostKey(Key::Return);
         },
         true, "Ali"},
        {"ESC in the name input prints nothing", "",
         [](auto& s) {
             s.PostText("jmax");
             s.PostKey(Key::Escape);
         },
         false, "Max"},
        {"n prints nothing", "Jo", [](auto& s) { s.PostText("xn"); }, false, "Jo"},
        {"F1 is ESC", "Jo", [](auto& s) { s.PostKey(Key::F1); }, false, "Jo"},
        {"F1 is ESC in the name input too", "Jo",
         [](auto& s) {
             s.PostText("j");
             s.PostKey(Key::F1);
         },
         false, "Jo"},
    };
    for (const auto& c : cases) {
        test::TrainerOnScreen s;
        c.keys(s);
        std::string after;
        char lastKey = 0;
        s.Run([&](Trainer& tr) {
            tr.t.ProgramNo = 2;
            tr.t.WordList[1] = "be_kommen";
            tr.t.Results = {0, 1, 1, 1};
            tr.t.ResultCount = 3;
            tr.players.PlayerName1 = c.before;
            PrintCertificate(tr);
            after = tr.players.PlayerName1;
            lastKey = tr.t.LastKey;
        });
        ASSERT_TRUE(s.finished) << c.name << ": still waiting for a key";
        EXPECT_EQ(after, c.after) << c.name;
        EXPECT_EQ(lastKey, 27) << c.name;
        EXPECT_EQ(s.printed.size(), c.prints ? 1u : 0u) << c.name;
        EXPECT_EQ(!s.PrinterFile().empty(), c.prints) << c.name;
        if (c.prints) {
            EXPECT_NE(s.PrinterFile().find(std::string("              Name: ") + c.after + kSize10),
                      std::string::npos)
                << c.name;
        }
    }
}

TEST_F(CertificateTest, EscWhileTheFirstCertificateIsWrittenSkipsTheSecond) {
    screen.PostText("j");
    screen.PostKey(Key::Escape);
    Print(2, {1, 1}, {"be_kommen"}, 2, "Anna", "Ben");
    ASSERT_TRUE(screen.finished);
    const std::string file = screen.PrinterFile();
    EXPECT_NE(file.find("Name: Anna"), std::string::npos);
    EXPECT_EQ(file.find("Name: Ben"), std::string::npos);
    EXPECT_EQ(screen.printed.size(), 1u);
}

TEST_F(CertificateTest, PrinterFileThatCannotBeMadeSaysThePrinterIsNotReady) {
    screen.PostText("j");
    screen.PostKey(Key::Return);
    screen.Run([](Trainer& tr) {
        tr.t.ProgramDir += "fehlt/";
        tr.t.ProgramNo = 2;
        tr.t.ResultCount = 3;
        PrintCertificate(tr);
    });
    ASSERT_TRUE(screen.finished);
    EXPECT_TRUE(screen.Shows(45, 15, "Drucker nicht bereit!")) << screen.dump;
    EXPECT_TRUE(screen.printed.empty());
}

// The printouts through the test print server: what arrives in its PDF queue
// reads as the certificate and the protocol the trainer wrote.
class PrintedOnTheQueue : public test::TestPrintServer {
protected:
    // Runs body with a trainer that prints on the server; once its job has
    // arrived in the queue as one page, the text of the printed document.
    std::string PrintedText(const std::function<void(test::TrainerOnScreen&)>& keys,
                            const std::function<void(Trainer&)>& body) {
        test::TempFolder fallback;
        auto spooler = ServerSpooler(fallback.Path());
        test::TeeSpooler* sent = spooler.get();
        test::TrainerOnScreen screen({2026, 3, 7, 6}, std::move(spooler));
        WriteSetting(screen.platform->Settings(), "quendelstrand", "", "Zeugnis", "Ort",
                     "L\374beck");
        keys(screen);
        screen.Run(body);
        EXPECT_TRUE(screen.finished);
        if (sent->last.kind != PrintOutcome::Kind::Printed) {
            ADD_FAILURE() << "not printed: " << sent->last.detail;
            return "";
        }
        const std::string arrived = WaitForJobFile(JobOf(sent->last));
        if (arrived.empty()) {
            ADD_FAILURE() << "the job did not arrive in " << env_["QS_CUPS_PDF_DIR"];
            return "";
        }
        EXPECT_EQ(test::PdfPages(arrived), 1) << arrived;
        // The queue draws the letters as outlines; the text is read from the
        // document the trainer sent.
        test::TempFolder own;
        const std::string ownPdf = own.Write("sent.pdf", sent->sent.at(0));
        return test::RunCommand("pdftotext -layout '" + ownPdf + "' -").value_or("");
    }
};

TEST_F(PrintedOnTheQueue, Certificate) {
    REQUIRE_POPPLER();
    const std::string text = PrintedText(
        [](auto& s) {
            s.PostText("jtom");
            s.PostKey(Key::Return);
        },
        [](Trainer& tr) {
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
    const std::string text = PrintedText([](auto&) {},
                                         [](Trainer& tr) {
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
}  // namespace qs
