#include "ui/drift_panel.h"

#include <imgui.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ui/control_panel.h"

namespace {

std::string percent(float ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f %%", 100.0 * static_cast<double>(ratio));
    return text;
}

// "Damage by storey: 1 Slight, 2 None" from the ground up.
std::string damageLine(const DriftTrack& track) {
    std::string line = "Damage by storey (HAZUS S1L):";
    for (std::size_t storey = 0; storey < track.levels.size(); ++storey) {
        line += (storey == 0 ? " " : ", ") + std::to_string(storey + 1) + " " + damageName(storeyDamage(track, storey));
    }
    return line;
}

// The lines shown, in order (none when there is nothing to show).
std::vector<std::string> driftLines(const QuakeState& quake) {
    const DriftTrack& track = quake.drift;
    if (quake.ground.model != QuakeModel::GroundMotion || !track.started) return {};
    if (track.levels.empty()) return {"Drift: no floors (no horizontal member above the ground)"};
    const bool live = quake.groundRun.moving;
    std::vector<std::string> lines;
    if (live) {
        lines.push_back("Roof drift: " + percent(track.roofDrift) + " (peak " + percent(track.peakRoofDrift) + ")");
        lines.push_back("Storey drift: " + percent(largestStoreyDrift(track)) + " (peak " +
                        percent(largestPeakStoreyDrift(track)) + ")");
    } else {
        lines.push_back("Last quake: peak roof drift " + percent(track.peakRoofDrift) + ", largest storey drift " +
                        percent(largestPeakStoreyDrift(track)));
    }
    lines.push_back(damageLine(track));
    return lines;
}

}  // namespace

void drawDriftReadout(bool simulating, const QuakeState& quake) {
    if (!simulating) return;
    const std::vector<std::string> lines = driftLines(quake);
    if (lines.empty()) return;
    ImGui::Spacing();
    for (const std::string& line : lines) ImGui::TextWrapped("%s", line.c_str());
}
