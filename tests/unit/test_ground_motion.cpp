// The synthetic quake and recorded motions: peak, envelope, seed, and ending at rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "quake/ground_motion.h"

namespace {

double peakOf(const std::vector<double>& v) {
    double peak = 0.0;
    for (double x : v) peak = std::max(peak, std::fabs(x));
    return peak;
}

// The motion ends where it started, still: final velocity and displacement are tiny
// beside their peaks.
void expectEndsAtRest(const GroundMotion& m) {
    ASSERT_FALSE(m.accelerationG.empty());
    EXPECT_LT(std::fabs(m.velocity.back()), 1e-9 * peakOf(m.velocity));
    EXPECT_LT(std::fabs(m.displacement.back()), 1e-9 * peakOf(m.displacement));
}

double rms(const std::vector<double>& a, double dt, double from, double to) {
    double sum = 0.0;
    int count = 0;
    for (std::size_t i = static_cast<std::size_t>(from / dt); i < a.size() && i * dt < to; ++i, ++count) sum += a[i] * a[i];
    return std::sqrt(sum / count);
}

}  // namespace

TEST(JoynerBoore, FollowsTheRelationAndSaysWhenClamped) {
    const double r = std::sqrt(20.0 * 20.0 + 64.0);
    const PgaEstimate m6 = joynerBoorePga(6.0, 20.0);
    EXPECT_NEAR(m6.pgaG, std::pow(10.0, 0.43 - std::log10(r) - 0.0027 * r), 1e-15);
    EXPECT_FALSE(m6.clamped);
    EXPECT_NEAR(joynerBoorePga(7.0, 0.0).pgaG, std::pow(10.0, 0.43 + 0.23 - std::log10(8.0) - 0.0216), 1e-15);

    EXPECT_TRUE(joynerBoorePga(9.0, 20.0).clamped);
    // Above the range the relation holds at 7.7, worked by hand: 0.43 + 0.23 x 1.7 = 0.821.
    EXPECT_NEAR(joynerBoorePga(9.0, 20.0).pgaG, std::pow(10.0, 0.821 - std::log10(r) - 0.0027 * r), 1e-12);
    EXPECT_EQ(joynerBoorePga(6.0, 500.0).distanceUsedKm, 100.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PgaEstimate odd = joynerBoorePga(nan, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(odd.clamped);
    EXPECT_TRUE(std::isfinite(odd.pgaG));
    EXPECT_TRUE(std::isfinite(joynerBoorePga(6.0, nan).pgaG));
}

TEST(SyntheticQuake, PeaksAtTheRelationsAccelerationAndEndsAtRest) {
    for (const auto& [magnitude, distance] : {std::pair{6.0, 20.0}, {7.0, 10.0}, {5.0, 80.0}}) {
        const GroundMotion m = synthesizeGroundMotion({magnitude, distance, 20.0, 7});
        const double pga = joynerBoorePga(magnitude, distance).pgaG;
        EXPECT_DOUBLE_EQ(m.peakG, pga);
        EXPECT_DOUBLE_EQ(peakOf(m.accelerationG), pga);
        EXPECT_DOUBLE_EQ(m.peakDisplacement, peakOf(m.displacement));
        EXPECT_NEAR(motionDuration(m), 20.0, 1e-9);
        expectEndsAtRest(m);
    }
}

TEST(SyntheticQuake, EnvelopeRisesHoldsAndDecays) {
    const double duration = 40.0;
    // Half-way up the rise (0.075 of the duration) a t^2 rise stands at a quarter; the
    // hold is 1; half-way down the decay the level is sqrt(0.05).
    EXPECT_NEAR(quakeEnvelope(3.0, duration), 0.25, 1e-12);
    EXPECT_EQ(quakeEnvelope(15.0, duration), 1.0);
    EXPECT_NEAR(quakeEnvelope(30.0, duration), std::sqrt(0.05), 1e-12);
    const GroundMotion m = synthesizeGroundMotion({6.0, 20.0, duration, 3});
    const double early = rms(m.accelerationG, m.dt, 0.0, 2.0);
    const double rising = rms(m.accelerationG, m.dt, 4.0, 6.0);
    const double strong1 = rms(m.accelerationG, m.dt, 8.0, 13.0);
    const double strong2 = rms(m.accelerationG, m.dt, 14.0, 19.0);
    const double decaying = rms(m.accelerationG, m.dt, 28.0, 33.0);
    const double late = rms(m.accelerationG, m.dt, 36.0, 40.0);
    EXPECT_LT(early, 0.2 * strong1);
    EXPECT_LT(early, rising);
    EXPECT_LT(rising, strong1);
    EXPECT_NEAR(strong1 / strong2, 1.0, 0.35);
    EXPECT_LT(decaying, 0.6 * strong2);
    EXPECT_LT(late, decaying);
}

TEST(SyntheticQuake, SeedDecidesTheHistory) {
    const GroundMotion a = synthesizeGroundMotion({6.0, 20.0, 10.0, 42});
    EXPECT_EQ(a.accelerationG, synthesizeGroundMotion({6.0, 20.0, 10.0, 42}).accelerationG);
    EXPECT_NE(a.accelerationG, synthesizeGroundMotion({6.0, 20.0, 10.0, 43}).accelerationG);
}

TEST(SyntheticQuake, OddDurationsGiveNoneOrACappedMotion) {
    for (double d : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(synthesizeGroundMotion({6.0, 20.0, d, 1}).accelerationG.empty());
    }
    EXPECT_LE(motionDuration(synthesizeGroundMotion({6.0, 20.0, 1e12, 1})), 600.0);
}

TEST(RecordedMotion, EndsAtRestAndKeepsThePeak) {
    // A record with a steady offset and a half-sine pulse: integrated raw it would drift away.
    Accelerogram record;
    record.dt = 0.005;
    for (int i = 0; i <= 2000; ++i) {
        const double t = i * record.dt;
        record.accelerationG.push_back(0.02 + (t > 3 && t < 4 ? 0.3 * std::sin(3.14159265358979 * (t - 3)) : 0.0));
    }
    const GroundMotion m = groundMotionFromRecord(record, 2.0);
    ASSERT_EQ(m.accelerationG.size(), record.accelerationG.size());
    EXPECT_EQ(m.dt, record.dt);
    EXPECT_NEAR(m.peakG, 0.6, 0.06);
    expectEndsAtRest(m);

    EXPECT_TRUE(groundMotionFromRecord({}, 1.0).accelerationG.empty());
    EXPECT_TRUE(groundMotionFromRecord({0.0, {0.1, 0.2}}, 1.0).accelerationG.empty());
}

TEST(RecordedMotion, SamplesInterpolateAndRestOutside) {
    GroundMotion m;
    m.dt = 0.5;
    m.accelerationG = {0.0, 1.0, 3.0};
    m.velocity = {0.0, 2.0, 4.0};
    m.displacement = {0.0, -1.0, 1.0};
    const GroundSample s = sampleGroundMotion(m, 0.75);
    EXPECT_DOUBLE_EQ(s.accelerationG, 2.0);
    EXPECT_DOUBLE_EQ(s.velocity, 3.0);
    EXPECT_DOUBLE_EQ(s.displacement, 0.0);
    EXPECT_DOUBLE_EQ(sampleGroundMotion(m, 1.0).displacement, 1.0);
    for (double t : {-0.1, 1.01, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(sampleGroundMotion(m, t).displacement, 0.0);
        EXPECT_EQ(sampleGroundMotion(m, t).accelerationG, 0.0);
    }
}
