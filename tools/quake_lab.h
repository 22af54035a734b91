#pragma once
// The quake lab: a design built in a fresh world, left to settle, then shaken (or left at
// rest) for a while, frame by frame as the program runs it, with the clock and the random
// numbers fixed by a seed. It tells how many joints broke, when the first did, and whether
// the structure still stands.
#include <cstdint>
#include <string>
#include <vector>

#include "physics/structure.h"
#include "quake/damage_state.h"
#include "quake/ground_settings.h"

struct LabSettings {
    QuakeModel model = QuakeModel::GroundMotion;
    bool quake = true;  // false: the design is only left standing
    float magnitude = 6.0f;
    float distanceKm = 20.0f;  // the epicenter's distance from the origin
    float duration = 15.0f;    // seconds of shaking (a synthetic motion's length)
    double settleSeconds = 1.0;  // under gravity alone before Enter
    double seconds = 25.0;       // from Enter (or from the end of settling) to the verdict
    GroundMotionSettings ground{};  // the ground-motion model's joint rule and source
    // Above 0, in the ground-motion model: the motion (synthetic or recorded) scaled as a
    // whole so that its peak ground acceleration is this many g (a sweep's level).
    double targetPgaG = 0.0;
    bool sleeping = true;  // false: no member may fall asleep, so a slow creep shows
    // The design force of the design's connections (see joint_sizing.h) when already known,
    // the same for every run of one design and settings; negative: each run measures it.
    float designForce = -1.0f;
};

// The lab's settings for a design: its own magnitude, epicenter distance and duration.
LabSettings labSettingsFor(const Design& design);

// A member counts as fallen when one of its ends is this far below where it was built
// (2 m); a structure stands while none has fallen and under a fifth of its joints broke.
inline constexpr float FALLEN_DROP = 20.0f;
inline constexpr double BROKEN_SHARE_FOR_COLLAPSE = 0.2;

struct LabOutcome {
    std::uint32_t seed = 0;
    int joints = 0;
    int broken = 0;
    double firstBreakSeconds = -1.0;  // after Enter (negative while settling); -1 when none broke
    bool anyBroken = false;
    float peakJointForce = 0.0f;  // the largest force a joint carried from Enter on (force units)
    float largestDrop = 0.0f;  // world units the lowest-fallen member end is below where it was built
    bool standing = false;
    double pgaG = 0.0;  // the peak ground acceleration of the motion run, g (ground-motion model)
    // In the ground-motion model, for a design with floors (quake/drift.h): the peak roof
    // drift ratio, the largest peak storey drift ratio, and the worst storey's damage.
    bool hasDrift = false;
    float peakRoofDrift = 0.0f;
    float peakStoreyDrift = 0.0f;
    DamageState worstDamage = DamageState::None;
    // The capacity of the structure's connections when designed to code (kN); 0 otherwise.
    double jointCapacityKN = 0.0;
};

// The design force each run of the design with these settings would measure, measured once.
float labDesignForce(const Design& design, const LabSettings& settings);
// One run of the design with this seed: Enter's clock reads seed seconds, and the random
// numbers come from a fixed sequence started by the seed.
LabOutcome runLab(const Design& design, const LabSettings& settings, std::uint32_t seed);
// Runs for seeds first, first + 1, ..., first + count - 1.
std::vector<LabOutcome> runLabSeeds(const Design& design, const LabSettings& settings, std::uint32_t first,
                                    int count);
int standingCount(const std::vector<LabOutcome>& outcomes);

// The lab's printout: a heading, a row per seed, and how many stood.
std::string labReport(const Design& design, const LabSettings& settings, const std::vector<LabOutcome>& outcomes);
// The printout's table: a header line, a line per run, and how many stood.
std::string labRowsText(const std::vector<LabOutcome>& outcomes, bool ground);
// One run's line of that table.
std::string labRow(const LabOutcome& outcome, bool ground);

// The damage state a run counts as having reached in a fragility: its worst storey's,
// and Complete when it collapsed, however far its floors had swayed before they came off.
DamageState damageReached(const LabOutcome& outcome);

// A joint force as the lab shows it: kN in the ground-motion model, the engine's own units
// in the classic one.
double labForceShown(float force, bool ground);
// The value with this many decimals, as the lab prints numbers ("0.25").
std::string fixedDecimals(double value, int decimals);
