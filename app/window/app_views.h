#pragma once
// What the window shows of the program's state each frame: the scene's view, and the
// panel's model with the actions through which its buttons reach the program.
#include "app/app_state.h"
#include "ui/control_panel.h"
#include "ui/render_scene.h"

SceneView sceneViewOf(const AppState& app);
// clockSeconds: the program's clock now, which times the messages that go by themselves.
PanelModel panelModelOf(AppState& app, double clockSeconds);
PanelActions panelActionsOf(AppState& app);
