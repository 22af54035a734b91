#include "quake/perlin.h"

#include <cmath>
#include <cstddef>
#include <random>
#include <utility>

namespace {

// Ken Perlin's permutation from his improved-noise reference implementation (2002).
constexpr std::uint8_t REFERENCE_PERMUTATION[256] = {
    151, 160, 137, 91,  90,  15,  131, 13,  201, 95,  96,  53,  194, 233, 7,   225, 140, 36,  103, 30,  69,
    142, 8,   99,  37,  240, 21,  10,  23,  190, 6,   148, 247, 120, 234, 75,  0,   26,  197, 62,  94,  252,
    219, 203, 117, 35,  11,  32,  57,  177, 33,  88,  237, 149, 56,  87,  174, 20,  125, 136, 171, 168, 68,
    175, 74,  165, 71,  134, 139, 48,  27,  166, 77,  146, 158, 231, 83,  111, 229, 122, 60,  211, 133, 230,
    220, 105, 92,  41,  55,  46,  245, 40,  244, 102, 143, 54,  65,  25,  63,  161, 1,   216, 80,  73,  209,
    76,  132, 187, 208, 89,  18,  169, 200, 196, 135, 130, 116, 188, 159, 86,  164, 100, 109, 198, 173, 186,
    3,   64,  52,  217, 226, 250, 124, 123, 5,   202, 38,  147, 118, 126, 255, 82,  85,  212, 207, 206, 59,
    227, 47,  16,  58,  17,  182, 189, 28,  42,  223, 183, 170, 213, 119, 248, 152, 2,   44,  154, 163, 70,
    221, 153, 101, 155, 167, 43,  172, 9,   129, 22,  39,  253, 19,  98,  108, 110, 79,  113, 224, 232, 178,
    185, 112, 104, 218, 246, 97,  228, 251, 34,  242, 193, 238, 210, 144, 12,  191, 179, 162, 241, 81,  51,
    145, 235, 249, 14,  239, 107, 49,  192, 214, 31,  181, 199, 106, 157, 184, 84,  204, 176, 115, 121, 50,
    45,  127, 4,   150, 254, 138, 236, 205, 93,  222, 114, 67,  29,  24,  72,  243, 141, 128, 195, 78,  66,
    215, 61,  156, 180};

double fade(double t) { return ((t * 6 - 15) * t + 10) * t * t * t; }

double lerp(double t, double a, double b) { return (b - a) * t + a; }

double grad(int hash, double x, double y, double z) {
    const int h = hash & 15;
    const double first = h < 8 ? x : y;
    const double second = h < 4 ? y : ((h == 12 || h == 14) ? x : z);
    return ((h & 1) ? -first : first) + ((h & 2) ? -second : second);
}

// The lattice cell of an integer-valued coordinate, reduced to 0..255. Works for any
// finite value, also beyond the range of int, with the same result as (int) c & 255.
int cell(double c) {
    double r = std::fmod(c, 256.0);
    if (r < 0) r += 256.0;
    return static_cast<int>(r) & 255;
}

}  // namespace

PerlinNoise makePerlinNoise() {
    PerlinNoise noise{};
    for (std::size_t i = 0; i < 256; ++i) noise.permutation[i] = REFERENCE_PERMUTATION[i];
    return noise;
}

void reseed(PerlinNoise& noise, std::uint32_t seed) {
    for (std::size_t i = 0; i < 256; ++i) noise.permutation[i] = static_cast<std::uint8_t>(i);
    std::mt19937 generator(seed);
    for (std::uint32_t i = 1; i < 256; ++i) {
        const std::uint32_t r = static_cast<std::uint32_t>(generator());
        const std::uint32_t j = r % (i + 1);
        std::swap(noise.permutation[i], noise.permutation[j]);
    }
}

double sample(const PerlinNoise& noise, double x, double y, double z) {
    // A coordinate that is not a number has no lattice cell; such a signal is silent.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return 0.0;

    const auto& p = noise.permutation;
    const double fx0 = std::floor(x);
    const double fy0 = std::floor(y);
    const double fz0 = std::floor(z);
    const int X = cell(fx0);
    const int Y = cell(fy0);
    const int Z = cell(fz0);
    const double fx = x - fx0;
    const double fy = y - fy0;
    const double fz = z - fz0;
    const double u = fade(fx);
    const double v = fade(fy);
    const double w = fade(fz);

    const int A = (p[X] + Y) & 255;
    const int AA = (p[A] + Z) & 255;
    const int AB = (p[(A + 1) & 255] + Z) & 255;
    const int B = (p[(X + 1) & 255] + Y) & 255;
    const int BA = (p[B] + Z) & 255;
    const int BB = (p[(B + 1) & 255] + Z) & 255;

    const double g1 = grad(p[AA], fx, fy, fz);
    const double g2 = grad(p[BA], fx - 1, fy, fz);
    const double g3 = grad(p[AB], fx, fy - 1, fz);
    const double g4 = grad(p[BB], fx - 1, fy - 1, fz);
    const double g5 = grad(p[(AA + 1) & 255], fx, fy, fz - 1);
    const double g6 = grad(p[(BA + 1) & 255], fx - 1, fy, fz - 1);
    const double g7 = grad(p[(AB + 1) & 255], fx, fy - 1, fz - 1);
    const double g8 = grad(p[(BB + 1) & 255], fx - 1, fy - 1, fz - 1);

    return lerp(w, lerp(v, lerp(u, g1, g2), lerp(u, g3, g4)), lerp(v, lerp(u, g5, g6), lerp(u, g7, g8)));
}
