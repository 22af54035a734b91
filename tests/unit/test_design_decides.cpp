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

// With connections designed to code, a sound design keeps every joint through a moderate
// quake (M5 at 10 km, PGA 0.11 g) and loses some in the strongest (M7.5 at 5 km, 0.6 g).
TEST(DesignDecides, ASoundDesignHoldsAModerateQuakeAndGivesWayInTheStrongest) {
    const Design hause = trialDesign("hause");
    LabSettings moderate;
    moderate.magnitude = 5.0f;
    moderate.distanceKm = 10.0f;
    moderate.duration = 10.0f;
    moderate.seconds = 15.0;
    LabSettings strongest = moderate;
    strongest.magnitude = 7.5f;
    strongest.distanceKm = 5.0f;
    strongest.duration = 30.0f;
    strongest.seconds = 35.0;
    const auto held = runLabSeeds(hause, moderate, 1, SEEDS);
    for (const LabOutcome& o : held) EXPECT_EQ(o.broken, 0) << labReport(hause, moderate, held);
    const auto shaken = runLabSeeds(hause, strongest, 1, SEEDS);
    int losing = 0;
    for (const LabOutcome& o : shaken) losing += o.broken > 0 ? 1 : 0;
    EXPECT_GE(losing, SEEDS / 2) << labReport(hause, strongest, shaken);
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
