#include "trainer/TrainerProcRun.h"

#include <filesystem>
#include <fstream>

#include "exercises/Programs.h"
#include "screen/Paths.h"
#include "screen/script/Script.h"
#include "shell/MainWindow.h"
#include "support/ProgramRun.h"

namespace qs::test {

namespace fs = std::filesystem;

PrintOutcome CapturedPrinter::PrintPdf(const std::vector<uint8_t>& pdf, const std::string& title) {
    documents.push_back(pdf);
    PrintOutcome out;
    out.kind = PrintOutcome::Kind::Printed;
    if (next_) out = next_->PrintPdf(pdf, title);
    outcomes.push_back(out);
    return out;
}

TrainerProcRun RunTrainerProc(const TrainerProcOptions& o) {
    TrainerProcRun run;
    HeadlessOptions ho;
    ho.programPath = o.appDir + "quendelstrand";
    auto printer = std::make_unique<CapturedPrinter>(o.printSystem ? o.printSystem() : nullptr);
    run.printer = printer.get();
    ho.printer = std::move(printer);
    run.platform = std::make_unique<HeadlessPlatform>(std::move(ho));
    const std::string outDir = o.appDir + "dumps";
    {
        Dos dos(*run.platform);
        const std::string error =
            RunInMainWindow(*run.platform, dos, o.script, outDir, [&](Dos& d) {
                Trainer tr(d, AllPrograms());
                tr.t.ProgramDir = AppDir(d.platform.Files());
                if (o.setup) o.setup(tr);
                auto keep = [&] {
                    run.state = tr.t;
                    run.players = tr.players;
                };
                try {
                    o.proc(tr);
                } catch (...) {
                    keep();
                    throw;
                }
                keep();
                run.returned = true;
            });
        if (run.error.empty()) run.error = error;
    }
    run.dumps = ReadDumps(outDir);
    return run;
}

void WriteAppFile(const std::string& appDir, const std::string& relative,
                  const std::string& bytes) {
    const fs::path path = fs::path(appDir) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace qs::test
