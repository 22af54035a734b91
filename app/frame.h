#pragma once
// The window-free part of one frame: accumulator, keys, and the mode's work
// (editor, or quake, ragdoll key, joint check and physics step).
#include <string>

#include "app/app_state.h"
#include "app/input.h"
#include "physics/random_int.h"

// Start-up of the window-free state: editor grid, world and ground, presets (read from
// save/ below baseDir, the autosave last when there is one), quake's ground.
void initApp(AppState& app, const std::string& baseDir = ".");
void updateFrame(AppState& app, const InputSnapshot& in, const RandomInt& randomInt);
// The input the scene acts on: while a panel text field is being edited the program's
// own key bindings (all but backslash) are dropped, and while the mouse is over the
// panel its clicks and the wheel are dropped.
InputSnapshot sceneInput(const InputSnapshot& in);
// Destroys the world; the lists go with the record.
void shutdownApp(AppState& app);
