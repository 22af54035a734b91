#pragma once
// The simulation part of a frame as the user runs it: pause, single step and slow motion
// decide whether the simulated frame advances, and the failure report and the speed
// meter follow what it did.
#include "app/app_state.h"
#include "app/input.h"
#include "physics/random_int.h"

void runSimulation(AppState& app, const InputSnapshot& in, const RandomInt& randomInt);
