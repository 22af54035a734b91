#include "app/point_drag.h"

namespace {

bool samePoint(Vector2 a, Vector2 b) { return a.x == b.x && a.y == b.y; }

bool endsAt(const std::vector<Line>& lines, Vector2 p) {
    for (const Line& line : lines) {
        if (samePoint(line.start, p) || samePoint(line.end, p)) return true;
    }
    return false;
}

// A line from `from` to `to` would become a point: the editor never makes one.
bool wouldShrinkToAPoint(const std::vector<Line>& lines, Vector2 from, Vector2 to) {
    for (const Line& line : lines) {
        if ((samePoint(line.start, from) && samePoint(line.end, to)) ||
            (samePoint(line.end, from) && samePoint(line.start, to)))
            return true;
    }
    return false;
}

}  // namespace

std::vector<Line> withPointMoved(const std::vector<Line>& lines, Vector2 from, Vector2 to) {
    std::vector<Line> moved = lines;
    for (Line& line : moved) {
        if (samePoint(line.start, from)) line.start = to;
        if (samePoint(line.end, from)) line.end = to;
    }
    return moved;
}

bool beginPointDrag(EditorState& editor, Vector2 m) {
    Vector2 point{};
    if (!snapToGrid(editor, m, point) || !endsAt(editor.lines, point)) return false;
    editor.dragging = 1;
    editor.dragFrom = point;
    return true;
}

void updatePointDrag(EditorState& editor, Vector2 m, const InputSnapshot& in) {
    if (mouseDown(in, MOUSE_BUTTON_LEFT)) return;
    editor.dragging = 0;
    editor.dragPreview.clear();
    Vector2 to{};
    if (!mouseReleased(in, MOUSE_BUTTON_LEFT) || !snapToGrid(editor, m, to)) return;
    if (samePoint(to, editor.dragFrom) || wouldShrinkToAPoint(editor.lines, editor.dragFrom, to)) return;
    editor.lines = withPointMoved(editor.lines, editor.dragFrom, to);
}

void refreshDragPreview(EditorState& editor, Vector2 m) {
    if (editor.dragging == 0) return;
    Vector2 to = m;
    snapToGrid(editor, m, to);
    editor.dragPreview = withPointMoved(editor.lines, editor.dragFrom, to);
}
