#pragma once
// A bounded list of graph points; once full it is a ring whose oldest point is at offset.
#include <raylib.h>

#include <vector>

struct PlotRingBuffer {
    int maxSize = 2000;
    int offset = 0;
    std::vector<Vector2> data;
};

PlotRingBuffer makePlotRingBuffer(int maxSize = 2000);
void addPoint(PlotRingBuffer& buffer, float x, float y);
void erase(PlotRingBuffer& buffer);
// The points from the oldest to the newest.
std::vector<Vector2> pointsInOrder(const PlotRingBuffer& buffer);
