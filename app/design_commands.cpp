#include "app/design_commands.h"

#include <utility>

#include "app/undo_commands.h"
#include "persistence/design_check.h"
#include "quake/ground_quake.h"

Design makeDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                  const std::string& name) {
    Design design;
    design.lines = editor.lines;
    design.name = name;
    design.density = sim.density;
    design.accumulativeLimit = sim.accumulativeLimit;
    design.threshold = sim.threshold;
    design.duration = userQuakeDuration(quake);
    design.magnitude = quake.magnitude;
    design.epicenter = quake.epicenter;
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
}

FileResult loadFromFileRecorded(AppState& app, const std::string& name, const std::string& baseDir) {
    FileResult result;
    recordDesignChange(app, [&] { result = loadFromFile(app.editor, app.sim, app.quake, name, baseDir); });
    if (result.ok) app.notice.clear();
    return result;
}
