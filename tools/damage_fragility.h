#pragma once
// A sweep's damage fragility: at each level, the share of runs whose worst storey reached
// each damage state (quake/damage_state.h; a collapse counts as Complete), with the
// lognormal curve of each state fitted as the collapse curve is (tools/fragility.h).
#include <string>
#include <vector>

#include "quake/damage_state.h"
#include "tools/fragility.h"
#include "tools/lab_output.h"

struct DamageFragility {
    DamageState state = DamageState::Slight;
    std::vector<FragilityLevel> levels;  // FragilityLevel::collapsed counts the runs that reached the state
    FragilityFit fit;
};

// One entry per state from Slight to Complete; none when no run measured drift (the
// classic model, or a design without floors).
std::vector<DamageFragility> damageFragility(const LabResults& results);

// The text table and fits, "" when there are none.
std::string damageFragilityTable(const LabResults& results);
