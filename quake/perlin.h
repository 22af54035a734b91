#pragma once
// Improved Perlin noise with a reseedable 256-entry permutation.
#include <array>
#include <cstdint>

inline constexpr double NOISE_Y = 0.12345;
inline constexpr double NOISE_Z = 0.34567;

struct PerlinNoise {
    std::array<std::uint8_t, 256> permutation;  // starts as the reference permutation
};

PerlinNoise makePerlinNoise();
void reseed(PerlinNoise& noise, std::uint32_t seed);
double sample(const PerlinNoise& noise, double x, double y, double z);
