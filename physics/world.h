#pragma once
// The physics world, its ground, building lines into members and joints, stepping, clearing.
#include <vector>

#include "physics/structure.h"
#include "physics/time_step.h"

void initSimulation(Simulation& sim);
// The world for the next structure: its gravity at once, base joints and floor load when
// built. Called between runs, never while a quake moves anything.
void setWorldSetup(Simulation& sim, const WorldSetup& setup);
void buildStructure(Simulation& sim, std::vector<Line> lines);
void pinToGround(Simulation& sim, std::size_t beamIndex);
void joinBeams(Simulation& sim, std::size_t first, std::size_t second);
// Takes one fixed step when more than 1/120 s has gathered; returns whether it stepped.
// With moment connections built the step is several engine steps (sim.momentSprings), and
// a force applied before it acts in the first of them only: the classic quake, the one
// model that pushes members, never runs on such a structure.
bool stepWorld(Simulation& sim, float& stepAccumulator);

// How a moving (kinematic) ground goes through the coming step, in world units per second.
struct GroundPath {
    bool moving = false;
    Vector2 velocity{};  // the ground's velocity over the whole step
};
// The same step; while the ground moves, its velocity is set before the step. The change
// of speed reaches the structure within the step, so the joint forces read after it carry
// the inertial load.
bool stepWorld(Simulation& sim, float& stepAccumulator, const GroundPath& ground);
void clearStructure(Simulation& sim);
// Bodies the world still moves; 0 once everything has come to rest (or before a build).
int awakeBodies(const Simulation& sim);
// A fresh world and ground in place of the old ones, the structure and figures gone with
// it; settings and presets stay. The engine's results depend on the world's history
// (creation order, contacts, sleeping), so a run repeated in a fresh world repeats exactly.
void renewWorld(Simulation& sim);
void destroySimulation(Simulation& sim);

// A member's joint to the ground holds the member this far (world units) below its end
// point at the ground's surface, so the member stands that much above the surface.
inline constexpr float PIN_ANCHOR_OFFSET = 0.5f;
// The density a line is built at: horizontal members also carry the floor load.
float memberDensity(const Simulation& sim, const Line& line);

// Whether an end point lies in the ground zone, where it is pinned to the ground.
bool pinnedPoint(Vector2 p, float groundTop);
// Whether every body of the world (ground, members, figures) has a finite position,
// rotation and velocity; an unstable step leaves some of them not a number.
bool worldIsFinite(const Simulation& sim);
