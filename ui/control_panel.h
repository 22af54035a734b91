#pragma once
// The "Control Panel" window: mode and quake status, graphs, the key list, quake,
// material and joint settings, presets, and saving and loading designs by name.
#include <string>

#include "app/app_state.h"

// The panel's own state, kept for the whole run.
struct PanelState {
    char filePathBuffer[128] = "Enter Filepath";  // the File section's text box
    std::string fileMessage;                       // status of the last Save or Load
};

// Builds the panel for this frame. It begins the window and leaves it open: the caller
// ends it with ImGui::End. The window has no close button, so the panel is always there.
void drawControlPanel(AppState& app, PanelState& panel);
