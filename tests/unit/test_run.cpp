// Pause, single step, slow motion, the first break and the same quake again, through
// whole frames without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "app/replay.h"
#include "frame_input.h"
#include "physics/engine/b2layer.h"
#include "physics/time_step.h"

namespace {

constexpr float SIXTIETH = 1.0f / 60.0f;

// A braced tower of 78 members on the ground, which the default quake breaks.
std::vector<Line> tower() {
    std::vector<Line> lines;
    for (float x = 100; x <= 140; x += 10) {
        for (float y = -20; y > -80; y -= 10) {
            lines.push_back({{x, y}, {x, y - 10}});
            if (x < 140) {
                lines.push_back({{x, y - 10}, {x + 10, y - 10}});
                lines.push_back({{x, y}, {x + 10, y - 10}});
            }
        }
    }
    return lines;
}

const RandomInt fixedOffsets = [](int lo, int hi) { return lo == -hi ? 1234 : lo; };

struct RunFixture : testing::Test {
    AppState app;
    void SetUp() override { initApp(app); }
    void TearDown() override { shutdownApp(app); }

    void run(const InputSnapshot& in) { updateFrame(app, in, fixedOffsets); }
    void runFrames(int count, float frameTime = SIXTIETH) {
        for (int i = 0; i < count; ++i) run(frame(frameTime));
    }
    // F and Enter together, at 42.7 s on the clock.
    void startQuakeOn(std::vector<Line> lines) {
        app.editor.lines = std::move(lines);
        InputSnapshot in = withKeys(frame(SIXTIETH), {KEY_F, KEY_ENTER});
        in.time = 42.7;
        run(in);
    }
    // The joints each frame broke: the frame just run, then this many more.
    std::vector<std::vector<std::size_t>> breaksOver(int frames) {
        std::vector<std::vector<std::size_t>> breaks;
        for (int i = 0; i <= frames; ++i) {
            if (i > 0) run(frame(SIXTIETH));
            breaks.emplace_back();
            for (const BrokenJoint& broken : app.sim.brokenThisFrame) breaks.back().push_back(broken.record);
        }
        return breaks;
    }
    // Everything time moves: the quake's clock, noise and graphs, the gate, the loads, the bodies.
    std::vector<double> timeState() {
        const QuakeState& q = app.quake;
        std::vector<double> state{q.elapsed, q.noiseOffsetX, q.noiseOffsetY, static_cast<double>(q.graphX.data.size()),
                                  app.stepAccumulator, app.report.simulatedSeconds};
        for (const JointRecord& record : app.sim.jointRecords) state.push_back(record.accumulated);
        for (const Beam& beam : app.sim.beams) {
            state.push_back(b2Body_GetPosition(beam.body).x);
            state.push_back(b2Body_GetPosition(beam.body).y);
        }
        for (const Human& human : app.sim.humans) state.push_back(b2Body_GetPosition(human.bones[0].bodyId).y);
        return state;
    }
};

}  // namespace

TEST_F(RunFixture, PauseStopsEveryClockAndNStepsExactlyOneFrame) {
    startQuakeOn(tower());
    runFrames(20);
    run(withKeys(frame(SIXTIETH), {KEY_P}));
    ASSERT_TRUE(app.run.paused);
    run(withKeys(frame(SIXTIETH), {KEY_K}));  // a figure appears at once
    ASSERT_EQ(app.sim.humans.size(), 1u);
    const std::vector<double> paused = timeState();
    runFrames(30);
    EXPECT_EQ(timeState(), paused);

    const float elapsed = app.quake.elapsed;
    const std::size_t points = app.quake.graphX.data.size();
    run(withKeys(frame(SIXTIETH), {KEY_N}));
    EXPECT_EQ(app.quake.elapsed, elapsed + static_cast<float>(STEP_SECONDS));
    EXPECT_EQ(app.quake.graphX.data.size(), points + 1);
    EXPECT_DOUBLE_EQ(app.report.simulatedSeconds, paused[5] + STEP_SECONDS);
    EXPECT_NE(timeState(), paused);
    const std::vector<double> stepped = timeState();
    runFrames(5);
    EXPECT_EQ(timeState(), stepped) << "one step per N";

    const float figureY = b2Body_GetPosition(app.sim.humans[0].bones[0].bodyId).y;
    run(withKeys(frame(SIXTIETH), {KEY_P}));
    runFrames(5);
    EXPECT_NE(b2Body_GetPosition(app.sim.humans[0].bones[0].bodyId).y, figureY) << "the figure moves once time runs";

    run(withKeys(frame(SIXTIETH), {KEY_P}));
    run(withKeys(frame(SIXTIETH), {KEY_G}));  // G while paused: back to the editor, running again
    EXPECT_EQ(app.simulating, 0);
    EXPECT_FALSE(app.run.paused);
    EXPECT_FALSE(app.report.hasFirstBreak);
}

TEST_F(RunFixture, HalfAndQuarterSpeedTakeHalfAndAQuarterOfTheStepsOverTheSameFrames) {
    for (const float frameTime : {SIXTIETH, 0.001f}) {
        double steps[3] = {};
        float elapsed[3] = {};
        float ratio[3] = {};
        for (int i = 0; i < 3; ++i) {
            run(withKeys(frame(frameTime), {KEY_G}));
            setSlowdown(app.run, SLOWDOWNS[i]);
            app.quake.duration = 100.0f;
            app.stepAccumulator = 0.0f;  // each run starts from the same gate
            run(withKeys(frame(frameTime), {KEY_F, KEY_ENTER}));
            runFrames(1439, frameTime);
            steps[i] = app.report.simulatedSeconds / STEP_SECONDS;
            elapsed[i] = app.quake.elapsed;
            ratio[i] = app.run.meter.ratio;
        }
        EXPECT_NEAR(steps[1], steps[0] / 2, 1e-6) << frameTime;
        EXPECT_NEAR(steps[2], steps[0] / 4, 1e-6) << frameTime;
        EXPECT_NEAR(elapsed[1], elapsed[0] / 2, 1e-3) << frameTime;
        EXPECT_NEAR(elapsed[2], elapsed[0] / 4, 1e-3) << frameTime;
        EXPECT_NEAR(ratio[1], ratio[0] / 2, 0.02) << frameTime;
        EXPECT_NEAR(ratio[2], ratio[0] / 4, 0.02) << frameTime;
        if (frameTime == SIXTIETH) {
            EXPECT_NEAR(ratio[0], 0.5f, 1e-3f) << "a step of 1/120 s a frame";
        }
    }
}

TEST_F(RunFixture, TheFirstBreakIsRecordedInItsFrameAndTheQuakeIsSummedUp) {
    startQuakeOn(tower());
    const double quakeStart = app.report.quakeStartSeconds;
    int frames = 0;
    while (app.sim.brokenThisFrame.empty() && frames < 240) {
        EXPECT_FALSE(app.report.hasFirstBreak);
        const double before = app.report.simulatedSeconds;
        run(frame(SIXTIETH));
        ++frames;
        if (!app.sim.brokenThisFrame.empty()) {
            ASSERT_TRUE(app.report.hasFirstBreak);
            EXPECT_TRUE(app.report.firstBreakInQuake);
            EXPECT_DOUBLE_EQ(app.report.firstBreakSeconds, before - quakeStart);
            EXPECT_EQ(app.report.firstBreakPoint.x, app.sim.brokenThisFrame.front().point.x);
            EXPECT_EQ(app.report.firstBreakPoint.y, app.sim.brokenThisFrame.front().point.y);
        }
    }
    ASSERT_TRUE(app.report.hasFirstBreak) << "the tower should break within the quake";
    EXPECT_LT(frames, 60) << "under a second of frames";
    EXPECT_GT(app.report.peakMeanForce, 0.0f);

    while (app.quake.active) run(frame(SIXTIETH));
    std::size_t broken = 0;
    for (const b2JointId& slot : app.sim.jointSlots) broken += isLive(slot) ? 0 : 1;
    EXPECT_EQ(app.report.jointsBroken, broken);
    char expected[120];
    std::snprintf(expected, sizeof expected, "Quake over: %zu of %zu joints broke, the first at %.2f s", broken,
                  app.sim.jointRecords.size(), app.report.firstBreakSeconds);
    EXPECT_EQ(app.report.quakeSummary, expected);
}

TEST_F(RunFixture, AReplayBreaksTheSameJointsInTheSameFrames) {
    startQuakeOn(tower());
    const QuakeSeed seed = app.quake.seed;
    EXPECT_EQ(seed.noise, 42u);
    EXPECT_EQ(seed.offsetX, 1234);
    const std::vector<std::vector<std::size_t>> first = breaksOver(300);
    std::size_t total = 0;
    for (const auto& frameBreaks : first) total += frameBreaks.size();
    EXPECT_GT(total, 10u);

    // A history in this world: figures, G and F, another quake; then the replay.
    run(withKeys(frame(SIXTIETH), {KEY_K}));
    run(withKeys(frame(SIXTIETH), {KEY_G}));
    run(withKeys(frame(SIXTIETH), {KEY_F, KEY_ENTER}));
    runFrames(50);
    replayQuake(app, seed);
    run(frame(SIXTIETH));  // the replay's first frame is the first run's F and Enter frame
    EXPECT_EQ(breaksOver(300), first);

    // The seed typed as its number, from a paused run with a figure in it.
    run(withKeys(frame(SIXTIETH), {KEY_P}));
    run(withKeys(frame(SIXTIETH), {KEY_K}));
    replayTyped(app, std::to_string(seedNumber(seed)));
    EXPECT_TRUE(app.sim.humans.empty());
    run(frame(SIXTIETH));
    EXPECT_EQ(breaksOver(300), first);
}

TEST(QuakeSeedNumber, EverySeedHasOneNumberAndTypedNumbersAreChecked) {
    for (const QuakeSeed seed : {QuakeSeed{0, -10000, -10000}, QuakeSeed{42, 1234, -567}, QuakeSeed{UINT32_MAX, 10000, 10000}}) {
        const QuakeSeed back = seedOfNumber(seedNumber(seed));
        EXPECT_EQ(back.noise, seed.noise);
        EXPECT_EQ(back.offsetX, seed.offsetX);
        EXPECT_EQ(back.offsetY, seed.offsetY);
    }
    EXPECT_EQ(seedNumber(QuakeSeed{0, -10000, -10000}), 0u);
    EXPECT_EQ(seedNumber(QuakeSeed{UINT32_MAX, 10000, 10000}), MAX_SEED_NUMBER);
    EXPECT_EQ(seedNumber(*parseSeed(" 12345 ")), 12345u);
    EXPECT_EQ(seedNumber(*parseSeed(std::to_string(MAX_SEED_NUMBER))), MAX_SEED_NUMBER);
    for (const char* bad : {"", "  ", "-1", "12a", "1.5", "1717986918000000000000", "1e5"})
        EXPECT_FALSE(parseSeed(bad).has_value()) << bad;
    EXPECT_FALSE(parseSeed(std::to_string(MAX_SEED_NUMBER + 1)).has_value());
}

TEST_F(RunFixture, RealTimeStepsAsTheClockAsksAtMostEightAFrame) {
    run(withKeys(frame(SIXTIETH), {KEY_RIGHT_BRACKET}));  // ] from 1x
    ASSERT_TRUE(app.run.realTime);
    app.quake.duration = 100.0f;
    startQuakeOn(tower());
    const std::uint64_t before = app.worldSteps;
    const float elapsed = app.quake.elapsed;
    // Thirty frames of 1/30 s: four steps each, the quake's clock keeping pace with them,
    // so a second of clock is a second of simulated time.
    runFrames(30, 1.0f / 30.0f);
    EXPECT_EQ(app.worldSteps - before, 120u);
    EXPECT_NEAR(app.quake.elapsed - elapsed, 1.0f, 1e-3f);
    EXPECT_NEAR(app.run.meter.ratio, 1.0f, 0.01f);
    EXPECT_EQ(app.run.meter.droppedSteps, 0);

    // Frames of half a second take eight steps each and drop the other 52, and say so.
    const std::uint64_t slow = app.worldSteps;
    runFrames(2, 0.5f);
    EXPECT_EQ(app.worldSteps - slow, 16u);
    EXPECT_EQ(app.run.meter.droppedSteps, 104);

    // [ goes back to the time gate's 1x: one step a frame.
    const std::uint64_t gated = app.worldSteps;
    run(withKeys(frame(1.0f / 30.0f), {KEY_LEFT_BRACKET}));
    EXPECT_FALSE(app.run.realTime);
    runFrames(9, 1.0f / 30.0f);
    EXPECT_EQ(app.worldSteps - gated, 10u);
}
