// In the ground-motion model design decides: with the model's own joint rule and floor
// load, each better design of the trial set stands where its worse partner falls, and
// every sound design stands a minute at rest with nothing allowed to sleep.
#include <gtest/gtest.h>

#include "tools/preset_designs.h"
#include "tools/quake_lab.h"
#include "tools/trial_designs.h"

namespace {

constexpr int SEEDS = 10;

// M6.5 at 10 km (a PGA of 0.25 g) for 20 s, judged ten seconds after it ends: an unbraced
// frame that survives the shaking leaning falls in the calm after.
LabSettings strongQuake() {
    LabSettings s;
    s.magnitude = 6.5f;
    s.distanceKm = 10.0f;
    s.duration = 20.0f;
    s.seconds = 30.0;
    return s;
}

}  // namespace

TEST(DesignDecides, TheBetterOfEachPairStandsAndTheWorseFallsInAStrongQuake) {
    for (const TrialPair& pair : trialPairs()) {
        const Design better = trialDesign(pair.better);
        const Design worse = trialDesign(pair.worse);
        ASSERT_FALSE(better.lines.empty() || worse.lines.empty()) << pair.better << " / " << pair.worse;
        const auto standing = runLabSeeds(better, strongQuake(), 1, SEEDS);
        const auto falling = runLabSeeds(worse, strongQuake(), 1, SEEDS);
        EXPECT_GE(standingCount(standing), SEEDS * 9 / 10) << labReport(better, strongQuake(), standing);
        EXPECT_LE(standingCount(falling), SEEDS / 10) << labReport(worse, strongQuake(), falling);
    }
}

TEST(DesignDecides, SimpleStructuresStandAMinuteAtRest) {
    LabSettings rest;
    rest.quake = false;
    rest.seconds = 60.0;
    rest.sleeping = false;
    for (const TrialDesign& t : trialDesigns()) {
        if (!t.sound) continue;
        const LabOutcome outcome = runLab(t.design, rest, 1);
        EXPECT_TRUE(outcome.standing) << labReport(t.design, rest, {outcome});
        EXPECT_EQ(outcome.broken, 0) << t.design.name;
    }
}
