// In the ground-motion model design decides: with the model's own joint rule a moderate
// synthetic quake (M 6 at 20 km) leaves the braced house standing and brings the same
// house without its storey braces down, and simple structures stand at rest.
#include <gtest/gtest.h>

#include "tools/preset_designs.h"
#include "tools/quake_lab.h"

namespace {

constexpr int SEEDS = 20;

bool slanted(const Line& l) { return l.start.x != l.end.x && l.start.y != l.end.y; }

// The house less its four storey braces; the roof truss stays (without its rafters the
// king post would topple on its own, quake or not).
Design withoutBraces(Design d) {
    const float roofBase = -80.0f;  // row 6
    std::vector<Line> kept;
    for (const Line& l : d.lines) {
        if (!(slanted(l) && l.start.y >= roofBase && l.end.y >= roofBase)) kept.push_back(l);
    }
    d.lines = kept;
    d.name = "hause without braces";
    return d;
}

Line grid(int c1, int r1, int c2, int r2) {
    return Line{{10.0f * c1, -20.0f - 10.0f * r1}, {10.0f * c2, -20.0f - 10.0f * r2}};
}

Design twoBayFrame() {
    Design d = hausePreset();
    d.name = "braced two-bay frame";
    d.lines = {grid(5, 0, 5, 3), grid(8, 0, 8, 3), grid(11, 0, 11, 3), grid(5, 3, 8, 3),
               grid(8, 3, 11, 3), grid(5, 0, 8, 3),  grid(11, 0, 8, 3)};
    return d;
}

Design singlePost() {
    Design d = hausePreset();
    d.name = "single post";
    d.lines = {grid(5, 0, 5, 3)};
    return d;
}

// Fifteen seconds of shaking (the strong phase holds about five), judged ten seconds after
// it ends: an unbraced house that survives the shaking leaning falls in the calm after.
LabSettings moderateQuake() {
    LabSettings s;
    s.magnitude = 6.0f;
    s.distanceKm = 20.0f;
    s.duration = 15.0f;
    s.seconds = 25.0;
    return s;
}

}  // namespace

TEST(DesignDecides, BracedHouseStandsAndUnbracedHouseFallsInAModerateQuake) {
    const Design braced = hausePreset();
    const Design unbraced = withoutBraces(braced);
    ASSERT_EQ(unbraced.lines.size() + 4, braced.lines.size());
    const auto standing = runLabSeeds(braced, moderateQuake(), 1, SEEDS);
    const auto falling = runLabSeeds(unbraced, moderateQuake(), 1, SEEDS);
    EXPECT_GE(standingCount(standing), 18) << labReport(braced, moderateQuake(), standing);
    EXPECT_LE(standingCount(falling), 2) << labReport(unbraced, moderateQuake(), falling);
}

TEST(DesignDecides, SimpleStructuresStandAMinuteAtRest) {
    LabSettings rest;
    rest.quake = false;
    rest.seconds = 60.0;
    for (const Design& d : {hausePreset(), twoBayFrame(), singlePost()}) {
        const LabOutcome outcome = runLab(d, rest, 1);
        EXPECT_TRUE(outcome.standing) << labReport(d, rest, {outcome});
        EXPECT_EQ(outcome.broken, 0) << d.name;
    }
}
