#include "support/WindowRun.h"

#include <optional>

#include "exercises/Programs.h"
#include "platform/headless/HeadlessScriptBackend.h"
#include "screen/Paths.h"
#include "screen/TextScreen.h"
#include "screen/script/Dump.h"
#include "screen/script/Script.h"
#include "shell/MainWindow.h"
#include "support/PngFile.h"
#include "trainer/TrainerMain.h"

namespace qs::test {

namespace {

// The platform of a run, printing into a recording printer, in the app
// folder (made when the options name none).
RunResult Prepare(const RunOptions& o) {
    RunResult run;
    run.appDir = o.appDir.empty() ? MakeTestAppDir() : o.appDir;
    run.outDir = run.appDir + "dumps";
    HeadlessOptions ho;
    ho.size = o.size;
    ho.seed = o.seed;
    ho.today = o.today;
    ho.programPath = run.appDir + "quendelstrand";
    auto printer = o.printSystem ? std::make_unique<RecordingPrinter>(o.printSystem())
                                 : std::make_unique<RecordingPrinter>();
    run.printer = printer.get();
    ho.printer = std::move(printer);
    run.platform = std::make_unique<HeadlessPlatform>(std::move(ho));
    if (o.prepare) o.prepare(*run.platform);
    return run;
}

// Runs body on a fresh Trainer with the options' setup before and inspect
// after it; the state it leaves is kept, however the body ends.
void OnTrainer(const RunOptions& o, Dos& d, RunResult& run,
               const std::function<void(Trainer&)>& prepare,
               const std::function<void(Trainer&)>& body) {
    Trainer tr(d, AllPrograms());
    if (prepare) prepare(tr);
    if (o.setup) o.setup(tr);
    auto keep = [&] {
        run.state = tr.t;
        run.players = tr.players;
        if (o.inspect) o.inspect(tr);
    };
    try {
        body(tr);
    } catch (...) {
        keep();
        throw;
    }
    keep();
}

}  // namespace

RunResult RunInMainWindow(const RunOptions& o, const std::function<void(Dos&, RunResult&)>& body) {
    RunResult run = Prepare(o);
    run.dos = std::make_unique<Dos>(*run.platform);
    std::optional<ScriptRunner> runner;
    HeadlessScriptBackend backend(*run.platform);
    try {
        runner.emplace(*run.dos, ParseScript(o.script), backend, run.outDir);
    } catch (const ScriptError& e) {
        run.error = e.what();
        return run;
    }
    runner->Install();
    {
        TForm_dos form(*run.dos, [&](Dos& d) {
            try {
                body(d, run);
            } catch (...) {
                run.screen = DumpText(d);
                throw;
            }
            run.returned = true;
            run.screen = DumpText(d);
        });
        form.Create();
        if (!run.platform->OpenWindow(WindowOptions{})) {
            run.error = "the window could not be opened";
        } else {
            form.Show();
            try {
                form.Run();
            } catch (const ScriptFinished&) {}
            form.Destroy();
            run.error = form.LastError();
        }
    }
    // The runner goes with this call.
    run.dos->beforePump = nullptr;
    run.dos->waitingForInput = nullptr;
    run.dumps = ReadDumps(run.outDir);
    return run;
}

RunResult RunTrainerProc(const RunOptions& o, const std::function<void(Trainer&)>& proc) {
    return RunInMainWindow(o, [&](Dos& d, RunResult& run) {
        OnTrainer(
            o, d, run, [](Trainer& tr) { tr.t.ProgramDir = AppDir(tr.d.platform.Files()); }, proc);
    });
}

RunResult RunExercise(const RunOptions& o, const std::function<void(Trainer&)>& proc) {
    return RunInMainWindow(o, [&](Dos& d, RunResult& run) {
        OnTrainer(
            o, d, run,
            [](Trainer& tr) {
                tr.t.ProgramDir = AppDir(tr.d.platform.Files());
                tr.t.opt.OptMaus = 2;
                tr.t.opt.OptWortvergl = 1;
                tr.t.opt.GraphFont = 1;
            },
            proc);
    });
}

RunResult RunTrainer(const RunOptions& options) {
    // The start switches to graphics and back, with a short wait that would
    // already take the script's first lines; the script begins when the menu
    // waits for its first key.
    RunOptions o = options;
    o.script = "wait 400\n" + o.script;
    return RunInMainWindow(o, [&](Dos& d, RunResult& run) {
        OnTrainer(
            o, d, run, [&](Trainer& tr) { tr.t.FirstArgument = o.firstArgument; }, TrainerMain);
    });
}

RunResult RunProgram(const RunOptions& o) {
    RunResult run = Prepare(o);
    HeadlessScriptBackend backend(*run.platform);
    run.application = std::make_unique<Application>(*run.platform, o.firstArgument);
    Application& app = *run.application;
    try {
        app.UseScript(ParseScript(o.script), backend, run.outDir);
    } catch (const ScriptError& e) {
        run.error = e.what();
        return run;
    }
    run.exitCode = app.Run(WindowOptions{});
    run.returned = app.form.Closed();
    run.error = app.form.LastError();
    run.screen = DumpText(app.dos);
    app.dos.beforePump = nullptr;
    app.dos.waitingForInput = nullptr;
    run.dumps = ReadDumps(run.outDir);
    return run;
}

Rgb CellBackground(const RunResult& run, const std::string& dump, int col, int row) {
    const std::optional<Bitmap> picture = ReadPng(run.outDir + "/" + dump + ".png");
    if (!picture) return 0xFFFFFFFF;
    const ScreenState& s = run.dos->screen;
    return picture->Pixel((col - 1) * s.CellWidth + 1, (row - 1) * s.CellHeight + 1);
}

// Entries start with blanks, so the first cell of each shows its background.
int HighlightedEntry(const RunResult& run, const std::string& dump) {
    const std::optional<Bitmap> picture = ReadPng(run.outDir + "/" + dump + ".png");
    if (!picture) return 0;
    const ScreenState& s = run.dos->screen;
    const Rgb highlight = PaletteColour(*run.dos, 7);
    int found = 0;
    for (const Program& p : AllPrograms()) {
        const int row = p.menuRow + 2;
        if (picture->Pixel(6 * s.CellWidth + 1, (row - 1) * s.CellHeight + 1) != highlight)
            continue;
        if (found != 0) return 0;
        found = No(p.entry);
    }
    return found;
}

}  // namespace qs::test
