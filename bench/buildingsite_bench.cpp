// Cost of the building site's steps at full-HD size: one frame of the
// barrow's drive (the ground behind it restored, the picture put at its new
// place) and the whole site drawn anew (ground, wall with its five courses
// and joints, the two small pictures), beside a plain memcpy of one full
// frame in the same run, which is what they are measured against.
#include <benchmark/benchmark.h>

#include "GameBench.h"
#include "exercises/buildingsite/BuildingSite.h"
#include "screen/graph/Graph.h"

namespace qs {
namespace {

struct SiteMachine : GameMachine<BuildingSite> {
    SiteMachine() {
        trainer.t.opt.GraphFont = 1;
        game.Prepare();
        game.DrawSite();
    }
};

// The barrow 2 graph points on with the next of its moving frames, back to
// the start at the end of the ground.
void BM_SiteBarrowFrame1080p(benchmark::State& state) {
    SiteMachine m;
    int x = 0;
    int frame = 0;
    for (auto _ : state) {
        m.game.DrawBarrow(frame == 1 ? 3 : 2, x);
        frame = (frame + 1) % 3;
        x = x >= kBarrowEnd ? 0 : x + 2;
    }
}
BENCHMARK(BM_SiteBarrowFrame1080p);

void BM_SiteDrawSite1080p(benchmark::State& state) {
    SiteMachine m;
    for (auto _ : state) m.game.DrawSite();
}
BENCHMARK(BM_SiteDrawSite1080p);

void BM_SiteFrameMemcpy1080p(benchmark::State& state) { FullFrameMemcpy1080p(state); }
BENCHMARK(BM_SiteFrameMemcpy1080p);

}  // namespace
}  // namespace qs
