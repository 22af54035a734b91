// Joint fatigue: load above the threshold accumulates, and a joint whose accumulated
// load has passed the limit breaks for good.
#include "physics/joint_loads.h"

#include <cmath>

#include "physics/engine/b2layer.h"
#include "physics/time_step.h"

float accumulateJointLoad(float accumulated, float force, float threshold) {
    if (!(force > threshold)) return accumulated;
    return static_cast<float>(static_cast<double>(force) * STEP_SECONDS + static_cast<double>(accumulated));
}

int brokenJointCount(const Simulation& sim) {
    int broken = 0;
    for (const b2JointId& id : sim.jointSlots) broken += isLive(id) ? 0 : 1;
    return broken;
}

Vector2 jointWorldPoint(b2JointId joint) {
    return b2Body_GetWorldPoint(b2Joint_GetBodyB(joint), b2Joint_GetLocalAnchorB(joint));
}

void checkJointLoads(Simulation& sim) { checkJointLoads(sim, JointRule{sim.threshold, sim.accumulativeLimit}); }

void checkJointLoads(Simulation& sim, const JointRule& rule) {
    const bool readForces = sim.jointForcesChanged;
    sim.jointForcesChanged = false;
    sim.brokenThisFrame.clear();
    for (std::size_t i = 0; i < sim.jointRecords.size(); ++i) {
        JointRecord& record = sim.jointRecords[i];
        if (record.jointSlot >= sim.jointSlots.size()) continue;
        b2JointId& slot = sim.jointSlots[record.jointSlot];
        if (!isLive(slot)) continue;

        if (readForces) {
            const b2Vec2 f = b2Joint_GetConstraintForce(slot);
            record.force = std::sqrt(f.x * f.x + f.y * f.y);
        }
        const float force = record.force;

        if (record.accumulated > rule.accumulativeLimit) {
            sim.brokenThisFrame.push_back(BrokenJoint{i, jointWorldPoint(slot)});
            b2DestroyJoint(slot);
            if (record.beam >= 0 && static_cast<std::size_t>(record.beam) < sim.beams.size()) {
                sim.beams[static_cast<std::size_t>(record.beam)].pinned = false;
            }
            slot = b2JointId{};
        } else {
            record.accumulated = accumulateJointLoad(record.accumulated, force, rule.threshold);
        }
    }
}
