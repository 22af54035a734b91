#pragma once
#include "physics/structure.h"

// Accumulates each joint's load above the threshold and breaks joints past the limit.
void checkJointLoads(Simulation& sim);

// One frame's load: a force strictly above the threshold adds force x 1/120 s (in double
// precision, rounded back to float); anything else leaves the load as it was.
float accumulateJointLoad(float accumulated, float force, float threshold);
