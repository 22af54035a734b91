#pragma once
// How the world is made for the quake model in force: its gravity, what holds a member's
// foot to the ground, and the floor mass horizontal members carry. The defaults are the
// classic world's; the physics layer takes the values and does not know the models.

// The classic world's gravity, world units per second squared towards +y (a tenth of
// standard gravity at 10 units to the metre).
inline constexpr float GRAVITY_Y = 9.80665f;
// The classic base joints' motor: speed 0, this much friction torque (kg * units² / s²).
inline constexpr float GROUND_MOTOR_TORQUE = 10000.0f;

struct WorldSetup {
    float gravityY = GRAVITY_Y;
    // Friction torque of the base joints' motor; 0 makes them free pins.
    float baseMotorTorque = GROUND_MOTOR_TORQUE;
    // Kilograms per metre added to every horizontal member's own mass when built.
    float floorLoadKgPerMetre = 0.0f;
};

// Whether two setups make the same world for a structure already built: gravity and the
// base joints. The floor load counts only when a structure is built.
inline bool sameBuiltWorld(const WorldSetup& a, const WorldSetup& b) {
    return a.gravityY == b.gravityY && a.baseMotorTorque == b.baseMotorTorque;
}
