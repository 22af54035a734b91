#pragma once
// The two designs shipped as save/hause.velmar and save/lightaf.velmar.
#include "physics/structure.h"

// A two-storey, two-bay braced house with a roof truss.
Design hausePreset();
// A tall, light lattice mast with a lamp arm at the top.
Design lightafPreset();

// Drawing on the editor's grid, point (c, r) at x = 10 c, y = -20 - 10 r: a line, and a
// lattice of `panels` panels `panel` rows high between columns left and right, each with
// a strut on top and one diagonal, zigzagging up from the lower left.
void addGridLine(Design& d, int c1, int r1, int c2, int r2);
void addLattice(Design& d, int left, int right, int panel, int panels);
