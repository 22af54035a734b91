#include "physics/storeys.h"

#include <algorithm>
#include <cmath>

#include "physics/world.h"

std::vector<FloorLevel> floorLevels(const std::vector<Line>& lines, float groundTop) {
    std::vector<float> ys;
    for (const Line& line : lines) {
        const Vector2 a = line.start;
        const Vector2 b = line.end;
        if (a.y != b.y || a.x == b.x || !std::isfinite(a.y) || !std::isfinite(a.x) || !std::isfinite(b.x)) continue;
        if (!(a.y < groundTop) || pinnedPoint(a, groundTop)) continue;  // on or in the ground
        ys.push_back(a.y);
    }
    std::sort(ys.begin(), ys.end(), [](float p, float q) { return p > q; });  // y points down
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<FloorLevel> levels;
    levels.reserve(ys.size());
    for (float y : ys) levels.push_back(FloorLevel{y, groundTop - y});
    return levels;
}

float storeyHeight(const std::vector<FloorLevel>& levels, std::size_t storey) {
    if (storey >= levels.size()) return 0.0f;
    return storey == 0 ? levels[0].height : levels[storey].height - levels[storey - 1].height;
}
