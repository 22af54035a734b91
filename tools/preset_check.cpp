// Runs a design through the real physics, frame by frame as the program does: quake step,
// joint-load check, then one world step of 1/120 s.
#include "tools/preset_check.h"

#include <sstream>

#include <cmath>

#include "app/sim_frame.h"
#include "physics/engine/b2layer.h"
#include "physics/joint_loads.h"
#include "physics/world.h"
#include "quake/quake.h"
#include "tools/fixed_random.h"

namespace {

// Every frame lasts one step, so every frame steps.
constexpr float FRAME_TIME = static_cast<float>(STEP_SECONDS);

// A fresh world with the design's settings and structure built.
void buildFresh(Simulation& sim, const Design& design) {
    initSimulation(sim);
    sim.density = design.density;
    sim.accumulativeLimit = design.accumulativeLimit;
    sim.threshold = design.threshold;
    buildStructure(sim, design.lines);
}

// One simulated frame; Enter in it when startQuake. Figures are never dropped here.
void checkFrame(Simulation& sim, QuakeState& quake, float& accumulator, bool startQuake, const RandomInt& random,
                double clockSeconds) {
    SimFrameEvents events;
    events.frameTime = FRAME_TIME;
    events.startQuake = startQuake;
    events.clockSeconds = clockSeconds;
    HumanSpawner noFigures;
    accumulator += FRAME_TIME;
    simulateFrame(sim, quake, noFigures, accumulator, events, random);
}

// One frame of a quake that was not started; returns whether a joint broke in it.
bool gravityFrame(Simulation& sim, QuakeState& idle, float& accumulator) {
    const int before = brokenJointCount(sim);
    checkFrame(sim, idle, accumulator, false, RandomInt{}, 0.0);
    return brokenJointCount(sim) > before;
}

float largestDrift(const Simulation& sim) {
    float drift = 0.0f;
    for (const Beam& beam : sim.beams) {
        const b2Vec2 p = b2Body_GetPosition(beam.body);
        const float dx = p.x - (beam.line.start.x + beam.line.end.x) * 0.5f;
        const float dy = p.y - (beam.line.start.y + beam.line.end.y) * 0.5f;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (!(d <= drift)) drift = d;  // a position that is not a number counts as drift
    }
    return drift;
}

QuakeTrial runQuake(const Design& design, const PresetCheckOptions& options, std::uint32_t seed) {
    QuakeTrial trial;
    trial.seed = seed;
    Simulation sim;
    buildFresh(sim, design);
    float accumulator = 0.0f;
    QuakeState quake;
    for (int f = 0; f < options.settleFrames; ++f) gravityFrame(sim, quake, accumulator);

    quake.duration = design.duration;
    quake.magnitude = design.magnitude;
    quake.epicenter = design.epicenter;
    quake.groundBody = sim.ground.body;
    const RandomInt random = fixedRandom(seed);
    const int brokenBefore = brokenJointCount(sim);
    // A quake ends in the frame in which its elapsed time passes the duration; the bound
    // only guards against a duration that never ends.
    const int maxFrames = static_cast<int>(design.duration / FRAME_TIME) + 3;
    for (int f = 0; f < maxFrames; ++f) {
        checkFrame(sim, quake, accumulator, f == 0, random, static_cast<double>(seed));
        ++trial.frames;
        if (trial.firstBreakFrame < 0 && brokenJointCount(sim) > brokenBefore) trial.firstBreakFrame = f;
        if (!quake.active) break;
    }
    trial.broken = brokenJointCount(sim);
    destroySimulation(sim);
    return trial;
}

}  // namespace

PresetCheckResult checkPreset(const Design& design, const PresetCheckOptions& options) {
    PresetCheckResult result;
    {
        Simulation sim;
        buildFresh(sim, design);
        result.joints = static_cast<int>(sim.jointSlots.size());
        float accumulator = 0.0f;
        QuakeState idle;
        for (int f = 0; f < options.gravityFrames; ++f) {
            if (gravityFrame(sim, idle, accumulator) && result.firstGravityBreakFrame < 0) {
                result.firstGravityBreakFrame = f;
            }
        }
        result.brokenUnderGravity = brokenJointCount(sim);
        result.gravityDrift = largestDrift(sim);
        destroySimulation(sim);
    }
    result.stands =
        result.joints > 0 && result.brokenUnderGravity == 0 && result.gravityDrift <= options.maxStandingDrift;

    result.fallsApart = !options.quakeSeeds.empty();
    for (std::uint32_t seed : options.quakeSeeds) {
        const QuakeTrial trial = runQuake(design, options, seed);
        result.quakes.push_back(trial);
        if (static_cast<double>(trial.broken) < options.fallFraction * result.joints || trial.broken == 0) {
            result.fallsApart = false;
        }
    }
    return result;
}

std::string describeCheck(const Design& design, const PresetCheckResult& result) {
    std::ostringstream out;
    out << design.name << ": " << design.lines.size() << " lines, " << result.joints << " joints; density "
        << design.density << ", limit " << design.accumulativeLimit << ", threshold " << design.threshold
        << ", quake " << design.duration << " s of magnitude " << design.magnitude << " at (" << design.epicenter.x
        << ", " << design.epicenter.y << ") km\n";
    out << "  gravity: " << result.brokenUnderGravity << " joints broken, members moved at most "
        << result.gravityDrift << " units";
    if (result.firstGravityBreakFrame >= 0) out << " (first in frame " << result.firstGravityBreakFrame << ")";
    out << (result.stands ? " - stands\n" : " - does NOT stand\n");
    for (const QuakeTrial& t : result.quakes) {
        out << "  quake seed " << t.seed << ": " << t.broken << " of " << result.joints << " joints broken in "
            << t.frames << " frames";
        if (t.firstBreakFrame >= 0) out << ", first in frame " << t.firstBreakFrame;
        out << "\n";
    }
    out << "  " << (result.fallsApart ? "falls apart in every quake" : "does NOT fall apart in every quake")
        << "\n";
    return out.str();
}
