#pragma once
// Joints that hold the same point of the same body. Where several members meet, each
// joint's second body is one of them, so a node of n members has n(n-1)/2 joints but at
// most n distinct points held: the joints of one member there all sit exactly on top of
// each other, whatever the structure does afterwards.
#include <cstddef>

#include "physics/structure.h"

// Sets every record's `nextSameAnchor`: the next record (in record order) whose joint has
// the same second body and the same local anchor on it, or NO_RECORD.
void linkSameAnchors(Simulation& sim);

// Whether a later joint on the same anchor as record `index` is still whole. Such a joint
// stands exactly where this one does, so anything drawn for it covers this one's.
bool laterJointOnSameAnchor(const Simulation& sim, std::size_t index);
