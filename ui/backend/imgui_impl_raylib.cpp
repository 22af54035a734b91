// The backend's set-up, frame and shutdown: the parts that talk to the raylib window.
#include "ui/backend/imgui_impl_raylib.h"

#include <raylib.h>
#include <rlgl.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "ui/backend/icon_font.h"
#include "ui/backend/imgui_impl_raylib_detail.h"

namespace {

struct BackendData {
    ImGuiContext* backendContext = nullptr;
    ImGuiMouseCursor currentCursor = 9;  // no cursor has this value: the first frame applies one
    ImGui_ImplRaylib_InputState input;
};

BackendData backend;

// The icon glyph range; must outlive the atlas build.
const ImWchar ICON_RANGES[] = {ICON_GLYPH_FIRST, ICON_GLYPH_LAST, 0};

bool isHighDpi() { return IsWindowState(FLAG_WINDOW_HIGHDPI); }

const char* getClipboardCallback(ImGuiContext*) { return GetClipboardText(); }
void setClipboardCallback(ImGuiContext*, const char* text) { SetClipboardText(text); }

const ImGui_ImplRaylib_InputSource RAYLIB_INPUT = {
    IsWindowFocused,      IsKeyDown,          IsKeyPressed,           IsKeyReleased,
    GetCharPressed,       GetMouseX,          GetMouseY,              IsMouseButtonPressed,
    IsMouseButtonReleased, GetMouseWheelMoveV, IsGamepadAvailable,    IsGamepadButtonPressed,
    IsGamepadButtonReleased, GetGamepadAxisMovement,
};

const ImGui_ImplRaylib_RenderSink RLGL_SINK = {
    rlDrawRenderBatchActive, rlDisableBackfaceCulling, rlEnableBackfaceCulling,
    rlEnableScissorTest,     rlDisableScissorTest,     rlScissor,
    rlBegin,                 rlEnd,                    rlSetTexture,
    rlColor4ub,              rlTexCoord2f,             rlVertex2f,
};

Texture2D* atlasTexture(ImFontAtlas* atlas) {
    if (atlas->TexData == nullptr) return nullptr;
    return reinterpret_cast<Texture2D*>(static_cast<std::uintptr_t>(atlas->TexData->GetTexID()));
}

void releaseAtlasTexture(ImFontAtlas* atlas) {
    Texture2D* texture = atlasTexture(atlas);
    if (texture == nullptr) return;
    if (texture->id != 0) UnloadTexture(*texture);
    MemFree(texture);
    if (atlas->TexData != nullptr) atlas->TexData->SetTexID(ImTextureID_Invalid);
}

void updateMouseCursor(ImGuiIO& io) {
    if ((io.BackendFlags & ImGuiBackendFlags_HasMouseCursors) == 0 ||
        (io.ConfigFlags & ImGuiConfigFlags_NoMouseCursorChange) != 0)
        return;
    const ImGuiMouseCursor cursor = ImGui::GetMouseCursor();
    if (cursor == backend.currentCursor && !io.MouseDrawCursor) return;
    backend.currentCursor = cursor;
    if (io.MouseDrawCursor || cursor == ImGuiMouseCursor_None) {
        HideCursor();
    } else {
        ShowCursor();
        SetMouseCursor(ImGui_ImplRaylib_RaylibCursor(cursor));
    }
}

}  // namespace

ImFont* ImGui_ImplRaylib_AddDefaultFont(ImFontAtlas* atlas, bool highDpi, float dpiScale) {
    ImFontConfig config;
    config.SizePixels = 13.0f;
    config.PixelSnapH = true;
    if (!highDpi) {
        config.SizePixels = std::ceil(13.0f * dpiScale);
        config.RasterizerMultiply = dpiScale;
    }
    return atlas->AddFontDefault(&config);
}

ImFont* ImGui_ImplRaylib_MergeIconFont(ImFontAtlas* atlas, bool highDpi, float dpiScale) {
    ImFontConfig config;
    config.MergeMode = true;
    config.PixelSnapH = true;
    config.FontDataOwnedByAtlas = false;
    config.OversampleH = 2;
    config.OversampleV = 1;
    config.GlyphMaxAdvanceX = FLT_MAX;
    config.GlyphRanges = ICON_RANGES;
    float size = 11.0f;
    if (!highDpi) {
        size = 11.0f * dpiScale;
        config.RasterizerMultiply = dpiScale;
    }
    return atlas->AddFontFromMemoryCompressedTTF(ICON_FONT_COMPRESSED_DATA, static_cast<int>(ICON_FONT_COMPRESSED_SIZE),
                                                 size, &config, ICON_RANGES);
}

void ImGui_ImplRaylib_ApplyWindowInfo(ImGuiIO& io, const ImGui_ImplRaylib_WindowInfo& window, float dt) {
    if (window.fullscreen)
        io.DisplaySize = ImVec2(static_cast<float>(window.monitorWidth), static_cast<float>(window.monitorHeight));
    else
        io.DisplaySize = ImVec2(static_cast<float>(window.screenWidth), static_cast<float>(window.screenHeight));
    io.DisplayFramebufferScale = window.highDpi ? ImVec2(window.dpiScale.x, window.dpiScale.y) : ImVec2(1.0f, 1.0f);
    io.DeltaTime = dt > 0.0f ? dt : 0.001f;
}

void ImGui_ImplRaylib_Init() {
    backend.input = ImGui_ImplRaylib_InputState{};
    backend.input.lastFocused = IsWindowFocused();
    // CreateContext makes the new context current only when none was.
    if (backend.backendContext == nullptr) backend.backendContext = ImGui::CreateContext();
    ImGui_ImplRaylib_AddDefaultFont(ImGui::GetIO().Fonts, isHighDpi(), GetWindowScaleDPI().y);
}

void ImGui_ImplRaylib_InitPlatform() {
    ImGuiIO& io = ImGui::GetIO();
    ImGui_ImplRaylib_MergeIconFont(io.Fonts, isHighDpi(), GetWindowScaleDPI().y);

    io.BackendPlatformName = "imgui_impl_raylib";
    io.BackendFlags |= ImGuiBackendFlags_HasGamepad | ImGuiBackendFlags_HasMouseCursors |
                       ImGuiBackendFlags_HasSetMousePos;
    io.MousePos = ImVec2(0.0f, 0.0f);

    ImGuiPlatformIO& platform = ImGui::GetPlatformIO();
    platform.Platform_SetClipboardTextFn = setClipboardCallback;
    platform.Platform_GetClipboardTextFn = getClipboardCallback;
    platform.Platform_ClipboardUserData = nullptr;

    ImGui_ImplRaylib_BuildFontAtlas();
}

void ImGui_ImplRaylib_BuildFontAtlas() {
    ImFontAtlas* atlas = ImGui::GetIO().Fonts;
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    atlas->GetTexDataAsRGBA32(&pixels, &width, &height);

    Image image = GenImageColor(width, height, BLANK);
    std::memcpy(image.data, pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);

    releaseAtlasTexture(atlas);
    auto* texture = static_cast<Texture2D*>(MemAlloc(sizeof(Texture2D)));
    *texture = LoadTextureFromImage(image);
    UnloadImage(image);
    atlas->SetTexID(static_cast<ImTextureID>(reinterpret_cast<std::uintptr_t>(texture)));
}

void ImGui_ImplRaylib_Begin(const ImGui_ImplRaylib_FrameEvents& frame) {
    ImGui::SetCurrentContext(backend.backendContext);
    ImGui_ImplRaylib_NewFrame(GetFrameTime());
    ImGui_ImplRaylib_ProcessEvents(frame);
    ImGui::NewFrame();
}

void ImGui_ImplRaylib_NewFrame(float dt) {
    ImGuiIO& io = ImGui::GetIO();
    ImGui_ImplRaylib_WindowInfo window;
    window.dpiScale = GetWindowScaleDPI();
    window.fullscreen = IsWindowFullscreen();
    if (window.fullscreen) {
        const int monitor = GetCurrentMonitor();
        window.monitorWidth = GetMonitorWidth(monitor);
        window.monitorHeight = GetMonitorHeight(monitor);
    }
    window.screenWidth = GetScreenWidth();
    window.screenHeight = GetScreenHeight();
    window.highDpi = isHighDpi();
    ImGui_ImplRaylib_ApplyWindowInfo(io, window, dt);
    updateMouseCursor(io);
}

void ImGui_ImplRaylib_ProcessEvents(const ImGui_ImplRaylib_FrameEvents& frame) {
    ImGui_ImplRaylib_QueueEvents(ImGui::GetIO(), backend.input, RAYLIB_INPUT, frame);
}

void ImGui_ImplRaylib_End() {
    ImGui::SetCurrentContext(backend.backendContext);
    ImGui::Render();
    ImGui_ImplRaylib_RenderDrawData(ImGui::GetDrawData());
}

void ImGui_ImplRaylib_RenderDrawData(ImDrawData* drawData) {
    const ImVec2 scale = isHighDpi() ? ImGui::GetIO().DisplayFramebufferScale : ImVec2(1.0f, 1.0f);
    ImGui_ImplRaylib_RenderDrawDataTo(drawData, scale, RLGL_SINK);
}

void ImGui_ImplRaylib_Shutdown() {
    if (backend.backendContext == nullptr) return;
    ImGui::SetCurrentContext(backend.backendContext);
    releaseAtlasTexture(ImGui::GetIO().Fonts);
    ImGui::DestroyContext(backend.backendContext);
    backend.backendContext = nullptr;
}
