#pragma once
// The moment connections' settings a user can type: each must be a finite number above 0
// (a damping ratio at most 1, critical damping). Each returns "" when the value can be
// used, otherwise why not, naming the field.
#include <string>

std::string stiffnessProblem(float kNmPerRad);
std::string dampingRatioProblem(float ratio);
std::string capacityProblem(float kNm);

// Connections designed to code: the design lateral load, as a share of the weight (0 to 2 g,
// past any code's), and the overstrength over the design force (above 0, at most 10).
inline constexpr float MOST_DESIGN_LATERAL_G = 2.0f;
inline constexpr float MOST_OVERSTRENGTH = 10.0f;
std::string designLateralProblem(float g);
std::string overstrengthProblem(float factor);
