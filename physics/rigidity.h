#pragma once
// The rigidity check before F: the drawing as the pin-jointed framework F builds (members
// joined where their end points coincide, end points in the ground zone pinned to the
// ground), and the ways it can move without any member changing length. Generic rigidity:
// members in special positions (three joints in a line, parallel bars) may move a little
// more than this counts.
//
// With moment connections (the ground-motion model's choice) F welds each pair of members
// it would have hinged, so they turn as one body; a fixed base welds a member's foot to
// the ground. A weld counts as a bar between the far ends of the two members it joins,
// which closes a triangle on their shared joint.
#include <cstddef>
#include <vector>

#include "physics/structure.h"

struct RigidityResult {
    // Independent ways the drawing can move relative to the ground (its degrees of freedom).
    std::size_t waysToMove = 0;
    // For each line, whether it can move relative to the ground (not in the ground's rigid
    // cluster). Lines F builds no member for (not finite, zero length) are false.
    std::vector<bool> canMove;
};

RigidityResult checkRigidity(const std::vector<Line>& lines, float groundTop, const ConnectionSetup& joining = {});
