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

void drawUiFrame(const PanelModel& model, const PanelActions& actions, PanelState& panel) {
    ImGui_ImplRaylib_Begin();
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
    return capture;
}
