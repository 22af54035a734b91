// Drift measured from floors moved by hand, and the damage its peaks stand for.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "physics/engine/b2layer.h"
#include "physics/rest_pose.h"
#include "physics/world.h"
#include "quake/drift.h"

namespace {

// Moves a body along x and down (world units), keeping its angle.
void shift(b2BodyId body, float dx, float dy = 0.0f) {
    const b2Vec2 at = b2Body_GetPosition(body);
    b2Body_SetTransform(body, b2Vec2{at.x + dx, at.y + dy}, b2Body_GetRotation(body));
}

}  // namespace

// Two bays 4 m tall, the left one carrying a 3 m storey: floors at 4 m (two members)
// and 7 m (one), a footing that is no floor.
TEST(Drift, FloorsMovedByHandGiveEachStoreysRatioRelativeToTheGround) {
    Simulation sim;
    initSimulation(sim);
    const std::vector<Line> lines = {
        {{-10, -20}, {90, -20}},                                                // footing on the ground
        {{0, -20}, {0, -60}},   {{40, -20}, {40, -60}}, {{80, -20}, {80, -60}},  // columns
        {{0, -60}, {40, -60}},  {{40, -60}, {80, -60}},                          // first floor, beams 4, 5
        {{0, -60}, {0, -90}},   {{40, -60}, {40, -90}}, {{0, -90}, {40, -90}},   // roof, beam 8
    };
    buildStructure(sim, lines);
    ASSERT_EQ(sim.beams.size(), lines.size());
    const RestPose rest = captureRestPose(sim);
    DriftTrack track = startDriftTrack(sim);
    ASSERT_EQ(track.levels.size(), 2u);
    EXPECT_EQ(track.members.size(), 3u);

    // The ground 0.2 along; the first floor's beams 0.4 and 0.8 more (mean 0.6), the roof 1.2.
    shift(sim.ground.body, 0.2f);
    shift(sim.beams[4].body, 0.6f);
    shift(sim.beams[5].body, 1.0f);
    shift(sim.beams[8].body, 1.4f);
    updateDrift(track, sim, rest);
    EXPECT_NEAR(track.displacement[0], 0.6f, 1e-4f);
    EXPECT_NEAR(track.storeyDrift[0], 0.6f / 40.0f, 1e-5f);
    EXPECT_NEAR(track.storeyDrift[1], 0.6f / 30.0f, 1e-5f);
    EXPECT_NEAR(track.roofDrift, 1.2f / 70.0f, 1e-5f);
    EXPECT_NEAR(largestStoreyDrift(track), 0.02f, 1e-5f);
    EXPECT_EQ(storeyDamage(track, 0), DamageState::Moderate);  // 1.5 %
    EXPECT_EQ(storeyDamage(track, 1), DamageState::Moderate);  // 2 %

    // Swayed the other way, by less: the live values follow, the peaks (sizes) stay.
    shift(sim.beams[4].body, -0.8f);
    shift(sim.beams[5].body, -0.8f);
    shift(sim.beams[8].body, -1.6f);
    updateDrift(track, sim, rest);
    EXPECT_NEAR(track.storeyDrift[0], -0.2f / 40.0f, 1e-5f);
    EXPECT_NEAR(track.roofDrift, -0.4f / 70.0f, 1e-5f);
    EXPECT_NEAR(track.peakStoreyDrift[0], 0.6f / 40.0f, 1e-5f);
    EXPECT_NEAR(track.peakRoofDrift, 1.2f / 70.0f, 1e-5f);

    // The roof beam falls off: the roof and the top storey keep what they had, the first
    // storey still follows its floor.
    shift(sim.beams[8].body, 0.0f, COME_OFF_DROP + 1.0f);
    shift(sim.beams[4].body, 2.0f);
    shift(sim.beams[5].body, 2.0f);
    updateDrift(track, sim, rest);
    EXPECT_TRUE(track.lost[1]);
    EXPECT_NEAR(track.storeyDrift[0], 1.8f / 40.0f, 1e-5f);
    EXPECT_NEAR(track.storeyDrift[1], -0.2f / 30.0f, 1e-5f);
    EXPECT_NEAR(track.roofDrift, -0.4f / 70.0f, 1e-5f);
    EXPECT_EQ(worstDamage(track), DamageState::Extensive);
    destroySimulation(sim);
}

TEST(Drift, EachDamageStateBeginsAtItsThresholdWhicheverWayTheStoreySways) {
    const float thresholds[] = {SLIGHT_DRIFT, MODERATE_DRIFT, EXTENSIVE_DRIFT, COMPLETE_DRIFT};
    const DamageState states[] = {DamageState::Slight, DamageState::Moderate, DamageState::Extensive,
                                  DamageState::Complete};
    DamageState below = DamageState::None;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(damageStateForDrift(thresholds[i]), states[i]) << damageName(states[i]);
        EXPECT_EQ(damageStateForDrift(-thresholds[i]), states[i]) << damageName(states[i]);
        EXPECT_EQ(damageStateForDrift(std::nextafter(thresholds[i], 0.0f)), below) << damageName(states[i]);
        below = states[i];
    }
    EXPECT_EQ(damageStateForDrift(0.0f), DamageState::None);
}
