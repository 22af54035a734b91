#include "ui/quake_graphs.h"

#include <imgui.h>

#include "ui/plot/plot_widget.h"

namespace {

constexpr float GRAPH_HEIGHT = 150.0f;
constexpr float HALF_WINDOW_SECONDS = 2.0f;

// One plot of a ring of (time, value) points; y spans -amplitude to amplitude.
void drawForcePlot(const char* plotId, const char* lineId, const PlotRingBuffer& ring, float elapsed,
                   float amplitude) {
    if (!beginPlot(plotId, ImVec2(-1.0f, GRAPH_HEIGHT))) return;
    // A four-second window centred on the present, so the newest point sits mid-plot.
    const float from = elapsed - HALF_WINDOW_SECONDS;
    const float to = elapsed + HALF_WINDOW_SECONDS;
    setupPlotAxisLimits(PlotAxis::X, from, to, PlotCond::Always);
    setupPlotAxisLimits(PlotAxis::Y, -amplitude, amplitude, PlotCond::Once);
    if (!ring.data.empty())
        plotLine(lineId, &ring.data[0].x, &ring.data[0].y, static_cast<int>(ring.data.size()), ring.offset,
                 static_cast<int>(sizeof(ring.data[0])));
    endPlot();
}

}  // namespace

void drawQuakeGraphs(const QuakeState& quake) {
    if (!ImGui::CollapsingHeader("Fun With Graphs")) return;
    if (!quake.active || quake.graphX.data.empty()) return;
    // Not popped: the plot context is thrown away at the end of the frame.
    pushPlotLineWeight(1.0f);
    // The ground-motion model plots the ground's own motion; the classic one the mean force.
    const bool ground = quake.ground.model == QuakeModel::GroundMotion;
    if (ground) ImGui::Text("Ground acceleration (g)");
    drawForcePlot("##X", "##a", quake.graphX, quake.elapsed, quake.lastAmplitude.x);
    if (ground) ImGui::Text("Ground displacement (m)");
    drawForcePlot("##Y", "##b", quake.graphY, quake.elapsed, quake.lastAmplitude.y);
}
