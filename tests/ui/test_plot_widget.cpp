// The plot widget's helpers and a plot drawn in a headless frame.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "headless_ui.h"
#include "quake/plot_ring.h"
#include "ui/plot/plot_widget.h"

namespace {

TEST(PlotWidget, AFullRingIsReadFromItsOldestPoint) {
    PlotRingBuffer ring = makePlotRingBuffer(2000);
    for (int i = 0; i < 2500; ++i) addPoint(ring, static_cast<float>(i), 0.0f);
    ASSERT_EQ(ring.data.size(), 2000u);
    ASSERT_EQ(ring.offset, 500);
    const int count = static_cast<int>(ring.data.size());
    float previous = -1.0f;
    for (int i = 0; i < count; ++i) {
        const float x = ring.data[static_cast<std::size_t>(plotPointIndex(i, ring.offset, count))].x;
        if (i == 0) { EXPECT_EQ(x, 500.0f) << "oldest point first"; }
        EXPECT_GT(x, previous);
        previous = x;
    }
    EXPECT_EQ(previous, 2499.0f) << "newest point last";
    EXPECT_EQ(plotPointIndex(0, 0, 10), 0);
    EXPECT_EQ(plotPointIndex(3, -1, 10), 2);
    EXPECT_EQ(plotPointIndex(0, 0, 0), 0);
}

TEST(PlotWidget, LimitsAreOrderedAndAnEmptyRangeIsWidened) {
    const PlotRange swapped = orderedPlotRange(316227.8, -316227.8);
    EXPECT_EQ(swapped.min, -316227.8);
    EXPECT_EQ(swapped.max, 316227.8);

    const PlotRange empty = orderedPlotRange(0.0, 0.0);
    EXPECT_LT(empty.min, 0.0);
    EXPECT_GT(empty.max, 0.0);
    const double pixel = plotToPixel(0.0, empty, 100.0, 0.0);
    EXPECT_TRUE(std::isfinite(pixel));
    EXPECT_DOUBLE_EQ(pixel, 50.0);
    EXPECT_TRUE(std::isfinite(plotToPixel(3.0, PlotRange{1.0, 1.0}, 0.0, 10.0)));
}

TEST(PlotWidget, TicksAreRoundAndInsideTheRange) {
    const std::vector<double> ticks = plotTicks(PlotRange{-2.0, 2.0}, 5);
    ASSERT_FALSE(ticks.empty());
    for (double t : ticks) {
        EXPECT_GE(t, -2.0);
        EXPECT_LE(t, 2.0);
        EXPECT_DOUBLE_EQ(t, std::round(t));
    }
    EXPECT_TRUE(plotTicks(PlotRange{0.0, 0.0}, 5).empty());
    EXPECT_LE(plotTicks(PlotRange{-3e5, 3e5}, 5).size(), 7u);
}

TEST(PlotWidget, SegmentsAreClippedToThePlotArea) {
    double ax = -10, ay = 5, bx = 20, by = 5;
    ASSERT_TRUE(clipPlotSegment(ax, ay, bx, by, ImVec2(0, 0), ImVec2(10, 10)));
    EXPECT_DOUBLE_EQ(ax, 0.0);
    EXPECT_DOUBLE_EQ(bx, 10.0);
    double cx = -10, cy = -10, dx = -5, dy = 20;
    EXPECT_FALSE(clipPlotSegment(cx, cy, dx, dy, ImVec2(0, 0), ImVec2(10, 10)));
    double ex = 5, ey = -1e12, fx = 5, fy = 1e12;  // a spike far past the limits
    ASSERT_TRUE(clipPlotSegment(ex, ey, fx, fy, ImVec2(0, 0), ImVec2(10, 10)));
    EXPECT_DOUBLE_EQ(ey, 0.0);
    EXPECT_DOUBLE_EQ(fy, 10.0);
}

class PlotFrame : public ::testing::Test {
protected:
    void SetUp() override { startHeadlessUi(ui); }
    void TearDown() override { stopHeadlessUi(ui); }

    static void beginWindow() {
        ImGui::SetNextWindowPos(ImVec2(10.0f, 10.0f));
        ImGui::SetNextWindowSize(ImVec2(600.0f, 600.0f));
        ImGui::Begin("Plots");
    }

    // Every vertex the frame produced lies inside the display and is a number.
    void expectFiniteVerticesOnScreen() {
        const ImDrawData* data = ImGui::GetDrawData();
        for (const ImDrawList* list : data->CmdLists)
            for (const ImDrawVert& v : list->VtxBuffer) {
                ASSERT_TRUE(std::isfinite(v.pos.x) && std::isfinite(v.pos.y));
                ASSERT_GE(v.pos.x, -2.0f);
                ASSERT_LE(v.pos.y, 852.0f);
            }
    }

    HeadlessUi ui;
};

TEST_F(PlotFrame, APlotWithEmptyLimitsAndWildPointsDrawsFiniteGeometry) {
    std::vector<float> xy;
    const float values[][2] = {{0.0f, 0.0f}, {1.0f, 1e30f}, {2.0f, NAN}, {3.0f, -1e30f}, {4.0f, 0.5f}};
    for (const auto& p : values) {
        xy.push_back(p[0]);
        xy.push_back(p[1]);
    }
    bool opened = false;
    headlessFrame(ui, [&] {
        PlotContext* ctx = createPlotContext();
        beginWindow();
        pushPlotLineWeight(1.0f);
        opened = beginPlot("##X", ImVec2(-1.0f, 150.0f));
        if (opened) {
            setupPlotAxisLimits(PlotAxis::X, 2.0, -2.0, PlotCond::Always);
            setupPlotAxisLimits(PlotAxis::Y, 0.0, 0.0, PlotCond::Once);
            plotLine("##a", &xy[0], &xy[1], 5, 0, 2 * sizeof(float));
            endPlot();
        }
        ImGui::End();
        destroyPlotContext(ctx);
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(currentPlotContext(), nullptr);
    expectFiniteVerticesOnScreen();
}

TEST_F(PlotFrame, OnceLimitsApplyOncePerContextAndAlwaysLimitsEveryTime) {
    headlessFrame(ui, [&] {
        PlotContext* ctx = createPlotContext();
        beginWindow();
        for (int pass = 0; pass < 2; ++pass) {
            ImGui::PushID(0);  // the same plot twice in one context
            const bool opened = beginPlot("##P", ImVec2(200.0f, 100.0f));
            EXPECT_TRUE(opened) << "pass " << pass;
            if (!opened) {
                ImGui::PopID();
                continue;
            }
            setupPlotAxisLimits(PlotAxis::X, pass, pass + 4.0, PlotCond::Always);
            setupPlotAxisLimits(PlotAxis::Y, -(pass + 1.0), pass + 1.0, PlotCond::Once);
            const PlotMemory& plot = ctx->plots[ctx->current];
            EXPECT_EQ(plot.x.min, static_cast<double>(pass));
            EXPECT_EQ(plot.y.max, 1.0) << "pass " << pass;
            endPlot();
            ImGui::PopID();
        }
        ImGui::End();
        destroyPlotContext(ctx);
    });
    // A new context (the next frame) starts afresh.
    headlessFrame(ui, [&] {
        PlotContext* ctx = createPlotContext();
        beginWindow();
        ImGui::PushID(0);
        const bool opened = beginPlot("##P", ImVec2(200.0f, 100.0f));
        EXPECT_TRUE(opened);
        if (opened) {
            setupPlotAxisLimits(PlotAxis::Y, -7.0, 7.0, PlotCond::Once);
            EXPECT_EQ(ctx->plots[ctx->current].y.max, 7.0);
            endPlot();
        }
        ImGui::PopID();
        ImGui::End();
        destroyPlotContext(ctx);
    });
}

TEST_F(PlotFrame, WithoutAContextNoPlotBegins) {
    headlessFrame(ui, [&] {
        beginWindow();
        EXPECT_FALSE(beginPlot("##X", ImVec2(-1.0f, 150.0f)));
        ImGui::End();
    });
}

}  // namespace
