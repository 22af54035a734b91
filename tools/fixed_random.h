#pragma once
// The same deterministic stand-in for the windowing library's generator on every run.
#include <cstdint>

#include "physics/random_int.h"

RandomInt fixedRandom(std::uint32_t seed);
