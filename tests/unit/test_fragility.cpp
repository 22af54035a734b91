// The lognormal fragility fit: a known curve recovered from simulated outcomes, and no
// curve where the outcomes cannot bound one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "tools/fragility.h"

namespace {

// Outcomes of structures whose capacities are lognormal with this median and beta: at
// each level every run collapses with probability Phi(ln(x / median) / beta).
std::vector<FragilityLevel> simulatedOutcomes(double median, double beta, int levels, int runsPerLevel,
                                              std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<FragilityLevel> out;
    for (int i = 0; i < levels; ++i) {
        // Levels spread from 1.75 beta below the median to 1.75 above.
        const double z = -1.75 + 3.5 * i / (levels - 1);
        FragilityLevel level{median * std::exp(z * beta), runsPerLevel, 0};
        const double p = standardNormalCdf(z);
        for (int r = 0; r < runsPerLevel; ++r) {
            const double u = static_cast<double>(random()) / 4294967296.0;
            if (u < p) ++level.collapsed;
        }
        out.push_back(level);
    }
    return out;
}

}  // namespace

TEST(Fragility, MaximumLikelihoodRecoversAKnownMedianAndDispersionFrom400Runs) {
    const double median = 0.45;  // g
    const double beta = 0.4;
    const FragilityFit fit = fitLognormalFragility(simulatedOutcomes(median, beta, 8, 50, 2015));
    ASSERT_TRUE(fit.fitted) << fit.reason;
    EXPECT_NEAR(fit.median, median, 0.1 * median);
    EXPECT_NEAR(fit.beta, beta, 0.1 * beta);
}

TEST(Fragility, OutcomesThatCannotBoundACurveGiveNoneAndSayWhy) {
    const std::vector<std::vector<FragilityLevel>> cases = {
        {{0.1, 20, 0}, {0.2, 20, 0}},                  // nothing collapsed
        {{0.1, 20, 20}, {0.2, 20, 20}},                // everything collapsed
        {{0.1, 20, 0}, {0.2, 20, 7}, {0.4, 20, 20}},   // from none to all with no overlap: beta -> 0
        {{0.1, 20, 15}, {0.2, 20, 10}, {0.4, 20, 2}},  // collapse falls as shaking grows
    };
    for (const auto& levels : cases) {
        const FragilityFit fit = fitLognormalFragility(levels);
        EXPECT_FALSE(fit.fitted) << levels[1].collapsed;
        EXPECT_FALSE(fit.reason.empty());
    }
}
