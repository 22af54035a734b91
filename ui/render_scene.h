#pragma once
// Draws the scene through the camera into the render target and copies it to the window.
#include <raylib.h>

#include <cstddef>
#include <vector>

#include "physics/rest_pose.h"
#include "physics/structure.h"
#include "ui/pixel_canvas.h"

// The window and its render target are this many pixels square.
inline constexpr int SCREEN_SIZE = 850;

// What the scene shows in this frame.
struct SceneView {
    const Camera2D& camera;
    bool simulating = false;
    // The editor: its grid points, lines (as they follow a dragged point) and the pending
    // line's first end point.
    const std::vector<std::vector<Vector2>>& grid;
    const std::vector<Line>& lines;
    bool hasPending = false;
    Vector2 pendingStart{0.0f, 0.0f};
    // The simulation: members, figures, joint markers and the ground.
    const Simulation& sim;
    Vector2 epicenter{0.0f, 0.0f};  // kilometres
    // DELETE mode: positions in `lines` of the lines a click at the mouse would remove.
    std::vector<std::size_t> deletePreview;
    // Where the first joint of this simulation broke: ringed until G.
    bool hasFirstBreak = false;
    Vector2 firstBreakPoint{0.0f, 0.0f};
    // Draw one raylib shape call per object, as first written (TREMORA_REFERENCE_DRAWING=1).
    bool referenceDrawing = false;
    // Drawing feedback in the editor: the grid point a click would pick (PLACING), and the
    // mouse in world units, where the pending line's loose end follows between grid points.
    bool hasHover = false;
    Vector2 hover{0.0f, 0.0f};
    Vector2 mouse{0.0f, 0.0f};
    const char* modeName = "";  // PLACING, DELETE or SIMULATION, written in the scene's corner
    bool firstHint = false;     // nothing drawn yet: say how to start
    // The rigidity check: for each of `lines`, whether it can move (tinted); null when no
    // check is shown.
    const std::vector<bool>* canMove = nullptr;
    // The sway view of a running ground motion (sway_view.h): the rest pose it sways from
    // (null while no motion runs), the factor chosen (1 draws the plain scene), and the
    // joint rule's threshold (engine force) that hinges are measured against.
    const RestPose* swayRest = nullptr;
    int magnification = 1;
    float hingeThreshold = 0.0f;
};

// The sway view's factor shown (see shownSwayFactor); 1 when the scene is the plain drawing.
float shownSway(const SceneView& view);

inline constexpr Color BACKGROUND_COLOR{245, 245, 245, 255};
inline constexpr Color LINE_COLOR{255, 161, 0, 255};
inline constexpr Color PENDING_COLOR{253, 249, 0, 255};
inline constexpr Color DELETE_PREVIEW_COLOR{190, 33, 55, 255};
// Members the rigidity check found can move: a dark blue that stands apart from the orange
// lines and the red delete preview in every colour vision.
inline constexpr Color CAN_MOVE_COLOR{0, 114, 178, 255};
inline constexpr Color EPICENTER_COLOR{230, 41, 55, 255};
inline constexpr Color FIRST_BREAK_COLOR{200, 0, 220, 255};
inline constexpr Color HOVER_COLOR{0, 158, 47, 255};
inline constexpr Color LOOSE_END_COLOR{120, 120, 200, 255};  // the pending line following the mouse
inline constexpr Color SCENE_TEXT_COLOR{40, 40, 120, 255};
inline constexpr float JOINT_MARKER_RADIUS = 0.5f;    // world units
inline constexpr float EDITOR_LINE_THICKNESS = 2.0f;  // world units

// Joint marker colour: yellow with no load, red at the limit (a limit of 0 or less draws red).
Color jointLoadColor(float accumulated, float accumulativeLimit);

void drawBeam(const Beam& beam);
// Leaves drawing open (BeginDrawing called) so the user interface can be drawn on top.
// `canvas` is scratch space kept from frame to frame.
void renderScene(const SceneView& view, const RenderTexture2D& renderTarget, PixelCanvas& canvas);
