#pragma once
// Pause, single step, slow motion and real time of a running simulation, and the measured
// ratio of simulated time to clock time. The default (running, 1x) leaves every frame as
// it was: at most one step of 1/120 s a frame, by the time gate.
#include "app/input.h"

// Simulated seconds over clock seconds, measured over windows of about a second.
struct SpeedMeter {
    double clockSeconds = 0.0;
    double simulatedSeconds = 0.0;
    float ratio = 0.0f;
    bool measured = false;  // a whole window has passed
    int droppedInWindow = 0;
    int droppedSteps = 0;   // steps real time could not take in the last whole window
};

struct RunControl {
    bool paused = false;
    // 1, 2 or 4: a frame runs the simulation only every slowdown-th time, so simulated
    // time (world steps, the quake's clock, joint loads) runs at 1/slowdown of 1x.
    int slowdown = 1;
    int framesLeftOut = 0;  // since the last frame that ran, at a slow speed
    // Real time: a frame takes as many steps of 1/120 s as the clock gave it (at most
    // MAX_STEPS_PER_FRAME), so simulated time keeps up with the clock; the slowdown is
    // then not used.
    bool realTime = false;
    double clockOwed = 0.0;  // seconds of clock not yet stepped
    bool stepAsked = false;  // N or the panel's Step while paused
    SpeedMeter meter;
};

inline constexpr int SLOWDOWNS[] = {1, 2, 4};
inline constexpr double SPEED_WINDOW_SECONDS = 1.0;
// Real time's bound on one frame's steps: a slow frame drops what lies beyond it, so a
// frame that falls behind cannot make the next one slower still.
inline constexpr int MAX_STEPS_PER_FRAME = 8;

void togglePause(RunControl& run);
// N while paused: the next frame runs one simulated frame of one step. Ignored while running.
void askStep(RunControl& run);
// A slowdown of 1, 2 or 4 by the time gate (real time off); anything else is ignored. A
// new speed starts a fresh period.
void setSlowdown(RunControl& run, int slowdown);
void setRealTime(RunControl& run);
// `[` one speed slower, `]` one faster: 1/4x, 1/2x, 1x, real time, stopping at both ends.
void slowDown(RunControl& run);
void speedUp(RunControl& run);
// A simulation starts or ends: running, a fresh period and meter; the speed stays.
void restartRun(RunControl& run);
// P and N in a simulation, [ and ] everywhere (the speed is a setting); the caller skips
// them in typing mode, like the other shortcut keys.
void updateRunKeys(RunControl& run, const InputSnapshot& in, bool simulating);

// What this frame of a running simulation does with time.
struct FrameTime {
    bool advance = false;  // run the timed part: quake step, joint loads, world step
    float seconds = 0.0f;  // the frame time the simulation sees; one step's for a single step
    int frames = 1;        // simulated frames of `seconds` each (real time: one per step)
    int dropped = 0;       // steps real time left out to stay within MAX_STEPS_PER_FRAME
};
FrameTime takeFrameTime(RunControl& run, float frameTime);

void measureSpeed(SpeedMeter& meter, float clockSeconds, double simulatedSeconds, int droppedSteps = 0);
