#include "app/sim_frame.h"

#include "app/modes.h"
#include "physics/human.h"
#include "physics/joint_loads.h"
#include "physics/rest_pose.h"
#include "physics/world.h"
#include "quake/drift.h"
#include "quake/ground_quake.h"

bool simulateFrame(Simulation& sim, QuakeState& quake, HumanSpawner& spawner, float& stepAccumulator,
                   const SimFrameEvents& events, const RandomInt& randomInt) {
    if (events.startQuake) startQuake(quake, events.clockSeconds, randomInt);
    if (events.advance) stepQuake(quake, sim.beams, events.frameTime);
    if (events.dropFigure) dropHuman(sim, spawner, events.figurePoint, randomInt);
    if (!events.advance) return false;
    checkJointLoads(sim, jointRuleFor(quake, sim));
    if (quake.groundRun.moving && quake.groundRun.steps == 0) {
        quake.groundRun.rest = captureRestPose(sim);
        quake.drift = startDriftTrack(sim);
    }
    const bool stepped = stepWorld(sim, stepAccumulator, groundPathFor(quake));
    // Measured before groundStepped, which puts the ground back at rest after the last step.
    if (stepped && quake.groundRun.moving) updateDrift(quake.drift, sim, quake.groundRun.rest);
    if (stepped) groundStepped(quake);
    return stepped;
}

float spawnHuman(Simulation& sim, HumanSpawner& spawner, const Camera2D& camera, Vector2 mouse,
                 const RandomInt& randomInt) {
    return dropHuman(sim, spawner, screenToWorld(camera, mouse), randomInt);
}
