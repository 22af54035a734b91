// The raylib backend's maps and event queueing, driven by a fake input source.
#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <vector>

#include "headless_ui.h"
#include "ui/backend/imgui_impl_raylib_detail.h"

namespace {

// What the fake window reports this frame.
struct FakeInput {
    bool focused = true;
    std::set<int> down, pressed, released;
    std::deque<int> chars;
    int mouseX = 0, mouseY = 0;
    std::set<int> buttonsPressed, buttonsReleased;
    Vector2 wheel{0.0f, 0.0f};
    bool gamepad = false;
    std::set<int> padPressed, padReleased;
    float axes[6] = {};
};
FakeInput fake;

const ImGui_ImplRaylib_InputSource FAKE_SOURCE = {
    [] { return fake.focused; },
    [](int k) { return fake.down.count(k) > 0; },
    [](int k) { return fake.pressed.count(k) > 0; },
    [](int k) { return fake.released.count(k) > 0; },
    [] {
        if (fake.chars.empty()) return 0;
        const int c = fake.chars.front();
        fake.chars.pop_front();
        return c;
    },
    [] { return fake.mouseX; },
    [] { return fake.mouseY; },
    [](int b) { return fake.buttonsPressed.count(b) > 0; },
    [](int b) { return fake.buttonsReleased.count(b) > 0; },
    [] { return fake.wheel; },
    [](int pad) { return fake.gamepad && pad == 0; },
    [](int, int b) { return fake.padPressed.count(b) > 0; },
    [](int, int b) { return fake.padReleased.count(b) > 0; },
    [](int, int axis) { return fake.axes[axis]; },
};

class BackendInput : public ::testing::Test {
protected:
    void SetUp() override {
        fake = FakeInput{};
        startHeadlessUi(ui);
    }
    void TearDown() override { stopHeadlessUi(ui); }

    // Queues one frame of events, returns them, and lets Dear ImGui run a frame on them.
    std::vector<ImGuiInputEvent> queueFrame() {
        ImGuiContext& g = *ui.context;
        const int before = g.InputEventsQueue.Size;
        ImGui_ImplRaylib_QueueEvents(ImGui::GetIO(), state, FAKE_SOURCE);
        std::vector<ImGuiInputEvent> events(g.InputEventsQueue.begin() + before, g.InputEventsQueue.end());
        headlessFrame(ui, [] {});
        return events;
    }

    static int countKeyEvents(const std::vector<ImGuiInputEvent>& events, ImGuiKey key) {
        int n = 0;
        for (const ImGuiInputEvent& e : events)
            if (e.Type == ImGuiInputEventType_Key && e.Key.Key == key) ++n;
        return n;
    }

    HeadlessUi ui;
    ImGui_ImplRaylib_InputState state{true, false, false, false, false};
};

TEST(BackendMaps, KeyMapHas105EntriesInAscendingCodeWithTheListedPairs) {
    const ImGui_ImplRaylib_KeyPair* map = ImGui_ImplRaylib_KeyMap();
    for (std::size_t i = 1; i < IMGUI_IMPL_RAYLIB_KEY_COUNT; ++i)
        EXPECT_LT(map[i - 1].raylibKey, map[i].raylibKey) << "entry " << i;
    auto lookup = [&](int code) {
        for (std::size_t i = 0; i < IMGUI_IMPL_RAYLIB_KEY_COUNT; ++i)
            if (map[i].raylibKey == code) return map[i].imguiKey;
        return ImGuiKey_None;
    };
    for (int c = 0; c < 26; ++c) EXPECT_EQ(lookup(65 + c), ImGuiKey_A + c);
    for (int c = 0; c < 10; ++c) EXPECT_EQ(lookup(48 + c), ImGuiKey_0 + c);
    for (int c = 0; c < 12; ++c) EXPECT_EQ(lookup(290 + c), ImGuiKey_F1 + c);
    for (int c = 0; c < 10; ++c) EXPECT_EQ(lookup(320 + c), ImGuiKey_Keypad0 + c);
    EXPECT_EQ(lookup(302), ImGuiKey_None);  // no F13
    EXPECT_EQ(lookup(39), ImGuiKey_Apostrophe);
    EXPECT_EQ(lookup(96), ImGuiKey_GraveAccent);
    EXPECT_EQ(lookup(92), ImGuiKey_Backslash);
    EXPECT_EQ(lookup(262), ImGuiKey_RightArrow);
    EXPECT_EQ(lookup(263), ImGuiKey_LeftArrow);
    EXPECT_EQ(lookup(283), ImGuiKey_PrintScreen);
    EXPECT_EQ(lookup(335), ImGuiKey_KeypadEnter);
    EXPECT_EQ(lookup(336), ImGuiKey_KeypadEqual);
    EXPECT_EQ(lookup(341), ImGuiKey_LeftCtrl);
    EXPECT_EQ(lookup(345), ImGuiKey_RightCtrl);
    EXPECT_EQ(lookup(348), ImGuiKey_Menu);
    EXPECT_EQ(map[0].raylibKey, 32);
    EXPECT_EQ(map[IMGUI_IMPL_RAYLIB_KEY_COUNT - 1].raylibKey, 348);
}

TEST(BackendMaps, CursorMapAndItsDefault) {
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_Arrow), MOUSE_CURSOR_ARROW);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_TextInput), MOUSE_CURSOR_IBEAM);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_ResizeAll), MOUSE_CURSOR_RESIZE_ALL);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_ResizeNS), MOUSE_CURSOR_RESIZE_NS);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_ResizeEW), MOUSE_CURSOR_RESIZE_EW);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_ResizeNESW), MOUSE_CURSOR_RESIZE_NESW);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_ResizeNWSE), MOUSE_CURSOR_RESIZE_NWSE);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_Hand), MOUSE_CURSOR_POINTING_HAND);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_NotAllowed), MOUSE_CURSOR_NOT_ALLOWED);
    // Cursors without an entry, and values out of range, get raylib's default.
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_Wait), MOUSE_CURSOR_DEFAULT);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(ImGuiMouseCursor_COUNT), MOUSE_CURSOR_DEFAULT);
    EXPECT_EQ(ImGui_ImplRaylib_RaylibCursor(42), MOUSE_CURSOR_DEFAULT);
}

TEST_F(BackendInput, FrameTimeOfZeroOrLessReachesDearImGuiAsOneMillisecond) {
    ImGuiIO& io = ImGui::GetIO();
    ImGui_ImplRaylib_WindowInfo window;
    window.screenWidth = 850;
    window.screenHeight = 850;
    ImGui_ImplRaylib_ApplyWindowInfo(io, window, 0.0f);
    EXPECT_FLOAT_EQ(io.DeltaTime, 0.001f);
    ImGui_ImplRaylib_ApplyWindowInfo(io, window, -0.5f);
    EXPECT_FLOAT_EQ(io.DeltaTime, 0.001f);
    ImGui_ImplRaylib_ApplyWindowInfo(io, window, 0.02f);
    EXPECT_FLOAT_EQ(io.DeltaTime, 0.02f);
    // A frame with that time runs without complaint.
    headlessFrame(ui, [] {});
}

TEST_F(BackendInput, DisplaySizeIsTheMonitorsInFullscreenAndScaleOnlyWhenHighDpi) {
    ImGuiIO& io = ImGui::GetIO();
    ImGui_ImplRaylib_WindowInfo window{true, 1920, 1080, 850, 850, false, {2.0f, 2.0f}};
    ImGui_ImplRaylib_ApplyWindowInfo(io, window, 0.016f);
    EXPECT_EQ(io.DisplaySize.x, 1920.0f);
    EXPECT_EQ(io.DisplaySize.y, 1080.0f);
    EXPECT_EQ(io.DisplayFramebufferScale.x, 1.0f);
    window.fullscreen = false;
    window.highDpi = true;
    ImGui_ImplRaylib_ApplyWindowInfo(io, window, 0.016f);
    EXPECT_EQ(io.DisplaySize.x, 850.0f);
    EXPECT_EQ(io.DisplayFramebufferScale.y, 2.0f);
}

TEST_F(BackendInput, CtrlGivesOneEventDownAndOneUpAndBothCtrlKeysCountOnce) {
    fake.down = {KEY_LEFT_CONTROL};
    EXPECT_EQ(countKeyEvents(queueFrame(), ImGuiMod_Ctrl), 1);
    for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(countKeyEvents(queueFrame(), ImGuiMod_Ctrl), 0);
    fake.down = {KEY_LEFT_CONTROL, KEY_RIGHT_CONTROL};
    EXPECT_EQ(countKeyEvents(queueFrame(), ImGuiMod_Ctrl), 0);
    fake.down = {KEY_RIGHT_CONTROL};
    EXPECT_EQ(countKeyEvents(queueFrame(), ImGuiMod_Ctrl), 0);
    fake.down.clear();
    const std::vector<ImGuiInputEvent> up = queueFrame();
    ASSERT_EQ(countKeyEvents(up, ImGuiMod_Ctrl), 1);
    for (const ImGuiInputEvent& e : up)
        if (e.Key.Key == ImGuiMod_Ctrl) { EXPECT_FALSE(e.Key.Down); }
    EXPECT_EQ(countKeyEvents(queueFrame(), ImGuiMod_Ctrl), 0);
}

TEST_F(BackendInput, FocusIsSentOnlyWhenItChanges) {
    auto focusEvents = [](const std::vector<ImGuiInputEvent>& events) {
        int n = 0;
        for (const ImGuiInputEvent& e : events) n += e.Type == ImGuiInputEventType_Focus;
        return n;
    };
    EXPECT_EQ(focusEvents(queueFrame()), 0);
    fake.focused = false;
    EXPECT_EQ(focusEvents(queueFrame()), 1);
    EXPECT_EQ(focusEvents(queueFrame()), 0);
}

TEST_F(BackendInput, KeyEdgesAreSentInAscendingRaylibCodeAndReleaseWinsOverPress) {
    auto keyEvents = [](const std::vector<ImGuiInputEvent>& events) {
        std::vector<std::pair<ImGuiKey, bool>> keys;
        for (const ImGuiInputEvent& e : events)
            if (e.Type == ImGuiInputEventType_Key) keys.emplace_back(e.Key.Key, e.Key.Down);
        return keys;
    };
    using Keys = std::vector<std::pair<ImGuiKey, bool>>;
    fake.pressed = {KEY_Z, KEY_A, KEY_ENTER, KEY_SPACE};
    EXPECT_EQ(keyEvents(queueFrame()),
              (Keys{{ImGuiKey_Space, true}, {ImGuiKey_A, true}, {ImGuiKey_Z, true}, {ImGuiKey_Enter, true}}));
    // Held keys send nothing more; a key let go and pressed again in one frame goes up.
    fake.pressed = {KEY_ENTER};
    fake.released = {KEY_ENTER, KEY_A};
    EXPECT_EQ(keyEvents(queueFrame()), (Keys{{ImGuiKey_A, false}, {ImGuiKey_Enter, false}}));
}

TEST_F(BackendInput, CharactersReachDearImGuiOnlyWhileItWantsTheKeyboard) {
    auto textEvents = [](const std::vector<ImGuiInputEvent>& events) {
        std::vector<unsigned int> chars;
        for (const ImGuiInputEvent& e : events)
            if (e.Type == ImGuiInputEventType_Text) chars.push_back(e.Text.Char);
        return chars;
    };
    fake.chars = {'j', 'k'};
    ImGui::GetIO().WantCaptureKeyboard = false;
    EXPECT_TRUE(textEvents(queueFrame()).empty());
    EXPECT_EQ(fake.chars.size(), 2u) << "characters stay queued for the program";

    ImGui::GetIO().WantCaptureKeyboard = true;
    EXPECT_EQ(textEvents(queueFrame()), (std::vector<unsigned int>{'j', 'k'}));
    EXPECT_TRUE(fake.chars.empty());
}

TEST_F(BackendInput, MousePositionButtonsAndWheel) {
    fake.buttonsPressed = {MOUSE_BUTTON_BACK};
    queueFrame();
    fake.mouseX = 120;
    fake.mouseY = 340;
    fake.buttonsPressed = {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_FORWARD};
    fake.buttonsReleased = {MOUSE_BUTTON_BACK};
    fake.wheel = {0.0f, -1.0f};
    bool sawPos = false, sawWheel = false;
    std::vector<std::pair<int, bool>> buttons;
    for (const ImGuiInputEvent& e : queueFrame()) {
        if (e.Type == ImGuiInputEventType_MousePos) {
            sawPos = true;
            EXPECT_EQ(e.MousePos.PosX, 120.0f);
            EXPECT_EQ(e.MousePos.PosY, 340.0f);
        } else if (e.Type == ImGuiInputEventType_MouseButton) {
            buttons.emplace_back(e.MouseButton.Button, e.MouseButton.Down);
        } else if (e.Type == ImGuiInputEventType_MouseWheel) {
            sawWheel = true;
            EXPECT_EQ(e.MouseWheel.WheelY, -1.0f);
        }
    }
    EXPECT_TRUE(sawPos);
    EXPECT_TRUE(sawWheel);
    EXPECT_EQ(buttons, (std::vector<std::pair<int, bool>>{{0, true}, {3, true}, {4, false}}));

    ImGui::GetIO().WantSetMousePos = true;
    for (const ImGuiInputEvent& e : queueFrame()) EXPECT_NE(e.Type, ImGuiInputEventType_MousePos);
}

TEST_F(BackendInput, QueuedPressAndReleaseWithinOneFrameClickAButtonAndTapAKeyOnce) {
    int clicks = 0;
    int enters = 0;
    ImVec2 centre;
    auto panel = [&] {
        ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
        ImGui::Begin("panel");
        if (ImGui::Button("Home")) ++clicks;
        centre = ImVec2((ImGui::GetItemRectMin().x + ImGui::GetItemRectMax().x) * 0.5f,
                        (ImGui::GetItemRectMin().y + ImGui::GetItemRectMax().y) * 0.5f);
        if (ImGui::IsKeyPressed(ImGuiKey_Enter, false)) ++enters;
        ImGui::End();
    };
    headlessFrame(ui, panel);  // a new window is measured, hidden, in its first frame
    headlessFrame(ui, panel);
    // By the time the frame reads the window the mouse has moved on, and raylib's own
    // once-a-frame edges (which the queue replaces) report the press too.
    fake.mouseX = 600;
    fake.mouseY = 600;
    fake.buttonsPressed = {MOUSE_BUTTON_LEFT};
    fake.pressed = {KEY_ENTER};
    const Vector2 at{centre.x, centre.y};
    const ImGui_ImplRaylib_FrameEvents frame{true,
                                             {{true, MOUSE_BUTTON_LEFT, true, at},
                                              {false, KEY_ENTER, true, at},
                                              {true, MOUSE_BUTTON_LEFT, false, at},
                                              {false, KEY_ENTER, false, at}}};
    ImGui_ImplRaylib_QueueEvents(ImGui::GetIO(), state, FAKE_SOURCE, frame);
    fake = FakeInput{};
    for (int i = 0; i < 4; ++i) headlessFrame(ui, panel);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(enters, 1);
    EXPECT_FALSE(ImGui::IsKeyDown(ImGuiKey_Enter));
}

TEST_F(BackendInput, TextTypedWithinOneFrameIsNotHeldBackBehindItsKeyTaps) {
    char typed[16] = "";
    ImGuiID field = 0;
    auto panel = [&] {
        ImGui::Begin("panel");
        ImGui::InputText("##typed", typed, sizeof typed);
        field = ImGui::GetItemID();
        ImGui::End();
    };
    headlessFrame(ui, panel);
    activateItem(field);
    headlessFrame(ui, panel);
    headlessFrame(ui, panel);
    ASSERT_TRUE(ImGui::GetIO().WantTextInput);
    fake.chars = {'1', '2'};
    const ImGui_ImplRaylib_FrameEvents frame{true,
                                             {{false, KEY_ONE, true, {}},
                                              {false, KEY_ONE, false, {}},
                                              {false, KEY_TWO, true, {}},
                                              {false, KEY_TWO, false, {}}}};
    ImGui_ImplRaylib_QueueEvents(ImGui::GetIO(), state, FAKE_SOURCE, frame);
    headlessFrame(ui, panel);
    EXPECT_STREQ(typed, "12");
}

TEST_F(BackendInput, GamepadIsDormantUnlessNavigationIsEnabledAndMapsCrossedButtons) {
    fake.gamepad = true;
    fake.padPressed = {GAMEPAD_BUTTON_RIGHT_FACE_RIGHT, GAMEPAD_BUTTON_MIDDLE_LEFT};
    fake.axes[GAMEPAD_AXIS_LEFT_X] = -0.5f;
    EXPECT_EQ(countKeyEvents(queueFrame(), ImGuiKey_GamepadFaceLeft), 0);

    ImGui::GetIO().ConfigFlags |= ImGuiConfigFlags_NavEnableGamepad;
    const std::vector<ImGuiInputEvent> events = queueFrame();
    EXPECT_EQ(countKeyEvents(events, ImGuiKey_GamepadFaceLeft), 1);
    EXPECT_EQ(countKeyEvents(events, ImGuiKey_GamepadFaceRight), 0);
    EXPECT_EQ(countKeyEvents(events, ImGuiKey_GamepadStart), 1);
    for (const ImGuiInputEvent& e : events) {
        if (e.Type != ImGuiInputEventType_Key) continue;
        if (e.Key.Key == ImGuiKey_GamepadLStickLeft) {
            EXPECT_TRUE(e.Key.Down);
            EXPECT_FLOAT_EQ(e.Key.AnalogValue, 0.5f);
        }
        if (e.Key.Key == ImGuiKey_GamepadLStickRight) { EXPECT_FALSE(e.Key.Down); }
    }
}

}  // namespace
