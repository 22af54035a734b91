#pragma once
// The ground-motion model in the control panel: the model and source choice, the
// synthetic quake's peak acceleration, the records to load with their scale, the model's
// own joint threshold and limit, floor load and connections, and the sway view's factor.
#include <functional>
#include <string>
#include <vector>

#include "physics/structure.h"
#include "quake/quake.h"

struct PanelState;

// The id of the box that lists the records (its entries are pushed by index).
inline constexpr const char* RECORD_LIST_ID = "##records";

// What the program tells the panel about the records/ folder and the loaded record.
struct RecordListModel {
    std::vector<std::string> files;  // the record files, by name
    double durationSeconds = 0.0;    // the loaded record's
    double peakG = 0.0;              // the loaded record's largest |acceleration|, unscaled
};

// The commands on records the panel hands to the program.
struct RecordActions {
    std::function<void()> refresh;  // lists records/ afresh
    // Loads a record by file name; returns the message to show under the list.
    std::function<std::string(const std::string& name)> load;
};

// At the end of "Quake Settings": the model, and with the ground-motion model its source
// and what that source gives.
void drawQuakeModel(QuakeState& quake, const RecordListModel& records, const RecordActions& actions,
                    PanelState& panel);
// At the end of "Joint Settings" while the ground-motion model is chosen: its joint rule,
// which the joint check uses instead of the fields above (connections designed to code, with
// their design lateral load, overstrength and the built structure's capacity; or a fixed
// threshold and limit in kN and kN s), and the
// floor load and connections (pinned or moment-resisting, pinned or fixed base, and the
// moment joints' stiffness, damping ratio and capacity) its structures are built with.
void drawModelJointSettings(QuakeState& quake, const Simulation& sim, PanelState& panel);
// At the end of "Quake Status" while the ground-motion model is chosen: the sway view's
// factor, at hand while a quake runs.
void drawSwayFactor(const QuakeState& quake, PanelState& panel);
// After the time remaining of a running quake in the ground-motion model: its peak acceleration.
void drawMotionPeak(const QuakeState& quake);

