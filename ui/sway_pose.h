#pragma once
// The sway view of a ground-motion quake: each member drawn where it stands relative to
// the moving ground, its displacement magnified. A point's displacement is where it is now,
// less how far the ground has moved since the rest pose, less where it was at rest; the
// view draws it at rest + ground moved + factor x displacement. Factor 1 is where the
// member is; factor 0 is the structure at rest carried along with the ground.
#include <raylib.h>

#include <vector>

#include "physics/rest_pose.h"
#include "physics/structure.h"

// The factors the panel offers; 1 is the plain drawing.
inline constexpr int MAGNIFICATIONS[] = {1, 5, 10, 20, 50};
// The factor at start, the largest: the default synthetic quake sways a one-storey moment
// frame's roof about 3 mm, which it shows as 1.6 pixels each way at the start zoom
// (see the README, "Seeing the sway").
inline constexpr int DEFAULT_MAGNIFICATION = 50;

// No point is drawn farther than this from where it stood (world units, 2 m): a larger
// drawn sway no longer reads as the structure's shape, and a structure that falls would
// be flung across the window. A larger motion lowers the factor shown, down to 1.
inline constexpr float MAX_DRAWN_SWAY = 20.0f;

struct MemberEnds {
    Vector2 start{0.0f, 0.0f};
    Vector2 end{0.0f, 0.0f};
};

Vector2 swayedPoint(Vector2 atRest, Vector2 now, Vector2 groundMoved, float factor);

// Each member's two end points (on its axis) as the view draws them; the rest pose must be
// of these members (one entry each).
std::vector<MemberEnds> swayedMembers(const Simulation& sim, const RestPose& rest, float factor);

// The factor the view shows for the one chosen: lowered so that no member end is drawn
// more than MAX_DRAWN_SWAY from its rest, never below 1.
float shownSwayFactor(const Simulation& sim, const RestPose& rest, int chosen);
