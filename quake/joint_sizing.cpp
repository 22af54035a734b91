// Sizing a structure's connections for the loads a code designs it for.
#include "quake/joint_sizing.h"

#include <algorithm>

#include "physics/design_force.h"
#include "physics/units.h"

bool momentResisting(const ConnectionSetup& built) {
    return built.connection == Connection::Moment || built.base == BaseFixity::Fixed;
}

void sizeConnections(Simulation& sim, const GroundMotionSettings& ground, const std::vector<Line>& lines) {
    // Measured with either rule, so that choosing the sized one later applies at once.
    const bool sized = ground.model == QuakeModel::GroundMotion && !momentResisting(sim.setup.connections);
    sim.designForce = sized && !lines.empty() ? measureDesignForce(sim, lines, ground.designLateralG) : 0.0f;
}

double sizedCapacityKN(const GroundMotionSettings& ground, const Simulation& sim) {
    if (ground.model != QuakeModel::GroundMotion || ground.sizing != JointSizing::ToCode) return 0.0;
    if (momentResisting(sim.setup.connections)) return 0.0;
    if (!(sim.designForce > 0.0f)) return 0.0;
    const double designed = static_cast<double>(ground.overstrength) * kilonewtonsFromEngineForce(sim.designForce);
    return std::max(static_cast<double>(SMALLEST_CONNECTION_KN), designed);
}

JointRule groundJointRule(const GroundMotionSettings& ground, const Simulation& sim) {
    const double capacity = sizedCapacityKN(ground, sim);
    if (capacity > 0.0) {
        return JointRule{static_cast<float>(engineForceFromKilonewtons(capacity)),
                         static_cast<float>(engineForceFromKilonewtons(capacity * SIZED_HOLD_SECONDS))};
    }
    return JointRule{static_cast<float>(engineForceFromKilonewtons(ground.threshold)),
                     static_cast<float>(engineForceFromKilonewtons(ground.accumulativeLimit))};
}
