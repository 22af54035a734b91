#include "bench/trusses.h"

namespace {

constexpr int GRID = 50;

Vector2 gridPoint(int column, int row) {
    return Vector2{10.0f * static_cast<float>(column), -20.0f - 10.0f * static_cast<float>(row)};
}

}  // namespace

std::vector<Line> makeTruss(int column, int cells, int rows) {
    std::vector<Line> lines;
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c < cells; ++c) {
            lines.push_back(Line{gridPoint(column + c, r), gridPoint(column + c + 1, r)});
        }
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c <= cells; ++c) {
            lines.push_back(Line{gridPoint(column + c, r), gridPoint(column + c, r + 1)});
        }
        for (int c = 0; c < cells; ++c) {
            if ((c + r) % 2 == 0) {
                lines.push_back(Line{gridPoint(column + c, r), gridPoint(column + c + 1, r + 1)});
            } else {
                lines.push_back(Line{gridPoint(column + c + 1, r), gridPoint(column + c, r + 1)});
            }
        }
    }
    return lines;
}

std::vector<Line> makeFrame(int column, int bays, int storeys, int bayCells, int storeyCells) {
    std::vector<Line> lines;
    for (int s = 0; s < storeys; ++s) {
        for (int b = 0; b <= bays; ++b) {
            const int c = column + b * bayCells;
            lines.push_back(Line{gridPoint(c, s * storeyCells), gridPoint(c, (s + 1) * storeyCells)});
        }
        for (int b = 0; b < bays; ++b) {
            const int row = (s + 1) * storeyCells;
            lines.push_back(Line{gridPoint(column + b * bayCells, row), gridPoint(column + (b + 1) * bayCells, row)});
        }
    }
    return lines;
}

std::vector<Line> makeFullGrid() {
    std::vector<Line> lines;
    for (int r = 0; r < GRID; ++r) {
        for (int c = 0; c < GRID; ++c) {
            if (c + 1 < GRID) lines.push_back(Line{gridPoint(c, r), gridPoint(c + 1, r)});
            if (r + 1 < GRID) lines.push_back(Line{gridPoint(c, r), gridPoint(c, r + 1)});
            if (c + 1 < GRID && r + 1 < GRID) {
                lines.push_back(Line{gridPoint(c, r), gridPoint(c + 1, r + 1)});
                lines.push_back(Line{gridPoint(c + 1, r), gridPoint(c, r + 1)});
            }
        }
    }
    return lines;
}

std::vector<Line> makeSticks(int count) {
    std::vector<Line> lines;
    for (int k = 0; k < count; ++k) {
        const float x = 2.0f * static_cast<float>(k % 250);
        const float y = -30.0f - 2.0f * static_cast<float>(k / 250);
        lines.push_back(Line{{x, y}, {x + 1.0f, y}});
    }
    return lines;
}
