#include "app/editor.h"

#include <cmath>
#include <cstddef>

#include "app/point_drag.h"

bool pointOnLine(Vector2 point, Vector2 start, Vector2 end, float threshold) {
    float cx = point.x - start.x;
    float cy = point.y - start.y;
    float dx = end.x - start.x;
    float dy = end.y - start.y;
    float cross = cx * dy - cy * dx;
    if (!(std::fabs(cross) < threshold * std::fmax(std::fabs(dx), std::fabs(dy)))) return false;
    // Between the ends, measured along the line's dominant axis.
    if (std::fabs(dx) >= std::fabs(dy)) {
        return dx > 0 ? (start.x <= point.x && point.x <= end.x) : (end.x <= point.x && point.x <= start.x);
    }
    return dy > 0 ? (start.y <= point.y && point.y <= end.y) : (end.y <= point.y && point.y <= start.y);
}

bool deleteHits(const Line& line, Vector2 m) { return pointOnLine(m, line.start, line.end, DELETE_THRESHOLD); }

namespace {

void deleteLinesAt(EditorState& editor, Vector2 m) {
    std::vector<Line> kept;
    kept.reserve(editor.lines.size());
    for (const Line& line : editor.lines) {
        if (!deleteHits(line, m)) kept.push_back(line);
    }
    editor.lines.swap(kept);
}

// What a DELETE click at m would remove, shown before the click; nothing while the mouse
// is over the panel, where a click does not reach the scene.
void refreshDeletePreview(EditorState& editor, Vector2 m, const InputSnapshot& in) {
    editor.deletePreview.clear();
    if (editor.deleteMode != 1 || in.uiWantsMouse) return;
    for (std::size_t i = 0; i < editor.lines.size(); ++i) {
        if (deleteHits(editor.lines[i], m)) editor.deletePreview.push_back(i);
    }
}

// The grid point a PLACING click at the mouse would pick; none while the mouse is over
// the panel or drags a point, where a click places nothing.
void refreshHover(EditorState& editor, Vector2 m, const InputSnapshot& in) {
    editor.mouse = m;
    Vector2 point{};
    const bool placing = editor.deleteMode == 0 && editor.dragging == 0 && !in.uiWantsMouse;
    editor.hasHover = placing && snapToGrid(editor, m, point) ? 1 : 0;
    if (editor.hasHover == 1) editor.hover = point;
}

void placeAt(EditorState& editor, Vector2 m) {
    for (const std::vector<Vector2>& row : editor.grid) {
        for (const Vector2& g : row) {
            if (!pointNearPoint(m, g, SNAP_RADIUS)) continue;
            if (editor.hasPending == 0) {
                editor.pendingStart = g;
                editor.hasPending = 1;
                continue;
            }
            editor.pendingEnd = g;
            if (editor.pendingEnd.x != editor.pendingStart.x || editor.pendingEnd.y != editor.pendingStart.y) {
                editor.lines.push_back(Line{editor.pendingStart, editor.pendingEnd});
            }
            editor.hasPending = 0;
        }
    }
}

}  // namespace

void updateEditor(EditorState& editor, Vector2 m, const InputSnapshot& in) {
    if (editor.dragging == 1) {
        updatePointDrag(editor, m, in);
    } else if (mousePressed(in, MOUSE_BUTTON_LEFT)) {
        if (editor.deleteMode == 1) {
            deleteLinesAt(editor, m);
        } else if (!(shiftDown(in) && beginPointDrag(editor, m))) {
            placeAt(editor, m);  // a Shift press on no line end places as any click does
        }
    }
    if (keyPressed(in, KEY_H)) editor.deleteMode = editor.deleteMode == 0 ? 1 : 0;
    if (keyPressed(in, KEY_J)) editor.lines.clear();
    refreshDragPreview(editor, m);
    refreshDeletePreview(editor, m, in);
    refreshHover(editor, m, in);
}

bool editorMayEditLines(const EditorState& editor, const InputSnapshot& in) {
    return editor.dragging == 1 || mousePressed(in, MOUSE_BUTTON_LEFT) || keyPressed(in, KEY_J);
}
