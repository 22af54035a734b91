#include "ui/ui_frame.h"

#include <imgui.h>
#include <imgui_internal.h>

#include "ui/backend/imgui_impl_raylib.h"
#include "ui/plot/plot_widget.h"

void buildUiFrame(const PanelModel& model, const PanelActions& actions, PanelState& panel) {
    PlotContext* plots = createPlotContext();
    drawControlPanel(model, actions, panel);
    destroyPlotContext(plots);
    ImGui::End();
}

void drawUiFrame(const PanelModel& model, const PanelActions& actions, PanelState& panel,
                 const ImGui_ImplRaylib_FrameEvents& input) {
    ImGui_ImplRaylib_Begin(input);
    buildUiFrame(model, actions, panel);
    ImGui_ImplRaylib_End();
}

UiCapture readUiCapture() {
    UiCapture capture;
    const ImGuiContext* g = ImGui::GetCurrentContext();
    if (g == nullptr) return capture;
    // Set at the end of a frame in which a text field was being edited; io.WantTextInput
    // would only say so from the next ImGui::NewFrame on, a frame late.
    capture.textActive = g->WantTextInputNextFrame == 1;
    // An open popup alone does not hold the mouse: the click that closes it from the
    // scene also reaches the scene.
    capture.wantsMouse = g->IO.WantCaptureMouseUnlessPopupClose;
    constexpr ImGuiWindowFlags NOT_PANEL =
        ImGuiWindowFlags_ChildWindow | ImGuiWindowFlags_Popup | ImGuiWindowFlags_Tooltip;
    for (const ImGuiWindow* window : g->Windows) {
        if (!window->Active || window->Hidden || (window->Flags & NOT_PANEL) != 0) continue;
        capture.windows.push_back(Rectangle{window->Pos.x, window->Pos.y, window->Size.x, window->Size.y});
    }
    return capture;
}

bool uiCovers(const UiCapture& capture, Vector2 point) {
    for (const Rectangle& r : capture.windows)
        if (CheckCollisionPointRec(point, r)) return true;
    return false;
}
