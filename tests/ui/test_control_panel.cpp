// The control panel driven headless through Dear ImGui's input events.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/design_commands.h"
#include "app/modes.h"
#include "app/window/app_views.h"
#include "headless_ui.h"
#include "physics/build_limits.h"
#include "physics/connection_limits.h"
#include "physics/units.h"
#include "physics/world.h"
#include "ui/control_panel.h"
#include "ui/plot/plot_widget.h"
#include "ui/ui_frame.h"

namespace {

const char* const HEADERS[] = {"Quake Status", "Fun With Graphs", "Controls", "Quake Settings",
                               "Materials",    "Joint Settings",  "Presets",  "File"};

class ControlPanel : public ::testing::Test {
protected:
    void SetUp() override { startHeadlessUi(ui); }
    void TearDown() override { stopHeadlessUi(ui); }

    // One user-interface frame as the program builds it; inWindow runs while the
    // panel window is still open.
    void frame(const std::function<void()>& inWindow = {}, bool captureText = false) {
        headlessFrame(
            ui,
            [&] {
                if (!inWindow) {
                    buildUiFrame(panelModelOf(app, clock), panelActionsOf(app), panel);
                    return;
                }
                PlotContext* plots = createPlotContext();
                drawControlPanel(panelModelOf(app, clock), panelActionsOf(app), panel);
                destroyPlotContext(plots);
                inWindow();
                ImGui::End();
            },
            captureText);
    }

    std::string frameText() {
        frame([] {}, true);
        return ui.text;
    }

    void openHeaders(std::initializer_list<const char*> labels) {
        frame([&] {
            for (const char* label : labels) ImGui::GetStateStorage()->SetInt(ImGui::GetID(label), 1);
        });
    }

    // The id of an item of the panel, reached through the labels its widget pushes.
    ImGuiID idOf(const std::function<ImGuiID()>& path) {
        ImGuiID id = 0;
        frame([&] { id = path(); });
        return id;
    }
    ImGuiID fieldId(const char* label) {
        return idOf([&] {
            ImGui::PushID(label);
            const ImGuiID id = ImGui::GetID("");
            ImGui::PopID();
            return id;
        });
    }

    // The text of the epicenter's x (0) or y (1).
    ImGuiID epicenterPartId(int part) {
        return idOf([&] {
            ImGui::PushID("##Epicenter");
            ImGui::PushID(part);
            const ImGuiID id = ImGui::GetID("");
            ImGui::PopID();
            ImGui::PopID();
            return id;
        });
    }

    void press(ImGuiID id) {
        activateItem(id);
        frame();
    }
    void typeInto(ImGuiID id, const char* text) {
        activateItem(id);
        frame();
        typeText(text);
        frame();
    }
    void pressKey(ImGuiKey key) {
        ImGui::GetIO().AddKeyEvent(key, true);
        frame();
        ImGui::GetIO().AddKeyEvent(key, false);
        frame();
    }

    // Where an item of the panel is: Dear ImGui keeps the rectangle of the item that has
    // the keyboard focus, also of a greyed one.
    ImRect rectOf(ImGuiID id) {
        frame([&] { ImGui::SetFocusID(id, ImGui::GetCurrentWindow()); });
        frame();
        const ImGuiWindow* window = ImGui::FindWindowByName("Control Panel");
        const ImRect rel = window->NavRectRel[ImGuiNavLayer_Main];
        const ImVec2 at = window->DC.CursorStartPos;  // what the rectangle is kept relative to
        return ImRect(rel.Min.x + at.x, rel.Min.y + at.y, rel.Max.x + at.x, rel.Max.y + at.y);
    }
    void click(ImVec2 at) {
        ImGui::GetIO().AddMousePosEvent(at.x, at.y);
        frame();
        ImGui::GetIO().AddMouseButtonEvent(0, true);
        frame();
        ImGui::GetIO().AddMouseButtonEvent(0, false);
        frame();
    }

    HeadlessUi ui;
    AppState app;
    PanelState panel;
    double clock = 0.0;  // the clock the panel is handed
};

TEST_F(ControlPanel, StartsWithEveryHeaderClosedAndTheFileBoxFilledIn) {
    frame();
    const std::string text = frameText();
    EXPECT_NE(text.find("TREMORA EDITOR"), std::string::npos);
    for (const char* header : HEADERS) EXPECT_NE(text.find(header), std::string::npos) << header;
    for (const char* inside : {"Current Mode:", "Controls:", "Duration (seconds):", "Density", "Threshold", "Save"})
        EXPECT_EQ(text.find(inside), std::string::npos) << inside;
    EXPECT_STREQ(panel.filePathBuffer, "Enter Filepath");
    EXPECT_TRUE(panel.fileMessage.empty());
}

TEST_F(ControlPanel, QuakeStatusTexts) {
    openHeaders({"Quake Status"});
    std::string text = frameText();
    EXPECT_NE(text.find("Current Mode: PLACING"), std::string::npos) << text;
    EXPECT_NE(text.find("Status: INACTIVE"), std::string::npos);
    EXPECT_NE(text.find("Nothing to See Here"), std::string::npos);

    app.editor.deleteMode = 1;
    EXPECT_NE(frameText().find("Current Mode: DELETE"), std::string::npos);
    app.simulating = 1;
    app.quake.active = true;
    app.quake.duration = 4.0f;
    app.quake.elapsed = 1.0f;
    text = frameText();
    EXPECT_NE(text.find("Current Mode: SIMULATION"), std::string::npos);
    EXPECT_NE(text.find("Status: ACTIVE"), std::string::npos);
    EXPECT_NE(text.find("Time Remaining: 3.00 s"), std::string::npos);
    EXPECT_NE(text.find("25%"), std::string::npos) << "progress bar of elapsed / duration";
    EXPECT_EQ(text.find("Nothing to See Here"), std::string::npos);
}

TEST_F(ControlPanel, ControlsListTheKeys) {
    openHeaders({"Controls"});
    const std::string text = frameText();
    for (const char* line : {"Controls:", "Movement : W A S D", "Start: F", "Reset : G", "Toggle Place: H",
                             "Reset Camera: R", "Clear All Lines: J", "Human: K", "Typing Mode: Backslash",
                             "Start Quake: Enter", "Pause / Step: P / N", "Slower / Faster: [ / ]", "Rigidity Check: C"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(ControlPanel, EpicenterYIsNeverLeftPositive) {
    openHeaders({"Quake Settings"});
    const ImGuiID y = epicenterPartId(1);
    typeInto(y, "5");
    EXPECT_EQ(app.quake.epicenter.y, 0.0f);
    pressKey(ImGuiKey_Enter);
    EXPECT_EQ(app.quake.epicenter.y, 0.0f);
    EXPECT_NE(frameText().find("0.000"), std::string::npos);

    typeInto(y, "-5");
    pressKey(ImGuiKey_Enter);
    EXPECT_EQ(app.quake.epicenter.y, -5.0f);

    // A positive y set elsewhere (a preset) is brought back while the header is open.
    app.quake.epicenter.y = 3.0f;
    frame();
    EXPECT_EQ(app.quake.epicenter.y, 0.0f);
}

TEST_F(ControlPanel, RichterPlusButtonAddsOneHundred) {
    openHeaders({"Quake Settings"});
    const ImGuiID plus = idOf([] {
        ImGui::PushID("##magnitude");
        const ImGuiID id = ImGui::GetID("+");
        ImGui::PopID();
        return id;
    });
    press(plus);
    EXPECT_FLOAT_EQ(app.quake.magnitude, 104.0f);
    EXPECT_NE(frameText().find("104.00"), std::string::npos);
}

TEST_F(ControlPanel, EditingDurationDuringAQuakeChangesTheTimeRemainingAtOnce) {
    openHeaders({"Quake Status", "Quake Settings"});
    app.simulating = 1;
    app.quake.active = true;
    app.quake.duration = 4.0f;
    app.quake.elapsed = 1.0f;
    typeInto(fieldId("##duration"), "10");
    pressKey(ImGuiKey_Enter);
    EXPECT_FLOAT_EQ(app.quake.duration, 10.0f);
    EXPECT_NE(frameText().find("Time Remaining: 9.00 s"), std::string::npos);
}

TEST_F(ControlPanel, NumbersThatAreNotFiniteAreRefused) {
    openHeaders({"Materials", "Joint Settings"});
    typeInto(fieldId("##density"), "1e39");
    pressKey(ImGuiKey_Enter);
    EXPECT_FLOAT_EQ(app.sim.density, 4.0f);
    typeInto(fieldId("##threshold"), "2500");
    pressKey(ImGuiKey_Enter);
    EXPECT_FLOAT_EQ(app.sim.threshold, 2500.0f);
}

TEST_F(ControlPanel, SettingsTheEngineCannotTakeAreRefusedWithAMessage) {
    openHeaders({"Quake Settings", "Materials"});
    typeInto(fieldId("##density"), "1e-45");
    pressKey(ImGuiKey_Enter);
    EXPECT_FLOAT_EQ(app.sim.density, 4.0f);
    EXPECT_NE(frameText().find("Refused: the density 1.4013e-45 is outside"), std::string::npos);
    typeInto(fieldId("##magnitude"), "-1");
    pressKey(ImGuiKey_Enter);
    EXPECT_FLOAT_EQ(app.quake.magnitude, 4.0f);
    EXPECT_NE(frameText().find("Refused: a magnitude of -1 cannot shake anything"), std::string::npos);
    // What F, Enter or an unstable step had to say stands under the heading.
    app.notice = "The simulation became unstable and was stopped";
    EXPECT_NE(frameText().find("TREMORA EDITOR\nThe simulation became unstable"), std::string::npos);
}

TEST_F(ControlPanel, NumberFieldsTakeTheirValueOnEnterOrWhenLeftAndPutBackARefusedOne) {
    openHeaders({"Quake Settings", "Materials", "Joint Settings"});
    press(idOf([] { return ImGui::GetID("Ground motion"); }));
    press(idOf([] { return ImGui::GetID("Recorded"); }));
    press(idOf([] { return ImGui::GetID("Moment-resisting"); }));
    const ImGuiID epicenterX = epicenterPartId(0);
    struct Field {
        ImGuiID id;
        float& value;
        std::string (*check)(float);
    };
    const Field fields[] = {
        {fieldId("##duration"), app.quake.duration, durationProblem},
        {fieldId("##magnitude"), app.quake.magnitude, magnitudeProblem},
        {epicenterX, app.quake.epicenter.x, [](float x) { return epicenterProblem({x, 0.0f}); }},
        {fieldId("##density"), app.sim.density, densityProblem},
        {fieldId("##accumalitive"), app.sim.accumulativeLimit, limitProblem},
        {fieldId("##threshold"), app.sim.threshold, thresholdProblem},
        {fieldId("##designLateral"), app.quake.ground.designLateralG, designLateralProblem},
        {fieldId("##overstrength"), app.quake.ground.overstrength, overstrengthProblem},
        {fieldId("##recordScale"), app.quake.ground.recordScale, nullptr},
        {fieldId("##stiffness"), app.quake.ground.stiffness, stiffnessProblem},
        {fieldId("##dampingRatio"), app.quake.ground.dampingRatio, dampingRatioProblem},
        {fieldId("##capacity"), app.quake.ground.capacity, capacityProblem},
    };
    // The design fields show while joints are designed to code, a fixed rule's threshold and
    // limit in their place.
    std::vector<Field> all(std::begin(fields), std::end(fields));
    all.push_back(Field{fieldId("##modelAccumulative"), app.quake.ground.accumulativeLimit, limitProblem});
    all.push_back(Field{fieldId("##modelThreshold"), app.quake.ground.threshold, thresholdProblem});
    for (const Field& field : all) {
        const bool fixedRule = &field.value == &app.quake.ground.threshold ||
                               &field.value == &app.quake.ground.accumulativeLimit;
        if (fixedRule && app.quake.ground.sizing != JointSizing::Fixed)
            press(idOf([] { return ImGui::GetID("Fixed##jointCapacity"); }));
        for (const char* typed : {"7e-45", "7e33", "1e-39", "nan", "-1", "-1e39", "0.5"}) {
            const float before = field.value;
            typeInto(field.id, typed);
            EXPECT_EQ(field.value, before) << typed << ": nothing is taken while it is typed";
            pressKey(ImGuiKey_Enter);
            const float parsed = std::strtof(typed, nullptr);
            const bool taken = field.check ? field.check(parsed).empty() : parsed > 0.0f && parsed <= 100.0f;
            if (taken) {
                EXPECT_EQ(std::memcmp(&field.value, &parsed, sizeof parsed), 0) << typed;
            } else {
                EXPECT_EQ(field.value, before) << typed << " is refused and the last value kept";
                EXPECT_NE(frameText().find("Refused: "), std::string::npos) << typed;
            }
        }
    }
    // Leaving a field takes what was typed, as Enter does.
    const float density = app.sim.density;
    typeInto(fieldId("##threshold"), "2500");
    typeInto(fieldId("##density"), "5");
    EXPECT_EQ(app.sim.threshold, 2500.0f);
    EXPECT_EQ(app.sim.density, density) << "still being typed";

    // The seed box: text that is no seed is replaced by the last one taken.
    const ImGuiID seed = idOf([] { return ImGui::GetID("##seed"); });
    typeInto(seed, "12345");
    pressKey(ImGuiKey_Enter);
    for (const char* typed : {"7e-45", "7e33", "1e-39", "nan", "-1"}) {
        typeInto(seed, typed);
        pressKey(ImGuiKey_Enter);
        EXPECT_STREQ(panel.run.seedBuffer, "12345") << typed;
        EXPECT_NE(frameText().find("is not a seed"), std::string::npos) << typed;
    }
}

TEST_F(ControlPanel, PresetButtonsWithTheSameNameEachApplyTheirOwnDesign) {
    Design first;
    first.name = "twin";
    first.magnitude = 5.0f;
    first.lines.push_back(Line{{0, -20}, {0, -30}});
    Design second = first;
    second.magnitude = 6.0f;
    second.lines.push_back(Line{{10, -20}, {10, -30}});
    app.sim.presets = {first, second};
    openHeaders({"Presets"});
    const ImGuiID secondButton = idOf([] {
        ImGui::PushID(1);
        const ImGuiID id = ImGui::GetID("twin");
        ImGui::PopID();
        return id;
    });
    press(secondButton);
    EXPECT_FLOAT_EQ(app.quake.magnitude, 6.0f);
    EXPECT_EQ(app.editor.lines.size(), 2u);
    EXPECT_EQ(app.sim.presets.size(), 2u);
}

TEST_F(ControlPanel, TypingInTheFileBoxHoldsTheKeyBindingsAndTheMouseOverThePanelIsReported) {
    openHeaders({"File"});
    EXPECT_FALSE(readUiCapture().textActive);
    typeInto(idOf([] { return ImGui::GetID("##file"); }), "jj");
    EXPECT_STREQ(panel.filePathBuffer, "jj");
    EXPECT_TRUE(readUiCapture().textActive) << "the program must not act on J while the name is typed";
    pressKey(ImGuiKey_Enter);
    EXPECT_FALSE(readUiCapture().textActive);

    ImGui::GetIO().AddMousePosEvent(100.0f, 400.0f);
    frame();
    frame();
    EXPECT_TRUE(readUiCapture().wantsMouse);
    ImGui::GetIO().AddMousePosEvent(600.0f, 400.0f);
    frame();
    frame();
    EXPECT_FALSE(readUiCapture().wantsMouse);
}

TEST_F(ControlPanel, DrawingBarShowsTheCostAndItsButtonsUndoAndRedoAPreset) {
    EXPECT_NE(frameText().find("Lines: 0"), std::string::npos);
    Design preset;
    preset.lines = {{{10, -20}, {10, -30}}, {{10, -30}, {40, -30}}};
    preset.density = 4.0f;
    preset.magnitude = 6.0f;
    app.sim.presets = {preset};
    openHeaders({"Presets"});
    press(idOf([] {
        ImGui::PushID(0);
        const ImGuiID id = ImGui::GetID("none");
        ImGui::PopID();
        return id;
    }));
    std::string text = frameText();
    EXPECT_NE(text.find("Lines: 2"), std::string::npos) << text;
    EXPECT_NE(text.find("Length: 4.0 m  Mass: 160.0 kg"), std::string::npos) << text;

    const ImGuiID undo = idOf([] { return ImGui::GetID("Undo"); });
    const ImGuiID redo = idOf([] { return ImGui::GetID("Redo"); });
    EXPECT_TRUE(panelModelOf(app, clock).canUndo);
    EXPECT_FALSE(panelModelOf(app, clock).canRedo);  // its button is greyed
    press(undo);
    EXPECT_TRUE(app.editor.lines.empty());
    EXPECT_EQ(app.quake.magnitude, 4.0f);
    EXPECT_FALSE(panelModelOf(app, clock).canUndo);
    EXPECT_TRUE(panelModelOf(app, clock).canRedo);
    press(redo);
    EXPECT_EQ(app.editor.lines.size(), 2u);
    EXPECT_EQ(app.quake.magnitude, 6.0f);
}

TEST_F(ControlPanel, RunControlsReplayByTypedSeedPauseStepAndSpeed) {
    openHeaders({"Quake Status", "Quake Settings"});
    std::string text = frameText();
    for (const char* line : {"1x gate: - sim/clock", "Quake seed: none yet"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    const ImGuiID replay = idOf([] { return ImGui::GetID("Replay"); });
    const ImGuiID seed = idOf([] { return ImGui::GetID("##seed"); });
    press(replay);
    EXPECT_EQ(panel.run.message, "No quake to replay yet: press Enter for one, or type a seed.");
    typeInto(seed, "12x");
    press(replay);
    EXPECT_EQ(panel.run.message.rfind("Not a seed: type a whole number from 0 to ", 0), 0u) << panel.run.message;
    EXPECT_EQ(app.simulating, 0) << "a bad seed changes nothing";

    typeInto(seed, "12345");
    press(replay);
    EXPECT_EQ(app.simulating, 1);
    EXPECT_TRUE(app.quake.active);
    EXPECT_EQ(seedNumber(app.quake.seed), 12345u);
    text = frameText();
    for (const char* line : {"Replaying seed 12345.", "Quake seed: 12345", "First break: none yet",
                             "Joints broken: 0 of 0", "Largest mean force: 0 N"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    press(idOf([] { return ImGui::GetID("###pause"); }));
    EXPECT_TRUE(app.run.paused);
    EXPECT_NE(frameText().find("Status: ACTIVE PAUSED"), std::string::npos);
    press(idOf([] { return ImGui::GetID("Step"); }));
    EXPECT_TRUE(app.run.stepAsked);
    press(idOf([] { return ImGui::GetID("1/4x"); }));
    EXPECT_EQ(app.run.slowdown, 4);
    EXPECT_NE(frameText().find("1/4x gate: - sim/clock"), std::string::npos);
    press(idOf([] { return ImGui::GetID("Real time"); }));
    EXPECT_TRUE(app.run.realTime);
    app.run.meter = SpeedMeter{0.0, 0.0, 0.93f, true, 0, 12};
    text = frameText();
    for (const char* line : {"real time: 0.93 sim/clock", "12 steps dropped"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    destroySimulation(app.sim);
}

TEST_F(ControlPanel, HomeFramesTheDesignAndEndsTheOffScreenNote) {
    app.editor.lines = {{{4000, -3000}, {4100, -3000}}};
    app.designOffScreen = true;
    EXPECT_NE(frameText().find("The design is off screen: Home frames it"), std::string::npos);
    press(idOf([] { return ImGui::GetID("Home"); }));
    EXPECT_FALSE(app.designOffScreen);
    EXPECT_GT(worldToScreen(app.camera, {4000, -3000}).x, 300.0f);
    EXPECT_EQ(frameText().find("off screen"), std::string::npos);
}

TEST_F(ControlPanel, RigidityCheckButtonSaysHowManyWaysTheDrawingCanMove) {
    // A square standing on the ground, unbraced: it sways one way.
    app.editor.lines = {{{0, -20}, {10, -20}}, {{0, -20}, {0, -30}}, {{10, -20}, {10, -30}}, {{0, -30}, {10, -30}}};
    EXPECT_EQ(frameText().find("way to move"), std::string::npos);
    press(idOf([] { return ImGui::GetID("Rigidity check"); }));
    EXPECT_NE(frameText().find("1 way to move: the tinted members can fold"), std::string::npos);
    EXPECT_EQ(*sceneViewOf(app).canMove, (std::vector<bool>{false, true, true, true}));
}

TEST_F(ControlPanel, MomentConnectionsMakeAPortalRigidAndTheSwayViewsFactorIsChosen) {
    // A portal on two pins folds; with the ground-motion model's moment connections its
    // corners hold.
    app.editor.lines = {{{0, -20}, {0, -30}}, {{0, -30}, {20, -30}}, {{20, -20}, {20, -30}}};
    const ImGuiID check = idOf([] { return ImGui::GetID("Rigidity check"); });
    press(check);
    EXPECT_NE(frameText().find("1 way to move"), std::string::npos);
    openHeaders({"Quake Status", "Quake Settings", "Joint Settings"});
    press(idOf([] { return ImGui::GetID("Ground motion"); }));
    press(idOf([] { return ImGui::GetID("Moment-resisting"); }));
    forgetStaleRigidity(app);
    EXPECT_EQ(frameText().find("way to move"), std::string::npos) << "a check of other joints is forgotten";
    press(check);
    EXPECT_NE(frameText().find("Rigid: no part can move"), std::string::npos);

    EXPECT_EQ(panel.magnification, DEFAULT_MAGNIFICATION);
    press(idOf([] {
        ImGui::PushID("##magnification");
        const ImGuiID id = ImGui::GetID("5");
        ImGui::PopID();
        return id;
    }));
    EXPECT_EQ(panel.magnification, 5);
}

TEST_F(ControlPanel, RunButtonsKeepTheirPlacesInTheEditorRunningPausedAndInAQuake) {
    openHeaders({"Quake Status", "Quake Settings"});
    const ImGuiID ids[] = {idOf([] { return ImGui::GetID("###pause"); }), idOf([] { return ImGui::GetID("Step"); }),
                           idOf([] { return ImGui::GetID("1/4x"); }), idOf([] { return ImGui::GetID("##seed"); }),
                           idOf([] { return ImGui::GetID("Replay"); })};
    auto places = [&] {
        std::vector<float> at;
        for (ImGuiID id : ids) {
            const ImRect r = rectOf(id);
            at.insert(at.end(), {r.Min.x, r.Min.y, r.Max.x});
        }
        return at;
    };
    const std::vector<float> editor = places();
    app.simulating = 1;
    app.quake.active = true;
    app.quake.duration = 4.0f;
    const std::vector<float> running = places();
    app.run.paused = true;
    EXPECT_EQ(places(), running) << "pausing moves nothing";
    EXPECT_EQ(std::vector<float>(editor.begin(), editor.begin() + 9),
              std::vector<float>(running.begin(), running.begin() + 9))
        << "pause, step and the speeds stand where they stood in the editor";
}

TEST_F(ControlPanel, AFinishedQuakesCurvesStayInTheGraphsAroundItsLastMoment) {
    openHeaders({"Fun With Graphs"});
    // The time range of the first plot drawn, or none.
    auto plottedTimes = [&] {
        std::optional<PlotRange> times;
        headlessFrame(ui, [&] {
            PlotContext* plots = createPlotContext();
            drawControlPanel(panelModelOf(app, clock), panelActionsOf(app), panel);
            if (!plots->plots.empty()) times = plots->plots[0].x;
            destroyPlotContext(plots);
            ImGui::End();
        });
        return times;
    };
    QuakeState& quake = app.quake;
    quake.active = true;
    quake.lastAmplitude = Vector2{1.0f, 1.0f};
    for (float t : {0.25f, 0.5f, 0.75f, 1.0f}) {
        addPoint(quake.graphX, t, t);
        addPoint(quake.graphY, t, -t);
    }
    quake.elapsed = 1.0f;
    ASSERT_TRUE(plottedTimes().has_value());
    // The step that ends a quake stamps its point with time 0 and stops the timer.
    addPoint(quake.graphX, 0.0f, 0.5f);
    addPoint(quake.graphY, 0.0f, -0.5f);
    quake.active = false;
    quake.elapsed = 0.0f;
    const std::optional<PlotRange> after = plottedTimes();
    ASSERT_TRUE(after.has_value()) << "the curves stay after the quake";
    EXPECT_DOUBLE_EQ(after->min, -1.0);
    EXPECT_DOUBLE_EQ(after->max, 3.0);
}

TEST_F(ControlPanel, GroundMotionModelShowsItsSourceJointRuleGraphsAndRefusesABadScale) {
    openHeaders({"Quake Status", "Fun With Graphs", "Quake Settings", "Joint Settings"});
    std::string text = frameText();
    EXPECT_NE(text.find("Quake model:"), std::string::npos);
    for (const char* absent : {"Ground motion from:", "Model threshold (kN):"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;

    press(idOf([] { return ImGui::GetID("Ground motion"); }));
    EXPECT_EQ(app.quake.ground.model, QuakeModel::GroundMotion);
    // Joints designed to code by default: the built structure's capacity, no fixed threshold.
    app.sim.designForce = static_cast<float>(engineForceFromKilonewtons(10.0));
    text = frameText();
    EXPECT_NE(text.find("This structure: 20.0 kN"), std::string::npos) << text;
    EXPECT_EQ(text.find("Model threshold (kN):"), std::string::npos);
    app.sim.designForce = 0.0f;
    press(idOf([] { return ImGui::GetID("Fixed##jointCapacity"); }));
    typeInto(fieldId("##modelThreshold"), "2500");
    pressKey(ImGuiKey_Enter);
    EXPECT_FLOAT_EQ(app.quake.ground.threshold, 2500.0f);
    EXPECT_FLOAT_EQ(app.sim.threshold, 1500.0f);
    typeInto(fieldId("##floorLoad"), "-5");
    pressKey(ImGuiKey_Enter);
    EXPECT_NE(frameText().find("Refused: the floor load -5 kg/m must be from 0 to 100000; kept 300"), std::string::npos);
    app.quake.epicenter = {0.0f, -150.0f};
    app.quake.active = true;
    app.quake.groundRun.motion.peakG = 0.25;
    addPoint(app.quake.graphX, 0.0f, 0.1f);
    addPoint(app.quake.graphY, 0.0f, 0.01f);
    text = frameText();
    for (const char* line : {"Ground motion from:", "PGA: 0.008 g at 150.0 km",
                             "Magnitude 4.00 is outside 5-7.7: the PGA uses 5.00",
                             "Distance 150.0 km is outside 0-100 km: the PGA uses 100.0 km", "PGA: 0.250 g",
                             "Ground acceleration (g)", "Ground displacement (m)",
                             "Real shaking lasts 10 s or more: try a Duration of 15 s"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    const ImGuiWindow* panelWindow = ImGui::FindWindowByName("Control Panel");
    EXPECT_LE(panelWindow->DC.CursorMaxPos.x, panelWindow->WorkRect.Max.x) << "a long hint wraps at the edge";
    app.quake.duration = 15.0f;
    EXPECT_EQ(frameText().find("Real shaking lasts"), std::string::npos);

    app.quake.active = false;
    erase(app.quake.graphX);  // no plots: the list stays within the panel's height
    erase(app.quake.graphY);
    press(idOf([] { return ImGui::GetID("Recorded"); }));
    app.records.files = {"missing.csv"};
    press(idOf([] {
        ImGui::BeginChild(ImGui::GetID(RECORD_LIST_ID));  // the list box's own window
        ImGui::PushID(0);
        const ImGuiID id = ImGui::GetID("missing.csv");
        ImGui::PopID();
        ImGui::EndChild();
        return id;
    }));
    EXPECT_EQ(panel.recordMessage.rfind("Could not load records/missing.csv: ", 0), 0u) << panel.recordMessage;
    EXPECT_TRUE(app.quake.ground.recordName.empty());
    typeInto(fieldId("##recordScale"), "-2");
    pressKey(ImGuiKey_Enter);
    EXPECT_FLOAT_EQ(app.quake.ground.recordScale, 1.0f);
    text = frameText();
    for (const char* line : {"No record loaded", "Refused: the scale factor -2 must be above 0 and at most 100; kept 1"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

class ControlPanelFiles : public ControlPanel {
protected:
    void SetUp() override {
        ControlPanel::SetUp();
        previous = std::filesystem::current_path();
        dir = std::filesystem::path(::testing::TempDir()) / ("tremora_panel_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "save");
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
        ControlPanel::TearDown();
    }
    bool popupOpen() const { return ui.context->OpenPopupStack.Size > 0; }

    std::filesystem::path previous;
    std::filesystem::path dir;
};

TEST_F(ControlPanelFiles, SaveThenLoadReportInThePopup) {
    openHeaders({"File"});
    const ImGuiID save = idOf([] { return ImGui::GetID("Save"); });
    const ImGuiID load = idOf([] { return ImGui::GetID("Load"); });
    EXPECT_FALSE(popupOpen());

    app.quake.magnitude = 7.5f;
    press(save);
    EXPECT_TRUE(std::filesystem::exists(dir / "save" / "Enter Filepath.velmar"));
    EXPECT_FALSE(panel.fileMessage.empty());
    EXPECT_TRUE(popupOpen());
    EXPECT_NE(frameText().find(panel.fileMessage), std::string::npos);

    ImGui::GetIO().AddMouseButtonEvent(0, true);  // a click outside closes it
    ImGui::GetIO().AddMousePosEvent(700.0f, 700.0f);
    frame();
    ImGui::GetIO().AddMouseButtonEvent(0, false);
    frame();
    EXPECT_FALSE(popupOpen());

    app.quake.magnitude = 4.0f;
    press(load);
    EXPECT_FLOAT_EQ(app.quake.magnitude, 7.5f);
    ASSERT_EQ(app.sim.presets.size(), 1u);
    EXPECT_EQ(app.sim.presets[0].name, "Enter Filepath");
    EXPECT_TRUE(popupOpen());
}

TEST_F(ControlPanelFiles, AFailedLoadChangesNothingAndStillReports) {
    openHeaders({"File"});
    typeInto(idOf([] { return ImGui::GetID("##file"); }), "missing");
    pressKey(ImGuiKey_Enter);
    press(idOf([] { return ImGui::GetID("Load"); }));
    EXPECT_TRUE(app.sim.presets.empty());
    EXPECT_FALSE(panel.fileMessage.empty());
    EXPECT_TRUE(popupOpen());
}

TEST_F(ControlPanelFiles, MessagesEndWhenTheyStopBeingTrue) {
    openHeaders({"Quake Settings"});
    const ImGuiID replay = idOf([] { return ImGui::GetID("Replay"); });
    typeInto(idOf([] { return ImGui::GetID("##seed"); }), "12345");
    press(replay);
    EXPECT_NE(frameText().find("Replaying seed 12345."), std::string::npos);
    app.quake.active = false;  // its quake is over
    EXPECT_EQ(frameText().find("Replaying seed"), std::string::npos);
    destroySimulation(app.sim);
    app.simulating = 0;
    frame([] { ImGui::GetStateStorage()->SetInt(ImGui::GetID("Quake Settings"), 0); });

    Design preset;
    preset.name = "kept";
    app.sim.presets = {preset};
    openHeaders({"Materials", "Presets", "File"});
    const ImGuiID density = fieldId("##density");
    const ImGuiID load = idOf([] { return ImGui::GetID("Load"); });
    auto refuse = [&] {
        app.notice = "Not started: the structure is too large";
        typeInto(density, "1e-45");
        pressKey(ImGuiKey_Enter);
    };
    refuse();
    press(load);  // nothing is saved under the typed name
    std::string text = frameText();
    for (const char* kept : {"Not started", "Refused: the density"})
        EXPECT_NE(text.find(kept), std::string::npos) << "a failed Load changes nothing: " << kept;
    clock += FILE_INFO_SECONDS;  // its report goes
    frame();

    ASSERT_TRUE(saveCurrentDesign(app.editor, app.sim, app.quake, "Enter Filepath").ok);
    press(load);
    text = frameText();
    for (const char* gone : {"Not started", "Refused"}) EXPECT_EQ(text.find(gone), std::string::npos) << gone;
    clock += FILE_INFO_SECONDS;
    frame();

    refuse();
    press(idOf([] {
        ImGui::PushID(0);
        const ImGuiID id = ImGui::GetID("kept");
        ImGui::PopID();
        return id;
    }));
    text = frameText();
    for (const char* gone : {"Not started", "Refused"}) EXPECT_EQ(text.find(gone), std::string::npos) << gone;
}

TEST_F(ControlPanelFiles, TheFileReportGoesByItselfAndAClickPastItStillLands) {
    openHeaders({"File"});
    press(idOf([] { return ImGui::GetID("Save"); }));
    ASSERT_TRUE(popupOpen());
    clock += FILE_INFO_SECONDS - 0.5;
    frame();
    EXPECT_TRUE(popupOpen());
    clock += 0.5;
    frame();
    EXPECT_FALSE(popupOpen()) << "gone after a few seconds";

    press(idOf([] { return ImGui::GetID("Save"); }));
    ASSERT_TRUE(popupOpen());
    // A click on Load both closes the report and loads.
    const ImRect load = rectOf(idOf([] { return ImGui::GetID("Load"); }));
    click(load.GetCenter());
    EXPECT_EQ(app.sim.presets.size(), 1u);

    // The scene is not held back while the report is up, so a click there reaches it.
    ASSERT_TRUE(popupOpen());
    ImGui::GetIO().AddMousePosEvent(700.0f, 700.0f);
    frame();
    EXPECT_FALSE(readUiCapture().wantsMouse);
    // Nor is a quick click that goes down there before a frame has seen the mouse arrive,
    // while one on the panel stays out of the scene.
    EXPECT_FALSE(uiCovers(readUiCapture(), Vector2{700.0f, 700.0f}));
    EXPECT_TRUE(uiCovers(readUiCapture(), Vector2{100.0f, 400.0f}));
    click(ImVec2(700.0f, 700.0f));
    EXPECT_FALSE(popupOpen());
}

TEST_F(ControlPanel, TheFileBoxsFirstClickSelectsTheWholeName) {
    openHeaders({"File"});
    const ImVec2 box = rectOf(idOf([] { return ImGui::GetID("##file"); })).GetCenter();
    click(box);
    typeText("bridge");
    frame();
    EXPECT_STREQ(panel.filePathBuffer, "bridge");
    pressKey(ImGuiKey_Enter);
    // A later click places the cursor, here after the short name (moved off the first
    // click's spot, so the two are not taken for a double click).
    click(ImVec2(box.x + 10.0f, box.y));
    typeText("2");
    frame();
    EXPECT_STREQ(panel.filePathBuffer, "bridge2");
}

TEST(PanelFileBox, TypedNameStopsAtTheFirstZeroByte) {
    const char buffer[8] = {'a', ' ', 'b', '\0', 'z', 'z', '\0', '\0'};
    EXPECT_EQ(typedName(buffer, sizeof buffer), "a b");
    const char full[3] = {'x', 'y', 'z'};
    EXPECT_EQ(typedName(full, sizeof full), "xyz");
    const char empty[4] = {};
    EXPECT_EQ(typedName(empty, sizeof empty), "");
}

}  // namespace

TEST_F(ControlPanel, DriftShowsLiveThenAsTheQuakesSummaryInTheGroundMotionModelOnly) {
    openHeaders({"Quake Status"});
    app.simulating = 1;
    DriftTrack& drift = app.quake.drift;
    drift.started = true;
    drift.levels = {FloorLevel{-60.0f, 40.0f}, FloorLevel{-90.0f, 70.0f}};
    drift.storeyDrift = {0.004f, -0.002f};
    drift.peakStoreyDrift = {0.007f, 0.015f};
    drift.roofDrift = 0.005f;
    drift.peakRoofDrift = 0.01f;
    const char* const damage = "Damage by storey (HAZUS S1L): 1 Slight, 2 Moderate";
    EXPECT_EQ(frameText().find("drift"), std::string::npos) << "the classic model";

    app.quake.ground.model = QuakeModel::GroundMotion;
    app.quake.active = true;
    app.quake.groundRun.moving = true;
    std::string text = frameText();
    for (const char* line : {"Roof drift: 0.50 % (peak 1.00 %)", "Storey drift: 0.40 % (peak 1.50 %)", damage})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    app.quake.active = false;
    app.quake.groundRun.moving = false;
    text = frameText();
    for (const char* line : {"Last quake: peak roof drift 1.00 %, largest storey drift 1.50 %", damage})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("Roof drift:"), std::string::npos);
}
