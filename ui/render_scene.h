#pragma once
// Draws the scene through the camera into the render target and copies it to the window.
#include <raylib.h>

#include "app/app_state.h"

inline constexpr Color BACKGROUND_COLOR{245, 245, 245, 255};
inline constexpr Color LINE_COLOR{255, 161, 0, 255};
inline constexpr Color PENDING_COLOR{253, 249, 0, 255};
inline constexpr Color EPICENTER_COLOR{230, 41, 55, 255};

// Joint marker colour: yellow with no load, red at the limit (a limit of 0 or less draws red).
Color jointLoadColor(float accumulated, float accumulativeLimit);

void drawBeam(const Beam& beam);
// Leaves drawing open (BeginDrawing called) so the user interface can be drawn on top.
void renderScene(const AppState& app, const RenderTexture2D& renderTarget);
