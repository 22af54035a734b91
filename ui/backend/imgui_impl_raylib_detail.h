#pragma once
// The window-free pieces of the raylib backend. The backend fills these tables with
// raylib and rlgl functions; tests fill them with their own.
#include <imgui.h>
#include <raylib.h>

#include <cstddef>

#include "ui/backend/imgui_impl_raylib.h"

// ---- Key and cursor maps -------------------------------------------------------

struct ImGui_ImplRaylib_KeyPair {
    int raylibKey;
    ImGuiKey imguiKey;
};

inline constexpr std::size_t IMGUI_IMPL_RAYLIB_KEY_COUNT = 105;
inline constexpr std::size_t IMGUI_IMPL_RAYLIB_CURSOR_COUNT = 9;

// The key map in ascending raylib key code.
const ImGui_ImplRaylib_KeyPair* ImGui_ImplRaylib_KeyMap();
// The raylib cursor for a Dear ImGui cursor: the 9-entry map, else raylib's default.
int ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor cursor);

// ---- Frame set-up --------------------------------------------------------------

struct ImGui_ImplRaylib_WindowInfo {
    bool fullscreen = false;
    int monitorWidth = 0;
    int monitorHeight = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    bool highDpi = false;
    Vector2 dpiScale{1.0f, 1.0f};
};

// Display size, framebuffer scale and frame time (0 or less becomes 0.001 s).
void ImGui_ImplRaylib_ApplyWindowInfo(ImGuiIO& io, const ImGui_ImplRaylib_WindowInfo& window, float dt);

// ---- Fonts ---------------------------------------------------------------------

// The default font at 13 pixels (scaled by dpiScale when the window is not high-DPI).
ImFont* ImGui_ImplRaylib_AddDefaultFont(ImFontAtlas* atlas, bool highDpi, float dpiScale);
// The icon font merged into the last added font at 11 pixels (scaled likewise).
ImFont* ImGui_ImplRaylib_MergeIconFont(ImFontAtlas* atlas, bool highDpi, float dpiScale);

// ---- Input events --------------------------------------------------------------

// Where input comes from: raylib's own functions in the program.
struct ImGui_ImplRaylib_InputSource {
    bool (*isWindowFocused)();
    bool (*isKeyDown)(int key);
    bool (*isKeyPressed)(int key);
    bool (*isKeyReleased)(int key);
    int (*getCharPressed)();
    int (*getMouseX)();
    int (*getMouseY)();
    bool (*isMouseButtonPressed)(int button);
    bool (*isMouseButtonReleased)(int button);
    Vector2 (*getMouseWheelMoveV)();
    bool (*isGamepadAvailable)(int gamepad);
    bool (*isGamepadButtonPressed)(int gamepad, int button);
    bool (*isGamepadButtonReleased)(int gamepad, int button);
    float (*getGamepadAxisMovement)(int gamepad, int axis);
};

// What the event queueing remembers from one frame to the next.
struct ImGui_ImplRaylib_InputState {
    bool lastFocused = false;
    bool lastCtrl = false;
    bool lastShift = false;
    bool lastAlt = false;
    bool lastSuper = false;
};

// Queues one frame of events into io: focus and modifier edges, key edges in
// ascending raylib code, text only while Dear ImGui wants the keyboard, mouse
// position, buttons and wheel, and gamepad 0 when gamepad navigation is enabled.
// With queued frame events the key and button edges are those events instead, in the
// order they came and each button at the point it went down or up; Dear ImGui spreads
// a press and release of one frame over the frames that follow.
void ImGui_ImplRaylib_QueueEvents(ImGuiIO& io, ImGui_ImplRaylib_InputState& state,
                                  const ImGui_ImplRaylib_InputSource& input,
                                  const ImGui_ImplRaylib_FrameEvents& frame = {});

// ---- Rendering -----------------------------------------------------------------

// Where triangles go: rlgl's functions in the program.
struct ImGui_ImplRaylib_RenderSink {
    void (*drawRenderBatchActive)();
    void (*disableBackfaceCulling)();
    void (*enableBackfaceCulling)();
    void (*enableScissorTest)();
    void (*disableScissorTest)();
    void (*scissor)(int x, int y, int width, int height);
    void (*begin)(int mode);
    void (*end)();
    void (*setTexture)(unsigned int id);
    void (*color4ub)(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
    void (*texCoord2f)(float u, float v);
    void (*vertex2f)(float x, float y);
};

// The GL id of the raylib texture record a texture id points at (0 for none).
unsigned int ImGui_ImplRaylib_TextureGlId(ImTextureID id);

// Draws drawData into sink; scissorScale is the framebuffer scale (1, 1 unless high-DPI).
void ImGui_ImplRaylib_RenderDrawDataTo(const ImDrawData* drawData, ImVec2 scissorScale,
                                       const ImGui_ImplRaylib_RenderSink& sink);
