#pragma once
// A ground motion made larger or smaller as a whole: the way a sweep over intensities
// brings one history (synthetic or recorded) to each peak ground acceleration it asks for.
#include "quake/ground_motion.h"

// The motion with every acceleration multiplied so that its peak is peakG, integrated
// afresh (it still ends at rest, as scaling keeps the baseline correction). A motion
// without any acceleration, or a peak that is not a positive finite number, gives the
// motion unchanged.
GroundMotion scaledToPeak(const GroundMotion& motion, double peakG);
