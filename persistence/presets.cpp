// The preset list, filled from design files.
#include "persistence/presets.h"

#include <utility>

#include "persistence/design_check.h"

bool loadPreset(Simulation& sim, const std::string& name, const std::string& baseDir) {
    Design design;
    if (!readUsableDesign(name, design, baseDir).ok) return false;
    sim.presets.push_back(std::move(design));
    return true;
}
