#pragma once
// Drift: how far each floor of the built structure has swayed relative to the moving
// ground, measured from the pose it had when the ground motion began, as a share of its
// height above the ground (roof drift) and of its storey (storey drift); with the peaks,
// which decide each storey's damage.
//
// A floor is the horizontal members at one level (physics/storeys.h); its displacement is
// the mean, over those members, of how far each body has moved along x since the rest
// pose, less how far the ground has. A member that has come off (its body gone or not a
// finite position, its middle more than COME_OFF_DROP below where it rested, or turned
// more than COME_OFF_TURN from its rest angle) no longer counts: a floor still held by its
// storey does neither until its drift is far past any damage state's. A floor whose
// members have all come off keeps its last displacement, and the storeys it bounds and
// (for the roof) the roof drift stop changing: their peaks stand.
#include <cstddef>
#include <vector>

#include "physics/rest_pose.h"
#include "physics/storeys.h"
#include "physics/structure.h"
#include "quake/damage_state.h"

inline constexpr float COME_OFF_DROP = 5.0f;   // world units (0.5 m)
inline constexpr float COME_OFF_TURN = 0.35f;  // radians (20 degrees)

// One horizontal member of a floor.
struct FloorMember {
    std::size_t level = 0;  // index into DriftTrack::levels
    std::size_t beam = 0;   // index into Simulation::beams
};

struct DriftTrack {
    bool started = false;  // the motion's start has set the floors up
    std::vector<FloorLevel> levels;  // lowest first
    std::vector<FloorMember> members;
    // Per level: its displacement relative to the ground now (world units, + along x), and
    // whether every one of its members has come off.
    std::vector<float> displacement;
    std::vector<bool> lost;
    // Per storey (storey i runs from level i - 1, or the ground, to level i): its drift
    // ratio now (signed) and the largest size it has had.
    std::vector<float> storeyDrift;
    std::vector<float> peakStoreyDrift;
    float roofDrift = 0.0f;  // the top level's displacement over its height, now (signed)
    float peakRoofDrift = 0.0f;
};

// The floors of the structure built in sim, at the start of a motion, with no drift yet.
DriftTrack startDriftTrack(const Simulation& sim);
// After a world step: the floors' displacements from the rest pose, the drifts and peaks.
void updateDrift(DriftTrack& track, const Simulation& sim, const RestPose& rest);

// The largest storey drift ratio now (by size) and the largest any storey has had; 0
// without storeys.
float largestStoreyDrift(const DriftTrack& track);
float largestPeakStoreyDrift(const DriftTrack& track);
// Each storey's damage from its peak drift, and the worst of them (None without storeys).
DamageState storeyDamage(const DriftTrack& track, std::size_t storey);
DamageState worstDamage(const DriftTrack& track);
