#pragma once
// A small line-plot widget drawn on Dear ImGui's draw lists: a framed plot of given
// size with x and y limits, ticks with labels, and line series read from ring buffers.
//
// A plot context is made for one frame: create it after ImGui::NewFrame, build plots
// with beginPlot / setupPlotAxisLimits / plotLine / endPlot, destroy it before the
// frame ends. Nothing of a plot (limits, style) survives the context.
#include <imgui.h>

#include <cstddef>
#include <vector>

enum class PlotAxis { X, Y };
// Always: the limits are applied every time they are given. Once: only the first time
// they are given for that plot within the context's life.
enum class PlotCond { Always, Once };

// An axis range with min < max.
struct PlotRange {
    double min = 0.0;
    double max = 1.0;
};

// What the context remembers of one plot while it lives.
struct PlotMemory {
    ImGuiID id = 0;
    PlotRange x;
    PlotRange y;
    bool xOnceApplied = false;
    bool yOnceApplied = false;
};

struct PlotContext {
    std::vector<float> lineWeights;  // pushed line weights; the last one is in force
    std::vector<PlotMemory> plots;
    // The plot being built between beginPlot and endPlot.
    bool inPlot = false;
    bool setupFinished = false;
    std::size_t current = 0;  // index into plots
    ImVec2 frameMin{0.0f, 0.0f};
    ImVec2 frameMax{0.0f, 0.0f};
    ImVec2 areaMin{0.0f, 0.0f};
    ImVec2 areaMax{0.0f, 0.0f};
};

// Creates a context; it becomes the current one if none is current.
PlotContext* createPlotContext();
// Destroys ctx (the current context when null); the current context is cleared if it was ctx.
void destroyPlotContext(PlotContext* ctx = nullptr);
PlotContext* currentPlotContext();

void pushPlotLineWeight(float weight);
void popPlotLineWeight(int count = 1);

// Begins a plot; size components of 0 or less are taken from the available region as
// Dear ImGui items do (-1 = all available width). Returns false when there is no
// current context or the plot is not visible; call endPlot only after true.
bool beginPlot(const char* titleId, ImVec2 size);
// Limits a and b may come in either order; non-finite limits are ignored.
void setupPlotAxisLimits(PlotAxis axis, double a, double b, PlotCond cond);
// Draws count points read from xs and ys (stride bytes apart), starting with point
// offset and wrapping round: a full ring buffer is drawn from its oldest point.
void plotLine(const char* label, const float* xs, const float* ys, int count, int offset, int stride);
void endPlot();

// ---- Helpers the widget is built from ------------------------------------------

// The range from the smaller to the larger value; an empty range is widened by 0.5
// each way so that mapping onto pixels never divides by zero.
PlotRange orderedPlotRange(double a, double b);
// The ring index of the i-th point drawn, for count points starting at offset.
int plotPointIndex(int i, int offset, int count);
// The pixel of value on an axis that runs from pixelAtMin to pixelAtMax.
double plotToPixel(double value, PlotRange range, double pixelAtMin, double pixelAtMax);
// Round tick values within range, at most about maxTicks of them.
std::vector<double> plotTicks(PlotRange range, int maxTicks);
// Clips the segment a-b to the rectangle [lo, hi]; false when nothing of it is inside.
bool clipPlotSegment(double& ax, double& ay, double& bx, double& by, ImVec2 lo, ImVec2 hi);
