#include "app/Application.h"

#include <cstdio>
#include <exception>

#include "exercises/Programs.h"
#include "trainer/TrainerMain.h"

namespace qs {

// Each run of the trainer (a restart after a resize makes a new one) starts
// from fresh state.
Application::Application(Platform& platform, std::string firstArgument)
    : dos(platform),
      form(dos,
           [this](Dos& d) {
               Trainer trainer(d, AllPrograms());
               trainer.t.FirstArgument = firstArgument_;
               TrainerMain(trainer);
           }),
      firstArgument_(std::move(firstArgument)) {}

void Application::UseScript(std::vector<ScriptCommand> script, ScriptBackend& backend,
                            const std::string& outDir, uint64_t maxMs) {
    runner_ = std::make_unique<ScriptRunner>(dos, std::move(script), backend, outDir, maxMs);
    runner_->Install();
}

int Application::Run(const WindowOptions& window) {
    form.Create();
    if (!dos.platform.OpenWindow(window)) {
        std::fprintf(stderr, "quendelstrand: the window could not be opened\n");
        return 1;
    }
    form.Show();
    try {
        form.Run();
    } catch (const ScriptFinished&) {
    } catch (const std::exception& e) {
        // A script that failed while the trainer was not running.
        std::fprintf(stderr, "quendelstrand: %s\n", e.what());
        form.Destroy();
        return 1;
    }
    form.Destroy();
    return form.LastError().empty() ? 0 : 1;
}

}  // namespace qs
