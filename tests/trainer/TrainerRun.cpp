#include "trainer/TrainerRun.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/CodePage.h"
#include "exercises/Programs.h"
#include "screen/TextScreen.h"
#include "screen/script/Script.h"
#include "shell/MainWindow.h"
#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/ReferenceImage.h"
#include "trainer/Menu.h"
#include "trainer/TrainerMain.h"

namespace qs::test {

namespace fs = std::filesystem;

namespace {

const std::string kStartWait = "wait 400\n";

}  // namespace

TrainerRun RunTrainer(const TrainerRunOptions& o) {
    TrainerRun run;
    HeadlessOptions ho;
    ho.programPath = o.appDir + "quendelstrand";
    run.platform = std::make_unique<HeadlessPlatform>(std::move(ho));
    run.dos = std::make_unique<Dos>(*run.platform);
    run.outDir = o.appDir + "dumps";
    // The start switches to graphics and back, with a short wait that would
    // already take the script's first lines; the script begins when the menu
    // waits for its first key.
    run.lastError =
        RunInMainWindow(*run.platform, *run.dos, kStartWait + o.script, run.outDir, [&](Dos& d) {
            Trainer tr(d, AllPrograms());
            tr.t.FirstArgument = o.firstArgument;
            if (o.setup) o.setup(tr);
            try {
                TrainerMain(tr);
            } catch (...) {
                if (o.inspect) o.inspect(tr);
                throw;
            }
            run.returned = true;
            if (o.inspect) o.inspect(tr);
        });
    run.dumps = ReadDumps(run.outDir);
    return run;
}

Rgb CellBackground(const TrainerRun& run, const std::string& dump, int col, int row) {
    const std::optional<Bitmap> picture = ReadPng(run.outDir + "/" + dump + ".png");
    if (!picture) return 0xFFFFFFFF;
    const ScreenState& s = run.dos->screen;
    return picture->Pixel((col - 1) * s.CellWidth + 1, (row - 1) * s.CellHeight + 1);
}

// Entries start with blanks, so the first cell of each shows its background.
int HighlightedEntry(const TrainerRun& run, const std::string& dump) {
    const std::optional<Bitmap> picture = ReadPng(run.outDir + "/" + dump + ".png");
    if (!picture) return 0;
    const ScreenState& s = run.dos->screen;
    const Rgb highlight = PaletteColour(*run.dos, 7);
    int found = 0;
    for (const Program& p : AllPrograms()) {
        const int entry = No(p.entry);
        const int row = p.menuRow + 2;
        if (picture->Pixel(6 * s.CellWidth + 1, (row - 1) * s.CellHeight + 1) != highlight)
            continue;
        if (found != 0) return 0;
        found = entry;
    }
    return found;
}

std::string FileText(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace qs::test

namespace qs::test {

std::string Cells(const std::string& row, int from, int to) {
    std::u32string line;
    for (size_t pos = 0; pos < row.size();) line += DecodeUtf8(row, pos);
    std::string out;
    for (int i = from - 1; i < to && i < static_cast<int>(line.size()); ++i)
        out += EncodeUtf8(line[static_cast<size_t>(i)]);
    return out;
}

std::string Times(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::string ShownUtf8(const std::string& cp437) {
    std::string s;
    for (unsigned char c : cp437) s += EncodeUtf8(Cp1252ToUnicode(OemToDisplayByte(c)));
    return s;
}

}  // namespace qs::test
