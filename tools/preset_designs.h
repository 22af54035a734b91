#pragma once
// The two designs shipped as save/hause.velmar and save/lightaf.velmar.
#include "physics/structure.h"

// A two-storey, two-bay braced house with a roof truss.
Design hausePreset();
// A tall, light lattice mast with a lamp arm at the top.
Design lightafPreset();
