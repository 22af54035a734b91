// Camera keys, the wheel, the switches between editor and simulation, and the pixel/world conversion.
#include <gtest/gtest.h>

#include "app/editor.h"
#include "app/frame.h"
#include "app/modes.h"
#include "physics/world.h"

namespace {

InputSnapshot held(std::initializer_list<int> keys, float frameTime) {
    InputSnapshot in;
    in.frameTime = frameTime;
    for (int key : keys) in.keyDown.set(static_cast<std::size_t>(key));
    return in;
}

InputSnapshot pressed(std::initializer_list<int> keys) {
    InputSnapshot in;
    for (int key : keys) {
        in.keyPressed.set(static_cast<std::size_t>(key));
        in.keyDown.set(static_cast<std::size_t>(key));
    }
    return in;
}

InputSnapshot wheel(float amount, float mouseX) {
    InputSnapshot in;
    in.wheel = Vector2{0.0f, amount};
    in.mouse = Vector2{mouseX, 400.0f};
    return in;
}

// An application state with a real world, as after start-up (no presets).
struct ModesFixture : testing::Test {
    AppState app;
    void SetUp() override {
        app.editor = makeEditorState();
        initSimulation(app.sim);
        app.quake.groundBody = app.sim.ground.body;
    }
    void TearDown() override { destroySimulation(app.sim); }
};

}  // namespace

TEST(ModesCoordinates, ScreenAndWorldAtTheStartAndAfterMoving) {
    Camera2D camera{{425, 425}, {0, 0}, 0, 1.0f};
    Vector2 origin = screenToWorld(camera, Vector2{425, 425});
    EXPECT_EQ(origin.x, 0.0f);
    EXPECT_EQ(origin.y, 0.0f);
    Vector2 snap = screenToWorld(camera, Vector2{435, 405});
    EXPECT_EQ(snap.x, 10.0f);
    EXPECT_EQ(snap.y, -20.0f);

    camera.target = Vector2{100, -50};
    camera.zoom = 2.0f;
    Vector2 w = screenToWorld(camera, Vector2{445, 405});
    EXPECT_FLOAT_EQ(w.x, 110.0f);
    EXPECT_FLOAT_EQ(w.y, -60.0f);
    Vector2 back = worldToScreen(camera, w);
    EXPECT_FLOAT_EQ(back.x, 445.0f);
    EXPECT_FLOAT_EQ(back.y, 405.0f);
}

TEST(ModesPan, HorizontalAndVerticalPriorities) {
    struct Case {
        std::initializer_list<int> keys;
        float dx, dy;
    };
    const Case cases[] = {
        {{KEY_D}, 50, 0},           {{KEY_RIGHT}, 50, 0},        {{KEY_A}, -50, 0},
        {{KEY_LEFT}, -50, 0},       {{KEY_D, KEY_A}, 50, 0},     {{KEY_LEFT, KEY_RIGHT}, 50, 0},
        {{KEY_W}, 0, -50},          {{KEY_UP}, 0, -50},          {{KEY_S}, 0, 50},
        {{KEY_DOWN}, 0, 50},        {{KEY_W, KEY_S}, 0, -50},    {{KEY_UP, KEY_DOWN}, 0, -50},
        {{KEY_D, KEY_S}, 50, 50},   {{KEY_A, KEY_W}, -50, -50},
    };
    for (const Case& c : cases) {
        AppState app;
        updateCameraAndModes(app, held(c.keys, 0.5f));
        EXPECT_FLOAT_EQ(app.camera.target.x, c.dx);
        EXPECT_FLOAT_EQ(app.camera.target.y, c.dy);
        EXPECT_EQ(app.camera.zoom, 1.0f);
    }
}

TEST(ModesPan, SpeedIsInWorldUnitsWhateverTheZoom) {
    AppState app;
    app.camera.zoom = 2.0f;
    const Vector2 world{100, -100};
    const Vector2 before = worldToScreen(app.camera, world);
    updateCameraAndModes(app, held({KEY_D}, 0.5f));
    EXPECT_FLOAT_EQ(app.camera.target.x, 50.0f);
    const Vector2 after = worldToScreen(app.camera, world);
    EXPECT_FLOAT_EQ(before.x - after.x, 100.0f);  // the picture moves 100 pixels
}

TEST(ModesZoom, WheelOnlyRightOfThePanelStrip) {
    AppState app;
    updateCameraAndModes(app, wheel(1.0f, 300.0f));
    EXPECT_EQ(app.camera.zoom, 1.0f);
    updateCameraAndModes(app, wheel(1.0f, 0.0f));
    EXPECT_EQ(app.camera.zoom, 1.0f);
    updateCameraAndModes(app, wheel(1.0f, 300.5f));
    EXPECT_EQ(app.camera.zoom, 2.0f);
}

TEST(ModesZoom, StepsFloorAndCameraReset) {
    AppState app;
    const float down[] = {0.1f, 0.1f};
    for (float expected : down) {
        updateCameraAndModes(app, wheel(-1.0f, 600.0f));
        EXPECT_FLOAT_EQ(app.camera.zoom, expected);
    }
    updateCameraAndModes(app, wheel(1.0f, 600.0f));
    EXPECT_FLOAT_EQ(app.camera.zoom, 1.1f);

    // R after panning: zoom 1.5, rotation 0, target where it was.
    updateCameraAndModes(app, held({KEY_D, KEY_W}, 0.25f));
    app.camera.rotation = 30.0f;
    updateCameraAndModes(app, pressed({KEY_R}));
    EXPECT_EQ(app.camera.zoom, 1.5f);
    EXPECT_EQ(app.camera.rotation, 0.0f);
    EXPECT_FLOAT_EQ(app.camera.target.x, 25.0f);
    EXPECT_FLOAT_EQ(app.camera.target.y, -25.0f);
    updateCameraAndModes(app, wheel(-1.0f, 600.0f));
    EXPECT_FLOAT_EQ(app.camera.zoom, 0.5f);
    updateCameraAndModes(app, wheel(-1.0f, 600.0f));
    EXPECT_FLOAT_EQ(app.camera.zoom, 0.1f);
}

TEST(ModesZoom, HorizontalWheelCountsWhenItIsTheLargerMovement) {
    AppState app;
    InputSnapshot in = wheel(0.5f, 600.0f);
    in.wheel.x = -2.0f;
    updateCameraAndModes(app, in);
    EXPECT_FLOAT_EQ(app.camera.zoom, 0.1f);  // 1 - 2 = -1, floored
}

TEST_F(ModesFixture, FStartsOnceFromACopyOfTheLines) {
    app.editor.lines = {{{10, -20}, {10, -30}}, {{10, -30}, {20, -30}}};
    app.editor.hasPending = 1;
    app.editor.pendingStart = Vector2{40, -40};
    updateCameraAndModes(app, pressed({KEY_F}));
    EXPECT_EQ(app.simulating, 1);
    ASSERT_EQ(app.sim.beams.size(), 2u);
    const std::size_t joints = app.sim.jointSlots.size();
    updateCameraAndModes(app, pressed({KEY_F}));
    EXPECT_EQ(app.sim.beams.size(), 2u);
    EXPECT_EQ(app.sim.jointSlots.size(), joints);
    // The editor's own state stays as it was.
    EXPECT_EQ(app.editor.lines.size(), 2u);
    EXPECT_EQ(app.editor.hasPending, 1);
    EXPECT_EQ(app.camera.zoom, 1.0f);
}

TEST_F(ModesFixture, GInTheEditorDoesNothing) {
    app.editor.hasPending = 1;
    app.editor.pendingStart = Vector2{40, -40};
    app.quake.elapsed = 1.0f;
    updateCameraAndModes(app, pressed({KEY_G}));
    EXPECT_EQ(app.simulating, 0);
    EXPECT_EQ(app.editor.hasPending, 1);
    EXPECT_EQ(app.editor.pendingStart.x, 40.0f);
    EXPECT_EQ(app.quake.elapsed, 1.0f);
}

TEST_F(ModesFixture, GStopsTheQuakeCancelsThePendingPointAndClearsTheStructure) {
    app.editor.lines = {{{10, -20}, {10, -30}}};
    app.editor.deleteMode = 1;
    app.editor.hasPending = 1;
    app.editor.pendingStart = Vector2{40, -40};
    app.editor.pendingEnd = Vector2{50, -40};
    updateCameraAndModes(app, pressed({KEY_F}));
    ASSERT_EQ(app.sim.beams.size(), 1u);
    app.quake.active = true;
    app.quake.elapsed = 1.5f;
    app.quake.duration = 7.0f;
    addPoint(app.quake.graphX, 1.0f, 2.0f);
    addPoint(app.quake.graphY, 1.0f, 2.0f);
    app.camera.target = Vector2{30, 40};

    updateCameraAndModes(app, pressed({KEY_G}));
    EXPECT_EQ(app.simulating, 0);
    EXPECT_FALSE(app.quake.active);
    EXPECT_EQ(app.quake.elapsed, 0.0f);
    EXPECT_EQ(app.quake.duration, 7.0f);
    EXPECT_TRUE(app.quake.graphX.data.empty()) << "a finished quake's curves go with its structure";
    EXPECT_TRUE(app.quake.graphY.data.empty());
    EXPECT_EQ(app.editor.hasPending, 0);
    EXPECT_EQ(app.editor.pendingStart.x, 0.0f);
    EXPECT_EQ(app.editor.pendingStart.y, 0.0f);
    EXPECT_EQ(app.editor.pendingEnd.x, 0.0f);
    EXPECT_EQ(app.editor.pendingEnd.y, 0.0f);
    EXPECT_TRUE(app.sim.beams.empty());
    EXPECT_TRUE(app.sim.jointSlots.empty());
    EXPECT_TRUE(app.sim.jointRecords.empty());
    EXPECT_EQ(app.editor.lines.size(), 1u);
    EXPECT_EQ(app.editor.deleteMode, 1);
    EXPECT_EQ(app.camera.target.x, 30.0f);

    // F rebuilds the same structure from the unchanged lines.
    updateCameraAndModes(app, pressed({KEY_F}));
    EXPECT_EQ(app.simulating, 1);
    EXPECT_EQ(app.sim.beams.size(), 1u);
}

TEST_F(ModesFixture, GAndFInOneSimulatedFrameRebuild) {
    app.editor.lines = {{{10, -20}, {10, -30}}};
    startSimulation(app);
    app.quake.active = true;
    updateCameraAndModes(app, pressed({KEY_G, KEY_F}));
    EXPECT_EQ(app.simulating, 1);
    EXPECT_FALSE(app.quake.active);
    EXPECT_EQ(app.sim.beams.size(), 1u);
}

TEST(ModesTyping, BackslashFlipsEveryTime) {
    AppState app;
    updateTypingMode(app, pressed({KEY_BACKSLASH}));
    EXPECT_TRUE(app.typingMode);
    updateTypingMode(app, InputSnapshot{});
    EXPECT_TRUE(app.typingMode);
    updateTypingMode(app, pressed({KEY_BACKSLASH}));
    EXPECT_FALSE(app.typingMode);
}
