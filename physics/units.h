#pragma once
// World units and SI in one place. The engine speaks world units, 10 to the metre, told to
// the physics layer at its edge; everything shown to a user or printed by the lab passes
// through these conversions, so no bare "* 10" or "/ 9.80665" stands anywhere else.
//
// Mass is the engine's own kilogram: the engine layer scales a shape's density so that a
// member's mass is its density times its area in world units (a 1 m member 1 unit thick
// at density 4 weighs 40 kg). A force crossing the layer is therefore kg * units / s², a
// tenth of a newton.

inline constexpr float UNITS_PER_METRE = 10.0f;

// Standard gravity, m/s² (3rd CGPM, 1901): one g.
inline constexpr double STANDARD_GRAVITY = 9.80665;

inline constexpr double metresFromUnits(double units) { return units / UNITS_PER_METRE; }
inline constexpr double unitsFromMetres(double metres) { return metres * UNITS_PER_METRE; }

// Accelerations: g and world units per second squared at true scale (1 g = 98.0665 units/s²).
inline constexpr double unitsPerSecond2FromG(double g) { return unitsFromMetres(g * STANDARD_GRAVITY); }
inline constexpr double gFromUnitsPerSecond2(double a) { return metresFromUnits(a) / STANDARD_GRAVITY; }

// Forces: the engine's kg * units / s² and newtons.
inline constexpr double newtonsFromEngineForce(double force) { return metresFromUnits(force); }
inline constexpr double engineForceFromNewtons(double newtons) { return unitsFromMetres(newtons); }
inline constexpr double kilonewtonsFromEngineForce(double force) { return newtonsFromEngineForce(force) / 1000.0; }
inline constexpr double engineForceFromKilonewtons(double kilonewtons) { return engineForceFromNewtons(kilonewtons * 1000.0); }

// Torques: the engine's kg * units² / s² and newton-metres (a hundredth of one).
inline constexpr double newtonMetresFromEngineTorque(double torque) { return metresFromUnits(metresFromUnits(torque)); }
inline constexpr double engineTorqueFromNewtonMetres(double newtonMetres) {
    return unitsFromMetres(unitsFromMetres(newtonMetres));
}
inline constexpr double kilonewtonMetresFromEngineTorque(double torque) {
    return newtonMetresFromEngineTorque(torque) / 1000.0;
}
inline constexpr double engineTorqueFromKilonewtonMetres(double kilonewtonMetres) {
    return engineTorqueFromNewtonMetres(kilonewtonMetres * 1000.0);
}
