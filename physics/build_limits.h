#pragma once
// What the engine can build and step: the densities members can have, and how large a
// structure may grow before a frame takes too long. Checked before anything is built.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "physics/structure.h"

// Densities (kg/m^2) with which every member the grid allows gets a finite, positive
// mass and rotational inertia (and finite inverses) in the engine. Below about 3.5e-39
// the engine's inertia of the shortest member rounds to zero or less and it aborts;
// above about 3e32 the longest member's inertia overflows. The bounds keep a margin.
inline constexpr float MIN_DENSITY = 1.0e-38f;
inline constexpr float MAX_DENSITY = 1.0e32f;

// The largest structure F builds. Past these a frame takes around half a second or
// more and building it about as long (see the benchmark), so it is refused instead.
inline constexpr std::size_t MAX_MEMBERS = 20000;
inline constexpr std::uint64_t MAX_JOINTS = 100000;

// Why members cannot be built with this density ("" when they can).
std::string densityProblem(float density);

// Why a joint threshold or accumulative limit cannot be used ("" when it can): each is a
// number of at least 0. A threshold that is not a number never counts a load, so no joint
// would ever break; a negative limit breaks every joint in the first frame.
std::string thresholdProblem(float threshold);
std::string limitProblem(float limit);

// Why a design of this many lines cannot be taken in ("" when it can): more lines than
// F builds members would only slow every frame down, drawn and never simulated.
std::string lineCountProblem(std::uint64_t lines);

// Whether a line makes a member whose mass and inertia lie within those of the grid's
// members at the density bounds: finite points, not too short, not too long.
bool memberFits(const Line& line, float density);

struct StructureSize {
    std::size_t members = 0;
    std::uint64_t joints = 0;
};

// Members and joints buildStructure would make from these lines; counted without
// building, in time n log n. Past MAX_MEMBERS members the joints are not counted (0).
StructureSize structureSize(const std::vector<Line>& lines, float density, float groundTop);

// Why these lines cannot be built with this density ("" when they can): the density,
// then the size of the structure.
std::string structureProblem(const std::vector<Line>& lines, float density, float groundTop);

// A number as the messages show it ("%g").
std::string shownNumber(double value);
