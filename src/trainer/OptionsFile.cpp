#include "trainer/OptionsFile.h"

#include <array>
#include <cstdint>

#include "screen/DosPath.h"
#include "screen/Keyboard.h"
#include "screen/TextFile.h"
#include "screen/TextScreen.h"

namespace qs {

namespace {

constexpr int kArtikelOn = 100;

// Lines 2 to 19 in file order; line 1 is OptArtikel, stored as 100 or 0.
constexpr std::array<int Options::*, 18> kNumberLines{
    &Options::GraphFont,     &Options::OptTon,           &Options::OptWortwahl,
    &Options::OptTrennung,   &Options::OptBaustelle,     &Options::OptBausteine,
    &Options::OptMaus,       &Options::KontaktThickness, &Options::OptWortvergl,
    &Options::OptZerlegen,   &Options::OptGreifen,       &Options::OptGreifteile,
    &Options::OptSauri,      &Options::OptSortFiles,     &Options::OptEndungen,
    &Options::OptWiederhole, &Options::OptZerlegenArt,   &Options::OptReserve,
};

// A line that is not a number keeps the value the variable had.
void ReadNumber(TextFile& f, int& value) {
    int32_t read = value;
    try {
        ReadIntFromFile(f, read);
        value = read;
    } catch (const DosIoError& e) {
        if (e.code() != DosIo::InvalidNumber) throw;
    }
}

void ReadLines(TextFile& f, Trainer& tr) {
    Options& o = tr.t.opt;
    int artikel = 0;
    ReadNumber(f, artikel);
    for (int Options::*line : kNumberLines) ReadNumber(f, o.*line);
    for (std::string& name : tr.t.LastFiles) {
        if (f.Eof()) break;
        ReadLnFromFile(f, name);
    }
    o.OptArtikel = artikel == kArtikelOn;
}

// A bound the value must not pass; the comparison is signed, so negative
// values stay.
void Cap(int& value, int above, int becomes) {
    if (value > above) value = becomes;
}

void Correct(Options& o) {
    o.OptWortvergl = 1;
    if (static_cast<unsigned>(o.OptZerlegen) > 1) o.OptZerlegen = 0;
    Cap(o.OptGreifen, 2, 0);
    Cap(o.OptGreifteile, 1, 0);
    Cap(o.OptSauri, 1, 1);
    Cap(o.OptSortFiles, 1, 0);
    Cap(o.OptEndungen, 1, 0);
    Cap(o.OptWiederhole, 1, 0);
    Cap(o.OptZerlegenArt, 2, 0);
}

// "Die Datei >...< kann nicht geladen werden!" and a key press; the keys
// typed meanwhile are thrown away.
void ReportUnreadable(Trainer& tr) {
    Dos& d = tr.d;
    WriteLn(d, "Die Datei >" + tr.t.OptionsPath + "< kann nicht geladen werden!");
    while (!KeyPressed(d)) {}
    while (KeyPressed(d)) tr.t.LastKey = static_cast<char>(ReadKey(d));
}

}  // namespace

std::string OptionsFilePath(const Trainer& tr) {
    if (!tr.t.FirstArgument.empty()) return tr.t.FirstArgument;
    return tr.t.ProgramDir + "lsp1.opt";
}

void ReadOptionsFile(Trainer& tr) {
    TrainerState& t = tr.t;
    FileSystem& fs = tr.d.platform.Files();
    t.opt.OptReserve = 1;
    if (fs.Exists(ResolvePath(fs, t.OptionsPath))) {
        TextFile f(fs);
        f.Assign(t.OptionsPath);
        try {
            f.Reset();
        } catch (const DosIoError&) {
            ReportUnreadable(tr);
        }
        if (f.IsOpen()) {
            try {
                ReadLines(f, tr);
            } catch (const DosIoError&) {
                // A read error past the opening keeps what was read so far.
            }
            f.Close();
        }
    }
    Correct(t.opt);
    t.OptionsChanged = false;
}

bool WriteOptionsFile(Trainer& tr) {
    const Options& o = tr.t.opt;
    try {
        TextFile f(tr.d.platform.Files());
        f.Assign(OptionsFilePath(tr));
        f.Rewrite();
        WriteLnToFile(f, o.OptArtikel ? kArtikelOn : 0);
        for (int Options::*line : kNumberLines) WriteLnToFile(f, o.*line);
        for (const std::string& name : tr.t.LastFiles) WriteLnToFile(f, name);
        f.Close();
        return true;
    } catch (const DosIoError&) {
        return false;
    }
}

}  // namespace qs
