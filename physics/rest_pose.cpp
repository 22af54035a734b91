#include "physics/rest_pose.h"

#include "physics/engine/b2layer.h"

RestPose captureRestPose(const Simulation& sim) {
    RestPose pose;
    pose.taken = true;
    if (isLive(sim.ground.body)) pose.ground = b2Body_GetPosition(sim.ground.body);
    pose.position.reserve(sim.beams.size());
    pose.angle.reserve(sim.beams.size());
    for (const Beam& beam : sim.beams) {
        const bool live = isLive(beam.body);
        pose.position.push_back(live ? b2Body_GetPosition(beam.body) : Vector2{0.0f, 0.0f});
        pose.angle.push_back(live ? b2Rot_GetAngle(b2Body_GetRotation(beam.body)) : 0.0f);
    }
    return pose;
}
