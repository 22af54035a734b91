#include "ui/popup_clicks.h"

#include <imgui.h>
#include <imgui_internal.h>

void closePopupsClickedOutside() {
    ImGuiContext& g = *ImGui::GetCurrentContext();
    if (g.OpenPopupStack.Size == 0) return;
    if (!g.IO.MouseClicked[ImGuiMouseButton_Left] && !g.IO.MouseClicked[ImGuiMouseButton_Right]) return;
    // A click on a popup is its own business.
    const ImGuiWindow* hovered = g.HoveredWindow;
    if (hovered != nullptr && (hovered->RootWindow->Flags & ImGuiWindowFlags_Popup) != 0) return;
    // Focus goes back to the window under the popup, so its widgets take this click.
    ImGui::ClosePopupToLevel(0, true);
}
