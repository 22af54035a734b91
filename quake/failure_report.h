#pragma once
// What failed first, and how much: the first joint to break in a simulation (where and
// when), joints broken of joints built, the largest mean quake force (in the ground-motion
// model, joint force) so far, and one line that sums up each quake when it ends. Kept from
// F to G.
#include <raylib.h>

#include <cstddef>
#include <string>

#include "physics/structure.h"
#include "quake/quake.h"

struct FailureReport {
    double simulatedSeconds = 0.0;  // world steps since F, 1/120 s each
    std::size_t jointsBuilt = 0;
    std::size_t jointsBroken = 0;
    float peakMeanForce = 0.0f;  // the longest mean force vector of any quake step so far
    // In the ground-motion model, which pushes nothing, the largest force a live joint has
    // carried while the ground moved (kN) stands in for the mean force.
    bool groundModel = false;
    double peakJointForceKN = 0.0;

    bool hasFirstBreak = false;
    Vector2 firstBreakPoint{0.0f, 0.0f};  // world units, where the joint was when it broke
    double firstBreakSeconds = 0.0;       // from the quake's start, or from F when no quake had started
    bool firstBreakInQuake = false;

    // The latest quake, from its start (Enter while it runs continues it, as its timer does).
    bool quakeStarted = false;  // a quake has started since F
    bool quakeRunning = false;
    double quakeStartSeconds = 0.0;
    std::size_t brokenAtQuakeStart = 0;
    bool quakeHasBreak = false;
    double quakeFirstBreakSeconds = 0.0;
    std::string quakeSummary;  // set when a quake ends
};

// What one simulated frame did, as the report needs it.
struct FrameOutcome {
    bool stepped = false;       // the world took its step
    bool quakeStepped = false;  // the quake pushed (it ran at the start of its step)
    bool quakeEnded = false;    // and its timer ran out in this frame
};

// A report for a structure just built.
FailureReport startReport(const Simulation& sim);
// A quake starts from idle.
void noteQuakeStart(FailureReport& report);
// After a simulated frame: the joints its load check broke (sim.brokenThisFrame), the
// quake's mean force, the world's step, and the summary when the quake ended.
void noteFrame(FailureReport& report, const Simulation& sim, const QuakeState& quake, const FrameOutcome& outcome);

// The status texts.
std::string firstBreakText(const FailureReport& report);
std::string jointsBrokenText(const FailureReport& report);
std::string peakForceText(const FailureReport& report);
