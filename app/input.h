#pragma once
// One frame of user input, read from the window once per frame and handed to the
// editor, camera, mode, quake and ragdoll code. Tests fill it by hand.
#include <raylib.h>

#include <bitset>

struct InputSnapshot {
    float frameTime = 0.0f;   // seconds the previous frame took
    double time = 0.0;        // seconds since the window opened
    Vector2 mouse{0.0f, 0.0f};  // window pixels
    Vector2 wheel{0.0f, 0.0f};  // wheel movement, x and y
    std::bitset<512> keyDown;
    std::bitset<512> keyPressed;
    std::bitset<512> keyReleased;
    std::bitset<8> mouseDown;
    std::bitset<8> mousePressed;
    std::bitset<8> mouseReleased;
    // What the user interface held on to in the last frame: while a text field is
    // being edited the program's own key bindings stay quiet, and while the mouse is
    // over the panel the scene ignores clicks and the wheel.
    bool uiTextActive = false;
    bool uiWantsMouse = false;
};

inline bool keyPressed(const InputSnapshot& in, int key) {
    return key >= 0 && key < 512 && in.keyPressed.test(static_cast<std::size_t>(key));
}
inline bool keyDown(const InputSnapshot& in, int key) {
    return key >= 0 && key < 512 && in.keyDown.test(static_cast<std::size_t>(key));
}
inline bool mousePressed(const InputSnapshot& in, int button) {
    return button >= 0 && button < 8 && in.mousePressed.test(static_cast<std::size_t>(button));
}
inline bool mouseDown(const InputSnapshot& in, int button) {
    return button >= 0 && button < 8 && in.mouseDown.test(static_cast<std::size_t>(button));
}
inline bool mouseReleased(const InputSnapshot& in, int button) {
    return button >= 0 && button < 8 && in.mouseReleased.test(static_cast<std::size_t>(button));
}
// Either of the two keys of a modifier held.
inline bool shiftDown(const InputSnapshot& in) { return keyDown(in, KEY_LEFT_SHIFT) || keyDown(in, KEY_RIGHT_SHIFT); }
inline bool controlDown(const InputSnapshot& in) {
    return keyDown(in, KEY_LEFT_CONTROL) || keyDown(in, KEY_RIGHT_CONTROL);
}
// The larger of the wheel's two movements, as the windowing library reports it.
inline float wheelMove(const InputSnapshot& in) {
    float ax = in.wheel.x < 0 ? -in.wheel.x : in.wheel.x;
    float ay = in.wheel.y < 0 ? -in.wheel.y : in.wheel.y;
    return ax > ay ? in.wheel.x : in.wheel.y;
}
