#include "app/sim_run.h"

#include "app/design_commands.h"
#include "app/modes.h"
#include "app/sim_frame.h"
#include "physics/time_step.h"
#include "physics/world.h"
#include "quake/ground_quake.h"
#include "quake/quake.h"

#include <string>

void runSimulation(AppState& app, const InputSnapshot& in, const RandomInt& randomInt) {
    const FrameTime time = takeFrameTime(app.run, in.frameTime);

    SimFrameEvents events;
    events.frameTime = time.seconds;
    events.advance = time.advance;
    events.startQuake = keyPressed(in, KEY_ENTER);
    events.clockSeconds = in.time;
    events.dropFigure = keyPressed(in, KEY_K);
    events.figurePoint = screenToWorld(app.camera, in.mouse);

    if (events.startQuake) {
        std::string problem = settingsProblem(liveSettings(app.sim, app.quake));
        if (problem.empty()) problem = groundQuakeProblem(app.quake);
        if (problem.empty()) problem = worldProblem(app.quake, app.sim.setup);
        if (!problem.empty()) {
            app.notice = "Quake not started: " + problem;
            events.startQuake = false;
        } else {
            app.notice.clear();  // an earlier refusal of Enter is no longer true
        }
    }
    // Real time runs several simulated frames of one step each; Enter and K act in the first.
    const int frames = time.advance ? time.frames : 1;
    double simulated = 0.0;
    for (int i = 0; i < frames; ++i) {
        // The gate gathers only the time of frames that advance; a single step gathers one
        // whole step so the gate opens however little it held.
        if (time.advance) app.stepAccumulator += time.seconds;
        const bool quakeWasActive = app.quake.active;
        if (events.startQuake && !quakeWasActive) noteQuakeStart(app.report);
        const bool stepped = simulateFrame(app.sim, app.quake, app.spawner, app.stepAccumulator, events, randomInt);
        if (stepped) {
            ++app.worldSteps;
            simulated += STEP_SECONDS;
        }
        if (stepped && !worldIsFinite(app.sim)) {
            stopUnstableSimulation(app);
            return;
        }
        if (time.advance) {
            FrameOutcome outcome;
            outcome.stepped = stepped;
            outcome.quakeStepped = quakeWasActive || events.startQuake;
            outcome.quakeEnded = outcome.quakeStepped && !app.quake.active;
            noteFrame(app.report, app.sim, app.quake, outcome);
        }
        events.startQuake = false;
        events.dropFigure = false;
    }
    measureSpeed(app.run.meter, in.frameTime, simulated, time.dropped);
}
