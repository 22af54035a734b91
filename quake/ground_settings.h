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
// How the joint rule's capacity is set in this model. ToCode: a structure's connections are
// all of one size, designed as a building code designs a braced frame: for the heaviest force
// any of them carries under its weight plus a lateral load of designLateralG times its weight
// (the equivalent lateral force), with the code's overstrength on top (see the README, "Joint
// capacity"); never smaller than one M12 bolt of grade 4.6 in single shear (EN 1993-1-8,
// Table 3.4: 0.6 x 400 MPa x 84.3 mm² / 1.25 = 16.2 kN). A connection gives way after carrying
// more than its capacity for the time the fixed defaults hold (120 kN for 0.1 s).
// Fixed: the threshold and limit as set, the same for every structure.
enum class JointSizing { ToCode, Fixed };
// ASCE 7-16: Cs = SDS / (R / Ie) = 0.5 g / 3.25 for an ordinary steel concentrically braced
// frame (Table 12.2-1, R = 3.25) where SDS = 0.5 g; that table's overstrength factor is 2.
inline constexpr float DEFAULT_DESIGN_LATERAL_G = 0.15f;
inline constexpr float DEFAULT_OVERSTRENGTH = 2.0f;
inline constexpr float SMALLEST_CONNECTION_KN = 16.2f;
inline constexpr float SIZED_HOLD_SECONDS = DEFAULT_MODEL_LIMIT_KNS / DEFAULT_MODEL_THRESHOLD_KN;
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
    // Whether connections are designed to code (the threshold and limit above then stand
    // aside), for what lateral load (g, taken when F builds) and with what overstrength.
    JointSizing sizing = JointSizing::ToCode;
    float designLateralG = DEFAULT_DESIGN_LATERAL_G;
    float overstrength = DEFAULT_OVERSTRENGTH;
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
