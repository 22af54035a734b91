#pragma once
// Frames of the tests' own, built in the ground-motion model's world and shaken there, with
// the roof's sway read relative to the moving ground: what the structural-dynamics checks
// measure. Metres, seconds, kilograms and newtons throughout.
#include <cstddef>
#include <functional>
#include <vector>

#include "app/sim_frame.h"
#include "physics/rest_pose.h"
#include "physics/structure.h"
#include "quake/quake.h"

// The ground-motion model with moment connections and the base given; the other settings
// at their defaults.
GroundMotionSettings momentSettings(BaseFixity base);

// A ground motion from an acceleration history in g, sampled every dt for `seconds`
// (integrated from rest, no baseline correction: it may end moving).
GroundMotion motionOf(const std::function<double(double)>& accelerationG, double seconds, double dt = 0.005);
// A ground acceleration of aG raised over rampSeconds (half a cosine, without a jolt), held
// for holdSeconds and then let go at once, the ground coasting on for freeSeconds: the
// frame leans by the static drift under aG while it is held and then sways freely from it.
GroundMotion heldThenLetGo(double aG, double rampSeconds, double holdSeconds, double freeSeconds);

// The world with one built frame; nothing in it ever sleeps, so slow decay shows.
struct SwayWorld {
    Simulation sim;
    QuakeState quake;
    HumanSpawner spawner;
    float accumulator = 0.0f;
    RestPose rest;           // where the structure stood when the latest measurement began
    double utilisation = 0;  // the largest |moment| / capacity of any connection seen so far

    SwayWorld(const std::vector<Line>& lines, const GroundMotionSettings& settings);
    ~SwayWorld();
    SwayWorld(const SwayWorld&) = delete;
    SwayWorld& operator=(const SwayWorld&) = delete;

    // One simulated frame of one step.
    void step();
    // Lets the frame sag under its own weight for `seconds`, then takes the rest pose.
    void settle(double seconds);
    // The roof's (the last member's, see makeFrame) sideways displacement from the rest
    // pose, less the ground's own, metres.
    double roofDrift() const;
    // Runs the motion for `seconds` from the ground's start (or to the motion's end when
    // sooner) and returns the roof drift after every step.
    std::vector<double> drive(const GroundMotion& motion, double seconds);
};

// The mean period of a sampled oscillation (samples dt apart) from its upward zero
// crossings, found by straight-line interpolation; 0 with fewer than two.
double zeroCrossingPeriod(const std::vector<double>& u, double dt);
// The damping ratio from the logarithmic decrement of the first `cycles` cycles' positive
// peaks (Chopra, Dynamics of Structures, section 2.2); 0 without that many.
double logDecrementDamping(const std::vector<double>& u, int cycles);
// The largest |u| of samples from..to (indices, to excluded).
double peakAbs(const std::vector<double>& u, std::size_t from, std::size_t to);
