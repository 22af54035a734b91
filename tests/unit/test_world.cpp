// Building lines into members and joints, the ground zone, clearing, and the time gate.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "physics/design_cost.h"
#include "physics/engine/b2layer.h"
#include "physics/shared_anchors.h"
#include "physics/world.h"

namespace {

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override { initSimulation(sim); }
    void TearDown() override { destroySimulation(sim); }

    // Where joint k's anchors lie in the world now (on body A and on body B).
    b2Vec2 anchorA(std::size_t k) const {
        b2JointId j = sim.jointSlots[k];
        return b2Body_GetWorldPoint(b2Joint_GetBodyA(j), b2Joint_GetLocalAnchorA(j));
    }
    b2Vec2 anchorB(std::size_t k) const {
        b2JointId j = sim.jointSlots[k];
        return b2Body_GetWorldPoint(b2Joint_GetBodyB(j), b2Joint_GetLocalAnchorB(j));
    }
    void expectJoinedAt(std::size_t k, std::size_t a, std::size_t b, Vector2 point) const {
        b2JointId j = sim.jointSlots[k];
        EXPECT_EQ(b2Joint_GetBodyA(j), sim.beams[a].body) << "joint " << k;
        EXPECT_EQ(b2Joint_GetBodyB(j), sim.beams[b].body) << "joint " << k;
        EXPECT_NEAR(anchorA(k).x, point.x, 1e-3f);
        EXPECT_NEAR(anchorA(k).y, point.y, 1e-3f);
        EXPECT_NEAR(anchorB(k).x, point.x, 1e-3f);
        EXPECT_NEAR(anchorB(k).y, point.y, 1e-3f);
        EXPECT_EQ(sim.jointRecords[k].beam, NO_BEAM);
    }

    Simulation sim;
};

TEST_F(WorldTest, GroundStandsBelowMinus20) {
    EXPECT_GE(sim.jointSlots.capacity(), 1000u);
    EXPECT_EQ(b2GetLengthUnitsPerMeter(), 10.0f);
    ASSERT_TRUE(isLive(sim.ground.body));
    b2Vec2 p = b2Body_GetPosition(sim.ground.body);
    EXPECT_FLOAT_EQ(p.x, 250.0f);
    EXPECT_FLOAT_EQ(p.y, -10.0f);
    b2Vec2 corner = b2Body_GetWorldPoint(sim.ground.body, {-sim.ground.halfWidth, -sim.ground.halfLength});
    EXPECT_FLOAT_EQ(corner.x, 0.0f);
    EXPECT_FLOAT_EQ(corner.y, -20.0f);
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 1);
}

TEST_F(WorldTest, MemberBodyRunsFromStartToEnd) {
    Line line{{30.0f, -40.0f}, {40.0f, -50.0f}};
    buildStructure(sim, {line});
    ASSERT_EQ(sim.beams.size(), 1u);
    const Beam& beam = sim.beams[0];
    EXPECT_EQ(beam.halfWidth, 0.5f);
    EXPECT_FLOAT_EQ(beam.halfLength, std::sqrt(200.0f) * 0.5f);
    EXPECT_EQ(beam.color.b, 241);
    EXPECT_FALSE(beam.pinned);
    // Local +y runs from start to end.
    b2Vec2 s = b2Body_GetWorldPoint(beam.body, {0.0f, -beam.halfLength});
    b2Vec2 e = b2Body_GetWorldPoint(beam.body, {0.0f, beam.halfLength});
    EXPECT_NEAR(s.x, 30.0f, 1e-3f);
    EXPECT_NEAR(s.y, -40.0f, 1e-3f);
    EXPECT_NEAR(e.x, 40.0f, 1e-3f);
    EXPECT_NEAR(e.y, -50.0f, 1e-3f);
    EXPECT_NEAR(b2Body_GetMass(beam.body), 4.0f * std::sqrt(200.0f), 1e-2f);
}

TEST_F(WorldTest, EachOfTheFourEndPointCasesJoinsAtTheSharedPoint) {
    const Vector2 P{50.0f, -60.0f};
    const Vector2 A{40.0f, -60.0f};
    const Vector2 B{50.0f, -70.0f};
    struct Case {
        Line a;
        Line b;
    };
    const Case cases[] = {
        {{P, A}, {P, B}},  // 1: same starts
        {{A, P}, {B, P}},  // 2: same ends
        {{P, A}, {B, P}},  // 3: b's end is a's start
        {{A, P}, {P, B}},  // 4: b's start is a's end
    };
    for (const Case& c : cases) {
        buildStructure(sim, {c.a, c.b});
        ASSERT_EQ(sim.jointSlots.size(), 1u);
        ASSERT_EQ(sim.jointRecords.size(), 1u);
        expectJoinedAt(0, 0, 1, P);
        clearStructure(sim);
    }
}

TEST_F(WorldTest, LinePlacedTwiceIsTwoBodiesJoinedOnce) {
    const Vector2 P{50.0f, -60.0f};
    const Vector2 Q{60.0f, -70.0f};
    buildStructure(sim, {Line{P, Q}, Line{P, Q}});
    EXPECT_EQ(sim.beams.size(), 2u);
    ASSERT_EQ(sim.jointSlots.size(), 1u);
    expectJoinedAt(0, 0, 1, P);  // case 1 wins
    clearStructure(sim);

    // In reversed order, case 3 decides: the joint sits at the first line's start.
    buildStructure(sim, {Line{P, Q}, Line{Q, P}, Line{Q, {70.0f, -70.0f}}});
    ASSERT_EQ(sim.jointSlots.size(), 3u);
    expectJoinedAt(0, 0, 1, P);
    expectJoinedAt(1, 0, 2, Q);
    expectJoinedAt(2, 1, 2, Q);
}

TEST_F(WorldTest, ThreeMembersAtOnePointGiveThreeJointsInPairOrder) {
    const Vector2 P{100.0f, -60.0f};
    buildStructure(sim, {Line{P, {90.0f, -60.0f}}, Line{{100.0f, -70.0f}, P}, Line{P, {110.0f, -50.0f}}});
    ASSERT_EQ(sim.jointSlots.size(), 3u);
    expectJoinedAt(0, 0, 1, P);
    expectJoinedAt(1, 0, 2, P);
    expectJoinedAt(2, 1, 2, P);

    // Joints 1 and 2 both hold member 2 at P: the later one stands on the earlier.
    EXPECT_EQ(sim.jointRecords[0].nextSameAnchor, NO_RECORD);
    EXPECT_EQ(sim.jointRecords[1].nextSameAnchor, 2u);
    EXPECT_EQ(sim.jointRecords[2].nextSameAnchor, NO_RECORD);
    EXPECT_TRUE(laterJointOnSameAnchor(sim, 1));
    EXPECT_FALSE(laterJointOnSameAnchor(sim, 0));
    b2DestroyJoint(sim.jointSlots[2]);
    EXPECT_FALSE(laterJointOnSameAnchor(sim, 1));
}

TEST_F(WorldTest, CrossingMembersAreNotJoined) {
    buildStructure(sim, {Line{{0.0f, -30.0f}, {10.0f, -40.0f}}, Line{{0.0f, -40.0f}, {10.0f, -30.0f}}});
    EXPECT_EQ(sim.beams.size(), 2u);
    EXPECT_TRUE(sim.jointSlots.empty());
    EXPECT_TRUE(sim.jointRecords.empty());
}

TEST_F(WorldTest, GroundZoneIsMinus25ToMinus20Inclusive) {
    buildStructure(sim, {Line{{50.0f, -25.0f}, {50.0f, -35.0f}}, Line{{70.0f, -25.01f}, {70.0f, -35.0f}},
                         Line{{90.0f, -30.0f}, {90.0f, -40.0f}}, Line{{110.0f, -19.99f}, {110.0f, -29.0f}}});
    ASSERT_EQ(sim.jointSlots.size(), 1u);
    EXPECT_TRUE(sim.beams[0].pinned);
    EXPECT_FALSE(sim.beams[1].pinned);
    EXPECT_FALSE(sim.beams[2].pinned);
    EXPECT_FALSE(sim.beams[3].pinned);
    EXPECT_EQ(sim.jointRecords[0].beam, 0);
    // The member's anchor is half a unit below its end; the ground's is on its surface.
    b2JointId j = sim.jointSlots[0];
    EXPECT_EQ(b2Joint_GetBodyA(j), sim.beams[0].body);
    EXPECT_EQ(b2Joint_GetBodyB(j), sim.ground.body);
    EXPECT_NEAR(anchorA(0).x, 50.0f, 1e-3f);
    EXPECT_NEAR(anchorA(0).y, -24.5f, 1e-3f);
    EXPECT_NEAR(anchorB(0).x, 50.0f, 1e-3f);
    EXPECT_NEAR(anchorB(0).y, -20.0f, 1e-3f);
}

TEST_F(WorldTest, HorizontalMemberOnTheBottomRowGetsTwoGroundJoints) {
    buildStructure(sim, {Line{{0.0f, -20.0f}, {10.0f, -20.0f}}});
    ASSERT_EQ(sim.jointRecords.size(), 2u);
    EXPECT_TRUE(sim.beams[0].pinned);
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(sim.jointRecords[k].beam, 0);
        EXPECT_EQ(sim.jointRecords[k].jointSlot, k);
    }
    EXPECT_NEAR(anchorB(0).x, 0.0f, 1e-3f);  // start first
    EXPECT_NEAR(anchorB(1).x, 10.0f, 1e-3f);
}

TEST_F(WorldTest, SlotsFollowMemberOrderGroundJointsFirst) {
    // A frame: left post, beam across the top, right post.
    buildStructure(sim, {Line{{0.0f, -20.0f}, {0.0f, -30.0f}}, Line{{0.0f, -30.0f}, {10.0f, -30.0f}},
                         Line{{10.0f, -20.0f}, {10.0f, -30.0f}}});
    ASSERT_EQ(sim.jointRecords.size(), 4u);
    EXPECT_EQ(sim.jointRecords[0].beam, 0);  // post 0 on the ground
    expectJoinedAt(1, 0, 1, {0.0f, -30.0f});
    expectJoinedAt(2, 1, 2, {10.0f, -30.0f});
    EXPECT_EQ(sim.jointRecords[3].beam, 2);  // post 2 on the ground
    EXPECT_EQ(b2Joint_GetBodyA(sim.jointSlots[3]), sim.beams[2].body);
}

TEST_F(WorldTest, ManyJointsKeepValidReferences) {
    // A 20 x 20 grid of horizontal and vertical members: well over 1000 joints.
    std::vector<Line> lines;
    for (int r = 0; r < 20; ++r) {
        for (int c = 0; c < 20; ++c) {
            float x = 10.0f * static_cast<float>(c);
            float y = -20.0f - 10.0f * static_cast<float>(r);
            lines.push_back(Line{{x, y}, {x + 10.0f, y}});
            lines.push_back(Line{{x, y}, {x, y - 10.0f}});
        }
    }
    buildStructure(sim, lines);
    ASSERT_GT(sim.jointSlots.size(), 1000u);
    ASSERT_EQ(sim.jointRecords.size(), sim.jointSlots.size());
    for (std::size_t k = 0; k < sim.jointRecords.size(); ++k) {
        const JointRecord& rec = sim.jointRecords[k];
        ASSERT_EQ(rec.jointSlot, k);
        ASSERT_TRUE(isLive(sim.jointSlots[k]));
        if (rec.beam != NO_BEAM) {
            ASSERT_LT(static_cast<std::size_t>(rec.beam), sim.beams.size());
            EXPECT_EQ(b2Joint_GetBodyA(sim.jointSlots[k]), sim.beams[static_cast<std::size_t>(rec.beam)].body);
            EXPECT_EQ(b2Joint_GetBodyB(sim.jointSlots[k]), sim.ground.body);
        }
    }
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), static_cast<int>(sim.jointSlots.size()));
}

TEST_F(WorldTest, ClearThenRebuildGivesFreshRecords) {
    std::vector<Line> lines{Line{{0.0f, -20.0f}, {0.0f, -30.0f}}, Line{{0.0f, -30.0f}, {10.0f, -30.0f}}};
    buildStructure(sim, lines);
    const std::size_t joints = sim.jointRecords.size();
    for (JointRecord& rec : sim.jointRecords) rec.accumulated = 123.0f;
    const std::size_t reserved = sim.jointSlots.capacity();

    clearStructure(sim);
    EXPECT_TRUE(sim.beams.empty());
    EXPECT_TRUE(sim.jointSlots.empty());
    EXPECT_TRUE(sim.jointRecords.empty());
    EXPECT_TRUE(sim.humans.empty());
    EXPECT_EQ(sim.jointSlots.capacity(), reserved);
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 1);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), 0);
    EXPECT_TRUE(isLive(sim.ground.body));

    buildStructure(sim, lines);
    ASSERT_EQ(sim.jointRecords.size(), joints);
    for (const JointRecord& rec : sim.jointRecords) EXPECT_EQ(rec.accumulated, 0.0f);
}

TEST_F(WorldTest, ClearSkipsJointsThatAlreadyBroke) {
    buildStructure(sim, {Line{{0.0f, -20.0f}, {10.0f, -20.0f}}, Line{{10.0f, -20.0f}, {20.0f, -20.0f}}});
    b2DestroyJoint(sim.jointSlots[1]);
    sim.jointSlots[1] = b2JointId{};
    clearStructure(sim);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), 0);
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 1);
}

TEST_F(WorldTest, UnbuildableLinesAreLeftOut) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Vector2 P{30.0f, -40.0f};
    std::vector<Line> lines{
        Line{{20.0f, -40.0f}, P},        // kept
        Line{P, P},                      // zero length
        Line{{nan, -40.0f}, P},          // not a number
        Line{P, {inf, -40.0f}},          // infinite
        Line{{-3e38f, -40.0f}, {3e38f, -40.0f}},  // length overflows
        Line{P, {30.0f, -50.0f}},        // kept
    };
    buildStructure(sim, lines);
    ASSERT_EQ(sim.beams.size(), 2u);
    EXPECT_EQ(sim.beams[0].line.start.x, 20.0f);
    EXPECT_EQ(sim.beams[1].line.end.y, -50.0f);
    ASSERT_EQ(sim.jointSlots.size(), 1u);
    expectJoinedAt(0, 0, 1, P);
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 3);
    float accumulator = 1.0f;
    EXPECT_TRUE(stepWorld(sim, accumulator));
}

TEST_F(WorldTest, TimeGateStepsAtMostOncePerFrame) {
    float accumulator = 0.0f;
    // Frames of 1/30 s: every frame steps.
    for (int i = 0; i < 5; ++i) {
        accumulator += 1.0f / 30.0f;
        EXPECT_TRUE(stepWorld(sim, accumulator));
        EXPECT_EQ(accumulator, 0.0f);
    }
    // Frames of 1/1000 s: the ninth is the first to step, and the count starts over.
    for (int round = 0; round < 2; ++round) {
        for (int i = 1; i <= 9; ++i) {
            accumulator += 0.001f;
            EXPECT_EQ(stepWorld(sim, accumulator), i == 9) << "frame " << i;
        }
        EXPECT_EQ(accumulator, 0.0f);
    }
    // Exactly 1/120 s as a float is just above the gate; anything at or below it waits.
    accumulator = 0.008333333f;
    EXPECT_FALSE(stepWorld(sim, accumulator));
    // A long stay in the editor: one step at once, the rest dropped.
    accumulator = 12.5f;
    EXPECT_TRUE(stepWorld(sim, accumulator));
    EXPECT_EQ(accumulator, 0.0f);
}

TEST_F(WorldTest, OneStepAdvancesOneTwentiethOfASecondNoMore) {
    buildStructure(sim, {Line{{100.0f, -200.0f}, {110.0f, -200.0f}}});
    float accumulator = 3.0f;
    stepWorld(sim, accumulator);
    // Free fall from rest for 1/120 s.
    EXPECT_NEAR(b2Body_GetLinearVelocity(sim.beams[0].body).y, GRAVITY_Y / 120.0f, 1e-3f);
}

}  // namespace

TEST_F(WorldTest, DesignCostIsWhatTheBuiltMembersWeigh) {
    // 1 m, 3 m and 5 m long, and a line of no length that is not built.
    const std::vector<Line> lines = {
        {{10, -20}, {10, -30}}, {{10, -30}, {40, -30}}, {{10, -20}, {40, -60}}, {{5, 5}, {5, 5}}};
    for (float density : {4.0f, -1.0f}) {
        sim.density = density;
        buildStructure(sim, lines);
        float built = 0.0f;
        for (const Beam& beam : sim.beams) built += b2Body_GetMass(beam.body);
        const DesignCost cost = designCost(lines, density, sim.lengthUnitsPerMeter);
        EXPECT_EQ(cost.lines, 4u);
        EXPECT_FLOAT_EQ(cost.lengthMetres, 9.0f);
        EXPECT_NEAR(cost.mass, built, 1e-4f * built) << density;
        clearStructure(sim);
    }
}

// A floor load adds its mass per metre to horizontal members only; members carry their
// own 40 kg per metre at density 4 in any setup.
TEST_F(WorldTest, FloorLoadWeighsOnHorizontalMembersOnly) {
    WorldSetup setup;
    setup.floorLoadKgPerMetre = 300.0f;
    setWorldSetup(sim, setup);
    buildStructure(sim, {Line{{100, -20}, {100, -50}}, Line{{100, -50}, {140, -50}}, Line{{100, -20}, {140, -50}}});
    EXPECT_NEAR(b2Body_GetMass(sim.beams[0].body), 120.0f, 0.01f);
    EXPECT_NEAR(b2Body_GetMass(sim.beams[1].body), 4.0f * (40.0f + 300.0f), 0.1f);
    EXPECT_NEAR(b2Body_GetMass(sim.beams[2].body), 200.0f, 0.01f);
}

// A leaning post pinned at its foot: the classic base joint's motor friction holds it,
// a true pin lets it fall.
TEST_F(WorldTest, ClassicBaseJointHoldsALeaningPostATruePinLetsItFall) {
    for (const float torque : {GROUND_MOTOR_TORQUE, 0.0f}) {
        renewWorld(sim);
        WorldSetup setup;
        setup.baseMotorTorque = torque;
        setWorldSetup(sim, setup);
        buildStructure(sim, {Line{{100.0f, -20.0f}, {115.0f, -46.0f}}});
        for (int f = 0; f < 360; ++f) {
            float accumulator = 1.0f;
            stepWorld(sim, accumulator);
        }
        const float topY = b2Body_GetWorldPoint(sim.beams[0].body, b2Vec2{0.0f, sim.beams[0].halfLength}).y;
        if (torque > 0.0f) {
            EXPECT_NEAR(topY, -46.0f, 1.0f);
        } else {
            EXPECT_GT(topY, -41.0f) << "the post should be toppling";
        }
    }
}
