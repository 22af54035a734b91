#include "app/frame.h"

#include <cstddef>

#include "app/editor.h"
#include "app/modes.h"
#include "app/sim_frame.h"
#include "persistence/presets.h"
#include "physics/world.h"
#include "quake/quake.h"

namespace {

// The program's own key bindings; backslash is not among them, it must reach typing mode
// even while a text field has the keyboard.
constexpr int BOUND_KEYS[] = {KEY_W, KEY_A, KEY_S, KEY_D, KEY_UP, KEY_LEFT, KEY_DOWN, KEY_RIGHT,
                              KEY_R, KEY_F, KEY_G, KEY_H, KEY_J, KEY_K, KEY_ENTER};

void dropKey(InputSnapshot& in, int key) {
    const auto bit = static_cast<std::size_t>(key);
    in.keyDown.reset(bit);
    in.keyPressed.reset(bit);
    in.keyReleased.reset(bit);
}

}  // namespace

InputSnapshot sceneInput(const InputSnapshot& in) {
    InputSnapshot out = in;
    if (in.uiTextActive) {
        for (int key : BOUND_KEYS) dropKey(out, key);
        out.wheel = Vector2{0.0f, 0.0f};
    }
    if (in.uiWantsMouse) {
        out.mousePressed.reset();
        out.mouseDown.reset();
        out.mouseReleased.reset();
        out.wheel = Vector2{0.0f, 0.0f};
    }
    return out;
}

void initApp(AppState& app) {
    app.editor = makeEditorState();
    app.camera = Camera2D{{425.0f, 425.0f}, {0.0f, 0.0f}, 0.0f, 1.0f};
    initSimulation(app.sim);
    loadPreset(app.sim, "hause");
    loadPreset(app.sim, "lightaf");
    app.quake.groundBody = app.sim.ground.body;
    app.typingMode = false;
    app.stepAccumulator = 0.0f;
}

void updateFrame(AppState& app, const InputSnapshot& raw, const RandomInt& randomInt) {
    const InputSnapshot in = sceneInput(raw);

    app.stepAccumulator += in.frameTime;
    if (!app.typingMode) updateCameraAndModes(app, in);
    updateTypingMode(app, in);

    if (app.simulating == 0) {
        updateEditor(app.editor, screenToWorld(app.camera, in.mouse), in);
        return;
    }
    SimFrameEvents events;
    events.frameTime = in.frameTime;
    events.startQuake = keyPressed(in, KEY_ENTER);
    events.clockSeconds = in.time;
    events.dropFigure = keyPressed(in, KEY_K);
    events.figurePoint = screenToWorld(app.camera, in.mouse);
    if (events.startQuake) {
        const std::string problem = magnitudeProblem(app.quake.magnitude);
        if (!problem.empty()) {
            app.notice = "Quake not started: " + problem;
            events.startQuake = false;
        }
    }
    const bool stepped = simulateFrame(app.sim, app.quake, app.spawner, app.stepAccumulator, events, randomInt);
    if (stepped && !worldIsFinite(app.sim)) stopUnstableSimulation(app);
}

void shutdownApp(AppState& app) { destroySimulation(app.sim); }
