#pragma once
// The 2-D pebble game (Jacobs & Hendrickson 1997): which bars of a pin-jointed framework
// in general position are independent, how many ways it can move, and which joints are
// held rigid to a chosen bar. Each joint starts with two pebbles (its two freedoms); a
// bar is independent when four pebbles can be gathered on its two joints (Laman's count
// 2n - 3 holds for every part it closes), and then takes one of them.
#include <cstddef>
#include <utility>
#include <vector>

struct PebbleGame {
    std::vector<int> pebbles;                       // free pebbles on each joint
    std::vector<std::vector<std::size_t>> covers;   // the joints each joint's pebbles point to
    std::size_t independentBars = 0;
};

PebbleGame startPebbleGame(std::size_t joints);

// Plays one bar; false when it is redundant (its length already held by the others).
bool addBar(PebbleGame& game, std::size_t a, std::size_t b);

// The freedoms left: 2 per joint less the independent bars, three of them for each
// part that moves as one body.
std::size_t freePebbles(const PebbleGame& game);

// For each joint, whether it is held rigid to the independent bar (a, b), a and b included.
std::vector<bool> rigidToBar(PebbleGame& game, std::size_t a, std::size_t b);
