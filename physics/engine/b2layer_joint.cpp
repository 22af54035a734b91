// Engine layer, revolute joints: creation, destruction, forces and anchors.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>
#include <cmath>

using namespace b2layer;

namespace b2v3 {

// --- joints ------------------------------------------------------------------
b2RevoluteJointDef b2DefaultRevoluteJointDef() { return b2RevoluteJointDef{}; }

b2JointId b2CreateRevoluteJoint(b2WorldId worldId, const b2RevoluteJointDef* def) {
    if (!isLive(worldId) || def == nullptr || !isLive(def->bodyIdA) || !isLive(def->bodyIdB)) return b2JointId{};
    b2Body* a = def->bodyIdA.index;
    b2Body* b = def->bodyIdB.index;
    if (a == b || a->GetWorld() != worldId.index || b->GetWorld() != worldId.index) return b2JointId{};
    if (!finite(def->localAnchorA) || !finite(def->localAnchorB) || !std::isfinite(def->referenceAngle)) {
        return b2JointId{};
    }
    ::b2RevoluteJointDef jd;
    jd.bodyA = a;
    jd.bodyB = b;
    jd.collideConnected = def->collideConnected;
    jd.localAnchorA = toEngine(def->localAnchorA);
    jd.localAnchorB = toEngine(def->localAnchorB);
    jd.referenceAngle = def->referenceAngle;
    float lower = std::isfinite(def->lowerAngle) ? def->lowerAngle : 0.0f;
    float upper = std::isfinite(def->upperAngle) ? def->upperAngle : 0.0f;
    jd.enableLimit = def->enableLimit;
    jd.lowerAngle = std::min(lower, upper);
    jd.upperAngle = std::max(lower, upper);
    jd.enableMotor = def->enableMotor;
    jd.motorSpeed = std::isfinite(def->motorSpeed) ? def->motorSpeed : 0.0f;
    jd.maxMotorTorque = sanitizedNonNegative(def->maxMotorTorque, 0.0f) / (gLengthScale * gLengthScale);

    JointInfo* info = new JointInfo();
    info->spring = def->enableSpring && std::isfinite(def->hertz) && def->hertz > 0.0f;
    info->hertz = info->spring ? def->hertz : 0.0f;
    info->dampingRatio = sanitizedNonNegative(def->dampingRatio, 0.0f);
    info->drawSize = def->drawSize;
    info->userData = def->userData;
    jd.userData.pointer = reinterpret_cast<uintptr_t>(info);

    auto* joint = static_cast<b2RevoluteJoint*>(worldId.index->CreateJoint(&jd));
    gLiveJoints.insert(joint);
    if (info->spring) {
        WorldInfo* world = findWorld(worldId.index);
        if (world != nullptr) world->springs.push_back(joint);
    }
    return b2JointId{joint};
}

void b2DestroyJoint(b2JointId jointId) {
    b2Joint* joint = jointId.index;
    if (joint == nullptr || gLiveJoints.count(joint) == 0) return;
    b2World* world = joint->GetBodyA()->GetWorld();
    releaseJoint(findWorld(world), joint);
    world->DestroyJoint(joint);
}

b2Vec2 b2Joint_GetConstraintForce(b2JointId jointId) {
    if (!isLive(jointId)) return b2Vec2{0.0f, 0.0f};
    WorldInfo* world = findWorld(jointId.index->GetBodyA()->GetWorld());
    float inverse = world != nullptr ? world->inverseSubStep : 0.0f;
    return fromEngine(jointId.index->GetReactionForce(inverse));
}

b2BodyId b2Joint_GetBodyA(b2JointId jointId) {
    return isLive(jointId) ? b2BodyId{jointId.index->GetBodyA()} : b2BodyId{};
}
b2BodyId b2Joint_GetBodyB(b2JointId jointId) {
    return isLive(jointId) ? b2BodyId{jointId.index->GetBodyB()} : b2BodyId{};
}
b2Vec2 b2Joint_GetLocalAnchorA(b2JointId jointId) {
    if (!isLive(jointId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(static_cast<b2RevoluteJoint*>(jointId.index)->GetLocalAnchorA());
}
b2Vec2 b2Joint_GetLocalAnchorB(b2JointId jointId) {
    if (!isLive(jointId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(static_cast<b2RevoluteJoint*>(jointId.index)->GetLocalAnchorB());
}
float b2RevoluteJoint_GetAngle(b2JointId jointId) {
    return isLive(jointId) ? static_cast<b2RevoluteJoint*>(jointId.index)->GetJointAngle() : 0.0f;
}

}  // namespace b2v3
