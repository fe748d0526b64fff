// The trainer's random numbers: Random(n) gives 0..n-1 like the DOS
// trainer's, from a seed the platform hands out.
#include <gtest/gtest.h>

#include <set>

#include "exercises/Programs.h"
#include "platform/headless/HeadlessPlatform.h"
#include "trainer/Random.h"

namespace qs::test {
namespace {

std::vector<int> Draws(uint32_t seed, int n, int count) {
    HeadlessOptions o;
    o.seed = seed;
    HeadlessPlatform platform(std::move(o));
    Dos d(platform);
    Trainer tr(d, AllPrograms());
    Randomize(tr);
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(Random(tr, n));
    return out;
}

TEST(RandomTest, RangeAndSeed) {
    const std::vector<int> a = Draws(7, 3, 300);
    const std::set<int> seen(a.begin(), a.end());
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2})) << "every value of 0..n-1, nothing else";
    EXPECT_EQ(Draws(7, 3, 300), a) << "the same seed gives the same numbers";
    EXPECT_NE(Draws(8, 3, 300), a);
    for (int n : {0, 1, -5}) EXPECT_EQ(Draws(1, n, 5), std::vector<int>(5, 0)) << "n " << n;
}

}  // namespace
}  // namespace qs::test
