#pragma once
// Where the built structure stood when a ground motion began: each member's position and
// angle and the ground's position. Displacements relative to the moving ground (sway,
// drift) are measured from it.
#include <raylib.h>

#include <vector>

#include "physics/structure.h"

struct RestPose {
    bool taken = false;
    Vector2 ground{0.0f, 0.0f};     // the ground body's position, world units
    std::vector<Vector2> position;  // per member of Simulation::beams, its body's position
    std::vector<float> angle;       // per member, its body's angle (radians)
};

RestPose captureRestPose(const Simulation& sim);
