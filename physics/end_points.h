#pragma once
// Finding the members that share an end point, by hashing the end points: time in
// proportion to the lines plus the pairs found, never to the square of the lines.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "physics/structure.h"

// The pairs (i, j), i < j, of lines sharing an end point in any of the four ways a hinge
// is made, ordered by i and then by j: the order in which the joints are created. Lines
// whose points are not finite, or whose two points are equal, share with nothing.
std::vector<std::pair<std::size_t, std::size_t>> sharedEndPointPairs(const std::vector<Line>& lines);

// The number of such pairs, without listing them (n log n for any number of pairs).
std::uint64_t countSharedEndPointPairs(const std::vector<Line>& lines);
