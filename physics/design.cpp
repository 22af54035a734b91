#include "physics/design.h"

Design makeDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                  const std::string& name) {
    Design design;
    design.lines = editor.lines;
    design.name = name;
    design.density = sim.density;
    design.accumulativeLimit = sim.accumulativeLimit;
    design.threshold = sim.threshold;
    design.duration = quake.duration;
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
