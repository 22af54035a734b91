// Engine layer, revolute joints: creation, destruction, forces and anchors.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>
#include <cmath>

using namespace b2layer;

namespace b2v3 {

// --- joints ------------------------------------------------------------------
b2RevoluteJointDef b2DefaultRevoluteJointDef() { return b2RevoluteJointDef{}; }

b2JointId b2CreateRevoluteJoint(b2WorldId worldId, const b2RevoluteJointDef* def) {
    WorldInfo* world = resolve(worldId);
    if (world == nullptr || def == nullptr) return b2JointId{};
    b2Body* a = resolve(def->bodyIdA);
    b2Body* b = resolve(def->bodyIdB);
    if (a == nullptr || b == nullptr || a == b || a->GetWorld() != world->world || b->GetWorld() != world->world) {
        return b2JointId{};
    }
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
    jd.maxMotorTorque = sanitizedNonNegative(def->maxMotorTorque, 0.0f) / (lengthScale() * lengthScale());

    JointInfo* info = new JointInfo();
    info->spring = def->enableSpring && std::isfinite(def->hertz) && def->hertz > 0.0f;
    info->hertz = info->spring ? def->hertz : 0.0f;
    info->dampingRatio = sanitizedNonNegative(def->dampingRatio, 0.0f);
    info->drawSize = def->drawSize;
    info->userData = def->userData;
    info->world = world;
    jd.userData.pointer = reinterpret_cast<uintptr_t>(info);

    auto* joint = static_cast<b2RevoluteJoint*>(world->world->CreateJoint(&jd));
    if (info->spring) world->springs.push_back(joint);
    info->slot = jointTable().take(joint);
    return jointTable().handle(info->slot);
}

void b2DestroyJoint(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    if (joint == nullptr) return;
    b2World* world = joint->GetBodyA()->GetWorld();
    releaseJoint(joint);
    world->DestroyJoint(joint);
}

b2Vec2 b2Joint_GetConstraintForce(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    if (joint == nullptr) return b2Vec2{0.0f, 0.0f};
    return fromEngine(joint->GetReactionForce(jointInfo(joint)->world->inverseStep));
}

b2BodyId b2Joint_GetBodyA(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    return joint != nullptr ? bodyHandle(joint->GetBodyA()) : b2BodyId{};
}
b2BodyId b2Joint_GetBodyB(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    return joint != nullptr ? bodyHandle(joint->GetBodyB()) : b2BodyId{};
}

namespace {
// Every joint the layer makes is revolute.
b2RevoluteJoint* revolute(b2JointId jointId) { return static_cast<b2RevoluteJoint*>(resolve(jointId)); }
}  // namespace

b2Vec2 b2Joint_GetLocalAnchorA(b2JointId jointId) {
    b2RevoluteJoint* joint = revolute(jointId);
    return joint != nullptr ? fromEngine(joint->GetLocalAnchorA()) : b2Vec2{0.0f, 0.0f};
}
b2Vec2 b2Joint_GetLocalAnchorB(b2JointId jointId) {
    b2RevoluteJoint* joint = revolute(jointId);
    return joint != nullptr ? fromEngine(joint->GetLocalAnchorB()) : b2Vec2{0.0f, 0.0f};
}
float b2RevoluteJoint_GetAngle(b2JointId jointId) {
    b2RevoluteJoint* joint = revolute(jointId);
    return joint != nullptr ? joint->GetJointAngle() : 0.0f;
}

}  // namespace b2v3
