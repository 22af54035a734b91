#pragma once
#include "physics/structure.h"

// Accumulates each joint's load above the threshold and breaks joints past the limit;
// the joints it broke are listed in sim.brokenThisFrame.
void checkJointLoads(Simulation& sim);

// Where a live joint is, in world units: its anchor on the second body.
Vector2 jointWorldPoint(b2JointId joint);

// One frame's load: a force strictly above the threshold adds force x 1/120 s (in double
// precision, rounded back to float); anything else leaves the load as it was.
float accumulateJointLoad(float accumulated, float force, float threshold);
