#pragma once
// A Dear ImGui context with no window: fonts built in memory, input given as events,
// the frame's rendered text captured through Dear ImGui's logging.
#include <imgui.h>
#include <imgui_internal.h>
#include <raylib.h>

#include <cstdint>
#include <functional>
#include <string>

struct HeadlessUi {
    ImGuiContext* context = nullptr;
    Texture2D fontTexture{7, 1, 1, 1, PIXELFORMAT_UNCOMPRESSED_R8G8B8A8};
    std::string text;  // what the last frame rendered as text, when captured
};

inline void startHeadlessUi(HeadlessUi& ui) {
    ui.context = ImGui::CreateContext();
    ImGui::SetCurrentContext(ui.context);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.DisplaySize = ImVec2(850.0f, 850.0f);
    io.DeltaTime = 1.0f / 60.0f;
    ImGui::StyleColorsDark();
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    io.Fonts->SetTexID(static_cast<ImTextureID>(reinterpret_cast<std::uintptr_t>(&ui.fontTexture)));
}

inline void stopHeadlessUi(HeadlessUi& ui) {
    if (ui.context != nullptr) ImGui::DestroyContext(ui.context);
    ui.context = nullptr;
}

// One frame: NewFrame, body, Render. With captureText the frame's text is kept in ui.text.
inline void headlessFrame(HeadlessUi& ui, const std::function<void()>& body, bool captureText = false) {
    ImGui::SetCurrentContext(ui.context);
    ImGui::NewFrame();
    if (captureText) ImGui::LogToBuffer(0);
    body();
    if (captureText) {
        ui.text = ui.context->LogBuffer.c_str();
        ImGui::LogFinish();
    }
    ImGui::Render();
}

// Asks Dear ImGui to activate an item (press a button, enter a text field) in the next frame.
inline void activateItem(ImGuiID id) {
    ImGuiContext& g = *ImGui::GetCurrentContext();
    g.NavNextActivateId = id;
    g.NavNextActivateFlags = ImGuiActivateFlags_PreferInput;
}

inline void typeText(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) ImGui::GetIO().AddInputCharacter(static_cast<unsigned char>(*c));
}
