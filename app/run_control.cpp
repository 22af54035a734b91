#include "app/run_control.h"

#include <cmath>

#include "physics/time_step.h"

namespace {
// The frame time of one single step: the step as a float, which the time gate takes.
constexpr float ONE_STEP = static_cast<float>(STEP_SECONDS);
constexpr int SPEED_COUNT = static_cast<int>(sizeof SLOWDOWNS / sizeof SLOWDOWNS[0]);

int speedIndex(int slowdown) {
    for (int i = 0; i < SPEED_COUNT; ++i)
        if (SLOWDOWNS[i] == slowdown) return i;
    return -1;
}
}  // namespace

void togglePause(RunControl& run) {
    run.paused = !run.paused;
    run.stepAsked = false;
}

void askStep(RunControl& run) {
    if (run.paused) run.stepAsked = true;
}

void setSlowdown(RunControl& run, int slowdown) {
    if (speedIndex(slowdown) < 0) return;
    run.realTime = false;
    run.slowdown = slowdown;
    run.framesLeftOut = 0;
}

void setRealTime(RunControl& run) {
    run.realTime = true;
    run.slowdown = 1;
    run.framesLeftOut = 0;
    run.clockOwed = 0.0;
}

void slowDown(RunControl& run) {
    if (run.realTime) {
        setSlowdown(run, 1);
        return;
    }
    const int i = speedIndex(run.slowdown);
    if (i >= 0 && i + 1 < SPEED_COUNT) setSlowdown(run, SLOWDOWNS[i + 1]);
}

void speedUp(RunControl& run) {
    if (run.realTime) return;
    const int i = speedIndex(run.slowdown);
    if (i > 0) {
        setSlowdown(run, SLOWDOWNS[i - 1]);
    } else if (i == 0) {
        setRealTime(run);
    }
}

void restartRun(RunControl& run) {
    run.paused = false;
    run.stepAsked = false;
    run.framesLeftOut = 0;
    run.clockOwed = 0.0;
    run.meter = SpeedMeter{};
}

void updateRunKeys(RunControl& run, const InputSnapshot& in, bool simulating) {
    if (simulating && keyPressed(in, KEY_P)) togglePause(run);
    if (simulating && keyPressed(in, KEY_N)) askStep(run);
    if (keyPressed(in, KEY_LEFT_BRACKET)) slowDown(run);
    if (keyPressed(in, KEY_RIGHT_BRACKET)) speedUp(run);
}

FrameTime takeFrameTime(RunControl& run, float frameTime) {
    if (run.paused) {
        if (!run.stepAsked) return FrameTime{};
        run.stepAsked = false;
        return FrameTime{true, ONE_STEP};
    }
    if (run.realTime) {
        run.clockOwed += static_cast<double>(frameTime);
        const double owed = std::floor(run.clockOwed / STEP_SECONDS);
        const int steps = owed < MAX_STEPS_PER_FRAME ? static_cast<int>(owed) : MAX_STEPS_PER_FRAME;
        const double dropped = owed - steps;
        run.clockOwed -= owed * STEP_SECONDS;
        return FrameTime{steps > 0, ONE_STEP, steps > 0 ? steps : 1,
                         dropped < 1e9 ? static_cast<int>(dropped) : 1000000000};
    }
    // Left-out frames gather no time, so the frames that run see the same stream of frame
    // times as at 1x, every slowdown-th of them: half the steps, half the quake's clock and
    // half the load checks over the same frames.
    const bool runs = run.framesLeftOut == 0;
    run.framesLeftOut = (run.framesLeftOut + 1) % run.slowdown;
    return runs ? FrameTime{true, frameTime} : FrameTime{};
}

void measureSpeed(SpeedMeter& meter, float clockSeconds, double simulatedSeconds, int droppedSteps) {
    meter.clockSeconds += static_cast<double>(clockSeconds);
    meter.simulatedSeconds += simulatedSeconds;
    meter.droppedInWindow += droppedSteps;
    if (meter.clockSeconds < SPEED_WINDOW_SECONDS) return;
    meter.ratio = static_cast<float>(meter.simulatedSeconds / meter.clockSeconds);
    meter.measured = true;
    meter.droppedSteps = meter.droppedInWindow;
    meter.clockSeconds = 0.0;
    meter.simulatedSeconds = 0.0;
    meter.droppedInWindow = 0;
}
