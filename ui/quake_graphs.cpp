#include "ui/quake_graphs.h"

#include <imgui.h>

#include <cstddef>
#include <vector>

#include "ui/plot/plot_widget.h"

namespace {

constexpr float GRAPH_HEIGHT = 150.0f;
constexpr float HALF_WINDOW_SECONDS = 2.0f;

// One plot of (time, value) points in time order; y spans -amplitude to amplitude.
void drawForcePlot(const char* plotId, const char* lineId, const std::vector<Vector2>& points, float present,
                   float amplitude) {
    if (!beginPlot(plotId, ImVec2(-1.0f, GRAPH_HEIGHT))) return;
    // A four-second window centred on the present, so the newest point sits mid-plot.
    const float from = present - HALF_WINDOW_SECONDS;
    const float to = present + HALF_WINDOW_SECONDS;
    setupPlotAxisLimits(PlotAxis::X, from, to, PlotCond::Always);
    setupPlotAxisLimits(PlotAxis::Y, -amplitude, amplitude, PlotCond::Once);
    if (!points.empty())
        plotLine(lineId, &points[0].x, &points[0].y, static_cast<int>(points.size()), 0,
                 static_cast<int>(sizeof(points[0])));
    endPlot();
}

// The curve as it is shown: once the quake is over, without the point its timer stamps
// with time 0 in the step that ends it, which would draw a line back to the start.
std::vector<Vector2> shownPoints(const PlotRingBuffer& ring, bool active) {
    std::vector<Vector2> points = pointsInOrder(ring);
    const std::size_t n = points.size();
    if (!active && n >= 2 && points[n - 1].x < points[n - 2].x) points.pop_back();
    return points;
}

}  // namespace

void drawQuakeGraphs(const QuakeState& quake) {
    if (!ImGui::CollapsingHeader("Fun With Graphs")) return;
    // The curves of a finished quake stay until G or the next quake empties them.
    if (quake.graphX.data.empty()) return;
    const std::vector<Vector2> xs = shownPoints(quake.graphX, quake.active);
    const std::vector<Vector2> ys = shownPoints(quake.graphY, quake.active);
    // Once the quake is over, its last moments stay in view.
    const float present = quake.active ? quake.elapsed : xs.back().x;
    // Not popped: the plot context is thrown away at the end of the frame.
    pushPlotLineWeight(1.0f);
    // The ground-motion model plots the ground's own motion; the classic one the mean force.
    const bool ground = quake.ground.model == QuakeModel::GroundMotion;
    if (ground) ImGui::Text("Ground acceleration (g)");
    drawForcePlot("##X", "##a", xs, present, quake.lastAmplitude.x);
    if (ground) ImGui::Text("Ground displacement (m)");
    drawForcePlot("##Y", "##b", ys, present, quake.lastAmplitude.y);
}
