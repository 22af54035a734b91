#pragma once
// The first natural period of a structure with moment connections, estimated from its
// drawing when it is built; the connections' damping is set from it.
#include <vector>

#include "physics/structure.h"

// Seconds, from the lines as the world `sim` would build them (its ground, density, floor
// load and connections). Members are rigid, their joints hold their end points together,
// and the only give is the rotational springs of the moment connections (and of a fixed
// base). Floors (see storeys.h) move sideways and the members between them turn as a
// parallelogram: a vertical member from a level at height za to one at zb turns by
// (ub - ua) / (zb - za), an inclined one ties its two levels together, a horizontal one
// only translates. Each spring's energy and each member's translation and rotation give
// a small stiffness and mass matrix over the floors, whose lowest eigenvalue is the first
// mode's. 0 when this finds no period: no floors, or a floor nothing holds (a mechanism).
// Gravity's P-delta softening is left out: under 1% of the period at the default settings.
double shearFramePeriodSeconds(const Simulation& sim, const std::vector<Line>& lines);

// The approximate fundamental period of a steel moment frame of the drawing's height h
// above the ground: Ta = 0.0724 h^0.8 seconds, h in metres (ASCE 7-16, eq. 12.8-7 with
// Table 12.8-2), h taken as at least 1 m.
double approximatePeriodSeconds(const std::vector<Line>& lines, float groundTop);

// The shear-frame period, or the approximate one where that finds none.
double firstPeriodSeconds(const Simulation& sim, const std::vector<Line>& lines);
