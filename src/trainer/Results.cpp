#include "trainer/Results.h"

#include <algorithm>

#include "base/CodePage.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/Paths.h"
#include "screen/Settings.h"
#include "screen/TextScreen.h"
#include "trainer/PrinterOutput.h"
#include "trainer/TitleScreen.h"

namespace qs {

namespace {

constexpr char kCheckMark = '\xfb';
constexpr size_t kPrintWidth = 80;
constexpr size_t kNameMax = 10;
// The signature block stands at this many word lines below the heading.
constexpr int kSignatureLine = 27;

// Printer control: bold on, and the size switch with its parameter byte.
const std::string kBold = "\033E";
const std::string kSize12Bold = std::string("\x1bW") + '\x01';
const std::string kSize10 = std::string("\x1bW") + '\0';
const std::string kFormFeed = "\x0c";

std::string Today(Trainer& tr) {
    int year = 0, month = 0, day = 0, weekday = 0;
    std::string text;
    GetToday(tr.d, year, month, day, text, weekday);
    return PlainDate(day, month, year);
}

std::string Cut(std::string s, size_t width) {
    if (s.size() > width) s.resize(width);
    return s;
}

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The imprint at the foot of every printout.
std::string PrintImprint() { return TrimRight(ImprintLine()); }

std::string ReadCertificateSetting(Trainer& tr, const char* key) {
    FileSystem& files = tr.d.platform.Files();
    std::string value;
    ReadSetting(tr.d.platform.Settings(), ProgramFileName(files), "", "Zeugnis", key, value, "");
    return DisplayToOemCopy(value, tr.d.screen.NoConversion);
}

// F1 answers like ESC in every question of this screen.
char ReadAnswerKey(Trainer& tr) {
    const char key = static_cast<char>(ReadKey(tr.d));
    if (key == keycode::F1 && tr.d.keys.ExtendedKey) return keycode::Esc;
    return key;
}

// Lets the single player correct the name at the cursor. Returns RETURN or
// ESC.
char EditName(Trainer& tr, std::string& name) {
    for (;;) {
        const char key = ReadAnswerKey(tr);
        if (key == keycode::Return || key == keycode::Esc) return key;
        if (tr.d.keys.ExtendedKey) continue;  // arrows and the like are no letters
        if (key == keycode::Backspace) {
            if (name.empty()) continue;
            name.pop_back();
            GotoXY(tr.d, WhereX(tr.d) - 1, WhereY(tr.d));
            Write(tr.d, " ");
            GotoXY(tr.d, WhereX(tr.d) - 1, WhereY(tr.d));
        } else if (IsGermanLetter(static_cast<uint8_t>(key)) && name.size() < kNameMax) {
            char c = key;
            if (name.empty() && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            name += c;
            Write(tr.d, std::string(1, c));
        }
    }
}

// Entry i (1-based) of Results belongs to player (1 or 2).
bool BelongsTo(const Trainer& tr, int i, int player) {
    if (tr.players.PlayerCount == 1) return true;
    return (i % 2 == 1) == (player == 1);
}

std::string WordOfEntry(const Trainer& tr, int code) {
    const int line = code > kMistakeMark ? code - kMistakeMark : code;
    if (line < 1 || line > kWordListSize) return "";
    const Program* p = RunningProgram(tr);
    return FormatResultWord(tr.t.WordList[line], p ? p->resultWord : ResultWord::WithoutGaps);
}

// The exercise's name on the certificate, "" for a program without one.
std::string CertificateExercise(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    return p ? p->certificateName : "";
}

bool CombinationsHeading(const Trainer& tr) {
    const Program* p = RunningProgram(tr);
    return p && p->combinationsHeading;
}

// "  7" style: ten blanks, the number right-aligned in two places.
std::string Numbered(int n) {
    std::string s(10, ' ');
    if (n < 10) s += ' ';
    return s + std::to_string(n) + ' ';
}

void EmptyLines(TextFile& f, int n) {
    for (int i = 0; i < n; ++i) WriteLnToFile(f);
}

void WriteCertificate(Trainer& tr, TextFile& f, int player, const std::string& date) {
    TrainerState& t = tr.t;
    const PlayersState& p = tr.players;

    EmptyLines(f, 2);
    const std::string school = Cut(CertificateSchool(tr), 79);
    WriteLnToFile(f, std::string((79 - school.size()) / 2, ' ') + school, kSize10);

    WriteToFile(f, kBold + kSize12Bold);
    EmptyLines(f, 3);
    WriteToFile(f, "             ---------- Arbeitszeugnis ---------");
    EmptyLines(f, 3);
    t.PageLines = 0;

    std::string nameLine;
    if (player == 2) {
        nameLine = "              Name: " + p.PlayerName2;
    } else if (!p.PlayerName1.empty()) {
        nameLine = "              Name: " + p.PlayerName1;
    } else {
        nameLine = "          F\x81r ....................";
    }
    WriteToFile(f, nameLine, kSize10);
    EmptyLines(f, 2);

    WriteLnToFile(f, "          Programm Quendelstrand    \232bung: ", CertificateExercise(tr));
    WriteLnToFile(f);
    WriteLnToFile(f, "          Mit Erfolg ge\201bt wurden:");
    WriteLnToFile(f);
    t.ListedCount = 0;
    for (int i = 1; i <= t.ResultCount && i <= kResultsSize; ++i) {
        if (!BelongsTo(tr, i, player) || t.Results[i] >= kMistakeMark) continue;
        ++t.ListedCount;
        ++t.PageLines;
        WriteLnToFile(f, Numbered(t.ListedCount), WordOfEntry(tr, t.Results[i]),
                      std::string(" ") + kCheckMark);
    }

    EmptyLines(f, 2);
    t.ListedCount = 0;
    for (int i = 1; i <= t.ResultCount && i <= kResultsSize; ++i) {
        if (BelongsTo(tr, i, player) && t.Results[i] > kMistakeMark) ++t.ListedCount;
    }
    if (t.ListedCount == 0) {
        WriteLnToFile(f, "          Es wurden keine Fehler gemacht.");
    } else {
        WriteLnToFile(f, CombinationsHeading(tr)
                             ? "          Folgende Wortkombinationen wurden als schwer eingestuft:"
                             : "          Folgende W\x94rter wurden als schwer eingestuft:");
        EmptyLines(f, 2);
        t.ListedCount = 0;
        for (int i = 1; i <= t.ResultCount && i <= kResultsSize; ++i) {
            if (!BelongsTo(tr, i, player) || t.Results[i] <= kMistakeMark) continue;
            ++t.ListedCount;
            ++t.PageLines;
            WriteLnToFile(f, Numbered(t.ListedCount), WordOfEntry(tr, t.Results[i]));
        }
    }

    EmptyLines(f, 3);
    for (; t.PageLines < kSignatureLine; ++t.PageLines) WriteLnToFile(f);

    WriteLnToFile(f, std::string(10, ' ') + CertificatePlace(tr), ", den ", date);
    EmptyLines(f, 2);
    WriteLnToFile(f, std::string(44, ' ') + std::string(28, '.'));
    EmptyLines(f, 3);
    WriteLnToFile(f, PrintImprint());
    WriteLnToFile(f, kFormFeed);
}

// The question box on the right of the menu.
void DrawCertificateBox(Trainer& tr) {
    Dos& d = tr.d;
    ShadowCells(d, 44, 11, 74, 21, 3);
    Window(d, 43, 10, 75, 24);
    TextBackground(d, 1);
    TextColor(d, 14);
    const std::string bar(29, '\xc4');
    WriteLn(d, "\xda" + bar + "\xbf");
    for (int i = 0; i < 9; ++i) WriteLn(d, "\xb3" + std::string(29, ' ') + "\xb3");
    WriteLn(d, "\xc0" + bar + "\xd9");
    CursorOn(d);
    GotoXY(d, 3, 2);
    Write(d, "Zeugnis drucken?  (j oder n)");
    GotoXY(d, 22, 2);
}

// True when ESC is waiting in the keyboard (it is taken); other keys stay.
bool EscapePending(Trainer& tr) {
    if (!KeyPressed(tr.d)) return false;
    std::string& buffer = tr.d.keys.KeyBuffer;
    if (buffer.empty() || buffer.back() != keycode::Esc) return false;
    ReadKey(tr.d);
    return true;
}

void PrintCertificates(Trainer& tr, const std::string& date) {
    Dos& d = tr.d;
    GotoXY(d, 3, 6);
    PrinterOutput printer(tr);
    if (!printer.Open()) {
        Write(d, "Drucker nicht bereit!");
        Delay(d, 1000);
        return;
    }
    Write(d, "Ich drucke!");
    WriteCertificate(tr, printer.File(), 1, date);
    if (tr.players.PlayerCount == 2 && !EscapePending(tr)) {
        GotoXY(d, 3, 6);
        Write(d, "Ich drucke!");
        WriteCertificate(tr, printer.File(), 2, date);
    }
    if (!printer.CloseAndPrint()) {
        GotoXY(d, 3, 6);
        Write(d, "Drucker nicht bereit!");
        Delay(d, 1000);
    }
}

}  // namespace

std::string PlainDate(int day, int month, int year) {
    return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
}

void StartProtocolLine(Trainer& tr) {
    TrainerState& t = tr.t;
    if (t.ProtocolCount == 0) {
        t.ProtocolCount = 1;
        t.ProtocolLines[1] = "Quendelstrand   " + Today(tr) + "   Name:.....................";
    }
    if (t.ProtocolCount >= kProtocolSize) return;
    ++t.ProtocolCount;
    const Program* p = RunningProgram(tr);
    std::string line = p && p->protocolTitle ? p->protocolTitle : "";
    const ProtocolHead head = p ? p->protocolHead : ProtocolHead::FileOnly;
    if (head != ProtocolHead::FileOnly) line += ": " + t.WordList[1];
    if (head == ProtocolHead::FirstTwoLines) line += " " + t.WordList[2];
    t.ProtocolLines[t.ProtocolCount] = line + ">" + t.WordFilePath;
}

void AppendProtocol(Trainer& tr, std::string_view text) {
    TrainerState& t = tr.t;
    if (tr.players.PlayerCount != 1 || t.ProtocolCount >= kProtocolSize) return;
    t.ProtocolLines[t.ProtocolCount + 1] += text;
}

std::string FormatResultWord(std::string_view line, ResultWord rule) {
    const std::string_view taken = line.substr(0, std::min(line.size(), kPrintWidth));
    std::string word;
    if (rule == ResultWord::StemWithEndings) {
        const size_t first = taken.find('_');
        if (first == std::string_view::npos) return "";
        const std::string_view stem = taken.substr(0, first);
        size_t from = first + 1;
        for (;;) {
            const size_t to = taken.find('_', from);
            if (!word.empty()) word += ", ";
            word += stem;
            word += taken.substr(from, to == std::string_view::npos ? to : to - from);
            if (to == std::string_view::npos) break;
            from = to + 1;
        }
    } else {
        for (char c : taken) {
            if (c != '_') word += c;
        }
    }
    return Cut(std::move(word), kPrintWidth);
}

std::string CertificateSchool(Trainer& tr) { return ReadCertificateSetting(tr, "Schule"); }
std::string CertificatePlace(Trainer& tr) { return ReadCertificateSetting(tr, "Ort"); }

void PrintCertificate(Trainer& tr) {
    Dos& d = tr.d;
    const std::string date = Today(tr);
    DrawCertificateBox(tr);

    char answer = 0;
    while (answer != keycode::Return && answer != keycode::Esc && answer != 'j' && answer != 'n') {
        answer = ReadAnswerKey(tr);
    }
    if (answer == keycode::Return) answer = 'j';

    if (answer == 'j' && tr.players.PlayerCount == 1) {
        GotoXY(d, 3, 4);
        // Two writes: each leaves the cursor on whole cells, so the typed
        // letters line up with the name.
        Write(d, "Name: ");
        Write(d, tr.players.PlayerName1);
        if (EditName(tr, tr.players.PlayerName1) == keycode::Esc) answer = keycode::Esc;
    }

    CursorOff(d);
    if (answer == 'j') PrintCertificates(tr, date);
    tr.t.LastKey = keycode::Esc;
}

void PrintTeacherProtocol(Trainer& tr) {
    const TrainerState& t = tr.t;
    PrinterOutput printer(tr);
    if (!printer.Open()) {
        GotoXY(tr.d, 4, 3);
        TextColor(tr.d, 142);
        Write(tr.d, "Drucker einschalten!");
        return;
    }
    TextFile& f = printer.File();
    EmptyLines(f, 2);
    const int last = std::min(t.ProtocolCount + 1, kProtocolSize);
    for (int i = 1; i <= last; ++i) {
        WriteLnToFile(f, Cut(t.ProtocolLines[i], kPrintWidth));
        if (i == 1 || i == 3) WriteLnToFile(f);
        if (i == 59) {
            WriteLnToFile(f, kFormFeed);
            WriteLnToFile(f);
        }
    }
    WriteLnToFile(f);
    WriteLnToFile(f, PrintImprint());
    WriteLnToFile(f, kFormFeed);
    if (!printer.CloseAndPrint()) {
        GotoXY(tr.d, 4, 3);
        TextColor(tr.d, 142);
        Write(tr.d, "Drucker einschalten!");
    }
}

}  // namespace qs
