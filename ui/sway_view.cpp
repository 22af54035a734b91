#include "ui/sway_view.h"

#include <cstddef>
#include <vector>

#include "physics/member_utilisation.h"
#include "ui/sway_pose.h"

namespace {

// The legend, in render-target pixels: right of the panel, under the mode's name.
constexpr int LEGEND_LEFT = 310;
constexpr int LEGEND_TOP = 32;
constexpr int LEGEND_TEXT = 10;
constexpr int LEGEND_ROW = 14;
constexpr int SWATCH = 10;
constexpr Color LEGEND_TEXT_COLOR{40, 40, 120, 255};

}  // namespace

Color utilisationColor(float utilisation) {
    Color color = UTILISATION_STEPS[0].color;
    for (const UtilisationStep& step : UTILISATION_STEPS) {
        if (utilisation >= step.from) color = step.color;
    }
    return color;
}

void drawSwayedMembers(const Simulation& sim, const RestPose& rest, float factor, float hingeThreshold) {
    const std::vector<MemberEnds> outline = swayedMembers(sim, rest, 0.0f);
    const std::vector<MemberEnds> swayed = swayedMembers(sim, rest, factor);
    const std::vector<float> use = memberUtilisation(sim, hingeThreshold);
    for (std::size_t i = 0; i < sim.beams.size(); ++i) {
        DrawLineEx(outline[i].start, outline[i].end, 2.0f * sim.beams[i].halfWidth, REST_OUTLINE_COLOR);
    }
    for (std::size_t i = 0; i < sim.beams.size(); ++i) {
        DrawLineEx(swayed[i].start, swayed[i].end, 2.0f * sim.beams[i].halfWidth, utilisationColor(use[i]));
    }
}

void drawSwayLegend(float shown, int chosen) {
    int y = LEGEND_TOP;
    const char* title = shown < static_cast<float>(chosen)
                            ? TextFormat("Sway x%.1f (x%d would draw it over 2 m), grey: at rest", shown, chosen)
                            : TextFormat("Sway x%d, grey: at rest", chosen);
    DrawText(title, LEGEND_LEFT, y, LEGEND_TEXT, LEGEND_TEXT_COLOR);
    y += LEGEND_ROW;
    DrawText("Joints' use: moment / capacity, hinge force / threshold", LEGEND_LEFT, y, LEGEND_TEXT,
             LEGEND_TEXT_COLOR);
    for (const UtilisationStep& step : UTILISATION_STEPS) {
        y += LEGEND_ROW;
        DrawRectangle(LEGEND_LEFT, y, SWATCH, SWATCH, step.color);
        DrawText(step.label, LEGEND_LEFT + SWATCH + 6, y, LEGEND_TEXT, LEGEND_TEXT_COLOR);
    }
}
