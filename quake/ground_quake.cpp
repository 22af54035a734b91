#include "quake/ground_quake.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "physics/build_limits.h"
#include "physics/engine/b2layer.h"
#include "physics/time_step.h"
#include "physics/units.h"
#include "quake/joint_sizing.h"

namespace {

// The ground's drift from its planned path (float rounding of its position) is taken back
// at this rate, never faster than DRIFT_SPEED_LIMIT: far too slowly to add a step of
// acceleration anyone could measure.
constexpr double DRIFT_RATE = 2.0;              // per second
constexpr double DRIFT_SPEED_LIMIT = 0.05;      // world units per second

bool groundIsMoving(const QuakeState& quake) {
    return isLive(quake.groundBody) && b2Body_GetType(quake.groundBody) != b2_staticBody;
}

void addGraphPoints(QuakeState& quake) {
    const GroundSample& now = quake.groundRun.now;
    const float t = static_cast<float>(quake.groundRun.time);
    addPoint(quake.graphX, t, static_cast<float>(now.accelerationG));
    addPoint(quake.graphY, t, static_cast<float>(metresFromUnits(now.displacement)));
}

// Whether the quake's duration is still the motion's length standing in for the user's;
// a duration typed or loaded during the run is the user's newer choice.
bool durationStandsIn(const QuakeState& quake) {
    const GroundMotionRun& run = quake.groundRun;
    return run.durationReplaced && quake.duration == static_cast<float>(motionDuration(run.motion));
}

void restoreDuration(QuakeState& quake) {
    if (durationStandsIn(quake)) quake.duration = quake.groundRun.userDuration;
    quake.groundRun.durationReplaced = false;
}

}  // namespace

std::string groundQuakeProblem(const QuakeState& quake) {
    if (quake.groundRun.moving) return "the ground is still moving from the last one";
    if (quake.ground.model == QuakeModel::GroundMotion && quake.ground.source == MotionSource::Recorded &&
        quake.ground.record.accelerationG.empty()) {
        return "no record is loaded (choose one from the records folder)";
    }
    return "";
}

std::uint32_t syntheticSeed(const QuakeSeed& seed) {
    const std::uint64_t n = seedNumber(seed);
    return static_cast<std::uint32_t>(n ^ (n >> 32));
}

GroundMotion groundMotionFor(const QuakeState& quake, const QuakeSeed& seed) {
    if (quake.ground.source == MotionSource::Recorded) {
        return groundMotionFromRecord(quake.ground.record, static_cast<double>(quake.ground.recordScale));
    }
    SyntheticQuake synthetic;
    synthetic.magnitude = static_cast<double>(quake.magnitude);
    synthetic.distanceKm = std::hypot(static_cast<double>(quake.epicenter.x), static_cast<double>(quake.epicenter.y));
    synthetic.durationSeconds = std::isfinite(quake.duration) && quake.duration > 0.0f ? quake.duration : 0.0;
    synthetic.seed = syntheticSeed(seed);
    return synthesizeGroundMotion(synthetic);
}

void startGroundQuake(QuakeState& quake, const QuakeSeed& seed) {
    quake.seed = seed;
    quake.hasSeed = true;
    runGroundMotion(quake, groundMotionFor(quake, seed));
}

void runGroundMotion(QuakeState& quake, GroundMotion motion) {
    stopGroundQuake(quake);
    GroundMotionRun& run = quake.groundRun;
    run.motion = std::move(motion);
    run.steps = 0;
    run.time = 0.0;
    run.planned = 0.0;
    run.now = sampleGroundMotion(run.motion, 0.0);
    quake.drift = DriftTrack{};  // set up with the rest pose, before the first step
    const b2Vec2 rest = b2Body_GetPosition(quake.groundBody);
    run.groundX = rest.x;
    run.groundY = rest.y;

    const float length = static_cast<float>(motionDuration(run.motion));
    run.userDuration = quake.duration;
    run.durationReplaced = quake.duration != length;
    quake.duration = length;

    quake.elapsed = 0.0f;
    quake.lastMean = Vector2{0.0f, 0.0f};  // no force on any member in this model
    quake.lastAmplitude = Vector2{static_cast<float>(run.motion.peakG),
                                  static_cast<float>(metresFromUnits(run.motion.peakDisplacement))};
    erase(quake.graphX);
    erase(quake.graphY);
    addGraphPoints(quake);

    // Kinematic, the ground joins the islands of what stands on it and wakes them; kept
    // from sleeping, it keeps them awake until it rests again.
    if (isLive(quake.groundBody)) {
        b2Body_SetType(quake.groundBody, b2_kinematicBody);
        b2Body_EnableSleep(quake.groundBody, false);
    }
    run.moving = true;
    quake.active = true;
}

namespace {

// The motion's own velocity in the middle of the coming step: its change from step to
// step is the motion's acceleration over a step, computed in double precision and never
// from the ground's position, whose float rounding far from the origin would show in it.
double plannedVelocity(const GroundMotionRun& run) {
    return groundVelocityAt(run.motion, (static_cast<double>(run.steps) + 0.5) * STEP_SECONDS);
}

}  // namespace

GroundPath groundPathFor(const QuakeState& quake) {
    GroundPath path;
    const GroundMotionRun& run = quake.groundRun;
    if (!run.moving || !groundIsMoving(quake)) return path;
    path.moving = true;
    const double drift = static_cast<double>(run.groundX) + run.planned - b2Body_GetPosition(quake.groundBody).x;
    const double correction = std::clamp(DRIFT_RATE * drift, -DRIFT_SPEED_LIMIT, DRIFT_SPEED_LIMIT);
    path.velocity = Vector2{static_cast<float>(plannedVelocity(run) + correction), 0.0f};
    return path;
}

void groundStepped(QuakeState& quake) {
    GroundMotionRun& run = quake.groundRun;
    if (!run.moving) return;
    run.planned += plannedVelocity(run) * STEP_SECONDS;
    ++run.steps;
    run.time = static_cast<double>(run.steps) * STEP_SECONDS;
    run.now = sampleGroundMotion(run.motion, run.time);
    quake.elapsed = static_cast<float>(run.time);
    addGraphPoints(quake);
    // Within rounding of the end, the motion is over.
    if (run.time >= motionDuration(run.motion) - 1e-6) stopGroundQuake(quake);
}

void stopGroundQuake(QuakeState& quake) {
    GroundMotionRun& run = quake.groundRun;
    if (!run.moving) return;
    if (groundIsMoving(quake)) {
        b2Body_SetTransform(quake.groundBody, b2Vec2{run.groundX, run.groundY}, b2Body_GetRotation(quake.groundBody));
        b2Body_EnableSleep(quake.groundBody, true);
        b2Body_SetType(quake.groundBody, b2_staticBody);
    }
    run.moving = false;
    restoreDuration(quake);
    quake.active = false;
    quake.elapsed = 0.0f;
}

float userQuakeDuration(const QuakeState& quake) {
    return durationStandsIn(quake) ? quake.groundRun.userDuration : quake.duration;
}

WorldSetup worldSetupFor(const GroundMotionSettings& ground) {
    if (ground.model != QuakeModel::GroundMotion) return WorldSetup{};
    WorldSetup setup;
    setup.gravityY = static_cast<float>(unitsPerSecond2FromG(1.0));
    setup.baseMotorTorque = 0.0f;
    setup.floorLoadKgPerMetre = std::isfinite(ground.floorLoad) && ground.floorLoad > 0.0f ? ground.floorLoad : 0.0f;
    setup.connections.connection = ground.connection;
    setup.connections.base = ground.base;
    setup.connections.stiffnessKNmPerRad = ground.stiffness;
    setup.connections.dampingRatio = ground.dampingRatio;
    setup.connections.capacityKNm = ground.capacity;
    return setup;
}

namespace {

std::string connectionsText(const ConnectionSetup& c) {
    std::string text = c.connection == Connection::Moment ? "moment connections" : "pinned connections";
    text += c.base == BaseFixity::Fixed ? " on a fixed base" : " on a pinned base";
    if (c.connection == Connection::Moment || c.base == BaseFixity::Fixed) {
        text += " (" + shownNumber(c.stiffnessKNmPerRad) + " kN m/rad, damping ratio " + shownNumber(c.dampingRatio) +
                ", capacity " + shownNumber(c.capacityKNm) + " kN m)";
    }
    return text;
}

}  // namespace

std::string worldProblem(const QuakeState& quake, const WorldSetup& built) {
    const WorldSetup chosen = worldSetupFor(quake.ground);
    if (sameBuiltWorld(built, chosen)) return "";
    const bool sameModel = (built.baseMotorTorque > 0.0f) == (chosen.baseMotorTorque > 0.0f);
    if (sameModel && !sameConnections(built.connections, chosen.connections)) {
        return "the structure was built with " + connectionsText(built.connections) + "; G then F builds it with " +
               connectionsText(chosen.connections);
    }
    return std::string("the structure was built for the ") +
           (built.baseMotorTorque > 0.0f ? "classic" : "ground-motion") +
           " model's world; G then F builds it for the model chosen now";
}

JointRule jointRuleFor(const QuakeState& quake, const Simulation& sim) {
    if (quake.ground.model == QuakeModel::GroundMotion) return groundJointRule(quake.ground, sim);
    return JointRule{sim.threshold, sim.accumulativeLimit};
}
