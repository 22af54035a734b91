// Moment frames held to structural dynamics (Chopra, Dynamics of Structures, 4th ed.): a
// one-storey frame is a single degree of freedom, so its free vibration, its resonance and
// its response to a record follow from its masses, its geometry and the connections'
// stiffness and damping; a taller frame sways slower, as its estimated period says.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench/trusses.h"
#include "newmark_sdof.h"
#include "persistence/accelerogram_file.h"
#include "physics/engine/b2layer.h"
#include "physics/frame_period.h"
#include "physics/joint_loads.h"
#include "physics/time_step.h"
#include "physics/units.h"
#include "quake/ground_quake.h"
#include "sway_probe.h"

namespace {

constexpr double HALF_TURN = 3.14159265358979323846;
// 4 m high and 4 m wide, on the grid's column 10.
std::vector<Line> oneStoreyFrame() { return makeFrame(10, 1, 1, 4, 4); }

// The one-storey frame's sway as theory has it: the roof beam moves u, each post turns
// u / h about its foot, and each connection that turns (the two at the roof, and the feet
// when fixed) stores k (u / h)² / 2. Gravity on the leaning posts and beam takes a little
// stiffness away (P-delta). SI units.
struct SwayTheory {
    double mass = 0.0;          // kg moving as the roof does (the posts by their inertia about the feet)
    double participation = 0.0; // kg the ground's acceleration pushes on, in the same shape
    double stiffness = 0.0;     // N/m at the roof
    double height = 0.0;        // m from the feet's pivots to the roof's connections
    double period() const { return 2.0 * HALF_TURN * std::sqrt(mass / stiffness); }
};

SwayTheory theoryOf(const Simulation& sim, const GroundMotionSettings& settings) {
    double baseY = 0.0, topY = 0.0;
    int bases = 0, tops = 0;
    for (const JointRecord& record : sim.jointRecords) {
        const Vector2 p = jointWorldPoint(sim.jointSlots[record.jointSlot]);
        if (record.beam != NO_BEAM) {
            baseY += p.y;
            ++bases;
        } else {
            topY += p.y;
            ++tops;
        }
    }
    SwayTheory t;
    t.height = metresFromUnits(baseY / bases - topY / tops);  // y points down
    const double g = STANDARD_GRAVITY;
    double geometric = 0.0;
    for (const Beam& beam : sim.beams) {
        const double m = b2Body_GetMass(beam.body);
        if (beam.line.start.y == beam.line.end.y) {
            t.mass += m;
            t.participation += m;
            geometric += m * g / t.height;
            continue;
        }
        const double length = metresFromUnits(2.0 * beam.halfLength);
        const double width = metresFromUnits(2.0 * beam.halfWidth);
        const double centre = metresFromUnits(baseY / bases - b2Body_GetPosition(beam.body).y);
        const double aboutFoot = m * (length * length + width * width) / 12.0 + m * centre * centre;
        t.mass += aboutFoot / (t.height * t.height);
        t.participation += m * centre / t.height;
        geometric += m * g * centre / (t.height * t.height);
    }
    const double springs = settings.base == BaseFixity::Fixed ? 4.0 : 2.0;
    const double k = newtonMetresFromEngineTorque(engineTorqueFromKilonewtonMetres(settings.stiffness));
    t.stiffness = springs * k / (t.height * t.height) - geometric;
    return t;
}

struct Measured {
    double period = 0.0;
    double damping = 0.0;
    double staticPerG = 0.0;  // m of roof drift per g of ground acceleration held still
    SwayTheory theory;
};

// A tenth of g raised over a second and held a second, then let go: the lean while it is
// held is the static drift, and the frame's free vibration follows.
Measured leanAndLetGo(SwayWorld& w, double freeSeconds) {
    const double aG = 0.1, ramp = 1.0, hold = 1.0;
    const std::vector<double> u = w.drive(heldThenLetGo(aG, ramp, hold, freeSeconds), ramp + hold + freeSeconds);
    const auto released = static_cast<std::size_t>((ramp + hold) / STEP_SECONDS);
    const auto lastHalfSecond = static_cast<std::size_t>(0.5 / STEP_SECONDS);
    Measured m;
    double lean = 0.0;
    for (std::size_t i = released - lastHalfSecond; i < released; ++i) lean += u[i];
    m.staticPerG = std::fabs(lean / static_cast<double>(lastHalfSecond)) / aG;
    const std::vector<double> free(u.begin() + static_cast<std::ptrdiff_t>(released), u.end());
    m.period = zeroCrossingPeriod(free, STEP_SECONDS);
    m.damping = logDecrementDamping(free, 4);
    return m;
}

// The one-storey frame's free vibration, measured once per base for the checks that need it.
const Measured& oneStorey(BaseFixity base) {
    static Measured measured[2];
    Measured& m = measured[base == BaseFixity::Fixed ? 1 : 0];
    if (m.period == 0.0) {
        const GroundMotionSettings settings = momentSettings(base);
        SwayWorld w(oneStoreyFrame(), settings);
        w.settle(3.0);
        const SwayTheory theory = theoryOf(w.sim, settings);
        m = leanAndLetGo(w, 2.5);
        m.theory = theory;
    }
    return m;
}

// Each check's figures go to the test report (--gtest_output=xml), where the README's
// table was read from.
void report(const std::string& key, double value) { ::testing::Test::RecordProperty(key, std::to_string(value)); }

}  // namespace

// The yardstick itself: an undamped oscillator under a sudden constant ground acceleration
// swings to twice the static displacement; damped, to (1 + e^(-zeta pi / sqrt(1 - zeta²)))
// times it (Chopra, section 4.3).
TEST(StructuralDynamics, NewmarkMatchesTheStepResponse) {
    const double period = 0.3, aG = 0.2;
    const double w = 2.0 * HALF_TURN / period;
    const double statics = aG * STANDARD_GRAVITY / (w * w);
    const std::vector<double> step(301, aG);  // 3 s
    EXPECT_NEAR(newmarkPeakDisplacement(step, 0.01, period, 0.0), 2.0 * statics, 0.002 * statics);
    const double zeta = 0.05;
    const double overshoot = std::exp(-zeta * HALF_TURN / std::sqrt(1.0 - zeta * zeta));
    EXPECT_NEAR(newmarkPeakDisplacement(step, 0.01, period, zeta), (1.0 + overshoot) * statics, 0.002 * statics);
}

// Leaned by a ground acceleration held still and let go, the frame rings at 2 pi sqrt(m / k) and dies away at the
// damping ratio set, feet pinned or fixed.
TEST(StructuralDynamics, FreeVibrationHasTheTheoreticalPeriodAndTheDampingSet) {
    for (BaseFixity base : {BaseFixity::Pinned, BaseFixity::Fixed}) {
        const Measured& m = oneStorey(base);
        const double expected = m.theory.period();
        const std::string which = base == BaseFixity::Fixed ? "fixed feet" : "pinned feet";
        const std::string key = base == BaseFixity::Fixed ? "fixed_" : "pinned_";
        report(key + "period_theory_s", expected);
        report(key + "period_measured_s", m.period);
        report(key + "damping_measured", m.damping);
        EXPECT_NEAR(m.period, expected, 0.05 * expected) << which;
        const double zeta = momentSettings(base).dampingRatio;
        EXPECT_NEAR(m.damping, zeta, 0.2 * zeta) << which;
    }
}

// Shaken at its own frequency the frame settles to 1 / (2 zeta) times the static drift the
// same acceleration gives held still (zeta as its free vibration showed); at a third of
// it, to 1 / (1 - 1/9) = 1.125 times (Chopra, section 3.2).
TEST(StructuralDynamics, ResonanceAtTheNaturalFrequencyAndNearlyStaticAtAThird) {
    const GroundMotionSettings settings = momentSettings(BaseFixity::Pinned);
    const Measured& free = oneStorey(BaseFixity::Pinned);
    ASSERT_GT(free.period, 0.0) << "the frame does not sway freely";
    const double w = 2.0 * HALF_TURN / free.period;
    report("static_mm_per_g_measured", 1000.0 * free.staticPerG);
    report("static_mm_per_g_theory", 1000.0 * free.theory.participation * STANDARD_GRAVITY / free.theory.stiffness);
    struct Case {
        double frequency;  // rad/s
        double aG;
        double ratio;      // steady amplitude over static drift
        double settled;    // seconds after which the start has died away
    };
    const double r = 1.0 / 3.0;
    for (const Case& c : {Case{w, 0.05, 1.0 / (2.0 * free.damping), 5.0},
                          Case{w * r, 0.2, 1.0 / (1.0 - r * r), 3.5}}) {
        SwayWorld frame(oneStoreyFrame(), settings);
        frame.settle(3.0);
        const std::vector<double> u =
            frame.drive(motionOf([&](double t) { return c.aG * std::sin(c.frequency * t); }, 6.0), 6.0);
        const double steady = peakAbs(u, static_cast<std::size_t>(c.settled / STEP_SECONDS), u.size());
        const double expected = c.ratio * free.staticPerG * c.aG;
        const std::string key = c.frequency == w ? "resonance_" : "third_";
        report(key + "ratio_expected", c.ratio);
        report(key + "ratio_measured", steady / (free.staticPerG * c.aG));
        EXPECT_NEAR(steady, expected, 0.2 * expected) << "at " << c.frequency / w << " of the natural frequency";
        EXPECT_LT(frame.utilisation, 1.0) << "the connections stay elastic";
    }
}

// Under each record of records/, brought low enough that no connection yields, the roof's
// peak drift is the participation factor times the peak of Newmark's oscillator with the
// frame's measured period and damping.
TEST(StructuralDynamics, PeakDriftUnderEachRecordIsNewmarksWithTheSamePeriodAndDamping) {
    const GroundMotionSettings settings = momentSettings(BaseFixity::Pinned);
    const Measured& free = oneStorey(BaseFixity::Pinned);
    ASSERT_GT(free.period, 0.0) << "the frame does not sway freely";
    const double gamma = free.theory.participation / free.theory.mass;
    const double k = newtonMetresFromEngineTorque(engineTorqueFromKilonewtonMetres(settings.stiffness));
    const double capacity = newtonMetresFromEngineTorque(engineTorqueFromKilonewtonMetres(settings.capacity));
    // The drift at which the roof's connections would carry half their capacity.
    const double elastic = 0.5 * capacity * free.theory.height / k;

    const std::vector<std::string> names = listRecordFiles(TREMORA_SOURCE_DIR);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        const AccelerogramRead read = readRecordFile(TREMORA_SOURCE_DIR, name);
        ASSERT_TRUE(read.ok) << name << ": " << read.message;
        const GroundMotion asRecorded = groundMotionFromRecord(read.record, 1.0);
        const double atScale1 =
            gamma * newmarkPeakDisplacement(asRecorded.accelerationG, asRecorded.dt, free.period, free.damping);
        const double scale = std::min(1.0, elastic / atScale1);
        const GroundMotion motion = groundMotionFromRecord(read.record, scale);
        const double expected =
            gamma * newmarkPeakDisplacement(motion.accelerationG, motion.dt, free.period, free.damping);

        SwayWorld frame(oneStoreyFrame(), settings);
        frame.settle(3.0);
        const std::vector<double> u = frame.drive(motion, motionDuration(motion));
        const double peak = peakAbs(u, 0, u.size());
        report(name + "_scale", scale);
        report(name + "_newmark_mm", 1000.0 * expected);
        report(name + "_frame_mm", 1000.0 * peak);
        EXPECT_NEAR(peak, expected, 0.2 * expected) << name << " at scale " << scale;
        EXPECT_LT(frame.utilisation, 1.0) << name << ": the connections stay elastic";
    }
}

// Three storeys of 3 m sway slower than one of 4 m, at the period the frame's estimate
// gives from its drawing.
TEST(StructuralDynamics, ThreeStoreysSwaySlowerAtTheEstimatedPeriod) {
    const GroundMotionSettings settings = momentSettings(BaseFixity::Pinned);
    const std::vector<Line> lines = makeFrame(10, 1, 3, 4, 3);
    SwayWorld w(lines, settings);
    w.settle(3.0);
    const double estimate = shearFramePeriodSeconds(w.sim, lines);
    const double period = leanAndLetGo(w, 4.0).period;
    report("estimate_s", estimate);
    report("three_storeys_s", period);
    report("one_storey_s", oneStorey(BaseFixity::Pinned).period);
    EXPECT_GT(period, oneStorey(BaseFixity::Pinned).period);
    EXPECT_NEAR(period, estimate, 0.15 * estimate);
}
