#include "app/undo_commands.h"

#include "app/design_commands.h"

namespace {

bool walkHistory(AppState& app, bool (*step)(UndoHistory&, Design&)) {
    Design live = makeDesign(app.editor, app.sim, app.quake, "");
    if (!step(app.history, live)) return false;
    applyDesign(app.editor, app.sim, app.quake, live);
    return true;
}

}  // namespace

void recordDesignChange(AppState& app, const std::function<void()>& change) {
    const Design before = makeDesign(app.editor, app.sim, app.quake, "");
    change();
    recordChange(app.history, before, makeDesign(app.editor, app.sim, app.quake, ""));
}

bool undoDesignChange(AppState& app) { return walkHistory(app, undoStep); }
bool redoDesignChange(AppState& app) { return walkHistory(app, redoStep); }

void updateUndoKeys(AppState& app, const InputSnapshot& in) {
    if (!controlDown(in)) return;
    if (keyPressed(in, KEY_Z)) {
        if (shiftDown(in)) {
            redoDesignChange(app);
        } else {
            undoDesignChange(app);
        }
    } else if (keyPressed(in, KEY_Y)) {
        redoDesignChange(app);
    }
}

void updateEditorRecorded(AppState& app, Vector2 m, const InputSnapshot& in) {
    if (!editorMayEditLines(app.editor, in)) {
        updateEditor(app.editor, m, in);
        return;
    }
    recordDesignChange(app, [&] { updateEditor(app.editor, m, in); });
}
