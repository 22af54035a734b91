#pragma once
// Moment connections: members that meet are welded, and a fixed base welds feet to the
// ground, the angle between the two bodies held by a rotational spring with damping. Past
// the moment capacity the connection turns as a hinge carrying that moment (elastic,
// perfectly plastic): its spring's rest angle moves along, so the moment stays at the
// capacity. Its joint still tires and breaks by the joint rule as a hinge does.
#include <vector>

#include "physics/engine/b2layer.h"
#include "physics/structure.h"

// From sim.setup and the members about to be joined: the springs' stiffness, damping and
// capacity, the structure's first period and the engine steps per world step, all in
// sim.momentSprings. Settings that make no spring (a stiffness or capacity not finite and
// above 0) leave hinges. The damping is stiffness-proportional, c = a1 k with
// a1 = 2 zeta / w1 (every mode n then has zeta_n = a1 wn / 2), less the share the engine's
// implicit spring adds by itself, about one engine step's duration times k.
void planMomentSprings(Simulation& sim, const std::vector<Line>& lines);
// Whether members that meet are welded, and whether feet are.
bool weldsMembers(const Simulation& sim);
bool weldsFeet(const Simulation& sim);

// A moment connection between two bodies at the given anchors (world units, each in its
// body's frame), resting at the angle they stand at now; null when the engine refuses it.
b2JointId createMomentConnection(const Simulation& sim, b2BodyId a, b2BodyId b, b2Vec2 localA, b2Vec2 localB,
                                 bool collideConnected);

// After every engine step: each moment connection's moment, and yielding where it would
// pass the capacity.
void updateMomentConnections(Simulation& sim);
