// Engine layer, joints: revolute joints' creation, and what every joint offers
// (destruction, forces, bodies and anchors). Weld joints are made in b2layer_weld.cpp.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>
#include <cmath>

using namespace b2layer;

namespace b2v3 {

// --- joints ------------------------------------------------------------------
b2RevoluteJointDef b2DefaultRevoluteJointDef() { return b2RevoluteJointDef{}; }

b2JointId b2CreateRevoluteJoint(b2WorldId worldId, const b2RevoluteJointDef* def) {
    ::b2RevoluteJointDef jd;
    WorldInfo* world = engineJointDef(worldId, def, jd);
    if (world == nullptr) return b2JointId{};
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

float b2Joint_GetConstraintTorque(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    if (joint == nullptr) return 0.0f;
    const float scale = lengthScale();
    return joint->GetReactionTorque(jointInfo(joint)->world->inverseStep) * scale * scale;
}

b2JointType b2Joint_GetType(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    return joint != nullptr && joint->GetType() == e_weldJoint ? b2_weldJoint : b2_revoluteJoint;
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
// The layer makes revolute and weld joints only; 2.4 keeps their anchors in each class.
b2RevoluteJoint* revolute(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    return joint != nullptr && joint->GetType() == e_revoluteJoint ? static_cast<b2RevoluteJoint*>(joint) : nullptr;
}
b2WeldJoint* weld(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    return joint != nullptr && joint->GetType() == e_weldJoint ? static_cast<b2WeldJoint*>(joint) : nullptr;
}
}  // namespace

b2Vec2 b2Joint_GetLocalAnchorA(b2JointId jointId) {
    if (b2WeldJoint* joint = weld(jointId)) return fromEngine(joint->GetLocalAnchorA());
    b2RevoluteJoint* joint = revolute(jointId);
    return joint != nullptr ? fromEngine(joint->GetLocalAnchorA()) : b2Vec2{0.0f, 0.0f};
}
b2Vec2 b2Joint_GetLocalAnchorB(b2JointId jointId) {
    if (b2WeldJoint* joint = weld(jointId)) return fromEngine(joint->GetLocalAnchorB());
    b2RevoluteJoint* joint = revolute(jointId);
    return joint != nullptr ? fromEngine(joint->GetLocalAnchorB()) : b2Vec2{0.0f, 0.0f};
}
float b2RevoluteJoint_GetAngle(b2JointId jointId) {
    b2RevoluteJoint* joint = revolute(jointId);
    return joint != nullptr ? joint->GetJointAngle() : 0.0f;
}

}  // namespace b2v3
