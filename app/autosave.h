#pragma once
// Quitting never loses the drawing: when the window closes with lines that changed since
// the last Save, Load or preset, the design goes to save/autosave.velmar, which the next
// start lists under the presets.
#include <string>

#include "app/app_state.h"
#include "persistence/design_file.h"

inline constexpr const char* AUTOSAVE_NAME = "autosave";

// Whether the lines differ, bit for bit, from those the last Save, Load or preset kept
// (app.keptLines, which the design commands set).
bool linesChangedSinceKept(const AppState& app);
// At close: writes the design (lines and settings) as "autosave" when the lines changed;
// ok with no message when there was nothing to write.
FileResult autosaveAtClose(const AppState& app, const std::string& baseDir = ".");
