#include "ui/control_panel.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "physics/build_limits.h"
#include "ui/drift_panel.h"
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
    commandButton("Home", true, actions.frameDesign);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("Frame the design (Home key)");
    ImGui::SameLine();
    ImGui::Text("Lines: %zu", model.cost.lines);
    ImGui::Text("Length: %.1f m  Mass: %.1f kg", static_cast<double>(model.cost.lengthMetres),
                static_cast<double>(model.cost.mass));
    commandButton("Rigidity check", !model.simulating, actions.checkRigidity);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("Tint the members that can move without changing length (C key)");
    if (!model.rigidity.empty()) wrappedText(TEXT_LIGHT_BLUE, model.rigidity);
}

void quakeStatus(const PanelModel& model, const PanelActions& actions, PanelState& panel) {
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
    drawDriftReadout(model.simulating, quake);
    drawSwayFactor(quake, panel);
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
    ImGui::Text("Frame Design: Home");
    ImGui::Text("Rigidity Check: C");
}

// Whether the text of a field (of its part `part`, for a field of several numbers) is
// being typed into now.
bool typingIn(const char* id, int part = -1) {
    ImGui::PushID(id);
    if (part >= 0) ImGui::PushID(part);
    const ImGuiID text = ImGui::GetID("");
    if (part >= 0) ImGui::PopID();
    ImGui::PopID();
    return ImGui::GetActiveID() == text;
}

// A value the field gave: taken when its check lets it, else the setting keeps its value
// and the reason stands under the field until a value is taken.
void takeValue(PanelState& panel, const char* id, float& value, float edited, const std::string& problem) {
    if (problem.empty()) {
        value = edited;
        if (panel.refusedField == id) panel.refusedField.clear();
        return;
    }
    panel.refusedField = id;
    panel.refusal = "Refused: " + problem + "; kept " + shownNumber(value);
}

void refusalUnder(const PanelState& panel, const char* id) {
    if (panel.refusedField == id) wrappedText(TEXT_ORANGE, panel.refusal);
}

// The epicenter's two numbers, each taken like a number field's; the epicenter lies at or
// below the ground, so a y above 0 becomes 0.
void epicenterField(PanelState& panel, Vector2& epicenter) {
    constexpr const char* ID = "##Epicenter";
    ImGui::Text("Epicenter (1 km):");
    ImGui::SetNextItemWidth(FIELD_WIDTH);
    float edited[2] = {epicenter.x, epicenter.y};
    ImGui::InputFloat2(ID, edited, "%.3f");
    float* const coordinates[2] = {&epicenter.x, &epicenter.y};
    for (int i = 0; i < 2; ++i) {
        if (std::memcmp(&edited[i], coordinates[i], sizeof(float)) == 0 || typingIn(ID, i)) continue;
        Vector2 candidate = epicenter;
        (i == 0 ? candidate.x : candidate.y) = edited[i];
        takeValue(panel, ID, *coordinates[i], edited[i], epicenterProblem(candidate));
    }
    if (epicenter.y > 0.0f) epicenter.y = 0.0f;
    refusalUnder(panel, ID);
}

void quakeSettings(QuakeState& quake, const RecordListModel& records, const PanelActions& actions,
                   PanelState& panel) {
    if (!ImGui::CollapsingHeader("Quake Settings")) return;
    numberField(panel, "Duration (seconds):", "##duration", quake.duration, 0.5f, 1.0f, "%.2f", durationProblem);
    numberField(panel, "Richter:", "##magnitude", quake.magnitude, 100.0f, 100.0f, "%.2f", magnitudeProblem);
    epicenterField(panel, quake.epicenter);
    drawReplay(quake, actions.run, panel.run);
    drawQuakeModel(quake, records, actions.records, panel);
}

void materials(Simulation& sim, PanelState& panel) {
    if (!ImGui::CollapsingHeader("Materials")) return;
    numberField(panel, "Density (kg/m^2):", "##density", sim.density, 100.0f, 100.0f, "%.1f", densityProblem);
}

void jointSettings(Simulation& sim, QuakeState& quake, PanelState& panel) {
    if (!ImGui::CollapsingHeader("Joint Settings")) return;
    numberField(panel, "Accumalitive (N):", "##accumalitive", sim.accumulativeLimit, 100.0f, 100.0f, "%.1f",
                limitProblem);
    numberField(panel, "Threshold(N):", "##threshold", sim.threshold, 100.0f, 100.0f, "%.1f", thresholdProblem);
    if (quake.ground.model == QuakeModel::GroundMotion) drawModelJointSettings(quake, sim, panel);
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
    // Typing changes only the text in the field: the value is taken when Enter is pressed
    // or the field is left, so the numbers typed on the way ("7e-4" of "7e-45") are never
    // taken. The - and + buttons give theirs at once.
    if (ImGui::InputFloat(id, &edited, step, fastStep, format) && !typingIn(id))
        takeValue(panel, id, value, edited, check(edited));
    refusalUnder(panel, id);
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
    if (model.designOffScreen) wrappedText(TEXT_ORANGE, "The design is off screen: Home frames it");
    ImGui::Separator();
    ImGui::Spacing();

    drawingBar(model, actions);
    gap();
    quakeStatus(model, actions, panel);
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
