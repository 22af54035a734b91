#pragma once
// Drawing one ragdoll figure inside the scene camera.
#include "physics/human_types.h"

// Capsules as plain rotated rectangles, feet as outlined polygons, joints as thin lines.
void drawHuman(Human human);
