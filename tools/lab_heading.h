#pragma once
// The lab's heading: the quake a run actually gets, after the ground-motion relation's
// clamps (saying so), with the peak ground acceleration it comes to, and the joint rule.
#include <string>

#include "physics/structure.h"
#include "tools/quake_lab.h"

// "at rest", "classic, M 6.0 at 20 km, 15 s", or for the ground-motion model
// "ground motion, M 5.0 (asked 3, the relation's lower bound) at 20 km, PGA 0.055 g, 15 s",
// "ground motion, record FILE x 1.5, PGA 0.312 g, 40 s", and with a target PGA
// "ground motion, M 6.0 at 20 km scaled to PGA 0.300 g, 15 s".
std::string labQuakeText(const LabSettings& settings);
// "joint threshold 9000, limit 5000; verdict 25 s after Enter", and in the ground-motion
// model with its floor load and connections before the joint rule; connections designed to
// code give their lateral load and overstrength, and their capacity when known.
std::string labRuleText(const Design& design, const LabSettings& settings, double capacityKN = 0.0);
// The quake's length in seconds: the record's own for a record, otherwise the duration.
double labQuakeSeconds(const LabSettings& settings);
// The peak ground acceleration the settings give, in g (0 in the classic model or at rest).
double labPgaG(const LabSettings& settings);
