// Costs of Kontakt's moving parts at full-HD size: one cable drawn and
// taken away again (both XOR), and one step of a plug on its way to a
// socket (cable off, the plug one point on over the clean board, cable
// on), beside a plain memcpy of one full frame in the same run.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/contact/Contact.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

struct ContactMachine : GameMachine<elektro> {
    ContactMachine() {
        InitGraph(dos, 0);
        game.Prepare();
        trainer.t.opt.KontaktThickness = 3;
        SetFillStyle(dos, fillstyle::Solid, 20);
        Bar(dos, 0, 0, 639, 479);
        SetFillStyle(dos, fillstyle::Solid, colour::Grey);
        Bar(dos, 30, 50, 316, 370);
        SavePage(dos, 0);
        game.leftPlug = {0, 380, 0, 0};
        game.rightPlug = {590, 380, 0, 0};
        game.DrawLeftCable();
        game.DrawRightCable();
    }
};

void BM_ContactCableDrawnAndUndrawn1080p(benchmark::State& state) {
    ContactMachine m;
    for (auto _ : state) {
        m.game.DrawLeftCable();
        m.game.DrawLeftCable();
    }
}
BENCHMARK(BM_ContactCableDrawnAndUndrawn1080p);

// The left plug between its rest place and the lowest socket of column 2,
// one point per step as the game moves it.
void BM_ContactPlugStep1080p(benchmark::State& state) {
    ContactMachine m;
    bool out = true;
    for (auto _ : state) {
        const bool moved = out ? m.game.StepLeftPlug(251, 344) : m.game.StepLeftPlug(0, 380);
        if (!moved) out = !out;
    }
}
BENCHMARK(BM_ContactPlugStep1080p);

void BM_ContactFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_ContactFrameMemcpy1080p);

}  // namespace
}  // namespace qs
