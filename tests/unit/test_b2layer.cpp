// The engine layer: units, steps, capsules, filters, contacts, springs, guards.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "physics/engine/b2layer.h"
#include "physics/world.h"

namespace {

constexpr float SCALE = 10.0f;

// A bare world of its own (no ground), destroyed at the end of each test.
class LayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        b2SetLengthUnitsPerMeter(SCALE);
        b2WorldDef def = b2DefaultWorldDef();
        def.gravity = b2Vec2{0.0f, 0.0f};
        world = b2CreateWorld(&def);
    }
    void TearDown() override { b2DestroyWorld(world); }

    b2BodyId makeBox(b2Vec2 position, float halfWidth, float halfHeight, float density,
                     b2BodyType type = b2_dynamicBody) {
        b2BodyDef bd = b2DefaultBodyDef();
        bd.type = type;
        bd.position = position;
        b2BodyId body = b2CreateBody(world, &bd);
        b2ShapeDef sd = b2DefaultShapeDef();
        sd.density = density;
        b2Polygon box = b2MakeBox(halfWidth, halfHeight);
        b2CreatePolygonShape(body, &sd, &box);
        return body;
    }

    b2WorldId world{};
};

TEST_F(LayerTest, MemberMassMatchesWorldUnitArea) {
    // 10 units long, 1 unit thick, density 4: mass 40 whatever the length scale.
    b2BodyId body = makeBox({100.0f, -50.0f}, 0.5f, 5.0f, 4.0f);
    EXPECT_NEAR(b2Body_GetMass(body), 40.0f, 1e-3f);
}

TEST_F(LayerTest, PositionsAndPointsRoundTripInWorldUnits) {
    b2BodyDef bd = b2DefaultBodyDef();
    bd.type = b2_dynamicBody;
    bd.position = {123.0f, -45.0f};
    bd.rotation = b2MakeRot(0.5f);
    b2BodyId body = b2CreateBody(world, &bd);
    b2Vec2 p = b2Body_GetPosition(body);
    EXPECT_NEAR(p.x, 123.0f, 1e-4f);
    EXPECT_NEAR(p.y, -45.0f, 1e-4f);
    EXPECT_NEAR(b2Rot_GetAngle(b2Body_GetRotation(body)), 0.5f, 1e-6f);
    b2Vec2 local = b2Body_GetLocalPoint(body, {130.0f, -40.0f});
    b2Vec2 back = b2Body_GetWorldPoint(body, local);
    EXPECT_NEAR(back.x, 130.0f, 1e-3f);
    EXPECT_NEAR(back.y, -40.0f, 1e-3f);
    b2Vec2 viaTransform = b2TransformPoint(b2Body_GetTransform(body), local);
    EXPECT_NEAR(viaTransform.x, 130.0f, 1e-3f);
    EXPECT_NEAR(viaTransform.y, -40.0f, 1e-3f);
}

TEST_F(LayerTest, ForceActsOverTheStepAndIsClearedAfterIt) {
    b2BodyId body = makeBox({100.0f, -50.0f}, 0.5f, 5.0f, 4.0f);  // mass 40
    b2Body_ApplyForceToCenter(body, {400.0f, 0.0f}, true);        // 10 units/s^2
    b2World_Step(world, 0.1f, 4);
    EXPECT_NEAR(b2Body_GetLinearVelocity(body).x, 1.0f, 1e-3f);
    b2World_Step(world, 0.1f, 4);  // no force any more: the speed holds
    EXPECT_NEAR(b2Body_GetLinearVelocity(body).x, 1.0f, 1e-3f);
}

TEST_F(LayerTest, AngularImpulseIsInWorldUnits) {
    b2BodyId body = makeBox({100.0f, -50.0f}, 0.5f, 5.0f, 4.0f);
    // Inertia of a 1 x 10 box of mass 40 about its centre, in mass * units^2.
    const float inertia = 40.0f * (1.0f + 100.0f) / 12.0f;
    b2Body_ApplyAngularImpulse(body, inertia * 2.0f, true);
    EXPECT_NEAR(b2Body_GetAngularVelocity(body), 2.0f, 0.02f);
}

TEST_F(LayerTest, NonFiniteInputsNeverReachTheEngine) {
    b2BodyId body = makeBox({100.0f, -50.0f}, 0.5f, 5.0f, 4.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    b2Body_ApplyForceToCenter(body, {nan, 1.0f}, true);
    b2Body_ApplyForceToCenter(body, {1.0f, inf}, true);
    b2Body_ApplyAngularImpulse(body, nan, true);
    b2World_Step(world, 0.1f, 4);
    b2Vec2 p = b2Body_GetPosition(body);
    EXPECT_FLOAT_EQ(p.x, 100.0f);
    EXPECT_FLOAT_EQ(p.y, -50.0f);
    EXPECT_EQ(b2Body_GetAngularVelocity(body), 0.0f);

    b2BodyDef bad = b2DefaultBodyDef();
    bad.type = b2_dynamicBody;
    bad.position = {nan, 0.0f};
    EXPECT_FALSE(isLive(b2CreateBody(world, &bad)));
    bad.position = {0.0f, 0.0f};
    bad.rotation = b2MakeRot(inf);
    EXPECT_FALSE(isLive(b2CreateBody(world, &bad)));

    // Degenerate or non-finite polygons are refused rather than handed over.
    b2ShapeDef sd = b2DefaultShapeDef();
    b2Polygon flat = b2MakeBox(0.5f, 0.0f);
    EXPECT_FALSE(isLive(b2CreatePolygonShape(body, &sd, &flat)));
    b2Polygon wild = b2MakeBox(0.5f, inf);
    EXPECT_FALSE(isLive(b2CreatePolygonShape(body, &sd, &wild)));
    // A density so large that the mass would overflow is refused, and the body keeps its mass.
    sd.density = 3.0e38f;
    b2Polygon box = b2MakeBox(0.5f, 5.0f);
    EXPECT_FALSE(isLive(b2CreatePolygonShape(body, &sd, &box)));
    EXPECT_NEAR(b2Body_GetMass(body), 40.0f, 1e-3f);
    EXPECT_EQ(b2Body_GetShapes(body, nullptr, 0), 0);
    b2ShapeId shapes[4];
    EXPECT_EQ(b2Body_GetShapes(body, shapes, 4), 1);
}

TEST(LayerGravity, WorldMadeBeforeTheScaleFallsAtTheScaledRate) {
    b2SetLengthUnitsPerMeter(1.0f);
    b2WorldDef def = b2DefaultWorldDef();
    def.gravity = b2Vec2{0.0f, 9.80665f};
    b2WorldId world = b2CreateWorld(&def);
    b2SetLengthUnitsPerMeter(SCALE);
    b2BodyDef bd = b2DefaultBodyDef();
    bd.type = b2_dynamicBody;
    bd.position = {0.0f, -100.0f};
    b2BodyId body = b2CreateBody(world, &bd);
    b2ShapeDef sd = b2DefaultShapeDef();
    b2Polygon box = b2MakeBox(0.5f, 0.5f);
    b2CreatePolygonShape(body, &sd, &box);
    for (int i = 0; i < 120; ++i) b2World_Step(world, 1.0f / 120.0f, 4);
    // One second of fall: 9.80665 world units per second, downwards (+y).
    EXPECT_NEAR(b2Body_GetLinearVelocity(body).y, 9.80665f, 0.01f);
    b2DestroyWorld(world);
}

TEST_F(LayerTest, CapsuleIsOneLogicalShapeWithCapsuleMass) {
    b2BodyDef bd = b2DefaultBodyDef();
    bd.type = b2_dynamicBody;
    bd.position = {50.0f, -60.0f};
    b2BodyId body = b2CreateBody(world, &bd);
    b2ShapeDef sd = b2DefaultShapeDef();
    sd.density = 2.0f;
    sd.filter.categoryBits = 2;
    sd.filter.maskBits = 3;
    sd.filter.groupIndex = -7;
    b2Capsule capsule{{0.0f, -1.0f}, {0.0f, 1.5f}, 0.5f};
    b2ShapeId shape = b2CreateCapsuleShape(body, &sd, &capsule);
    ASSERT_TRUE(isLive(shape));

    b2ShapeId shapes[4];
    ASSERT_EQ(b2Body_GetShapes(body, shapes, 4), 1);
    EXPECT_EQ(shapes[0], shape);
    EXPECT_EQ(b2Shape_GetType(shape), b2_capsuleShape);
    EXPECT_EQ(b2Shape_GetBody(shape), body);
    b2Capsule back = b2Shape_GetCapsule(shape);
    EXPECT_FLOAT_EQ(back.center1.y, -1.0f);
    EXPECT_FLOAT_EQ(back.center2.y, 1.5f);
    EXPECT_FLOAT_EQ(back.radius, 0.5f);
    b2Filter filter = b2Shape_GetFilter(shape);
    EXPECT_EQ(filter.categoryBits, 2u);
    EXPECT_EQ(filter.maskBits, 3u);
    EXPECT_EQ(filter.groupIndex, -7);

    const float area = 2.0f * 0.5f * 2.5f + 3.14159265f * 0.25f;
    EXPECT_NEAR(b2Body_GetMass(body), area * 2.0f, 0.01f * area * 2.0f);

    // A hull polygon added after it comes second and keeps its rounding radius on record.
    b2Vec2 pts[4] = {{-0.5f, -1.0f}, {1.5f, -1.0f}, {1.5f, -0.5f}, {-0.5f, 0.0f}};
    b2Hull hull = b2ComputeHull(pts, 4);
    ASSERT_EQ(hull.count, 4);
    b2Polygon foot = b2MakePolygon(&hull, 0.075f);
    b2ShapeId footShape = b2CreatePolygonShape(body, &sd, &foot);
    ASSERT_TRUE(isLive(footShape));
    ASSERT_EQ(b2Body_GetShapes(body, shapes, 4), 2);
    EXPECT_EQ(shapes[0], shape);
    EXPECT_EQ(shapes[1], footShape);
    EXPECT_EQ(b2Body_GetShapes(body, shapes, 1), 1);
    EXPECT_EQ(shapes[0], shape);
    b2Polygon back2 = b2Shape_GetPolygon(footShape);
    EXPECT_EQ(back2.count, 4);
    EXPECT_FLOAT_EQ(back2.radius, 0.075f);
}

TEST(LayerHull, RejectsDegenerateInputAndDropsCollinearPoints) {
    b2SetLengthUnitsPerMeter(SCALE);
    b2Vec2 line[3] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {2.0f, 0.0f}};
    EXPECT_EQ(b2ComputeHull(line, 3).count, 0);
    b2Vec2 square[5] = {{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 2.0f}, {0.0f, 2.0f}, {1.0f, 0.0f}};
    b2Hull hull = b2ComputeHull(square, 5);
    EXPECT_EQ(hull.count, 4);
    b2Polygon polygon = b2MakePolygon(&hull, 0.0f);
    EXPECT_NEAR(polygon.centroid.x, 1.0f, 1e-5f);
    EXPECT_NEAR(polygon.centroid.y, 1.0f, 1e-5f);
    b2Vec2 nanPoints[3] = {{0.0f, 0.0f}, {std::nanf(""), 1.0f}, {1.0f, 1.0f}};
    EXPECT_EQ(b2ComputeHull(nanPoints, 3).count, 0);
}

TEST_F(LayerTest, ContactDataReportsTouchingShapesOncePerPair) {
    b2BodyId ground = makeBox({0.0f, 10.0f}, 100.0f, 10.0f, 1.0f, b2_staticBody);
    b2ShapeId groundShape{};
    b2Body_GetShapes(ground, &groundShape, 1);

    // Capsules lying across the ground: a thick one (one polygon inside) and one too
    // thin for that (a box and two circles inside, all three touching).
    for (float radius : {0.5f, 0.12f}) {
        SCOPED_TRACE(radius);
        b2BodyDef bd = b2DefaultBodyDef();
        bd.type = b2_dynamicBody;
        bd.position = {radius > 0.2f ? -20.0f : 20.0f, -radius + 0.03f};
        bd.rotation = b2MakeRot(1.5707964f);
        b2BodyId body = b2CreateBody(world, &bd);
        b2ShapeDef sd = b2DefaultShapeDef();
        b2Capsule capsule{{0.0f, -2.0f}, {0.0f, 2.0f}, radius};
        b2ShapeId shape = b2CreateCapsuleShape(body, &sd, &capsule);
        ASSERT_TRUE(isLive(shape));
        const float area = 2.0f * radius * 4.0f + 3.14159265f * radius * radius;
        EXPECT_NEAR(b2Body_GetMass(body), area, 0.02f * area);
        b2World_Step(world, 1.0f / 120.0f, 4);

        b2ContactData contacts[8];
        int count = b2Body_GetContactData(body, contacts, 8);
        ASSERT_EQ(count, 1);
        bool pair = (contacts[0].shapeIdA == shape && contacts[0].shapeIdB == groundShape) ||
                    (contacts[0].shapeIdA == groundShape && contacts[0].shapeIdB == shape);
        EXPECT_TRUE(pair);
        EXPECT_EQ(b2Body_GetContactData(body, contacts, 0), 0);
    }
}

TEST_F(LayerTest, SpringPullsTheJointBackToItsReferenceAngle) {
    // A wheel hinged at its centre to a fixed anchor, set spinning.
    auto makeWheel = [&](float x, bool spring) {
        b2BodyId anchor = makeBox({x, -50.0f}, 0.5f, 0.5f, 1.0f, b2_staticBody);
        b2BodyId wheel = makeBox({x, -50.0f}, 2.0f, 2.0f, 1.0f);
        b2RevoluteJointDef jd = b2DefaultRevoluteJointDef();
        jd.bodyIdA = anchor;
        jd.bodyIdB = wheel;
        jd.enableSpring = spring;
        jd.hertz = 2.0f;
        jd.dampingRatio = 1.0f;
        b2JointId joint = b2CreateRevoluteJoint(world, &jd);
        b2Body_ApplyAngularImpulse(wheel, 50.0f, true);
        return joint;
    };
    b2JointId sprung = makeWheel(0.0f, true);
    b2JointId free = makeWheel(20.0f, false);
    float sprungPeak = 0.0f;
    for (int i = 0; i < 240; ++i) {
        b2World_Step(world, 1.0f / 120.0f, 4);
        sprungPeak = std::max(sprungPeak, std::fabs(b2RevoluteJoint_GetAngle(sprung)));
    }
    // Free: 50 / (16 * 16 / 6) = 1.17 rad/s for two seconds.
    EXPECT_NEAR(b2RevoluteJoint_GetAngle(free), 2.0f * 50.0f / (16.0f * 16.0f / 6.0f), 0.02f);
    // Critically damped at 2 Hz: the peak is 1.17 / (e * 2 pi * 2), then back to rest.
    EXPECT_NEAR(sprungPeak, 1.17f / (2.71828f * 12.566f), 0.01f);
    EXPECT_LT(std::fabs(b2RevoluteJoint_GetAngle(sprung)), 0.05f * sprungPeak);
}

TEST_F(LayerTest, DestroyingTwiceOrThroughTheBodyIsHarmless) {
    b2BodyId a = makeBox({0.0f, -50.0f}, 1.0f, 1.0f, 1.0f);
    b2BodyId b = makeBox({4.0f, -50.0f}, 1.0f, 1.0f, 1.0f);
    b2RevoluteJointDef jd = b2DefaultRevoluteJointDef();
    jd.bodyIdA = a;
    jd.bodyIdB = b;
    jd.enableSpring = true;
    jd.hertz = 3.0f;
    b2JointId first = b2CreateRevoluteJoint(world, &jd);
    b2JointId second = b2CreateRevoluteJoint(world, &jd);
    EXPECT_EQ(b2World_GetBodyCount(world), 2);
    EXPECT_EQ(b2World_GetJointCount(world), 2);

    b2DestroyJoint(first);
    b2DestroyJoint(first);
    EXPECT_EQ(b2World_GetJointCount(world), 1);
    b2DestroyBody(a);  // takes `second` with it
    EXPECT_EQ(b2World_GetJointCount(world), 0);
    b2DestroyJoint(second);
    b2DestroyBody(a);
    EXPECT_EQ(b2World_GetBodyCount(world), 1);
    b2World_Step(world, 1.0f / 120.0f, 4);  // the dropped spring is no longer visited

    // Joints need two distinct live bodies.
    jd.bodyIdA = b;
    jd.bodyIdB = b;
    EXPECT_FALSE(isLive(b2CreateRevoluteJoint(world, &jd)));
    jd.bodyIdB = b2BodyId{};
    EXPECT_FALSE(isLive(b2CreateRevoluteJoint(world, &jd)));
}

// A handle kept after its object went is refused by every call, and the object made
// next in its place (the engine reuses freed memory) is a different one.
TEST_F(LayerTest, DestroyedJointHandleIsRefusedAndNotTheNextJoint) {
    b2RevoluteJointDef jd = b2DefaultRevoluteJointDef();
    jd.bodyIdA = makeBox({0.0f, -50.0f}, 1.0f, 1.0f, 1.0f);
    jd.bodyIdB = makeBox({4.0f, -50.0f}, 1.0f, 1.0f, 1.0f);
    jd.localAnchorA = {2.0f, 0.0f};
    b2JointId stale = b2CreateRevoluteJoint(world, &jd);
    b2DestroyJoint(stale);
    EXPECT_FALSE(isLive(stale));
    b2Vec2 force = b2Joint_GetConstraintForce(stale);
    EXPECT_EQ(force.x, 0.0f);
    EXPECT_EQ(b2Joint_GetLocalAnchorA(stale).x, 0.0f);
    EXPECT_EQ(b2Joint_GetBodyA(stale), b2BodyId{});
    EXPECT_EQ(b2RevoluteJoint_GetAngle(stale), 0.0f);

    b2JointId next = b2CreateRevoluteJoint(world, &jd);
    EXPECT_FALSE(next == stale);
    EXPECT_FALSE(isLive(stale));
    EXPECT_EQ(b2Joint_GetBodyA(next), jd.bodyIdA);
    EXPECT_EQ(b2Joint_GetBodyB(next), jd.bodyIdB);
}

TEST_F(LayerTest, DestroyedBodyTakesItsShapesAndJointsHandlesAlong) {
    b2BodyId body = makeBox({0.0f, -50.0f}, 1.0f, 1.0f, 1.0f);
    b2BodyId other = makeBox({4.0f, -50.0f}, 1.0f, 1.0f, 1.0f);
    b2ShapeId shape{};
    b2Body_GetShapes(body, &shape, 1);
    b2RevoluteJointDef jd = b2DefaultRevoluteJointDef();
    jd.bodyIdA = body;
    jd.bodyIdB = other;
    b2JointId joint = b2CreateRevoluteJoint(world, &jd);
    b2DestroyBody(body);
    EXPECT_FALSE(isLive(body));
    EXPECT_FALSE(isLive(shape));
    EXPECT_FALSE(isLive(joint));

    b2Body_ApplyForceToCenter(body, {1.0f, 0.0f}, true);
    EXPECT_EQ(b2Body_GetPosition(body).x, 0.0f);
    EXPECT_EQ(b2Body_GetMass(body), 0.0f);
    EXPECT_STREQ(b2Body_GetName(body), "");
    b2ContactData contacts[2];
    EXPECT_EQ(b2Body_GetContactData(body, contacts, 2), 0);
    b2ShapeDef sd = b2DefaultShapeDef();
    b2Polygon box = b2MakeBox(1.0f, 1.0f);
    EXPECT_FALSE(isLive(b2CreatePolygonShape(body, &sd, &box)));
    EXPECT_FALSE(isLive(b2CreateRevoluteJoint(world, &jd)));
    EXPECT_EQ(b2Shape_GetBody(shape), b2BodyId{});
    EXPECT_EQ(b2Shape_GetPolygon(shape).count, 0);
    EXPECT_EQ(b2Shape_GetFilter(shape).categoryBits, b2Filter{}.categoryBits);

    b2BodyId next = makeBox({0.0f, -50.0f}, 1.0f, 1.0f, 1.0f);
    b2ShapeId nextShape{};
    b2Body_GetShapes(next, &nextShape, 1);
    EXPECT_FALSE(next == body);
    EXPECT_FALSE(nextShape == shape);
    EXPECT_FALSE(isLive(body) || isLive(shape));
    EXPECT_EQ(b2Shape_GetBody(nextShape), next);
    EXPECT_EQ(b2World_GetBodyCount(world), 2);
}

TEST(LayerWorld, DestroyedWorldTakesEveryHandleInItAlong) {
    b2WorldDef def = b2DefaultWorldDef();
    b2WorldId stale = b2CreateWorld(&def);
    b2BodyDef bd = b2DefaultBodyDef();
    b2BodyId body = b2CreateBody(stale, &bd);
    b2ShapeDef sd = b2DefaultShapeDef();
    b2Polygon box = b2MakeBox(1.0f, 1.0f);
    b2ShapeId shape = b2CreatePolygonShape(body, &sd, &box);
    b2RevoluteJointDef jd = b2DefaultRevoluteJointDef();
    jd.bodyIdA = body;
    jd.bodyIdB = b2CreateBody(stale, &bd);
    b2JointId joint = b2CreateRevoluteJoint(stale, &jd);
    b2DestroyWorld(stale);
    EXPECT_FALSE(isLive(stale) || isLive(body) || isLive(shape) || isLive(joint));
    b2World_Step(stale, 0.1f, 4);
    EXPECT_EQ(b2World_GetBodyCount(stale), 0);
    EXPECT_FALSE(isLive(b2CreateBody(stale, &bd)));
    b2DestroyWorld(stale);

    b2WorldId next = b2CreateWorld(&def);
    EXPECT_FALSE(next == stale);
    EXPECT_FALSE(isLive(stale));
    EXPECT_FALSE(b2CreateBody(next, &bd) == body);
    EXPECT_EQ(b2World_GetBodyCount(next), 1);
    b2DestroyWorld(next);
}

// The same checks through the program's own world and ground.
class LayerStructureTest : public ::testing::Test {
protected:
    void SetUp() override { initSimulation(sim); }
    void TearDown() override { destroySimulation(sim); }
    void run(int frames) {
        for (int i = 0; i < frames; ++i) {
            float accumulator = 1.0f / 60.0f;
            stepWorld(sim, accumulator);
        }
    }
    Simulation sim;
};

TEST_F(LayerStructureTest, PinnedPostCarriesItsWeightThroughTheGroundJoint) {
    buildStructure(sim, {Line{{100.0f, -20.0f}, {100.0f, -30.0f}}});
    ASSERT_EQ(sim.jointSlots.size(), 1u);
    run(240);
    b2Vec2 f = b2Joint_GetConstraintForce(sim.jointSlots[0]);
    const float weight = 40.0f * GRAVITY_Y;
    EXPECT_NEAR(std::sqrt(f.x * f.x + f.y * f.y), weight, 0.03f * weight);
    // The post stands with its foot held half a unit above the surface.
    b2Vec2 centre = b2Body_GetPosition(sim.beams[0].body);
    EXPECT_NEAR(centre.x, 100.0f, 0.05f);
    EXPECT_NEAR(centre.y, -25.5f, 0.05f);
}

TEST_F(LayerStructureTest, UnpinnedStructureFallsToTheGround) {
    buildStructure(sim, {Line{{100.0f, -60.0f}, {110.0f, -60.0f}}, Line{{110.0f, -60.0f}, {110.0f, -70.0f}}});
    EXPECT_EQ(sim.jointSlots.size(), 1u);
    float startY = b2Body_GetPosition(sim.beams[0].body).y;
    run(60);
    EXPECT_GT(b2Body_GetPosition(sim.beams[0].body).y, startY + 1.0f);
    run(600);
    float restY = b2Body_GetPosition(sim.beams[0].body).y;
    EXPECT_GT(restY, -22.0f);  // lying on the surface, y = -20
    EXPECT_LT(restY, -19.0f);
    b2ContactData contacts[16];
    EXPECT_GT(b2Body_GetContactData(sim.beams[0].body, contacts, 16), 0);
}

TEST_F(LayerStructureTest, EmptyStructureStillStepsAndCountsStayRight) {
    buildStructure(sim, {});
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 1);  // the ground
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), 0);
    float accumulator = 0.1f;
    EXPECT_TRUE(stepWorld(sim, accumulator));

    buildStructure(sim, {Line{{0.0f, -20.0f}, {10.0f, -20.0f}}, Line{{10.0f, -20.0f}, {10.0f, -30.0f}}});
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 3);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), 4);  // 2 + 1 ground joints, 1 between
    clearStructure(sim);
    EXPECT_EQ(b2World_GetBodyCount(sim.worldId), 1);
    EXPECT_EQ(b2World_GetJointCount(sim.worldId), 0);
}

}  // namespace
