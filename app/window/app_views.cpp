#include "app/window/app_views.h"

#include "app/design_commands.h"
#include "app/record_commands.h"
#include "app/rigidity_check.h"
#include "app/undo_commands.h"
#include "physics/design_cost.h"
#include "app/replay.h"
#include "app/run_control.h"
#include "app/view_framing.h"
#include "quake/ground_quake.h"

SceneView sceneViewOf(const AppState& app) {
    SceneView view{app.camera,
                     app.simulating != 0,
                     app.editor.grid,
                     app.editor.dragging == 1 ? app.editor.dragPreview : app.editor.lines,
                     app.editor.hasPending == 1,
                     app.editor.pendingStart,
                     app.sim,
                     app.quake.epicenter,
                     app.editor.deletePreview,
                     app.report.hasFirstBreak,
                     app.report.firstBreakPoint};
    const bool editing = app.simulating == 0;
    view.hasHover = editing && app.editor.hasHover == 1;
    view.hover = app.editor.hover;
    view.mouse = app.editor.mouse;
    view.modeName = !editing ? "SIMULATION" : app.editor.deleteMode == 1 ? "DELETE" : "PLACING";
    if (editing && app.rigidity.shown && app.editor.dragging == 0) view.canMove = &app.rigidity.result.canMove;
    view.firstHint = editing && !app.hadLines && app.editor.lines.empty();
    const GroundMotionRun& run = app.quake.groundRun;
    if (!editing && run.moving && run.rest.taken) {
        view.swayRest = &run.rest;
        view.hingeThreshold = jointRuleFor(app.quake, app.sim).threshold;
    }
    return view;
}

PanelModel panelModelOf(AppState& app, double clockSeconds) {
    PanelModel model{app.simulating != 0,
                     app.editor.deleteMode == 1,
                     app.sim,
                     app.quake,
                     app.notice,
                     canUndo(app.history),
                     canRedo(app.history),
                     designCost(app.editor.lines, app.sim.density, app.sim.lengthUnitsPerMeter)};
    model.run = RunModel{app.run.paused,  app.run.slowdown, app.run.meter.measured,          app.run.meter.ratio,
                         app.report,      app.run.realTime, app.run.meter.droppedSteps};
    model.records = RecordListModel{app.records.files, app.records.durationSeconds, app.records.peakG};
    model.designOffScreen = app.designOffScreen;
    model.clockSeconds = clockSeconds;
    if (app.simulating == 0) model.rigidity = rigiditySummary(app.rigidity);
    return model;
}

PanelActions panelActionsOf(AppState& app) {
    PanelActions actions;
    actions.applyPreset = [&app](const Design& design) { applyPresetRecorded(app, design); };
    actions.save = [&app](const std::string& name) {
        return saveDesignKept(app, name).message;
    };
    actions.load = [&app](const std::string& name) {
        const FileResult result = loadFromFileRecorded(app, name);
        return CommandReply{result.ok, result.message};
    };
    actions.undo = [&app] { undoDesignChange(app); };
    actions.redo = [&app] { redoDesignChange(app); };
    actions.frameDesign = [&app] { frameDesign(app); };
    actions.checkRigidity = [&app] { checkEditorRigidity(app); };
    actions.run.togglePause = [&app] { togglePause(app.run); };
    actions.run.step = [&app] { askStep(app.run); };
    actions.run.setSlowdown = [&app](int slowdown) { setSlowdown(app.run, slowdown); };
    actions.run.setRealTime = [&app] { setRealTime(app.run); };
    actions.run.replay = [&app](const std::string& typed) { return replayTyped(app, typed); };
    actions.records.refresh = [&app] { refreshRecordList(app.records); };
    actions.records.load = [&app](const std::string& name) { return loadRecord(app.records, app.quake.ground, name); };
    return actions;
}
