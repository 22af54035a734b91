#pragma once
// The ground-motion quake: the ground follows a prescribed horizontal displacement and
// carries the shaking into the structure through its joints and contacts. At rest the
// ground is a static body; while a motion runs it is kinematic, and before every world
// step its velocity is set to the motion's own for that step. The motion's
// clock is the world's: one step of 1/120 s per world step, however long frames take.
#include <cstdint>
#include <string>

#include "physics/joint_loads.h"
#include "physics/world.h"
#include "quake/quake.h"

// Why a ground-motion quake cannot start now ("" when it can).
std::string groundQuakeProblem(const QuakeState& quake);

// The synthetic motion's seed, from everything the quake drew at its start.
std::uint32_t syntheticSeed(const QuakeSeed& seed);
// The motion a quake of this model would run with this seed: synthetic from the
// magnitude, the epicenter's distance from the origin and the duration, or the loaded
// record scaled.
GroundMotion groundMotionFor(const QuakeState& quake, const QuakeSeed& seed);

// Enter in this model: the ground starts following the motion from where it rests; the
// graphs restart with its acceleration (g) and displacement (m). A motion still running
// is stopped first.
void startGroundQuake(QuakeState& quake, const QuakeSeed& seed);
// The same start with the motion given.
void runGroundMotion(QuakeState& quake, GroundMotion motion);
// For the coming world step: the ground's velocity through it, the motion's own in the
// middle of the step with any drift from the planned path taken back slowly (not moving
// while no motion runs).
GroundPath groundPathFor(const QuakeState& quake);
// After a world step: the motion one step on, the graphs' new points; at the end the
// ground is put back at rest where it started.
void groundStepped(QuakeState& quake);
// Stops a running motion at once: the ground static again at its start, joints kept.
void stopGroundQuake(QuakeState& quake);

// The quake duration the user set, also while a motion's own length stands in for it.
float userQuakeDuration(const QuakeState& quake);
// The world the chosen model's structures are built in: standard gravity at the world's
// scale (98.0665 units/s²), base joints that are true pins, and the floor load; the
// classic world otherwise.
WorldSetup worldSetupFor(const GroundMotionSettings& ground);
// Why a quake of the chosen model cannot start on a structure built in this world ("" when
// it can): gravity and base joints change only between runs, with a new build.
std::string worldProblem(const QuakeState& quake, const WorldSetup& built);

// The joint rule in force (the model's own is set in kN and kN s): the ground-motion model's own while it is chosen, otherwise
// the simulation's.
JointRule jointRuleFor(const QuakeState& quake, const Simulation& sim);
