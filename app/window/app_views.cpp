#include "app/window/app_views.h"

#include "app/design_commands.h"

SceneView sceneViewOf(const AppState& app) {
    return SceneView{app.camera,
                     app.simulating != 0,
                     app.editor.grid,
                     app.editor.lines,
                     app.editor.hasPending == 1,
                     app.editor.pendingStart,
                     app.sim,
                     app.quake.epicenter};
}

PanelModel panelModelOf(AppState& app) {
    return PanelModel{app.simulating != 0, app.editor.deleteMode == 1, app.sim, app.quake, app.notice};
}

PanelActions panelActionsOf(AppState& app) {
    PanelActions actions;
    actions.applyPreset = [&app](const Design& design) { applyDesign(app.editor, app.sim, app.quake, design); };
    actions.save = [&app](const std::string& name) {
        return saveCurrentDesign(app.editor, app.sim, app.quake, name).message;
    };
    actions.load = [&app](const std::string& name) {
        return loadFromFile(app.editor, app.sim, app.quake, name).message;
    };
    return actions;
}
