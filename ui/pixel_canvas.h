#pragma once
// Small opaque shapes painted as rows of render-target pixels, the last paint of a pixel
// winning, and handed back as runs of one colour. Joint markers are drawn this way: a
// structure's joints meet in a few nodes, a dozen markers to a node, all but the last
// hidden; software GL pays for every triangle, seen or not.
#include <raylib.h>

#include <cstdint>
#include <vector>

#include "ui/disc_pixels.h"

// Pixels y, x0 up to but not including x1, all of one colour.
struct ColorRun {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    Color color{0, 0, 0, 0};
};

// Kept from frame to frame so its storage is reused; a new round forgets the last.
struct PixelCanvas {
    int width = 0;
    int height = 0;
    std::uint32_t round = 0;
    std::vector<std::uint32_t> paintedIn;  // per pixel: the round that last painted it
    std::vector<Color> color;              // per pixel: its colour in that round
    std::vector<std::int32_t> painted;     // the pixels painted this round, once each
    std::vector<ColorRun> runs;
};

// Starts a round on a canvas of this size, nothing painted.
void beginCanvas(PixelCanvas& canvas, int width, int height);
// Paints the span's pixels that lie on the canvas.
void paintSpan(PixelCanvas& canvas, const PixelSpan& span, Color color);
// This round's pixels as runs: rows top to bottom, left to right within a row.
const std::vector<ColorRun>& canvasRuns(PixelCanvas& canvas);
