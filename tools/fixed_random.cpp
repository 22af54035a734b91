#include "tools/fixed_random.h"

#include <memory>

RandomInt fixedRandom(std::uint32_t seed) {
    auto state = std::make_shared<std::uint32_t>(seed * 2654435761u + 1u);
    return [state](int lo, int hi) {
        *state = *state * 1664525u + 1013904223u;
        const std::uint32_t span = static_cast<std::uint32_t>(hi - lo) + 1u;
        return lo + static_cast<int>((*state >> 8) % span);
    };
}
