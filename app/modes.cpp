#include "app/modes.h"

#include <vector>

#include "app/design_commands.h"
#include "physics/build_limits.h"
#include "physics/world.h"
#include "quake/ground_quake.h"
#include "quake/joint_sizing.h"

namespace {
constexpr float PAN_SPEED = 100.0f;      // world units per second, whatever the zoom
constexpr float WHEEL_STRIP = 300.0f;    // the panel's width: the wheel zooms only right of it
constexpr float ZOOM_FLOOR = 0.1f;
constexpr float RESET_ZOOM = 1.5f;
}  // namespace

Vector2 screenToWorld(const Camera2D& camera, Vector2 pixel) {
    return Vector2{(pixel.x - camera.offset.x) / camera.zoom + camera.target.x,
                   (pixel.y - camera.offset.y) / camera.zoom + camera.target.y};
}

Vector2 worldToScreen(const Camera2D& camera, Vector2 world) {
    return Vector2{(world.x - camera.target.x) * camera.zoom + camera.offset.x,
                   (world.y - camera.target.y) * camera.zoom + camera.offset.y};
}

void updateCameraAndModes(AppState& app, const InputSnapshot& in) {
    if (keyPressed(in, KEY_G) && app.simulating == 1) resetSimulation(app);

    const float dt = in.frameTime;
    Camera2D& camera = app.camera;
    if (keyDown(in, KEY_D) || keyDown(in, KEY_RIGHT)) {
        camera.target.x += dt * PAN_SPEED;
    } else if (keyDown(in, KEY_A) || keyDown(in, KEY_LEFT)) {
        camera.target.x -= dt * PAN_SPEED;
    }
    if (keyDown(in, KEY_W) || keyDown(in, KEY_UP)) {
        camera.target.y -= dt * PAN_SPEED;
    } else if (keyDown(in, KEY_DOWN) || keyDown(in, KEY_S)) {
        camera.target.y += dt * PAN_SPEED;
    }

    if (in.mouse.x > WHEEL_STRIP) camera.zoom += wheelMove(in);
    if (camera.zoom <= 0.0f) camera.zoom = ZOOM_FLOOR;

    if (keyPressed(in, KEY_R)) {
        camera.zoom = RESET_ZOOM;
        camera.rotation = 0.0f;
    }

    if (keyPressed(in, KEY_F) && app.simulating == 0) startSimulation(app);
}

void updateTypingMode(AppState& app, const InputSnapshot& in) {
    if (keyPressed(in, KEY_BACKSLASH)) app.typingMode = !app.typingMode;
}

void startSimulation(AppState& app) {
    // The last guard before the engine: a setting it cannot take, or a structure too
    // large to step, is refused here and nothing is built.
    std::string problem = settingsProblem(liveSettings(app.sim, app.quake));
    if (problem.empty()) problem = structureProblem(app.editor.lines, app.sim.density, app.sim.groundTop);
    if (!problem.empty()) {
        app.notice = "Not started: " + problem;
        return;
    }
    app.notice.clear();
    app.simulating = 1;
    // The world follows the quake model chosen now, for the whole run.
    setWorldSetup(app.sim, worldSetupFor(app.quake.ground));
    buildStructure(app.sim, std::vector<Line>(app.editor.lines));
    sizeConnections(app.sim, app.quake.ground, app.editor.lines);
    app.report = startReport(app.sim);
    app.quake.drift = DriftTrack{};
    restartRun(app.run);
}

void resetSimulation(AppState& app) {
    stopGroundQuake(app.quake);
    app.quake.active = false;
    app.quake.elapsed = 0.0f;
    // A finished quake's curves stay in the panel until its structure goes.
    erase(app.quake.graphX);
    erase(app.quake.graphY);
    app.editor.pendingStart = Vector2{0.0f, 0.0f};
    app.editor.pendingEnd = Vector2{0.0f, 0.0f};
    app.editor.hasPending = 0;
    app.simulating = 0;
    clearStructure(app.sim);
    app.report = FailureReport{};
    app.quake.drift = DriftTrack{};
    restartRun(app.run);
    // A step that went unstable may have written not-a-number into the ground through
    // the pins; the next structure gets a clean world.
    if (!worldIsFinite(app.sim)) renewWorld(app.sim);
    app.quake.groundBody = app.sim.ground.body;
}

void stopUnstableSimulation(AppState& app) {
    resetSimulation(app);
    app.notice = UNSTABLE_NOTICE;
}
