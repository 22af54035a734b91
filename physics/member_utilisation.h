#pragma once
// How close each member's joints are to giving way, as a fraction: a moment connection's
// |moment| over its moment capacity, a hinge's force over the joint rule's threshold. A
// member takes the largest over its joints that still hold (0 with none); 1 and above
// means a connection yields or a hinge tires.
#include <vector>

#include "physics/structure.h"

// hingeThreshold: the joint rule's threshold (engine force) in force now.
std::vector<float> memberUtilisation(const Simulation& sim, float hingeThreshold);
