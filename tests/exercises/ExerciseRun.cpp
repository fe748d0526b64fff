#include "ExerciseRun.h"

#include <filesystem>
#include <sstream>

#include "exercises/Programs.h"
#include "screen/Dos.h"
#include "screen/script/Script.h"
#include "shell/MainWindow.h"
#include "support/ProgramRun.h"
#include "support/ReferenceImage.h"

namespace qs::test {

namespace fs = std::filesystem;

ExerciseRun RunExercise(const ExerciseRunOptions& o, const std::function<void(Trainer&)>& body) {
    ExerciseRun run;
    const std::string appDir = MakeTestAppDir(o.name);
    HeadlessOptions ho;
    ho.size = o.size;
    ho.seed = o.seed;
    ho.programPath = appDir + "quendelstrand";
    run.platform = std::make_unique<HeadlessPlatform>(std::move(ho));
    run.outDir = appDir + "dumps";
    {
        Dos dos(*run.platform);
        run.lastError = RunInMainWindow(*run.platform, dos, o.script, run.outDir, [&](Dos& d) {
            Trainer tr(d, AllPrograms());
            tr.t.ProgramDir = appDir;
            tr.t.opt.OptMaus = 2;
            tr.t.opt.OptWortvergl = 1;
            tr.t.opt.GraphFont = 1;
            body(tr);
            run.finished = true;
        });
    }
    run.dumps = ReadDumps(run.outDir);
    return run;
}

std::vector<std::string> DumpTexts(const std::string& dump) {
    std::vector<std::string> texts;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("text ", 0) == 0) texts.push_back(line);
    return texts;
}

std::string TextAt(const std::string& dump, int x, int y) {
    const std::string prefix = "text " + std::to_string(x) + ' ' + std::to_string(y) + ' ';
    std::string found;
    for (const std::string& t : DumpTexts(dump)) {
        if (t.rfind(prefix, 0) != 0) continue;
        const size_t quote = t.find('"');
        found = quote == std::string::npos ? "" : t.substr(quote + 1, t.size() - quote - 2);
    }
    return found;
}

}  // namespace qs::test
