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

// Creates the backend's Dear ImGui context and adds the default font.
void ImGui_ImplRaylib_Init();
// Merges the icon font, installs cursors, clipboard and backend flags, builds the atlas.
void ImGui_ImplRaylib_InitPlatform();
// Builds the font atlas and (re)creates its raylib texture.
void ImGui_ImplRaylib_BuildFontAtlas();
// Begins a Dear ImGui frame with raylib's frame time (ends with ImGui::NewFrame).
void ImGui_ImplRaylib_Begin();
// Display size, frame time and mouse cursor for a frame that lasted dt seconds.
void ImGui_ImplRaylib_NewFrame(float dt);
// Queues this frame's focus, keyboard, text, mouse and gamepad events.
void ImGui_ImplRaylib_ProcessEvents();
// Renders the frame's user interface over what has been drawn so far.
void ImGui_ImplRaylib_End();
// Draws Dear ImGui's draw data through rlgl, one flush per draw command.
void ImGui_ImplRaylib_RenderDrawData(ImDrawData* drawData);
// Releases the font texture and destroys the backend's context.
void ImGui_ImplRaylib_Shutdown();
