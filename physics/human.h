#pragma once
// Ragdoll figures: eleven capsule bones joined by limited, motor-damped, sprung hinges.
#include <raylib.h>

#include "physics/random_int.h"
#include "physics/human_types.h"
#include "physics/structure.h"

inline constexpr float HUMAN_SCALE = 5.0f;

void createHuman(Human& human, b2WorldId worldId, Vector2 position, float scale, float frictionTorque,
                 float hertz, float dampingRatio, int groupIndex, void* userData, bool colorize);
void destroyHuman(Human& human);
// K: a new figure at a world point (the mouse, converted by the caller), raised by a
// random 0-15 units, spun by the next xorshift impulse. Returns the impulse applied to
// the torso.
float dropHuman(Simulation& sim, HumanSpawner& spawner, Vector2 worldPoint, const RandomInt& randomInt);
// The next spin impulse of the xorshift sequence, in [-250, 250].
float nextSpinImpulse(std::uint32_t& spinState);
