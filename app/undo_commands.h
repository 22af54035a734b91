#pragma once
// Undo and redo for the live design: changes go through here to become undo steps, and
// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y (or the panel's buttons) walk the history.
#include <raylib.h>

#include <functional>

#include "app/app_state.h"
#include "app/input.h"

// Runs `change` on the live design (lines and settings) and records what it changed as
// one undo step.
void recordDesignChange(AppState& app, const std::function<void()>& change);

bool undoDesignChange(AppState& app);
bool redoDesignChange(AppState& app);

// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo. The caller runs it in the editor only,
// outside typing mode.
void updateUndoKeys(AppState& app, const InputSnapshot& in);

// The line editor's frame (m in world coordinates), its changes recorded as one step.
void updateEditorRecorded(AppState& app, Vector2 m, const InputSnapshot& in);
