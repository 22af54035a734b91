#include "app/window/input_raylib.h"

#include <raylib.h>

namespace {

// raylib key codes worth reading: printable keys and the function/navigation block.
constexpr int KEY_RANGES[][2] = {{32, 96}, {256, 348}};

}  // namespace

InputSnapshot readInputSnapshot() {
    InputSnapshot in;
    in.frameTime = GetFrameTime();
    in.time = GetTime();
    in.mouse = GetMousePosition();
    in.wheel = GetMouseWheelMoveV();
    for (const auto& range : KEY_RANGES) {
        for (int key = range[0]; key <= range[1]; ++key) {
            const auto bit = static_cast<std::size_t>(key);
            if (IsKeyDown(key)) in.keyDown.set(bit);
            if (IsKeyPressed(key)) in.keyPressed.set(bit);
            if (IsKeyReleased(key)) in.keyReleased.set(bit);
        }
    }
    for (int button = MOUSE_BUTTON_LEFT; button <= MOUSE_BUTTON_BACK; ++button) {
        const auto bit = static_cast<std::size_t>(button);
        if (IsMouseButtonDown(button)) in.mouseDown.set(bit);
        if (IsMouseButtonPressed(button)) in.mousePressed.set(bit);
        if (IsMouseButtonReleased(button)) in.mouseReleased.set(bit);
    }
    return in;
}

int raylibRandomInt(int lo, int hi) { return GetRandomValue(lo, hi); }
