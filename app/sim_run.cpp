#include "app/sim_run.h"

#include "app/modes.h"
#include "app/sim_frame.h"
#include "physics/time_step.h"
#include "physics/world.h"
#include "quake/ground_quake.h"
#include "quake/quake.h"

#include <string>

void runSimulation(AppState& app, const InputSnapshot& in, const RandomInt& randomInt) {
    const FrameTime time = takeFrameTime(app.run, in.frameTime);
    // The gate gathers only the time of frames that advance; a single step gathers one
    // whole step so the gate opens however little it held.
    if (time.advance) app.stepAccumulator += time.seconds;

    SimFrameEvents events;
    events.frameTime = time.seconds;
    events.advance = time.advance;
    events.startQuake = keyPressed(in, KEY_ENTER);
    events.clockSeconds = in.time;
    events.dropFigure = keyPressed(in, KEY_K);
    events.figurePoint = screenToWorld(app.camera, in.mouse);

    if (events.startQuake) {
        std::string problem = magnitudeProblem(app.quake.magnitude);
        if (problem.empty()) problem = groundQuakeProblem(app.quake);
        if (!problem.empty()) {
            app.notice = "Quake not started: " + problem;
            events.startQuake = false;
        } else {
            app.notice.clear();  // an earlier refusal of Enter is no longer true
        }
    }
    const bool quakeWasActive = app.quake.active;
    if (events.startQuake && !quakeWasActive) noteQuakeStart(app.report);
    const bool stepped = simulateFrame(app.sim, app.quake, app.spawner, app.stepAccumulator, events, randomInt);
    if (stepped) ++app.worldSteps;
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
    measureSpeed(app.run.meter, in.frameTime, stepped ? STEP_SECONDS : 0.0);
}
