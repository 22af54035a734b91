#pragma once
// The "Control Panel" window: undo and redo, framing the design, with what the design costs, mode and quake
// status, graphs, the key list, quake, material and joint settings, presets, and saving
// and loading designs by name.
//
// The panel edits the settings it is shown in place and hands every command that
// reaches beyond them (a preset button, Save, Load) to the program through the
// actions it is given.
#include <imgui.h>

#include <cstddef>
#include <functional>
#include <string>

#include "physics/design_cost.h"
#include "physics/structure.h"
#include "quake/quake.h"
#include "ui/command_reply.h"
#include "ui/ground_motion_panel.h"
#include "ui/run_panel.h"
#include "ui/sway_pose.h"

// The panel's own state, kept for the whole run.
struct PanelState {
    char filePathBuffer[128] = "Enter Filepath";  // the File section's text box
    bool fileBoxEntered = false;                   // the box has been clicked into once
    std::string fileMessage;                       // status of the last Save or Load
    double fileInfoShownAt = 0.0;                  // clock seconds when its popup appeared
    RunPanelState run;                             // the typed seed, the last Replay's message
    std::string recordMessage;                     // what the last record load said
    // A typed value that was refused, and why: shown under its field (by its id).
    std::string refusedField;
    std::string refusal;
    // The sway view's factor (sway_pose.h): a view of the window, not part of a design.
    int magnification = DEFAULT_MAGNIFICATION;
};

// What the panel shows and edits in this frame.
struct PanelModel {
    bool simulating = false;
    bool deleteMode = false;
    Simulation& sim;     // material and joint settings, the preset list
    QuakeState& quake;   // quake settings, status and graphs
    const std::string& notice;  // why F, Enter or a step did not go as asked ("" when they did)
    bool canUndo = false;
    bool canRedo = false;
    DesignCost cost{};   // of the lines drawn, at the current density
    RunModel run{};      // pause, speed, the failure report
    RecordListModel records{};  // the records/ folder and the loaded record
    bool designOffScreen = false;  // a preset or Load brought lines that all lie outside the view
    double clockSeconds = 0.0;  // the program's clock, for messages that go by themselves
    std::string rigidity{};     // the last rigidity check's verdict ("" when none is shown)
};

// The commands the panel asks the program to carry out.
struct PanelActions {
    std::function<void(const Design&)> applyPreset;
    // Save and Load by the typed name; each answers with the message for the popup.
    std::function<std::string(const std::string& name)> save;
    std::function<CommandReply(const std::string& name)> load;
    std::function<void()> undo;
    std::function<void()> redo;
    std::function<void()> frameDesign;  // as the Home key
    std::function<void()> checkRigidity;  // as the C key
    RunActions run;
    RecordActions records;
};

// How long the Save and Load status stays up by itself, in seconds.
inline constexpr double FILE_INFO_SECONDS = 4.0;

// Shared by the panel's sections.
inline constexpr float FIELD_WIDTH = 200.0f;  // pixels, the width of a number or text field
inline const ImVec4 TEXT_ORANGE{1.0f, 0.5f, 0.0f, 1.0f};
inline const ImVec4 TEXT_GREEN{0.0f, 1.0f, 0.0f, 1.0f};

// A message in colour, wrapped at the panel's edge.
void wrappedText(const ImVec4& colour, const std::string& text);

// Why a typed value may not be used ("" when it may).
using ValueCheck = std::string (*)(float);
std::string finiteValue(float value);

// A labelled number field. What is typed is taken when Enter is pressed or the field is
// left; a value the check refuses is not taken: the setting keeps its value, the field
// shows it again, and the reason is shown under the field until a value is taken.
void numberField(PanelState& panel, const char* labelLine, const char* id, float& value, float step,
                 float fastStep, const char* format, ValueCheck check = finiteValue);

// Builds the panel for this frame. It begins the window and leaves it open: the caller
// ends it with ImGui::End. The window has no close button, so the panel is always there.
void drawControlPanel(const PanelModel& model, const PanelActions& actions, PanelState& panel);

// The name typed in a text buffer: its bytes up to the first zero byte (all of them
// when there is none).
std::string typedName(const char* buffer, std::size_t capacity);
