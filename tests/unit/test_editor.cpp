// The line editor: snap grid, placing with two clicks, DELETE hits and their preview, H
// and J, moving a point with Shift + drag.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "app/editor.h"

namespace {

InputSnapshot click() {
    InputSnapshot in;
    in.mousePressed.set(MOUSE_BUTTON_LEFT);
    return in;
}

InputSnapshot keyPress(int key) {
    InputSnapshot in;
    in.keyPressed.set(static_cast<std::size_t>(key));
    in.keyDown.set(static_cast<std::size_t>(key));
    return in;
}

void clickAt(EditorState& editor, float x, float y) { updateEditor(editor, Vector2{x, y}, click()); }

bool sameLine(const Line& line, Vector2 start, Vector2 end) {
    return line.start.x == start.x && line.start.y == start.y && line.end.x == end.x && line.end.y == end.y;
}

EditorState deleting(std::vector<Line> lines) {
    EditorState editor = makeEditorState();
    editor.lines = std::move(lines);
    editor.deleteMode = 1;
    return editor;
}

}  // namespace

TEST(EditorGrid, FiftyRowsOfFiftyPointsOneMetreApartOnTheGround) {
    EditorState editor = makeEditorState();
    ASSERT_EQ(editor.grid.size(), 50u);
    for (const auto& row : editor.grid) ASSERT_EQ(row.size(), 50u);
    EXPECT_EQ(editor.grid[0][0].x, 0.0f);
    EXPECT_EQ(editor.grid[0][0].y, -20.0f);
    EXPECT_EQ(editor.grid[0][1].x, 10.0f);
    EXPECT_EQ(editor.grid[1][0].y, -30.0f);
    EXPECT_EQ(editor.grid[49][49].x, 490.0f);
    EXPECT_EQ(editor.grid[49][49].y, -510.0f);
    EXPECT_EQ(editor.hasPending, 0);
    EXPECT_EQ(editor.deleteMode, 0);
    EXPECT_TRUE(editor.lines.empty());
}

TEST(EditorPlacing, TwoClicksMakeALineAndLeaveNothingPending) {
    EditorState editor = makeEditorState();
    clickAt(editor, 10, -20);
    EXPECT_EQ(editor.hasPending, 1);
    EXPECT_EQ(editor.pendingStart.x, 10.0f);
    EXPECT_EQ(editor.pendingStart.y, -20.0f);
    EXPECT_TRUE(editor.lines.empty());
    clickAt(editor, 20, -20);
    ASSERT_EQ(editor.lines.size(), 1u);
    EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {20, -20}));
    EXPECT_EQ(editor.hasPending, 0);
}

TEST(EditorPlacing, SecondClickOnTheFirstPointCancels) {
    EditorState editor = makeEditorState();
    clickAt(editor, 10, -20);
    clickAt(editor, 11, -21);  // snaps to the same grid point
    EXPECT_TRUE(editor.lines.empty());
    EXPECT_EQ(editor.hasPending, 0);
}

TEST(EditorPlacing, SnapRadiusIsThreeUnitsInclusive) {
    struct Case {
        Vector2 click;
        bool selects;
        Vector2 point;
    };
    const Case cases[] = {
        {{12.5f, -20.0f}, true, {10, -20}},
        {{13.0f, -20.0f}, true, {10, -20}},   // exactly 3.0 to the right
        {{10.0f, -17.0f}, true, {10, -20}},   // exactly 3.0 below
        {{7.0f, -20.0f}, true, {10, -20}},    // exactly 3.0 to the left
        {{11.8f, -22.4f}, true, {10, -20}},   // 3.0 on the diagonal (1.8, 2.4)
        {{13.01f, -20.0f}, false, {}},
        {{15.0f, -20.0f}, false, {}},        // halfway between two points
        {{12.2f, -22.2f}, false, {}},        // 3.11 on the diagonal
        {{500.0f, -20.0f}, false, {}},       // beyond the last column
    };
    for (const Case& c : cases) {
        EditorState editor = makeEditorState();
        clickAt(editor, c.click.x, c.click.y);
        SCOPED_TRACE(testing::Message() << "click at " << c.click.x << ", " << c.click.y);
        EXPECT_EQ(editor.hasPending, c.selects ? 1 : 0);
        if (c.selects) {
            EXPECT_EQ(editor.pendingStart.x, c.point.x);
            EXPECT_EQ(editor.pendingStart.y, c.point.y);
        }
    }
}

TEST(EditorPlacing, MissedClicksChangeNothing) {
    EditorState editor = makeEditorState();
    clickAt(editor, 10, -20);
    clickAt(editor, -1000, 1000);  // far from the grid
    clickAt(editor, 15, -25);      // between four points
    EXPECT_EQ(editor.hasPending, 1);
    EXPECT_EQ(editor.pendingStart.x, 10.0f);
    EXPECT_TRUE(editor.lines.empty());
    // The mouse resting on a grid point without a press does nothing either.
    updateEditor(editor, Vector2{20, -20}, InputSnapshot{});
    EXPECT_EQ(editor.hasPending, 1);
    EXPECT_TRUE(editor.lines.empty());
    clickAt(editor, 10, -30);
    ASSERT_EQ(editor.lines.size(), 1u);
    EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {10, -30}));
}

TEST(EditorPlacing, DuplicatesInEitherOrderAreAccepted) {
    EditorState editor = makeEditorState();
    for (int i = 0; i < 2; ++i) {
        clickAt(editor, 10, -20);
        clickAt(editor, 20, -30);
    }
    clickAt(editor, 20, -30);
    clickAt(editor, 10, -20);
    ASSERT_EQ(editor.lines.size(), 3u);
    EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {20, -30}));
    EXPECT_TRUE(sameLine(editor.lines[1], {10, -20}, {20, -30}));
    EXPECT_TRUE(sameLine(editor.lines[2], {20, -30}, {10, -20}));
}

TEST(EditorDelete, ThresholdToTheSideOfAHorizontalLine) {
    const Line line{{10, -20}, {30, -20}};
    for (float side : {1.9f, -1.9f}) {
        EditorState editor = deleting({line});
        clickAt(editor, 20, -20 + side);
        EXPECT_TRUE(editor.lines.empty()) << side;
    }
    for (float side : {2.0f, -2.0f, 2.5f}) {
        EditorState editor = deleting({line});
        clickAt(editor, 20, -20 + side);
        EXPECT_EQ(editor.lines.size(), 1u) << side;
    }
}

TEST(EditorDelete, DiagonalLineLimitIsAboutOnePointFourOne) {
    // 45 degrees from (0, -20) to (10, -30); the unit normal is (1, 1) / sqrt 2.
    const Line line{{0, -20}, {10, -30}};
    const float n = 1.0f / std::sqrt(2.0f);
    auto hitAt = [&](float side) {
        EditorState editor = deleting({line});
        clickAt(editor, 5 + side * n, -25 + side * n);
        return editor.lines.empty();
    };
    EXPECT_TRUE(hitAt(1.40f));
    EXPECT_TRUE(hitAt(-1.40f));
    EXPECT_FALSE(hitAt(1.43f));
    EXPECT_FALSE(hitAt(-1.43f));
}

TEST(EditorDelete, EndsIncludedProlongationExcluded) {
    const Line horizontal{{10, -20}, {30, -20}};
    const Line vertical{{50, -30}, {50, -20}};  // runs upward: start below end on screen
    struct Case {
        Line line;
        Vector2 click;
        bool removed;
    };
    const Case cases[] = {
        {horizontal, {30, -20}, true},   {horizontal, {10, -21}, true},    {horizontal, {30.5f, -20}, false},
        {horizontal, {9.5f, -20}, false}, {horizontal, {40, -20}, false},  {vertical, {50, -25}, true},
        {vertical, {51, -30}, true},     {vertical, {50, -31}, false},     {vertical, {50, -19}, false},
    };
    for (const Case& c : cases) {
        EditorState editor = deleting({c.line});
        clickAt(editor, c.click.x, c.click.y);
        EXPECT_EQ(editor.lines.empty(), c.removed) << c.click.x << ", " << c.click.y;
    }
}

TEST(EditorDelete, RemovesEveryLineHitAndKeepsTheOrderOfTheRest) {
    EditorState editor = deleting({
        {{0, -20}, {10, -20}},
        {{10, -20}, {20, -20}},
        {{10, -20}, {10, -30}},
        {{30, -20}, {40, -20}},
        {{50, -20}, {60, -20}},
    });
    clickAt(editor, 10, -20);  // the point shared by the first three
    ASSERT_EQ(editor.lines.size(), 2u);
    EXPECT_TRUE(sameLine(editor.lines[0], {30, -20}, {40, -20}));
    EXPECT_TRUE(sameLine(editor.lines[1], {50, -20}, {60, -20}));
}

TEST(EditorDelete, AMissAndAZeroLengthLineChangeNothing) {
    EditorState editor = deleting({{{10, -20}, {30, -20}}, {{70, -70}, {70, -70}}});
    clickAt(editor, 100, -100);
    clickAt(editor, 70, -70);
    EXPECT_EQ(editor.lines.size(), 2u);
}

TEST(EditorKeys, HFlipsTheModeAndKeepsThePendingPoint) {
    EditorState editor = makeEditorState();
    clickAt(editor, 10, -20);
    updateEditor(editor, Vector2{10, -20}, keyPress(KEY_H));
    EXPECT_EQ(editor.deleteMode, 1);
    EXPECT_EQ(editor.hasPending, 1);
    clickAt(editor, 40, -40);  // a DELETE click leaves the pending point alone
    EXPECT_EQ(editor.hasPending, 1);
    updateEditor(editor, Vector2{}, keyPress(KEY_H));
    EXPECT_EQ(editor.deleteMode, 0);
    clickAt(editor, 20, -20);
    ASSERT_EQ(editor.lines.size(), 1u);
    EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {20, -20}));
}

TEST(EditorKeys, ClickIsHandledInTheModeItWasPressedIn) {
    // Click and H in one frame: the click places first, then the mode flips.
    EditorState editor = makeEditorState();
    InputSnapshot in = click();
    in.keyPressed.set(KEY_H);
    updateEditor(editor, Vector2{10, -20}, in);
    EXPECT_EQ(editor.hasPending, 1);
    EXPECT_EQ(editor.deleteMode, 1);
}

TEST(EditorKeys, JClearsTheLinesButKeepsThePendingPoint) {
    EditorState editor = makeEditorState();
    updateEditor(editor, Vector2{}, keyPress(KEY_J));  // empty list: nothing to do
    EXPECT_TRUE(editor.lines.empty());
    clickAt(editor, 10, -20);
    clickAt(editor, 20, -20);
    clickAt(editor, 30, -20);
    updateEditor(editor, Vector2{}, keyPress(KEY_J));
    EXPECT_TRUE(editor.lines.empty());
    EXPECT_EQ(editor.hasPending, 1);
    EXPECT_EQ(editor.pendingStart.x, 30.0f);
    EXPECT_EQ(editor.deleteMode, 0);
}

namespace {

// One frame of a Shift + drag: the press at `from`, the button held while the mouse moves,
// then let go at `to`.
void shiftDrag(EditorState& editor, Vector2 from, Vector2 to) {
    InputSnapshot press = click();
    press.mouseDown.set(MOUSE_BUTTON_LEFT);
    press.keyDown.set(KEY_LEFT_SHIFT);
    updateEditor(editor, from, press);
    InputSnapshot held;
    held.mouseDown.set(MOUSE_BUTTON_LEFT);
    updateEditor(editor, Vector2{(from.x + to.x) / 2, (from.y + to.y) / 2}, held);
    InputSnapshot release;
    release.mouseReleased.set(MOUSE_BUTTON_LEFT);
    updateEditor(editor, to, release);
}

}  // namespace

TEST(EditorMovePoint, ShiftDragMovesEveryEndAtThePointAndNothingElse) {
    const std::vector<Line> lines = {
        {{10, -20}, {20, -30}}, {{30, -20}, {20, -30}}, {{50, -50}, {60, -50}},
        {{20, -30}, {20, -40}}, {{20, -30}, {10, -20}},  // a duplicate in the other order
    };
    EditorState editor = makeEditorState();
    editor.lines = lines;
    clickAt(editor, 50, -50);  // a pending first point stays as it was
    shiftDrag(editor, {21, -31}, {39.5f, -41});
    EXPECT_EQ(editor.dragging, 0);
    EXPECT_EQ(editor.hasPending, 1);
    ASSERT_EQ(editor.lines.size(), lines.size());
    EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {40, -40}));
    EXPECT_TRUE(sameLine(editor.lines[1], {30, -20}, {40, -40}));
    EXPECT_TRUE(sameLine(editor.lines[2], {50, -50}, {60, -50}));
    EXPECT_TRUE(sameLine(editor.lines[3], {40, -40}, {20, -40}));
    EXPECT_TRUE(sameLine(editor.lines[4], {40, -40}, {10, -20}));
}

TEST(EditorMovePoint, LinesFollowTheMouseWhileTheButtonIsHeld) {
    EditorState editor = makeEditorState();
    editor.lines = {{{10, -20}, {20, -30}}};
    InputSnapshot press = click();
    press.mouseDown.set(MOUSE_BUTTON_LEFT);
    press.keyDown.set(KEY_RIGHT_SHIFT);
    updateEditor(editor, {20, -30}, press);
    ASSERT_EQ(editor.dragging, 1);
    InputSnapshot held;
    held.mouseDown.set(MOUSE_BUTTON_LEFT);
    updateEditor(editor, {44, -55}, held);  // between grid points: at the mouse
    ASSERT_EQ(editor.dragPreview.size(), 1u);
    EXPECT_TRUE(sameLine(editor.dragPreview[0], {10, -20}, {44, -55}));
    updateEditor(editor, {41, -61}, held);  // near a grid point: snapped
    EXPECT_TRUE(sameLine(editor.dragPreview[0], {10, -20}, {40, -60}));
    EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {20, -30}));  // moved only on release
}

TEST(EditorMovePoint, DragsThatChangeNothing) {
    const std::vector<Line> lines = {{{10, -20}, {20, -30}}, {{20, -30}, {30, -30}}};
    auto after = [&](Vector2 from, Vector2 to) {
        EditorState editor = makeEditorState();
        editor.lines = lines;
        shiftDrag(editor, from, to);
        EXPECT_EQ(editor.dragging, 0);
        return editor;
    };
    for (Vector2 to : {Vector2{45, -45}, Vector2{20, -30}, Vector2{10, -20}}) {  // off grid, start, collapse
        const EditorState editor = after({20, -30}, to);
        ASSERT_EQ(editor.lines.size(), 2u);
        EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {20, -30})) << to.x;
        EXPECT_TRUE(sameLine(editor.lines[1], {20, -30}, {30, -30})) << to.x;
        EXPECT_EQ(editor.hasPending, 0);
    }
    // Let go over the panel: the scene sees the button up without a release.
    EditorState editor = makeEditorState();
    editor.lines = lines;
    InputSnapshot press = click();
    press.mouseDown.set(MOUSE_BUTTON_LEFT);
    press.keyDown.set(KEY_LEFT_SHIFT);
    updateEditor(editor, {20, -30}, press);
    updateEditor(editor, {40, -40}, InputSnapshot{});
    EXPECT_EQ(editor.dragging, 0);
    EXPECT_TRUE(sameLine(editor.lines[0], {10, -20}, {20, -30}));
    // Shift on a grid point that ends no line places as a plain click does.
    const EditorState placed = after({40, -40}, {50, -50});
    EXPECT_EQ(placed.hasPending, 1);
    EXPECT_EQ(placed.pendingStart.x, 40.0f);
}

TEST(EditorDelete, PreviewIsWhatAClickAtTheMouseRemoves) {
    std::vector<Line> lines;
    for (int i = 0; i < 12; ++i) {
        const float x = 10.0f * static_cast<float>(i % 4);
        const float y = -20.0f - 10.0f * static_cast<float>(i / 4);
        lines.push_back({{x, y}, {x + 10, y}});
        lines.push_back({{x, y}, {x + 10, y - 10}});
        lines.push_back({{x, y}, {x, y - 20}});
    }
    std::srand(14);
    for (int n = 0; n < 400; ++n) {
        const Vector2 m{-5.0f + 50.0f * static_cast<float>(std::rand()) / RAND_MAX,
                        -15.0f - 50.0f * static_cast<float>(std::rand()) / RAND_MAX};
        EditorState editor = deleting(lines);
        updateEditor(editor, m, InputSnapshot{});
        std::vector<std::size_t> removed;
        EditorState clicked = deleting(lines);
        clickAt(clicked, m.x, m.y);
        for (std::size_t i = 0, k = 0; i < lines.size(); ++i) {
            if (k < clicked.lines.size() && sameLine(clicked.lines[k], lines[i].start, lines[i].end)) {
                ++k;
            } else {
                removed.push_back(i);
            }
        }
        ASSERT_EQ(editor.deletePreview, removed) << m.x << ", " << m.y;
    }
    // Nothing is shown in PLACING, nor over the panel, where a click removes nothing.
    EditorState placing = deleting(lines);
    placing.deleteMode = 0;
    updateEditor(placing, lines[0].start, InputSnapshot{});
    EXPECT_TRUE(placing.deletePreview.empty());
    EditorState overPanel = deleting(lines);
    InputSnapshot hovering;
    hovering.uiWantsMouse = true;
    updateEditor(overPanel, lines[0].start, hovering);
    EXPECT_TRUE(overPanel.deletePreview.empty());
}

TEST(EditorPlacing, HoverIsTheGridPointAClickWouldPick) {
    EditorState editor = makeEditorState();
    updateEditor(editor, Vector2{12.5f, -21.0f}, InputSnapshot{});
    EXPECT_EQ(editor.hasHover, 1);
    EXPECT_EQ(editor.hover.x, 10.0f);
    EXPECT_EQ(editor.hover.y, -20.0f);
    EXPECT_EQ(editor.mouse.x, 12.5f);
    clickAt(editor, 12.5f, -21.0f);
    EXPECT_EQ(editor.pendingStart.x, editor.hover.x);

    updateEditor(editor, Vector2{15.0f, -20.0f}, InputSnapshot{});  // between grid points
    EXPECT_EQ(editor.hasHover, 0);
    InputSnapshot overPanel;
    overPanel.uiWantsMouse = true;
    updateEditor(editor, Vector2{10.0f, -20.0f}, overPanel);
    EXPECT_EQ(editor.hasHover, 0);
    editor.deleteMode = 1;
    updateEditor(editor, Vector2{10.0f, -20.0f}, InputSnapshot{});
    EXPECT_EQ(editor.hasHover, 0) << "a DELETE click picks no point";
}
