// Connections designed to code: a structure's joints hold the overstrength times the largest
// force any of them carries under its weight and the design lateral load, measured on copies
// that leave the real world as it was.
#include <gtest/gtest.h>

#include <vector>

#include "physics/design_force.h"
#include "physics/engine/b2layer.h"
#include "physics/units.h"
#include "physics/world.h"
#include "quake/ground_quake.h"
#include "quake/joint_sizing.h"
#include "tools/trial_designs.h"

namespace {

std::vector<b2Vec2> positions(const Simulation& sim) {
    std::vector<b2Vec2> out;
    for (const Beam& beam : sim.beams) out.push_back(b2Body_GetPosition(beam.body));
    return out;
}

}  // namespace

TEST(JointSizing, CapacityFollowsTheLoadsTheStructureIsDesignedFor) {
    GroundMotionSettings ground;
    ground.model = QuakeModel::GroundMotion;
    Simulation sim;
    initSimulation(sim);
    setWorldSetup(sim, worldSetupFor(ground));
    const Design portal = trialDesign("portal_braced");
    buildStructure(sim, portal.lines);
    const std::vector<b2Vec2> built = positions(sim);
    sizeConnections(sim, ground, portal.lines);

    // The copies leave the world it was measured for as it was built.
    const std::vector<b2Vec2> after = positions(sim);
    ASSERT_EQ(after.size(), built.size());
    for (std::size_t i = 0; i < built.size(); ++i) {
        EXPECT_EQ(after[i].x, built[i].x);
        EXPECT_EQ(after[i].y, built[i].y);
    }

    // The portal's 4 m beam carries 1.2 t of floor: its columns take about 6 kN each at rest.
    const double upright = kilonewtonsFromEngineForce(measureDesignForce(sim, portal.lines, 0.0f));
    const double designed = kilonewtonsFromEngineForce(sim.designForce);
    const double twiceTheLoad = kilonewtonsFromEngineForce(measureDesignForce(sim, portal.lines, 0.3f));
    EXPECT_GT(upright, 5.0);
    EXPECT_GT(designed, upright);
    EXPECT_GT(twiceTheLoad, designed);
    EXPECT_DOUBLE_EQ(sizedCapacityKN(ground, sim), 2.0 * designed);
    const JointRule sized = groundJointRule(ground, sim);
    EXPECT_NEAR(kilonewtonsFromEngineForce(sized.threshold), 2.0 * designed, 1e-3);
    EXPECT_NEAR(kilonewtonsFromEngineForce(sized.accumulativeLimit), 0.2 * designed, 1e-3);

    // A fixed rule, or the classic model, leaves the threshold and limit as they are set.
    ground.sizing = JointSizing::Fixed;
    EXPECT_EQ(sizedCapacityKN(ground, sim), 0.0);
    EXPECT_NEAR(kilonewtonsFromEngineForce(groundJointRule(ground, sim).threshold), DEFAULT_MODEL_THRESHOLD_KN, 1e-3);
    ground.sizing = JointSizing::ToCode;
    ground.model = QuakeModel::Classic;
    EXPECT_EQ(sizedCapacityKN(ground, sim), 0.0);

    // No connection is smaller than one bolt, however light the structure.
    ground.model = QuakeModel::GroundMotion;
    // A small A-frame of two 1 m members.
    const std::vector<Line> trestle{Line{Vector2{-5.0f, -20.0f}, Vector2{0.0f, -28.0f}},
                                    Line{Vector2{5.0f, -20.0f}, Vector2{0.0f, -28.0f}}};
    buildStructure(sim, trestle);
    sizeConnections(sim, ground, trestle);
    EXPECT_GT(sim.designForce, 0.0f);
    EXPECT_DOUBLE_EQ(sizedCapacityKN(ground, sim), SMALLEST_CONNECTION_KN);

    // Moment connections yield in bending first: they keep the fixed force rule.
    ground.connection = Connection::Moment;
    setWorldSetup(sim, worldSetupFor(ground));
    buildStructure(sim, portal.lines);
    sizeConnections(sim, ground, portal.lines);
    EXPECT_EQ(sizedCapacityKN(ground, sim), 0.0);
    EXPECT_NEAR(kilonewtonsFromEngineForce(groundJointRule(ground, sim).threshold), DEFAULT_MODEL_THRESHOLD_KN, 1e-3);
    destroySimulation(sim);
}
