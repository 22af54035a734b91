#include "quake/damage_state.h"

#include <cmath>

DamageState damageStateForDrift(float driftRatio) {
    const float drift = std::fabs(driftRatio);
    if (drift >= COMPLETE_DRIFT) return DamageState::Complete;
    if (drift >= EXTENSIVE_DRIFT) return DamageState::Extensive;
    if (drift >= MODERATE_DRIFT) return DamageState::Moderate;
    if (drift >= SLIGHT_DRIFT) return DamageState::Slight;
    return DamageState::None;  // also a drift that is not a number
}

const char* damageName(DamageState state) {
    switch (state) {
        case DamageState::Slight: return "Slight";
        case DamageState::Moderate: return "Moderate";
        case DamageState::Extensive: return "Extensive";
        case DamageState::Complete: return "Complete";
        case DamageState::None: break;
    }
    return "None";
}
