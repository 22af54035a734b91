#include "physics/member_utilisation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "physics/engine/b2layer.h"

namespace {

constexpr std::size_t NO_MEMBER = static_cast<std::size_t>(-1);

float jointUtilisation(const JointRecord& record, float hingeThreshold) {
    float ratio = 0.0f;
    if (record.momentCapacity > 0.0f) {
        ratio = std::fabs(record.moment) / record.momentCapacity;
    } else if (hingeThreshold > 0.0f) {
        ratio = record.force / hingeThreshold;
    } else if (record.force > 0.0f) {
        ratio = 1.0f;  // a rule with no threshold tires every loaded hinge
    }
    return std::isfinite(ratio) ? ratio : 1.0f;
}

}  // namespace

std::vector<float> memberUtilisation(const Simulation& sim, float hingeThreshold) {
    std::vector<float> use(sim.beams.size(), 0.0f);
    // Members by their body's slot, so each joint finds its two members at once.
    std::vector<std::size_t> memberOfSlot;
    for (std::size_t i = 0; i < sim.beams.size(); ++i) {
        const auto slot = static_cast<std::size_t>(std::max(sim.beams[i].body.index1, 0));
        if (slot >= memberOfSlot.size()) memberOfSlot.resize(slot + 1, NO_MEMBER);
        memberOfSlot[slot] = i;
    }
    auto memberOf = [&](b2BodyId body) {
        const auto slot = static_cast<std::size_t>(std::max(body.index1, 0));
        if (slot >= memberOfSlot.size()) return NO_MEMBER;
        const std::size_t i = memberOfSlot[slot];
        return i != NO_MEMBER && sim.beams[i].body == body ? i : NO_MEMBER;
    };
    for (const JointRecord& record : sim.jointRecords) {
        if (record.jointSlot >= sim.jointSlots.size()) continue;
        const b2JointId joint = sim.jointSlots[record.jointSlot];
        if (!isLive(joint)) continue;  // broken: it holds nothing now
        const float ratio = jointUtilisation(record, hingeThreshold);
        for (const b2BodyId body : {b2Joint_GetBodyA(joint), b2Joint_GetBodyB(joint)}) {
            const std::size_t i = memberOf(body);
            if (i != NO_MEMBER) use[i] = std::max(use[i], ratio);
        }
    }
    return use;
}
