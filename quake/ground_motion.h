#pragma once
// A prescribed horizontal ground motion: acceleration in g, velocity and displacement in
// world units at true scale (1 g is 98.0665 units/s², see physics/units.h), sampled every
// dt seconds. Built from a synthetic quake (magnitude and distance) or from a recorded
// accelerogram, always ending at rest.
#include <cstdint>
#include <vector>

// An accelerogram as read: accelerations in g, one every dt seconds.
struct Accelerogram {
    double dt = 0.0;
    std::vector<double> accelerationG;
};

struct GroundMotion {
    double dt = 0.01;                   // seconds between samples
    std::vector<double> accelerationG;  // g
    std::vector<double> velocity;       // world units per second
    std::vector<double> displacement;   // world units, from the start position
    double peakG = 0.0;                 // largest |acceleration|, g
    double peakDisplacement = 0.0;      // largest |displacement|, world units
};

struct GroundSample {
    double accelerationG = 0.0;
    double velocity = 0.0;
    double displacement = 0.0;
};

// Seconds from the first sample to the last.
double motionDuration(const GroundMotion& motion);
// The motion at t seconds, linearly interpolated; at rest (all zero) before 0 and after the end.
GroundSample sampleGroundMotion(const GroundMotion& motion, double t);
// The motion's velocity at t seconds, world units per second, exact for the acceleration
// running straight from sample to sample (as the integration takes it); 0 outside the motion.
// Its difference over an interval is the acceleration's integral over it.
double groundVelocityAt(const GroundMotion& motion, double t);

// Peak ground acceleration of the randomly oriented horizontal component (Joyner & Boore
// 1988), with the magnitude clamped to 5..7.7 and the distance to 0..100 km first.
struct PgaEstimate {
    double pgaG = 0.0;
    double magnitudeUsed = 0.0;
    double distanceUsedKm = 0.0;
    bool clamped = false;  // the magnitude or the distance was outside the formula's range
};
PgaEstimate joynerBoorePga(double magnitude, double distanceKm);

// A synthetic quake: Kanai-Tajimi filtered white noise under a build-up, strong-phase and
// decay envelope over the duration, scaled to the Joyner-Boore peak, corrected so the
// ground ends at rest. The same seed gives the same history.
struct SyntheticQuake {
    double magnitude = 6.0;
    double distanceKm = 20.0;
    double durationSeconds = 10.0;
    std::uint32_t seed = 0;
};
GroundMotion synthesizeGroundMotion(const SyntheticQuake& quake);

// A recorded accelerogram multiplied by scale, integrated to velocity and displacement
// with a baseline correction so the ground ends at rest.
GroundMotion groundMotionFromRecord(const Accelerogram& record, double scale);

// The accelerations less a baseline, so that integrated from rest they end at rest: a
// half-cosine taper over the first and last 5 % (at most 0.5 s) of the record, less a
// tapered straight line c0 + c1 t whose coefficients zero the final velocity and
// displacement of the trapezoid integration. Non-finite values count as zero; empty when
// there are no samples or dt is not positive.
std::vector<double> baselineCorrected(const std::vector<double>& accelerationG, double dt);
// Accelerations in g integrated from rest (trapezoid rule) to velocity and displacement
// in world units, with the peaks filled in.
GroundMotion integratedMotion(std::vector<double> accelerationG, double dt);
// The synthetic quake's envelope at t seconds of a quake lasting duration: rises as t^2
// over the first 15 %, holds at 1 to half the duration, then decays exponentially to 0.05
// at the end; 0 outside the quake.
double quakeEnvelope(double t, double duration);
