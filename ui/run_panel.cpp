#include "ui/run_panel.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/control_panel.h"

namespace {

struct SpeedChoice {
    const char* label;
    int slowdown;
};
constexpr SpeedChoice SPEED_CHOICES[] = {{"1x", 1}, {"1/2x", 2}, {"1/4x", 4}};

void call(const std::function<void()>& action) {
    if (action) action();
}

// As wide as its longer label, so that Step and the speeds beside it stay where they are
// when it turns from Pause to Resume.
float pauseButtonWidth() {
    const float text = std::max(ImGui::CalcTextSize("Pause").x, ImGui::CalcTextSize("Resume").x);
    return text + 2.0f * ImGui::GetStyle().FramePadding.x;
}

void pauseAndStep(bool simulating, const RunModel& model, const RunActions& actions) {
    // Greyed in the editor rather than left out, so the row looks the same in every state.
    ImGui::BeginDisabled(!simulating);
    if (ImGui::Button(model.paused ? "Resume###pause" : "Pause###pause", ImVec2(pauseButtonWidth(), 0.0f)))
        call(actions.togglePause);
    ImGui::SameLine();
    ImGui::BeginDisabled(!model.paused);
    if (ImGui::Button("Step")) call(actions.step);
    ImGui::EndDisabled();
    ImGui::EndDisabled();
    for (const SpeedChoice& choice : SPEED_CHOICES) {
        ImGui::SameLine();
        if (ImGui::RadioButton(choice.label, !model.realTime && model.slowdown == choice.slowdown) &&
            actions.setSlowdown)
            actions.setSlowdown(choice.slowdown);
    }
    // Real time and the readout share a row, so the section is no taller than before.
    if (ImGui::RadioButton("Real time", model.realTime)) call(actions.setRealTime);
    ImGui::SameLine();
    ImGui::Text("%s", speedReadout(simulating, model).c_str());
    const std::string dropped = droppedStepsReadout(simulating, model);
    if (!dropped.empty()) wrappedText(TEXT_ORANGE, dropped);
}

const char* speedName(const RunModel& model) {
    if (model.realTime) return "real time";
    for (const SpeedChoice& choice : SPEED_CHOICES)
        if (choice.slowdown == model.slowdown) return choice.label;
    return "?";
}

void failureReport(const FailureReport& report) {
    ImGui::Text("%s", firstBreakText(report).c_str());
    ImGui::Text("%s", jointsBrokenText(report).c_str());
    ImGui::Text("%s", peakForceText(report).c_str());
    if (!report.quakeSummary.empty()) ImGui::TextWrapped("%s", report.quakeSummary.c_str());
}

// The seed box takes its text when Enter is pressed or the box is left, like the number
// fields: text that is not a seed is replaced by the last one taken.
void takeTypedSeed(RunPanelState& state) {
    const std::string typed = typedName(state.seedBuffer, sizeof state.seedBuffer);
    if (typed.find_first_not_of(" \t") == std::string::npos || parseSeed(typed)) {
        state.keptSeed = typed;
        state.seedRefusal.clear();
        return;
    }
    state.seedRefusal = "Refused: \"" + typed + "\" is not a seed (a whole number from 0 to " + std::to_string(MAX_SEED_NUMBER) + "); kept " +
                        (state.keptSeed.empty() ? "the blank box" : "\"" + state.keptSeed + "\"");
    std::snprintf(state.seedBuffer, sizeof state.seedBuffer, "%s", state.keptSeed.c_str());
}

}  // namespace

std::string speedReadout(bool simulating, const RunModel& model) {
    char ratio[32] = "-";
    if (simulating && model.speedMeasured) std::snprintf(ratio, sizeof ratio, "%.2f", static_cast<double>(model.speedRatio));
    const char* gate = model.realTime ? "" : " gate";
    return std::string(speedName(model)) + gate + ": " + ratio + " sim/clock";
}

std::string droppedStepsReadout(bool simulating, const RunModel& model) {
    if (!simulating || !model.realTime || !model.speedMeasured || model.droppedSteps <= 0) return "";
    return "Frames too slow for real time: " + std::to_string(model.droppedSteps) +
           " steps dropped in the last second";
}

void drawPausedMark(bool simulating, const RunModel& model) {
    if (!simulating || !model.paused) return;
    ImGui::SameLine();
    ImGui::TextColored(TEXT_ORANGE, "PAUSED");
}

void drawRunControls(bool simulating, const RunModel& model, const RunActions& actions) {
    pauseAndStep(simulating, model, actions);
}

void drawFailureReport(bool simulating, const RunModel& model) {
    if (!simulating) return;
    ImGui::Spacing();
    failureReport(model.report);
}

void drawReplay(const QuakeState& quake, const RunActions& actions, RunPanelState& state) {
    if (state.replayRunning && (!quake.active || seedNumber(quake.seed) != state.replayedSeed)) {
        state.replayRunning = false;
        state.message.clear();
    }
    if (quake.hasSeed)
        ImGui::Text("Quake seed: %llu", static_cast<unsigned long long>(seedNumber(quake.seed)));
    else
        ImGui::Text("Quake seed: none yet");
    ImGui::Text("Seed to replay (blank: the latest):");
    ImGui::SetNextItemWidth(FIELD_WIDTH);
    ImGui::InputText("##seed", state.seedBuffer, sizeof state.seedBuffer);
    if (ImGui::IsItemDeactivatedAfterEdit()) takeTypedSeed(state);
    if (!state.seedRefusal.empty()) wrappedText(TEXT_ORANGE, state.seedRefusal);
    if (ImGui::Button("Replay") && actions.replay) {
        const CommandReply reply = actions.replay(typedName(state.seedBuffer, sizeof state.seedBuffer));
        state.message = reply.message;
        state.replayRunning = reply.done;
        state.replayedSeed = seedNumber(quake.seed);
    }
    if (!state.message.empty()) ImGui::TextWrapped("%s", state.message.c_str());
}
