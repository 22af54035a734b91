#pragma once
// The world rectangle the camera shows on the render target, for leaving out what lies
// off screen, and the camera's mapping between world units and render-target pixels.
#include <raylib.h>

struct ScreenMap {
    Camera2D camera{};
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    bool rotated = false;  // the camera is turned: everything counts as visible
};

ScreenMap screenMapOf(const Camera2D& camera, float screenSize);
// Whether the world box x0..x1, y0..y1 reaches into the picture.
bool boxVisible(const ScreenMap& map, float x0, float y0, float x1, float y1);
// Whether anything within `reach` world units of `centre` reaches into the picture.
bool nearVisible(const ScreenMap& map, Vector2 centre, float reach);
Vector2 worldToPixel(const ScreenMap& map, Vector2 world);
Vector2 pixelToWorld(const ScreenMap& map, Vector2 pixel);
