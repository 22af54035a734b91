#pragma once
// Everything a quake draws when it starts, kept so the same shaking can be run again:
// the noise's seed (the clock's whole seconds) and the two noise abscissas (random
// whole numbers). As one whole number it is what the panel shows and what a user types.
#include <cstdint>
#include <optional>
#include <string>

struct QuakeSeed {
    std::uint32_t noise = 0;  // reseeds the noise's permutation
    std::int32_t offsetX = 0;  // noise abscissas, each within [-OFFSET_RANGE, OFFSET_RANGE]
    std::int32_t offsetY = 0;
};

inline constexpr std::int32_t OFFSET_RANGE = 10000;

// The seed as one number: noise, offsetX and offsetY as digits of base 2 * OFFSET_RANGE + 1.
// Every number from 0 to MAX_SEED_NUMBER is a seed, and each seed has one number.
std::uint64_t seedNumber(const QuakeSeed& seed);
QuakeSeed seedOfNumber(std::uint64_t number);
extern const std::uint64_t MAX_SEED_NUMBER;

// A typed seed: a whole number from 0 to MAX_SEED_NUMBER, with spaces around it allowed;
// anything else is none.
std::optional<QuakeSeed> parseSeed(const std::string& text);
