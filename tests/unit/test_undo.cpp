// Undo and redo of every kind of change to the design, and the bounds of the history.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "app/design_commands.h"
#include "app/undo_commands.h"
#include "test_design_file_util.h"

namespace {

InputSnapshot clickInput(bool shift = false) {
    InputSnapshot in;
    in.mousePressed.set(MOUSE_BUTTON_LEFT);
    in.mouseDown.set(MOUSE_BUTTON_LEFT);
    if (shift) in.keyDown.set(KEY_LEFT_SHIFT);
    return in;
}

struct UndoFixture : testing::Test {
    AppState app;
    std::vector<Design> states;  // the live design after each change, the first before any

    void SetUp() override {
        app.editor = makeEditorState();
        remember();
    }
    Design live() const { return makeDesign(app.editor, app.sim, app.quake, "live"); }
    void remember() { states.push_back(live()); }
    void edit(Vector2 m, const InputSnapshot& in) { updateEditorRecorded(app, m, in); }
    void click(Vector2 m) { edit(m, clickInput()); }
    void place(Vector2 a, Vector2 b) {
        click(a);
        click(b);
        remember();
    }
};

// A design whose numbers are awkward to restore: a NaN end point, -0, a positive epicenter y.
Design odd(const std::string& name) {
    Design design;
    design.name = name;
    design.lines = {{{-0.0f, -20}, {std::numeric_limits<float>::quiet_NaN(), -30}}, {{100, -20}, {110, -30}}};
    design.density = 2.5f;
    design.accumulativeLimit = -0.0f;
    design.threshold = 1e-40f;
    design.duration = 7.0f;
    design.magnitude = 9.5f;
    design.epicenter = {0.25f, 0.5f};
    return design;
}

}  // namespace

TEST_F(UndoFixture, EveryKindOfChangeUndoesAndRedoesBitForBit) {
    ScratchDir dir;
    ASSERT_TRUE(saveToFile(odd("saved"), dir.str()).ok);

    place({10, -20}, {20, -30});
    place({20, -30}, {30, -20});
    applyPresetRecorded(app, odd("preset"));  // lines and settings together
    remember();
    place({10, -20}, {10, -30});
    place({10, -30}, {20, -30});
    edit({10, -30}, clickInput(true));  // Shift + drag (10, -30) to (10, -40)
    InputSnapshot release;
    release.mouseReleased.set(MOUSE_BUTTON_LEFT);
    edit({10, -40}, release);
    remember();
    app.editor.deleteMode = 1;
    click({10, -40});  // removes the two lines that now meet there
    remember();
    edit({}, [] {
        InputSnapshot j;
        j.keyPressed.set(KEY_J);
        return j;
    }());
    remember();
    ASSERT_TRUE(loadFromFileRecorded(app, "saved", dir.str()).ok);
    remember();
    ASSERT_EQ(states.size(), 10u);
    EXPECT_EQ(app.history.done, 9u);
    EXPECT_EQ(states[6].lines.size(), states[7].lines.size() + 2);  // one delete click, two lines

    for (std::size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(undoDesignChange(app));
        EXPECT_TRUE(sameBits(live(), states[i])) << "after undoing to state " << i;
    }
    EXPECT_FALSE(undoDesignChange(app));
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(redoDesignChange(app));
        EXPECT_TRUE(sameBits(live(), states[i])) << "after redoing to state " << i;
    }
    EXPECT_FALSE(redoDesignChange(app));
    EXPECT_EQ(app.sim.presets.size(), 1u);  // Load's button stays
}

TEST(UndoHistory, KeepsTwoHundredStepsAndANewChangeDropsTheRedoSteps) {
    UndoHistory history;
    Design design;
    for (int i = 0; i < 201; ++i) {
        const Design before = design;
        design.lines.push_back({{static_cast<float>(i), -20}, {static_cast<float>(i), -30}});
        recordChange(history, before, design);
    }
    recordChange(history, design, design);  // no change, no step
    int undone = 0;
    while (undoStep(history, design)) ++undone;
    EXPECT_EQ(undone, 200);
    ASSERT_EQ(design.lines.size(), 1u);  // the first step was dropped
    EXPECT_EQ(design.lines[0].start.x, 0.0f);

    redoStep(history, design);
    redoStep(history, design);
    undoStep(history, design);
    ASSERT_TRUE(canRedo(history));
    const Design before = design;
    design.magnitude = 8.0f;
    recordChange(history, before, design);
    EXPECT_FALSE(canRedo(history));
    EXPECT_TRUE(undoStep(history, design));
    EXPECT_EQ(design.magnitude, 0.0f);
    EXPECT_EQ(design.lines.size(), 2u);
}

TEST(UndoHistory, ALiveStateItDidNotLeaveEmptiesItInsteadOfUndoingWrongly) {
    UndoHistory history;
    Design design;
    Design before = design;
    design.lines = {{{10, -20}, {20, -20}}};
    recordChange(history, before, design);
    design.lines.clear();  // changed behind its back
    EXPECT_FALSE(undoStep(history, design));
    EXPECT_FALSE(canUndo(history));
    EXPECT_TRUE(design.lines.empty());

    // The same count of lines, but not the ones the step left: the user's lines stay.
    design.lines = {{{10, -20}, {20, -20}}};
    recordChange(history, before, design);
    design.lines = {{{30, -20}, {40, -20}}};
    EXPECT_FALSE(undoStep(history, design));
    EXPECT_FALSE(canUndo(history));
    ASSERT_EQ(design.lines.size(), 1u);
    EXPECT_EQ(design.lines[0].start.x, 30.0f);
}
