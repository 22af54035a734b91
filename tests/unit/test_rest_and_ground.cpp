// Resting structures fall asleep and wake when something happens to them; the strongest
// quake drives nothing through the ground.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "app/sim_frame.h"
#include "bench/trusses.h"
#include "physics/engine/b2layer.h"
#include "physics/human.h"
#include "physics/joint_loads.h"
#include "physics/world.h"
#include "quake/quake.h"

namespace {

const RandomInt lowest = [](int lo, int) { return lo; };

class RestTest : public ::testing::Test {
protected:
    void SetUp() override {
        initSimulation(sim);
        quake.groundBody = sim.ground.body;
    }
    void TearDown() override { destroySimulation(sim); }

    void frames(int count, bool startQuake = false) {
        for (int i = 0; i < count; ++i) {
            SimFrameEvents events;
            events.frameTime = 1.0f / 60.0f;
            events.startQuake = startQuake && i == 0;
            float accumulator = events.frameTime;
            simulateFrame(sim, quake, spawner, accumulator, events, lowest);
        }
    }
    int awakeMembers() const {
        int awake = 0;
        for (const Beam& beam : sim.beams) awake += b2Body_IsAwake(beam.body) ? 1 : 0;
        return awake;
    }

    Simulation sim;
    QuakeState quake;
    HumanSpawner spawner;
};

TEST_F(RestTest, AStandingTrussSleepsAndWakesForAQuakeAFigureOrABreak) {
    sim.threshold = std::numeric_limits<float>::max();  // it stands for good
    buildStructure(sim, makeTruss(5, 5, 6));
    frames(600);
    ASSERT_EQ(awakeMembers(), 0);

    // Its loads still count while it sleeps: the same forces, frame after frame.
    const float before = sim.jointRecords[0].accumulated;
    sim.threshold = 0.0f;
    frames(1);
    EXPECT_GT(sim.jointRecords[0].accumulated, before);
    sim.threshold = std::numeric_limits<float>::max();

    quake.duration = 1.0f;
    frames(1, true);
    EXPECT_GT(awakeMembers(), 0) << "a starting quake";
    frames(900);
    ASSERT_EQ(awakeMembers(), 0);

    dropHuman(sim, spawner, Vector2{80.0f, -120.0f}, lowest);  // above the truss (its top is y = -80)
    bool woke = false;
    for (int i = 0; i < 600 && !woke; ++i) {  // it lands after about three seconds
        frames(1);
        woke = awakeMembers() > 0;
    }
    EXPECT_TRUE(woke) << "a figure landing";
    frames(900);
    ASSERT_EQ(awakeMembers(), 0);

    sim.accumulativeLimit = -1.0f;  // every joint breaks at the next check
    frames(1);
    EXPECT_GT(awakeMembers(), 0) << "joints breaking";
}

TEST_F(RestTest, TheStrongestQuakeDrivesNothingThroughTheGround) {
    buildStructure(sim, makeTruss(5, 6, 4));
    for (int k = 0; k < 20; ++k) dropHuman(sim, spawner, Vector2{60.0f + 8.0f * k, -90.0f}, lowest);
    quake.magnitude = 104.0f;  // the force limit, at the epicenter
    quake.duration = 2.0f;
    frames(240, true);
    frames(240);  // the quake is over; what is left settles

    const float groundTop = sim.groundTop;
    auto aboveGround = [&](b2BodyId body) {
        const b2Vec2 p = b2Body_GetPosition(body);
        const bool overGround = p.x >= 0.0f && p.x <= 500.0f;  // off its ends a body may fall for ever
        return !overGround || p.y < groundTop;
    };
    for (const Beam& beam : sim.beams) EXPECT_TRUE(aboveGround(beam.body));
    for (const Human& human : sim.humans) {
        for (const Bone& bone : human.bones) EXPECT_TRUE(aboveGround(bone.bodyId));
    }
}

}  // namespace
