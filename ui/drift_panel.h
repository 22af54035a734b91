#pragma once
// The ground-motion model's drift in "Quake Status": while a motion runs, the roof drift and
// the largest storey drift now and at their peaks, with each storey's damage state; when
// it ends, the peaks and damage as its summary, until the next quake or a new structure.
// Nothing in the classic model.
#include "quake/quake.h"

void drawDriftReadout(bool simulating, const QuakeState& quake);
