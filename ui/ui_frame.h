#pragma once
// The user-interface part of a frame, drawn over the scene inside BeginDrawing.
#include "ui/control_panel.h"

// What the user interface held on to in the frame just drawn; the program copies it
// into the next frame's input snapshot (uiTextActive, uiWantsMouse).
struct UiCapture {
    bool textActive = false;  // a text field is being edited: keep the key bindings quiet
    bool wantsMouse = false;  // the mouse is over the panel or a popup, or was pressed there
};

// One user-interface frame: the backend begins it, a plot context lives for the
// panel only, the panel window is built and closed, and the backend draws it all.
void drawUiFrame(const PanelModel& model, const PanelActions& actions, PanelState& panel);

// The part of drawUiFrame between the backend's begin and end: plot context, panel,
// plot context gone, panel window ended. Needs a Dear ImGui frame in progress.
void buildUiFrame(const PanelModel& model, const PanelActions& actions, PanelState& panel);

// Reads the capture flags from Dear ImGui; call after the frame has been rendered.
UiCapture readUiCapture();
