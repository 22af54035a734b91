#pragma once
// One simulated frame, written once for every runner of the simulation (the frame
// loop, the preset checker, the benchmark), in this order: the quake (started first
// when asked), a figure dropped where asked, the joint-load check, which reads the
// forces of the previous step, then at most one world step of 1/120 s, after which a
// ground motion's drift is measured.
#include <raylib.h>

#include "physics/human_types.h"
#include "physics/random_int.h"
#include "physics/structure.h"
#include "quake/quake.h"

// What happened in this frame, as plain values.
struct SimFrameEvents {
    float frameTime = 0.0f;      // seconds the frame took: the quake's clock
    bool startQuake = false;     // Enter went down
    double clockSeconds = 0.0;   // seconds since start, seeds a starting quake's noise
    bool dropFigure = false;     // K went down
    Vector2 figurePoint{0.0f, 0.0f};  // where the figure appears, in world coordinates
    // False in a paused frame or one left out at a slow speed: a quake may start and a
    // figure appear, but nothing moves, tires or counts down.
    bool advance = true;
};

// stepAccumulator has already gathered this frame's time (it gathers in the editor
// too) when the frame advances. Returns whether the world stepped.
bool simulateFrame(Simulation& sim, QuakeState& quake, HumanSpawner& spawner, float& stepAccumulator,
                   const SimFrameEvents& events, const RandomInt& randomInt);

// K in the window: a figure at the mouse (window pixels), converted through the camera.
float spawnHuman(Simulation& sim, HumanSpawner& spawner, const Camera2D& camera, Vector2 mouse,
                 const RandomInt& randomInt);
