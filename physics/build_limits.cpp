#include "physics/build_limits.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "physics/end_points.h"
#include "physics/world.h"

namespace {

// Mass and rotational inertia of a member of `length` world units as the engine holds
// them (it counts in metres: a member is 0.1 m thick and length / 10 m long).
double engineMass(double density, double length) { return density * length; }
double engineInertia(double density, double length) {
    return engineMass(density, length) * (1.0 + length * length) / 1200.0;
}

const double SHORTEST = GRID_SPACING;
const double LONGEST = std::sqrt(2.0) * GRID_SPACING * (GRID_SIZE - 1);

double lineLength(const Line& line) {
    const double dx = static_cast<double>(line.end.x) - line.start.x;
    const double dy = static_cast<double>(line.end.y) - line.start.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

std::string shownNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string densityProblem(float density) {
    if (density >= MIN_DENSITY && density <= MAX_DENSITY) return "";
    return "the density " + shownNumber(density) + " is outside what members can be built with (" +
           shownNumber(MIN_DENSITY) + " to " + shownNumber(MAX_DENSITY) + " kg/m^2)";
}

namespace {

std::string atLeastZeroProblem(const char* what, float value) {
    if (value >= 0.0f && value <= std::numeric_limits<float>::max()) return "";
    return "the " + std::string(what) + " " + shownNumber(value) + " is not a finite number of at least 0";
}

}  // namespace

std::string thresholdProblem(float threshold) { return atLeastZeroProblem("threshold", threshold); }
std::string limitProblem(float limit) { return atLeastZeroProblem("accumulative limit", limit); }

std::string lineCountProblem(std::uint64_t lines) {
    if (lines <= MAX_MEMBERS) return "";
    return "the design has " + std::to_string(lines) + " lines; at most " + std::to_string(MAX_MEMBERS) +
           " can be built and simulated";
}

bool memberFits(const Line& line, float density) {
    const double length = lineLength(line);
    if (!std::isfinite(length)) return false;
    const double mass = engineMass(density, length);
    const double inertia = engineInertia(density, length);
    return mass >= engineMass(MIN_DENSITY, SHORTEST) && mass <= engineMass(MAX_DENSITY, LONGEST) &&
           inertia >= engineInertia(MIN_DENSITY, SHORTEST) && inertia <= engineInertia(MAX_DENSITY, LONGEST);
}

StructureSize structureSize(const std::vector<Line>& lines, float density, float groundTop) {
    StructureSize size;
    std::vector<Line> members;
    for (const Line& line : lines) {
        if (!memberFits(line, density)) continue;
        ++size.members;
        if (size.members <= MAX_MEMBERS) members.push_back(line);
    }
    if (size.members > MAX_MEMBERS) return size;
    for (const Line& line : members) {
        size.joints += (pinnedPoint(line.start, groundTop) ? 1 : 0) + (pinnedPoint(line.end, groundTop) ? 1 : 0);
    }
    size.joints += countSharedEndPointPairs(members);
    return size;
}

std::string structureProblem(const std::vector<Line>& lines, float density, float groundTop) {
    std::string problem = densityProblem(density);
    if (!problem.empty()) return problem;
    const StructureSize size = structureSize(lines, density, groundTop);
    const std::string limits = "; at most " + std::to_string(MAX_MEMBERS) + " members and " +
                               std::to_string(MAX_JOINTS) + " joints can be simulated";
    if (size.members > MAX_MEMBERS) {
        return "the structure would take " + std::to_string(size.members) + " members" + limits;
    }
    if (size.joints > MAX_JOINTS) {
        return "the structure would take " + std::to_string(size.members) + " members and " +
               std::to_string(size.joints) + " joints" + limits;
    }
    return "";
}
