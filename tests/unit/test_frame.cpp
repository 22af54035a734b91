// One frame without a window: the physics time gate, typing mode, and the input the
// panel holds on to (a text field being edited, the mouse over the panel).
#include <gtest/gtest.h>

#include "app/design_commands.h"
#include "app/frame.h"
#include "app/input_events.h"
#include "app/modes.h"
#include "app/rigidity_check.h"
#include "app/view_framing.h"
#include "frame_input.h"
#include "physics/engine/b2layer.h"
#include "physics/world.h"

namespace {

// Every binding of the program except backslash, pressed at once, plus the wheel.
InputSnapshot everyBinding(float frameTime) {
    InputSnapshot in = withKeys(frame(frameTime), {KEY_W, KEY_A, KEY_S, KEY_D, KEY_UP, KEY_DOWN, KEY_LEFT,
                                                   KEY_RIGHT, KEY_R, KEY_F, KEY_G, KEY_H, KEY_J, KEY_K,
                                                   KEY_C, KEY_ENTER, KEY_P, KEY_N, KEY_LEFT_BRACKET, KEY_RIGHT_BRACKET,
                                                   KEY_HOME});
    in.wheel = Vector2{0, 3};
    return in;
}

InputSnapshot clickAtPixel(Vector2 pixel) {
    InputSnapshot in = frame(0.01f);
    in.mouse = pixel;
    in.mousePressed.set(MOUSE_BUTTON_LEFT);
    in.mouseDown.set(MOUSE_BUTTON_LEFT);
    return in;
}

struct FrameFixture : testing::Test {
    AppState app;
    void SetUp() override { initApp(app); }
    void TearDown() override { shutdownApp(app); }

    void run(const InputSnapshot& in) { updateFrame(app, in, lowest); }

    // A member high above the ground, free to fall.
    void startWithFallingMember() {
        app.editor.lines = {{{100, -300}, {120, -300}}};
        run(withKeys(frame(0.0f), {KEY_F}));
        ASSERT_EQ(app.simulating, 1);
        ASSERT_EQ(app.sim.beams.size(), 1u);
    }
    float memberY() { return b2Body_GetPosition(app.sim.beams[0].body).y; }
};

}  // namespace

TEST_F(FrameFixture, StartUpState) {
    EXPECT_EQ(app.editor.grid.size(), 50u);
    EXPECT_TRUE(isLive(app.sim.worldId));
    EXPECT_TRUE(app.quake.groundBody == app.sim.ground.body);
    EXPECT_TRUE(isLive(app.quake.groundBody));
    EXPECT_FALSE(app.typingMode);
    EXPECT_EQ(app.stepAccumulator, 0.0f);
    EXPECT_EQ(app.simulating, 0);
    EXPECT_EQ(app.camera.zoom, 1.0f);
}

TEST_F(FrameFixture, LongStayInTheEditorStepsOnTheFirstSimulatedFrame) {
    for (int i = 0; i < 500; ++i) run(frame(0.002f));
    EXPECT_NEAR(app.stepAccumulator, 1.0f, 1e-3f);
    startWithFallingMember();  // the F frame itself is the first simulated frame
    EXPECT_EQ(app.stepAccumulator, 0.0f);
    EXPECT_GT(memberY(), -300.0f);  // fallen a little (y grows downwards)
}

TEST_F(FrameFixture, FramesOfAThirtiethStepEveryFrame) {
    startWithFallingMember();
    for (int i = 0; i < 10; ++i) {
        const float before = memberY();
        run(frame(1.0f / 30.0f));
        EXPECT_EQ(app.stepAccumulator, 0.0f);
        EXPECT_GT(memberY(), before) << "frame " << i;
    }
}

TEST_F(FrameFixture, FramesOfAMillisecondStepOnTheNinth) {
    startWithFallingMember();
    const std::uint64_t steps = app.worldSteps;
    for (int round = 0; round < 3; ++round) {
        for (int i = 1; i <= 8; ++i) {
            const float before = memberY();
            run(frame(0.001f));
            EXPECT_GT(app.stepAccumulator, 0.0f);
            EXPECT_EQ(memberY(), before) << "round " << round << " frame " << i;
        }
        const float before = memberY();
        run(frame(0.001f));
        EXPECT_EQ(app.stepAccumulator, 0.0f);
        EXPECT_GT(memberY(), before) << "round " << round;
    }
    EXPECT_EQ(app.worldSteps, steps + 3);  // the frame log's simulated time
}

TEST_F(FrameFixture, TypingModeSuspendsCameraAndModeKeysOnly) {
    app.editor.lines = {{{10, -20}, {20, -20}}, {{20, -20}, {30, -20}}};
    app.typingMode = true;
    InputSnapshot keys = everyBinding(0.5f);
    keys.keyPressed.reset(KEY_H);
    run(keys);
    EXPECT_EQ(app.camera.target.x, 0.0f);
    EXPECT_EQ(app.camera.target.y, 0.0f);
    EXPECT_EQ(app.camera.zoom, 1.0f);
    EXPECT_EQ(app.simulating, 0);     // F suspended
    EXPECT_EQ(app.run.slowdown, 1);   // [ and ] suspended
    EXPECT_FALSE(app.rigidity.shown);  // C suspended
    EXPECT_TRUE(app.editor.lines.empty());  // J still acts
    run(withKeys(frame(0.01f), {KEY_H}));
    EXPECT_EQ(app.editor.deleteMode, 1);  // H still acts
    run(withKeys(frame(0.01f), {KEY_H}));
    run(clickAtPixel(Vector2{435, 405}));  // the mouse still acts: world (10, -20)
    EXPECT_EQ(app.editor.hasPending, 1);
    EXPECT_EQ(app.editor.pendingStart.x, 10.0f);
    EXPECT_EQ(app.editor.pendingStart.y, -20.0f);

    // In a simulation: G suspended, K and Enter act.
    startSimulation(app);
    run(withKeys(frame(0.01f), {KEY_G, KEY_K, KEY_ENTER, KEY_P}));
    EXPECT_EQ(app.simulating, 1);
    EXPECT_FALSE(app.run.paused);  // P suspended
    EXPECT_EQ(app.sim.humans.size(), 1u);
    EXPECT_TRUE(app.quake.active);

    // Backslash leaves typing mode; G works again.
    run(withKeys(frame(0.01f), {KEY_BACKSLASH}));
    EXPECT_FALSE(app.typingMode);
    run(withKeys(frame(0.01f), {KEY_G}));
    EXPECT_EQ(app.simulating, 0);
    EXPECT_TRUE(app.sim.humans.empty());
}

TEST_F(FrameFixture, TypingIntoAPanelTextFieldActsOnNoBinding) {
    app.editor.lines = {{{10, -20}, {20, -20}}, {{20, -20}, {30, -20}}};
    app.editor.hasPending = 1;
    app.editor.pendingStart = Vector2{40, -40};
    InputSnapshot typed = everyBinding(0.5f);
    typed.uiTextActive = true;
    run(typed);
    EXPECT_EQ(app.editor.lines.size(), 2u);
    EXPECT_EQ(app.editor.deleteMode, 0);
    EXPECT_EQ(app.editor.hasPending, 1);
    EXPECT_EQ(app.simulating, 0);
    EXPECT_FALSE(app.rigidity.shown);
    EXPECT_EQ(app.camera.target.x, 0.0f);
    EXPECT_EQ(app.camera.target.y, 0.0f);
    EXPECT_EQ(app.camera.zoom, 1.0f);
    EXPECT_FALSE(app.typingMode);

    // Backslash still flips typing mode.
    InputSnapshot backslash = withKeys(frame(0.01f), {KEY_BACKSLASH});
    backslash.uiTextActive = true;
    run(backslash);
    EXPECT_TRUE(app.typingMode);
    run(withKeys(frame(0.01f), {KEY_BACKSLASH}));
    EXPECT_FALSE(app.typingMode);

    // In a simulation G, K and Enter typed into the field do nothing either.
    run(withKeys(frame(0.01f), {KEY_F}));
    ASSERT_EQ(app.simulating, 1);
    run(typed);
    EXPECT_EQ(app.simulating, 1);
    EXPECT_FALSE(app.run.paused);
    EXPECT_EQ(app.run.slowdown, 1);
    EXPECT_TRUE(app.sim.humans.empty());
    EXPECT_FALSE(app.quake.active);
    // Once the field lets go, the same keys act again.
    run(withKeys(frame(0.01f), {KEY_K, KEY_ENTER}));
    EXPECT_EQ(app.sim.humans.size(), 1u);
    EXPECT_TRUE(app.quake.active);
}

TEST_F(FrameFixture, TextFieldLeavesTheMouseToTheScene) {
    InputSnapshot in = clickAtPixel(Vector2{435, 405});
    in.uiTextActive = true;
    run(in);
    EXPECT_EQ(app.editor.hasPending, 1);
}

TEST_F(FrameFixture, MouseOverThePanelNeitherClicksNorZooms) {
    app.editor.lines = {{{10, -20}, {20, -20}}};
    InputSnapshot in = clickAtPixel(Vector2{435, 405});
    in.wheel = Vector2{0, 2};
    in.uiWantsMouse = true;
    run(in);
    EXPECT_EQ(app.editor.hasPending, 0);
    EXPECT_EQ(app.camera.zoom, 1.0f);

    // Keys still act while the mouse is over the panel.
    InputSnapshot keys = withKeys(frame(0.5f), {KEY_D, KEY_J});
    keys.uiWantsMouse = true;
    run(keys);
    EXPECT_FLOAT_EQ(app.camera.target.x, 50.0f);
    EXPECT_TRUE(app.editor.lines.empty());

    // Away from the panel the same click and wheel act.
    InputSnapshot click = clickAtPixel(Vector2{435, 405});  // world (60, -20) now
    run(click);
    EXPECT_EQ(app.editor.hasPending, 1);
    EXPECT_EQ(app.editor.pendingStart.x, 60.0f);
    InputSnapshot scroll = frame(0.01f);
    scroll.wheel = Vector2{0, 2};
    run(scroll);
    EXPECT_EQ(app.camera.zoom, 3.0f);
}

TEST(FrameSceneInput, FiltersOnlyWhatThePanelHolds) {
    InputSnapshot in = everyBinding(0.1f);
    in.keyPressed.set(KEY_BACKSLASH);
    in.keyPressed.set(KEY_X);
    in.mousePressed.set(MOUSE_BUTTON_LEFT);

    InputSnapshot untouched = sceneInput(in);
    EXPECT_EQ(untouched.keyPressed, in.keyPressed);
    EXPECT_EQ(untouched.mousePressed, in.mousePressed);
    EXPECT_EQ(untouched.wheel.y, 3.0f);

    in.uiTextActive = true;
    InputSnapshot text = sceneInput(in);
    EXPECT_TRUE(keyPressed(text, KEY_BACKSLASH));
    EXPECT_TRUE(keyPressed(text, KEY_X));  // not a binding: left alone
    for (int key : {KEY_W, KEY_A, KEY_S, KEY_D, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_R, KEY_F, KEY_G, KEY_H,
                    KEY_J, KEY_K, KEY_C, KEY_ENTER, KEY_P, KEY_N, KEY_LEFT_BRACKET, KEY_RIGHT_BRACKET, KEY_HOME}) {
        EXPECT_FALSE(keyPressed(text, key)) << key;
        EXPECT_FALSE(keyDown(text, key)) << key;
    }
    EXPECT_EQ(text.wheel.y, 0.0f);
    EXPECT_TRUE(mousePressed(text, MOUSE_BUTTON_LEFT));
    EXPECT_EQ(text.frameTime, 0.1f);

    in.uiTextActive = false;
    in.uiWantsMouse = true;
    InputSnapshot mouse = sceneInput(in);
    EXPECT_FALSE(mousePressed(mouse, MOUSE_BUTTON_LEFT));
    EXPECT_EQ(mouse.wheel.y, 0.0f);
    EXPECT_TRUE(keyPressed(mouse, KEY_J));
    EXPECT_EQ(mouse.mouse.x, in.mouse.x);
}

TEST_F(FrameFixture, EnterAndKInTheEditorDoNothing) {
    run(withKeys(frame(0.01f), {KEY_ENTER, KEY_K}));
    EXPECT_FALSE(app.quake.active);
    EXPECT_TRUE(app.quake.graphX.data.empty());
    EXPECT_TRUE(app.sim.humans.empty());
}

TEST_F(FrameFixture, UndoKeysActInTheEditorOutsideTypingModeAndTextFieldsAndSurviveFAndG) {
    run(clickAtPixel(Vector2{435, 405}));  // world (10, -20)
    run(clickAtPixel(Vector2{445, 405}));  // world (20, -20)
    ASSERT_EQ(app.editor.lines.size(), 1u);
    const InputSnapshot undo = withKeys(frame(0.01f), {KEY_LEFT_CONTROL, KEY_Z});

    InputSnapshot inTextField = undo;  // Ctrl+Z there is the text field's own
    inTextField.uiTextActive = true;
    run(inTextField);
    app.typingMode = true;
    run(undo);
    app.typingMode = false;
    run(withKeys(frame(0.01f), {KEY_Z}));  // Z alone is no binding
    run(withKeys(frame(0.01f), {KEY_F}));
    run(undo);  // not in a simulation
    EXPECT_EQ(app.editor.lines.size(), 1u);
    run(withKeys(frame(0.01f), {KEY_G}));
    ASSERT_EQ(app.simulating, 0);

    run(undo);
    EXPECT_TRUE(app.editor.lines.empty());
    run(withKeys(frame(0.01f), {KEY_RIGHT_CONTROL, KEY_RIGHT_SHIFT, KEY_Z}));
    EXPECT_EQ(app.editor.lines.size(), 1u);
    run(undo);
    run(withKeys(frame(0.01f), {KEY_LEFT_CONTROL, KEY_Y}));
    EXPECT_EQ(app.editor.lines.size(), 1u);
}

TEST_F(FrameFixture, ClicksAndKeyTapsThatFallBetweenTwoFramesAreAllSeen) {
    // A slow frame: the button went down and up at world (10, -20), then at (20, -20), and H
    // was tapped; the window's state at the frame shows none of it, the mouse is elsewhere.
    InputEvents events;
    for (const Vector2 pixel : {Vector2{435, 405}, Vector2{445, 405}}) {
        noteInputEvent(events, InputEvent{true, MOUSE_BUTTON_LEFT, true, pixel});
        noteInputEvent(events, InputEvent{true, MOUSE_BUTTON_LEFT, false, pixel});
    }
    noteInputEvent(events, InputEvent{false, KEY_H, true, {}});
    noteInputEvent(events, InputEvent{false, KEY_H, false, {}});

    InputSnapshot first = frame(0.25f);
    takeFrameEvents(events, first);
    EXPECT_TRUE(mousePressed(first, MOUSE_BUTTON_LEFT));
    EXPECT_TRUE(mouseReleased(first, MOUSE_BUTTON_LEFT));
    run(first);
    EXPECT_EQ(app.editor.hasPending, 1);
    EXPECT_EQ(app.editor.pendingStart.x, 10.0f);
    EXPECT_EQ(app.editor.deleteMode, 0) << "H waits behind the second click";

    // The second click is the next frame's, in order, and H comes with it.
    InputSnapshot second = frame(0.25f);
    takeFrameEvents(events, second);
    run(second);
    ASSERT_EQ(app.editor.lines.size(), 1u);
    EXPECT_EQ(app.editor.lines[0].end.x, 20.0f);
    EXPECT_EQ(app.editor.deleteMode, 1);
    EXPECT_TRUE(events.queue.empty());
}

TEST_F(FrameFixture, HomeFramesTheLinesOrTheWholeGridRightOfThePanel) {
    const auto inScene = [&](Vector2 world) {
        const Vector2 p = worldToScreen(app.camera, world);
        return p.x >= SCENE_LEFT && p.x <= SCENE_RIGHT && p.y >= 0.0f && p.y <= SCENE_BOTTOM;
    };
    run(withKeys(frame(0.01f), {KEY_HOME}));
    EXPECT_TRUE(inScene({0, -20}) && inScene({490, -510})) << "no lines: the whole grid";
    EXPECT_GT(app.camera.zoom, 0.9f);

    // A preset far off screen says so until Home brings it in.
    Design far;
    far.name = "far";
    far.lines = {{{4000, -3000}, {4000, -3100}}, {{4000, -3100}, {4200, -3100}}};
    applyPresetRecorded(app, far);
    EXPECT_TRUE(app.designOffScreen);
    run(frame(0.01f));
    EXPECT_TRUE(app.designOffScreen);
    run(withKeys(frame(0.01f), {KEY_HOME}));
    EXPECT_FALSE(app.designOffScreen);
    for (const Line& line : far.lines) EXPECT_TRUE(inScene(line.start) && inScene(line.end));
    EXPECT_NEAR(worldToScreen(app.camera, {4100, -3050}).x, (SCENE_LEFT + SCENE_RIGHT) / 2, 0.5f);

    // Panning the design back out of view and in again ends the note without Home.
    app.camera.target.x += 5000.0f;
    applyPresetRecorded(app, far);
    EXPECT_TRUE(app.designOffScreen);
    app.camera.target.x -= 5000.0f;
    run(frame(0.01f));
    EXPECT_FALSE(app.designOffScreen);
}

TEST_F(FrameFixture, RigidityCheckShowsUntilTheDrawingChanges) {
    app.editor.lines = {{{0, -20}, {0, -30}}};  // a post pinned at its foot: it can turn
    run(withKeys(frame(0.01f), {KEY_C}));
    ASSERT_TRUE(app.rigidity.shown);
    EXPECT_EQ(rigiditySummary(app.rigidity), "1 way to move: the tinted members can fold");
    run(frame(0.01f));
    EXPECT_TRUE(app.rigidity.shown);
    run(withKeys(frame(0.01f), {KEY_J}));
    EXPECT_FALSE(app.rigidity.shown);
}
