#pragma once
// How the world is made for the quake model in force: its gravity, what holds a member's
// foot to the ground, and the floor mass horizontal members carry. The defaults are the
// classic world's; the physics layer takes the values and does not know the models.

// The classic world's gravity, world units per second squared towards +y (a tenth of
// standard gravity at 10 units to the metre).
inline constexpr float GRAVITY_Y = 9.80665f;
// The classic base joints' motor: speed 0, this much friction torque (kg * units² / s²).
inline constexpr float GROUND_MOTOR_TORQUE = 10000.0f;

// How members that share an end point are joined, and how their feet hold to the ground.
// Pinned: hinges (the classic joints). Moment: the angle between the members is held by a
// rotational spring of stiffness k with damping, up to a moment capacity, past which the
// connection yields as a hinge would. A Fixed base holds a foot to the ground with the
// same spring; a Pinned base is a hinge.
enum class Connection { Pinned, Moment };
enum class BaseFixity { Pinned, Fixed };

struct ConnectionSetup {
    Connection connection = Connection::Pinned;
    BaseFixity base = BaseFixity::Pinned;
    float stiffnessKNmPerRad = 0.0f;  // k of each moment connection, kN m per radian
    float dampingRatio = 0.0f;        // fraction of critical in the frame's first mode
    float capacityKNm = 0.0f;         // moment at which a connection yields, kN m
};

inline bool sameConnections(const ConnectionSetup& a, const ConnectionSetup& b) {
    return a.connection == b.connection && a.base == b.base && a.stiffnessKNmPerRad == b.stiffnessKNmPerRad &&
           a.dampingRatio == b.dampingRatio && a.capacityKNm == b.capacityKNm;
}

struct WorldSetup {
    float gravityY = GRAVITY_Y;
    // Friction torque of the base joints' motor; 0 makes them free pins.
    float baseMotorTorque = GROUND_MOTOR_TORQUE;
    // Kilograms per metre added to every horizontal member's own mass when built.
    float floorLoadKgPerMetre = 0.0f;
    // Pinned joints and pinned feet unless the ground-motion model asks for more.
    ConnectionSetup connections;
};

// Whether two setups make the same world for a structure already built: gravity and the
// base joints and connections. The floor load counts only when a structure is built.
inline bool sameBuiltWorld(const WorldSetup& a, const WorldSetup& b) {
    return a.gravityY == b.gravityY && a.baseMotorTorque == b.baseMotorTorque &&
           sameConnections(a.connections, b.connections);
}
