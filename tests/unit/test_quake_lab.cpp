// The quake lab: the same rows on any number of threads, each run shaken at its level,
// and a heading that tells the quake the relation actually used.
#include <gtest/gtest.h>

#include "tools/lab_heading.h"
#include "tools/lab_levels.h"
#include "tools/lab_threads.h"
#include "tools/preset_designs.h"

TEST(QuakeLab, TwoThreadsGiveTheRowsOfOneInSeedOrderAndEachRunItsLevel) {
    const Design design = hausePreset();
    LabSweep sweep;
    sweep.base = labSettingsFor(design);
    sweep.base.duration = 4.0f;
    sweep.base.seconds = 3.0;
    // A joint rule weak enough for these short runs to break joints, so the rows differ.
    sweep.base.ground.threshold = 15.0f;      // kN
    sweep.base.ground.accumulativeLimit = 1.0f;  // kN s
    sweep.sweep = true;
    sweep.levels = {0.3, 1.2};  // g
    const std::vector<LabJob> jobs = labJobs(sweep.levels.size(), 1, 3);

    const std::vector<LabOutcome> serial = runLabJobs(design, sweep, jobs, 1);
    const std::vector<LabOutcome> parallel = runLabJobs(design, sweep, jobs, 2);
    ASSERT_EQ(serial.size(), jobs.size());
    ASSERT_EQ(parallel.size(), jobs.size());
    int broken = 0;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_EQ(labRow(parallel[i], true), labRow(serial[i], true)) << "run " << i;
        EXPECT_EQ(parallel[i].peakJointForce, serial[i].peakJointForce) << "run " << i;
        EXPECT_EQ(parallel[i].seed, jobs[i].seed);
        EXPECT_NEAR(serial[i].pgaG, sweep.levels[jobs[i].level], 1e-9);
        broken += serial[i].broken;
    }
    EXPECT_GT(broken, 0) << "no run broke a joint, so the rows compare little";
}

TEST(QuakeLab, HeadingGivesTheMagnitudeDistanceAndPgaTheRelationUsed) {
    LabSettings s;
    s.magnitude = 3.0f;
    s.distanceKm = 400.0f;
    const std::string clamped = labQuakeText(s);
    EXPECT_NE(clamped.find("M 5.0 (asked 3, the relation's lower bound)"), std::string::npos) << clamped;
    EXPECT_NE(clamped.find("at 100 km (asked 400, the relation's upper bound)"), std::string::npos) << clamped;
    EXPECT_NE(clamped.find("PGA 0.0"), std::string::npos) << clamped;

    s.magnitude = 6.5f;
    s.distanceKm = 10.0f;
    EXPECT_EQ(labQuakeText(s).find("asked"), std::string::npos) << labQuakeText(s);
}
