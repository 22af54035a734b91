#include "ui/ground_motion_panel.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>

#include "physics/build_limits.h"
#include "physics/connection_limits.h"
#include "physics/units.h"
#include "quake/joint_sizing.h"
#include "ui/control_panel.h"

namespace {

// A larger factor gives no real quake: records are read up to 10 g.
constexpr float MAX_RECORD_SCALE = 100.0f;
constexpr std::size_t RECORD_ROWS_SHOWN = 6;
// Far beyond any floor: a hundred tonnes on each metre of beam.
constexpr float MAX_FLOOR_LOAD = 100000.0f;

std::string floorLoadProblem(float load) {
    if (!std::isfinite(load)) return finiteValue(load);
    if (load < 0.0f || load > MAX_FLOOR_LOAD)
        return "the floor load " + shownNumber(load) + " kg/m must be from 0 to " + shownNumber(MAX_FLOOR_LOAD);
    return "";
}

std::string recordScaleProblem(float scale) {
    if (!std::isfinite(scale)) return finiteValue(scale);
    if (scale <= 0.0f || scale > MAX_RECORD_SCALE)
        return "the scale factor " + shownNumber(scale) + " must be above 0 and at most " +
               shownNumber(MAX_RECORD_SCALE);
    return "";
}

// A number with a fixed count of decimals, as the fields show it.
std::string fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

constexpr float SHORT_SHAKING_SECONDS = 10.0f;

template <typename Choice>
void radioChoice(const char* label, Choice& value, Choice choice) {
    if (ImGui::RadioButton(label, value == choice)) value = choice;
}

// The peak the magnitude and the epicenter's distance from the origin give, and what the
// relation had to clamp.
void syntheticSource(const QuakeState& quake) {
    const double magnitude = quake.magnitude;
    const double distanceKm = std::hypot(static_cast<double>(quake.epicenter.x), static_cast<double>(quake.epicenter.y));
    const PgaEstimate estimate = joynerBoorePga(magnitude, distanceKm);
    ImGui::Text("PGA: %.3f g at %.1f km", estimate.pgaG, distanceKm);
    if (estimate.magnitudeUsed != magnitude)
        wrappedText(TEXT_ORANGE, "Magnitude " + fixed(magnitude, 2) + " is outside 5-7.7: the PGA uses " +
                                     fixed(estimate.magnitudeUsed, 2));
    if (estimate.distanceUsedKm != distanceKm)
        wrappedText(TEXT_ORANGE, "Distance " + fixed(distanceKm, 1) + " km is outside 0-100 km: the PGA uses " +
                                     fixed(estimate.distanceUsedKm, 1) + " km");
    // The motion lasts the quake's duration; a few seconds hold too little strong shaking
    // for a structure to show how it fares.
    if (quake.duration < SHORT_SHAKING_SECONDS)
        wrappedText(ImGui::GetStyleColorVec4(ImGuiCol_TextDisabled),
                    "Real shaking lasts 10 s or more: try a Duration of 15 s");
}

void recordedSource(GroundMotionSettings& ground, const RecordListModel& records, const RecordActions& actions,
                    PanelState& panel) {
    ImGui::Text("Records in records/:");
    if (records.files.empty()) {
        ImGui::TextDisabled("none (.AT2 or .csv files)");
    } else {
        // A long folder scrolls inside its box instead of pushing the panel down; the box
        // is as wide as the fields.
        const float rows = static_cast<float>(std::min<std::size_t>(records.files.size(), RECORD_ROWS_SHOWN));
        const float height = rows * ImGui::GetTextLineHeightWithSpacing() + 2.0f * ImGui::GetStyle().FramePadding.y;
        if (ImGui::BeginListBox(RECORD_LIST_ID, ImVec2(FIELD_WIDTH, height))) {
            for (std::size_t i = 0; i < records.files.size(); ++i) {
                const std::string& name = records.files[i];
                ImGui::PushID(static_cast<int>(i));
                const bool pressed = ImGui::Selectable(name.c_str(), name == ground.recordName);
                ImGui::PopID();
                if (pressed && actions.load) panel.recordMessage = actions.load(name);
            }
            ImGui::EndListBox();
        }
    }
    if (ImGui::Button("Refresh list") && actions.refresh) actions.refresh();
    if (!panel.recordMessage.empty()) ImGui::TextWrapped("%s", panel.recordMessage.c_str());
    if (ground.recordName.empty()) {
        ImGui::Text("No record loaded");
    } else {
        ImGui::TextWrapped("Record: %s", ground.recordName.c_str());
        ImGui::Text("Duration: %.2f s  Peak: %.3f g", records.durationSeconds,
                    records.peakG * static_cast<double>(ground.recordScale));
    }
    numberField(panel, "Scale factor:", "##recordScale", ground.recordScale, 0.1f, 1.0f, "%.3f", recordScaleProblem);
}

// How F joins the members and holds their feet, and the spring both moment joints use.
void connectionSettings(GroundMotionSettings& ground, PanelState& panel) {
    ImGui::Text("Connections:");
    radioChoice("Pinned##connections", ground.connection, Connection::Pinned);
    ImGui::SameLine();
    radioChoice("Moment-resisting", ground.connection, Connection::Moment);
    ImGui::Text("Base:");
    radioChoice("Pinned##base", ground.base, BaseFixity::Pinned);
    ImGui::SameLine();
    radioChoice("Fixed", ground.base, BaseFixity::Fixed);
    if (ground.connection == Connection::Pinned && ground.base == BaseFixity::Pinned) return;
    numberField(panel, "Stiffness (kN m/rad):", "##stiffness", ground.stiffness, 500.0f, 5000.0f, "%.0f",
                stiffnessProblem);
    numberField(panel, "Damping ratio (of critical):", "##dampingRatio", ground.dampingRatio, 0.01f, 0.05f, "%.3f",
                dampingRatioProblem);
    numberField(panel, "Moment capacity (kN m):", "##capacity", ground.capacity, 5.0f, 50.0f, "%.1f",
                capacityProblem);
}

// The ground-motion model's own threshold and limit, for every structure alike.
void fixedRuleFields(GroundMotionSettings& ground, PanelState& panel) {
    numberField(panel, "Model accumulative (kN s):", "##modelAccumulative", ground.accumulativeLimit, 1.0f, 10.0f,
                "%.2f", limitProblem);
    numberField(panel, "Model threshold (kN):", "##modelThreshold", ground.threshold, 1.0f, 10.0f, "%.2f",
                thresholdProblem);
}

}  // namespace

void drawQuakeModel(QuakeState& quake, const RecordListModel& records, const RecordActions& actions,
                    PanelState& panel) {
    GroundMotionSettings& ground = quake.ground;
    ImGui::Text("Quake model:");
    radioChoice("Classic", ground.model, QuakeModel::Classic);
    ImGui::SameLine();
    radioChoice("Ground motion", ground.model, QuakeModel::GroundMotion);
    if (ground.model != QuakeModel::GroundMotion) return;

    ImGui::Text("Ground motion from:");
    radioChoice("Synthetic", ground.source, MotionSource::Synthetic);
    ImGui::SameLine();
    const MotionSource before = ground.source;
    radioChoice("Recorded", ground.source, MotionSource::Recorded);
    // The folder is read when the records are asked for, so files added meanwhile show.
    if (before != ground.source && actions.refresh) actions.refresh();
    if (ground.source == MotionSource::Synthetic)
        syntheticSource(quake);
    else
        recordedSource(ground, records, actions, panel);
}

void drawModelJointSettings(QuakeState& quake, const Simulation& sim, PanelState& panel) {
    GroundMotionSettings& ground = quake.ground;
    ImGui::Spacing();
    wrappedText(TEXT_ORANGE, "The ground-motion model breaks joints by these:");
    ImGui::Text("Joint capacity:");
    radioChoice("Designed to code", ground.sizing, JointSizing::ToCode);
    ImGui::SetItemTooltip(
        "Each structure's joints hold the overstrength times the largest force any of them carries under "
        "its weight and the design lateral load, measured when F builds it");
    ImGui::SameLine();
    radioChoice("Fixed##jointCapacity", ground.sizing, JointSizing::Fixed);
    if (ground.sizing == JointSizing::ToCode) {
        numberField(panel, "Design lateral load (g):", "##designLateral", ground.designLateralG, 0.01f, 0.05f, "%.3f",
                    designLateralProblem);
        numberField(panel, "Overstrength:", "##overstrength", ground.overstrength, 0.1f, 0.5f, "%.2f",
                    overstrengthProblem);
        // One short line: the panel's layout stays put when a scroll bar narrows it.
        const double capacity = sizedCapacityKN(ground, sim);
        if (capacity > 0.0) ImGui::Text("This structure: %.1f kN", capacity);
    } else {
        fixedRuleFields(ground, panel);
    }
    // The world's gravity, joints and floor mass are set when F builds the structure.
    char scale[128];
    std::snprintf(scale, sizeof scale, "True scale: 1 g = %.2f m/s^2; floors load horizontal members; joints as chosen (from the next F)",
                  STANDARD_GRAVITY);
    wrappedText(ImGui::GetStyleColorVec4(ImGuiCol_TextDisabled), scale);
    numberField(panel, "Floor load (kg/m):", "##floorLoad", quake.ground.floorLoad, 50.0f, 100.0f, "%.0f",
                floorLoadProblem);
    connectionSettings(quake.ground, panel);
    // Moment connections are designed by their moment capacity; they keep the fixed force rule,
    // shown under them so that nothing above moves when they are chosen.
    const ConnectionSetup chosen{ground.connection, ground.base, 0.0f, 0.0f, 0.0f};
    if (ground.sizing == JointSizing::ToCode && momentResisting(chosen)) {
        ImGui::Text("Their force rule:");
        fixedRuleFields(ground, panel);
    }
}

void drawSwayFactor(const QuakeState& quake, PanelState& panel) {
    if (quake.ground.model != QuakeModel::GroundMotion) return;
    ImGui::Text("Sway view, magnified (1 = as it is):");
    ImGui::PushID("##magnification");
    bool first = true;
    for (int factor : MAGNIFICATIONS) {
        if (!first) ImGui::SameLine();
        first = false;
        radioChoice(std::to_string(factor).c_str(), panel.magnification, factor);
    }
    ImGui::PopID();
}

void drawMotionPeak(const QuakeState& quake) {
    if (quake.ground.model != QuakeModel::GroundMotion) return;
    ImGui::Text("PGA: %.3f g", quake.groundRun.motion.peakG);
}
