// What the game benchmarks share: one game object on a headless main window
// of full-HD size, and the yardstick every game step is given against, one
// plain copy of a whole frame measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "BenchAppDir.h"
#include "exercises/Programs.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shell/MainWindow.h"
#include "trainer/TrainerState.h"

namespace qs {

template <class Game>
struct GameMachine {
    HeadlessPlatform platform;
    Dos dos;
    TForm_dos form;
    Trainer trainer;
    Game game;
    GameMachine()
        : platform(Options()),
          dos(platform),
          form(dos, [](Dos&) {}),
          trainer(dos, AllPrograms()),
          game(trainer) {
        form.Create();
        platform.OpenWindow(WindowOptions{});
        form.Show();
    }
    static HeadlessOptions Options() {
        HeadlessOptions o;
        o.size = {1920, 1080};
        o.programPath = BenchAppDir() + "quendelstrand";
        return o;
    }
};

inline void FullFrameMemcpy1080p(benchmark::State& state) {
    constexpr size_t kFrameBytes = size_t(1920) * 1080 * 4;
    std::vector<uint8_t> from(kFrameBytes, 1);
    std::vector<uint8_t> to(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFrameBytes));
}

}  // namespace qs
