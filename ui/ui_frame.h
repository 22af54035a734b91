#pragma once
// The user-interface part of a frame, drawn over the scene inside BeginDrawing.
#include <raylib.h>

#include <vector>

#include "ui/backend/imgui_impl_raylib.h"
#include "ui/control_panel.h"

// What the user interface held on to in the frame just drawn; the program copies it
// into the next frame's input snapshot (uiTextActive, uiWantsMouse).
struct UiCapture {
    bool textActive = false;  // a text field is being edited: keep the key bindings quiet
    bool wantsMouse = false;  // the mouse is over the panel or a popup, or was pressed there
    std::vector<Rectangle> windows;  // where the panel's windows (not its popups) were drawn
};

// Whether a point (window pixels) fell on one of the panel's windows in the captured
// frame: a quick click that moved onto the panel and went down between two frames
// belongs to the panel although the frame before saw the mouse over the scene.
bool uiCovers(const UiCapture& capture, Vector2 point);

// One user-interface frame: the backend begins it with the frame's presses and releases,
// a plot context lives for the panel only, the panel window is built and closed, and
// the backend draws it all.
void drawUiFrame(const PanelModel& model, const PanelActions& actions, PanelState& panel,
                 const ImGui_ImplRaylib_FrameEvents& input);

// The part of drawUiFrame between the backend's begin and end: plot context, panel,
// plot context gone, panel window ended. Needs a Dear ImGui frame in progress.
void buildUiFrame(const PanelModel& model, const PanelActions& actions, PanelState& panel);

// Reads the capture flags from Dear ImGui; call after the frame has been rendered.
UiCapture readUiCapture();
