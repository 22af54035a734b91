#pragma once
// The line editor's record and its snap grid: what the editor's frame and the point
// drag both work on, so neither needs the other's header to find a grid point.
#include <raylib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

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
    // PLACING: the grid point a click at the mouse would pick, and the mouse itself
    // (world units), so the scene can mark the one and lead the pending line to it.
    std::int32_t hasHover = 0;
    Vector2 hover{0.0f, 0.0f};
    Vector2 mouse{0.0f, 0.0f};
};

EditorState makeEditorState();
// The grid point that a click at m selects (the first within the snap radius, as placing
// goes); false when there is none.
bool snapToGrid(const EditorState& editor, Vector2 m, Vector2& point);
bool pointNearPoint(Vector2 point, Vector2 centre, float radius);
