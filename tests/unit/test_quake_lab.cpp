// The quake lab: the same rows on any number of threads, each run shaken at its level,
// and a heading that tells the quake the relation actually used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/lab_args.h"
#include "tools/lab_heading.h"
#include "tools/lab_levels.h"
#include "tools/lab_threads.h"
#include "tools/preset_designs.h"
#include "tools/trial_designs.h"

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

TEST(QuakeLab, ConnectionFlagsReachTheModelsSettingsAndTheHeading) {
    std::vector<std::string> words = {"tremora-lab", "frame.velmar", "--connections", "moment", "--base", "fixed",
                                      "--stiffness", "8000", "--damping", "0.03", "--capacity", "90"};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    LabArguments args;
    ASSERT_EQ(parseLabArguments(static_cast<int>(argv.size()), argv.data(), args), "");
    EXPECT_EQ(args.connection, Connection::Moment);
    EXPECT_EQ(args.base, BaseFixity::Fixed);
    EXPECT_EQ(args.stiffness, 8000.0);
    EXPECT_EQ(args.damping, 0.03);
    EXPECT_EQ(args.capacity, 90.0);

    LabSettings s;
    s.ground.connection = Connection::Moment;
    s.ground.base = BaseFixity::Fixed;
    s.ground.stiffness = 8000.0f;
    s.ground.dampingRatio = 0.03f;
    s.ground.capacity = 90.0f;
    const std::string rule = labRuleText(hausePreset(), s);
    EXPECT_NE(rule.find("moment connections, fixed bases: k 8000 kN m/rad, damping ratio 0.03, capacity 90 kN m"),
              std::string::npos)
        << rule;
}

// A braced portal in a short strong motion: its roof sways, the row says by how much.
TEST(QuakeLab, AGroundMotionRunReportsItsPeakDriftAndDamage) {
    const Design design = trialDesign("portal_braced");
    LabSettings s = labSettingsFor(design);
    s.duration = 3.0f;
    s.seconds = 3.0;
    s.targetPgaG = 0.5;
    const LabOutcome o = runLab(design, s, 1);
    ASSERT_TRUE(o.hasDrift);
    EXPECT_GT(o.peakRoofDrift, 0.0f);
    EXPECT_NEAR(o.peakStoreyDrift, o.peakRoofDrift, 1e-6f) << "one storey: its drift is the roof's";
    EXPECT_EQ(o.worstDamage, damageStateForDrift(o.peakStoreyDrift));
    EXPECT_NE(labRow(o, true).find(fixedDecimals(100.0 * o.peakRoofDrift, 2)), std::string::npos) << labRow(o, true);

    s.model = QuakeModel::Classic;
    EXPECT_FALSE(runLab(design, s, 1).hasDrift) << "no drift in the classic model";
}
