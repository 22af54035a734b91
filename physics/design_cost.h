#pragma once
// What a design costs: its lines, their total length, and the mass its members get when
// built at a given density, as the panel shows it while the user draws.
#include <cstddef>
#include <vector>

#include "physics/structure.h"

struct DesignCost {
    std::size_t lines = 0;
    float lengthMetres = 0.0f;
    float mass = 0.0f;  // kilograms, the sum of what b2Body_GetMass gives for the built members
};

DesignCost designCost(const std::vector<Line>& lines, float density, float lengthUnitsPerMeter);
