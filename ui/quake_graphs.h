#pragma once
// The "Fun With Graphs" section of the control panel: the mean horizontal and
// vertical ground force per beam over the last moments of a running quake.
#include "quake/quake.h"

// Draws the section; needs a current plot context (see ui/plot_widget.h).
void drawQuakeGraphs(const QuakeState& quake);
