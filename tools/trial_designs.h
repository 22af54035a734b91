#pragma once
// The designs the ground-motion model's joint rule was chosen on, kept as test data:
// single-storey frames, a three-storey two-bay frame in three bracings, a 20 m tower, a
// 20 m truss bridge on two piers, and the presets; and bare one-bay frames of one and
// three storeys for moment connections. A sound design is one a builder would call so
// with pinned joints: every panel triangulated or braced.
#include <string>
#include <vector>

#include "physics/structure.h"

struct TrialDesign {
    Design design;
    bool sound = false;
};

// A better design and the worse one it is judged against.
struct TrialPair {
    std::string better;
    std::string worse;
};

std::vector<TrialDesign> trialDesigns();
std::vector<TrialPair> trialPairs();
// The named trial design (its name is also its file name), or the hause preset's settings
// with no lines when there is none of that name.
Design trialDesign(const std::string& name);
