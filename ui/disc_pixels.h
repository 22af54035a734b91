#pragma once
// Which render-target pixels a joint marker's disc covers, and how finely to outline a
// larger one. A marker is a disc of half a world unit: one or two pixels at the usual
// zooms, where an outline of 36 segments spends its triangles on nothing visible.
#include <raylib.h>

// One row of covered pixels: row y, pixels x0 up to but not including x1.
struct PixelSpan {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

// Discs up to this radius (pixels) are drawn as their rows of covered pixels.
inline constexpr float SPAN_DISC_RADIUS = 3.0f;
// The most rows such a disc covers.
inline constexpr int MAX_DISC_SPANS = 2 * static_cast<int>(SPAN_DISC_RADIUS) + 1;
// The finest outline, the one raylib's DrawCircleV uses at every size.
inline constexpr int MAX_CIRCLE_SEGMENTS = 36;

// The rows of pixels whose centres lie inside the disc (centre and radius in pixels,
// radius at most SPAN_DISC_RADIUS): what a finely outlined disc fills. Returns the count.
int discSpans(Vector2 centre, float radius, PixelSpan (&out)[MAX_DISC_SPANS]);

// Outline segments for a disc of this radius in pixels: an even number, enough that the
// outline stays within a twentieth of a pixel of the circle, and at most MAX_CIRCLE_SEGMENTS.
int circleSegments(float radius);
