// Moment connections as built: welds where members meet and at a fixed base, a moment
// portal that stands where a pinned one folds, yielding at the capacity, and the first
// period estimate against a hand computation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "physics/engine/b2layer.h"
#include "physics/frame_period.h"
#include "physics/joint_loads.h"
#include "physics/units.h"
#include "physics/world.h"
#include "quake/ground_quake.h"

namespace {

constexpr float STEP = static_cast<float>(STEP_SECONDS);

// A 4 m x 4 m portal standing on the ground (y = -20): two columns and a beam.
std::vector<Line> portal() {
    return {Line{{100.0f, -20.0f}, {100.0f, -60.0f}}, Line{{140.0f, -20.0f}, {140.0f, -60.0f}},
            Line{{100.0f, -60.0f}, {140.0f, -60.0f}}};
}

GroundMotionSettings momentSettings(Connection connection, BaseFixity base) {
    GroundMotionSettings ground;
    ground.model = QuakeModel::GroundMotion;
    ground.connection = connection;
    ground.base = base;
    ground.stiffness = 6000.0f;
    ground.dampingRatio = 0.05f;
    ground.capacity = 60.0f;
    return ground;
}

struct Built {
    Simulation sim;
    float accumulator = 0.0f;
    Built(const GroundMotionSettings& ground, std::vector<Line> lines) {
        initSimulation(sim);
        setWorldSetup(sim, worldSetupFor(ground));
        buildStructure(sim, std::move(lines));
    }
    ~Built() { destroySimulation(sim); }
    void run(double seconds) {
        for (int i = 0; i < static_cast<int>(seconds * 120.0); ++i) {
            accumulator += STEP;
            stepWorld(sim, accumulator);
        }
    }
    float beamX() const { return b2Body_GetPosition(sim.beams[2].body).x; }
    int welds() const {
        int n = 0;
        for (b2JointId joint : sim.jointSlots) n += b2Joint_GetType(joint) == b2_weldJoint ? 1 : 0;
        return n;
    }
};

TEST(MomentConnections, WeldMembersAndFixedFeetInThePinnedJointsOrder) {
    Built pinned(momentSettings(Connection::Pinned, BaseFixity::Pinned), portal());
    Built moment(momentSettings(Connection::Moment, BaseFixity::Pinned), portal());
    Built fixed(momentSettings(Connection::Moment, BaseFixity::Fixed), portal());
    EXPECT_EQ(pinned.welds(), 0);
    EXPECT_EQ(pinned.sim.momentSprings.subSteps, 1);
    EXPECT_EQ(moment.welds(), 2);
    EXPECT_EQ(fixed.welds(), 4);
    ASSERT_EQ(fixed.sim.jointRecords.size(), pinned.sim.jointRecords.size());
    const float capacity = static_cast<float>(engineTorqueFromKilonewtonMetres(60.0));
    for (std::size_t i = 0; i < fixed.sim.jointRecords.size(); ++i) {
        const JointRecord& record = fixed.sim.jointRecords[i];
        EXPECT_EQ(record.beam, pinned.sim.jointRecords[i].beam);
        EXPECT_FLOAT_EQ(record.momentCapacity, capacity);
        EXPECT_EQ(pinned.sim.jointRecords[i].momentCapacity, 0.0f);
        // A ground weld holds the foot where the pin would.
        const b2JointId a = fixed.sim.jointSlots[record.jointSlot];
        const b2JointId b = pinned.sim.jointSlots[record.jointSlot];
        EXPECT_EQ(b2Joint_GetLocalAnchorA(a).y, b2Joint_GetLocalAnchorA(b).y);
        EXPECT_EQ(b2Joint_GetLocalAnchorB(a).x, b2Joint_GetLocalAnchorB(b).x);
    }
}

TEST(MomentConnections, MomentPortalSwaysBackWherePinnedPortalFolds) {
    Built pinned(momentSettings(Connection::Pinned, BaseFixity::Pinned), portal());
    Built moment(momentSettings(Connection::Moment, BaseFixity::Pinned), portal());
    for (Built* b : {&pinned, &moment}) {
        b2Body_SetLinearVelocity(b->sim.beams[2].body, b2Vec2{2.0f, 0.0f});  // 0.2 m/s sideways
    }
    const float start = moment.beamX();
    float sway = 0.0f;
    for (int i = 0; i < 360; ++i) {
        moment.run(1.0 / 120.0);
        sway = std::max(sway, std::fabs(moment.beamX() - start));
    }
    pinned.run(3.0);
    EXPECT_GT(std::fabs(pinned.beamX() - start), 20.0f);  // fell more than 2 m over
    // Elastic: some 27 J of motion in two springs of 6 MN m / rad turns the columns about
    // 2.1 mrad, 9 mm (0.09 units) at the beam.
    EXPECT_GT(sway, 0.06f);
    EXPECT_LT(sway, 0.12f);
    EXPECT_LT(std::fabs(moment.beamX() - start), 0.2f * sway);  // damped back towards rest
    EXPECT_TRUE(worldIsFinite(moment.sim));
}

TEST(MomentConnections, BracedCellOnFixedFeetRestsWithoutLockedInMoments) {
    // A 1 m square cell with a diagonal and a footing: rigid as drawn, so at rest its
    // connections carry next to nothing. (Members turned past yield as the structure
    // settled onto its ground joints would leave moments at capacity fighting the triangle.)
    const std::vector<Line> cell{Line{{50.0f, -20.0f}, {60.0f, -20.0f}}, Line{{50.0f, -30.0f}, {60.0f, -30.0f}},
                                 Line{{50.0f, -20.0f}, {50.0f, -30.0f}}, Line{{60.0f, -20.0f}, {60.0f, -30.0f}},
                                 Line{{50.0f, -20.0f}, {60.0f, -30.0f}}};
    Built frame(momentSettings(Connection::Moment, BaseFixity::Fixed), cell);
    frame.run(1.0);
    checkJointLoads(frame.sim, JointRule{1e30f, 1e30f});
    for (const JointRecord& record : frame.sim.jointRecords) {
        EXPECT_LT(std::fabs(record.moment), 0.05f * record.momentCapacity);
        EXPECT_LT(kilonewtonsFromEngineForce(record.force), 10.0);  // the cell weighs 5 kN
    }
}

TEST(MomentConnections, YieldingHoldsTheMomentAtCapacityAndLeavesADrift) {
    GroundMotionSettings settings = momentSettings(Connection::Moment, BaseFixity::Pinned);
    settings.capacity = 5.0f;  // yields at 0.08% drift
    Built frame(settings, portal());
    const float start = frame.beamX();
    b2Body_SetLinearVelocity(frame.sim.beams[2].body, b2Vec2{5.0f, 0.0f});
    const float capacity = static_cast<float>(engineTorqueFromKilonewtonMetres(5.0));
    float largest = 0.0f;
    for (int i = 0; i < 360; ++i) {
        frame.run(1.0 / 120.0);
        for (const JointRecord& record : frame.sim.jointRecords) largest = std::max(largest, std::fabs(record.moment));
    }
    EXPECT_FLOAT_EQ(largest, capacity);
    // Elastic, it would come back to 0; the plastic turn stays: the 155 J of motion, less
    // 4 J stored at yield, turns two hinges at 5 kN m through some 15 mrad, 6 cm (0.6 units).
    const float drift = frame.beamX() - start;
    EXPECT_GT(drift, 0.3f);
    EXPECT_LT(drift, 1.0f);
    EXPECT_EQ(brokenJointCount(frame.sim), 0);
}

TEST(FramePeriod, PortalMatchesTheHandComputedPeriod) {
    Simulation sim;
    sim.setup = worldSetupFor(momentSettings(Connection::Moment, BaseFixity::Pinned));
    // Columns turn about their feet at the surface, 4.05 m below the beam (the structure
    // stands 5 cm up): K = 2k / h² = 2 * 6e6 / 4.05² = 731 595 N/m. Mass: the beam's
    // 40 units * 34 kg/unit² = 1360 kg, and per 160 kg column its centre's translation
    // (2.05 / 4.05)² * 160 = 40.99 kg and its turn 160 (4² + 0.1²) / 12 / 4.05² = 13.01 kg:
    // 1468.0 kg. T = 2 pi sqrt(1468.0 / 731 595) = 0.28146 s.
    EXPECT_NEAR(shearFramePeriodSeconds(sim, portal()), 0.28146, 0.0005);
    sim.setup.connections.base = BaseFixity::Fixed;  // four springs instead of two
    EXPECT_NEAR(shearFramePeriodSeconds(sim, portal()), 0.28146 / std::sqrt(2.0), 0.0005);
    // Pinned members on pinned feet are a mechanism: no period, and no floors none either.
    sim.setup.connections.connection = Connection::Pinned;
    sim.setup.connections.base = BaseFixity::Pinned;
    EXPECT_EQ(shearFramePeriodSeconds(sim, portal()), 0.0);
    // Without floors, the code's estimate for a steel moment frame 4 m tall: 0.0724 * 4^0.8.
    const std::vector<Line> post{Line{{100.0f, -20.0f}, {100.0f, -60.0f}}};
    sim.setup.connections.connection = Connection::Moment;
    EXPECT_NEAR(firstPeriodSeconds(sim, post), 0.0724 * std::pow(4.0, 0.8), 1e-4);
}

}  // namespace
