#include "app/window/input_raylib.h"

#include <raylib.h>

#include <GLFW/glfw3.h>

#include "app/input_events.h"

namespace {

// raylib key codes worth reading: printable keys and the function/navigation block.
constexpr int KEY_RANGES[][2] = {{32, 96}, {256, 348}};

// Filled by the window's handlers between frames, emptied by the snapshots.
InputEvents windowEvents;
GLFWmousebuttonfun raylibMouseButtonHandler = nullptr;
GLFWkeyfun raylibKeyHandler = nullptr;
bool watching = false;  // presses and releases come from the queue, not from raylib's frame state

Vector2 cursorOf(GLFWwindow* window) {
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(window, &x, &y);
    return Vector2{static_cast<float>(x), static_cast<float>(y)};
}

// raylib numbers keys and mouse buttons as the windowing library does.
void onMouseButton(GLFWwindow* window, int button, int action, int mods) {
    if (raylibMouseButtonHandler != nullptr) raylibMouseButtonHandler(window, button, action, mods);
    if (action != GLFW_PRESS && action != GLFW_RELEASE) return;
    noteInputEvent(windowEvents, InputEvent{true, button, action == GLFW_PRESS, cursorOf(window)});
}

void onKey(GLFWwindow* window, int key, int scancode, int action, int mods) {
    if (raylibKeyHandler != nullptr) raylibKeyHandler(window, key, scancode, action, mods);
    // Repeats of a held key are not presses.
    if (action != GLFW_PRESS && action != GLFW_RELEASE) return;
    noteInputEvent(windowEvents, InputEvent{false, key, action == GLFW_PRESS, cursorOf(window)});
}

}  // namespace

void watchWindowInput() {
    GLFWwindow* window = glfwGetCurrentContext();
    if (window == nullptr) return;
    raylibMouseButtonHandler = glfwSetMouseButtonCallback(window, onMouseButton);
    raylibKeyHandler = glfwSetKeyCallback(window, onKey);
    watching = true;
}

InputSnapshot readInputSnapshot(ImGui_ImplRaylib_FrameEvents& panelEvents) {
    InputSnapshot in;
    in.frameTime = GetFrameTime();
    in.time = GetTime();
    in.mouse = GetMousePosition();
    in.wheel = GetMouseWheelMoveV();
    for (const auto& range : KEY_RANGES) {
        for (int key = range[0]; key <= range[1]; ++key) {
            const auto bit = static_cast<std::size_t>(key);
            if (IsKeyDown(key)) in.keyDown.set(bit);
            if (watching) continue;
            if (IsKeyPressed(key)) in.keyPressed.set(bit);
            if (IsKeyReleased(key)) in.keyReleased.set(bit);
        }
    }
    for (int button = MOUSE_BUTTON_LEFT; button <= MOUSE_BUTTON_BACK; ++button) {
        const auto bit = static_cast<std::size_t>(button);
        if (IsMouseButtonDown(button)) in.mouseDown.set(bit);
        if (watching) continue;
        if (IsMouseButtonPressed(button)) in.mousePressed.set(bit);
        if (IsMouseButtonReleased(button)) in.mouseReleased.set(bit);
    }
    panelEvents.queued = watching;
    panelEvents.events.clear();
    for (const InputEvent& event : takeFrameEvents(windowEvents, in))
        panelEvents.events.push_back(ImGui_ImplRaylib_PressEvent{event.button, event.code, event.press, event.point});
    return in;
}

int raylibRandomInt(int lo, int hi) { return GetRandomValue(lo, hi); }
