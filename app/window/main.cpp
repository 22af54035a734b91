// Tremora: build a structure on the grid, turn it into a simulation, shake it.
#include <raylib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "app/autosave.h"
#include "app/frame.h"
#include "app/frame_log.h"
#include "app/window/app_views.h"
#include "app/window/input_raylib.h"
#include "persistence/design_file.h"
#include "physics/world.h"
#include <imgui.h>
#include "ui/backend/imgui_impl_raylib.h"
#include "ui/recorder/gif_recorder.h"
#include "ui/render_scene.h"
#include "ui/ui_frame.h"

namespace {

constexpr const char* WINDOW_TITLE = "Tremora - by the Tremora founding engineers";

bool displayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// TREMORA_FRAME_LOG=path: a line a second with frames drawn and world steps taken; off when unset.
std::FILE* openFrameLog() {
    const char* path = std::getenv("TREMORA_FRAME_LOG");
    if (!path || !*path) return nullptr;
    std::FILE* file = std::fopen(path, "w");
    if (!file) std::fprintf(stderr, "tremora: cannot write the frame log %s\n", path);
    return file;
}

// TREMORA_REFERENCE_DRAWING=1: the scene drawn one shape call per object, for comparison.
bool referenceDrawingAsked() {
    const char* value = std::getenv("TREMORA_REFERENCE_DRAWING");
    return value && std::string(value) == "1";
}

// TREMORA_FRAME_SLEEP=ms: each frame waits this long, so tests can see the program at a
// few frames a second; off when unset.
double frameSleepSeconds() {
    const char* value = std::getenv("TREMORA_FRAME_SLEEP");
    if (!value || !*value) return 0.0;
    char* end = nullptr;
    const double ms = std::strtod(value, &end);
    if (end == value || *end != '\0' || !(ms >= 0.0 && ms <= 10000.0)) {
        std::fprintf(stderr, "tremora: TREMORA_FRAME_SLEEP=%s is not a number of milliseconds from 0 to 10000; ignored\n",
                     value);
        return 0.0;
    }
    return ms / 1000.0;
}

// F12 alone: the window as a PNG, numbered as the windowing library numbers its own
// (raylib is built without its capture keys, so Ctrl+F12 makes only the GIF).
void takeScreenshot(int& counter) {
    TakeScreenshot(TextFormat("screenshot%03i.png", counter));
    ++counter;
}

}  // namespace

int main() {
    if (!displayAvailable()) {
        std::fprintf(stderr, "tremora: no display found (DISPLAY is not set); run it on a desktop or under xvfb-run\n");
        return 1;
    }

    ignoreFileSizeSignal();
    InitWindow(SCREEN_SIZE, SCREEN_SIZE, WINDOW_TITLE);
    if (!IsWindowReady()) {
        std::fprintf(stderr, "tremora: could not open an OpenGL window on this display\n");
        return 1;
    }

    ImGui_ImplRaylib_Init();
    ImGui::StyleColorsDark();
    ImGui_ImplRaylib_InitPlatform();
    watchWindowInput();

    RenderTexture2D renderTarget = LoadRenderTexture(SCREEN_SIZE, SCREEN_SIZE);
    SetTextureFilter(renderTarget.texture, TEXTURE_FILTER_BILINEAR);

    static AppState app;  // large; lives for the whole run
    initApp(app);         // editor grid, camera, world and ground, presets, the quake's ground

    PanelState panel;
    GifRecorder recorder;
    int screenshots = 0;
    UiCapture capture;
    PixelCanvas markerCanvas;

    const bool referenceDrawing = referenceDrawingAsked();
    const double frameSleep = frameSleepSeconds();
    std::FILE* frameLog = openFrameLog();
    FrameCounter frameCounter;
    std::string frameLine;

    ImGui_ImplRaylib_FrameEvents panelEvents;
    const RandomInt randomInt = raylibRandomInt;
    bool running = !WindowShouldClose();
    while (running) {
        InputSnapshot in = readInputSnapshot(panelEvents);
        in.uiTextActive = capture.textActive;
        in.uiWantsMouse = capture.wantsMouse || (mousePressed(in, MOUSE_BUTTON_LEFT) && uiCovers(capture, in.mouse));

        updateFrame(app, in, randomInt);
        SceneView scene = sceneViewOf(app);
        scene.referenceDrawing = referenceDrawing;
        scene.magnification = panel.magnification;
        renderScene(scene, renderTarget, markerCanvas);
        drawUiFrame(panelModelOf(app, in.time), panelActionsOf(app), panel, panelEvents);
        capture = readUiCapture();
        const bool ctrlHeld = controlDown(in);
        const bool f12 = keyPressed(in, KEY_F12);
        updateGifRecorder(recorder, ctrlHeld && f12, GetTime());
        if (f12 && !ctrlHeld) takeScreenshot(screenshots);
        EndDrawing();
        const FrameFacts facts{app.worldSteps, app.sim.beams.size(), app.sim.jointSlots.size(),
                               static_cast<std::size_t>(awakeBodies(app.sim))};
        if (frameLog && countFrame(frameCounter, GetTime(), facts, frameLine)) {
            std::fputs(frameLine.c_str(), frameLog);
            std::fflush(frameLog);
        }

        if (frameSleep > 0.0) WaitTime(frameSleep);
        running = !WindowShouldClose();
    }

    const FileResult autosaved = autosaveAtClose(app);
    if (!autosaved.ok) std::fprintf(stderr, "tremora: the drawing could not be kept: %s\n", autosaved.message.c_str());

    if (frameLog) std::fclose(frameLog);
    stopGifRecorder(recorder, GetTime());
    shutdownApp(app);
    ImGui_ImplRaylib_Shutdown();
    UnloadRenderTexture(renderTarget);
    CloseWindow();
    return 0;
}
