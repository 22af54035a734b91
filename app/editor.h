#pragma once
// The line editor: a 50 x 50 snap grid, placing lines with two clicks, DELETE mode, clear all,
// and moving a shared end point with Shift + drag.
#include <raylib.h>

#include <cstddef>
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
    // Shift + drag from a line end (PLACING): the grid point it started on, and the lines
    // as they are shown while they follow the mouse.
    std::int32_t dragging = 0;
    Vector2 dragFrom{0.0f, 0.0f};
    std::vector<Line> dragPreview;
    // DELETE: the positions in `lines` of the lines a click at the mouse would remove.
    std::vector<std::size_t> deletePreview;
};

EditorState makeEditorState();
// m is the mouse position in world coordinates.
void updateEditor(EditorState& editor, Vector2 m, const InputSnapshot& in);
// Whether this frame's input may change the line list (a click, J, or a drag going on);
// lets the caller keep the list from before only when it has to.
bool editorMayEditLines(const EditorState& editor, const InputSnapshot& in);
// The grid point that a click at m selects (the first within the snap radius, as placing
// goes); false when there is none.
bool snapToGrid(const EditorState& editor, Vector2 m, Vector2& point);
// The DELETE hit rule: whether a click at m removes this line.
bool deleteHits(const Line& line, Vector2 m);

// The hit tests the editor uses, exposed for tests.
bool pointNearPoint(Vector2 point, Vector2 centre, float radius);
bool pointOnLine(Vector2 point, Vector2 start, Vector2 end, float threshold);
