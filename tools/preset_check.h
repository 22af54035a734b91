#pragma once
// Checks a design the way a user would try it: built and left standing under gravity,
// then built afresh and shaken by a quake of the design's own magnitude and duration.
#include <cstdint>
#include <string>
#include <vector>

#include "physics/structure.h"

struct PresetCheckOptions {
    int gravityFrames = 3600;   // 30 s at 1/120 s per frame
    int settleFrames = 120;     // gravity only, before Enter starts the quake
    std::vector<std::uint32_t> quakeSeeds{1u, 7u, 42u};  // clock seconds handed to the noise
    double fallFraction = 0.5;  // share of the joints that must break in the quake
    float maxStandingDrift = 5.0f;  // world units a member's centre may move under gravity
};

struct QuakeTrial {
    std::uint32_t seed = 0;
    int frames = 0;           // frames the quake ran
    int broken = 0;           // joints broken when it ended
    int firstBreakFrame = -1; // quake frame of the first break, -1 if none
};

struct PresetCheckResult {
    int joints = 0;
    int brokenUnderGravity = 0;
    int firstGravityBreakFrame = -1;
    float gravityDrift = 0.0f;  // largest distance of a member's centre from where it was built
    std::vector<QuakeTrial> quakes;
    bool stands = false;      // no joint broke in the gravity run and nothing sagged
    bool fallsApart = false;  // every quake trial broke the required share of joints
};

PresetCheckResult checkPreset(const Design& design, const PresetCheckOptions& options = {});
// A few lines for people: joints, breaks, frames.
std::string describeCheck(const Design& design, const PresetCheckResult& result);
