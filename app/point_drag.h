#pragma once
// Moving a point: Shift + drag from a grid point that ends lines moves that end of every
// one of them to the grid point where the button goes up.
#include <raylib.h>

#include <vector>

#include "app/editor_state.h"
#include "app/input.h"
#include "physics/structure.h"

// The lines with every end at `from` put at `to`; order and direction are kept.
std::vector<Line> withPointMoved(const std::vector<Line>& lines, Vector2 from, Vector2 to);

// A Shift press at m on a grid point that ends a line starts a drag; false, and nothing
// changed, when m selects no such point.
bool beginPointDrag(EditorState& editor, Vector2 m);

// A frame of a drag. Once the button is up the drag is over: released on another grid
// point, the ends move there; released off the grid, on the starting point, over the
// panel, or where a line would shrink to a point, nothing changes.
void updatePointDrag(EditorState& editor, Vector2 m, const InputSnapshot& in);

// The lines as shown while dragging: the dragged ends at the grid point under the mouse,
// or at the mouse itself between grid points.
void refreshDragPreview(EditorState& editor, Vector2 m);
