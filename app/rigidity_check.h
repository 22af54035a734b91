#pragma once
// The editor's rigidity check: the result stays on show, members that can move tinted,
// until the drawing or the way F would join it changes.
#include <string>
#include <vector>

#include "physics/rigidity.h"
#include "physics/structure.h"

struct AppState;

struct RigidityCheck {
    bool shown = false;
    std::vector<Line> checked;  // the drawing the result belongs to
    ConnectionSetup joints;     // and how F would join it: connections and base
    RigidityResult result;
};

// C or the panel's button: the editor's lines as F would build them with the settings now
// chosen (the ground-motion model's connections and base; hinges and pins otherwise).
void checkEditorRigidity(AppState& app);
// Each editor frame: forgets a check that no longer matches the drawing or the settings.
void forgetStaleRigidity(AppState& app);
// What the panel says about the result ("" when none is shown).
std::string rigiditySummary(const RigidityCheck& check);
