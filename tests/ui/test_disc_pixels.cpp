// A joint marker's pixels: the rows of pixels whose centres the disc covers, with the
// rasteriser's rule for centres on the circle, and outline segments by size on screen.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "ui/disc_pixels.h"
#include "ui/pixel_canvas.h"

namespace {

std::set<std::pair<int, int>> covered(Vector2 centre, float radius) {
    PixelSpan spans[MAX_DISC_SPANS];
    std::set<std::pair<int, int>> pixels;
    const int count = discSpans(centre, radius, spans);
    for (int i = 0; i < count; ++i) {
        for (int x = spans[i].x0; x < spans[i].x1; ++x) pixels.insert({x, spans[i].y});
    }
    return pixels;
}

}  // namespace

TEST(DiscPixels, RowsHoldThePixelCentresInsideTheDisc) {
    for (float radius : {0.5f, 1.5f, 3.0f}) {
        const Vector2 centre{100.3f, 50.8f};
        std::set<std::pair<int, int>> inside;
        for (int y = 40; y < 60; ++y) {
            for (int x = 90; x < 110; ++x) {
                const float dx = x + 0.5f - centre.x;
                const float dy = y + 0.5f - centre.y;
                if (dx * dx + dy * dy < radius * radius) inside.insert({x, y});
            }
        }
        EXPECT_EQ(covered(centre, radius), inside) << radius;
    }
}

TEST(DiscPixels, CentresOnTheCircleCountAtTheLeftAndLowestCornerOnly) {
    // Pixel centres (654.5, 344.5) and (655.5, 344.5) lie on the circle, left and right.
    EXPECT_EQ(covered({655.0f, 344.5f}, 0.5f), (std::set<std::pair<int, int>>{{654, 344}}));
    // Pixel centres (654.5, 344.5) and (654.5, 345.5) lie on it, above and below (y down).
    EXPECT_EQ(covered({654.5f, 345.0f}, 0.5f), (std::set<std::pair<int, int>>{{654, 345}}));
    // Four pixel centres at distance 0.707: none.
    EXPECT_TRUE(covered({655.0f, 345.0f}, 0.5f).empty());
}

TEST(DiscPixels, SegmentsGrowWithTheRadiusUpToDrawCircleVs) {
    EXPECT_EQ(circleSegments(4.0f), 20);
    EXPECT_LT(circleSegments(4.0f), circleSegments(10.0f));
    EXPECT_EQ(circleSegments(1000.0f), MAX_CIRCLE_SEGMENTS);
    EXPECT_EQ(circleSegments(4.0f) % 2, 0);
}

TEST(PixelCanvas, LastPaintWinsAndRunsJoinPixelsOfOneColour) {
    const Color yellow{255, 255, 0, 255};
    const Color red{255, 0, 0, 255};
    PixelCanvas canvas;
    beginCanvas(canvas, 10, 4);
    paintSpan(canvas, {1, 2, 6}, yellow);
    paintSpan(canvas, {1, 4, 5}, red);      // over the middle of the yellow run
    paintSpan(canvas, {1, 8, 20}, red);     // clipped at the right edge
    paintSpan(canvas, {0, -3, 1}, yellow);  // clipped at the left edge
    paintSpan(canvas, {4, 0, 10}, red);     // below the canvas: nothing
    const auto runs = canvasRuns(canvas);
    ASSERT_EQ(runs.size(), 5u);
    auto same = [](const ColorRun& r, int y, int x0, int x1, Color c) {
        return r.y == y && r.x0 == x0 && r.x1 == x1 && r.color.r == c.r && r.color.g == c.g;
    };
    EXPECT_TRUE(same(runs[0], 0, 0, 1, yellow));
    EXPECT_TRUE(same(runs[1], 1, 2, 4, yellow));
    EXPECT_TRUE(same(runs[2], 1, 4, 5, red));
    EXPECT_TRUE(same(runs[3], 1, 5, 6, yellow));
    EXPECT_TRUE(same(runs[4], 1, 8, 10, red));
    // A new round starts empty.
    beginCanvas(canvas, 10, 4);
    EXPECT_TRUE(canvasRuns(canvas).empty());
}
