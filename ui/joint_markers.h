#pragma once
// Joint markers: discs of JOINT_MARKER_RADIUS world units coloured by load, drawn inside
// the camera. At the usual zooms a marker is a dot of a pixel or two, where raylib's
// DrawCircleV spends 36 triangles on nothing visible.
#include "physics/structure.h"
#include "ui/pixel_canvas.h"
#include "ui/screen_map.h"

// The same pixels for far fewer vertices: small discs as the rows of pixels they cover,
// painted on `canvas` and drawn as runs of one colour, larger ones outlined with segments
// chosen by their size on screen; markers off screen are left out. Everything goes into
// raylib's batch as quads of one texture.
void drawJointMarkers(const Simulation& sim, const ScreenMap& map, PixelCanvas& canvas);
// One DrawCircleV per marker, as first written: the reference the fast drawing must match.
void drawJointMarkersReference(const Simulation& sim);
