#include "tools/quake_lab.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "app/sim_frame.h"
#include "physics/engine/b2layer.h"
#include "physics/joint_loads.h"
#include "physics/units.h"
#include "physics/world.h"
#include "quake/drift.h"
#include "quake/ground_quake.h"
#include "quake/joint_sizing.h"
#include "quake/quake.h"
#include "quake/scaled_motion.h"
#include "tools/fixed_random.h"
#include "tools/lab_heading.h"

namespace {

// Every frame lasts one step, so every frame steps.
constexpr float FRAME_TIME = static_cast<float>(STEP_SECONDS);

// How far below where it was built a member's lower-fallen end is. Local (0, ±halfLength)
// are the line's end and start (see the members' rotation when built).
float memberDrop(const Beam& beam) {
    if (!isLive(beam.body)) return 0.0f;
    const b2Vec2 end = b2Body_GetWorldPoint(beam.body, b2Vec2{0.0f, beam.halfLength});
    const b2Vec2 start = b2Body_GetWorldPoint(beam.body, b2Vec2{0.0f, -beam.halfLength});
    const float drop = std::max(end.y - beam.line.end.y, start.y - beam.line.start.y);
    return std::isnan(drop) ? FALLEN_DROP * 1000.0f : drop;
}

int framesOf(double seconds) { return seconds > 0.0 ? static_cast<int>(std::lround(seconds / STEP_SECONDS)) : 0; }

}  // namespace

LabSettings labSettingsFor(const Design& design) {
    LabSettings settings;
    settings.magnitude = design.magnitude;
    settings.distanceKm = std::hypot(design.epicenter.x, design.epicenter.y);
    settings.duration = design.duration;
    return settings;
}

namespace {

// The design's world as every run makes it, before the structure is built.
void prepareWorld(Simulation& sim, QuakeState& quake, const Design& design, const LabSettings& settings) {
    initSimulation(sim);
    sim.density = design.density;
    sim.accumulativeLimit = design.accumulativeLimit;
    sim.threshold = design.threshold;
    quake.ground = settings.ground;
    quake.ground.model = settings.model;
    setWorldSetup(sim, worldSetupFor(quake.ground));
}

}  // namespace

float labDesignForce(const Design& design, const LabSettings& settings) {
    Simulation sim;
    QuakeState quake;
    prepareWorld(sim, quake, design, settings);
    buildStructure(sim, design.lines);
    sizeConnections(sim, quake.ground, design.lines);
    const float force = sim.designForce;
    destroySimulation(sim);
    return force;
}

LabOutcome runLab(const Design& design, const LabSettings& settings, std::uint32_t seed) {
    Simulation sim;
    QuakeState quake;
    prepareWorld(sim, quake, design, settings);
    buildStructure(sim, design.lines);
    if (settings.designForce >= 0.0f) {
        sim.designForce = settings.designForce;
    } else {
        sizeConnections(sim, quake.ground, design.lines);
    }
    if (!settings.sleeping) {
        for (const Beam& beam : sim.beams) b2Body_EnableSleep(beam.body, false);
    }

    quake.magnitude = settings.magnitude;
    quake.epicenter = Vector2{settings.distanceKm, 0.0f};
    quake.duration = settings.duration;
    quake.groundBody = sim.ground.body;

    LabOutcome outcome;
    outcome.seed = seed;
    outcome.joints = static_cast<int>(sim.jointSlots.size());
    outcome.jointCapacityKN = sizedCapacityKN(quake.ground, sim);
    const RandomInt random = fixedRandom(seed);
    HumanSpawner noFigures;
    const bool scaled = settings.model == QuakeModel::GroundMotion && settings.targetPgaG > 0.0;
    float accumulator = 0.0f;
    const int settle = framesOf(settings.settleSeconds);
    const int frames = settle + framesOf(settings.seconds);
    for (int f = 0; f < frames; ++f) {
        SimFrameEvents events;
        events.frameTime = FRAME_TIME;
        events.startQuake = settings.quake && f == settle;
        events.clockSeconds = static_cast<double>(seed);
        if (events.startQuake && scaled) {
            // Enter's start with the motion brought to the level: the same seed drawn the
            // same way, the same history, only larger or smaller.
            events.startQuake = false;
            const QuakeSeed drawn = drawQuakeSeed(events.clockSeconds, random);
            quake.seed = drawn;
            quake.hasSeed = true;
            runGroundMotion(quake, scaledToPeak(groundMotionFor(quake, drawn), settings.targetPgaG));
        }
        accumulator += FRAME_TIME;
        simulateFrame(sim, quake, noFigures, accumulator, events, random);
        if (f >= settle) {
            for (const JointRecord& record : sim.jointRecords) {
                if (isLive(sim.jointSlots[record.jointSlot])) outcome.peakJointForce = std::max(outcome.peakJointForce, record.force);
            }
        }
        if (f == settle && settings.quake && settings.model == QuakeModel::GroundMotion) {
            outcome.pgaG = quake.groundRun.motion.peakG;
        }
        if (!outcome.anyBroken && brokenJointCount(sim) > 0) {
            outcome.anyBroken = true;
            outcome.firstBreakSeconds = static_cast<double>(f + 1 - settle) * STEP_SECONDS;
        }
    }
    outcome.broken = brokenJointCount(sim);
    const DriftTrack& drift = quake.drift;
    outcome.hasDrift = drift.started && !drift.levels.empty();
    if (outcome.hasDrift) {
        outcome.peakRoofDrift = drift.peakRoofDrift;
        outcome.peakStoreyDrift = largestPeakStoreyDrift(drift);
        outcome.worstDamage = worstDamage(drift);
    }
    for (const Beam& beam : sim.beams) outcome.largestDrop = std::max(outcome.largestDrop, memberDrop(beam));
    outcome.standing = outcome.largestDrop <= FALLEN_DROP &&
                       static_cast<double>(outcome.broken) < BROKEN_SHARE_FOR_COLLAPSE * outcome.joints;
    destroySimulation(sim);
    return outcome;
}

std::vector<LabOutcome> runLabSeeds(const Design& design, const LabSettings& settings, std::uint32_t first,
                                    int count) {
    std::vector<LabOutcome> outcomes;
    for (int i = 0; i < count; ++i) outcomes.push_back(runLab(design, settings, first + static_cast<std::uint32_t>(i)));
    return outcomes;
}

int standingCount(const std::vector<LabOutcome>& outcomes) {
    return static_cast<int>(std::count_if(outcomes.begin(), outcomes.end(), [](const LabOutcome& o) { return o.standing; }));
}

std::string labReport(const Design& design, const LabSettings& settings, const std::vector<LabOutcome>& outcomes) {
    std::ostringstream out;
    out << design.name << ": " << design.lines.size() << " lines; " << labQuakeText(settings) << "; "
        << labRuleText(design, settings, outcomes.empty() ? 0.0 : outcomes.front().jointCapacityKN) << "\n";
    out << labRowsText(outcomes, settings.model == QuakeModel::GroundMotion);
    return out.str();
}

std::string fixedDecimals(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string labRowsText(const std::vector<LabOutcome>& outcomes, bool ground) {
    std::string text = std::string("seed   broken        first break   peak force    lowest end    ") +
                       (ground ? "roof drift %  storey drift %  damage     " : "") + "outcome\n";
    for (const LabOutcome& o : outcomes) text += labRow(o, ground);
    return text + "standing in " + std::to_string(standingCount(outcomes)) + " of " + std::to_string(outcomes.size()) +
           " seeds\n";
}

DamageState damageReached(const LabOutcome& outcome) {
    return outcome.standing ? outcome.worstDamage : DamageState::Complete;
}

double labForceShown(float force, bool ground) {
    return ground ? kilonewtonsFromEngineForce(force) : static_cast<double>(force);
}

std::string labRow(const LabOutcome& o, bool ground) {
    std::string row = std::to_string(o.seed);
    row.resize(7, ' ');
    std::string broken = std::to_string(o.broken) + " of " + std::to_string(o.joints);
    broken.resize(14, ' ');
    std::string first = o.anyBroken ? fixedDecimals(o.firstBreakSeconds, 2) + " s" : "-";
    first.resize(14, ' ');
    // This model's forces in kN, the classic model's in the engine's own units.
    std::string peak = ground ? fixedDecimals(labForceShown(o.peakJointForce, true), 1) + " kN"
                              : fixedDecimals(o.peakJointForce, 0);
    peak.resize(14, ' ');
    std::string drop = fixedDecimals(metresFromUnits(o.largestDrop), 2) + " m";
    drop.resize(14, ' ');
    std::string drift;
    if (ground) {
        drift = o.hasDrift ? fixedDecimals(100.0 * o.peakRoofDrift, 2) : "-";
        drift.resize(14, ' ');
        std::string storey = o.hasDrift ? fixedDecimals(100.0 * o.peakStoreyDrift, 2) : "-";
        storey.resize(16, ' ');
        std::string damage = o.hasDrift ? damageName(o.worstDamage) : "-";
        damage.resize(11, ' ');
        drift += storey + damage;
    }
    return row + broken + first + peak + drop + drift + (o.standing ? "standing" : "collapsed") + "\n";
}
