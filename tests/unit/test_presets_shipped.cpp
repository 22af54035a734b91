// The presets that come with the program: they load, match their generator, and behave
// as promised under gravity and in their own quake.
#include <gtest/gtest.h>

#include "tools/preset_check.h"
#include "tools/preset_designs.h"
#include "persistence/presets.h"
#include "test_design_file_util.h"

namespace {

bool onGrid(Vector2 p) {
    const float c = p.x / 10.0f;
    const float r = (-20.0f - p.y) / 10.0f;
    return c == static_cast<float>(static_cast<int>(c)) && r == static_cast<float>(static_cast<int>(r)) &&
           c >= 0 && c < 50 && r >= 0 && r < 50;
}

}  // namespace

TEST(PresetsShipped, StartUpReadsHauseThenLightaf) {
    Simulation sim;
    ASSERT_TRUE(loadPreset(sim, "hause", TREMORA_SOURCE_DIR));
    ASSERT_TRUE(loadPreset(sim, "lightaf", TREMORA_SOURCE_DIR));
    ASSERT_EQ(sim.presets.size(), 2u);
    EXPECT_EQ(sim.presets[0].name, "hause");
    EXPECT_EQ(sim.presets[1].name, "lightaf");
    // The files on disk are what the generator writes today.
    EXPECT_TRUE(sameBits(sim.presets[0], hausePreset()));
    EXPECT_TRUE(sameBits(sim.presets[1], lightafPreset()));
    for (const Design& d : sim.presets) {
        EXPECT_FALSE(d.lines.empty());
        bool grounded = false;
        for (const Line& l : d.lines) {
            EXPECT_TRUE(onGrid(l.start) && onGrid(l.end)) << d.name;
            grounded = grounded || l.start.y == -20.0f || l.end.y == -20.0f;
        }
        EXPECT_TRUE(grounded) << d.name;
        EXPECT_LE(d.epicenter.y, 0.0f);
    }
}

TEST(PresetsShipped, StandUnderGravityAndFallApartInTheirQuake) {
    for (const Design& d : {hausePreset(), lightafPreset()}) {
        const PresetCheckResult result = checkPreset(d);
        EXPECT_TRUE(result.stands) << describeCheck(d, result);
        EXPECT_TRUE(result.fallsApart) << describeCheck(d, result);
        for (const QuakeTrial& t : result.quakes) {
            EXPECT_LE(t.frames, static_cast<int>(d.duration * 120.0f) + 2);
        }
    }
}

TEST(PresetsShipped, TheCheckRejectsDesignsThatDoNotBehave) {
    PresetCheckOptions quick;
    quick.gravityFrames = 600;
    quick.quakeSeeds = {1u};

    Design brittle = hausePreset();
    brittle.threshold = 0.0f;
    brittle.accumulativeLimit = 0.0f;
    EXPECT_FALSE(checkPreset(brittle, quick).stands);

    Design unbreakable = hausePreset();
    unbreakable.accumulativeLimit = 1e30f;
    const PresetCheckResult strong = checkPreset(unbreakable, quick);
    EXPECT_TRUE(strong.stands);
    EXPECT_FALSE(strong.fallsApart);

    // A beam drawn in the air with nothing holding it falls to the ground.
    Design loose;
    loose.name = "loose";
    loose.lines = {Line{{200, -20}, {200, -40}}, Line{{100, -70}, {140, -70}}};
    loose.density = 4.0f;
    loose.accumulativeLimit = 1e30f;
    loose.threshold = 1e30f;
    loose.duration = 1.0f;
    loose.magnitude = 1.0f;
    const PresetCheckResult fallen = checkPreset(loose, quick);
    EXPECT_EQ(fallen.brokenUnderGravity, 0);
    EXPECT_GT(fallen.gravityDrift, 40.0f);
    EXPECT_FALSE(fallen.stands);
}
