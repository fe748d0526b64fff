// libFuzzer target for the options file: any bytes as "lsp1.opt" are read
// without crashing, give options inside the ranges the trainer corrects them
// to, and come back the same after the trainer writes the file anew.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFolder.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "trainer/OptionsFile.h"
#include "trainer/TrainerState.h"

namespace {

bool SameOptions(const qs::TrainerState& a, const qs::TrainerState& b) {
    const qs::Options& x = a.opt;
    const qs::Options& y = b.opt;
    return x.OptArtikel == y.OptArtikel && x.GraphFont == y.GraphFont && x.OptTon == y.OptTon &&
           x.OptWortwahl == y.OptWortwahl && x.OptTrennung == y.OptTrennung &&
           x.OptBaustelle == y.OptBaustelle && x.OptBausteine == y.OptBausteine &&
           x.OptMaus == y.OptMaus && x.KontaktThickness == y.KontaktThickness &&
           x.OptWortvergl == y.OptWortvergl && x.OptZerlegen == y.OptZerlegen &&
           x.OptGreifen == y.OptGreifen && x.OptGreifteile == y.OptGreifteile &&
           x.OptSauri == y.OptSauri && x.OptSortFiles == y.OptSortFiles &&
           x.OptEndungen == y.OptEndungen && x.OptWiederhole == y.OptWiederhole &&
           x.OptZerlegenArt == y.OptZerlegenArt && x.OptReserve == y.OptReserve &&
           a.LastFiles == b.LastFiles;
}

struct Machine {
    qs::HeadlessPlatform platform{Options()};
    qs::Dos dos{platform};
    static qs::HeadlessOptions Options() {
        qs::HeadlessOptions o;
        o.programPath = qs::fuzz::FuzzFolder() + "/quendelstrand";
        return o;
    }
};

void ReadInto(qs::Trainer& tr) {
    tr.t.ProgramDir = qs::fuzz::FuzzFolder() + "/";
    tr.t.OptionsPath = qs::OptionsFilePath(tr);
    qs::ReadOptionsFile(tr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Machine m;
    qs::fuzz::PutFile("lsp1.opt", data, size);
    qs::Trainer first(m.dos, {});
    ReadInto(first);
    const qs::Options& o = first.t.opt;
    if (o.OptWortvergl != 1 || o.OptZerlegen < 0 || o.OptZerlegen > 1 || o.OptGreifen > 2 ||
        o.OptZerlegenArt > 2)
        std::abort();
    if (!qs::WriteOptionsFile(first)) std::abort();
    qs::Trainer second(m.dos, {});
    ReadInto(second);
    if (!SameOptions(first.t, second.t)) std::abort();
    return 0;
}
