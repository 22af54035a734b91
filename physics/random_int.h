#pragma once
// A source of random whole numbers, passed down by the caller: the program hands in
// the windowing library's generator, tests and tools a fixed sequence.
#include <functional>

// Random whole numbers in [lo, hi], both included.
using RandomInt = std::function<int(int lo, int hi)>;
