#pragma once
// Drawing the sway view (see sway_pose.h): a faint outline of the structure at rest
// carried with the ground, the members swayed by the factor and coloured by how close
// their joints are to giving way, and the legend of those colours.
#include <raylib.h>

#include "physics/rest_pose.h"
#include "physics/structure.h"

// The utilisation scale, in Okabe & Ito's colour-blind-safe colours (2008, "Color
// Universal Design"): blue under half, orange to 0.8, vermillion to 1, and black at 1 and
// above, where a moment connection yields and a hinge's load grows towards its limit.
struct UtilisationStep {
    float from;  // the step holds utilisations from here up to the next step's
    Color color;
    const char* label;
};
inline constexpr UtilisationStep UTILISATION_STEPS[] = {
    {0.0f, {0, 114, 178, 255}, "under 50%"},
    {0.5f, {230, 159, 0, 255}, "50-80%"},
    {0.8f, {213, 94, 0, 255}, "80-100%"},
    {1.0f, {0, 0, 0, 255}, "100%: yields / tires"},
};
inline constexpr Color REST_OUTLINE_COLOR{200, 200, 200, 255};

Color utilisationColor(float utilisation);

// Inside the camera. hingeThreshold: the joint rule's threshold (engine force) in force now.
void drawSwayedMembers(const Simulation& sim, const RestPose& rest, float factor, float hingeThreshold);
// In render-target pixels, below the scene's mode text: the factor shown, and the one
// chosen when the shown one had to be lower.
void drawSwayLegend(float shown, int chosen);
