#pragma once
// Records of the user's structure and of the built (physical) structure.
// World units: 10 per metre, y points down, the ground's upper surface is y = -20.
#include <raylib.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "physics/engine/b2_handles.h"
#include "physics/human_types.h"
#include "physics/world_setup.h"

// One straight member as the user drew it. 16 bytes; the file format relies on the order.
struct Line {
    Vector2 start{0.0f, 0.0f};
    Vector2 end{0.0f, 0.0f};
};
static_assert(sizeof(Line) == 16, "Line is stored as four floats");

// The editor's snap grid: GRID_SIZE x GRID_SIZE points, GRID_SPACING units (one metre) apart.
inline constexpr int GRID_SIZE = 50;
inline constexpr float GRID_SPACING = 10.0f;

// A named snapshot of a structure and of all its settings (design files, presets).
struct Design {
    std::vector<Line> lines;
    std::string name = "none";
    float density = 0.0f;
    float accumulativeLimit = 0.0f;
    float threshold = 0.0f;
    float duration = 0.0f;
    float magnitude = 0.0f;
    Vector2 epicenter{0.0f, 0.0f};
};

inline constexpr Color BEAM_COLOR{0, 121, 241, 255};
inline constexpr float MEMBER_HALF_WIDTH = 0.5f;  // members are 1 unit thick
inline constexpr Color GROUND_COLOR{80, 80, 80, 255};

// The physical form of one built line; the ground uses the same record.
struct Beam {
    b2BodyId body{};
    float halfWidth = MEMBER_HALF_WIDTH;
    float halfLength = 0.0f;
    Color color = BEAM_COLOR;
    bool pinned = false;
    Line line{};
};

inline constexpr std::ptrdiff_t NO_BEAM = -1;

// The load record of one structure joint. References are positions, so they stay
// valid however far the lists grow.
inline constexpr std::size_t NO_RECORD = static_cast<std::size_t>(-1);

struct JointRecord {
    std::ptrdiff_t beam = NO_BEAM;  // index into Simulation::beams for a ground joint
    std::size_t jointSlot = 0;      // index into Simulation::jointSlots
    float accumulated = 0.0f;       // newton-seconds
    float force = 0.0f;             // the size of the joint's force after the last world step
    // A moment connection's spring moment after the last world step (engine torque: k times
    // its turn from rest, body B's angle less body A's, so the sign says which way it bends)
    // and the moment at which it yields; both 0 for a hinge.
    float moment = 0.0f;
    float momentCapacity = 0.0f;
    // Where the joint holds its second body, which never changes: the body and the
    // point in that body's own frame (world units).
    b2BodyId anchorBody{};
    Vector2 anchorLocal{0.0f, 0.0f};
    // The next record whose joint holds the same point of the same second body, or
    // NO_RECORD (set once a structure is built; see shared_anchors.h).
    std::size_t nextSameAnchor = NO_RECORD;
};

// A joint that broke: its load record, and where it was at that moment (world units).
struct BrokenJoint {
    std::size_t record = 0;  // index into Simulation::jointRecords
    Vector2 point{0.0f, 0.0f};
};

// The springs of the moment connections built (see moment_connections.h), engine units;
// all 0 when the structure has none.
struct MomentSprings {
    float stiffness = 0.0f;  // torque per radian of rotation
    float damping = 0.0f;    // torque per radian per second
    float capacity = 0.0f;   // torque at which a connection yields
    double firstPeriod = 0.0;  // seconds, the structure's estimated first natural period
    int subSteps = 1;          // engine steps per world step
};

// The physics-side state; exactly one exists for the whole run.
struct Simulation {
    float accumulativeLimit = 50000.0f;
    float threshold = 1500.0f;
    float lengthUnitsPerMeter = 10.0f;
    std::vector<b2JointId> jointSlots;
    std::vector<Design> presets;
    std::vector<JointRecord> jointRecords;
    std::vector<Beam> beams;
    std::vector<Human> humans;
    b2WorldId worldId{};
    Beam ground{};
    float groundTop = -20.0f;
    float density = 4.0f;
    // The world the structure is built in (see world_setup.h); the classic one by default.
    WorldSetup setup;
    // Whether the world has stepped since the joint forces were last read; while it
    // sleeps they stay as they were, and the load check reuses them.
    bool jointForcesChanged = true;
    std::vector<BrokenJoint> brokenThisFrame;  // the joints the latest load check broke, in record order
    MomentSprings momentSprings;  // of the structure built
    // The heaviest joint force the structure built carries under its weight and a design
    // lateral load (engine force units), when it was measured (see design_force.h); 0 otherwise.
    float designForce = 0.0f;
};
