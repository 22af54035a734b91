#pragma once
#include "physics/structure.h"

// Accumulates each joint's load above the threshold and breaks joints past the limit.
void checkJointLoads(Simulation& sim);
