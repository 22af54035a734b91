// The engine layer's weld joint: its angular spring in SI, where the spring rests, and the
// torque it reports.
#include <gtest/gtest.h>

#include <cmath>

#include "physics/engine/b2layer.h"
#include "physics/units.h"

namespace {

constexpr float STEP = 1.0f / 120.0f;
constexpr double TWO_PI = 6.28318530717958647692;

class WeldTest : public ::testing::Test {
protected:
    void SetUp() override {
        b2SetLengthUnitsPerMeter(10.0f);
        b2WorldDef def = b2DefaultWorldDef();
        def.gravity = b2Vec2{0.0f, 0.0f};
        world = b2CreateWorld(&def);
        b2BodyDef bd = b2DefaultBodyDef();
        bd.position = b2Vec2{0.0f, -50.0f};
        anchor = b2CreateBody(world, &bd);
        bd.type = b2_dynamicBody;
        wheel = b2CreateBody(world, &bd);
        b2ShapeDef sd = b2DefaultShapeDef();
        sd.density = 4.0f;
        const b2Polygon box = b2MakeBox(2.0f, 2.0f);  // 4 x 4 units, 64 kg
        b2CreatePolygonShape(anchor, &sd, &box);
        b2CreatePolygonShape(wheel, &sd, &box);
    }
    void TearDown() override { b2DestroyWorld(world); }

    // A weld of the wheel to the anchor whose spring has this stiffness in N m / rad.
    b2JointId weld(double newtonMetresPerRad, float dampingRatio) {
        const double inertia = b2Body_GetRotationalInertia(wheel);  // kg units²
        const double k = engineTorqueFromNewtonMetres(newtonMetresPerRad);
        b2WeldJointDef def = b2DefaultWeldJointDef();
        def.bodyIdA = anchor;
        def.bodyIdB = wheel;
        def.angularHertz = static_cast<float>(std::sqrt(k / inertia) / TWO_PI);
        def.angularDampingRatio = dampingRatio;
        return b2CreateWeldJoint(world, &def);
    }
    float angle() const { return b2Rot_GetAngle(b2Body_GetRotation(wheel)); }

    b2WorldId world{};
    b2BodyId anchor{};
    b2BodyId wheel{};
};

TEST_F(WeldTest, SpringTorqueGivesBackTheStiffnessInNewtonMetres) {
    // 64 kg * (16 + 16) / 12 units² = 170.7 kg units², 1.707 kg m².
    EXPECT_NEAR(b2Body_GetRotationalInertia(wheel), 64.0f * 32.0f / 12.0f, 0.01f);
    const double stiffness = 20.0;  // N m / rad: about 0.55 Hz on this wheel
    const b2JointId joint = weld(stiffness, 0.0f);
    ASSERT_TRUE(isLive(joint));
    EXPECT_EQ(b2Joint_GetType(joint), b2_weldJoint);
    const float twist = 0.1f;
    b2Body_SetTransform(wheel, b2Body_GetPosition(wheel), b2MakeRot(twist));
    b2World_Step(world, STEP, 4);
    // The torque on the wheel pulls it back: -k times the twist, less the step's own turn.
    const double torque = newtonMetresFromEngineTorque(b2Joint_GetConstraintTorque(joint));
    EXPECT_NEAR(torque, -stiffness * twist, 0.01 * stiffness * twist);
    // The linear part holds the anchors together.
    EXPECT_NEAR(b2Body_GetPosition(wheel).x, 0.0f, 1e-4f);
    EXPECT_EQ(b2Joint_GetLocalAnchorA(joint).x, 0.0f);
}

TEST_F(WeldTest, SpringRestsWhereTheReferenceAngleIsSetWithinHalfATurn) {
    const b2JointId joint = weld(20.0, 1.0f);
    EXPECT_EQ(b2WeldJoint_GetReferenceAngle(joint), 0.0f);
    // A whole turn more is the same rest: the wheel turns the short way to 0.3 rad.
    b2WeldJoint_SetReferenceAngle(joint, 0.3f + static_cast<float>(TWO_PI));
    EXPECT_FLOAT_EQ(b2WeldJoint_GetReferenceAngle(joint), 0.3f + static_cast<float>(TWO_PI));
    float largest = 0.0f;
    for (int i = 0; i < 1200; ++i) {
        b2World_Step(world, STEP, 4);
        largest = std::max(largest, std::fabs(angle()));
    }
    EXPECT_NEAR(angle(), 0.3f, 0.003f);
    EXPECT_LT(largest, 0.31f);
}

}  // namespace
