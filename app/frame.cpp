#include "app/frame.h"

#include <cstddef>

#include "app/autosave.h"
#include "app/editor.h"
#include "app/modes.h"
#include "app/rigidity_check.h"
#include "app/sim_frame.h"
#include "app/undo_commands.h"
#include "app/view_framing.h"
#include "app/sim_run.h"
#include "persistence/presets.h"
#include "physics/world.h"
#include "quake/quake.h"

namespace {

// The program's own key bindings; backslash is not among them, it must reach typing mode
// even while a text field has the keyboard.
constexpr int BOUND_KEYS[] = {KEY_W, KEY_A, KEY_S, KEY_D, KEY_UP, KEY_LEFT, KEY_DOWN, KEY_RIGHT,
                              KEY_R, KEY_F, KEY_G, KEY_H, KEY_J, KEY_K, KEY_C, KEY_ENTER,
                              KEY_Z, KEY_Y,  // with Ctrl: undo and redo
                              KEY_P, KEY_N, KEY_LEFT_BRACKET, KEY_RIGHT_BRACKET, KEY_HOME};

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

void initApp(AppState& app, const std::string& baseDir) {
    app.editor = makeEditorState();
    app.camera = Camera2D{{425.0f, 425.0f}, {0.0f, 0.0f}, 0.0f, 1.0f};
    initSimulation(app.sim);
    loadPreset(app.sim, "hause", baseDir);
    loadPreset(app.sim, "lightaf", baseDir);
    loadPreset(app.sim, AUTOSAVE_NAME, baseDir);  // only when the last run left one
    app.quake.groundBody = app.sim.ground.body;
    app.typingMode = false;
    app.stepAccumulator = 0.0f;
}

void updateFrame(AppState& app, const InputSnapshot& raw, const RandomInt& randomInt) {
    const InputSnapshot in = sceneInput(raw);

    if (!app.typingMode) {
        updateCameraAndModes(app, in);
        updateRunKeys(app.run, in, app.simulating != 0);
        if (keyPressed(in, KEY_HOME)) frameDesign(app);
    }
    updateTypingMode(app, in);
    refreshOffScreenNote(app);

    if (app.simulating == 0) {
        // The editor gathers every frame's time, so the first simulated frame steps.
        app.stepAccumulator += in.frameTime;
        if (!app.typingMode) updateUndoKeys(app, in);
        updateEditorRecorded(app, screenToWorld(app.camera, in.mouse), in);
        forgetStaleRigidity(app);
        if (!app.typingMode && keyPressed(in, KEY_C)) checkEditorRigidity(app);
        if (!app.editor.lines.empty()) app.hadLines = true;
        return;
    }
    // Gathers this frame's time when the frame advances (always at 1x, unpaused).
    runSimulation(app, in, randomInt);
}

void shutdownApp(AppState& app) { destroySimulation(app.sim); }
