#include "physics/design_cost.h"

#include <cmath>

namespace {

// A member's mass as the engine makes it: density times the box's area in world units
// (the engine layer scales the density with the length scale so that this holds). A
// negative or NaN density counts as 0; a mass that is not finite leaves the member unbuilt.
float memberMass(float length, float density) {
    const float usable = density >= 0.0f ? density : 0.0f;
    const float mass = usable * 2.0f * MEMBER_HALF_WIDTH * length;
    return std::isfinite(mass) ? mass : 0.0f;
}

}  // namespace

DesignCost designCost(const std::vector<Line>& lines, float density, float lengthUnitsPerMeter) {
    DesignCost cost;
    cost.lines = lines.size();
    float units = 0.0f;
    for (const Line& line : lines) {
        const float dx = line.end.x - line.start.x;
        const float dy = line.end.y - line.start.y;
        const float length = std::sqrt(dx * dx + dy * dy);  // as the builder measures it
        // Lines the builder skips: non-finite points, or no length.
        if (!std::isfinite(length) || !(length > 0.0f)) continue;
        units += length;
        cost.mass += memberMass(length, density);
    }
    cost.lengthMetres = units / lengthUnitsPerMeter;
    return cost;
}
