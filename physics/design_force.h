#pragma once
// The load a structure's connections are designed for: the heaviest force any of its joints
// carries standing under its own weight (floor load included) and a steady lateral load of
// a given share of that weight, either way, measured on copies of it.
#include <vector>

#include "physics/structure.h"

// Over how long each copy's loads come on, how long it stands before its forces count (the
// ramp included), and how long they are read.
inline constexpr double DESIGN_RAMP_SECONDS = 0.5;
inline constexpr double DESIGN_SETTLE_SECONDS = 0.75;
inline constexpr double DESIGN_READ_SECONDS = 0.25;

// Builds `lines` in worlds of their own made like `like` (its world setup and density), with
// gravity leaning by `lateralG` of its own strength to the right and then to the left, lets
// each stand with sleeping off while its loads come on, and returns the heaviest joint force
// read, in engine force units; 0 for a structure without joints. The world of `like` is
// untouched. Costs two seconds of simulated time for the structure.
float measureDesignForce(const Simulation& like, const std::vector<Line>& lines, float lateralG);
