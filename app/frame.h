#pragma once
// The window-free part of one frame: accumulator, keys, and the mode's work
// (editor, or quake, ragdoll key, joint check and physics step).
#include "app/app_state.h"
#include "app/input.h"

// Start-up of the window-free state: editor grid, world and ground, presets, quake's ground.
void initApp(AppState& app);
void updateFrame(AppState& app, const InputSnapshot& in, const RandomInt& randomInt);
// Destroys the world; the lists go with the record.
void shutdownApp(AppState& app);
