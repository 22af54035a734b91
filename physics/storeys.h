#pragma once
// The storeys of a drawing: its floor levels are the heights of its horizontal members
// above the ground (members lying in the ground zone are footings, not floors).
#include <vector>

#include "physics/structure.h"

struct FloorLevel {
    float y = 0.0f;       // world y of the level's horizontal members
    float height = 0.0f;  // world units above the ground's surface
};

// Every distinct floor level of the lines, lowest first.
std::vector<FloorLevel> floorLevels(const std::vector<Line>& lines, float groundTop);

// Storey i runs from level i - 1 (the ground for i = 0) up to level i; its height in
// world units.
float storeyHeight(const std::vector<FloorLevel>& levels, std::size_t storey);
