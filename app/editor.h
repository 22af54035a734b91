#pragma once
// The line editor: a 50 x 50 snap grid, placing lines with two clicks, DELETE mode, clear all.
#include <raylib.h>

#include <cstdint>
#include <vector>

#include "app/input.h"
#include "physics/structure.h"

inline constexpr float SNAP_RADIUS = 3.0f;
inline constexpr float DELETE_THRESHOLD = 2.0f;

struct EditorState {
    std::vector<std::vector<Vector2>> grid;  // row r: y = -20 - 10 r; point c: x = 10 c
    Vector2 pendingStart{0.0f, 0.0f};
    Vector2 pendingEnd{0.0f, 0.0f};
    std::vector<Line> lines;
    std::int32_t hasPending = 0;
    std::int32_t deleteMode = 0;  // 0 = PLACING, 1 = DELETE
};

EditorState makeEditorState();
// m is the mouse position in world coordinates.
void updateEditor(EditorState& editor, Vector2 m, const InputSnapshot& in);

// The hit tests the editor uses, exposed for tests.
bool pointNearPoint(Vector2 point, Vector2 centre, float radius);
bool pointOnLine(Vector2 point, Vector2 start, Vector2 end, float threshold);
