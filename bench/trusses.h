#pragma once
// Synthetic structures on the editor's 50 x 50 grid for the benchmark.
#include <vector>

#include "physics/structure.h"

// A truss `cells` wide and `rows` high standing on the bottom grid row, left edge at
// grid column `column`: every cell has its bottom, top, left and right members (shared
// with its neighbours) and one diagonal, leaning alternately left and right.
// Member count: 3 * cells * rows + cells + rows.
std::vector<Line> makeTruss(int column, int cells, int rows);

// A frame of posts and beams, no braces: `bays` bays `bayCells` grid cells wide and
// `storeys` storeys `storeyCells` high, standing on the bottom grid row with its left post at
// grid column `column`. Each post and beam spans one storey or bay, so members meet at
// every floor; per storey the posts come first, left to right, then the beams, so the
// last line is the roof's right-hand beam.
std::vector<Line> makeFrame(int column, int bays, int storeys, int bayCells, int storeyCells);

// Every pair of neighbouring grid points joined, diagonals included (eight neighbours):
// 2 * 50 * 49 straight members plus 2 * 49 * 49 diagonals, 9,702 in all.
std::vector<Line> makeFullGrid();

// count short horizontal sticks in rows above the grid, none touching another.
std::vector<Line> makeSticks(int count);
