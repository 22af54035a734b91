#include "app/editor_state.h"

EditorState makeEditorState() {
    EditorState editor;
    editor.grid.resize(GRID_SIZE);
    for (int r = 0; r < GRID_SIZE; ++r) {
        std::vector<Vector2>& row = editor.grid[static_cast<std::size_t>(r)];
        row.resize(GRID_SIZE);
        for (int c = 0; c < GRID_SIZE; ++c) {
            row[static_cast<std::size_t>(c)] = Vector2{GRID_SPACING * static_cast<float>(c),
                                                       -20.0f - GRID_SPACING * static_cast<float>(r)};
        }
    }
    return editor;
}

bool pointNearPoint(Vector2 point, Vector2 centre, float radius) {
    float dx = point.x - centre.x;
    float dy = point.y - centre.y;
    return dx * dx + dy * dy <= radius * radius;
}

bool snapToGrid(const EditorState& editor, Vector2 m, Vector2& point) {
    for (const std::vector<Vector2>& row : editor.grid) {
        for (const Vector2& g : row) {
            if (!pointNearPoint(m, g, SNAP_RADIUS)) continue;
            point = g;
            return true;
        }
    }
    return false;
}
