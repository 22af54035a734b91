#include "ui/plot/plot_widget.h"

#include <imgui_internal.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

PlotContext* currentContext = nullptr;

constexpr float TICK_LENGTH = 4.0f;
constexpr float LABEL_GAP = 3.0f;
constexpr float PADDING = 6.0f;
constexpr int MAX_TICKS_X = 6;
constexpr int MAX_TICKS_Y = 5;
const ImVec4 LINE_COLOUR{0.298f, 0.447f, 0.690f, 1.0f};

float lineWeight(const PlotContext& ctx) { return ctx.lineWeights.empty() ? 1.0f : ctx.lineWeights.back(); }

PlotMemory& memoryFor(PlotContext& ctx, ImGuiID id) {
    for (std::size_t i = 0; i < ctx.plots.size(); ++i) {
        if (ctx.plots[i].id == id) {
            ctx.current = i;
            return ctx.plots[i];
        }
    }
    PlotMemory memory;
    memory.id = id;
    ctx.plots.push_back(memory);
    ctx.current = ctx.plots.size() - 1;
    return ctx.plots.back();
}

void formatTick(char* buffer, std::size_t size, double value, double step) {
    if (std::fabs(value) < step * 1e-9) value = 0.0;  // no "-0" or "1e-17" at the origin
    std::snprintf(buffer, size, "%g", value);
}

// Lays out the frame and the plot area, draws the axes, and opens clipping for the series.
void finishSetup(PlotContext& ctx) {
    if (ctx.setupFinished) return;
    ctx.setupFinished = true;
    const PlotMemory& plot = ctx.plots[ctx.current];
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImGuiStyle& style = ImGui::GetStyle();
    const float lineHeight = ImGui::GetTextLineHeight();
    char label[32];

    const std::vector<double> yTicks = plotTicks(plot.y, MAX_TICKS_Y);
    const double yStep = yTicks.size() > 1 ? yTicks[1] - yTicks[0] : 1.0;
    float labelWidth = 0.0f;
    for (double v : yTicks) {
        formatTick(label, sizeof label, v, yStep);
        labelWidth = std::max(labelWidth, ImGui::CalcTextSize(label).x);
    }

    ctx.areaMin = ImVec2(ctx.frameMin.x + PADDING + labelWidth + LABEL_GAP + TICK_LENGTH, ctx.frameMin.y + PADDING);
    ctx.areaMax = ImVec2(ctx.frameMax.x - PADDING, ctx.frameMax.y - PADDING - lineHeight - LABEL_GAP - TICK_LENGTH);
    if (ctx.areaMax.x < ctx.areaMin.x + 1.0f) ctx.areaMax.x = ctx.areaMin.x + 1.0f;
    if (ctx.areaMax.y < ctx.areaMin.y + 1.0f) ctx.areaMax.y = ctx.areaMin.y + 1.0f;

    draw->AddRectFilled(ctx.frameMin, ctx.frameMax, ImGui::GetColorU32(ImGuiCol_FrameBg), style.FrameRounding);
    draw->AddRectFilled(ctx.areaMin, ctx.areaMax, ImGui::GetColorU32(ImGuiCol_WindowBg, 0.5f));

    const ImU32 grid = ImGui::GetColorU32(ImGuiCol_Text, 0.25f);
    const ImU32 text = ImGui::GetColorU32(ImGuiCol_Text);
    for (double v : yTicks) {
        const float y = static_cast<float>(plotToPixel(v, plot.y, ctx.areaMax.y, ctx.areaMin.y));
        draw->AddLine(ImVec2(ctx.areaMin.x, y), ImVec2(ctx.areaMax.x, y), grid);
        draw->AddLine(ImVec2(ctx.areaMin.x - TICK_LENGTH, y), ImVec2(ctx.areaMin.x, y), text);
        formatTick(label, sizeof label, v, yStep);
        const ImVec2 size = ImGui::CalcTextSize(label);
        draw->AddText(ImVec2(ctx.areaMin.x - TICK_LENGTH - LABEL_GAP - size.x, y - size.y * 0.5f), text, label);
    }

    const std::vector<double> xTicks = plotTicks(plot.x, MAX_TICKS_X);
    const double xStep = xTicks.size() > 1 ? xTicks[1] - xTicks[0] : 1.0;
    for (double v : xTicks) {
        const float x = static_cast<float>(plotToPixel(v, plot.x, ctx.areaMin.x, ctx.areaMax.x));
        draw->AddLine(ImVec2(x, ctx.areaMin.y), ImVec2(x, ctx.areaMax.y), grid);
        draw->AddLine(ImVec2(x, ctx.areaMax.y), ImVec2(x, ctx.areaMax.y + TICK_LENGTH), text);
        formatTick(label, sizeof label, v, xStep);
        const ImVec2 size = ImGui::CalcTextSize(label);
        draw->AddText(ImVec2(x - size.x * 0.5f, ctx.areaMax.y + TICK_LENGTH + LABEL_GAP), text, label);
    }
    draw->AddRect(ctx.areaMin, ctx.areaMax, ImGui::GetColorU32(ImGuiCol_Border));

    draw->PushClipRect(ctx.areaMin, ctx.areaMax, true);
}

}  // namespace

PlotContext* createPlotContext() {
    auto* ctx = new PlotContext();
    if (currentContext == nullptr) currentContext = ctx;
    return ctx;
}

void destroyPlotContext(PlotContext* ctx) {
    if (ctx == nullptr) ctx = currentContext;
    if (ctx == nullptr) return;
    if (ctx == currentContext) currentContext = nullptr;
    delete ctx;
}

PlotContext* currentPlotContext() { return currentContext; }

void pushPlotLineWeight(float weight) {
    if (currentContext != nullptr) currentContext->lineWeights.push_back(weight);
}

void popPlotLineWeight(int count) {
    if (currentContext == nullptr) return;
    while (count-- > 0 && !currentContext->lineWeights.empty()) currentContext->lineWeights.pop_back();
}

bool beginPlot(const char* titleId, ImVec2 size) {
    PlotContext* ctx = currentContext;
    if (ctx == nullptr || ctx->inPlot) return false;
    ImGuiWindow* window = ImGui::GetCurrentWindow();
    if (window->SkipItems) return false;

    const ImGuiID id = window->GetID(titleId);
    const ImVec2 frameSize = ImGui::CalcItemSize(size, 400.0f, 300.0f);
    const ImVec2 pos = window->DC.CursorPos;
    const ImRect frame(pos, ImVec2(pos.x + frameSize.x, pos.y + frameSize.y));
    ImGui::ItemSize(frame);
    if (!ImGui::ItemAdd(frame, id)) return false;

    memoryFor(*ctx, id);
    ctx->inPlot = true;
    ctx->setupFinished = false;
    ctx->frameMin = frame.Min;
    ctx->frameMax = frame.Max;

    // The visible title is the text before "##"; it sits above the plot area.
    const char* titleEnd = ImGui::FindRenderedTextEnd(titleId);
    if (titleEnd != titleId) {
        const ImVec2 textSize = ImGui::CalcTextSize(titleId, titleEnd);
        window->DrawList->AddText(ImVec2(frame.GetCenter().x - textSize.x * 0.5f, frame.Min.y + PADDING),
                                  ImGui::GetColorU32(ImGuiCol_Text), titleId, titleEnd);
        ctx->frameMin.y += textSize.y + PADDING;
    }
    return true;
}

void setupPlotAxisLimits(PlotAxis axis, double a, double b, PlotCond cond) {
    PlotContext* ctx = currentContext;
    if (ctx == nullptr || !ctx->inPlot || ctx->setupFinished) return;
    if (!std::isfinite(a) || !std::isfinite(b)) return;
    PlotMemory& plot = ctx->plots[ctx->current];
    PlotRange& range = axis == PlotAxis::X ? plot.x : plot.y;
    bool& onceApplied = axis == PlotAxis::X ? plot.xOnceApplied : plot.yOnceApplied;
    if (cond == PlotCond::Once && onceApplied) return;
    range = orderedPlotRange(a, b);
    if (cond == PlotCond::Once) onceApplied = true;
}

void plotLine(const char*, const float* xs, const float* ys, int count, int offset, int stride) {
    PlotContext* ctx = currentContext;
    if (ctx == nullptr || !ctx->inPlot) return;
    finishSetup(*ctx);
    if (count < 2 || xs == nullptr || ys == nullptr) return;
    const PlotMemory& plot = ctx->plots[ctx->current];
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImU32 colour = ImGui::GetColorU32(LINE_COLOUR);
    const float weight = lineWeight(*ctx);

    auto pointAt = [&](int i, double& px, double& py) {
        const int index = plotPointIndex(i, offset, count);
        const auto byteOffset = static_cast<std::size_t>(index) * static_cast<std::size_t>(stride);
        float x;
        float y;
        std::memcpy(&x, reinterpret_cast<const unsigned char*>(xs) + byteOffset, sizeof x);
        std::memcpy(&y, reinterpret_cast<const unsigned char*>(ys) + byteOffset, sizeof y);
        px = plotToPixel(x, plot.x, ctx->areaMin.x, ctx->areaMax.x);
        py = plotToPixel(y, plot.y, ctx->areaMax.y, ctx->areaMin.y);
        return std::isfinite(px) && std::isfinite(py);
    };

    double ax = 0.0;
    double ay = 0.0;
    bool aValid = pointAt(0, ax, ay);
    for (int i = 1; i < count; ++i) {
        double bx = 0.0;
        double by = 0.0;
        const bool bValid = pointAt(i, bx, by);
        if (aValid && bValid) {
            double cax = ax, cay = ay, cbx = bx, cby = by;
            if (clipPlotSegment(cax, cay, cbx, cby, ctx->areaMin, ctx->areaMax))
                draw->AddLine(ImVec2(static_cast<float>(cax), static_cast<float>(cay)),
                              ImVec2(static_cast<float>(cbx), static_cast<float>(cby)), colour, weight);
        }
        ax = bx;
        ay = by;
        aValid = bValid;
    }
}

void endPlot() {
    PlotContext* ctx = currentContext;
    if (ctx == nullptr || !ctx->inPlot) return;
    finishSetup(*ctx);
    ImGui::GetWindowDrawList()->PopClipRect();
    ctx->inPlot = false;
    ctx->setupFinished = false;
}

PlotRange orderedPlotRange(double a, double b) {
    PlotRange range{std::min(a, b), std::max(a, b)};
    if (!(range.max > range.min)) {
        range.min -= 0.5;
        range.max += 0.5;
    }
    return range;
}

int plotPointIndex(int i, int offset, int count) {
    if (count <= 0) return 0;
    const long long index = (static_cast<long long>(offset) + i) % count;
    return static_cast<int>(index < 0 ? index + count : index);
}

double plotToPixel(double value, PlotRange range, double pixelAtMin, double pixelAtMax) {
    const double span = range.max - range.min;
    if (!(span > 0.0)) return 0.5 * (pixelAtMin + pixelAtMax);
    return pixelAtMin + (value - range.min) / span * (pixelAtMax - pixelAtMin);
}

std::vector<double> plotTicks(PlotRange range, int maxTicks) {
    std::vector<double> ticks;
    const double span = range.max - range.min;
    if (!(span > 0.0) || !std::isfinite(span) || maxTicks < 1) return ticks;
    const double raw = span / maxTicks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    const double step = (fraction <= 1.0 ? 1.0 : fraction <= 2.0 ? 2.0 : fraction <= 5.0 ? 5.0 : 10.0) * magnitude;
    const double first = std::ceil(range.min / step) * step;
    for (int k = 0; k <= maxTicks + 1; ++k) {
        const double v = first + k * step;
        if (v > range.max + step * 1e-9) break;
        ticks.push_back(v);
    }
    return ticks;
}

bool clipPlotSegment(double& ax, double& ay, double& bx, double& by, ImVec2 lo, ImVec2 hi) {
    // Liang-Barsky: keep the part of a + t (b - a), t in [0, 1], inside the rectangle.
    const double dx = bx - ax;
    const double dy = by - ay;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - lo.x, hi.x - ax, ay - lo.y, hi.y - ay};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double sx = ax;
    const double sy = ay;
    ax = sx + t0 * dx;
    ay = sy + t0 * dy;
    bx = sx + t1 * dx;
    by = sy + t1 * dy;
    return true;
}
