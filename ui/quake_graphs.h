#pragma once
// The "Fun With Graphs" section of the control panel: over the last moments of the
// running or the latest quake, the mean horizontal and vertical ground force per beam, or in the ground-motion
// model the ground's acceleration (g) and displacement (m).
#include "quake/quake.h"

// Draws the section; needs a current plot context (see ui/plot_widget.h).
void drawQuakeGraphs(const QuakeState& quake);
