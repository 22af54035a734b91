#include "sway_probe.h"

#include <algorithm>
#include <cmath>

#include "physics/engine/b2layer.h"
#include "physics/time_step.h"
#include "physics/units.h"
#include "physics/world.h"
#include "quake/ground_quake.h"

namespace {

constexpr float STEP = static_cast<float>(STEP_SECONDS);
constexpr double HALF_TURN = 3.14159265358979323846;

const RandomInt lowest = [](int lo, int) { return lo; };

int stepsOf(double seconds) { return static_cast<int>(std::lround(seconds / STEP_SECONDS)); }

}  // namespace

GroundMotionSettings momentSettings(BaseFixity base) {
    GroundMotionSettings s;
    s.model = QuakeModel::GroundMotion;
    s.connection = Connection::Moment;
    s.base = base;
    return s;
}

GroundMotion motionOf(const std::function<double(double)>& accelerationG, double seconds, double dt) {
    std::vector<double> samples;
    for (int i = 0; i * dt <= seconds + 1e-9; ++i) samples.push_back(accelerationG(i * dt));
    return integratedMotion(std::move(samples), dt);
}

GroundMotion heldThenLetGo(double aG, double rampSeconds, double holdSeconds, double freeSeconds) {
    const double held = rampSeconds + holdSeconds;
    return motionOf(
        [=](double t) {
            if (t < rampSeconds) return aG * (0.5 - 0.5 * std::cos(HALF_TURN * t / rampSeconds));
            return t < held ? aG : 0.0;
        },
        held + freeSeconds);
}

SwayWorld::SwayWorld(const std::vector<Line>& lines, const GroundMotionSettings& settings) {
    initSimulation(sim);
    quake.ground = settings;
    quake.groundBody = sim.ground.body;
    setWorldSetup(sim, worldSetupFor(settings));
    buildStructure(sim, lines);
    for (const Beam& beam : sim.beams) b2Body_EnableSleep(beam.body, false);
}

SwayWorld::~SwayWorld() { destroySimulation(sim); }

void SwayWorld::step() {
    SimFrameEvents events;
    events.frameTime = STEP;
    accumulator += STEP;
    simulateFrame(sim, quake, spawner, accumulator, events, lowest);
    for (const JointRecord& record : sim.jointRecords) {
        if (record.momentCapacity > 0.0f) {
            utilisation = std::max(utilisation, std::fabs(static_cast<double>(record.moment / record.momentCapacity)));
        }
    }
}

void SwayWorld::settle(double seconds) {
    for (int i = stepsOf(seconds); i > 0; --i) step();
    rest = captureRestPose(sim);
    utilisation = 0.0;
}

double SwayWorld::roofDrift() const {
    const std::size_t roof = sim.beams.size() - 1;
    const double member = b2Body_GetPosition(sim.beams[roof].body).x - rest.position[roof].x;
    const double ground = b2Body_GetPosition(sim.ground.body).x - rest.ground.x;
    return metresFromUnits(member - ground);
}

std::vector<double> SwayWorld::drive(const GroundMotion& motion, double seconds) {
    runGroundMotion(quake, motion);
    rest = captureRestPose(sim);
    std::vector<double> drift;
    for (int i = stepsOf(std::min(seconds, motionDuration(motion))); i > 0 && quake.groundRun.moving; --i) {
        step();
        // The last step puts the ground back where it started: no drift to read then.
        if (quake.groundRun.moving) drift.push_back(roofDrift());
    }
    return drift;
}

double zeroCrossingPeriod(const std::vector<double>& u, double dt) {
    std::vector<double> crossings;
    for (std::size_t i = 1; i < u.size(); ++i) {
        if (u[i - 1] < 0.0 && u[i] >= 0.0) {
            crossings.push_back((static_cast<double>(i) - u[i] / (u[i] - u[i - 1])) * dt);
        }
    }
    if (crossings.size() < 2) return 0.0;
    return (crossings.back() - crossings.front()) / static_cast<double>(crossings.size() - 1);
}

double logDecrementDamping(const std::vector<double>& u, int cycles) {
    // Each positive peak refined by the parabola through it and its neighbours.
    std::vector<double> peaks;
    for (std::size_t i = 1; i + 1 < u.size(); ++i) {
        if (u[i] > 0.0 && u[i] >= u[i - 1] && u[i] > u[i + 1]) {
            const double curve = u[i - 1] - 2.0 * u[i] + u[i + 1];
            const double shift = curve < 0.0 ? 0.5 * (u[i - 1] - u[i + 1]) / curve : 0.0;
            peaks.push_back(u[i] - 0.25 * (u[i - 1] - u[i + 1]) * shift);
        }
    }
    if (cycles < 1 || peaks.size() < static_cast<std::size_t>(cycles) + 1) return 0.0;
    const double delta = std::log(peaks[0] / peaks[static_cast<std::size_t>(cycles)]) / cycles;
    return delta / std::sqrt(4.0 * 3.14159265358979323846 * 3.14159265358979323846 + delta * delta);
}

double peakAbs(const std::vector<double>& u, std::size_t from, std::size_t to) {
    double peak = 0.0;
    for (std::size_t i = from; i < to && i < u.size(); ++i) peak = std::max(peak, std::fabs(u[i]));
    return peak;
}
