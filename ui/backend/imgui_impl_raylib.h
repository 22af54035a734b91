#pragma once
// Dear ImGui platform and renderer backend for raylib.
//
// Order of calls: InitWindow; ImGui_ImplRaylib_Init; ImGui::StyleColorsDark;
// ImGui_ImplRaylib_InitPlatform; every frame, between BeginDrawing and EndDrawing
// and after the scene: ImGui_ImplRaylib_Begin, the application's windows,
// ImGui_ImplRaylib_End; at exit ImGui_ImplRaylib_Shutdown before CloseWindow.
//
// Uses Dear ImGui's legacy font-atlas path: the atlas is built once into one raylib
// texture and the backend does not declare ImGuiBackendFlags_RendererHasTextures.
#include <imgui.h>
#include <raylib.h>

#include <vector>

// A key or mouse button going down or up, as the window delivered it between two frames.
struct ImGui_ImplRaylib_PressEvent {
    bool button = false;  // a mouse button; otherwise a key (raylib's numbers for both)
    int code = 0;
    bool press = false;         // otherwise a release
    Vector2 point{0.0f, 0.0f};  // the mouse (window pixels) when it happened
};

// A frame's presses and releases in the order they came. Without them (queued false) the
// backend reads raylib's once-a-frame edges, which miss a press and release that both
// fall between two frames.
struct ImGui_ImplRaylib_FrameEvents {
    bool queued = false;
    std::vector<ImGui_ImplRaylib_PressEvent> events;
};

// Creates the backend's Dear ImGui context and adds the default font.
void ImGui_ImplRaylib_Init();
// Merges the icon font, installs cursors, clipboard and backend flags, builds the atlas.
void ImGui_ImplRaylib_InitPlatform();
// Builds the font atlas and (re)creates its raylib texture.
void ImGui_ImplRaylib_BuildFontAtlas();
// Begins a Dear ImGui frame with raylib's frame time and this frame's presses and
// releases (ends with ImGui::NewFrame).
void ImGui_ImplRaylib_Begin(const ImGui_ImplRaylib_FrameEvents& frame = {});
// Display size, frame time and mouse cursor for a frame that lasted dt seconds.
void ImGui_ImplRaylib_NewFrame(float dt);
// Queues this frame's focus, keyboard, text, mouse and gamepad events.
void ImGui_ImplRaylib_ProcessEvents(const ImGui_ImplRaylib_FrameEvents& frame = {});
// Renders the frame's user interface over what has been drawn so far.
void ImGui_ImplRaylib_End();
// Draws Dear ImGui's draw data through rlgl, one flush per draw command.
void ImGui_ImplRaylib_RenderDrawData(ImDrawData* drawData);
// Releases the font texture and destroys the backend's context.
void ImGui_ImplRaylib_Shutdown();
