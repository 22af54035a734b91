#pragma once
#include "physics/structure.h"

// When a joint gives way: a force above the threshold adds to its load, and a load past
// the limit breaks it.
struct JointRule {
    float threshold = 1500.0f;
    float accumulativeLimit = 50000.0f;
};

// Accumulates each joint's load above the threshold and breaks joints past the limit;
// the joints it broke are listed in sim.brokenThisFrame. Without a rule, the
// simulation's own threshold and limit apply.
void checkJointLoads(Simulation& sim);
void checkJointLoads(Simulation& sim, const JointRule& rule);

// How many of the structure's joints have broken.
int brokenJointCount(const Simulation& sim);

// Where a live joint is, in world units: its anchor on the second body.
Vector2 jointWorldPoint(b2JointId joint);

// One frame's load: a force strictly above the threshold adds force x 1/120 s (in double
// precision, rounded back to float); anything else leaves the load as it was.
float accumulateJointLoad(float accumulated, float force, float threshold);
