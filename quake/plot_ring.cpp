#include "quake/plot_ring.h"

#include <cstddef>

PlotRingBuffer makePlotRingBuffer(int maxSize) {
    PlotRingBuffer buffer;
    buffer.maxSize = maxSize;
    buffer.offset = 0;
    if (maxSize > 0) buffer.data.reserve(static_cast<std::size_t>(maxSize));
    return buffer;
}

void addPoint(PlotRingBuffer& buffer, float x, float y) {
    if (buffer.maxSize <= 0) return;
    if (static_cast<int>(buffer.data.size()) < buffer.maxSize) {
        buffer.data.push_back(Vector2{x, y});
        return;
    }
    buffer.data[static_cast<std::size_t>(buffer.offset)] = Vector2{x, y};
    buffer.offset = (buffer.offset + 1) % buffer.maxSize;
}

void erase(PlotRingBuffer& buffer) {
    if (buffer.data.empty()) return;
    buffer.data.clear();
    buffer.offset = 0;
}

std::vector<Vector2> pointsInOrder(const PlotRingBuffer& buffer) {
    const auto oldest = buffer.data.begin() + buffer.offset;
    std::vector<Vector2> points(oldest, buffer.data.end());
    points.insert(points.end(), buffer.data.begin(), oldest);
    return points;
}
