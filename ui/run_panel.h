#pragma once
// The run controls: at the top of the "Quake Status" section pause and step, the speed
// and its measured ratio, and after the status the failure report; in "Quake Settings" the quake's seed and Replay.
#include <cstdint>
#include <functional>
#include <string>

#include "quake/failure_report.h"
#include "quake/quake.h"
#include "ui/command_reply.h"

// What the run controls show.
struct RunModel {
    bool paused = false;
    int slowdown = 1;  // 1, 2 or 4
    bool speedMeasured = false;
    float speedRatio = 0.0f;  // simulated seconds per clock second
    FailureReport report;
    bool realTime = false;  // steps as the clock asks, instead of the time gate's slowdown
    int droppedSteps = 0;   // steps real time left out in the last measured second
};

// The commands they hand to the program.
struct RunActions {
    std::function<void()> togglePause;
    std::function<void()> step;
    std::function<void(int slowdown)> setSlowdown;
    std::function<void()> setRealTime;
    // Replays the typed seed (the latest quake's when blank): whether it started, and the
    // message to show.
    std::function<CommandReply(const std::string& typedSeed)> replay;
};

// Their own state, kept for the whole run.
struct RunPanelState {
    char seedBuffer[24] = "";  // a typed seed; blank replays the latest quake's
    std::string message;       // what the last Replay said
    std::string keptSeed;      // the last text the seed box took, put back when one is refused
    std::string seedRefusal;   // why the last typed seed was refused ("" when it was taken)
    // "Replaying seed ..." lasts as long as the quake it started (that seed, still running).
    bool replayRunning = false;
    std::uint64_t replayedSeed = 0;
};

// "PAUSED" on the status line, after ACTIVE or INACTIVE.
void drawPausedMark(bool simulating, const RunModel& model);
// Pause and step (greyed in the editor), the speed, the measured ratio.
void drawRunControls(bool simulating, const RunModel& model, const RunActions& actions);
// The speed's mode and the measured ratio of simulated to clock time ("1/2x gate: 0.48
// sim/clock", "real time: 0.98 sim/clock"); a line more when real time had to drop steps
// ("" otherwise).
std::string speedReadout(bool simulating, const RunModel& model);
std::string droppedStepsReadout(bool simulating, const RunModel& model);
// What failed first and how much, while a simulation runs.
void drawFailureReport(bool simulating, const RunModel& model);
// The latest quake's seed, a box for a typed one, and Replay.
void drawReplay(const QuakeState& quake, const RunActions& actions, RunPanelState& state);
