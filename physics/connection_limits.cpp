#include "physics/connection_limits.h"

#include <limits>

#include "physics/build_limits.h"

namespace {

std::string aboveZeroProblem(const char* what, float value, float most) {
    if (value > 0.0f && value <= most) return "";
    return "the " + std::string(what) + " " + shownNumber(value) + " is not a finite number above 0";
}

}  // namespace

std::string stiffnessProblem(float kNmPerRad) {
    return aboveZeroProblem("connection stiffness", kNmPerRad, std::numeric_limits<float>::max());
}

std::string dampingRatioProblem(float ratio) {
    if (ratio > 1.0f && ratio <= std::numeric_limits<float>::max()) {
        return "the damping ratio " + shownNumber(ratio) + " is above 1 (critical damping)";
    }
    return aboveZeroProblem("damping ratio", ratio, 1.0f);
}

std::string capacityProblem(float kNm) {
    return aboveZeroProblem("moment capacity", kNm, std::numeric_limits<float>::max());
}

std::string designLateralProblem(float g) {
    if (g >= 0.0f && g <= MOST_DESIGN_LATERAL_G) return "";
    return "the design lateral load " + shownNumber(g) + " g must be from 0 to " + shownNumber(MOST_DESIGN_LATERAL_G) +
           " g";
}

std::string overstrengthProblem(float factor) {
    if (factor > 0.0f && factor <= MOST_OVERSTRENGTH) return "";
    return "the overstrength " + shownNumber(factor) + " must be above 0 and at most " + shownNumber(MOST_OVERSTRENGTH);
}
