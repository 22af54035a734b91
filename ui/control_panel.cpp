#include "ui/control_panel.h"

#include <imgui.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "physics/build_limits.h"
#include "ui/popup_clicks.h"
#include "ui/quake_graphs.h"

namespace {

const ImVec4 TEXT_RED{1.0f, 0.0f, 0.0f, 1.0f};
const ImVec4 TEXT_GREY{0.5f, 0.5f, 0.5f, 1.0f};
const ImVec4 TEXT_LIGHT_BLUE{0.5f, 0.8f, 1.0f, 1.0f};

constexpr float PANEL_WIDTH = 300.0f;
constexpr float PANEL_HEIGHT = 850.0f;
constexpr float PANEL_ALPHA = 0.85f;

void gap() {
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
}

// A button that is greyed out and does nothing while `enabled` is false.
void commandButton(const char* label, bool enabled, const std::function<void()>& command) {
    ImGui::BeginDisabled(!enabled);
    if (ImGui::Button(label) && command) command();
    ImGui::EndDisabled();
}

// Always in view: undo, redo and the design's size, which follow every stroke.
void drawingBar(const PanelModel& model, const PanelActions& actions) {
    commandButton("Undo", model.canUndo, actions.undo);
    ImGui::SameLine();
    commandButton("Redo", model.canRedo, actions.redo);
    ImGui::SameLine();
    ImGui::Text("Lines: %zu", model.cost.lines);
    ImGui::Text("Length: %.1f m  Mass: %.1f kg", static_cast<double>(model.cost.lengthMetres),
                static_cast<double>(model.cost.mass));
}

void quakeStatus(const PanelModel& model, const PanelActions& actions) {
    if (!ImGui::CollapsingHeader("Quake Status")) return;
    // First, so that the buttons stay put whatever the lines below say.
    drawRunControls(model.simulating, model.run, actions.run);
    ImGui::Spacing();
    ImGui::Text("Current Mode:");
    ImGui::SameLine();
    if (model.simulating)
        ImGui::TextColored(TEXT_RED, "SIMULATION");
    else if (model.deleteMode)
        ImGui::TextColored(TEXT_GREEN, "DELETE");
    else
        ImGui::TextColored(TEXT_GREEN, "PLACING");
    ImGui::Spacing();
    ImGui::Text("Status:");
    ImGui::SameLine();
    const QuakeState& quake = model.quake;
    if (quake.active) {
        ImGui::TextColored(TEXT_RED, "ACTIVE");
        drawPausedMark(model.simulating, model.run);
        ImGui::Text("Time Remaining: %.2f s", quake.duration - quake.elapsed);
        drawMotionPeak(quake);
        // A duration of 0 or less ends the quake at its next step; show it as done.
        const float fraction = quake.duration > 0.0f ? quake.elapsed / quake.duration : 1.0f;
        ImGui::ProgressBar(fraction, ImVec2(-1.0f, 0.0f));
    } else {
        ImGui::TextColored(TEXT_GREY, "INACTIVE");
        drawPausedMark(model.simulating, model.run);
        ImGui::Text("Nothing to See Here");
    }
    drawFailureReport(model.simulating, model.run);
}

void controlsList() {
    if (!ImGui::CollapsingHeader("Controls")) return;
    ImGui::TextColored(TEXT_LIGHT_BLUE, "Controls:");
    ImGui::Text("Movement : W A S D ");
    ImGui::Text("Start: F");
    ImGui::Text("Reset : G");
    ImGui::Text("Toggle Place: H");
    ImGui::Text("Reset Camera: R");
    ImGui::Text("Clear All Lines: J");
    ImGui::Text("Human: K");
    ImGui::Text("Typing Mode: Backslash");
    ImGui::Text("Start Quake: Enter");
    ImGui::Text("Undo: Ctrl+Z");
    ImGui::Text("Redo: Ctrl+Shift+Z or Ctrl+Y");
    ImGui::Text("Move Point: Shift+Drag");
    ImGui::Text("Pause / Step: P / N");
    ImGui::Text("Slower / Faster: [ / ]");
}

void quakeSettings(QuakeState& quake, const RecordListModel& records, const PanelActions& actions,
                   PanelState& panel) {
    if (!ImGui::CollapsingHeader("Quake Settings")) return;
    float epicenter[2] = {quake.epicenter.x, quake.epicenter.y};
    numberField(panel, "Duration (seconds):", "##duration", quake.duration, 0.5f, 1.0f, "%.2f");
    numberField(panel, "Richter:", "##magnitude", quake.magnitude, 100.0f, 100.0f, "%.2f", magnitudeProblem);
    ImGui::Text("Epicenter (1 km):");
    ImGui::SetNextItemWidth(FIELD_WIDTH);
    ImGui::InputFloat2("##Epicenter", epicenter, "%.3f");
    if (std::isfinite(epicenter[0])) quake.epicenter.x = epicenter[0];
    if (std::isfinite(epicenter[1])) quake.epicenter.y = epicenter[1];
    // The epicenter lies at or below the ground.
    if (quake.epicenter.y > 0.0f) quake.epicenter.y = 0.0f;
    drawReplay(quake, actions.run, panel.run);
    drawQuakeModel(quake, records, actions.records, panel);
}

void materials(Simulation& sim, PanelState& panel) {
    if (!ImGui::CollapsingHeader("Materials")) return;
    numberField(panel, "Density (kg/m^2):", "##density", sim.density, 100.0f, 100.0f, "%.1f", densityProblem);
}

void jointSettings(Simulation& sim, QuakeState& quake, PanelState& panel) {
    if (!ImGui::CollapsingHeader("Joint Settings")) return;
    numberField(panel, "Accumalitive (N):", "##accumalitive", sim.accumulativeLimit, 100.0f, 100.0f, "%.1f");
    numberField(panel, "Threshold(N):", "##threshold", sim.threshold, 100.0f, 100.0f, "%.1f");
    if (quake.ground.model == QuakeModel::GroundMotion) drawModelJointSettings(quake, panel);
}

// A refused value's message says which value was kept; a design put in its place makes
// that untrue.
void endRefusal(PanelState& panel) { panel.refusedField.clear(); }

void presets(const std::vector<Design>& list, const PanelActions& actions, PanelState& panel) {
    if (!ImGui::CollapsingHeader("Presets")) return;
    // Index the presets apart: designs may share a name, and each button must answer
    // for its own entry. Applying a design never adds presets, so the loop is safe.
    for (std::size_t i = 0; i < list.size(); ++i) {
        ImGui::PushID(static_cast<int>(i));
        const bool pressed = ImGui::Button(list[i].name.c_str());
        ImGui::PopID();
        if (pressed && actions.applyPreset) {
            actions.applyPreset(list[i]);
            endRefusal(panel);
        }
    }
}

void fileSection(const PanelActions& actions, PanelState& panel, double clockSeconds) {
    if (!ImGui::CollapsingHeader("File")) return;
    // The first click into the box selects all of it, so typing replaces the name it
    // starts with; later clicks place the cursor as usual.
    const ImGuiInputTextFlags boxFlags =
        panel.fileBoxEntered ? ImGuiInputTextFlags_None : ImGuiInputTextFlags_AutoSelectAll;
    ImGui::InputText("##file", panel.filePathBuffer, sizeof panel.filePathBuffer, boxFlags);
    if (ImGui::IsItemActive()) panel.fileBoxEntered = true;
    const std::string name = typedName(panel.filePathBuffer, sizeof panel.filePathBuffer);
    if (ImGui::Button("Save")) {
        panel.fileMessage = actions.save ? actions.save(name) : std::string();
        ImGui::OpenPopup("fileinfo");
    }
    if (ImGui::Button("Load")) {
        const CommandReply reply = actions.load ? actions.load(name) : CommandReply{};
        panel.fileMessage = reply.message;
        if (reply.done) endRefusal(panel);
        ImGui::OpenPopup("fileinfo");
    }
    // Opens on a right-click on "Load" too, and goes by itself after a few seconds.
    if (ImGui::BeginPopupContextItem("fileinfo")) {
        if (ImGui::IsWindowAppearing()) panel.fileInfoShownAt = clockSeconds;
        ImGui::Text("%s", panel.fileMessage.c_str());
        if (clockSeconds - panel.fileInfoShownAt >= FILE_INFO_SECONDS) ImGui::CloseCurrentPopup();
        ImGui::EndPopup();
    }
}

}  // namespace

void wrappedText(const ImVec4& colour, const std::string& text) {
    ImGui::PushStyleColor(ImGuiCol_Text, colour);
    ImGui::TextWrapped("%s", text.c_str());
    ImGui::PopStyleColor();
}

std::string finiteValue(float value) {
    return std::isfinite(value) ? "" : "the value " + shownNumber(value) + " is not a finite number";
}

void numberField(PanelState& panel, const char* labelLine, const char* id, float& value, float step,
                 float fastStep, const char* format, ValueCheck check) {
    ImGui::Text("%s", labelLine);
    ImGui::SetNextItemWidth(FIELD_WIDTH);
    float edited = value;
    if (ImGui::InputFloat(id, &edited, step, fastStep, format)) {
        const std::string problem = check(edited);
        if (problem.empty()) {
            value = edited;
            if (panel.refusedField == id) panel.refusedField.clear();
        } else {
            panel.refusedField = id;
            panel.refusal = "Refused: " + problem + "; kept " + shownNumber(value);
        }
    }
    if (panel.refusedField == id) wrappedText(TEXT_ORANGE, panel.refusal);
}

std::string typedName(const char* buffer, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && buffer[length] != '\0') ++length;
    return std::string(buffer, length);
}

void drawControlPanel(const PanelModel& model, const PanelActions& actions, PanelState& panel) {
    ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f), ImGuiCond_Always);
    ImGui::SetNextWindowSize(ImVec2(PANEL_WIDTH, PANEL_HEIGHT), ImGuiCond_Always);
    ImGui::SetNextWindowBgAlpha(PANEL_ALPHA);
    // The body is submitted whatever Begin returns; a collapsed window shows none of it.
    ImGui::Begin("Control Panel", nullptr, ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove);
    closePopupsClickedOutside();

    ImGui::TextColored(TEXT_ORANGE, "TREMORA EDITOR");
    if (!model.notice.empty()) wrappedText(TEXT_RED, model.notice);
    ImGui::Separator();
    ImGui::Spacing();

    drawingBar(model, actions);
    gap();
    quakeStatus(model, actions);
    gap();
    drawQuakeGraphs(model.quake);
    gap();
    controlsList();
    gap();
    quakeSettings(model.quake, model.records, actions, panel);
    ImGui::Spacing();
    ImGui::Separator();
    materials(model.sim, panel);
    gap();
    jointSettings(model.sim, model.quake, panel);
    gap();
    presets(model.sim.presets, actions, panel);
    gap();
    fileSection(actions, panel, model.clockSeconds);
}
