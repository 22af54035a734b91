#pragma once
// The editor's rigidity check: the result stays on show, members that can move tinted,
// until the drawing changes.
#include <string>
#include <vector>

#include "physics/rigidity.h"
#include "physics/structure.h"

struct RigidityCheck {
    bool shown = false;
    std::vector<Line> checked;  // the drawing the result belongs to
    RigidityResult result;
};

void runRigidityCheck(RigidityCheck& check, const std::vector<Line>& lines, float groundTop);
// Drops the result once the drawing is no longer the one checked.
void forgetChangedRigidity(RigidityCheck& check, const std::vector<Line>& lines);
// What the panel says about the result ("" when none is shown).
std::string rigiditySummary(const RigidityCheck& check);
