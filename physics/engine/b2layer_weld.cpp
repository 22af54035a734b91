// Engine layer, weld joints: creation, the angular spring and its reference angle.
#include "physics/engine/b2layer_internal.h"

#include <cmath>

using namespace b2layer;

namespace {

// 2.4 fixes a weld's reference angle when the joint is made and offers no setter. Making
// the joint anew would drop the impulses the solver starts each step from, which a
// connection yielding step after step cannot spare, so the layer reaches the field
// through a class derived only to name it.
struct WeldReference : ::b2WeldJoint {
    static float& of(::b2WeldJoint* joint) { return joint->*(&WeldReference::m_referenceAngle); }
};

constexpr float FULL_TURN = 6.28318530717958647692f;

// The reference angle 2.4 should hold for `angle`: 2.4 measures the joint angle from the
// bodies' unwound angles, so it is moved by whole turns to within half a turn of where
// the bodies stand, as Box2D 3 measures it.
float engineReferenceAngle(const b2Body* a, const b2Body* b, float angle) {
    const float relative = b->GetAngle() - a->GetAngle();
    return angle + FULL_TURN * std::round((relative - angle) / FULL_TURN);
}

// A body's rotational inertia about its centre of mass, kg m² (0 when static or kinematic).
float inertiaAboutCentre(const b2Body* body) {
    const ::b2Vec2 c = body->GetLocalCenter();
    const float about = body->GetInertia() - body->GetMass() * b2Dot(c, c);
    return about > 0.0f ? about : 0.0f;
}

// The joint's angular mass, 1 / (1/IA + 1/IB), as Box2D 3's soft constraint takes it.
float angularMass(const b2Body* a, const b2Body* b) {
    const float ia = inertiaAboutCentre(a);
    const float ib = inertiaAboutCentre(b);
    if (ia > 0.0f && ib > 0.0f) return ia * ib / (ia + ib);
    return ia > 0.0f ? ia : ib;
}

}  // namespace

namespace b2v3 {

b2WeldJointDef b2DefaultWeldJointDef() { return b2WeldJointDef{}; }

b2JointId b2CreateWeldJoint(b2WorldId worldId, const b2WeldJointDef* def) {
    ::b2WeldJointDef jd;
    WorldInfo* world = engineJointDef(worldId, def, jd);
    if (world == nullptr) return b2JointId{};
    jd.referenceAngle = engineReferenceAngle(jd.bodyA, jd.bodyB, def->referenceAngle);
    // Stiffness 0 is 2.4's rigid weld, as hertz 0 is Box2D 3's.
    const float hertz = sanitizedNonNegative(def->angularHertz, 0.0f);
    const float ratio = sanitizedNonNegative(def->angularDampingRatio, 0.0f);
    const float mass = angularMass(jd.bodyA, jd.bodyB);
    const float omega = 2.0f * b2_pi * hertz;
    jd.stiffness = mass * omega * omega;
    jd.damping = 2.0f * mass * ratio * omega;
    if (!std::isfinite(jd.stiffness) || !std::isfinite(jd.damping)) return b2JointId{};

    JointInfo* info = new JointInfo();
    info->weldReferenceAngle = def->referenceAngle;
    info->linearHertz = sanitizedNonNegative(def->linearHertz, 0.0f);
    info->hertz = hertz;
    info->dampingRatio = ratio;
    info->userData = def->userData;
    info->world = world;
    jd.userData.pointer = reinterpret_cast<uintptr_t>(info);

    b2Joint* joint = world->world->CreateJoint(&jd);
    info->slot = jointTable().take(joint);
    return jointTable().handle(info->slot);
}

void b2WeldJoint_SetReferenceAngle(b2JointId jointId, float angleInRadians) {
    b2Joint* joint = resolve(jointId);
    if (joint == nullptr || joint->GetType() != e_weldJoint || !std::isfinite(angleInRadians)) return;
    jointInfo(joint)->weldReferenceAngle = angleInRadians;
    WeldReference::of(static_cast<::b2WeldJoint*>(joint)) =
        engineReferenceAngle(joint->GetBodyA(), joint->GetBodyB(), angleInRadians);
}

float b2WeldJoint_GetReferenceAngle(b2JointId jointId) {
    b2Joint* joint = resolve(jointId);
    if (joint == nullptr || joint->GetType() != e_weldJoint) return 0.0f;
    return jointInfo(joint)->weldReferenceAngle;
}

}  // namespace b2v3
