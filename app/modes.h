#pragma once
// Camera keys, the switches between editor and simulation, typing mode, and the
// conversion from window pixels to world coordinates.
#include <raylib.h>

#include "app/app_state.h"
#include "app/input.h"

Vector2 screenToWorld(const Camera2D& camera, Vector2 pixel);
Vector2 worldToScreen(const Camera2D& camera, Vector2 world);

// G, pan, wheel zoom, zoom floor, R, F — in that order. The caller skips it in typing mode.
void updateCameraAndModes(AppState& app, const InputSnapshot& in);
// Backslash flips typing mode; runs every frame.
void updateTypingMode(AppState& app, const InputSnapshot& in);

// F: builds the lines, unless the density or the structure's size is refused (then the
// reason is in app.notice and nothing is built).
void startSimulation(AppState& app);
// G: back to the editor; leaves a clean world and ground.
void resetSimulation(AppState& app);

inline constexpr const char* UNSTABLE_NOTICE = "The simulation became unstable and was stopped";
// After a step that left a body not a number: back to the editor with a fresh world.
void stopUnstableSimulation(AppState& app);
