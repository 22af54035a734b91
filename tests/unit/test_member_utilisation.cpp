// Members coloured by how close their joints are to giving way: the largest over a
// member's joints that still hold, a moment connection against its capacity, a hinge
// against the joint rule's threshold.
#include <gtest/gtest.h>

#include "physics/engine/b2layer.h"
#include "physics/member_utilisation.h"
#include "physics/world.h"

TEST(MemberUtilisation, TheLargestOfAMembersLiveJointsMomentsAgainstCapacityHingesAgainstThreshold) {
    Simulation sim;
    initSimulation(sim);
    // A portal: left post, beam, right post; both feet pinned.
    buildStructure(sim, {Line{{0.0f, -20.0f}, {0.0f, -30.0f}}, Line{{0.0f, -30.0f}, {20.0f, -30.0f}},
                         Line{{20.0f, -20.0f}, {20.0f, -30.0f}}});
    ASSERT_EQ(sim.beams.size(), 3u);
    auto holds = [&](const JointRecord& record, std::size_t member) {
        const b2JointId joint = sim.jointSlots[record.jointSlot];
        return b2Joint_GetBodyA(joint) == sim.beams[member].body || b2Joint_GetBodyB(joint) == sim.beams[member].body;
    };
    const float threshold = 1000.0f;
    JointRecord* leftCorner = nullptr;
    for (JointRecord& record : sim.jointRecords) {
        record.force = 0.0f;
        if (holds(record, 0) && holds(record, 1)) {
            record.force = 500.0f;  // a hinge at half the threshold
            leftCorner = &record;
        } else if (holds(record, 2) && !holds(record, 1)) {
            record.force = 5000.0f;  // the right foot as a moment connection: its moment counts
            record.moment = -270.0f;
            record.momentCapacity = 300.0f;
        }
    }
    ASSERT_NE(leftCorner, nullptr);
    std::vector<float> use = memberUtilisation(sim, threshold);
    EXPECT_FLOAT_EQ(use[0], 0.5f);
    EXPECT_FLOAT_EQ(use[1], 0.5f);
    EXPECT_FLOAT_EQ(use[2], 0.9f);

    // A broken joint holds nothing: its load no longer counts.
    b2DestroyJoint(sim.jointSlots[leftCorner->jointSlot]);
    use = memberUtilisation(sim, threshold);
    EXPECT_FLOAT_EQ(use[0], 0.0f);
    EXPECT_FLOAT_EQ(use[1], 0.0f);
    destroySimulation(sim);
}
