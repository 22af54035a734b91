// raylib input turned into Dear ImGui input events, and the key and cursor maps.
#include "ui/backend/imgui_impl_raylib_detail.h"

namespace {

constexpr ImGui_ImplRaylib_KeyPair KEY_MAP[] = {
    {KEY_SPACE, ImGuiKey_Space},
    {KEY_APOSTROPHE, ImGuiKey_Apostrophe},
    {KEY_COMMA, ImGuiKey_Comma},
    {KEY_MINUS, ImGuiKey_Minus},
    {KEY_PERIOD, ImGuiKey_Period},
    {KEY_SLASH, ImGuiKey_Slash},
    {KEY_ZERO, ImGuiKey_0},
    {KEY_ONE, ImGuiKey_1},
    {KEY_TWO, ImGuiKey_2},
    {KEY_THREE, ImGuiKey_3},
    {KEY_FOUR, ImGuiKey_4},
    {KEY_FIVE, ImGuiKey_5},
    {KEY_SIX, ImGuiKey_6},
    {KEY_SEVEN, ImGuiKey_7},
    {KEY_EIGHT, ImGuiKey_8},
    {KEY_NINE, ImGuiKey_9},
    {KEY_SEMICOLON, ImGuiKey_Semicolon},
    {KEY_EQUAL, ImGuiKey_Equal},
    {KEY_A, ImGuiKey_A},
    {KEY_B, ImGuiKey_B},
    {KEY_C, ImGuiKey_C},
    {KEY_D, ImGuiKey_D},
    {KEY_E, ImGuiKey_E},
    {KEY_F, ImGuiKey_F},
    {KEY_G, ImGuiKey_G},
    {KEY_H, ImGuiKey_H},
    {KEY_I, ImGuiKey_I},
    {KEY_J, ImGuiKey_J},
    {KEY_K, ImGuiKey_K},
    {KEY_L, ImGuiKey_L},
    {KEY_M, ImGuiKey_M},
    {KEY_N, ImGuiKey_N},
    {KEY_O, ImGuiKey_O},
    {KEY_P, ImGuiKey_P},
    {KEY_Q, ImGuiKey_Q},
    {KEY_R, ImGuiKey_R},
    {KEY_S, ImGuiKey_S},
    {KEY_T, ImGuiKey_T},
    {KEY_U, ImGuiKey_U},
    {KEY_V, ImGuiKey_V},
    {KEY_W, ImGuiKey_W},
    {KEY_X, ImGuiKey_X},
    {KEY_Y, ImGuiKey_Y},
    {KEY_Z, ImGuiKey_Z},
    {KEY_LEFT_BRACKET, ImGuiKey_LeftBracket},
    {KEY_BACKSLASH, ImGuiKey_Backslash},
    {KEY_RIGHT_BRACKET, ImGuiKey_RightBracket},
    {KEY_GRAVE, ImGuiKey_GraveAccent},
    {KEY_ESCAPE, ImGuiKey_Escape},
    {KEY_ENTER, ImGuiKey_Enter},
    {KEY_TAB, ImGuiKey_Tab},
    {KEY_BACKSPACE, ImGuiKey_Backspace},
    {KEY_INSERT, ImGuiKey_Insert},
    {KEY_DELETE, ImGuiKey_Delete},
    {KEY_RIGHT, ImGuiKey_RightArrow},
    {KEY_LEFT, ImGuiKey_LeftArrow},
    {KEY_DOWN, ImGuiKey_DownArrow},
    {KEY_UP, ImGuiKey_UpArrow},
    {KEY_PAGE_UP, ImGuiKey_PageUp},
    {KEY_PAGE_DOWN, ImGuiKey_PageDown},
    {KEY_HOME, ImGuiKey_Home},
    {KEY_END, ImGuiKey_End},
    {KEY_CAPS_LOCK, ImGuiKey_CapsLock},
    {KEY_SCROLL_LOCK, ImGuiKey_ScrollLock},
    {KEY_NUM_LOCK, ImGuiKey_NumLock},
    {KEY_PRINT_SCREEN, ImGuiKey_PrintScreen},
    {KEY_PAUSE, ImGuiKey_Pause},
    {KEY_F1, ImGuiKey_F1},
    {KEY_F2, ImGuiKey_F2},
    {KEY_F3, ImGuiKey_F3},
    {KEY_F4, ImGuiKey_F4},
    {KEY_F5, ImGuiKey_F5},
    {KEY_F6, ImGuiKey_F6},
    {KEY_F7, ImGuiKey_F7},
    {KEY_F8, ImGuiKey_F8},
    {KEY_F9, ImGuiKey_F9},
    {KEY_F10, ImGuiKey_F10},
    {KEY_F11, ImGuiKey_F11},
    {KEY_F12, ImGuiKey_F12},
    {KEY_KP_0, ImGuiKey_Keypad0},
    {KEY_KP_1, ImGuiKey_Keypad1},
    {KEY_KP_2, ImGuiKey_Keypad2},
    {KEY_KP_3, ImGuiKey_Keypad3},
    {KEY_KP_4, ImGuiKey_Keypad4},
    {KEY_KP_5, ImGuiKey_Keypad5},
    {KEY_KP_6, ImGuiKey_Keypad6},
    {KEY_KP_7, ImGuiKey_Keypad7},
    {KEY_KP_8, ImGuiKey_Keypad8},
    {KEY_KP_9, ImGuiKey_Keypad9},
    {KEY_KP_DECIMAL, ImGuiKey_KeypadDecimal},
    {KEY_KP_DIVIDE, ImGuiKey_KeypadDivide},
    {KEY_KP_MULTIPLY, ImGuiKey_KeypadMultiply},
    {KEY_KP_SUBTRACT, ImGuiKey_KeypadSubtract},
    {KEY_KP_ADD, ImGuiKey_KeypadAdd},
    {KEY_KP_ENTER, ImGuiKey_KeypadEnter},
    {KEY_KP_EQUAL, ImGuiKey_KeypadEqual},
    {KEY_LEFT_SHIFT, ImGuiKey_LeftShift},
    {KEY_LEFT_CONTROL, ImGuiKey_LeftCtrl},
    {KEY_LEFT_ALT, ImGuiKey_LeftAlt},
    {KEY_LEFT_SUPER, ImGuiKey_LeftSuper},
    {KEY_RIGHT_SHIFT, ImGuiKey_RightShift},
    {KEY_RIGHT_CONTROL, ImGuiKey_RightCtrl},
    {KEY_RIGHT_ALT, ImGuiKey_RightAlt},
    {KEY_RIGHT_SUPER, ImGuiKey_RightSuper},
    {KEY_KB_MENU, ImGuiKey_Menu},
};
static_assert(sizeof(KEY_MAP) / sizeof(KEY_MAP[0]) == IMGUI_IMPL_RAYLIB_KEY_COUNT, "105 mapped keys");

struct CursorPair {
    ImGuiMouseCursor imguiCursor;
    int raylibCursor;
};

// Keyed by name: Dear ImGui 1.92 numbers NotAllowed 10 (after Wait and Progress, which
// have no entry and so get raylib's default cursor).
constexpr CursorPair CURSOR_MAP[] = {
    {ImGuiMouseCursor_Arrow, MOUSE_CURSOR_ARROW},
    {ImGuiMouseCursor_TextInput, MOUSE_CURSOR_IBEAM},
    {ImGuiMouseCursor_ResizeAll, MOUSE_CURSOR_RESIZE_ALL},
    {ImGuiMouseCursor_ResizeNS, MOUSE_CURSOR_RESIZE_NS},
    {ImGuiMouseCursor_ResizeEW, MOUSE_CURSOR_RESIZE_EW},
    {ImGuiMouseCursor_ResizeNESW, MOUSE_CURSOR_RESIZE_NESW},
    {ImGuiMouseCursor_ResizeNWSE, MOUSE_CURSOR_RESIZE_NWSE},
    {ImGuiMouseCursor_Hand, MOUSE_CURSOR_POINTING_HAND},
    {ImGuiMouseCursor_NotAllowed, MOUSE_CURSOR_NOT_ALLOWED},
};
static_assert(sizeof(CURSOR_MAP) / sizeof(CURSOR_MAP[0]) == IMGUI_IMPL_RAYLIB_CURSOR_COUNT, "9 mapped cursors");

struct ModifierKeys {
    ImGuiKey mod;
    int rightKey;
    int leftKey;
    bool ImGui_ImplRaylib_InputState::*last;
};

constexpr ModifierKeys MODIFIERS[] = {
    {ImGuiMod_Ctrl, KEY_RIGHT_CONTROL, KEY_LEFT_CONTROL, &ImGui_ImplRaylib_InputState::lastCtrl},
    {ImGuiMod_Shift, KEY_RIGHT_SHIFT, KEY_LEFT_SHIFT, &ImGui_ImplRaylib_InputState::lastShift},
    {ImGuiMod_Alt, KEY_RIGHT_ALT, KEY_LEFT_ALT, &ImGui_ImplRaylib_InputState::lastAlt},
    {ImGuiMod_Super, KEY_RIGHT_SUPER, KEY_LEFT_SUPER, &ImGui_ImplRaylib_InputState::lastSuper},
};

struct MouseButtonPair {
    int raylibButton;
    int imguiButton;
};

constexpr MouseButtonPair MOUSE_BUTTONS[] = {
    {MOUSE_BUTTON_LEFT, 0}, {MOUSE_BUTTON_RIGHT, 1}, {MOUSE_BUTTON_MIDDLE, 2},
    {MOUSE_BUTTON_FORWARD, 3}, {MOUSE_BUTTON_BACK, 4},
};

struct GamepadButtonPair {
    int raylibButton;
    ImGuiKey imguiKey;
};

// The right-face left/right and the middle left/right buttons are crossed on purpose.
constexpr GamepadButtonPair GAMEPAD_BUTTONS[] = {
    {GAMEPAD_BUTTON_LEFT_FACE_UP, ImGuiKey_GamepadDpadUp},
    {GAMEPAD_BUTTON_LEFT_FACE_RIGHT, ImGuiKey_GamepadDpadRight},
    {GAMEPAD_BUTTON_LEFT_FACE_DOWN, ImGuiKey_GamepadDpadDown},
    {GAMEPAD_BUTTON_LEFT_FACE_LEFT, ImGuiKey_GamepadDpadLeft},
    {GAMEPAD_BUTTON_RIGHT_FACE_UP, ImGuiKey_GamepadFaceUp},
    {GAMEPAD_BUTTON_RIGHT_FACE_RIGHT, ImGuiKey_GamepadFaceLeft},
    {GAMEPAD_BUTTON_RIGHT_FACE_DOWN, ImGuiKey_GamepadFaceDown},
    {GAMEPAD_BUTTON_RIGHT_FACE_LEFT, ImGuiKey_GamepadFaceRight},
    {GAMEPAD_BUTTON_LEFT_TRIGGER_1, ImGuiKey_GamepadL1},
    {GAMEPAD_BUTTON_LEFT_TRIGGER_2, ImGuiKey_GamepadL2},
    {GAMEPAD_BUTTON_RIGHT_TRIGGER_1, ImGuiKey_GamepadR1},
    {GAMEPAD_BUTTON_RIGHT_TRIGGER_2, ImGuiKey_GamepadR2},
    {GAMEPAD_BUTTON_LEFT_THUMB, ImGuiKey_GamepadL3},
    {GAMEPAD_BUTTON_RIGHT_THUMB, ImGuiKey_GamepadR3},
    {GAMEPAD_BUTTON_MIDDLE_LEFT, ImGuiKey_GamepadStart},
    {GAMEPAD_BUTTON_MIDDLE_RIGHT, ImGuiKey_GamepadBack},
};

struct GamepadAxisKeys {
    int axis;
    ImGuiKey negative;
    ImGuiKey positive;
};

constexpr GamepadAxisKeys GAMEPAD_AXES[] = {
    {GAMEPAD_AXIS_LEFT_X, ImGuiKey_GamepadLStickLeft, ImGuiKey_GamepadLStickRight},
    {GAMEPAD_AXIS_LEFT_Y, ImGuiKey_GamepadLStickUp, ImGuiKey_GamepadLStickDown},
    {GAMEPAD_AXIS_RIGHT_X, ImGuiKey_GamepadRStickLeft, ImGuiKey_GamepadRStickRight},
    {GAMEPAD_AXIS_RIGHT_Y, ImGuiKey_GamepadRStickUp, ImGuiKey_GamepadRStickDown},
};

constexpr float GAMEPAD_DEAD_ZONE = 0.2f;

void queueGamepad(ImGuiIO& io, const ImGui_ImplRaylib_InputSource& input) {
    if ((io.ConfigFlags & ImGuiConfigFlags_NavEnableGamepad) == 0 || !input.isGamepadAvailable(0)) return;
    for (const GamepadButtonPair& b : GAMEPAD_BUTTONS) {
        if (input.isGamepadButtonPressed(0, b.raylibButton))
            io.AddKeyEvent(b.imguiKey, true);
        else if (input.isGamepadButtonReleased(0, b.raylibButton))
            io.AddKeyEvent(b.imguiKey, false);
    }
    for (const GamepadAxisKeys& a : GAMEPAD_AXES) {
        const float v = input.getGamepadAxisMovement(0, a.axis);
        io.AddKeyAnalogEvent(a.negative, v < -GAMEPAD_DEAD_ZONE, v < -GAMEPAD_DEAD_ZONE ? -v : 0.0f);
        io.AddKeyAnalogEvent(a.positive, v > GAMEPAD_DEAD_ZONE, v > GAMEPAD_DEAD_ZONE ? v : 0.0f);
    }
}

void queueKeyEdges(ImGuiIO& io, const ImGui_ImplRaylib_InputSource& input) {
    for (const ImGui_ImplRaylib_KeyPair& k : KEY_MAP) {
        if (input.isKeyReleased(k.raylibKey))
            io.AddKeyEvent(k.imguiKey, false);
        else if (input.isKeyPressed(k.raylibKey))
            io.AddKeyEvent(k.imguiKey, true);
    }
}

void queueButtonEdges(ImGuiIO& io, const ImGui_ImplRaylib_InputSource& input) {
    for (const MouseButtonPair& b : MOUSE_BUTTONS) {
        if (input.isMouseButtonPressed(b.raylibButton))
            io.AddMouseButtonEvent(b.imguiButton, true);
        else if (input.isMouseButtonReleased(b.raylibButton))
            io.AddMouseButtonEvent(b.imguiButton, false);
    }
}

ImGuiKey imguiKeyOf(int raylibKey) {
    for (const ImGui_ImplRaylib_KeyPair& k : KEY_MAP)
        if (k.raylibKey == raylibKey) return k.imguiKey;
    return ImGuiKey_None;
}

int imguiButtonOf(int raylibButton) {
    for (const MouseButtonPair& b : MOUSE_BUTTONS)
        if (b.raylibButton == raylibButton) return b.imguiButton;
    return -1;
}

// Keys that type a character (the printable block and the keypad's digits and signs,
// Enter aside) when neither Ctrl nor Super is held.
bool typesCharacter(int raylibKey, const ImGui_ImplRaylib_InputState& state) {
    if (state.lastCtrl || state.lastSuper) return false;
    const bool printable = raylibKey >= KEY_SPACE && raylibKey <= KEY_GRAVE;
    const bool keypad = raylibKey >= KEY_KP_0 && raylibKey <= KEY_KP_EQUAL && raylibKey != KEY_KP_ENTER;
    return printable || keypad;
}

// A button event goes with the point it happened at, so a click that went down and up
// on a panel button between two frames lands on that button wherever the mouse is now.
// While a text field is being edited the keys that type are left out: their text comes
// as characters, and Dear ImGui would hold that text back until it had spread each
// tap's press and release over a frame of its own, so at a few frames a second typing
// would fall further and further behind.
void queueFrameEvents(ImGuiIO& io, const ImGui_ImplRaylib_InputState& state,
                      const ImGui_ImplRaylib_FrameEvents& frame) {
    for (const ImGui_ImplRaylib_PressEvent& e : frame.events) {
        if (!e.button) {
            const ImGuiKey key = imguiKeyOf(e.code);
            if (key == ImGuiKey_None || (io.WantTextInput && typesCharacter(e.code, state))) continue;
            io.AddKeyEvent(key, e.press);
            continue;
        }
        const int button = imguiButtonOf(e.code);
        if (button < 0) continue;
        if (!io.WantSetMousePos) io.AddMousePosEvent(e.point.x, e.point.y);
        io.AddMouseButtonEvent(button, e.press);
    }
}

}  // namespace

const ImGui_ImplRaylib_KeyPair* ImGui_ImplRaylib_KeyMap() { return KEY_MAP; }

int ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor cursor) {
    for (const CursorPair& c : CURSOR_MAP)
        if (c.imguiCursor == cursor) return c.raylibCursor;
    return MOUSE_CURSOR_DEFAULT;
}

void ImGui_ImplRaylib_QueueEvents(ImGuiIO& io, ImGui_ImplRaylib_InputState& state,
                                  const ImGui_ImplRaylib_InputSource& input,
                                  const ImGui_ImplRaylib_FrameEvents& frame) {
    const bool focused = input.isWindowFocused();
    if (focused != state.lastFocused) io.AddFocusEvent(focused);
    state.lastFocused = focused;

    for (const ModifierKeys& m : MODIFIERS) {
        const bool down = input.isKeyDown(m.rightKey) || input.isKeyDown(m.leftKey);
        if (down != state.*m.last) io.AddKeyEvent(m.mod, down);
        state.*m.last = down;
    }

    if (frame.queued)
        queueFrameEvents(io, state, frame);
    else
        queueKeyEdges(io, input);

    // Characters stay in raylib's queue for the program unless Dear ImGui wants them.
    if (io.WantCaptureKeyboard) {
        for (int c = input.getCharPressed(); c != 0; c = input.getCharPressed())
            io.AddInputCharacter(static_cast<unsigned int>(c));
    }

    if (!io.WantSetMousePos)
        io.AddMousePosEvent(static_cast<float>(input.getMouseX()), static_cast<float>(input.getMouseY()));

    if (!frame.queued) queueButtonEdges(io, input);

    const Vector2 wheel = input.getMouseWheelMoveV();
    io.AddMouseWheelEvent(wheel.x, wheel.y);

    queueGamepad(io, input);
}
