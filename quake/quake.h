#pragma once
// The timed quake: noise-modulated forces on the grounded members.
#include <raylib.h>

#include <vector>

#include "app/input.h"
#include "physics/structure.h"
#include "quake/perlin.h"
#include "quake/plot_ring.h"

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
};

// Reseeds the noise from the clock (seconds since start) and draws the two abscissas.
void startGroundMotion(QuakeState& quake, double timeSeconds, const RandomInt& randomInt);
// Moves both abscissas on by magnitude * 0.001.
void advanceGroundMotion(QuakeState& quake);

// One quake step: Enter (from the input) starts or restarts, then forces and graph points.
void stepQuake(QuakeState& quake, std::vector<Beam>& beams, const InputSnapshot& in,
               const RandomInt& randomInt);
