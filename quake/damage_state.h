#pragma once
// The structural damage a storey's peak drift stands for, by the drift thresholds HAZUS
// gives low-rise steel moment frames (S1L) of high-code seismic design: FEMA, Hazus-MH MR5
// Multi-hazard Loss Estimation Methodology, Earthquake Model, Technical Manual, Table 5.9a,
// "average inter-story drift ratio of structural damage states". A storey whose peak drift
// ratio reaches a threshold is in that state; below Slight's it is undamaged.

enum class DamageState { None, Slight, Moderate, Extensive, Complete };

// The drift ratio (a fraction, not a percentage) at which each state begins.
inline constexpr float SLIGHT_DRIFT = 0.006f;
inline constexpr float MODERATE_DRIFT = 0.012f;
inline constexpr float EXTENSIVE_DRIFT = 0.030f;
inline constexpr float COMPLETE_DRIFT = 0.080f;

// The state a peak drift ratio (its size; the sign is ignored) has reached.
DamageState damageStateForDrift(float driftRatio);
// "None", "Slight", "Moderate", "Extensive", "Complete".
const char* damageName(DamageState state);
