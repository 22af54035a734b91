// The quake run: start and timer, amplitude and bearing, means and graph points, the
// ground test against the real physics, and staying finite whatever the settings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "physics/engine/b2layer.h"
#include "physics/joint_loads.h"
#include "physics/world.h"
#include "quake/quake.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float INF = std::numeric_limits<float>::infinity();

const RandomInt lowest = [](int lo, int) { return lo; };

// A fixed sequence of random whole numbers, then zeros.
RandomInt sequence(std::vector<int> values) {
    auto next = std::make_shared<std::size_t>(0);
    return [values, next](int, int) { return *next < values.size() ? values[(*next)++] : 0; };
}

struct Frame {
    float frameTime = 0.0f;
    bool enter = false;
    double time = 0.0;
};
Frame frame(float frameTime, bool enter = false, double time = 0.0) { return Frame{frameTime, enter, time}; }

// The quake's part of a simulated frame: Enter starts it, then it steps.
void quakeStep(QuakeState& quake, std::vector<Beam>& beams, const Frame& f, const RandomInt& randomInt) {
    if (f.enter) startQuake(quake, f.time, randomInt);
    stepQuake(quake, beams, f.frameTime);
}

// A beam with no body: it enters the means but is never pushed.
Beam beamAt(float x, float y) {
    Beam beam;
    beam.line = Line{{x - 5.0f, y}, {x + 5.0f, y}};
    return beam;
}

QuakeState running(float magnitude = 4.0f, Vector2 epicenter = {0, 0}) {
    QuakeState quake;
    quake.magnitude = magnitude;
    quake.epicenter = epicenter;
    quake.duration = 100.0f;
    std::vector<Beam> none;
    quakeStep(quake, none, frame(0.0f, true, 3.0), lowest);
    return quake;
}

const double BASE_AT_FOUR = std::sqrt(1e11);  // 3.162e5

float lastMeanX(const QuakeState& quake) { return quake.graphX.data.back().y; }
float lastMeanY(const QuakeState& quake) { return quake.graphY.data.back().y; }

}  // namespace

TEST(QuakeStart, EnterReseedsFromTheClockDrawsTheAbscissasAndEmptiesTheGraphs) {
    QuakeState quake;
    addPoint(quake.graphX, 1, 1);
    addPoint(quake.graphY, 1, 1);
    std::vector<Beam> beams;
    quakeStep(quake, beams, frame(0.02f, true, 5.7), sequence({123, -456}));

    PerlinNoise expected = makePerlinNoise();
    reseed(expected, 5);
    EXPECT_EQ(quake.noise.permutation, expected.permutation);
    EXPECT_TRUE(quake.active);
    // One advance of magnitude * 0.001 already taken in the start frame.
    EXPECT_EQ(quake.noiseOffsetX, static_cast<float>(123.0 + 0.004));
    EXPECT_EQ(quake.noiseOffsetY, static_cast<float>(-456.0 + 0.004));
    EXPECT_FLOAT_EQ(quake.elapsed, 0.02f);
    ASSERT_EQ(quake.graphX.data.size(), 1u);
    ASSERT_EQ(quake.graphY.data.size(), 1u);
    EXPECT_FLOAT_EQ(quake.graphX.data[0].x, 0.02f);
}

TEST(QuakeStart, SameWholeSecondSameShuffleButFreshAbscissas) {
    QuakeState a;
    QuakeState b;
    std::vector<Beam> beams;
    quakeStep(a, beams, frame(0.0f, true, 12.1), sequence({1, 2}));
    quakeStep(b, beams, frame(0.0f, true, 12.9), sequence({3, 4}));
    EXPECT_EQ(a.noise.permutation, b.noise.permutation);
    EXPECT_NE(a.noiseOffsetX, b.noiseOffsetX);
    quakeStep(b, beams, frame(0.0f, true, 13.0), sequence({3, 4}));
    EXPECT_NE(a.noise.permutation, b.noise.permutation);
}

TEST(QuakeStart, NothingHappensWhileIdle) {
    QuakeState quake;
    std::vector<Beam> beams{beamAt(10, -20)};
    quakeStep(quake, beams, frame(0.5f), lowest);
    EXPECT_FALSE(quake.active);
    EXPECT_EQ(quake.elapsed, 0.0f);
    EXPECT_EQ(quake.noiseOffsetX, 0.0f);
    EXPECT_TRUE(quake.graphX.data.empty());
}

TEST(QuakeStart, EnterDuringAQuakeKeepsTheTimer) {
    QuakeState quake = running();
    std::vector<Beam> beams;
    quakeStep(quake, beams, frame(1.0f), lowest);
    quakeStep(quake, beams, frame(0.25f), lowest);
    ASSERT_EQ(quake.graphX.data.size(), 3u);
    quakeStep(quake, beams, frame(0.5f, true, 8.0), lowest);
    EXPECT_TRUE(quake.active);
    EXPECT_FLOAT_EQ(quake.elapsed, 1.75f);
    EXPECT_EQ(quake.graphX.data.size(), 1u);  // emptied, then this step's point
}

TEST(QuakeTimer, EndsOnlyWhenElapsedExceedsTheDuration) {
    QuakeState quake = running();
    quake.duration = 0.5f;
    std::vector<Beam> beams{beamAt(10, -20)};
    quakeStep(quake, beams, frame(0.25f), lowest);
    quakeStep(quake, beams, frame(0.25f), lowest);
    EXPECT_EQ(quake.elapsed, 0.5f);  // equal to the duration: one more step
    EXPECT_TRUE(quake.active);
    EXPECT_EQ(quake.graphX.data.back().x, 0.5f);
    quakeStep(quake, beams, frame(0.25f), lowest);
    EXPECT_FALSE(quake.active);
    EXPECT_EQ(quake.elapsed, 0.0f);
    ASSERT_EQ(quake.graphX.data.size(), 4u);  // the last step still ran, with time 0
    EXPECT_EQ(quake.graphX.data.back().x, 0.0f);
    EXPECT_NE(quake.lastAmplitude.x, 0.0f);
    quakeStep(quake, beams, frame(0.25f), lowest);
    EXPECT_EQ(quake.graphX.data.size(), 4u);
}

TEST(QuakeTimer, DurationOfZeroOrLessOrNotANumberEndsInTheFirstStep) {
    for (float duration : {0.0f, -3.0f, NaN}) {
        QuakeState quake;
        quake.duration = duration;
        std::vector<Beam> beams{beamAt(10, -20)};
        quakeStep(quake, beams, frame(0.01f, true), lowest);
        EXPECT_FALSE(quake.active) << duration;
        EXPECT_EQ(quake.elapsed, 0.0f);
        ASSERT_EQ(quake.graphX.data.size(), 1u);
        EXPECT_NE(quake.lastAmplitude.x, 0.0f);  // the forces of that step were worked out
    }
}

TEST(QuakeTimer, InfiniteDurationRunsOn) {
    QuakeState quake = running();
    quake.duration = INF;
    std::vector<Beam> beams;
    for (int i = 0; i < 100; ++i) quakeStep(quake, beams, frame(1000.0f), lowest);
    EXPECT_TRUE(quake.active);
}

TEST(QuakeAmplitude, MagnitudeFourAtTheEpicenterAndOneKilometreAway) {
    QuakeState quake = running();
    std::vector<Beam> atP{beamAt(0, 0)};
    quakeStep(quake, atP, frame(0.01f), lowest);
    EXPECT_NEAR(quake.lastAmplitude.x, BASE_AT_FOUR, BASE_AT_FOUR * 1e-5);
    EXPECT_NEAR(BASE_AT_FOUR, 3.162e5, 100.0);
    EXPECT_EQ(quake.lastAmplitude.y, 0.0f);  // d = 0: atan2(0, 0) = 0, all horizontal

    std::vector<Beam> oneKm{beamAt(10000, 0)};
    quakeStep(quake, oneKm, frame(0.01f), lowest);
    EXPECT_NEAR(quake.lastAmplitude.x / BASE_AT_FOUR, 0.936, 5e-4);
    EXPECT_NEAR(quake.lastAmplitude.x, BASE_AT_FOUR * std::exp(-0.0657), BASE_AT_FOUR * 1e-5);
}

TEST(QuakeAmplitude, BearingFromTheEpicenter) {
    QuakeState quake = running(4.0f, Vector2{0.01f, -0.002f});  // P = (100, -20)
    const float a = static_cast<float>(BASE_AT_FOUR * std::exp(-0.0657 * 0.01));  // 100 units away
    struct Case {
        Vector2 mid;
        float ax, ay;
    };
    const Case cases[] = {
        {{200, -20}, a, 0},       // to the right
        {{0, -20}, -a, 0},        // to the left
        {{100, -120}, 0, -a},     // above (y down)
        {{100, 80}, 0, a},        // below
    };
    for (const Case& c : cases) {
        std::vector<Beam> beams{beamAt(c.mid.x, c.mid.y)};
        quakeStep(quake, beams, frame(0.01f), lowest);
        EXPECT_NEAR(quake.lastAmplitude.x, c.ax, a * 1e-4) << c.mid.x << ", " << c.mid.y;
        EXPECT_NEAR(quake.lastAmplitude.y, c.ay, a * 1e-4) << c.mid.x << ", " << c.mid.y;
    }
    std::vector<Beam> diagonal{beamAt(170.71068f, 50.71068f)};
    quakeStep(quake, diagonal, frame(0.01f), lowest);
    EXPECT_NEAR(quake.lastAmplitude.x, quake.lastAmplitude.y, a * 1e-4);
    EXPECT_NEAR(quake.lastAmplitude.x, a / std::sqrt(2.0f), a * 1e-4);
}

TEST(QuakeAmplitude, LastAmplitudeIsTheLastBeams) {
    QuakeState quake = running();
    std::vector<Beam> beams{beamAt(-100, 0), beamAt(0, -100)};
    quakeStep(quake, beams, frame(0.01f), lowest);
    EXPECT_NEAR(quake.lastAmplitude.x, 0.0f, 1.0f);
    EXPECT_LT(quake.lastAmplitude.y, 0.0f);
}

TEST(QuakeForces, OneBeamsForceIsTheNoiseTimesItsAmplitude) {
    QuakeState quake = running(4.0f, Vector2{0.0f, 0.0f});
    std::vector<Beam> beams{beamAt(3000, -4000)};  // bearing with both components
    quakeStep(quake, beams, frame(0.01f), lowest);
    const float nX = static_cast<float>(sample(quake.noise, quake.noiseOffsetX, NOISE_Y, NOISE_Z));
    const float nY = static_cast<float>(sample(quake.noise, quake.noiseOffsetY, NOISE_Y, NOISE_Z));
    EXPECT_NEAR(lastMeanX(quake), nX * quake.lastAmplitude.x, std::fabs(quake.lastAmplitude.x) * 1e-5);
    EXPECT_NEAR(lastMeanY(quake), nY * quake.lastAmplitude.y, std::fabs(quake.lastAmplitude.y) * 1e-5);
    EXPECT_NE(lastMeanX(quake), 0.0f);
}

TEST(QuakeForces, MeansCountEveryBeam) {
    const QuakeState start = running();
    const Beam near = beamAt(100, -20);
    const Beam far = beamAt(40000, -20);
    auto meanOf = [&](std::vector<Beam> beams) {
        QuakeState quake = start;
        quakeStep(quake, beams, frame(0.01f), lowest);
        return Vector2{lastMeanX(quake), lastMeanY(quake)};
    };
    const Vector2 a = meanOf({near});
    const Vector2 b = meanOf({far});
    const Vector2 both = meanOf({near, far});
    EXPECT_FLOAT_EQ(both.x, (a.x + b.x) / 2.0f);
    EXPECT_FLOAT_EQ(both.y, (a.y + b.y) / 2.0f);
}

TEST(QuakeForces, NoBeamsRecordsMeansOfZero) {
    QuakeState quake = running();
    std::vector<Beam> none;
    quakeStep(quake, none, frame(0.01f), lowest);
    ASSERT_EQ(quake.graphX.data.size(), 2u);
    for (const Vector2& p : quake.graphX.data) EXPECT_EQ(p.y, 0.0f);
    for (const Vector2& p : quake.graphY.data) EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(quake.lastAmplitude.x, 0.0f);
    EXPECT_EQ(quake.lastAmplitude.y, 0.0f);
}

TEST(QuakeSettings, ChangesDuringAQuakeTakeEffectAtOnce) {
    QuakeState quake = running();
    std::vector<Beam> beams{beamAt(0, 0)};
    quakeStep(quake, beams, frame(0.5f), lowest);
    const float atFour = quake.lastAmplitude.x;
    const float offset = quake.noiseOffsetX;

    quake.magnitude = 5.0f;
    quakeStep(quake, beams, frame(0.5f), lowest);
    EXPECT_NEAR(quake.lastAmplitude.x / atFour, std::pow(10.0, 0.72), 1e-3);
    EXPECT_FLOAT_EQ(quake.noiseOffsetX, static_cast<float>(offset + 0.005));

    quake.epicenter = Vector2{0.0f, -0.01f};  // P straight above the beam
    quakeStep(quake, beams, frame(0.5f), lowest);
    EXPECT_GT(quake.lastAmplitude.y, 0.0f);

    quake.duration = 0.75f;  // below the elapsed 1.5 s
    quakeStep(quake, beams, frame(0.01f), lowest);
    EXPECT_FALSE(quake.active);
    EXPECT_EQ(quake.elapsed, 0.0f);
}

TEST(QuakeSettings, NegativeMagnitudeRunsBackwardsZeroFreezes) {
    QuakeState quake = running(-2.0f);
    std::vector<Beam> none;
    const float x = quake.noiseOffsetX;
    quakeStep(quake, none, frame(0.01f), lowest);
    EXPECT_LT(quake.noiseOffsetX, x);
    quake.magnitude = 0.0f;
    const float frozen = quake.noiseOffsetX;
    quakeStep(quake, none, frame(0.01f), lowest);
    EXPECT_EQ(quake.noiseOffsetX, frozen);
}

// Settings far outside the physical range saturate at the force bound; those that are
// not numbers push nothing. Either way the graphs and the amplitude stay finite.
TEST(QuakeBounds, HugeAndNonFiniteSettingsGiveBoundedFiniteValues) {
    struct Case {
        float magnitude;
        Vector2 epicenter;
        float expectedAmplitudeX;
    };
    const float L = QUAKE_FORCE_LIMIT;
    const Case cases[] = {
        {104.0f, {0, 0}, L},  {50.0f, {0, 0}, L},   {20.0f, {0, 0}, L},    {INF, {0, 0}, L},
        {104.0f, {INF, 0}, 0}, {NaN, {0, 0}, 0},    {4.0f, {NaN, 0}, 0},   {4.0f, {0, NaN}, 0},
        {4.0f, {INF, INF}, 0}, {-INF, {0, 0}, 0},   {104.0f, {NaN, NaN}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "magnitude " << c.magnitude << " epicenter " << c.epicenter.x << ", "
                                        << c.epicenter.y);
        QuakeState quake = running(c.magnitude, c.epicenter);
        std::vector<Beam> beams{beamAt(250, -40), beamAt(0, 0)};
        std::vector<Beam> last{beamAt(0, 0)};
        for (int i = 0; i < 50; ++i) quakeStep(quake, i % 2 ? beams : last, frame(0.01f), lowest);
        EXPECT_EQ(quake.lastAmplitude.x, c.expectedAmplitudeX);
        EXPECT_TRUE(std::isfinite(quake.lastAmplitude.y));
        for (const Vector2& p : quake.graphX.data) {
            ASSERT_TRUE(std::isfinite(p.y));
            ASSERT_LE(std::fabs(p.y), L);
        }
        for (const Vector2& p : quake.graphY.data) {
            ASSERT_TRUE(std::isfinite(p.y));
            ASSERT_LE(std::fabs(p.y), L);
        }
    }
}

TEST(QuakeBounds, NormalMagnitudesAreNotTouchedByTheBound) {
    QuakeState quake = running(12.0f);
    std::vector<Beam> beams{beamAt(0, 0)};
    quakeStep(quake, beams, frame(0.01f), lowest);
    EXPECT_NEAR(quake.lastAmplitude.x, std::pow(10.0, (12 * 1.44 + 5.24) / 2), 1e7);
    EXPECT_LT(quake.lastAmplitude.x, QUAKE_FORCE_LIMIT);
}

TEST(QuakeBounds, ABeamWithABrokenLineDoesNotSpoilTheOthers) {
    QuakeState quake = running();
    Beam broken;
    broken.line = Line{{NaN, 0}, {0, INF}};
    const QuakeState start = quake;
    std::vector<Beam> good{beamAt(100, -20)};
    quakeStep(quake, good, frame(0.01f), lowest);
    const float alone = lastMeanX(quake);
    QuakeState again = start;
    std::vector<Beam> mixed{beamAt(100, -20), broken};
    quakeStep(again, mixed, frame(0.01f), lowest);
    EXPECT_FLOAT_EQ(lastMeanX(again), alone / 2.0f);  // counted, with no force
}

// --- against the real physics ------------------------------------------------

namespace {

struct QuakeWorld : testing::Test {
    Simulation sim;
    QuakeState quake;
    float accumulator = 0.0f;

    void SetUp() override {
        initSimulation(sim);
        quake.groundBody = sim.ground.body;
    }
    void TearDown() override { destroySimulation(sim); }

    void physicsFrame(float dt = 1.0f / 60.0f) {
        checkJointLoads(sim);
        accumulator += dt;
        stepWorld(sim, accumulator);
    }
    void settle(int frames) {
        for (int i = 0; i < frames; ++i) physicsFrame();
    }
    void quakeFrame(bool enter = false, float dt = 1.0f / 60.0f) {
        quakeStep(quake, sim.beams, frame(dt, enter, 2.0), lowest);
        physicsFrame(dt);
    }
    bool touchesGround(const Beam& beam) {
        b2ContactData contacts[16];
        const int n = b2Body_GetContactData(beam.body, contacts, 16);
        return n > 0;
    }
    void expectFinite(const char* when) {
        for (std::size_t i = 0; i < sim.beams.size(); ++i) {
            const b2Vec2 p = b2Body_GetPosition(sim.beams[i].body);
            const b2Rot q = b2Body_GetRotation(sim.beams[i].body);
            const b2Vec2 v = b2Body_GetLinearVelocity(sim.beams[i].body);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << when << " beam " << i;
            ASSERT_TRUE(std::isfinite(q.c) && std::isfinite(q.s)) << when << " beam " << i;
            ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y)) << when << " beam " << i;
        }
        const b2Vec2 g = b2Body_GetPosition(sim.ground.body);
        ASSERT_EQ(g.x, 250.0f);
        ASSERT_EQ(g.y, -10.0f);
    }
};

// A small frame: two pinned columns, a lintel, a brace, and a loose plank on the ground.
std::vector<Line> smallFrame() {
    return {
        {{100, -20}, {100, -50}}, {{130, -20}, {130, -50}}, {{100, -50}, {130, -50}},
        {{100, -20}, {130, -50}}, {{200, -26}, {230, -26}},
    };
}

}  // namespace

TEST_F(QuakeWorld, OnlyGroundedBeamsArePushed) {
    buildStructure(sim, {{{50, -20}, {50, -40}}, {{100, -26}, {120, -26}}, {{200, -400}, {220, -400}}});
    ASSERT_EQ(sim.beams.size(), 3u);
    ASSERT_TRUE(sim.beams[0].pinned);
    ASSERT_FALSE(sim.beams[1].pinned);
    ASSERT_FALSE(sim.beams[2].pinned);
    settle(400);  // the plank drops 5 units onto the ground; the high beam is still falling
    ASSERT_TRUE(touchesGround(sim.beams[1]));
    ASSERT_FALSE(touchesGround(sim.beams[2]));
    const float plankVx = b2Body_GetLinearVelocity(sim.beams[1].body).x;

    quake.magnitude = 8.0f;
    quake.duration = 100.0f;
    quakeFrame(true);
    EXPECT_EQ(b2Body_GetLinearVelocity(sim.beams[2].body).x, 0.0f);  // airborne: not pushed
    EXPECT_GT(std::fabs(b2Body_GetLinearVelocity(sim.beams[1].body).x - plankVx), 1.0f);
    EXPECT_GT(std::fabs(b2Body_GetLinearVelocity(sim.beams[0].body).x), 0.0f);
    EXPECT_EQ(quake.graphX.data.size(), 1u);
}

TEST_F(QuakeWorld, DurationZeroAppliesTheForcesOnce) {
    buildStructure(sim, {{{100, -26}, {120, -26}}});
    settle(400);
    ASSERT_TRUE(touchesGround(sim.beams[0]));
    const b2Vec2 before = b2Body_GetLinearVelocity(sim.beams[0].body);
    quake.magnitude = 8.0f;
    quake.duration = 0.0f;
    quakeFrame(true);
    EXPECT_FALSE(quake.active);
    const b2Vec2 after = b2Body_GetLinearVelocity(sim.beams[0].body);
    EXPECT_GT(std::fabs(after.x - before.x), 1.0f);
}

TEST_F(QuakeWorld, WorldStaysFiniteWhateverTheMagnitudeAndEpicenter) {
    struct Case {
        float magnitude;
        Vector2 epicenter;
    };
    const Case cases[] = {
        {4.0f, {0, 0}},        {9.0f, {0.01f, 0}},  {12.0f, {0, 0}},     {15.0f, {0.0115f, -0.0035f}},
        {20.0f, {0, 0}},       {30.0f, {0, 0}},     {50.0f, {0.02f, 0}}, {104.0f, {0, 0}},
        {104.0f, {0.0115f, -0.0035f}}, {INF, {0, 0}}, {104.0f, {NaN, 0}}, {NaN, {0, 0}},
        {104.0f, {-INF, 0}},
    };
    for (float density : {4.0f, 0.001f})
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "density " << density << " magnitude " << c.magnitude << " epicenter "
                                        << c.epicenter.x << ", " << c.epicenter.y);
        clearStructure(sim);
        sim.density = density;
        buildStructure(sim, smallFrame());
        settle(30);
        quake = QuakeState{};
        quake.groundBody = sim.ground.body;
        quake.magnitude = c.magnitude;
        quake.epicenter = c.epicenter;
        quake.duration = 5.0f;
        for (int i = 0; i < 400; ++i) {
            // Mixed frame lengths: some frames take no world step, so forces pile up.
            quakeFrame(i == 0, (i % 3 == 0) ? 0.002f : 1.0f / 50.0f);
            expectFinite("during the quake");
        }
        settle(60);
        expectFinite("after the quake");
    }
}

TEST_F(QuakeWorld, SaturatedQuakeStillShakes) {
    buildStructure(sim, smallFrame());
    settle(400);
    const b2Vec2 plank = b2Body_GetPosition(sim.beams[4].body);
    quake.magnitude = 104.0f;
    quake.duration = 100.0f;
    for (int i = 0; i < 10; ++i) quakeFrame(i == 0);
    const b2Vec2 moved = b2Body_GetPosition(sim.beams[4].body);
    EXPECT_GT(std::fabs(moved.x - plank.x) + std::fabs(moved.y - plank.y), 1.0f);
}
