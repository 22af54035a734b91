#pragma once
// The line editor: a 50 x 50 snap grid, placing lines with two clicks, DELETE mode, clear all,
// and moving a shared end point with Shift + drag.
#include <raylib.h>

#include "app/editor_state.h"
#include "app/input.h"
#include "physics/structure.h"

// m is the mouse position in world coordinates.
void updateEditor(EditorState& editor, Vector2 m, const InputSnapshot& in);
// Whether this frame's input may change the line list (a click, J, or a drag going on);
// lets the caller keep the list from before only when it has to.
bool editorMayEditLines(const EditorState& editor, const InputSnapshot& in);
// The DELETE hit rule: whether a click at m removes this line.
bool deleteHits(const Line& line, Vector2 m);

// The hit tests the editor uses, exposed for tests.
bool pointOnLine(Vector2 point, Vector2 start, Vector2 end, float threshold);
