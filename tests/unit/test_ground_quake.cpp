// The ground-motion quake against the real physics: the ground follows the motion and
// comes back to rest, a rigid frame's base carries mass times the ground's acceleration,
// and G or a missing record leave the ground static where it started.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/editor.h"
#include "app/modes.h"
#include "app/sim_frame.h"
#include "app/sim_run.h"
#include "frame_input.h"
#include "physics/engine/b2layer.h"
#include "physics/units.h"
#include "physics/world.h"
#include "quake/failure_report.h"
#include "quake/ground_quake.h"

namespace {

constexpr float STEP = static_cast<float>(STEP_SECONDS);
constexpr double HALF_TURN = 3.14159265358979323846;

// A motion sampled every dt from a displacement history (world units) and its derivatives.
template <class Displacement, class Velocity, class Acceleration>
GroundMotion handMade(double seconds, Displacement x, Velocity v, Acceleration a) {
    GroundMotion m;
    m.dt = 0.01;
    for (int i = 0; i * m.dt <= seconds + 1e-9; ++i) {
        const double t = i * m.dt;
        m.displacement.push_back(x(t));
        m.velocity.push_back(v(t));
        m.accelerationG.push_back(gFromUnitsPerSecond2(a(t)));
        m.peakG = std::max(m.peakG, std::fabs(gFromUnitsPerSecond2(a(t))));
        m.peakDisplacement = std::max(m.peakDisplacement, std::fabs(x(t)));
    }
    return m;
}

struct World {
    Simulation sim;
    QuakeState quake;
    HumanSpawner spawner;
    float accumulator = 0.0f;
    explicit World(std::vector<Line> lines) {
        initSimulation(sim);
        buildStructure(sim, std::move(lines));
        quake.groundBody = sim.ground.body;
        quake.ground.model = QuakeModel::GroundMotion;
    }
    ~World() { destroySimulation(sim); }
    bool frame() {
        SimFrameEvents events;
        events.frameTime = STEP;
        accumulator += STEP;
        return simulateFrame(sim, quake, spawner, accumulator, events, lowest);
    }
};

Line line(float x1, float y1, float x2, float y2) { return Line{{x1, y1}, {x2, y2}}; }

}  // namespace

TEST(GroundQuake, GroundFollowsTheMotionAtEveryStepAndEndsAtRestWhereItStarted) {
    World w({line(100, -20, 100, -50)});
    for (int f = 0; f < 240; ++f) w.frame();
    ASSERT_FALSE(b2Body_IsAwake(w.sim.beams[0].body)) << "the post should rest asleep before the quake";
    const b2Vec2 start = b2Body_GetPosition(w.sim.ground.body);

    // Out 2 units and back: x = A sin^2(pi t / T).
    const double A = 2.0, T = 4.0, k = HALF_TURN / T;
    const GroundMotion motion = handMade(
        T, [&](double t) { return A * std::pow(std::sin(k * t), 2); }, [&](double t) { return A * k * std::sin(2 * k * t); },
        [&](double t) { return 2 * A * k * k * std::cos(2 * k * t); });
    runGroundMotion(w.quake, motion);
    int steps = 0;
    while (w.quake.groundRun.moving && steps < 1000) {
        ASSERT_TRUE(w.frame());
        ++steps;
        const b2Vec2 p = b2Body_GetPosition(w.sim.ground.body);
        if (!w.quake.groundRun.moving) break;
        const double expected = sampleGroundMotion(motion, steps * STEP_SECONDS).displacement;
        ASSERT_NEAR(p.x - start.x, expected, 1e-3) << "step " << steps;
        ASSERT_EQ(p.y, start.y);
        ASSERT_FLOAT_EQ(w.quake.elapsed, static_cast<float>(steps * STEP_SECONDS));
    }
    EXPECT_EQ(steps, static_cast<int>(std::ceil(T / STEP_SECONDS - 1e-6)));
    EXPECT_GT(w.quake.lastAmplitude.y, 0.19f);  // metres

    // Woken by the moving ground, the pinned post went along with it.
    EXPECT_TRUE(b2Body_IsAwake(w.sim.beams[0].body));
    EXPECT_EQ(b2Body_GetType(w.sim.ground.body), b2_staticBody);
    EXPECT_EQ(b2Body_GetPosition(w.sim.ground.body).x, start.x);
    EXPECT_EQ(b2Body_GetPosition(w.sim.ground.body).y, start.y);
    EXPECT_EQ(b2Body_GetLinearVelocity(w.sim.ground.body).x, 0.0f);
    EXPECT_FALSE(w.quake.active);
    EXPECT_EQ(w.quake.elapsed, 0.0f);
    // Its foot is back where it was built.
    const b2JointId pin = w.sim.jointSlots[0];
    EXPECT_NEAR(b2Body_GetWorldPoint(w.sim.beams[0].body, b2Joint_GetLocalAnchorA(pin)).x, 100.0f, 0.05f);
}

// Forces come back in world units: mass (as the engine holds it) times world units per
// second squared. The ground's acceleration a g is unitsPerSecond2FromG(a) of them.
TEST(GroundQuake, RigidFrameBaseCarriesTotalMassTimesGroundAcceleration) {
    // Two posts, a beam and a brace, pinned at three ground points.
    World w({line(100, -20, 100, -50), line(130, -20, 130, -50), line(100, -50, 130, -50), line(100, -20, 130, -50)});
    for (int f = 0; f < 120; ++f) w.frame();
    const double aG = 0.1;
    const double a = unitsPerSecond2FromG(aG);
    runGroundMotion(w.quake, handMade(
                                 3.0, [&](double t) { return 0.5 * a * t * t; }, [&](double t) { return a * t; },
                                 [&](double) { return a; }));
    float mass = 0.0f;
    for (const Beam& beam : w.sim.beams) mass += b2Body_GetMass(beam.body);

    for (int f = 0; f < 120; ++f) w.frame();  // the start's jolt dies away
    double base = 0.0;
    const int measured = 120;
    for (int f = 0; f < measured; ++f) {
        w.frame();
        for (const JointRecord& record : w.sim.jointRecords) {
            if (record.beam >= 0) base += b2Joint_GetConstraintForce(w.sim.jointSlots[record.jointSlot]).x;
        }
    }
    // The joints' force on the ground is the structure's push back against it.
    EXPECT_NEAR(-base / measured, mass * a, 0.05 * mass * a);
}

TEST(GroundQuake, GLeavesAStaticGroundAtItsStartAndNoRecordNoQuake) {
    AppState app;
    app.editor = makeEditorState();
    initSimulation(app.sim);
    app.quake.groundBody = app.sim.ground.body;
    app.editor.lines = {line(100, -20, 100, -50)};
    app.quake.ground.model = QuakeModel::GroundMotion;
    app.quake.duration = 3.0f;
    const b2Vec2 start = b2Body_GetPosition(app.sim.ground.body);
    startSimulation(app);
    runGroundMotion(app.quake, handMade(
                                   10.0, [](double t) { return 2.0 * t; }, [](double) { return 2.0; },
                                   [](double) { return 0.0; }));
    for (int f = 0; f < 60; ++f) runSimulation(app, frame(STEP), lowest);
    ASSERT_GT(b2Body_GetPosition(app.sim.ground.body).x - start.x, 0.9f);
    EXPECT_EQ(app.quake.duration, 10.0f);  // the motion's length stands in for the user's
    // The status gives the largest joint force, the quake having no mean force to give.
    EXPECT_GT(app.report.peakJointForceKN, 0.0);
    EXPECT_EQ(peakForceText(app.report).rfind("Largest joint force: ", 0), 0u) << peakForceText(app.report);

    updateCameraAndModes(app, withKeys(frame(STEP), {KEY_G}));
    EXPECT_EQ(b2Body_GetType(app.sim.ground.body), b2_staticBody);
    EXPECT_EQ(b2Body_GetPosition(app.sim.ground.body).x, start.x);
    EXPECT_FALSE(app.quake.groundRun.moving);
    EXPECT_FALSE(app.quake.active);
    EXPECT_EQ(app.quake.duration, 3.0f);

    app.quake.ground.source = MotionSource::Recorded;
    startSimulation(app);
    runSimulation(app, withKeys(frame(STEP), {KEY_ENTER}), lowest);
    EXPECT_EQ(app.notice.rfind("Quake not started: no record", 0), 0u) << app.notice;
    EXPECT_FALSE(app.quake.active);
    destroySimulation(app.sim);
}

namespace {

// The motion's mean acceleration (g) over [from, to], by Simpson's rule over its samples
// as the motion interpolates them.
double meanAccelerationG(const GroundMotion& m, double from, double to) {
    const int parts = 64;
    const double h = (to - from) / parts;
    double sum = 0.0;
    for (int i = 0; i <= parts; ++i) {
        const double weight = (i == 0 || i == parts) ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
        sum += weight * sampleGroundMotion(m, from + i * h).accelerationG;
    }
    return sum * h / 3.0 / (to - from);
}

}  // namespace

// The ground rests 25 m from the origin, where a float position is good to a few
// micrometres: a velocity taken from it would put steps of a hundredth of a g into the
// shaking. Every step's velocity change must be the motion's own over that step.
TEST(GroundQuake, RealisedGroundAccelerationIsThePrescribedOneForWeakAndStrongShaking) {
    SyntheticQuake synthetic;
    synthetic.durationSeconds = 6.0;
    synthetic.seed = 7;
    const GroundMotion shape = synthesizeGroundMotion(synthetic);
    for (const double peakG : {0.008, 1.5}) {
        World w({line(480, -20, 480, -50)});
        const Accelerogram record{shape.dt, shape.accelerationG};
        const GroundMotion motion = groundMotionFromRecord(record, peakG / shape.peakG);
        const double tolerance = std::max(0.005 * motion.peakG, 0.0005);
        runGroundMotion(w.quake, motion);
        double before = 0.0;  // the ground's velocity through the previous step
        double worst = 0.0;
        for (long k = 0; w.quake.groundRun.moving; ++k) {
            ASSERT_TRUE(w.frame());
            if (!w.quake.groundRun.moving) break;
            const double v = b2Body_GetLinearVelocity(w.sim.ground.body).x;
            const double realisedG = gFromUnitsPerSecond2((v - before) / STEP_SECONDS);
            const double prescribedG = meanAccelerationG(motion, (k - 0.5) * STEP_SECONDS, (k + 0.5) * STEP_SECONDS);
            if (k > 0) worst = std::max(worst, std::fabs(realisedG - prescribedG));
            before = v;
        }
        EXPECT_LT(worst, tolerance) << "peak " << peakG << " g";
    }
}

// The classic world keeps its specified gravity; the ground-motion model's world has
// standard gravity at its scale. The world follows the model when F builds, and a quake
// of the other model waits for a new build.
TEST(GroundQuake, GravityFollowsTheModelChosenWhenBuilt) {
    AppState app;
    app.editor = makeEditorState();
    initSimulation(app.sim);
    app.quake.groundBody = app.sim.ground.body;
    app.editor.lines = {line(100, -20, 100, -50), line(130, -20, 130, -50), line(100, -50, 130, -50),
                        line(100, -20, 130, -50)};
    const auto gravity = [&] { return b2World_GetGravity(app.sim.worldId).y; };
    for (const QuakeModel model : {QuakeModel::Classic, QuakeModel::GroundMotion, QuakeModel::Classic}) {
        app.quake.ground.model = model;
        startSimulation(app);
        EXPECT_FLOAT_EQ(gravity(), model == QuakeModel::Classic ? 9.80665f : 98.0665f);
        updateCameraAndModes(app, withKeys(frame(STEP), {KEY_G}));
    }

    startSimulation(app);  // classic
    app.quake.ground.model = QuakeModel::GroundMotion;
    runSimulation(app, withKeys(frame(STEP), {KEY_ENTER}), lowest);
    EXPECT_FALSE(app.quake.active);
    EXPECT_NE(app.notice.find("built for the classic model"), std::string::npos) << app.notice;
    EXPECT_FLOAT_EQ(gravity(), 9.80665f);

    // Connections chosen after F also wait for a new build, and the notice says which.
    updateCameraAndModes(app, withKeys(frame(STEP), {KEY_G}));
    startSimulation(app);
    app.quake.ground.connection = Connection::Moment;
    runSimulation(app, withKeys(frame(STEP), {KEY_ENTER}), lowest);
    EXPECT_FALSE(app.quake.active);
    EXPECT_NE(app.notice.find("built with pinned connections on a pinned base; G then F builds it with moment "
                              "connections on a pinned base (8000 kN m/rad"),
              std::string::npos)
        << app.notice;
    destroySimulation(app.sim);
}
