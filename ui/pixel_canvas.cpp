#include "ui/pixel_canvas.h"

#include <algorithm>
#include <cstddef>

namespace {

bool sameColor(Color a, Color b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

}  // namespace

void beginCanvas(PixelCanvas& canvas, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (width != canvas.width || height != canvas.height || ++canvas.round == 0) {
        canvas.width = width;
        canvas.height = height;
        canvas.paintedIn.assign(size, 0);
        canvas.color.assign(size, Color{0, 0, 0, 0});
        canvas.round = 1;
    }
    canvas.painted.clear();
}

void paintSpan(PixelCanvas& canvas, const PixelSpan& span, Color color) {
    if (span.y < 0 || span.y >= canvas.height) return;
    const int x0 = std::max(span.x0, 0);
    const int x1 = std::min(span.x1, canvas.width);
    for (int x = x0; x < x1; ++x) {
        const std::int32_t i = span.y * canvas.width + x;
        const auto at = static_cast<std::size_t>(i);
        if (canvas.paintedIn[at] != canvas.round) {
            canvas.paintedIn[at] = canvas.round;
            canvas.painted.push_back(i);
        }
        canvas.color[at] = color;
    }
}

const std::vector<ColorRun>& canvasRuns(PixelCanvas& canvas) {
    canvas.runs.clear();
    std::sort(canvas.painted.begin(), canvas.painted.end());
    for (const std::int32_t i : canvas.painted) {
        const int y = i / canvas.width;
        const int x = i % canvas.width;
        const Color color = canvas.color[static_cast<std::size_t>(i)];
        if (!canvas.runs.empty()) {
            ColorRun& last = canvas.runs.back();
            if (last.y == y && last.x1 == x && sameColor(last.color, color)) {
                ++last.x1;
                continue;
            }
        }
        canvas.runs.push_back(ColorRun{y, x, x + 1, color});
    }
    return canvas.runs;
}
