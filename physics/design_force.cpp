// Measuring the load a structure stands under, in throw-away copies of its world.
#include "physics/design_force.h"

#include <algorithm>
#include <cmath>

#include "physics/engine/b2layer.h"
#include "physics/world.h"

namespace {

float heaviestForceStanding(const Simulation& like, const std::vector<Line>& lines, float lateralG) {
    Simulation copy;
    initSimulation(copy);
    copy.density = like.density;
    setWorldSetup(copy, like.setup);
    buildStructure(copy, lines);
    for (const Beam& beam : copy.beams) b2Body_EnableSleep(beam.body, false);

    // Weight and a steady lateral load of lateralG times it, as gravity leaning over, both
    // brought on gradually so that a springy structure takes them without swinging past.
    const long ramp = std::lround(DESIGN_RAMP_SECONDS / STEP_SECONDS);
    const long settle = std::lround(DESIGN_SETTLE_SECONDS / STEP_SECONDS);
    const long total = settle + std::lround(DESIGN_READ_SECONDS / STEP_SECONDS);
    float heaviest = 0.0f;
    for (long step = 0; step < total; ++step) {
        const float share = step < ramp ? static_cast<float>(step + 1) / static_cast<float>(ramp) : 1.0f;
        b2World_SetGravity(copy.worldId, b2Vec2{share * lateralG * like.setup.gravityY, share * like.setup.gravityY});
        float accumulator = 1.5f * static_cast<float>(STEP_SECONDS);
        stepWorld(copy, accumulator);
        if (step < settle) continue;
        for (const b2JointId& joint : copy.jointSlots) {
            if (!isLive(joint)) continue;
            const b2Vec2 f = b2Joint_GetConstraintForce(joint);
            const float force = std::sqrt(f.x * f.x + f.y * f.y);
            if (std::isfinite(force)) heaviest = std::max(heaviest, force);
        }
    }
    destroySimulation(copy);
    return heaviest;
}

}  // namespace

float measureDesignForce(const Simulation& like, const std::vector<Line>& lines, float lateralG) {
    const float lateral = std::isfinite(lateralG) ? std::max(lateralG, 0.0f) : 0.0f;
    if (lateral == 0.0f) return heaviestForceStanding(like, lines, 0.0f);
    return std::max(heaviestForceStanding(like, lines, lateral), heaviestForceStanding(like, lines, -lateral));
}
