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

void startSimulation(AppState& app);
void resetSimulation(AppState& app);
