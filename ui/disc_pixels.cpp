#include "ui/disc_pixels.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float OUTLINE_TOLERANCE = 0.05f;  // pixels between the outline and the circle (PI is raylib's)
// The rasteriser places corners on a 1/256 pixel grid: a pixel centre nearer than this to
// the circle lies on it as far as the rasteriser can tell.
constexpr float TIE = 1.0f / 256.0f;

}  // namespace

int discSpans(Vector2 centre, float radius, PixelSpan (&out)[MAX_DISC_SPANS]) {
    // A pixel is filled when its centre (x + 0.5, y + 0.5) is inside the disc. A centre on
    // the circle is inside an outline of 36 segments only at a corner; there the
    // rasteriser's edge rule decides: it counts the leftmost corner in and the rightmost
    // out (as llvmpipe draws into the render target), and by the same bottom-left rule
    // the lowest corner (largest y here) in and the highest out.
    const int top = static_cast<int>(std::ceil(centre.y - radius - 0.5f - TIE));
    const int bottom = static_cast<int>(std::floor(centre.y + radius - 0.5f + TIE));
    int count = 0;
    for (int y = top; y <= bottom && count < MAX_DISC_SPANS; ++y) {
        const float dy = static_cast<float>(y) + 0.5f - centre.y;
        const float half = std::sqrt(std::max(0.0f, radius * radius - dy * dy));
        int x0 = static_cast<int>(std::ceil(centre.x - half - 0.5f + TIE));
        const int x1 = static_cast<int>(std::floor(centre.x + half - 0.5f - TIE)) + 1;
        if (std::fabs(dy) <= TIE && std::fabs(static_cast<float>(x0) - 0.5f - (centre.x - half)) <= TIE) --x0;
        if (x1 > x0) {
            out[count++] = PixelSpan{y, x0, x1};
        } else if (std::fabs(dy - radius) <= TIE) {
            const int x = static_cast<int>(std::floor(centre.x));
            if (std::fabs(static_cast<float>(x) + 0.5f - centre.x) <= TIE) out[count++] = PixelSpan{y, x, x + 1};
        }
    }
    return count;
}

int circleSegments(float radius) {
    if (!(radius > OUTLINE_TOLERANCE)) return 4;
    const float step = 2.0f * std::acos(1.0f - OUTLINE_TOLERANCE / radius);  // angle per segment
    const int segments = static_cast<int>(std::ceil(2.0f * PI / step));
    return std::min(MAX_CIRCLE_SEGMENTS, std::max(4, segments + segments % 2));
}
