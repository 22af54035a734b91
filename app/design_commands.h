#pragma once
// The commands that move a whole design between the live program and a Design record:
// gathering it for Save, scattering it back for a preset button or Load. The live
// design is spread over the editor (lines), the simulation (material and joint
// settings) and the quake (its settings).
#include <string>

#include "app/editor.h"
#include "persistence/design_file.h"
#include "physics/structure.h"
#include "quake/quake.h"

Design makeDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                  const std::string& name);
void applyDesign(EditorState& editor, Simulation& sim, QuakeState& quake, const Design& design);

// Save: makeDesign with the typed name, then saveToFile.
FileResult saveCurrentDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                             const std::string& name, const std::string& baseDir = ".");
// Load: read completely, check the settings, apply, append to the presets. Nothing
// changes on failure.
FileResult loadFromFile(EditorState& editor, Simulation& sim, QuakeState& quake, const std::string& name,
                        const std::string& baseDir = ".");
