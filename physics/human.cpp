// Ragdoll figures: eleven capsule bones (the lower legs with a foot), ten limited,
// motor-damped, sprung hinges. Figures are made head-down and tumble as they fall.
#include "physics/human.h"

#include <cmath>

#include "physics/engine/b2layer.h"

namespace {

constexpr float HALF_TURN = 3.14159265359f;  // angles below are in multiples of this

struct BoneRow {
    const char* name;
    float bodyOffset;  // y offset of the body from the spawn point, in scales
    float center1y;
    float center2y;
    float radius;
    float linearDamping;
    float frictionScale;
    int parent;
};

// Everything in multiples of the scale; all bodies lie on the spawn point's x.
constexpr BoneRow BONES[HUMAN_BONE_COUNT] = {
    {"hip", 0.95f, -0.02f, 0.02f, 0.095f, 0.0f, 1.0f, -1},
    {"torso", 1.2f, -0.135f, 0.135f, 0.09f, 0.0f, 0.5f, 0},
    {"head", 1.475f, -0.038f, 0.039f, 0.075f, 0.1f, 0.25f, 1},
    {"upper_left_leg", 0.775f, -0.125f, 0.125f, 0.06f, 0.0f, 1.0f, 0},
    {"lower_left_leg", 0.475f, -0.155f, 0.125f, 0.045f, 0.0f, 0.5f, 3},
    {"upper_right_leg", 0.775f, -0.125f, 0.125f, 0.06f, 0.0f, 1.0f, 0},
    {"lower_right_leg", 0.475f, -0.155f, 0.125f, 0.045f, 0.0f, 0.5f, 5},
    {"upper_left_arm", 1.225f, -0.125f, 0.125f, 0.035f, 0.0f, 0.5f, 1},
    {"lower_left_arm", 0.975f, -0.125f, 0.125f, 0.03f, 0.1f, 0.1f, 7},
    {"upper_right_arm", 1.225f, -0.125f, 0.125f, 0.035f, 0.0f, 0.5f, 1},
    {"lower_right_arm", 0.975f, -0.125f, 0.125f, 0.03f, 0.1f, 0.1f, 9},
};

struct JointRow {
    float pivotOffset;  // in scales
    float lower;        // in multiples of pi
    float upper;
    float reference;
};

// Indexed by the child bone; bone 0 (the hip) is the root and has none.
constexpr JointRow JOINTS[HUMAN_BONE_COUNT] = {
    {0.0f, 0.0f, 0.0f, 0.0f},        // hip: root
    {1.0f, -0.25f, 0.0f, 0.0f},      // torso
    {1.4f, -0.3f, 0.1f, 0.0f},       // head
    {0.9f, -0.05f, 0.4f, 0.0f},      // upper left leg
    {0.625f, -0.5f, -0.02f, 0.0f},   // lower left leg
    {0.9f, -0.05f, 0.4f, 0.0f},      // upper right leg
    {0.625f, -0.5f, -0.02f, 0.0f},   // lower right leg
    {1.35f, -0.1f, 0.8f, 0.0f},      // upper left arm
    {1.1f, -0.2f, 0.3f, 0.25f},      // lower left arm
    {1.35f, -0.1f, 0.8f, 0.0f},      // upper right arm
    {1.1f, -0.2f, 0.3f, 0.25f},      // lower right arm
};

constexpr float FOOT_POINTS[4][2] = {{-0.03f, -0.185f}, {0.11f, -0.185f}, {0.11f, -0.16f}, {-0.03f, -0.14f}};
constexpr float FOOT_RADIUS = 0.015f;

constexpr std::uint64_t HUMAN_CATEGORY = 2;
constexpr std::uint64_t HUMAN_MASK = 3;  // the ground and members (1) and other figures (2)
constexpr std::uint64_t FOOT_MASK = 1;   // feet touch the ground and members only

constexpr float CAPSULE_FRICTION = 0.2f;
constexpr float FOOT_FRICTION = 0.05f;
constexpr float SLEEP_THRESHOLD = 0.1f;
constexpr float JOINT_DRAW_SIZE = 0.05f;

constexpr float SPAWN_FRICTION_TORQUE = 0.05f;
constexpr float SPAWN_HERTZ = 6.0f;
constexpr float SPAWN_DAMPING_RATIO = 0.5f;
constexpr int SPAWN_MAX_RISE = 15;
constexpr int TORSO = 1;

bool isFootBone(int index) { return index == 4 || index == 6; }

}  // namespace

void createHuman(Human& human, b2WorldId worldId, Vector2 position, float scale, float frictionTorque,
                 float hertz, float dampingRatio, int groupIndex, void* userData, bool /*colorize*/) {
    for (Bone& bone : human.bones) bone = Bone{};
    human.frictionTorque = frictionTorque;
    human.originalScale = scale;
    human.scale = scale;

    const float s = scale;
    b2BodyDef bodyDef = b2DefaultBodyDef();
    bodyDef.type = b2_dynamicBody;
    bodyDef.sleepThreshold = SLEEP_THRESHOLD;
    bodyDef.userData = userData;

    b2ShapeDef shapeDef = b2DefaultShapeDef();
    shapeDef.friction = CAPSULE_FRICTION;
    shapeDef.filter.categoryBits = HUMAN_CATEGORY;
    shapeDef.filter.maskBits = HUMAN_MASK;
    shapeDef.filter.groupIndex = -groupIndex;

    b2ShapeDef footDef = shapeDef;
    footDef.friction = FOOT_FRICTION;
    footDef.filter.maskBits = FOOT_MASK;

    b2Vec2 footPoints[4];
    for (int k = 0; k < 4; ++k) footPoints[k] = b2Vec2{FOOT_POINTS[k][0] * s, FOOT_POINTS[k][1] * s};
    b2Hull footHull = b2ComputeHull(footPoints, 4);
    b2Polygon foot = b2MakePolygon(&footHull, FOOT_RADIUS * s);

    for (int i = 0; i < HUMAN_BONE_COUNT; ++i) {
        const BoneRow& row = BONES[i];
        Bone& bone = human.bones[i];
        bone.parentIndex = row.parent;
        bone.frictionScale = row.frictionScale;

        bodyDef.position = b2Vec2{position.x, position.y + row.bodyOffset * s};
        bodyDef.linearDamping = row.linearDamping;
        bodyDef.name = row.name;
        bone.bodyId = b2CreateBody(worldId, &bodyDef);

        b2Capsule capsule{b2Vec2{0.0f, row.center1y * s}, b2Vec2{0.0f, row.center2y * s}, row.radius * s};
        b2CreateCapsuleShape(bone.bodyId, &shapeDef, &capsule);
        if (isFootBone(i)) b2CreatePolygonShape(bone.bodyId, &footDef, &foot);

        if (i == 0) continue;
        const JointRow& joint = JOINTS[i];
        const b2BodyId parent = human.bones[row.parent].bodyId;
        b2Vec2 pivot{position.x, position.y + joint.pivotOffset * s};
        b2RevoluteJointDef jointDef = b2DefaultRevoluteJointDef();
        jointDef.bodyIdA = parent;
        jointDef.bodyIdB = bone.bodyId;
        jointDef.localAnchorA = b2Body_GetLocalPoint(parent, pivot);
        jointDef.localAnchorB = b2Body_GetLocalPoint(bone.bodyId, pivot);
        jointDef.enableLimit = true;
        jointDef.lowerAngle = joint.lower * HALF_TURN;
        jointDef.upperAngle = joint.upper * HALF_TURN;
        jointDef.referenceAngle = joint.reference * HALF_TURN;
        jointDef.enableMotor = true;
        jointDef.motorSpeed = 0.0f;
        jointDef.maxMotorTorque = bone.frictionScale * frictionTorque * s;
        jointDef.enableSpring = hertz > 0.0f;
        jointDef.hertz = hertz;
        jointDef.dampingRatio = dampingRatio;
        jointDef.drawSize = JOINT_DRAW_SIZE;
        jointDef.collideConnected = false;
        bone.jointId = b2CreateRevoluteJoint(worldId, &jointDef);
    }
    human.isSpawned = true;
}

void destroyHuman(Human& human) {
    for (Bone& bone : human.bones) {
        if (isLive(bone.jointId)) b2DestroyJoint(bone.jointId);
        bone.jointId = b2JointId{};
    }
    for (Bone& bone : human.bones) {
        if (isLive(bone.bodyId)) b2DestroyBody(bone.bodyId);
        bone.bodyId = b2BodyId{};
    }
    human.isSpawned = false;
}

float nextSpinImpulse(std::uint32_t& spinState) {
    std::uint32_t x = spinState;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    spinState = x;
    float r = static_cast<float>(x & 0x7FFFu) / 32767.0f;
    return r * 500.0f - 250.0f;
}

float dropHuman(Simulation& sim, HumanSpawner& spawner, Vector2 worldPoint, const RandomInt& randomInt) {
    spawner.ragdollCount += 1.0f;
    int group = static_cast<int>(spawner.ragdollCount);
    sim.humans.push_back(Human{});
    Human& human = sim.humans.back();

    Vector2 p = worldPoint;
    p.y -= static_cast<float>(randomInt ? randomInt(0, SPAWN_MAX_RISE) : 0);
    createHuman(human, sim.worldId, p, HUMAN_SCALE, SPAWN_FRICTION_TORQUE, SPAWN_HERTZ, SPAWN_DAMPING_RATIO,
                group, nullptr, false);

    float impulse = nextSpinImpulse(spawner.spinState);
    b2Body_ApplyAngularImpulse(human.bones[TORSO].bodyId, impulse, true);
    return impulse;
}
