#pragma once
// The moment connections' settings a user can type: each must be a finite number above 0
// (a damping ratio at most 1, critical damping). Each returns "" when the value can be
// used, otherwise why not, naming the field.
#include <string>

std::string stiffnessProblem(float kNmPerRad);
std::string dampingRatioProblem(float ratio);
std::string capacityProblem(float kNm);
