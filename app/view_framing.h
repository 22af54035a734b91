#pragma once
// Bringing the design into view: Home fits the drawn lines (or the whole grid when there
// are none) into the scene right of the panel, and a design that arrives wholly outside
// the view is noted, so the panel can say how to find it.
#include <raylib.h>

#include <vector>

#include "app/app_state.h"
#include "physics/structure.h"

// The scene right of the panel, in window pixels: the panel covers x < SCENE_LEFT.
inline constexpr float SCENE_LEFT = 300.0f;
inline constexpr float SCENE_RIGHT = 850.0f;
inline constexpr float SCENE_BOTTOM = 850.0f;

// The camera that shows these lines (their finite end points; the whole grid when there
// are none) as large as fits in the scene, centred there, with a small margin.
Camera2D framedCamera(const Camera2D& camera, const std::vector<Line>& lines,
                      const std::vector<std::vector<Vector2>>& grid);
// Whether lines exist and none reaches into the scene right of the panel.
bool linesOutOfView(const Camera2D& camera, const std::vector<Line>& lines);

// Home (or the panel's button): frames the design and ends the off-screen note.
void frameDesign(AppState& app);
// After a preset or Load: notes a design that lies wholly outside the view.
void noteArrivedDesign(AppState& app);
// Every frame: the note ends once it is no longer true (some line shows, or none is left).
void refreshOffScreenNote(AppState& app);
