#pragma once
// The timed quake: noise-modulated forces on the grounded members.
#include <raylib.h>

#include <string>
#include <vector>

#include "physics/random_int.h"
#include "physics/structure.h"
#include "quake/drift.h"
#include "quake/ground_settings.h"
#include "quake/perlin.h"
#include "quake/plot_ring.h"
#include "quake/quake_seed.h"

struct QuakeState {
    float duration = 4.0f;
    float elapsed = 0.0f;
    float magnitude = 4.0f;
    bool active = false;
    float noiseOffsetX = 0.0f;
    float noiseOffsetY = 0.0f;
    Vector2 epicenter{0.0f, 0.0f};  // kilometres
    b2BodyId groundBody{};
    PlotRingBuffer graphX = makePlotRingBuffer(2000);
    PlotRingBuffer graphY = makePlotRingBuffer(2000);
    Vector2 lastAmplitude{0.0f, 0.0f};
    PerlinNoise noise = makePerlinNoise();
    // What the latest quake drew at its start; hasSeed once any quake has started.
    QuakeSeed seed{};
    bool hasSeed = false;
    Vector2 lastMean{0.0f, 0.0f};  // the mean force of the latest step (the graphs' newest point)
    GroundMotionSettings ground;   // the model chosen, and the ground-motion model's settings
    GroundMotionRun groundRun;     // that model's running motion
    // The floors' drift in that model's latest motion, kept after it ends until the next
    // one or a new structure.
    DriftTrack drift;
};

// The largest amplitude, and the largest force component, the quake hands to the engine
// (force units). The amplitude reaches it at about magnitude 13 at the epicenter (magnitude
// 12 gives 1.8e11) and overflows to infinity past about 23; beyond the bound the shaking
// saturates. Members already move at the engine's top speed well below it, while forces
// far above it make the engine's speed check overflow and stop them dead, and piled-up
// forces near the float limit turn positions into NaN.
inline constexpr float QUAKE_FORCE_LIMIT = 1.0e12f;

// Why a quake of this magnitude cannot shake anything ("" when it can): a magnitude
// that is not a finite number pushes nothing, and below 0 the push is too weak to move
// a member.
std::string magnitudeProblem(float magnitude);

// The longest quake, and how far the epicenter may lie from the origin on either axis.
// An hour is far beyond any real quake's shaking; at 1000 km even the strongest push the
// engine takes fades below any effect (by e^-65.7), so a farther epicenter only hides a
// typing slip.
inline constexpr float MAX_QUAKE_SECONDS = 3600.0f;
inline constexpr float MAX_EPICENTER_KM = 1000.0f;

// Why a quake of this duration cannot run ("" when it can): not a number, or outside
// 0 to MAX_QUAKE_SECONDS (one that does not end, or ends before it starts).
std::string durationProblem(float duration);
// Why this epicenter cannot be used ("" when it can), naming the coordinate: each must
// be a number within MAX_EPICENTER_KM.
std::string epicenterProblem(Vector2 epicenter);

// What Enter draws: the clock's whole seconds (seconds since start) as the noise's seed,
// then the two abscissas from the random source, x first.
QuakeSeed drawQuakeSeed(double timeSeconds, const RandomInt& randomInt);
// Reseeds the noise from the clock (seconds since start) and draws the two abscissas.
void startGroundMotion(QuakeState& quake, double timeSeconds, const RandomInt& randomInt);
// Moves both abscissas on by magnitude * 0.001.
void advanceGroundMotion(QuakeState& quake);

// Enter: reseeds the noise from the clock, clears the graphs and sets the quake going.
// The elapsed time is kept, so Enter during a quake restarts the noise and graphs only.
// Both starts run the model chosen in quake.ground.model.
void startQuake(QuakeState& quake, double timeSeconds, const RandomInt& randomInt);
// The same start with a seed kept from an earlier quake or typed in: the same seed, the
// same ground motion.
void startQuakeWithSeed(QuakeState& quake, const QuakeSeed& seed);
// One quake frame of frameTime seconds: forces on the grounded members and the graph
// points; nothing while no quake runs, nor while the ground-motion model's ground moves
// (that goes with the world's steps, see ground_quake.h).
void stepQuake(QuakeState& quake, std::vector<Beam>& beams, float frameTime);
