// The ground-motion noise. Expected values come from a separate implementation of
// MT19937, the reseed shuffle and improved Perlin noise (tests/unit/data/perlin_reference.py),
// written from the algorithm's description rather than from this code.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "quake/perlin.h"

namespace {

void expectPermutation(const PerlinNoise& noise) {
    std::array<int, 256> seen{};
    for (std::uint8_t v : noise.permutation) ++seen[v];
    for (int count : seen) ASSERT_EQ(count, 1);
}

struct SeedCase {
    std::uint32_t seed;
    std::array<int, 16> first;
    std::array<int, 4> last;
    // sample(x, NOISE_Y, NOISE_Z) for x = 0, 0.5, 1.25, -3.7, 1234.5678, -9999.996, 255.9, 256.1
    std::array<double, 8> slice;
    double at035;     // sample(0.3, 0.6, 0.9)
    double atMixed;   // sample(-1.5, -2.25, 7.75)
};

const SeedCase SEED_CASES[] = {
    {0,
     {75, 229, 58, 181, 81, 61, 241, 162, 13, 77, 238, 186, 236, 60, 113, 116},
     {138, 26, 243, 244},
     {0.39354570028994479, 0.14044816858294626, -0.40918052162306506, -0.58757316703951934,
      -0.046757729089845081, -0.045353047207600194, 0.3627268973213813, 0.41094491215954437},
     0.30572887830927353,
     -0.078599929809570312},
    {1,
     {227, 104, 23, 127, 24, 77, 47, 123, 147, 79, 48, 204, 156, 159, 16, 183},
     {102, 88, 236, 215},
     {-0.062753277482737041, 0.029885485214012179, 0.0047871534086164624, 0.049427659598472763,
      -0.023805372566268829, -0.068546372218704188, 0.037092428702075526, -0.15162401255710395},
     0.049223610479001534,
     0.6455998420715332},
    {12345,
     {92, 65, 117, 42, 124, 223, 102, 197, 86, 173, 96, 111, 244, 247, 48, 245},
     {49, 143, 190, 103},
     {-0.15130357559044449, 0.13546183455342875, 0.53199052735893959, 0.50376740555294086,
      0.10073293833087864, 0.37134100523946828, -0.22175381054801602, -0.076153992748613453},
     -0.33344151830661123,
     -0.09027862548828125},
    {1700000000,
     {129, 55, 172, 128, 127, 65, 216, 142, 116, 175, 195, 227, 13, 88, 125, 114},
     {78, 131, 193, 223},
     {-0.12891507749567957, 0.056671164994461537, 0.5478310039782569, 0.089871826145306727,
      -0.088942726113284631, -0.26867781209111424, -0.17394934882177615, -0.079105805716505828},
     -0.33273480337305605,
     0.048194408416748047},
    {4294967295u,
     {126, 138, 91, 80, 13, 176, 28, 124, 174, 210, 119, 163, 72, 38, 26, 162},
     {11, 87, 67, 175},
     {-0.015363174718745681, 0.14630359272191396, 0.086099520982358804, -0.14622912095937651,
      -0.22220033410715184, 0.40677102782671404, -0.010193421151541843, -0.011866185696933568},
     0.19327979577538545,
     -0.20188426971435547},
};

const double SLICE_X[8] = {0.0, 0.5, 1.25, -3.7, 1234.5678, -9999.996, 255.9, 256.1};

}  // namespace

TEST(Perlin, StartsWithTheReferencePermutation) {
    PerlinNoise noise = makePerlinNoise();
    expectPermutation(noise);
    const int head[8] = {151, 160, 137, 91, 90, 15, 131, 13};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(noise.permutation[static_cast<std::size_t>(i)], head[i]);
    EXPECT_EQ(noise.permutation[255], 180);
    // The well-known value of the reference noise at (3.14, 42, 7).
    EXPECT_NEAR(sample(noise, 3.14, 42.0, 7.0), 0.13691995878400012, 1e-12);
    EXPECT_NEAR(sample(noise, 0.5, NOISE_Y, NOISE_Z), -0.12295496305600211, 1e-12);
    EXPECT_NEAR(sample(noise, -7.25, NOISE_Y, NOISE_Z), -0.075954064855833087, 1e-12);
}

TEST(Perlin, ReseedShufflesWithTheMersenneTwister) {
    for (const SeedCase& c : SEED_CASES) {
        SCOPED_TRACE(c.seed);
        PerlinNoise noise = makePerlinNoise();
        reseed(noise, c.seed);
        expectPermutation(noise);
        for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(noise.permutation[i], c.first[i]) << i;
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(noise.permutation[252 + i], c.last[i]) << i;
    }
}

TEST(Perlin, ReseedDependsOnlyOnTheSeed) {
    PerlinNoise a = makePerlinNoise();
    PerlinNoise b = makePerlinNoise();
    reseed(b, 99);  // whatever was there before is replaced
    reseed(a, 7);
    reseed(b, 7);
    EXPECT_EQ(a.permutation, b.permutation);
}

TEST(Perlin, SamplesMatchTheReference) {
    for (const SeedCase& c : SEED_CASES) {
        SCOPED_TRACE(c.seed);
        PerlinNoise noise = makePerlinNoise();
        reseed(noise, c.seed);
        for (int i = 0; i < 8; ++i) {
            EXPECT_NEAR(sample(noise, SLICE_X[i], NOISE_Y, NOISE_Z), c.slice[static_cast<std::size_t>(i)], 1e-12)
                << "x = " << SLICE_X[i];
        }
        EXPECT_NEAR(sample(noise, 0.3, 0.6, 0.9), c.at035, 1e-12);
        EXPECT_NEAR(sample(noise, -1.5, -2.25, 7.75), c.atMixed, 1e-12);
    }
}

TEST(Perlin, SamplingIsPureAndPeriodic) {
    PerlinNoise noise = makePerlinNoise();
    reseed(noise, 2024);
    const PerlinNoise before = noise;
    const double first = sample(noise, 812.375, NOISE_Y, NOISE_Z);
    EXPECT_EQ(sample(noise, 812.375, NOISE_Y, NOISE_Z), first);
    EXPECT_EQ(noise.permutation, before.permutation);
    // The lattice repeats every 256 cells, also far beyond the range of int.
    EXPECT_EQ(sample(noise, 812.375 + 256.0 * 1000.0, NOISE_Y, NOISE_Z), first);
    EXPECT_EQ(sample(noise, 812.375 - 256.0 * 1000.0, NOISE_Y, NOISE_Z), first);
    const double far = sample(noise, 0x1p60, NOISE_Y, NOISE_Z);  // a multiple of 256
    EXPECT_EQ(far, sample(noise, 0.0, NOISE_Y, NOISE_Z));
}

TEST(Perlin, StaysWithinRangeAndIsSilentOffTheNumbers) {
    PerlinNoise noise = makePerlinNoise();
    reseed(noise, 5);
    double lo = 0.0;
    double hi = 0.0;
    for (int i = -20000; i <= 20000; ++i) {
        const double v = sample(noise, i * 0.0137, NOISE_Y, NOISE_Z);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_GT(lo, -1.1);
    EXPECT_LT(hi, 1.1);
    EXPECT_LT(lo, -0.3);  // and it does move
    EXPECT_GT(hi, 0.3);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(sample(noise, std::nan(""), NOISE_Y, NOISE_Z), 0.0);
    EXPECT_EQ(sample(noise, inf, NOISE_Y, NOISE_Z), 0.0);
    EXPECT_EQ(sample(noise, -inf, NOISE_Y, NOISE_Z), 0.0);
    EXPECT_TRUE(std::isfinite(sample(noise, 1e300, NOISE_Y, NOISE_Z)));
}
