#pragma once
// World units and SI in one place. The engine speaks world units, 10 to the metre, told to
// the physics layer at its edge; everything shown to a user or printed by the lab passes
// through these conversions, so no bare "* 10" or "/ 9.80665" stands anywhere else.

inline constexpr float UNITS_PER_METRE = 10.0f;

// Standard gravity, m/s² (3rd CGPM, 1901): one g.
inline constexpr double STANDARD_GRAVITY = 9.80665;

inline constexpr double metresFromUnits(double units) { return units / UNITS_PER_METRE; }
inline constexpr double unitsFromMetres(double metres) { return metres * UNITS_PER_METRE; }
