#pragma once
// Connections designed to code for the structure they join, in the ground-motion model.
#include <vector>

#include "physics/joint_loads.h"
#include "physics/structure.h"
#include "quake/ground_settings.h"

// Whether a structure built with these connections resists moments (moment connections or
// fixed feet). Such connections are designed by their moment capacity instead, as capacity
// design makes a code's moment frames yield in bending before a connection gives way; their
// force rule stays the fixed threshold and limit.
bool momentResisting(const ConnectionSetup& built);
// For a structure of hinges just built in the ground-motion model, measures the force its
// connections are designed for under the chosen lateral load (see design_force.h); in the
// classic model and for a moment-resisting structure measures nothing.
void sizeConnections(Simulation& sim, const GroundMotionSettings& ground, const std::vector<Line>& lines);
// The capacity each connection of the structure built has, kN; 0 when they are not sized
// (the classic model, a fixed rule, a moment-resisting structure, or nothing measured).
double sizedCapacityKN(const GroundMotionSettings& ground, const Simulation& sim);
// The ground-motion model's joint rule for the structure built, in engine units: its sized
// connections' capacity held for SIZED_HOLD_SECONDS, or the threshold and limit as set.
JointRule groundJointRule(const GroundMotionSettings& ground, const Simulation& sim);
