#include "app/replay.h"

#include <string>

#include "app/design_commands.h"
#include "app/modes.h"
#include "physics/time_step.h"
#include "physics/world.h"

void replayQuake(AppState& app, const QuakeSeed& seed) {
    if (app.simulating != 0) resetSimulation(app);
    renewWorld(app.sim);
    app.quake.groundBody = app.sim.ground.body;
    // Whatever the gate held before, the first frame steps, as after time in the editor.
    app.stepAccumulator = static_cast<float>(STEP_SECONDS);
    startSimulation(app);
    if (app.simulating == 0) return;  // refused; F said why
    startQuakeWithSeed(app.quake, seed);
    noteQuakeStart(app.report);
}

CommandReply replayTyped(AppState& app, const std::string& typed) {
    const std::string problem = settingsProblem(liveSettings(app.sim, app.quake));
    if (!problem.empty()) return {false, "Not replayed: " + problem + "."};
    if (typed.find_first_not_of(" \t") == std::string::npos) {
        if (!app.quake.hasSeed) return {false, "No quake to replay yet: press Enter for one, or type a seed."};
        replayQuake(app, app.quake.seed);
    } else {
        const std::optional<QuakeSeed> seed = parseSeed(typed);
        if (!seed) return {false, "Not a seed: type a whole number from 0 to " + std::to_string(MAX_SEED_NUMBER) + "."};
        replayQuake(app, *seed);
    }
    if (app.simulating == 0) return {false, app.notice};  // F refused the structure
    return {true, "Replaying seed " + std::to_string(seedNumber(app.quake.seed)) + "."};
}
