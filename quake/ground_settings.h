#pragma once
// The user's choice of quake model and the ground-motion model's settings. They belong
// to the running program, not to a design: design files do not hold them.
#include <string>

#include "quake/ground_motion.h"

enum class QuakeModel { Classic, GroundMotion };
enum class MotionSource { Synthetic, Recorded };

struct GroundMotionSettings {
    QuakeModel model = QuakeModel::Classic;
    MotionSource source = MotionSource::Synthetic;
    std::string recordName;  // file name in records/ of the loaded record; "" when none
    Accelerogram record;     // the loaded record, in g
    float recordScale = 1.0f;
    // The joint rule's settings while this model is chosen (the classic model keeps the
    // simulation's own threshold and limit). A joint holds about one and a half times the
    // largest force a member's weight puts on a joint of the shipped house at rest (5,800),
    // and gives way after carrying more for a fraction of a second (9,000 for 0.55 s).
    float threshold = 9000.0f;
    float accumulativeLimit = 5000.0f;
};

// The ground motion of the running (or latest) quake of this model.
struct GroundMotionRun {
    GroundMotion motion;
    double time = 0.0;  // seconds into the motion
    bool moving = false;
    GroundSample now{};  // the latest sample applied to the ground
    long steps = 0;      // world steps into the motion; time is steps of STEP_SECONDS
    float groundX = 0.0f;  // where the ground rests, world units; the motion is measured from it
    float groundY = 0.0f;
    // The quake duration the user set, while the motion's own length stands in for it.
    float userDuration = 0.0f;
    bool durationReplaced = false;
};
