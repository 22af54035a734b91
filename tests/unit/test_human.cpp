// Ragdoll figures: build, numbering, spin, collision filters, landing, removal.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "physics/engine/b2layer.h"
#include "app/sim_frame.h"
#include "physics/human.h"
#include "physics/world.h"

namespace {

const Camera2D CAMERA{{425.0f, 425.0f}, {0.0f, 0.0f}, 0.0f, 1.0f};

RandomInt fixed(int value) {
    return [value](int lo, int hi) {
        EXPECT_EQ(lo, 0);
        EXPECT_EQ(hi, 15);
        return value;
    };
}

class HumanTest : public ::testing::Test {
protected:
    void SetUp() override { initSimulation(sim); }
    void TearDown() override { destroySimulation(sim); }

    // Spawns with the mouse at the window pixel that shows world point `at` (camera at rest).
    Human& spawnAt(Vector2 at, int rise = 0) {
        spawnHuman(sim, spawner, CAMERA, Vector2{at.x + 425.0f, at.y + 425.0f}, fixed(rise));
        return sim.humans.back();
    }
    void run(int frames) {
        for (int i = 0; i < frames; ++i) {
            float accumulator = 1.0f / 60.0f;
            stepWorld(sim, accumulator);
        }
    }
    // Which figure (index into humans) owns the body, or -1.
    int ownerOf(b2BodyId body) const {
        for (std::size_t h = 0; h < sim.humans.size(); ++h) {
            for (const Bone& bone : sim.humans[h].bones) {
                if (bone.bodyId == body) return static_cast<int>(h);
            }
        }
        return -1;
    }

    Simulation sim;
    HumanSpawner spawner;
};

TEST(HumanSpin, FollowsTheXorshiftSequenceFrom12345) {
    std::uint32_t state = 12345u;
    EXPECT_NEAR(nextSpinImpulse(state), 205.0f, 0.05f);
    EXPECT_NEAR(nextSpinImpulse(state), -212.2f, 0.05f);
    for (int i = 0; i < 10000; ++i) {
        float impulse = nextSpinImpulse(state);
        ASSERT_GE(impulse, -250.0f);
        ASSERT_LE(impulse, 250.0f);
    }
}

TEST_F(HumanTest, FigureIsBuiltFromTheBoneAndJointTables) {
    Human& human = spawnAt({100.0f, -100.0f}, 7);
    ASSERT_TRUE(human.isSpawned);
    EXPECT_EQ(human.frictionTorque, 0.05f);
    EXPECT_EQ(human.scale, 5.0f);
    EXPECT_EQ(human.originalScale, 5.0f);
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 1 + HUMAN_BONE_COUNT);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), HUMAN_BONE_COUNT - 1);
    EXPECT_STREQ(b2Body_GetName(human.bones[2].bodyId), "head");
    EXPECT_NEAR(b2Shape_GetCapsule([&] {
                    b2ShapeId shape{};
                    b2Body_GetShapes(human.bones[0].bodyId, &shape, 1);
                    return shape;
                }()).radius, 0.475f, 1e-5f);

    const float offsets[HUMAN_BONE_COUNT] = {0.95f, 1.2f, 1.475f, 0.775f, 0.475f, 0.775f,
                                             0.475f, 1.225f, 0.975f, 1.225f, 0.975f};
    const int parents[HUMAN_BONE_COUNT] = {-1, 0, 1, 0, 3, 0, 5, 1, 7, 1, 9};
    for (int i = 0; i < HUMAN_BONE_COUNT; ++i) {
        const Bone& bone = human.bones[i];
        SCOPED_TRACE(i);
        ASSERT_TRUE(isLive(bone.bodyId));
        EXPECT_EQ(bone.parentIndex, parents[i]);
        // Spawn point (100, -100) raised by the random 7.
        b2Vec2 p = b2Body_GetPosition(bone.bodyId);
        EXPECT_NEAR(p.x, 100.0f, 1e-4f);
        EXPECT_NEAR(p.y, -107.0f + offsets[i] * 5.0f, 1e-3f);

        b2ShapeId shapes[3];
        const bool foot = i == 4 || i == 6;
        ASSERT_EQ(b2Body_GetShapes(bone.bodyId, shapes, 3), foot ? 2 : 1);
        ASSERT_EQ(b2Shape_GetType(shapes[0]), b2_capsuleShape);
        if (foot) {
            ASSERT_EQ(b2Shape_GetType(shapes[1]), b2_polygonShape);
            b2Polygon polygon = b2Shape_GetPolygon(shapes[1]);
            // The toe's two corners lie closer than the engine's welding distance
            // (four linear slops, 0.2 units) and merge: the foot is a triangle.
            EXPECT_EQ(polygon.count, 3);
            EXPECT_NEAR(polygon.radius, 0.075f, 1e-6f);
        }

        if (i == 0) {
            EXPECT_FALSE(isLive(bone.jointId));
            continue;
        }
        ASSERT_TRUE(isLive(bone.jointId));
        EXPECT_EQ(b2Joint_GetBodyA(bone.jointId), human.bones[parents[i]].bodyId);
        EXPECT_EQ(b2Joint_GetBodyB(bone.jointId), bone.bodyId);
        b2Vec2 a = b2Body_GetWorldPoint(bone.bodyId, b2Joint_GetLocalAnchorB(bone.jointId));
        b2Vec2 b = b2Body_GetWorldPoint(human.bones[parents[i]].bodyId, b2Joint_GetLocalAnchorA(bone.jointId));
        EXPECT_NEAR(a.x, b.x, 1e-3f);
        EXPECT_NEAR(a.y, b.y, 1e-3f);
    }
}

TEST_F(HumanTest, NumberingStartsAtOneAndContinuesAfterClear) {
    auto group = [](const Human& h) {
        b2ShapeId shape{};
        b2Body_GetShapes(h.bones[0].bodyId, &shape, 1);
        return b2Shape_GetFilter(shape).groupIndex;
    };
    EXPECT_EQ(group(spawnAt({100.0f, -100.0f})), -1);
    EXPECT_EQ(group(spawnAt({150.0f, -100.0f})), -2);
    EXPECT_EQ(spawner.ragdollCount, 2.0f);
    clearStructure(sim);
    EXPECT_TRUE(sim.humans.empty());
    EXPECT_EQ(group(spawnAt({100.0f, -100.0f})), -3);
}

TEST_F(HumanTest, SpinImpulsesFollowTheSequenceAcrossFigures) {
    float first = spawnHuman(sim, spawner, CAMERA, {525.0f, 325.0f}, fixed(0));
    float second = spawnHuman(sim, spawner, CAMERA, {625.0f, 325.0f}, fixed(0));
    EXPECT_NEAR(first, 205.0f, 0.05f);
    EXPECT_NEAR(second, -212.2f, 0.05f);
    // The torso of the first spins one way, that of the second the other.
    EXPECT_GT(b2Body_GetAngularVelocity(sim.humans[0].bones[1].bodyId), 0.0f);
    EXPECT_LT(b2Body_GetAngularVelocity(sim.humans[1].bones[1].bodyId), 0.0f);
}

TEST_F(HumanTest, SpawnPointFollowsTheCamera) {
    Camera2D camera{{425.0f, 425.0f}, {200.0f, -150.0f}, 0.0f, 2.0f};
    spawnHuman(sim, spawner, camera, {525.0f, 325.0f}, fixed(15));
    // (100, -100) / 2 + (200, -150) = (250, -200), raised by 15.
    b2Vec2 hip = b2Body_GetPosition(sim.humans[0].bones[0].bodyId);
    EXPECT_NEAR(hip.x, 250.0f, 1e-3f);
    EXPECT_NEAR(hip.y, -215.0f + 0.95f * 5.0f, 1e-3f);
}

TEST_F(HumanTest, FiltersKeepFiguresApartFromThemselvesAndFeetFromOthers) {
    Human& human = spawnAt({100.0f, -100.0f});
    for (int i = 0; i < HUMAN_BONE_COUNT; ++i) {
        b2ShapeId shapes[2];
        int n = b2Body_GetShapes(human.bones[i].bodyId, shapes, 2);
        for (int k = 0; k < n; ++k) {
            b2Filter f = b2Shape_GetFilter(shapes[k]);
            EXPECT_EQ(f.categoryBits, 2u);
            EXPECT_EQ(f.groupIndex, -1);
            EXPECT_EQ(f.maskBits, b2Shape_GetType(shapes[k]) == b2_polygonShape ? 1u : 3u);
        }
    }
}

TEST_F(HumanTest, TwoFiguresAtOnePointCollideButTheirFeetPassThrough) {
    spawnAt({200.0f, -300.0f});
    spawnAt({200.0f, -300.0f});
    int between = 0;
    for (int frame = 0; frame < 60; ++frame) {
        run(1);
        for (std::size_t h = 0; h < 2; ++h) {
            for (const Bone& bone : sim.humans[h].bones) {
                b2ContactData contacts[64];
                int n = b2Body_GetContactData(bone.bodyId, contacts, 64);
                for (int c = 0; c < n; ++c) {
                    int ownerA = ownerOf(b2Shape_GetBody(contacts[c].shapeIdA));
                    int ownerB = ownerOf(b2Shape_GetBody(contacts[c].shapeIdB));
                    ASSERT_NE(ownerA, -1);
                    ASSERT_NE(ownerB, -1);
                    ASSERT_NE(ownerA, ownerB) << "a figure touched itself";
                    EXPECT_EQ(b2Shape_GetType(contacts[c].shapeIdA), b2_capsuleShape);
                    EXPECT_EQ(b2Shape_GetType(contacts[c].shapeIdB), b2_capsuleShape);
                    ++between;
                }
            }
        }
    }
    EXPECT_GT(between, 0);
}

TEST_F(HumanTest, FiguresLandOnTheGroundAndStayAboveIt) {
    spawnAt({100.0f, -60.0f}, 5);
    spawnAt({300.0f, -40.0f}, 15);
    run(900);
    for (const Human& human : sim.humans) {
        for (int i = 0; i < HUMAN_BONE_COUNT; ++i) {
            b2Vec2 p = b2Body_GetPosition(human.bones[i].bodyId);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            EXPECT_LT(p.y, -20.0f) << "bone " << i;  // centres above the surface
            EXPECT_GT(p.y, -30.0f) << "bone " << i;  // and down on it, not floating
        }
        // Every joint within its limits, give or take the solver's slack.
        const float lower[HUMAN_BONE_COUNT] = {0, -0.25f, -0.3f, -0.05f, -0.5f, -0.05f, -0.5f, -0.1f, -0.2f, -0.1f, -0.2f};
        const float upper[HUMAN_BONE_COUNT] = {0, 0.0f, 0.1f, 0.4f, -0.02f, 0.4f, -0.02f, 0.8f, 0.3f, 0.8f, 0.3f};
        for (int i = 1; i < HUMAN_BONE_COUNT; ++i) {
            float angle = b2RevoluteJoint_GetAngle(human.bones[i].jointId) / 3.14159265f;
            EXPECT_GE(angle, lower[i] - 0.05f) << "joint " << i;
            EXPECT_LE(angle, upper[i] + 0.05f) << "joint " << i;
        }
    }
}

TEST_F(HumanTest, FiguresRestOnMembers) {
    // A long beam on the ground zone holds a figure dropped onto it.
    buildStructure(sim, {Line{{50.0f, -50.0f}, {150.0f, -50.0f}}, Line{{50.0f, -20.0f}, {50.0f, -50.0f}},
                         Line{{150.0f, -20.0f}, {150.0f, -50.0f}}});
    spawnAt({100.0f, -80.0f});
    run(600);
    for (const Bone& bone : sim.humans[0].bones) EXPECT_LT(b2Body_GetPosition(bone.bodyId).y, -50.0f);
}

TEST_F(HumanTest, DestroyLeavesNothingBehind) {
    const int bodies = b2World_GetBodyCount(sim.worldId);
    const int joints = b2World_GetJointCount(sim.worldId);
    Human& human = spawnAt({100.0f, -100.0f});
    run(10);
    destroyHuman(human);
    EXPECT_FALSE(human.isSpawned);
    for (const Bone& bone : human.bones) {
        EXPECT_FALSE(isLive(bone.bodyId));
        EXPECT_FALSE(isLive(bone.jointId));
    }
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), bodies);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), joints);
    destroyHuman(human);  // a second time does nothing
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), bodies);
    run(10);

    spawnAt({100.0f, -100.0f});
    spawnAt({120.0f, -100.0f});
    clearStructure(sim);
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), bodies);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), joints);
}

}  // namespace
