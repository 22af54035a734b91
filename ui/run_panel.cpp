#include "ui/run_panel.h"

#include <imgui.h>

#include <algorithm>

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
        if (ImGui::RadioButton(choice.label, model.slowdown == choice.slowdown) && actions.setSlowdown)
            actions.setSlowdown(choice.slowdown);
    }
    if (simulating && model.speedMeasured)
        ImGui::Text("Simulated/clock time: %.2f", static_cast<double>(model.speedRatio));
    else
        ImGui::Text("Simulated/clock time: -");
}

void failureReport(const FailureReport& report) {
    ImGui::Text("%s", firstBreakText(report).c_str());
    ImGui::Text("%s", jointsBrokenText(report).c_str());
    ImGui::Text("%s", peakForceText(report).c_str());
    if (!report.quakeSummary.empty()) ImGui::TextWrapped("%s", report.quakeSummary.c_str());
}

}  // namespace

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
    if (ImGui::Button("Replay") && actions.replay) {
        const CommandReply reply = actions.replay(typedName(state.seedBuffer, sizeof state.seedBuffer));
        state.message = reply.message;
        state.replayRunning = reply.done;
        state.replayedSeed = seedNumber(quake.seed);
    }
    if (!state.message.empty()) ImGui::TextWrapped("%s", state.message.c_str());
}
