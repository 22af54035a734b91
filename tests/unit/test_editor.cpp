// The line editor: snap grid, placing with two clicks, DELETE hits, H and J.
#include <gtest/gtest.h>

#include <cmath>

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
