#pragma once
// The preset list: designs read at start-up and by Load, shown as buttons in the panel.
#include <string>

#include "persistence/design_file.h"
#include "physics/structure.h"

// Appends the design of save/<name>.velmar to sim.presets; a missing or bad file, or one
// whose settings cannot be simulated, is skipped.
bool loadPreset(Simulation& sim, const std::string& name, const std::string& baseDir = ".");
