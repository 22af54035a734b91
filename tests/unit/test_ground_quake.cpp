// The ground-motion quake against the real physics: the ground follows the motion and
// comes back to rest, a rigid frame's base carries mass times the ground's acceleration,
// and G or a missing record leave the ground static where it started.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/editor.h"
#include "app/modes.h"
#include "app/sim_frame.h"
#include "app/sim_run.h"
#include "frame_input.h"
#include "physics/engine/b2layer.h"
#include "physics/world.h"
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
        m.accelerationG.push_back(a(t) / G_WORLD);
        m.peakG = std::max(m.peakG, std::fabs(a(t) / G_WORLD));
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
// second squared. The ground's acceleration a g is a * G_WORLD of them.
TEST(GroundQuake, RigidFrameBaseCarriesTotalMassTimesGroundAcceleration) {
    // Two posts, a beam and a brace, pinned at three ground points.
    World w({line(100, -20, 100, -50), line(130, -20, 130, -50), line(100, -50, 130, -50), line(100, -20, 130, -50)});
    for (int f = 0; f < 120; ++f) w.frame();
    const double aG = 0.1;
    const double a = aG * G_WORLD;
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
