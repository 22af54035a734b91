#include "physics/moment_connections.h"

#include <cmath>

#include "physics/connection_limits.h"
#include "physics/frame_period.h"
#include "physics/time_step.h"
#include "physics/units.h"

namespace {

constexpr double TWO_PI = 6.28318530717958647692;

bool springsUsable(const ConnectionSetup& c) {
    return stiffnessProblem(c.stiffnessKNmPerRad).empty() && capacityProblem(c.capacityKNm).empty();
}

float bodyAngle(b2BodyId body) { return b2Rot_GetAngle(b2Body_GetRotation(body)); }

// An angle brought within half a turn of 0.
float unwound(float angle) {
    const double turn = TWO_PI;
    return static_cast<float>(angle - turn * std::round(static_cast<double>(angle) / turn));
}

}  // namespace

bool weldsMembers(const Simulation& sim) {
    return sim.momentSprings.stiffness > 0.0f && sim.setup.connections.connection == Connection::Moment;
}
bool weldsFeet(const Simulation& sim) {
    return sim.momentSprings.stiffness > 0.0f && sim.setup.connections.base == BaseFixity::Fixed;
}

void planMomentSprings(Simulation& sim, const std::vector<Line>& lines) {
    sim.momentSprings = MomentSprings{};
    const ConnectionSetup& c = sim.setup.connections;
    if ((c.connection != Connection::Moment && c.base != BaseFixity::Fixed) || !springsUsable(c)) return;
    MomentSprings springs;
    springs.stiffness = static_cast<float>(engineTorqueFromKilonewtonMetres(c.stiffnessKNmPerRad));
    springs.capacity = static_cast<float>(engineTorqueFromKilonewtonMetres(c.capacityKNm));
    springs.firstPeriod = firstPeriodSeconds(sim, lines);
    const double zeta = dampingRatioProblem(c.dampingRatio).empty() ? static_cast<double>(c.dampingRatio) : 0.0;
    const double a1 = 2.0 * zeta * springs.firstPeriod / TWO_PI;  // 2 zeta / w1
    // The engine's implicit spring damps as if a1 were one engine step; measured, the
    // damping left to the joints comes out within a few percent of that asked for down to
    // a fifth of it, so the step is cut until the engine's share is at most 0.8 of a1.
    springs.subSteps = MOMENT_SUB_STEPS;
    while (springs.subSteps < MOST_MOMENT_SUB_STEPS && STEP_SECONDS / springs.subSteps > 0.8 * a1) ++springs.subSteps;
    const double engineShare = STEP_SECONDS / springs.subSteps;
    springs.damping = static_cast<float>(static_cast<double>(springs.stiffness) * std::max(0.0, a1 - engineShare));
    sim.momentSprings = springs;
}

b2JointId createMomentConnection(const Simulation& sim, b2BodyId a, b2BodyId b, b2Vec2 localA, b2Vec2 localB,
                                 bool collideConnected) {
    // The engine takes a spring as a frequency and damping ratio on the joint's angular mass.
    const double ia = b2Body_GetRotationalInertia(a);
    const double ib = b2Body_GetRotationalInertia(b);
    const double mass = ia > 0.0 && ib > 0.0 ? ia * ib / (ia + ib) : std::max(ia, ib);
    const double k = sim.momentSprings.stiffness;
    if (!(mass > 0.0) || !(k > 0.0)) return b2JointId{};
    b2WeldJointDef def = b2DefaultWeldJointDef();
    def.bodyIdA = a;
    def.bodyIdB = b;
    def.localAnchorA = localA;
    def.localAnchorB = localB;
    def.referenceAngle = unwound(bodyAngle(b) - bodyAngle(a));
    def.angularHertz = static_cast<float>(std::sqrt(k / mass) / TWO_PI);
    def.angularDampingRatio = static_cast<float>(sim.momentSprings.damping / (2.0 * std::sqrt(k * mass)));
    def.collideConnected = collideConnected;
    return b2CreateWeldJoint(sim.worldId, &def);
}

void updateMomentConnections(Simulation& sim) {
    const float k = sim.momentSprings.stiffness;
    if (!(k > 0.0f)) return;
    for (JointRecord& record : sim.jointRecords) {
        if (!(record.momentCapacity > 0.0f)) continue;
        const b2JointId joint = record.jointSlot < sim.jointSlots.size() ? sim.jointSlots[record.jointSlot] : b2JointId{};
        if (!isLive(joint)) {
            record.moment = 0.0f;
            continue;
        }
        const float between = bodyAngle(b2Joint_GetBodyB(joint)) - bodyAngle(b2Joint_GetBodyA(joint));
        const float rest = b2WeldJoint_GetReferenceAngle(joint);
        float moment = k * unwound(between - rest);
        const float capacity = record.momentCapacity;
        if (std::fabs(moment) > capacity) {
            moment = std::copysign(capacity, moment);
            b2WeldJoint_SetReferenceAngle(joint, unwound(between - moment / k));
        }
        record.moment = moment;
    }
}
