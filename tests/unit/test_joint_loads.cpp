// Joint fatigue: accumulation above the threshold, breaking past the limit.
#include <gtest/gtest.h>

#include <cmath>

#include "physics/random_int.h"
#include "physics/engine/b2layer.h"
#include "app/sim_frame.h"
#include "physics/human.h"
#include "physics/joint_loads.h"
#include "physics/world.h"

namespace {

TEST(JointLoadArithmetic, SteadyForceReachesTheDefaultLimitExactlyAfter2000Frames) {
    float accumulated = 0.0f;
    for (int frame = 1; frame <= 2000; ++frame) {
        accumulated = accumulateJointLoad(accumulated, 3000.0f, 1500.0f);
        if (frame == 1) {
            EXPECT_EQ(accumulated, 25.0f);
        }
    }
    EXPECT_EQ(accumulated, 50000.0f);
    EXPECT_FALSE(accumulated > 50000.0f);  // equal to the limit: not above it
    accumulated = accumulateJointLoad(accumulated, 3000.0f, 1500.0f);
    EXPECT_GT(accumulated, 50000.0f);
}

TEST(JointLoadArithmetic, ThresholdIsStrict) {
    EXPECT_EQ(accumulateJointLoad(10.0f, 1500.0f, 1500.0f), 10.0f);
    EXPECT_GT(accumulateJointLoad(10.0f, 1500.5f, 1500.0f), 10.0f);
    EXPECT_EQ(accumulateJointLoad(10.0f, 0.0f, 0.0f), 10.0f);
    EXPECT_GT(accumulateJointLoad(10.0f, 1.0f, 0.0f), 10.0f);
    // Computed in double precision with 1/120 as 0.00833333333, then rounded to float.
    EXPECT_EQ(accumulateJointLoad(0.0f, 120.0f, 0.0f), static_cast<float>(120.0 * 0.00833333333));
}

class JointLoadTest : public ::testing::Test {
protected:
    void SetUp() override { initSimulation(sim); }
    void TearDown() override { destroySimulation(sim); }

    void frame() {
        checkJointLoads(sim);
        float accumulator = 1.0f / 60.0f;
        stepWorld(sim, accumulator);
    }
    std::size_t liveSlots() const {
        std::size_t n = 0;
        for (b2JointId j : sim.jointSlots) n += isLive(j) ? 1 : 0;
        return n;
    }

    Simulation sim;
};

TEST_F(JointLoadTest, BreaksOnTheFrameAfterPassingTheLimitNotBefore) {
    // A post on the ground: its joint carries the post's weight, about 392.
    buildStructure(sim, {Line{{100.0f, -20.0f}, {100.0f, -30.0f}}});
    for (int i = 0; i < 30; ++i) frame();  // let it settle under its weight
    ASSERT_EQ(sim.jointRecords[0].accumulated, 0.0f);
    sim.threshold = 100.0f;
    sim.accumulativeLimit = 30.0f;

    int brokeOn = -1;
    for (int f = 0; f < 40 && brokeOn < 0; ++f) {
        const float before = sim.jointRecords[0].accumulated;
        frame();
        if (!isLive(sim.jointSlots[0])) {
            brokeOn = f;
            EXPECT_GT(before, sim.accumulativeLimit);
            EXPECT_EQ(sim.jointRecords[0].accumulated, before);  // the last force is not added
        } else {
            EXPECT_FALSE(before > sim.accumulativeLimit);
            EXPECT_GT(sim.jointRecords[0].accumulated, before);
        }
    }
    // About 3.27 per frame: past 30 after ten frames, broken on the eleventh.
    EXPECT_EQ(brokeOn, 10);
    EXPECT_FALSE(sim.beams[0].pinned);
    EXPECT_EQ(sim.jointRecords.size(), 1u);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), 0);
    frame();  // broken records are skipped from now on
    EXPECT_FALSE(isLive(sim.jointSlots[0]));
}

TEST_F(JointLoadTest, LoadExactlyAtTheLimitDoesNotBreak) {
    buildStructure(sim, {Line{{100.0f, -20.0f}, {100.0f, -30.0f}}});
    sim.jointRecords[0].accumulated = sim.accumulativeLimit;
    checkJointLoads(sim);
    EXPECT_TRUE(isLive(sim.jointSlots[0]));
    sim.jointRecords[0].accumulated = std::nextafter(sim.accumulativeLimit, 1e9f);
    checkJointLoads(sim);
    EXPECT_FALSE(isLive(sim.jointSlots[0]));
}

TEST_F(JointLoadTest, BelowThresholdNothingAccumulates) {
    buildStructure(sim, {Line{{100.0f, -20.0f}, {100.0f, -30.0f}}});
    for (int i = 0; i < 60; ++i) frame();  // force about 392, default threshold 1500
    EXPECT_EQ(sim.jointRecords[0].accumulated, 0.0f);
    sim.threshold = 0.0f;
    frame();
    EXPECT_GT(sim.jointRecords[0].accumulated, 0.0f);
}

TEST_F(JointLoadTest, NegativeLimitBreaksEveryJointBeforeAnyStep) {
    buildStructure(sim, {Line{{0.0f, -20.0f}, {10.0f, -20.0f}}, Line{{10.0f, -20.0f}, {10.0f, -30.0f}},
                         Line{{10.0f, -30.0f}, {0.0f, -20.0f}}});
    ASSERT_EQ(sim.jointSlots.size(), 7u);  // four on the ground, three between
    sim.accumulativeLimit = -1.0f;
    checkJointLoads(sim);
    EXPECT_EQ(liveSlots(), 0u);
    EXPECT_EQ(sim.jointRecords.size(), 7u);
    for (const Beam& beam : sim.beams) EXPECT_FALSE(beam.pinned);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), 0);
    clearStructure(sim);  // nothing is destroyed twice
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 1);
}

TEST_F(JointLoadTest, ZeroLimitBreaksTheFrameAfterTheFirstLoad) {
    buildStructure(sim, {Line{{100.0f, -20.0f}, {100.0f, -30.0f}}});
    sim.accumulativeLimit = 0.0f;
    sim.threshold = 100.0f;
    checkJointLoads(sim);  // no step yet: no force, nothing happens
    EXPECT_TRUE(isLive(sim.jointSlots[0]));
    float accumulator = 1.0f;
    stepWorld(sim, accumulator);
    checkJointLoads(sim);  // loaded now
    EXPECT_TRUE(isLive(sim.jointSlots[0]));
    EXPECT_GT(sim.jointRecords[0].accumulated, 0.0f);
    checkJointLoads(sim);
    EXPECT_FALSE(isLive(sim.jointSlots[0]));
}

TEST_F(JointLoadTest, FirstBrokenGroundJointClearsPinned) {
    buildStructure(sim, {Line{{0.0f, -20.0f}, {10.0f, -20.0f}}});
    ASSERT_EQ(sim.jointSlots.size(), 2u);
    sim.jointRecords[1].accumulated = sim.accumulativeLimit + 1.0f;
    checkJointLoads(sim);
    EXPECT_TRUE(isLive(sim.jointSlots[0]));
    EXPECT_FALSE(isLive(sim.jointSlots[1]));
    EXPECT_FALSE(sim.beams[0].pinned);  // even though the other end still holds
}

TEST_F(JointLoadTest, RagdollJointsNeverBreak) {
    buildStructure(sim, {Line{{100.0f, -20.0f}, {100.0f, -30.0f}}});
    HumanSpawner spawner;
    Camera2D camera{{425.0f, 425.0f}, {0.0f, 0.0f}, 0.0f, 1.0f};
    spawnHuman(sim, spawner, camera, {525.0f, 375.0f}, [](int, int) { return 0; });
    sim.accumulativeLimit = -1.0f;
    sim.threshold = -1.0f;
    for (int i = 0; i < 30; ++i) frame();
    EXPECT_EQ(liveSlots(), 0u);
    for (int b = 1; b < HUMAN_BONE_COUNT; ++b) EXPECT_TRUE(isLive(sim.humans[0].bones[b].jointId));
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), HUMAN_BONE_COUNT - 1);
}

}  // namespace
