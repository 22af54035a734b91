#pragma once
// The user's choice of quake model and the ground-motion model's settings. They belong
// to the running program, not to a design: design files do not hold them.
#include <string>

#include "physics/rest_pose.h"
#include "physics/world_setup.h"
#include "quake/ground_motion.h"

enum class QuakeModel { Classic, GroundMotion };

// A light floor's mass per metre of beam: 1.0 kN/m² (a timber joist floor's 0.5 kN/m² dead
// load and 0.3 of the 1.5 kN/m² residential live load, EN 1990's quasi-permanent share)
// over a 3 m tributary width is 3.0 kN/m, about 300 kg/m.
inline constexpr float DEFAULT_FLOOR_LOAD_KG_PER_M = 300.0f;
inline constexpr float DEFAULT_MODEL_THRESHOLD_KN = 120.0f;
inline constexpr float DEFAULT_MODEL_LIMIT_KNS = 12.0f;
// Moment connections (chosen by measurement so that the README's low-rise frames have
// periods of real ones; see the README, "Moment connections").
inline constexpr float DEFAULT_CONNECTION_STIFFNESS_KNM_PER_RAD = 8000.0f;
inline constexpr float DEFAULT_DAMPING_RATIO = 0.05f;
inline constexpr float DEFAULT_MOMENT_CAPACITY_KNM = 60.0f;
enum class MotionSource { Synthetic, Recorded };

struct GroundMotionSettings {
    QuakeModel model = QuakeModel::Classic;
    MotionSource source = MotionSource::Synthetic;
    std::string recordName;  // file name in records/ of the loaded record; "" when none
    Accelerogram record;     // the loaded record, in g
    float recordScale = 1.0f;
    // The joint rule's settings while this model is chosen (the classic model keeps the
    // simulation's own threshold and limit), in kN and kN s: a joint carries load above the
    // threshold for limit / force seconds before it gives way. Chosen by measurement over
    // designs at five intensities (README, "The quake lab").
    float threshold = DEFAULT_MODEL_THRESHOLD_KN;
    float accumulativeLimit = DEFAULT_MODEL_LIMIT_KNS;
    // Floor mass on every horizontal member, kg per metre of member; 0 leaves the bare frame.
    float floorLoad = DEFAULT_FLOOR_LOAD_KG_PER_M;
    // How members are joined and their feet held (see world_setup.h).
    Connection connection = Connection::Pinned;
    BaseFixity base = BaseFixity::Pinned;
    float stiffness = DEFAULT_CONNECTION_STIFFNESS_KNM_PER_RAD;  // kN m / rad
    float dampingRatio = DEFAULT_DAMPING_RATIO;                  // fraction of critical
    float capacity = DEFAULT_MOMENT_CAPACITY_KNM;                // kN m
};


// The ground motion of the running (or latest) quake of this model.
struct GroundMotionRun {
    GroundMotion motion;
    double time = 0.0;  // seconds into the motion
    bool moving = false;
    GroundSample now{};  // the latest sample applied to the ground
    long steps = 0;      // world steps into the motion; time is steps of STEP_SECONDS
    double planned = 0.0;  // world units the ground has been sent from where it rests
    float groundX = 0.0f;  // where the ground rests, world units; the motion is measured from it
    float groundY = 0.0f;
    // The quake duration the user set, while the motion's own length stands in for it.
    float userDuration = 0.0f;
    bool durationReplaced = false;
    // The structure as it stood when the motion began, taken before its first step.
    RestPose rest;
};
