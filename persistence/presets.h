#pragma once
// The preset list and the File section's commands.
#include <cstddef>
#include <string>

#include "app/editor.h"
#include "persistence/design_file.h"
#include "physics/structure.h"
#include "quake/quake.h"

// Appends the design of save/<name>.velmar to sim.presets; a missing or bad file is skipped.
bool loadPreset(Simulation& sim, const std::string& name, const std::string& baseDir = ".");
// Save: makeDesign with the typed name, then saveToFile.
FileResult saveCurrentDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                             const std::string& name, const std::string& baseDir = ".");
// Load: read completely, apply, append to the presets. Nothing changes on failure.
FileResult loadFromFile(EditorState& editor, Simulation& sim, QuakeState& quake, const std::string& name,
                        const std::string& baseDir = ".");
// The name typed in a text buffer: its bytes up to the first zero byte (all of them
// when there is none).
std::string typedName(const char* buffer, std::size_t capacity);
