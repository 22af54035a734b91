#include "app/design_commands.h"

#include <utility>

#include "app/undo_commands.h"
#include "app/view_framing.h"
#include "persistence/design_check.h"
#include "quake/ground_quake.h"

Design liveSettings(const Simulation& sim, const QuakeState& quake) {
    Design settings;
    settings.density = sim.density;
    settings.accumulativeLimit = sim.accumulativeLimit;
    settings.threshold = sim.threshold;
    settings.duration = userQuakeDuration(quake);
    settings.magnitude = quake.magnitude;
    settings.epicenter = quake.epicenter;
    return settings;
}

Design makeDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                  const std::string& name) {
    Design design = liveSettings(sim, quake);
    design.lines = editor.lines;
    design.name = name;
    return design;
}

void applyDesign(EditorState& editor, Simulation& sim, QuakeState& quake, const Design& design) {
    editor.lines = design.lines;
    sim.accumulativeLimit = design.accumulativeLimit;
    sim.threshold = design.threshold;
    sim.density = design.density;
    quake.duration = design.duration;
    quake.magnitude = design.magnitude;
    quake.epicenter = design.epicenter;
}

FileResult saveCurrentDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                             const std::string& name, const std::string& baseDir) {
    return saveToFile(makeDesign(editor, sim, quake, name), baseDir);
}

FileResult loadFromFile(EditorState& editor, Simulation& sim, QuakeState& quake, const std::string& name,
                        const std::string& baseDir) {
    Design design;
    FileResult result = readUsableDesign(name, design, baseDir);
    if (!result.ok) return result;
    // Room for the new entry is made first, so that nothing after applying can fail.
    sim.presets.reserve(sim.presets.size() + 1);
    Design entry = design;
    applyDesign(editor, sim, quake, design);
    sim.presets.push_back(std::move(entry));
    return result;
}

void applyPresetRecorded(AppState& app, const Design& design) {
    recordDesignChange(app, [&] { applyDesign(app.editor, app.sim, app.quake, design); });
    app.notice.clear();
    app.keptLines = app.editor.lines;
    noteArrivedDesign(app);
}

FileResult loadFromFileRecorded(AppState& app, const std::string& name, const std::string& baseDir) {
    FileResult result;
    recordDesignChange(app, [&] { result = loadFromFile(app.editor, app.sim, app.quake, name, baseDir); });
    if (result.ok) {
        app.notice.clear();
        app.keptLines = app.editor.lines;
        noteArrivedDesign(app);
    }
    return result;
}

FileResult saveDesignKept(AppState& app, const std::string& name, const std::string& baseDir) {
    FileResult result = saveCurrentDesign(app.editor, app.sim, app.quake, name, baseDir);
    if (result.ok) app.keptLines = app.editor.lines;
    return result;
}
