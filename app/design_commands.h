#pragma once
// The commands that move a whole design between the live program and a Design record:
// gathering it for Save, scattering it back for a preset button or Load. The live
// design is spread over the editor (lines), the simulation (material and joint
// settings) and the quake (its settings).
#include <string>

#include "app/app_state.h"
#include "app/editor.h"
#include "persistence/design_check.h"
#include "persistence/design_file.h"
#include "physics/structure.h"
#include "quake/quake.h"

// The settings of the live design, as a design made now would carry them, without its lines.
Design liveSettings(const Simulation& sim, const QuakeState& quake);

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

// A preset button and Load as the panel runs them: each is one undo step that brings
// back the lines and the settings it replaced. A preset or Load that changes nothing is
// no step; the preset list is not part of the history (Load's new button stays). A
// design that comes in ends what F or Enter had refused (app.notice): it spoke of the
// design that went.
void applyPresetRecorded(AppState& app, const Design& design);
FileResult loadFromFileRecorded(AppState& app, const std::string& name, const std::string& baseDir = ".");
// Save as the panel runs it. Each of these three keeps the lines it leaves (a close with
// the same lines writes no autosave), and a preset or Load notes a design off screen.
FileResult saveDesignKept(AppState& app, const std::string& name, const std::string& baseDir = ".");
