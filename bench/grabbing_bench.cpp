// Cost of one frame of "Greifen" at full-HD size: the clean page copied
// into the frame page, the 16 parts blended onto it, the frame on the
// window with the hand over it, and the present. It is measured against a
// plain memcpy of two full frames in the same run (the two page copies a
// frame cannot do without) and of one.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "GameBench.h"
#include "exercises/grabbing/Grabbing.h"

namespace qs {
namespace {

struct GrabbingMachine : GameMachine<GrabbingGame> {
    GrabbingMachine() {
        trainer.t.FirstArgument = "";
        game.PrepareGrabbing();
        std::vector<GrabWord> words;
        const char* parts[] = {"Autobahn", "auffahrt", "Haus",   "t\201r", "Tisch", "bein",
                               "Blumen",   "topf",     "Sonnen", "schirm", "Apfel", "baum",
                               "Fenster",  "bank",     "Wasser", "glas"};
        for (int k = 0; k < kGrabWords; ++k)
            words.push_back(GrabWord{k + 1, parts[2 * k], parts[2 * k + 1]});
        game.BeginGroup(words);
    }
};

void BM_GrabbingFrame1080p(benchmark::State& state) {
    GrabbingMachine m;
    for (auto _ : state) m.game.Frame();
}
BENCHMARK(BM_GrabbingFrame1080p);

void BM_GrabbingTwoFrameMemcpy1080p(benchmark::State& state) {
    constexpr size_t kFrameBytes = size_t(1920) * 1080 * 4;
    std::vector<uint8_t> from(kFrameBytes, 1);
    std::vector<uint8_t> middle(kFrameBytes);
    std::vector<uint8_t> to(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(middle.data(), from.data(), kFrameBytes);
        std::memcpy(to.data(), middle.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * kFrameBytes));
}
BENCHMARK(BM_GrabbingTwoFrameMemcpy1080p);

void BM_GrabbingFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_GrabbingFrameMemcpy1080p);

}  // namespace
}  // namespace qs
